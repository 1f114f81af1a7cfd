#include "AccountsFixture.h"

#include "accounts/AccountCreationForm.h"
#include "accounts/CharacterUnit.h"
#include "accounts/ModifyAccountUnit.h"
#include "accounts/MoveCharUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "accounts/RenameCharUnit.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>

namespace {

class AccountWindowsTest : public AccountsTest {
protected:
    static void fill(QWidget* w, const QString& account, const QString& password) {
        type(w, QStringLiteral("AccountID"), account);
        type(w, QStringLiteral("Password"), password);
        type(w, QStringLiteral("Name"), QStringLiteral("O'Hara"));
        type(w, QStringLiteral("SecurityNumber"), QStringLiteral("1234567"));
        type(w, QStringLiteral("Mail"), QStringLiteral("o@x.example"));
        type(w, QStringLiteral("SecretQuestion"), QStringLiteral("Pet's name?"));
        type(w, QStringLiteral("SecretAnswer"), QStringLiteral("Rex"));
    }
    static QString insertFor(const QString& account, const QString& password) {
        return lines({QStringLiteral("INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name, sno__numb,  "
                                     "post_code, addr_info,"),
                      QStringLiteral("  addr_deta, tel__numb, phon_numb, mail_addr, fpas_ques, fpas_answ, "
                                     "job__code, appl_days, modi_days, out__days,  true_days, mail_chek, "
                                     "bloc_code, ctl1_code)"),
                      QStringLiteral("VALUES (") + account + QStringLiteral(",") + password +
                          QStringLiteral(",'O''Hara','1111111234567'"),
                      QStringLiteral(", NULL, NULL, NULL, NULL, NULL,'o@x.example','Pet''s name?','Rex', 1, "
                                     "getdate(), getdate(), getdate(), getdate(), 1, 0, 0)")});
    }
    static void typePasswords(QWidget* w, const QString& password) {
        type(w, QStringLiteral("NewPassword"), password);
        type(w, QStringLiteral("NewRePassword"), password);
    }
    static QString status(const QWidget* w, const char* name) {
        return child<QLabel>(w, QLatin1String(name))->text();
    }
};

TEST_F(AccountWindowsTest, CreationInsertsPlainOrPlaceholderAndHashes) {
    for (const int hashing : {0, 1}) {
        setHashing(hashing);
        const QString account = hashing ? QStringLiteral("d'arcy") : QStringLiteral("plain1");
        auto w = open<TCreateAccountForm>();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Create Account"));
        EXPECT_EQ(status(w.get(), "MD5Label"),
                  hashing ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
        fill(w.get(), account, QStringLiteral("pa'ss"));
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("BitBtn1"));

        EXPECT_EQ(boxes.last().text, QStringLiteral("Account Created!"));
        EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
        EXPECT_EQ(accepted.count(), 1);
        EXPECT_EQ(w->CreatedAccount(), account);
        const QString quoted = Q(account);
        std::vector<QString> expected = {
            QStringLiteral("SELECT memb___id FROM MEMB_INFO WHERE memb___id =") + quoted,
            insertFor(quoted, hashing ? QStringLiteral("0x0000") : QStringLiteral("'pa''ss'"))};
        if (hashing)
            expected.push_back(
                QStringLiteral("EXECUTE SP_MD5_ENCODE_VALUE @btInStr='pa''ss', @btInStrIndex=") + quoted);
        EXPECT_EQ(journal.texts(), expected);
        const QString stored =
            row(QStringLiteral("SELECT memb__pwd, memb_name, sno__numb, fpas_ques, job__code, bloc_code FROM "
                               "MEMB_INFO WHERE memb___id = ") +
                quoted);
        if (hashing) // the demo procedure's hash: 0x and 16 digits, not the typed text
            EXPECT_TRUE(stored.startsWith(QStringLiteral("0x")) && stored.indexOf(QLatin1Char('|')) == 18)
                << stored.toStdString();
        else
            EXPECT_EQ(stored, QStringLiteral("pa'ss|O'Hara|1111111234567|Pet's name?|1|0"));
    }
}

TEST_F(AccountWindowsTest, CreationRefusesAnExistingOrEmptyNameAndStaysOpen) {
    auto w = open<TCreateAccountForm>();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    BoxScript boxes;
    boxes.ok(2);
    StatementJournal::Recorder journal;
    fill(w.get(), QStringLiteral("KESTREL"), QStringLiteral("x")); // the server ignores case
    click(w.get(), QStringLiteral("BitBtn1"));
    fill(w.get(), QStringLiteral("  "), QStringLiteral("x"));
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{QStringLiteral("Account Exist!"),
                                                   QStringLiteral("Type the name of the new account.")}));
    EXPECT_EQ(journal.texts().size(), 1u); // only the look-up
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(w->CreatedAccount(), QString());
    EXPECT_EQ(rows(QStringLiteral("SELECT 1 FROM MEMB_INFO WHERE trim(memb___id) = ''")).size(), 0);
    // "Close" leaves without creating or reporting anything.
    QSignalSpy rejected(w.get(), &QDialog::rejected);
    fill(w.get(), QStringLiteral("closer"), QStringLiteral("x"));
    click(w.get(), QStringLiteral("BitBtn2"));
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(journal.texts().size(), 1u);
    EXPECT_TRUE(w->CreatedAccount().isEmpty());
}

