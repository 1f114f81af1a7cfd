#include "reports/CatalogueImport.h"

#include "platform/Query.h"
#include "platform/TanorError.h"

namespace CatalogueImport {

qint64 StoredRows(const QString& connection, const QString& table) {
    Query q;
    q.SetConnectionString(connection);
    q.SetText(ReportStatements::CatalogueCount(table));
    q.Open();
    return q.Fields(0).AsLargeInt();
}

void Replace(const QString& connection, const QString& table,
             const QVector<ReportStatements::CatalogueColumn>& columns, const QVector<Row>& rows) {
    // One held connection, so that every statement runs in the transaction.
    Query q;
    q.SetConnectionString(connection);
    q.Hold(true);
    auto send = [&q](const QString& text) {
        q.SetText(text);
        (void)q.ExecSQL();
    };
    send(ReportStatements::CatalogueBegin());
    try {
        send(ReportStatements::CatalogueClear(table));
        for (const Row& row : rows) {
            try {
                send(ReportStatements::CatalogueInsert(table, columns, row.values));
            } catch (const TanorError& e) {
                throw DbError(QStringLiteral("Line %1: %2").arg(row.line).arg(e.text()));
            }
        }
        send(ReportStatements::CatalogueCommit());
    } catch (...) {
        try {
            send(ReportStatements::CatalogueRollback());
        } catch (const TanorError&) {
            // The connection has given up the transaction already.
        }
        throw;
    }
}

} // namespace CatalogueImport
