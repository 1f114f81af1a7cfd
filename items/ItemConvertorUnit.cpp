#include "items/ItemConvertorUnit.h"

#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "items/UndoFile.h"
#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
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
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("Stop"));
    m_stop->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_convert);
    buttons->addWidget(m_stop);
    layout->addLayout(buttons);
    ConnectGuarded(m_convert, &QPushButton::clicked, this, [this] { ConvertClick(); });
    ConnectGuarded(m_stop, &QPushButton::clicked, this, [this] { StopClick(); });
    setMinimumWidth(560);
}

void TItemConvertorForm::FormCreate() {
    m_totals = ItemConversion::ReadTotals();
    m_warehouseTotal->setText(QString::number(m_totals.warehouses));
    m_characterTotal->setText(QString::number(m_totals.characters));
    if (VaultSettings::Enabled())
        m_vaultTotal->setText(QString::number(m_totals.vaults));
}

QProgressBar* TItemConvertorForm::gaugeOf(ContainerWalk::Kind kind) const {
    switch (kind) {
    case ContainerWalk::Kind::Inventory:
        return m_inventoryGauge;
    case ContainerWalk::Kind::Warehouse:
        return m_warehouseGauge;
    case ContainerWalk::Kind::Vault:
        break;
    }
    return m_vaultGauge;
}

void TItemConvertorForm::rowRead(const ContainerWalk::Row& row) {
    if (!m_running)
        return;
    QLabel* counter = row.kind == ContainerWalk::Kind::Inventory   ? m_inventoryCount
                      : row.kind == ContainerWalk::Kind::Warehouse ? m_warehouseCount
                                                                   : m_vaultCount;
    counter->setText(QString::number(row.number));
    QCoreApplication::processEvents();
}

bool TItemConvertorForm::rowDone(const ContainerWalk::Row& row, const ContainerWalk::Counts& counts) {
    Q_UNUSED(counts);
    if (!m_running)
        return true;
    // The totals were counted when the window opened; rows added since
    // stretch the gauge.
    QProgressBar* bar = gaugeOf(row.kind);
    if (row.number > bar->maximum())
        bar->setMaximum(row.number);
    bar->setValue(row.number);
    return !m_stopAsked;
}

ItemConversion::Result TItemConvertorForm::countColumns() {
    ContainerWalk::Options options;
    options.write = false;
    ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, *this);
    ItemConversion::Walk(walker);
    return ItemConversion::ResultOf(walker);
}

void TItemConvertorForm::StopClick() {
    if (m_running)
        m_stopAsked = true;
}

void TItemConvertorForm::ConvertClick() {
    if (m_running)
        return;
    const ItemConversion::Result found = countColumns();
    if (!Dialogs::Ask(this, QStringLiteral("Information"),
                      QStringLiteral("Are you sure?\rRemember that if you begin the process\r"
                                     "you won't be able to use the other functions of the editor") +
                          QStringLiteral("\r\rItem columns found: %1 of 10-byte records (to convert), %2 "
                                         "already of 16-byte records, %3 malformed (left alone).")
                              .arg(found.converted)
                              .arg(found.alreadyWide)
                              .arg(found.skipped),
                      Dialogs::Icon::Information))
        return;
    // Nothing is written without a place to keep what it replaces.
    const std::unique_ptr<UndoFile> undo = UndoFile::Create(QStringLiteral("conversion"));
    m_running = true;
    m_stopAsked = false;
    m_convert->setEnabled(false);
    m_stop->setEnabled(true);
    m_inventoryGauge->setRange(0, std::max(1, m_totals.characters));
    m_warehouseGauge->setRange(0, std::max(1, m_totals.warehouses));
    m_vaultGauge->setRange(0, std::max(1, m_totals.vaults));
    ContainerWalk::Options options;
    options.undo = undo.get();
    ContainerWalk::Walker walker(BuildConnectionString(DataSource::TanorOnline), options, *this);
    try {
        ItemConversion::Walk(walker);
        m_running = false;
        m_stop->setEnabled(false);
        finished(ItemConversion::ResultOf(walker), undo->path(),
                 ContainerWalk::RefusedText(walker.refused()));
    } catch (const std::exception&) {
        m_running = false;
        m_stop->setEnabled(false);
        QString text =
            QStringLiteral("Unhandled exception while converting items\rDid you put the new length?\r"
                           "Operation Aborted");
        if (walker.total().written > 0)
            text += QStringLiteral("\r%1 column(s) were converted before. Undo file: %2")
                        .arg(walker.total().written)
                        .arg(QDir::toNativeSeparators(undo->path()));
        Dialogs::Show(this, QStringLiteral("Error"), text, Dialogs::Icon::Error);
    }
    m_convert->setEnabled(true);
    accept();
}

void TItemConvertorForm::finished(const ItemConversion::Result& result, const QString& undoFile,
                                  const QString& refused) {
    QString text = result.stopped
                       ? QStringLiteral("Stopped: %1 column(s) were converted; a new run converts the rest.")
                             .arg(result.converted)
                       : QStringLiteral("Convertion Sucessfull!");
    if (result.skipped > 0)
        text += QStringLiteral("\r%1 item column(s) were not whole 10-byte records and were left unchanged.")
                    .arg(result.skipped);
    text += refused;
    if (result.converted > 0)
        text += QStringLiteral("\rUndo file: ") + QDir::toNativeSeparators(undoFile);
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), text, Dialogs::Icon::Information);
    // After a complete run every column is 16-byte: the editors must read
    // them so. The choice stays the operator's.
    const QString section = QStringLiteral("Version");
    if (!result.stopped && result.refused == 0 && ReadSettingInt(section, section) == 0 &&
        Dialogs::Ask(
            this, QStringLiteral("Vorn Tanor Editor"),
            QStringLiteral("Every item column is now of 16-byte records.\rSet the Version setting to "
                           "1.02n (16-byte records) now?"),
            Dialogs::Icon::Question))
        WriteSettingInt(section, section, 1);
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