TEST_F(AccountWindowsTest, AFailingHashLeavesTheAccountReportedAndSaysItHasNoPassword) {
    setHashing(1);
    raw(QStringLiteral("DELETE FROM tanor_procedures WHERE name = 'SP_MD5_ENCODE_VALUE'"));
    auto w = open<TCreateAccountForm>();
    fill(w.get(), QStringLiteral("nohash"), QStringLiteral("pw"));
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.contains(
        QStringLiteral("The account nohash was created but has no usable password")));
    EXPECT_EQ(w->CreatedAccount(), QStringLiteral("nohash"));
    EXPECT_EQ(rows(QStringLiteral("SELECT hex(memb__pwd) FROM MEMB_INFO WHERE memb___id = 'nohash'")),
              QStringList{QStringLiteral("0000")});
}

TEST_F(AccountWindowsTest, EditingLoadsWithoutThePrefixAndShowsThePasswordOnlyWithoutHashing) {
    for (const int hashing : {0, 1, 5}) {
        setHashing(hashing);
        auto w = open<TModifyAccountForm>(QStringLiteral("o'brien"));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Modify Account"));
        EXPECT_EQ(status(w.get(), "AccountID"), QStringLiteral("o'brien"));
        EXPECT_EQ(status(w.get(), "MD5Label2"),
                  hashing == 1 ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("Name"))->text(), QStringLiteral("Niall O'Brien"));
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("SecurityNumber"))->text(),
                  QStringLiteral("7712004"));
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("SecretAnswer"))->text(), QStringLiteral("O'Dea"));
        const QString shown = hashing == 1 ? QString() : QStringLiteral("shamrock");
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("NewPassword"))->text(), shown) << hashing;
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("NewRePassword"))->text(), shown) << hashing;
        EXPECT_TRUE(child<QPushButton>(w.get(), QStringLiteral("Modify"))->isEnabled());
    }
    BoxScript boxes;
    boxes.ok();
    auto missing = open<TModifyAccountForm>(QStringLiteral("nobody"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Plain);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Account do not Exist!!!"));
    EXPECT_FALSE(child<QPushButton>(missing.get(), QStringLiteral("Modify"))->isEnabled());
}

