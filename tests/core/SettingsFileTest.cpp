#include "TestEnvironment.h"

#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/FileWatch.h"
#include "platform/IniFile.h"
#include "platform/Query.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <thread>

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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const QString file = env.path(QStringLiteral("read.ini"));
        overwrite(file, "\xEF\xBB\xBF[SQLConnection]\r\n" + c.line + "\r\n");
        EXPECT_EQ(IniFile::Read(file, QStringLiteral("SQLConnection"), QStringLiteral("Pass")), c.value);
    }
}

// Another program edits the settings file or odbc.ini between two statements,
// in place, with the same size, and puts the old modification time back (an
// edit inside the timestamp's granularity): the next statement still follows
// it. Both ways of noticing are covered: folder events, and the metadata of a
// file reached through a symbolic link; each with a fresh and an old file;
// events looked for through the thread's doorbell and by reading the queue
// every time; the edit made by this thread, and by another one while this
// thread waits on a flag without entering the kernel.
TEST_F(SettingsFile, AnOutsideEditReachesTheNextStatement) {
    env.createServer(QStringLiteral("GameA"),
                     QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES ('a');"));
    env.registerDataSource(QStringLiteral("GameB"),
                           env.createDatabase(QStringLiteral("GameB"), QStringLiteral("CREATE TABLE t(x); "
                                                                                      "INSERT INTO t VALUES "
                                                                                      "('b');")));
    auto read = [] { return ListOn(DataSource::TanorOnline, QStringLiteral("SELECT x FROM t")).value(0); };
    const QString settings = AppPaths::SettingsFile();
    const QString linked = env.path(QStringLiteral("elsewhere.ini"));
    struct Way {
        FileWatch::Check check;
        bool otherThread;
    };
    const Way ways[] = {{FileWatch::Check::Doorbell, false},
                        {FileWatch::Check::Doorbell, true},
                        {FileWatch::Check::Read, false}};
    for (const bool throughLink : {false, true}) {
        for (const bool aged : {false, true}) {
            for (const bool registry : {false, true}) {
                for (const Way& way : ways) {
                    SCOPED_TRACE(testing::Message()
                                 << "link " << throughLink << " aged " << aged << " odbc.ini " << registry
                                 << " read always " << (way.check == FileWatch::Check::Read)
                                 << " other thread " << way.otherThread);
                    FileWatch::SetCheck(way.check);
                    const QString file = registry ? env.odbcIni() : settings;
                    const QString real = throughLink && !registry ? linked : file;
                    if (throughLink && !registry && !QFileInfo(settings).isSymLink()) {
                        ASSERT_TRUE(QFile::rename(settings, linked));
                        ASSERT_TRUE(QFile::link(linked, settings));
                    }
                    if (!registry) {
                        EXPECT_EQ(FileWatch::ModeOf(settings),
                                  throughLink ? FileWatch::Mode::Metadata : FileWatch::Mode::Events);
                    }
                    if (aged)
                        setModified(real, {modifiedAt(real).tv_sec - 3600, 0});
                    EXPECT_EQ(read(), QStringLiteral("a"));
                    const struct timespec before = modifiedAt(real);
                    // The edit, then the statement (run before the writing
                    // thread is joined).
                    auto edit = [&](const QByteArray& data, const QString& expected) {
                        auto write = [&] {
                            overwrite(real, data);
                            setModified(real, before);
                        };
                        if (way.otherThread) {
                            std::atomic<bool> done{false};
                            std::thread writer([&] {
                                write();
                                done.store(true, std::memory_order_release);
                            });
                            while (!done.load(std::memory_order_acquire)) {
                            }
                            EXPECT_EQ(read(), expected);
                            writer.join();
                        } else {
                            write();
                            EXPECT_EQ(read(), expected);
                        }
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
    FileWatch::SetCheck(FileWatch::Check::Doorbell);
}

// With the doorbell, checks in quiet folders do not read the event queue; an
// edit - by this thread, or by another while this one waits on a flag
// without entering the kernel - makes the next check read it, once.
TEST_F(SettingsFile, QuietFoldersAreNotReadAgain) {
    if (FileWatch::CurrentCheck() != FileWatch::Check::Doorbell)
        GTEST_SKIP() << "the kernel refuses io_uring here: every check reads the event queue";
    const QString settings = AppPaths::SettingsFile();
    const QString built = BuildConnectionString(DataSource::TanorOnline);
    for (const bool otherThread : {false, true}) {
        SCOPED_TRACE(otherThread ? "other thread" : "this thread");
        const QByteArray text = readFile(settings);
        const quint64 reads = FileWatch::QueueReads();
        const quint64 version = FileWatch::Version(settings);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(BuildConnectionString(DataSource::TanorOnline), built);
        EXPECT_EQ(FileWatch::Version(settings), version);
        EXPECT_EQ(FileWatch::QueueReads(), reads);
        if (otherThread) {
            std::atomic<bool> done{false};
            std::thread writer([&] {
                overwrite(settings, text);
                done.store(true, std::memory_order_release);
            });
            while (!done.load(std::memory_order_acquire)) {
            }
            EXPECT_NE(FileWatch::Version(settings), version);
            writer.join();
        } else {
            overwrite(settings, text);
            EXPECT_NE(FileWatch::Version(settings), version);
        }
        const quint64 after = FileWatch::QueueReads();
        EXPECT_GT(after, reads);
        (void)FileWatch::Version(settings);
        EXPECT_EQ(FileWatch::QueueReads(), after);
    }
}

} // namespace
