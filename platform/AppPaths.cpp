#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString g_dir;
QString g_base;
QString g_settings; // of the override

QString settingsIn(const QString& dir, const QString& base) {
    return dir + QLatin1Char('/') + base + QStringLiteral(".ini");
}
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
    // Asked before every statement: worked out once.
    if (!g_dir.isEmpty())
        return g_settings;
    if (!QCoreApplication::instance()) // no executable path to go by yet
        return settingsIn(ExecutableDir(), ExecutableBaseName());
    static const QString own = settingsIn(ExecutableDir(), ExecutableBaseName());
    return own;
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
    g_settings = settingsIn(dir, baseName);
}

} // namespace AppPaths
