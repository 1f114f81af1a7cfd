#pragma once

#include "guilds/CastleGeometry.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the castle siege editor does on the game database for one map
// server group: the window gathers the fields, calls one of these and shows
// what it returns.
namespace CastleSiege {

using CastleGeometry::LifeLevels;
using CastleGeometry::NpcKind;

// The hunt zone tax is chosen in steps of 10000, from 0 to 300000.
inline constexpr int kHuntZoneStep = 10000;
inline constexpr int kHuntZoneItems = 31;

// What the editor knows of one gate or statue once it was looked at. An
// absent one has the first life level as life and maximum.
struct NpcSlot {
    bool exists = false;
    qint64 life = 0;
    qint64 maxLife = 0;
    int defence = 0;
    int regeneration = 0;
};

// The castle of a group as the editor opens it.
struct StoredCastle {
    QString startDate;
    QString endDate;
    bool listSet = false; // the guild list for the siege is set
    bool ended = false;
    bool occupied = false; // as stored: anything but "False" counts as occupied
    QString owner;
    std::optional<qint64> money; // nothing without a castle row
    int chaosTax = 0;
    int storeTax = 0;
    int huntZoneTax = 0;    // as stored, a multiple of kHuntZoneStep
    QStringList guilds;     // registered, or selected once the list is set
    QStringList guildNames; // every guild, the owners to choose from
    std::vector<NpcSlot> gates;
    std::vector<NpcSlot> statues;
};
[[nodiscard]] StoredCastle Load(int group, const CastleGeometry::CastleLevels& levels);

// The editor's choices at "Save": list items (-1 for none) and the money
// as typed.
struct CastleChoice {
    QString money;
    int ownerItem = -1; // 0: "None"; above: the guild ownerName
    QString ownerName;
    int chaosItem = -1;
    int storeItem = -1;
    int huntZoneItem = -1;
};
enum class SaveResult { Saved, MoneyNotWhole };
// Money that is not a whole number refuses the save before anything is
// sent. An owner or tax the lists do not hold is written back as stored.
[[nodiscard]] SaveResult Save(int group, const StoredCastle& stored, const CastleChoice& choice);

// ---- gates and statues

// One gate or statue of a group: the index of its place (from 0).
struct NpcRef {
    int group = 0;
    NpcKind kind = NpcKind::Gate;
    int index = 0;
};
[[nodiscard]] NpcSlot ReadNpc(const NpcRef& npc, const LifeLevels& levels);
// Buys an absent one at the first life level; returns its slot.
[[nodiscard]] NpcSlot BuyNpc(const NpcRef& npc, const LifeLevels& levels);
// Deletes it; returns the slot of an absent one.
[[nodiscard]] NpcSlot DeleteNpc(const NpcRef& npc, const LifeLevels& levels);
// Writes a life already checked against the maximum.
void SetLife(const NpcRef& npc, qint64 life);
enum class NpcLevel { Defence, Regeneration };
// Writes a level item of an existing one; only a changed level is written.
// True when it was.
[[nodiscard]] bool ChooseLevel(const NpcRef& npc, NpcSlot& slot, NpcLevel which, int item);
// Raises an existing one to its next life level, full; none at the last
// level or off the levels. True when it was raised.
[[nodiscard]] bool RaiseLife(const NpcRef& npc, NpcSlot& slot, const LifeLevels& levels);

// ---- registered guilds

// A guild of the list as the editor shows it.
struct Registration {
    QString master;
    QString memberCount;
    int giveUp = 0;               // the "Give Up?:" item: 1 yes, 0 no
    std::optional<QString> marks; // during registration only
};
[[nodiscard]] Registration LoadRegistration(int group, bool listSet, const QString& guild);
// Writes the "Give Up?:" item of a guild when it differs from the item
// shown; true when it was written.
[[nodiscard]] bool ChooseGiveUp(int group, bool listSet, const QString& guild, int shown, int item);
// Writes typed marks; an empty or invalid text sends nothing and a count
// the server refuses is simply not written.
void SetMarks(int group, const QString& guild, const QString& typed);
// Registers a guild with the next sequence number (1 for the first).
void Register(int group, const QString& guild);
// Takes a guild off the registration list and the list set for the siege.
void Unregister(int group, const QString& guild);

} // namespace CastleSiege
