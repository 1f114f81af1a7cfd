#include "Child.h"
#include "EditorFixture.h"

#include "app/MainWindows.h"
#include "containers/InventoryUnit.h"

#include <QLabel>
#include <QTabWidget>

namespace {

using Operator::click;
using Operator::place;
using Operator::press;

const int kLength = 20; // Version 0 record text

class InventoryFormTest : public EditorTest {
protected:
    std::unique_ptr<TInventoryForm> openFor(const QString& character,
                                            const QString& account = QStringLiteral("kestrel")) {
        return open<TInventoryForm>(account, character);
    }
    [[nodiscard]] QString stored(const QString& character) const {
        return scalar(QStringLiteral("SELECT hex(Inventory) FROM Character WHERE Name=%1").arg(Q(character)));
    }
    void setStored(const QString& character, const QString& value) const {
        raw(QStringLiteral("UPDATE Character SET Inventory=%1 WHERE Name=%2").arg(value, Q(character)));
    }
    // A character of `account` whose inventory is 108 free records.
    void addCharacter(const QString& name, const QString& account, int length = kLength) const {
        raw(QStringLiteral("INSERT INTO Character (AccountID, Name, Inventory) VALUES (%1, %2, X'%3')")
                .arg(Q(account), Q(name), FreeColumn(108, length)));
    }
};

} // namespace

TEST_F(InventoryFormTest, OpensWithTheStoredItemsInOrderAndDrawsOneSerial) {
    const int serial = itemCount();
    StatementJournal::Recorder journal;
    auto form = openFor(QStringLiteral("Kaelin"));
    const std::vector<QString> texts = journal.texts();

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Inventory/Personal Shop"));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::Tool));
    auto* acc = child<QLabel>(form, QStringLiteral("Acc"));
    auto* chr = child<QLabel>(form, QStringLiteral("Chr"));
    EXPECT_EQ(acc->text(), QStringLiteral("kestrel"));
    EXPECT_EQ(chr->text(), QStringLiteral("Kaelin"));
    EXPECT_TRUE(chr->styleSheet().contains(QStringLiteral("red")));
    EXPECT_TRUE(chr->styleSheet().contains(QStringLiteral("bold")));
    auto* pages = child<QTabWidget>(form);
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Inventory"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Personal Shop"));
    EXPECT_EQ(child<QAbstractButton>(form, QStringLiteral("Button1"))->text(),
              QStringLiteral("Reset Inventory"));
    EXPECT_EQ(child<QAbstractButton>(form, QStringLiteral("AddItem"))->text(), QStringLiteral("Save"));
    EXPECT_EQ(child<QAbstractButton>(form, QStringLiteral("CloseButton"))->text(), QStringLiteral("Close"));
    // Cells 13–76 stand on the panel "Inventory", 77–108 on the personal shop's page.
    EXPECT_EQ(Operator::cell(form.get(), 40)->parentWidget()->objectName(), QStringLiteral("Inventory"));
    EXPECT_TRUE(pages->widget(1)->isAncestorOf(Operator::cell(form.get(), 108)));

    // Load, type list, the stored cells, then the property editor and one serial.
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts[0], QStringLiteral("SELECT Inventory FROM Character WHERE Name ='Kaelin'"));
    EXPECT_EQ(texts[1], QStringLiteral("SELECT DISTINCT Type FROM Item"));
    EXPECT_EQ(texts[2], QStringLiteral(
                            "SELECT Name,x,y FROM Item WHERE (id= '06' ) AND (unique= 0 )AND (Code32='00')"));
    EXPECT_EQ(Count(texts, QStringLiteral("UPDATE")), 0);
    EXPECT_EQ(Count(texts, QStringLiteral("EXECUTE QJ_GetItemSerial")), 1);
    EXPECT_EQ(texts[texts.size() - 2], QStringLiteral("EXECUTE QJ_GetItemSerial"));
    EXPECT_EQ(texts.back(), QStringLiteral("SELECT ItemCount FROM GameServerInfo"));
    EXPECT_EQ(itemCount(), serial + 1);

    EXPECT_EQ(form->Cells()->Caption(1), QStringLiteral("Ironbrand"));
    EXPECT_EQ(form->Editor()->TypeText(), QStringLiteral("Swords"));
    EXPECT_EQ(form->Editor()->SubTypeText(), QStringLiteral("Ashwood Cutlass"));
    EXPECT_EQ(form->Editor()->RecordText().mid(6, 8),
              QStringLiteral("%1").arg(serial + 1, 8, 16, QChar(u'0')).toUpper());
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + stored(QStringLiteral("Kaelin")));

    // Opening again draws another serial although nothing was placed.
    form.reset();
    (void)openFor(QStringLiteral("Kaelin"));
    EXPECT_EQ(itemCount(), serial + 2);
}

