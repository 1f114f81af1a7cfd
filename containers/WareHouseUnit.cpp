#include "containers/WareHouseUnit.h"
#include "containers/ContainerStatements.h"
#include "core/AppState.h"

#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/CellGrid.h"
#include "items/PropertyEditor.h"
#include "platform/TanorError.h"
#include "widgets/Guard.h"

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

ContainerStatements::VaultTable vaultTable() {
    const VaultSettings v = VaultSettings::Read();
    return {v.table, v.account, v.number, v.items};
}

// The vault names as the settings hold them now; names changed since the
// list was loaded are checked again before they stand in a statement.
ContainerStatements::VaultTable checkedVaultTable() {
    ContainerStatements::VaultTable vaults = vaultTable();
    if (!ContainerStatements::IsUsable(vaults))
        throw SettingsError(QStringLiteral("The extra vault table and column names must be plain names"));
    return vaults;
}

// The chooser lists only whole numbers (see loadVaultList).
int vaultNumber(const QString& text) {
    return text.toInt();
}

// EndUseDate in the system's date and time format; a text the database
// gives that is not a date is shown as it stands.
QString shownDate(const Field& field) {
    const QDateTime when = DateTimeOf(field.value());
    return when.isValid() ? QLocale::system().toString(when, QLocale::ShortFormat) : field.AsString();
}

// A whole number 0..max typed in a box, or nothing.
std::optional<qint64> wholeNumber(const QString& text, qint64 max) {
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    if (value > max)
        return std::nullopt;
    return value;
}

// The whole number in `box`, 0..max; else the operator is told which field
// is wrong and the box gets the focus.
std::optional<qint64> checkedNumber(QLineEdit* box, const QString& field, qint64 max) {
    const std::optional<qint64> value = wholeNumber(box->text(), max);
    if (!value) {
        Dialogs::Show(box->window(), QStringLiteral("Vorn TanorEditor"),
                      QStringLiteral("%1 must be a whole number from 0 to %2").arg(field).arg(max),
                      Dialogs::Icon::Warning);
        box->setFocus();
    }
    return value;
}

// Money is an int column; the password a 4-character field.
constexpr qint64 kMaxMoney = 2000000000;
constexpr qint64 kMaxPassword = 9999;
constexpr int kMoneyLength = 10; // every amount the column holds
constexpr int kPasswordLength = 4;

// Shows a stored value whole even when it is longer than the box allows,
// so that it is never cut on the way to the screen (Save then refuses it).
void showStored(QLineEdit* box, const QString& value, int maxLength) {
    box->setMaxLength(std::max<int>(maxLength, int(value.size())));
    box->setText(value);
}

} // namespace

TWarehouseForm::TWarehouseForm(QWidget* parent)
    : TContainerForm({ContainerKind::Warehouse, "CloseBitBtn", true}, parent),
      m_account(AppState.CurrentAccount) {
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
    m_visualMoney->setMaxLength(kMoneyLength);
    m_visualPassword = new QLineEdit(internal);
    m_visualPassword->setObjectName(QStringLiteral("VisualPassword"));
    m_visualPassword->setMaxLength(kPasswordLength);
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
    // Names that are not plain names leave the vaults off.
    return VaultSettings::Enabled() && ContainerStatements::IsUsable(vaultTable());
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
    const QStringList numbers =
        ListOn(DataSource::TanorOnline, ContainerStatements::VaultNumbers(checkedVaultTable(), m_account));
    const QSignalBlocker quiet(m_vaults);
    m_vaults->clear();
    m_vaults->addItem(kOriginal);
    // Only whole numbers address a vault; anything else in the column is
    // not offered rather than pasted into a statement.
    for (const QString& number : numbers) {
        bool whole = false;
        (void)number.toInt(&whole);
        if (whole)
            m_vaults->addItem(number);
    }
    m_vaults->setCurrentIndex(0);
}

void TWarehouseForm::loadWarehouseRow() {
    Query row = OpenOn(DataSource::TanorOnline, ContainerStatements::WarehouseOf(m_account));
    if (row.IsEmpty()) {
        row.Close();
        (void)ExecOn(DataSource::TanorOnline,
                     ContainerStatements::AddWarehouse(m_account, Container().Width()));
        row = OpenOn(DataSource::TanorOnline, ContainerStatements::WarehouseOf(m_account));
    }
    const bool found = !row.IsEmpty();
    showStored(m_visualMoney, found ? row.FieldByName(QStringLiteral("Money")).AsString() : QString(),
               kMoneyLength);
    showStored(m_visualPassword, found ? row.FieldByName(QStringLiteral("pw")).AsString() : QString(),
               kPasswordLength);
    m_lastTM->setText(found ? shownDate(row.FieldByName(QStringLiteral("EndUseDate"))) : QString());
    LoadColumn(found ? row.FieldByName(QStringLiteral("Items")).AsBytes() : QByteArray());
    setView(QString());
}

void TWarehouseForm::loadVault(const QString& number) {
    Query vault =
        OpenOn(DataSource::TanorOnline,
               ContainerStatements::VaultItems(checkedVaultTable(), m_account, vaultNumber(number)));
    const QByteArray column = vault.IsEmpty() ? QByteArray() : vault.Fields(0).AsBytes();
    vault.Close();
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

std::optional<QString> TWarehouseForm::saveStatement() const {
    if (!m_vault.isEmpty())
        return ContainerStatements::SaveVault(checkedVaultTable(), m_account, vaultNumber(m_vault),
                                              Literal());
    const std::optional<qint64> money = checkedNumber(m_visualMoney, QStringLiteral("Money"), kMaxMoney);
    if (!money)
        return std::nullopt;
    const std::optional<qint64> password =
        checkedNumber(m_visualPassword, QStringLiteral("Password"), kMaxPassword);
    if (!password)
        return std::nullopt;
    return ContainerStatements::SaveWarehouse(m_account, Literal(), *money, *password);
}

void TWarehouseForm::AddItemClick() {
    const Message saved{QStringLiteral("Vorn TanorEditor"),
                        m_vault.isEmpty() ? QStringLiteral("WareHouse Updated!")
                                          : QStringLiteral("Extra-WareHouse Updated!"),
                        Dialogs::Icon::Information};
    SaveWith([this] { return saveStatement(); }, saved,
             {QStringLiteral("Vorn Tanor Editor"),
              QStringLiteral("Unknown exception while saving the warehouse"), Dialogs::Icon::Error});
}
