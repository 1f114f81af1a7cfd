#include "containers/ServerScan.h"

#include "containers/WalkStatements.h"
#include "containers/WipeMatch.h"
#include "core/UtilitiesUnit.h"
#include "platform/Query.h"

#include <QCryptographicHash>

#include <algorithm>

namespace ServerScan {

namespace {

// Ends the walk when the caller says so or when the kind's limit is reached.
class Listener : public ContainerWalk::Listener {
public:
    Listener(const Progress& progress, int limit) : m_progress(progress), m_limit(limit) {}
    bool rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts& /*counts*/) override {
        if (m_progress && !m_progress(row.kind, row.number)) {
            asked = true;
            return false;
        }
        return m_limit < 0 || row.number < m_limit;
    }
    bool asked = false;

private:
    const Progress& m_progress;
    int m_limit;
};

} // namespace

Options Options::FromSettings() {
    Options o;
    o.connection = BuildConnectionString(DataSource::TanorOnline);
    o.width = ItemRecord::CurrentWidth();
    o.vaults = VaultSettings::Read();
    return o;
}

ColumnState StateOf(const QByteArray& column, Kind kind, ItemRecord::Width w) {
    if (column.isEmpty())
        return ColumnState::Null;
    const int bytes = ItemRecord::Bytes(w);
    const int other = w == ItemRecord::Width::Narrow ? 16 : 10;
    if (column.size() == qsizetype(ContainerWalk::RecordsOf(kind)) * other)
        return ColumnState::OtherWidth;
    return column.size() % bytes == 0 ? ColumnState::Whole : ColumnState::Torn;
}

Outcome Scan(const Options& options, const CatalogueIndex& catalogue, Sink& sink, const Progress& progress,
             const std::array<int, ContainerWalk::kKinds>& limit) {
    options.vaults.RequirePlainNames();
    const int bytes = ItemRecord::Bytes(options.width);
    Outcome outcome;
    ContainerWalk::Options walkOptions;
    walkOptions.write = false;
    for (const ContainerWalk::Source& source : WipeSources(options.vaults)) {
        const auto k = std::size_t(source.kind);
        if (!options.kinds[k] || limit[k] == 0)
            continue;
        Listener listener(progress, limit[k]);
        ContainerWalk::Walker walker(options.connection, walkOptions, listener);
        walker.Walk(source, [&](const ContainerWalk::Row& row) {
            const ColumnState state = StateOf(row.column, row.kind, options.width);
            sink.column(row, state);
            if (state == ColumnState::Whole) {
                const qsizetype records =
                    std::min<qsizetype>(row.column.size() / bytes, ContainerWalk::RecordsOf(row.kind));
                for (qsizetype i = 0; i < records; ++i) {
                    const QByteArrayView record(row.column.constData() + i * bytes, bytes);
                    if (StoredItem::IsFree(record))
                        continue;
                    sink.item(Met{row, int(i) + 1, record, catalogue, options.width});
                }
            }
            return ContainerWalk::Rewrite{};
        });
        outcome.rows[k] = walker.counts(source.kind).rows;
        if (listener.asked) {
            outcome.stopped = true;
            break;
        }
    }
    return outcome;
}

std::array<int, ContainerWalk::kKinds> RowTotals(const Options& options) {
    options.vaults.RequirePlainNames();
    Query q;
    q.SetConnectionString(options.connection);
    q.SetText(WalkStatements::Totals(options.vaults));
    q.Open();
    std::array<int, ContainerWalk::kKinds> totals{};
    for (int k = 0; k < ContainerWalk::kKinds; ++k)
        totals[std::size_t(k)] = k < 2 || options.vaults.enabled ? q.Fields(k).AsInteger() : 0;
    return totals;
}

Found Describe(const Met& met) {
    Found f;
    f.kind = met.row.kind;
    f.account = met.row.account;
    f.second = met.row.second;
    f.cell = met.cell;
    f.record = BytesToHex(met.bytes.toByteArray());
    if (const CatalogueIndex::Entry* entry = met.entry()) {
        f.name = entry->name;
        f.type = entry->type;
    }
    f.item = met.item();
    f.columnDigest = QCryptographicHash::hash(met.row.column, QCryptographicHash::Sha1);
    return f;
}

QString KindName(Kind kind) {
    switch (kind) {
    case Kind::Inventory:
        return QStringLiteral("Inventory");
    case Kind::Warehouse:
        return QStringLiteral("Warehouse");
    case Kind::Vault:
        break;
    }
    return QStringLiteral("Vault");
}

QString PlaceText(const Found& found) {
    switch (found.kind) {
    case Kind::Inventory:
        return found.second + QStringLiteral(" (") + found.account + QStringLiteral(")");
    case Kind::Warehouse:
        return QStringLiteral("warehouse of ") + found.account;
    case Kind::Vault:
        break;
    }
    return QStringLiteral("vault ") + found.second + QStringLiteral(" of ") + found.account;
}

QString OptionsText(const StoredItem& item) {
    return item.optionStep == 0 ? QStringLiteral("0")
                                : QStringLiteral("+") + QString::number(4 * item.optionStep);
}

} // namespace ServerScan
