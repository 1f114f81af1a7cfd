#pragma once

#include "core/VaultSettings.h"
#include "items/ContainerWalk.h"

#include <QString>

#include <vector>

// Rewrites every item column of the game database from 10-byte to 16-byte
// records (characters, warehouses and, when switched on, extra vaults)
// through the container walk.
namespace ItemConversion {

enum class ColumnState {
    Narrow,      // exactly the container's records of 10 bytes: converted
    AlreadyWide, // exactly the container's records of 16 bytes: left alone
    Malformed,   // anything else (NULL, short, odd): left alone and counted
};
[[nodiscard]] ColumnState Classify(const QString& columnText, int records);
// The literal of the converted column; the column must be Narrow.
[[nodiscard]] QString ConvertColumn(const QString& columnText, int records);

// The statements of the conversion.
namespace Statements {
[[nodiscard]] QString Totals();
[[nodiscard]] QString VaultTotal(const VaultSettings& vaults);
[[nodiscard]] QString CharacterRows();
[[nodiscard]] QString VaultRows(const VaultSettings& vaults);
// The vault number goes in unquoted, as read.
[[nodiscard]] QString VaultRewrite(const VaultSettings& vaults, const QString& account, const QString& number,
                                   const QString& literal);
} // namespace Statements

struct Totals {
    int warehouses = 0;
    int characters = 0;
    int vaults = 0; // only read when the vaults are enabled
};
[[nodiscard]] Totals ReadTotals();

// The walks in order: characters, warehouses, and the vaults when on.
[[nodiscard]] std::vector<ContainerWalk::Source> Sources(const VaultSettings& vaults);
// One row: a narrow column is written converted; a wide one is kept and
// counted as the walk's other width, a malformed one as malformed.
[[nodiscard]] ContainerWalk::Rewrite ConvertRow(const ContainerWalk::Row& row);

struct Result {
    int converted = 0; // written (in a count: to be written)
    int alreadyWide = 0;
    int skipped = 0; // malformed columns, never written
    bool stopped = false;
};

// Walks every container with `walker`; a failing statement ends the run
// (its error propagates) and leaves the rows written so far converted.
void Walk(ContainerWalk::Walker& walker);
[[nodiscard]] Result ResultOf(const ContainerWalk::Walker& walker);

// The whole conversion on the game database.
Result Run(ContainerWalk::Listener& listener, const ContainerWalk::Options& options = {});

} // namespace ItemConversion
