// The "Find Items..." window on the planted server: criteria to results,
// opening an item's cell, erasing a ticked copy, the check's summary.

#include "BoxScript.h"
#include "Child.h"
#include "ModalScript.h"
#include "SearchServer.h"

#include "containers/DuplicateSerials.h"
#include "containers/FindItemsUnit.h"
#include "containers/WareHouseUnit.h"
#include "items/CellGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace SearchServer;

namespace {

using FindItemsFormTest = ServerSearchTest;

// The row of a view whose place is `place`, or -1.
int rowOf(const QTableView* view, const QString& place) {
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        const int cell = m->index(r, m->columnCount() - 6).data().toInt();
        const QString kind = m->index(r, m->columnCount() - 7).data().toString().left(1);
        const QString who = m->index(r, m->columnCount() - (kind == fs("I") ? 8 : 9)).data().toString();
        if (QStringLiteral("%1:%2:%3").arg(kind, who).arg(cell) == place)
            return r;
    }
    return -1;
}

TEST_F(FindItemsFormTest, TheWindowFindsOpensTheItemsCellAndRefusesABadSerial) {
    plant();
    TFindItemsForm form;
    auto* results = child<QTableView>(&form, "Results");
    child<QLineEdit>(&form, "Serial")->setText(fs("12345"));
    {
        BoxScript boxes;
        boxes.ok();
        child<QPushButton>(&form, "FindButton")->click();
        EXPECT_TRUE(boxes.last().text.startsWith(fs("A serial is 8 hexadecimal digits")))
            << boxes.last().text.toStdString();
    }
    child<QLineEdit>(&form, "Serial")->setText(fs("00000101"));
    child<QPushButton>(&form, "FindButton")->click();
    EXPECT_EQ(results->model()->rowCount(), 3);
    EXPECT_TRUE(child<QLabel>(&form, "FindStatus")->text().startsWith(fs("3 items in ")))
        << child<QLabel>(&form, "FindStatus")->text().toStdString();

    // The vault's item opens the warehouse editor on that vault, its cell chosen.
    const int vaultRow = rowOf(results, fs("V:acc1:5"));
    ASSERT_GE(vaultRow, 0);
    BoxScript unknownItem; // the warehouse of acc1 holds a record the catalogue does not know
    unknownItem.ok();
    ModalScript windows;
    windows.then<TWarehouseForm>([](TWarehouseForm* w) {
        EXPECT_EQ(w->Vault(), fs("1"));
        EXPECT_EQ(w->Cells()->Selected(), 5);
        w->reject();
    });
    form.ResultsDblClick(results->model()->index(vaultRow, 0));
    EXPECT_EQ(windows.pending(), 0);
}

TEST_F(FindItemsFormTest, TheWindowErasesTheTickedCopyAfterAskingAndTheCheckSaysWhatItFound) {
    plant();
    TFindItemsForm form;
    auto* duplicates = child<QTableView>(&form, "Duplicates");
    child<QPushButton>(&form, "FindDuplicates")->click();
    ASSERT_EQ(duplicates->model()->rowCount(), 5);
    EXPECT_EQ(child<QLabel>(&form, "DuplicatesHelp")->text(), DuplicateSerials::LeftOutText());
    const int copy = rowOf(duplicates, fs("W:acc1:51"));
    ASSERT_GE(copy, 0);
    duplicates->model()->setData(duplicates->model()->index(copy, 0), Qt::Checked, Qt::CheckStateRole);
    const QString before = Scalar(file, fs("SELECT hex(Items) FROM Warehouse WHERE AccountID='acc1'"));
    {
        BoxScript boxes;
        boxes.cancel();
        child<QPushButton>(&form, "EraseChosen")->click();
        EXPECT_TRUE(boxes.last().text.startsWith(fs("Erase 1 item in 1 row?")));
    }
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Items) FROM Warehouse WHERE AccountID='acc1'")), before);
    {
        BoxScript boxes;
        boxes.ok(2);
        child<QPushButton>(&form, "EraseChosen")->click();
        EXPECT_TRUE(boxes.last().text.startsWith(fs("Erased 1 item in 1 row.\rUndo file: ")))
            << boxes.last().text.toStdString();
    }
    EXPECT_EQ(duplicates->model()->rowCount(), 4);
    EXPECT_EQ(Scalar(file, fs("SELECT substr(hex(Items), 1001, 20) FROM Warehouse WHERE AccountID='acc1'")),
              QString(20, QLatin1Char('F')));

    child<QPushButton>(&form, "RunCheck")->click();
    EXPECT_EQ(child<QTableView>(&form, "Findings")->model()->rowCount(), 5);
    EXPECT_TRUE(
        child<QLabel>(&form, "CheckSummary")->text().contains(fs("Duplicated serials: 1 (2 extra copies)")))
        << child<QLabel>(&form, "CheckSummary")->text().toStdString();
    TestEnvironment::execRaw(file,
                             fs("DELETE FROM Character; DELETE FROM Warehouse; DELETE FROM ExtWarehouse;"));
    child<QPushButton>(&form, "RunCheck")->click();
    EXPECT_TRUE(child<QLabel>(&form, "CheckSummary")->text().contains(fs("The server is clean.")));
}

} // namespace
