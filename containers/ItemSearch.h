#pragma once

#include "containers/ServerScan.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Finding items anywhere on the server. Every criterion is optional; the
// ones given must all hold.
namespace ItemSearch {

struct Criteria {
    QString type;         // catalogue type; empty: any
    QString item;         // catalogue name; empty: any
    QString nameContains; // part of the catalogue name, any case
    int levelMin = 0;
    int levelMax = 15;
    int excellent = 0;         // excellent bits 0-5 chosen (1, 2, 4 ... 32)
    bool allExcellent = false; // every chosen bit, else any of them
    std::optional<bool> luck;
    std::optional<bool> skill;
    std::optional<bool> ancient;
    std::optional<quint32> serial; // see SerialOf
    bool unknownOnly = false;      // records the catalogue does not know
    ServerScan::Kinds kinds = ServerScan::kAllKinds;
};

// A typed serial: 8 hexadecimal digits, or 6 for an item behind the F9
// marker. Throws ConvertError for anything else.
[[nodiscard]] quint32 SerialOf(const QString& typed);

[[nodiscard]] bool Matches(const Criteria& criteria, const StoredItem& item,
                           const CatalogueIndex::Entry* entry);

// Items kept in memory at most; matches past it are counted only.
inline constexpr int kKeptItems = 100000;

struct Result {
    std::vector<ServerScan::Found> items; // the first kKept matches
    qint64 matched = 0;                   // every match
    bool partial = false;                 // stopped before the end
    qint64 elapsedMs = 0;
};

// One pass; `each` (optional) is told of every match as it is met.
[[nodiscard]] Result Find(const ServerScan::Options& options, const CatalogueIndex& catalogue,
                          const Criteria& criteria, const ServerScan::Progress& progress,
                          const std::function<void(const ServerScan::Found&)>& each = {},
                          int kept = kKeptItems);

} // namespace ItemSearch
