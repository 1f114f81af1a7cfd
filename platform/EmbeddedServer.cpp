#include "platform/EmbeddedServer.h"

#include "platform/DataTarget.h"
#include "platform/DriverError.h"
#include "platform/SqlTokenizer.h"
#include "platform/TanorError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

namespace {

// SQLite's result code for a file whose header is not an SQLite database.
constexpr int kNotADatabase = 26;

void exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(DriverErrorText(q.lastError()));
}

// Names a file that SQLite refused as not being a database. No SQLite
// connection can hold locks on such a file, so reading its head is safe.
QString describeForeignFile(const QString& file) {
    QFile f(file);
    const QByteArray head = f.open(QIODevice::ReadOnly) ? f.read(32) : QByteArray();
    if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
        return QStringLiteral("\"%1\" is a Microsoft Access database; this build reads the catalogue from an "
                              "SQLite database of that name, built from the catalogue's text rows")
            .arg(file);
    return QStringLiteral("\"%1\" is not a database file").arg(file);
}

QString quoteName(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

namespace EmbeddedServer {

void CheckDatabaseFile(const QString& file) {
    // Only the file's metadata: opening and closing the file here would drop the
    // POSIX locks that this process's SQLite connections hold on it, and another
    // process would then take itself for the last user and delete the WAL.
    const QFileInfo info(file);
    if (!info.exists())
        throw DbError(QStringLiteral("The database file \"%1\" does not exist").arg(file));
    if (!info.isFile())
        throw DbError(QStringLiteral("\"%1\" is not a database file").arg(file));
}

void Prepare(QSqlDatabase& db, bool catalogue) {
    // The first statement reads the file's header through SQLite itself.
    QSqlQuery probe(db);
    if (!probe.exec(catalogue ? QStringLiteral("PRAGMA schema_version")
                              : QStringLiteral("PRAGMA journal_mode=WAL"))) {
        const QSqlError error = probe.lastError();
        if (error.nativeErrorCode().toInt() == kNotADatabase)
            throw DbError(describeForeignFile(db.databaseName()));
        const QString text = DriverErrorText(error);
        if (text == kBusyText) // about the moment, not the file
            throw DbError(text);
        throw DbError(QStringLiteral("\"%1\": %2").arg(db.databaseName(), text));
    }
}

void Attach(QSqlDatabase& db, const QString& ownFile, const QString& name) {
    const QString file = DataTargets::SiblingDatabaseFile(ownFile, name);
    if (file.isEmpty())
        throw DbError(QStringLiteral("Database '%1' does not exist beside \"%2\"").arg(name, ownFile));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS ") + quoteName(name));
    q.addBindValue(file);
    if (!q.exec())
        throw DbError(DriverErrorText(q.lastError()));
}

Rows RunProcedure(QSqlDatabase& db, const SqliteDialect::ProcedureCall& call) {
    QSqlQuery find(db);
    find.prepare(QStringLiteral("SELECT params, body FROM tanor_procedures WHERE name = ? COLLATE NOCASE"));
    find.addBindValue(call.name);
    if (!find.exec() || !find.next())
        throw DbError(QStringLiteral("Could not find stored procedure '%1'.").arg(call.name));
    QStringList params;
    for (const QString& p : find.value(0).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        params << (p.startsWith(QLatin1Char('@')) ? p.mid(1) : p);
    const QString body = find.value(1).toString();
    find.finish();

    QHash<QString, QString> values; // lower-case name -> literal
    for (const auto& [name, literal] : call.arguments) {
        bool positional = false;
        const int position = name.toInt(&positional);
        QString param;
        if (positional) {
            if (position < 1 || position > params.size())
                throw DbError(QStringLiteral("Procedure or function %1 has too many arguments specified.")
                                  .arg(call.name));
            param = params[position - 1];
        } else {
            for (const QString& p : params) {
                if (p.compare(name, Qt::CaseInsensitive) == 0)
                    param = p;
            }
            if (param.isEmpty())
                throw DbError(
                    QStringLiteral("@%1 is not a parameter for procedure %2.").arg(name, call.name));
        }
        values.insert(param.toLower(), literal);
    }

    QVector<SqlToken> tokens = SqlTokenizer::Tokenize(body);
    for (SqlToken& t : tokens) {
        if (t.kind == SqlToken::Kind::Parameter) {
            t.kind = SqlToken::Kind::Word;
            t.text = values.value(t.text.mid(1).toLower(), QStringLiteral("NULL"));
        }
    }

    Rows result;
    exec(db, QStringLiteral("SAVEPOINT tanor_procedure"));
    try {
        for (const QVector<SqlToken>& statement : SqlTokenizer::SplitStatements(tokens)) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(SqlTokenizer::Join(statement)))
                throw DbError(DriverErrorText(q.lastError()));
            if (q.isSelect()) {
                result.record = q.record();
                result.rows.clear();
                while (q.next()) {
                    QVector<QVariant> row(result.record.count());
                    for (int i = 0; i < row.size(); ++i)
                        row[i] = q.value(i);
                    result.rows.push_back(std::move(row));
                }
            }
        }
        exec(db, QStringLiteral("RELEASE tanor_procedure"));
    } catch (...) {
        QSqlQuery undo(db);
        undo.exec(QStringLiteral("ROLLBACK TO tanor_procedure"));
        undo.exec(QStringLiteral("RELEASE tanor_procedure"));
        throw;
    }
    return result;
}

} // namespace EmbeddedServer
