// The wipe's and the conversion's walks on an ODBC data source: QODBC through
// unixODBC and the round-trip driver, the SQLite ODBC driver standing in for
// the server behind it. The stand-in streams a forward-only result and holds
// its read lock until the result is done (StepAPI), as a server does, and the
// file keeps a rollback journal: a walk that held its read open could not
// write the table it reads. The walk reads in pages, each read whole first.

#include "OdbcDrivers.h"
#include "RoundTripDriver.h"
#include "TestEnvironment.h"
#include "WipeServer.h"

#include "containers/ItemSearch.h"
#include "containers/ServerCheck.h"
#include "containers/WipeMatch.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/ContainerWalk.h"
#include "items/ItemConversion.h"
#include "items/UndoFile.h"
#include "platform/ConnectionPool.h"
#include "platform/Query.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <functional>
#include <map>

using namespace WipeServer;

namespace {

const QByteArray kSpear = Record(10, {{0, 0x61}, {1, 0x6F}, {7, 0x47}, {8, 0x05}});
const QByteArray kSword = Record(10, {{0, 0x02}, {1, 0x08}, {7, 0x02}});

// Every container's column (hexadecimal) by "table:key".
using Columns = std::map<QString, QString>;

class OdbcWalkTest : public EnvTest {
protected:
    QString file;
    QString sqliteDriver;
    StatementJournal::Recorder sent;

    void SetUp() override {
        const InstalledOdbcDriver sqlite = FindOdbcDriver(QStringLiteral("sqlite3"));
        REQUIRE_ODBC_DRIVER(sqlite, "SQLite 3");
        sqliteDriver = sqlite.library;
        file = Create(env, 0);
        SetVaults(1);
        plant();
        ASSERT_TRUE(RoundTripDriver::Register(QStringLiteral("OdbcGame"), file, sqliteDriver));
        RoundTripDriver::Setup(0);
        env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("OdbcGame"));
    }

