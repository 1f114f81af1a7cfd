#pragma once

#include "core/VaultSettings.h"
#include "items/CatalogueIndex.h"
#include "items/ContainerWalk.h"
#include "items/ItemRecord.h"
#include "items/StoredItem.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// A read-only pass over every stored item of the server: the inventories
// (equipment, bag and personal shop), the warehouses and the extra vaults
// the settings name, through the container walk (one row at a time, never a
// write). Each item is handed on decoded from its bytes with its catalogue
// entry from an index read once, so memory does not grow with the rows.
namespace ServerScan {

using Kind = ContainerWalk::Kind;

// The kinds a pass covers, by ContainerWalk::Kind.
using Kinds = std::array<bool, ContainerWalk::kKinds>;
inline constexpr Kinds kAllKinds{true, true, true};

struct Options {
    QString connection; // the game database
    ItemRecord::Width width = ItemRecord::Width::Narrow;
    VaultSettings vaults;
    Kinds kinds = kAllKinds;

    // The game database and the width and vaults of the settings now.
    [[nodiscard]] static Options FromSettings();
};

// What a column of a row holds.
enum class ColumnState {
    Whole,      // whole records of the width in use (a short column included)
    Null,       // NULL or empty: no items
    OtherWidth, // exactly the container in the other width: Version does not fit
    Torn,       // not a whole number of records
};
[[nodiscard]] ColumnState StateOf(const QByteArray& column, Kind kind, ItemRecord::Width w);

// One item as a pass meets it; `row` and `bytes` live during the call only.
struct Met {
    const ContainerWalk::Row& row;
    int cell; // from 1
    QByteArrayView bytes;
    const CatalogueIndex& catalogue;
    ItemRecord::Width width;

    // The fields, decoded when first asked: a pass over serials reads the
    // serial's four bytes and nothing else.
    [[nodiscard]] const StoredItem& item() const {
        if (!m_item)
            m_item = StoredItem::Decode(bytes);
        return *m_item;
    }
    // The serial, when it marks a real item.
    [[nodiscard]] std::optional<quint32> realSerial() const {
        bool marker = false;
        const quint32 serial = StoredItem::SerialOf(bytes, marker);
        return StoredItem::IsRealSerial(serial, marker) ? std::optional<quint32>(serial) : std::nullopt;
    }

    // The catalogue's entry (nullptr: unknown), looked up only when asked:
    // a pass over serials alone needs none.
    [[nodiscard]] const CatalogueIndex::Entry* entry() const { return catalogue.Of(bytes, width); }

    mutable std::optional<StoredItem> m_item{};
};

// Told of every row and every item in it.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void column(const ContainerWalk::Row& /*row*/, ColumnState /*state*/) {}
    virtual void item(const Met& /*met*/) {}
};

// Told after every row; false stops the pass after that row.
using Progress = std::function<bool(Kind kind, int row)>;

struct Outcome {
    std::array<int, ContainerWalk::kKinds> rows{}; // rows read per kind
    bool stopped = false;
};

// One pass. Rows beyond `limit` (per kind; negative: no limit) are not read,
// so a second pass can cover exactly what a stopped first pass covered.
Outcome Scan(const Options& options, const CatalogueIndex& catalogue, Sink& sink, const Progress& progress,
             const std::array<int, ContainerWalk::kKinds>& limit = {-1, -1, -1});

// Rows of each kind now (for progress bars); vaults 0 when they are off.
[[nodiscard]] std::array<int, ContainerWalk::kKinds> RowTotals(const Options& options);

// An item kept for display, export or erasure.
struct Found {
    Kind kind = Kind::Inventory;
    QString account;
    QString second; // the character or the vault number
    int cell = 0;
    QString record; // hexadecimal
    QString name;   // empty: unknown to the catalogue
    QString type;
    StoredItem item;
    // Digest of the whole column as read: an erasure writes only a column
    // that still holds exactly this.
    QByteArray columnDigest;
};
[[nodiscard]] Found Describe(const Met& met);

// "Inventory", "Warehouse", "Vault".
[[nodiscard]] QString KindName(Kind kind);
// Where an item stands for people: the character, "warehouse" or
// "vault <n>", with the account.
[[nodiscard]] QString PlaceText(const Found& found);
// "+7", "+28": the option's value as the property editor shows it.
[[nodiscard]] QString OptionsText(const StoredItem& item);

} // namespace ServerScan
