#pragma once

#include "containers/ServerScan.h"

#include <QString>

#include <array>
#include <vector>

// A health report of the stored item columns: columns of the wrong width or
// torn, records the catalogue does not know, items whose footprint runs
// outside their grid or over another item, duplicated serials, and totals
// per kind of container. One pass; nothing is written.
namespace ServerCheck {

enum class Problem { OtherWidth, Torn, Unknown, OutsideGrid, Overlap };
[[nodiscard]] QString ProblemText(Problem problem);

struct Finding {
    Problem problem = Problem::Unknown;
    ServerScan::Kind kind = ServerScan::Kind::Inventory;
    QString account;
    QString second;
    int cell = 0;   // 0: the whole column
    QString record; // the item's record, hexadecimal
    QString detail;
};

struct KindTotals {
    int rows = 0;
    int empty = 0; // NULL or empty columns
    qint64 items = 0;
    int otherWidth = 0;
    int torn = 0;
    qint64 unknown = 0;
    qint64 outside = 0;
    qint64 overlaps = 0;
};

// Findings kept in memory at most; the rest are counted in the totals.
inline constexpr int kKeptFindings = 20000;

struct Report {
    ItemRecord::Width width = ItemRecord::Width::Narrow;
    std::array<KindTotals, ContainerWalk::kKinds> kinds{};
    std::vector<Finding> findings;
    qint64 duplicatedSerials = 0; // serials held by more than one item
    qint64 duplicateCopies = 0;   // items beyond the first of each
    bool partial = false;
    qint64 elapsedMs = 0;

    [[nodiscard]] KindTotals total() const;
    // Nothing found (a partial pass is never clean).
    [[nodiscard]] bool clean() const;
};

// The report in a few lines: totals per kind, each problem's count, and
// "The server is clean." when nothing was found.
[[nodiscard]] QString SummaryText(const Report& report);

[[nodiscard]] Report Run(const ServerScan::Options& options, const CatalogueIndex& catalogue,
                         const ServerScan::Progress& progress, int kept = kKeptFindings);

// The grids of a container and their first cell, for the footprint rules:
// the inventory's bag (13-76, 8 x 8) and personal shop (77-108, 8 x 4), the
// warehouse's and every vault's grid (1-120, 8 x 15). Cells outside every
// grid (the equipment slots) have no footprint.
struct Grid {
    int first = 0;
    int rows = 0;
    static constexpr int kColumns = 8;
};
[[nodiscard]] const Grid* GridOf(ServerScan::Kind kind, int cell);

} // namespace ServerCheck
