#include "guilds/GuildStore.h"

#include "core/ColumnNumber.h"
#include "core/QueryHelpers.h"
#include "guilds/GuildRoster.h"
#include "guilds/GuildStatements.h"

namespace GuildStore {

namespace {

constexpr DataSource kGame = DataSource::TanorOnline;

// A column of the current row, empty when the statement found none.
QString Text(const Query& row, const char* column) {
    return row.IsEmpty() ? QString() : row.FieldByName(QLatin1String(column)).AsString();
}

} // namespace

std::optional<StoredGuild> Load(const QString& guild) {
    if (OpenOn(kGame, GuildStatements::Find(guild)).IsEmpty())
        return std::nullopt;
    StoredGuild stored;
    {
        Query row = OpenOn(kGame, GuildStatements::Details(guild));
        if (!row.IsEmpty())
            stored.mark = GuildMark::FromBytes(row.FieldByName(QStringLiteral("G_Mark")).AsBytes());
        stored.notice = Text(row, "G_Notice");
        stored.score = Text(row, "G_Score");
    }
    if (stored.score.isEmpty())
        stored.score = QStringLiteral("0");
    stored.members = ListOn(kGame, GuildStatements::Members(guild));
    return stored;
}

SaveResult Save(const GuildChange& change) {
    // G_Score is an int column: a typed score is checked against its range;
    // the score as loaded is written back as it is.
    const ColumnNumber::Saved score =
        ColumnNumber::ToSave(change.loadedScore, change.typedScore, ColumnNumber::SqlType::Int);
    if (!score.accepted || !score.value)
        return SaveResult::ScoreNotWhole;
    ExecOn(kGame, GuildStatements::Save(change.guild, change.mark, change.notice, *score.value));
    return SaveResult::Saved;
}

Member LoadMember(const QString& member) {
    Member shown;
    {
        Query row = OpenOn(kGame, GuildStatements::MemberCharacter(member));
        shown.account = Text(row, "AccountID");
        shown.level = Text(row, "cLevel");
        const QString code = Text(row, "Class");
        shown.className = code.isEmpty() ? code : GuildRoster::ClassName(code);
        shown.strength = Text(row, "Strength");
        shown.agility = Text(row, "Dexterity");
        shown.vitality = Text(row, "Vitality");
        shown.energy = Text(row, "Energy");
        shown.command = Text(row, "Leadership");
    }
    shown.rankItem =
        GuildRoster::RankItemOf(Text(OpenOn(kGame, GuildStatements::MemberRank(member)), "G_Status"));
    return shown;
}

void SetRank(const QString& member, int rankItem) {
    if (rankItem < 0 || rankItem == GuildRoster::kMasterItem)
        return;
    ExecOn(kGame, GuildStatements::SetMemberStatus(member, GuildRoster::StatusOfRankItem(rankItem)));
}

void Kick(const QString& member) {
    ExecOn(kGame, GuildStatements::Kick(member));
}

Union LoadUnion(const QString& guild) {
    Union found;
    {
        Query row = OpenOn(kGame, GuildStatements::UnionOf(guild));
        found.number = row.IsEmpty() ? 0 : row.FieldByName(QStringLiteral("G_Union")).AsInteger();
    }
    if (found.number != 0)
        found.guilds = ListOn(kGame, GuildStatements::UnionGuilds(found.number));
    return found;
}

QString JoinUnion(const QString& guild, Union& current, const QString& picked) {
    QString refusal = GuildRoster::UnionRefusal(guild, current.number, current.guilds, picked);
    if (!refusal.isEmpty())
        return refusal;
    if (current.number == 0) {
        // A new union: one above the highest in use (1 when none is).
        int number = 0;
        {
            Query highest = OpenOn(kGame, GuildStatements::HighestUnion());
            number = (highest.IsEmpty() ? 0 : highest.Fields(0).AsInteger()) + 1;
        }
        ExecOn(kGame, GuildStatements::SetUnion(guild, number));
        current.number = number;
        current.guilds << guild;
    }
    ExecOn(kGame, GuildStatements::SetUnion(picked, current.number));
    current.guilds << picked;
    return refusal;
}

void LeaveUnion(const QString& guild) {
    ExecOn(kGame, GuildStatements::SetUnion(guild, 0));
}

CreateResult Create(const QString& guild, const QString& master, const GuildMark::Cells& mark) {
    if (OpenOn(kGame, GuildStatements::FindCharacter(master)).IsEmpty())
        return CreateResult::NoSuchCharacter;
    const bool nameTaken = !OpenOn(kGame, GuildStatements::FindName(guild)).IsEmpty();
    const bool masterTaken = !OpenOn(kGame, GuildStatements::FindMaster(master)).IsEmpty();
    if (nameTaken || masterTaken)
        return CreateResult::Taken;
    (void)OpenOn(kGame, GuildStatements::Create(guild, master));
    // The procedure may refuse (a master who is a member elsewhere, say);
    // raising that character's rank would then change another guild.
    if (OpenOn(kGame, GuildStatements::FindMaster(master)).IsEmpty())
        return CreateResult::NotCreated;
    ExecOn(kGame, GuildStatements::MakeMaster(master));
    ExecOn(kGame, GuildStatements::SetMarkOfMaster(master, mark));
    return CreateResult::Created;
}

} // namespace GuildStore
