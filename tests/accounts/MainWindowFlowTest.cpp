#include "AccountsFixture.h"

#include "accounts/AccountCreationForm.h"
#include "accounts/CharacterUnit.h"
#include "accounts/ModifyAccountUnit.h"
#include "accounts/MoveCharUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "accounts/RenameCharUnit.h"
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

TEST_F(MainWindowFlowTest, TheEditorAndTheListsFollowARenameAndAMove) {
    list("Account")->setCurrentIndex(list("Account")->findText(QStringLiteral("ember")));
    main->AccountChange();
    list("Character")->setCurrentIndex(list("Character")->findText(QStringLiteral("Ashling")));
    main->CharacterChange();
    const QString level = row(QStringLiteral("SELECT cLevel FROM Character WHERE Name = 'Ashling'"));
    const auto shown = [](const TCharacterEditionForm* w) {
        return child<QLabel>(w, QStringLiteral("AccountName"))->text() + QLatin1Char('/') +
               child<QLabel>(w, QStringLiteral("CharacterName"))->text() + QLatin1Char('/') +
               child<QLineEdit>(w, QStringLiteral("Level"))->text();
    };
    ModalScript modal;
    BoxScript boxes;
    modal.then<TCharacterEditionForm>([&](TCharacterEditionForm* w) {
        click(w, QStringLiteral("Rename"));
        EXPECT_EQ(shown(w), QStringLiteral("ember/Ash/") + level);
        click(w, QStringLiteral("Movechr"));
        EXPECT_EQ(shown(w), QStringLiteral("lark/Ash/") + level);
        w->reject();
    });
    modal.then<TRenameCharForm>([](TRenameCharForm* w) {
        type(w, QStringLiteral("NewName"), QStringLiteral("Ash"));
        click(w, QStringLiteral("Save"));
    });
    boxes.ok(); // "Rename Sucessfull"
    modal.then<TMoveCharForm>([](TMoveCharForm* w) {
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("ChrName"))->text(), QStringLiteral("Ash"));
        type(w, QStringLiteral("NewACC"), QStringLiteral("lark"));
        click(w, QStringLiteral("BitBtn1"));
    });
    boxes.ok(); // the move's code table
    click(main.get(), QStringLiteral("EditCharacter"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("lark"));
    EXPECT_EQ(list("Character")->currentText(), QStringLiteral("Ash"));
    EXPECT_EQ(row(QStringLiteral("SELECT AccountID FROM Character WHERE Name = 'Ash'")),
              QStringLiteral("lark"));
}

} // namespace
