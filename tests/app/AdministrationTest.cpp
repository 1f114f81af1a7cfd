#include "ShellFixture.h"
#include "core/WindowContext.h"

#include "app/AdministrationUnit.h"
#include "platform/StatementJournal.h"

#include <QLabel>
#include <QListWidget>

namespace {

class AdministrationTest : public ShellTest {
protected:
    void SetUp() override {
        createOperators();
        TestEnvironment::execRaw(
            m_operators, QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, "
                                        "appl_day, bloc_code, perm) VALUES ('helper', 'Pw', 'Help', 1, "
                                        "'2024-02-02 00:00:00.000', 0, 1), ('o''hara', 'x', 'O', 1, NULL, 0, "
                                        "1)"));
    }
    std::unique_ptr<TAdministrationForm> openAs(const QString& id) {
        WindowContext context;
        context.operatorId = id;
        context.signedIn = true;
        return std::make_unique<TAdministrationForm>(context);
    }
    static QString label(const QWidget* w, const char* name) {
        return child<QLabel>(w, QString::fromLatin1(name))->text();
    }
    static bool shown(const QWidget* w, const char* name) {
        return child<QWidget>(w, QString::fromLatin1(name))->isVisibleTo(w);
    }
};

TEST_F(AdministrationTest, TheFirstOperatorSeesTheRecordAndManagesOperators) {
    auto w = openAs(QStringLiteral("admin"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Administration..."));
    EXPECT_EQ(w->size(), QSize(303, 246));
    EXPECT_EQ(label(w.get(), "Guid"), QStringLiteral("1"));
    EXPECT_EQ(label(w.get(), "ID"), QStringLiteral("admin"));
    EXPECT_EQ(label(w.get(), "Name"), QStringLiteral("Administrator"));
    EXPECT_EQ(label(w.get(), "Auth"), QStringLiteral("0"));
    EXPECT_EQ(label(w.get(), "Block"), QStringLiteral("0"));
    EXPECT_EQ(label(w.get(), "Date"), QStringLiteral("2024-01-02 03:04:05")); // to the second
    EXPECT_EQ(label(w.get(), "Perm"), QStringLiteral("1"));
    EXPECT_TRUE(shown(w.get(), "Button3"));
    EXPECT_TRUE(shown(w.get(), "Button6"));
    for (const char* panel : {"Panel1", "Panel2", "Panel3"})
        EXPECT_FALSE(shown(w.get(), panel)) << panel;
}

TEST_F(AdministrationTest, OtherOperatorsCannotManageOperators) {
    auto w = openAs(QStringLiteral("HELPER"));
    EXPECT_EQ(label(w.get(), "Guid"), QStringLiteral("2"));
    EXPECT_EQ(label(w.get(), "ID"), QStringLiteral("HELPER"));
    EXPECT_FALSE(shown(w.get(), "Button3"));
    EXPECT_FALSE(shown(w.get(), "Button6"));

    // An operator whose row went away sees empty labels and no management.
    auto gone = openAs(QStringLiteral("ghost"));
    EXPECT_EQ(label(gone.get(), "Guid"), QString());
    EXPECT_FALSE(shown(gone.get(), "Button3"));
}

TEST_F(AdministrationTest, ChangingThePasswordChecksBothFieldsAndTheOldOneExactly) {
    auto w = openAs(QStringLiteral("admin"));
    click(w.get(), QStringLiteral("Button1"));
    EXPECT_TRUE(shown(w.get(), "Panel1"));
    BoxScript boxes;
    boxes.ok(3);
    type(w.get(), QStringLiteral("LabeledEdit1"), QStringLiteral("secret"));
    type(w.get(), QStringLiteral("LabeledEdit2"), QStringLiteral("n'ew"));
    type(w.get(), QStringLiteral("LabeledEdit3"), QStringLiteral("n'eW"));
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Passwords do not match!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    type(w.get(), QStringLiteral("LabeledEdit3"), QStringLiteral("n'ew"));
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Old Password is incorrect"));
    EXPECT_EQ(operators(QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang_guid=1")),
              QStringList{QStringLiteral("Secret")});

    type(w.get(), QStringLiteral("LabeledEdit1"), QStringLiteral("Secret"));
    StatementJournal::Recorder journal;
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(journal.texts(),
              (std::vector<QString>{
                  QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang___id ='admin'"),
                  QStringLiteral("UPDATE MANG_INFO SET mang__pwd='n''ew' WHERE mang___id='admin'"),
              }));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Administration"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Password was changed successfully!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
    EXPECT_FALSE(shown(w.get(), "Panel1"));
    EXPECT_EQ(operators(QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang_guid=1")),
              QStringList{QStringLiteral("n'ew")});
}

TEST_F(AdministrationTest, CreatingAnOperatorRefusesAnExistingIdAndAddsANewOne) {
    auto w = openAs(QStringLiteral("admin"));
    click(w.get(), QStringLiteral("Button3"));
    EXPECT_TRUE(shown(w.get(), "Panel2"));
    BoxScript boxes;
    boxes.ok(3);
    type(w.get(), QStringLiteral("Edit1"), QStringLiteral("HELPER"));
    type(w.get(), QStringLiteral("Edit2"), QStringLiteral("Twin"));
    type(w.get(), QStringLiteral("Edit3"), QStringLiteral("a"));
    type(w.get(), QStringLiteral("Edit4"), QStringLiteral("b"));
    click(w.get(), QStringLiteral("Button4"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Passwords do not match!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);

    type(w.get(), QStringLiteral("Edit4"), QStringLiteral("a"));
    click(w.get(), QStringLiteral("Button4"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("ID exist!"));
    EXPECT_FALSE(shown(w.get(), "Panel2"));
    EXPECT_EQ(operators(QStringLiteral("SELECT count(*) FROM MANG_INFO")), QStringList{QStringLiteral("3")});

    click(w.get(), QStringLiteral("Button3"));
    type(w.get(), QStringLiteral("Edit1"), QStringLiteral("d'Arc"));
    StatementJournal::Recorder journal;
    click(w.get(), QStringLiteral("Button4"));
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            QStringLiteral("SELECT * FROM MANG_INFO WHERE mang___id='d''Arc'"),
            QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, "
                           "bloc_code, perm) VALUES ('d''Arc','a','Twin',1,getdate(),0,1)"),
        }));
    EXPECT_EQ(boxes.last().text, QStringLiteral("New Admin Account Created!"));
    EXPECT_TRUE(shown(w.get(), "Panel2"));
    EXPECT_EQ(operators(QStringLiteral(
                  "SELECT mang___id, mang__pwd, mang_name, auth_code, bloc_code, perm, appl_day "
                  "IS NOT NULL FROM MANG_INFO WHERE mang_guid=4")),
              QStringList{QStringLiteral("d'Arc|a|Twin|1|0|1|1")});
    click(w.get(), QStringLiteral("Button5"));
    EXPECT_FALSE(shown(w.get(), "Panel2"));
}

TEST_F(AdministrationTest, RemovalListsOtherOperatorsAndReportsOnlyADoneDelete) {
    auto w = openAs(QStringLiteral("admin"));
    click(w.get(), QStringLiteral("Button6"));
    EXPECT_TRUE(shown(w.get(), "Panel3"));
    auto* list = child<QListWidget>(w.get(), QStringLiteral("ListBox1"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("helper"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("o'hara"));

    StatementJournal::Recorder journal;
    click(w.get(), QStringLiteral("Button7")); // nothing chosen: nothing happens
    EXPECT_TRUE(journal.texts().empty());

    // The delete is refused: no "Admin Banned!", the general error box instead.
    TestEnvironment::execRaw(m_operators,
                             QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON MANG_INFO BEGIN "
                                            "SELECT RAISE(ABORT, 'operators are locked'); END;"));
    list->setCurrentRow(1);
    BoxScript boxes;
    boxes.ok(2);
    click(w.get(), QStringLiteral("Button7"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("VornTanorEditor"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("operators are locked")));
    EXPECT_EQ(list->count(), 2);

    TestEnvironment::execRaw(m_operators, QStringLiteral("DROP TRIGGER keep"));
    journal.clear();
    click(w.get(), QStringLiteral("Button7"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral("DELETE FROM MANG_INFO WHERE mang___id='o''hara'")});
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Administration"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Admin Banned!"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("helper"));
    EXPECT_EQ(operators(QStringLiteral("SELECT mang___id FROM MANG_INFO ORDER BY mang_guid")),
              (QStringList{QStringLiteral("admin"), QStringLiteral("helper")}));
    click(w.get(), QStringLiteral("Button8"));
    EXPECT_FALSE(shown(w.get(), "Panel3"));
}

} // namespace
