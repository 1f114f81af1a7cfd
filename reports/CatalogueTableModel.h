#pragma once

#include "reports/CatalogueImport.h"
#include "reports/Csv.h"
#include "reports/ReportStatements.h"
#include "reports/RowsModel.h"

// One table of the item and skill catalogue, editable in place. Edits stay
// in the row until it is posted: one row at a time is in edit, posting
// writes it (an INSERT for a new row, an UPDATE of its rowid otherwise),
// cancelling restores it. The tables have no key and may hold identical
// rows, so each row is written and deleted by its rowid alone. Every
// statement builds the catalogue connection string afresh.
class CatalogueTableModel : public RowsModel {
    Q_OBJECT
public:
    explicit CatalogueTableModel(QObject* parent = nullptr);

    // Reads the table; on failure the model is left empty and the error
    // thrown. A table the editor does not know is refused unread.
    void Open(const QString& table);
    void Refresh();
    [[nodiscard]] const QString& Table() const { return m_table; }
    // The grid's widths of a table's columns by position; columns past the
    // end keep the grid's own width.
    [[nodiscard]] static QVector<int> ColumnWidths(const QString& table);

    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Only the row in edit (or a row when none is) accepts values.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    [[nodiscard]] int EditingRow() const { return m_editRow; }
    [[nodiscard]] bool IsEditing() const { return m_editRow >= 0; }
    // Puts a row in edit without changing it.
    void Edit(int row);
    // Writes the row in edit. A value the table refuses throws and leaves
    // the row in edit.
    void Post();
    // Drops the edits of the row in edit; a new row goes away.
    void Cancel();
    // A new empty row at `row`, in edit. Nothing is written before Post.
    void InsertAt(int row);
    // Deletes a row from the table (a new row in edit is only dropped).
    void DeleteRow(int row);

    // The rows of a CSV text with the table's columns in a header, typed
    // for the table. A bad record throws ConvertError naming its line. An
    // empty unquoted field is NULL, "" is empty text.
    [[nodiscard]] QVector<CatalogueImport::Row> CheckCsv(const QVector<Csv::Record>& records) const;
    // Reads and checks a CSV file, and counts the rows the table holds now;
    // nothing is written.
    [[nodiscard]] CatalogueImport::Plan PlanImport(const QString& file) const;
    // Replaces every row of the table by the plan's rows, all or nothing,
    // and reads the table again (also after a failure).
    void Import(const CatalogueImport::Plan& plan);

private:
    [[nodiscard]] QVector<ReportStatements::CatalogueColumn> columns() const;
    // A row's values typed for a statement; throws ConvertError for a
    // number that is not one.
    [[nodiscard]] QVector<QVariant> typed(const QVector<QVariant>& row) const;
    void removeRowAt(int row);

    QString m_table;
    QVector<bool> m_numeric;
    QVector<QVector<QVariant>> m_original; // as read or last posted
    QVector<qint64> m_ids;                 // rowid of each row (0 for a new one)
    QVector<bool> m_new;                   // inserted here, never posted
    int m_editRow = -1;
};
