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

// Throws DbError unless `file` exists as a plain file (QSQLITE would create
// a missing one). The file is never opened here.
void CheckDatabaseFile(const QString& file);

// Prepares a freshly opened connection (journal mode) and, by reading the
// header through SQLite, throws a DbError naming an Access file or any other
// file that is not an SQLite database.
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