TEST_F(InventoryFormTest, AnItemPlacedOnCell77IsSavedAtItsBytes) {
    const QString before = stored(QStringLiteral("Kaelin"));
    auto form = openFor(QStringLiteral("Kaelin"));
    child<QTabWidget>(form)->setCurrentIndex(1);
    place(form.get(), 77);
    const QString placed = form->Container().Record(77);
    ASSERT_EQ(placed.size(), kLength);
    EXPECT_EQ(form->Cells()->Caption(77), QStringLiteral("Ashwood\n\rCutlass"));

    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    ASSERT_EQ(journal.texts().size(), 1u);
    const QString statement = journal.texts()[0];
    const QString literal = statement.section(QLatin1Char(' '), 4, 4);
    EXPECT_EQ(literal.size(), 2 + 2160);
    EXPECT_EQ(statement, QStringLiteral("UPDATE Character SET Inventory= ") + literal +
                             QStringLiteral(" WHERE Name= 'Kaelin'"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Inventory Updated!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);

    // Bytes 760–769 hold the item; every other byte is as it was.
    const QString after = stored(QStringLiteral("Kaelin"));
    ASSERT_EQ(after.size(), 2160);
    EXPECT_EQ(after.mid(760 * 2, 20), placed);
    EXPECT_EQ(after.left(760 * 2), before.left(760 * 2));
    EXPECT_EQ(after.mid(770 * 2), before.mid(770 * 2));
}

TEST_F(InventoryFormTest, SixteenByteRecordsPutCell77AtBytes1216To1231) {
    WriteSettingInt(QStringLiteral("Version"), QStringLiteral("Version"), 1);
    addCharacter(QStringLiteral("Wren"), QStringLiteral("kestrel"), 32);
    auto form = openFor(QStringLiteral("Wren"));
    EXPECT_EQ(form->Editor()->RecordText().size(), 32);
    place(form.get(), 77);
    const QString placed = form->Container().Record(77);
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    ASSERT_EQ(journal.texts().size(), 1u);
    EXPECT_EQ(journal.texts()[0].section(QLatin1Char(' '), 4, 4).size(), 2 + 3456);
    const QString after = stored(QStringLiteral("Wren"));
    ASSERT_EQ(after.size(), 3456);
    EXPECT_EQ(after.mid(1216 * 2, 32), placed);
    EXPECT_EQ(after.left(1216 * 2), FreeColumn(76, 32));
    EXPECT_EQ(after.mid(1232 * 2), FreeColumn(31, 32));
}

TEST_F(InventoryFormTest, AnUnknownItemIsReportedShownAndSavedUnchanged) {
    const QString before = stored(QStringLiteral("Fionn"));
    BoxScript boxes;
    boxes.ok();
    auto form = openFor(QStringLiteral("Fionn"), QStringLiteral("o'brien"));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Unknown Item"));
    EXPECT_EQ(form->Cells()->Caption(18), QStringLiteral("UNKNOWN"));
    EXPECT_EQ(form->Cells()->CaptionColour(18), CellCaption::Colour::Error);
    EXPECT_EQ(child<QLabel>(form, QStringLiteral("Acc"))->text(), QStringLiteral("o'brien"));

    // Its information names the placeholder.
    boxes.ok();
    click(form.get(), 18);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Name: miss \n\r")))
        << boxes.last().text.toStdString();

    // Placing beside it and saving leaves its record as it was.
    place(form.get(), 30);
    boxes.ok();
    press(form.get(), "AddItem");
    const QString after = stored(QStringLiteral("Fionn"));
    EXPECT_EQ(after.mid(17 * kLength, kLength), QStringLiteral("BF00010000005B800000"));
    EXPECT_EQ(after.left(29 * kLength), before.left(29 * kLength));
    EXPECT_NE(after.mid(29 * kLength, kLength), before.mid(29 * kLength, kLength));
}

TEST_F(InventoryFormTest, ACharacterNameWithAQuoteIsLoadedAndSaved) {
    addCharacter(QStringLiteral("O'Hara"), QStringLiteral("o'brien"));
    StatementJournal::Recorder journal;
    auto form = openFor(QStringLiteral("O'Hara"), QStringLiteral("o'brien"));
    EXPECT_EQ(journal.texts()[0], QStringLiteral("SELECT Inventory FROM Character WHERE Name ='O''Hara'"));
    place(form.get(), 50);
    journal.clear();
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_TRUE(journal.texts().at(0).endsWith(QStringLiteral(" WHERE Name= 'O''Hara'")));
    EXPECT_EQ(stored(QStringLiteral("O'Hara")).mid(49 * kLength, kLength), form->Container().Record(50));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(InventoryFormTest, CellsThirteenNineteenAndTwentyDrawTwoSerials) {
    addCharacter(QStringLiteral("Blank"), QStringLiteral("kestrel"));
    auto form = openFor(QStringLiteral("Blank"));
    for (const auto& [cell, draws] : {std::pair{14, 1}, {13, 2}, {19, 2}, {20, 2}, {77, 1}}) {
        const int before = itemCount();
        place(form.get(), cell);
        EXPECT_EQ(itemCount(), before + draws) << cell;
        EXPECT_EQ(form->Container().Record(cell).mid(6, 8),
                  QStringLiteral("%1").arg(before + draws, 8, 16, QChar(u'0')).toUpper())
            << cell;
    }
}

TEST_F(InventoryFormTest, DeleteAndResetEmptyCellsOnlyWhenSaved) {
    const QString before = stored(QStringLiteral("Kaelin"));
    auto form = openFor(QStringLiteral("Kaelin"));
    Operator::menu(form.get(), 1, "Delete2");
    EXPECT_EQ(form->Container().Record(1), ItemRecord::EmptyRecord(ItemRecord::Width::Narrow));
    EXPECT_EQ(form->Cells()->Caption(1), QString());

    // Reset asks first; Cancel changes nothing.
    BoxScript boxes;
    boxes.cancel();
    press(form.get(), "Button1");
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are you sure?"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
    EXPECT_FALSE(form->Cells()->Caption(2).isEmpty());
    boxes.ok();
    press(form.get(), "Button1");
    for (int k = 1; k <= 108; ++k)
        ASSERT_FALSE(form->Cells()->IsOccupied(k)) << k;
    EXPECT_EQ(Operator::cell(form.get(), 1)->size(), QSize(47, 64)); // slots keep their size

    // Close writes nothing.
    press(form.get(), "CloseButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), before);

    // Reset and Save: 108 free records.
    auto again = openFor(QStringLiteral("Kaelin"));
    boxes.ok().ok();
    press(again.get(), "Button1");
    press(again.get(), "AddItem");
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), FreeColumn(108, kLength));
}

TEST_F(InventoryFormTest, ACharacterWithoutInventoryIsInitialisedAndShownEmpty) {
    StatementJournal::Recorder journal;
    auto form = openFor(QStringLiteral("Nobody"));
    const std::vector<QString> texts = journal.texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], QStringLiteral("SELECT Inventory FROM Character WHERE Name ='Nobody'"));
    EXPECT_EQ(texts[1], QStringLiteral("UPDATE Character SET Inventory=0x") + FreeColumn(108, kLength) +
                            QStringLiteral(" WHERE Name='Nobody'"));
    EXPECT_EQ(texts[2], QStringLiteral("SELECT Inventory FROM Character WHERE Name ='Nobody'"));
    EXPECT_EQ(form->Container().Literal(), QStringLiteral("0x") + FreeColumn(108, kLength));

    // There is no row to write: the save says so and the edits stay.
    place(form.get(), 30);
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_EQ(boxes.last().text, QStringLiteral("Error while saving Inventory"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->Cells()->IsOccupied(30));
}

