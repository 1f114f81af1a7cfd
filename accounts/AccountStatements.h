#pragma once

#include <QString>

// Statements of the account and character windows. One function per
// statement form; text values are quoted with Q here, never by the caller.
namespace AccountStatements {

// What the search window looks for.
enum class SearchTarget { Accounts, Characters, Guilds };

// Names of accounts, characters or guilds holding `part`, in name order.
[[nodiscard]] QString SearchNames(SearchTarget target, const QString& part);

} // namespace AccountStatements
