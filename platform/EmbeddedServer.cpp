#include "platform/EmbeddedServer.h"

#include "platform/DataTarget.h"
#include "platform/SqlTokenizer.h"
#include "platform/TanorError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

void getdateFn(sqlite3_context* ctx, int, sqlite3_value**) {
    const QByteArray now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    sqlite3_result_text(ctx, now.constData(), int(now.size()), SQLITE_TRANSIENT);
}

sqlite3* handleOf(QSqlDatabase& db) {
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

void exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(q.lastError().text());
}

QString quoteName(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

namespace EmbeddedServer {

void CheckDatabaseFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        throw DbError(QStringLiteral("The database file \"%1\" does not exist").arg(file));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(
            QStringLiteral("The database file \"%1\" cannot be read: %2").arg(file, f.errorString()));
    const QByteArray head = f.read(32);
    if (head.isEmpty())
        return; // an empty file is a new, empty SQLite database
    if (head.startsWith(QByteArrayLiteral("SQLite format 3")))
        return;
    if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
        throw DbError(
            QStringLiteral("\"%1\" is a Microsoft Access database; this build reads the catalogue from an "
                           "SQLite database of that name, built from the catalogue's text rows")
                .arg(file));
    throw DbError(QStringLiteral("\"%1\" is not a database file").arg(file));
}

void Prepare(QSqlDatabase& db, bool catalogue) {
    if (!catalogue)
        exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    sqlite3* handle = handleOf(db);
    if (!handle)
        throw DbError(QStringLiteral("The SQLite driver gave no database handle"));
    sqlite3_create_function_v2(handle, "getdate", 0, SQLITE_UTF8, nullptr, getdateFn, nullptr, nullptr,
                               nullptr);
}

void Attach(QSqlDatabase& db, const QString& ownFile, const QString& name) {
    const QString file = DataTargets::SiblingDatabaseFile(ownFile, name);
    if (file.isEmpty())
        throw DbError(QStringLiteral("Database '%1' does not exist beside \"%2\"").arg(name, ownFile));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS ") + quoteName(name));
    q.addBindValue(file);
    if (!q.exec())
        throw DbError(q.lastError().text());
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
                throw DbError(q.lastError().text());
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
