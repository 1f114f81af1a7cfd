#include "reports/CatalogueTableModel.h"

#include "core/UtilitiesUnit.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

#include <limits>

namespace {

// Whole-number columns of the catalogue and the values the item windows can
// use: the unique bit of a narrow record (0 or 8), the type nibble of a wide
// one, a footprint that fits the widest grid, a set number. Other tables'
// columns are taken as numeric when their first value is a number.
struct NumberColumn {
    const char* name;
    qint64 low;
    qint64 high;
    qint64 step;
};

constexpr NumberColumn kNumberColumns[] = {
    {"Unique", 0, 8, 8},
    {"Unique2", 0, 15, 1},
    {"x", 1, 8, 1},
    {"y", 1, 8, 1},
    {"SetNumber", 0, std::numeric_limits<int>::max(), 1},
};

const NumberColumn* knownNumber(const QString& column) {
    for (const NumberColumn& n : kNumberColumns)
        if (column.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return &n;
    return nullptr;
}

bool knownNumeric(const QString& column) {
    return knownNumber(column) != nullptr;
}

bool isNumber(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

Query catalogueQuery(const QString& text) {
    Query q;
    q.SetConnectionString(CatalogueConnectionString());
    q.SetText(text);
    return q;
}

// A typed or imported value: text stays as it is (NULL stays NULL), numbers
// must be whole and, in the catalogue's own number columns, present and in
// range. A number column has no empty text: empty is NULL there.
QVariant typedValue(const QVariant& value, bool numeric, const QString& column) {
    const NumberColumn* known = knownNumber(column);
    const QString text = value.toString().trimmed();
    if (!numeric)
        return value.isNull() ? QVariant() : QVariant(value.toString());
    if (!known && text.isEmpty())
        return {};
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok && !text.isEmpty())
        throw ConvertError(
            QStringLiteral("'%1' is not a whole number for the field %2").arg(value.toString(), column));
    if (known &&
        (!ok || number < known->low || number > known->high || (number - known->low) % known->step != 0))
        throw ConvertError(
            known->step == 1
                ? QStringLiteral("The field %1 takes a whole number from %2 to %3")
                      .arg(column)
                      .arg(known->low)
                      .arg(known->high)
                : QStringLiteral("The field %1 takes %2 or %3").arg(column).arg(known->low).arg(known->high));
    return number;
}

} // namespace

CatalogueTableModel::CatalogueTableModel(QObject* parent) : RowsModel(parent) {}

void CatalogueTableModel::Open(const QString& table) {
    m_table = table;
    m_editRow = -1;
    Clear();
    m_numeric.clear();
    m_original.clear();
    m_new.clear();
    m_ids.clear();
    if (!ReportStatements::IsCatalogueTable(table))
        throw TanorError(QStringLiteral("The catalogue has no table '%1' to edit").arg(table));
    Query q = catalogueQuery(ReportStatements::CatalogueRows(table));
    q.Open();
    Load(q, &m_ids);
    for (int c = 0; c < m_names.size(); ++c) {
        bool numeric = knownNumeric(m_names[c]);
        for (const auto& row : m_rows)
            if (!row[c].isNull()) {
                numeric = numeric || isNumber(row[c]);
                break;
            }
        m_numeric << numeric;
    }
    m_original = m_rows;
    m_new = QVector<bool>(m_rows.size(), false);
}

QVector<int> CatalogueTableModel::ColumnWidths(const QString& table) {
    if (table == QLatin1String("Item"))
        return {20, 20, 20, 20, 20, 120, 50, 18, 18, 30, 20, 25, 25};
    if (table == QLatin1String("Skill"))
        return {20, 120, 120};
    return {};
}

void CatalogueTableModel::Refresh() {
    Open(m_table);
}

Qt::ItemFlags CatalogueTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool CatalogueTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || (m_editRow >= 0 && m_editRow != index.row()))
        return false;
    const QString text = value.toString();
    m_rows[index.row()][index.column()] = text.isEmpty() ? QVariant() : QVariant(text);
    m_editRow = index.row();
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void CatalogueTableModel::Edit(int row) {
    if (m_editRow < 0 && row >= 0 && row < m_rows.size())
        m_editRow = row;
}

QVector<ReportStatements::CatalogueColumn> CatalogueTableModel::columns() const {
    QVector<ReportStatements::CatalogueColumn> out;
    for (int c = 0; c < m_names.size(); ++c)
        out.push_back({m_names[c], m_numeric[c]});
    return out;
}

QVector<QVariant> CatalogueTableModel::typed(const QVector<QVariant>& row) const {
    QVector<QVariant> values;
    for (int c = 0; c < m_names.size(); ++c)
        values << typedValue(row[c], m_numeric[c], m_names[c]);
    return values;
}

