#include "DemoServerTest.h"

#include "accounts/CharacterOps.h"
#include "accounts/CharacterStatements.h"
#include "accounts/FriendStore.h"
#include "platform/StatementJournal.h"

namespace {

// Renames and moves on the demo server. Juno (juniper's third slot, friend
// GUID 15) is Nightjar's friend, has a request waiting at Fionn's and, here,
// a letter of its own in Kaelin's mailbox.
class CharacterOpsTest : public DemoServerTest {
protected:
    void SetUp() override {
        DemoServerTest::SetUp();
        raw(S("INSERT INTO T_FriendMail (MemoIndex, GUID, FriendName, Subject, Memo) "
              "VALUES (20, 1, 'Juno', 'Hi', X'4869')"));
    }
    // Where the names stand: character, slot, friend number, entry, friend
    // list of Nightjar, request at Fionn's, letter at Kaelin's.
    [[nodiscard]] QString names() const {
        return rawRows(db(),
                       S("SELECT (SELECT group_concat(Name) FROM Character WHERE AccountID = 'juniper'),"
                         " (SELECT GameID3 FROM AccountCharacter WHERE Id = 'juniper'),"
                         " (SELECT Name FROM T_CGuid WHERE GUID = 15),"
                         " (SELECT Name FROM T_FriendMain WHERE GUID = 15),"
                         " (SELECT FriendName FROM T_FriendList WHERE GUID = 13 AND FriendGuid = 15),"
                         " (SELECT FriendName FROM T_WaitFriend WHERE GUID = 5 AND FriendGuid = 15),"
                         " (SELECT FriendName FROM T_FriendMail WHERE GUID = 1 AND MemoIndex = 20)"))
            .first();
    }
    void moveAnswers(const char* select) const {
        raw(S("UPDATE tanor_procedures SET body = '") + S(select) + S("' WHERE name = 'QJ_MoveCharacter'"));
    }
};

const char* const kOld = "Juno|Juno|Juno|Juno|Juno|Juno|Juno";

TEST_F(CharacterOpsTest, ARenameCarriesTheFriendSystemAlong) {
    const CharacterOps::RenameResult result = CharacterOps::Rename(S("juniper"), S("Juno"), S("Juna"));
    EXPECT_TRUE(result.complete()) << result.refusal.toStdString() << result.error.toStdString();
    EXPECT_EQ(result.applied.size(), 7);
    EXPECT_TRUE(result.notDone.isEmpty());
    EXPECT_EQ(names(), S("Juna|Juna|Juna|Juna|Juna|Juna|Juna"));
    // The server's friend procedures find the character under its new name.
    EXPECT_EQ(rawRows(db(), S("SELECT count(*) FROM T_FriendList WHERE Del = 0 AND "
                              "((GUID = 13 AND FriendName = 'Juna') OR (GUID = 15 AND FriendGuid = 13))")),
              QStringList{S("2")});

    // Another case of its own name is its own row everywhere.
    EXPECT_TRUE(CharacterOps::Rename(S("juniper"), S("Juna"), S("JUNA")).complete());
    EXPECT_EQ(names(), S("JUNA|JUNA|JUNA|JUNA|JUNA|JUNA|JUNA"));
}

TEST_F(CharacterOpsTest, AFriendSystemRowUnderTheNewNameRefusesBeforeAnyWrite) {
    const char* leftovers[] = {
        "INSERT INTO T_CGuid (Name) VALUES ('juna')",
        "INSERT INTO T_FriendMain (GUID, Name) VALUES (999, 'Juna')",
    };
    for (const char* leftover : leftovers) {
        SCOPED_TRACE(leftover);
        raw(S(leftover));
        StatementJournal::Recorder journal;
        const CharacterOps::RenameResult result = CharacterOps::Rename(S("juniper"), S("Juno"), S("Juna"));
        EXPECT_EQ(result.refusal, S("The friend system still holds the name Juna; nothing was renamed."));
        EXPECT_FALSE(result.characterRenamed());
        for (const JournalEntry& e : journal.entries())
            EXPECT_TRUE(e.opened) << e.text.toStdString();
        EXPECT_EQ(names(), S(kOld));
        raw(S("DELETE FROM T_CGuid WHERE Name = 'Juna'; DELETE FROM T_FriendMain WHERE GUID = 999"));
    }
}

TEST_F(CharacterOpsTest, ALaterFailureNamesWhatWasAppliedAndEveryStatementLeft) {
    raw(S("CREATE TRIGGER frozen BEFORE UPDATE ON T_FriendMain BEGIN "
          "SELECT RAISE(ABORT, 'T_FriendMain is locked'); END"));
    const CharacterOps::RenameResult result = CharacterOps::Rename(S("juniper"), S("Juno"), S("Juna"));
    EXPECT_FALSE(result.complete());
    EXPECT_TRUE(result.characterRenamed());
    EXPECT_TRUE(result.error.contains(S("T_FriendMain is locked"))) << result.error.toStdString();
    EXPECT_EQ(result.applied,
              (QStringList{S("the character row"), S("the account's slot"), S("the friend-system number")}));
    using namespace CharacterStatements;
    EXPECT_EQ(result.notDone,
              (QStringList{RenameFriendEntry(S("Juno"), S("Juna")), RenameInFriendLists(S("Juno"), S("Juna")),
                           RenameInFriendRequests(S("Juno"), S("Juna")),
                           RenameLetterSender(S("Juno"), S("Juna"))}));
    EXPECT_EQ(names(), S("Juna|Juna|Juna|Juno|Juno|Juno|Juno"));
}

TEST_F(CharacterOpsTest, AMoveCountsOnlyANumberTheProcedureAnswered) {
    const struct {
        const char* answer;
        std::optional<int> code;
        const char* problem; // the start of it
    } cases[] = {
        {"SELECT 4 AS Result", 4, ""},
        {"SELECT ''10'' AS Result", 10, ""},
        {"SELECT 0.0 AS Result", 0, ""},
        {"SELECT NULL AS Result", std::nullopt, "The move procedure answered NULL instead of a result code"},
        {"SELECT ''done'' AS Result", std::nullopt, "The move procedure answered 'done' instead"},
        {"SELECT 0.5 AS Result", std::nullopt, "The move procedure answered '0.5' instead"},
        {"SELECT 1 AS Result WHERE 0", std::nullopt, "The move procedure gave no result"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        moveAnswers(c.answer);
        const CharacterOps::MoveResult result = CharacterOps::Move(S("ember"), S("Ashling"), S("lark"));
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.problem.left(qstrlen(c.problem)), S(c.problem)) << result.problem.toStdString();
    }
}

// Friend-system rows left under the new name do not stop a creation: the
// name keeps its old number, and an entry that number already has stays.
TEST_F(CharacterOpsTest, CreationChecksTheRowAndToleratesFriendSystemLeftovers) {
    using CharacterOps::CreateResult;
    raw(S("INSERT INTO T_CGuid (GUID, Name) VALUES (500, 'Newbie'), (501, 'Newer'); "
          "INSERT INTO T_FriendMain (GUID, Name) VALUES (501, 'Ghost')"));
    const struct {
        const char* account;
        const char* name;
        CreateResult result;
        const char* entry; // GUID|Name|FriendCount of the name's T_FriendMain row
    } cases[] = {
        {"fresh", "Newbie", CreateResult::Created, "500|Newbie|1"},
        {"fresh", "Newer", CreateResult::Created, ""},
        {"fresh", "NEWBIE", CreateResult::NameInUse, "500|Newbie|1"},
        {"isolde", "Sixth", CreateResult::NotCreated, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CharacterOps::Create(S(c.account), S(c.name), 32), c.result);
        EXPECT_EQ(rawRows(db(), S("SELECT GUID || '|' || Name || '|' || FriendCount FROM T_FriendMain "
                                  "WHERE Name = '") +
                                    S(c.name) + S("'"))
                      .value(0),
                  S(c.entry));
    }
    EXPECT_EQ(rawRows(db(), S("SELECT count(*) FROM Character WHERE Name IN ('Newbie', 'Newer', 'Sixth')")),
              QStringList{S("2")});
}

// A subject chosen in the list names the n-th letter with it; the mailbox
// may have changed since the list was read.
TEST_F(CharacterOpsTest, TheNthLetterOfASubjectOrTheLastOne) {
    const struct {
        const char* subject;
        int occurrence;
        int memoIndex; // 0: none
    } cases[] = {{"Arrows", 0, 11}, {"Arrows", 1, 12}, {"Arrows", 5, 12}, {"Gone", 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.subject) + " " + std::to_string(c.occurrence));
        const std::optional<FriendStore::ChosenLetter> chosen =
            FriendStore::LetterOf(15, S(c.subject), c.occurrence);
        EXPECT_EQ(chosen ? chosen->memoIndex : 0, c.memoIndex);
        EXPECT_EQ(chosen && chosen->letter, c.memoIndex != 0);
    }
}

} // namespace
