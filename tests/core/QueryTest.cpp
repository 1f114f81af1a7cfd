#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/ConnectionPool.h"
#include "platform/DriverError.h"
#include "platform/OdbcRegistry.h"
#include "platform/Query.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>

#include <sqlite3.h>

namespace {

const char* kSchema = R"(
CREATE TABLE Character (Name TEXT COLLATE NOCASE PRIMARY KEY, AccountID TEXT COLLATE NOCASE, cLevel INTEGER,
                        Inventory BLOB, Married BOOLEAN, Note TEXT);
INSERT INTO Character VALUES ('Alpha', 'acc1', 10, X'00FF10', 1, NULL);
INSERT INTO Character VALUES ('Beta', 'acc1', 20, NULL, 0, 'hi');
INSERT INTO Character VALUES ('o''hara', 'acc2', 30, X'', NULL, '');
CREATE TABLE GameServerInfo (ItemCount INTEGER);
INSERT INTO GameServerInfo VALUES (100);
CREATE TABLE tanor_procedures (name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT);
INSERT INTO tanor_procedures VALUES ('QJ_GetItemSerial', '',
  'UPDATE GameServerInfo SET ItemCount = ItemCount + 1; SELECT ItemCount FROM GameServerInfo');
INSERT INTO tanor_procedures VALUES ('Rename', '@Name @NewName',
  'UPDATE Character SET Name = :NewName WHERE Name = :Name; SELECT changes(), :Name, :NewName');
INSERT INTO tanor_procedures VALUES ('Broken', '@Name',
  'UPDATE Character SET cLevel = 99 WHERE Name = :Name; SELECT * FROM NoSuchTable');
)";

class QueryTest : public EnvTest {
protected:
    void SetUp() override { env.createServer(QStringLiteral("Game"), QString::fromLatin1(kSchema)); }
    Query game(const QString& text) {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(text);
        return q;
    }
    QString one(const QString& text) {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(text);
        q.Open();
        return q.Fields(0).AsString();
    }
};

TEST_F(QueryTest, ReadsRowsFieldsAndTypes) {
    Query q;
    q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
    q.SetText(QStringLiteral("SELECT Name, cLevel, Inventory, Married, Note FROM Character ORDER BY cLevel"));
    q.Open();
    ASSERT_FALSE(q.IsEmpty());
    EXPECT_EQ(q.FieldCount(), 5);
    EXPECT_EQ(q.FieldByName(QStringLiteral("name")).AsString(), QStringLiteral("Alpha"));
    EXPECT_EQ(q.Fields(1).AsInteger(), 10);
    EXPECT_EQ(BytesToHex(q.FieldByName(QStringLiteral("INVENTORY")).AsBytes()), QStringLiteral("00FF10"));
    EXPECT_EQ(q.Fields(3).AsString(), QStringLiteral("True"));
    EXPECT_TRUE(q.Fields(4).isNull());
    EXPECT_EQ(q.Fields(4).AsString(), QString());
    q.Next();
    EXPECT_EQ(q.Fields(3).AsString(), QStringLiteral("False"));
    EXPECT_TRUE(q.Fields(2).isNull());
    q.Next();
    EXPECT_EQ(q.Fields(0).AsString(), QStringLiteral("o'hara"));
    EXPECT_EQ(q.Fields(3).AsString(), QString()); // NULL bit
    EXPECT_FALSE(q.Eof());
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_THROW((void)q.FieldByName(QStringLiteral("Nope")), DbError);
}

// Names are found in any order and case, row after row, and one query object
// opened again - on another text, or on the same text after the table was
// made anew with its columns in another order - reads the new result's columns.
TEST_F(QueryTest, FieldsByNameFollowEachResult) {
    struct Step {
        const char* remake; // the table's columns, made anew before the step
        const char* text;
        const char* names;  // read in this order on every row
        const char* values; // per row, rows separated by '|'
    };
    const Step steps[] = {
        {"a, b, c", "SELECT a, b, c FROM t ORDER BY a", "c a B", "3 1 2|6 4 5"},
        {nullptr, "SELECT c, a FROM t ORDER BY a", "A C a", "1 3 1|4 6 4"},
        {"c, b, a", "SELECT * FROM t ORDER BY c", "a b c", "3 2 1|6 5 4"},
        {"b, a, c", "SELECT * FROM t ORDER BY c", "a b c", "2 1 3|5 4 6"},
    };
    Query q = game(QStringLiteral("SELECT 1"));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        if (step.remake) {
            for (const QString& text : {QStringLiteral("DROP TABLE IF EXISTS t"),
                                        QStringLiteral("CREATE TABLE t(%1)").arg(QLatin1String(step.remake)),
                                        QStringLiteral("INSERT INTO t VALUES (1, 2, 3), (4, 5, 6)")}) {
                q.SetText(text);
                (void)q.ExecSQL();
            }
        }
        q.SetText(QString::fromLatin1(step.text));
        q.Open();
        const QStringList names = QString::fromLatin1(step.names).split(QLatin1Char(' '));
        QStringList rows;
        for (; !q.Eof(); q.Next()) {
            QStringList row;
            for (const QString& name : names)
                row << q.FieldByName(name).AsString();
            rows << row.join(QLatin1Char(' '));
        }
        EXPECT_EQ(rows.join(QLatin1Char('|')), QLatin1String(step.values));
    }
}

