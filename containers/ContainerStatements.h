#pragma once

#include "items/ItemRecord.h"

#include <QString>

// Statements of the inventory and warehouse editors. One function per
// statement form; text values are quoted with Q here, never by the caller.
// `literal` is a column literal as ItemRecord builds it ("0x" + digits).
namespace ContainerStatements {

// Where the extra vaults are kept: table and column names from the settings
// (section Vaults). They stand in the statements as they are, so they are
// used only when IsUsable says they are plain names.
struct VaultTable {
    QString table;
    QString accountColumn;
    QString numberColumn;
    QString itemsColumn;
};
[[nodiscard]] bool IsUsable(const VaultTable& vaults);

// ---- inventory

[[nodiscard]] QString InventoryOf(const QString& character);
// Gives a character without an inventory a column of free records.
[[nodiscard]] QString FillEmptyInventory(const QString& character, ItemRecord::Width width);
[[nodiscard]] QString SaveInventory(const QString& character, const QString& literal);

// ---- warehouse

[[nodiscard]] QString WarehouseOf(const QString& account);
// A warehouse row for an account that has none: free records, no money.
[[nodiscard]] QString AddWarehouse(const QString& account, ItemRecord::Width width);
[[nodiscard]] QString SaveWarehouse(const QString& account, const QString& literal, qint64 money,
                                    qint64 password);

// ---- extra vaults

[[nodiscard]] QString VaultNumbers(const VaultTable& vaults, const QString& account);
[[nodiscard]] QString VaultItems(const VaultTable& vaults, const QString& account, int number);
[[nodiscard]] QString SaveVault(const VaultTable& vaults, const QString& account, int number,
                                const QString& literal);

} // namespace ContainerStatements
