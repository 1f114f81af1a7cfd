#include "core/QueryHelpers.h"

#include "core/UtilitiesUnit.h"

namespace {
Query prepared(DataSource source) {
    Query q;
    q.SetConnectionString(BuildConnectionString(source));
    return q;
}
} // namespace

Query OpenOn(DataSource source, const QString& text) {
    Query q = prepared(source);
    q.SetText(text);
    q.Open();
    return q;
}

Query OpenOn(DataSource source, const QStringList& lines) {
    Query q = prepared(source);
    q.SetLines(lines);
    q.Open();
    return q;
}

qint64 ExecOn(DataSource source, const QString& text) {
    Query q = prepared(source);
    q.SetText(text);
    return q.ExecSQL();
}

qint64 ExecOn(DataSource source, const QStringList& lines) {
    Query q = prepared(source);
    q.SetLines(lines);
    return q.ExecSQL();
}

QStringList FirstColumn(Query& query) {
    QStringList values;
    for (; !query.Eof(); query.Next())
        values << query.Fields(0).AsString();
    return values;
}

QStringList ListOn(DataSource source, const QString& text) {
    Query q = OpenOn(source, text);
    return FirstColumn(q);
}
