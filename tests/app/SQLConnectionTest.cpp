#include "ShellFixture.h"

#include "app/SQLConnectionUnit.h"
#include "widgets/WidgetKit.h"

#include <QSignalSpy>

namespace {

const QString kConnection = QStringLiteral("ODBCConnection");
const char* kFields[] = {"MeTanorOnlineDB",   "TanorOnlineDB", "TanorLogDB",
                         "TanorConnectLogDB", "RankingDB",     "TanorEventDB"};
const char* kKeys[] = {"AccountDNS",         "TanorOnlineDNS", "TanorLogDNS",
                       "TanorConnectLogDNS", "RankingDNS",     "TanorEventDNS"};

class SQLConnectionTest : public EnvTest {
protected:
    // Opens the dialog, answering its reminder.
    std::unique_ptr<TSQLConnectionForm> open() {
        BoxScript boxes;
        boxes.ok();
        auto form = std::make_unique<TSQLConnectionForm>();
        EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Tanor Editor"));
        EXPECT_EQ(boxes.last().text,
                  QStringLiteral("Remember To Complete the Fields with the DNS of the Databases"));
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
        return form;
    }
    static QString field(const QWidget* w, const char* name) {
        return child<QLineEdit>(w, QString::fromLatin1(name))->text();
    }
    static int choice(const QWidget* w, const char* group) {
        return child<RadioGroup>(w, QString::fromLatin1(group))->ItemIndex();
    }
    static QString setting(const char* section, const char* key) {
        return ReadSetting(QString::fromLatin1(section), QString::fromLatin1(key));
    }
    static void write(const char* section, const char* key, const QString& value) {
        WriteSetting(QString::fromLatin1(section), QString::fromLatin1(key), value);
    }
};

TEST_F(SQLConnectionTest, LoadsEverySettingIntoItsField) {
    for (int i = 0; i < 6; ++i)
        write("ODBCConnection", kKeys[i], QStringLiteral("dsn%1").arg(i));
    write("SQLConnection", "ID", QStringLiteral("sa2"));
    write("SQLConnection", "Pass", QStringLiteral("p;w"));
    write("MD5Encryption", "Enabled", QStringLiteral("1"));
    write("Resets", "Enabled", QStringLiteral("1"));
    write("Resets", "Table", QStringLiteral("ResetTable"));
    write("Resets", "ColumnCharacter", QStringLiteral("CharName"));
    write("Resets", "ColumnResets", QStringLiteral("Resets"));
    write("Version", "Version", QStringLiteral("1"));
    write("Vaults", "Enabled", QStringLiteral("1"));
    write("Vaults", "Table", QStringLiteral("ExtWarehouse"));
    write("Vaults", "ColumnItems", QStringLiteral("Items"));
    write("Vaults", "ColumnAccount", QStringLiteral("AccountID"));
    write("Vaults", "ColumnNumber", QStringLiteral("Number"));

    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("SQL Connection Options"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(field(w.get(), kFields[i]), QStringLiteral("dsn%1").arg(i)) << kFields[i];
    EXPECT_EQ(field(w.get(), "SQLAccount"), QStringLiteral("sa2"));
    EXPECT_EQ(field(w.get(), "SQLPassword"), QStringLiteral("p;w"));
    EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("SQLPassword"))->echoMode(), QLineEdit::Password);
    EXPECT_EQ(choice(w.get(), "MD5Settings"), 1);
    EXPECT_EQ(choice(w.get(), "RadioGroup2"), 0);
    EXPECT_EQ(choice(w.get(), "RadioGroup3"), 1);
    EXPECT_EQ(choice(w.get(), "RadioGroup1"), 0);
    EXPECT_EQ(field(w.get(), "LabeledEdit1"), QStringLiteral("ResetTable"));
    EXPECT_EQ(field(w.get(), "LabeledEdit2"), QStringLiteral("CharName"));
    EXPECT_EQ(field(w.get(), "LabeledEdit3"), QStringLiteral("Resets"));
    EXPECT_EQ(field(w.get(), "LabeledEdit5"), QStringLiteral("ExtWarehouse"));
    EXPECT_EQ(field(w.get(), "LabeledEdit6"), QStringLiteral("Items"));
    EXPECT_EQ(field(w.get(), "LabeledEdit7"), QStringLiteral("AccountID"));
    EXPECT_EQ(field(w.get(), "LabeledEdit4"), QStringLiteral("Number"));
}

TEST_F(SQLConnectionTest, WithoutSettingsTheFieldsAreEmptyAndTheSwitchesOff) {
    write("Resets", "Table", QStringLiteral("NotShown")); // only loaded when resets are on
    auto w = open();
    EXPECT_EQ(field(w.get(), "SQLAccount"), QString()); // the design text "sa" does not stay
    EXPECT_EQ(field(w.get(), "LabeledEdit1"), QString());
    EXPECT_EQ(choice(w.get(), "MD5Settings"), 0);
    EXPECT_EQ(choice(w.get(), "RadioGroup3"), 0);
    EXPECT_EQ(choice(w.get(), "RadioGroup2"), 1);
    EXPECT_EQ(choice(w.get(), "RadioGroup1"), 1);
}

TEST_F(SQLConnectionTest, StoredNumbersOutOfRangeChooseTheLastItemOrNone) {
    write("MD5Encryption", "Enabled", QStringLiteral("7"));
    write("Version", "Version", QStringLiteral("-3"));
    auto w = open();
    EXPECT_EQ(choice(w.get(), "MD5Settings"), 1);
    EXPECT_EQ(choice(w.get(), "RadioGroup3"), -1);
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(setting("MD5Encryption", "Enabled"), QStringLiteral("1"));
    EXPECT_EQ(setting("Version", "Version"), QStringLiteral("-1"));
}

