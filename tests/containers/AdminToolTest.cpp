// tanor-admin as an operator's script runs it: the real executable in a
// process of its own, on the planted server of the whole-server passes.

#include "OdbcDrivers.h"
#include "RoundTripDriver.h"
#include "SearchServer.h"

#include "containers/ServerCheck.h"
#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "platform/OdbcRegistry.h"
#include "reports/Csv.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <map>
#include <set>

using namespace SearchServer;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

const char* const kOperators = R"(
CREATE TABLE MANG_INFO (mang_guid INTEGER PRIMARY KEY AUTOINCREMENT, mang___id TEXT NOT NULL,
                        mang__pwd TEXT NOT NULL, mang_name TEXT NOT NULL, auth_code INTEGER NOT NULL,
                        appl_day TEXT, bloc_code INTEGER NOT NULL, perm INTEGER NOT NULL);
INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm)
  VALUES ('night', 'Secret', 'Night shift', 1, NULL, 0, 1);
)";

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// Records of csv output as maps from column to value.
std::vector<std::map<QString, QString>> csvRecords(const QString& text) {
    const QVector<Csv::Record> records = Csv::Parse(text);
    std::vector<std::map<QString, QString>> out;
    for (qsizetype i = 1; i < records.size(); ++i) {
        std::map<QString, QString> r;
        for (qsizetype c = 0; c < records[0].fields.size(); ++c)
            r[records[0].fields[c]] = records[i].fields.value(c);
        out.push_back(r);
    }
    return out;
}

std::vector<std::map<QString, QString>> jsonRecords(const QString& text) {
    std::vector<std::map<QString, QString>> out;
    const QJsonArray array = QJsonDocument::fromJson(text.toUtf8()).array();
    for (const QJsonValue& v : array) {
        std::map<QString, QString> r;
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            r[it.key()] =
                it.value().isDouble() ? QString::number(it.value().toInteger()) : it.value().toString();
        out.push_back(r);
    }
    return out;
}

QString place(const std::map<QString, QString>& r) {
    const QString kind = r.at(fs("kind"));
    const Kind k = kind == fs("Inventory")   ? Kind::Inventory
                   : kind == fs("Warehouse") ? Kind::Warehouse
                                             : Kind::Vault;
    return placeOf(k, r.at(fs("account")), r.at(fs("holder")), r.at(fs("cell")).toInt());
}

class AdminToolTest : public ServerSearchTest {
protected:
    // The game database also holds the operator table.
    void SetUp() override {
        ServerSearchTest::SetUp();
        TestEnvironment::execRaw(file, QString::fromLatin1(kOperators));
        env.useDataSource(fs("VornDNS"), fs("Game"));
    }

    QProcess* start(QStringList args, const QByteArray& password = "Secret") {
        m_process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(fs("TANOR_OPERATOR_PASSWORD"), QString::fromLatin1(password));
        m_process->setProcessEnvironment(environment);
        m_process->setProgram(fs(TANOR_BUILD_DIR "/tools/tanor-admin"));
        if (!args.contains(fs("--dir")))
            args << fs("--dir") << env.dir();
        m_process->setArguments(args);
        m_process->start();
        EXPECT_TRUE(m_process->waitForStarted(10000));
        return m_process.get();
    }

    Outcome run(const QStringList& args, const QByteArray& password = "Secret") {
        QProcess* p = start(args, password);
        EXPECT_TRUE(p->waitForFinished(60000));
        return {p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1,
                QString::fromUtf8(p->readAllStandardOutput()), QString::fromUtf8(p->readAllStandardError())};
    }

    // The output of a command in both formats, parsed back; the two agree.
    std::vector<std::map<QString, QString>> records(const QStringList& args, int status) {
        const Outcome csv = run(args + QStringList{fs("--format"), fs("csv")});
        const Outcome json = run(args + QStringList{fs("--format"), fs("json")});
        EXPECT_EQ(csv.status, status) << csv.err.toStdString();
        EXPECT_EQ(json.status, status) << json.err.toStdString();
        EXPECT_TRUE(csv.err.isEmpty()) << csv.err.toStdString(); // no terminal: nothing but errors
        const auto fromCsv = csvRecords(csv.out);
        EXPECT_EQ(fromCsv, jsonRecords(json.out));
        return fromCsv;
    }

    [[nodiscard]] QString columns() const {
        return Scalar(file, fs("SELECT group_concat(Name || hex(Inventory)) FROM Character")) +
               Scalar(file, fs("SELECT group_concat(AccountID || hex(Items)) FROM Warehouse")) +
               Scalar(file, fs("SELECT group_concat(AccountID || hex(Items)) FROM ExtWarehouse"));
    }

