#include "BoxScript.h"
#include "Child.h"
#include "ItemRig.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>

namespace {

using CellCaption::Colour;

class CellGridTest : public ItemFixture {
protected:
    void SetUp() override {
        ItemFixture::SetUp();
        SelectedCell(ContainerKind::Inventory) = 0;
        SelectedCell(ContainerKind::Warehouse) = 0;
    }
    std::unique_ptr<ItemRig> rig(ContainerKind kind = ContainerKind::Inventory) {
        auto r = std::make_unique<ItemRig>(kind);
        r->open();
        return r;
    }
    // The button that receives a click at the middle of cell k's own square.
    static QWidget* topmostAt(ItemRig& r, int cell, int firstCell) {
        const int column = (cell - firstCell) % 8;
        const int row = (cell - firstCell) / 8;
        return r.inventoryGrid->childAt(column * 24 + 12, row * 24 + 12);
    }
};

} // namespace

TEST_F(CellGridTest, CellsAreLaidOutEightToARow) {
    ItemRig r(ContainerKind::Inventory);
    EXPECT_EQ(r.button(13)->geometry(), QRect(0, 0, 24, 24));
    EXPECT_EQ(r.button(22)->geometry(), QRect(24, 24, 24, 24));
    EXPECT_EQ(r.button(76)->geometry(), QRect(168, 168, 24, 24));
    EXPECT_EQ(r.button(108)->geometry(), QRect(168, 72, 24, 24));
    EXPECT_EQ(r.button(4)->geometry(), QRect(72, 56, 48, 80));
    EXPECT_EQ(r.inventoryGrid->size(), QSize(193, 193));
    EXPECT_EQ(r.button(77)->parentWidget()->size(), QSize(193, 97));
    EXPECT_NE(r.window.findChild<QMenu*>(QStringLiteral("Bag")), nullptr);
    EXPECT_NE(r.window.findChild<QAction*>(QStringLiteral("Delete2")), nullptr);

    ItemRig w(ContainerKind::Warehouse);
    EXPECT_EQ(w.button(120)->geometry(), QRect(168, 336, 24, 24));
    EXPECT_EQ(w.inventoryGrid->size(), QSize(193, 361));
    EXPECT_EQ(w.window.findChild<QMenu*>(QStringLiteral("Wear")), nullptr);
}

TEST_F(CellGridTest, TwoClicksOnAFreeCellPlaceTheItem) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Kukri"));
    const int drawn = itemCount();
    r->click(14);
    EXPECT_EQ(r->cells->Selected(), 14);
    EXPECT_FALSE(r->cells->IsOccupied(14));
    EXPECT_EQ(r->container.Record(14), ItemRecord::EmptyRecord(ItemRecord::Width::Narrow));
    r->click(14);
    EXPECT_EQ(r->cells->Caption(14), QStringLiteral("Kukri"));
    EXPECT_EQ(r->button(14)->text(), QStringLiteral("Kukri"));
    EXPECT_EQ(r->button(14)->size(), QSize(24, 48)); // 1 by 2
    EXPECT_EQ(r->cells->CaptionColour(14), Colour::WindowText);
    // The cell holds the editor's record with the serial drawn for it.
    EXPECT_EQ(itemCount(), drawn + 1);
    EXPECT_EQ(r->container.Record(14), r->hex());
    EXPECT_EQ(r->hex().mid(6, 8), QStringLiteral("%1").arg(drawn + 1, 8, 16, QLatin1Char('0')).toUpper());
}

TEST_F(CellGridTest, AClickElsewhereMovesTheSelection) {
    auto r = rig();
    r->click(15);
    r->click(16);
    r->click(15);
    EXPECT_FALSE(r->cells->IsOccupied(15));
    EXPECT_EQ(r->cells->Selected(), 15);
    r->click(15);
    EXPECT_TRUE(r->cells->IsOccupied(15));
    EXPECT_FALSE(r->cells->IsOccupied(16));
}

