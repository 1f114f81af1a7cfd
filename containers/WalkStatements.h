#pragma once

#include "core/VaultSettings.h"

#include <QString>

// The statements of the item wipe. Vault table and column names come from
// the settings and go in unquoted; keys read from the rows are quoted here.
namespace WalkStatements {

// Rows of each kind, for the totals line.
[[nodiscard]] QString Totals(const VaultSettings& vaults);

[[nodiscard]] QString InventoryRows();
[[nodiscard]] QString VaultRows(const VaultSettings& vaults);
// One row of each kind, as the walks read it (keys quoted, as read).
[[nodiscard]] QString InventoryRow(const QString& account, const QString& name);
[[nodiscard]] QString WarehouseRow(const QString& account);
[[nodiscard]] QString VaultRow(const VaultSettings& vaults, const QString& account, const QString& number);
// The vault number is quoted, as read.
[[nodiscard]] QString VaultRewrite(const VaultSettings& vaults, const QString& account, const QString& number,
                                   const QString& literal);

// Every row of a table at once.
[[nodiscard]] QString WipeAllInventories(const QString& literal);
[[nodiscard]] QString WipeAllWarehouses(const QString& literal);
[[nodiscard]] QString WipeAllVaults(const VaultSettings& vaults, const QString& literal);

} // namespace WalkStatements
