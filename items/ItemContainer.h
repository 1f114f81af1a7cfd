#pragma once

#include "items/ItemRecord.h"

#include <QString>
#include <QStringList>

// The record texts of one container column (an inventory of 108 records, a
// warehouse or extra vault of 120), numbered from 1 like the cells that show
// them. They are the only copy of the column until it is saved.
class ItemContainer {
public:
    ItemContainer(int count, ItemRecord::Width width);

    [[nodiscard]] int Count() const { return int(m_records.size()); }
    [[nodiscard]] ItemRecord::Width Width() const { return m_width; }

    // Cuts a column text into the records; a short column leaves the last
    // records short or empty (they are saved as empty records). A longer
    // column keeps its first records only.
    void Load(const QString& columnText);
    // Every record becomes the empty record.
    void Clear();

    [[nodiscard]] const QString& Record(int cell) const;
    void SetRecord(int cell, const QString& record);

    // "0x" + the records in cell order; empty or short texts are written as
    // the empty record.
    [[nodiscard]] QString Literal() const;

private:
    QStringList m_records;
    ItemRecord::Width m_width;
};

// The editors that keep a selected cell. The selection lives as long as the
// program: reopening a window finds the cell chosen last time.
enum class ContainerKind { Inventory, Warehouse };
[[nodiscard]] int& SelectedCell(ContainerKind kind);

// How a cell shows an item: the caption and the colour of its text.
namespace CellCaption {

// The catalogue name with every blank made a line break (LF then CR).
[[nodiscard]] QString FromName(const QString& name);
// A placed set piece: the set's name above the item's caption.
[[nodiscard]] QString WithSetName(const QString& setName, const QString& caption);
// The caption as a button shows it: the stored LF CR line breaks as lines.
[[nodiscard]] QString Displayed(const QString& caption);

inline const char* const kUnknown = "UNKNOWN";

enum class Colour { ButtonText, WindowText, Excellent, SetItem, Error, Emptied };
// A stored record by its flags.
[[nodiscard]] Colour Stored(bool excellent, bool setItem);
// A just placed item by the property editor's excellent boxes and set option.
[[nodiscard]] Colour Placed(bool anyExcellent, bool setOption);

} // namespace CellCaption