TEST_F(CellGridTest, RightClickThenOneClickPlaces) {
    auto r = rig();
    r->rightClick(30);
    EXPECT_EQ(r->cells->Selected(), 30);
    QMenu* bag = child<QMenu>(&r->window, QStringLiteral("Bag"));
    ASSERT_NE(bag, nullptr);
    EXPECT_TRUE(bag->isVisible());
    bag->close();
    r->click(30);
    EXPECT_TRUE(r->cells->IsOccupied(30));
}

TEST_F(CellGridTest, AnOccupiedCellShowsItsInformationAndIsNeverReplaced) {
    auto r = rig();
    r->click(14);
    r->click(14);
    const QString placed = r->container.Record(14);
    r->chooseItem(QStringLiteral("Helms"), QStringLiteral("Bronze Helm"));
    BoxScript boxes;
    boxes.cancel().ok();
    r->click(14);
    r->click(14);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.boxes()[0].icon, Dialogs::Icon::Information);
    EXPECT_TRUE(boxes.boxes()[0].text.startsWith(QStringLiteral("Name: Gryphon Sword \n\r")));
    EXPECT_TRUE(boxes.boxes()[0].text.endsWith(QStringLiteral("Hex: ") + placed));
    EXPECT_EQ(r->container.Record(14), placed);
    EXPECT_EQ(r->cells->Selected(), 14);
}

TEST_F(CellGridTest, FootprintsCoverNeighboursUntilDeleted) {
    auto r = rig();
    // Gryphon Sword is 2 by 3: placed on 13 it covers 14, 21, 22, 29 and 30.
    r->click(13);
    r->click(13);
    EXPECT_EQ(r->button(13)->size(), QSize(48, 72));
    for (int covered : {14, 21, 22, 29, 30}) {
        EXPECT_EQ(topmostAt(*r, covered, 13), r->button(13)) << covered;
        EXPECT_EQ(r->container.Record(covered), ItemRecord::EmptyRecord(ItemRecord::Width::Narrow));
    }
    EXPECT_EQ(topmostAt(*r, 15, 13), r->button(15));
    EXPECT_EQ(topmostAt(*r, 37, 13), r->button(37));

    // Right-click, Delete: back to 24 by 24, caption black, record empty.
    r->rightClick(13);
    child<QMenu>(&r->window, QStringLiteral("Bag"))->close();
    child<QAction>(&r->window, QStringLiteral("Delete1"))->trigger();
    EXPECT_EQ(r->button(13)->size(), QSize(24, 24));
    EXPECT_EQ(r->cells->Caption(13), QString());
    EXPECT_EQ(r->cells->CaptionColour(13), Colour::Emptied);
    EXPECT_EQ(r->container.Record(13), ItemRecord::EmptyRecord(ItemRecord::Width::Narrow));
    EXPECT_EQ(topmostAt(*r, 14, 13), r->button(14));
}

TEST_F(CellGridTest, AWideItemInTheLastColumnIsCutByThePanel) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Shields"), QStringLiteral("Small Shield"));
    r->click(28); // column 7 of row 1
    r->click(28);
    EXPECT_EQ(r->button(28)->geometry(), QRect(168, 24, 48, 48));
    EXPECT_GT(r->button(28)->geometry().right(), r->inventoryGrid->width());
    EXPECT_EQ(r->container.Record(28).left(2), QStringLiteral("C0"));
}

TEST_F(CellGridTest, SomeCellsDrawAnExtraSerial) {
    auto r = rig();
    const int before = itemCount();
    r->click(14);
    r->click(14);
    EXPECT_EQ(itemCount(), before + 1);
    for (int cell : {13, 19, 20}) {
        const int start = itemCount();
        r->click(cell);
        r->click(cell);
        EXPECT_EQ(itemCount(), start + 2) << cell;
    }
    r.reset();
    auto w = rig(ContainerKind::Warehouse);
    int start = itemCount();
    w->click(1);
    w->click(1);
    EXPECT_EQ(itemCount(), start + 2);
    start = itemCount();
    w->click(2);
    w->click(2);
    EXPECT_EQ(itemCount(), start + 1);
}

