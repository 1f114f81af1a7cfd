#include "WipeServer.h"

#include "containers/WipeChoice.h"
#include "containers/WipeMatch.h"
#include "core/UtilitiesUnit.h"
#include "items/ItemRecord.h"
#include "platform/TanorError.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A free position of records `recordBytes` long.
QString EmptyRecord(int recordBytes) {
    return ItemRecord::EmptyRecord(ItemRecord::WidthForBytes(recordBytes));
}
using WipeServer::Column;
const auto record = WipeServer::Record;

QString text(const QByteArray& bytes) {
    return BytesToHex(bytes);
}

// The item type a record stands for, decoded from its bytes: narrow records
// keep the item code (item byte plus the unique bit as its ninth bit), wide
// records the type nibble.
int decodedType(const QByteArray& r) {
    const auto byte = [&](int i) { return int(quint8(r[i])); };
    if (r.size() == 10)
        return (byte(0) + ((byte(7) & 0x80) ? 256 : 0)) / 32;
    return byte(9) >> 4;
}

struct RandomRecords {
    std::mt19937 rng{20240611};
    QByteArray next(int width) {
        QByteArray r(width, '\0');
        for (char& c : r)
            c = char(rng() & 0xFF);
        return r;
    }
    int below(int n) { return int(rng() % unsigned(n)); }
};

// Changes every field that must never decide a match: skill, level, luck and
// option (byte 1), durability (byte 2), serial (bytes 3-6; in narrow records
// byte 3 is also the F9 marker of the item's key, so it stays on its side of
// F9), option +16 (bit 6 of byte 7) and the kept nibble of byte 8.
QByteArray scrambleIrrelevant(QByteArray r, RandomRecords& random) {
    r[1] = char(random.below(256));
    r[2] = char(random.below(256));
    const bool f9 = quint8(r[3]) == 0xF9;
    int b3 = random.below(256);
    if (r.size() == 10)
        b3 = f9 ? 0xF9 : (b3 == 0xF9 ? 0x12 : b3);
    r[3] = char(b3);
    for (int i = 4; i <= 6; ++i)
        r[i] = char(random.below(256));
    r[7] = char((quint8(r[7]) & ~0x40) | (random.below(2) * 0x40));
    r[8] = char((quint8(r[8]) & 0x0F) | (random.below(16) << 4));
    return r;
}

const char kAncients[] = {'0', '5', '9', '6', 'A'};

} // namespace

// ---------------------------------------------------------------- column pieces

