// tanorsql: runs statements read from standard input through the editor's
// own data layer and prints result rows tab-separated, so an operator (or a
// test) sees what the editor would send and get back.
//
//   tanorsql [--dir <editor folder>] (--dsn <name> | --key <settings key> | --catalogue)
//
// Statements are separated by ";". Row-returning statements (SELECT, EXEC,
// ...) print their rows; others print "(n rows affected)" on standard error.
// Binary values print as 0x followed by hexadecimal digits.
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/Query.h"
#include "platform/SqlTokenizer.h"
#include "platform/TanorError.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool returnsRows(const QVector<SqlToken>& statement) {
    for (const SqlToken& t : statement) {
        if (t.isSpace())
            continue;
        return t.isWord("SELECT") || t.isWord("EXEC") || t.isWord("EXECUTE") || t.isWord("WITH") ||
               t.isWord("VALUES") || t.isWord("PRAGMA");
    }
    return false;
}

QString cell(const Field& f) {
    if (f.isNull())
        return QStringLiteral("NULL");
    if (f.value().typeId() == QMetaType::QByteArray)
        return QStringLiteral("0x") + BytesToHex(f.AsBytes());
    return f.AsString();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ConnectionPoolScope pool;
    QStringList args = QCoreApplication::arguments().mid(1);
    QString connection;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--dir")) {
            AppPaths::SetOverride(value);
            ++i;
        } else if (a == QLatin1String("--dsn")) {
            connection = QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=") +
                         value + QStringLiteral(";uid=;pwd=");
            ++i;
        } else if (a == QLatin1String("--key")) {
            connection = QStringLiteral("key:") + value;
            ++i;
        } else if (a == QLatin1String("--catalogue")) {
            connection = QStringLiteral("catalogue");
        } else {
            std::fprintf(stderr, "tanorsql: unknown argument %s\n", qPrintable(a));
            return 2;
        }
    }
    if (connection.startsWith(QLatin1String("key:")))
        connection = BuildConnectionString(connection.mid(4));
    else if (connection == QLatin1String("catalogue"))
        connection = CatalogueConnectionString();
    if (connection.isEmpty()) {
        std::fputs("usage: tanorsql [--dir <folder>] (--dsn <name> | --key <settings key> | --catalogue)\n",
                   stderr);
        return 2;
    }

    QTextStream in(stdin);
    QTextStream out(stdout);
    const QString input = in.readAll();
    try {
        for (const QVector<SqlToken>& statement :
             SqlTokenizer::SplitStatements(SqlTokenizer::Tokenize(input))) {
            Query q;
            q.SetConnectionString(connection);
            q.SetText(SqlTokenizer::Join(statement).trimmed());
            if (!returnsRows(statement)) {
                const qint64 rows = q.ExecSQL();
                std::fprintf(stderr, "(%lld rows affected)\n", static_cast<long long>(rows));
                continue;
            }
            q.Open();
            for (; !q.Eof(); q.Next()) {
                QStringList cells;
                for (int i = 0; i < q.FieldCount(); ++i)
                    cells << cell(q.Fields(i));
                out << cells.join(QLatin1Char('\t')) << '\n';
            }
            out.flush();
        }
    } catch (const TanorError& e) {
        out.flush();
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
