#include "BoxScript.h"
#include "Child.h"
#include "FaultInjection.h"
#include "TestEnvironment.h"
#include "WipeServer.h"

#include "containers/RestoreUndo.h"
#include "containers/WipeUnit.h"
#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "platform/AppPaths.h"
#include "platform/StatementJournal.h"
#include "widgets/FileChooser.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <map>

using namespace WipeServer;

namespace {

QString fs(const char* s) {
    return QString::fromLatin1(s);
}

const QByteArray kSpear = Record(10, {{0, 0x61}, {1, 0x6F}, {7, 0x47}, {8, 0x05}});
const QByteArray kSword = Record(10, {{0, 0x02}, {1, 0x08}, {7, 0x02}});
constexpr int kSpearType = 3;

const QStringList kTables = {QStringLiteral("Character"), QStringLiteral("Warehouse"),
                             QStringLiteral("ExtWarehouse")};

// Every container's column by its key.
using Snapshot = std::map<QString, QString>;

class WipeSafetyTest : public EnvTest {
protected:
    QString file;

    void SetUp() override {
        file = Create(env, 0);
        SetVaults(1);
    }

    // Five rows to rewrite (spears among swords) and rows to leave alone.
    void plant() {
        TestEnvironment::execRaw(
            file, fs("DELETE FROM Character; DELETE FROM Warehouse; DELETE FROM ExtWarehouse;"));
        const QByteArray c1 = Column(10, 108, {{0, kSpear}, {13, kSword}});
        const QByteArray c2 = Column(10, 108, {{5, kSword}});
        const QByteArray c3 = Column(10, 108, {{107, kSpear}, {20, kSpear}});
        AddCharacter(file, fs("c1"), fs("acc1"), &c1);
        AddCharacter(file, fs("c2"), fs("acc2"), &c2);
        AddCharacter(file, fs("o'c3"), fs("o'acc"), &c3);
        AddWarehouse(file, fs("acc1"), Column(10, 120, {{0, kSpear}, {60, kSword}}));
        AddWarehouse(file, fs("acc2"), Column(10, 120, {{3, kSword}}));
        AddWarehouse(file, fs("o'acc"), Column(10, 120, {{119, kSpear}}));
        AddVault(file, fs("acc1"), 1, Column(10, 120, {{7, kSpear}}));
    }

    Snapshot snapshot() const {
        Snapshot s;
        for (const char* sql :
             {"SELECT group_concat('c:' || Name || '=' || hex(Inventory), ';') FROM Character",
              "SELECT group_concat('w:' || AccountID || '=' || hex(Items), ';') FROM Warehouse",
              "SELECT group_concat('v:' || AccountID || Number || '=' || hex(Items), ';') FROM "
              "ExtWarehouse"}) {
            for (const QString& row : Scalar(file, fs(sql)).split(QLatin1Char(';')))
                s[row.section(QLatin1Char('='), 0, 0)] = row.section(QLatin1Char('='), 1);
        }
        return s;
    }

    // Runs the general selection for spears; returns the boxes' texts.
    std::vector<Dialogs::Box> wipe(TWipeForm& form, const char* command = "WipeFollowing1", int boxes = 2) {
        child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(kSpearType);
        BoxScript script;
        script.ok(boxes);
        child<QAction>(&form, fs(command))->trigger();
        EXPECT_EQ(script.boxes().size(), std::size_t(boxes));
        return script.boxes();
    }

    static QString undoFileOf(const QString& message) {
        const qsizetype at = message.indexOf(fs("ndo file: "));
        return at < 0 ? QString() : message.mid(at + 10).section(QLatin1Char('\r'), 0, 0);
    }
    static int undoRows(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? int(f.readAll().count('\n')) - 2 : -1;
    }
    // The question before restoring `rows` values of a wipe, dated by the
    // undo file's name.
    static QString question(const QString& undo, int rows) {
        const QString stamp = QFileInfo(undo).completeBaseName().mid(5);
        return QStringLiteral("Put back %1 values changed by the wipe of %2?")
            .arg(rows)
            .arg(QDateTime::fromString(stamp, fs("yyyyMMdd-HHmmss")).toString(fs("yyyy-MM-dd HH:mm")));
    }
    // Changes the first original of an undo file by one digit.
    static void damage(const QString& undo) {
        QFile f(undo);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray content = f.readAll();
        const qsizetype at = content.indexOf("FFFFFFFF");
        ASSERT_GT(at, 0);
        content[at] = 'E';
        f.seek(0);
        f.write(content);
    }
};

} // namespace

