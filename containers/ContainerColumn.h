#pragma once

#include <QString>
#include <QStringView>

// The few facts about stored item columns that the whole-database passes need:
// how wide a record is, what a free position holds, where record k of a column
// text lies and how a column goes back into a statement.
namespace ContainerColumn {

inline constexpr int kInventoryRecords = 108;
inline constexpr int kWarehouseRecords = 120; // warehouses and extra vaults alike

// Bytes per record for a value of the Version setting: 0 means the older
// 10-byte records, anything else 16-byte records.
[[nodiscard]] constexpr int RecordBytes(int version) {
    return version == 0 ? 10 : 16;
}
// The same, read from the settings file now.
[[nodiscard]] int RecordBytesFromSettings();

// A free position: every byte 0xFF, so 20 or 32 "F" characters.
[[nodiscard]] QString EmptyRecord(int recordBytes);

// Record `index` (from 0) of a column text; shorter or empty past the end.
[[nodiscard]] QStringView RecordText(QStringView columnText, qsizetype index, int recordBytes);

// The text that writes a column: "0x" followed by the column text.
[[nodiscard]] QString ColumnLiteral(QStringView columnText);
// A column of `records` free positions, as a literal.
[[nodiscard]] QString EmptyColumnLiteral(int recordBytes, int records);

} // namespace ContainerColumn
