#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/Query.h"
#include "tools/CsvReader.h"
#include "tools/DemoBuilder.h"

#include <QProcess>
#include <QSet>

namespace {

class Demo : public EnvTest {
protected:
    void SetUp() override { env.buildDemo(); }
    static QString one(const QString& connection, const QString& sql) {
        Query q;
        q.SetConnectionString(connection);
        q.SetText(sql);
        q.Open();
        return q.Fields(0).AsString();
    }
    static QString game(const QString& sql) {
        return one(BuildConnectionString(QStringLiteral("TanorOnlineDNS")), sql);
    }
};

TEST(Csv, QuotedFieldsAndLineEnds) {
    const auto rows = CsvReader::Parse(QStringLiteral("a,b\r\n\"x, y\",\"say \"\"hi\"\"\"\n\n1,\n"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("x, y"), QStringLiteral("say \"hi\"")}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("1"), QString()}));
}

TEST_F(Demo, EveryDataSourceOfBothDefaultsReachesADatabase) {
    for (const char* dsn :
         {"TanorOnline", "TanorOnlineJoinDB", "USELOG", "RMDB_CONNECTLOG", "TANOR2003_EVENT_DB"}) {
        const QString cs = QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=") +
                           QLatin1String(dsn) + QStringLiteral(";uid=;pwd=");
        EXPECT_EQ(one(cs, QStringLiteral("SELECT count(*) > 0 FROM MEMB_INFO")), QStringLiteral("1")) << dsn;
    }
    for (const char* dsn : {"Ranking", "RANKING_DATA"}) {
        const QString cs = QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=") +
                           QLatin1String(dsn) + QStringLiteral(";uid=;pwd=");
        EXPECT_EQ(one(cs, QStringLiteral("SELECT count(*) > 0 FROM EVENT_INFO")), QStringLiteral("1")) << dsn;
    }
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Vaults"), QStringLiteral("Enabled")), 1);
    EXPECT_EQ(ReadSetting(QStringLiteral("Resets"), QStringLiteral("Table")),
              QStringLiteral("CharacterResets"));
}

TEST_F(Demo, SeedHoldsWhatANewcomerExplores) {
    EXPECT_EQ(game(QStringLiteral("SELECT count(DISTINCT Class) FROM Character")), QStringLiteral("8"));
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM MEMB_INFO WHERE memb___id LIKE('%''%')")),
              QStringLiteral("1"));
    // One account deliberately has no warehouse row.
    EXPECT_NE(game(QStringLiteral(
                  "SELECT count(*) FROM MEMB_INFO WHERE memb___id NOT IN (SELECT AccountID FROM Warehouse)")),
              QStringLiteral("0"));
    // Containers hold whole 10-byte records.
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Character WHERE length(Inventory) <> 1080")),
              QStringLiteral("0"));
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Warehouse WHERE length(Items) <> 1200")),
              QStringLiteral("0"));
}

TEST_F(Demo, ProceduresWork) {
    const QString before = game(QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
    Query q;
    q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
    q.SetText(QStringLiteral("EXECUTE QJ_GetItemSerial"));
    q.ExecSQL();
    EXPECT_EQ(game(QStringLiteral("SELECT ItemCount FROM GameServerInfo")).toInt(), before.toInt() + 1);
    const QString account = game(QStringLiteral(
        "SELECT Id FROM AccountCharacter WHERE coalesce(GameID1,'')='' OR coalesce(GameID2,'')='' LIMIT 1"));
    ASSERT_FALSE(account.isEmpty());
    q.SetText(QStringLiteral("EXECUTE QJ_CreateCharacter @AccountID=") + Q(account) +
              QStringLiteral(", @Name='Newcomer', @Class=32"));
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 0);
    EXPECT_EQ(game(QStringLiteral("SELECT AccountID FROM Character WHERE Name='newcomer'")), account);
    EXPECT_EQ(game(QStringLiteral("SELECT length(Inventory) FROM Character WHERE Name='Newcomer'")),
              QStringLiteral("1080"));
    q.Open(); // the name exists now
    EXPECT_NE(q.Fields(0).AsInteger(), 0);
}