TEST_F(WipeSafetyTest, AFaultAtEveryPositionLeavesWholeColumnsAnExactUndoFileAndARerunFinishes) {
    plant();
    const Snapshot before = snapshot();
    {
        TWipeForm form;
        (void)wipe(form);
    }
    const Snapshot wiped = snapshot();
    int rows = 0;
    for (const auto& [key, value] : wiped)
        rows += value != before.at(key) ? 1 : 0;
    ASSERT_EQ(rows, 5);

    for (int k = 0; k < rows; ++k) {
        SCOPED_TRACE(k);
        plant();
        TestEnvironment::execRaw(file, FaultFrom(k, kTables));
        TWipeForm form;
        const std::vector<Dialogs::Box> boxes = wipe(form);
        EXPECT_EQ(boxes.back().icon, Dialogs::Icon::Error);
        EXPECT_TRUE(boxes.back().text.contains(fs("injected fault")));
        // Every column is either as it was or wholly rewritten; k of them are.
        int done = 0;
        for (const auto& [key, value] : snapshot()) {
            EXPECT_TRUE(value == before.at(key) || value == wiped.at(key)) << key.toStdString();
            done += value != before.at(key) ? 1 : 0;
        }
        EXPECT_EQ(done, k);
        EXPECT_EQ(undoRows(undoFileOf(boxes.back().text)), k);
        EXPECT_EQ(child<QLabel>(&form, fs("Deleted"))->text().toInt() > 0, k > 0);

        TestEnvironment::execRaw(file, fs("UPDATE fault SET n = -1000"));
        const std::vector<Dialogs::Box> rerun = wipe(form);
        EXPECT_TRUE(rerun.back().text.startsWith(fs("Items were deleted")));
        EXPECT_EQ(undoRows(undoFileOf(rerun.back().text)), rows - k);
        EXPECT_EQ(snapshot(), wiped);
        TestEnvironment::execRaw(file, ClearFaults(kTables));
    }
}

TEST_F(WipeSafetyTest, PreviewCountsWithoutWritingAndTheUndoFileRestoresTheWipe) {
    plant();
    const Snapshot before = snapshot();
    TWipeForm form;
    StatementJournal::Recorder journal;
    const std::vector<Dialogs::Box> preview = wipe(form, "PreviewGeneral1", 1);
    for (const QString& t : journal.texts())
        EXPECT_TRUE(t.startsWith(fs("SELECT")) || t.startsWith(fs("select"))) << t.toStdString();
    EXPECT_EQ(preview.back().caption, fs("Preview"));
    EXPECT_EQ(preview.back().text,
              fs("The wipe would erase 6 records in 5 rows:\r"
                 "inventory: 3 records in 2 rows of 3\r"
                 "warehouse: 2 records in 2 rows of 3\r"
                 "extra vault: 1 record in 1 row of 1\r"
                 "First rows: the inventory of c1, the inventory of o'c3, the warehouse of "
                 "acc1, the warehouse of o'acc, extra vault 1 of acc1"));
    EXPECT_EQ(snapshot(), before);

    const std::vector<Dialogs::Box> done = wipe(form);
    EXPECT_EQ(child<QLabel>(&form, fs("Deleted"))->text(), fs("6"));
    // The game server changed one warehouse since: it is listed and kept.
    TestEnvironment::execRaw(file, fs("UPDATE Warehouse SET Items=X'00' WHERE AccountID='acc1'"));
    const QString undo = undoFileOf(done.back().text);
    const FileChooser::Hook previous =
        FileChooser::SetHook([&](FileChooser::Mode mode, const QString&, const QString&) {
            EXPECT_EQ(mode, FileChooser::Mode::Open);
            return undo;
        });
    BoxScript boxes;
    boxes.ok().ok();
    RestoreFromUndoFile(&form);
    FileChooser::SetHook(previous);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, question(undo, 5));
    EXPECT_EQ(
        boxes.last().text,
        fs("4 row(s) restored.\r1 row(s) were changed since and left alone:\rWarehouse AccountID=acc1"));
    Snapshot expected = before;
    expected[fs("w:acc1")] = fs("00");
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(WipeSafetyTest, TheCommandLineToolRestoresAWipe) {
    plant();
    const Snapshot before = snapshot();
    TWipeForm form;
    const QString undo = undoFileOf(wipe(form).back().text);
    ASSERT_FALSE(undo.isEmpty());
    const Snapshot wiped = snapshot();
    ASSERT_NE(wiped, before);

    QProcess tool;
    tool.setProgram(fs(TANOR_BUILD_DIR "/tools/tanor-undo"));
    const auto run = [&](const QStringList& options, const QByteArray& answer) {
        tool.setArguments(QStringList{fs("--dir"), env.dir()} + options + QStringList{undo});
        tool.start();
        tool.write(answer);
        tool.closeWriteChannel();
        EXPECT_TRUE(tool.waitForFinished(20000));
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    };
    const QString asked = question(undo, 5) + fs(" [y/N] ");
    EXPECT_EQ(run({}, "n\n"), asked + fs("Nothing was put back."));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(snapshot(), wiped);

    EXPECT_EQ(run({}, "y\n"), asked + fs("5 row(s) restored"));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(snapshot(), before);

    // Run again, every row already holds its original: nothing to restore,
    // each row is listed as changed since.
    EXPECT_TRUE(run({fs("--yes")}, {}).startsWith(fs("0 row(s) restored")));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(snapshot(), before);

    // A damaged file is refused before the question.
    damage(undo);
    EXPECT_EQ(run({}, "y\n"), QString());
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().contains("line 3: ")) << undo.toStdString();
}

