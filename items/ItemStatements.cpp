#include "items/ItemStatements.h"

#include "core/UtilitiesUnit.h"

namespace ItemStatements {

QString DrawItemSerial() {
    return QStringLiteral("EXECUTE QJ_GetItemSerial");
}

QString LastItemSerial() {
    return QStringLiteral("SELECT ItemCount FROM GameServerInfo");
}

QString InventoryRewrite(const QString& account, const QString& name, const QString& literal) {
    return QStringLiteral("UPDATE Character SET Inventory=") + literal +
           QStringLiteral(" WHERE (AccountID=") + Q(account) + QStringLiteral(") AND (Name=") + Q(name) +
           QStringLiteral(")");
}

QString WarehouseRows() {
    return QStringLiteral("SELECT AccountID, Items FROM Warehouse");
}

QString WarehouseRewrite(const QString& account, const QString& literal) {
    return QStringLiteral("UPDATE Warehouse SET Items=") + literal + QStringLiteral(" WHERE (AccountID=") +
           Q(account) + QStringLiteral(")");
}

} // namespace ItemStatements
