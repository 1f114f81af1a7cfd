#include "containers/RepeatedSerials.h"

#include "platform/TanorError.h"

#include <QTemporaryFile>

#include <algorithm>

namespace {

constexpr std::size_t kPages = std::size_t(1) << 16; // pages of the 32-bit space
constexpr std::size_t kWords = (std::size_t(1) << 16) / 64;
constexpr std::size_t kBlock = 4096; // serials per block written (16 KiB)

} // namespace

RepeatedSerials::RepeatedSerials(int pageBudget) : m_budget(std::max(1, pageBudget)), m_slot(kPages, -1) {}

RepeatedSerials::~RepeatedSerials() = default;

void RepeatedSerials::note(quint32 serial, Page& page) {
    const quint32 bit = serial & ((1u << kPageBits) - 1);
    quint64& word = page[bit / 64];
    const quint64 mask = quint64(1) << (bit % 64);
    if (word & mask) {
        ++m_copies;
        m_repeated.insert(serial);
        return;
    }
    word |= mask;
}

void RepeatedSerials::add(quint32 serial) {
    const std::size_t page = serial >> kPageBits;
    int slot = m_slot[page];
    if (slot < 0) {
        if (m_pages.size() >= std::size_t(m_budget)) {
            spill(serial);
            return;
        }
        slot = int(m_pages.size());
        m_slot[page] = slot;
        m_pages.emplace_back(kWords, 0);
    }
    note(serial, m_pages[std::size_t(slot)]);
}

void RepeatedSerials::spill(quint32 serial) {
    if (!m_file) {
        m_file = std::make_unique<QTemporaryFile>();
        if (!m_file->open())
            throw TanorError(QStringLiteral("Could not open a temporary file for the serials: %1")
                                 .arg(m_file->errorString()));
        m_buffers.resize(kPages / std::size_t(m_budget) + 1);
        m_blocks.resize(m_buffers.size());
    }
    const std::size_t range = (serial >> kPageBits) / std::size_t(m_budget);
    std::vector<quint32>& buffer = m_buffers[range];
    if (buffer.capacity() < kBlock)
        buffer.reserve(kBlock);
    buffer.push_back(serial);
    ++m_spilled;
    if (buffer.size() == kBlock)
        flush(range);
}

void RepeatedSerials::flush(std::size_t range) {
    std::vector<quint32>& buffer = m_buffers[range];
    const qint64 at = m_file->size();
    const qint64 bytes = qint64(buffer.size() * sizeof(quint32));
    if (!m_file->seek(at) || m_file->write(reinterpret_cast<const char*>(buffer.data()), bytes) != bytes)
        throw TanorError(
            QStringLiteral("Could not write the serials to a temporary file: %1").arg(m_file->errorString()));
    m_blocks[range].push_back(at);
    buffer.clear();
}

void RepeatedSerials::finish() {
    if (!m_file)
        return;
    // The pages held during the pass are done with: the file's ranges reuse
    // the budget, one range at a time.
    std::fill(m_slot.begin(), m_slot.end(), -1);
    m_pages.clear();
    std::vector<quint32> block(kBlock);
    for (std::size_t range = 0; range < m_buffers.size(); ++range) {
        if (m_blocks[range].empty() && m_buffers[range].empty())
            continue;
        auto take = [&](const quint32* serials, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t page = serials[i] >> kPageBits;
                int& slot = m_slot[page];
                if (slot < 0) {
                    slot = int(m_pages.size());
                    m_pages.emplace_back(kWords, 0);
                }
                note(serials[i], m_pages[std::size_t(slot)]);
            }
        };
        for (const qint64 at : m_blocks[range]) {
            const qint64 bytes = qint64(kBlock * sizeof(quint32));
            if (!m_file->seek(at) || m_file->read(reinterpret_cast<char*>(block.data()), bytes) != bytes)
                throw TanorError(QStringLiteral("Could not read the serials back from a temporary file: %1")
                                     .arg(m_file->errorString()));
            take(block.data(), kBlock);
        }
        take(m_buffers[range].data(), m_buffers[range].size());
        std::vector<quint32>().swap(m_buffers[range]);
        m_blocks[range].clear();
        const std::size_t first = range * std::size_t(m_budget);
        std::fill(m_slot.begin() + qsizetype(first),
                  m_slot.begin() + qsizetype(std::min(kPages, first + std::size_t(m_budget))), -1);
        m_pages.clear();
    }
    m_file.reset();
}