// The file is checked before the operator is asked anything: a damaged
// file is refused by line number and one without entries says so; neither
// sends a statement.
TEST_F(WipeSafetyTest, RestoreChecksTheFileBeforeAsking) {
    plant();
    TWipeForm form;
    const QString undo = undoFileOf(wipe(form).back().text);
    const Snapshot wiped = snapshot();
    const FileChooser::Hook previous =
        FileChooser::SetHook([&](FileChooser::Mode, const QString&, const QString&) { return undo; });
    damage(undo);
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    RestoreFromUndoFile(&form);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.contains(fs("line 3: what it holds does not match its digest")))
        << boxes.last().text.toStdString();

    QFile::remove(undo);
    (void)UndoFile(undo, fs("wipe"), QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    BoxScript empty;
    empty.ok();
    RestoreFromUndoFile(&form);
    FileChooser::SetHook(previous);
    ASSERT_EQ(empty.boxes().size(), 1u);
    EXPECT_EQ(empty.last().text,
              fs("The wipe of 2026-03-04 05:06 changed no value: there is nothing to put back."));
    EXPECT_TRUE(journal.texts().empty());
    EXPECT_EQ(snapshot(), wiped);
}

TEST_F(WipeSafetyTest, ColumnsOfTheOtherWidthAreLeftAloneAndCounted) {
    const QByteArray wide = Column(16, 120, {{0, Record(16, {{0, 0x61}})}});
    AddWarehouse(file, fs("acc1"), wide);
    const QByteArray inventory = Column(10, 108, {{0, kSpear}});
    AddCharacter(file, fs("c1"), fs("acc1"), &inventory);
    TWipeForm form;
    const std::vector<Dialogs::Box> boxes = wipe(form);
    EXPECT_TRUE(boxes.back().text.startsWith(fs(
        "Items were deleted\r1 column looks like 16-byte records; check the Version setting.\rUndo file: ")))
        << boxes.back().text.toStdString();
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Items) FROM Warehouse")), BytesToHex(wide));
    EXPECT_EQ(child<QLabel>(&form, fs("Deleted"))->text(), fs("1"));
}

TEST_F(WipeSafetyTest, StopEndsTheWalkAfterTheRowInHand) {
    plant();
    const Snapshot before = snapshot();
    TWipeForm form;
    form.show();
    auto* stop = child<QPushButton>(&form, fs("Stop"));
    EXPECT_FALSE(stop->isEnabled());
    QTimer::singleShot(0, &form, [&] {
        EXPECT_TRUE(stop->isEnabled());
        stop->click();
    });
    const std::vector<Dialogs::Box> boxes = wipe(form);
    EXPECT_TRUE(boxes.back().text.startsWith(fs("Stopped: ")));
    EXPECT_EQ(child<QLabel>(&form, fs("invdone"))->text(), fs("1"));
    int changed = 0;
    for (const auto& [key, value] : snapshot())
        changed += value != before.at(key) ? 1 : 0;
    EXPECT_EQ(changed, 1); // c1, the row in hand
    EXPECT_EQ(undoRows(undoFileOf(boxes.back().text)), 1);
    EXPECT_FALSE(stop->isEnabled());
}

TEST_F(WipeSafetyTest, AWalkWhoseUndoFileCannotBeWrittenDoesNotStart) {
    plant();
    const Snapshot before = snapshot();
    QFile blocker(AppPaths::ExecutableDir() + fs("/Undo"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    TWipeForm form;
    StatementJournal::Recorder journal;
    const std::vector<Dialogs::Box> boxes = wipe(form);
    EXPECT_EQ(boxes.back().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.back().text.contains(fs("undo"))) << boxes.back().text.toStdString();
    EXPECT_TRUE(journal.texts().empty());
    EXPECT_EQ(snapshot(), before);
}
