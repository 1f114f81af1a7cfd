#include "platform/DataTarget.h"

#include "platform/AppPaths.h"
#include "platform/OdbcRegistry.h"
#include "platform/TanorError.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kSuffixes = {QStringLiteral("db"), QStringLiteral("sqlite"), QStringLiteral("sqlite3")};

QString findIn(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& f : files) {
        if (f.completeBaseName().compare(name, Qt::CaseInsensitive) == 0 &&
            kSuffixes.contains(f.suffix(), Qt::CaseInsensitive))
            return f.absoluteFilePath();
    }
    return {};
}

} // namespace

QString DataTarget::key() const {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(backend == Backend::Embedded ? QStringLiteral("sqlite") : QStringLiteral("odbc"), location, user,
             password, catalogue ? QStringLiteral("cat") : QString());
}

QString DataTarget::ownDatabase() const {
    return QFileInfo(location).completeBaseName();
}

namespace DataTargets {

DataTarget Resolve(const QString& connectionString) {
    return Resolve(ConnectionString::Parse(connectionString));
}

DataTarget Resolve(const ConnectionTarget& parsed) {
    DataTarget target;
    switch (parsed.kind) {
    case ConnectionTarget::Kind::Catalogue:
        target.backend = DataTarget::Backend::Embedded;
        target.catalogue = true;
        target.location = parsed.dataSource;
        target.label = parsed.dataSource;
        return target;
    case ConnectionTarget::Kind::LocalServer:
        throw DbError(QStringLiteral("The local server (%1) is only reached to list its databases")
                          .arg(parsed.dataSource));
    case ConnectionTarget::Kind::OdbcDataSource:
        break;
    }
    // Handing an empty name to the driver manager picks whatever default data
    // source it has; name the real fault instead.
    if (parsed.dataSource.trimmed().isEmpty())
        throw DbError(
            QStringLiteral("Data source name not found and no default driver specified: the data source "
                           "name of this connection is empty"));
    target.label = parsed.dataSource;
    target.user = parsed.user;
    target.password = parsed.password;
    // One read of the entry per statement: a changed entry is seen by the
    // next statement.
    const QStringList entry = OdbcRegistry::ReadMany(
        parsed.dataSource, {QStringLiteral("Driver"), QStringLiteral("Database"), QStringLiteral("Timeout")});
    if (!OdbcRegistry::IsEmbeddedDriver(entry[0])) {
        target.backend = DataTarget::Backend::Odbc;
        target.location = parsed.dataSource;
        return target;
    }
    target.backend = DataTarget::Backend::Embedded;
    QString file = entry[1];
    if (file.isEmpty())
        throw DbError(QStringLiteral("The data source \"%1\" names no database file").arg(parsed.dataSource));
    if (QFileInfo(file).isRelative())
        file = QDir(AppPaths::ExecutableDir()).absoluteFilePath(file);
    target.location = file;
    bool ok = false;
    const int timeout = entry[2].toInt(&ok);
    if (ok && timeout > 0)
        target.busyTimeoutMs = timeout;
    return target;
}

QStringList ListLocalDatabases() {
    QStringList names;
    const QDir dir(AppPaths::LocalServerDir());
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files, QDir::Name)) {
        if (kSuffixes.contains(f.suffix(), Qt::CaseInsensitive))
            names << f.completeBaseName();
    }
    return names;
}

QString LocalDatabaseFile(const QString& name) {
    return findIn(AppPaths::LocalServerDir(), name);
}

QString SiblingDatabaseFile(const QString& siblingFile, const QString& name) {
    return findIn(QFileInfo(siblingFile).absolutePath(), name);
}

} // namespace DataTargets
