#include "ShellFixture.h"
#include "core/AppState.h"

#include "app/WizardUnit.h"
#include "platform/StatementJournal.h"

#include <QPushButton>
#include <QSignalSpy>

namespace {

const QString kCreateTable =
    QStringLiteral("CREATE TABLE [MANG_INFO] ( [mang_guid] [int] IDENTITY (1, 1) NOT NULL , \t[mang___id] "
                   "[varchar] (15) COLLATE "
                   "Polish_CI_AS NOT NULL , \t[mang__pwd] [varchar] (34) COLLATE Modern_Spanish_CI_AS NOT "
                   "NULL ,[mang_name] [varchar] "
                   "(20) COLLATE Polish_CI_AS NOT NULL ,  \t[auth_code] [int] NOT NULL ,   \t[appl_day] "
                   "[smalldatetime] NULL "
                   ",[bloc_code] [int] NOT NULL ,  \t[perm] [int] NOT NULL) ON [PRIMARY]");

class WizardTest : public ShellTest {
protected:
    // Walks from page 1 to page 4 with the given operator.
    static void toLastPage(TWizardForm& w, const QString& database, const QString& id,
                           const QString& password) {
        click(&w, QStringLiteral("Next"));
        child<QComboBox>(&w, QStringLiteral("ComboBox1"))->setCurrentText(database);
        click(&w, QStringLiteral("Next"));
        type(&w, QStringLiteral("Edit1"), id);
        type(&w, QStringLiteral("Edit2"), password);
        type(&w, QStringLiteral("Edit3"), password);
        click(&w, QStringLiteral("Next"));
        ASSERT_EQ(w.Page(), 4);
    }
    static QString nextText(const TWizardForm& w) {
        return child<QPushButton>(&w, QStringLiteral("Next"))->text();
    }
};

TEST_F(WizardTest, ListsTheLocalDatabasesAndOpensOnTheWelcomePage) {
    env.createDatabase(QStringLiteral("Beta"));
    env.createDatabase(QStringLiteral("Alpha"));
    TWizardForm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vorn Tanor Editor Wizard"));
    const auto* list = child<QComboBox>(&w, QStringLiteral("ComboBox1"));
    EXPECT_EQ(items(list), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("Alpha"));
    EXPECT_EQ(w.Page(), 1);
    EXPECT_FALSE(child<QPushButton>(&w, QStringLiteral("Back"))->isEnabled());
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("Edit2"))->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("Edit1"))->maxLength(), 10);
}

TEST_F(WizardTest, PagesMoveOneAtATimeUnderTheirChecks) {
    TWizardForm w; // no database at all
    EXPECT_EQ(child<QComboBox>(&w, QStringLiteral("ComboBox1"))->currentIndex(), -1);
    BoxScript boxes;
    boxes.ok(2);
    click(&w, QStringLiteral("Back")); // disabled on page 1
    EXPECT_EQ(w.Page(), 1);
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 2);
    EXPECT_TRUE(child<QPushButton>(&w, QStringLiteral("Back"))->isEnabled());
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 2);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Wizard"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("You must select a DB"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);

    child<QComboBox>(&w, QStringLiteral("ComboBox1"))->addItem(QStringLiteral("Ops"));
    child<QComboBox>(&w, QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 3);
    type(&w, QStringLiteral("Edit2"), QStringLiteral("one"));
    type(&w, QStringLiteral("Edit3"), QStringLiteral("One"));
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 3);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Password do not match"));
    type(&w, QStringLiteral("Edit3"), QStringLiteral("one"));
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(w.Page(), 4);
    EXPECT_EQ(nextText(w), QStringLiteral("Finish"));

    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 3);
    EXPECT_EQ(nextText(w), QStringLiteral("Next >>"));
    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 2);
    click(&w, QStringLiteral("Back"));
    EXPECT_EQ(w.Page(), 2);
}

