#include "Child.h"
#include "EditorFixture.h"

#include "app/MainWindows.h"
#include "containers/WareHouseUnit.h"

#include <QLabel>
#include <QSet>

#include <algorithm>

namespace {

using Operator::click;
using Operator::place;
using Operator::press;

const int kLength = 20; // Version 0 record text

class WarehouseFormTest : public EditorTest {
protected:
    // kestrel's warehouse holds one unknown item: its box is answered.
    std::unique_ptr<TWarehouseForm> openKestrel() {
        BoxScript boxes;
        boxes.ok();
        return open<TWarehouseForm>(QStringLiteral("kestrel"));
    }
    [[nodiscard]] QString items(const QString& account) const {
        return scalar(QStringLiteral("SELECT hex(Items) FROM Warehouse WHERE AccountID=%1").arg(Q(account)));
    }
    [[nodiscard]] QString row(const QString& account) const {
        return scalar(QStringLiteral("SELECT hex(Items) || '|' || Money || '|' || pw FROM Warehouse "
                                     "WHERE AccountID=%1")
                          .arg(Q(account)));
    }
    [[nodiscard]] QString vault(const QString& account, int number) const {
        return scalar(
            QStringLiteral("SELECT hex(Items) FROM ExtraVault WHERE AccountID=%1 AND VaultNumber=%2")
                .arg(Q(account))
                .arg(number));
    }
    void setItems(const QString& account, const QString& value) const {
        raw(QStringLiteral("UPDATE Warehouse SET Items=%1 WHERE AccountID=%2").arg(value, Q(account)));
    }
    static QString text(QWidget* form, const char* edit) {
        return child<QLineEdit>(form, QLatin1String(edit))->text();
    }
    static QComboBox* vaults(QWidget* form) { return child<QComboBox>(form, QStringLiteral("mVaults")); }
    // Saves; returns the one statement it ran (empty when none ran).
    static QString save(QWidget* form, BoxScript& boxes) {
        StatementJournal::Recorder journal;
        boxes.ok();
        press(form, "AddItem");
        return journal.texts().empty() ? QString() : journal.texts().back();
    }
};

} // namespace

TEST_F(WarehouseFormTest, OpensTheRowTheVaultListAndDrawsOneSerial) {
    const int serial = itemCount();
    StatementJournal::Recorder journal;
    auto form = openKestrel();
    const std::vector<QString> texts = journal.texts();

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Edit Warehouse..."));
    EXPECT_EQ(child<QLabel>(form, QStringLiteral("Acc"))->text(), QStringLiteral("kestrel"));
    EXPECT_EQ(text(form.get(), "VisualMoney"), QStringLiteral("1982263"));
    EXPECT_EQ(text(form.get(), "VisualPassword"), QStringLiteral("1000"));
    const QString lastTM = child<QLabel>(form, QStringLiteral("LastTM"))->text();
    EXPECT_TRUE(lastTM.contains(QStringLiteral("08:00")) || lastTM.contains(QStringLiteral("8:00")))
        << lastTM.toStdString();
    EXPECT_FALSE(lastTM.contains(QStringLiteral("000"))) << lastTM.toStdString();
    QComboBox* chooser = vaults(form.get());
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->count(), 3);
    EXPECT_EQ(chooser->itemText(0), QStringLiteral("Original"));
    EXPECT_EQ(chooser->itemText(1), QStringLiteral("1"));
    EXPECT_EQ(chooser->itemText(2), QStringLiteral("2"));
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Original"));
    EXPECT_TRUE(chooser->toolTip().startsWith(QStringLiteral("CAUTION")));
    EXPECT_EQ(child<QAbstractButton>(form, QStringLiteral("Button1"))->text(),
              QStringLiteral("Reset Warehouse"));
    EXPECT_EQ(child<QAbstractButton>(form, QStringLiteral("CloseBitBtn"))->text(), QStringLiteral("Close"));
    EXPECT_NE(form->findChild<QAbstractButton*>(QStringLiteral("BitBtn120")), nullptr);
    EXPECT_EQ(form->findChild<QAbstractButton*>(QStringLiteral("BitBtn121")), nullptr);
    // Four colours in the legend; the red one explains itself.
    QStringList legend;
    for (QLabel* label : form->findChildren<QLabel*>())
        if (!label->toolTip().isEmpty() && label->toolTip().contains(QStringLiteral("Excellent + Ancient")))
            legend << label->toolTip();
    EXPECT_EQ(legend.size(), 2);
    EXPECT_TRUE(legend.contains(QStringLiteral("Excellent + Ancient Options is NOT allowed")));

    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(texts[0], QStringLiteral("SELECT VaultNumber FROM ExtraVault WHERE AccountID='kestrel'"));
    EXPECT_EQ(texts[1], QStringLiteral(
                            "SELECT Items, Money, pw, EndUseDate FROM Warehouse WHERE AccountID ='kestrel'"));
    EXPECT_EQ(texts[2], QStringLiteral("SELECT DISTINCT Type FROM Item"));
    EXPECT_EQ(texts[3], QStringLiteral("SELECT Name FROM Item WHERE Type ='Swords'"));
    EXPECT_EQ(Count(texts, QStringLiteral("EXECUTE QJ_GetItemSerial")), 1);
    EXPECT_EQ(texts.back(), QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
    EXPECT_EQ(itemCount(), serial + 1);
    // The warehouse keeps the catalogue's order of sub-types.
    EXPECT_EQ(form->Editor()->SubTypeText(), QStringLiteral("Rusted Shortblade"));
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + items(QStringLiteral("kestrel")));
}

