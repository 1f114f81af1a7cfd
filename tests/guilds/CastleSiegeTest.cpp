#include "GuildFixture.h"
#include "Placement.h"

#include "guilds/CastlePicture.h"
#include "guilds/CastleSiegeUnit.h"
#include "guilds/MapServerGroupUnit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace {

using Strings = std::vector<QString>;

class CastleSiegeTest : public GuildTest {
protected:
    std::unique_ptr<TCastleSiegeForm> open(const QString& group) {
        AppState.MapServerGroup = group;
        auto form = std::make_unique<TCastleSiegeForm>();
        form->show();
        return form;
    }
    static CastlePicture* picture(const TCastleSiegeForm& f, const char* name) {
        return child<CastlePicture>(&f, S(name));
    }
    static QComboBox* combo(const TCastleSiegeForm& f, const char* name) {
        return child<QComboBox>(&f, S(name));
    }
    static bool shown(const TCastleSiegeForm& f, const char* name) {
        return child<QWidget>(&f, S(name))->isVisibleTo(&f);
    }
    // Shows the page of the picture and clicks on it.
    static void press(TCastleSiegeForm& f, const char* name, QPoint at) {
        showPage(f, name);
        QTest::mouseClick(picture(f, name), Qt::LeftButton, {}, at);
    }
    static void showPage(TCastleSiegeForm& f, const char* name) {
        child<QTabWidget>(&f, S("NPCPages"))->setCurrentIndex(QByteArray(name) == "Gates" ? 0 : 1);
    }
    static void typeLife(TCastleSiegeForm& f, const char* name, const char* value) {
        auto* edit = child<QLineEdit>(&f, S(name));
        edit->clear();
        QTest::keyClicks(edit, S(value));
    }
    static void chooseGuild(TCastleSiegeForm& f, const QString& guild) {
        auto* list = child<QListWidget>(&f, S("ListBox1"));
        list->setCurrentItem(list->findItems(guild, Qt::MatchExactly).value(0));
    }
};

const char* const kGatePositions[] = {" AND NPC_X=93 AND NPC_Y=204",  " AND NPC_X=81 AND NPC_Y=161",
                                      " AND NPC_X=107 AND NPC_Y=161", " AND NPC_X=67 AND NPC_Y=114",
                                      " AND NPC_X=93 AND NPC_Y=114",  " AND NPC_X=119 AND NPC_Y=114"};
const char* const kStatuePositions[] = {" AND NPC_X=94 AND NPC_Y=227", " AND NPC_X=94 AND NPC_Y=182",
                                        " AND NPC_X=82 AND NPC_Y=130", " AND NPC_X=107 AND NPC_Y=130"};

