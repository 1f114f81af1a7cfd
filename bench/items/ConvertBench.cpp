// Converting a generated server from 10-byte to 16-byte item records: the
// conversion window's walk (statements through Query and the embedded
// server, one UPDATE per row) against a plain SQLite program doing the same
// read-convert-update per row on raw bytes.
//
//   bench_items                  Google Benchmark, 20k characters + 20k warehouses
//   bench_items --memory N       one walk over N + N rows, peak memory (VmHWM)

#include "bench/GameSource.h"
#include "bench/ProcStatus.h"
#include "core/UtilitiesUnit.h"
#include "items/ItemConversion.h"
#include "items/UndoFile.h"
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

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// Databases/Game.db with `rows` accounts, each with one character and a
// warehouse full of catalogue items in 10-byte records.
void generate(const QString& folder, const QString& file, int rows) {
    const QString catalogue = folder + QStringLiteral("/TanorEditor.mdb");
    if (!QFile::exists(catalogue))
        DemoBuilder::BuildCatalogue(QStringLiteral(TANOR_RESOURCES), catalogue);
    DemoBuilder::GenerateOptions options;
    options.accounts = rows;
    options.charactersPerAccount = 1;
    options.recordWidth = 10;
    DemoBuilder::GenerateServer(catalogue, file, options);
}

