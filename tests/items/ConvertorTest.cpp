#include "BoxScript.h"
#include "Child.h"
#include "FaultInjection.h"
#include "TestEnvironment.h"
#include "UndoFileCheck.h"

#include "core/UtilitiesUnit.h"
#include "items/ItemConversion.h"
#include "items/ItemConvertorUnit.h"
#include "items/ItemRecord.h"
#include "items/UndoFile.h"
#include "platform/AppPaths.h"
#include "platform/Query.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <map>
#include <optional>
#include <random>

namespace {

using ItemRecord::Width;

const char* kSchema = R"(
CREATE TABLE Character (Name TEXT COLLATE NOCASE PRIMARY KEY, AccountID TEXT COLLATE NOCASE, Inventory BLOB);
CREATE TABLE Warehouse (AccountID TEXT COLLATE NOCASE PRIMARY KEY, Items BLOB, Money INTEGER);
CREATE TABLE ExtWarehouse (AccountID TEXT COLLATE NOCASE, Items BLOB, Number INTEGER);
)";

const QString kDone = QStringLiteral("Convertion Sucessfull!");

const QString kFailed = QStringLiteral(
    "Unhandled exception while converting items\rDid you put the new length?\rOperation Aborted");

// A column of `records` random 10-byte records, some of them empty.
QString narrowColumn(std::mt19937& rng, int records) {
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    for (int k = 0; k < records; ++k) {
        if (rng() % 3 == 0) {
            text += ItemRecord::EmptyRecord(Width::Narrow);
            continue;
        }
        for (int i = 0; i < 20; ++i)
            text += QLatin1Char(digits[rng() % 16]);
    }
    return text;
}

QString wideOf(const QString& narrow, int records) {
    QString out;
    for (const QString& r : ItemRecord::SplitColumn(narrow, records, Width::Narrow))
        out += ItemRecord::Convert2032(r);
    return out;
}

class ConvertorTest : public EnvTest {
protected:
    void SetUp() override {
        std::mt19937 rng(42);
        QString sql = QString::fromLatin1(kSchema);
        for (int i = 1; i <= 6; ++i) {
            const QString name = QStringLiteral("c%1").arg(i);
            characters[name] = narrowColumn(rng, 108);
            sql += QStringLiteral("INSERT INTO Character VALUES ('%1', 'acc%2', X'%3');\n")
                       .arg(name)
                       .arg((i + 1) / 2)
                       .arg(characters[name]);
        }
        characters[QStringLiteral("o'hara")] = narrowColumn(rng, 108);
        sql += QStringLiteral("INSERT INTO Character VALUES ('o''hara', 'o''acc', X'%1');\n")
                   .arg(characters[QStringLiteral("o'hara")]);
        for (const char* account : {"acc1", "acc2", "acc3"}) {
            warehouses[QLatin1String(account)] = narrowColumn(rng, 120);
            sql += QStringLiteral("INSERT INTO Warehouse VALUES ('%1', X'%2', 0);\n")
                       .arg(QLatin1String(account), warehouses[QLatin1String(account)]);
        }
        for (int number = 1; number <= 2; ++number) {
            vaults[number] = narrowColumn(rng, 120);
            sql += QStringLiteral("INSERT INTO ExtWarehouse VALUES ('acc1', X'%1', %2);\n")
                       .arg(vaults[number])
                       .arg(number);
        }
        env.createServer(QStringLiteral("Game"), sql);
    }

