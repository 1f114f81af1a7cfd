#include "reports/RowsModel.h"

#include "platform/Query.h"

RowsModel::RowsModel(QObject* parent) : QAbstractTableModel(parent) {}

void RowsModel::Load(Query& query) {
    beginResetModel();
    m_names.clear();
    m_rows.clear();
    for (int i = 0; i < query.FieldCount(); ++i)
        m_names << query.Fields(i).name();
    for (; !query.Eof(); query.Next()) {
        QVector<QVariant> row;
        row.reserve(m_names.size());
        for (int i = 0; i < m_names.size(); ++i) {
            const Field field = query.Fields(i);
            row << (field.isNull() ? QVariant() : field.value());
        }
        m_rows << row;
    }
    endResetModel();
}

void RowsModel::Clear() {
    beginResetModel();
    m_names.clear();
    m_rows.clear();
    endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_names.size())
        return {};
    // The tooltip shows a value its column is too narrow for.
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const QVariant& value = m_rows[index.row()][index.column()];
    return value.isNull() ? QVariant(QString()) : QVariant(value.toString());
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_names.size() ? QVariant(m_names[section]) : QVariant();
    return section + 1;
}
