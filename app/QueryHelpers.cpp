#include "app/QueryHelpers.h"

#include "app/UtilitiesUnit.h"

namespace {
Query prepared(const QString& key) {
    Query q;
    q.SetConnectionString(BuildConnectionString(key));
    return q;
}
} // namespace

Query OpenOn(const QString& key, const QString& text) {
    Query q = prepared(key);
    q.SetText(text);
    q.Open();
    return q;
}

qint64 ExecOn(const QString& key, const QString& text) {
    Query q = prepared(key);
    q.SetText(text);
    return q.ExecSQL();
}

qint64 ExecOn(const QString& key, const QStringList& lines) {
    Query q = prepared(key);
    q.SetLines(lines);
    return q.ExecSQL();
}

QStringList FirstColumn(Query& query) {
    QStringList values;
    for (; !query.Eof(); query.Next())
        values << query.Fields(0).AsString();
    return values;
}

QStringList ListOn(const QString& key, const QString& text) {
    Query q = OpenOn(key, text);
    return FirstColumn(q);
}
