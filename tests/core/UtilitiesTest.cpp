#include "TestEnvironment.h"
#include "core/ResetSettings.h"

#include "core/UtilitiesUnit.h"
#include "core/WindowContext.h"
#include "platform/AppPaths.h"
#include "platform/OdbcRegistry.h"
#include "platform/TanorError.h"

#include <QFile>
#include <memory>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Settings = EnvTest;

TEST_F(Settings, MissingFileReadsDefaults) {
    EXPECT_EQ(ReadSetting(QStringLiteral("SQLConnection"), QStringLiteral("ID")), QString());
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Version"), QStringLiteral("Version")), 0);
    EXPECT_EQ(BuildConnectionString(QStringLiteral("TanorOnlineDNS")),
              QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=;uid=;pwd="));
    EXPECT_FALSE(QFile::exists(AppPaths::SettingsFile())); // reading creates nothing
}

TEST_F(Settings, FileLivesBesideTheExecutableUnderItsName) {
    EXPECT_EQ(AppPaths::SettingsFile(), env.path(QStringLiteral("VornTanorEditor.ini")));
}

TEST_F(Settings, SectionsAndKeysIgnoreCaseAndValuesStayAsTheyAre) {
    writeFile(AppPaths::SettingsFile(), "garbage before any section\r\n"
                                        "[odbcconnection]\r\n"
                                        "  TANORONLINEDNS =  My Game DSN  \r\n"
                                        "no equals sign here\r\n"
                                        "=value without key\r\n"
                                        "TanorOnlineDNS=second one ignored\r\n"
                                        "[SQLConnection]\r\n"
                                        "ID=sa\r\n"
                                        "Pass=a;b=c\"'%\r\n");
    EXPECT_EQ(ReadSetting(QStringLiteral("ODBCConnection"), QStringLiteral("TanorOnlineDNS")),
              QStringLiteral("My Game DSN"));
    EXPECT_EQ(ReadSetting(QStringLiteral("SQLCONNECTION"), QStringLiteral("pass")),
              QStringLiteral("a;b=c\"'%"));
    // The password goes into the connection string unchanged.
    EXPECT_EQ(
        BuildConnectionString(QStringLiteral("TanorOnlineDNS")),
        QStringLiteral(
            "Provider=MSDASQL.1;Persist Security Info=False;Data Source=My Game DSN;uid=sa;pwd=a;b=c\"'%"));
}

TEST_F(Settings, WritesKeepOtherLinesAndLineEnds) {
    writeFile(AppPaths::SettingsFile(),
              "; operator notes\r\n[Version]\r\nVersion=0\r\n\r\n[Other]\r\nKeep=me\r\n");
    WriteSettingInt(QStringLiteral("version"), QStringLiteral("VERSION"), 1);
    WriteSetting(QStringLiteral("Version"), QStringLiteral("Extra"), QStringLiteral("x"));
    WriteSetting(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral(" spaced "));
    EXPECT_EQ(readFile(AppPaths::SettingsFile()),
              QByteArray("; operator notes\r\n[Version]\r\nVERSION=1\r\nExtra=x\r\n"
                         "\r\n[Other]\r\nKeep=me\r\n[New]\r\nKey= spaced \r\n"));
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Version"), QStringLiteral("Version")), 1);
}

TEST_F(Settings, IntegersReadDecimalAndHexadecimal) {
    struct Case {
        const char* stored;
        int expected;
    } cases[] = {{"0x1F", 31}, {"$1F", 31},       {"0X1f", 31},      {"abc", 0},
                 {"12", 12},   {"-7", -7},        {"", 0},           {"1.5", 0},
                 {"12abc", 0}, {"$FFFFFFFF", -1}, {"2147483648", 0}, {"-2147483648", INT_MIN}};
    for (const Case& c : cases) {
        WriteSetting(QStringLiteral("T"), QStringLiteral("K"), QString::fromLatin1(c.stored));
        EXPECT_EQ(ReadSettingInt(QStringLiteral("T"), QStringLiteral("K")), c.expected) << c.stored;
    }
}

TEST_F(Settings, AFailedWriteRaisesAnError) {
    writeFile(AppPaths::SettingsFile(), "[A]\nB=1\n");
    if (geteuid() != 0) { // root writes read-only files anyway
        QFile::setPermissions(AppPaths::SettingsFile(), QFile::ReadOwner);
        EXPECT_THROW(WriteSetting(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2")),
                     SettingsError);
        QFile::setPermissions(AppPaths::SettingsFile(), QFile::ReadOwner | QFile::WriteOwner);
    }
    AppPaths::SetOverride(env.path(QStringLiteral("no/such/folder")));
    EXPECT_THROW(WriteSetting(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2")), SettingsError);
    AppPaths::SetOverride(env.dir());
    EXPECT_EQ(ReadSettingInt(QStringLiteral("A"), QStringLiteral("B")), 1);
}

// The reset names stand unquoted in statements: each must be a plain name,
// and the check names the first key that is not.
TEST_F(Settings, ResetNamesAreReadAndCheckedAsPlainNames) {
    const char* keys[] = {"Table", "ColumnCharacter", "ColumnResets"};
    const QString plain = QStringLiteral("Resets");
    WriteSettingInt(QStringLiteral("Resets"), QStringLiteral("Enabled"), 2);
    for (const char* key : keys)
        WriteSetting(QStringLiteral("Resets"), QLatin1String(key), plain + QLatin1String(key));
    const ResetSettings read = ResetSettings::Read();
    EXPECT_EQ(read.enabled, 2);
    EXPECT_EQ((QStringList{read.table, read.columnCharacter, read.columnResets}),
              (QStringList{QStringLiteral("ResetsTable"), QStringLiteral("ResetsColumnCharacter"),
                           QStringLiteral("ResetsColumnResets")}));
    EXPECT_EQ(read.InvalidName(), QString());

    // Each name in each of the three places.
    auto invalid = [&](const char* text) {
        const QString name = QString::fromUtf8(text);
        QStringList found;
        for (QString ResetSettings::*place :
             {&ResetSettings::table, &ResetSettings::columnCharacter, &ResetSettings::columnResets}) {
            ResetSettings s{0, plain, plain, plain};
            s.*place = name;
            found << s.InvalidName();
        }
        return found;
    };
    for (const char* ok : {"CharacterResets", "_x1", "[Resets]", "a_B_9"})
        EXPECT_EQ(invalid(ok), QStringList(3, QString())) << ok;
    for (const char* bad :
         {"", "1x", "[1x]", "Resets; DROP TABLE x", "a b", "[a", "a]", "a.b", "a'", "Résets"})
        EXPECT_EQ(invalid(bad), (QStringList{QStringLiteral("Table"), QStringLiteral("ColumnCharacter"),
                                             QStringLiteral("ColumnResets")}))
            << bad;
}

TEST(Conversions, BytesAndHexText) {
    EXPECT_EQ(BytesToHex(QByteArray::fromHex("00abff")), QStringLiteral("00ABFF"));
    EXPECT_EQ(BytesToHex(QByteArray()), QString());
    EXPECT_EQ(HexToBytes(QStringLiteral("00ABF")), QByteArray::fromHex("00ab"));
    EXPECT_EQ(HexToBytes(QStringLiteral("zz")), QByteArray(1, '\0'));
    EXPECT_EQ(HexToBytes(QStringLiteral("a")), QByteArray());
    EXPECT_EQ(HexToBytes(QStringLiteral("ff1G")), QByteArray::fromHex("ff00"));
    EXPECT_EQ(HexToBytes(QStringLiteral(" 1")), QByteArray(1, '\0'));
}

TEST(Conversions, HexToIntReadsOnlyUpperCaseDigits) {
    EXPECT_EQ(HexToInt(QStringLiteral("FF")), 255);
    EXPECT_EQ(HexToInt(QStringLiteral("ff")), 0);
    EXPECT_EQ(HexToInt(QStringLiteral("1G")), 16);
    EXPECT_EQ(HexToInt(QString()), 0);
    EXPECT_EQ(HexToInt(QStringLiteral("FFFFFFFFF")), HexToInt(QStringLiteral("FFFFFFFF")));
    EXPECT_EQ(HexToInt(QStringLiteral("FFFFFFFF")), -1);
    EXPECT_EQ(HexToInt(QStringLiteral("1FFFFFFFF")), -1);
    EXPECT_EQ(HexToInt(QStringLiteral("7FFFFFFF")), INT_MAX);
}

TEST(Conversions, CellIndexAndQuoting) {
    EXPECT_EQ(CellIndex(0.95), 1);
    EXPECT_EQ(CellIndex(1.0), 2);
    EXPECT_EQ(CellIndex(-0.5), 1);
    EXPECT_EQ(CellIndex(7.99), 8);
    EXPECT_EQ(Q(QStringLiteral("o'brien")), QStringLiteral("'o''brien'"));
    EXPECT_EQ(Q(QString()), QStringLiteral("''"));
    EXPECT_EQ(Q(QStringLiteral("''")), QStringLiteral("''''''"));
}

// A window given a default context must not save as if somebody signed in.
TEST(Conversions, DefaultWindowContextHasNobodySignedIn) {
    const WindowContext fresh;
    EXPECT_FALSE(fresh.signedIn);
    EXPECT_TRUE(fresh.operatorId.isEmpty() && fresh.account.isEmpty() && fresh.character.isEmpty() &&
                fresh.guild.isEmpty() && fresh.catalogueTable.isEmpty() && fresh.mapServerGroup.isEmpty());
}

using Registry = EnvTest;

TEST_F(Registry, OperatorDataSourceIsRegisteredOnTheLocalDatabaseFile) {
    const QString file = env.createDatabase(QStringLiteral("VornDB"));
    EXPECT_EQ(OperatorSetupMarker(), 0);
    // The missing marker was written as 0.
    bool found = false;
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Setup"), &found),
              QStringLiteral("0"));
    EXPECT_TRUE(found);

    RegisterOperatorDataSource(QStringLiteral("vorndb"));
    EXPECT_EQ(OperatorSetupMarker(), 1);
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Database")), file);
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Driver")),
              QStringLiteral("SQLite3"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("LastUser")),
              QStringLiteral("Administrator"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Server")),
              QStringLiteral("(local)"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Trusted_Connection")),
              QStringLiteral("Yes"));
    // Written into the private file, not the system's.
    EXPECT_TRUE(readFile(env.odbcIni()).contains("[VornMNG]"));
}

TEST_F(Registry, AnUnreadableMarkerReadsZero) {
    ASSERT_TRUE(
        OdbcRegistry::Write(QStringLiteral("VornMNG"), QStringLiteral("Setup"), QStringLiteral("yes")));
    EXPECT_EQ(OperatorSetupMarker(), 0);
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Setup")), QStringLiteral("0"));
}

TEST_F(Registry, DatabaseNamesOfTheGameDataSources) {
    env.createServer(QStringLiteral("TanorOnline"), QString());
    EXPECT_EQ(AccountDatabaseName(), QStringLiteral("TanorOnline"));
    EXPECT_EQ(GameDatabaseName(), QStringLiteral("TanorOnline"));
    ASSERT_TRUE(
        OdbcRegistry::Write(QStringLiteral("Remote"), QStringLiteral("Driver"), QStringLiteral("FreeTDS")));
    ASSERT_TRUE(
        OdbcRegistry::Write(QStringLiteral("Remote"), QStringLiteral("Database"), QStringLiteral("GameDb")));
    env.useDataSource(QStringLiteral("TanorOnlineDNS"), QStringLiteral("Remote"));
    EXPECT_EQ(GameDatabaseName(), QStringLiteral("GameDb"));
    env.useDataSource(QStringLiteral("AccountDNS"), QStringLiteral("Unknown"));
    EXPECT_EQ(AccountDatabaseName(), QString());
}

} // namespace

#include "core/AuditLog.h"
#include "platform/Query.h"

namespace {

TEST_F(Settings, AuditFileRecordsChangesOnly) {
    env.createServer(QStringLiteral("Game"),
                     QStringLiteral("CREATE TABLE t (x INTEGER);"
                                    "CREATE TABLE MANG_INFO (mang___id TEXT, mang__pwd TEXT);"
                                    "CREATE TABLE tanor_procedures (name TEXT, params TEXT, body TEXT);"
                                    "INSERT INTO tanor_procedures VALUES ('P', '', 'SELECT 1');"));
    const QString audit = env.path(QStringLiteral("audit.log"));
    QString operatorId;
    auto trail = std::make_unique<AuditTrail>([&] { return operatorId; });
    auto run = [](const QString& sql, bool open) {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(sql);
        if (open)
            q.Open();
        else
            q.ExecSQL();
    };
    run(QStringLiteral("INSERT INTO t VALUES (1)"), false); // no file named yet
    WriteSetting(QStringLiteral("Audit"), QStringLiteral("File"), audit);
    operatorId = QStringLiteral("admin");
    run(QStringLiteral("INSERT INTO t VALUES (2)"), false);
    run(QStringLiteral("SELECT * FROM t"), true);
    run(QStringLiteral("EXECUTE P"), true);
    run(QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd) VALUES ('op','Secret1')"), false);
    EXPECT_THROW(run(QStringLiteral("INSERT INTO nowhere VALUES (3)"), false), std::exception);
    trail.reset();
    run(QStringLiteral("INSERT INTO t VALUES (4)"), false);
    const QStringList lines = QString::fromUtf8(readFile(audit)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\tadmin\tGame\tINSERT INTO t VALUES (2)")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tEXECUTE P")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("VALUES ('op','***')"))) << lines[2].toStdString();
}

TEST(Audit, PasswordValuesAreMasked) {
    const struct {
        const char* sent;
        const char* logged;
    } cases[] = {
        {"UPDATE MANG_INFO SET mang__pwd='n3w' WHERE mang___id='admin'",
         "UPDATE MANG_INFO SET mang__pwd='***' WHERE mang___id='admin'"},
        {"INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm) "
         "VALUES "
         "('op','it''s',' Op',1,getdate(),0,1)",
         "INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm) "
         "VALUES "
         "('op','***',' Op',1,getdate(),0,1)"},
        {"INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name) VALUES ('acc', 'pw1', 'pw')",
         "INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name) VALUES ('acc', '***', 'pw')"},
        {"UPDATE MEMB_INFO SET memb__pwd='x' WHERE memb___id='y'",
         "UPDATE MEMB_INFO SET memb__pwd='***' WHERE memb___id='y'"},
        {"EXEC SP_MD5_ENCODE_VALUE 'pw1', 'acc'", "EXEC SP_MD5_ENCODE_VALUE '***', 'acc'"},
        {"EXEC dbo.SP_MD5_ENCODE_VALUE @btInStr='pw1', @btInStrIndex='acc'",
         "EXEC dbo.SP_MD5_ENCODE_VALUE @btInStr='***', @btInStrIndex='acc'"},
        {"UPDATE Warehouse SET Items= 0xFF, Money=5,pw=1234 WHERE AccountID= 'acc'",
         "UPDATE Warehouse SET Items= 0xFF, Money=5,pw='***' WHERE AccountID= 'acc'"},
        {"UPDATE t SET x=1; UPDATE MANG_INFO SET mang__pwd = 'a' WHERE mang___id='b'",
         "UPDATE t SET x=1; UPDATE MANG_INFO SET mang__pwd = '***' WHERE mang___id='b'"},
        // Nothing else changes, also a value that reads "pw".
        {"UPDATE Character SET Name='pw' WHERE Name='mang__pwd'",
         "UPDATE Character SET Name='pw' WHERE Name='mang__pwd'"},
        {"EXEC OtherProc 'pw1'", "EXEC OtherProc 'pw1'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AuditLog::MaskPasswords(QString::fromLatin1(c.sent)), QString::fromLatin1(c.logged))
            << c.sent;
}

} // namespace