    static QString column(const QString& sql) {
        Query q;
        q.SetConnectionString(BuildConnectionString(QStringLiteral("TanorOnlineDNS")));
        q.SetText(sql);
        q.Open();
        return q.Fields(0).isNull() ? QStringLiteral("NULL") : BytesToHex(q.Fields(0).AsBytes());
    }
    static QString inventory(const QString& name) {
        return column(QStringLiteral("SELECT Inventory FROM Character WHERE Name=") + Q(name));
    }
    static QString items(const QString& account) {
        return column(QStringLiteral("SELECT Items FROM Warehouse WHERE AccountID=") + Q(account));
    }
    static QString vault(int number) {
        return column(QStringLiteral("SELECT Items FROM ExtWarehouse WHERE Number=%1").arg(number));
    }
    void exec(const QString& sql) {
        TestEnvironment::execRaw(env.path(QStringLiteral("Databases/Game.db")), sql);
    }
    static void enableVaults(const char* enabled = "1") {
        WriteSetting(QStringLiteral("Vaults"), QStringLiteral("Enabled"), QLatin1String(enabled));
        WriteSetting(QStringLiteral("Vaults"), QStringLiteral("Table"), QStringLiteral("ExtWarehouse"));
        WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnAccount"), QStringLiteral("AccountID"));
        WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnItems"), QStringLiteral("Items"));
        WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnNumber"), QStringLiteral("Number"));
    }
    // Runs a conversion answering the question OK; returns the final box.
    // A complete run then offers to set Version to 1, which is declined.
    static Dialogs::Box run(TItemConvertorForm& form, bool complete = true) {
        BoxScript boxes;
        boxes.ok().ok();
        if (complete)
            boxes.cancel();
        form.ConvertClick();
        EXPECT_EQ(boxes.boxes().size(), complete ? 3u : 2u);
        return boxes.boxes().at(1);
    }
    static QString text(TItemConvertorForm& form, const char* label) {
        return child<QLabel>(&form, QLatin1String(label))->text();
    }

    std::map<QString, QString> characters;
    std::map<QString, QString> warehouses;
    std::map<int, QString> vaults;
};

} // namespace

TEST_F(ConvertorTest, OpensWithTheTotals) {
    TItemConvertorForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Convert Items..."));
    EXPECT_EQ(text(form, "Label7"), QStringLiteral("3"));
    EXPECT_EQ(text(form, "Label8"), QStringLiteral("7"));
    EXPECT_EQ(text(form, "Label17"), QStringLiteral("0"));
    EXPECT_EQ(child<QPushButton>(&form, QStringLiteral("Convert"))->text(),
              QStringLiteral("Begin Convertion..."));
    enableVaults();
    TItemConvertorForm withVaults;
    EXPECT_EQ(text(withVaults, "Label17"), QStringLiteral("2"));
    enableVaults("2"); // only exactly 1 switches them on
    TItemConvertorForm notOn;
    EXPECT_EQ(text(notOn, "Label17"), QStringLiteral("0"));
}

TEST_F(ConvertorTest, AVaultNameThatIsNotPlainIsRefusedBeforeTheTotalsAreRead) {
    enableVaults();
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("Table"), QStringLiteral("ExtWarehouse--"));
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    TItemConvertorForm form;
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("The setting Vaults/Table is not a plain")))
        << boxes.last().text.toStdString();
    EXPECT_EQ(journal.texts(), std::vector<QString>{});
}

