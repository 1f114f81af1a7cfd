#pragma once

#include "guilds/GuildMark.h"

#include <QString>
#include <QStringList>

// Statements of the guild editor and guild creation, all on the game
// database. One function per statement form; names are quoted here.
namespace GuildStatements {

// ---- guild editor

// Every column of the guild (used to tell whether it exists).
[[nodiscard]] QString Find(const QString& guild);
[[nodiscard]] QString Details(const QString& guild);
// Members, the master first.
[[nodiscard]] QString Members(const QString& guild);
// The two lines of "Save".
[[nodiscard]] QStringList Save(const QString& guild, const GuildMark::Cells& mark, const QString& notice,
                               qint64 score);
// The character behind a member.
[[nodiscard]] QString MemberCharacter(const QString& member);
[[nodiscard]] QString MemberRank(const QString& member);
[[nodiscard]] QString SetMemberStatus(const QString& member, int status);
[[nodiscard]] QString Kick(const QString& member);

// ---- union

[[nodiscard]] QString UnionOf(const QString& guild);
[[nodiscard]] QString UnionGuilds(int unionNumber);
[[nodiscard]] QString HighestUnion();
// Puts a guild in a union; 0 takes it out of its union.
[[nodiscard]] QString SetUnion(const QString& guild, int unionNumber);

// ---- guild creation

[[nodiscard]] QString FindCharacter(const QString& name);
[[nodiscard]] QString FindName(const QString& guild);
[[nodiscard]] QString FindMaster(const QString& master);
[[nodiscard]] QString Create(const QString& guild, const QString& master);
[[nodiscard]] QString MakeMaster(const QString& master);
[[nodiscard]] QString SetMarkOfMaster(const QString& master, const GuildMark::Cells& mark);

} // namespace GuildStatements