TEST_F(CellGridTest, PlacedCaptionsTakeColourAndSetName) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Helms"), QStringLiteral("Gryphon Helm"));
    r->setOption(QStringLiteral("+5"));
    r->click(40);
    r->click(40);
    EXPECT_EQ(r->cells->Caption(40), QStringLiteral("Aurel\n\rGryphon\n\rHelm"));
    EXPECT_EQ(r->button(40)->text(), QStringLiteral("Aurel\nGryphon\nHelm"));
    EXPECT_EQ(r->cells->CaptionColour(40), Colour::SetItem);
    EXPECT_EQ(r->container.Record(40).at(17), QLatin1Char('5'));
    r->check("Visualexc1");
    r->click(43);
    r->click(43);
    EXPECT_EQ(r->cells->CaptionColour(43), Colour::Error);
    r->setOption(QStringLiteral("None"));
    r->click(46);
    r->click(46);
    EXPECT_EQ(r->cells->Caption(46), QStringLiteral("Gryphon\n\rHelm"));
    EXPECT_EQ(r->cells->CaptionColour(46), Colour::Excellent);
}

TEST_F(CellGridTest, StoredRecordsAreShownWithUnknownOnesReported) {
    auto r = rig();
    const QString empty = ItemRecord::EmptyRecord(ItemRecord::Width::Narrow);
    QStringList records;
    for (int k = 1; k <= 108; ++k)
        records.append(empty);
    records[3] = QStringLiteral("0000FF00000070800000");           // cell 4: Bronze Armor, unique only
    records[12] = QStringLiteral("0200FF00000071000000");          // cell 13: Short Sword, plain
    records[13] = QStringLiteral("E0001E00000072010000");          // cell 14: Bronze Helm, excellent
    records[14] = QStringLiteral("E0001E00000073000500");          // cell 15: set option
    records[15] = QStringLiteral("E0001E00000074010900");          // cell 16: both
    records[16] = QStringLiteral("EE001E00000075000000");          // cell 17: unknown
    records[76] = QStringLiteral("0200FFAB000076000000");          // cell 77: serial hid Code32
    r->container.Load(records.join(QString()).left(107 * 20 + 7)); // cell 108 cut short
    BoxScript boxes;
    boxes.ok(2);
    r->cells->ShowStored();
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.boxes()[0].text, QStringLiteral("Unknown Item"));
    EXPECT_EQ(boxes.boxes()[0].icon, Dialogs::Icon::Information);

    EXPECT_EQ(r->cells->Caption(4), QStringLiteral("Bronze\n\rArmor"));
    EXPECT_EQ(r->cells->CaptionColour(4), Colour::ButtonText);
    EXPECT_EQ(r->button(4)->size(), QSize(48, 80)); // a slot keeps its size
    EXPECT_EQ(r->button(13)->size(), QSize(24, 72));
    EXPECT_EQ(r->cells->CaptionColour(13), Colour::ButtonText);
    EXPECT_EQ(r->cells->CaptionColour(14), Colour::Excellent);
    EXPECT_EQ(r->cells->CaptionColour(15), Colour::SetItem);
    EXPECT_EQ(r->cells->CaptionColour(16), Colour::Error);
    for (int unknown : {17, 77}) {
        EXPECT_EQ(r->cells->Caption(unknown), QStringLiteral("UNKNOWN")) << unknown;
        EXPECT_EQ(r->cells->CaptionColour(unknown), Colour::Error);
        EXPECT_EQ(r->button(unknown)->size(), QSize(24, 24));
    }
    // Unknown records are kept and written back; the torn one is a free cell.
    EXPECT_EQ(r->container.Record(17), records[16]);
    EXPECT_EQ(r->container.Record(108), empty);
    EXPECT_FALSE(r->cells->IsOccupied(108));
    EXPECT_EQ(r->container.Literal(), QStringLiteral("0x") + records.join(QString()));

    // Reset: every record empty, every cell free and small again.
    r->cells->EmptyAll();
    EXPECT_FALSE(r->cells->IsOccupied(17));
    EXPECT_EQ(r->button(13)->size(), QSize(24, 24));
    EXPECT_EQ(r->container.Literal(), QStringLiteral("0x") + empty.repeated(108));
}

