// The duplicated-serials report over a generated server: the core engine
// (rows through Query and the container walk, every item decoded with its
// catalogue entry from the index read once, two passes) against a lean
// program on the raw SQLite API reading the same columns and decoding the
// serials the same way, with the same two-pass bitmaps.
//
//   bench_search [--rows N]       Google Benchmark, N (20k) characters + N warehouses
//   bench_search --memory N       one report over N + N rows, peak memory (VmHWM)
//   bench_search --memory N raw   the same for the lean program

#include "bench/GameSource.h"
#include "bench/ProcStatus.h"
#include "containers/DuplicateSerials.h"
#include "containers/SerialSet.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/OdbcRegistry.h"
#include "tools/DemoBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Items copied on the generated server: a server has a few duplicates
// whatever its size, so the report's kept holders are the same at every size.
constexpr int kPlanted = 100;

// An editor folder with a generated game server of `rows` accounts, each
// with one character and a warehouse full of catalogue items (10-byte
// records), as its game data source.
class GeneratedServer {
public:
    explicit GeneratedServer(int rows) {
        QDir(m_dir.path()).mkpath(QStringLiteral("Databases"));
        AppPaths::SetOverride(m_dir.path());
        qputenv("ODBCINI", (m_dir.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
        const QString catalogue = m_dir.path() + QStringLiteral("/TanorEditor.mdb");
        DemoBuilder::BuildCatalogue(QStringLiteral(TANOR_RESOURCES), catalogue);
        DemoBuilder::GenerateOptions options;
        options.accounts = rows;
        options.duplicatedSerials = kPlanted;
        DemoBuilder::GenerateServer(catalogue, game(), options);
        UseGameDatabase(game());
        WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), 0);
    }
    [[nodiscard]] QString game() const { return m_dir.path() + QStringLiteral("/Databases/Game.db"); }

private:
    QTemporaryDir m_dir;
};

DuplicateSerials::Report engineReport() {
    return DuplicateSerials::Find(ServerScan::Options::FromSettings(), CatalogueIndex::Load(), {});
}

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

struct RawHolder {
    std::string table;
    std::string key;
    int cell;
};

// The lean program: the same columns, serials decoded from the bytes with
// the F9 rule, serials of no item left out, two passes over two bitmaps,
// holders kept up to the same cap. Returns the serials held twice.
qint64 rawReport(const QString& file) {
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), db, "open");
    const struct {
        const char* table;
        const char* read;
        int records;
    } sources[] = {{"Character", "SELECT AccountID, Inventory, Name FROM Character", 108},
                   {"Warehouse", "SELECT AccountID, Items FROM Warehouse", 120}};
    SerialSet seen;
    SerialSet twice;
    std::unordered_map<quint32, std::vector<RawHolder>> holders;
    int kept = 0;
    for (int pass = 1; pass <= 2 && (pass == 1 || twice.size() > 0); ++pass) {
        for (const auto& source : sources) {
            sqlite3_stmt* read = nullptr;
            check(sqlite3_prepare_v2(db, source.read, -1, &read, nullptr), db, "prepare");
            while (sqlite3_step(read) == SQLITE_ROW) {
                const int size = sqlite3_column_bytes(read, 1);
                if (size % 10 != 0)
                    continue;
                const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(read, 1));
                const int records = std::min(size / 10, source.records);
                for (int k = 0; k < records; ++k) {
                    const unsigned char* r = bytes + k * 10;
                    static const unsigned char free[10] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
                    if (std::memcmp(r, free, 10) == 0)
                        continue;
                    const bool marker = r[3] == 0xF9;
                    quint32 serial = quint32(r[4]) << 16 | quint32(r[5]) << 8 | r[6];
                    if (!marker)
                        serial |= quint32(r[3]) << 24;
                    if (serial == 0 || serial == (marker ? 0xFFFFFFu : 0xFFFFFFFFu))
                        continue;
                    if (pass == 1) {
                        if (!seen.insert(serial))
                            twice.insert(serial);
                    } else if (twice.contains(serial)) {
                        auto at = holders.find(serial);
                        if (at == holders.end() && kept >= DuplicateSerials::kKeptHolders)
                            continue;
                        holders[serial].push_back(
                            RawHolder{source.table,
                                      reinterpret_cast<const char*>(sqlite3_column_text(read, 0)), k + 1});
                        ++kept;
                    }
                }
            }
            sqlite3_finalize(read);
        }
    }
    sqlite3_close(db);
    return twice.size();
}

GeneratedServer* g_server = nullptr;

void BM_Engine(benchmark::State& state) {
    qint64 serials = 0;
    for (auto _ : state)
        serials = engineReport().serials;
    state.counters["serials"] = double(serials);
}

void BM_RawSqlite(benchmark::State& state) {
    qint64 serials = 0;
    for (auto _ : state)
        serials = rawReport(g_server->game());
    state.counters["serials"] = double(serials);
}

// The engine's fixed costs: the settings and the catalogue index read once.
void BM_CatalogueIndex(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CatalogueIndex::Load().entries().size());
}

// The data layer's share: both passes' rows read through the scan, every
// item met and nothing looked at.
void BM_RowsOnly(benchmark::State& state) {
    class Nothing : public ServerScan::Sink {};
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    for (auto _ : state) {
        Nothing sink;
        for (int pass = 0; pass < 2; ++pass)
            benchmark::DoNotOptimize(
                ServerScan::Scan(ServerScan::Options::FromSettings(), catalogue, sink, {}));
    }
}

BENCHMARK(BM_RowsOnly)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CatalogueIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawSqlite)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ConnectionPoolScope pool;
    const bool memory = argc >= 3 && std::strcmp(argv[1], "--memory") == 0;
    const bool raw = memory && argc == 4 && std::strcmp(argv[3], "raw") == 0;
    int rows = 20000;
    if (memory) {
        rows = std::atoi(argv[2]);
    } else if (argc >= 3 && std::strcmp(argv[1], "--rows") == 0) {
        rows = std::atoi(argv[2]);
        argv[2] = argv[0];
        argc -= 2;
        argv += 2;
    }
    GeneratedServer server(rows);
    g_server = &server;
    if (memory) {
        // Start the peak afresh, so generating the server does not count.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = StatusKiB("VmHWM:");
        if (raw) {
            const qint64 serials = rawReport(server.game());
            const long after = StatusKiB("VmHWM:");
            std::printf(
                "rows %s+%s (lean program): %lld serials held twice; VmHWM before %ld kB, after %ld kB "
                "(+%ld kB)\n",
                argv[2], argv[2], static_cast<long long>(serials), before, after, after - before);
            return 0;
        }
        const DuplicateSerials::Report r = engineReport();
        const long after = StatusKiB("VmHWM:");
        std::printf("rows %s+%s: %lld serials held twice by %lld items (%zu groups kept) in %lld ms; "
                    "VmHWM before %ld kB, after %ld kB (+%ld kB)\n",
                    argv[2], argv[2], static_cast<long long>(r.serials), static_cast<long long>(r.holders),
                    r.groups.size(), static_cast<long long>(r.elapsedMs), before, after, after - before);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