TEST_F(WarehouseFormTest, AnUnknownItemIsReportedAndSavedUnchanged) {
    const QString before = items(QStringLiteral("kestrel"));
    BoxScript boxes;
    boxes.ok();
    auto form = open<TWarehouseForm>(QStringLiteral("kestrel"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Unknown Item"));
    int unknown = 0;
    for (int k = 1; k <= 120 && unknown == 0; ++k)
        if (form->Cells()->Caption(k) == QStringLiteral("UNKNOWN"))
            unknown = k;
    ASSERT_GT(unknown, 0);
    boxes.ok();
    click(form.get(), unknown);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Name: Blanck Slot \n\r")));

    const QString statement = save(form.get(), boxes);
    EXPECT_EQ(statement, QStringLiteral("UPDATE Warehouse SET Items= 0x") + before +
                             QStringLiteral(", Money=1982263,pw=1000 WHERE AccountID= 'kestrel'"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("WareHouse Updated!"));
    EXPECT_EQ(items(QStringLiteral("kestrel")), before);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WarehouseFormTest, PlacedItemsLandOnTheirBytesAndCellOneDrawsTwoSerials) {
    raw(QStringLiteral("UPDATE Warehouse SET Items=X'%1' WHERE AccountID='marlow'")
            .arg(FreeColumn(120, kLength)));
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    for (const auto& [cell, draws] : {std::pair{1, 2}, {2, 1}, {117, 1}}) {
        const int before = itemCount();
        place(form.get(), cell);
        EXPECT_EQ(itemCount(), before + draws) << cell;
    }
    // The 1 by 3 sword on the last row but one reaches past the grid.
    EXPECT_EQ(Operator::cell(form.get(), 117)->geometry(), QRect(4 * 24, 14 * 24, 24, 72));

    BoxScript boxes;
    const QString statement = save(form.get(), boxes);
    EXPECT_EQ(statement.section(QLatin1Char(' '), 4, 4).size(), 2 + 2400 + 1); // literal and its comma
    const QString after = items(QStringLiteral("marlow"));
    ASSERT_EQ(after.size(), 2400);
    EXPECT_EQ(after.left(kLength), form->Container().Record(1));
    EXPECT_EQ(after.mid(kLength, kLength), form->Container().Record(2));
    EXPECT_EQ(after.mid(116 * kLength, kLength), form->Container().Record(117));
    EXPECT_EQ(after.mid(2 * kLength, 114 * kLength), FreeColumn(114, kLength));
}

TEST_F(WarehouseFormTest, SixteenByteRecordsMakeA3840DigitLiteral) {
    WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), 1);
    raw(QStringLiteral("UPDATE Warehouse SET Items=X'%1' WHERE AccountID='marlow'").arg(FreeColumn(120, 32)));
    StatementJournal::Recorder journal;
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    EXPECT_EQ(Count(journal.texts(), QStringLiteral("SELECT Name,x,y")), 0);
    place(form.get(), 9);
    EXPECT_EQ(Count(journal.texts(),
                    QStringLiteral("SELECT Name,x,y FROM Item WHERE (id2= '00' ) AND (unique2= 0 )")),
              1);
    BoxScript boxes;
    const QString statement = save(form.get(), boxes);
    EXPECT_EQ(statement.section(QLatin1Char(' '), 4, 4).size(), 2 + 3840 + 1);
    EXPECT_EQ(items(QStringLiteral("marlow")).mid(8 * 32, 32), form->Container().Record(9));
}

TEST_F(WarehouseFormTest, AnAccountWithoutARowGetsOneAndANameWithAQuoteIsQuoted) {
    StatementJournal::Recorder journal;
    auto form = open<TWarehouseForm>(QStringLiteral("lark"));
    const std::vector<QString> texts = journal.texts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[1],
              QStringLiteral("SELECT Items, Money, pw, EndUseDate FROM Warehouse WHERE AccountID ='lark'"));
    EXPECT_EQ(texts[2],
              QStringLiteral("INSERT INTO Warehouse (AccountID, Items, Money, EndUseDate, DbVersion, pw) "
                             "VALUES ('lark',0x") +
                  FreeColumn(120, kLength) + QStringLiteral(",0, getdate(), 2,0)"));
    EXPECT_EQ(texts[3], texts[1]);
    EXPECT_EQ(row(QStringLiteral("lark")), FreeColumn(120, kLength) + QStringLiteral("|0|0"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT DbVersion FROM Warehouse WHERE AccountID='lark'")),
              QStringLiteral("2"));
    EXPECT_NE(scalar(QStringLiteral("SELECT EndUseDate FROM Warehouse WHERE AccountID='lark'")),
              QStringLiteral("<null>"));
    EXPECT_EQ(text(form.get(), "VisualMoney"), QStringLiteral("0"));
    EXPECT_EQ(text(form.get(), "VisualPassword"), QStringLiteral("0"));
    EXPECT_EQ(vaults(form.get())->count(), 1);
    form.reset();

    journal.clear();
    auto quoted = open<TWarehouseForm>(QStringLiteral("o'brien"));
    EXPECT_EQ(journal.texts()[0],
              QStringLiteral("SELECT VaultNumber FROM ExtraVault WHERE AccountID='o''brien'"));
    place(quoted.get(), 120);
    BoxScript boxes;
    EXPECT_TRUE(save(quoted.get(), boxes).endsWith(QStringLiteral(" WHERE AccountID= 'o''brien'")));
    EXPECT_EQ(items(QStringLiteral("o'brien")).right(kLength), quoted->Container().Record(120));
}

TEST_F(WarehouseFormTest, ChoosingAVaultLoadsItAndDropsUnsavedEdits) {
    auto form = openKestrel();
    const QString stored = items(QStringLiteral("kestrel"));
    int free = 1;
    while (form->Cells()->IsOccupied(free))
        ++free;
    place(form.get(), free);
    ASSERT_TRUE(form->Cells()->IsOccupied(free));

    StatementJournal::Recorder journal;
    Operator::choose(form.get(), "mVaults", QStringLiteral("1"));
    ASSERT_FALSE(journal.texts().empty());
    EXPECT_EQ(journal.texts()[0],
              QStringLiteral("SELECT Items FROM ExtraVault WHERE (AccountID='kestrel') AND(VaultNumber=1)"));
    EXPECT_EQ(Count(journal.texts(), QStringLiteral("EXECUTE")), 0);
    EXPECT_EQ(form->Vault(), QStringLiteral("1"));
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + vault(QStringLiteral("kestrel"), 1));
    // Money and password stay those of the warehouse row and cannot be edited.
    EXPECT_EQ(text(form.get(), "VisualMoney"), QStringLiteral("1982263"));
    for (const char* edit : {"VisualMoney", "VisualPassword"})
        EXPECT_FALSE(child<QLineEdit>(form, QLatin1String(edit))->isEnabled()) << edit;

    // Back to "Original": everything is loaded again, the edit is gone.
    journal.clear();
    BoxScript boxes;
    boxes.ok(); // the unknown item once more
    Operator::choose(form.get(), "mVaults", QStringLiteral("Original"));
    EXPECT_EQ(journal.texts()[0],
              QStringLiteral("SELECT VaultNumber FROM ExtraVault WHERE AccountID='kestrel'"));
    EXPECT_EQ(form->Vault(), QString());
    EXPECT_EQ(vaults(form.get())->currentText(), QStringLiteral("Original"));
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + stored);
    EXPECT_FALSE(form->Cells()->IsOccupied(free));
    for (const char* edit : {"VisualMoney", "VisualPassword"})
        EXPECT_TRUE(child<QLineEdit>(form, QLatin1String(edit))->isEnabled()) << edit;
}

