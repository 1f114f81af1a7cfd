#include "GuildFixture.h"

#include "guilds/EditGuildUnit.h"
#include "guilds/GuildManagerUnit.h"

#include <QComboBox>

namespace {

using Strings = std::vector<QString>;

class GuildManagerTest : public GuildTest {
protected:
    std::unique_ptr<TGuildManagerForm> open() {
        auto form = std::make_unique<TGuildManagerForm>();
        form->show();
        return form;
    }
    static void fill(TGuildManagerForm* f, const QString& guild, const QString& master) {
        type(f, S("GuildName"), guild);
        type(f, S("GuildMaster"), master);
    }
    // Paints cell k in the palette colour at (x, y) of the strip.
    static void paint(TGuildManagerForm* f, QPoint swatch, int k) {
        QTest::mouseClick(child<QWidget>(f, S("Pallete")), Qt::LeftButton, {}, swatch);
        QTest::mouseClick(child<QWidget>(f, QStringLiteral("Image%1").arg(k)), Qt::LeftButton);
    }
};

TEST_F(GuildManagerTest, LookupsRefuseUnknownMastersAndTakenNames) {
    struct Case {
        const char* guild;
        const char* master;
        const char* message;
        size_t statements;
    };
    for (const Case c : {Case{"Wardens", "Nobody", "Character do not Exist!", 1},
                         Case{"Ironveil", "Hollow", "Guild Name or Guild Master exist!", 3},
                         Case{"Wardens", "Gorse", "Guild Name or Guild Master exist!", 3}}) {
        auto f = open();
        fill(f.get(), S(c.guild), S(c.master));
        StatementJournal::Recorder journal;
        BoxScript boxes;
        boxes.ok();
        click(f.get(), S("BitBtn3"));
        EXPECT_EQ(boxes.last().caption, S("Vorn TanorEditor"));
        EXPECT_EQ(boxes.last().text, S(c.message));
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
        EXPECT_EQ(journal.texts().size(), c.statements) << c.guild << "/" << c.master;
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->CreatedGuild(), QString());
    }
    EXPECT_EQ(rows(S("SELECT count(*) FROM Guild")), QStringList{S("5")});
}

TEST_F(GuildManagerTest, CreationCallsTheProcedureRaisesTheMasterAndWritesTheMark) {
    auto f = open();
    EXPECT_EQ(f->windowTitle(), S("Create Guild..."));
    fill(f.get(), S("Wardens"), S("Hollow"));
    paint(f.get(), QPoint(85, 5), 1);   // red
    paint(f.get(), QPoint(65, 15), 64); // white
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    click(f.get(), S("BitBtn3"));
    const QString mark = S("4") + QString(62, QLatin1Char('0')) + S("3");
    EXPECT_EQ(journal.texts(),
              (Strings{S("SELECT * FROM \"Character\" WHERE \"Name\"='Hollow'"),
                       S("SELECT G_Name FROM Guild WHERE G_Name='Wardens'"),
                       S("SELECT G_Master FROM Guild WHERE G_Master='Hollow'"),
                       S("EXECUTE QJ_GuildCreate @GuildName='Wardens', @MasterName='Hollow'"),
                       S("SELECT G_Master FROM Guild WHERE G_Master='Hollow'"),
                       S("UPDATE GuildMember SET G_Status=128 WHERE Name='Hollow'"),
                       S("UPDATE Guild SET G_Mark=0x") + mark + S(" WHERE G_Master ='Hollow'")}));
    EXPECT_EQ(boxes.last().caption, S("Vorn Editor"));
    EXPECT_EQ(boxes.last().text, S("Guild Created!"));
    EXPECT_EQ(f->CreatedGuild(), S("Wardens"));
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(rows(S("SELECT hex(G_Mark) FROM Guild WHERE G_Name='Wardens'")), QStringList{mark});
    EXPECT_EQ(rows(S("SELECT G_Status FROM GuildMember WHERE Name='Hollow'")), QStringList{S("128")});

    // The editor then shows the master as such and protects him.
    WindowContext context;
    context.guild = f->CreatedGuild();
    auto editor = std::make_unique<TEditGuildForm>(context);
    auto* members = child<QListWidget>(editor.get(), S("GuildMember"));
    ASSERT_EQ(listed(members), QStringList{S("Hollow")});
    members->setCurrentRow(0);
    Q_EMIT members->itemClicked(members->item(0));
    EXPECT_EQ(child<QComboBox>(editor.get(), S("MemberLevel"))->currentText(), S("Guild Master"));
    EXPECT_FALSE(child<QWidget>(editor.get(), S("Kick"))->isEnabled());
}

TEST_F(GuildManagerTest, AnUntouchedMarkIsWrittenAsSixtyFourZeros) {
    auto f = open();
    fill(f.get(), S("Q'uill"), S("Cinder"));
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok();
    click(f.get(), S("BitBtn3"));
    EXPECT_EQ(journal.texts().back(), S("UPDATE Guild SET G_Mark=0x") + QString(64, QLatin1Char('0')) +
                                          S(" WHERE G_Master ='Cinder'"));
    EXPECT_EQ(journal.texts()[3], S("EXECUTE QJ_GuildCreate @GuildName='Q''uill', @MasterName='Cinder'"));
    EXPECT_EQ(f->CreatedGuild(), S("Q'uill"));
}

TEST_F(GuildManagerTest, AMasterTheProcedureRefusesKeepsHisRankInHisOwnGuild) {
    // Briar is a member of Ironveil: the procedure creates nothing, and his
    // rank there must not become the master's.
    auto f = open();
    fill(f.get(), S("Wardens"), S("Briar"));
    BoxScript boxes;
    boxes.ok();
    click(f.get(), S("BitBtn3"));
    EXPECT_EQ(boxes.last().text, S("Guild was not created!"));
    EXPECT_EQ(rows(S("SELECT G_Status FROM GuildMember WHERE Name='Briar'")), QStringList{S("0")});
    EXPECT_EQ(f->CreatedGuild(), QString());
    EXPECT_TRUE(f->isVisible());
}

} // namespace