TEST_F(QueryTest, EmptyResultReadsAsEmptyTextAndZero) {
    Query q = game(QStringLiteral("SELECT Name, cLevel FROM Character WHERE Name = 'nobody'"));
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.Fields(0).AsString(), QString());
    EXPECT_EQ(q.Fields(1).AsInteger(), 0);
}

TEST_F(QueryTest, ExecReportsRowsAffectedAndWritesBinaryLiterals) {
    Query q = game(QStringLiteral("UPDATE Character SET Inventory=0xFFFE01 WHERE AccountID=") +
                   Q(QStringLiteral("ACC1")));
    EXPECT_EQ(q.ExecSQL(), 2);
    EXPECT_EQ(one(QStringLiteral("SELECT hex(Inventory) FROM Character WHERE Name='beta'")),
              QStringLiteral("FFFE01"));
}

TEST_F(QueryTest, NamesCompareWithoutCase) {
    EXPECT_EQ(one(QStringLiteral("SELECT cLevel FROM Character WHERE Name='ALPHA'")), QStringLiteral("10"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM Character WHERE Name LIKE('%A%')")),
              QStringLiteral("3"));
}

TEST_F(QueryTest, FailuresCarryTheDriverText) {
    Query q = game(QStringLiteral("SELECT * FROM NoSuchTable"));
    try {
        q.Open();
        FAIL() << "no error";
    } catch (const DbError& e) {
        // The database's and the driver's messages as two sentences.
        EXPECT_EQ(e.text(), QStringLiteral("no such table: NoSuchTable. Unable to execute statement."));
    }
    EXPECT_FALSE(q.Active());
    // Opening a statement that returns no rows is an error, as with the server's own layer.
    Query del = game(QStringLiteral("DELETE FROM Character WHERE Name='x'"));
    EXPECT_THROW(del.Open(), DbError);
}

TEST_F(QueryTest, ProceduresRunAsDataAndReturnTheirLastSelect) {
    Query q = game(QStringLiteral("EXECUTE QJ_GetItemSerial"));
    EXPECT_NO_THROW(q.ExecSQL());
    EXPECT_EQ(one(QStringLiteral("SELECT ItemCount FROM GameServerInfo")), QStringLiteral("101"));

    Query r = game(QStringLiteral("EXEC Rename @Name='Beta', @NewName='o''neil'"));
    r.Open();
    EXPECT_EQ(r.Fields(0).AsInteger(), 1);
    EXPECT_EQ(r.Fields(2).AsString(), QStringLiteral("o'neil"));
    EXPECT_EQ(one(QStringLiteral("SELECT AccountID FROM Character WHERE Name='o''neil'")),
              QStringLiteral("acc1"));

    // A missing argument is NULL; an unknown one is refused.
    Query missing = game(QStringLiteral("EXECUTE Rename @Name='nobody'"));
    missing.Open();
    EXPECT_TRUE(missing.Fields(2).isNull());
    Query unknown = game(QStringLiteral("EXECUTE Rename @Nam='x'"));
    EXPECT_THROW(unknown.Open(), DbError);
    Query absent = game(QStringLiteral("EXECUTE QJ_NoSuchProc @A=1"));
    try {
        absent.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Could not find stored procedure 'QJ_NoSuchProc'."));
    }
}

TEST_F(QueryTest, AFailingProcedureLeavesNothingBehind) {
    Query q = game(QStringLiteral("EXECUTE Broken @Name='Alpha'"));
    EXPECT_THROW(q.Open(), DbError);
    EXPECT_EQ(one(QStringLiteral("SELECT cLevel FROM Character WHERE Name='Alpha'")), QStringLiteral("10"));
}

TEST_F(QueryTest, GetdateTopAndConvertRun) {
    const QString now = one(QStringLiteral("SELECT getdate()"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))
                    .match(now)
                    .hasMatch())
        << now.toStdString();
    EXPECT_LE(qAbs(QDateTime::fromString(now, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                       .secsTo(QDateTime::currentDateTime())),
              60);
    EXPECT_EQ(one(QStringLiteral("SELECT TOP 1 Name FROM Character ORDER BY cLevel DESC")),
              QStringLiteral("o'hara"));
    EXPECT_EQ(
        one(QStringLiteral("SELECT count(*) FROM Character WHERE Note between Convert(datetime, 'a') and "
                           "Convert(datetime, 'z')")),
        QStringLiteral("1"));
}

// Another program on the same database (here the statement client, a process
// of its own) must see every write of the editor, and must not take itself for
// the file's only user and remove the editor's write-ahead log.
TEST(DriverErrors, ReadAsSentences) {
    const QString busy = QStringLiteral("The database is busy (another program is writing). Nothing was "
                                        "saved; try again.");
    struct Case {
        const char *database, *driver, *expected;
    };
    const Case cases[] = {
        {"database is locked", "Unable to fetch row", nullptr},
        {"database table is locked: Character", "Unable to execute statement", nullptr},
        {"[Microsoft][ODBC SQL Server Driver][SQL Server]Lock request time out period exceeded.",
         "QODBC: Unable to execute statement", nullptr},
        {"no such table: Foo", "Unable to execute statement",
         "no such table: Foo. Unable to execute statement."},
        {"Incorrect syntax near 'x'.", "", "Incorrect syntax near 'x'."},
        {"", "Driver not loaded", "Driver not loaded."},
        {"Is it there?", "Unable to connect", "Is it there? Unable to connect."},
        {"Login failed", "Login failed", "Login failed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.database);
        const QSqlError error(QString::fromLatin1(c.driver), QString::fromLatin1(c.database),
                              QSqlError::StatementError);
        EXPECT_EQ(DriverErrorText(error), c.expected ? QString::fromLatin1(c.expected) : busy);
    }
}

// A lock held by another program, after the busy time-out, reads as what it
// means to the operator: when a connection is opened, and on a write through
// a connection already open.
TEST_F(QueryTest, ALockHeldElsewhereIsReportedAsBusy) {
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Timeout"), QStringLiteral("50")));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(env.path(QStringLiteral("Databases/Game.db")).toUtf8().constData(), &other),
              SQLITE_OK);
    auto expectBusy = [&](const char* lock, const char* text, bool opened) {
        SCOPED_TRACE(text);
        ASSERT_EQ(sqlite3_exec(other, lock, nullptr, nullptr, nullptr), SQLITE_OK);
        Query q = game(QString::fromLatin1(text));
        try {
            if (opened)
                q.Open();
            else
                (void)q.ExecSQL();
            ADD_FAILURE() << "no error";
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("The database is busy (another program is writing). Nothing "
                                               "was saved; try again."));
        }
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    };
    expectBusy("BEGIN EXCLUSIVE", "SELECT Name FROM Character", true);
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM Character")), QStringLiteral("3"));
    expectBusy("BEGIN IMMEDIATE", "UPDATE Character SET cLevel = 1", false);
    sqlite3_close(other);
}

