#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// Rewrites the T-SQL statements the windows send into statements the embedded
// SQLite server runs with the same meaning. A construct it cannot serve makes
// Rewrite throw a DbError that names it.
namespace SqliteDialect {

struct Context {
    QString ownDatabase;    // stem of the file the connection opened ("TanorOnline")
    bool catalogue = false; // the item catalogue: quote column names that are keywords
};

struct ProcedureCall {
    QString name;
    // Named arguments ("@AccountID" -> "'abc'") as SQLite literals, in the
    // order written; positional arguments get the names "1", "2", ...
    QVector<QPair<QString, QString>> arguments;
};

struct Statement {
    QString sql;        // the rewritten statement (empty for a procedure call)
    QStringList attach; // other databases it names (Db..Table), to attach first
    bool isProcedure = false;
    ProcedureCall call;
    bool returnsRows = false; // SELECT, VALUES, WITH, PRAGMA
};

// Splits a batch at ";" and rewrites each statement.
[[nodiscard]] QVector<Statement> Rewrite(const QString& sql, const Context& context);

} // namespace SqliteDialect
