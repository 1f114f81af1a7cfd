// The general-selection wipe over a generated server of 20k characters and
// 20k warehouses: through the window's walk, as a lean program on the raw
// SQLite API doing the same read-match-update, and through the window with a
// fresh connection for every statement.
#include "GuiBenchMain.h"
#include "WipeBenchServer.h"

#include "containers/WipeUnit.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/UndoFile.h"
#include "platform/ConnectionPool.h"
#include "platform/StatementJournal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

constexpr int kRows = 20000;

WipeBenchServer& server() {
    static WipeBenchServer s(kRows);
    return s;
}

void windowWalk(benchmark::State& state, bool freshConnections) {
    WipeBenchServer& s = server();
    AcceptBoxes boxes;
    int handle = 0;
    if (freshConnections)
        handle =
            StatementJournal::AddListener([](const JournalEntry&) { ConnectionPool::instance().closeAll(); });
    int erased = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ConnectionPool::instance().closeAll();
        s.restore();
        auto form = std::make_unique<TWipeForm>();
        form->findChild<QComboBox*>(QStringLiteral("ComboBox1"))
            ->setCurrentIndex(WipeBenchServer::kSpearType);
        state.ResumeTiming();
        form->findChild<QAction*>(QStringLiteral("WipeFollowing1"))->trigger();
        state.PauseTiming();
        erased = form->findChild<QLabel*>(QStringLiteral("Deleted"))->text().toInt();
        form.reset();
        state.ResumeTiming();
    }
    if (handle)
        StatementJournal::RemoveListener(handle);
    if (erased != s.planted())
        state.SkipWithError("the walk did not erase what was planted");
    state.counters["erased"] = erased;
    state.counters["rows/s"] = benchmark::Counter(2.0 * kRows, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WindowWalk(benchmark::State& state) {
    windowWalk(state, false);
}
void BM_WindowWalkFreshConnectionPerStatement(benchmark::State& state) {
    windowWalk(state, true);
}

// The same walk without the window: the container walk with the wipe's
// rows and match, an undo file, and the write grouping given by the
// arguments (rows per transaction, savepoint per row).
// Times `walk` (returning the records it erased) over a fresh copy of the
// generated server.
template <class Walk> void timeWalk(benchmark::State& state, Walk walk) {
    WipeBenchServer& s = server();
    int erased = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ConnectionPool::instance().closeAll();
        s.restore();
        state.ResumeTiming();
        erased = walk();
    }
    if (erased != s.planted())
        state.SkipWithError("the walk did not erase what was planted");
    state.counters["erased"] = erased;
    state.counters["rows/s"] = benchmark::Counter(2.0 * kRows, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CoreWalk(benchmark::State& state) {
    timeWalk(state, [&state] {
        const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("wipe"));
        ContainerWalk::Options options;
        options.undo = undo.get();
        options.batchRows = int(state.range(0));
        options.rowSavepoints = state.range(1) != 0;
        ContainerWalk::Listener none;
        ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, none);
        const RecordMatch match = GWipe(10, WipeBenchServer::kSpearType);
        for (const ContainerWalk::Source& source : WipeSources(VaultSettings::Read()))
            walker.Walk(source, [&](const ContainerWalk::Row& row) { return WipeRow(row, 10, match); });
        return walker.total().count;
    });
}

// ---------------------------------------------------------------- raw SQLite

sqlite3* openRaw(const QString& file) {
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    return db;
}

// Reads every row through one connection and writes the changed ones through
// another, one autocommitted UPDATE with bound values per row.
int rawWalk(sqlite3* reader, sqlite3* writer, const char* select, const char* update, int records, int keys) {
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* write = nullptr;
    sqlite3_prepare_v2(reader, select, -1, &read, nullptr);
    sqlite3_prepare_v2(writer, update, -1, &write, nullptr);
    int erased = 0;
    QByteArray column;
    while (sqlite3_step(read) == SQLITE_ROW) {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(read, 1));
        const int size = sqlite3_column_bytes(read, 1);
        if (size % 10 != 0)
            continue;
        column = QByteArray(data, size);
        int changed = 0;
        for (int k = 0; k < std::min(records, size / 10); ++k) {
            auto* r = reinterpret_cast<unsigned char*>(column.data() + k * 10);
            const bool empty = std::all_of(r, r + 10, [](unsigned char b) { return b == 0xFF; });
            const bool high = r[7] & 0x80;
            if (!empty && r[0] / 32 == WipeBenchServer::kSpearType && !high) {
                std::fill(r, r + 10, 0xFF);
                ++changed;
            }
        }
        if (!changed)
            continue;
        sqlite3_bind_blob(write, 1, column.constData(), int(column.size()), SQLITE_STATIC);
        sqlite3_bind_value(write, 2, sqlite3_column_value(read, 0));
        if (keys > 1)
            sqlite3_bind_value(write, 3, sqlite3_column_value(read, 2));
        if (sqlite3_step(write) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(writer));
        sqlite3_reset(write);
        erased += changed;
    }
    sqlite3_finalize(read);
    sqlite3_finalize(write);
    return erased;
}

void BM_RawSqliteWalk(benchmark::State& state) {
    timeWalk(state, [] {
        const QString database = server().database();
        sqlite3* reader = openRaw(database);
        sqlite3* writer = openRaw(database);
        int erased = rawWalk(reader, writer, "SELECT AccountID, Inventory, Name FROM Character",
                             "UPDATE Character SET Inventory=? WHERE (AccountID=?) AND (Name=?)", 108, 2);
        erased += rawWalk(reader, writer, "SELECT AccountID, Items FROM Warehouse",
                          "UPDATE Warehouse SET Items=? WHERE (AccountID=?)", 120, 1);
        sqlite3_close(reader);
        sqlite3_close(writer);
        return erased;
    });
}

} // namespace

BENCHMARK(BM_WindowWalk)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CoreWalk)
    ->Args({256, 1})
    ->Args({256, 0})
    ->Args({1, 0})
    ->ArgNames({"batch", "savepoints"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_RawSqliteWalk)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_WindowWalkFreshConnectionPerStatement)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
