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
    return ExecutableDir() + QLatin1Char('/') + ExecutableBaseName() + QStringLiteral(".ini");
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
