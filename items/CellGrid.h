#pragma once

#include "items/ItemContainer.h"
#include "items/ItemValue.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QSet>
#include <QStringList>

#include <map>

class QAction;
class QMenu;
class TItemPropertyEditor;

// One cell: a button that shows its item's caption, wrapped, in the
// caption colour.
class TItemCellButton : public QPushButton {
    Q_OBJECT
public:
    TItemCellButton(int cell, QWidget* parent);
    [[nodiscard]] int Cell() const { return m_cell; }
    void SetCaptionColour(const QColor& colour);
    [[nodiscard]] QColor CaptionColour() const { return m_colour; }

    // A caption (one word a line) as drawn in a cell of `area`: the font
    // shrunk until every word fits, down to a floor; a word still too wide is
    // elided whole.
    struct FittedCaption {
        QFont font;
        QString text;
    };
    static constexpr qreal kCaptionFloor = 5.0;
    [[nodiscard]] static FittedCaption FitCaption(const QString& caption, const QFont& font,
                                                  const QSize& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_cell;
    QColor m_colour;
};

// An equipment slot of the inventory: cell 1–12, its fixed place, the type
// the property editor switches to and the wear codes it accepts.
struct EquipmentSlot {
    int cell;
    QRect geometry;
    QString defaultType;
    QStringList wearCodes;
};
[[nodiscard]] const std::vector<EquipmentSlot>& EquipmentSlots();

// The cells of one container window over its ItemContainer: grids of cells
// 8 to a row on a 24-pixel pitch (inventory 13–76, personal shop 77–108,
// warehouse 1–120) and, for the inventory, the twelve equipment slots. Cell
// k's button is "BitBtn" + k. It keeps the window's selected cell, runs the
// click and right-click rules, and places the item built in the property
// editor. The window composes it:
//
//     TItemCells cells(ContainerKind::Warehouse, &container, editor, this);
//     layout->addWidget(cells.AddGrid(1, 120));
//     container.Load(columnText); cells.ShowStored();
//     ... save container.Literal()
class TItemCells : public QObject {
    Q_OBJECT
public:
    static constexpr int kPitch = 24;

    TItemCells(ContainerKind kind, ItemContainer* container, TItemPropertyEditor* editor, QWidget* window);
    ~TItemCells() override;

    // A panel of `count` cells from `firstCell`, 8 to a row; it clips
    // footprints that reach past its edge. Owned by the window.
    QWidget* AddGrid(int firstCell, int count);
    // The inventory's equipment panel, cells 1–12 at their slot places.
    QWidget* AddEquipment();
    // A panel with the colour legend; `normal` adds black "Normal Item".
    [[nodiscard]] static QWidget* CreateLegend(bool normal, QWidget* parent);

    // Cells whose placement draws a serial before the record is taken, and
    // those of them that rebuild the record first.
    void SetDrawFirst(const QSet<int>& serialCells, const QSet<int>& rebuildCells);

    // Shows every cell's stored record from the container (one "Unknown
    // Item" box per record the catalogue does not know).
    void ShowStored();
    void ShowStored(int cell);
    // Every record empty, every caption cleared, every grid cell 24 by 24.
    void EmptyAll();

    [[nodiscard]] int Selected() const { return SelectedCell(m_kind); }
    // Nothing selected: the next click on a free cell only selects it.
    void ClearSelection();
    [[nodiscard]] bool HasCell(int cell) const { return m_cells.count(cell) > 0; }
    [[nodiscard]] TItemCellButton* Button(int cell) const;
    [[nodiscard]] QString Caption(int cell) const;
    [[nodiscard]] CellCaption::Colour CaptionColour(int cell) const;
    [[nodiscard]] bool IsOccupied(int cell) const { return !Caption(cell).isEmpty(); }
    [[nodiscard]] QMenu* Bag() const { return m_bag; }
    [[nodiscard]] QMenu* Wear() const { return m_wear; }

    // ---- handlers

    // A click on cell k: a grid cell or an equipment slot by its number.
    void BitBtnClick(int cell);
    // Right-click: the cell becomes the selected cell before its menu opens.
    void BitBtnContextPopup(int cell);
    void Info1Click();
    void Info2Click();
    void Delete1Click();
    // Places `item` (the property editor's, rebuilt with a fresh serial
    // first) on grid cell k / in equipment slot k.
    void PutNewItem(const ItemValue& item, QAbstractButton* button, int cell);
    void PutNewItemChar(const ItemValue& item, QAbstractButton* button, int cell);

Q_SIGNALS:
    // A cell's record changed (placed, deleted, emptied).
    void CellChanged(int cell);

private:
    struct CellState {
        TItemCellButton* button = nullptr;
        QString caption;
        CellCaption::Colour colour = CellCaption::Colour::ButtonText;
        const EquipmentSlot* slot = nullptr; // equipment slots keep their size
    };

    TItemCellButton* addButton(int cell, QWidget* panel, const QRect& geometry, const EquipmentSlot* slot);
    void setCaption(int cell, const QString& caption, CellCaption::Colour colour);
    void setFootprint(int cell, int x, int y);
    void showInfo(int cell);
    // The first steps of every click: an occupied cell shows its
    // information, a free one not yet selected becomes selected. True when
    // the click ends there.
    bool selectOnly(int cell);
    void gridClick(int cell);
    void slotClick(const EquipmentSlot& slot);
    bool placeSetPiece(const EquipmentSlot& slot);
    void placedCaption(int cell, const QString& name);
    void popupMenu(int cell, const QPoint& at);
    QMenu* menu(const char* name, const char* info, const char* remove, void (TItemCells::*infoHandler)());
    [[nodiscard]] CellState& state(int cell);

    ContainerKind m_kind;
    ItemContainer* m_container;
    TItemPropertyEditor* m_editor;
    QWidget* m_window;
    std::map<int, CellState> m_cells;
    QSet<int> m_serialFirst;
    QSet<int> m_rebuildFirst;
    QMenu* m_bag = nullptr;
    QMenu* m_wear = nullptr;
};