// A cell selected in one container (another window, or the vault shown
// before) is not selected in the next: one click there only selects.
TEST_F(WarehouseFormTest, EveryContainerShownStartsWithNothingSelected) {
    auto freeCells = [](TWarehouseForm* form) {
        QSet<int> out;
        for (int k = 1; k <= 120; ++k) {
            if (!form->Cells()->IsOccupied(k))
                out.insert(k);
        }
        return out;
    };
    auto first = openKestrel();
    const QSet<int> freeInFirst = freeCells(first.get());
    ASSERT_FALSE(freeInFirst.isEmpty());
    const int cell = *std::min_element(freeInFirst.begin(), freeInFirst.end());
    click(first.get(), cell);
    EXPECT_EQ(first->Cells()->Selected(), cell);
    first.reset();
    auto second = openKestrel();
    EXPECT_EQ(second->Cells()->Selected(), 0);
    click(second.get(), cell);
    EXPECT_FALSE(second->Cells()->IsOccupied(cell));

    Operator::choose(second.get(), "mVaults", QStringLiteral("2"));
    const QSet<int> freeInTwo = freeCells(second.get());
    Operator::choose(second.get(), "mVaults", QStringLiteral("1"));
    const QSet<int> both = freeCells(second.get()) & freeInTwo;
    ASSERT_FALSE(both.isEmpty());
    const int shared = *std::min_element(both.begin(), both.end());
    click(second.get(), shared);
    Operator::choose(second.get(), "mVaults", QStringLiteral("2"));
    click(second.get(), shared);
    EXPECT_FALSE(second->Cells()->IsOccupied(shared));
}

