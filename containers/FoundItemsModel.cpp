#include "containers/FoundItemsModel.h"

#include <algorithm>
#include <iterator>

namespace {

const char* const kItemColumns[] = {"Account", "Character / vault", "Container", "Cell", "Item",
                                    "Level",   "Options",           "Serial",    "Hex"};
constexpr int kItemColumnCount = int(std::size(kItemColumns));

const char* const kCheckColumns[] = {"Problem", "Container", "Account", "Character / vault",
                                     "Cell",    "Detail",    "Hex"};
constexpr int kCheckColumnCount = int(std::size(kCheckColumns));

QString secondText(ServerScan::Kind kind, const QString& second) {
    return kind == ServerScan::Kind::Warehouse ? QString() : second;
}

} // namespace

FoundItemsModel::FoundItemsModel(Options options, QObject* parent)
    : QAbstractTableModel(parent), m_options(options) {}

void FoundItemsModel::SetItems(std::vector<ServerScan::Found> items, std::vector<int> groupSize) {
    beginResetModel();
    m_items = std::move(items);
    m_groupSize = std::move(groupSize);
    m_groupSize.resize(m_items.size(), 1);
    m_ticked.assign(m_items.size(), 0);
    endResetModel();
}

void FoundItemsModel::RemoveRows(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.rbegin(), sorted.rend());
    for (const int row : sorted) {
        beginRemoveRows({}, row, row);
        m_items.erase(m_items.begin() + row);
        m_groupSize.erase(m_groupSize.begin() + row);
        m_ticked.erase(m_ticked.begin() + row);
        endRemoveRows();
    }
}

std::vector<int> FoundItemsModel::TickedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_ticked.size(); ++i)
        if (m_ticked[i])
            rows.push_back(int(i));
    return rows;
}

int FoundItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

int FoundItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kItemColumnCount + (m_options.groups ? 1 : 0);
}

QVariant FoundItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (m_options.groups && section == 0)
        return QStringLiteral("Serial (holders)");
    return QString::fromLatin1(kItemColumns[section - (m_options.groups ? 1 : 0)]);
}

Qt::ItemFlags FoundItemsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_options.ticks && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool FoundItemsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_options.ticks || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    m_ticked[std::size_t(index.row())] = value.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {role});
    return true;
}

QVariant FoundItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (role == Qt::CheckStateRole && m_options.ticks && index.column() == 0)
        return m_ticked[std::size_t(row)] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DisplayRole)
        return text(row, index.column());
    if (role == kSortRole)
        return sortValue(row, index.column());
    return {};
}

QVariant FoundItemsModel::text(int row, int column) const {
    const ServerScan::Found& f = m_items[std::size_t(row)];
    if (m_options.groups) {
        if (column == 0)
            return QStringLiteral("%1 (%2)").arg(f.item.SerialText()).arg(m_groupSize[std::size_t(row)]);
        --column;
    }
    switch (column) {
    case 0:
        return f.account;
    case 1:
        return secondText(f.kind, f.second);
    case 2:
        return ServerScan::KindName(f.kind);
    case 3:
        return f.cell;
    case 4:
        return f.name.isEmpty() ? QStringLiteral("UNKNOWN") : f.name;
    case 5:
        return f.item.level;
    case 6:
        return ServerScan::OptionsText(f.item);
    case 7:
        return f.item.SerialText();
    default:
        return f.record;
    }
}

QVariant FoundItemsModel::sortValue(int row, int column) const {
    const ServerScan::Found& f = m_items[std::size_t(row)];
    if (m_options.groups) {
        // Largest groups first when sorted descending, a group's rows together.
        if (column == 0)
            return qint64(m_groupSize[std::size_t(row)]) << 32 | f.item.serial;
        --column;
    }
    if (column == 6)
        return f.item.optionStep;
    if (column == 7)
        return qint64(f.item.serial);
    return text(row, column + (m_options.groups ? 1 : 0));
}

void CheckFindingsModel::SetFindings(std::vector<ServerCheck::Finding> findings) {
    beginResetModel();
    m_findings = std::move(findings);
    endResetModel();
}

int CheckFindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_findings.size());
}

int CheckFindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCheckColumnCount;
}

QVariant CheckFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return QString::fromLatin1(kCheckColumns[section]);
}

QVariant CheckFindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != kSortRole))
        return {};
    const ServerCheck::Finding& f = m_findings[std::size_t(index.row())];
    switch (index.column()) {
    case 0:
        return ServerCheck::ProblemText(f.problem);
    case 1:
        return ServerScan::KindName(f.kind);
    case 2:
        return f.account;
    case 3:
        return secondText(f.kind, f.second);
    case 4:
        return f.cell == 0 ? QVariant(QString()) : QVariant(f.cell);
    case 5:
        return f.detail;
    default:
        return f.record;
    }
}
