#pragma once

#include <QString>
#include <QStringList>

// Member ranks and how a member's character is shown in the guild editor.
namespace GuildRoster {

inline constexpr int kMasterStatus = 128;
inline constexpr int kMasterItem = 3;

// Items of "Member Level:", in item order.
[[nodiscard]] QStringList RankCaptions();
// The item showing a G_Status (an empty or unknown status shows item 0).
[[nodiscard]] int RankItemOf(const QString& status);
// G_Status written for an item.
[[nodiscard]] int StatusOfRankItem(int item);

// A class code as its name; an unknown code as the number.
[[nodiscard]] QString ClassName(const QString& code);

// Why the picked guild cannot join union `unionNumber` (0: none yet, one is
// made for `guild` and the picked guild) whose guilds are `listed`; empty
// when it can. Names compare as the server compares them, case aside.
[[nodiscard]] QString UnionRefusal(const QString& guild, int unionNumber, const QStringList& listed,
                                   const QString& picked);

} // namespace GuildRoster
