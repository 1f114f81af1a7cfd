#pragma once

#include "containers/ServerScan.h"

#include <QString>

#include <functional>
#include <vector>

class UndoFile;

// Serials carried by more than one stored item anywhere on the server, the
// mark of a duplicated item, and the erasing of chosen copies.
namespace DuplicateSerials {

// The serials left out, which mark no real item.
[[nodiscard]] QString LeftOutText();

struct Group {
    quint32 serial = 0;
    std::vector<ServerScan::Found> holders;
};

// Holders kept in memory at most; those past it are counted only, so the
// last group kept may list fewer holders than it has.
inline constexpr int kKeptHolders = 5000;

struct Report {
    std::vector<Group> groups; // largest first
    qint64 serials = 0;        // serials held more than once
    qint64 holders = 0;        // items holding them
    bool truncated = false;    // more holders than were kept
    bool partial = false;      // stopped before the end
    qint64 elapsedMs = 0;
};

// Two passes: the first marks the serials seen twice, the second collects
// their holders (over the rows the first covered). Memory is the budget of
// RepeatedSerials, the set of repeated serials and the kept holders.
using Progress = std::function<bool(int pass, ServerScan::Kind kind, int row)>;
[[nodiscard]] Report Find(const ServerScan::Options& options, const CatalogueIndex& catalogue,
                          const Progress& progress, int kept = kKeptHolders);

// ---- erasing chosen items

struct Plan {
    int items = 0;
    int rows = 0;
};
[[nodiscard]] Plan PlanOf(const std::vector<ServerScan::Found>& chosen);

struct Erased {
    int items = 0; // records erased
    int rows = 0;  // rows written
    // Chosen items left alone: their column changed since it was read (or
    // its row is gone), so nothing in it was written.
    std::vector<ServerScan::Found> skipped;
};
// Rewrites each row holding chosen items with those records made free, only
// when the column still holds exactly what the scan read; every row written
// is kept in `undo` first. A failing statement propagates (the rows before
// it stay written and in the undo file).
[[nodiscard]] Erased Erase(const ServerScan::Options& options, const std::vector<ServerScan::Found>& chosen,
                           UndoFile& undo);

} // namespace DuplicateSerials
