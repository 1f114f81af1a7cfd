#include "TestEnvironment.h"

#include "core/UtilitiesUnit.h"
#include "platform/IniFile.h"
#include "platform/OdbcRegistry.h"
#include "platform/Query.h"

#include <QDir>
#include <QFile>

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

using SettingsRead = EnvTest;

TEST_F(SettingsRead, SeveralValuesInOnePassReadAsEachAlone) {
    const QString file = env.path(QStringLiteral("many.ini"));
    writeFile(file, "[A]\r\nk = one\r\nK=shadowed\rother=x\n[b]\n  Key=two  \n[a]\nk=second section "
                    "ignored\nlate=only the first section counts\n"
                    "[C]\n=no key\nplain line\n");
    const QVector<IniFile::Entry> entries = {
        {QStringLiteral("a"), QStringLiteral("K")},       {QStringLiteral("B"), QStringLiteral("key")},
        {QStringLiteral("A"), QStringLiteral("OTHER")},   {QStringLiteral("C"), QStringLiteral("missing")},
        {QStringLiteral("Nowhere"), QStringLiteral("k")}, {QStringLiteral("A"), QStringLiteral("late")}};
    QVector<bool> found;
    const QStringList values = IniFile::ReadMany(file, entries, &found);
    EXPECT_EQ(values, (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("x"),
                                   QString(), QString(), QString()}));
    EXPECT_EQ(found, (QVector<bool>{true, true, true, false, false, false}));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        bool alone = false;
        EXPECT_EQ(IniFile::Read(file, entries[i].section, entries[i].key, QStringLiteral("-"), &alone),
                  found[i] ? values[i] : QStringLiteral("-"));
        EXPECT_EQ(alone, found[i]);
    }
    EXPECT_EQ(IniFile::ReadMany(env.path(QStringLiteral("absent.ini")), entries),
              QStringList(entries.size(), QString()));
}

TEST_F(SettingsRead, ARegistryEntryReadsTheUserFileBeforeTheSystemFile) {
    const QString system = env.path(QStringLiteral("sys"));
    QDir().mkpath(system);
    writeFile(system + QStringLiteral("/odbc.ini"), "[Game]\nDriver=SQLite3\nDatabase=/system/game.db\n"
                                                    "Timeout=900\n");
    const QByteArray oldSystem = qgetenv("ODBCSYSINI");
    qputenv("ODBCSYSINI", system.toLocal8Bit());
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Database"),
                                    QStringLiteral("/user/game.db")));
    const QStringList values =
        OdbcRegistry::ReadMany(QStringLiteral("Game"), {QStringLiteral("Database"), QStringLiteral("Timeout"),
                                                        QStringLiteral("Nope")});
    qputenv("ODBCSYSINI", oldSystem);
    EXPECT_EQ(values, (QStringList{QStringLiteral("/user/game.db"), QStringLiteral("900"), QString()}));
}

// Nothing read from the settings or the registry is kept between statements:
// a data source moved to another file is reached by the very next statement.
TEST_F(SettingsRead, ARegistryChangeReachesTheNextStatement) {
    const QString first =
        env.createServer(QStringLiteral("Game"), QStringLiteral("CREATE TABLE t(x); INSERT INTO t "
                                                                "VALUES (1);"));
    const QString second = env.createDatabase(QStringLiteral("Second"),
                                              QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES (2);"));
    auto read = [] {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(QStringLiteral("SELECT x FROM t"));
        q.Open();
        return q.Fields(0).AsString();
    };
    EXPECT_EQ(read(), QStringLiteral("1"));
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Database"), second));
    EXPECT_EQ(read(), QStringLiteral("2"));
    ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("Game"), QStringLiteral("Database"), first));
    EXPECT_EQ(read(), QStringLiteral("1"));
}

} // namespace
