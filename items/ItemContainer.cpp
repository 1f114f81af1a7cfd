#include "items/ItemContainer.h"

#include "platform/TanorError.h"

ItemContainer::ItemContainer(int count, ItemRecord::Width width) : m_width(width) {
    m_records.reserve(count);
    for (int k = 0; k < count; ++k)
        m_records.append(ItemRecord::EmptyRecord(width));
}

void ItemContainer::Load(const QString& columnText) {
    m_records = ItemRecord::SplitColumn(columnText, Count(), m_width);
}

void ItemContainer::Clear() {
    for (QString& record : m_records)
        record = ItemRecord::EmptyRecord(m_width);
}

const QString& ItemContainer::Record(int cell) const {
    if (cell < 1 || cell > Count())
        throw TanorError(QStringLiteral("There is no cell %1").arg(cell));
    return m_records[cell - 1];
}

void ItemContainer::SetRecord(int cell, const QString& record) {
    if (cell < 1 || cell > Count())
        throw TanorError(QStringLiteral("There is no cell %1").arg(cell));
    m_records[cell - 1] = record;
}

QString ItemContainer::Literal() const {
    return ItemRecord::ColumnLiteral(m_records, m_width);
}

int& SelectedCell(ContainerKind kind) {
    static int inventory = 0;
    static int warehouse = 0;
    return kind == ContainerKind::Inventory ? inventory : warehouse;
}

namespace CellCaption {

namespace {
const QString kBreak = QStringLiteral("\n\r");
}

QString FromName(const QString& name) {
    return QString(name).replace(QLatin1Char(' '), kBreak);
}

QString WithSetName(const QString& setName, const QString& caption) {
    return setName + kBreak + caption;
}

QString Displayed(const QString& caption) {
    return QString(caption).remove(QLatin1Char('\r'));
}

namespace {
Colour byFlags(bool excellent, bool setItem, Colour neither) {
    if (excellent && setItem)
        return Colour::Error;
    if (excellent)
        return Colour::Excellent;
    return setItem ? Colour::SetItem : neither;
}
} // namespace

Colour Stored(bool excellent, bool setItem) {
    return byFlags(excellent, setItem, Colour::ButtonText);
}

Colour Placed(bool anyExcellent, bool setOption) {
    return byFlags(anyExcellent, setOption, Colour::WindowText);
}

} // namespace CellCaption
