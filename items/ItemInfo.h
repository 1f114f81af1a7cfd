#pragma once

#include "items/ItemRecord.h"

#include <QString>

// The information text of a record: what a click on an occupied cell or
// "Info" shows. Lines end with LF CR, like every stored caption.
namespace ItemInfo {

enum class Wording {
    Inventory, // unknown 10-byte record: "miss" and no values; 16-byte: "Blanck"
    Warehouse, // unknown record: "Blanck Slot", values still read
};

// What the catalogue said about the record (the information lookup).
struct CatalogueRow {
    bool found = false;
    QString name;
    QString excKind; // "ar", "we", "wi", anything else yields no line
};

// The text for `record`; `row` is ignored for the empty record.
[[nodiscard]] QString Text(const QString& record, ItemRecord::Width w, const CatalogueRow& row,
                           Wording wording);

// Pieces of the text, exposed for the grids and tests.
[[nodiscard]] QString ExcellentLines(const QString& excKind, int excellentBits);
[[nodiscard]] QString OptionText(const QString& name, const ItemRecord::Fields& fields);
[[nodiscard]] QString AncientName(QChar nibble, Wording wording);

} // namespace ItemInfo
