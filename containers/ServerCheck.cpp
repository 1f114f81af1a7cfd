#include "containers/ServerCheck.h"

#include "containers/RepeatedSerials.h"
#include "core/UtilitiesUnit.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <array>

namespace ServerCheck {

namespace {

constexpr Grid kBag{13, 8};
constexpr Grid kShop{77, 4};
constexpr Grid kStore{1, 15};

struct Placed {
    int cell;
    QString record;
    int x;
    int y;
};

class Checker : public ServerScan::Sink {
public:
    Checker(Report& report, int kept) : m_report(report), m_kept(kept) {}

    void column(const ContainerWalk::Row& row, ServerScan::ColumnState state) override {
        finishRow();
        m_kind = row.kind;
        m_account = row.account;
        m_second = row.second;
        KindTotals& t = totals();
        ++t.rows;
        switch (state) {
        case ServerScan::ColumnState::Whole:
            break;
        case ServerScan::ColumnState::Null:
            ++t.empty;
            break;
        case ServerScan::ColumnState::OtherWidth:
            ++t.otherWidth;
            add(Problem::OtherWidth, 0, {},
                QStringLiteral("%1 bytes: %2-byte records, but the Version setting chooses %3-byte records")
                    .arg(row.column.size())
                    .arg(m_report.width == ItemRecord::Width::Narrow ? 16 : 10)
                    .arg(ItemRecord::Bytes(m_report.width)));
            break;
        case ServerScan::ColumnState::Torn:
            ++t.torn;
            add(Problem::Torn, 0, {},
                QStringLiteral("%1 bytes: not a whole number of %2-byte records")
                    .arg(row.column.size())
                    .arg(ItemRecord::Bytes(m_report.width)));
            break;
        }
    }

    void item(const ServerScan::Met& met) override {
        KindTotals& t = totals();
        ++t.items;
        if (const std::optional<quint32> serial = met.realSerial())
            m_serials.add(*serial);
        const CatalogueIndex::Entry* entry = met.entry();
        if (!entry) {
            ++t.unknown;
            add(Problem::Unknown, met.cell, record(met), QStringLiteral("not in the catalogue"));
            return;
        }
        if (GridOf(met.row.kind, met.cell))
            m_placed.push_back(Placed{met.cell, record(met), entry->x, entry->y});
    }

    // After the pass: the last row's footprints and the serials' counts.
    void finish() {
        finishRow();
        m_serials.finish();
        m_report.duplicatedSerials = m_serials.serials();
        m_report.duplicateCopies = m_serials.copies();
    }

    // The footprints of the row just read.
    void finishRow() {
        if (m_placed.empty())
            return;
        // Which item covers each cell (0: none), in cell order: a lower
        // cell lies above the higher ones, as the editors draw them.
        std::array<int, 121> cover{};
        for (const Placed& p : m_placed) {
            const Grid* grid = GridOf(m_kind, p.cell);
            const int column = (p.cell - grid->first) % Grid::kColumns;
            const int row = (p.cell - grid->first) / Grid::kColumns;
            const int width = std::max(p.x, 1);
            const int height = std::max(p.y, 1);
            if (column + width > Grid::kColumns || row + height > grid->rows) {
                ++totals().outside;
                add(Problem::OutsideGrid, p.cell, p.record,
                    QStringLiteral("%1 x %2 at column %3, row %4 of a %5 x %6 grid")
                        .arg(width)
                        .arg(height)
                        .arg(column + 1)
                        .arg(row + 1)
                        .arg(Grid::kColumns)
                        .arg(grid->rows));
            }
            int over = 0;
            for (int dy = 0; dy < height && row + dy < grid->rows; ++dy)
                for (int dx = 0; dx < width && column + dx < Grid::kColumns; ++dx) {
                    int& c = cover[std::size_t(grid->first + (row + dy) * Grid::kColumns + column + dx)];
                    if (c != 0 && over == 0)
                        over = c;
                    else if (c == 0)
                        c = p.cell;
                }
            if (over != 0) {
                ++totals().overlaps;
                add(Problem::Overlap, p.cell, p.record,
                    QStringLiteral("overlaps the item in cell %1").arg(over));
            }
        }
        m_placed.clear();
    }

private:
    KindTotals& totals() { return m_report.kinds[std::size_t(m_kind)]; }

