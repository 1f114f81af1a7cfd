#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Query;

// The rows of a result, read once into memory and shown read-only: column
// names from the result, NULL shown as an empty cell. The text of a cell is
// a null QString for NULL and a non-null one otherwise (even when empty), so
// an export can tell them apart.
class RowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RowsModel(QObject* parent = nullptr);

    // Replaces the contents with the rows of an open query, from its
    // current row on. With `rowIds`, the first column of the result is each
    // row's id: it goes there and is not shown.
    void Load(Query& query, QVector<qint64>* rowIds = nullptr);
    void Clear();

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    [[nodiscard]] const QStringList& ColumnNames() const { return m_names; }
    [[nodiscard]] const QVector<QVariant>& Row(int row) const { return m_rows[row]; }

protected:
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
};