TEST_F(ConvertorTest, ConvertsEveryRowOnceAndASecondRunChangesNothing) {
    TItemConvertorForm form;
    form.show();
    StatementJournal::Recorder journal;
    const Dialogs::Box done = run(form);
    EXPECT_EQ(done.caption, QStringLiteral("Vorn Tanor Editor"));
    EXPECT_EQ(done.text, kDone + undoLine(done.text, 10));
    EXPECT_EQ(done.icon, Dialogs::Icon::Information);
    EXPECT_FALSE(form.isVisible()); // the window closes
    EXPECT_EQ(form.result(), QDialog::Accepted);

    for (const auto& [name, before] : characters)
        EXPECT_EQ(inventory(name), wideOf(before, 108)) << name.toStdString();
    for (const auto& [account, before] : warehouses)
        EXPECT_EQ(items(account), wideOf(before, 120)) << account.toStdString();
    EXPECT_EQ(vault(1), vaults[1]); // vaults are off

    std::vector<QString> updates;
    for (const QString& t : journal.texts())
        if (t.startsWith(QStringLiteral("UPDATE")))
            updates.push_back(t);
    ASSERT_EQ(updates.size(), 7u + 3u);
    EXPECT_EQ(journal.texts().front(), QStringLiteral("SELECT AccountID, Name, Inventory FROM Character"));
    EXPECT_EQ(updates.front(), QStringLiteral("UPDATE Character SET Inventory=0x") +
                                   wideOf(characters["c1"], 108) +
                                   QStringLiteral(" WHERE (AccountID='acc1') AND (Name='c1')"));
    EXPECT_TRUE(
        std::find(updates.begin(), updates.end(),
                  QStringLiteral("UPDATE Character SET Inventory=0x") + wideOf(characters["o'hara"], 108) +
                      QStringLiteral(" WHERE (AccountID='o''acc') AND (Name='o''hara')")) != updates.end());
    EXPECT_EQ(updates.back(), QStringLiteral("UPDATE Warehouse SET Items=0x") +
                                  wideOf(warehouses["acc3"], 120) +
                                  QStringLiteral(" WHERE (AccountID='acc3')"));
    EXPECT_EQ(text(form, "Label11"), QStringLiteral("7"));
    EXPECT_EQ(text(form, "Label13"), QStringLiteral("3"));
    EXPECT_EQ(child<QProgressBar>(&form, QStringLiteral("invpb"))->value(), 7);
    EXPECT_EQ(child<QProgressBar>(&form, QStringLiteral("whpb"))->value(), 3);

    // Already 16-byte columns are left alone.
    const QString converted = inventory(QStringLiteral("c2"));
    journal.clear();
    TItemConvertorForm again;
    EXPECT_EQ(run(again).text, kDone);
    for (const QString& t : journal.texts())
        EXPECT_FALSE(t.startsWith(QStringLiteral("UPDATE"))) << t.toStdString();
    EXPECT_EQ(inventory(QStringLiteral("c2")), converted);
}

TEST_F(ConvertorTest, AFailureStopsTheRunAndLeavesEarlierRowsConverted) {
    exec(QStringLiteral("CREATE TRIGGER too_small BEFORE UPDATE ON Character WHEN OLD.Name = 'c4' "
                        "BEGIN SELECT RAISE(ABORT, 'String or binary data would be truncated'); END;"));
    TItemConvertorForm form;
    const Dialogs::Box failed = run(form, false);
    EXPECT_EQ(failed.caption, QStringLiteral("Error"));
    EXPECT_EQ(failed.text,
              kFailed + QStringLiteral("\r3 column(s) were converted before.") + undoLine(failed.text, 3));
    EXPECT_EQ(failed.icon, Dialogs::Icon::Error);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    for (const char* name : {"c1", "c2", "c3"})
        EXPECT_EQ(inventory(QLatin1String(name)), wideOf(characters[QLatin1String(name)], 108)) << name;
    for (const char* name : {"c4", "c5", "c6"})
        EXPECT_EQ(inventory(QLatin1String(name)), characters[QLatin1String(name)]) << name;
    for (const auto& [account, before] : warehouses)
        EXPECT_EQ(items(account), before);

    // Once the cause is gone a new run converts the rest.
    exec(QStringLiteral("DROP TRIGGER too_small"));
    TItemConvertorForm again;
    const QString rest = run(again).text;
    EXPECT_EQ(rest, kDone + undoLine(rest, 7));
    for (const auto& [name, before] : characters)
        EXPECT_EQ(inventory(name), wideOf(before, 108)) << name.toStdString();
}