    // Every text sent to the ODBC data source goes to the T-SQL parser check
    // when it asks for them (TANOR_TSQL_JOURNAL names the file, one JSON
    // string per line).
    void TearDown() override {
        RoundTripDriver::Setup(0);
        ConnectionPool::instance().closeAll();
        const QString out = qEnvironmentVariable("TANOR_TSQL_JOURNAL");
        if (out.isEmpty())
            return;
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::Append));
        for (const JournalEntry& e : sent.entries()) {
            if (e.connection != QLatin1String("OdbcGame"))
                continue; // the embedded twin's
            const QByteArray line = QJsonDocument(QJsonArray{e.text}).toJson(QJsonDocument::Compact);
            f.write(line.mid(1, line.size() - 2) + '\n');
        }
    }

    // Rows to rewrite, rows to leave alone and a torn inventory.
    void plant() const {
        TestEnvironment::execRaw(file, QStringLiteral("PRAGMA journal_mode=DELETE; DELETE FROM Character; "
                                                      "DELETE FROM Warehouse; DELETE FROM ExtWarehouse;"));
        const QByteArray c1 = Column(10, 108, {{0, kSpear}, {13, kSword}});
        const QByteArray c2 = Column(10, 108, {{5, kSword}});
        const QByteArray torn = Column(10, 108, {{2, kSpear}}).left(555);
        AddCharacter(file, QStringLiteral("c1"), QStringLiteral("acc1"), &c1);
        AddCharacter(file, QStringLiteral("c2"), QStringLiteral("o'acc"), &c2);
        AddCharacter(file, QStringLiteral("torn"), QStringLiteral("acc3"), &torn);
        AddWarehouse(file, QStringLiteral("acc1"), Column(10, 120, {{0, kSpear}, {60, kSword}}));
        AddWarehouse(file, QStringLiteral("o'acc"), Column(10, 120, {{3, kSword}}));
        AddVault(file, QStringLiteral("acc1"), 1, Column(10, 120, {{7, kSpear}}));
    }

    // `n` rows of each kind: narrow columns with and without items, wide,
    // torn and NULL columns, accounts with a quote in them.
    void generate(int n) const {
        TestEnvironment::execRaw(file, QStringLiteral("PRAGMA journal_mode=DELETE; DELETE FROM Character; "
                                                      "DELETE FROM Warehouse; DELETE FROM ExtWarehouse;"));
        for (int i = 0; i < n; ++i) {
            const QString account = (i % 5 == 0 ? QStringLiteral("o'acc%1") : QStringLiteral("acc%1")).arg(i);
            const QByteArray inventories[] = {Column(10, 108, {{i % 108, kSpear}}),
                                              Column(10, 108, {{3, kSword}}),
                                              Column(16, 108, {}),
                                              Column(10, 108, {{2, kSpear}}).left(500),
                                              QByteArray(),
                                              Column(10, 108, {})};
            const QByteArray& inventory = inventories[i % 6];
            AddCharacter(file, QStringLiteral("hero%1").arg(i), account, i % 6 == 4 ? nullptr : &inventory);
            AddWarehouse(file, account, i % 2 ? Column(10, 120, {{i % 120, kSpear}}) : Column(10, 120, {}));
            AddVault(file, account, 1 + i % 3, Column(10, 120, {{7, kSpear}, {8, kSword}}));
        }
    }

    struct Walked {
        ContainerWalk::Counts counts[ContainerWalk::kKinds];
        std::vector<ContainerWalk::Refusal> refused;
        std::vector<Undo::Entry> undo;
        QString undoPath;
        QString error; // empty when the walk ended normally
    };
    // The conversion (or the wipe of spears) on the game data source.
    [[nodiscard]] static Walked walk(bool conversion, const ContainerWalk::Options& given = {}) {
        const std::unique_ptr<UndoFile> undo =
            UndoFile::Create(conversion ? QStringLiteral("conversion") : QStringLiteral("wipe"));
        ContainerWalk::Options options = given;
        options.undo = undo.get();
        ContainerWalk::Listener listener;
        ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, listener);
        const VaultSettings vaults = VaultSettings::Read();
        Walked w;
        try {
            if (conversion) {
                ItemConversion::Walk(walker);
            } else {
                for (const ContainerWalk::Source& source : WipeSources(vaults))
                    walker.Walk(source, [](const ContainerWalk::Row& row) {
                        return WipeRow(row, 10, [](QStringView record) { return record.startsWith(u"61"); });
                    });
            }
        } catch (const TanorError& e) {
            w.error = e.text();
        }
        for (int k = 0; k < ContainerWalk::kKinds; ++k)
            w.counts[k] = walker.counts(ContainerWalk::Kind(k));
        w.refused = walker.refused();
        w.undo = Undo::Read(undo->path()).entries;
        w.undoPath = undo->path();
        return w;
    }

    // "table:key" of an undo entry, as columns() names the rows.
    [[nodiscard]] static QString placeOf(const Undo::Entry& e) {
        return e.table + QLatin1Char(':') + (e.key2 == QLatin1String("Name") ? e.value2 : e.value);
    }

    [[nodiscard]] Columns columns() const { return columnsOf(file); }
    [[nodiscard]] static Columns columnsOf(const QString& file) {
        Columns c;
        for (const char* sql :
             {"SELECT group_concat('Character:' || Name || '=' || hex(Inventory), ';') FROM Character",
              "SELECT group_concat('Warehouse:' || AccountID || '=' || hex(Items), ';') FROM Warehouse",
              "SELECT group_concat('ExtWarehouse:' || AccountID || '=' || hex(Items), ';') FROM "
              "ExtWarehouse"})
            for (const QString& row : Scalar(file, QLatin1String(sql)).split(QLatin1Char(';')))
                c[row.section(QLatin1Char('='), 0, 0)] = row.section(QLatin1Char('='), 1);
        return c;
    }
};

TEST_F(OdbcWalkTest, AForwardOnlyReaderLocksTheWritesOutAndTheSnapshotReaderDoesNot) {
    for (const bool snapshot : {false, true}) {
        SCOPED_TRACE(snapshot ? "snapshot" : "forward only");
        Query reader;
        reader.SetSnapshot(snapshot);
        reader.SetConnectionString(BuildConnectionString(DataSource::TanorOnline));
        reader.SetText(QStringLiteral("SELECT AccountID, Items FROM Warehouse"));
        reader.Open();
        Query writer;
        writer.SetConnectionString(BuildConnectionString(DataSource::TanorOnline));
        writer.SetText(QStringLiteral("UPDATE Warehouse SET Money = 7 WHERE AccountID = 'acc1'"));
        if (snapshot) {
            EXPECT_EQ(writer.ExecSQL(), 1);
        } else {
            EXPECT_THROW((void)writer.ExecSQL(), DbError);
        }
        // The rows read are the rows there were, whatever was written meanwhile.
        int rows = 0;
        for (; !reader.Eof(); reader.Next())
            ++rows;
        EXPECT_EQ(rows, 2);
    }
}

