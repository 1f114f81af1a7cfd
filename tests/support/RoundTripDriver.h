#pragma once

// The far-away server of tests and benchmarks (RoundTripDriver.cpp): a data
// source through it, its wait per round trip and its counters. The driver
// manager loads the driver into this process, so the counters are read
// straight from the loaded library.

#include "platform/OdbcRegistry.h"

#include <QString>

#include <dlfcn.h>

#include <stdexcept>
#include <utility>

namespace RoundTripDriver {

struct Counts {
    long long reads = 0;
    long long writes = 0;
    long long connects = 0;
};

inline void* library() {
    static void* handle = dlopen(TANOR_ROUND_TRIP_DRIVER, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw std::runtime_error("cannot load the round-trip driver");
    return handle;
}

// Registers `dsn` (in the current ODBCINI) on the SQLite file `file` through
// the round-trip driver, which forwards to the SQLite ODBC driver `sqlite`.
// The stand-in streams forward-only results (as the server does) and waits
// `timeoutMs` for a locked file.
[[nodiscard]] inline bool Register(const QString& dsn, const QString& file, const QString& sqlite,
                                   int timeoutMs = 500) {
    qputenv("TANOR_FORWARD_DRIVER", sqlite.toLocal8Bit());
    const std::pair<const char*, QString> entry[] = {
        {"Driver", QStringLiteral(TANOR_ROUND_TRIP_DRIVER)},
        {"Database", file},
        {"StepAPI", QStringLiteral("1")},
        {"Timeout", QString::number(timeoutMs)},
    };
    for (const auto& [key, value] : entry)
        if (!OdbcRegistry::Write(dsn, QLatin1String(key), value))
            return false;
    return true;
}

// The wait per round trip, and after how many more round trips the
// connection drops (-1: never).
inline void Setup(long micros, long dropAfter = -1) {
    using Fn = void (*)(long, long);
    reinterpret_cast<Fn>(dlsym(library(), "TanorRoundTripSetup"))(micros, dropAfter);
}

[[nodiscard]] inline Counts Read() {
    using Fn = void (*)(long long*, long long*, long long*);
    Counts c;
    reinterpret_cast<Fn>(dlsym(library(), "TanorRoundTripCounts"))(&c.reads, &c.writes, &c.connects);
    return c;
}

} // namespace RoundTripDriver