TEST_F(WarehouseFormTest, SavingAVaultWritesOnlyItsItemColumn) {
    const QString warehouse = row(QStringLiteral("kestrel"));
    const QString second = vault(QStringLiteral("kestrel"), 2);
    auto form = openKestrel();
    Operator::choose(form.get(), "mVaults", QStringLiteral("1"));
    int free = 1;
    while (form->Cells()->IsOccupied(free))
        ++free;
    place(form.get(), free);
    child<QLineEdit>(form, QStringLiteral("VisualMoney"))->setText(QStringLiteral("5"));

    BoxScript boxes;
    const QString statement = save(form.get(), boxes);
    const QString literal = form->Container().Literal();
    EXPECT_EQ(statement, QStringLiteral("UPDATE ExtraVault SET Items=") + literal +
                             QStringLiteral(" WHERE (AccountID= 'kestrel') AND (VaultNumber=1)"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Extra-WareHouse Updated!"));
    EXPECT_EQ(QStringLiteral("0x") + vault(QStringLiteral("kestrel"), 1), literal);
    EXPECT_EQ(vault(QStringLiteral("kestrel"), 2), second);
    EXPECT_EQ(row(QStringLiteral("kestrel")), warehouse);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WarehouseFormTest, VaultsAreOffUnlessEnabledIsExactlyOne) {
    WriteSettingInt(QStringLiteral("Vaults"), QStringLiteral("Enabled"), 2);
    StatementJournal::Recorder journal;
    auto form = openKestrel();
    EXPECT_FALSE(vaults(form.get())->isVisible());
    EXPECT_FALSE(child<QLabel>(form, QStringLiteral("VaultLabel"))->isVisible());
    for (const QString& statement : journal.texts())
        EXPECT_FALSE(statement.contains(QStringLiteral("ExtraVault"))) << statement.toStdString();
    BoxScript boxes;
    EXPECT_TRUE(save(form.get(), boxes).startsWith(QStringLiteral("UPDATE Warehouse SET Items= 0x")));
    EXPECT_EQ(boxes.last().text, QStringLiteral("WareHouse Updated!"));
}

TEST_F(WarehouseFormTest, VaultNamesThatAreNotPlainNamesLeaveTheVaultsOff) {
    for (const auto& [key, name] :
         {std::pair{"Table", "ExtraVault; DROP TABLE Warehouse"}, std::pair{"ColumnAccount", "AccountID--"},
          std::pair{"ColumnNumber", "1Number"}, std::pair{"ColumnItems", "[Items"}}) {
        const QString before = ReadSetting(QStringLiteral("Vaults"), QLatin1String(key));
        WriteSetting(QStringLiteral("Vaults"), QLatin1String(key), QLatin1String(name));
        StatementJournal::Recorder journal;
        auto form = openKestrel();
        EXPECT_TRUE(vaults(form.get())->isHidden()) << key;
        for (const QString& statement : journal.texts())
            EXPECT_FALSE(statement.contains(QLatin1String(name))) << statement.toStdString();
        WriteSetting(QStringLiteral("Vaults"), QLatin1String(key), before);
    }
}

TEST_F(WarehouseFormTest, MoneyAndPasswordMustBeWholeNumbersInTheirColumnsRange) {
    const QString before = row(QStringLiteral("kestrel"));
    auto form = openKestrel();
    struct Case {
        const char* money;
        const char* password;
        const char* named;
    };
    for (const Case& c :
         {Case{"abc", "1000", "Money"}, Case{"", "1000", "Money"}, Case{"-1", "1000", "Money"},
          Case{"2000000001", "1000", "Money"}, Case{"12.5", "1000", "Money"}, Case{"10", "ab", "Password"},
          Case{"10", "", "Password"}, Case{"10", "-1", "Password"}}) {
        child<QLineEdit>(form, QStringLiteral("VisualMoney"))->setText(QLatin1String(c.money));
        child<QLineEdit>(form, QStringLiteral("VisualPassword"))->setText(QLatin1String(c.password));
        BoxScript boxes;
        EXPECT_EQ(save(form.get(), boxes), QString()) << c.money << "/" << c.password;
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_TRUE(boxes.last().text.startsWith(QLatin1String(c.named))) << boxes.last().text.toStdString();
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);
        EXPECT_TRUE(form->isVisible());
    }
    EXPECT_EQ(row(QStringLiteral("kestrel")), before);

    // The largest amounts the columns take are written.
    Operator::type(form.get(), "VisualMoney", QStringLiteral("2000000000"));
    Operator::type(form.get(), "VisualPassword", QStringLiteral("99999"));
    EXPECT_EQ(text(form.get(), "VisualPassword"), QStringLiteral("9999"));
    BoxScript boxes;
    EXPECT_TRUE(save(form.get(), boxes).contains(QStringLiteral(", Money=2000000000,pw=9999 WHERE")));
    EXPECT_TRUE(row(QStringLiteral("kestrel")).endsWith(QStringLiteral("|2000000000|9999")));
}

TEST_F(WarehouseFormTest, AStoredPasswordTooLongForTheBoxIsShownWholeAndRefused) {
    raw(QStringLiteral("UPDATE Warehouse SET pw=123456 WHERE AccountID='marlow'"));
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    EXPECT_EQ(text(form.get(), "VisualPassword"), QStringLiteral("123456"));
    BoxScript boxes;
    EXPECT_EQ(save(form.get(), boxes), QString());
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Password")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT pw FROM Warehouse WHERE AccountID='marlow'")),
              QStringLiteral("123456"));
}

