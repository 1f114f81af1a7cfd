#include "ShellFixture.h"

#include "app/AuthenticationUnit.h"
#include "platform/StatementJournal.h"

#include <QCheckBox>
#include <QSignalSpy>

namespace {

class AuthenticationTest : public ShellTest {
protected:
    void SetUp() override {
        createOperators();
        TestEnvironment::execRaw(
            m_operators, QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, "
                                        "bloc_code, perm) VALUES ('banned', 'pw', 'B', 1, 1, 1)"));
    }
    static void attempt(TAuthenticationForm& w, const QString& id, const QString& password) {
        type(&w, QStringLiteral("AdminID"), id);
        type(&w, QStringLiteral("Pass"), password);
        click(&w, QStringLiteral("Connect"));
    }
};

TEST_F(AuthenticationTest, TheIdMatchesInAnyCaseThePasswordOnlyExactly) {
    TAuthenticationForm w;
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("AdminID"))->maxLength(), 10);
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("Pass"))->echoMode(), QLineEdit::Password);
    QSignalSpy accepted(&w, &QDialog::accepted);
    BoxScript boxes;
    boxes.ok();
    attempt(w, QStringLiteral("ADMIN"), QStringLiteral("secret"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Authentication"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Incorrect Password"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_FALSE(w.SignedIn());
    EXPECT_EQ(accepted.count(), 0);

    attempt(w, QStringLiteral("ADMIN"), QStringLiteral("Secret"));
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(w.SignedIn());
    EXPECT_EQ(w.OperatorId(), QStringLiteral("ADMIN")); // as typed
}

TEST_F(AuthenticationTest, UnknownAndBannedIdsAreRefusedWithoutCounting) {
    TAuthenticationForm w;
    QSignalSpy finished(&w, &QDialog::finished);
    BoxScript boxes;
    boxes.ok(4);
    StatementJournal::Recorder journal;
    attempt(w, QStringLiteral("o'nobody"), QStringLiteral("x"));
    EXPECT_EQ(journal.texts().back(),
              QStringLiteral(
                  "SELECT mang_guid, mang___id, mang__pwd, mang_name, auth_code, appl_day, bloc_code, perm "
                  "FROM MANG_INFO WHERE (mang___id='o''nobody') AND (bloc_code=0)"));
    for (int i = 0; i < 3; ++i)
        attempt(w, QStringLiteral("banned"), QStringLiteral("pw"));
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>(4, QStringLiteral("Admin Account do not exist or was banned")));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Authentication"));
    EXPECT_EQ(w.WrongPasswords(), 0);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(w.SignedIn());
}

TEST_F(AuthenticationTest, TwoWrongPasswordsThenTheRightOneSignIn) {
    TAuthenticationForm w;
    QSignalSpy accepted(&w, &QDialog::accepted);
    BoxScript boxes;
    boxes.ok(2);
    attempt(w, QStringLiteral("admin"), QStringLiteral("a"));
    attempt(w, QStringLiteral("admin"), QStringLiteral("b"));
    EXPECT_EQ(w.WrongPasswords(), 2);
    attempt(w, QStringLiteral("admin"), QStringLiteral("Secret"));
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_TRUE(w.SignedIn());
}

TEST_F(AuthenticationTest, TheThirdWrongPasswordClosesTheWindowAsExitDoes) {
    TAuthenticationForm w;
    QSignalSpy rejected(&w, &QDialog::rejected);
    BoxScript boxes;
    boxes.ok(3);
    for (int i = 0; i < 2; ++i)
        attempt(w, QStringLiteral("admin"), QStringLiteral("no"));
    EXPECT_EQ(rejected.count(), 0);
    attempt(w, QStringLiteral("admin"), QStringLiteral("no"));
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(w.SignedIn());
}

TEST_F(AuthenticationTest, ExitLeavesNobodySignedIn) {
    TAuthenticationForm w;
    QSignalSpy rejected(&w, &QDialog::rejected);
    click(&w, QStringLiteral("Exit"));
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(w.SignedIn());
}

TEST_F(AuthenticationTest, IdSaveStoresTheIdWhenTickedAndTheNextWindowShowsIt) {
    {
        TAuthenticationForm w;
        EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("AdminID"))->text(), QString());
        EXPECT_FALSE(child<QCheckBox>(&w, QStringLiteral("IDSave"))->isChecked());
        type(&w, QStringLiteral("AdminID"), QStringLiteral("neo"));
        click(&w, QStringLiteral("IDSave"));
        EXPECT_EQ(ReadSetting(QStringLiteral("Authentication"), QStringLiteral("Id")), QStringLiteral("neo"));
        EXPECT_EQ(ReadSettingInt(QStringLiteral("Authentication"), QStringLiteral("IdSave")), 1);
        type(&w, QStringLiteral("AdminID"), QStringLiteral("later")); // typing after ticking is not saved
    }
    {
        TAuthenticationForm w;
        EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("AdminID"))->text(), QStringLiteral("neo"));
        EXPECT_TRUE(child<QCheckBox>(&w, QStringLiteral("IDSave"))->isChecked());
        click(&w, QStringLiteral("IDSave")); // cleared: the stored ID stays
        EXPECT_EQ(ReadSettingInt(QStringLiteral("Authentication"), QStringLiteral("IdSave")), 0);
        EXPECT_EQ(ReadSetting(QStringLiteral("Authentication"), QStringLiteral("Id")), QStringLiteral("neo"));
    }
    {
        TAuthenticationForm w;
        EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("AdminID"))->text(), QString());
        click(&w, QStringLiteral("IDSave")); // ticked with an empty ID
    }
    TAuthenticationForm w;
    EXPECT_EQ(child<QLineEdit>(&w, QStringLiteral("AdminID"))->text(), QString());
    EXPECT_TRUE(child<QCheckBox>(&w, QStringLiteral("IDSave"))->isChecked());
}

TEST_F(AuthenticationTest, ADatabaseErrorIsShownAndTheWindowStays) {
    TestEnvironment::execRaw(m_operators, QStringLiteral("DROP TABLE MANG_INFO"));
    TAuthenticationForm w;
    QSignalSpy finished(&w, &QDialog::finished);
    BoxScript boxes;
    boxes.ok();
    attempt(w, QStringLiteral("admin"), QStringLiteral("Secret"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("VornTanorEditor"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("MANG_INFO"))) << boxes.last().text.toStdString();
    EXPECT_EQ(finished.count(), 0);
}

} // namespace