TEST_F(QueryTest, AnotherProcessSeesTheWritesWhileTheEditorHoldsConnections) {
    auto other = [&](const QString& text) {
        QProcess p;
        p.setProgram(QStringLiteral(TANOR_BUILD_DIR "/tools/tanorsql"));
        p.setArguments(
            {QStringLiteral("--dir"), env.dir(), QStringLiteral("--key"), QStringLiteral("TanorOnlineDNS")});
        p.start();
        p.write(text.toUtf8());
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    };
    const QString wal = env.path(QStringLiteral("Databases/Game.db-wal"));
    const QString level = QStringLiteral("SELECT cLevel FROM Character WHERE Name='Alpha'");
    {
        // Two connections at once: the second opens while the first reads.
        Query reader = game(QStringLiteral("SELECT Name FROM Character"));
        reader.Open();
        Query writer = game(QStringLiteral("UPDATE Character SET cLevel = 11 WHERE Name = 'Alpha'"));
        EXPECT_EQ(writer.ExecSQL(), 1);
    }
    ASSERT_TRUE(QFile::exists(wal));
    EXPECT_EQ(other(level), QStringLiteral("11"));
    EXPECT_TRUE(QFile::exists(wal));
    EXPECT_EQ(game(QStringLiteral("UPDATE Character SET cLevel = 12 WHERE Name = 'Alpha'")).ExecSQL(), 1);
    EXPECT_EQ(other(level), QStringLiteral("12"));
    EXPECT_EQ(other(QStringLiteral("UPDATE Character SET cLevel = 13 WHERE Name = 'Alpha'")), QString());
    EXPECT_EQ(one(level), QStringLiteral("13"));
}

