#pragma once

#include "items/Catalogue.h"
#include "items/ItemRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// One item record as a value: its bytes in one width, the fields read from
// them and the catalogue entry it was built from (found = false for a record
// nobody chose from the catalogue). The property editor edits one, the cell
// grids place one, and the hex box shows its Text().
//
// Every step rewrites only its own bytes, like the stored record's codec it
// is built on; a step that would leave something other than whole bytes (a
// catalogue ID that is not two hexadecimal digits) throws ConvertError and
// the value keeps what it held.
class ItemValue {
public:
    // The record the property editor starts from: every byte 0.
    explicit ItemValue(ItemRecord::Width width = ItemRecord::Width::Narrow);

    // The free position: every byte FF.
    [[nodiscard]] static ItemValue Empty(ItemRecord::Width width);
    // A record text of exactly the width's length in hexadecimal digits
    // (either case); nothing otherwise.
    [[nodiscard]] static std::optional<ItemValue> FromText(QStringView text, ItemRecord::Width width);

    [[nodiscard]] ItemRecord::Width Width() const { return m_width; }
    [[nodiscard]] const QByteArray& Bytes() const { return m_bytes; }
    // Two upper-case hexadecimal digits a byte.
    [[nodiscard]] QString Text() const;
    [[nodiscard]] ItemRecord::Fields Fields() const;
    [[nodiscard]] bool IsEmpty() const;
    [[nodiscard]] bool HasSerialMarker() const;
    [[nodiscard]] const Catalogue::CatalogueItem& Entry() const { return m_entry; }

    // ---- steps (each keeps every byte it does not write)

    // The chosen catalogue item: its ID (and, for 10-byte records, its
    // Code32) bytes; the entry is kept for the steps that follow.
    void SetEntry(const Catalogue::CatalogueItem& entry);
    void SetDurability(int durability);
    // Option byte, type nibble (16-byte) and excellent byte, from the entry's
    // unique value and the options chosen.
    void SetOptions(bool skill, int level, bool luck, int optionStep, int excellentSum);
    void SetAncient(int setOptionIndex);
    // Digits of a serial (6 under the F9 marker, else 8).
    void SetSerial(const QString& digits);

    friend bool operator==(const ItemValue& a, const ItemValue& b) {
        return a.m_width == b.m_width && a.m_bytes == b.m_bytes;
    }

private:
    ItemValue(ItemRecord::Width width, QByteArray bytes);
    // Runs a step of the text codec and takes its result back as bytes.
    template <typename Step> void apply(Step step);

    ItemRecord::Width m_width;
    QByteArray m_bytes;
    Catalogue::CatalogueItem m_entry;
};
