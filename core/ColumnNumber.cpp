#include "core/ColumnNumber.h"

#include <QRegularExpression>

#include <limits>

namespace ColumnNumber {

qint64 MaxOf(SqlType type) {
    return type == SqlType::SmallInt ? std::numeric_limits<qint16>::max()
                                     : std::numeric_limits<qint32>::max();
}

std::optional<qint64> ParseWhole(const QString& text, qint64 min, qint64 max) {
    const QString t = text.trimmed();
    // Digits only (after an optional minus): no "+", no spaces inside, no
    // hexadecimal, nothing the server would read differently.
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]{1,18}$"));
    if (!whole.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

Saved ToSave(const QString& loaded, const QString& shown, qint64 min, qint64 max) {
    if (shown == loaded) {
        if (loaded.trimmed().isEmpty())
            return {true, std::nullopt};
        // Whatever the column held, as long as a statement can carry it.
        if (const auto stored =
                ParseWhole(loaded, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()))
            return {true, stored};
    }
    const auto typed = ParseWhole(shown, min, max);
    return {typed.has_value(), typed};
}

Saved ToSave(const QString& loaded, const QString& shown, SqlType type) {
    return ToSave(loaded, shown, 0, MaxOf(type));
}

} // namespace ColumnNumber
