#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The stored item record, handled as text: two upper-case hexadecimal digits
// per byte, characters counted from 1. Every change rewrites characters of an
// existing record text, so characters no step writes stay as they were.
namespace ItemRecord {

enum class Width { Narrow = 10, Wide = 16 };

// The width the whole program uses: setting Version/Version, 0 → 10 bytes,
// anything else → 16 bytes.
[[nodiscard]] Width CurrentWidth();
[[nodiscard]] constexpr int Length(Width w) {
    return w == Width::Narrow ? 20 : 32;
}
// 20 or 32 "F": a free position.
[[nodiscard]] QString EmptyRecord(Width w);
// 20 or 32 "0": the record the property editor starts from.
[[nodiscard]] QString ZeroRecord(Width w);
[[nodiscard]] bool IsEmpty(const QString& record, Width w);

// Record k (from 1) of a column text; shorter or empty where the column is
// short.
[[nodiscard]] QStringList SplitColumn(const QString& columnText, int count, Width w);
// "0x" + the record texts; an empty or short text is written as the empty
// record, so the literal always holds whole records.
[[nodiscard]] QString ColumnLiteral(const QStringList& records, Width w);

// ---- identity (the catalogue key of a record)

// "0" when character 15 is one of "0"–"7", else "8".
[[nodiscard]] QString UniqueKey(const QString& record);
// Character 19 as one hexadecimal digit, in decimal ("0"–"15"); any
// character that is not "0"–"9"/"A"–"F" counts 0.
[[nodiscard]] QString Unique2Key(const QString& record);

struct Identity {
    QString id;     // characters 1–2: ID (10-byte) or ID2 (16-byte)
    QString unique; // Unique "0"/"8" (10-byte) or Unique2 "0"–"15" (16-byte)
    QString code32; // characters 7–8; part of the key for 10-byte records only
};
[[nodiscard]] Identity IdentityOf(const QString& record, Width w);

// ---- flags (the record's colour on a grid)

[[nodiscard]] bool IsExcellent(const QString& record, Width w);
[[nodiscard]] bool IsSetItem(const QString& record);

// ---- fields read back for the information text

struct Fields {
    int level = 0; // 0–15
    bool skill = false;
    bool luck = false;
    int optionStep = 0;    // 0–7
    int durability = 0;    // 0–255
    QString serial;        // characters 7–14 as stored
    int excellentBits = 0; // bits 5–0 of byte 7
    bool uniqueBit = false;
    bool plus16 = false; // bit 6 of byte 7
    QChar ancient;       // character 18
};
[[nodiscard]] Fields Decode(const QString& record);

// ---- encoding steps: each returns the record with only its characters
// rewritten. The record must be a full 20/32-character text.

// Characters 1–2: the catalogue's ID or ID2 text, as stored.
[[nodiscard]] QString WithItemByte(const QString& record, const QString& id);
// Characters 7–8 (10-byte records): the catalogue's Code32 text.
[[nodiscard]] QString WithCode32(const QString& record, const QString& code32);
// Characters 5–6; throws ConvertError outside 0–255.
[[nodiscard]] QString WithDurability(const QString& record, int durability);
// Characters 3–4: 128·skill + 8·level + 4·luck + step mod 4.
[[nodiscard]] QString WithOptionByte(const QString& record, bool skill, int level, bool luck, int optionStep);
// Character 19 (16-byte records): the type number 0–15.
[[nodiscard]] QString WithTypeNibble(const QString& record, int unique2);
// Characters 15–16: 16·unique (10-byte; 0 for 16-byte) + 64 when step ≥ 4 +
// the excellent sum.
[[nodiscard]] QString WithExcellentByte(const QString& record, int unique, int optionStep, int excellentSum);
// Character 18 for the set option index 0–4: "0", "6", "5", "A", "9".
[[nodiscard]] QString WithAncient(const QString& record, int setOptionIndex);
[[nodiscard]] QChar AncientNibble(int setOptionIndex);

// Whether characters 7–8 hold the F9 marker (the serial is then 6 digits).
[[nodiscard]] bool HasSerialMarker(const QString& record);
// A serial drawn from the server's counter, in 8 digits (6 under F9).
// Throws ConvertError when the counter does not fit.
[[nodiscard]] QString DrawnSerialText(qint64 counter, bool marker);
// A typed serial: 8 hexadecimal digits (either case); under F9 also 6
// digits, or 8 of which the last 6 are used. Returns the digits to write
// (upper case); throws ConvertError for anything else.
[[nodiscard]] QString TypedSerialDigits(const QString& typed, bool marker);
// Characters 7–14 (9–14 under F9) := digits, which must be 8 (6) long.
[[nodiscard]] QString WithSerial(const QString& record, const QString& digits);

// ---- conversion of a 10-byte record to a 16-byte one

// The 20-character record r as a 32-character record; the empty record
// stays empty. r must be 20 characters.
[[nodiscard]] QString Convert2032(const QString& record);

} // namespace ItemRecord
