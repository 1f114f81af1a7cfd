#include "core/ResetStatements.h"

#include "core/UtilitiesUnit.h"

namespace ResetStatements {

QString ReadResets(const ResetSettings& names, const QString& character) {
    return QStringLiteral("SELECT ") + names.columnResets + QStringLiteral(" FROM ") + names.table +
           QStringLiteral(" WHERE ") + names.columnCharacter + QStringLiteral(" = ") + Q(character);
}

QString WriteResets(const ResetSettings& names, const QString& character, qint64 resets) {
    return QStringLiteral("UPDATE ") + names.table + QStringLiteral(" SET ") + names.columnResets +
           QStringLiteral(" = ") + QString::number(resets) + QStringLiteral(" WHERE ") +
           names.columnCharacter + QLatin1Char('=') + Q(character);
}

} // namespace ResetStatements