TEST_F(ConvertorTest, MalformedColumnsAreSkippedAndCounted) {
    const QString wide = QStringLiteral("AB").repeated(1728);
    exec(QStringLiteral("UPDATE Character SET Inventory = NULL WHERE Name = 'c1';"
                        "UPDATE Character SET Inventory = substr(Inventory, 1, 1000) WHERE Name = 'c2';"
                        "UPDATE Character SET Inventory = Inventory || X'00' WHERE Name = 'c3';"
                        "UPDATE Character SET Inventory = X'%1' WHERE Name = 'c4';"
                        "UPDATE Warehouse SET Items = X'' WHERE AccountID = 'acc2';")
             .arg(wide));
    const QString c3 = inventory(QStringLiteral("c3"));
    TItemConvertorForm form;
    {
        // The question counts the wide and the malformed columns apart.
        BoxScript question;
        question.cancel();
        form.ConvertClick();
        ASSERT_EQ(question.boxes().size(), 1u);
        EXPECT_TRUE(question.last().text.endsWith(
            QStringLiteral("Item columns found: 5 of 10-byte records (to convert), 1 already of 16-byte "
                           "records, 4 malformed (left alone).")))
            << question.last().text.toStdString();
    }
    StatementJournal::Recorder journal;
    const Dialogs::Box done = run(form);
    EXPECT_EQ(
        done.text,
        kDone + QStringLiteral("\r4 item column(s) were not whole 10-byte records and were left unchanged.") +
            undoLine(done.text, 5));
    EXPECT_EQ(inventory(QStringLiteral("c1")), QStringLiteral("NULL"));
    EXPECT_EQ(inventory(QStringLiteral("c2")), characters["c2"].left(2000));
    EXPECT_EQ(inventory(QStringLiteral("c3")), c3);
    EXPECT_EQ(inventory(QStringLiteral("c4")), wide); // already 16-byte: not counted
    EXPECT_EQ(items(QStringLiteral("acc2")), QString());
    EXPECT_EQ(inventory(QStringLiteral("c5")), wideOf(characters["c5"], 108));
    EXPECT_EQ(items(QStringLiteral("acc3")), wideOf(warehouses["acc3"], 120));
    int updates = 0;
    for (const QString& t : journal.texts())
        updates += t.startsWith(QStringLiteral("UPDATE")) ? 1 : 0;
    EXPECT_EQ(updates, 3 + 2);
}

TEST_F(ConvertorTest, ExtraVaultsWhenSwitchedOn) {
    enableVaults();
    TItemConvertorForm form;
    StatementJournal::Recorder journal;
    const QString done = run(form).text;
    EXPECT_EQ(done, kDone + undoLine(done, 12));
    std::vector<QString> texts = journal.texts();
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const QString& t) {
                                   return !t.startsWith(QStringLiteral("UPDATE")) &&
                                          !t.startsWith(QStringLiteral("SELECT"));
                               }),
                texts.end());
    EXPECT_EQ(vault(1), wideOf(vaults[1], 120));
    EXPECT_EQ(vault(2), wideOf(vaults[2], 120));
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        QStringLiteral("SELECT AccountID,Items,Number FROM ExtWarehouse")),
              texts.end());
    EXPECT_EQ(texts.back(), QStringLiteral("UPDATE ExtWarehouse SET Items=0x") + wideOf(vaults[2], 120) +
                                QStringLiteral(" WHERE (AccountID='acc1') AND (Number=2)"));
    EXPECT_EQ(text(form, "Label15"), QStringLiteral("2"));
}

TEST_F(ConvertorTest, CancelDoesNothing) {
    TItemConvertorForm form;
    form.show();
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.cancel();
    form.ConvertClick();
    for (const QString& t : journal.texts())
        EXPECT_TRUE(t.startsWith(QStringLiteral("SELECT"))) << t.toStdString();
    EXPECT_TRUE(form.isVisible());
    // The question tells what the run would find: 7 characters and 3
    // warehouses of 10-byte records.
    EXPECT_EQ(boxes.boxes().front().text,
              QStringLiteral("Are you sure?\rRemember that if you begin the process\r"
                             "you won't be able to use the other functions of the editor\r\r"
                             "Item columns found: 10 of 10-byte records (to convert), 0 already of "
                             "16-byte records, 0 malformed (left alone)."));
    EXPECT_EQ(inventory(QStringLiteral("c1")), characters["c1"]);
}

