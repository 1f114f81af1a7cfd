#include "containers/ContainerStore.h"

#include "containers/ContainerStatements.h"
#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "platform/TanorError.h"

namespace ContainerStore {

using namespace ContainerStatements;

namespace {

VaultTable vaultTable() {
    const VaultSettings v = VaultSettings::Read();
    return {v.table, v.account, v.number, v.items};
}

// The vault names as the settings hold them now; names changed since the
// list was loaded are checked again before they stand in a statement.
VaultTable checkedVaultTable() {
    VaultTable vaults = vaultTable();
    if (!IsUsable(vaults))
        throw SettingsError(QStringLiteral("The extra vault table and column names must be plain names"));
    return vaults;
}

QByteArray firstColumn(const Query& row) {
    return row.IsEmpty() ? QByteArray() : row.Fields(0).AsBytes();
}

} // namespace

QByteArray LoadInventory(const QString& character, ItemRecord::Width width) {
    Query inventory = OpenOn(DataSource::TanorOnline, InventoryOf(character));
    if (inventory.IsEmpty()) {
        inventory.Close();
        (void)ExecOn(DataSource::TanorOnline, FillEmptyInventory(character, width));
        inventory = OpenOn(DataSource::TanorOnline, InventoryOf(character));
    }
    return firstColumn(inventory);
}

bool SaveInventory(const QString& character, const QString& literal) {
    return ExecOn(DataSource::TanorOnline, ContainerStatements::SaveInventory(character, literal)) != 0;
}

std::optional<Warehouse> LoadWarehouse(const QString& account, ItemRecord::Width width) {
    Query row = OpenOn(DataSource::TanorOnline, WarehouseOf(account));
    if (row.IsEmpty()) {
        row.Close();
        (void)ExecOn(DataSource::TanorOnline, AddWarehouse(account, width));
        row = OpenOn(DataSource::TanorOnline, WarehouseOf(account));
    }
    if (row.IsEmpty())
        return std::nullopt;
    const Field endUse = row.FieldByName(QStringLiteral("EndUseDate"));
    Warehouse stored;
    stored.money = row.FieldByName(QStringLiteral("Money")).AsString();
    stored.password = row.FieldByName(QStringLiteral("pw")).AsString();
    stored.lastUse = DateTimeOf(endUse.value());
    stored.lastUseText = endUse.AsString();
    stored.items = row.FieldByName(QStringLiteral("Items")).AsBytes();
    return stored;
}

std::optional<qint64> WholeNumber(const QString& text, qint64 max) {
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    if (value > max)
        return std::nullopt;
    return value;
}

WarehouseSave SaveWarehouse(const WarehouseChange& change) {
    const std::optional<qint64> money = WholeNumber(change.money, kMaxMoney);
    if (!money)
        return WarehouseSave::MoneyInvalid;
    const std::optional<qint64> password = WholeNumber(change.password, kMaxPassword);
    if (!password)
        return WarehouseSave::PasswordInvalid;
    const qint64 rows =
        ExecOn(DataSource::TanorOnline,
               ContainerStatements::SaveWarehouse(change.account, change.literal, *money, *password));
    return rows == 0 ? WarehouseSave::RowMissing : WarehouseSave::Saved;
}

bool VaultsEnabled() {
    // Names that are not plain names leave the vaults off.
    return VaultSettings::Enabled() && IsUsable(vaultTable());
}

QStringList VaultNumbers(const QString& account) {
    QStringList numbers;
    for (const QString& number :
         ListOn(DataSource::TanorOnline, ContainerStatements::VaultNumbers(checkedVaultTable(), account))) {
        bool whole = false;
        (void)number.toInt(&whole);
        if (whole)
            numbers << number;
    }
    return numbers;
}

QByteArray LoadVault(const QString& account, int number) {
    const Query vault = OpenOn(DataSource::TanorOnline, VaultItems(checkedVaultTable(), account, number));
    return firstColumn(vault);
}

bool SaveVault(const QString& account, int number, const QString& literal) {
    return ExecOn(DataSource::TanorOnline,
                  ContainerStatements::SaveVault(checkedVaultTable(), account, number, literal)) != 0;
}

} // namespace ContainerStore
