#include "containers/SerialSet.h"

SerialSet::SerialSet() : m_pages(std::size_t(1) << (32 - kPageBits)) {}

bool SerialSet::insert(quint32 serial) {
    std::unique_ptr<Page>& page = m_pages[serial >> kPageBits];
    if (!page)
        page = std::make_unique<Page>(Page{});
    const quint32 bit = serial & ((1u << kPageBits) - 1);
    quint64& word = (*page)[bit / 64];
    const quint64 mask = quint64(1) << (bit % 64);
    if (word & mask)
        return false;
    word |= mask;
    ++m_size;
    return true;
}

bool SerialSet::contains(quint32 serial) const {
    const std::unique_ptr<Page>& page = m_pages[serial >> kPageBits];
    if (!page)
        return false;
    const quint32 bit = serial & ((1u << kPageBits) - 1);
    return ((*page)[bit / 64] >> (bit % 64)) & 1u;
}