TEST_F(InventoryFormTest, ANullInventoryShowsFreeCellsWithoutWritingAndSavesFreeRecords) {
    setStored(QStringLiteral("Kaelin"), QStringLiteral("NULL"));
    StatementJournal::Recorder journal;
    BoxScript boxes; // no "Unknown Item" for positions the column lacks
    auto form = openFor(QStringLiteral("Kaelin"));
    EXPECT_EQ(Count(journal.texts(), QStringLiteral("UPDATE")), 0);
    for (int k = 1; k <= 108; ++k)
        ASSERT_FALSE(form->Cells()->IsOccupied(k)) << k;
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), FreeColumn(108, kLength));
}

TEST_F(InventoryFormTest, AShortColumnShowsItsMissingPositionsFreeAndSavesThemAsFreeRecords) {
    const QString full = stored(QStringLiteral("Kaelin"));
    // 30 whole records and a record torn after 4 bytes.
    const QString shortColumn = full.left(30 * kLength + 8);
    setStored(QStringLiteral("Kaelin"), QStringLiteral("X'%1'").arg(shortColumn));
    BoxScript boxes;
    auto form = openFor(QStringLiteral("Kaelin"));
    EXPECT_TRUE(form->Cells()->IsOccupied(1));
    for (int k = 31; k <= 108; ++k)
        ASSERT_FALSE(form->Cells()->IsOccupied(k)) << k;
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), full.left(30 * kLength) + FreeColumn(78, kLength));
}

