#include "items/CellGrid.h"

#include "items/Catalogue.h"
#include "items/PropertyEditor.h"
#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {

QColor colourOf(CellCaption::Colour colour, const QPalette& palette) {
    switch (colour) {
    case CellCaption::Colour::ButtonText:
        return palette.color(QPalette::ButtonText);
    case CellCaption::Colour::WindowText:
        return palette.color(QPalette::WindowText);
    case CellCaption::Colour::Excellent:
        return QColor(0, 0, 255);
    case CellCaption::Colour::SetItem:
        return QColor(255, 0, 255);
    case CellCaption::Colour::Error:
        return QColor(255, 0, 0);
    case CellCaption::Colour::Emptied:
        return QColor(0, 0, 0);
    }
    return palette.color(QPalette::ButtonText);
}

QFrame* panel(QWidget* parent, int width, int height) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFixedSize(width, height);
    return frame;
}

bool isWeaponOrShield(const EquipmentSlot& slot) {
    return slot.cell <= 2;
}

} // namespace

// ------------------------------------------------------------ TItemCellButton

TItemCellButton::TItemCellButton(int cell, QWidget* parent) : QPushButton(parent), m_cell(cell) {
    setObjectName(QStringLiteral("BitBtn%1").arg(cell));
    setFocusPolicy(Qt::NoFocus);
    QFont small = font();
    small.setPointSizeF(6.5);
    setFont(small);
}

void TItemCellButton::SetCaptionColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void TItemCellButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    if (text().isEmpty())
        return;
    painter.setPen(m_colour.isValid() ? m_colour : palette().color(QPalette::ButtonText));
    // A caption may run over the bevel's top and bottom rows: three short
    // words then fit a single cell.
    const QRect area = rect().adjusted(1, 0, -1, 0);
    const FittedCaption fitted = FitCaption(text(), font(), area.size());
    painter.setFont(fitted.font);
    painter.drawText(area, Qt::AlignCenter, fitted.text);
}

TItemCellButton::FittedCaption TItemCellButton::FitCaption(const QString& caption, const QFont& font,
                                                           const QSize& area) {
    // Small cells get a smaller font until the words fit, across and down;
    // below a readable floor a word too long for the cell is elided, never
    // cut in two (the tooltip has the whole name).
    const QStringList words = caption.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    FittedCaption out{font, QString()};
    for (qreal size = font.pointSizeF();; size -= 0.5) {
        out.font.setPointSizeF(size);
        const QFontMetrics metrics(out.font);
        // A word fits when eliding leaves it whole: its advance alone can
        // equal the width while eliding still cuts it.
        QStringList lines;
        bool whole = true;
        for (const QString& w : words) {
            lines << metrics.elidedText(w, Qt::ElideRight, area.width());
            whole = whole && lines.back() == w;
        }
        const int tall = int(words.size()) * metrics.lineSpacing() - metrics.leading();
        if ((whole && tall <= area.height()) || size <= kCaptionFloor) {
            out.text = lines.join(QLatin1Char('\n'));
            return out;
        }
    }
}

// ------------------------------------------------------------ equipment slots

const std::vector<EquipmentSlot>& EquipmentSlots() {
    static const std::vector<EquipmentSlot> table = {
        {1, QRect(24, 72, 47, 64), QStringLiteral("Swords"), {"OR", "OB", "TR"}},
        {2, QRect(120, 72, 49, 64), QStringLiteral("Shields"), {"OL", "OB"}},
        {3, QRect(71, 8, 49, 48), QStringLiteral("Helms"), {"helm"}},
        {4, QRect(72, 56, 48, 80), QStringLiteral("Armors"), {"armor"}},
        {5, QRect(72, 136, 48, 49), QStringLiteral("Pants"), {"pants"}},
        {6, QRect(0, 136, 48, 49), QStringLiteral("Gloves"), {"gloves"}},
        {7, QRect(144, 136, 49, 49), QStringLiteral("Boots"), {"boots"}},
        {8, QRect(136, 8, 49, 41), QStringLiteral("Wings"), {"wings"}},
        {9, QRect(8, 8, 33, 33), QStringLiteral("Guardian"), {"guardian"}},
        {10, QRect(48, 48, 23, 23), QStringLiteral("Pendants"), {"pendant"}},
        {11, QRect(120, 136, 23, 23), QStringLiteral("Rings"), {"rings"}},
        {12, QRect(48, 136, 23, 24), QStringLiteral("Rings"), {"rings"}},
    };
    return table;
}