    static QString undoFileOf(const std::vector<std::map<QString, QString>>& walk) {
        return walk.empty() ? QString() : walk.front().at(fs("undo_file"));
    }

    std::unique_ptr<QProcess> m_process;
};

TEST_F(AdminToolTest, DuplicatesFindAndCheckParseBackToThePlantedCases) {
    plant();
    // Groups: 0x101 in an inventory, a warehouse and a vault; 0x777 twice in
    // one warehouse. Serials 0 and FFFFFF mark no item and are left out.
    std::map<QString, std::set<QString>> groups;
    for (const auto& r : records({fs("duplicates")}, 1)) {
        groups[r.at(fs("serial"))].insert(place(r));
        EXPECT_EQ(r.at(fs("copies")).toInt(), r.at(fs("serial")) == fs("00000101") ? 3 : 2);
    }
    const std::map<QString, std::set<QString>> expected = {
        {fs("00000101"), {fs("I:c1:13"), fs("W:acc1:1"), fs("V:acc1:5")}},
        {fs("000777"), {fs("W:acc1:50"), fs("W:acc1:51")}},
    };
    EXPECT_EQ(groups, expected);

    std::set<QString> found;
    for (const auto& r : records({fs("find"), fs("--serial"), fs("00000101"), fs("--luck"), fs("yes")}, 0)) {
        found.insert(place(r));
        EXPECT_EQ(r.at(fs("level")), fs("7"));
        EXPECT_EQ(r.at(fs("skill")), fs("yes"));
    }
    EXPECT_EQ(found, (std::set<QString>{fs("I:c1:13")}));

    std::set<QString> problems;
    for (const auto& r : records({fs("check")}, 1))
        problems.insert(r.at(fs("problem")) + QLatin1Char(' ') + r.at(fs("kind")) + QLatin1Char(' ') +
                        r.at(fs("account")));
    EXPECT_TRUE(problems.count(ServerCheck::ProblemText(ServerCheck::Problem::Torn) + fs(" Inventory acc3")));
    EXPECT_TRUE(
        problems.count(ServerCheck::ProblemText(ServerCheck::Problem::OtherWidth) + fs(" Warehouse acc2")));
    EXPECT_TRUE(
        problems.count(ServerCheck::ProblemText(ServerCheck::Problem::Unknown) + fs(" Warehouse acc1")));
}

TEST_F(AdminToolTest, ACleanServerExitsZero) {
    AddWarehouse(file, fs("acc1"), Column(10, 120, {{0, kukri(0x101)}}));
    EXPECT_EQ(run({fs("duplicates")}).status, 0);
    EXPECT_EQ(run({fs("check")}).status, 0);
}

TEST_F(AdminToolTest, DryRunsLeaveTheDatabaseByteIdenticalAndReportWhatWouldChange) {
    plant();
    // The embedded server turns a file it opens to write-ahead logging, which
    // rewrites the header once; any read does it, so one is done first.
    EXPECT_EQ(run({fs("check")}).status, 1);
    const QByteArray before = fileBytes(file);
    const auto wipe = records({fs("wipe"), fs("--dry-run"), fs("--item"), fs("Kukri")}, 1);
    ASSERT_EQ(wipe.size(), 3u);
    // Kukris without options: c1 cell 14, c2 ... none; warehouse acc1 cells 1, 70, 71; the vault's has luck.
    EXPECT_EQ(wipe[0].at(fs("dry_run")), fs("yes"));
    EXPECT_EQ(wipe[0].at(fs("undo_file")), QString());
    EXPECT_EQ(wipe[0].at(fs("malformed")), fs("1")); // the torn column, left alone
    EXPECT_EQ(wipe[1].at(fs("other_width")), fs("1"));
    EXPECT_GT(wipe[1].at(fs("records")).toInt(), 0);
    const auto convert = records({fs("convert"), fs("--dry-run")}, 1);
    ASSERT_EQ(convert.size(), 3u);
    EXPECT_EQ(convert[1].at(fs("changed")), fs("1")); // the narrow warehouse; the wide one stays
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_FALSE(QDir(env.path(fs("Undo"))).exists());
}