TEST_F(OdbcWalkTest, TheWipeAndTheConversionWriteTheTablesTheyReadWithAnExactUndoFile) {
    const Columns before = columns();
    const VaultSettings vaults = VaultSettings::Read();
    const QString wipedC1 = BytesToHex(Column(10, 108, {{13, kSword}}));
    struct Case {
        const char* walk;
        std::vector<ContainerWalk::Source> sources;
        ContainerWalk::RewriteFn rewrite;
        Columns changed; // the columns written, as they must then be stored
        int count;       // the walk's own counter over the rows written
    };
    const auto converted = [&](const char* key, int records) {
        return ItemConversion::ConvertColumn(before.at(QLatin1String(key)), records).mid(2); // past "0x"
    };
    const Case cases[] = {
        {"wipe",
         WipeSources(vaults),
         [](const ContainerWalk::Row& row) {
             return WipeRow(row, 10, [](QStringView record) { return record.startsWith(u"61"); });
         },
         {{QStringLiteral("Character:c1"), wipedC1},
          {QStringLiteral("Warehouse:acc1"), BytesToHex(Column(10, 120, {{60, kSword}}))},
          {QStringLiteral("ExtWarehouse:acc1"), BytesToHex(Column(10, 120, {}))}},
         3},
        {"conversion",
         ItemConversion::Sources(vaults),
         ItemConversion::ConvertRow,
         {{QStringLiteral("Character:c1"), converted("Character:c1", 108)},
          {QStringLiteral("Character:c2"), converted("Character:c2", 108)},
          {QStringLiteral("Warehouse:acc1"), converted("Warehouse:acc1", 120)},
          {QStringLiteral("Warehouse:o'acc"), converted("Warehouse:o'acc", 120)},
          {QStringLiteral("ExtWarehouse:acc1"), converted("ExtWarehouse:acc1", 120)}},
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.walk);
        plant();
        const std::unique_ptr<UndoFile> undo = UndoFile::Create(QLatin1String(c.walk));
        ContainerWalk::Options options;
        options.undo = undo.get();
        ContainerWalk::Listener listener;
        ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, listener);
        StatementJournal::Recorder journal;
        for (const ContainerWalk::Source& source : c.sources)
            ASSERT_NO_THROW(walker.Walk(source, c.rewrite));

        const ContainerWalk::Counts total = walker.total();
        EXPECT_EQ(total.rows, 6);
        EXPECT_EQ(total.written, int(c.changed.size()));
        EXPECT_EQ(total.malformed, 1); // the torn inventory is left alone
        EXPECT_EQ(total.count, c.count);
        Columns expected = before;
        for (const auto& [key, value] : c.changed)
            expected[key] = value;
        EXPECT_EQ(columns(), expected);

        // One entry per row written, holding the column as it was.
        const std::vector<Undo::Entry> entries = Undo::Read(undo->path()).entries;
        ASSERT_EQ(entries.size(), c.changed.size());
        for (const Undo::Entry& e : entries)
            EXPECT_EQ(e.original, before.at(e.table + QLatin1Char(':') +
                                            (e.key2 == QLatin1String("Name") ? e.value2 : e.value)));
        // One page per table (each shorter than a page) and one batch per
        // table written; transactions go through the driver, never as SQL.
        int reads = 0;
        int writes = 0;
        for (const JournalEntry& e : journal.entries()) {
            EXPECT_TRUE(e.error.isEmpty()) << e.text.toStdString() << ": " << e.error.toStdString();
            EXPECT_TRUE(e.text.startsWith(QLatin1String(e.opened ? "SELECT TOP 2000 " : "UPDATE ")))
                << e.text.toStdString();
            (e.opened ? reads : writes) += 1;
        }
        EXPECT_EQ(reads, 3);
        EXPECT_EQ(writes, 3);
        QStringList pages;
        for (const JournalEntry& e : journal.entries())
            if (e.opened)
                pages << e.text;
        EXPECT_EQ(
            pages,
            (QStringList{
                QStringLiteral("SELECT TOP 2000 AccountID, Inventory, Name FROM Character ORDER BY Name"),
                QStringLiteral("SELECT TOP 2000 AccountID, Items FROM Warehouse ORDER BY AccountID"),
                QStringLiteral("SELECT TOP 2000 AccountID, Items, Number FROM ExtWarehouse ORDER BY "
                               "AccountID, Number")}));
    }
}

