#include "GuildFixture.h"

#include "guilds/EditGuildUnit.h"
#include "guilds/GuildMark.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using Strings = std::vector<QString>;

class EditGuildTest : public GuildTest {
protected:
    std::unique_ptr<TEditGuildForm> open(const QString& guild) {
        AppState.CurrentGuild = guild;
        auto form = std::make_unique<TEditGuildForm>();
        form->show();
        return form;
    }
    static QListWidget* members(const TEditGuildForm& f) { return child<QListWidget>(&f, S("GuildMember")); }
    static QComboBox* level(const TEditGuildForm& f) { return child<QComboBox>(&f, S("MemberLevel")); }
    static void chooseMember(TEditGuildForm& f, const QString& name) {
        QListWidgetItem* item = members(f)->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr) << name.toStdString();
        members(f)->setCurrentItem(item);
    }
    // The colour a mark cell is drawn in.
    static QRgb cellColour(TEditGuildForm& f, int k) {
        QWidget* cell = child<QWidget>(&f, QStringLiteral("Image%1").arg(k));
        return cell->grab().toImage().pixel(1, 1) & 0xFFFFFF;
    }
    [[nodiscard]] QString storedMark(const QString& guild) const {
        return rows(S("SELECT hex(G_Mark) FROM Guild WHERE G_Name='") + guild + S("'")).value(0);
    }
};

TEST_F(EditGuildTest, LoadingShowsTheGuildMarkAndMembersMasterFirst) {
    raw(S("UPDATE Guild SET G_Mark=X'4F' WHERE G_Name='Saltmark'"));
    StatementJournal::Recorder journal;
    auto f = open(S("Saltmark"));
    EXPECT_EQ(
        journal.texts(),
        (Strings{S("Select * from Guild Where G_Name='Saltmark'"),
                 S("Select G_Mark, G_Score, G_Notice, G_Master, G_Type, G_Rival, G_Union From Guild Where "
                   "G_Name='Saltmark'"),
                 S("SELECT Name, G_Level FROM GuildMember WHERE G_Name='Saltmark' ORDER BY G_Status DESC")}));
    EXPECT_EQ(f->windowTitle(), S("Edit Guild..."));
    EXPECT_EQ(child<QLineEdit>(f.get(), S("GuildName"))->text(), S("Saltmark"));
    EXPECT_EQ(child<QLineEdit>(f.get(), S("Score"))->text(), S("0")); // NULL score
    EXPECT_EQ(cellColour(*f, 1), 0xFF0000u);
    EXPECT_EQ(cellColour(*f, 2), 0xFE0089u);
    EXPECT_EQ(cellColour(*f, 3), 0x000000u); // missing cells are colour 0

    auto ironveil = open(S("Ironveil"));
    EXPECT_EQ(listed(members(*ironveil)).value(0), S("Thornback"));
    EXPECT_EQ(listed(members(*ironveil)).size(), 5);
    EXPECT_EQ(child<QLineEdit>(ironveil.get(), S("Score"))->text(), S("1840"));
    EXPECT_TRUE(child<QWidget>(ironveil.get(), S("Modify"))->isEnabled());
}

