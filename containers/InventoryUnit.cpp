#include "containers/InventoryUnit.h"
#include "containers/ContainerStore.h"

#include "core/UtilitiesUnit.h"
#include "items/CellGrid.h"
#include "items/PropertyEditor.h"
#include "widgets/Guard.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

TInventoryForm::TInventoryForm(const WindowContext& context, QWidget* parent)
    : TContainerForm({ContainerKind::Inventory, "CloseButton", false}, context, parent),
      m_account(context.account), m_character(context.character) {
    setObjectName(QStringLiteral("InventoryForm"));
    setWindowTitle(QStringLiteral("Inventory/Personal Shop"));
    setWindowFlag(Qt::Tool);

    m_acc = AddNameRow(QStringLiteral("Account: "), "Acc", QString());
    m_chr = AddNameRow(QStringLiteral("Character:"), "Chr", QString());

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    auto* inventoryPage = new QWidget(m_pages);
    inventoryPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* inventoryLayout = new QVBoxLayout(inventoryPage);
    inventoryLayout->addWidget(Cells()->AddEquipment(), 0, Qt::AlignHCenter);
    QWidget* bag = Cells()->AddGrid(13, 64);
    bag->setObjectName(QStringLiteral("Inventory"));
    inventoryLayout->addWidget(bag, 0, Qt::AlignHCenter);
    auto* reset = new QPushButton(QStringLiteral("Reset Inventory"), inventoryPage);
    reset->setObjectName(QStringLiteral("Button1"));
    reset->setAutoDefault(false);
    ConnectGuarded(reset, &QPushButton::clicked, this, [this] { Button1Click(); });
    inventoryLayout->addWidget(reset);
    inventoryLayout->addStretch(1);
    m_pages->addTab(inventoryPage, QStringLiteral("Inventory"));

    auto* shopPage = new QWidget(m_pages);
    shopPage->setObjectName(QStringLiteral("TabSheet2"));
    auto* shopLayout = new QVBoxLayout(shopPage);
    QWidget* shop = Cells()->AddGrid(77, 32);
    shop->setObjectName(QStringLiteral("PersonalShop"));
    shopLayout->addWidget(shop, 0, Qt::AlignHCenter);
    shopLayout->addStretch(1);
    m_pages->addTab(shopPage, QStringLiteral("Personal Shop"));
    Right()->addWidget(m_pages);

    // Cell 13 draws its serial before the record is taken; 19 and 20 also
    // rebuild the record first.
    Cells()->SetDrawFirst({13, 19, 20}, {19, 20});

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    RunGuarded(this, [this] { FormCreate(); });
}

void TInventoryForm::FormCreate() {
    Editor()->ResetRecord();
    m_acc->setText(m_account);
    m_chr->setText(m_character);

    LoadColumn(ContainerStore::LoadInventory(m_character, Container().Width()));

    Editor()->LoadTypes();
    ShowCells();

    Editor()->SelectFirstType();
    Editor()->SubTypeItem();
    Editor()->GetSubtype();
    Editor()->GetAutoSerial();
}

void TInventoryForm::Button1Click() {
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Are you sure?"),
                      Dialogs::Icon::Question))
        return;
    Cells()->EmptyAll();
}

void TInventoryForm::AddItemClick() {
    SaveWith([this] { return std::optional<bool>(ContainerStore::SaveInventory(m_character, Literal())); },
             {QStringLiteral("Vorn TanorEditor"), QStringLiteral("Inventory Updated!"),
              Dialogs::Icon::Information},
             {QStringLiteral("Error"), QStringLiteral("Error while saving Inventory"), Dialogs::Icon::Error});
}