// An editor folder whose game data source is Databases/Game.db.
class EditorFolder {
public:
    EditorFolder() {
        QDir(m_dir.path()).mkpath(QStringLiteral("Databases"));
        AppPaths::SetOverride(m_dir.path());
        qputenv("ODBCINI", (m_dir.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
        UseGameDatabase(game());
    }
    [[nodiscard]] QString game() const { return m_dir.path() + QStringLiteral("/Databases/Game.db"); }
    [[nodiscard]] QString pristine(int rows) const {
        return m_dir.path() + QStringLiteral("/pristine%1.db").arg(rows);
    }

    // Game.db as generated, without the previous run's changes.
    void reset(int rows) {
        ConnectionPool::instance().closeAll();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(game() + QLatin1String(suffix));
        QDir(m_dir.path() + QStringLiteral("/Undo")).removeRecursively();
        if (!QFile::exists(pristine(rows)))
            generate(m_dir.path(), pristine(rows), rows);
        QFile::copy(pristine(rows), game());
    }

private:
    QTemporaryDir m_dir;
};

// Events processed after every row, as in the window.
class Events : public ContainerWalk::Listener {
public:
    bool rowDone(const ContainerWalk::Row&, const ContainerWalk::Counts&) override {
        QCoreApplication::processEvents();
        return true;
    }
};

// The window's walk: every row through Query, events processed after each,
// every original column kept in an undo file; `batchRows` rows per
// transaction (1: every row commits alone).
ItemConversion::Result windowWalk(int batchRows = ContainerWalk::Options().batchRows) {
    Events events;
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("conversion"));
    ContainerWalk::Options options;
    options.batchRows = batchRows;
    options.undo = undo.get();
    return ItemConversion::Run(events, options);
}

// One 10-byte record to 16 bytes, on raw bytes.
void convertRecord(const unsigned char* r, unsigned char* out) {
    static const std::array<unsigned char, 10> empty = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                        0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    if (std::memcmp(r, empty.data(), 10) == 0) {
        std::memset(out, 0xFF, 16);
        return;
    }
    const bool unique = r[7] >= 0x80;
    const int code = r[0] + (unique ? 256 : 0);
    out[0] = static_cast<unsigned char>(code % 32 + (r[3] == 0xF9 ? 32 : 0));
    std::memcpy(out + 1, r + 1, 6);
    out[7] = static_cast<unsigned char>(unique ? r[7] & 0x7F : r[7]);
    out[8] = r[8] & 0x0F;
    out[9] = static_cast<unsigned char>((code / 32) << 4);
    std::memset(out + 10, 0, 6);
}

// The same walk as a plain SQLite program: a reading connection and a
// writing one, one UPDATE (one commit) per row.
int rawWalk(const QString& file) {
    sqlite3* reader = nullptr;
    sqlite3* writer = nullptr;
    check(sqlite3_open(file.toUtf8().constData(), &reader), reader, "open");
    check(sqlite3_exec(reader, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), reader, "wal");
    check(sqlite3_open(file.toUtf8().constData(), &writer), writer, "open");
    sqlite3_busy_timeout(writer, 5000);
    int converted = 0;
    const struct {
        const char* read;
        const char* write;
        int records;
        int keys;
    } walks[] = {
        {"SELECT AccountID, Name, Inventory FROM Character",
         "UPDATE Character SET Inventory=? WHERE (AccountID=?) AND (Name=?)", 108, 2},
        {"SELECT AccountID, Items FROM Warehouse", "UPDATE Warehouse SET Items=? WHERE (AccountID=?)", 120,
         1},
    };
    std::string out;
    for (const auto& walk : walks) {
        sqlite3_stmt* read = nullptr;
        sqlite3_stmt* write = nullptr;
        check(sqlite3_prepare_v2(reader, walk.read, -1, &read, nullptr), reader, "prepare");
        check(sqlite3_prepare_v2(writer, walk.write, -1, &write, nullptr), writer, "prepare");
        while (sqlite3_step(read) == SQLITE_ROW) {
            const int size = sqlite3_column_bytes(read, walk.keys);
            if (size != walk.records * 10)
                continue;
            const auto* in = static_cast<const unsigned char*>(sqlite3_column_blob(read, walk.keys));
            out.resize(size_t(walk.records) * 16);
            for (int k = 0; k < walk.records; ++k)
                convertRecord(in + k * 10, reinterpret_cast<unsigned char*>(out.data()) + k * 16);
            sqlite3_bind_blob(write, 1, out.data(), int(out.size()), SQLITE_STATIC);
            for (int key = 0; key < walk.keys; ++key)
                sqlite3_bind_text(write, key + 2,
                                  reinterpret_cast<const char*>(sqlite3_column_text(read, key)), -1,
                                  SQLITE_TRANSIENT);
            check(sqlite3_step(write), writer, "update");
            sqlite3_reset(write);
            ++converted;
        }
        sqlite3_finalize(read);
        sqlite3_finalize(write);
    }
    sqlite3_close(reader);
    sqlite3_close(writer);
    return converted;
}

EditorFolder* g_folder = nullptr;

// Times `walk` over a fresh copy of the generated server.
template <class Walk> void timeWalk(benchmark::State& state, Walk walk) {
    const int rows = int(state.range(0));
    int converted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g_folder->reset(rows);
        state.ResumeTiming();
        converted = walk();
    }
    state.counters["rows"] = converted;
    state.counters["rows/s"] = benchmark::Counter(converted, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WindowWalk(benchmark::State& state) {
    const int batch = int(state.range(1));
    timeWalk(state, [batch] { return windowWalk(batch).converted; });
}

void BM_RawSqlite(benchmark::State& state) {
    timeWalk(state, [] { return rawWalk(g_folder->game()); });
}

// Arguments: rows of each table, rows per transaction.
BENCHMARK(BM_WindowWalk)
    ->Args({20000, 256})
    ->Args({20000, 1})
    ->ArgNames({"rows", "batch"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK(BM_RawSqlite)->Arg(20000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EditorFolder folder;
    g_folder = &folder;
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
        const int rows = std::atoi(argv[2]);
        folder.reset(rows);
        // Start the peak afresh, so generating the server does not count.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = StatusKiB("VmHWM:");
        const ItemConversion::Result result = windowWalk();
        const long after = StatusKiB("VmHWM:");
        std::printf("rows %d+%d converted %d: VmHWM before walk %ld kB, after walk %ld kB (+%ld kB)\n", rows,
                    rows, result.converted, before, after, after - before);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