void CatalogueTableModel::Post() {
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    const QVector<QVariant> values = typed(m_rows[row]);
    if (m_new[row]) {
        // The new row's rowid, asked on the connection that inserted it.
        Query q = catalogueQuery(ReportStatements::CatalogueInsert(m_table, columns(), values));
        q.Hold(true);
        (void)q.ExecSQL();
        q.SetText(ReportStatements::CatalogueInsertedRow());
        q.Open();
        m_ids[row] = q.Fields(0).AsLargeInt();
    } else {
        Query q = catalogueQuery(ReportStatements::CatalogueUpdate(m_table, columns(), m_ids[row], values));
        if (q.ExecSQL() == 0)
            throw DbError(QStringLiteral("The row is no longer in the table %1: it was deleted since it was "
                                         "read")
                              .arg(m_table));
    }
    m_rows[row] = values;
    m_original[row] = values;
    m_new[row] = false;
    m_editRow = -1;
    Q_EMIT dataChanged(index(row, 0), index(row, int(m_names.size()) - 1));
}

void CatalogueTableModel::Cancel() {
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    m_editRow = -1;
    if (m_new[row]) {
        removeRowAt(row);
        return;
    }
    m_rows[row] = m_original[row];
    Q_EMIT dataChanged(index(row, 0), index(row, int(m_names.size()) - 1));
}

void CatalogueTableModel::InsertAt(int row) {
    if (m_editRow >= 0 || m_names.isEmpty())
        return;
    row = qBound(0, row, int(m_rows.size()));
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, QVector<QVariant>(m_names.size()));
    m_original.insert(row, QVector<QVariant>(m_names.size()));
    m_new.insert(row, true);
    m_ids.insert(row, 0);
    endInsertRows();
    m_editRow = row;
}

void CatalogueTableModel::DeleteRow(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    if (!m_new[row]) {
        Query q = catalogueQuery(ReportStatements::CatalogueDelete(m_table, m_ids[row]));
        (void)q.ExecSQL();
    }
    if (m_editRow == row)
        m_editRow = -1;
    else if (m_editRow > row)
        --m_editRow;
    removeRowAt(row);
}

void CatalogueTableModel::removeRowAt(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    m_original.removeAt(row);
    m_new.removeAt(row);
    m_ids.removeAt(row);
    endRemoveRows();
}

QVector<CatalogueImport::Row> CatalogueTableModel::CheckCsv(const QVector<Csv::Record>& records) const {
    if (records.isEmpty())
        throw ConvertError(QStringLiteral("The file is empty: the first line must name the columns"));
    // The header names the columns, in any order; each column of the table
    // must be named once, so a file saved from a spreadsheet with its
    // columns moved still lands in the right places.
    const Csv::Record& header = records.front();
    QVector<int> source(m_names.size(), -1); // field of the file for each column of the table
    bool known = header.fields.size() == m_names.size();
    for (qsizetype f = 0; known && f < header.fields.size(); ++f) {
        const auto match = std::find_if(m_names.begin(), m_names.end(), [&](const QString& name) {
            return name.compare(header.fields[f].trimmed(), Qt::CaseInsensitive) == 0;
        });
        const int column = int(match - m_names.begin());
        known = match != m_names.end() && source[column] < 0;
        if (known)
            source[column] = int(f);
    }
    if (!known)
        throw ConvertError(QStringLiteral("Line %1: the columns must be %2, in any order")
                               .arg(header.line)
                               .arg(m_names.join(QLatin1Char(','))));
    QVector<CatalogueImport::Row> rows;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const Csv::Record& r = records[i];
        if (r.fields.size() != m_names.size())
            throw ConvertError(QStringLiteral("Line %1: %2 fields where the table has %3 columns")
                                   .arg(r.line)
                                   .arg(r.fields.size())
                                   .arg(m_names.size()));
        QVector<QVariant> row;
        for (int c = 0; c < m_names.size(); ++c) {
            const QString& field = r.fields[source[c]];
            row << (field.isNull() ? QVariant() : QVariant(field));
        }
        try {
            rows.push_back({r.line, typed(row)});
        } catch (const ConvertError& e) {
            throw ConvertError(QStringLiteral("Line %1: %2").arg(r.line).arg(e.text()));
        }
    }
    return rows;
}

CatalogueImport::Plan CatalogueTableModel::PlanImport(const QString& file) const {
    CatalogueImport::Plan plan;
    plan.rows = CheckCsv(Csv::Parse(Csv::ReadFile(file)));
    plan.stored = CatalogueImport::StoredRows(CatalogueConnectionString(), m_table);
    return plan;
}

void CatalogueTableModel::Import(const CatalogueImport::Plan& plan) {
    // The grid shows what the file holds afterwards, whichever way it went.
    try {
        CatalogueImport::Replace(CatalogueConnectionString(), m_table, columns(), plan.rows);
    } catch (...) {
        try {
            Refresh();
        } catch (const TanorError&) {
            // The import's own error is the one to show.
        }
        throw;
    }
    Refresh();
}
