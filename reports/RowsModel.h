#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Query;

// The rows of a result, read once into memory and shown read-only: column
// names from the result, NULL shown as an empty cell.
class RowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RowsModel(QObject* parent = nullptr);

    // Replaces the contents with the rows of an open query, from its
    // current row on.
    void Load(Query& query);
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