TEST_F(ConvertorTest, TheRunCannotBeStartedTwiceNorClosed) {
    TItemConvertorForm form;
    form.show();
    auto* start = child<QPushButton>(&form, QStringLiteral("Convert"));
    bool checked = false;
    // Runs while the conversion lets events through after a row.
    QTimer::singleShot(0, &form, [&] {
        checked = true;
        EXPECT_TRUE(form.Running());
        EXPECT_FALSE(start->isEnabled());
        form.ConvertClick(); // no second question, no second run
        form.reject();
        form.close();
        EXPECT_TRUE(form.isVisible());
    });
    BoxScript boxes;
    boxes.ok().ok().cancel();
    form.ConvertClick();
    EXPECT_TRUE(checked);
    EXPECT_EQ(boxes.boxes().size(), 3u);
    EXPECT_FALSE(form.Running());
    EXPECT_FALSE(form.isVisible());
}

// ---------------------------------------------------------------- safety

namespace {

// Rows whose column differs from what the fixture planted, and whether each
// of those holds exactly its conversion.
struct Changed {
    int rows = 0;
    bool allConverted = true;
};

const QStringList kTables = {QStringLiteral("Character"), QStringLiteral("Warehouse")};

} // namespace

class ConvertorSafetyTest : public ConvertorTest {
protected:
    Changed changed() {
        Changed c;
        auto check = [&](const QString& now, const QString& before, int records) {
            if (now == before)
                return;
            ++c.rows;
            c.allConverted = c.allConverted && now == wideOf(before, records);
        };
        for (const auto& [name, before] : characters)
            check(inventory(name), before, 108);
        for (const auto& [account, before] : warehouses)
            check(items(account), before, 120);
        return c;
    }
    void restoreAll() {
        QString sql = ClearFaults(kTables);
        for (const auto& [name, before] : characters)
            sql += QStringLiteral("UPDATE Character SET Inventory=X'%1' WHERE Name=%2;").arg(before, Q(name));
        for (const auto& [account, before] : warehouses)
            sql += QStringLiteral("UPDATE Warehouse SET Items=X'%1' WHERE AccountID=%2;")
                       .arg(before, Q(account));
        exec(sql);
    }
    static QString undoFileOf(const QString& message) {
        const qsizetype at = message.lastIndexOf(QStringLiteral("Undo file: "));
        return at < 0 ? QString() : message.mid(at + 11);
    }
};

TEST_F(ConvertorSafetyTest, AFaultAtEveryPositionLeavesWholeColumnsAnExactUndoFileAndARerunFinishes) {
    const int rows = int(characters.size() + warehouses.size());
    for (int k = 0; k < rows; ++k) {
        SCOPED_TRACE(k);
        restoreAll();
        exec(FaultFrom(k, kTables));
        TItemConvertorForm form;
        const Dialogs::Box failed = run(form, false);
        EXPECT_TRUE(failed.text.startsWith(kFailed));
        const Changed after = changed();
        EXPECT_EQ(after.rows, k);
        EXPECT_TRUE(after.allConverted);
        // The undo file holds exactly the rows written (none: no file named).
        if (k > 0)
            EXPECT_EQ(undoLine(failed.text, k), QStringLiteral(" Undo file: ") + undoFileOf(failed.text));
        else
            EXPECT_FALSE(failed.text.contains(QStringLiteral("Undo file")));

        exec(QStringLiteral("UPDATE fault SET n = -1000"));
        TItemConvertorForm again;
        const QString rest = run(again).text;
        EXPECT_EQ(rest, kDone + undoLine(rest, rows - k));
        EXPECT_EQ(changed().rows, rows);
        EXPECT_TRUE(changed().allConverted);
    }
}

