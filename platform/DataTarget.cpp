#include "platform/DataTarget.h"

#include "platform/AppPaths.h"
#include "platform/OdbcRegistry.h"
#include "platform/TanorError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

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

// A data source as its registry entry describes it (no login).
struct Resolved {
    quint64 version = 0;
    bool relative = false; // its file was named relative to the executable's folder
    QString folder;        // that folder then
    DataTarget target;
};

Resolved resolveDataSource(const QString& dsn) {
    Resolved out;
    DataTarget& target = out.target;
    target.label = dsn;
    const QStringList entry = OdbcRegistry::ReadMany(
        dsn, {QStringLiteral("Driver"), QStringLiteral("Database"), QStringLiteral("Timeout")});
    if (!OdbcRegistry::IsEmbeddedDriver(entry[0])) {
        target.backend = DataTarget::Backend::Odbc;
        target.location = dsn;
        return out;
    }
    target.backend = DataTarget::Backend::Embedded;
    QString file = entry[1];
    if (file.isEmpty())
        throw DbError(QStringLiteral("The data source \"%1\" names no database file").arg(dsn));
    if (QFileInfo(file).isRelative()) {
        out.relative = true;
        out.folder = AppPaths::ExecutableDir();
        file = QDir(out.folder).absoluteFilePath(file);
    }
    target.location = file;
    bool ok = false;
    const int timeout = entry[2].toInt(&ok);
    if (ok && timeout > 0)
        target.busyTimeoutMs = timeout;
    return out;
}

} // namespace

QString DataTarget::key() const {
    if (!poolKey.isEmpty())
        return poolKey;
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
    switch (parsed.kind) {
    case ConnectionTarget::Kind::Catalogue: {
        DataTarget target;
        target.backend = DataTarget::Backend::Embedded;
        target.catalogue = true;
        target.location = parsed.dataSource;
        target.label = parsed.dataSource;
        target.poolKey = target.key();
        return target;
    }
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
    // The entry is read again whenever the registry may have changed.
    static QHash<QString, Resolved> known;
    Resolved& entry = known[parsed.dataSource];
    if (entry.version != OdbcRegistry::Version() ||
        (entry.relative && entry.folder != AppPaths::ExecutableDir())) {
        const quint64 version = OdbcRegistry::Version(); // taken before the read
        entry = resolveDataSource(parsed.dataSource);
        entry.version = version;
    }
    if (entry.target.user != parsed.user || entry.target.password != parsed.password ||
        entry.target.poolKey.isEmpty()) {
        entry.target.user = parsed.user;
        entry.target.password = parsed.password;
        entry.target.poolKey.clear();
        entry.target.poolKey = entry.target.key();
    }
    return entry.target;
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