TEST_F(CastleSiegeTest, OpeningReadsTheCastleTheListAndEveryGateAndStatue) {
    StatementJournal::Recorder journal;
    auto f = open(S("0"));
    Strings expected{
        S("SELECT MAP_SVR_GROUP, SIEGE_START_DATE, SIEGE_END_DATE, SIEGE_GUILDLIST_SETTED, SIEGE_ENDED, "
          "CASTLE_OCCUPY, OWNER_GUILD, MONEY, TAX_RATE_CHAOS, TAX_RATE_STORE, TAX_HUNT_ZONE FROM "
          "TanorCastle_DATA "
          "WHERE MAP_SVR_GROUP=0"),
        S("SELECT REG_SIEGE_GUILD FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=0"),
        S("SELECT G_Name FROM Guild ORDER BY G_Name")};
    const QString gate =
        S("SELECT NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP FROM TanorCastle_NPC WHERE MAP_SVR_GROUP=0");
    const QString statue = S("SELECT NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP, NPC_RG_LEVEL FROM "
                             "TanorCastle_NPC WHERE MAP_SVR_GROUP=0");
    for (const char* p : kGatePositions)
        expected.push_back(gate + S(p));
    for (const char* p : kStatuePositions)
        expected.push_back(statue + S(p));
    expected.push_back(gate + S(kGatePositions[0])); // gate 1 and statue 1 selected
    expected.push_back(statue + S(kStatuePositions[0]));
    EXPECT_EQ(journal.texts(), expected);

    EXPECT_EQ(f->windowTitle(), S("Castle Siege Manager"));
    EXPECT_EQ(ReadSettingInt(S("CastleSiege"), S("Setup")), 1);
    EXPECT_EQ(ReadSettingInt(S("CastleSiege"), S("GLife3")), 1500000);
    EXPECT_EQ(text(f.get(), "MapServer"), S("0"));
    EXPECT_EQ(text(f.get(), "StartDate"), S("2026-12-05 00:00:00.000"));
    EXPECT_EQ(text(f.get(), "State1"), S("Registration Period"));
    EXPECT_EQ(text(f.get(), "State2"), S("Mark Registration"));
    EXPECT_EQ(text(f.get(), "GuildListCaption"), S("Guilds Registered:"));
    EXPECT_EQ(combo(*f, "CSTaxhz")->currentText(), S("150 K"));
    EXPECT_EQ(combo(*f, "CSTaxhz")->count(), 31);
    EXPECT_EQ(combo(*f, "CsTaxCM")->currentText(), S("2"));
    EXPECT_EQ(combo(*f, "CSTaxShop")->currentText(), S("1"));
    EXPECT_EQ(child<QLineEdit>(f.get(), S("Edit2"))->text(), S("128450000"));
    EXPECT_EQ(combo(*f, "ComboBox1")->currentText(), S("Ironveil"));
    EXPECT_EQ(combo(*f, "ComboBox1")->itemText(0), S("None"));
    EXPECT_EQ(listed(child<QListWidget>(f.get(), S("ListBox1"))),
              (QStringList{S("Duskward"), S("Lanterns"), S("Tidecall")}));

    // Bars: gates 1-4 and statues 1-3 exist.
    const auto* gates = picture(*f, "Gates");
    const int gateWidths[] = {32, 24, 16, 8};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(gates->BarsOf(i).shown, i < 4) << "gate " << i + 1;
        if (i < 4) {
            EXPECT_EQ(gates->BarsOf(i).lifeWidth, gateWidths[i]) << "gate " << i + 1;
        }
    }
    EXPECT_EQ(gates->BarsOf(2).life, 612000);
    EXPECT_EQ(picture(*f, "Statues")->BarsOf(1).regeneration, 1);
    EXPECT_FALSE(picture(*f, "Statues")->BarsOf(3).shown);
    // Gate 1 selected: at the fourth level there is nothing to raise.
    EXPECT_EQ(gates->Marker(), 0);
    EXPECT_EQ(child<QLineEdit>(f.get(), S("NPCLife"))->text(), S("2750000"));
    EXPECT_EQ(text(f.get(), "NPCMaxLife"), S("3000000"));
    EXPECT_EQ(combo(*f, "NPCDefLVL")->currentText(), S("+ 220"));
    EXPECT_FALSE(shown(*f, "uplife"));
    EXPECT_FALSE(child<QWidget>(f.get(), S("BitBtn5"))->isEnabled());
    showPage(*f, "Statues");
    EXPECT_FALSE(shown(*f, "suplife")); // statue 1 is at 2500000, the fourth level
    EXPECT_TRUE(shown(*f, "SNPCLife"));
}

TEST_F(CastleSiegeTest, ThePhaseDecidesListCaptionAndGuildButtons) {
    {
        auto f = open(S("1"));
        EXPECT_EQ(text(f.get(), "State1"), S("Notification-Preparation"));
        EXPECT_EQ(text(f.get(), "State2"), S("Siege Started"));
        EXPECT_EQ(text(f.get(), "GuildListCaption"), S("Selected Guilds for CS"));
        EXPECT_EQ(listed(child<QListWidget>(f.get(), S("ListBox1"))),
                  (QStringList{S("Duskward"), S("Ironveil"), S("Lanterns")}));
        StatementJournal::Recorder journal;
        chooseGuild(*f, S("Lanterns"));
        EXPECT_EQ(journal.texts().back(), S("SELECT GUILD_INVOLVED FROM TanorCastle_SIEGE_GUILDLIST WHERE "
                                            "MAP_SVR_GROUP=1 AND GUILD_NAME='Lanterns'"));
        EXPECT_EQ(combo(*f, "ComboBox2")->currentText(), S("No"));
        EXPECT_FALSE(shown(*f, "LabeledEdit1"));
        pick(combo(*f, "ComboBox2"), S("Yes"));
        EXPECT_EQ(journal.texts().back(), S("UPDATE TanorCastle_SIEGE_GUILDLIST SET GUILD_INVOLVED=1 WHERE "
                                            "MAP_SVR_GROUP=1 AND GUILD_NAME='Lanterns'"));

        BoxScript boxes;
        boxes.ok();
        journal.clear();
        click(f.get(), S("BitBtn1"));
        EXPECT_EQ(boxes.last().caption, S("Error"));
        EXPECT_EQ(boxes.last().text, S("Adding guilds when registration state has ended is not allowed"));
        EXPECT_TRUE(journal.texts().empty());
    }
    auto ended = open(S("2"));
    EXPECT_EQ(text(ended.get(), "State1"), S("Siege Ended"));
    EXPECT_FALSE(shown(*ended, "State2"));
    EXPECT_FALSE(shown(*ended, "BitBtn1"));
    EXPECT_FALSE(shown(*ended, "BitBtn2"));
    EXPECT_EQ(combo(*ended, "ComboBox1")->currentText(), S("None"));
}

