#include "core/AuditLog.h"
#include "core/AppState.h"

#include "core/UtilitiesUnit.h"
#include "platform/StatementJournal.h"

#include <QDateTime>
#include <QFile>

namespace {

int g_handle = 0;

bool isChange(const JournalEntry& e) {
    if (!e.error.isEmpty())
        return false;
    if (!e.opened)
        return true;
    // Procedures are opened for their result rows but change data.
    const QString head = e.text.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return head == QLatin1String("EXEC") || head == QLatin1String("EXECUTE");
}

void record(const JournalEntry& e) {
    if (!isChange(e))
        return;
    const QString file = ReadSetting(QStringLiteral("Audit"), QStringLiteral("File"));
    if (file.isEmpty())
        return;
    QString text = e.text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                         QLatin1Char('\t') + AppState.OperatorId + QLatin1Char('\t') + e.connection +
                         QLatin1Char('\t') + text + QLatin1Char('\n');
    QFile f(file);
    // An audit file that cannot be written must not stop the operator's work.
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write(line.toUtf8());
}

} // namespace

namespace AuditLog {

void Install() {
    if (g_handle == 0)
        g_handle = StatementJournal::AddListener(record);
}

void Uninstall() {
    if (g_handle != 0)
        StatementJournal::RemoveListener(g_handle);
    g_handle = 0;
}

} // namespace AuditLog