TEST_F(WarehouseFormTest, AFailedSaveKeepsTheWindowAndItsEdits) {
    raw(QStringLiteral("CREATE TRIGGER locked BEFORE UPDATE ON Warehouse "
                       "BEGIN SELECT RAISE(ABORT, 'warehouse locked'); END"));
    const QString before = row(QStringLiteral("marlow"));
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    BoxScript boxes;
    boxes.ok().ok();
    press(form.get(), "Button1"); // reset, so the edit is plain to see
    save(form.get(), boxes);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Tanor Editor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Unknown exception while saving the warehouse"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(row(QStringLiteral("marlow")), before);
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + FreeColumn(120, kLength));

    raw(QStringLiteral("DROP TRIGGER locked"));
    save(form.get(), boxes);
    EXPECT_EQ(boxes.last().text, QStringLiteral("WareHouse Updated!"));
    EXPECT_EQ(items(QStringLiteral("marlow")), FreeColumn(120, kLength));
}

TEST_F(WarehouseFormTest, ResetAsksAndCloseWritesNothing) {
    const QString before = row(QStringLiteral("marlow"));
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    BoxScript boxes;
    boxes.cancel();
    press(form.get(), "Button1");
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are you Sure?"));
    EXPECT_TRUE(form->Cells()->IsOccupied(1));
    boxes.ok().ok();
    press(form.get(), "Button1");
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Warehouse Reseted!"));
    for (int k = 1; k <= 120; ++k)
        ASSERT_FALSE(form->Cells()->IsOccupied(k)) << k;
    boxes.ok();
    Operator::menu(form.get(), 5, "Info1"); // an empty cell describes the empty record
    EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("Hex: ") + FreeColumn(1, kLength)));
    press(form.get(), "CloseBitBtn");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(row(QStringLiteral("marlow")), before);
}

