#include "containers/WareHouseUnit.h"
#include "containers/ContainerStore.h"

#include "core/UtilitiesUnit.h"
#include "items/CellGrid.h"
#include "items/PropertyEditor.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kOriginal = QStringLiteral("Original");

// The chooser lists only whole numbers (see loadVaultList).
int vaultNumber(const QString& text) {
    return text.toInt();
}

// EndUseDate in the system's date and time format; a text the database
// gives that is not a date is shown as it stands.
QString shownDate(const ContainerStore::Warehouse& stored) {
    return stored.lastUse.isValid() ? QLocale::system().toString(stored.lastUse, QLocale::ShortFormat)
                                    : stored.lastUseText;
}

// Tells the operator which field is wrong and gives its box the focus.
void refuseNumber(QLineEdit* box, const QString& field, qint64 max) {
    Dialogs::Show(box->window(), QStringLiteral("Vorn TanorEditor"),
                  QStringLiteral("%1 must be a whole number from 0 to %2").arg(field).arg(max),
                  Dialogs::Icon::Warning);
    box->setFocus();
}

constexpr int kMoneyLength = 10; // every amount the column holds
constexpr int kPasswordLength = 4;

} // namespace

TWarehouseForm::TWarehouseForm(const WindowContext& context, QWidget* parent)
    : TContainerForm({ContainerKind::Warehouse, "CloseBitBtn", true}, context, parent),
      m_account(context.account) {
    setObjectName(QStringLiteral("WarehouseForm"));
    setWindowTitle(QStringLiteral("Edit Warehouse..."));

    m_acc = AddNameRow(QStringLiteral("Account: "), "Acc", QString());
    m_vaultLabel = new QLabel(QStringLiteral("Vault N:"), this);
    m_vaultLabel->setObjectName(QStringLiteral("VaultLabel"));
    m_vaults = new QComboBox(this);
    m_vaults->setObjectName(QStringLiteral("mVaults"));
    m_vaults->setToolTip(
        QStringLiteral("CAUTION: If you aren't in the original account, you won't be able to "
                       "change the money and password"));
    AddHeaderRow(m_vaultLabel, m_vaults);
    ConnectGuarded(m_vaults, &QComboBox::currentIndexChanged, this, [this] { mVaultsChange(); });

    auto* internal = new QGroupBox(QStringLiteral("Internal"), this);
    internal->setObjectName(QStringLiteral("Internal"));
    auto* form = new QFormLayout(internal);
    m_lastTM = new QLabel(internal);
    m_lastTM->setObjectName(QStringLiteral("LastTM"));
    m_lastTM->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    m_visualMoney = new QLineEdit(internal);
    m_visualMoney->setObjectName(QStringLiteral("VisualMoney"));
    LimitTyping(m_visualMoney, kMoneyLength);
    m_visualPassword = new QLineEdit(internal);
    m_visualPassword->setObjectName(QStringLiteral("VisualPassword"));
    LimitTyping(m_visualPassword, kPasswordLength);
    form->addRow(QStringLiteral("Last TM:"), m_lastTM);
    form->addRow(QStringLiteral("Money"), m_visualMoney);
    form->addRow(QStringLiteral("Password"), m_visualPassword);

    QWidget* grid = Cells()->AddGrid(1, ItemRecord::kWarehouseRecords);
    grid->setObjectName(QStringLiteral("WareHouse"));
    Right()->addWidget(grid, 0, Qt::AlignHCenter);
    auto* reset = new QPushButton(QStringLiteral("Reset Warehouse"), this);
    reset->setObjectName(QStringLiteral("Button1"));
    reset->setAutoDefault(false);
    ConnectGuarded(reset, &QPushButton::clicked, this, [this] { Button1Click(); });
    Right()->addWidget(reset);
    // Under the grid rather than under the editor, so the window fits a
    // 768-pixel screen.
    Right()->addWidget(internal);
    Right()->addStretch(1);

    // A placement on cell 1 draws a serial before the record is taken.
    Cells()->SetDrawFirst({1}, {});

    RunGuarded(this, [this] { FormCreate(); });
}

bool TWarehouseForm::vaultsEnabled() {
    return ContainerStore::VaultsEnabled();
}

