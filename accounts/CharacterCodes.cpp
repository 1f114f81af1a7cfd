#include "accounts/CharacterCodes.h"

#include "core/UtilitiesUnit.h"

namespace CharacterCodes {

namespace {
// Line feed followed by carriage return, as the boxes of these windows break
// their lines.
const QString kBreak = QStringLiteral("\n\r");
} // namespace

const std::vector<CodeItem>& Classes() {
    static const std::vector<CodeItem> items = {
        {QStringLiteral("Dark Wizard"), 0},
        {QStringLiteral("Soul Master"), 1},
        {QStringLiteral("Dark Knight"), 16},
        {QStringLiteral("Blade Knight"), 17},
        {QStringLiteral("Elf"), 32},
        {QStringLiteral("Muse Elf"), 33},
        {QStringLiteral("Magic Gladiator"), 48},
        {QStringLiteral("Dark Lord"), 64},
    };
    return items;
}

const std::vector<CodeItem>& BaseClasses() {
    static const std::vector<CodeItem> items = {
        {QStringLiteral("Dark Wizard"), 0}, {QStringLiteral("Dark Knight"), 16},
        {QStringLiteral("Elf"), 32},        {QStringLiteral("Magic Gladiator"), 48},
        {QStringLiteral("Dark Lord"), 64},
    };
    return items;
}

const std::vector<CodeItem>& Statuses() {
    static const std::vector<CodeItem> items = {
        {QStringLiteral("Normal"), 0},
        {QStringLiteral("Game Master"), 32},
        {QStringLiteral("Game Master (Inv)"), 8},
        {QStringLiteral("Banned (Chr)"), 1},
        {QStringLiteral("Banned (Item)"), 17},
    };
    return items;
}

const QStringList& PkLevels() {
    static const QStringList items = {QStringLiteral("HeroLevel2"), QStringLiteral("HeroLevel1"),
                                      QStringLiteral("Normal"),     QStringLiteral("PKLevel1"),
                                      QStringLiteral("PKLevel2"),   QStringLiteral("Murder")};
    return items;
}

const QStringList& Maps() {
    static const QStringList items = {
        QStringLiteral("Lorencia"),
        QStringLiteral("Dungeon"),
        QStringLiteral("Devias"),
        QStringLiteral("Noria"),
        QStringLiteral("Lost Tower"),
        QStringLiteral("Exile"),
        QStringLiteral("Arena"),
        QStringLiteral("Atlans"),
        QStringLiteral("Tarkan"),
        QStringLiteral("Devil Square 1-4"),
        QStringLiteral("Icarus"),
        QStringLiteral("Blood Castle 1"),
        QStringLiteral("Blood Castle 2"),
        QStringLiteral("Blood Castle 3"),
        QStringLiteral("Blood Castle 4"),
        QStringLiteral("Blood Castle 5"),
        QStringLiteral("Blood Castlle 6"),
        QStringLiteral("Blood Castle 7"),
        QStringLiteral("Chaos Castle 1"),
        QStringLiteral("Chaos Castle 2"),
        QStringLiteral("Chaos Castle 3"),
        QStringLiteral("Chaos Castle 4"),
        QStringLiteral("Chaos Caslte 5"),
        QStringLiteral("Chaos Castle 6"),
        QStringLiteral("Kalima1"),
        QStringLiteral("Kalima2"),
        QStringLiteral("Kalima3"),
        QStringLiteral("Kalima4"),
        QStringLiteral("Kalima5"),
        QStringLiteral("Kalima6"),
        QStringLiteral("Valley Of Loren"),
        QStringLiteral("Lans Of Trials"),
        QStringLiteral("Devil Square 5-6"),
        QStringLiteral("Aida"),
        QStringLiteral("CryWolf"),
    };
    return items;
}

int IndexOfCode(const std::vector<CodeItem>& items, int code) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].code == code)
            return int(i);
    }
    return -1;
}

QStringList Captions(const std::vector<CodeItem>& items) {
    QStringList out;
    for (const CodeItem& item : items)
        out << item.caption;
    return out;
}

int PkLevelIndex(std::optional<int> stored) {
    if (!stored || *stored < 1 || *stored > PkLevels().size())
        return -1;
    return *stored - 1;
}

int MapIndex(std::optional<int> stored) {
    if (!stored || *stored < 0 || *stored >= Maps().size())
        return -1;
    return *stored;
}

