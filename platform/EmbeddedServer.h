#pragma once

#include "platform/SqliteDialect.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVector>

// The embedded stand-in for SQL Server: SQLite files with the functions the
// tool's statements call, sibling databases attached on demand and stored
// procedures kept as data.
namespace EmbeddedServer {

// Throws DbError unless `file` is an SQLite database (an Access file, a
// missing file and anything else are reported plainly).
void CheckDatabaseFile(const QString& file);

// Prepares a freshly opened connection: journal mode, SQL functions.
void Prepare(QSqlDatabase& db, bool catalogue);

// Attaches database `name` (a sibling file of `ownFile`) under that name.
void Attach(QSqlDatabase& db, const QString& ownFile, const QString& name);

struct Rows {
    QSqlRecord record;
    QVector<QVector<QVariant>> rows;
};

// Runs a procedure stored in the table tanor_procedures and returns the rows
// of the last SELECT of its body. The body runs under a savepoint: a failing
// statement undoes the whole call.
[[nodiscard]] Rows RunProcedure(QSqlDatabase& db, const SqliteDialect::ProcedureCall& call);

} // namespace EmbeddedServer
