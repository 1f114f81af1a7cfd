#pragma once

#include <QString>
#include <QStringList>

// SQL for the embedded server that makes every UPDATE of `tables` fail from
// the `from`-th one on (counted from 0 over all of them), as a server refusing
// a statement would; only updates that succeed count. `ClearFaults` removes
// it again.
inline QString FaultFrom(int from, const QStringList& tables) {
    QString sql = QStringLiteral("CREATE TABLE fault (n INTEGER); INSERT INTO fault VALUES (0);\n");
    for (const QString& t : tables)
        sql += QStringLiteral(
                   "CREATE TRIGGER fault_%1 BEFORE UPDATE ON %1 WHEN (SELECT n FROM fault) >= %2 "
                   "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;\n"
                   "CREATE TRIGGER count_%1 AFTER UPDATE ON %1 BEGIN UPDATE fault SET n = n + 1; END;\n")
                   .arg(t)
                   .arg(from);
    return sql;
}

inline QString ClearFaults(const QStringList& tables) {
    QString sql = QStringLiteral("DROP TABLE IF EXISTS fault;");
    for (const QString& t : tables)
        sql += QStringLiteral("DROP TRIGGER IF EXISTS fault_%1; DROP TRIGGER IF EXISTS count_%1;").arg(t);
    return sql;
}