// The whole-server search reads through the same cursors: every item of the
// whole columns, the torn one reported, nothing written.
TEST_F(OdbcWalkTest, TheServerSearchAndCheckReadEveryContainer) {
    const Columns before = columns();
    const ServerScan::Options options = ServerScan::Options::FromSettings();
    const CatalogueIndex catalogue = CatalogueIndex::Load();
    const ItemSearch::Result found = ItemSearch::Find(options, catalogue, {}, {});
    EXPECT_EQ(found.matched, 7);
    EXPECT_FALSE(found.partial);
    const ServerCheck::Report check = ServerCheck::Run(options, catalogue, {});
    const auto items = [&](ServerScan::Kind k) { return check.kinds[std::size_t(k)].items; };
    EXPECT_EQ(std::tuple(items(ServerScan::Kind::Inventory), items(ServerScan::Kind::Warehouse),
                         items(ServerScan::Kind::Vault)),
              std::tuple(qint64(3), qint64(3), qint64(1)));
    EXPECT_EQ(check.total().torn, 1);
    EXPECT_EQ(columns(), before);
}

// The same generated rows through the server path (pages and batches
// smaller than the tables) and on the embedded backend end the same.
TEST_F(OdbcWalkTest, TheServerPathEndsWhereTheEmbeddedBackendEnds) {
    const QString twin = env.path(QStringLiteral("Databases/Twin.db"));
    env.registerDataSource(QStringLiteral("Twin"), twin);
    ContainerWalk::Options paged;
    paged.pageRows = 7;
    paged.batchRows = 5;
    for (const bool conversion : {false, true}) {
        SCOPED_TRACE(conversion ? "conversion" : "wipe");
        generate(45);
        ConnectionPool::instance().closeAll();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(twin + QLatin1String(suffix));
        ASSERT_TRUE(QFile::copy(file, twin));
        const Walked server = walk(conversion, paged);
        env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("Twin"));
        const Walked embedded = walk(conversion);
        env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("OdbcGame"));

        EXPECT_TRUE(server.error.isEmpty()) << server.error.toStdString();
        EXPECT_EQ(columns(), columnsOf(twin));
        for (int k = 0; k < ContainerWalk::kKinds; ++k) {
            const ContainerWalk::Counts &a = server.counts[k], &b = embedded.counts[k];
            EXPECT_EQ(std::tie(a.rows, a.written, a.wrongWidth, a.malformed, a.count, a.refused),
                      std::tie(b.rows, b.written, b.wrongWidth, b.malformed, b.count, b.refused))
                << "kind " << k;
        }
        EXPECT_GT(server.counts[0].written, 0);
        const auto lines = [](const Walked& w) {
            QStringList out;
            for (const Undo::Entry& e : w.undo)
                out << QStringList{e.table, e.column, e.key, e.value, e.key2, e.value2, e.original, e.written}
                           .join(QLatin1Char(','));
            out.sort();
            return out;
        };
        EXPECT_EQ(lines(server), lines(embedded));
    }
    // A later page of the vaults, after the seventh (account, number) in key order.
    const QString nextPage = QStringLiteral(
        "SELECT TOP 7 AccountID, Items, Number FROM ExtWarehouse WHERE AccountID > 'acc17' OR (AccountID = "
        "'acc17' AND Number > '3') ORDER BY AccountID, Number");
    EXPECT_TRUE(std::any_of(sent.entries().begin(), sent.entries().end(),
                            [&](const JournalEntry& e) { return e.text == nextPage; }));
}