TEST_F(AccountWindowsTest, SavingWritesThePasswordStepThenTheFields) {
    const QString fields =
        lines({QStringLiteral("UPDATE MEMB_INFO"),
               QStringLiteral("SET memb_name='Niall O''Brien', mail_addr='niall.obrien@tanor.example', "
                              "sno__numb='1111117654321'"),
               QStringLiteral(", fpas_ques='Mother''s maiden name?', fpas_answ='O''Dea'"),
               QStringLiteral("WHERE memb___id ='o''brien'")});
    const struct {
        int hashing;
        const char* password; // typed in both fields; nullptr leaves what was loaded
        std::vector<QString> statements;
        QString message;
    } cases[] = {
        // Untouched plain password: rewritten as it stands.
        {0,
         nullptr,
         {QStringLiteral("UPDATE MEMB_INFO SET memb__pwd='shamrock' WHERE memb___id='o''brien'"), fields},
         QStringLiteral("Account Data o'brien Updated!")},
        {1, "", {fields}, QStringLiteral("Account Data Updated!")},
        {1,
         "n'ew",
         {QStringLiteral("EXECUTE SP_MD5_ENCODE_VALUE @btInStr='n''ew', @btInStrIndex='o''brien'"), fields},
         QStringLiteral("Account Data o'brien Updated!")},
    };
    for (const auto& c : cases) {
        setHashing(c.hashing);
        auto w = open<TModifyAccountForm>(QStringLiteral("o'brien"));
        type(w.get(), QStringLiteral("SecurityNumber"), QStringLiteral("7654321"));
        if (c.password)
            typePasswords(w.get(), QLatin1String(c.password));
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("Modify"));
        EXPECT_EQ(journal.texts(), c.statements);
        EXPECT_EQ(boxes.last().text, c.message);
        EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Plain);
        EXPECT_EQ(accepted.count(), 1);
    }
    EXPECT_EQ(row(QStringLiteral("SELECT sno__numb FROM MEMB_INFO WHERE memb___id = 'o''brien'")),
              QStringLiteral("1111117654321"));
    EXPECT_NE(row(QStringLiteral("SELECT memb__pwd FROM MEMB_INFO WHERE memb___id = 'o''brien'")),
              QStringLiteral("shamrock"));
}

// A personal number the operator did not touch is written back as stored,
// whatever its prefix or length; only a typed one gets the prefix.
TEST_F(AccountWindowsTest, AnUntouchedPersonalNumberKeepsItsStoredValue) {
    const struct {
        const char* stored;
        const char* typed; // nullptr: left as loaded
        const char* saved;
    } cases[] = {
        {"98765", nullptr, "98765"},
        {"9876543210123", nullptr, "9876543210123"},
        {"11111198765432", nullptr, "11111198765432"},
        {"98765", "1234567", "1111111234567"},
        {"1111115530021", "", "111111"},
    };
    for (const auto& c : cases) {
        raw(QStringLiteral("UPDATE MEMB_INFO SET sno__numb = '%1' WHERE memb___id = 'marlow'")
                .arg(QLatin1String(c.stored)));
        auto w = open<TModifyAccountForm>(QStringLiteral("marlow"));
        type(w.get(), QStringLiteral("Mail"), QStringLiteral("new@tanor.example"));
        if (c.typed)
            type(w.get(), QStringLiteral("SecurityNumber"), QLatin1String(c.typed));
        BoxScript boxes;
        boxes.ok();
        click(w.get(), QStringLiteral("Modify"));
        EXPECT_EQ(
            row(QStringLiteral("SELECT sno__numb, mail_addr FROM MEMB_INFO WHERE memb___id = 'marlow'")),
            QLatin1String(c.saved) + QStringLiteral("|new@tanor.example"))
            << c.stored;
    }
}