TEST_F(WarehouseFormTest, DeleteEmptiesTheCellAndSaveWritesTheFreeRecord) {
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    ASSERT_TRUE(form->Cells()->IsOccupied(1));
    Operator::menu(form.get(), 1, "Delete1");
    EXPECT_EQ(Operator::cell(form.get(), 1)->size(), QSize(24, 24));
    BoxScript boxes;
    save(form.get(), boxes);
    EXPECT_EQ(items(QStringLiteral("marlow")).left(kLength), FreeColumn(1, kLength));
}

TEST_F(WarehouseFormTest, NullShortAndLongColumns) {
    // NULL: every cell free, no boxes, 120 free records written.
    setItems(QStringLiteral("marlow"), QStringLiteral("NULL"));
    {
        BoxScript boxes;
        auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
        for (int k = 1; k <= 120; ++k)
            ASSERT_FALSE(form->Cells()->IsOccupied(k)) << k;
        save(form.get(), boxes);
        EXPECT_EQ(items(QStringLiteral("marlow")), FreeColumn(120, kLength));
    }
    // Short: what is there is kept, the rest written free.
    const QString kestrel = items(QStringLiteral("kestrel"));
    setItems(QStringLiteral("marlow"), QStringLiteral("X'%1'").arg(kestrel.left(3 * kLength + 6)));
    {
        BoxScript boxes;
        auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
        save(form.get(), boxes);
        EXPECT_EQ(items(QStringLiteral("marlow")), kestrel.left(3 * kLength) + FreeColumn(117, kLength));
    }
    // Long: the bytes past record 120 survive.
    const QString full = FreeColumn(120, kLength);
    setItems(QStringLiteral("marlow"), QStringLiteral("X'%1ABCDEF'").arg(full));
    {
        BoxScript boxes;
        auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
        place(form.get(), 3);
        save(form.get(), boxes);
        const QString after = items(QStringLiteral("marlow"));
        EXPECT_EQ(after.size(), full.size() + 6);
        EXPECT_TRUE(after.endsWith(QStringLiteral("ABCDEF")));
        EXPECT_EQ(after.mid(2 * kLength, kLength), form->Container().Record(3));
    }
}

