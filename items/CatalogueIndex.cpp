#include "items/CatalogueIndex.h"

#include "items/Catalogue.h"

namespace {

constexpr int kNarrowKeys = 1 << 17;
constexpr int kWideKeys = 1 << 12;

// A catalogue byte text: two hexadecimal digits. The catalogue's look-ups
// compare the text with the record's own digits, so anything else matches no
// record.
int byteOf(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() != 2)
        return -1;
    bool ok = false;
    const int v = t.toInt(&ok, 16);
    return ok ? v : -1;
}

int numberOf(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : -1;
}

int narrowKey(int id, int uniqueBit, int code32) {
    return (id << 9) | (uniqueBit << 8) | code32;
}

int wideKey(int id2, int type) {
    return (id2 << 4) | type;
}

} // namespace

CatalogueIndex::CatalogueIndex() : m_narrow(kNarrowKeys, 0), m_wide(kWideKeys, 0) {}

CatalogueIndex CatalogueIndex::Load() {
    CatalogueIndex index;
    for (const Catalogue::KeyRow& r : Catalogue::AllItemKeys())
        index.add(r.name, r.type, r.id, r.unique, r.code32, r.id2, r.unique2, r.x, r.y);
    return index;
}

void CatalogueIndex::add(const QString& name, const QString& type, const QString& id, const QString& unique,
                         const QString& code32, const QString& id2, const QString& unique2, int x, int y) {
    m_entries.push_back(Entry{name, type, x, y});
    const int entry = int(m_entries.size());
    const int narrowId = byteOf(id);
    const int narrowUnique = numberOf(unique);
    const int code = byteOf(code32);
    // A Unique other than 0 or 8 matches no record: the record only says
    // whether its ninth bit is set.
    if (narrowId >= 0 && code >= 0 && (narrowUnique == 0 || narrowUnique == 8)) {
        int& slot = m_narrow[std::size_t(narrowKey(narrowId, narrowUnique == 8 ? 1 : 0, code))];
        if (slot == 0)
            slot = entry;
    }
    const int wideId = byteOf(id2);
    const int typeNumber = numberOf(unique2);
    if (wideId >= 0 && typeNumber >= 0 && typeNumber <= 15) {
        int& slot = m_wide[std::size_t(wideKey(wideId, typeNumber))];
        if (slot == 0)
            slot = entry;
    }
}

const CatalogueIndex::Entry* CatalogueIndex::Of(QByteArrayView record, ItemRecord::Width w) const {
    const auto byte = [&](int n) { return int(quint8(record[n])); };
    const int slot = w == ItemRecord::Width::Narrow
                         ? m_narrow[std::size_t(narrowKey(byte(0), byte(7) >> 7, byte(3)))]
                         : m_wide[std::size_t(wideKey(byte(0), byte(9) >> 4))];
    return slot == 0 ? nullptr : &m_entries[std::size_t(slot - 1)];
}
