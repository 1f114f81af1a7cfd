#include "containers/ContainerStatements.h"

#include "core/UtilitiesUnit.h"

namespace ContainerStatements {

bool IsUsable(const VaultTable& vaults) {
    return IsPlainIdentifier(vaults.table) && IsPlainIdentifier(vaults.accountColumn) &&
           IsPlainIdentifier(vaults.numberColumn) && IsPlainIdentifier(vaults.itemsColumn);
}

QString InventoryOf(const QString& character) {
    return QStringLiteral("SELECT Inventory FROM Character WHERE Name =") + Q(character);
}

QString FillEmptyInventory(const QString& character, ItemRecord::Width width) {
    return QStringLiteral("UPDATE Character SET Inventory=") +
           ItemRecord::EmptyColumnLiteral(ItemRecord::kInventoryRecords, width) +
           QStringLiteral(" WHERE Name=") + Q(character);
}

QString SaveInventory(const QString& character, const QString& literal) {
    return QStringLiteral("UPDATE Character SET Inventory= ") + literal + QStringLiteral(" WHERE Name= ") +
           Q(character);
}

QString WarehouseOf(const QString& account) {
    return QStringLiteral("SELECT Items, Money, pw, EndUseDate FROM Warehouse WHERE AccountID =") +
           Q(account);
}

QString AddWarehouse(const QString& account, ItemRecord::Width width) {
    return QStringLiteral("INSERT INTO Warehouse (AccountID, Items, Money, EndUseDate, DbVersion, pw) "
                          "VALUES (") +
           Q(account) + QStringLiteral(",") +
           ItemRecord::EmptyColumnLiteral(ItemRecord::kWarehouseRecords, width) +
           QStringLiteral(",0, getdate(), 2,0)");
}

QString SaveWarehouse(const QString& account, const QString& literal, qint64 money, qint64 password) {
    return QStringLiteral("UPDATE Warehouse SET Items= ") + literal + QStringLiteral(", Money=") +
           QString::number(money) + QStringLiteral(",pw=") + QString::number(password) +
           QStringLiteral(" WHERE AccountID= ") + Q(account);
}

QString VaultNumbers(const VaultTable& vaults, const QString& account) {
    return QStringLiteral("SELECT ") + vaults.numberColumn + QStringLiteral(" FROM ") + vaults.table +
           QStringLiteral(" WHERE ") + vaults.accountColumn + QStringLiteral("=") + Q(account);
}

QString VaultItems(const VaultTable& vaults, const QString& account, int number) {
    return QStringLiteral("SELECT ") + vaults.itemsColumn + QStringLiteral(" FROM ") + vaults.table +
           QStringLiteral(" WHERE (") + vaults.accountColumn + QStringLiteral("=") + Q(account) +
           QStringLiteral(") AND(") + vaults.numberColumn + QStringLiteral("=") + QString::number(number) +
           QStringLiteral(")");
}

QString SaveVault(const VaultTable& vaults, const QString& account, int number, const QString& literal) {
    return QStringLiteral("UPDATE ") + vaults.table + QStringLiteral(" SET ") + vaults.itemsColumn +
           QStringLiteral("=") + literal + QStringLiteral(" WHERE (") + vaults.accountColumn +
           QStringLiteral("= ") + Q(account) + QStringLiteral(") AND (") + vaults.numberColumn +
           QStringLiteral("=") + QString::number(number) + QStringLiteral(")");
}

} // namespace ContainerStatements