TEST_F(CastleSiegeTest, ClicksSelectTheGateUnderThemAndAbsentOnesCanBeBought) {
    auto f = open(S("0"));
    StatementJournal::Recorder journal;
    press(*f, "Gates", QPoint(120, 150)); // between regions
    EXPECT_TRUE(journal.texts().empty());
    EXPECT_EQ(picture(*f, "Gates")->Marker(), 0);

    press(*f, "Gates", QPoint(100, 190));
    EXPECT_EQ(journal.texts(),
              Strings{S("SELECT NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP FROM TanorCastle_NPC "
                        "WHERE MAP_SVR_GROUP=0 AND NPC_X=93 AND NPC_Y=114")});
    EXPECT_EQ(picture(*f, "Gates")->Marker(), 4);
    EXPECT_TRUE(child<QWidget>(f.get(), S("BitBtn5"))->isEnabled());
    EXPECT_FALSE(shown(*f, "NPCLife"));

    // Gate 3 deleted, then bought again at the first level.
    press(*f, "Gates", QPoint(120, 120));
    BoxScript boxes;
    boxes.ok();
    journal.clear();
    click(f.get(), S("BitBtn6"));
    EXPECT_EQ(boxes.last().text, S("Are you Sure?"));
    EXPECT_EQ(journal.texts(),
              Strings{S("DELETE FROM TanorCastle_NPC WHERE NPC_X=107 AND NPC_Y=161 AND MAP_SVR_GROUP=0")});
    EXPECT_FALSE(picture(*f, "Gates")->BarsOf(2).shown);
    EXPECT_TRUE(child<QWidget>(f.get(), S("BitBtn5"))->isEnabled());

    journal.clear();
    click(f.get(), S("BitBtn5"));
    EXPECT_EQ(journal.texts(),
              Strings{S("INSERT INTO TanorCastle_NPC (MAP_SVR_GROUP, NPC_NUMBER, NPC_INDEX, NPC_DF_LEVEL, "
                        "NPC_RG_LEVEL, NPC_MAXHP,NPC_HP,NPC_X, NPC_Y, NPC_DIR, NPC_CREATEDATE) VALUES "
                        "(0,277,3,0,0,500000,500000,107,161,1,getdate())")});
    EXPECT_EQ(rows(S("SELECT NPC_NUMBER, NPC_INDEX, NPC_MAXHP, NPC_HP, NPC_DIR FROM TanorCastle_NPC WHERE "
                     "MAP_SVR_GROUP=0 AND NPC_X=107 AND NPC_Y=161")),
              QStringList{S("277|3|500000|500000|1")});
    const auto& bars = picture(*f, "Gates")->BarsOf(2);
    EXPECT_TRUE(bars.shown);
    EXPECT_EQ(bars.lifeWidth, 8);
    EXPECT_EQ(bars.life, bars.lifeRange);
    EXPECT_EQ(bars.defence, 0);
    EXPECT_EQ(combo(*f, "NPCDefLVL")->currentText(), S("+ 0"));
    EXPECT_FALSE(child<QWidget>(f.get(), S("BitBtn5"))->isEnabled());

    // Statue 4 bought.
    press(*f, "Statues", QPoint(120, 160));
    journal.clear();
    click(f.get(), S("Button2"));
    EXPECT_EQ(journal.texts().back().right(40),
              S("(0,283,4,0,0,400000,400000,107,130,1,getdate())").right(40));
    EXPECT_EQ(combo(*f, "SNPCReglvl")->currentText(), S("+1%"));
}

