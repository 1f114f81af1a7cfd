#include "AccountsFixture.h"

#include "accounts/MoveCharUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "accounts/RenameCharUnit.h"
#include "widgets/WidgetKit.h"

#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

using CharacterChangesTest = AccountsTest;

// ---------------------------------------------------------------- creation

TEST_F(CharacterChangesTest, CreationPassesTheClassAndWritesTheFriendRows) {
    const struct {
        int item;
        const char* name;
        int code;
    } classes[] = {{0, "Wiz'ard", 0}, {1, "Knight", 16}, {2, "Elfie", 32}, {3, "Glad", 48}, {4, "Lord", 64}};
    for (const auto& c : classes) {
        auto w = open<TNewCharacterForm>(QStringLiteral("fresh"));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("New Character"));
        EXPECT_EQ(child<RadioGroup>(w.get(), QStringLiteral("NewCharacterType"))->ItemIndex(), 0);
        const QString name = QLatin1String(c.name);
        type(w.get(), QStringLiteral("NewCharacterName"), name);
        child<RadioGroup>(w.get(), QStringLiteral("NewCharacterType"))->Item(c.item)->click();
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("Button1"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Character Created"));
        EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Tanor Editor"));
        EXPECT_EQ(accepted.count(), 1);
        EXPECT_EQ(w->CreatedCharacter(), name);
        const QString guid = row(QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name = ") + Q(name));
        const QString lookup = QStringLiteral("SELECT Name FROM Character WHERE Name=") + Q(name);
        EXPECT_EQ(
            journal.texts(),
            (std::vector<QString>{
                lookup,
                QStringLiteral("EXECUTE QJ_CreateCharacter @AccountID='fresh', @Name=") + Q(name) +
                    QStringLiteral(", @Class=") + QString::number(c.code),
                lookup,
                QStringLiteral("INSERT INTO T_CGuid (Name) Values (") + Q(name) + QLatin1Char(')'),
                QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name=") + Q(name),
                QStringLiteral("INSERT INTO T_FriendMain (GUID, Name, FriendCount, MemoCount, MemoTotal) "
                               "VALUES (") +
                    guid + QLatin1Char(',') + Q(name) + QStringLiteral(",1,10,0)"),
            }));
        EXPECT_EQ(row(QStringLiteral("SELECT c.AccountID, c.Class, f.GUID, f.FriendCount, f.MemoCount, "
                                     "f.MemoTotal FROM Character c JOIN T_FriendMain f ON f.Name = c.Name "
                                     "WHERE c.Name = ") +
                      Q(name)),
                  QStringLiteral("fresh|") + QString::number(c.code) + QLatin1Char('|') + guid +
                      QStringLiteral("|1|10|0"));
    }
}

TEST_F(CharacterChangesTest, CreationRefusesATakenOrEmptyNameAndSaysWhenTheServerCreatedNothing) {
    const struct {
        const char* account;
        const char* name;
        const char* caption;
        const char* message;
        std::size_t statements;
    } cases[] = {
        {"hollis", "HOLLOW", "Error", "Name is in use", 1}, // names compare without regard to case
        {"hollis", " ", "New Character", "Type the name of the new character.", 0},
        {"isolde", "Sixth", "New Character",
         "The server did not create the character Sixth (is a character slot of the account free?).", 3},
    };
    for (const auto& c : cases) {
        auto w = open<TNewCharacterForm>(QLatin1String(c.account));
        type(w.get(), QStringLiteral("NewCharacterName"), QLatin1String(c.name));
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("Button1"));
        EXPECT_EQ(boxes.last().caption, QLatin1String(c.caption));
        EXPECT_EQ(boxes.last().text, QLatin1String(c.message));
        EXPECT_EQ(journal.texts().size(), c.statements) << c.name;
        EXPECT_EQ(accepted.count(), 0);
        EXPECT_EQ(w->CreatedCharacter(), QString());
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT 1 FROM T_CGuid WHERE Name = 'Sixth'")).size(), 0);
}

// ---------------------------------------------------------------- renaming

class RenameTest : public AccountsTest {
protected:
    // Renames Juno (third slot of juniper); returns the boxes' texts. The
    // window closes after Save unless a step failed after the first.
    std::vector<QString> rename(const QString& newName, const QString& character = QStringLiteral("Juno"),
                                bool closes = true) {
        w = open<TRenameCharForm>(QStringLiteral("juniper"), character);
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("Name"))->text(), character);
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("Acc"))->text(), QStringLiteral("juniper"));
        type(w.get(), QStringLiteral("NewName"), newName);
        BoxScript boxes;
        boxes.ok();
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        journal.clear();
        click(w.get(), QStringLiteral("Save"));
        EXPECT_EQ(accepted.count(), closes ? 1 : 0);
        return boxes.texts();
    }
    [[nodiscard]] QString state() const {
        return row(
            QStringLiteral("SELECT (SELECT group_concat(Name) FROM Character WHERE AccountID = 'juniper'), "
                           "GameID3, ifnull(GameIDC, 'NULL'), (SELECT Name FROM T_CGuid WHERE GUID = "
                           "(SELECT GUID FROM T_FriendMain WHERE Name IN ('Juno', 'Juna'))) FROM "
                           "AccountCharacter WHERE Id = 'juniper'"));
    }
    StatementJournal::Recorder journal;
    std::unique_ptr<TRenameCharForm> w;
};