TEST_F(ConvertorSafetyTest, StopEndsTheRunAfterTheRowInHandAndTheUndoFileRestoresIt) {
    TItemConvertorForm form;
    form.show();
    auto* stop = child<QPushButton>(&form, QStringLiteral("Stop"));
    ASSERT_NE(stop, nullptr);
    EXPECT_FALSE(stop->isEnabled());
    // Clicked while the first row is in hand.
    QTimer::singleShot(0, &form, [&] {
        EXPECT_TRUE(stop->isEnabled());
        stop->click();
    });
    BoxScript boxes;
    boxes.ok().ok(); // no Version offer after a stopped run
    form.ConvertClick();
    ASSERT_EQ(boxes.boxes().size(), 2u);
    const QString message = boxes.last().text;
    EXPECT_TRUE(message.startsWith(QStringLiteral("Stopped: 1 column(s) were converted")))
        << message.toStdString();
    EXPECT_EQ(changed().rows, 1);
    EXPECT_EQ(undoLine(message, 1), QStringLiteral("\rUndo file: ") + undoFileOf(message));

    // The game server changes nothing meanwhile: the row comes back whole.
    const Undo::Restored restored =
        Undo::Restore(undoFileOf(message), BuildConnectionString(DataSource::TanorOnline));
    EXPECT_EQ(restored.restored, 1);
    EXPECT_TRUE(restored.changedSince.isEmpty());
    EXPECT_EQ(changed().rows, 0);
}

// A COMMIT that fails loses the rows of its transaction: they leave the
// counts and the undo file as a failed row does, and the rows committed
// before stay in both. The disk fills up after row `full`: the next COMMIT
// fails, the last one of the walk or, when the next row's undo entry cannot
// be written, the one that keeps the rows before it. Without transactions
// (one row per batch) the entry that could be written only in part is cut.
TEST_F(ConvertorSafetyTest, ACommitThatFailsWithdrawsTheRowsItLost) {
    struct Case {
        int batchRows;
        int full;
        int kept;
        int roomInUndoFile; // bytes the disk still takes after the undo file
    };
    const int rows = int(characters.size());
    for (const Case c : {Case{256, rows, 0, 0}, Case{3, rows, 6, 0}, Case{3, 5, 3, 0}, Case{1, 5, 5, 100}}) {
        SCOPED_TRACE(testing::Message() << c.batchRows << " " << c.full);
        restoreAll();
        std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("conversion"));
        struct Filler : ContainerWalk::Listener {
            Case c{};
            QString undo;
            std::optional<FullDisk> disk;
            bool rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts&) override {
                if (row.number == c.full)
                    disk.emplace(c.roomInUndoFile > 0 ? rlim_t(QFileInfo(undo).size() + c.roomInUndoFile)
                                                      : 0);
                return true;
            }
        } filler;
        filler.c = c;
        filler.undo = undo->path();
        ContainerWalk::Options options;
        options.undo = undo.get();
        options.batchRows = c.batchRows;
        ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, filler);
        StatementJournal::Recorder journal;
        EXPECT_THROW(
            walker.Walk(ItemConversion::Sources(VaultSettings{}).front(), ItemConversion::ConvertRow),
            TanorError);
        filler.disk.reset();
        const std::vector<JournalEntry> sent = journal.entries();
        EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                                [](const JournalEntry& e) {
                                    return !e.error.isEmpty() && e.text == QLatin1String("COMMIT");
                                }),
                  c.batchRows > 1 ? 1 : 0);

        EXPECT_EQ(changed().rows, c.kept);
        EXPECT_TRUE(changed().allConverted);
        EXPECT_EQ(walker.counts(ContainerWalk::Kind::Inventory).written, c.kept);
        EXPECT_EQ(walker.total().count, c.kept);
        EXPECT_EQ(undo->rows(), c.kept);
        // What the file holds once closed: nothing of the write that failed
        // is left to be written later.
        const QString path = undo->path();
        undo.reset();
        EXPECT_EQ(Undo::Read(path).entries.size(), std::size_t(c.kept));
    }
}