// A row deleted after the window loaded it: the window says nothing was
// saved and stays open, whichever statement finds the row gone.
TEST_F(AccountWindowsTest, SavingAnAccountDeletedMeanwhileSaysNothingWasSaved) {
    const struct {
        int hashing;
        const char* password; // typed in both fields; nullptr leaves what was loaded
        size_t statements;
    } cases[] = {
        {0, nullptr, 1}, // the plain password finds no row; the fields are not sent
        {1, "", 1},
        {1, "n3w", 2},
    };
    for (const auto& c : cases) {
        setHashing(c.hashing);
        auto w = open<TModifyAccountForm>(QStringLiteral("marlow"));
        if (c.password)
            typePasswords(w.get(), QLatin1String(c.password));
        raw(QStringLiteral("DELETE FROM MEMB_INFO WHERE memb___id = 'marlow'"));
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("Modify"));
        EXPECT_EQ(boxes.last().text,
                  QStringLiteral("The account marlow no longer exists; nothing was saved."))
            << c.hashing;
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);
        EXPECT_EQ(journal.texts().size(), c.statements) << c.hashing;
        EXPECT_EQ(accepted.count(), 0);
        EXPECT_EQ(rows(QStringLiteral("SELECT 1 FROM MEMB_INFO WHERE memb___id = 'marlow'")), QStringList{});
        raw(QStringLiteral("INSERT INTO MEMB_INFO (memb___id, memb__pwd, memb_name, sno__numb) VALUES "
                           "('marlow', 'tide2026', 'Ada Marlow', '1111115530021')"));
    }
}

TEST_F(AccountWindowsTest, DifferentPasswordsWriteNothing) {
    auto w = open<TModifyAccountForm>(QStringLiteral("marlow"));
    type(w.get(), QStringLiteral("Name"), QStringLiteral("Changed"));
    type(w.get(), QStringLiteral("NewRePassword"), QStringLiteral("other"));
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    click(w.get(), QStringLiteral("Modify"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Passwords do Not Match"));
    EXPECT_TRUE(journal.texts().empty());
    EXPECT_EQ(row(QStringLiteral("SELECT memb_name FROM MEMB_INFO WHERE memb___id = 'marlow'")),
              QStringLiteral("Ada Marlow"));
}

// The typed fields of the account and character windows hold at most what
// their columns take; the editing window's fields other than the security
// number are unlimited.
TEST_F(AccountWindowsTest, TypedFieldsHoldAtMostTheirColumnLengths) {
    const int unlimited = QLineEdit().maxLength();
    const auto creation = [this] { return std::unique_ptr<QDialog>(open<TCreateAccountForm>()); };
    const auto editing = [this] {
        return std::unique_ptr<QDialog>(open<TModifyAccountForm>(QStringLiteral("marlow")));
    };
    const auto character = [this] {
        return std::unique_ptr<QDialog>(
            open<TCharacterEditionForm>(QStringLiteral("vesper"), QStringLiteral("Nightjar")));
    };
    const auto newCharacter = [this] {
        return std::unique_ptr<QDialog>(open<TNewCharacterForm>(QStringLiteral("vesper")));
    };
    const auto rename = [this] {
        return std::unique_ptr<QDialog>(
            open<TRenameCharForm>(QStringLiteral("vesper"), QStringLiteral("Nightjar")));
    };
    const auto move = [this] {
        return std::unique_ptr<QDialog>(
            open<TMoveCharForm>(QStringLiteral("vesper"), QStringLiteral("Nightjar")));
    };
    const struct {
        std::function<std::unique_ptr<QDialog>()> window;
        std::vector<std::pair<const char*, int>> limits;
    } cases[] = {
        {creation,
         {{"AccountID", 10},
          {"Password", 10},
          {"Name", 10},
          {"SecurityNumber", 7},
          {"Mail", 50},
          {"SecretQuestion", 50},
          {"SecretAnswer", 50}}},
        {editing,
         {{"Name", unlimited},
          {"NewPassword", unlimited},
          {"NewRePassword", unlimited},
          {"Mail", unlimited},
          {"SecurityNumber", 7},
          {"SecretQuestion", unlimited},
          {"SecretAnswer", unlimited}}},
        {character, {{"Money", 10}}},
        {newCharacter, {{"NewCharacterName", 10}}},
        {rename, {{"NewName", 10}}},
        {move, {{"NewACC", 10}}},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<QDialog> w = c.window();
        for (const auto& [name, limit] : c.limits)
            EXPECT_EQ(child<QLineEdit>(w.get(), QLatin1String(name))->maxLength(), limit)
                << w->windowTitle().toStdString() << " " << name;
    }
}

} // namespace