TEST_F(RenameTest, ARenameRewritesTheRowTheSlotAndTheFriendName) {
    const QString guid = row(QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name = 'Juno'"));
    EXPECT_EQ(rename(QStringLiteral("Juna")), std::vector<QString>{QStringLiteral("Rename Sucessfull")});
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            QStringLiteral("SELECT Name FROM Character WHERE Name='Juna'"),
            QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name='Juna'"),
            QStringLiteral("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name='Juna'"),
            QStringLiteral("SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter WHERE "
                           "Id='juniper'"),
            QStringLiteral("UPDATE Character SET Name='Juna' WHERE AccountID='juniper' AND Name='Juno'"),
            QStringLiteral("UPDATE AccountCharacter SET GameIDC=NULL,  GameID3 ='Juna' WHERE Id='juniper'"),
            QStringLiteral("UPDATE T_CGuid SET Name='Juna' WHERE Name='Juno'"),
            QStringLiteral("UPDATE T_FriendMain SET Name='Juna' WHERE Name='Juno'"),
            QStringLiteral("UPDATE T_FriendList SET FriendName='Juna' WHERE FriendName='Juno'"),
            QStringLiteral("UPDATE T_WaitFriend SET FriendName='Juna' WHERE FriendName='Juno'"),
            QStringLiteral("UPDATE T_FriendMail SET FriendName='Juna' WHERE FriendName='Juno'"),
        }));
    EXPECT_EQ(state(), QStringLiteral("Juna|Juna|NULL|Juna"));
    EXPECT_EQ(w->RenamedTo(), QStringLiteral("Juna")); // the character editor follows it
    EXPECT_EQ(row(QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name = 'Juna'")), guid);

    // Another case of its own name is no name in use.
    EXPECT_EQ(rename(QStringLiteral("JUNA"), QStringLiteral("Juna")),
              std::vector<QString>{QStringLiteral("Rename Sucessfull")});
    EXPECT_EQ(row(QStringLiteral("SELECT GameID3 FROM AccountCharacter WHERE Id = 'juniper'")),
              QStringLiteral("JUNA"));
}

TEST_F(RenameTest, EverythingIsCheckedBeforeAnythingIsWritten) {
    const QString before = state();
    EXPECT_EQ(rename(QStringLiteral("kaelin")), std::vector<QString>{QStringLiteral("Name is in Use")});
    EXPECT_EQ(rename(QString()), std::vector<QString>{QStringLiteral("Type the new name.")});
    raw(QStringLiteral("UPDATE AccountCharacter SET GameID3 = NULL WHERE Id = 'juniper'"));
    EXPECT_EQ(rename(QStringLiteral("Juna")),
              std::vector<QString>{QStringLiteral(
                  "No character slot of the account juniper holds Juno; nothing was renamed.")});
    for (const JournalEntry& e : journal.entries())
        EXPECT_TRUE(e.opened) << e.text.toStdString();
    raw(QStringLiteral("UPDATE AccountCharacter SET GameID3 = 'Juno' WHERE Id = 'juniper'"));
    EXPECT_EQ(state(), before);
}

TEST_F(RenameTest, ALaterFailureNamesWhatWasAlreadyRenamed) {
    raw(QStringLiteral("CREATE TRIGGER frozen BEFORE UPDATE ON T_CGuid BEGIN SELECT RAISE(ABORT, 'T_CGuid is "
                       "locked'); END"));
    const std::vector<QString> boxes = rename(QStringLiteral("Juna"), QStringLiteral("Juno"), false);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("T_CGuid is locked"))) << boxes[0].toStdString();
    const QString applied =
        QStringLiteral("Renamed so far: the character row, the account's slot.\nNot done:\n"
                       "UPDATE T_CGuid SET Name='Juna' WHERE Name='Juno'\nUPDATE T_FriendMain SET "
                       "Name='Juna' WHERE Name='Juno'\n"
                       "UPDATE T_FriendList SET FriendName='Juna' WHERE FriendName='Juno'\n"
                       "UPDATE T_WaitFriend SET FriendName='Juna' WHERE FriendName='Juno'\n"
                       "UPDATE T_FriendMail SET FriendName='Juna' WHERE FriendName='Juno'");
    EXPECT_TRUE(boxes[0].endsWith(applied)) << boxes[0].toStdString();
    EXPECT_EQ(state(), QStringLiteral("Juna|Juna|NULL|Juno"));
    // The window stays with what was applied in view; Save cannot run the
    // checks again on a half-renamed character.
    EXPECT_EQ(child<QLabel>(w.get(), QStringLiteral("Applied"))->text(), applied);
    EXPECT_FALSE(child<QLabel>(w.get(), QStringLiteral("Applied"))->isHidden());
    EXPECT_FALSE(child<QAbstractButton>(w.get(), QStringLiteral("Save"))->isEnabled());
    EXPECT_EQ(w->RenamedTo(), QStringLiteral("Juna"));
}

