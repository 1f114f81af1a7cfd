#include "reports/RowsModel.h"

#include "platform/Query.h"

RowsModel::RowsModel(QObject* parent) : QAbstractTableModel(parent) {}

void RowsModel::Load(Query& query, QVector<qint64>* rowIds) {
    beginResetModel();
    m_names.clear();
    m_rows.clear();
    const int first = rowIds ? 1 : 0;
    if (rowIds)
        rowIds->clear();
    for (int i = first; i < query.FieldCount(); ++i)
        m_names << query.Fields(i).name();
    for (; !query.Eof(); query.Next()) {
        if (rowIds)
            *rowIds << query.Fields(0).AsLargeInt();
        QVector<QVariant> row;
        row.reserve(m_names.size());
        for (int i = first; i < query.FieldCount(); ++i) {
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
    if (value.isNull())
        return QVariant(QString());
    const QString text = value.toString();
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_names.size() ? QVariant(m_names[section]) : QVariant();
    return section + 1;
}
