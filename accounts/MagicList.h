#pragma once

#include <QString>
#include <QStringList>

// The skill list column `MagicList` of a character: 128 bytes, read as 43
// records of three bytes, the last one cut to two (42 * 3 + 2). Byte 0 of a
// record is the skill number (FF for an empty record); the other bytes mean
// nothing to the editor and are always written as 00.
namespace MagicList {

inline constexpr int kRecords = 43;
inline constexpr int kBytes = 128;
// A record with no skill.
inline constexpr char kEmpty[] = "FF";

// The skill number of every record as two upper-case hexadecimal digits,
// always kRecords of them, from the column as hexadecimal text. Records a
// short or NULL column does not reach read as empty.
[[nodiscard]] QStringList SkillNumbers(const QString& columnHex);

// True for two hexadecimal digits, the only thing a record can hold.
[[nodiscard]] bool IsSkillNumber(const QString& number);

// The whole column as a binary literal: "0x", records 1 to 42 as their
// number followed by "0000", record 43 as its number followed by "00".
// `numbers` fills the records in order; records past its end are empty.
// Throws std::length_error for more than kRecords numbers and
// std::invalid_argument for a number that is not two hexadecimal digits, so
// a value that is not a whole column is never built.
[[nodiscard]] QString Literal(const QStringList& numbers);

} // namespace MagicList