TEST_F(CastleSiegeTest, LifeLevelsRiseStepByStepToTheFourth) {
    auto f = open(S("0"));
    press(*f, "Gates", QPoint(120, 120)); // gate 3 at 800000
    StatementJournal::Recorder journal;
    click(f.get(), S("uplife"));
    click(f.get(), S("uplife"));
    EXPECT_EQ(
        journal.texts(),
        (Strings{
            S("UPDATE TanorCastle_NPC SET NPC_MAXHP=1500000,  NPC_HP=1500000 WHERE NPC_X=107 AND NPC_Y=161 "
              "AND MAP_SVR_GROUP=0"),
            S("UPDATE TanorCastle_NPC SET NPC_MAXHP=3000000,  NPC_HP=3000000 WHERE NPC_X=107 AND NPC_Y=161 "
              "AND MAP_SVR_GROUP=0")}));
    EXPECT_FALSE(shown(*f, "uplife"));
    EXPECT_EQ(picture(*f, "Gates")->BarsOf(2).lifeWidth, 32);
    EXPECT_EQ(text(f.get(), "NPCMaxLife"), S("3000000"));

    press(*f, "Statues", QPoint(70, 150)); // statue 3 at 400000
    journal.clear();
    click(f.get(), S("suplife"));
    EXPECT_EQ(journal.texts(),
              Strings{S("UPDATE TanorCastle_NPC SET NPC_MAXHP=750000, NPC_HP=750000 WHERE NPC_X=82 "
                        "AND NPC_Y=130 AND MAP_SVR_GROUP=0")});
    EXPECT_TRUE(shown(*f, "suplife"));
}

TEST_F(CastleSiegeTest, TypedLifeIsWrittenAndLimitedByTheMaximum) {
    auto f = open(S("0"));
    press(*f, "Gates", QPoint(120, 120)); // gate 3: 612000 / 800000
    StatementJournal::Recorder journal;
    typeLife(*f, "NPCLife", "7");
    EXPECT_EQ(
        journal.texts(),
        Strings{S("UPDATE TanorCastle_NPC SET NPC_HP=7 WHERE NPC_X=107 AND NPC_Y=161 AND MAP_SVR_GROUP=0")});
    EXPECT_EQ(picture(*f, "Gates")->BarsOf(2).life, 7);

    BoxScript boxes;
    boxes.ok();
    child<QLineEdit>(f.get(), S("NPCLife"))->setText(S("90000"));
    journal.clear();
    QTest::keyClicks(child<QLineEdit>(f.get(), S("NPCLife")), S("0")); // 900000 > 800000
    EXPECT_EQ(boxes.last().caption, S("Error"));
    EXPECT_EQ(boxes.last().text, S("Life can't be more than max life"));
    EXPECT_EQ(child<QLineEdit>(f.get(), S("NPCLife"))->text(), S("0"));
    EXPECT_EQ(
        journal.texts(),
        Strings{S("UPDATE TanorCastle_NPC SET NPC_HP=0 WHERE NPC_X=107 AND NPC_Y=161 AND MAP_SVR_GROUP=0")});
    EXPECT_EQ(
        rows(
            S("SELECT NPC_HP FROM TanorCastle_NPC WHERE MAP_SVR_GROUP=0 AND NPC_INDEX=3 AND NPC_NUMBER=277")),
        QStringList{S("0")});
}

TEST_F(CastleSiegeTest, AMaximumOffTheLevelsKeepsItsOwnRangeAndCannotBeRaised) {
    auto f = open(S("1")); // gate 1 of group 1: 1000000, between the second and third level
    const auto& bars = picture(*f, "Gates")->BarsOf(0);
    EXPECT_EQ(bars.lifeRange, 1000000);
    EXPECT_EQ(bars.lifeWidth, 16);
    EXPECT_FALSE(shown(*f, "uplife"));
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    child<QLineEdit>(f.get(), S("NPCLife"))->setText(S("100000"));
    QTest::keyClicks(child<QLineEdit>(f.get(), S("NPCLife")), S("1")); // 1000001
    EXPECT_EQ(boxes.last().text, S("Life can't be more than max life"));
    f->uplifeClick();
    EXPECT_EQ(
        journal.texts(),
        Strings{S("UPDATE TanorCastle_NPC SET NPC_HP=0 WHERE NPC_X=93 AND NPC_Y=204 AND MAP_SVR_GROUP=1")});
}