TEST_F(CellGridTest, InfoOnAFreeCellDescribesTheEmptyRecord) {
    auto r = rig();
    r->rightClick(50);
    child<QMenu>(&r->window, QStringLiteral("Bag"))->close();
    BoxScript boxes;
    boxes.ok();
    child<QAction>(&r->window, QStringLiteral("Info1"))->trigger();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("Hex: FFFFFFFFFFFFFFFFFFFF")));
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Name:  \n\r")));
}

TEST_F(CellGridTest, ANewWindowStartsWithNothingSelected) {
    {
        auto first = rig();
        first->click(60);
        EXPECT_EQ(first->cells->Selected(), 60);
    }
    auto second = rig();
    EXPECT_EQ(second->cells->Selected(), 0);
    second->click(60); // one click only selects: nothing is placed
    EXPECT_FALSE(second->cells->IsOccupied(60));
    second->click(60);
    EXPECT_TRUE(second->cells->IsOccupied(60));
    // The warehouse keeps its own.
    auto warehouse = rig(ContainerKind::Warehouse);
    EXPECT_EQ(warehouse->cells->Selected(), 0);
}

TEST_F(CellGridTest, EquipmentSlotsSwitchToTheirTypeAndCheckTheWearCode) {
    auto r = rig();
    // A sword chosen, the helm slot: the first helm is placed.
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Kukri"));
    r->click(3);
    EXPECT_FALSE(r->cells->IsOccupied(3));
    r->click(3);
    EXPECT_EQ(r->editor->TypeText(), QStringLiteral("Helms"));
    EXPECT_EQ(r->cells->Caption(3), QStringLiteral("Bronze\n\rHelm"));
    EXPECT_EQ(r->container.Record(3).left(2), QStringLiteral("E0"));
    EXPECT_EQ(r->button(3)->size(), QSize(49, 48));

    // A helm chosen, the shield slot: the first shield (worn "OL") is placed.
    r->click(2);
    r->click(2);
    EXPECT_EQ(r->editor->TypeText(), QStringLiteral("Shields"));
    EXPECT_EQ(r->cells->Caption(2), QStringLiteral("Gryphon\n\rShield"));

    // Helms shown but a helm worn as armour: "Incorrect Item", nothing placed.
    r->chooseItem(QStringLiteral("Helms"), QStringLiteral("Odd Helm"));
    r->rightClick(3);
    child<QMenu>(&r->window, QStringLiteral("Wear"))->close();
    child<QAction>(&r->window, QStringLiteral("Delete2"))->trigger();
    EXPECT_EQ(r->button(3)->size(), QSize(49, 48)); // slots keep their size
    const int drawn = itemCount();
    BoxScript boxes;
    boxes.ok();
    r->click(3);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Incorrect Item"));
    EXPECT_FALSE(r->cells->IsOccupied(3));
    EXPECT_EQ(itemCount(), drawn);

    // A ring chosen, the weapon slot: switched to Swords and the first sword placed.
    r->chooseItem(QStringLiteral("Rings"), QStringLiteral("Ring of Frost"));
    r->click(1);
    r->click(1);
    EXPECT_EQ(r->editor->TypeText(), QStringLiteral("Swords"));
    EXPECT_EQ(r->cells->Caption(1), QStringLiteral("Gryphon\n\rSword"));
}

