#include "GuildFixture.h"

#include "app/MainUnit.h"
#include "guilds/CastleSiegeUnit.h"
#include "guilds/EditGuildUnit.h"
#include "guilds/GuildManagerUnit.h"
#include "guilds/MapServerGroupUnit.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The main window's guild commands opening the real windows on the demo.
class GuildCommandsTest : public GuildTest {
protected:
    void SetUp() override {
        GuildTest::SetUp();
        main = std::make_unique<TMainForm>();
        main->SpeedButton7Click(); // the lists, as start-up leaves them
    }
    [[nodiscard]] QComboBox* guilds() const { return child<QComboBox>(main.get(), S("Guild")); }
    std::unique_ptr<TMainForm> main;
};

TEST_F(GuildCommandsTest, AddGuildChoosesTheCreatedGuild) {
    ModalScript modal;
    modal.then<TGuildManagerForm>([](TGuildManagerForm* f) {
        type(f, S("GuildName"), S("Wardens"));
        type(f, S("GuildMaster"), S("Hollow"));
        click(f, S("BitBtn3"));
    });
    BoxScript boxes;
    boxes.ok();
    click(main.get(), S("AddGuild"));
    EXPECT_TRUE(items(guilds()).contains(S("Wardens")));
    EXPECT_EQ(guilds()->currentText(), S("Wardens"));
}

TEST_F(GuildCommandsTest, EditGuildOpensTheChosenGuild) {
    pick(guilds(), S("Tidecall"));
    ModalScript modal;
    modal.then<TEditGuildForm>([](TEditGuildForm* f) {
        EXPECT_EQ(child<QLineEdit>(f, S("GuildName"))->text(), S("Tidecall"));
        EXPECT_EQ(child<QListWidget>(f, S("GuildMember"))->item(0)->text(), S("Isa"));
        click(f, S("BitBtn1"));
    });
    click(main.get(), S("EditGuild"));
    EXPECT_EQ(modal.opened(), std::vector<QString>{S("TEditGuildForm")});
}

TEST_F(GuildCommandsTest, CastleSiegeAsksForTheGroupThenOpensIt) {
    ModalScript modal;
    modal
        .then<TMapServerGroupForm>([](TMapServerGroupForm* f) {
            type(f, S("LabeledEdit1"), S("1"));
            click(f, S("OkButton"));
        })
        .then<TCastleSiegeForm>([](TCastleSiegeForm* f) {
            EXPECT_EQ(text(f, "MapServer"), S("1"));
            EXPECT_EQ(text(f, "State1"), S("Notification-Preparation"));
            click(f, S("BitBtn3"));
        });
    click(main.get(), S("SpeedButton11"));
    EXPECT_EQ(modal.opened(), (std::vector<QString>{S("TMapServerGroupForm"), S("TCastleSiegeForm")}));
}

} // namespace