// ------------------------------------------------------------ TItemCells

TItemCells::TItemCells(ContainerKind kind, ItemContainer* container, TItemPropertyEditor* editor,
                       QWidget* window)
    : QObject(window), m_kind(kind), m_container(container), m_editor(editor), m_window(window) {
    // A new window starts with nothing selected: a cell chosen in another
    // window (another account's warehouse) must not make one click place.
    ClearSelection();
}

void TItemCells::ClearSelection() {
    SelectedCell(m_kind) = 0;
}

TItemCells::~TItemCells() = default;

TItemCellButton* TItemCells::addButton(int cell, QWidget* owner, const QRect& geometry,
                                       const EquipmentSlot* slot) {
    auto* button = new TItemCellButton(cell, owner);
    button->setGeometry(geometry);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QPushButton::clicked, this, Guarded(m_window, [this, cell] { BitBtnClick(cell); }));
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, cell](const QPoint& at) { popupMenu(cell, at); });
    CellState& s = m_cells[cell];
    s.button = button;
    s.slot = slot;
    return button;
}

QMenu* TItemCells::menu(const char* name, const char* info, const char* remove,
                        void (TItemCells::*infoHandler)()) {
    auto* m = new QMenu(m_window);
    m->setObjectName(QLatin1String(name));
    QAction* infoAction = m->addAction(QStringLiteral("Info"));
    infoAction->setObjectName(QLatin1String(info));
    m->addSeparator();
    QAction* deleteAction = m->addAction(QStringLiteral("Delete"));
    deleteAction->setObjectName(QLatin1String(remove));
    connect(infoAction, &QAction::triggered, this,
            Guarded(m_window, [this, infoHandler] { (this->*infoHandler)(); }));
    connect(deleteAction, &QAction::triggered, this, Guarded(m_window, [this] { Delete1Click(); }));
    return m;
}

QWidget* TItemCells::AddGrid(int firstCell, int count) {
    const int rows = (count + 7) / 8;
    QFrame* grid = panel(m_window, 8 * kPitch + 1, rows * kPitch + 1);
    for (int k = firstCell; k < firstCell + count; ++k) {
        const int column = (k - firstCell) % 8;
        const int row = (k - firstCell) / 8;
        addButton(k, grid, QRect(column * kPitch, row * kPitch, kPitch, kPitch), nullptr);
    }
    // A lower cell lies above every higher one, so an enlarged cell covers
    // the cells of its footprint.
    for (int k = firstCell + count - 1; k >= firstCell; --k)
        m_cells[k].button->raise();
    if (!m_bag)
        m_bag = menu("Bag", "Info1", "Delete1", &TItemCells::Info1Click);
    return grid;
}

QWidget* TItemCells::AddEquipment() {
    QFrame* equipment = panel(m_window, 193, 193);
    for (const EquipmentSlot& slot : EquipmentSlots())
        addButton(slot.cell, equipment, slot.geometry, &slot);
    if (!m_wear)
        m_wear = menu("Wear", "Info2", "Delete2", &TItemCells::Info2Click);
    return equipment;
}

QWidget* TItemCells::CreateLegend(bool normal, QWidget* parent) {
    auto* legend = new QWidget(parent);
    auto* layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](CellCaption::Colour colour, const QString& text, const QString& squareHint,
                   const QString& textHint) {
        auto* square = new QLabel(legend);
        square->setFixedSize(12, 12);
        square->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                                  .arg(colourOf(colour, legend->palette()).name()));
        square->setToolTip(squareHint);
        auto* label = new QLabel(text, legend);
        label->setToolTip(textHint);
        layout->addWidget(square);
        layout->addWidget(label);
        layout->addSpacing(6);
    };
    if (normal)
        add(CellCaption::Colour::Emptied, QStringLiteral("Normal Item"), {}, {});
    add(CellCaption::Colour::Excellent, QStringLiteral("Excellent"), {}, {});
    add(CellCaption::Colour::SetItem, QStringLiteral("Set Item"), {}, {});
    add(CellCaption::Colour::Error, QStringLiteral("Error"),
        normal ? QStringLiteral("Excellent + Ancient Options is NOT allowed") : QString(),
        normal ? QStringLiteral("Excellent + Ancient Items is not allowed") : QString());
    layout->addStretch(1);
    return legend;
}