TEST_F(CastleSiegeTest, LevelListsWriteOnlyAChangedLevel) {
    auto f = open(S("0"));
    press(*f, "Gates", QPoint(120, 120)); // gate 3, defence 1
    StatementJournal::Recorder journal;
    pick(combo(*f, "NPCDefLVL"), S("+ 80")); // unchanged
    pick(combo(*f, "NPCDefLVL"), S("+ 120"));
    EXPECT_EQ(journal.texts(),
              Strings{S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=2 WHERE NPC_X=107 AND NPC_Y=161 AND "
                        "MAP_SVR_GROUP=0")});
    EXPECT_EQ(CastleGeometry::LevelFillWidth(picture(*f, "Gates")->BarsOf(2).defence), 24); // three quarters
    journal.clear();
    QTest::keyClick(combo(*f, "NPCDefLVL"), Qt::Key_Down); // "+ 220" from the keyboard, written once
    combo(*f, "NPCDefLVL")->setCurrentIndex(0);            // left there by the list, seen on key release
    QTest::keyRelease(combo(*f, "NPCDefLVL"), Qt::Key_Shift);
    EXPECT_EQ(journal.texts(),
              (Strings{S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=3 WHERE NPC_X=107 AND NPC_Y=161 AND "
                         "MAP_SVR_GROUP=0"),
                       S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=0 WHERE NPC_X=107 AND NPC_Y=161 AND "
                         "MAP_SVR_GROUP=0")}));

    press(*f, "Statues", QPoint(100, 100)); // statue 2
    journal.clear();
    pick(combo(*f, "SNPCReglvl"), S("+4%"));
    pick(combo(*f, "SNpcDeflvl"), S("+ 100"));
    EXPECT_EQ(
        journal.texts(),
        (Strings{
            S("UPDATE TanorCastle_NPC SET NPC_RG_LEVEL=3 WHERE NPC_X=94 AND NPC_Y=182 AND MAP_SVR_GROUP=0"),
            S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=1 WHERE NPC_X=94 AND NPC_Y=182 AND "
              "MAP_SVR_GROUP=0")}));
    EXPECT_EQ(picture(*f, "Statues")->BarsOf(1).regeneration, 3);
}

TEST_F(CastleSiegeTest, ARegisteredGuildShowsAndChangesItsRegistration) {
    auto f = open(S("0"));
    StatementJournal::Recorder journal;
    chooseGuild(*f, S("Tidecall"));
    EXPECT_EQ(
        journal.texts(),
        (Strings{
            S("SELECT G_Master, (SELECT count(*) FROM GuildMember WHERE GuildMember.G_Name='Tidecall') FROM "
              "Guild WHERE Guild.G_Name='Tidecall'"),
            S("SELECT IS_GIVEUP, REG_MARKS FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=0 AND "
              "REG_SIEGE_GUILD='Tidecall'")}));
    EXPECT_EQ(text(f.get(), "GuildMaster"), S("Isa"));
    EXPECT_EQ(text(f.get(), "MemberCount"), S("3"));
    EXPECT_EQ(combo(*f, "ComboBox2")->currentText(), S("Yes"));
    EXPECT_EQ(child<QLineEdit>(f.get(), S("LabeledEdit1"))->text(), S("3"));
    EXPECT_TRUE(shown(*f, "LabeledEdit1"));

    raw(S("INSERT INTO TanorCastle_REG_SIEGE VALUES (1, 'Duskward', 5, 0, 9)"));
    chooseGuild(*f, S("Duskward"));
    journal.clear();
    pick(combo(*f, "ComboBox2"), S("No")); // unchanged
    pick(combo(*f, "ComboBox2"), S("Yes"));
    QTest::keyRelease(combo(*f, "ComboBox2"), Qt::Key_Shift); // unchanged
    EXPECT_EQ(journal.texts(),
              Strings{S("UPDATE TanorCastle_REG_SIEGE SET IS_GIVEUP=1 WHERE MAP_SVR_GROUP=0 AND "
                        "REG_SIEGE_GUILD='Duskward'")});
    EXPECT_EQ(
        rows(S("SELECT MAP_SVR_GROUP, IS_GIVEUP FROM TanorCastle_REG_SIEGE WHERE REG_SIEGE_GUILD='Duskward' "
               "ORDER BY 1")),
        (QStringList{S("0|1"), S("1|0")}));

    journal.clear();
    auto* marks = child<QLineEdit>(f.get(), S("LabeledEdit1"));
    marks->clear();
    QTest::keyClicks(marks, S("4x2")); // the letter cannot be typed
    EXPECT_EQ(journal.texts(),
              (Strings{S("UPDATE TanorCastle_REG_SIEGE SET REG_MARKS=4 WHERE REG_SIEGE_GUILD='Duskward' AND "
                         "MAP_SVR_GROUP=0"),
                       S("UPDATE TanorCastle_REG_SIEGE SET REG_MARKS=42 WHERE REG_SIEGE_GUILD='Duskward' AND "
                         "MAP_SVR_GROUP=0")}));
    journal.clear();
    QTest::keyClick(marks, Qt::Key_Backspace);
    QTest::keyClick(marks, Qt::Key_Backspace); // empty: nothing
    EXPECT_EQ(journal.texts().size(), 1u);
}