TEST_F(QueryTest, OtherDatabasesAreAttachedByName) {
    env.createDatabase(QStringLiteral("Accounts"),
                       QStringLiteral("CREATE TABLE MEMB_STAT (memb___id TEXT, ConnectStat INTEGER);"
                                      "INSERT INTO MEMB_STAT VALUES ('acc1', 1);"));
    EXPECT_EQ(one(QStringLiteral("SELECT Name FROM Accounts..MEMB_STAT JOIN Game..Character ON memb___id = "
                                 "AccountID WHERE ConnectStat = 1 ORDER BY Name")),
              QStringLiteral("Alpha"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM ..Character")), QStringLiteral("3"));
    Query q = game(QStringLiteral("SELECT * FROM Missing..Character"));
    EXPECT_THROW(q.Open(), DbError);
}

TEST_F(QueryTest, StatementsPassTheJournal) {
    StatementJournal::Recorder journal;
    (void)one(QStringLiteral("SELECT count(*) FROM Character"));
    Query bad = game(QStringLiteral("SELEC nonsense"));
    EXPECT_THROW(bad.ExecSQL(), DbError);
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries()[0].text, QStringLiteral("SELECT count(*) FROM Character"));
    EXPECT_EQ(journal.entries()[0].connection, QStringLiteral("Game"));
    EXPECT_TRUE(journal.entries()[0].opened);
    EXPECT_TRUE(journal.entries()[0].error.isEmpty());
    EXPECT_FALSE(journal.entries()[1].error.isEmpty());
}

TEST_F(QueryTest, PoolReusesIdleConnectionsAndSeparatesOpenResults) {
    ConnectionPool& pool = ConnectionPool::instance();
    (void)one(QStringLiteral("SELECT 1"));
    const int opened = pool.connectionsOpened();
    for (int i = 0; i < 10; ++i)
        (void)one(QStringLiteral("SELECT 1"));
    EXPECT_EQ(pool.connectionsOpened(), opened);

    // A reader still on its result and a writer at the same time: two connections.
    Query reader = game(QStringLiteral("SELECT Name FROM Character ORDER BY Name"));
    reader.Open();
    Query writer = game(QStringLiteral("UPDATE Character SET cLevel = cLevel + 1"));
    EXPECT_EQ(writer.ExecSQL(), 3);
    EXPECT_EQ(pool.connectionsOpened(), opened + 1);
    int rows = 0;
    for (; !reader.Eof(); reader.Next())
        ++rows;
    EXPECT_EQ(rows, 3);
}

TEST_F(QueryTest, ASettingsChangeReachesTheNextStatement) {
    const QString other =
        env.createDatabase(QStringLiteral("Other"), QStringLiteral("CREATE TABLE Character (Name TEXT);"));
    env.registerDataSource(QStringLiteral("Other"), other);
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM Character")), QStringLiteral("3"));
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("Other"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM Character")), QStringLiteral("0"));
}

TEST_F(QueryTest, AFailedConnectionIsNotKeptAndTheNextStatementReconnects) {
    const QString file = env.path(QStringLiteral("Databases/Late.db"));
    env.registerDataSource(QStringLiteral("Late"), file);
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("Late"));
    const int before = ConnectionPool::instance().openConnections();
    Query q = game(QStringLiteral("SELECT 1"));
    try {
        q.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("does not exist"))) << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(file)); // never created by accident
    EXPECT_EQ(ConnectionPool::instance().openConnections(), before);
    TestEnvironment::execRaw(file, QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES (7);"));
    EXPECT_EQ(one(QStringLiteral("SELECT x FROM t")), QStringLiteral("7"));
}

TEST_F(QueryTest, BadDataSourcesAreNamedPlainly) {
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("NoSuchDsn"));
    Query q = game(QStringLiteral("SELECT 1"));
    try {
        q.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Data source name not found")))
            << e.text().toStdString();
    }
    // An empty name never reaches the driver manager (which would pick a default source).
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QString());
    QFile::remove(QStringLiteral("DSN=")); // left by builds from before this rule
    q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
    try {
        q.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("name of this connection is empty")))
            << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("DSN=")));
    // A file that is not a database.
    const QString junk = env.path(QStringLiteral("Databases/Junk.db"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(200, 'x'));
    f.close();
    env.registerDataSource(QStringLiteral("Junk"), junk);
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("Junk"));
    q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
    try {
        q.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("is not a database file"))) << e.text().toStdString();
    }
    // A SQLite data source without a file.
    env.registerDataSource(QStringLiteral("NoFile"), QString());
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("NoFile"));
    q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
    try {
        q.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("names no database file"))) << e.text().toStdString();
    }
}

} // namespace
