#pragma once

#include "guilds/CastleGeometry.h"

#include <QString>

// Statements of the castle siege editor, all on the game database. `group`
// is the map server group; names are quoted here.
namespace CastleStatements {

using CastleGeometry::NpcKind;
using CastleGeometry::NpcPlace;

[[nodiscard]] QString Data(int group);
// The guilds of the registration list and of the list set for the siege.
[[nodiscard]] QString RegisteredGuilds(int group);
[[nodiscard]] QString SelectedGuilds(int group);
[[nodiscard]] QString GuildNames();

// ---- gates and statues

[[nodiscard]] QString Npc(int group, NpcKind kind, const NpcPlace& place);
[[nodiscard]] QString BuyNpc(int group, NpcKind kind, const NpcPlace& place, int life);
[[nodiscard]] QString DeleteNpc(int group, const NpcPlace& place);
[[nodiscard]] QString SetNpcLife(int group, const NpcPlace& place, qint64 life);
[[nodiscard]] QString SetNpcDefence(int group, const NpcPlace& place, int level);
[[nodiscard]] QString SetNpcRegeneration(int group, const NpcPlace& place, int level);
[[nodiscard]] QString RaiseNpcLife(int group, NpcKind kind, const NpcPlace& place, int life);

// ---- registered guilds

[[nodiscard]] QString GuildSummary(const QString& guild);
[[nodiscard]] QString Registration(int group, const QString& guild);
[[nodiscard]] QString Involvement(int group, const QString& guild);
[[nodiscard]] QString SetGiveUp(int group, const QString& guild, int item);
[[nodiscard]] QString SetInvolved(int group, const QString& guild, int item);
[[nodiscard]] QString SetMarks(int group, const QString& guild, int marks);
[[nodiscard]] QString NextSequence();
[[nodiscard]] QString Register(int group, const QString& guild, qint64 sequence);
[[nodiscard]] QString Unregister(int group, const QString& guild);
[[nodiscard]] QString Unselect(int group, const QString& guild);

// ---- castle data

struct CastleData {
    bool occupied;
    QString owner;
    qint64 money;
    int chaosTax;
    int storeTax;
    int huntZoneTax; // the stored value, a multiple of 10000
};
[[nodiscard]] QString Save(int group, const CastleData& data);

} // namespace CastleStatements
