#pragma once

#include <QString>
#include <QStringList>

// The search window's look-up: accounts, characters or guilds by part of
// their name.
namespace NameSearch {

enum class Target { Accounts, Characters, Guilds };

// Names of that kind holding `part`, in name order, from the database that
// keeps them (accounts on the account database, the rest on the game
// database).
[[nodiscard]] QStringList Find(Target target, const QString& part);

} // namespace NameSearch
