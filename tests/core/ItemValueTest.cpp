#include "items/ItemValue.h"
#include "platform/TanorError.h"

#include <gtest/gtest.h>

#include <random>

using ItemRecord::Width;

namespace {

Catalogue::CatalogueItem entry(const char* id, int unique, const char* code32 = "00") {
    Catalogue::CatalogueItem e;
    e.found = true;
    e.id = QLatin1String(id);
    e.unique = unique;
    e.code32 = QLatin1String(code32);
    return e;
}

} // namespace

TEST(ItemValueTest, TakesOnlyWholeRecordsOfItsWidth) {
    struct Case {
        const char* text;
        Width width;
        bool taken;
    };
    const Case cases[] = {
        {"0123456789abcdefABCD", Width::Narrow, true},
        {"0123456789ABCDEF0123456789ABCDEF", Width::Wide, true},
        {"0123456789ABCDEF0123", Width::Wide, false},
        {"0123456789ABCDEF012", Width::Narrow, false},
        {"0123456789ABCDEF012G", Width::Narrow, false},
        {"0123456789ABCDEF01 3", Width::Narrow, false},
        {"", Width::Narrow, false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        const auto value = ItemValue::FromText(text, c.width);
        EXPECT_EQ(value.has_value(), c.taken) << c.text;
        if (value) {
            EXPECT_EQ(value->Text(), text.toUpper()) << c.text;
            EXPECT_EQ(value->Bytes().size(), ItemRecord::Bytes(c.width));
        }
    }
    EXPECT_TRUE(ItemValue::Empty(Width::Wide).IsEmpty());
    EXPECT_EQ(ItemValue::Empty(Width::Narrow).Text(), ItemRecord::EmptyRecord(Width::Narrow));
    EXPECT_FALSE(ItemValue(Width::Narrow).IsEmpty());
    EXPECT_EQ(ItemValue(Width::Wide).Text(), ItemRecord::ZeroRecord(Width::Wide));
}

// Every step of the value writes what the record codec writes and nothing
// else, on records of any content in both widths.
TEST(ItemValueTest, StepsWriteWhatTheRecordCodecWrites) {
    std::mt19937 rng(20261210);
    for (const Width w : {Width::Narrow, Width::Wide}) {
        for (int round = 0; round < 200; ++round) {
            QString text;
            for (int i = 0; i < ItemRecord::Length(w); ++i)
                text += QLatin1Char("0123456789ABCDEF"[rng() % 16]);
            ItemValue value = *ItemValue::FromText(text, w);
            const int unique = w == Width::Narrow ? int(rng() % 2) * 8 : int(rng() % 16);
            const Catalogue::CatalogueItem e = entry("A7", unique, "3C");
            const bool skill = rng() % 2, luck = rng() % 2;
            const int level = int(rng() % 16), step = int(rng() % 8), sum = int(rng() % 64);
            const int durability = int(rng() % 256), ancient = int(rng() % 5);

            value.SetEntry(e);
            value.SetDurability(durability);
            value.SetOptions(skill, level, luck, step, sum);
            value.SetAncient(ancient);

            QString expected = ItemRecord::WithItemByte(text, e.id);
            if (w == Width::Narrow)
                expected = ItemRecord::WithCode32(expected, e.code32);
            expected = ItemRecord::WithDurability(expected, durability);
            expected = ItemRecord::WithOptionByte(expected, skill, level, luck, step);
            if (w == Width::Wide)
                expected = ItemRecord::WithTypeNibble(expected, unique);
            expected = ItemRecord::WithExcellentByte(expected, w == Width::Wide ? 0 : unique, step, sum);
            expected = ItemRecord::WithAncient(expected, ancient);
            ASSERT_EQ(value.Text(), expected) << text.toStdString();
            EXPECT_EQ(value.Entry().unique, unique);

            const ItemRecord::Fields f = value.Fields();
            EXPECT_EQ(f.level, level);
            EXPECT_EQ(f.durability, durability);
            EXPECT_EQ(f.optionStep, step);
            EXPECT_EQ(f.excellentBits, sum);
        }
    }
}

TEST(ItemValueTest, RefusedStepsKeepTheValue) {
    ItemValue value(Width::Narrow);
    value.SetEntry(entry("0C", 8));
    const ItemValue before = value;
    // An ID that is not a byte, a durability past a byte, a serial of the
    // wrong length: refused, and the value keeps bytes and entry.
    EXPECT_THROW(value.SetEntry(entry("G1", 0)), ConvertError);
    EXPECT_THROW(value.SetDurability(256), ConvertError);
    EXPECT_THROW(value.SetSerial(QStringLiteral("12345")), ConvertError);
    EXPECT_EQ(value, before);
    EXPECT_EQ(value.Entry().id, QStringLiteral("0C"));
    EXPECT_EQ(value.Entry().unique, 8);

    // The serial goes by the F9 marker: 6 digits after it, 8 otherwise.
    ItemValue marked = *ItemValue::FromText(QStringLiteral("0000FFF9000000000000"), Width::Narrow);
    ASSERT_TRUE(marked.HasSerialMarker());
    marked.SetSerial(QStringLiteral("ABCDEF"));
    EXPECT_EQ(marked.Text(), QStringLiteral("0000FFF9ABCDEF000000"));
    EXPECT_FALSE(ItemValue(Width::Narrow).HasSerialMarker());
}
