#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/VaultSettings.h"
#include "items/ContainerWalk.h"

#include <functional>
#include <optional>
#include <vector>

// Which stored records the item wipe erases. Both matchers look at the
// upper-case hexadecimal text of one record that is not the empty record and
// answer whether it goes; every field they do not name (level, skill, luck,
// option, durability, serial, the kept bytes) plays no part.

// General selection: every record of one item type, t = 0 ("Swords") to 15
// ("Scrolls"). Wide records carry the type in character 19; narrow records
// carry the item code, whose high bit sits in character 15.
class GWipe {
public:
    GWipe(int recordBytes, int type);
    [[nodiscard]] bool operator()(QStringView record) const;

private:
    bool m_wide;
    int m_type;
};

// The catalogue values of the item chosen for the specific selection, as the
// lookup by name returned them (empty texts and 0 without a row).
struct ChosenItem {
    QString ID;
    QString ID2;
    int Unique = 0;
    QString Unique2;
    QString Code32;
};

// Specific selection: records carrying exactly the checked excellent options
// (sum of weights `excellent`, 1 to 32 per option) and the ancient character
// `ancient`, of the chosen item or of any item. The two top bits of the
// excellent byte (option +16, and the unique bit of narrow records, which the
// item's key accounts for) are ignored.
class SWipe {
public:
    SWipe(int recordBytes, bool anyItem, ChosenItem item, int excellent, QChar ancient);
    // Throws ConvertError when a wide record of the chosen item's ID2 is met
    // and the item's Unique2 is not a number: the catalogue row is unusable.
    [[nodiscard]] bool operator()(QStringView record) const;

private:
    [[nodiscard]] bool excellentMatches(QStringView record) const;
    [[nodiscard]] const QString& typeDigits() const;

    bool m_wide;
    bool m_anyItem;
    ChosenItem m_item;
    QChar m_ancient;
    // The excellent-byte texts that count as "exactly these options".
    QStringList m_excellentFields;
    // Unique2 as the record writes it; converted when first needed.
    mutable std::optional<QString> m_typeDigits;
};

// v as at least two upper-case hexadecimal digits (a negative v wraps to 32
// bits, so it never equals a two-character field).
[[nodiscard]] QString Hex2(int v);

// What the wipe does to one stored column.
struct RowRewrite {
    // The column is exactly the container's records of the other width: the
    // Version setting does not fit this server. Left alone.
    bool wrongWidth = false;
    // The column is not a whole number of records: it was left alone, since
    // any cut of it would misplace every record after the tear.
    bool malformed = false;
    bool changed = false;
    int erased = 0;
    // The literal that writes the new column; set only when changed.
    QString literal;
};

using RecordMatch = std::function<bool(QStringView)>;

// Erases the records `match` takes among the first `recordsPerRow` records of
// `column`. Empty records are never offered to `match`. Bytes beyond
// `recordsPerRow` records are kept as they are; a shorter column keeps its
// length (no records are invented for positions it does not have).
[[nodiscard]] RowRewrite RewriteRow(const QByteArray& column, int recordBytes, int recordsPerRow,
                                    const RecordMatch& match);

// The containers the wipe walks, in order: inventories, warehouses and, when
// switched on, the extra vaults.
[[nodiscard]] std::vector<ContainerWalk::Source> WipeSources(const VaultSettings& vaults);
// One row of the wipe: the erased records count.
[[nodiscard]] ContainerWalk::Rewrite WipeRow(const ContainerWalk::Row& row, int recordBytes,
                                             const RecordMatch& match);

// Builds the record matcher once the record width is known.
using MatchMaker = std::function<RecordMatch(int recordBytes)>;

// The whole wipe over `walker`: checks the vault settings before anything is
// read, takes the record width of the settings, and walks every container of
// WipeSources with WipeRow. `afterKind` (optional) is told when each kind of
// container is done. A failing statement propagates as Walker::Walk says.
void WipeAll(ContainerWalk::Walker& walker, const MatchMaker& makeMatch,
             const std::function<void()>& afterKind = {});