TEST_F(ConvertorSafetyTest, RestoreLeavesRowsChangedSinceAndRefusesForeignFiles) {
    TItemConvertorForm form;
    const QString message = run(form).text;
    const QString file = undoFileOf(message);
    // The game server rewrote one inventory after the run.
    exec(QStringLiteral("UPDATE Character SET Inventory=X'00' WHERE Name='o''hara'"));
    StatementJournal::Recorder journal;
    const Undo::Restored restored = Undo::Restore(file, BuildConnectionString(DataSource::TanorOnline));
    EXPECT_EQ(restored.restored, 9);
    EXPECT_EQ(restored.changedSince, QStringList{QStringLiteral("Character AccountID=o'acc Name=o'hara")});
    EXPECT_EQ(inventory(QStringLiteral("o'hara")), QStringLiteral("00"));
    EXPECT_EQ(inventory(QStringLiteral("c1")), characters[QStringLiteral("c1")]);
    EXPECT_EQ(items(QStringLiteral("acc3")), warehouses[QStringLiteral("acc3")]);
    EXPECT_NE(
        std::find(journal.texts().begin(), journal.texts().end(),
                  QStringLiteral(
                      "SELECT Inventory FROM Character WHERE (AccountID='o''acc') AND (Name='o''hara')")),
        journal.texts().end());

    // A name that is not a plain identifier never reaches a statement.
    QFile tampered(file);
    ASSERT_TRUE(tampered.open(QIODevice::Append));
    tampered.write("Character;DROP TABLE Warehouse,Inventory,AccountID,a,,,00,"
                   "0000000000000000000000000000000000000000\n");
    tampered.close();
    EXPECT_THROW((void)Undo::Read(file), ConvertError);
}

TEST_F(ConvertorSafetyTest, ACompleteRunOffersToSetVersionTo1) {
    TItemConvertorForm form;
    BoxScript boxes;
    boxes.ok().ok().ok();
    form.ConvertClick();
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Version"), QStringLiteral("Version")), 1);
}

// A withdrawal takes back the rows past its mark, whatever their keys hold
// (a quoted key may hold a comma, a quote or a line break).
TEST(UndoFileTest, RollbackWithdrawsTheRowsPastTheMarkAndCountsWhatIsLeft) {
    TestEnvironment env;
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("conversion"));
    const ContainerWalk::Source source = ItemConversion::Sources(VaultSettings{}).front();
    ContainerWalk::Row row;
    row.column = QByteArray(10, '\x01');
    const auto add = [&](const char* name) {
        row.account = QStringLiteral("acc");
        row.second = QString::fromLatin1(name);
        undo->add(source, row, QStringLiteral("FF"));
    };
    add("first");
    const qint64 mark = undo->mark();
    for (const char* name : {"line\nbreak", "com,ma", "quo\"te", "\"\n\""})
        add(name);
    ASSERT_EQ(undo->rows(), 5);
    undo->rollback(mark);
    EXPECT_EQ(undo->rows(), 1);
    const std::vector<Undo::Entry> entries = Undo::Read(undo->path()).entries;
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries.front().value2, QStringLiteral("first"));
    add("after");
    EXPECT_EQ(undo->rows(), 2);
    EXPECT_EQ(Undo::Read(undo->path()).entries.size(), 2U);
}

namespace {

// An undo file of a wipe holding one inventory entry per name, account
// "acc<n>" and original "0<n>AA" for the n-th (from 1).
QString writtenUndoFile(const QStringList& names) {
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("wipe"));
    const ContainerWalk::Source source = ItemConversion::Sources(VaultSettings{}).front();
    ContainerWalk::Row row;
    for (int n = 1; n <= names.size(); ++n) {
        row.account = QStringLiteral("acc%1").arg(n);
        row.second = names[n - 1];
        row.column = QByteArray::fromHex(QStringLiteral("0%1AA").arg(n).toLatin1());
        undo->add(source, row, QStringLiteral("FF"));
    }
    return undo->path();
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void rewrite(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(content), content.size());
}

} // namespace

