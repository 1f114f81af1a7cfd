// The whole-server walks against a far-away server: the wipe, the
// conversion and the duplicated-serials report over a generated server of 20k characters + 20k warehouses,
// through the round-trip driver (tests/support/RoundTripDriver.cpp: the
// SQLite ODBC driver behind a model of a server's round trips) at 0, 1 and
// 5 ms per round trip.
//
//   remote_walk_bench [--benchmark_filter=...]
//
// Counters: rt_read_per_1k (round trips per 1000 rows read), rt_write_per_1k
// (per 1000 rows written), and the rows read and written.
#include "GuiBenchMain.h"
#include "OdbcDrivers.h"
#include "RoundTripDriver.h"
#include "WipeBenchServer.h"

#include "containers/DuplicateSerials.h"
#include "containers/WipeMatch.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/CatalogueIndex.h"
#include "items/ContainerWalk.h"
#include "items/ItemConversion.h"
#include "items/UndoFile.h"
#include "platform/ConnectionPool.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 20000;

WipeBenchServer& server() {
    static WipeBenchServer s(kRows);
    return s;
}

// The generated server, reached through the round-trip driver.
void useRemote() {
    static const bool registered = [] {
        const InstalledOdbcDriver sqlite = FindOdbcDriver(QStringLiteral("sqlite3"));
        if (sqlite.library.isEmpty() ||
            !RoundTripDriver::Register(QStringLiteral("Remote"), server().database(), sqlite.library, 5000))
            return false;
        WriteSetting(SettingsName::kConnection, DataSourceKey(DataSource::TanorOnline),
                     QStringLiteral("Remote"));
        return true;
    }();
    if (!registered)
        throw std::runtime_error("the SQLite ODBC driver is not installed");
}

// Runs `sources` with `rewrite` over a fresh copy of the server at
// state.range(0) microseconds per round trip.
void remoteWalk(benchmark::State& state, const char* what, const std::vector<ContainerWalk::Source>& sources,
                const ContainerWalk::RewriteFn& rewrite) {
    useRemote();
    ContainerWalk::Counts total;
    RoundTripDriver::Counts spent;
    for (auto _ : state) {
        state.PauseTiming();
        ConnectionPool::instance().closeAll();
        server().restore();
        RoundTripDriver::Setup(long(state.range(0)));
        const RoundTripDriver::Counts before = RoundTripDriver::Read();
        state.ResumeTiming();

        const std::unique_ptr<UndoFile> undo = UndoFile::Create(QLatin1String(what));
        ContainerWalk::Options options;
        options.undo = undo.get();
        ContainerWalk::Listener none;
        ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, none);
        for (const ContainerWalk::Source& source : sources)
            walker.Walk(source, rewrite);

        state.PauseTiming();
        total = walker.total();
        const RoundTripDriver::Counts after = RoundTripDriver::Read();
        spent = {after.reads - before.reads, after.writes - before.writes, after.connects - before.connects};
        ConnectionPool::instance().closeAll();
        state.ResumeTiming();
    }
    RoundTripDriver::Setup(0);
    state.counters["rows_read"] = total.rows;
    state.counters["rows_written"] = total.written;
    state.counters["rt_read_per_1k"] = total.rows ? 1000.0 * double(spent.reads) / total.rows : 0;
    state.counters["rt_write_per_1k"] = total.written ? 1000.0 * double(spent.writes) / total.written : 0;
    state.counters["connects"] = double(spent.connects);
}

void BM_RemoteWipe(benchmark::State& state) {
    (void)server();
    const RecordMatch match = GWipe(10, WipeBenchServer::kSpearType);
    remoteWalk(state, "wipe", WipeSources(VaultSettings::Read()),
               [&](const ContainerWalk::Row& row) { return WipeRow(row, 10, match); });
}

void BM_RemoteConversion(benchmark::State& state) {
    (void)server();
    remoteWalk(state, "conversion", ItemConversion::Sources(VaultSettings::Read()),
               ItemConversion::ConvertRow);
}

// The duplicated-serials report: two read-only passes over every container;
// rows read counts both passes. Nothing is written.
void BM_RemoteDuplicates(benchmark::State& state) {
    (void)server();
    useRemote();
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    qint64 rows = 0;
    RoundTripDriver::Counts spent;
    for (auto _ : state) {
        state.PauseTiming();
        ConnectionPool::instance().closeAll();
        RoundTripDriver::Setup(long(state.range(0)));
        const RoundTripDriver::Counts before = RoundTripDriver::Read();
        rows = 0;
        state.ResumeTiming();

        const DuplicateSerials::Report report = DuplicateSerials::Find(
            ServerScan::Options::FromSettings(), catalogue, [&rows](int, ServerScan::Kind, int) {
                ++rows;
                return true;
            });
        benchmark::DoNotOptimize(report.serials);

        state.PauseTiming();
        const RoundTripDriver::Counts after = RoundTripDriver::Read();
        spent = {after.reads - before.reads, after.writes - before.writes, after.connects - before.connects};
        ConnectionPool::instance().closeAll();
        state.ResumeTiming();
    }
    RoundTripDriver::Setup(0);
    state.counters["rows_read"] = double(rows);
    state.counters["rt_read_per_1k"] = rows ? 1000.0 * double(spent.reads) / double(rows) : 0;
    state.counters["rt_write_per_1k"] = double(spent.writes);
    state.counters["connects"] = double(spent.connects);
}

// Each walk at 0, 1 and 5 ms per round trip, once: a run takes seconds to minutes.
void Delays(benchmark::internal::Benchmark* b) {
    b->ArgName("us_per_rt")
        ->Arg(0)
        ->Arg(1000)
        ->Arg(5000)
        ->Iterations(1)
        ->Unit(benchmark::kSecond)
        ->UseRealTime();
}
BENCHMARK(BM_RemoteWipe)->Apply(Delays);
BENCHMARK(BM_RemoteConversion)->Apply(Delays);
BENCHMARK(BM_RemoteDuplicates)->Apply(Delays);

} // namespace

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