// ---------------------------------------------------------------- moving

TEST_F(CharacterChangesTest, TheMoveShowsTheCodeTableWithTheProceduresAnswer) {
    const struct {
        const char* account;
        const char* character;
        const char* result;
        const char* owner; // afterwards
    } cases[] = {
        {"ember", "Ashling", "Result: 0x00", "lark"},
        {"garrow", "Heather", "Result: 0x04", "garrow"}, // moved three times already
        {"corvin", "Magpie", "Result: 0x010", "corvin"}, // in a guild
    };
    for (const auto& c : cases) {
        auto w = open<TMoveCharForm>(QLatin1String(c.account), QLatin1String(c.character));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Move Character..."));
        type(w.get(), QStringLiteral("NewACC"), QStringLiteral("lark"));
        BoxScript boxes;
        boxes.cancel(); // either answer only closes the box
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), QStringLiteral("BitBtn1"));
        ASSERT_EQ(journal.entries().size(), 1u);
        EXPECT_TRUE(journal.entries()[0].opened);
        EXPECT_EQ(journal.entries()[0].text,
                  lines({QStringLiteral("EXECUTE QJ_MoveCharacter @AccountID=") + Q(QLatin1String(c.account)),
                         QStringLiteral(", @Name=") + Q(QLatin1String(c.character)) +
                             QStringLiteral(", @ChangeAccountID='lark'"),
                         QStringLiteral(",@IsOriginalAccountID=1")}));
        EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("0x00 : Move Successfull!\n\r")));
        EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("\n\r\n\r") + QLatin1String(c.result)))
            << boxes.last().text.toStdString();
        EXPECT_EQ(accepted.count(), 1);
        EXPECT_EQ(row(QStringLiteral("SELECT AccountID FROM Character WHERE Name = ") +
                      Q(QLatin1String(c.character))),
                  QLatin1String(c.owner));
        // The character editor follows a move that was made.
        EXPECT_EQ(w->MovedTo().isEmpty() ? QLatin1String(c.account) : w->MovedTo(), QLatin1String(c.owner));
    }
}

TEST_F(CharacterChangesTest, AMoveWithoutAResultCodeIsAnErrorAndTheWindowStays) {
    raw(QStringLiteral(
        "UPDATE tanor_procedures SET body = 'SELECT NULL AS Result' WHERE name = 'QJ_MoveCharacter'"));
    auto w = open<TMoveCharForm>(QStringLiteral("ember"), QStringLiteral("Ashling"));
    type(w.get(), QStringLiteral("NewACC"), QStringLiteral("lark"));
    BoxScript boxes;
    boxes.ok();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    click(w.get(), QStringLiteral("BitBtn1"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("The move procedure answered NULL")))
        << boxes.last().text.toStdString();
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_TRUE(w->MovedTo().isEmpty());
}

} // namespace
