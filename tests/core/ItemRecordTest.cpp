#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemContainer.h"
#include "items/ItemRecord.h"
#include "platform/TanorError.h"

#include <random>

using namespace ItemRecord;

namespace {

QString randomRecord(std::mt19937& rng, Width w) {
    static const char digits[] = "0123456789ABCDEF";
    QString r;
    for (int i = 0; i < Length(w); ++i)
        r += QLatin1Char(digits[rng() % 16]);
    return r;
}

// Characters (from 1) at which two records differ.
QList<int> differences(const QString& a, const QString& b) {
    QList<int> out;
    for (int i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            out.append(i + 1);
    return out;
}

} // namespace

TEST(ItemRecordTest, WidthFollowsTheVersionSetting) {
    TestEnvironment env;
    EXPECT_EQ(CurrentWidth(), Width::Narrow); // no setting
    WriteSetting(QStringLiteral("Version"), QStringLiteral("Version"), QStringLiteral("1"));
    EXPECT_EQ(CurrentWidth(), Width::Wide);
    WriteSetting(QStringLiteral("Version"), QStringLiteral("Version"), QStringLiteral("7"));
    EXPECT_EQ(CurrentWidth(), Width::Wide);
    WriteSetting(QStringLiteral("Version"), QStringLiteral("Version"), QStringLiteral("0"));
    EXPECT_EQ(CurrentWidth(), Width::Narrow);
}

TEST(ItemRecordTest, EmptyRecordIsExactlyAllF) {
    EXPECT_EQ(EmptyRecord(Width::Narrow), QStringLiteral("FFFFFFFFFFFFFFFFFFFF"));
    EXPECT_EQ(EmptyRecord(Width::Wide), QString(32, QLatin1Char('F')));
    EXPECT_TRUE(IsEmpty(QStringLiteral("FFFFFFFFFFFFFFFFFFFF"), Width::Narrow));
    EXPECT_FALSE(IsEmpty(QStringLiteral("FFFFFFFFFFFFFFFFFFFF"), Width::Wide));
    EXPECT_FALSE(IsEmpty(QStringLiteral("FFFFFFFFFF"), Width::Narrow));
    EXPECT_FALSE(IsEmpty(QStringLiteral("FFFFFFFFFFFFFFFFFFFE"), Width::Narrow));
    EXPECT_FALSE(IsEmpty(QString(), Width::Narrow));
    EXPECT_EQ(ZeroRecord(Width::Wide), QString(32, QLatin1Char('0')));
}

TEST(ItemRecordTest, ColumnsSplitIntoRecordsAndJoinBackIntoALiteral) {
    const QString a = QStringLiteral("0123456789ABCDEF0123");
    const QString b = QStringLiteral("FFFFFFFFFFFFFFFFFFFF");
    // A short column leaves a short piece and empty pieces.
    const QStringList pieces = SplitColumn(a + b + QStringLiteral("ABCD"), 5, Width::Narrow);
    ASSERT_EQ(pieces.size(), 5);
    EXPECT_EQ(pieces[0], a);
    EXPECT_EQ(pieces[1], b);
    EXPECT_EQ(pieces[2], QStringLiteral("ABCD"));
    EXPECT_EQ(pieces[3], QString());
    EXPECT_EQ(pieces[4], QString());
    // Empty and short pieces are written as the empty record.
    EXPECT_EQ(ColumnLiteral(pieces, Width::Narrow), QStringLiteral("0x") + a + b + b + b + b);

    // A 16-byte column read with 20-character records is misread.
    const QString wide = QStringLiteral("0A1B2C3D4E5F60718293A4B5C6D7E8F9");
    EXPECT_EQ(SplitColumn(wide, 2, Width::Narrow)[0], wide.left(20));
    EXPECT_EQ(SplitColumn(wide, 1, Width::Wide)[0], wide);

    // The inventory literal: 108 records of 20 characters.
    ItemContainer inventory(108, Width::Narrow);
    inventory.Load(a);
    EXPECT_EQ(inventory.Record(1), a);
    EXPECT_EQ(inventory.Record(2), b); // positions a short column lacks are free
    EXPECT_EQ(inventory.Literal().size(), 2 + 2160);
    inventory.SetRecord(77, a);
    EXPECT_EQ(inventory.Literal().mid(2 + 76 * 20, 20), a);
    inventory.Clear();
    EXPECT_EQ(inventory.Literal(), QStringLiteral("0x") + b.repeated(108));
    EXPECT_THROW(inventory.SetRecord(109, a), TanorError);
    EXPECT_THROW((void)inventory.Record(0), TanorError);
}

TEST(ItemRecordTest, IdentityByWidth) {
    // 10-byte: ID chars 1–2, Unique by character 15, Code32 chars 7–8.
    const Identity narrow = IdentityOf(QStringLiteral("1A00FF00123456A00000"), Width::Narrow);
    EXPECT_EQ(narrow.id, QStringLiteral("1A"));
    EXPECT_EQ(narrow.unique, QStringLiteral("8"));
    EXPECT_EQ(narrow.code32, QStringLiteral("00"));
    EXPECT_EQ(IdentityOf(QStringLiteral("1A00FF00123456787F00"), Width::Narrow).unique, QStringLiteral("0"));
    // Any character other than "0"–"7" sets the unique bit.
    EXPECT_EQ(UniqueKey(QStringLiteral("00000000000000a00000")), QStringLiteral("8"));

    // 16-byte: ID2 and Unique2 from character 19 as a hexadecimal digit.
    QString wide = ZeroRecord(Width::Wide);
    wide[18] = QLatin1Char('A');
    EXPECT_EQ(IdentityOf(wide, Width::Wide).unique, QStringLiteral("10"));
    wide[18] = QLatin1Char('a');
    EXPECT_EQ(IdentityOf(wide, Width::Wide).unique, QStringLiteral("0"));
    wide[18] = QLatin1Char('F');
    EXPECT_EQ(Unique2Key(wide), QStringLiteral("15"));
}

TEST(ItemRecordTest, ExcellentAndSetFlagsByWidth) {
    auto withByte7 = [](Width w, const char* byte7, QChar ancient = QLatin1Char('0')) {
        QString r = ZeroRecord(w);
        r.replace(14, 2, QLatin1String(byte7));
        r[17] = ancient;
        return r;
    };
    for (const char* plain : {"00", "40", "80", "C0"})
        EXPECT_FALSE(IsExcellent(withByte7(Width::Narrow, plain), Width::Narrow)) << plain;
    EXPECT_TRUE(IsExcellent(withByte7(Width::Narrow, "81"), Width::Narrow));
    EXPECT_TRUE(IsExcellent(withByte7(Width::Narrow, "01"), Width::Narrow));
    // A unique bit set by another program counts as excellent in 16-byte records only.
    EXPECT_TRUE(IsExcellent(withByte7(Width::Wide, "80"), Width::Wide));
    EXPECT_TRUE(IsExcellent(withByte7(Width::Wide, "C0"), Width::Wide));
    EXPECT_FALSE(IsExcellent(withByte7(Width::Wide, "40"), Width::Wide));
    EXPECT_FALSE(IsExcellent(withByte7(Width::Wide, "00"), Width::Wide));

    for (const char c : {'5', '6', '9', 'A'})
        EXPECT_TRUE(IsSetItem(withByte7(Width::Narrow, "00", QLatin1Char(c)))) << c;
    for (const char c : {'0', '1', '4', '7', 'B', 'F', 'a'})
        EXPECT_FALSE(IsSetItem(withByte7(Width::Wide, "00", QLatin1Char(c)))) << c;
}

TEST(ItemRecordTest, OptionAndExcellentBytesOfTheExamples) {
    QString r = ZeroRecord(Width::Narrow);
    // Level 13, skill, luck, +28: 128 + 104 + 4 + 3 = 0xEF, and bit 6 of byte 7.
    r = WithOptionByte(r, true, 13, true, 7);
    r = WithExcellentByte(r, 0, 7, 0);
    EXPECT_EQ(r.mid(2, 2), QStringLiteral("EF"));
    EXPECT_EQ(r.mid(14, 2), QStringLiteral("40"));
    // +20 with level +9, skill and luck: 0xCD.
    r = WithOptionByte(r, true, 9, true, 5);
    EXPECT_EQ(r.mid(2, 2), QStringLiteral("CD"));
    // Unique 8, all six boxes and step ≥ 4: 0xFF; unique 8 alone: 0x80.
    EXPECT_EQ(WithExcellentByte(r, 8, 4, 63).mid(14, 2), QStringLiteral("FF"));
    EXPECT_EQ(WithExcellentByte(r, 8, 0, 0).mid(14, 2), QStringLiteral("80"));
    EXPECT_EQ(WithExcellentByte(r, 0, 3, 5).mid(14, 2), QStringLiteral("05"));

    const Fields f = Decode(WithExcellentByte(WithOptionByte(r, true, 9, true, 5), 8, 5, 63));
    EXPECT_TRUE(f.skill);
    EXPECT_TRUE(f.luck);
    EXPECT_EQ(f.level, 9);
    EXPECT_EQ(f.optionStep, 5);
    EXPECT_EQ(f.excellentBits, 63);
    EXPECT_TRUE(f.uniqueBit);
    EXPECT_TRUE(f.plus16);
}

TEST(ItemRecordTest, DurabilityTypeAndAncientCharacters) {
    QString r = ZeroRecord(Width::Wide);
    EXPECT_EQ(WithDurability(r, 255).mid(4, 2), QStringLiteral("FF"));
    EXPECT_EQ(WithDurability(r, 10).mid(4, 2), QStringLiteral("0A"));
    EXPECT_THROW((void)WithDurability(r, 256), ConvertError);
    EXPECT_THROW((void)WithDurability(r, -1), ConvertError);
    EXPECT_EQ(WithTypeNibble(r, 10).at(18), QLatin1Char('A'));
    const char nibbles[] = {'0', '6', '5', 'A', '9'};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(WithAncient(r, i).at(17), QLatin1Char(nibbles[i]));
    // A record never changes length: a short text is refused.
    EXPECT_THROW((void)WithAncient(QStringLiteral("0000"), 2), ConvertError);
}

TEST(ItemRecordTest, SerialsUnderAndWithoutTheF9Marker) {
    QString r = WithCode32(ZeroRecord(Width::Narrow), QStringLiteral("F9"));
    EXPECT_TRUE(HasSerialMarker(r));
    const QString drawn = DrawnSerialText(0x123, true);
    EXPECT_EQ(drawn, QStringLiteral("000123"));
    r = WithSerial(r, drawn);
    EXPECT_EQ(r.mid(6, 8), QStringLiteral("F9000123")); // the marker stays
    EXPECT_THROW((void)DrawnSerialText(0x1000000, true), ConvertError);
    EXPECT_EQ(DrawnSerialText(0x1000000, false), QStringLiteral("01000000"));
    EXPECT_THROW((void)DrawnSerialText(0x100000000LL, false), ConvertError);
    EXPECT_THROW((void)DrawnSerialText(-1, false), ConvertError);
    // The largest serial each width holds fits, and lands whole in the record.
    EXPECT_EQ(WithSerial(r, DrawnSerialText(0xFFFFFF, true)).mid(6, 8), QStringLiteral("F9FFFFFF"));
    EXPECT_EQ(WithSerial(ZeroRecord(Width::Narrow), DrawnSerialText(0xFFFFFFFFLL, false)).mid(6, 8),
              QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(DrawnSerialText(0, true), QStringLiteral("000000"));

    // Without the marker a full serial overwrites Code32.
    QString plain = WithCode32(ZeroRecord(Width::Narrow), QStringLiteral("00"));
    plain = WithSerial(plain, DrawnSerialText(0xAB000001LL, false));
    EXPECT_EQ(plain.mid(6, 8), QStringLiteral("AB000001"));
    EXPECT_EQ(IdentityOf(plain, Width::Narrow).code32, QStringLiteral("AB"));

    // Typed serials: 8 digits, lower case taken as upper; 6 or 8 under F9.
    EXPECT_EQ(TypedSerialDigits(QStringLiteral("00abcdef"), false), QStringLiteral("00ABCDEF"));
    EXPECT_EQ(TypedSerialDigits(QStringLiteral("12345678"), true), QStringLiteral("345678"));
    EXPECT_EQ(TypedSerialDigits(QStringLiteral("345678"), true), QStringLiteral("345678"));
    for (const char* bad : {"", "1234567", "123456789", "1234567G", " 1234567"})
        EXPECT_THROW((void)TypedSerialDigits(QLatin1String(bad), false), ConvertError) << bad;
    EXPECT_THROW((void)TypedSerialDigits(QStringLiteral("12345"), true), ConvertError);
    EXPECT_THROW((void)WithSerial(ZeroRecord(Width::Narrow), QStringLiteral("123456")), ConvertError);

    // A serial beginning with F9 would put the marker on an item without it
    // (another catalogue key): refused, typed or drawn; under the marker the
    // digits are the serial's own.
    for (const char* f9 : {"F9123456", "f9000000"})
        EXPECT_THROW((void)TypedSerialDigits(QLatin1String(f9), false), ConvertError) << f9;
    EXPECT_EQ(TypedSerialDigits(QStringLiteral("F9123456"), true), QStringLiteral("123456"));
    EXPECT_THROW((void)DrawnSerialText(0xF9000001LL, false), ConvertError);
    EXPECT_EQ(DrawnSerialText(0xF8FFFFFFLL, false), QStringLiteral("F8FFFFFF"));
    EXPECT_THROW((void)WithSerial(ZeroRecord(Width::Narrow), QStringLiteral("f9000001")), ConvertError);
}

TEST(ItemRecordTest, DecodeThenEncodeKeepsEveryByte) {
    std::mt19937 rng(20260101);
    for (Width w : {Width::Narrow, Width::Wide}) {
        for (int round = 0; round < 500; ++round) {
            const QString r = randomRecord(rng, w);
            const Fields f = Decode(r);
            QString t = WithOptionByte(r, f.skill, f.level, f.luck, f.optionStep);
            t = WithDurability(t, f.durability);
            t = WithExcellentByte(t, f.uniqueBit ? 8 : 0, f.optionStep, f.excellentBits);
            if (w == Width::Wide)
                t = WithTypeNibble(t, Unique2Key(r).toInt());
            t = WithSerial(t, HasSerialMarker(r) ? f.serial.mid(2) : f.serial);
            const int index = QStringLiteral("065A9").indexOf(f.ancient);
            if (index >= 0)
                t = WithAncient(t, index);
            ASSERT_EQ(t, r);
        }
    }
}

TEST(ItemRecordTest, EncodingNeverTouchesTheKeptCharacters) {
    std::mt19937 rng(7);
    for (Width w : {Width::Narrow, Width::Wide}) {
        for (int round = 0; round < 300; ++round) {
            const QString r = randomRecord(rng, w);
            QString t = WithItemByte(r, QStringLiteral("3C"));
            if (w == Width::Narrow)
                t = WithCode32(t, QStringLiteral("00"));
            t = WithDurability(t, int(rng() % 256));
            t = WithOptionByte(t, rng() % 2, int(rng() % 14), rng() % 2, int(rng() % 8));
            t = WithExcellentByte(t, w == Width::Narrow ? 8 * int(rng() % 2) : 0, int(rng() % 8),
                                  int(rng() % 64));
            if (w == Width::Wide)
                t = WithTypeNibble(t, int(rng() % 16));
            t = WithAncient(t, int(rng() % 5));
            t = WithSerial(t, HasSerialMarker(t) ? QStringLiteral("ABCDEF") : QStringLiteral("01234567"));
            ASSERT_EQ(t.size(), r.size());
            // 17, 20 and 21–32 always stay; 19 stays in 10-byte records.
            for (int c : differences(r, t)) {
                ASSERT_TRUE(c <= 16 || c == 18 || (c == 19 && w == Width::Wide)) << c;
            }
        }
    }
}

TEST(ItemRecordTest, ConvertsTheExamplesFrom10To16Bytes) {
    EXPECT_EQ(Convert2032(QStringLiteral("FFFFFFFFFFFFFFFFFFFF")), EmptyRecord(Width::Wide));

    // 0x22, unique clear, no F9: code 34, type 1, item byte 0x02.
    const QString plain = QStringLiteral("22EF1E0012345645B59C");
    const QString converted = Convert2032(plain);
    EXPECT_EQ(converted,
              QStringLiteral("02EF1E0012345645") + QStringLiteral("051") + QString(13, QLatin1Char('0')));
    EXPECT_EQ(converted.size(), 32);

    // Unique bit set: code 290, type 9; the excellent byte loses 0x80.
    const QString unique = Convert2032(QStringLiteral("22001E00123456BF0000"));
    EXPECT_EQ(unique.left(2), QStringLiteral("02"));
    EXPECT_EQ(unique.mid(14, 2), QStringLiteral("3F"));
    EXPECT_EQ(unique.at(18), QLatin1Char('9'));

    // 0x05 with F9: type 0, item byte 0x25, the serial keeps F9.
    const QString marked = Convert2032(QStringLiteral("0500FFF9000123000A00"));
    EXPECT_EQ(marked.left(2), QStringLiteral("25"));
    EXPECT_EQ(marked.mid(6, 8), QStringLiteral("F9000123"));
    EXPECT_EQ(marked.at(17), QLatin1Char('A'));
    EXPECT_EQ(marked.at(18), QLatin1Char('0'));

    // Top of the table: 0xFF with the unique bit is type F, number 31.
    const QString top = Convert2032(QStringLiteral("FF00000000000080000F"));
    EXPECT_EQ(top.left(2), QStringLiteral("1F"));
    EXPECT_EQ(top.at(18), QLatin1Char('F'));
    EXPECT_EQ(top.mid(14, 2), QStringLiteral("00"));

    EXPECT_THROW((void)Convert2032(QStringLiteral("FFFF")), ConvertError);
}

TEST(ItemRecordTest, ConversionKeepsTheItemCodeAndTheFieldsOfRandomRecords) {
    std::mt19937 rng(99);
    for (int round = 0; round < 1000; ++round) {
        const QString r = randomRecord(rng, Width::Narrow);
        if (IsEmpty(r, Width::Narrow))
            continue;
        const QString w = Convert2032(r);
        ASSERT_EQ(w.size(), 32);
        const bool unique = UniqueKey(r) == QLatin1String("8");
        const int marker = HasSerialMarker(r) ? 32 : 0;
        const int code = HexToInt(r.left(2)) + (unique ? 256 : 0);
        ASSERT_EQ(HexToInt(w.mid(18, 1)) * 32 + HexToInt(w.left(2)) - marker, code);
        ASSERT_EQ(w.mid(2, 12), r.mid(2, 12));
        const int excellent = HexToInt(r.mid(14, 2));
        ASSERT_EQ(HexToInt(w.mid(14, 2)), unique ? excellent - 128 : excellent);
        ASSERT_EQ(w.at(16), QLatin1Char('0'));
        ASSERT_EQ(w.at(17), r.at(17));
        ASSERT_EQ(w.mid(19), QString(13, QLatin1Char('0')));
        // The decoded fields read the same in the new record.
        const Fields before = Decode(r);
        const Fields after = Decode(w);
        ASSERT_EQ(after.level, before.level);
        ASSERT_EQ(after.optionStep, before.optionStep);
        ASSERT_EQ(after.excellentBits, before.excellentBits);
        ASSERT_EQ(after.serial, before.serial);
        ASSERT_FALSE(after.uniqueBit);
    }
}

TEST(ItemRecordTest, CaptionsAndColours) {
    using namespace CellCaption;
    EXPECT_EQ(FromName(QStringLiteral("Sword of Destruction")), QStringLiteral("Sword\n\rof\n\rDestruction"));
    EXPECT_EQ(WithSetName(QStringLiteral("Aurel"), QStringLiteral("Gryphon\n\rHelm")),
              QStringLiteral("Aurel\n\rGryphon\n\rHelm"));
    EXPECT_EQ(Displayed(QStringLiteral("Aurel\n\rGryphon")), QStringLiteral("Aurel\nGryphon"));
    EXPECT_EQ(Stored(false, false), Colour::ButtonText);
    EXPECT_EQ(Stored(true, false), Colour::Excellent);
    EXPECT_EQ(Stored(false, true), Colour::SetItem);
    EXPECT_EQ(Stored(true, true), Colour::Error);
    EXPECT_EQ(Placed(false, false), Colour::WindowText);
    EXPECT_EQ(Placed(true, false), Colour::Excellent);
    EXPECT_EQ(Placed(false, true), Colour::SetItem);
    EXPECT_EQ(Placed(true, true), Colour::Error);
}