    static QString record(const ServerScan::Met& met) { return BytesToHex(met.bytes.toByteArray()); }

    void add(Problem problem, int cell, const QString& record, const QString& detail) {
        if (m_report.findings.size() >= std::size_t(m_kept))
            return;
        m_report.findings.push_back(Finding{problem, m_kind, m_account, m_second, cell, record, detail});
    }

    Report& m_report;
    int m_kept;
    ServerScan::Kind m_kind = ServerScan::Kind::Inventory;
    QString m_account;
    QString m_second;
    std::vector<Placed> m_placed;
    RepeatedSerials m_serials;
};

} // namespace

QString ProblemText(Problem problem) {
    switch (problem) {
    case Problem::OtherWidth:
        return QStringLiteral("Width mismatch");
    case Problem::Torn:
        return QStringLiteral("Not whole records");
    case Problem::Unknown:
        return QStringLiteral("Unknown record");
    case Problem::OutsideGrid:
        return QStringLiteral("Outside the grid");
    case Problem::Overlap:
        break;
    }
    return QStringLiteral("Overlap");
}

const Grid* GridOf(ServerScan::Kind kind, int cell) {
    if (kind != ServerScan::Kind::Inventory)
        return cell >= 1 && cell <= 120 ? &kStore : nullptr;
    if (cell >= kBag.first && cell < kShop.first)
        return &kBag;
    if (cell >= kShop.first && cell < kShop.first + kShop.rows * Grid::kColumns)
        return &kShop;
    return nullptr;
}

KindTotals Report::total() const {
    KindTotals sum;
    for (const KindTotals& t : kinds) {
        sum.rows += t.rows;
        sum.empty += t.empty;
        sum.items += t.items;
        sum.otherWidth += t.otherWidth;
        sum.torn += t.torn;
        sum.unknown += t.unknown;
        sum.outside += t.outside;
        sum.overlaps += t.overlaps;
    }
    return sum;
}

bool Report::clean() const {
    const KindTotals t = total();
    return !partial && t.otherWidth == 0 && t.torn == 0 && t.unknown == 0 && t.outside == 0 &&
           t.overlaps == 0 && duplicatedSerials == 0;
}

QString SummaryText(const Report& r) {
    QStringList lines;
    for (int k = 0; k < ContainerWalk::kKinds; ++k) {
        const KindTotals& t = r.kinds[std::size_t(k)];
        if (t.rows == 0 && k == int(ServerScan::Kind::Vault))
            continue;
        lines << QStringLiteral("%1: %2 rows (%3 without items), %4 items")
                     .arg(ServerScan::KindName(ServerScan::Kind(k)))
                     .arg(t.rows)
                     .arg(t.empty)
                     .arg(t.items);
    }
    const KindTotals t = r.total();
    const int otherBytes = r.width == ItemRecord::Width::Narrow ? 16 : 10;
    lines << QStringLiteral(
                 "Width mismatch: %1 (columns of %2-byte records; the Version setting chooses %3-byte "
                 "records)")
                 .arg(t.otherWidth)
                 .arg(otherBytes)
                 .arg(ItemRecord::Bytes(r.width));
    lines << QStringLiteral("Not whole records: %1; unknown records: %2; outside the grid: %3; overlaps: %4")
                 .arg(t.torn)
                 .arg(t.unknown)
                 .arg(t.outside)
                 .arg(t.overlaps);
    lines << QStringLiteral("Duplicated serials: %1 (%2 extra copies)")
                 .arg(r.duplicatedSerials)
                 .arg(r.duplicateCopies);
    if (r.partial)
        lines << QStringLiteral("Stopped before the end: the figures cover the rows read.");
    else if (r.clean())
        lines << QStringLiteral("The server is clean.");
    return lines.join(QLatin1Char('\n'));
}

Report Run(const ServerScan::Options& options, const CatalogueIndex& catalogue,
           const ServerScan::Progress& progress, int kept) {
    QElapsedTimer clock;
    clock.start();
    Report report;
    report.width = options.width;
    Checker checker(report, kept);
    report.partial = ServerScan::Scan(options, catalogue, checker, progress).stopped;
    checker.finish();
    report.elapsedMs = clock.elapsed();
    return report;
}

} // namespace ServerCheck