TEST_F(CastleSiegeTest, GuildsAreRegisteredWithTheNextSequenceAndRemovedFromBothLists) {
    {
        auto f = open(S("0"));
        // Current by the focus alone, not highlighted: no guild is chosen.
        child<QListWidget>(f.get(), S("ListBox1"))->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        BoxScript boxes;
        boxes.ok();
        click(f.get(), S("BitBtn2"));
        EXPECT_EQ(boxes.last().text, S("Select at least one guild"));
        chooseGuild(*f, S("Lanterns"));
        boxes.ok();
        StatementJournal::Recorder journal;
        click(f.get(), S("BitBtn2"));
        EXPECT_EQ(boxes.last().text, S("Are you sure?"));
        EXPECT_EQ(
            journal.texts(),
            (Strings{
                S("DELETE FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=0 AND REG_SIEGE_GUILD='Lanterns'"),
                S("DELETE FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=0 AND "
                  "GUILD_NAME='Lanterns'")}));
        EXPECT_FALSE(listed(child<QListWidget>(f.get(), S("ListBox1"))).contains(S("Lanterns")));
    }

    struct Case {
        const char* before;
        const char* sequence;
    };
    for (const Case c : {Case{"", "4"}, Case{"DELETE FROM TanorCastle_REG_SIEGE", "1"}}) {
        if (*c.before)
            raw(S(c.before));
        auto f = open(S("0"));
        ModalScript modal;
        modal.then<TSearchForm>(searchGuild(S("Iron")));
        StatementJournal::Recorder journal;
        click(f.get(), S("BitBtn1"));
        EXPECT_EQ(AppState.SearchMode, 0);
        const Strings texts = journal.texts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2], S("select max (SEQ_NUM+1) from TanorCastle_REG_SIEGE"));
        EXPECT_EQ(texts.back(),
                  S("INSERT INTO TanorCastle_REG_SIEGE (MAP_SVR_GROUP, REG_SIEGE_GUILD,REG_MARKS, "
                    "IS_GIVEUP, SEQ_NUM) VALUES (0,'Ironveil',0,0,") +
                      S(c.sequence) + S(" )"));
        EXPECT_TRUE(listed(child<QListWidget>(f.get(), S("ListBox1"))).contains(S("Ironveil")));
        raw(S("DELETE FROM TanorCastle_REG_SIEGE WHERE REG_SIEGE_GUILD='Ironveil'"));
    }
}

