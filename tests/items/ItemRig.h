#pragma once

#include "Child.h"
#include "ItemFixture.h"

#include "items/CellGrid.h"
#include "items/ItemContainer.h"
#include "items/PropertyEditor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// A container window as the editors compose it: the property editor on the
// left, the cells on the right (the inventory's equipment, inventory grid
// and personal shop, or the warehouse grid).
class ItemRig {
public:
    explicit ItemRig(ContainerKind kind)
        : container(kind == ContainerKind::Inventory ? 108 : 120, ItemRecord::CurrentWidth()) {
        const bool inventory = kind == ContainerKind::Inventory;
        editor = new TItemPropertyEditor(inventory ? TItemPropertyEditor::Variant::Inventory
                                                   : TItemPropertyEditor::Variant::Warehouse,
                                         &window);
        cells = new TItemCells(kind, &container, editor, &window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(editor);
        auto* right = new QVBoxLayout;
        if (inventory) {
            right->addWidget(cells->AddEquipment());
            inventoryGrid = cells->AddGrid(13, 64);
            right->addWidget(inventoryGrid);
            right->addWidget(cells->AddGrid(77, 32));
            cells->SetDrawFirst({13, 19, 20}, {19, 20});
        } else {
            inventoryGrid = cells->AddGrid(1, 120);
            right->addWidget(inventoryGrid);
            cells->SetDrawFirst({1}, {});
        }
        right->addWidget(TItemCells::CreateLegend(!inventory, &window));
        right->addStretch(1);
        layout->addLayout(right);
        window.show(); // lays the controls out, so clicks land on them
    }

    // What the windows do when they open: types, first sub-type, a serial.
    void open() {
        editor->ResetRecord();
        editor->LoadTypes();
        editor->SubTypeItem();
        editor->GetAutoSerial();
    }

    template <class T> T* child(const QString& name) { return ::child<T>(&window, name); }
    QAbstractButton* button(int cell) { return child<QAbstractButton>(QStringLiteral("BitBtn%1").arg(cell)); }
    QString hex() { return editor->RecordText(); }

    void click(int cell) { QTest::mouseClick(button(cell), Qt::LeftButton, {}, QPoint(4, 4)); }
    void rightClick(int cell) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                button(cell)->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(button(cell), &event);
    }
    // Picks an entry of a list as the operator does.
    void choose(const char* list, const QString& entry) {
        auto* box = child<QComboBox>(QLatin1String(list));
        const int index = box->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    void chooseItem(const QString& type, const QString& name) {
        choose("VisualType", type);
        choose("VisualSubType", name);
    }
    // A click on the box's indicator.
    void check(const char* box) {
        auto* check = child<QCheckBox>(QLatin1String(box));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }
    void setOption(const QString& caption) {
        for (QRadioButton* radio :
             child<QWidget>(QStringLiteral("VisualSetOptions"))->findChildren<QRadioButton*>())
            if (radio->text() == caption)
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }

    QWidget window;
    ItemContainer container;
    TItemPropertyEditor* editor = nullptr;
    TItemCells* cells = nullptr;
    QWidget* inventoryGrid = nullptr;
};
