#include "accounts/CharacterCodes.h"
#include "accounts/AccountStatements.h"
#include "accounts/CharacterStatements.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <map>

using namespace CharacterCodes;

namespace {

TEST(CharacterCodes, QuestPrefixesFindTheirItemAndVariantsFindNone) {
    const struct {
        QByteArray stored;
        QString prefix;
        int item;
    } cases[] = {
        {QByteArray::fromHex("FFFF00"), QStringLiteral("FFFF"), 0},
        {QByteArray::fromHex("FEFFAA"), QStringLiteral("FEFF"), 1},
        {QByteArray::fromHex("FAFF00"), QStringLiteral("FAFF"), 2},
        {QByteArray::fromHex("EAFF"), QStringLiteral("EAFF"), 3},
        {QByteArray::fromHex("AAFFFFFF"), QStringLiteral("AAFF"), 4},
        {QByteArray::fromHex("F5FF"), QStringLiteral("F5FF"), -1}, // a variant keeps its digits
        {QByteArray::fromHex("0aff"), QStringLiteral("0AFF"), -1}, // upper case, stored order
        {QByteArray::fromHex("FE"), QStringLiteral("FEFF"), 1},    // short: missing digits read F
        {QByteArray(), QStringLiteral("FFFF"), 0},                 // NULL: no quest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuestPrefix(c.stored), c.prefix) << c.stored.toHex().toStdString();
        EXPECT_EQ(QuestIndex(c.prefix), c.item) << c.prefix.toStdString();
    }
    const QString literal = QuestLiteral(QStringLiteral("F5FF"));
    EXPECT_EQ(literal, QStringLiteral("0xF5FF") + QString(96, QLatin1Char('F')));
    EXPECT_EQ((literal.size() - 2) / 2, 50); // the whole 50-byte column
}

TEST(CharacterCodes, StoredCodesShowTheirItemOrNothing) {
    EXPECT_EQ(Classes()[std::size_t(IndexOfCode(Classes(), 33))].caption, QStringLiteral("Muse Elf"));
    EXPECT_EQ(IndexOfCode(Statuses(), 8), 2);
    EXPECT_EQ(IndexOfCode(Statuses(), 16), -1);
    EXPECT_EQ(IndexOfCode(Classes(), 2), -1);
    EXPECT_EQ(Maps().size(), 35);
    EXPECT_EQ(Maps()[16], QStringLiteral("Blood Castlle 6"));
    EXPECT_EQ(Maps()[22], QStringLiteral("Chaos Caslte 5"));
    const struct {
        std::optional<int> stored;
        int pk;
        int map;
    } cases[] = {{std::nullopt, -1, -1}, {0, -1, 0},   {1, 0, 1},   {3, 2, 3}, {6, 5, 6}, {7, -1, 7},
                 {34, -1, 34},           {35, -1, -1}, {-1, -1, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(PkLevelIndex(c.stored), c.pk) << c.stored.value_or(-99);
        EXPECT_EQ(MapIndex(c.stored), c.map) << c.stored.value_or(-99);
    }
}

TEST(CharacterCodes, GuildStatusTexts) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"128", "Guild Master"}, {"64", "Assistant of G. Master"},
                 {"32", "Battle Master"}, {"0", "Guild Member"},
                 {"", "Guild Member"},    {"7", "7"}};
    for (const auto& c : cases)
        EXPECT_EQ(GuildStatusText(QLatin1String(c.stored)), QLatin1String(c.shown)) << c.stored;
}

TEST(CharacterCodes, TheMoveResultNamesTheCodeInTheTablesNotation) {
    EXPECT_EQ(
        MoveResultText(4),
        QStringLiteral(
            "0x00 : Move Successfull!\n\r0x01 : Currently Connected\n\r0x02 : Account or Character Does "
            "NOT exist\n\r0x03 : The actual conditions cant allow the move\n\r0x04 : Max quantity of move "
            "exceded\n\r0x05 : The character does not exist in the accounts character slot\n\r0x06 : The "
            "accounts character slot which it will add does not exist.\n\r0x07 : Move Impossible "
            "(Multi-Crow)\n\r0x08 : Level Limitation\n\r0x09 : DB Error\n\r0x010 : Character Belongs "
            "to a guild\n\r\n\rResult: 0x04"));
    const QString table = MoveResultText(0);
    EXPECT_TRUE(
        table.startsWith(QStringLiteral("0x00 : Move Successfull!\n\r0x01 : Currently Connected\n\r")));
    EXPECT_TRUE(
        table.contains(QStringLiteral("\n\r0x010 : Character Belongs to a guild\n\r\n\rResult: 0x00")));
    EXPECT_EQ(table.count(QStringLiteral("\n\r")), 12);
    EXPECT_TRUE(MoveResultText(4).endsWith(QStringLiteral("\n\rResult: 0x04")));
    EXPECT_TRUE(MoveResultText(10).endsWith(QStringLiteral("\n\rResult: 0x010")));
}