TEST_F(SQLConnectionTest, UpdateWritesTheFieldsBackAndMarksSetupDone) {
    write("Resets", "Table", QStringLiteral("KeptTable"));
    write("Vaults", "Table", QStringLiteral("KeptVaults"));
    auto w = open();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    for (int i = 0; i < 6; ++i)
        type(w.get(), QString::fromLatin1(kFields[i]), QStringLiteral("new%1").arg(i));
    type(w.get(), QStringLiteral("SQLAccount"), QStringLiteral("login"));
    type(w.get(), QStringLiteral("SQLPassword"), QStringLiteral("pa;ss"));
    child<RadioGroup>(w.get(), QStringLiteral("MD5Settings"))->SetItemIndex(1);
    child<RadioGroup>(w.get(), QStringLiteral("RadioGroup3"))->SetItemIndex(1);
    child<RadioGroup>(w.get(), QStringLiteral("RadioGroup1"))->SetItemIndex(0);
    type(w.get(), QStringLiteral("LabeledEdit5"), QStringLiteral("Vault"));
    type(w.get(), QStringLiteral("LabeledEdit6"), QStringLiteral("Items"));
    type(w.get(), QStringLiteral("LabeledEdit7"), QStringLiteral("Acc"));
    type(w.get(), QStringLiteral("LabeledEdit4"), QStringLiteral("Num"));
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("SQL Connection Updated"));
    EXPECT_EQ(accepted.count(), 1);

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(setting("ODBCConnection", kKeys[i]), QStringLiteral("new%1").arg(i)) << kKeys[i];
    EXPECT_EQ(setting("SQLConnection", "ID"), QStringLiteral("login"));
    EXPECT_EQ(setting("SQLConnection", "Pass"), QStringLiteral("pa;ss"));
    EXPECT_EQ(BuildConnectionString(QStringLiteral("TanorOnlineDNS")),
              QStringLiteral(
                  "Provider=MSDASQL.1;Persist Security Info=False;Data Source=new1;uid=login;pwd=pa;ss"));
    EXPECT_EQ(setting("MD5Encryption", "Enabled"), QStringLiteral("1"));
    EXPECT_EQ(setting("Internal", "Setup"), QStringLiteral("1"));
    EXPECT_EQ(setting("Version", "Version"), QStringLiteral("1"));
    // Resets stayed disabled: only the switch is written.
    EXPECT_EQ(setting("Resets", "Enabled"), QStringLiteral("0"));
    EXPECT_EQ(setting("Resets", "Table"), QStringLiteral("KeptTable"));
    EXPECT_EQ(setting("Vaults", "Enabled"), QStringLiteral("1"));
    EXPECT_EQ(setting("Vaults", "Table"), QStringLiteral("Vault"));
    EXPECT_EQ(setting("Vaults", "ColumnItems"), QStringLiteral("Items"));
    EXPECT_EQ(setting("Vaults", "ColumnAccount"), QStringLiteral("Acc"));
    EXPECT_EQ(setting("Vaults", "ColumnNumber"), QStringLiteral("Num"));

    // Loading again shows what was saved.
    auto again = open();
    EXPECT_EQ(field(again.get(), "LabeledEdit5"), QStringLiteral("Vault"));
    EXPECT_EQ(choice(again.get(), "RadioGroup1"), 0);
    EXPECT_EQ(choice(again.get(), "RadioGroup3"), 1);
}

TEST_F(SQLConnectionTest, DefaultsFillOnlyTheSixDataSourceFields) {
    write("ODBCConnection", "AccountDNS", QStringLiteral("before"));
    write("SQLConnection", "ID", QStringLiteral("keep"));
    auto w = open();
    click(w.get(), QStringLiteral("DB2"));
    const char* two[] = {"TanorOnline", "TanorOnline", "TanorOnline",
                         "TanorOnline", "Ranking",     "TanorOnline"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(field(w.get(), kFields[i]), QString::fromLatin1(two[i])) << kFields[i];
    click(w.get(), QStringLiteral("DB6"));
    const char* six[] = {"TanorOnlineJoinDB", "TanorOnline",  "USELOG",
                         "RMDB_CONNECTLOG",   "RANKING_DATA", "TANOR2003_EVENT_DB"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(field(w.get(), kFields[i]), QString::fromLatin1(six[i])) << kFields[i];
    EXPECT_EQ(field(w.get(), "SQLAccount"), QStringLiteral("keep"));
    EXPECT_EQ(setting("ODBCConnection", "AccountDNS"), QStringLiteral("before")); // nothing saved yet

    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(setting("ODBCConnection", "AccountDNS"), QStringLiteral("TanorOnlineJoinDB"));
}

TEST_F(SQLConnectionTest, AFailedUpdateSaysSoKeepsTheDialogOpenAndKeepsWhatWasWritten) {
    auto w = open();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    type(w.get(), QStringLiteral("MeTanorOnlineDB"), QStringLiteral("written"));
    type(w.get(), QStringLiteral("SQLPassword"), QStringLiteral("two\nlines")); // cannot be stored
    ASSERT_TRUE(field(w.get(), "SQLPassword").contains(QLatin1Char('\n')));
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Tanor Editor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Unknown exception, can't update DNS"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(setting("ODBCConnection", "AccountDNS"), QStringLiteral("written"));
    EXPECT_EQ(setting("Internal", "Setup"), QString());
}

} // namespace
