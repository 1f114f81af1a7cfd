#pragma once

#include "items/ItemRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// Loading and saving the item columns the container editors show: a
// character's inventory, an account's warehouse row and its extra vaults.
// A column comes back as the bytes stored (empty for NULL or no row); a save
// says whether a row was written, since a row deleted meanwhile changes none.
namespace ContainerStore {

// The inventory column of `character`. A character without a row of its own
// first gets a column of free records of `width`; a NULL column is left as
// it is (every cell shows free and a save writes them as free records).
[[nodiscard]] QByteArray LoadInventory(const QString& character, ItemRecord::Width width);
[[nodiscard]] bool SaveInventory(const QString& character, const QString& literal);

// An account's warehouse row as stored (NULL reads as empty).
struct Warehouse {
    QByteArray items;
    QString money;
    QString password;
    QDateTime lastUse;   // invalid when EndUseDate is not a date
    QString lastUseText; // EndUseDate as the database gives it
};
// The warehouse of `account`; an account without one first gets a row of
// free records of `width` and no money. Nothing when the row is still
// missing after that.
[[nodiscard]] std::optional<Warehouse> LoadWarehouse(const QString& account, ItemRecord::Width width);

// Money is an int column; the password a 4-character field.
constexpr qint64 kMaxMoney = 2000000000;
constexpr qint64 kMaxPassword = 9999;
// A whole number 0..max as typed (digits only), or nothing.
[[nodiscard]] std::optional<qint64> WholeNumber(const QString& text, qint64 max);

// The warehouse editor's fields at "Save", money and password as typed.
struct WarehouseChange {
    QString account;
    QString literal;
    QString money;
    QString password;
};
enum class WarehouseSave { Saved, RowMissing, MoneyInvalid, PasswordInvalid };
// Checks money, then password, and writes only when both are whole numbers
// in their column's range.
[[nodiscard]] WarehouseSave SaveWarehouse(const WarehouseChange& change);

// Whether the extra vaults are on: switched on in the settings, with table
// and column names that are plain names.
[[nodiscard]] bool VaultsEnabled();
// The numbers of the vaults of `account`, in stored order. Only whole
// numbers address a vault; anything else in the column is left out rather
// than pasted into a statement. The vault names in the settings are checked
// again before each statement (SettingsError when they are not plain).
[[nodiscard]] QStringList VaultNumbers(const QString& account);
[[nodiscard]] QByteArray LoadVault(const QString& account, int number);
[[nodiscard]] bool SaveVault(const QString& account, int number, const QString& literal);

} // namespace ContainerStore
