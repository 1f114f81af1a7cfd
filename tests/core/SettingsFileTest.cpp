#include "TestEnvironment.h"

#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/FileWatch.h"
#include "platform/IniFile.h"
#include "platform/Query.h"

#include "platform/OdbcRegistry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Rewrites the file in place (same inode), as an editor without a save file
// would.
void overwrite(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

struct timespec modifiedAt(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mtim;
}

void setModified(const QString& path, struct timespec when) {
    const struct timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

using SettingsFile = EnvTest;

TEST_F(SettingsFile, AWriteKeepsEveryOtherByte) {
    struct Case {
        const char* what;
        QByteArray before;
        const char *section, *key, *value;
        QByteArray after;
    };
    const Case cases[] = {
        {"CR-only lines, no final line end", "[A]\rk=1\rother=x", "A", "k", "2", "[A]\rk=2\rother=x"},
        {"mixed line ends, key added after the last", "[A]\r\nk=1\nj=2\r[B]\n", "a", "z", "9",
         "[A]\r\nk=1\nj=2\rz=9\r[B]\n"},
        {"code-page value on another line",
         "[SQLConnection]\r\nPass=contrase\xF1"
         "a\r\nID=sa\r\n",
         "SQLConnection", "ID", "bob",
         "[SQLConnection]\r\nPass=contrase\xF1"
         "a\r\nID=bob\r\n"},
        {"new section after a last line without line end", "; note\n[A]\nk=1", "B", "x", "1",
         "; note\n[A]\nk=1\n[B]\nx=1"},
        {"blank lines and comments kept", "[A]\n\n  ; c  \nk = 1 \n\n[B]\n", "A", "n", "v",
         "[A]\n\n  ; c  \nk = 1 \nn=v\n\n[B]\n"},
        {"empty file", "", "S", "k", "v", "[S]\nk=v\n"},
        {"code-page file gets its code page", "[A]\r\nPass=\xF1\r\n", "A", "Pass",
         "\xC3\xB1"
         "and\xC3\xBA",
         "[A]\r\nPass=\xF1"
         "and\xFA\r\n"},
        {"UTF-8 file stays UTF-8", "[A]\nName=\xC3\xA9t\xC3\xA9\n", "A", "Pass", "\xC3\xB1",
         "[A]\nName=\xC3\xA9t\xC3\xA9\nPass=\xC3\xB1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = env.path(QStringLiteral("write.ini"));
        overwrite(file, c.before);
        IniFile::Write(file, QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                       QString::fromUtf8(c.value));
        EXPECT_EQ(readFile(file), c.after);
        EXPECT_EQ(IniFile::Read(file, QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
                  QString::fromUtf8(c.value));
    }
}

TEST_F(SettingsFile, ValuesReadAsWindowsReadsThem) {
    struct Case {
        QByteArray line;
        QString value;
    };
    const Case cases[] = {
        {"Pass=\"x\"", QStringLiteral("x")},
        {"Pass = 'two words' ", QStringLiteral("two words")},
        {"Pass=\"\"", QString()},
        {"Pass=\"x'", QStringLiteral("\"x'")},
        {"Pass=\"", QStringLiteral("\"")},
        {"Pass=a\"b\"", QStringLiteral("a\"b\"")},
        {"Pass=contrase\xF1"
         "a",
         QStringLiteral("contrase\u00F1a")},
        {"Pass=\x80\x9F", QStringLiteral("\u20AC\u0178")},
        {"Pass=contrase\xC3\xB1"
         "a",
         QStringLiteral("contrase\u00F1a")},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        // A file of its own per case: another program's edit of a file already
        // read is seen only after the watcher reports it.
        const QString file = env.path(QStringLiteral("read%1.ini").arg(++n));
        overwrite(file, "\xEF\xBB\xBF[SQLConnection]\r\n" + c.line + "\r\n");
        EXPECT_EQ(IniFile::Read(file, QStringLiteral("SQLConnection"), QStringLiteral("Pass")), c.value);
    }
}

// Waits, delivering events as the editor's event loop would, until the
// watcher (or the poll where watching is refused) reports a change.
bool reported(quint64 since) {
    QDeadlineTimer deadline(5000);
    while (FileWatch::Generation() == since) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return true;
}

// Another program edits the settings file or odbc.ini between two statements,
// in place, with the same size, and puts the old modification time back (an
// edit inside the timestamp's granularity): the first statement after the
// report follows it. Covered with watching available and refused (polled
// metadata), each with a fresh and an old file, the settings file reached
// directly and through a symbolic link.
TEST_F(SettingsFile, AnOutsideEditReachesTheNextStatementAfterTheReport) {
    env.createServer(QStringLiteral("GameA"),
                     QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES ('a');"));
    env.registerDataSource(QStringLiteral("GameB"),
                           env.createDatabase(QStringLiteral("GameB"), QStringLiteral("CREATE TABLE t(x); "
                                                                                      "INSERT INTO t VALUES "
                                                                                      "('b');")));
    auto read = [] { return ListOn(DataSource::TanorOnline, QStringLiteral("SELECT x FROM t")).value(0); };
    const QString settings = AppPaths::SettingsFile();
    const QString linked = env.path(QStringLiteral("elsewhere.ini"));
    for (const bool throughLink : {false, true}) {
        for (const bool watching : {true, false}) {
            for (const bool aged : {false, true}) {
                for (const bool registry : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "link " << throughLink << " watching " << watching
                                                    << " aged " << aged << " odbc.ini " << registry);
                    FileWatch::SetWatching(watching);
                    const QString file = registry ? env.odbcIni() : settings;
                    const QString real = throughLink && !registry ? linked : file;
                    if (throughLink && !registry && !QFileInfo(settings).isSymLink()) {
                        ASSERT_TRUE(QFile::rename(settings, linked));
                        ASSERT_TRUE(QFile::link(linked, settings));
                    }
                    if (aged)
                        setModified(real, {modifiedAt(real).tv_sec - 3600, 0});
                    EXPECT_EQ(read(), QStringLiteral("a"));
                    EXPECT_EQ(FileWatch::ModeOf(file),
                              watching ? FileWatch::Mode::Watched : FileWatch::Mode::Polled);
                    const struct timespec before = modifiedAt(real);
                    auto edit = [&](const QByteArray& data, const QString& expected) {
                        const quint64 generation = FileWatch::Generation();
                        overwrite(real, data);
                        setModified(real, before);
                        ASSERT_TRUE(reported(generation));
                        EXPECT_EQ(read(), expected);
                    };
                    const QByteArray text = readFile(real);
                    // Settings: the data source name; odbc.ini: GameA's file.
                    const QByteArray from = registry ? "GameA.db" : "=GameA",
                                     to = registry ? "GameB.db" : "=GameB";
                    ASSERT_TRUE(text.contains(from));
                    edit(QByteArray(text).replace(from, to), QStringLiteral("b"));
                    edit(text, QStringLiteral("a"));
                }
            }
        }
    }
    FileWatch::SetWatching(true);
}

// While nothing is written the generation stays, so the kept connection
// string is handed out again; the program's own writes (settings and
// odbc.ini) are seen by the very next statement, with no report awaited.
TEST_F(SettingsFile, OwnWritesAreSeenAtOnceQuietFilesKeepTheirGeneration) {
    env.createServer(QStringLiteral("GameA"),
                     QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES ('a');"));
    const QString other = env.createDatabase(QStringLiteral("GameB"), QStringLiteral("CREATE TABLE t(x); "
                                                                                     "INSERT INTO t VALUES "
                                                                                     "('b');"));
    auto read = [] { return ListOn(DataSource::TanorOnline, QStringLiteral("SELECT x FROM t")).value(0); };
    for (const bool watching : {true, false}) {
        SCOPED_TRACE(watching ? "watching" : "polled");
        FileWatch::SetWatching(watching);
        EXPECT_EQ(read(), QStringLiteral("a"));
        QThread::msleep(quint64(FileWatch::kPollInterval.count()) + 50); // polled: let the poll settle
        QCoreApplication::processEvents();
        const QString built = BuildConnectionString(DataSource::TanorOnline);
        EXPECT_EQ(BuildConnectionString(DataSource::TanorOnline).constData(), built.constData());

        WriteSetting(QStringLiteral("SQLConnection"), QStringLiteral("ID"), QStringLiteral("someone"));
        EXPECT_TRUE(BuildConnectionString(DataSource::TanorOnline).contains(QStringLiteral(";uid=someone;")));
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("GameA"), QStringLiteral("Database"), other));
        EXPECT_EQ(read(), QStringLiteral("b"));
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("GameA"), QStringLiteral("Database"),
                                        env.path(QStringLiteral("Databases/GameA.db"))));
        EXPECT_EQ(read(), QStringLiteral("a"));
    }
    FileWatch::SetWatching(true);
}

} // namespace