// Names may hold what the game lets them hold: every entry reads back as
// written, whatever became of the last line end.
TEST(UndoFileTest, EveryKeyReadsBackAsWrittenWithOrWithoutTheLastLineEnd) {
    TestEnvironment env;
    const QStringList names = {QStringLiteral("line\nbreak"),
                               QStringLiteral("cr\r\nlf"),
                               QStringLiteral("com,ma"),
                               QStringLiteral("quo\"te\""),
                               QStringLiteral("\"\n\""),
                               QString(),
                               QStringLiteral("x")};
    const QString path = writtenUndoFile(names);
    const QByteArray written = contentOf(path);
    ASSERT_TRUE(written.endsWith('\n'));
    for (const QByteArray& content : {written, written.chopped(1)}) {
        SCOPED_TRACE(content.size());
        rewrite(path, content);
        const Undo::File file = Undo::Read(path);
        EXPECT_EQ(file.what, QStringLiteral("wipe"));
        ASSERT_EQ(file.entries.size(), std::size_t(names.size()));
        for (int n = 1; n <= names.size(); ++n) {
            const Undo::Entry& e = file.entries[std::size_t(n - 1)];
            EXPECT_EQ(e.value2, names[n - 1]);
            EXPECT_EQ(e.value, QStringLiteral("acc%1").arg(n));
            EXPECT_EQ(e.original, QStringLiteral("0%1AA").arg(n));
            EXPECT_EQ(e.written.size(), 64);
        }
    }
}

// A damaged or edited entry refuses the whole file, naming its line, before
// a statement is built from it: since many rows share the value a wipe
// wrote, an entry moved to another key would put one account's items into
// another's row.
TEST(UndoFileTest, AnEntryThatIsDamagedOrEditedRefusesTheFileByLineNumber) {
    TestEnvironment env;
    // Entries start on lines 3, 4 (two lines long) and 6.
    const QString path =
        writtenUndoFile({QStringLiteral("one"), QStringLiteral("two\nlines"), QStringLiteral("three")});
    const QByteArray written = contentOf(path);
    const qsizetype lastDigest = written.lastIndexOf(',') + 1;
    struct Case {
        const char* name;
        QByteArray content;
        const char* why; // on line 6, or on line 3 with `first`
        bool first;
    };
    const Case cases[] = {
        {"original", QByteArray(written).replace("03AA", "03AB"), "what it holds does not match its digest",
         false},
        {"key", QByteArray(written).replace(",acc3,", ",acc1,"), "what it holds does not match its digest",
         false},
        {"second key", QByteArray(written).replace(",three,", ",one,"),
         "what it holds does not match its digest", false},
        {"table",
         QByteArray(written).replace("Character,Inventory,AccountID,acc1", "Warehouse,Items,AccountID,acc1"),
         "what it holds does not match its digest", true},
        {"second key column", QByteArray(written).replace(",Name,three,", ",Name) OR (1=1,three,"),
         "a column name that is not a plain name", false},
        {"digest too long", written.chopped(1) + "A\n", "a digest that is not 64 hexadecimal digits", false},
        {"digest cut", written.left(lastDigest + 40) + '\n', "a digest that is not 64 hexadecimal digits",
         false},
        {"digest lost", written.left(lastDigest - 1) + '\n', "8 fields instead of 9", false},
        {"stray quote", QByteArray(written).replace(",acc3,", ",ac\"c3,"), "a quote inside a value", false},
        {"quote left open", written.left(lastDigest) + "\"" + written.mid(lastDigest),
         "a quoted value that does not end", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.content, written);
        rewrite(path, c.content);
        try {
            (void)Undo::Read(path);
            ADD_FAILURE() << "read";
        } catch (const ConvertError& e) {
            const QString line = QStringLiteral("line %1: ").arg(c.first ? 3 : 6);
            EXPECT_TRUE(e.text().contains(line + QLatin1String(c.why))) << e.text().toStdString();
            EXPECT_EQ(e.text().count(QStringLiteral("line ")), 1) << e.text().toStdString();
        }
    }
    // A file of the earlier format, or of anything else, is no undo file.
    rewrite(path,
            "table,column,key,value,key2,value2,original,written_sha1\n"
            "Character,Inventory,AccountID,acc1,Name,one,01AA,0000000000000000000000000000000000000000\n");
    EXPECT_THROW((void)Undo::Read(path), ConvertError);
}
