// What one statement costs through the editor's data layer, measured on the
// demo server: Query as the windows use it (close, connection string from the
// settings, text, Open or ExecSQL, read a few fields) against raw QSqlQuery on
// one connection opened once to the same file; and a pooled connection
// against a fresh one per statement.
//
//   build/bench/query_bench [--benchmark_filter=...]
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "platform/DataTarget.h"
#include "platform/Query.h"
#include "tools/DemoBuilder.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

const QString kGameKey = DataSourceKey(DataSource::TanorOnline);
const QString kPointSelect =
    QStringLiteral("SELECT AccountID, cLevel, Class FROM Character WHERE Name='Kaelin'");
const QString kPointUpdate = QStringLiteral("UPDATE Character SET Money=Money+1 WHERE Name='Kaelin'");
const QString kSerial = QStringLiteral("EXECUTE QJ_GetItemSerial");

// The demo server in a temporary editor folder, built once per run, with the
// game key pointed at it as the connection dialog would.
class DemoServer {
public:
    static DemoServer& instance() {
        static DemoServer server;
        return server;
    }
    [[nodiscard]] QString gameFile() const {
        return m_dir.filePath(QStringLiteral("Databases/TanorOnline.db"));
    }

private:
    DemoServer() {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot create a temporary folder");
        qputenv("ODBCINI", m_dir.filePath(QStringLiteral("odbc.ini")).toLocal8Bit());
        AppPaths::SetOverride(m_dir.path(), QStringLiteral("VornTanorEditor"));
        DemoBuilder::PrepareDemo(m_dir.path(), QStringLiteral(TANOR_SOURCE_DIR "/resources"));
        WriteSetting(SettingsName::kConnection, kGameKey, QStringLiteral("TanorOnline"));
    }
    QTemporaryDir m_dir;
};

// One QSQLITE connection opened once, as a program without the data layer
// would keep it.
class RawConnection {
public:
    RawConnection() {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_raw"));
        db.setDatabaseName(DemoServer::instance().gameFile());
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
    }
    ~RawConnection() {
        QSqlDatabase::database(QStringLiteral("bench_raw"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("bench_raw"));
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    [[nodiscard]] static QSqlDatabase db() {
        return QSqlDatabase::database(QStringLiteral("bench_raw"), false);
    }
};

void check(bool ok, const QSqlQuery& q) {
    if (!ok)
        throw std::runtime_error(q.lastError().text().toStdString());
}

// ------------------------------------------------------------ through Query

// What a window does before every statement: close the query, give it the
// connection string built from the settings at that moment, set the text.
void aim(Query& q, const QString& text) {
    q.Close();
    q.SetConnectionString(BuildConnectionString(kGameKey));
    q.SetText(text);
}

// A point select as the windows run it: the query is closed, given the
// connection string built from the settings at that moment, opened, and a
// few fields are read. `fresh` closes the pooled connections after every
// statement, so the next one connects again.
void QueryPointSelect(benchmark::State& state, bool fresh) {
    Query q;
    for (auto _ : state) {
        aim(q, kPointSelect);
        q.Open();
        benchmark::DoNotOptimize(q.FieldByName(QStringLiteral("AccountID")).AsString());
        benchmark::DoNotOptimize(q.FieldByName(QStringLiteral("cLevel")).AsInteger());
        benchmark::DoNotOptimize(q.FieldByName(QStringLiteral("Class")).AsInteger());
        if (fresh) {
            q.Close();
            ConnectionPool::instance().closeAll();
        }
    }
}

void QueryPointUpdate(benchmark::State& state, bool fresh) {
    Query q;
    for (auto _ : state) {
        aim(q, kPointUpdate);
        benchmark::DoNotOptimize(q.ExecSQL());
        if (fresh)
            ConnectionPool::instance().closeAll();
    }
}

// The property editor draws a serial: the procedure as a command, then the
// counter read back.
void QuerySerial(benchmark::State& state, bool fresh) {
    Query q;
    for (auto _ : state) {
        aim(q, kSerial);
        (void)q.ExecSQL();
        aim(q, QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
        q.Open();
        benchmark::DoNotOptimize(q.Fields(0).AsInteger());
        if (fresh) {
            q.Close();
            ConnectionPool::instance().closeAll();
        }
    }
}

BENCHMARK_CAPTURE(QueryPointSelect, pooled, false);
BENCHMARK_CAPTURE(QueryPointSelect, fresh, true);
BENCHMARK_CAPTURE(QueryPointUpdate, pooled, false);
BENCHMARK_CAPTURE(QueryPointUpdate, fresh, true);
BENCHMARK_CAPTURE(QuerySerial, pooled, false);
BENCHMARK_CAPTURE(QuerySerial, fresh, true);

// ------------------------------------------------------------ raw QSqlQuery

void RawPointSelect(benchmark::State& state) {
    RawConnection raw;
    QSqlQuery q(RawConnection::db());
    q.setForwardOnly(true);
    for (auto _ : state) {
        check(q.exec(kPointSelect), q);
        check(q.next(), q);
        benchmark::DoNotOptimize(q.value(0).toString());
        benchmark::DoNotOptimize(q.value(1).toInt());
        benchmark::DoNotOptimize(q.value(2).toInt());
        q.finish();
    }
}

void RawPointUpdate(benchmark::State& state) {
    RawConnection raw;
    QSqlQuery q(RawConnection::db());
    for (auto _ : state) {
        check(q.exec(kPointUpdate), q);
        benchmark::DoNotOptimize(q.numRowsAffected());
    }
}

// The body of QJ_GetItemSerial run directly, in one transaction as the
// procedure runner does, then the counter read back.
void RawSerial(benchmark::State& state) {
    RawConnection raw;
    QSqlQuery q(RawConnection::db());
    q.setForwardOnly(true);
    for (auto _ : state) {
        check(q.exec(QStringLiteral("SAVEPOINT serial")), q);
        check(q.exec(QStringLiteral(
                  "INSERT INTO GameServerInfo (Number, ItemCount) SELECT 0, 0 WHERE NOT EXISTS "
                  "(SELECT 1 FROM GameServerInfo)")),
              q);
        check(q.exec(QStringLiteral("UPDATE GameServerInfo SET ItemCount = ItemCount + 1")), q);
        check(q.exec(QStringLiteral("SELECT 0 AS Result, ItemCount FROM GameServerInfo LIMIT 1")), q);
        check(q.next(), q);
        benchmark::DoNotOptimize(q.value(1).toInt());
        q.finish();
        check(q.exec(QStringLiteral("RELEASE serial")), q);
        check(q.exec(QStringLiteral("SELECT ItemCount FROM GameServerInfo")), q);
        check(q.next(), q);
        benchmark::DoNotOptimize(q.value(0).toInt());
        q.finish();
    }
}

BENCHMARK(RawPointSelect);
BENCHMARK(RawPointUpdate);
BENCHMARK(RawSerial);

// ------------------------------------------------------------ parts of a statement

// Reading the three settings of a connection string (the settings file is
// opened for each, so a change is seen by the next statement).
void PartBuildConnectionString(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildConnectionString(kGameKey));
}

// Finding the backend and file of a data source in the ODBC registry.
void PartResolveDataSource(benchmark::State& state) {
    const QString cs = BuildConnectionString(kGameKey);
    for (auto _ : state)
        benchmark::DoNotOptimize(DataTargets::Resolve(cs));
}

BENCHMARK(PartBuildConnectionString);
BENCHMARK(PartResolveDataSource);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    (void)DemoServer::instance(); // built before anything is timed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
