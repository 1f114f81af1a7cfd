#include "platform/DriverError.h"

#include <QSqlError>
#include <QStringList>

namespace {

// SQLite's texts for a lock held elsewhere (its extended codes share them),
// SQL Server's lock time-out and deadlock errors.
bool isLock(const QSqlError& error) {
    const QString text = error.databaseText() + QLatin1Char(' ') + error.driverText();
    for (const char* words : {"database is locked", "database table is locked", "Lock request time out",
                              "was deadlocked on lock"}) {
        if (text.contains(QLatin1String(words), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString asSentence(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char('!')) ||
        t.endsWith(QLatin1Char('?')))
        return t;
    return t + QLatin1Char('.');
}

} // namespace

QString DriverErrorText(const QSqlError& error) {
    if (isLock(error))
        return kBusyText;
    QStringList sentences;
    for (const QString& part : {error.databaseText(), error.driverText()}) {
        const QString sentence = asSentence(part);
        // QODBC repeats the database's text in its own at times.
        if (!sentence.isEmpty() && !sentences.join(QLatin1Char(' ')).contains(part.trimmed()))
            sentences << sentence;
    }
    return sentences.join(QLatin1Char(' '));
}
