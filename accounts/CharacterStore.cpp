#include "accounts/CharacterStore.h"

#include "accounts/CharacterStatements.h"
#include "core/QueryHelpers.h"
#include "core/ResetStatements.h"

using namespace CharacterCodes;
using namespace CharacterStatements;

namespace CharacterStore {

namespace {

const QString kReset = QStringLiteral("Reset");

// The column each number field shows.
const struct {
    const char* field;
    const char* column;
} kNumberColumns[] = {
    {"Level", "cLevel"},      {"FreePoints", "LevelUpPoint"}, {"Experience", "Experience"},
    {"Strenght", "Strength"}, {"Agility", "Dexterity"},       {"Vitality", "Vitality"},
    {"Energy", "Energy"},     {"Charisma", "Leadership"},     {"Money", "Money"},
    {"MapPosX", "MapPosX"},   {"MapPosY", "MapPosY"},         {"PKCount", "PkCount"},
    {"PKTime", "PkTime"},
};

std::optional<int> storedInt(const Field& f) {
    if (f.isNull() || f.AsString().trimmed().isEmpty())
        return std::nullopt;
    return f.AsInteger();
}

// The code of the item chosen in `items`, the stored code when none is.
std::optional<int> chosenCode(const std::vector<CodeItem>& items, int item, std::optional<int> stored) {
    return item >= 0 && item < int(items.size()) ? std::optional<int>(items[std::size_t(item)].code) : stored;
}

std::optional<GuildMembership> guildOf(const QString& character) {
    Query member = OpenOn(DataSource::TanorOnline, GuildOf(character));
    if (member.IsEmpty())
        return std::nullopt;
    return GuildMembership{member.FieldByName(QStringLiteral("G_Name")).AsString(),
                           GuildStatusText(member.FieldByName(QStringLiteral("G_Status")).AsString()),
                           member.FieldByName(QStringLiteral("G_Level")).AsString()};
}

} // namespace

bool AccountExists(const QString& account) {
    return !OpenOn(DataSource::Account, CheckAccount(account)).IsEmpty();
}

std::optional<CharacterRecord> Load(const QString& character) {
    CharacterRecord record;
    {
        Query row = OpenOn(DataSource::TanorOnline, LoadCharacter(character));
        if (row.IsEmpty())
            return std::nullopt;
        const auto text = [&row](const char* column) {
            return row.FieldByName(QLatin1String(column)).AsString();
        };
        for (const auto& c : kNumberColumns)
            record.numbers.insert(QLatin1String(c.field), text(c.column));
        record.life = text("Life");
        record.mana = text("Mana");
        record.pkLevel = storedInt(row.FieldByName(QStringLiteral("PkLevel")));
        record.map = storedInt(row.FieldByName(QStringLiteral("MapNumber")));
        record.classCode = storedInt(row.FieldByName(QStringLiteral("Class")));
        record.ctlCode = storedInt(row.FieldByName(QStringLiteral("CtlCode")));
        record.questPrefix = QuestPrefix(row.FieldByName(QStringLiteral("Quest")).AsBytes());
    }
    record.guild = guildOf(character);
    return record;
}

QString LoadResets(const ResetSettings& names, const QString& character) {
    Query count = OpenOn(DataSource::TanorOnline, ResetStatements::ReadResets(names, character));
    return count.Eof() ? QString() : count.Fields(0).AsString();
}

SaveOutcome Save(const CharacterRecord& loaded, const CharacterEdit& edit) {
    SaveOutcome outcome;
    // Every number is checked before anything is sent.
    QMap<QString, std::optional<qint64>> values;
    for (const NumberRule& rule : NumberRules()) {
        const QString shown = edit.shown.value(rule.control);
        // Resets count only when shown; a character without a reset row
        // shows none and has none to write.
        if (rule.control == kReset && (!edit.shown.contains(kReset) || shown.trimmed().isEmpty()))
            continue;
        const ColumnNumber::Saved value =
            ColumnNumber::ToSave(loaded.numbers.value(rule.control), shown, rule.type);
        if (!value.accepted) {
            outcome.result = SaveResult::Refused;
            outcome.refused = rule;
            return outcome;
        }
        values.insert(rule.control, value.value);
    }
    const auto number = [&values](const char* field) { return values.value(QLatin1String(field)); };

    CharacterUpdate c;
    c.name = edit.name;
    c.level = number("Level");
    c.freePoints = number("FreePoints");
    c.classCode = chosenCode(Classes(), edit.classItem, loaded.classCode);
    c.experience = number("Experience");
    c.strength = number("Strenght");
    c.agility = number("Agility");
    c.vitality = number("Vitality");
    c.energy = number("Energy");
    c.command = number("Charisma");
    c.money = number("Money");
    c.map = edit.mapItem >= 0 ? std::optional<int>(edit.mapItem) : loaded.map;
    c.x = number("MapPosX");
    c.y = number("MapPosY");
    c.pkLevel = edit.pkLevelItem >= 0 ? std::optional<int>(edit.pkLevelItem + 1) : loaded.pkLevel;
    c.pkCount = number("PKCount");
    c.pkTime = number("PKTime");
    c.ctlCode = chosenCode(Statuses(), edit.statusItem, loaded.ctlCode);
    c.questPrefix = edit.questPrefix;

    if (ExecOn(DataSource::TanorOnline, UpdateCharacter(c)) == 0) {
        outcome.result = SaveResult::CharacterMissing;
        return outcome;
    }
    outcome.resets = values.value(kReset);
    return outcome;
}

void SaveResets(const ResetSettings& names, const QString& character, qint64 resets) {
    ExecOn(DataSource::TanorOnline, ResetStatements::WriteResets(names, character, resets));
}

} // namespace CharacterStore