void TWarehouseForm::FormCreate() {
    ForgetColumn();
    Editor()->ResetRecord();
    m_acc->setText(m_account);

    const bool vaults = vaultsEnabled();
    m_vaultLabel->setVisible(vaults);
    m_vaults->setVisible(vaults);
    if (vaults) {
        loadVaultList();
        Cells()->EmptyAll();
    }

    loadWarehouseRow();

    Editor()->LoadTypes();
    Editor()->SubTypeItem();
    ShowCells();
    Editor()->GetAutoSerial();
}

void TWarehouseForm::loadVaultList() {
    const QStringList numbers = ContainerStore::VaultNumbers(m_account);
    const QSignalBlocker quiet(m_vaults);
    m_vaults->clear();
    m_vaults->addItem(kOriginal);
    m_vaults->addItems(numbers);
    m_vaults->setCurrentIndex(0);
}

void TWarehouseForm::loadWarehouseRow() {
    const std::optional<ContainerStore::Warehouse> stored =
        ContainerStore::LoadWarehouse(m_account, Container().Width());
    ShowStored(m_visualMoney, stored ? stored->money : QString());
    ShowStored(m_visualPassword, stored ? stored->password : QString());
    m_lastTM->setText(stored ? shownDate(*stored) : QString());
    LoadColumn(stored ? stored->items : QByteArray());
    setView(QString());
}

void TWarehouseForm::loadVault(const QString& number) {
    const QByteArray column = ContainerStore::LoadVault(m_account, vaultNumber(number));
    Cells()->EmptyAll();
    LoadColumn(column);
    setView(number);
    ShowCells();
}

void TWarehouseForm::setView(const QString& vault) {
    m_vault = vault;
    // A vault's save writes its items only: money and password stay as the
    // warehouse row has them, so they cannot be edited meanwhile.
    m_visualMoney->setEnabled(vault.isEmpty());
    m_visualPassword->setEnabled(vault.isEmpty());
}

void TWarehouseForm::ShowVault(const QString& number) {
    const int at = m_vaults->findText(number);
    if (at > 0)
        m_vaults->setCurrentIndex(at);
}

void TWarehouseForm::mVaultsChange() {
    try {
        if (m_vaults->currentIndex() <= 0)
            FormCreate();
        else
            loadVault(m_vaults->currentText());
    } catch (...) {
        // The chooser goes back to the view whose records the cells hold,
        // so Save never writes one view's cells into another.
        const QSignalBlocker quiet(m_vaults);
        m_vaults->setCurrentIndex(m_vault.isEmpty() ? 0 : std::max(0, m_vaults->findText(m_vault)));
        throw;
    }
}

void TWarehouseForm::Button1Click() {
    if (!Dialogs::Ask(this, QStringLiteral("Confirm"), QStringLiteral("Are you Sure?"),
                      Dialogs::Icon::Question))
        return;
    Cells()->EmptyAll();
    Dialogs::Show(this, QStringLiteral("Vorn TanorEditor"), QStringLiteral("Warehouse Reseted!"),
                  Dialogs::Icon::Information);
}

std::optional<bool> TWarehouseForm::save() const {
    using ContainerStore::WarehouseSave;
    if (!m_vault.isEmpty())
        return ContainerStore::SaveVault(m_account, vaultNumber(m_vault), Literal());
    switch (ContainerStore::SaveWarehouse(
        {m_account, Literal(), m_visualMoney->text(), m_visualPassword->text()})) {
    case WarehouseSave::MoneyInvalid:
        refuseNumber(m_visualMoney, QStringLiteral("Money"), ContainerStore::kMaxMoney);
        return std::nullopt;
    case WarehouseSave::PasswordInvalid:
        refuseNumber(m_visualPassword, QStringLiteral("Password"), ContainerStore::kMaxPassword);
        return std::nullopt;
    case WarehouseSave::RowMissing:
        return false;
    case WarehouseSave::Saved:
        break;
    }
    return true;
}

void TWarehouseForm::AddItemClick() {
    const Message saved{QStringLiteral("Vorn TanorEditor"),
                        m_vault.isEmpty() ? QStringLiteral("WareHouse Updated!")
                                          : QStringLiteral("Extra-WareHouse Updated!"),
                        Dialogs::Icon::Information};
    SaveWith([this] { return save(); }, saved,
             {QStringLiteral("Vorn Tanor Editor"),
              QStringLiteral("Unknown exception while saving the warehouse"), Dialogs::Icon::Error});
}
