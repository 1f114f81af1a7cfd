// The ODBC backend end to end: QODBC through unixODBC, with the SQLite ODBC
// driver standing in for SQL Server's.
#include "OdbcDrivers.h"
#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/ConnectionPool.h"
#include "platform/DataTarget.h"
#include "platform/OdbcRegistry.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

namespace {

class OdbcBackend : public EnvTest {
protected:
    void SetUp() override {
        const InstalledOdbcDriver sqlite = FindOdbcDriver(QStringLiteral("sqlite3"));
        REQUIRE_ODBC_DRIVER(sqlite, "SQLite 3");
        const QString driver = sqlite.library;
        const QString file = env.createDatabase(
            QStringLiteral("OdbcGame"),
            QStringLiteral("CREATE TABLE Character (Name TEXT, Inventory BLOB, Married BIT, Note TEXT);"
                           "INSERT INTO Character VALUES ('Alpha', X'00FF10', 1, NULL);"
                           "INSERT INTO Character VALUES ('Beta', NULL, 0, 'x');"));
        // SQL Server reports bit columns as SQL_BIT; the SQLite ODBC driver does so for "BIT".
        // A driver given by its library is not the embedded one: QODBC carries it.
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("OdbcGame"), QStringLiteral("Driver"), driver));
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("OdbcGame"), QStringLiteral("Database"), file));
        env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("OdbcGame"));
        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("ID"), QStringLiteral("sa"));
        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("Pass"), QStringLiteral("secret"));
    }
    QString cs() const { return BuildConnectionString(QStringLiteral("TanorOnlineDNS")); }
};

TEST_F(OdbcBackend, ChoosesQodbcWithTheBareDataSourceName) {
    const DataTarget target = DataTargets::Resolve(cs());
    EXPECT_EQ(target.backend, DataTarget::Backend::Odbc);
    EXPECT_EQ(target.location, QStringLiteral("OdbcGame"));
    EXPECT_EQ(target.user, QStringLiteral("sa"));
    EXPECT_EQ(target.password, QStringLiteral("secret"));
}

TEST_F(OdbcBackend, ReadsBinaryBitAndNullColumns) {
    Query q;
    q.SetConnectionString(cs());
    q.SetText(QStringLiteral("SELECT Name, Inventory, Married, Note FROM Character ORDER BY Name"));
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("NAME")).AsString(), QStringLiteral("Alpha"));
    EXPECT_EQ(BytesToHex(q.Fields(1).AsBytes()), QStringLiteral("00FF10"));
    EXPECT_EQ(q.Fields(2).AsString(), QStringLiteral("True"));
    EXPECT_TRUE(q.Fields(3).isNull());
    EXPECT_EQ(q.Fields(3).AsString(), QString());
    q.Next();
    EXPECT_EQ(q.Fields(2).AsString(), QStringLiteral("False"));
    EXPECT_TRUE(q.Fields(1).isNull());
    q.Next();
    EXPECT_TRUE(q.Eof());
}

TEST_F(OdbcBackend, PassesStatementsUnchangedAndReportsRows) {
    Query q;
    q.SetConnectionString(cs());
    q.SetText(QStringLiteral("UPDATE Character SET Inventory=X'ABCD' WHERE Name=") +
              Q(QStringLiteral("Beta")));
    EXPECT_EQ(q.ExecSQL(), 1);
    q.SetText(QStringLiteral("SELECT Inventory FROM Character WHERE Name='Beta'"));
    q.Open();
    EXPECT_EQ(BytesToHex(q.Fields(0).AsBytes()), QStringLiteral("ABCD"));
    // The server, not the tool, would have to understand T-SQL here.
    Query top;
    top.SetConnectionString(cs());
    top.SetText(QStringLiteral("SELECT TOP 1 Name FROM Character"));
    EXPECT_THROW(top.Open(), DbError);
}

TEST_F(OdbcBackend, TwoOpenResultsUseTwoConnections) {
    Query a, b;
    a.SetConnectionString(cs());
    a.SetText(QStringLiteral("SELECT Name FROM Character"));
    a.Open();
    const int before = ConnectionPool::instance().connectionsOpened();
    b.SetConnectionString(cs());
    b.SetText(QStringLiteral("SELECT count(*) FROM Character"));
    b.Open();
    EXPECT_EQ(b.Fields(0).AsInteger(), 2);
    EXPECT_EQ(ConnectionPool::instance().connectionsOpened(), before + 1);
    EXPECT_EQ(a.Fields(0).AsString(), QStringLiteral("Alpha"));
}

TEST_F(OdbcBackend, AnUnknownDataSourceGivesTheDriverManagerText) {
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("NoSuchSource"));
    Query q;
    q.SetConnectionString(cs());
    q.SetText(QStringLiteral("SELECT 1"));
    try {
        q.Open();
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Data source name not found")))
            << e.text().toStdString();
    }
    // A driver that is not installed.
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("NoDriver"), QStringLiteral("Driver"),
                                    QStringLiteral("/nonexistent/libx.so")));
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("NoDriver"));
    q.SetConnectionString(cs());
    try {
        q.Open();
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("libx.so")) ||
                    e.text().contains(QStringLiteral("Can't open lib")))
            << e.text().toStdString();
    }
}

} // namespace
