#pragma once

#include "reports/ReportStatements.h"

#include <QVariant>
#include <QVector>

// Replacing a catalogue table by the rows of a file. Either every row of
// the file is written or the table stays exactly as it was: a catalogue
// left half-imported would misname or lose items in every window.
namespace CatalogueImport {

// A row of the file typed for the table, and the line it starts on.
struct Row {
    int line = 0;
    QVector<QVariant> values;
};

// What an import would do: the rows it writes and how many rows the table
// holds now (all of them go).
struct Plan {
    QVector<Row> rows;
    qint64 stored = 0;
};

[[nodiscard]] qint64 StoredRows(const QString& connection, const QString& table);

// Empties `table` and inserts `rows` in one transaction on `connection`. A
// row the table refuses throws DbError "Line N: " + the driver's text after
// the transaction was rolled back; any other failure rolls back too.
void Replace(const QString& connection, const QString& table,
             const QVector<ReportStatements::CatalogueColumn>& columns, const QVector<Row>& rows);

} // namespace CatalogueImport
