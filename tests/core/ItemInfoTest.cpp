#include "items/ItemInfo.h"

#include <gtest/gtest.h>

using namespace ItemInfo;
using ItemRecord::Width;

namespace {

CatalogueRow row(const char* name, const char* kind) {
    return {true, QLatin1String(name), QLatin1String(kind)};
}

QStringList linesOf(const QString& text) {
    return text.split(QStringLiteral("\n\r"));
}

} // namespace

TEST(ItemInfoTest, FullTextOfAKnownItem) {
    // Level 13, skill, luck, +28 (0xEF / bit 6), durability 0x1E, bits 0 and 5, "+10".
    const QString text = Text(QStringLiteral("02EF1E00000065610900"), Width::Narrow, row("Short Sword", "we"),
                              Wording::Inventory);
    EXPECT_EQ(text, QStringLiteral("Name: Short Sword \n\r"
                                   "Level: +13\n\r"
                                   "Durability: 30\n\r"
                                   "Serial: 00000065\n\r"
                                   "Option:  +28\n\r"
                                   "Skill:  +Skill\n\r"
                                   "Luck:  +Luck\n\r"
                                   "Excellent Option:\n\r"
                                   "Increase Adquisition rate of Mana after Hunting monsters +Mana/8\n\r"
                                   "Excellent Damage Rate +10%\n\r"
                                   "\n\r"
                                   "Ancient: +10 Stamina\n\r"
                                   "Hex: 02EF1E00000065610900"));
}

TEST(ItemInfoTest, ExcellentLinesByKind) {
    // Wings have no sixth line: all six bits give five lines.
    EXPECT_EQ(linesOf(ExcellentLines(QStringLiteral("wi"), 63)).size(), 5 + 1);
    EXPECT_EQ(ExcellentLines(QStringLiteral("wi"), 32), QStringLiteral("(No Excellent)"));
    EXPECT_EQ(ExcellentLines(QStringLiteral("any"), 63), QStringLiteral("(No Excellent)"));
    EXPECT_EQ(ExcellentLines(QStringLiteral("ar"), 0), QStringLiteral("(No Excellent)"));
    EXPECT_EQ(ExcellentLines(QStringLiteral("ar"), 4 | 32),
              QStringLiteral("Reflect Damage +5%\n\rIncrease Max HP +4%\n\r"));
}

TEST(ItemInfoTest, OptionLineShowsTheRealValueOfEveryStep) {
    ItemRecord::Fields f;
    for (int step = 0; step < 8; ++step) {
        f.optionStep = step;
        f.uniqueBit = false;
        EXPECT_EQ(OptionText(QStringLiteral("Kukri"), f), QStringLiteral(" +%1").arg(4 * step));
        EXPECT_EQ(OptionText(QStringLiteral("Small Shield"), f), QStringLiteral(" +%1").arg(5 * step));
        f.uniqueBit = true;
        EXPECT_EQ(OptionText(QStringLiteral("Fairy Wings"), f),
                  QStringLiteral("Automatic HP recovery +%1%").arg(step));
        EXPECT_EQ(OptionText(QStringLiteral("Ring of Frost"), f),
                  QStringLiteral("Automatic HP recovery +%1%").arg(step));
        EXPECT_EQ(OptionText(QStringLiteral("Dark Wings"), f),
                  QStringLiteral("Additional wizardry dmg +%1").arg(4 * step));
        EXPECT_EQ(OptionText(QStringLiteral("Butterfly Wings"), f),
                  QStringLiteral("Additional dmg +%1").arg(4 * step));
        EXPECT_EQ(OptionText(QStringLiteral("Small Shield"), f), QStringLiteral(" +%1").arg(4 * step));
    }
}

TEST(ItemInfoTest, UnknownAndEmptyRecordsByWording) {
    const QString unknown = QStringLiteral("EE8A1E00000065010600");
    // 10-byte inventory: "miss" and no values, but serial and ancient.
    const QStringList miss = linesOf(Text(unknown, Width::Narrow, {}, Wording::Inventory));
    EXPECT_EQ(miss[0], QStringLiteral("Name: miss "));
    EXPECT_EQ(miss[1], QStringLiteral("Level: "));
    EXPECT_EQ(miss[2], QString());
    EXPECT_EQ(miss[3], QStringLiteral("Serial: 00000065"));
    EXPECT_EQ(miss[4], QStringLiteral("Option: "));
    EXPECT_EQ(miss[5], QStringLiteral("Skill: "));
    EXPECT_EQ(miss[6], QStringLiteral("Luck: "));
    EXPECT_EQ(miss[9], QStringLiteral("Ancient: +5 Stamina (No Opt)"));

    // The warehouse names it "Blanck Slot" and still reads the values.
    const QStringList slot = linesOf(Text(unknown, Width::Narrow, {}, Wording::Warehouse));
    EXPECT_EQ(slot[0], QStringLiteral("Name: Blanck Slot "));
    EXPECT_EQ(slot[1], QStringLiteral("Level: +1"));
    EXPECT_EQ(slot[2], QStringLiteral("Durability: 30"));
    EXPECT_EQ(slot[5], QStringLiteral("Skill:  +Skill"));
    EXPECT_EQ(slot[6], QStringLiteral("Luck: (No Luck)"));
    EXPECT_EQ(slot[8], QStringLiteral("(No Excellent)"));
    EXPECT_EQ(slot[9], QStringLiteral("Ancient: + 5 Stamina (No opt)"));

    // 16-byte inventory: "Blanck", values read.
    const QString wide = unknown + QString(12, QLatin1Char('0'));
    EXPECT_EQ(linesOf(Text(wide, Width::Wide, {}, Wording::Inventory))[0], QStringLiteral("Name: Blanck "));
    EXPECT_EQ(linesOf(Text(wide, Width::Wide, {}, Wording::Inventory))[1], QStringLiteral("Level: +1"));

    // The empty record: nothing but the labels and its hex.
    const QString empty = ItemRecord::EmptyRecord(Width::Narrow);
    EXPECT_EQ(Text(empty, Width::Narrow, row("ignored", "we"), Wording::Inventory),
              QStringLiteral("Name:  \n\rLevel: \n\r\n\rSerial: \n\rOption: \n\rSkill: \n\rLuck: \n\r"
                             "Excellent Option:\n\r\n\rAncient: \n\rHex: FFFFFFFFFFFFFFFFFFFF"));
}

TEST(ItemInfoTest, AncientNames) {
    EXPECT_EQ(AncientName(QLatin1Char('0'), Wording::Inventory), QStringLiteral("(No Ancient)"));
    EXPECT_EQ(AncientName(QLatin1Char('5'), Wording::Inventory), QStringLiteral("+5 Stamina"));
    EXPECT_EQ(AncientName(QLatin1Char('9'), Wording::Inventory), QStringLiteral("+10 Stamina"));
    EXPECT_EQ(AncientName(QLatin1Char('A'), Wording::Inventory), QStringLiteral("+10 Stamina (No Opt)"));
    EXPECT_EQ(AncientName(QLatin1Char('9'), Wording::Warehouse), QStringLiteral("+ 10 Stamina"));
    EXPECT_EQ(AncientName(QLatin1Char('A'), Wording::Warehouse), QStringLiteral("+ 10 Stamina (No opt)"));
    EXPECT_EQ(AncientName(QLatin1Char('7'), Wording::Warehouse), QStringLiteral("7"));
}
