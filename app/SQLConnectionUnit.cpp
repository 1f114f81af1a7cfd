#include "app/SQLConnectionUnit.h"

#include "core/DataSource.h"
#include "core/ResetSettings.h"
#include "core/UtilitiesUnit.h"
#include "core/VaultSettings.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct DataSourceField {
    const char* name;
    const char* caption;
    DataSource source;
    const char* twoDatabases;
    const char* sixDatabases;
};

// The six data source fields, the data sources they set and the two sets of
// default names.
const DataSourceField kDataSourceFields[6] = {
    {"MeTanorOnlineDB", "MeTanorOnlineDB(DNS)", DataSource::Account, "TanorOnline", "TanorOnlineJoinDB"},
    {"TanorOnlineDB", "TanorOnlineDB(DNS)", DataSource::TanorOnline, "TanorOnline", "TanorOnline"},
    {"TanorLogDB", "TanorLogDB(DNS)", DataSource::TanorLog, "TanorOnline", "USELOG"},
    {"TanorConnectLogDB", "TanorConnectLogDB(DNS)", DataSource::TanorConnectLog, "TanorOnline",
     "RMDB_CONNECTLOG"},
    {"RankingDB", "RankingDB(DNS)", DataSource::Ranking, "Ranking", "RANKING_DATA"},
    {"TanorEventDB", "TanorEventDB(DNS)", DataSource::TanorEvent, "TanorOnline", "TANOR2003_EVENT_DB"},
};

struct LabeledField {
    int number = 0; // LabeledEditN
    const char* caption = nullptr;
    QLatin1String key;
};

const LabeledField kResetFields[] = {
    {1, "Table where Resets is Stored", ResetSettings::kTable},
    {2, "Column that identify the corresponding character", ResetSettings::kColumnCharacter},
    {3, "Column that stores the Number of Resets", ResetSettings::kColumnResets},
};
const LabeledField kVaultFields[] = {
    {5, "Table where the extra Vaults are stored", VaultSettings::kTable},
    {6, "Column that store the items on the extra vaults", VaultSettings::kItems},
    {7, "Column that identify the account of the extra vault", VaultSettings::kAccount},
    {4, "Column that enumerate the extra vault on the same account", VaultSettings::kNumber},
};

