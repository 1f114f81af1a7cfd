#pragma once

#include "platform/ConnectionString.h"

#include <QString>

// Where a connection string leads once the data source registry has been
// consulted: a file of the embedded server, or an ODBC data source.
struct DataTarget {
    enum class Backend { Embedded, Odbc };
    Backend backend = Backend::Odbc;
    bool catalogue = false; // the item catalogue file (its own dialect)
    QString location;       // file (embedded) or bare DSN name (ODBC)
    QString user;
    QString password;
    int busyTimeoutMs = 5000;
    QString label;   // what the journal shows: the DSN name or the file
    QString poolKey; // key() worked out once by Resolve

    // Pool key: a settings or registry change gives a new key.
    [[nodiscard]] QString key() const;
    // Stem of the embedded file ("TanorOnline" for .../TanorOnline.db).
    [[nodiscard]] QString ownDatabase() const;
};

namespace DataTargets {

// Resolves a connection string. Throws DbError for the local-server form,
// which is only listed (ListLocalDatabases), and for a SQLite data source
// that names no file.
[[nodiscard]] DataTarget Resolve(const QString& connectionString);
// The same for a connection string already taken apart.
[[nodiscard]] DataTarget Resolve(const ConnectionTarget& parsed);

// The databases of the local server: on this platform the database files of
// the embedded server's folder, by name, sorted.
[[nodiscard]] QStringList ListLocalDatabases();

// The file of database `name` in the embedded server's folder (for
// registering a data source on it); empty when there is none.
[[nodiscard]] QString LocalDatabaseFile(const QString& name);

// The file of database `name` beside `siblingFile` (for Db..Table); empty
// when there is none.
[[nodiscard]] QString SiblingDatabaseFile(const QString& siblingFile, const QString& name);

} // namespace DataTargets