TEST_F(AdminToolTest, AWipeIsAuditedUnderTheOperatorAndItsUndoFileRestoresEveryColumn) {
    plant();
    WriteSetting(fs("Audit"), fs("File"), env.path(fs("audit.txt")));
    const QString before = columns();
    // Every staff (type 5): one inventory, one warehouse.
    const Outcome wipe = run({fs("wipe"), fs("--yes"), fs("--operator"), fs("night"), fs("--type"), fs("5"),
                              fs("--format"), fs("csv")});
    EXPECT_EQ(wipe.status, 1) << wipe.err.toStdString(); // the torn and the wide columns were skipped
    const auto walk = csvRecords(wipe.out);
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(walk[0].at(fs("changed")) + walk[1].at(fs("changed")), fs("11"));
    EXPECT_EQ(walk[1].at(fs("records")), fs("4"));
    EXPECT_NE(columns(), before);
    EXPECT_TRUE(fileBytes(env.path(fs("audit.txt"))).contains("night"));

    const Outcome restored = run({fs("restore"), fs("--yes"), fs("--operator"), fs("night"), undoFileOf(walk),
                                  fs("--format"), fs("json")});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(jsonRecords(restored.out).at(0).at(fs("restored")), fs("2"));
    EXPECT_EQ(columns(), before);
}

TEST_F(AdminToolTest, UsageAndSettingsFaultsExitTwoNamingTheCulprit) {
    plant();
    struct Case {
        QStringList args;
        const char* named;
    };
    const Case cases[] = {
        {{fs("duplicates"), fs("--bogus")}, "bogus"},
        {{fs("check"), fs("--format"), fs("xml")}, "--format"},
        {{fs("find"), fs("--dir"), env.path(fs("missing"))}, "--dir"},
        {{fs("find"), fs("--serial"), fs("12")}, "--serial"},
        {{fs("wipe"), fs("--type"), fs("16"), fs("--dry-run")}, "16"},
        {{fs("wipe"), fs("--item"), fs("No Such Thing"), fs("--dry-run")}, "No Such Thing"},
        {{fs("wipe"), fs("--type"), fs("3")}, "--operator"},
        {{fs("wipe"), fs("--type"), fs("3"), fs("--operator"), fs("night")}, "--yes"},
        {{fs("convert"), fs("--yes"), fs("--operator"), fs("nobody")}, "--operator"},
        {{fs("restore"), fs("--yes"), fs("--operator"), fs("night"), env.path(fs("none.csv"))}, "none.csv"},
        {{fs("duplicates"), fs("--limit"), fs("x")}, "--limit"},
        {{fs("frobnicate")}, "frobnicate"},
    };
    const QString before = columns();
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.named))) << r.err.toStdString();
    }
    const Outcome wrongPassword = run({fs("convert"), fs("--yes"), fs("--operator"), fs("night")}, "guess");
    EXPECT_EQ(wrongPassword.status, 2);
    EXPECT_TRUE(wrongPassword.err.contains(fs("Incorrect Password")));
    // A vault table name that is not a plain name: the settings key is named.
    WriteSetting(fs("Vaults"), fs("Table"), fs("Ext;Warehouse"));
    const Outcome badSetting = run({fs("convert"), fs("--dry-run")});
    EXPECT_EQ(badSetting.status, 2);
    EXPECT_TRUE(badSetting.err.contains(fs("Table"))) << badSetting.err.toStdString();
    EXPECT_EQ(columns(), before);
}

TEST_F(AdminToolTest, AFailingDatabaseExitsThreeWithTheDriversMessage) {
    env.useDataSource(fs("TanorOnlineDNS"), fs("NoSuchSource"));
    for (const char* command : {"duplicates", "check", "find"}) {
        const Outcome r = run({QLatin1String(command)});
        EXPECT_EQ(r.status, 3) << command;
        EXPECT_TRUE(r.err.contains(fs("database"))) << r.err.toStdString();
    }
}

