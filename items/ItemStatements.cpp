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

QString KeyedPage(const QString& table, const QStringList& columns, const QStringList& keys,
                  const QStringList& after, int rows) {
    QString text = QStringLiteral("SELECT TOP ") + QString::number(rows) + QLatin1Char(' ') +
                   columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + table;
    if (!after.isEmpty()) {
        text += QStringLiteral(" WHERE ") + keys[0] + QStringLiteral(" > ") + Q(after[0]);
        if (keys.size() > 1)
            text += QStringLiteral(" OR (") + keys[0] + QStringLiteral(" = ") + Q(after[0]) +
                    QStringLiteral(" AND ") + keys[1] + QStringLiteral(" > ") + Q(after[1]) +
                    QLatin1Char(')');
    }
    return text + QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

QString Ping() {
    return QStringLiteral("SELECT 1");
}

} // namespace ItemStatements
