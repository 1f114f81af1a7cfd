// The wipe's and the conversion's walks on an ODBC data source: QODBC through
// unixODBC, the SQLite ODBC driver standing in for the server. The driver
// streams a forward-only result and holds its read lock until the result is
// done (StepAPI), as a server cursor does, and the file keeps a rollback
// journal: a walk that read its rows through such a cursor could not write
// them. Only the static cursor lets the walk write the table it reads.

#include "OdbcDrivers.h"
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
#include "platform/OdbcRegistry.h"
#include "platform/Query.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

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

    void SetUp() override {
        const InstalledOdbcDriver sqlite = FindOdbcDriver(QStringLiteral("sqlite3"));
        REQUIRE_ODBC_DRIVER(sqlite, "SQLite 3");
        const QString driver = sqlite.library;
        file = Create(env, 0);
        SetVaults(1);
        plant();
        const std::pair<const char*, QString> entry[] = {
            {"Driver", driver},
            {"Database", file},
            {"StepAPI", QStringLiteral("1")},
            {"Timeout", QStringLiteral("500")}, // milliseconds a locked file is waited for
        };
        for (const auto& [key, value] : entry)
            ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("OdbcGame"), QLatin1String(key), value));
        env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("OdbcGame"));
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

    [[nodiscard]] Columns columns() const {
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

// The SQLite stand-in takes a binary literal as X'..', where the server
// takes the walks' 0x..; the statements are otherwise sent as built.
std::vector<ContainerWalk::Source> ForSqlite(std::vector<ContainerWalk::Source> sources) {
    for (ContainerWalk::Source& s : sources)
        s.update = [update = s.update](const ContainerWalk::Row& row, const QString& literal) {
            return update(row, QStringLiteral("X'") + literal.mid(2) + QLatin1Char('\''));
        };
    return sources;
}

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
        for (const ContainerWalk::Source& source : ForSqlite(c.sources))
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
        // Each write commits on its own: no transaction is opened on the server.
        int reads = 0;
        int writes = 0;
        for (const JournalEntry& e : journal.entries()) {
            EXPECT_TRUE(e.error.isEmpty()) << e.text.toStdString() << ": " << e.error.toStdString();
            EXPECT_TRUE(e.text.startsWith(QLatin1String(e.opened ? "SELECT " : "UPDATE ")))
                << e.text.toStdString();
            (e.opened ? reads : writes) += 1;
        }
        EXPECT_EQ(reads, 3);
        EXPECT_EQ(writes, int(c.changed.size()));
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

} // namespace