TEST(ContainerColumnTest, WidthsEmptyRecordsAndLiterals) {
    using ItemRecord::Width;
    EXPECT_EQ(ItemRecord::Bytes(ItemRecord::WidthForVersion(0)), 10);
    EXPECT_EQ(ItemRecord::Bytes(ItemRecord::WidthForVersion(1)), 16);
    EXPECT_EQ(ItemRecord::Bytes(ItemRecord::WidthForVersion(-3)), 16);
    EXPECT_EQ(EmptyRecord(10), QStringLiteral("FFFFFFFFFFFFFFFFFFFF"));
    EXPECT_EQ(EmptyRecord(16), QStringLiteral("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
    const QString column = ItemRecord::EmptyColumnLiteral(120, Width::Wide);
    EXPECT_EQ(column.size(), 2 + 120 * 32);
    EXPECT_TRUE(column.startsWith(QStringLiteral("0xFFFF")));
    EXPECT_EQ(column.count(QLatin1Char('F')), 120 * 32);

    const QString text = QStringLiteral("00112233445566778899AABBCCDDEEFF001122");
    EXPECT_EQ(ItemRecord::RecordAt(text, 1, Width::Narrow), QStringLiteral("00112233445566778899"));
    EXPECT_EQ(ItemRecord::RecordAt(text, 2, Width::Narrow), QStringLiteral("AABBCCDDEEFF001122"));
    EXPECT_TRUE(ItemRecord::RecordAt(text, 3, Width::Narrow).isEmpty());
    EXPECT_EQ(ItemRecord::LiteralOf(text), QStringLiteral("0x") + text);
}

// ---------------------------------------------------------------- general match

TEST(GWipeTest, NarrowTypesFollowTheItemCode) {
    // Type 10 "Gloves": ids 64-95 with the unique bit (character 15 from "8").
    const GWipe gloves(10, 10);
    EXPECT_TRUE(gloves(text(record(10, {{0, 64}, {7, 0x80}}))));
    EXPECT_TRUE(gloves(text(record(10, {{0, 95}, {7, 0xFF}}))));
    EXPECT_FALSE(gloves(text(record(10, {{0, 96}, {7, 0x80}}))));
    EXPECT_FALSE(gloves(text(record(10, {{0, 64}, {7, 0x7F}})))); // type 2, not high
    // Type 0 takes ids 0-31 of records that are not high; type 9 ids 32-63 of high ones.
    EXPECT_TRUE(GWipe(10, 0)(text(record(10, {{0, 31}, {7, 0x3F}}))));
    EXPECT_FALSE(GWipe(10, 0)(text(record(10, {{0, 31}, {7, 0x80}}))));
    EXPECT_TRUE(GWipe(10, 9)(text(record(10, {{0, 32}, {7, 0xC0}}))));
    // Character 19 means nothing in a narrow record.
    EXPECT_TRUE(GWipe(10, 1)(text(record(10, {{0, 40}, {9, 0x00}}))));
    EXPECT_TRUE(GWipe(10, 1)(text(record(10, {{0, 40}, {9, 0xF0}}))));
}

TEST(GWipeTest, WideTypesFollowCharacter19) {
    EXPECT_TRUE(GWipe(16, 15)(text(record(16, {{9, 0xF0}}))));
    EXPECT_TRUE(GWipe(16, 15)(text(record(16, {{0, 3}, {9, 0xF7}}))));
    EXPECT_FALSE(GWipe(16, 15)(text(record(16, {{9, 0xE0}}))));
    EXPECT_TRUE(GWipe(16, 10)(text(record(16, {{9, 0xA0}}))));
    // The item byte and the unique bit mean nothing in a wide record.
    EXPECT_FALSE(GWipe(16, 10)(text(record(16, {{0, 64}, {7, 0x80}}))));
    // A type outside the list matches nothing.
    EXPECT_FALSE(GWipe(16, -1)(text(record(16, {}))));
    EXPECT_FALSE(GWipe(10, 16)(text(record(10, {}))));
}

TEST(GWipeTest, RandomRecordsMatchExactlyTheirDecodedTypeWhateverTheirOtherFields) {
    RandomRecords random;
    for (int width : {10, 16}) {
        for (int i = 0; i < 4000; ++i) {
            const QByteArray r = random.next(width);
            if (text(r) == EmptyRecord(width))
                continue;
            const int t = random.below(16);
            const GWipe match(width, t);
            const bool expected = decodedType(r) == t;
            ASSERT_EQ(match(text(r)), expected) << width << " " << t << " " << text(r).toStdString();
            ASSERT_EQ(match(text(scrambleIrrelevant(r, random))), expected) << text(r).toStdString();
            // Its own type always takes it.
            ASSERT_TRUE(GWipe(width, decodedType(r))(text(r)));
        }
    }
}

// ---------------------------------------------------------------- specific match

TEST(SWipeTest, AnyItemWithoutOptionsTakesEveryPlainItem) {
    for (int width : {10, 16}) {
        const SWipe plain(width, true, {}, 0, u'0');
        // Option +16 and the unique bit are ignored; excellent options or an ancient option are not.
        for (int top : {0x00, 0x40, 0x80, 0xC0})
            EXPECT_TRUE(plain(text(record(width, {{0, 0x11}, {7, top}, {9, 0x70}}))));
        EXPECT_FALSE(plain(text(record(width, {{7, 0x01}}))));
        EXPECT_FALSE(plain(text(record(width, {{7, 0x60}}))));
        EXPECT_FALSE(plain(text(record(width, {{8, 0x05}}))));
        // The kept high nibble of byte 8 is not the ancient option.
        EXPECT_TRUE(plain(text(record(width, {{8, 0x30}}))));
    }
}

TEST(SWipeTest, ExactlyTheCheckedOptionsAndTheAncientOption) {
    // Options 1 and 4 (E = 9) with "+10" (A = "9").
    const SWipe match(10, true, {}, 9, u'9');
    EXPECT_TRUE(match(text(record(10, {{7, 0x09}, {8, 0x09}}))));
    EXPECT_TRUE(match(text(record(10, {{7, 0xC9}, {8, 0x09}}))));
    EXPECT_FALSE(match(text(record(10, {{7, 0x0B}, {8, 0x09}})))); // a third option as well
    EXPECT_FALSE(match(text(record(10, {{7, 0x08}, {8, 0x09}})))); // only one of the two
    EXPECT_FALSE(match(text(record(10, {{7, 0x09}, {8, 0x0A}})))); // "+10 (No opt)"
}

TEST(SWipeTest, ChosenWideItemComparesID2TypeDigitAndTheUniqueBit) {
    const ChosenItem item{QStringLiteral("0C"), QStringLiteral("1A"), 0, QStringLiteral("10"),
                          QStringLiteral("00")};
    const SWipe match(16, false, item, 32, u'6');
    EXPECT_TRUE(match(text(record(16, {{0, 0x1A}, {7, 0x20}, {8, 0x06}, {9, 0xA0}}))));
    EXPECT_TRUE(match(text(record(16, {{0, 0x1A}, {7, 0x60}, {8, 0x06}, {9, 0xAF}}))));
    // The unique bit set by another program makes it another item for this match.
    EXPECT_FALSE(match(text(record(16, {{0, 0x1A}, {7, 0xA0}, {8, 0x06}, {9, 0xA0}}))));
    EXPECT_FALSE(match(text(record(16, {{0, 0x1A}, {7, 0x20}, {8, 0x06}, {9, 0xB0}}))));
    EXPECT_FALSE(match(text(record(16, {{0, 0x0C}, {7, 0x20}, {8, 0x06}, {9, 0xA0}})))); // narrow ID
    // Unique2 "0" is written "0", not "00".
    const SWipe zero(16, false, {{}, QStringLiteral("01"), 0, QStringLiteral("0"), {}}, 0, u'0');
    EXPECT_TRUE(zero(text(record(16, {{0, 0x01}}))));
}

TEST(SWipeTest, AWideItemWithoutANumericUnique2FailsOnlyWhenItsID2IsMet) {
    const SWipe match(16, false, {{}, QStringLiteral("1A"), 0, QStringLiteral("x"), {}}, 0, u'0');
    EXPECT_FALSE(match(text(record(16, {{0, 0x1B}}))));
    try {
        (void)match(text(record(16, {{0, 0x1A}})));
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("'x' is not a valid integer value"));
    }
}

TEST(SWipeTest, ChosenNarrowItemComparesIDUniqueAndTheF9Marker) {
    // A unique item (code 256 + 0x21) whose key carries F9.
    const ChosenItem f9{QStringLiteral("21"), QStringLiteral("05"), 8, QStringLiteral("9"),
                        QStringLiteral("F9")};
    const SWipe match(10, false, f9, 3, u'5');
    EXPECT_TRUE(match(text(record(10, {{0, 0x21}, {3, 0xF9}, {7, 0x83}, {8, 0x05}}))));
    EXPECT_TRUE(match(text(record(10, {{0, 0x21}, {3, 0xF9}, {7, 0xC3}, {8, 0x05}}))));
    EXPECT_FALSE(match(text(record(10, {{0, 0x21}, {3, 0x12}, {7, 0x83}, {8, 0x05}})))); // no marker
    EXPECT_FALSE(match(text(record(10, {{0, 0x21}, {3, 0xF9}, {7, 0x03}, {8, 0x05}})))); // not unique
    EXPECT_FALSE(match(text(record(10, {{0, 0x21}, {3, 0xF9}, {7, 0x87}, {8, 0x05}})))); // third option

    // A plain item: any serial that does not start with F9 reads as "00".
    const ChosenItem plainItem{QStringLiteral("07"), {}, 0, {}, QStringLiteral("00")};
    const SWipe plain(10, false, plainItem, 0, u'0');
    EXPECT_TRUE(plain(text(record(10, {{0, 0x07}, {3, 0xAB}, {4, 0xCD}}))));
    EXPECT_FALSE(plain(text(record(10, {{0, 0x07}, {3, 0xF9}}))));
    // A catalogue Code32 other than "00" or "F9" can never be met.
    const SWipe odd(10, false, {QStringLiteral("07"), {}, 0, {}, QStringLiteral("12")}, 0, u'0');
    EXPECT_FALSE(odd(text(record(10, {{0, 0x07}, {3, 0x12}}))));
}

TEST(SWipeTest, RandomRecordsMatchTheDecodedOptionsWhateverTheirOtherFields) {
    RandomRecords random;
    for (int width : {10, 16}) {
        for (int i = 0; i < 6000; ++i) {
            QByteArray r = random.next(width);
            // Keep the ancient nibble among the real options often enough to meet matches.
            const int ancientIndex = random.below(5);
            const char ancient = kAncients[ancientIndex];
            if (random.below(2))
                r[8] = char((quint8(r[8]) & 0xF0) | HexToInt(QString(QLatin1Char(ancient))));
            const int excellent = random.below(2) ? (quint8(r[7]) & 0x3F) : random.below(64);
            const auto byte = [&](int k) { return int(quint8(r[k])); };
            const bool ancientOk = (byte(8) & 0x0F) == HexToInt(QString(QLatin1Char(ancient)));

            // Any item: exactly these options, whatever the two top bits.
            const SWipe any(width, true, {}, excellent, QLatin1Char(ancient));
            const bool anyExpected = ancientOk && (byte(7) & 0x3F) == excellent;
            ASSERT_EQ(any(text(r)), anyExpected) << text(r).toStdString();
            ASSERT_EQ(any(text(scrambleIrrelevant(r, random))), anyExpected);

            // The record's own item, or now and then another one.
            ChosenItem item;
            const bool sameItem = random.below(4) != 0;
            const int id = sameItem ? byte(0) : (byte(0) + 1) % 256;
            bool expected = false;
            if (width == 10) {
                const bool unique = byte(7) & 0x80;
                const bool f9 = byte(3) == 0xF9;
                item = {Hex2(id), {}, unique ? 8 : 0, {}, f9 ? QStringLiteral("F9") : QStringLiteral("00")};
                expected = sameItem && ancientOk && (byte(7) & 0x3F) == excellent;
            } else {
                item = {{}, Hex2(id), 0, QString::number(byte(9) >> 4), {}};
                expected = sameItem && ancientOk && (byte(7) & 0xBF) == excellent;
            }
            const SWipe chosen(width, false, item, excellent, QLatin1Char(ancient));
            ASSERT_EQ(chosen(text(r)), expected) << width << " " << text(r).toStdString();
            ASSERT_EQ(chosen(text(scrambleIrrelevant(r, random))), expected) << text(r).toStdString();
        }
    }
}

// ---------------------------------------------------------------- rows

namespace {

QByteArray written(const RowRewrite& row) {
    return HexToBytes(row.literal.mid(2));
}

} // namespace

TEST(RewriteRowTest, ErasesMatchesInPlaceAndKeepsEverythingElse) {
    for (int width : {10, 16}) {
        const QByteArray keep = record(width, {{0, 0x55}, {1, 0x7F}, {9, 0x20}});
        const QByteArray drop = record(width, {{0, 0x66}, {2, 0x11}});
        const QByteArray before = Column(width, 108, {{0, keep}, {5, drop}, {107, drop}, {50, keep}});
        const auto match = [&](QStringView r) { return r.startsWith(QLatin1String("66")); };
        const RowRewrite row = RewriteRow(before, width, 108, match);
        EXPECT_FALSE(row.malformed);
        EXPECT_TRUE(row.changed);
        EXPECT_EQ(row.erased, 2);
        EXPECT_TRUE(row.literal.startsWith(QStringLiteral("0x")));
        EXPECT_EQ(written(row), Column(width, 108, {{0, keep}, {50, keep}}));

        const RowRewrite again = RewriteRow(written(row), width, 108, match);
        EXPECT_FALSE(again.changed);
        EXPECT_EQ(again.erased, 0);
        EXPECT_TRUE(again.literal.isEmpty());
    }
}

TEST(RewriteRowTest, TheEmptyRecordIsNeverOffered) {
    int offered = 0;
    const auto everything = [&](QStringView) {
        ++offered;
        return true;
    };
    const RowRewrite row = RewriteRow(Column(16, 120, {}), 16, 120, everything);
    EXPECT_EQ(offered, 0);
    EXPECT_FALSE(row.changed);
    // A partly "F" record is an item.
    QByteArray almost(10, char(0xFF));
    almost[9] = char(0xFE);
    const RowRewrite one = RewriteRow(Column(10, 108, {{3, almost}}), 10, 108, everything);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(one.erased, 1);
}

TEST(RewriteRowTest, ColumnsOfOtherLengths) {
    const auto everything = [](QStringView) { return true; };
    const QByteArray item = record(10, {{0, 1}});

    // Exactly the container in the other width: the Version setting does not
    // fit the server, so the column is left alone (1920 bytes would otherwise
    // pass as 192 narrow records).
    const struct {
        int stored, read, records;
    } others[] = {{16, 10, 108}, {16, 10, 120}, {10, 16, 108}, {10, 16, 120}};
    for (const auto& o : others) {
        const RowRewrite other = RewriteRow(Column(o.stored, o.records, {{0, record(o.stored, {})}}), o.read,
                                            o.records, everything);
        EXPECT_TRUE(other.wrongWidth) << o.stored << " read as " << o.read << ", " << o.records;
        EXPECT_FALSE(other.changed);
    }

    // Not a whole number of records: left alone.
    QByteArray tornColumn = Column(10, 108, {{0, item}});
    tornColumn.append(char(0));
    const RowRewrite torn = RewriteRow(tornColumn, 10, 108, everything);
    EXPECT_FALSE(torn.wrongWidth);
    EXPECT_TRUE(torn.malformed);
    EXPECT_FALSE(torn.changed);
    EXPECT_EQ(torn.erased, 0);
    EXPECT_TRUE(torn.literal.isEmpty());

    // NULL or empty: nothing to do.
    const RowRewrite none = RewriteRow(QByteArray(), 10, 108, everything);
    EXPECT_FALSE(none.malformed);
    EXPECT_FALSE(none.changed);

    // More records than the container holds: the surplus is kept as stored.
    const QByteArray longer = Column(10, 125, {{0, item}, {119, item}, {120, item}, {124, item}});
    const RowRewrite cut = RewriteRow(longer, 10, 120, everything);
    EXPECT_EQ(cut.erased, 2);
    EXPECT_EQ(written(cut), Column(10, 125, {{120, item}, {124, item}}));

    // Fewer, but whole: matched as they are, nothing invented.
    const RowRewrite shorter = RewriteRow(Column(10, 7, {{6, item}}), 10, 108, everything);
    EXPECT_EQ(shorter.erased, 1);
    EXPECT_EQ(written(shorter), Column(10, 7, {}));
}

TEST(RewriteRowTest, AMatcherFailureLeavesTheRowToTheCaller) {
    const SWipe broken(16, false, {{}, QStringLiteral("1A"), 0, QString(), {}}, 0, u'0');
    const QByteArray c = Column(16, 120, {{2, record(16, {{0, 0x1A}})}});
    EXPECT_THROW((void)RewriteRow(c, 16, 120, broken), ConvertError);
}

namespace {

TEST(WipeChoiceTest, TypedOptionsReadAsTheWindowsChecksAndRadios) {
    EXPECT_EQ(WipeChoice::ExcellentOf(QStringLiteral("1,4")), 9);
    EXPECT_EQ(WipeChoice::ExcellentOf(QStringLiteral("6")), 32);
    EXPECT_EQ(WipeChoice::ExcellentOf(QString()), 0);
    for (const char* bad : {"0", "7", "1,1", "x", "2,,9"})
        EXPECT_THROW((void)WipeChoice::ExcellentOf(QLatin1String(bad)), ConvertError) << bad;
    const std::pair<const char*, char16_t> ancient[] = {
        {"none", u'0'}, {"+5", u'5'}, {"+10", u'9'}, {"+5-noopt", u'6'}, {"+10-NOOPT", u'A'}};
    for (const auto& [name, character] : ancient)
        EXPECT_EQ(WipeChoice::AncientOf(QLatin1String(name)), QChar(character)) << name;
    EXPECT_THROW((void)WipeChoice::AncientOf(QStringLiteral("+15")), ConvertError);
    EXPECT_EQ(WipeChoice::General(QStringLiteral("15")).type, 15);
    for (const char* bad : {"-1", "16", "3x"})
        EXPECT_THROW((void)WipeChoice::General(QLatin1String(bad)), ConvertError) << bad;
}

TEST(WipeChoiceTest, SeveralChoicesEraseWhatAnyOfThemTakes) {
    WipeChoice::Choice spears = WipeChoice::General(QStringLiteral("3"));
    WipeChoice::Choice exc; // any item with options 1 and 4 and "+10"
    exc.item = WipeChoice::AnyItem();
    exc.excellent = 9;
    exc.ancient = u'9';
    const RecordMatch match = WipeChoice::MatchOf({spears, exc})(10);
    const QString spear = text(record(10, {{0, 0x61}, {1, 0x6F}, {7, 0x47}, {8, 0x05}}));
    const QString excellent = text(record(10, {{0, 0x02}, {7, 0x09}, {8, 0x09}}));
    const QString sword = text(record(10, {{0, 0x02}, {1, 0x08}, {7, 0x02}}));
    EXPECT_TRUE(GWipe(10, 3)(spear));
    EXPECT_TRUE(match(spear));
    EXPECT_TRUE(match(excellent));
    EXPECT_FALSE(match(sword));
    EXPECT_FALSE(WipeChoice::MatchOf({spears})(10)(excellent));
}

} // namespace