void TItemCells::SetDrawFirst(const QSet<int>& serialCells, const QSet<int>& rebuildCells) {
    m_serialFirst = serialCells;
    m_rebuildFirst = rebuildCells;
}

TItemCells::CellState& TItemCells::state(int cell) {
    const auto it = m_cells.find(cell);
    if (it == m_cells.end())
        throw TanorError(QStringLiteral("There is no cell %1 in this window").arg(cell));
    return it->second;
}

TItemCellButton* TItemCells::Button(int cell) const {
    const auto it = m_cells.find(cell);
    return it == m_cells.end() ? nullptr : it->second.button;
}

QString TItemCells::Caption(int cell) const {
    const auto it = m_cells.find(cell);
    return it == m_cells.end() ? QString() : it->second.caption;
}

CellCaption::Colour TItemCells::CaptionColour(int cell) const {
    const auto it = m_cells.find(cell);
    return it == m_cells.end() ? CellCaption::Colour::ButtonText : it->second.colour;
}

void TItemCells::setCaption(int cell, const QString& caption, CellCaption::Colour colour) {
    CellState& s = state(cell);
    s.caption = caption;
    s.colour = colour;
    s.button->setText(CellCaption::Displayed(caption));
    s.button->setToolTip(CellCaption::Displayed(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    s.button->SetCaptionColour(colourOf(colour, s.button->palette()));
}

void TItemCells::setFootprint(int cell, int x, int y) {
    CellState& s = state(cell);
    if (s.slot)
        return; // equipment slots keep their size
    s.button->resize(std::max(1, x) * kPitch, std::max(1, y) * kPitch);
}

void TItemCells::ShowStored() {
    for (const auto& [cell, s] : m_cells)
        ShowStored(cell);
}

void TItemCells::ShowStored(int cell) {
    const QString& record = m_container->Record(cell);
    if (ItemRecord::IsEmpty(record, m_container->Width())) {
        setCaption(cell, QString(), CellCaption::Colour::ButtonText);
        setFootprint(cell, 1, 1);
        return;
    }
    const CellCaption::Colour colour = CellCaption::Stored(
        ItemRecord::IsExcellent(record, m_container->Width()), ItemRecord::IsSetItem(record));
    const Catalogue::Placement found = Catalogue::StoredRecord(record, m_container->Width());
    if (found.name.isEmpty()) {
        Dialogs::Show(m_window, QStringLiteral("Error"), QStringLiteral("Unknown Item"),
                      Dialogs::Icon::Information);
        setCaption(cell, QString::fromLatin1(CellCaption::kUnknown), CellCaption::Colour::Error);
        setFootprint(cell, 1, 1);
        return;
    }
    setCaption(cell, CellCaption::FromName(found.name), colour);
    setFootprint(cell, found.x, found.y);
}

void TItemCells::EmptyAll() {
    m_container->Clear();
    for (const auto& [cell, s] : m_cells) {
        setCaption(cell, QString(), CellCaption::Colour::ButtonText);
        setFootprint(cell, 1, 1);
        Q_EMIT CellChanged(cell);
    }
}

void TItemCells::showInfo(int cell) {
    (void)Dialogs::Ask(m_window, QStringLiteral("Information"), m_editor->showitem(m_container->Record(cell)),
                       Dialogs::Icon::Information);
}

void TItemCells::BitBtnClick(int cell) {
    const CellState& s = state(cell);
    if (s.slot)
        slotClick(*s.slot);
    else
        gridClick(cell);
}

bool TItemCells::selectOnly(int cell) {
    int& selected = SelectedCell(m_kind);
    if (IsOccupied(cell)) {
        showInfo(cell);
        selected = cell;
        return true;
    }
    if (selected != cell) {
        selected = cell;
        return true;
    }
    return false;
}

void TItemCells::gridClick(int cell) {
    if (selectOnly(cell) || !m_editor->CheckDurability())
        return;
    if (m_serialFirst.contains(cell)) {
        if (m_rebuildFirst.contains(cell))
            m_editor->GetSubtype();
        m_editor->GetAutoSerial();
    }
    PutNewItem(m_editor->Item(), state(cell).button, cell);
}

void TItemCells::slotClick(const EquipmentSlot& slot) {
    const int cell = slot.cell;
    if (selectOnly(cell) || !m_editor->CheckDurability())
        return;
    if (m_editor->SetNumber() != 0 && placeSetPiece(slot))
        return;
    m_editor->SetSetNumber(0);
    // An item that may not be worn here: switch to the slot's own type.
    const QString wear = Catalogue::WearTo(m_editor->SubTypeText());
    const bool unsuitable =
        isWeaponOrShield(slot) ? !slot.wearCodes.contains(wear) : m_editor->TypeText() != slot.defaultType;
    if (unsuitable) {
        m_editor->SelectType(slot.defaultType);
        m_editor->SubTypeItem();
    }
    if (!slot.wearCodes.contains(Catalogue::WearTo(m_editor->SubTypeText()))) {
        Dialogs::ShowPlain(m_window, QStringLiteral("Incorrect Item"));
        return;
    }
    m_editor->GetAutoSerial();
    PutNewItemChar(m_editor->Item(), state(cell).button, cell);
}

bool TItemCells::placeSetPiece(const EquipmentSlot& slot) {
    const int set = m_editor->SetNumber();
    const Catalogue::SetPiece piece = slot.cell == 1   ? Catalogue::WeaponSetPiece(set)
                                      : slot.cell == 2 ? Catalogue::ShieldSetPiece(set)
                                                       : Catalogue::SlotSetPiece(set, slot.wearCodes.first());
    if (piece.name.isEmpty())
        return false;
    m_editor->SelectType(isWeaponOrShield(slot) ? piece.type : slot.defaultType);
    m_editor->SubTypeItem();
    m_editor->SelectSubType(piece.name);
    m_editor->GetSubtype();
    PutNewItemChar(m_editor->Item(), state(slot.cell).button, slot.cell);
    return true;
}

void TItemCells::placedCaption(int cell, const QString& name) {
    // A record the catalogue does not find shows as it would when loaded.
    if (name.isEmpty()) {
        setCaption(cell, QString::fromLatin1(CellCaption::kUnknown), CellCaption::Colour::Error);
        return;
    }
    const bool setOption = m_editor->SetOptionIndex() != 0;
    QString caption = CellCaption::FromName(name);
    if (!m_editor->SetName().isEmpty() && setOption)
        caption = CellCaption::WithSetName(m_editor->SetName(), caption);
    setCaption(cell, caption, CellCaption::Placed(m_editor->AnyExcellentChecked(), setOption));
}

void TItemCells::PutNewItem(const ItemValue& item, QAbstractButton*, int cell) {
    // The look-up goes by the item as the click found it; the rebuilt record
    // (a fresh serial) is what the cell keeps.
    const QString record = item.Text();
    m_editor->GetSubtype();
    m_editor->GetAutoSerial();
    const Catalogue::Placement found = Catalogue::PlacedOnGrid(record, m_container->Width());
    m_container->SetRecord(cell, m_editor->Item().Text());
    placedCaption(cell, found.name);
    setFootprint(cell, found.name.isEmpty() ? 1 : found.x, found.name.isEmpty() ? 1 : found.y);
    Q_EMIT CellChanged(cell);
}

void TItemCells::PutNewItemChar(const ItemValue& item, QAbstractButton*, int cell) {
    const QString record = item.Text();
    m_editor->GetSubtype();
    m_editor->GetAutoSerial();
    const QString name = Catalogue::PlacedInSlot(record, m_container->Width());
    m_container->SetRecord(cell, m_editor->Item().Text());
    placedCaption(cell, name);
    Q_EMIT CellChanged(cell);
}

void TItemCells::BitBtnContextPopup(int cell) {
    if (HasCell(cell))
        SelectedCell(m_kind) = cell;
}

void TItemCells::popupMenu(int cell, const QPoint& at) {
    BitBtnContextPopup(cell);
    QMenu* m = state(cell).slot ? m_wear : m_bag;
    if (m)
        m->popup(state(cell).button->mapToGlobal(at));
}

void TItemCells::Info1Click() {
    const int cell = Selected();
    if (HasCell(cell))
        showInfo(cell);
}

void TItemCells::Info2Click() {
    Info1Click();
}

void TItemCells::Delete1Click() {
    const int cell = Selected();
    if (!HasCell(cell))
        return;
    m_container->SetRecord(cell, ItemRecord::EmptyRecord(m_container->Width()));
    setCaption(cell, QString(), CellCaption::Colour::Emptied);
    setFootprint(cell, 1, 1);
    Q_EMIT CellChanged(cell);
}
