#include "items/ItemValue.h"

#include "platform/TanorError.h"

namespace {

bool isHexText(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.toUpper().unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

} // namespace

ItemValue::ItemValue(ItemRecord::Width width) : m_width(width), m_bytes(ItemRecord::Bytes(width), '\0') {}

ItemValue::ItemValue(ItemRecord::Width width, QByteArray bytes) : m_width(width), m_bytes(std::move(bytes)) {}

ItemValue ItemValue::Empty(ItemRecord::Width width) {
    return ItemValue(width, QByteArray(ItemRecord::Bytes(width), '\xFF'));
}

std::optional<ItemValue> ItemValue::FromText(QStringView text, ItemRecord::Width width) {
    if (text.size() != ItemRecord::Length(width) || !isHexText(text))
        return std::nullopt;
    return ItemValue(width, QByteArray::fromHex(text.toLatin1()));
}

QString ItemValue::Text() const {
    return QString::fromLatin1(m_bytes.toHex().toUpper());
}

ItemRecord::Fields ItemValue::Fields() const {
    return ItemRecord::Decode(Text());
}

bool ItemValue::IsEmpty() const {
    return m_bytes.count('\xFF') == m_bytes.size();
}

bool ItemValue::HasSerialMarker() const {
    return static_cast<unsigned char>(m_bytes.at(3)) == 0xF9;
}

template <typename Step> void ItemValue::apply(Step step) {
    const QString text = step(Text());
    const std::optional<ItemValue> next = FromText(text, m_width);
    if (!next)
        throw ConvertError(QStringLiteral("\"%1\" is not an item record of %2 bytes")
                               .arg(text)
                               .arg(ItemRecord::Bytes(m_width)));
    m_bytes = next->m_bytes;
}

void ItemValue::SetEntry(const Catalogue::CatalogueItem& entry) {
    apply([&](const QString& t) {
        const QString withId = ItemRecord::WithItemByte(t, entry.id);
        return m_width == ItemRecord::Width::Narrow ? ItemRecord::WithCode32(withId, entry.code32) : withId;
    });
    m_entry = entry;
}

void ItemValue::SetDurability(int durability) {
    apply([&](const QString& t) { return ItemRecord::WithDurability(t, durability); });
}

void ItemValue::SetOptions(bool skill, int level, bool luck, int optionStep, int excellentSum) {
    apply([&](const QString& t) {
        QString r = ItemRecord::WithOptionByte(t, skill, level, luck, optionStep);
        int unique = m_entry.unique;
        if (m_width == ItemRecord::Width::Wide) {
            r = ItemRecord::WithTypeNibble(r, unique);
            unique = 0;
        }
        return ItemRecord::WithExcellentByte(r, unique, optionStep, excellentSum);
    });
}

void ItemValue::SetAncient(int setOptionIndex) {
    apply([&](const QString& t) { return ItemRecord::WithAncient(t, setOptionIndex); });
}

void ItemValue::SetSerial(const QString& digits) {
    apply([&](const QString& t) { return ItemRecord::WithSerial(t, digits); });
}