TEST_F(WizardTest, FinishCreatesTheTableRegistersTheDataSourceAndAddsTheFirstOperator) {
    const QString file = env.createDatabase(QStringLiteral("Ops"));
    env.createDatabase(QStringLiteral("Another"));
    TWizardForm w;
    QSignalSpy accepted(&w, &QDialog::accepted);
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("o'boss"), QStringLiteral("p'w"));
    AppState.SetupDone = 7;
    StatementJournal::Recorder journal;
    click(&w, QStringLiteral("Next"));

    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            kCreateTable, QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, "
                                         "appl_day, bloc_code, perm) VALUES ('o''boss','p''w', "
                                         "'Administrator',0,getdate(),0,1)")}));
    EXPECT_EQ(journal.entries().front().connection, QStringLiteral("VornMNG"));
    EXPECT_EQ(journal.entries().front().error, QString());
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(AppState.SetupDone, 1);
    EXPECT_EQ(ReadSetting(QStringLiteral("ODBCConnection"), QStringLiteral("VornDNS")),
              QStringLiteral("VornMNG"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Setup")), QStringLiteral("1"));
    EXPECT_EQ(OdbcRegistry::Read(QStringLiteral("VornMNG"), QStringLiteral("Database")), file);
    const QStringList rows =
        rawRows(file, QStringLiteral("SELECT mang_guid, mang___id, mang__pwd, mang_name, auth_code, "
                                     "bloc_code, perm, appl_day IS NOT NULL FROM MANG_INFO"));
    EXPECT_EQ(rows, QStringList{QStringLiteral("1|o'boss|p'w|Administrator|0|0|1|1")});
}

TEST_F(WizardTest, RunningAgainOnAnExistingTableAddsOneMoreOperator) {
    env.createDatabase(QStringLiteral("Operators"), QString::fromLatin1(kOperatorSchema));
    TWizardForm w;
    toLastPage(w, QStringLiteral("Operators"), QStringLiteral("second"), QStringLiteral("x"));
    StatementJournal::Recorder journal;
    click(&w, QStringLiteral("Next")); // the failed CREATE TABLE shows nothing
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_FALSE(journal.entries()[0].error.isEmpty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(rawRows(env.path(QStringLiteral("Databases/Operators.db")),
                      QStringLiteral("SELECT mang_guid, mang___id, auth_code FROM MANG_INFO")),
              (QStringList{QStringLiteral("1|admin|0"), QStringLiteral("2|second|0")}));
}

TEST_F(WizardTest, AFailedFirstOperatorIsReportedAndTheWizardStaysOnItsLastPage) {
    // A table of that name that cannot take the operator row.
    env.createDatabase(QStringLiteral("Ops"), QStringLiteral("CREATE TABLE MANG_INFO (mang_guid INTEGER);"));
    TWizardForm w;
    QSignalSpy finished(&w, &QDialog::finished);
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("boss"), QStringLiteral("pw"));
    BoxScript boxes;
    boxes.ok();
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Wizard"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("The first operator could not be created")));
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(w.Page(), 4);
    EXPECT_EQ(nextText(w), QStringLiteral("Finish"));
}

TEST_F(WizardTest, CloseAsksAndMarksSetupUndoneEvenWhenCancelled) {
    env.createDatabase(QStringLiteral("Ops"));
    TWizardForm w;
    QSignalSpy rejected(&w, &QDialog::rejected);
    BoxScript boxes;
    boxes.cancel();
    AppState.SetupDone = 1;
    click(&w, QStringLiteral("Closed"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are You Sure?"));
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_EQ(AppState.SetupDone, 0);

    // Going on to Finish after all sets it again.
    toLastPage(w, QStringLiteral("Ops"), QStringLiteral("boss"), QStringLiteral("pw"));
    click(&w, QStringLiteral("Next"));
    EXPECT_EQ(AppState.SetupDone, 1);

    TWizardForm again;
    QSignalSpy closed(&again, &QDialog::rejected);
    boxes.ok();
    click(&again, QStringLiteral("Closed"));
    EXPECT_EQ(AppState.SetupDone, 0);
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