TEST_F(AdminToolTest, CtrlCEndsTheWalkAfterTheRowWithEveryWrittenRowInTheUndoFile) {
    for (int i = 0; i < 20; ++i) {
        const QByteArray column = Column(10, 108, {{0, staff(0x1000 + quint32(i))}});
        AddCharacter(file, fs("s%1").arg(i), fs("acc%1").arg(i), &column);
    }
    const QString before = columns();
    qputenv("TANOR_ADMIN_ROW_DELAY_MS", "50");
    QProcess* p = start({fs("wipe"), fs("--yes"), fs("--operator"), fs("night"), fs("--type"), fs("5"),
                         fs("--format"), fs("csv")});
    qunsetenv("TANOR_ADMIN_ROW_DELAY_MS");
    // Once the first row is in the undo file, the walk is under way.
    const QDir undoDir(env.path(fs("Undo")));
    for (int wait = 0; wait < 400 && undoDir.entryList(QDir::Files).isEmpty(); ++wait)
        QThread::msleep(25);
    ASSERT_FALSE(undoDir.entryList(QDir::Files).isEmpty());
    const QString undo = undoDir.filePath(undoDir.entryList(QDir::Files).constFirst());
    for (int wait = 0; wait < 400 && fileBytes(undo).isEmpty(); ++wait)
        QThread::msleep(25);
    ::kill(pid_t(p->processId()), SIGINT);
    ASSERT_TRUE(p->waitForFinished(30000));
    EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p->exitCode(), 1);
    const auto walk = csvRecords(QString::fromUtf8(p->readAllStandardOutput()));
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(walk[0].at(fs("stopped")), fs("yes"));
    const int changed = walk[0].at(fs("changed")).toInt() + walk[1].at(fs("changed")).toInt();
    EXPECT_GE(changed, 1);
    EXPECT_LT(changed, 21);
    EXPECT_EQ(int(Undo::Read(undo).entries.size()), changed);
    EXPECT_NE(columns(), before);

    const Outcome restored = run({fs("restore"), fs("--yes"), fs("--operator"), fs("night"), undo});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(columns(), before);
}

// The SQLite ODBC driver through unixODBC stands in for the server, behind
// the round-trip driver, which serves the server's T-SQL forms (TOP, 0x
// literals, batches) the stand-in lacks.
TEST_F(AdminToolTest, ReadsAndWritesThroughOdbc) {
    const InstalledOdbcDriver sqlite = FindOdbcDriver(fs("sqlite3"));
    REQUIRE_ODBC_DRIVER(sqlite, "SQLite 3");
    plant();
    TestEnvironment::execRaw(file, fs("PRAGMA journal_mode=DELETE;"));
    ASSERT_TRUE(RoundTripDriver::Register(fs("OdbcGame"), file, sqlite.library));
    env.useDataSource(fs("TanorOnlineDNS"), fs("OdbcGame"));
    env.useDataSource(fs("VornDNS"), fs("OdbcGame"));

    std::set<QString> holders;
    for (const auto& r : records({fs("duplicates")}, 1))
        holders.insert(place(r));
    EXPECT_EQ(holders, (std::set<QString>{fs("I:c1:13"), fs("W:acc1:1"), fs("V:acc1:5"), fs("W:acc1:50"),
                                          fs("W:acc1:51")}));

    // A dry run walks the keyed pages and writes nothing.
    const auto dryRun = records({fs("wipe"), fs("--dry-run"), fs("--type"), fs("5")}, 1);
    ASSERT_EQ(dryRun.size(), 3u);
    EXPECT_EQ(dryRun[1].at(fs("records")), fs("4"));

    // The operator signs in over ODBC, the wipe writes in batches and its undo
    // file puts every column back through the driver.
    const QString before = columns();
    const Outcome wipe = run({fs("wipe"), fs("--yes"), fs("--operator"), fs("night"), fs("--type"), fs("5"),
                              fs("--format"), fs("csv")});
    EXPECT_EQ(wipe.status, 1) << wipe.err.toStdString(); // the torn and the wide columns were skipped
    EXPECT_NE(columns(), before);
    const auto walk = csvRecords(wipe.out);
    ASSERT_EQ(walk.size(), 3u);
    int changed = 0;
    for (const auto& kind : walk)
        changed += kind.at(fs("changed")).toInt();
    EXPECT_GT(changed, 0);
    const QDir undoDir(env.path(fs("Undo")));
    ASSERT_EQ(undoDir.entryList(QDir::Files).size(), 1);
    const QString undo = undoDir.filePath(undoDir.entryList(QDir::Files).constFirst());
    EXPECT_EQ(int(Undo::Read(undo).entries.size()), changed);
    const Outcome restored = run({fs("restore"), fs("--yes"), fs("--operator"), fs("night"), undo});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(columns(), before);
}

TEST_F(AdminToolTest, HelpNamesEveryCommandAndTheExitStatuses) {
    const Outcome program = run({fs("--help")});
    EXPECT_EQ(program.status, 0);
    for (const char* word : {"find", "duplicates", "check", "wipe", "convert", "restore", "Exit status"})
        EXPECT_TRUE(program.out.contains(QLatin1String(word))) << word;
    for (const char* command : {"find", "duplicates", "check", "wipe", "convert", "restore"}) {
        const Outcome r = run({QLatin1String(command), fs("--help")});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.contains(fs("--format"))) << command;
    }
}

} // namespace