QString L(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

TSQLConnectionForm::TSQLConnectionForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SQLConnectionForm"));
    setWindowTitle(QStringLiteral("SQL Connection Options"));
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));

    // ---- SQL Connection
    auto* sqlTab = new QWidget(tabs);
    sqlTab->setObjectName(QStringLiteral("TabSheet1"));
    auto* sqlGrid = new QGridLayout(sqlTab);
    auto* dnsGroup = new QGroupBox(QStringLiteral("ODBC DNS Options"), sqlTab);
    auto* dnsForm = new QFormLayout(dnsGroup);
    for (int i = 0; i < 6; ++i) {
        m_dataSources[i] = new QLineEdit(dnsGroup);
        m_dataSources[i]->setObjectName(L(kDataSourceFields[i].name));
        dnsForm->addRow(L(kDataSourceFields[i].caption), m_dataSources[i]);
    }
    auto* accountGroup = new QGroupBox(QStringLiteral("SQL Account Options"), sqlTab);
    auto* accountForm = new QFormLayout(accountGroup);
    m_sqlAccount = new QLineEdit(QStringLiteral("sa"), accountGroup);
    m_sqlAccount->setObjectName(QStringLiteral("SQLAccount"));
    m_sqlPassword = new QLineEdit(accountGroup);
    m_sqlPassword->setObjectName(QStringLiteral("SQLPassword"));
    MaskWithStars(m_sqlPassword);
    accountForm->addRow(QStringLiteral("SQL Account (default:sa)"), m_sqlAccount);
    accountForm->addRow(QStringLiteral("SQL Password"), m_sqlPassword);
    m_md5Settings = new RadioGroup(QStringLiteral("MD5 Configuration"),
                                   {QStringLiteral("MD5 Disabled"), QStringLiteral("MD5 Enabled")}, sqlTab);
    m_md5Settings->setObjectName(QStringLiteral("MD5Settings"));
    m_radioGroup3 = new RadioGroup(QStringLiteral("Version"),
                                   {QStringLiteral("99.60 - 1.02Q"), QStringLiteral("1.02n")}, sqlTab);
    m_radioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    m_md5Settings->SetItemIndex(0);
    m_radioGroup3->SetItemIndex(0);
    sqlGrid->addWidget(dnsGroup, 0, 0, 1, 2);
    sqlGrid->addWidget(accountGroup, 1, 0, 1, 2);
    sqlGrid->addWidget(m_md5Settings, 2, 0);
    sqlGrid->addWidget(m_radioGroup3, 2, 1);
    tabs->addTab(sqlTab, QStringLiteral("SQL Connection"));

    // ---- Resets and Multi-Vaults: a radio group and labelled fields
    auto buildTab = [this, tabs](const QString& name, const QString& title, const QString& group,
                                 const QStringList& items, const LabeledField* fields, int count) {
        auto* tab = new QWidget(tabs);
        tab->setObjectName(name);
        auto* column = new QVBoxLayout(tab);
        auto* radio = new RadioGroup(group, items, tab);
        radio->SetItemIndex(1);
        column->addWidget(radio);
        for (int i = 0; i < count; ++i) {
            auto* caption = new QLabel(L(fields[i].caption), tab);
            auto* edit = new QLineEdit(tab);
            edit->setObjectName(QStringLiteral("LabeledEdit%1").arg(fields[i].number));
            caption->setBuddy(edit);
            column->addWidget(caption);
            column->addWidget(edit);
            m_labeledEdit[fields[i].number] = edit;
        }
        column->addStretch();
        tabs->addTab(tab, title);
        return radio;
    };
    m_radioGroup2 =
        buildTab(QStringLiteral("TabSheet2"), QStringLiteral("Resets"), QStringLiteral("Reset Settings"),
                 {QStringLiteral("Resets Enabled"), QStringLiteral("Resets Disabled")}, kResetFields, 3);
    m_radioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    m_radioGroup1 = buildTab(
        QStringLiteral("TabSheet3"), QStringLiteral("Multi-Vaults"), QStringLiteral("Multi Vault Options"),
        {QStringLiteral("Multi-Vaults Enabled"), QStringLiteral("MultiVaults Disabled")}, kVaultFields, 4);
    m_radioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    m_labeledEdit[0] = nullptr;

    auto* db2 = new QPushButton(QStringLiteral("Default 2 DB"), this);
    db2->setObjectName(QStringLiteral("DB2"));
    auto* update = new QPushButton(QStringLiteral("Update"), this);
    update->setObjectName(QStringLiteral("BitBtn1"));
    update->setDefault(true);
    auto* db6 = new QPushButton(QStringLiteral("Default 6 DB"), this);
    db6->setObjectName(QStringLiteral("DB6"));
    ConnectGuarded(db2, &QPushButton::clicked, this, [this] { DB2Click(); });
    ConnectGuarded(update, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(db6, &QPushButton::clicked, this, [this] { DB6Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(db2);
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addStretch();
    buttons->addWidget(db6);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    RunGuarded(this, [this] { DNSValues(); });
}

void TSQLConnectionForm::DNSValues() {
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"),
                  QStringLiteral("Remember To Complete the Fields with the DNS of the Databases"),
                  Dialogs::Icon::Information);
    for (int i = 0; i < 6; ++i)
        m_dataSources[i]->setText(
            ReadSetting(SettingsName::kConnection, DataSourceKey(kDataSourceFields[i].source)));
    m_sqlAccount->setText(ReadSetting(SettingsName::kLogin, SettingsName::kLoginId));
    m_sqlPassword->setText(ReadSetting(SettingsName::kLogin, SettingsName::kLoginPassword));
    m_md5Settings->SetItemIndex(ReadSettingInt(SettingsName::kHashing, SettingsName::kEnabled));
    if (ReadSettingInt(ResetSettings::kSection, SettingsName::kEnabled) == 1) {
        m_radioGroup2->SetItemIndex(0);
        for (const LabeledField& f : kResetFields)
            m_labeledEdit[f.number]->setText(ReadSetting(ResetSettings::kSection, f.key));
    }
    m_radioGroup3->SetItemIndex(ReadSettingInt(SettingsName::kVersion, SettingsName::kVersion));
    if (ReadSettingInt(VaultSettings::kSection, SettingsName::kEnabled) == 1) {
        m_radioGroup1->SetItemIndex(0);
        for (const LabeledField& f : kVaultFields)
            m_labeledEdit[f.number]->setText(ReadSetting(VaultSettings::kSection, f.key));
    }
}

void TSQLConnectionForm::save() {
    for (int i = 0; i < 6; ++i)
        WriteSetting(SettingsName::kConnection, DataSourceKey(kDataSourceFields[i].source),
                     m_dataSources[i]->text());
    WriteSetting(SettingsName::kLogin, SettingsName::kLoginId, m_sqlAccount->text());
    WriteSetting(SettingsName::kLogin, SettingsName::kLoginPassword, m_sqlPassword->text());
    WriteSettingInt(SettingsName::kHashing, SettingsName::kEnabled, m_md5Settings->ItemIndex());
    WriteSettingInt(SettingsName::kInternal, SettingsName::kSetup, 1);
    if (m_radioGroup2->ItemIndex() == 1) {
        WriteSettingInt(ResetSettings::kSection, SettingsName::kEnabled, 0);
    } else {
        WriteSettingInt(ResetSettings::kSection, SettingsName::kEnabled, 1);
        WriteSetting(ResetSettings::kSection, ResetSettings::kTable, m_labeledEdit[1]->text());
        WriteSetting(ResetSettings::kSection, ResetSettings::kColumnResets, m_labeledEdit[3]->text());
        WriteSetting(ResetSettings::kSection, ResetSettings::kColumnCharacter, m_labeledEdit[2]->text());
    }
    Dialogs::Show(this, QStringLiteral("Vorn TanorEditor"), QStringLiteral("SQL Connection Updated"),
                  Dialogs::Icon::Information);
    if (m_radioGroup1->ItemIndex() == 1) {
        WriteSettingInt(VaultSettings::kSection, SettingsName::kEnabled, 0);
    } else {
        WriteSettingInt(VaultSettings::kSection, SettingsName::kEnabled, 1);
        for (const LabeledField& f : kVaultFields)
            WriteSetting(VaultSettings::kSection, f.key, m_labeledEdit[f.number]->text());
    }
    WriteSettingInt(SettingsName::kVersion, SettingsName::kVersion, m_radioGroup3->ItemIndex());
    accept();
}

void TSQLConnectionForm::BitBtn1Click() {
    try {
        save();
    } catch (...) {
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"),
                      QStringLiteral("Unknown exception, can't update DNS"), Dialogs::Icon::Error);
    }
}

void TSQLConnectionForm::fillDataSources(const QStringList& names) {
    for (int i = 0; i < 6; ++i)
        m_dataSources[i]->setText(names[i]);
}

void TSQLConnectionForm::DB2Click() {
    QStringList names;
    for (const DataSourceField& f : kDataSourceFields)
        names << L(f.twoDatabases);
    fillDataSources(names);
}

void TSQLConnectionForm::DB6Click() {
    QStringList names;
    for (const DataSourceField& f : kDataSourceFields)
        names << L(f.sixDatabases);
    fillDataSources(names);
}