TEST_F(CastleSiegeTest, SaveWritesOwnerMoneyAndTaxes) {
    raw(S("INSERT INTO Guild (G_Name, G_Master) VALUES ('O''Hara', 'Hollow')"));
    struct Case {
        const char* owner;
        const char* money;
        const char* written;
    };
    for (const Case c : {Case{"None", "128450000", "CASTLE_OCCUPY=0, OWNER_GUILD='', MONEY=128450000"},
                         Case{"O'Hara", "5", "CASTLE_OCCUPY=1, OWNER_GUILD='O''Hara', MONEY=5"}}) {
        auto f = open(S("0"));
        pick(combo(*f, "ComboBox1"), S(c.owner));
        type(f.get(), S("Edit2"), S(c.money));
        StatementJournal::Recorder journal;
        BoxScript boxes;
        boxes.ok();
        click(f.get(), S("BitBtn4"));
        EXPECT_EQ(journal.texts(),
                  Strings{S("UPDATE TanorCastle_DATA SET ") + S(c.written) +
                          S(", TAX_RATE_CHAOS=2, TAX_RATE_STORE=1,TAX_HUNT_ZONE=150000 WHERE "
                            "MAP_SVR_GROUP=0")});
        EXPECT_EQ(boxes.last().caption, S("Vorn Tanor Editor"));
        EXPECT_EQ(boxes.last().text, S("Castle Siege Updated"));
        EXPECT_FALSE(f->isVisible());
    }
    EXPECT_EQ(rows(S("SELECT CASTLE_OCCUPY, OWNER_GUILD, MONEY FROM TanorCastle_DATA WHERE MAP_SVR_GROUP=0")),
              QStringList{S("1|O'Hara|5")});

    auto f = open(S("0"));
    type(f.get(), S("Edit2"), S("12x"));
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    click(f.get(), S("BitBtn4"));
    EXPECT_EQ(boxes.last().text, S("Castle Money must be a whole number"));
    EXPECT_TRUE(journal.texts().empty());
}

TEST_F(CastleSiegeTest, ThePromptAndTheEditorRefuseAGroupThatIsNoNumber) {
    struct Case {
        const char* typed;
        const char* message; // empty: accepted
    };
    for (const Case c :
         {Case{"", "Put Number"}, Case{"abc", "Map Server Group must be a whole number"}, Case{" 1 ", ""}}) {
        TMapServerGroupForm prompt;
        EXPECT_EQ(child<QLineEdit>(&prompt, S("LabeledEdit1"))->text(), S("0"));
        type(&prompt, S("LabeledEdit1"), S(c.typed));
        BoxScript boxes;
        if (*c.message)
            boxes.ok();
        click(&prompt, S("OkButton"));
        if (*c.message) {
            EXPECT_EQ(boxes.last().caption, S("Error"));
            EXPECT_EQ(boxes.last().text, S(c.message));
            EXPECT_EQ(prompt.result(), 0);
        } else {
            EXPECT_EQ(AppState.MapServerGroup, S("1"));
            EXPECT_EQ(prompt.result(), QDialog::Accepted);
        }
    }
    EXPECT_EQ(child<QLineEdit>(std::make_unique<TMapServerGroupForm>().get(), S("LabeledEdit1"))->text(),
              S("1")); // the group typed last is offered again

    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    auto f = open(QString());
    EXPECT_EQ(boxes.last().text, S("Put Number"));
    EXPECT_TRUE(journal.texts().empty());
}

// Choosing a guild, a gate or a statue shows and hides fields; nothing else
// moves and the window keeps its size.
TEST_F(CastleSiegeTest, ControlsThatComeAndGoMoveNothingElse) {
    auto f = open(S("0")); // gates 5 and 6 and statue 4 absent
    const Placement opened(f.get());
    const auto unchanged = [&](const std::string& step) {
        EXPECT_EQ(Placement(f.get()).ChangedSince(opened), QStringList()) << step;
    };
    auto* guilds = child<QListWidget>(f.get(), S("ListBox1"));
    ASSERT_GT(guilds->count(), 0);
    chooseGuild(*f, guilds->item(0)->text());
    unchanged("guild chosen");
    using CastleGeometry::NpcKind;
    for (const NpcKind kind : {NpcKind::Gate, NpcKind::Statue}) {
        const char* page = kind == NpcKind::Gate ? "Gates" : "Statues";
        for (const CastleGeometry::NpcPlace& place : CastleGeometry::Places(kind)) {
            press(*f, page, place.region.center());
            unchanged(page + std::to_string(place.number));
        }
    }
    guilds->clearSelection();
    unchanged("no guild chosen");
}

} // namespace
