#pragma once

// A small planted server for the whole-server passes and their window:
// duplicated serials across an inventory, a warehouse and a vault and within
// one warehouse, serials that mark no item, an unknown record, an overlap, a
// footprint past the grid's edge, a torn column and one of the other width.

#include "TestEnvironment.h"
#include "WipeServer.h"

#include "containers/ServerScan.h"
#include "core/UtilitiesUnit.h"

#include <set>
#include <vector>

namespace SearchServer {

using namespace WipeServer;
using ServerScan::Found;
using ServerScan::Kind;

inline QString fs(const char* s) {
    return QString::fromLatin1(s);
}

// Narrow records of the test catalogue. A Kukri is only known with its
// serial's first byte 00 (that byte is its Code32 key).
inline QByteArray narrow(int id, quint32 serial, std::initializer_list<std::pair<int, int>> more = {}) {
    QByteArray r = Record(10, {{0, id},
                               {3, int(serial >> 24)},
                               {4, int(serial >> 16) & 0xFF},
                               {5, int(serial >> 8) & 0xFF},
                               {6, int(serial) & 0xFF}});
    for (auto [at, value] : more)
        r[at] = char(value);
    return r;
}
inline QByteArray kukri(quint32 serial, std::initializer_list<std::pair<int, int>> more = {}) {
    return narrow(0x01, serial, more);
}
inline QByteArray armor(quint32 serial) {
    return narrow(0x05, serial, {{7, 0x80}});
}
// Behind F9: a 6-digit serial.
inline QByteArray staff(quint32 serial) {
    return narrow(0xA3, serial, {{3, 0xF9}});
}

// "I:c1:13", "W:acc1:60", "V:acc1:5".
inline QString placeOf(Kind kind, const QString& account, const QString& second, int cell) {
    const char* k = kind == Kind::Inventory ? "I" : kind == Kind::Warehouse ? "W" : "V";
    return QStringLiteral("%1:%2:%3")
        .arg(QLatin1String(k), kind == Kind::Inventory ? second : account)
        .arg(cell);
}
inline QString placeOf(const Found& f) {
    return placeOf(f.kind, f.account, f.second, f.cell);
}
inline std::set<QString> places(const std::vector<Found>& found) {
    std::set<QString> out;
    for (const Found& f : found)
        out.insert(placeOf(f));
    return out;
}

class ServerSearchTest : public EnvTest {
protected:
    QString file;

    void SetUp() override {
        file = Create(env, 0);
        SetVaults(1);
        env.useDataSource(fs("TanorOnlineDNS"), fs("Game"));
    }

    // Every planted case, on a narrow server.
    void plant() const {
        const QByteArray c1 = Column(10, 108,
                                     {{0, staff(0x333)},
                                      {12, kukri(0x101, {{1, 0xBC}, {7, 0x05}})}, // skill, +7, luck
                                      {13, armor(0x102)},                         // 2 x 2 on 14
                                      {14, kukri(0x103)},                         // under the armor
                                      {19, armor(0x104)}});                       // column 8
        const QByteArray c2 = Column(10, 108, {{29, kukri(0x105, {{1, 0x18}})}});
        const QByteArray torn = Column(10, 108, {{2, kukri(0x106)}}).left(555);
        AddCharacter(file, fs("c1"), fs("acc1"), &c1);
        AddCharacter(file, fs("c2"), fs("acc2"), &c2);
        AddCharacter(file, fs("c3"), fs("acc3"), &torn);
        AddWarehouse(file, fs("acc1"),
                     Column(10, 120,
                            {{0, kukri(0x101)},
                             {49, staff(0x777)},
                             {50, staff(0x777)},
                             {59, narrow(0x77, 0x900)},
                             {69, kukri(0)},
                             {70, kukri(0)},
                             {89, staff(0xFFFFFF)},
                             {90, staff(0xFFFFFF)}}));
        AddWarehouse(file, fs("acc2"), Column(16, 120, {}));
        AddVault(file, fs("acc1"), 1, Column(10, 120, {{4, kukri(0x101, {{8, 0x05}})}}));
    }

    [[nodiscard]] static ServerScan::Options options() { return ServerScan::Options::FromSettings(); }
};

} // namespace SearchServer
