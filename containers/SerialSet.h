#pragma once

#include <QtGlobal>

#include <array>
#include <memory>
#include <vector>

// A set of 32-bit serials as a bitmap whose pages are made when first
// touched. A server draws its serials from one counter, so the serials in
// use fill a few dense ranges and the set costs about a bit per serial of
// those ranges (at most 512 MiB for serials spread over the whole space),
// however many items carry them.
class SerialSet {
public:
    SerialSet();
    // Adds a serial; false when it was there already.
    bool insert(quint32 serial);
    [[nodiscard]] bool contains(quint32 serial) const;
    [[nodiscard]] qint64 size() const { return m_size; }

private:
    static constexpr int kPageBits = 16; // serials per page: 65536 (8 KiB)
    using Page = std::array<quint64, (1 << kPageBits) / 64>;
    std::vector<std::unique_ptr<Page>> m_pages;
    qint64 m_size = 0;
};
