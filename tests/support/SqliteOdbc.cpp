#include "SqliteOdbc.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

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

} // namespace

QString SqliteOdbcDriver() {
    static const QString driver = [] {
        static const QRegularExpression section(QStringLiteral("^\\[(.*sqlite3.*)\\]$"),
                                                QRegularExpression::CaseInsensitiveOption |
                                                    QRegularExpression::MultilineOption);
        static const QRegularExpression library(QStringLiteral("^Driver\\s*=\\s*(\\S.*)$"),
                                                QRegularExpression::CaseInsensitiveOption |
                                                    QRegularExpression::MultilineOption);
        const QRegularExpressionMatch name =
            section.match(odbcinst({QStringLiteral("-q"), QStringLiteral("-d")}));
        if (!name.hasMatch())
            return QString();
        const QString entry =
            odbcinst({QStringLiteral("-q"), QStringLiteral("-d"), QStringLiteral("-n"), name.captured(1)});
        const QString file = library.match(entry).captured(1).trimmed();
        if (file.isEmpty() || QFileInfo(file).isAbsolute())
            return file;
        // A bare library name lies beside the driver manager's library or in
        // its odbc folder, where the driver manager itself looks.
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
    }();
    return driver;
}

QString SqliteOdbcDriverOrSkip() {
    const QString driver = SqliteOdbcDriver();
    if (!driver.isEmpty())
        return driver;
    if (qEnvironmentVariableIsSet("CI"))
        ADD_FAILURE() << "SQLite ODBC driver not installed (odbcinst -q -d lists none)";
    else
        [] { GTEST_SKIP() << "SQLite ODBC driver not installed"; }();
    return QString();
}
