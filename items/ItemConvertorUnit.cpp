#include "items/ItemConvertorUnit.h"

#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const char* colour = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    if (colour)
        l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
    return l;
}

QProgressBar* gauge(QWidget* parent, const char* name) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace

TItemConvertorForm::TItemConvertorForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Convert Items..."));
    buildControls();
    RunGuarded(this, [this] { FormCreate(); });
}

void TItemConvertorForm::buildControls() {
    auto* layout = new QVBoxLayout(this);
    QLabel* welcome = label(this, "Label1", QStringLiteral("Welcome to the Vorn Item Convertor:"), "blue");
    QFont bold = welcome->font();
    bold.setBold(true);
    welcome->setFont(bold);
    layout->addWidget(welcome);
    layout->addWidget(
        label(this, "Label2",
              QStringLiteral("With this small aplication you will be able to convert your items stored "
                             "in the warehouse and in your inventory from version 1.02k, 99.60, 99.62, "
                             "99,65, 1.02q and its mods to the version 1.02n")));
    layout->addWidget(label(this, "Label3", QStringLiteral("It's highly recommended to do a backup"), "red"));
    layout->addWidget(
        label(this, "Label4", QStringLiteral("This process may take few minutes (sometimes hours)"), "teal"));
    layout->addWidget(
        label(this, "Label12",
              QStringLiteral("Remember to put the new length (Varbinary 1728) in the column Inventory "
                             "of the table Character, and the new length (varbinary 1920) in the "
                             "column Items of Table Warehouse")));

    auto* totals = new QGroupBox(QStringLiteral("Totals"), this);
    auto* totalsLayout = new QGridLayout(totals);
    m_warehouseTotal = label(totals, "Label7", QStringLiteral("0"));
    m_characterTotal = label(totals, "Label8", QStringLiteral("0"));
    m_vaultTotal = label(totals, "Label17", QStringLiteral("0"));
    const std::pair<QString, QLabel*> totalRows[] = {{QStringLiteral("Warehouse:"), m_warehouseTotal},
                                                     {QStringLiteral("Character:"), m_characterTotal},
                                                     {QStringLiteral("Extra-Vaults:"), m_vaultTotal}};
    int row = 0;
    for (const auto& [caption, value] : totalRows) {
        totalsLayout->addWidget(new QLabel(caption, totals), row, 0);
        totalsLayout->addWidget(value, row++, 1);
    }
    totalsLayout->setColumnStretch(1, 1);

    auto* progress = new QGroupBox(QStringLiteral("Progress"), this);
    auto* progressLayout = new QGridLayout(progress);
    m_inventoryCount = label(progress, "Label11", QStringLiteral("0"));
    m_warehouseCount = label(progress, "Label13", QStringLiteral("0"));
    m_vaultCount = label(progress, "Label15", QStringLiteral("0"));
    m_inventoryGauge = gauge(progress, "invpb");
    m_warehouseGauge = gauge(progress, "whpb");
    m_vaultGauge = gauge(progress, "ewhpb");
    const std::tuple<QString, QLabel*, QProgressBar*> progressRows[] = {
        {QStringLiteral("Inventory:"), m_inventoryCount, m_inventoryGauge},
        {QStringLiteral("Warehouse:"), m_warehouseCount, m_warehouseGauge},
        {QStringLiteral("Extra-Vaults:"), m_vaultCount, m_vaultGauge}};
    row = 0;
    for (const auto& [caption, count, bar] : progressRows) {
        progressLayout->addWidget(new QLabel(caption, progress), row, 0);
        count->setMinimumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
        progressLayout->addWidget(count, row, 1);
        progressLayout->addWidget(bar, row++, 2);
    }
    progressLayout->setColumnStretch(2, 1);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(totals, 1);
    boxes->addWidget(progress, 2);
    layout->addLayout(boxes);

    m_convert = new QPushButton(QStringLiteral("Begin Convertion..."), this);
    m_convert->setObjectName(QStringLiteral("Convert"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_convert);
    layout->addLayout(buttons);
    ConnectGuarded(m_convert, &QPushButton::clicked, this, [this] { ConvertClick(); });
    setMinimumWidth(560);
}

void TItemConvertorForm::FormCreate() {
    m_totals = ItemConversion::ReadTotals();
    m_warehouseTotal->setText(QString::number(m_totals.warehouses));
    m_characterTotal->setText(QString::number(m_totals.characters));
    if (ItemConversion::VaultsEnabled())
        m_vaultTotal->setText(QString::number(m_totals.vaults));
}

QProgressBar* TItemConvertorForm::gaugeOf(ItemConversion::Walk walk) const {
    switch (walk) {
    case ItemConversion::Walk::Characters:
        return m_inventoryGauge;
    case ItemConversion::Walk::Warehouses:
        return m_warehouseGauge;
    case ItemConversion::Walk::ExtraVaults:
        break;
    }
    return m_vaultGauge;
}

void TItemConvertorForm::rowRead(ItemConversion::Walk walk, int row) {
    QLabel* counter = walk == ItemConversion::Walk::Characters   ? m_inventoryCount
                      : walk == ItemConversion::Walk::Warehouses ? m_warehouseCount
                                                                 : m_vaultCount;
    counter->setText(QString::number(row));
    QCoreApplication::processEvents();
}

void TItemConvertorForm::rowDone(ItemConversion::Walk walk, int row) {
    // The totals were counted when the window opened; rows added since
    // stretch the gauge.
    QProgressBar* bar = gaugeOf(walk);
    if (row > bar->maximum())
        bar->setMaximum(row);
    bar->setValue(row);
}

void TItemConvertorForm::ConvertClick() {
    if (m_running)
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Information"),
                      QStringLiteral("Are you sure?\rRemember that if you begin the process\r"
                                     "you won't be able to use the other functions of the editor"),
                      Dialogs::Icon::Information))
        return;
    m_running = true;
    m_convert->setEnabled(false);
    m_inventoryGauge->setRange(0, std::max(1, m_totals.characters));
    m_warehouseGauge->setRange(0, std::max(1, m_totals.warehouses));
    m_vaultGauge->setRange(0, std::max(1, m_totals.vaults));
    ItemConversion::Listener listener;
    listener.rowRead = [this](ItemConversion::Walk walk, int row) { rowRead(walk, row); };
    listener.rowDone = [this](ItemConversion::Walk walk, int row) { rowDone(walk, row); };
    try {
        const ItemConversion::Result result = ItemConversion::Run(listener);
        QString text = QStringLiteral("Convertion Sucessfull!");
        if (result.skipped > 0)
            text +=
                QStringLiteral("\r%1 item column(s) were not whole 10-byte records and were left unchanged.")
                    .arg(result.skipped);
        m_running = false;
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), text, Dialogs::Icon::Information);
    } catch (const std::exception&) {
        m_running = false;
        Dialogs::Show(
            this, QStringLiteral("Error"),
            QStringLiteral("Unhandled exception while converting items\rDid you put the new length?\r"
                           "Operation Aborted"),
            Dialogs::Icon::Error);
    }
    m_convert->setEnabled(true);
    accept();
}

void TItemConvertorForm::reject() {
    if (!m_running)
        QDialog::reject();
}

void TItemConvertorForm::closeEvent(QCloseEvent* event) {
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
