#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString g_dir;
QString g_base;
} // namespace

namespace AppPaths {

QString ExecutableDir() {
    if (!g_dir.isEmpty())
        return g_dir;
    return QCoreApplication::applicationDirPath();
}

QString ExecutableBaseName() {
    if (!g_dir.isEmpty())
        return g_base;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString SettingsFile() {
    // Asked before every statement: worked out once per folder.
    thread_local QString dir, base, file;
    const QString d = ExecutableDir();
    const QString b = ExecutableBaseName();
    if (file.isEmpty() || d != dir || b != base) {
        dir = d;
        base = b;
        file = d + QLatin1Char('/') + b + QStringLiteral(".ini");
    }
    return file;
}

QString CatalogueFile() {
    return ExecutableDir() + QStringLiteral("/TanorEditor.mdb");
}

QString LocalServerDir() {
    return ExecutableDir() + QStringLiteral("/Databases");
}

void SetOverride(const QString& dir, const QString& baseName) {
    g_dir = dir;
    g_base = baseName;
}

} // namespace AppPaths