TEST_F(WarehouseFormTest, AVaultThatFailsToLoadLeavesTheChooserOnTheViewShown) {
    auto form = openKestrel();
    WriteSetting(QStringLiteral("Vaults"), QStringLiteral("ColumnItems"), QStringLiteral("NoSuchColumn"));
    BoxScript boxes;
    boxes.ok(); // the general error box
    Operator::choose(form.get(), "mVaults", QStringLiteral("2"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("NoSuchColumn")))
        << boxes.last().text.toStdString();
    EXPECT_EQ(vaults(form.get())->currentText(), QStringLiteral("Original"));
    EXPECT_EQ(form->Vault(), QString());
    EXPECT_TRUE(save(form.get(), boxes).startsWith(QStringLiteral("UPDATE Warehouse SET Items= ")));
}

TEST_F(WarehouseFormTest, WithoutASignedInOperatorSaveWritesAndSaysNothing) {
    const QString before = row(QStringLiteral("marlow"));
    signedIn = false;
    auto form = open<TWarehouseForm>(QStringLiteral("marlow"));
    // Not even bad input is mentioned.
    child<QLineEdit>(form, QStringLiteral("VisualMoney"))->setText(QStringLiteral("x"));
    expectSaveWithoutOperatorDoesNothing(form.get());
    EXPECT_EQ(row(QStringLiteral("marlow")), before);
}

TEST_F(WarehouseFormTest, TheMainWindowOpensThisWindow) {
    std::unique_ptr<QDialog> window(
        MainWindowFactory(MainWindow::Warehouse)(nullptr, context(QStringLiteral("marlow"))));
    auto* form = qobject_cast<TWarehouseForm*>(window.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(child<QLabel>(form, QStringLiteral("Acc"))->text(), QStringLiteral("marlow"));
}

// A column that is exactly the warehouse in the other record width is shown
// with a warning and never saved, under either Version.
TEST_F(WarehouseFormTest, AColumnOfTheOtherRecordWidthIsNotSaved) {
    const struct { int version, storedLength; } cases[] = {{0, 32}, {1, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), c.version);
        const QString stored = FreeColumn(120, c.storedLength);
        raw(QStringLiteral("UPDATE Warehouse SET Items=X'%1' WHERE AccountID='marlow'").arg(stored));
        std::unique_ptr<TWarehouseForm> form;
        {
            BoxScript opening;
            opening.ok();
            form = open<TWarehouseForm>(QStringLiteral("marlow"));
            ASSERT_EQ(opening.boxes().size(), 1u);
            EXPECT_EQ(opening.last().icon, Dialogs::Icon::Warning);
            EXPECT_TRUE(opening.last().text.contains(QStringLiteral("check the Version setting")));
        }
        StatementJournal::Recorder journal;
        BoxScript saving;
        saving.ok();
        QTest::mouseClick(child<QAbstractButton>(form, QStringLiteral("AddItem")), Qt::LeftButton);
        EXPECT_EQ(saving.last().icon, Dialogs::Icon::Warning);
        EXPECT_EQ(Count(journal.texts(), QStringLiteral("UPDATE")), 0);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(items(QStringLiteral("marlow")), stored);
    }
}
