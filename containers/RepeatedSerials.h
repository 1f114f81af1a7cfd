#pragma once

#include "containers/SerialSet.h"

#include <QtGlobal>

#include <memory>
#include <vector>

class QTemporaryFile;

// Finds the serials met more than once in a stream of serials, in memory
// that does not grow with the server. Serials are kept as bits in pages of
// 65536; up to a budget of pages is held in memory, and serials of pages
// beyond it go to a temporary file, grouped by range, which finish() reads
// back one range at a time. A server draws its serials from one counter, so
// a small server never touches the file and a big one writes four bytes per
// item once and reads them once.
class RepeatedSerials {
public:
    // Pages held in memory at once: 128 pages of 8 KiB, 8.4 million serials.
    static constexpr int kPageBudget = 128;

    explicit RepeatedSerials(int pageBudget = kPageBudget);
    ~RepeatedSerials();
    RepeatedSerials(const RepeatedSerials&) = delete;
    RepeatedSerials& operator=(const RepeatedSerials&) = delete;

    void add(quint32 serial);
    // Reads back what went to the file; after it, repeated() is complete.
    void finish();

    // The serials met more than once.
    [[nodiscard]] const SerialSet& repeated() const { return m_repeated; }
    // Serials met more than once, and the meetings beyond the first of each.
    [[nodiscard]] qint64 serials() const { return m_repeated.size(); }
    [[nodiscard]] qint64 copies() const { return m_copies; }
    // Serials that went through the temporary file (0 when it was not needed).
    [[nodiscard]] qint64 spilled() const { return m_spilled; }

private:
    static constexpr int kPageBits = 16;
    using Page = std::vector<quint64>;

    void note(quint32 serial, Page& page);
    void spill(quint32 serial);
    void flush(std::size_t range);

    int m_budget;
    std::vector<int> m_slot;   // page number -> index in m_pages, -1: none
    std::vector<Page> m_pages; // the pages held
    SerialSet m_repeated;
    qint64 m_copies = 0;
    qint64 m_spilled = 0;

    // Spilled serials, by range of m_budget pages: a buffer each, written to
    // the one file in blocks whose offsets are kept per range.
    std::unique_ptr<QTemporaryFile> m_file;
    std::vector<std::vector<quint32>> m_buffers;
    std::vector<std::vector<qint64>> m_blocks; // file offsets of each range's blocks
};