TEST_F(Demo, EveryCatalogueItemIsFoundUnderBothKeys) {
    // For every item, the 10-byte key converted by the record converter's rule
    // gives its 16-byte key.
    const QVector<QStringList> rows =
        CsvReader::ReadFile(QStringLiteral(TANOR_SOURCE_DIR "/resources/catalogue/Item.csv"));
    QSet<QString> names, keys10, keys16;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const QStringList& f = rows[r];
        const int id = f[2].toInt(nullptr, 16);
        const int unique = f[3].toInt();
        const bool f9 = f[4] == QLatin1String("F9");
        const int code = id + (unique == 8 ? 256 : 0);
        EXPECT_EQ(f[5].toInt(nullptr, 16), code % 32 + (f9 ? 32 : 0)) << f[0].toStdString();
        EXPECT_EQ(f[6].toInt(), code / 32) << f[0].toStdString();
        EXPECT_FALSE(names.contains(f[0])) << f[0].toStdString();
        names << f[0];
        keys10 << f[2] + f[3] + f[4];
        keys16 << f[5] + QLatin1Char('/') + f[6];
    }
    EXPECT_EQ(keys10.size(), names.size());
    EXPECT_EQ(keys16.size(), names.size());
    EXPECT_EQ(one(CatalogueConnectionString(), QStringLiteral("SELECT count(*) FROM Item")),
              QString::number(names.size()));
}

// A generated server has every table and column of the demo (the editor
// reads guilds, account states and friend lists at start) plus its rows.
TEST_F(Demo, AGeneratedServerHasTheDemosSchema) {
    const QString file = env.path(QStringLiteral("Databases/Generated.db"));
    DemoBuilder::GenerateOptions options;
    options.accounts = 3;
    options.charactersPerAccount = 2;
    DemoBuilder::GenerateServer(env.path(QStringLiteral("TanorEditor.mdb")), file, options);
    env.registerDataSource(QStringLiteral("Generated"), file);
    auto rows = [](const QString& dsn, const QString& sql) {
        Query q;
        q.SetConnectionString(QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=") +
                              dsn + QStringLiteral(";uid=;pwd="));
        q.SetText(sql);
        q.Open();
        QStringList out;
        for (; !q.Eof(); q.Next())
            out << q.Fields(0).AsString();
        return out;
    };
    const QString columns = QStringLiteral("SELECT m.name || '.' || p.name FROM sqlite_master m, "
                                           "pragma_table_info(m.name) p WHERE m.type = 'table' ORDER BY 1");
    EXPECT_EQ(rows(QStringLiteral("Generated"), columns), rows(QStringLiteral("TanorOnline"), columns));
    EXPECT_EQ(
        rows(QStringLiteral("Generated"), QStringLiteral("SELECT name FROM tanor_procedures ORDER BY 1")),
        rows(QStringLiteral("TanorOnline"), QStringLiteral("SELECT name FROM tanor_procedures ORDER BY 1")));
    EXPECT_EQ(rows(QStringLiteral("Generated"),
                   QStringLiteral("SELECT count(*) || '/' || sum(length(Inventory) = 1080) FROM Character")),
              QStringList{QStringLiteral("6/6")});
    EXPECT_EQ(rows(QStringLiteral("Generated"), QStringLiteral("SELECT count(*) FROM GameServerInfo")),
              QStringList{QStringLiteral("1")});
}

TEST_F(Demo, TanorsqlRunsStatementsThroughTheDataLayer) {
    QProcess p;
    p.setProgram(QStringLiteral(TANOR_BUILD_DIR "/tools/tanorsql"));
    p.setArguments(
        {QStringLiteral("--dir"), env.dir(), QStringLiteral("--key"), QStringLiteral("TanorOnlineDNS")});
    p.start();
    p.write("SELECT TOP 2 memb___id FROM MEMB_INFO ORDER BY memb___id;\nSELECT Inventory FROM Character "
            "WHERE 0=1");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 2);

    QProcess bad;
    bad.setProgram(QStringLiteral(TANOR_BUILD_DIR "/tools/tanorsql"));
    bad.setArguments(
        {QStringLiteral("--dir"), env.dir(), QStringLiteral("--key"), QStringLiteral("TanorOnlineDNS")});
    bad.start();
    bad.write("SELECT * FROM NoSuchTable");
    bad.closeWriteChannel();
    ASSERT_TRUE(bad.waitForFinished(20000));
    EXPECT_NE(bad.exitCode(), 0);
    EXPECT_TRUE(bad.readAllStandardError().contains("no such table"));
}

} // namespace
