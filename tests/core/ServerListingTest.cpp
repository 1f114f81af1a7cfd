// The databases of a real server, listed through the data source of its
// master database, and the operator data source registered on that server.
#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/OdbcRegistry.h"

#include <map>

namespace {

using Entry = std::map<QString, QString>;

void writeEntry(const QString& dsn, const Entry& values) {
    for (const auto& [key, value] : values)
        ASSERT_TRUE(OdbcRegistry::Write(dsn, key, value)) << key.toStdString();
}

class ServerListing : public EnvTest {
protected:
    void SetUp() override {
        // A database of the local server, which must not be offered once a
        // master data source is set.
        env.createDatabase(QStringLiteral("LocalOnly"));
        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("ID"), QStringLiteral("sa"));
        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("Pass"), QStringLiteral("secret"));
    }
    static void useMaster(const QString& dsn) {
        WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("MasterDNS"), dsn);
    }
};

TEST_F(ServerListing, ListsWhatTheServerAnswersAndKeepsWhatCameBeforeAFailure) {
    struct Row {
        const char* what;
        Entry entry;
        QString password; // of the settings' SQL login
        QStringList names;
        QString error; // part of the text; empty: none
    };
    const Row rows[] = {
        {"in the server's order, nameless catalogue left out",
         {{"Catalogues", "master,Ops,,Game"}, {"Login", "sa/secret"}},
         "secret",
         {"master", "Ops", "Game"},
         ""},
        {"link lost after two rows",
         {{"Catalogues", "master,Ops,Game"}, {"FailAfter", "2"}},
         "secret",
         {"master", "Ops"},
         "[Tanor test driver]Communication link failure"},
        {"login refused",
         {{"Catalogues", "master"}, {"Login", "sa/secret"}},
         "wrong",
         {},
         "Login failed for user 'sa'."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString dsn = QStringLiteral("Master");
        OdbcRegistry::Remove(dsn);
        Entry entry = row.entry;
        entry[QStringLiteral("Driver")] = QStringLiteral(TANOR_CATALOGUE_DRIVER);
        writeEntry(dsn, entry);
        useMaster(dsn);
        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("Pass"), row.password);

        const ServerCatalog::Listing listing = ListServerDatabases();
        EXPECT_EQ(listing.names, row.names);
        if (row.error.isEmpty())
            EXPECT_EQ(listing.error, QString());
        else
            EXPECT_TRUE(listing.error.contains(row.error)) << listing.error.toStdString();
    }
}

TEST_F(ServerListing, AMasterNameThatCannotNameADataSourceIsRefusedUnasked) {
    const struct {
        QString name;
        bool refused;
    } rows[] = {
        {QStringLiteral("a;b"), true},
        {QStringLiteral("[Master]"), true},
        {QStringLiteral("x=1"), true},
        {QString(33, QLatin1Char('A')), true},
        // Fine as a name, only not registered: the driver manager says so.
        {QStringLiteral("Game Server-1"), false},
        {QString(32, QLatin1Char('A')), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        useMaster(row.name);
        const ServerCatalog::Listing listing = ListServerDatabases();
        EXPECT_TRUE(listing.names.isEmpty());
        if (row.refused)
            EXPECT_EQ(listing.error,
                      QStringLiteral(
                          "The setting MasterDNS of section ODBCConnection is not a data source name: ") +
                          row.name);
        else
            EXPECT_TRUE(listing.error.contains(QStringLiteral("Data source name not found")))
                << listing.error.toStdString();
    }
    // Unset, the local server is listed again.
    useMaster(QString());
    EXPECT_EQ(ListServerDatabases().names, QStringList{QStringLiteral("LocalOnly")});
}

TEST_F(ServerListing, TheOperatorDataSourceTakesTheMastersDriverAndServer) {
    // A registration on the local server before: its SQLite keys must go.
    RegisterOperatorDataSource(QStringLiteral("LocalOnly"));
    ASSERT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Timeout")),
              QStringLiteral("5000"));

    const QString kept[] = {QStringLiteral("Driver"),
                            QStringLiteral("Server"),
                            QStringLiteral("Servername"),
                            QStringLiteral("Port"),
                            QStringLiteral("TDS_Version"),
                            QStringLiteral("Encrypt"),
                            QStringLiteral("TrustServerCertificate"),
                            QStringLiteral("Trusted_Connection")};
    const Entry masters[] = {
        {{"Driver", "FreeTDS"},
         {"Server", "sqlhost"},
         {"Port", "1433"},
         {"TDS_Version", "7.4"},
         {"Database", "master"},
         {"Description", "the game server"}},
        {{"Driver", "ODBC Driver 18 for SQL Server"},
         {"Server", "tcp:sqlhost,1433"},
         {"Encrypt", "yes"},
         {"TrustServerCertificate", "yes"},
         {"Trusted_Connection", "Yes"}},
        {{"Driver", "FreeTDS"}, {"Servername", "gameserver"}},
    };
    for (const Entry& master : masters) {
        SCOPED_TRACE(master.at(QStringLiteral("Driver")).toStdString());
        OdbcRegistry::Remove(QStringLiteral("Master"));
        writeEntry(QStringLiteral("Master"), master);
        useMaster(QStringLiteral("Master"));

        RegisterOperatorDataSource(QStringLiteral("Game"));
        for (const QString& key : kept) {
            const auto it = master.find(key);
            bool found = false;
            const QString value = OdbcRegistry::Read(QStringLiteral("VornMNG"), key, &found);
            EXPECT_EQ(found, it != master.end()) << key.toStdString();
            EXPECT_EQ(value, it != master.end() ? it->second : QString()) << key.toStdString();
        }
        EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Database")),
                  QStringLiteral("Game"));
        EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("LastUser")),
                  QStringLiteral("Administrator"));
        EXPECT_EQ(OperatorSetupMarker(), 1);
        for (const char* gone : {"Timeout", "Description"}) {
            bool found = true;
            (void)OdbcRegistry::Read(QStringLiteral("VornMNG"), QString::fromLatin1(gone), &found);
            EXPECT_FALSE(found) << gone;
        }
        // The master's own entry is left as it was.
        EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("Master"), QStringLiteral("Database")),
                  master.count(QStringLiteral("Database")) ? master.at(QStringLiteral("Database"))
                                                           : QString());
    }

    // A master without an entry gives nothing to take over: nothing is written.
    useMaster(QStringLiteral("Missing"));
    RegisterOperatorDataSource(QStringLiteral("Other"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Database")),
              QStringLiteral("Game"));
}

} // namespace
