#include "AccountsFixture.h"

#include "accounts/AccountCreationForm.h"
#include "accounts/CharacterUnit.h"
#include "accounts/ModifyAccountUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "app/MainUnit.h"

#include <QLabel>

namespace {

// The four account and character commands of the main window, each opening
// its real window on the demo server.
class MainWindowFlowTest : public AccountsTest {
protected:
    void SetUp() override {
        AccountsTest::SetUp();
        main = std::make_unique<TMainForm>();
        main->ReloadAccount();
    }
    QComboBox* list(const char* name) const { return child<QComboBox>(main.get(), QLatin1String(name)); }
    std::unique_ptr<TMainForm> main;
};

TEST_F(MainWindowFlowTest, CreatedAccountsAndCharactersAreChosenAndEditorsGetTheChoice) {
    ModalScript modal;
    BoxScript boxes;
    modal.then<TCreateAccountForm>([](TCreateAccountForm* w) {
        type(w, QStringLiteral("AccountID"), QStringLiteral("aaron"));
        type(w, QStringLiteral("Password"), QStringLiteral("pw"));
        click(w, QStringLiteral("BitBtn1"));
    });
    boxes.ok(); // "Account Created!"
    click(main.get(), QStringLiteral("AddAccount"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("aaron"));
    EXPECT_EQ(list("Character")->count(), 0);

    modal.then<TNewCharacterForm>([](TNewCharacterForm* w) {
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("AccountName"))->text(), QStringLiteral("aaron"));
        type(w, QStringLiteral("NewCharacterName"), QStringLiteral("Firstborn"));
        click(w, QStringLiteral("Button1"));
    });
    boxes.ok(); // "Character Created"
    click(main.get(), QStringLiteral("AddCharacter"));
    EXPECT_EQ(items(list("Character")), QStringList{QStringLiteral("Firstborn")});
    EXPECT_EQ(list("Character")->currentText(), QStringLiteral("Firstborn"));

    modal.then<TModifyAccountForm>([](TModifyAccountForm* w) {
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("AccountID"))->text(), QStringLiteral("aaron"));
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("NewPassword"))->text(), QStringLiteral("pw"));
        w->reject();
    });
    click(main.get(), QStringLiteral("EditAccount"));

    modal.then<TCharacterEditionForm>([](TCharacterEditionForm* w) {
        EXPECT_EQ(child<QLabel>(w, QStringLiteral("CharacterName"))->text(), QStringLiteral("Firstborn"));
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Level"))->text(), QStringLiteral("1"));
        type(w, QStringLiteral("Level"), QStringLiteral("2"));
        click(w, QStringLiteral("ModifyButton"));
    });
    boxes.ok(); // "Character Updated!"
    click(main.get(), QStringLiteral("EditCharacter"));
    EXPECT_EQ(modal.opened().size(), 4u);
    EXPECT_EQ(row(QStringLiteral("SELECT cLevel, AccountID FROM Character WHERE Name = 'Firstborn'")),
              QStringLiteral("2|aaron"));
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{QStringLiteral("Account Created!"), QStringLiteral("Character Created"),
                                    QStringLiteral("Character Updated!")}));
}

} // namespace
