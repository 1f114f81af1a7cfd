#include "accounts/LetterText.h"
#include "accounts/MagicList.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

QStringList empties(int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << S("FF");
    return out;
}

TEST(MagicListTest, SkillNumbersAreByteZeroOfEachRecord) {
    struct Case {
        const char* hex;
        QStringList first; // the rest read as FF
    };
    const Case cases[] = {
        {"", {}},
        {"01", {S("01")}},
        {"0", {}},                                           // half a byte is nothing
        {"011A2B0200", {S("01"), S("02")}},                  // bytes 1 and 2 are not read
        {"ff00000a0000", {S("FF"), S("0A")}},                // lower case read as upper case
        {"FF0000FF0000E70000", {S("FF"), S("FF"), S("E7")}}, // an unknown number stays
    };
    for (const Case& c : cases) {
        QStringList expected = c.first + empties(MagicList::kRecords - int(c.first.size()));
        EXPECT_EQ(MagicList::SkillNumbers(S(c.hex)), expected) << c.hex;
    }
    const QString full = S("220000").repeated(42) + S("3300") + S("44");
    const QStringList numbers = MagicList::SkillNumbers(full);
    EXPECT_EQ(numbers.size(), 43);
    EXPECT_EQ(numbers.back(), S("33")); // bytes past 128 are not a record
}

TEST(MagicListTest, TheLiteralIsAlwaysAWholeColumn) {
    EXPECT_EQ(MagicList::Literal({}), S("0x") + S("FF0000").repeated(42) + S("FF00"));
    EXPECT_EQ(MagicList::Literal({S("0a"), S("FF"), S("10")}),
              S("0x0A0000FF0000100000") + S("FF0000").repeated(39) + S("FF00"));
    QStringList full;
    for (int k = 0; k < 43; ++k)
        full << QStringLiteral("%1").arg(k + 1, 2, 16, QLatin1Char('0')).toUpper();
    const QString literal = MagicList::Literal(full);
    EXPECT_EQ(literal.size(), 2 + 256);
    EXPECT_TRUE(literal.endsWith(S("2A00002B00"))) << literal.toStdString();

    EXPECT_THROW((void)MagicList::Literal(full + QStringList{S("01")}), std::length_error);
    for (const char* bad : {"", "1", "123", "G0", " 1"})
        EXPECT_THROW((void)MagicList::Literal({S(bad)}), std::invalid_argument) << bad;
}

TEST(LetterTextTest, TheSecondByteDecidesTheKind) {
    struct Case {
        QByteArray memo;
        const char* codePage;
        const char* type; // nullptr: left unchanged
        const char* text;
    };
    using B = QByteArray;
    const Case cases[] = {
        {B(), "", nullptr, ""},
        {B("A"), "", nullptr, "A"},
        {B("H\0i\0", 4), "", "Unicode", "Hi"},
        {B("Hi\0\0", 4), "", "ASCII", "Hi"},
        {B("H\0i\0\0\0junk", 10), "", "Unicode", "Hi"},
        {B("Hi\0junk", 7), "", "ASCII", "Hi"},
        // Two-byte text is UTF-16LE; a last byte without its pair is a
        // one-byte character.
        {B("H\0\xb1\x03!", 5), "", "Unicode", "H\u03b1!"},
        {B("H\0i", 3), "", "Unicode", "Hi"},
        {B("H\0\x80", 3), "", "Unicode", "H\u20ac"},
        {B("H\0\0", 3), "", "Unicode", "H"},
        // The text ends at the first zero character, wherever the decoder
        // puts it; a zero byte inside a character does not end it.
        {B("\0H\0i\0\0\0j", 8), "UTF-16BE", "ASCII", "Hi"},
        {B("Hi\0j", 4), "UTF-8", "ASCII", "Hi"},
        {B("Caf\xe9 5\x80\x81", 8), "", "ASCII", "Caf\u00e9 5\u20ac\u0081"},
        {B("Caf\xe9 5\x80", 7), "Windows-1252", "ASCII", "Caf\u00e9 5\u20ac"},
        {B("Caf\xe9 5\x80", 7), "ISO-8859-1", "ASCII", "Caf\u00e9 5\u0080"},
        {B("Caf\xe9", 4), "no such code page", "ASCII", "Caf\u00e9"},
    };
    for (const Case& c : cases) {
        const LetterText::Letter letter = LetterText::Decode(c.memo, S(c.codePage));
        SCOPED_TRACE(c.memo.toHex().toStdString() + " " + c.codePage);
        EXPECT_EQ(letter.type.has_value(), c.type != nullptr);
        if (c.type && letter.type) {
            EXPECT_EQ(*letter.type, S(c.type));
        }
        EXPECT_EQ(letter.text, S(c.text));
    }
}

} // namespace