// A trigger refuses one character: its batch is sent again row by row, the
// row is reported and left, every other row is written.
TEST_F(OdbcWalkTest, ARowTheServerRefusesIsReportedAndEveryOtherRowIsWritten) {
    TestEnvironment::execRaw(
        file, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Character "
                             "WHEN NEW.Name = 'c2' BEGIN SELECT RAISE(ABORT, 'c2 is refused'); END;"));
    const Columns before = columns();
    const Walked w = walk(true);

    EXPECT_TRUE(w.error.isEmpty()) << w.error.toStdString();
    ASSERT_EQ(w.refused.size(), 1U);
    EXPECT_EQ(w.refused[0].row.second, QStringLiteral("c2"));
    EXPECT_TRUE(w.refused[0].error.contains(QLatin1String("c2 is refused")))
        << w.refused[0].error.toStdString();
    EXPECT_EQ(w.counts[0].refused, 1);
    EXPECT_EQ(w.counts[0].written, 1);
    const Columns after = columns();
    QStringList changed;
    for (const auto& [place, column] : after)
        if (column != before.at(place))
            changed << place;
    EXPECT_EQ(changed, (QStringList{QStringLiteral("Character:c1"), QStringLiteral("ExtWarehouse:acc1"),
                                    QStringLiteral("Warehouse:acc1"), QStringLiteral("Warehouse:o'acc")}));
    QStringList listed;
    for (const Undo::Entry& e : w.undo)
        listed << placeOf(e);
    listed.sort();
    EXPECT_EQ(listed, changed);
}

// The connection drops after k round trips, wherever that falls (a page
// read, a batch, its commit): the undo file lists exactly the rows that were
// committed, and restoring it puts them all back.
TEST_F(OdbcWalkTest, ADroppedConnectionLeavesAnUndoFileOfExactlyTheCommittedRows) {
    ContainerWalk::Options small;
    small.pageRows = 8;
    small.batchRows = 4;
    int committedSomewhere = 0;
    for (const long k : {2L, 5L, 9L, 13L, 17L, 22L, 28L, 35L}) {
        SCOPED_TRACE(k);
        generate(30);
        const Columns before = columns();
        RoundTripDriver::Setup(0, k);
        const Walked w = walk(true, small);
        RoundTripDriver::Setup(0);
        ConnectionPool::instance().closeAll();

        EXPECT_FALSE(w.error.isEmpty());
        const Columns after = columns();
        QStringList changed;
        for (const auto& [place, column] : after)
            if (column != before.at(place))
                changed << place;
        QStringList listed;
        for (const Undo::Entry& e : w.undo) {
            listed << placeOf(e);
            EXPECT_EQ(e.original, before.at(placeOf(e)));
        }
        listed.sort();
        EXPECT_EQ(listed, changed);
        committedSomewhere += int(changed.size());

        const Undo::Restored restored =
            Undo::Restore(w.undoPath, BuildConnectionString(DataSource::TanorOnline));
        EXPECT_EQ(restored.restored, int(w.undo.size()));
        EXPECT_TRUE(restored.changedSince.isEmpty());
        EXPECT_EQ(columns(), before);
    }
    EXPECT_GT(committedSomewhere, 0); // some drops came after a commit
}

// Nothing of a page stays open while the walk goes on: another connection
// writes the table between the walk's pages.
TEST_F(OdbcWalkTest, AnotherConnectionWritesTheTableWhileTheWalkPagesThroughIt) {
    struct Writer : ContainerWalk::Listener {
        QString file;
        int written = 0;
        void rowRead(const ContainerWalk::Row& row) override {
            if (row.kind != ContainerWalk::Kind::Warehouse)
                return;
            TestEnvironment::execRaw(file, QStringLiteral("UPDATE Warehouse SET Money = Money + 1"));
            ++written;
        }
    } writer;
    writer.file = file;
    ContainerWalk::Options options;
    options.pageRows = 1;
    ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, writer);
    const VaultSettings vaults = VaultSettings::Read();
    ASSERT_NO_THROW(walker.Walk(ContainerWalk::WarehouseSource(), [](const ContainerWalk::Row& row) {
        return WipeRow(row, 10, [](QStringView record) { return record.startsWith(u"61"); });
    }));
    EXPECT_EQ(writer.written, 2);
    EXPECT_EQ(walker.counts(ContainerWalk::Kind::Warehouse).written, 1);
    EXPECT_EQ(Scalar(file, QStringLiteral("SELECT sum(Money) FROM Warehouse")), QStringLiteral("4"));
}

} // namespace