TEST_F(InventoryFormTest, ALongerColumnKeepsItsSurplusBytes) {
    const QString full = stored(QStringLiteral("Kaelin"));
    const QString surplus = QStringLiteral("0102030405060708090A");
    setStored(QStringLiteral("Kaelin"), QStringLiteral("X'%1%2'").arg(full, surplus));
    auto form = openFor(QStringLiteral("Kaelin"));
    place(form.get(), 100);
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    const QString after = stored(QStringLiteral("Kaelin"));
    EXPECT_EQ(after.size(), full.size() + surplus.size());
    EXPECT_EQ(after.right(surplus.size()), surplus);
    EXPECT_EQ(after.mid(99 * kLength, kLength), form->Container().Record(100));
}

TEST_F(InventoryFormTest, AFailedSaveKeepsTheWindowAndItsEdits) {
    raw(QStringLiteral("CREATE TRIGGER locked BEFORE UPDATE OF Inventory ON Character "
                       "BEGIN SELECT RAISE(ABORT, 'inventory locked'); END"));
    const QString before = stored(QStringLiteral("Kaelin"));
    auto form = openFor(QStringLiteral("Kaelin"));
    place(form.get(), 60);
    const QString placed = form->Container().Record(60);
    BoxScript boxes;
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Error while saving Inventory"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), before);
    EXPECT_EQ(form->Container().Record(60), placed);

    // Once the database takes it, the same edits are written.
    raw(QStringLiteral("DROP TRIGGER locked"));
    boxes.ok();
    press(form.get(), "AddItem");
    EXPECT_EQ(boxes.last().text, QStringLiteral("Inventory Updated!"));
    EXPECT_EQ(stored(QStringLiteral("Kaelin")).mid(59 * kLength, kLength), placed);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(InventoryFormTest, WithoutASignedInOperatorSaveWritesAndSaysNothing) {
    const QString before = stored(QStringLiteral("Kaelin"));
    signedIn = false;
    auto form = openFor(QStringLiteral("Kaelin"));
    place(form.get(), 60);
    expectSaveWithoutOperatorDoesNothing(form.get());
    EXPECT_EQ(stored(QStringLiteral("Kaelin")), before);
}

TEST_F(InventoryFormTest, TheMainWindowOpensThisWindow) {
    std::unique_ptr<QDialog> window(MainWindowFactory(MainWindow::Inventory)(
        nullptr, context(QStringLiteral("kestrel"), QStringLiteral("Sparrow"))));
    auto* form = qobject_cast<TInventoryForm*>(window.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(child<QLabel>(form, QStringLiteral("Chr"))->text(), QStringLiteral("Sparrow"));
}