const std::vector<QuestItem>& Quests() {
    static const std::vector<QuestItem> items = {
        {QStringLiteral("None"), QStringLiteral("FFFF")},
        {QStringLiteral("Find the 'Scroll of Emperor'"), QStringLiteral("FEFF")},
        {QStringLiteral("Three Treasures of TANOR"), QStringLiteral("FAFF")},
        {QStringLiteral("Gain 'Hero Status'"), QStringLiteral("EAFF")},
        {QStringLiteral("Secret of 'Dark Stone' (BK)"), QStringLiteral("AAFF")},
    };
    return items;
}

QString QuestPrefix(const QByteArray& stored) {
    return BytesToHex(stored.left(2)).leftJustified(4, QLatin1Char('F'));
}

int QuestIndex(const QString& prefix) {
    const auto& items = Quests();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].prefix == prefix)
            return int(i);
    }
    return -1;
}

QString QuestLiteral(const QString& prefix) {
    return QStringLiteral("0x") + prefix + QString(96, QLatin1Char('F'));
}

QString QuestVariantWarning() {
    return QStringLiteral("The current Character seems to have a") + kBreak +
           QStringLiteral("variant of the quest, if you do not want to change this") + kBreak +
           QStringLiteral("setting, do not touch the Quest Group Box");
}

QString GuildStatusText(const QString& stored) {
    const QString value = stored.trimmed();
    if (value.isEmpty() || value == QLatin1String("0"))
        return QStringLiteral("Guild Member");
    if (value == QLatin1String("128"))
        return QStringLiteral("Guild Master");
    if (value == QLatin1String("64"))
        return QStringLiteral("Assistant of G. Master");
    if (value == QLatin1String("32"))
        return QStringLiteral("Battle Master");
    return value;
}

QString MoveResultText(int code) {
    static const char* const kLines[] = {
        "0x00 : Move Successfull!",
        "0x01 : Currently Connected",
        "0x02 : Account or Character Does NOT exist",
        "0x03 : The actual conditions cant allow the move",
        "0x04 : Max quantity of move exceded",
        "0x05 : The character does not exist in the accounts character slot",
        "0x06 : The accounts character slot which it will add does not exist.",
        "0x07 : Move Impossible (Multi-Crow)",
        "0x08 : Level Limitation",
        "0x09 : DB Error",
        "0x010 : Character Belongs to a guild",
    };
    QString text;
    for (const char* line : kLines)
        text += QLatin1String(line) + kBreak;
    return text + kBreak + QStringLiteral("Result: 0x0") + QString::number(code);
}

const std::vector<NumberRule>& NumberRules() {
    using T = ColumnNumber::SqlType;
    static const std::vector<NumberRule> rules = {
        {QStringLiteral("Level"), QStringLiteral("Level"), T::SmallInt},
        {QStringLiteral("FreePoints"), QStringLiteral("Free Points"), T::Int},
        {QStringLiteral("Experience"), QStringLiteral("Experience"), T::Int},
        {QStringLiteral("Strenght"), QStringLiteral("Strength"), T::SmallInt},
        {QStringLiteral("Agility"), QStringLiteral("Agility"), T::SmallInt},
        {QStringLiteral("Vitality"), QStringLiteral("Vitality"), T::SmallInt},
        {QStringLiteral("Energy"), QStringLiteral("Energy"), T::SmallInt},
        {QStringLiteral("Charisma"), QStringLiteral("Command"), T::SmallInt},
        {QStringLiteral("Money"), QStringLiteral("Money"), T::Int},
        {QStringLiteral("MapPosX"), QStringLiteral("X"), T::SmallInt},
        {QStringLiteral("MapPosY"), QStringLiteral("Y"), T::SmallInt},
        {QStringLiteral("PKCount"), QStringLiteral("PK Count"), T::Int},
        {QStringLiteral("PKTime"), QStringLiteral("PK Time"), T::Int},
        {QStringLiteral("Reset"), QStringLiteral("Reset"), T::Int},
    };
    return rules;
}

QString NumberMessage(const NumberRule& rule) {
    return rule.label + QStringLiteral(" must be a whole number from ") + QStringLiteral("0") +
           QStringLiteral(" to ") + QString::number(ColumnNumber::MaxOf(rule.type)) +
           QStringLiteral(". Nothing was saved.");
}

} // namespace CharacterCodes
