#include "containers/WalkStatements.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemStatements.h"

namespace WalkStatements {

QString Totals(const VaultSettings& vaults) {
    const QString third =
        vaults.enabled ? QStringLiteral(" , (Select count(*) from ") + vaults.table + QStringLiteral(")")
                       : QStringLiteral(" ");
    return QStringLiteral("select (select count(*) from Character),(select count(*) from Warehouse) ") +
           third;
}

QString InventoryRows() {
    return QStringLiteral("SELECT AccountID, Inventory, Name FROM Character");
}

QString VaultRows(const VaultSettings& v) {
    return QStringLiteral("SELECT ") + v.account + QStringLiteral(", ") + v.items + QStringLiteral(",") +
           v.number + QStringLiteral(" FROM ") + v.table;
}

QString InventoryRow(const QString& account, const QString& name) {
    return InventoryRows() + QStringLiteral(" WHERE (AccountID=") + Q(account) +
           QStringLiteral(") AND (Name=") + Q(name) + QStringLiteral(")");
}

QString WarehouseRow(const QString& account) {
    return ItemStatements::WarehouseRows() + QStringLiteral(" WHERE AccountID=") + Q(account);
}

QString VaultRow(const VaultSettings& v, const QString& account, const QString& number) {
    return VaultRows(v) + QStringLiteral(" WHERE (") + v.account + QStringLiteral("=") + Q(account) +
           QStringLiteral(") AND (") + v.number + QStringLiteral("=") + Q(number) + QStringLiteral(")");
}

QString VaultRewrite(const VaultSettings& v, const QString& account, const QString& number,
                     const QString& literal) {
    return QStringLiteral("UPDATE ") + v.table + QStringLiteral(" SET ") + v.items + QStringLiteral("=") +
           literal + QStringLiteral(" WHERE (") + v.account + QStringLiteral("=") + Q(account) +
           QStringLiteral(") AND (") + v.number + QStringLiteral("=") + Q(number) + QStringLiteral(")");
}

QString WipeAllInventories(const QString& literal) {
    return QStringLiteral("UPDATE Character SET Inventory=") + literal;
}

QString WipeAllWarehouses(const QString& literal) {
    return QStringLiteral("UPDATE Warehouse SET Items=") + literal;
}

QString WipeAllVaults(const VaultSettings& v, const QString& literal) {
    return QStringLiteral("UPDATE ") + v.table + QStringLiteral(" SET ") + v.items + QStringLiteral("=") +
           literal;
}

} // namespace WalkStatements
