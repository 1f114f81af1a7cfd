#include "guilds/CastleSiege.h"

#include "core/QueryHelpers.h"
#include "guilds/CastleStatements.h"
#include "platform/TanorError.h"

namespace CastleSiege {

namespace {

namespace CS = CastleStatements;

constexpr DataSource kGame = DataSource::TanorOnline;

// The value of a column, empty when the statement found no row.
QString Column(const Query& query, const char* name) {
    return query.IsEmpty() ? QString() : query.FieldByName(QLatin1String(name)).AsString();
}

const CastleGeometry::NpcPlace& PlaceOf(const NpcRef& npc) {
    return CastleGeometry::Places(npc.kind)[size_t(npc.index)];
}

NpcSlot Absent(const LifeLevels& levels) {
    NpcSlot slot;
    slot.life = slot.maxLife = levels[0];
    return slot;
}

std::vector<NpcSlot> ReadAll(int group, NpcKind kind, const LifeLevels& levels) {
    std::vector<NpcSlot> slots(CastleGeometry::Places(kind).size());
    for (size_t i = 0; i < slots.size(); ++i)
        slots[i] = ReadNpc({group, kind, int(i)}, levels);
    return slots;
}

} // namespace

StoredCastle Load(int group, const CastleGeometry::CastleLevels& levels) {
    StoredCastle stored;
    {
        Query castle = OpenOn(kGame, CS::Data(group));
        stored.startDate = Column(castle, "SIEGE_START_DATE");
        stored.endDate = Column(castle, "SIEGE_END_DATE");
        stored.listSet = Column(castle, "SIEGE_GUILDLIST_SETTED") == QLatin1String("True");
        stored.ended = Column(castle, "SIEGE_ENDED") == QLatin1String("True");
        stored.occupied = Column(castle, "CASTLE_OCCUPY") != QLatin1String("False");
        stored.owner = Column(castle, "OWNER_GUILD");
        if (!castle.IsEmpty()) {
            stored.money = castle.FieldByName(QStringLiteral("MONEY")).AsLargeInt();
            stored.chaosTax = castle.FieldByName(QStringLiteral("TAX_RATE_CHAOS")).AsInteger();
            stored.storeTax = castle.FieldByName(QStringLiteral("TAX_RATE_STORE")).AsInteger();
            stored.huntZoneTax = castle.FieldByName(QStringLiteral("TAX_HUNT_ZONE")).AsInteger();
        }
    }
    stored.guilds = ListOn(kGame, stored.listSet ? CS::SelectedGuilds(group) : CS::RegisteredGuilds(group));
    stored.guildNames = ListOn(kGame, CS::GuildNames());
    stored.gates = ReadAll(group, NpcKind::Gate, levels.gates);
    stored.statues = ReadAll(group, NpcKind::Statue, levels.statues);
    return stored;
}

SaveResult Save(int group, const StoredCastle& stored, const CastleChoice& choice) {
    bool ok = false;
    const qint64 money = choice.money.trimmed().toLongLong(&ok);
    if (!ok || money < 0)
        return SaveResult::MoneyNotWhole;
    CS::CastleData values{};
    // An owner the list does not hold (a guild gone since) is kept as stored.
    values.occupied = choice.ownerItem < 0 ? stored.occupied : choice.ownerItem > 0;
    values.owner = choice.ownerItem < 0 ? stored.owner : choice.ownerItem > 0 ? choice.ownerName : QString();
    values.money = money;
    values.chaosTax = choice.chaosItem >= 0 ? choice.chaosItem : stored.chaosTax;
    values.storeTax = choice.storeItem >= 0 ? choice.storeItem : stored.storeTax;
    values.huntZoneTax = choice.huntZoneItem >= 0 ? choice.huntZoneItem * kHuntZoneStep : stored.huntZoneTax;
    ExecOn(kGame, CS::Save(group, values));
    return SaveResult::Saved;
}

// ------------------------------------------------------------------ gates and statues

NpcSlot ReadNpc(const NpcRef& npc, const LifeLevels& levels) {
    Query row = OpenOn(kGame, CS::Npc(npc.group, npc.kind, PlaceOf(npc)));
    NpcSlot slot;
    if (!row.IsEmpty()) {
        slot.life = row.FieldByName(QStringLiteral("NPC_HP")).AsLargeInt();
        slot.maxLife = row.FieldByName(QStringLiteral("NPC_MAXHP")).AsLargeInt();
        slot.defence = row.FieldByName(QStringLiteral("NPC_DF_LEVEL")).AsInteger();
        if (npc.kind == NpcKind::Statue)
            slot.regeneration = row.FieldByName(QStringLiteral("NPC_RG_LEVEL")).AsInteger();
        row.Next();
        slot.exists = row.Eof(); // exactly one row
    }
    return slot.exists ? slot : Absent(levels);
}

NpcSlot BuyNpc(const NpcRef& npc, const LifeLevels& levels) {
    const int life = levels[0];
    ExecOn(kGame, CS::BuyNpc(npc.group, npc.kind, PlaceOf(npc), life));
    return NpcSlot{true, life, life, 0, 0};
}

NpcSlot DeleteNpc(const NpcRef& npc, const LifeLevels& levels) {
    ExecOn(kGame, CS::DeleteNpc(npc.group, PlaceOf(npc)));
    return Absent(levels);
}

void SetLife(const NpcRef& npc, qint64 life) {
    ExecOn(kGame, CS::SetNpcLife(npc.group, PlaceOf(npc), life));
}

bool ChooseLevel(const NpcRef& npc, NpcSlot& slot, NpcLevel which, int item) {
    const bool regeneration = which == NpcLevel::Regeneration;
    int& level = regeneration ? slot.regeneration : slot.defence;
    if (!slot.exists || item < 0 || item == level)
        return false;
    ExecOn(kGame, regeneration ? CS::SetNpcRegeneration(npc.group, PlaceOf(npc), item)
                               : CS::SetNpcDefence(npc.group, PlaceOf(npc), item));
    level = item;
    return true;
}

bool RaiseLife(const NpcRef& npc, NpcSlot& slot, const LifeLevels& levels) {
    const auto next = CastleGeometry::NextLife(slot.maxLife, levels);
    if (!slot.exists || !next)
        return false;
    ExecOn(kGame, CS::RaiseNpcLife(npc.group, npc.kind, PlaceOf(npc), *next));
    slot.life = slot.maxLife = *next;
    return true;
}

// ------------------------------------------------------------------ registered guilds

Registration LoadRegistration(int group, bool listSet, const QString& guild) {
    Registration shown;
    {
        Query summary = OpenOn(kGame, CS::GuildSummary(guild));
        shown.master = summary.IsEmpty() ? QString() : summary.Fields(0).AsString();
        shown.memberCount = summary.IsEmpty() ? QString() : summary.Fields(1).AsString();
    }
    if (listSet) {
        Query involved = OpenOn(kGame, CS::Involvement(group, guild));
        shown.giveUp = Column(involved, "GUILD_INVOLVED") == QLatin1String("True") ? 1 : 0;
    } else {
        Query registration = OpenOn(kGame, CS::Registration(group, guild));
        shown.giveUp = Column(registration, "IS_GIVEUP") == QLatin1String("1") ? 1 : 0;
        shown.marks = Column(registration, "REG_MARKS");
    }
    return shown;
}

bool ChooseGiveUp(int group, bool listSet, const QString& guild, int shown, int item) {
    if (guild.isEmpty() || item < 0 || item == shown)
        return false;
    ExecOn(kGame, listSet ? CS::SetInvolved(group, guild, item) : CS::SetGiveUp(group, guild, item));
    return true;
}

void SetMarks(int group, const QString& guild, const QString& typed) {
    bool ok = false;
    const int marks = typed.trimmed().toInt(&ok);
    if (guild.isEmpty() || !ok || marks < 0)
        return;
    try {
        ExecOn(kGame, CS::SetMarks(group, guild, marks));
    } catch (const DbError&) {
        // A mark count the server refuses is simply not written.
    }
}

void Register(int group, const QString& guild) {
    qint64 number = 1; // with no registration at all the maximum is NULL
    {
        Query next = OpenOn(kGame, CS::NextSequence());
        if (!next.IsEmpty() && !next.Fields(0).AsString().isEmpty())
            number = next.Fields(0).AsLargeInt();
    }
    ExecOn(kGame, CS::Register(group, guild, number));
}

void Unregister(int group, const QString& guild) {
    ExecOn(kGame, CS::Unregister(group, guild));
    ExecOn(kGame, CS::Unselect(group, guild));
}

} // namespace CastleSiege
