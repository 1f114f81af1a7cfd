#pragma once

#include <QString>

#include <functional>

// Rewrites every item column of the game database from 10-byte to 16-byte
// records: characters, warehouses and, when switched on, extra vaults. Rows
// are read one at a time from an open result while a second query writes
// each converted row, so memory does not grow with the number of rows.
namespace ItemConversion {

inline constexpr int kInventoryRecords = 108;
inline constexpr int kWarehouseRecords = 120;

enum class ColumnState {
    Narrow,      // exactly the container's records of 10 bytes: converted
    AlreadyWide, // exactly the container's records of 16 bytes: left alone
    Malformed,   // anything else (NULL, short, odd): left alone and counted
};
[[nodiscard]] ColumnState Classify(const QString& columnText, int records);
// The literal of the converted column; the column must be Narrow.
[[nodiscard]] QString ConvertColumn(const QString& columnText, int records);

// Vaults/Enabled is exactly 1.
[[nodiscard]] bool VaultsEnabled();

struct Totals {
    int warehouses = 0;
    int characters = 0;
    int vaults = 0; // only read when the vaults are enabled
};
[[nodiscard]] Totals ReadTotals();

enum class Walk { Characters, Warehouses, ExtraVaults };

struct Listener {
    // Row `row` (from 1) of a walk was read, before it is written.
    std::function<void(Walk, int row)> rowRead;
    // Row `row` is done.
    std::function<void(Walk, int row)> rowDone;
};

struct Result {
    int converted = 0;
    int alreadyWide = 0;
    int skipped = 0; // malformed columns, never written
};

// Runs the three walks in turn; a failing statement stops the run at once
// (its DbError propagates) and leaves the rows written so far converted.
Result Run(const Listener& listener);

} // namespace ItemConversion
