#include "accounts/AccountStatements.h"

#include "core/UtilitiesUnit.h"

namespace AccountStatements {

QString SearchNames(SearchTarget target, const QString& part) {
    QString column;
    QString table;
    switch (target) {
    case SearchTarget::Accounts:
        column = QStringLiteral("memb___id");
        table = QStringLiteral("MEMB_INFO");
        break;
    case SearchTarget::Guilds:
        column = QStringLiteral("G_Name");
        table = QStringLiteral("Guild");
        break;
    case SearchTarget::Characters:
        column = QStringLiteral("\"Name\"");
        table = QStringLiteral("\"Character\"");
        break;
    }
    return QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") +
           column + QStringLiteral(" LIKE(") + Q(QStringLiteral("%") + part + QStringLiteral("%")) +
           QStringLiteral(") ORDER BY ") + column;
}

} // namespace AccountStatements
