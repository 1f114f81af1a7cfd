#include "containers/RepeatedSerials.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <map>
#include <vector>

namespace {

struct Stream {
    const char* what;
    int budget; // pages held in memory
    std::vector<quint32> serials;
};

std::vector<quint32> spread(int count, quint32 seed) {
    // Serials over many pages and ranges, with about one in eight met again.
    QRandomGenerator rng(seed);
    std::vector<quint32> out;
    for (int i = 0; i < count; ++i)
        out.push_back(i % 8 == 7 && !out.empty() ? out[rng.bounded(quint32(out.size()))]
                                                 : rng.bounded(64u) << 16 | rng.bounded(65536u));
    return out;
}

// The counts and the set agree with plain counting, whether the pages stay
// in memory or the serials go through the file, and across the blocks the
// file is written in.
TEST(RepeatedSerials, FindEverySerialMetMoreThanOnce) {
    const std::vector<Stream> streams = {
        {"within the budget", 128, {5, 9, 5, 70000, 5, 70000, 0xFFFFFFF0}},
        {"one page held, the rest through the file",
         1,
         {5, 200000, 5, 200000, 0x80000000, 200001, 0x80000000}},
        {"a repeat across resident and spilled pages",
         1,
         {5, 65536 * 3 + 1, 5, 65536 * 3 + 1, 65536 * 3 + 1}},
        {"many blocks of one range", 2, spread(40000, 1)},
        {"many ranges", 3, spread(30000, 2)},
    };
    for (const Stream& s : streams) {
        SCOPED_TRACE(s.what);
        RepeatedSerials found(s.budget);
        std::map<quint32, int> counts;
        for (const quint32 serial : s.serials) {
            found.add(serial);
            ++counts[serial];
        }
        found.finish();
        qint64 repeated = 0;
        qint64 copies = 0;
        for (const auto& [serial, n] : counts) {
            EXPECT_EQ(found.repeated().contains(serial), n > 1) << serial;
            repeated += n > 1;
            copies += n - 1;
        }
        EXPECT_EQ(found.serials(), repeated);
        EXPECT_EQ(found.copies(), copies);
        EXPECT_EQ(found.spilled() > 0, s.budget < 64) << "a big budget needs no file";
    }
}

} // namespace
