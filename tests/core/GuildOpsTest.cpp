#include "DemoServerTest.h"

#include "guilds/CastleSiege.h"
#include "guilds/GuildStore.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

namespace {

// The guild and castle operations on the demo server, where the windows'
// tests do not reach: failures midway and values the lists do not hold.
class GuildOpsTest : public DemoServerTest {
protected:
};

TEST_F(GuildOpsTest, AUnionFollowsEveryWriteWhenALaterOneFails) {
    raw(S("CREATE TRIGGER refuse_union BEFORE UPDATE OF G_Union ON Guild WHEN NEW.G_Name = 'Saltmark' "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    GuildStore::Union duskward = GuildStore::LoadUnion(S("Duskward"));
    ASSERT_EQ(duskward.number, 0);
    EXPECT_THROW((void)GuildStore::JoinUnion(S("Duskward"), duskward, S("Saltmark")), DbError);
    // The new union was made and Duskward is in it, as stored.
    EXPECT_EQ(duskward.number, 2);
    EXPECT_EQ(duskward.guilds, QStringList{S("Duskward")});
    EXPECT_EQ(rows(S("SELECT G_Name FROM Guild WHERE G_Union = 2")), QStringList{S("Duskward")});
}

TEST_F(GuildOpsTest, CastleSaveKeepsWhatTheListsDoNotHoldAndChecksTheMoney) {
    CastleSiege::StoredCastle stored;
    stored.occupied = true;
    stored.owner = S("Gone's");
    stored.chaosTax = 7;
    stored.storeTax = 9;
    stored.huntZoneTax = 155000;
    struct Case {
        CastleSiege::CastleChoice choice;
        const char* written; // nothing: refused
    };
    const Case cases[] = {
        {{S(" 5 "), -1, QString(), -1, -1, -1},
         "CASTLE_OCCUPY=1, OWNER_GUILD='Gone''s', MONEY=5, TAX_RATE_CHAOS=7, "
         "TAX_RATE_STORE=9,TAX_HUNT_ZONE=155000"},
        {{S("0"), 0, S("None"), 3, 0, 2},
         "CASTLE_OCCUPY=0, OWNER_GUILD='', MONEY=0, TAX_RATE_CHAOS=3, TAX_RATE_STORE=0,TAX_HUNT_ZONE=20000"},
        {{S("7"), 2, S("Tidecall"), 0, 1, 0},
         "CASTLE_OCCUPY=1, OWNER_GUILD='Tidecall', MONEY=7, TAX_RATE_CHAOS=0, "
         "TAX_RATE_STORE=1,TAX_HUNT_ZONE=0"},
        {{S("-1"), 0, S("None"), 0, 0, 0}, nullptr},
        {{S(""), 0, S("None"), 0, 0, 0}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.money.toStdString());
        StatementJournal::Recorder journal;
        const CastleSiege::SaveResult result = CastleSiege::Save(0, stored, c.choice);
        if (!c.written) {
            EXPECT_EQ(result, CastleSiege::SaveResult::MoneyNotWhole);
            EXPECT_TRUE(journal.texts().empty());
            continue;
        }
        EXPECT_EQ(result, CastleSiege::SaveResult::Saved);
        EXPECT_EQ(journal.texts(), std::vector<QString>{S("UPDATE TanorCastle_DATA SET ") + S(c.written) +
                                                        S(" WHERE MAP_SVR_GROUP=0")});
    }
}

TEST_F(GuildOpsTest, MarksTheServerRefusesAreNotWritten) {
    raw(S("CREATE TRIGGER refuse_marks BEFORE UPDATE OF REG_MARKS ON TanorCastle_REG_SIEGE "
          "WHEN NEW.REG_MARKS > 1000 BEGIN SELECT RAISE(ABORT, 'too many marks'); END"));
    const QString marks = S("SELECT REG_MARKS FROM TanorCastle_REG_SIEGE WHERE REG_SIEGE_GUILD = 'Duskward'");
    EXPECT_NO_THROW(CastleSiege::SetMarks(0, S("Duskward"), S("5000")));
    EXPECT_EQ(rows(marks), QStringList{S("34")});
    CastleSiege::SetMarks(0, S("Duskward"), S(" 40 "));
    EXPECT_EQ(rows(marks), QStringList{S("40")});
}

} // namespace
