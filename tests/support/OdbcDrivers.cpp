#include "OdbcDrivers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <dlfcn.h>
#include <sql.h>

namespace {

QString odbcinst(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("odbcinst"), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// A bare library name lies beside the driver manager's library or in its odbc
// folder, where the driver manager itself looks.
QString locate(const QString& file) {
    if (file.isEmpty() || QFileInfo(file).isAbsolute())
        return file;
    Dl_info manager{};
    if (dladdr(reinterpret_cast<void*>(&SQLAllocHandle), &manager) == 0 || !manager.dli_fname)
        return QString();
    const QDir folder = QFileInfo(QString::fromLocal8Bit(manager.dli_fname)).absoluteDir();
    for (const QString& candidate :
         {folder.filePath(file), folder.filePath(QStringLiteral("odbc/") + file)}) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return QString();
}

} // namespace

InstalledOdbcDriver FindOdbcDriver(const QString& part) {
    static const QRegularExpression section(QStringLiteral("^\\[(.*)\\]$"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression library(QStringLiteral("^Driver\\s*=\\s*(\\S.*)$"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::MultilineOption);
    auto names = section.globalMatch(odbcinst({QStringLiteral("-q"), QStringLiteral("-d")}));
    while (names.hasNext()) {
        const QString name = names.next().captured(1);
        if (!name.contains(part, Qt::CaseInsensitive))
            continue;
        const QString entry =
            odbcinst({QStringLiteral("-q"), QStringLiteral("-d"), QStringLiteral("-n"), name});
        const QString file = locate(library.match(entry).captured(1).trimmed());
        if (!file.isEmpty())
            return {name, file};
    }
    return {};
}
