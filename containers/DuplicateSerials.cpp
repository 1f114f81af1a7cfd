#include "containers/DuplicateSerials.h"

#include "containers/RepeatedSerials.h"
#include "containers/WalkStatements.h"
#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"

#include <QCryptographicHash>
#include <QElapsedTimer>

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

namespace DuplicateSerials {

using ServerScan::Found;
using ServerScan::Kind;

QString LeftOutText() {
    return QStringLiteral("Serials that mark no real item are left out: 00000000 and FFFFFFFF, "
                          "and 000000 and FFFFFF behind the F9 marker.");
}

Report Find(const ServerScan::Options& options, const CatalogueIndex& catalogue, const Progress& progress,
            int kept) {
    // First pass: the serials met more than once.
    class Mark : public ServerScan::Sink {
    public:
        void item(const ServerScan::Met& met) override {
            if (const std::optional<quint32> serial = met.realSerial())
                serials.add(*serial);
        }
        RepeatedSerials serials;
    };
    // Second pass: the holders of those serials, in the order met.
    class Collect : public ServerScan::Sink {
    public:
        Collect(const SerialSet& twice, Report& report, int kept)
            : m_twice(twice), m_report(report), m_kept(kept) {}
        void item(const ServerScan::Met& met) override {
            const std::optional<quint32> serial = met.realSerial();
            if (!serial || !m_twice.contains(*serial))
                return;
            ++m_report.holders;
            if (m_keptHolders >= m_kept) {
                m_report.truncated = true;
                return;
            }
            const auto at = m_groups.find(*serial);
            if (at == m_groups.end()) {
                m_groups.emplace(*serial, m_report.groups.size());
                m_report.groups.push_back(Group{*serial, {}});
                add(m_report.groups.back(), met);
                return;
            }
            add(m_report.groups[at->second], met);
        }

    private:
        void add(Group& group, const ServerScan::Met& met) {
            group.holders.push_back(ServerScan::Describe(met));
            ++m_keptHolders;
        }
        const SerialSet& m_twice;
        Report& m_report;
        int m_kept;
        int m_keptHolders = 0;
        std::unordered_map<quint32, std::size_t> m_groups;
    };

    QElapsedTimer clock;
    clock.start();
    Report report;
    Mark mark;
    const auto pass = [&](int n) {
        return [&progress, n](Kind kind, int row) { return !progress || progress(n, kind, row); };
    };
    const ServerScan::Outcome first = ServerScan::Scan(options, catalogue, mark, pass(1));
    mark.serials.finish();
    report.serials = mark.serials.serials();
    // The second pass covers what the first did, so a stopped first pass
    // still lists every holder of the serials it found twice.
    std::array<int, ContainerWalk::kKinds> limit{};
    for (std::size_t k = 0; k < limit.size(); ++k)
        limit[k] = first.rows[k];
    // A server without a repeated serial needs no second pass.
    Collect collect(mark.serials.repeated(), report, kept);
    const bool second =
        report.serials > 0 && ServerScan::Scan(options, catalogue, collect, pass(2), limit).stopped;
    report.partial = first.stopped || second;
    std::stable_sort(report.groups.begin(), report.groups.end(),
                     [](const Group& a, const Group& b) { return a.holders.size() > b.holders.size(); });
    report.elapsedMs = clock.elapsed();
    return report;
}

// ---------------------------------------------------------------- erasing

namespace {

// A row of the server, by kind and keys.
using RowKey = std::tuple<int, QString, QString>;

RowKey keyOf(const Found& f) {
    return {int(f.kind), f.account, f.second};
}

ContainerWalk::Source rowSource(const ServerScan::Options& options, const Found& f) {
    switch (f.kind) {
    case Kind::Inventory:
        return ContainerWalk::InventorySource(WalkStatements::InventoryRow(f.account, f.second), 1, 2);
    case Kind::Warehouse: {
        ContainerWalk::Source s = ContainerWalk::WarehouseSource();
        s.select = WalkStatements::WarehouseRow(f.account);
        return s;
    }
    case Kind::Vault:
        break;
    }
    const VaultSettings vaults = options.vaults;
    return ContainerWalk::VaultSource(vaults, WalkStatements::VaultRow(vaults, f.account, f.second),
                                      [vaults](const ContainerWalk::Row& row, const QString& literal) {
                                          return WalkStatements::VaultRewrite(vaults, row.account, row.second,
                                                                              literal);
                                      });
}

} // namespace

Plan PlanOf(const std::vector<Found>& chosen) {
    std::map<RowKey, int> rows;
    for (const Found& f : chosen)
        ++rows[keyOf(f)];
    return Plan{int(chosen.size()), int(rows.size())};
}

Erased Erase(const ServerScan::Options& options, const std::vector<Found>& chosen, UndoFile& undo) {
    options.vaults.RequirePlainNames();
    std::map<RowKey, std::vector<const Found*>> rows;
    for (const Found& f : chosen)
        rows[keyOf(f)].push_back(&f);
    Erased erased;
    ContainerWalk::Options walkOptions;
    walkOptions.undo = &undo;
    ContainerWalk::Listener listener;
    ContainerWalk::Walker walker(options.connection, walkOptions, listener);
    const int bytes = ItemRecord::Bytes(options.width);
    for (const auto& place : rows) {
        const std::vector<const Found*>& items = place.second;
        bool written = false;
        walker.Walk(rowSource(options, *items.front()), [&](const ContainerWalk::Row& row) {
            using Action = ContainerWalk::Rewrite::Action;
            ContainerWalk::Rewrite out;
            const QByteArray digest = QCryptographicHash::hash(row.column, QCryptographicHash::Sha1);
            const bool unchanged = std::all_of(items.begin(), items.end(),
                                               [&](const Found* f) { return f->columnDigest == digest; });
            if (!unchanged || written)
                return out; // changed since the scan (or a second row with the same keys)
            const ServerScan::ColumnState state = ServerScan::StateOf(row.column, row.kind, options.width);
            if (state != ServerScan::ColumnState::Whole) {
                out.action =
                    state == ServerScan::ColumnState::OtherWidth ? Action::WrongWidth : Action::Malformed;
                return out;
            }
            QByteArray column = row.column;
            for (const Found* f : items) {
                const qsizetype at = qsizetype(f->cell - 1) * bytes;
                if (at + bytes <= column.size())
                    std::fill(column.begin() + at, column.begin() + at + bytes, char(0xFF));
            }
            written = true;
            out.action = Action::Write;
            out.columnText = BytesToHex(column);
            out.count = int(items.size());
            return out;
        });
        if (!written)
            for (const Found* f : items)
                erased.skipped.push_back(*f);
    }
    erased.items = walker.total().count;
    erased.rows = walker.total().written;
    return erased;
}

} // namespace DuplicateSerials