TEST_F(EditGuildTest, AGuildThatIsGoneLeavesTheWindowEmpty) {
    BoxScript boxes;
    boxes.ok();
    auto f = open(S("Nobody"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Plain);
    EXPECT_EQ(boxes.last().text, S("Guild do not exist"));
    EXPECT_FALSE(child<QWidget>(f.get(), S("Modify"))->isEnabled());
    EXPECT_EQ(members(*f)->count(), 0);
}

TEST_F(EditGuildTest, PaletteAndCellChangeOneDigitThatSaveWrites) {
    raw(S("UPDATE Guild SET G_Mark=X'0102' WHERE G_Name='Saltmark'"));
    auto f = open(S("Saltmark"));
    QTest::mouseClick(child<QWidget>(f.get(), S("Pallete")), Qt::RightButton, {}, QPoint(25, 30));
    QTest::mouseClick(child<QWidget>(f.get(), S("Image10")), Qt::LeftButton);
    EXPECT_EQ(child<QWidget>(f.get(), S("CurrentColor"))->grab().toImage().pixel(5, 5) & 0xFFFFFF, 0x01FF8Bu);
    EXPECT_EQ(cellColour(*f, 10), 0x01FF8Bu);
    type(f.get(), S("Notice"), S("Don't panic"));

    QString mark = S("0102") + QString(60, QLatin1Char('0'));
    mark[9] = QLatin1Char('9');
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    click(f.get(), S("Modify"));
    EXPECT_EQ(journal.texts(), Strings{S("UPDATE Guild SET G_Mark=0x") + mark +
                                       S(", G_Notice='Don''t panic', G_Score=0\r\n WHERE "
                                         "G_Name='Saltmark'")});
    EXPECT_EQ(boxes.last().caption, S("TanorEditor"));
    EXPECT_EQ(boxes.last().text, S("Guild Information Updated!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(storedMark(S("Saltmark")), mark);
    EXPECT_EQ(rows(S("SELECT G_Score, G_Notice FROM Guild WHERE G_Name='Saltmark'")),
              QStringList{S("0|Don't panic")});
}

TEST_F(EditGuildTest, AScoreThatIsNoWholeNumberIsRefusedByName) {
    auto f = open(S("Ironveil"));
    for (const char* bad : {"12a", "", "9.5"}) {
        type(f.get(), S("Score"), S(bad));
        StatementJournal::Recorder journal;
        BoxScript boxes;
        boxes.ok();
        click(f.get(), S("Modify"));
        EXPECT_TRUE(journal.texts().empty()) << bad;
        EXPECT_EQ(boxes.last().text, S("Guild Score must be a whole number"));
        EXPECT_TRUE(f->isVisible());
    }
}

TEST_F(EditGuildTest, MembersShowTheirCharacterAndTheMasterIsProtected) {
    raw(S("UPDATE Character SET Class=17 WHERE Name='Brann'; UPDATE Character SET Class=80 WHERE "
          "Name='Corvus'"));
    auto f = open(S("Ironveil"));
    StatementJournal::Recorder journal;
    chooseMember(*f, S("Brann"));
    EXPECT_EQ(journal.texts(),
              (Strings{S("SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, "
                         "Leadership From Character WHERE Name='Brann'"),
                       S("SELECT G_Status, G_Level FROM GuildMember WHERE Name='Brann'")}));
    EXPECT_EQ(text(f.get(), "ClassType"), S("Blade Knight"));
    EXPECT_EQ(text(f.get(), "Account"),
              rows(S("SELECT AccountID FROM Character WHERE Name='Brann'")).value(0));
    EXPECT_EQ(text(f.get(), "Charisma"),
              rows(S("SELECT Leadership FROM Character WHERE Name='Brann'")).value(0));
    EXPECT_EQ(level(*f)->currentText(), S("Battle Master"));
    EXPECT_TRUE(level(*f)->isEnabled());
    EXPECT_EQ(journal.texts().size(), 2u); // selecting the rank wrote nothing

    chooseMember(*f, S("Corvus"));
    EXPECT_EQ(text(f.get(), "ClassType"), S("80"));
    EXPECT_EQ(level(*f)->currentText(), S("Guild Member"));

    // Moving to the master with the keyboard protects him as a click does.
    chooseMember(*f, S("Brann"));
    members(*f)->setFocus();
    QTest::keyClick(members(*f), Qt::Key_Home);
    EXPECT_EQ(members(*f)->currentItem()->text(), S("Thornback"));
    EXPECT_EQ(level(*f)->currentText(), S("Guild Master"));
    EXPECT_FALSE(level(*f)->isEnabled());
    EXPECT_FALSE(child<QWidget>(f.get(), S("Kick"))->isEnabled());
}

TEST_F(EditGuildTest, RankChangesAndKicksAreWrittenAtOnce) {
    auto f = open(S("Ironveil"));
    StatementJournal::Recorder journal;
    f->MemberLevelChange(1); // nobody selected: nothing
    f->KickClick();
    // A row made current by the focus alone is not highlighted: no target.
    members(*f)->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    f->MemberLevelChange(1);
    f->KickClick();
    EXPECT_TRUE(journal.texts().empty());

    chooseMember(*f, S("Briar"));
    journal.clear();
    pick(level(*f), S("Battle Master"));
    pick(level(*f), S("Guild Master")); // the master's rank is not given away here
    EXPECT_EQ(journal.texts(),
              Strings{S("UPDATE GuildMember SET G_Status=32, G_Level=NULL WHERE Name='Briar'")});
    EXPECT_EQ(rows(S("SELECT G_Status, ifnull(G_Level, 'NULL') FROM GuildMember WHERE Name='Briar'")),
              QStringList{S("32|NULL")});

    BoxScript boxes;
    boxes.cancel();
    click(f.get(), S("Kick"));
    EXPECT_EQ(rows(S("SELECT count(*) FROM GuildMember WHERE Name='Briar'")), QStringList{S("1")});
    boxes.ok().ok();
    journal.clear();
    click(f.get(), S("Kick"));
    EXPECT_EQ(journal.texts(), Strings{S("DELETE FROM GuildMember WHERE Name='Briar'")});
    EXPECT_EQ(boxes.boxes()[0].text, S("Are You Sure?"));
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().caption, S("Vorn Tanor Editor"));
    EXPECT_EQ(boxes.last().text, S("Guild Member Kicked"));
    EXPECT_FALSE(listed(members(*f)).contains(S("Briar")));
    EXPECT_EQ(rows(S("SELECT count(*) FROM GuildMember WHERE Name='Briar'")), QStringList{S("0")});
    for (const char* detail : {"Account", "Level", "ClassType", "Strength", "Charisma"})
        EXPECT_TRUE(text(f.get(), detail).isEmpty()) << detail;
    EXPECT_EQ(level(*f)->currentIndex(), -1);
}

TEST_F(EditGuildTest, TheUnionPanelListsAddsAndRemovesAtOnce) {
    auto f = open(S("Ironveil"));
    QWidget* panel = child<QWidget>(f.get(), S("UnionPanel"));
    EXPECT_FALSE(panel->isVisible());
    StatementJournal::Recorder journal;
    click(f.get(), S("BitBtn3"));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(journal.texts(), (Strings{S("SELECT G_Union FROM Guild WHERE G_Name='Ironveil'"),
                                        S("SELECT G_Name, Number, G_Union FROM Guild WHERE G_Union=1")}));
    auto* unionList = child<QListWidget>(f.get(), S("Union"));
    EXPECT_EQ(listed(unionList), (QStringList{S("Ironveil"), S("Lanterns")}));
    EXPECT_EQ(unionList->currentRow(), 0);

    ModalScript modal;
    modal.then<TSearchForm>(searchGuild(S("Tide")));
    journal.clear();
    click(f.get(), S("UnionAdd"));
    EXPECT_EQ(AppState.SearchMode, 0);
    EXPECT_EQ(journal.texts().back(), S("UPDATE Guild SET G_Union=1 WHERE G_Name='Tidecall'"));
    EXPECT_EQ(listed(unionList).size(), 3);

    // A guild already in the union is refused: listed twice, removing one
    // would leave it shown but gone.
    {
        BoxScript boxes;
        boxes.ok(2);
        modal.then<TSearchForm>(searchGuild(S("lanterns"))).then<TSearchForm>(searchGuild(S("Tide")));
        journal.clear();
        click(f.get(), S("UnionAdd"));
        click(f.get(), S("UnionAdd"));
        EXPECT_EQ(journal.texts().size(), 2u); // the two searches, nothing written
        EXPECT_EQ(boxes.texts(),
                  (Strings{S("Lanterns is already in the union"), S("Tidecall is already in the union")}));
    }
    EXPECT_EQ(listed(unionList), rows(S("SELECT G_Name FROM Guild WHERE G_Union=1")));

    journal.clear();
    unionList->setCurrentRow(0);
    click(f.get(), S("UnionDelete"));
    EXPECT_EQ(journal.texts(), Strings{S("UPDATE Guild SET G_Union=0 WHERE G_Name='Ironveil'")});
    EXPECT_EQ(listed(unionList), (QStringList{S("Lanterns"), S("Tidecall")}));
    unionList->setCurrentItem(nullptr);
    journal.clear();
    click(f.get(), S("UnionDelete"));
    EXPECT_TRUE(journal.texts().empty());

    click(f.get(), S("BitBtn2"));
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(EditGuildTest, AGuildWithoutUnionCreatesOneAboveTheHighest) {
    struct Case {
        const char* before; // unions in use
        int created;
    };
    for (const Case c : {Case{"UPDATE Guild SET G_Union=0", 1},
                         Case{"UPDATE Guild SET G_Union=4 WHERE G_Name='Lanterns'", 5}}) {
        raw(S(c.before));
        auto f = open(S("Duskward"));
        click(f.get(), S("BitBtn3"));
        auto* unionList = child<QListWidget>(f.get(), S("Union"));
        EXPECT_EQ(unionList->count(), 0);

        ModalScript modal;
        modal.then<TSearchForm>(searchGuild(QString())).then<TSearchForm>(searchGuild(S("Salt")));
        StatementJournal::Recorder journal;
        click(f.get(), S("UnionAdd")); // closed without a choice: nothing
        EXPECT_TRUE(journal.texts().empty());
        click(f.get(), S("UnionAdd"));
        const QString u = QString::number(c.created);
        EXPECT_EQ(journal.texts(),
                  (Strings{S("SELECT G_Name FROM Guild WHERE G_Name LIKE('%Salt%') ORDER BY G_Name"),
                           S("SELECT  MAX(G_Union) FROM Guild"),
                           S("UPDATE Guild SET G_Union=") + u + S(" WHERE G_Name='Duskward'"),
                           S("UPDATE Guild SET G_Union=") + u + S(" WHERE G_Name='Saltmark'")}));
        // The list shows the new union as stored, the edited guild in it.
        EXPECT_EQ(listed(unionList), (QStringList{S("Duskward"), S("Saltmark")}));
        click(f.get(), S("BitBtn3"));
        EXPECT_EQ(listed(unionList), (QStringList{S("Duskward"), S("Saltmark")}));
        raw(S("UPDATE Guild SET G_Union=0 WHERE G_Name IN ('Duskward', 'Saltmark')"));
    }
}

} // namespace