TEST_F(CellGridTest, ASetPieceFillsTheSlotOfItsSet) {
    auto r = rig();
    r->chooseItem(QStringLiteral("Swords"), QStringLiteral("Gryphon Sword"));
    r->setOption(QStringLiteral("+10"));
    EXPECT_EQ(r->editor->SetNumber(), 5);
    r->click(3);
    r->click(3);
    EXPECT_EQ(r->cells->Caption(3), QStringLiteral("Aurel\n\rGryphon\n\rHelm"));
    EXPECT_EQ(r->cells->CaptionColour(3), Colour::SetItem);
    EXPECT_EQ(r->container.Record(3).left(2), QStringLiteral("E5"));
    EXPECT_EQ(r->container.Record(3).at(17), QLatin1Char('9'));
    r->click(4);
    r->click(4);
    EXPECT_EQ(r->cells->Caption(4), QStringLiteral("Aurel\n\rGryphon\n\rArmor"));
    EXPECT_EQ(r->editor->TypeText(), QStringLiteral("Armors"));

    // No ring in the set: the set number goes, and the ring slot takes the first ring.
    r->click(11);
    r->click(11);
    EXPECT_EQ(r->editor->SetNumber(), 0);
    EXPECT_EQ(r->cells->Caption(11), QStringLiteral("Ring\n\rof\n\rFrost"));
}

TEST_F(CellGridTest, WideRecordsUseTheirOwnLookups) {
    setVersion(1);
    auto r = rig();
    r->chooseItem(QStringLiteral("Gloves"), QStringLiteral("Bronze Gloves"));
    r->click(20);
    r->click(20);
    EXPECT_EQ(r->cells->Caption(20), QStringLiteral("Bronze\n\rGloves"));
    EXPECT_EQ(r->container.Record(20).size(), 32);
    EXPECT_EQ(r->container.Literal().size(), 2 + 108 * 32);
    r->click(6);
    r->click(6);
    EXPECT_EQ(r->cells->Caption(6), QStringLiteral("Bronze\n\rGloves"));
}

// Captions shrink until their words fit; a word still too wide for a small
// cell is elided whole, never broken into two lines, and only at the floor;
// the lines fit the cell's height unless the floor is reached.
TEST(CellCaptionFit, WordsShrinkOrAreElidedWhole) {
    QFont font = QApplication::font();
    font.setPointSizeF(6.5);
    const struct {
        const char* caption;
        QSize area;
    } cases[] = {
        {"Healing\nDraught", QSize(22, 22)},
        {"UNKNOWN", QSize(22, 22)},
        {"Ironbrand", QSize(22, 22)},
        {"Healing\nDraught", QSize(46, 46)},
        {"Bronze\nKite\nShield", QSize(46, 70)},
        {"Ring\nof\nStone", QSize(22, 24)},  // narrow enough, too tall
        {"Sunforged\nArmor", QSize(46, 78)}, // as wide as the cell at the first size
    };
    for (const auto& c : cases) {
        const QStringList words = QString::fromLatin1(c.caption).split(QLatin1Char('\n'));
        const auto fitted = TItemCellButton::FitCaption(QString::fromLatin1(c.caption), font, c.area);
        const QStringList lines = fitted.text.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), words.size()) << c.caption;
        EXPECT_GE(fitted.font.pointSizeF(), TItemCellButton::kCaptionFloor) << c.caption;
        const QFontMetrics metrics(fitted.font);
        const int tall = int(lines.size()) * metrics.lineSpacing() - metrics.leading();
        EXPECT_TRUE(tall <= c.area.height() || fitted.font.pointSizeF() == TItemCellButton::kCaptionFloor)
            << c.caption;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_LE(metrics.horizontalAdvance(lines[i]), c.area.width()) << c.caption;
            const bool whole = lines[i] == words[i];
            const bool elided = lines[i].endsWith(QChar(0x2026)) && words[i].startsWith(lines[i].chopped(1));
            EXPECT_TRUE(whole || elided) << c.caption << " -> " << lines[i].toStdString();
            EXPECT_TRUE(whole || fitted.font.pointSizeF() == TItemCellButton::kCaptionFloor)
                << c.caption << " elided above the floor";
        }
    }
    // A roomy cell keeps the font and every word.
    const auto roomy = TItemCellButton::FitCaption(QStringLiteral("Kukri"), font, QSize(46, 70));
    EXPECT_EQ(roomy.text, QStringLiteral("Kukri"));
    EXPECT_EQ(roomy.font.pointSizeF(), 6.5);
}