TEST(CharacterCodes, TypedNumbersMustBeWholeAndInRange) {
    const struct {
        const char* text;
        qint64 max;
        std::optional<qint64> value;
    } cases[] = {
        {"12", 100, 12},
        {" 7 ", 100, 7},
        {"0", 100, 0},
        {"100", 100, 100},
        {"101", 100, {}},
        {"-1", 100, {}},
        {"", 100, {}},
        {"1e3", 10000, {}},
        {"12abc", 100, {}},
        {"0x10", 100, {}},
        {"+5", 100, {}},
        {"1 2", 100, {}},
        {"5; DROP", 100, {}},
        {"2147483648", 2147483647, {}},
        {"99999999999999999999", 2147483647, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseWhole(QLatin1String(c.text), 0, c.max), c.value) << c.text;
    // The messages name the range of the column's type.
    std::map<QString, QString> messages;
    for (const NumberRule& rule : NumberRules())
        messages[rule.control] = NumberMessage(rule);
    EXPECT_EQ(messages[QStringLiteral("Strenght")],
              QStringLiteral("Strength must be a whole number from 0 to 32767. Nothing was saved."));
    EXPECT_EQ(messages[QStringLiteral("MapPosY")],
              QStringLiteral("Y must be a whole number from 0 to 32767. Nothing was saved."));
    EXPECT_EQ(messages[QStringLiteral("Money")],
              QStringLiteral("Money must be a whole number from 0 to 2147483647. Nothing was saved."));
}

// A field still showing its stored value writes it back whatever it is; a
// typed one must be whole, not negative and fit the column's type.
TEST(CharacterCodes, StoredValuesPassAndTypedOnesFitTheColumnType) {
    using ColumnNumber::SqlType;
    const struct {
        const char* loaded;
        const char* shown;
        SqlType type;
        bool accepted;
        std::optional<qint64> value;
    } cases[] = {
        {"40000", "40000", SqlType::SmallInt, true, 40000},
        {"-5", "-5", SqlType::SmallInt, true, -5},
        {"99999999999", "99999999999", SqlType::Int, true, 99999999999},
        {"", "", SqlType::Int, true, {}}, // NULL stays NULL
        {"10", "32767", SqlType::SmallInt, true, 32767},
        {"10", "-1", SqlType::SmallInt, false, {}},
        {"10", "32768", SqlType::SmallInt, false, {}},
        {"10", "40000", SqlType::SmallInt, false, {}},
        {"10", "2147483647", SqlType::Int, true, 2147483647},
        {"10", "-2147483649", SqlType::Int, false, {}},
        {"10", "", SqlType::Int, false, {}},
        {"40000", "40001", SqlType::SmallInt, false, {}},
        {"abc", "abc", SqlType::Int, false, {}},
    };
    for (const auto& c : cases) {
        const ColumnNumber::Saved saved =
            ColumnNumber::ToSave(QLatin1String(c.loaded), QLatin1String(c.shown), c.type);
        EXPECT_EQ(saved.accepted, c.accepted) << c.loaded << " / " << c.shown;
        EXPECT_EQ(saved.value, c.value) << c.loaded << " / " << c.shown;
    }
}

TEST(AccountStatements, HashingSettingAndPersonalId) {
    using namespace AccountStatements;
    const struct {
        int setting;
        const char* text;
    } hashing[] = {{0, "Disabled"}, {1, "Enabled"}, {2, "Disabled"}, {-1, "Disabled"}};
    for (const auto& h : hashing)
        EXPECT_EQ(HashingText(HashingOf(h.setting)), QLatin1String(h.text)) << h.setting;
    EXPECT_EQ(StoredPersonalId(QStringLiteral("4820117")), QStringLiteral("1111114820117"));
    EXPECT_EQ(ShownPersonalId(QStringLiteral("1111114820117")), QStringLiteral("4820117"));
    EXPECT_EQ(ShownPersonalId(QStringLiteral("111111482")), QStringLiteral("482"));
    EXPECT_EQ(ShownPersonalId(QStringLiteral("1111")), QString());

    // A stored NULL left empty stays NULL; typing gives the prefix.
    const std::optional<QString> null;
    EXPECT_EQ(PersonalIdToWrite(null, QString()), null);
    EXPECT_EQ(PersonalIdToWrite(null, QStringLiteral("12")), QStringLiteral("11111112"));
    EXPECT_EQ(UpdateAccountFields(QStringLiteral("a"), {}, {}, null, {}, {}).value(1),
              QStringLiteral("SET memb_name='', mail_addr='', sno__numb=NULL"));
}

} // namespace
