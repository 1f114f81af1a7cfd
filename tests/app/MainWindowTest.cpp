#include "ShellFixture.h"
#include "core/AppState.h"

#include "accounts/SearchUnit.h"
#include "app/MainUnit.h"
#include "platform/StatementJournal.h"
#include "widgets/WidgetKit.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace {

// The main window after a start-up on a ready server with "admin" signed in.
class MainWindowTest : public ShellTest {
protected:
    void SetUp() override {
        createReadyServer();
        ModalScript modal;
        signIn(modal);
        main = std::make_unique<TMainForm>();
        main->Auth2();
        ASSERT_EQ(AppState.OperatorSignedIn, 1);
    }

    QComboBox* list(const char* name) const {
        return child<QComboBox>(main.get(), QString::fromLatin1(name));
    }
    QToolButton* button(const char* name) const {
        return child<QToolButton>(main.get(), QString::fromLatin1(name));
    }
    QFrame* panel(const char* name) const { return child<QFrame>(main.get(), QString::fromLatin1(name)); }
    QString label(const char* name) const {
        return child<QLabel>(main.get(), QString::fromLatin1(name))->text();
    }
    bool shown(const char* name) const {
        return child<QWidget>(main.get(), QString::fromLatin1(name))->isVisibleTo(main.get());
    }
    QAction* action(const char* name) const { return child<QAction>(main.get(), QString::fromLatin1(name)); }

    std::unique_ptr<TMainForm> main;
};

// ---------------------------------------------------------------- lists

TEST_F(MainWindowTest, AnAccountListsItsSlotsInOrderSkippingEmptyOnes) {
    EXPECT_EQ(items(list("Account")),
              (QStringList{QStringLiteral("alpha1"), QStringLiteral("delta"), QStringLiteral("five"),
                           QStringLiteral("ghost"), QStringLiteral("lonely"), QStringLiteral("o'neil"),
                           QStringLiteral("twice")}));
    EXPECT_EQ(items(list("Guild")),
              (QStringList{QStringLiteral("Knights"), QStringLiteral("Lions"), QStringLiteral("O'Brien")}));
    EXPECT_EQ(items(list("Character")), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}));
    EXPECT_EQ(list("Character")->currentText(), QStringLiteral("Alpha"));
    EXPECT_TRUE(shown("Friends")); // Alpha has a friend list

    pick(list("Account"), QStringLiteral("delta")); // NULL and empty slots before GameID3
    EXPECT_EQ(items(list("Character")), QStringList{QStringLiteral("Dove")});
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Lions"));
    EXPECT_FALSE(shown("Friends"));
    EXPECT_TRUE(shown("EditCharacter"));
    EXPECT_TRUE(shown("AddCharacter"));

    pick(list("Account"), QStringLiteral("five"));
    EXPECT_EQ(list("Character")->count(), 5);
    EXPECT_FALSE(shown("AddCharacter"));
    EXPECT_EQ(list("Guild")->currentIndex(), -1); // F1 is in no guild

    pick(list("Account"), QStringLiteral("lonely")); // no slot row at all
    EXPECT_EQ(list("Character")->count(), 0);
    EXPECT_TRUE(shown("AddCharacter"));
    for (const char* b : {"DeleteCharacter", "EditCharacter", "EditInventory", "Friends"})
        EXPECT_FALSE(shown(b)) << b;
    for (const char* b : {"DeleteAccount", "EditAccount", "Warehouse"})
        EXPECT_TRUE(shown(b)) << b;
}

TEST_F(MainWindowTest, ChoosingACharacterFollowsItsGuildAndFriends) {
    pick(list("Account"), QStringLiteral("alpha1"));
    StatementJournal::Recorder journal;
    pick(list("Character"), QStringLiteral("Bravo"));
    EXPECT_EQ(journal.texts(), (std::vector<QString>{
                                   QStringLiteral("SELECT G_Name FROM GuildMember WHERE Name='Bravo'"),
                                   QStringLiteral("SELECT * FROM T_FriendMain WHERE Name='Bravo'"),
                               }));
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Knights"));
    EXPECT_FALSE(shown("Friends"));
    EXPECT_TRUE(shown("EditInventory"));
}

TEST_F(MainWindowTest, ReloadRefillsTheListsAndChoosesNothing) {
    TestEnvironment::execRaw(m_game,
                             QStringLiteral("INSERT INTO MEMB_INFO (memb___id) VALUES ('aaa'); INSERT INTO "
                                            "Guild (G_Name) VALUES ('Zeal');"));
    click(main.get(), QStringLiteral("SpeedButton7"));
    EXPECT_EQ(list("Account")->count(), 8);
    EXPECT_EQ(list("Account")->currentIndex(), -1);
    EXPECT_EQ(list("Character")->count(), 0);
    EXPECT_EQ(list("Guild")->count(), 4);
    EXPECT_EQ(list("Guild")->currentIndex(), -1);
    for (const char* b : {"DeleteAccount", "EditAccount", "Warehouse", "DeleteCharacter", "EditCharacter",
                          "EditInventory", "Friends"})
        EXPECT_FALSE(shown(b)) << b;

    // No guild chosen: the guild commands ask for one instead of acting on
    // the first guild of the box.
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteGuild"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("You must select a guild first"));
    EXPECT_TRUE(journal.entries().empty());
}

// ---------------------------------------------------------------- deletes

TEST_F(MainWindowTest, DeletingAnAccountRemovesItsRowsAndLeavesTheRest) {
    BoxScript boxes;
    boxes.cancel();
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteAccount"));
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are you sure?"));
    EXPECT_TRUE(journal.texts().empty());

    boxes.ok(2);
    click(main.get(), QStringLiteral("DeleteAccount"));
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            QStringLiteral("DELETE FROM MEMB_INFO WHERE memb___id='alpha1'"),
            QStringLiteral("DELETE FROM AccountCharacter WHERE Id='alpha1'"),
            QStringLiteral("DELETE FROM Character WHERE AccountID='alpha1'"),
            QStringLiteral("SELECT memb___id FROM MEMB_INFO ORDER BY memb___id"),
            QStringLiteral("SELECT Number, Id, GameID1, GameID2, GameID3, GameID4, GameID5, GameIDC FROM "
                           "AccountCharacter WHERE Id=''"),
            QStringLiteral("SELECT G_Name FROM GuildMember WHERE Name=''"),
            QStringLiteral("SELECT * FROM T_FriendMain WHERE Name=''"),
        }));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Account Deleted!"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
    EXPECT_EQ(list("Account")->count(), 6);
    EXPECT_EQ(list("Account")->currentIndex(), -1);
    EXPECT_FALSE(shown("DeleteAccount"));
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Character WHERE AccountID='alpha1'")),
              QStringList{QStringLiteral("0")});
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM AccountCharacter WHERE Id='alpha1'")),
              QStringList{QStringLiteral("0")});
    // Warehouse, connection state and guild rows stay.
    EXPECT_EQ(game(QStringLiteral("SELECT Money FROM Warehouse WHERE AccountID='alpha1'")),
              QStringList{QStringLiteral("100")});
    EXPECT_EQ(game(QStringLiteral("SELECT ConnectStat FROM MEMB_STAT WHERE memb___id='alpha1'")),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM GuildMember WHERE G_Name='Knights'")),
              QStringList{QStringLiteral("2")});
}

TEST_F(MainWindowTest, DeletingACharacterClearsItsSlotAndTheGuildItMasters) {
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteCharacter")); // Alpha of alpha1, master of Knights
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are You Sure?"));
    EXPECT_EQ(journal.texts(),
              (std::vector<QString>{
                  QStringLiteral("DELETE FROM Character WHERE Name ='Alpha'"),
                  QStringLiteral("DELETE FROM Guild WHERE G_Master = 'Alpha'"),
                  QStringLiteral("DELETE FROM GuildMember WHERE Name ='Alpha'"),
                  QStringLiteral(
                      "SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter WHERE Id "
                      "='alpha1'"),
                  QStringLiteral("UPDATE AccountCharacter \r\nSET GameID1=NULL\r\n WHERE Id ='alpha1'"),
                  QStringLiteral("SELECT Name FROM Character WHERE AccountID='alpha1'"),
                  QStringLiteral("SELECT G_Name FROM Guild"),
              }));
    EXPECT_EQ(items(list("Character")), QStringList{QStringLiteral("Bravo")});
    EXPECT_EQ(list("Character")->currentIndex(), -1);
    // Nothing shows the deleted character's guild or offers commands on it.
    EXPECT_FALSE(items(list("Guild")).contains(QStringLiteral("Knights")));
    EXPECT_EQ(list("Guild")->currentIndex(), -1);
    for (const char* b : {"DeleteCharacter", "EditCharacter", "EditInventory", "Friends"})
        EXPECT_FALSE(shown(b)) << b;
    EXPECT_EQ(
        game(QStringLiteral("SELECT GameID1, GameID2, GameIDC FROM AccountCharacter WHERE Id='alpha1'")),
        QStringList{QStringLiteral("NULL|Bravo|Alpha")});
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Guild WHERE G_Name='Knights'")),
              QStringList{QStringLiteral("0")});
    // The other members keep their rows.
    EXPECT_EQ(game(QStringLiteral("SELECT Name FROM GuildMember WHERE G_Name='Knights'")),
              QStringList{QStringLiteral("Bravo")});
}

TEST_F(MainWindowTest, DeletingACharacterInTwoSlotsClearsOnlyTheLater) {
    pick(list("Account"), QStringLiteral("twice"));
    BoxScript boxes;
    boxes.ok();
    click(main.get(), QStringLiteral("DeleteCharacter"));
    EXPECT_EQ(game(QStringLiteral("SELECT GameID2, GameID4 FROM AccountCharacter WHERE Id='twice'")),
              QStringList{QStringLiteral("Twin|NULL")});
}

TEST_F(MainWindowTest, DeletingACharacterWithAQuoteDoublesItInEveryStatement) {
    pick(list("Account"), QStringLiteral("o'neil"));
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteCharacter"));
    const std::vector<QString> texts = journal.texts();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], QStringLiteral("DELETE FROM Character WHERE Name ='Kenn''y'"));
    EXPECT_EQ(texts[1], QStringLiteral("DELETE FROM Guild WHERE G_Master = 'Kenn''y'"));
    EXPECT_EQ(texts[4],
              QStringLiteral("UPDATE AccountCharacter \r\nSET GameID1=NULL\r\n WHERE Id ='o''neil'"));
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Character WHERE AccountID='o''neil'")),
              QStringList{QStringLiteral("0")});
    EXPECT_EQ(game(QStringLiteral("SELECT GameID1, GameIDC FROM AccountCharacter WHERE Id='o''neil'")),
              QStringList{QStringLiteral("NULL|Kenn'y")});
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Guild WHERE G_Name='O''Brien'")),
              QStringList{QStringLiteral("0")});
}

TEST_F(MainWindowTest, DeletingACharacterInNoSlotSendsNoSlotUpdate) {
    pick(list("Account"), QStringLiteral("ghost"));
    BoxScript boxes;
    boxes.ok(2);
    click(main.get(), QStringLiteral("DeleteCharacter"));                      // Seen, in slot 1
    ASSERT_EQ(items(list("Character")), QStringList{QStringLiteral("Stray")}); // listed from Character
    pick(list("Character"), QStringLiteral("Stray"));
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteCharacter"));
    for (const QString& text : journal.texts())
        EXPECT_FALSE(text.startsWith(QStringLiteral("UPDATE"))) << text.toStdString();
    EXPECT_EQ(journal.texts().size(), 6u);
    EXPECT_EQ(list("Character")->count(), 0);
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM Character WHERE AccountID='ghost'")),
              QStringList{QStringLiteral("0")});
}

TEST_F(MainWindowTest, DeletingAGuildRunsTheProcedureAndReloadsTheList) {
    BoxScript boxes;
    list("Guild")->setCurrentIndex(-1);
    boxes.ok();
    click(main.get(), QStringLiteral("DeleteGuild"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Guild Editor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("You must select a guild first"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);

    pick(list("Guild"), QStringLiteral("O'Brien"));
    boxes.cancel();
    StatementJournal::Recorder journal;
    click(main.get(), QStringLiteral("DeleteGuild"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Are You Sure"));
    EXPECT_TRUE(journal.texts().empty());

    boxes.ok(2);
    click(main.get(), QStringLiteral("DeleteGuild"));
    EXPECT_EQ(journal.texts(), (std::vector<QString>{
                                   QStringLiteral("EXECUTE QJ_SetGuildDelete @GuildName='O''Brien'"),
                                   QStringLiteral("SELECT G_Name FROM Guild"),
                               }));
    EXPECT_TRUE(journal.entries().front().opened);
    EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Plain);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Guild Deleted!"));
    EXPECT_EQ(items(list("Guild")), (QStringList{QStringLiteral("Knights"), QStringLiteral("Lions")}));
    EXPECT_EQ(list("Guild")->currentIndex(), -1);
    EXPECT_EQ(game(QStringLiteral("SELECT count(*) FROM GuildMember WHERE G_Name='O''Brien'")),
              QStringList{QStringLiteral("0")});
}

// ---------------------------------------------------------------- find

class FindTest : public MainWindowTest {
protected:
    // Runs the main window's find with the search window set to `item`.
    void find(int item, const QString& word) {
        ModalScript modal;
        modal.then<TSearchForm>([this, item, word](TSearchForm* s) {
            EXPECT_TRUE(main->isVisible()); // the search does not hide the main window
            EXPECT_EQ(AppState.SearchMode, 0);
            child<RadioGroup>(s, QStringLiteral("Engine"))->SetItemIndex(item);
            type(s, QStringLiteral("Search"), word);
            click(s, QStringLiteral("SearchButton"));
            click(s, QStringLiteral("OkButton"));
        });
        click(main.get(), QStringLiteral("Find"));
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        AppState.SearchMode = 3; // left over by another window: the main window's search is free
        main->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(main->isVisible());
    }
};

TEST_F(FindTest, AnAccountFoundIsChosenWithItsCharacters) {
    find(0, QStringLiteral("'ne"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("o'neil"));
    EXPECT_EQ(items(list("Character")), QStringList{QStringLiteral("Kenn'y")});
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("O'Brien"));
}

TEST_F(FindTest, ACharacterFoundChoosesItsAccountAndFollowsItsGuild) {
    pick(list("Account"), QStringLiteral("delta"));
    find(1, QStringLiteral("rav"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("alpha1"));
    EXPECT_EQ(list("Character")->currentText(), QStringLiteral("Bravo"));
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Knights"));
    // The buttons follow Bravo (no friend list), not the account's first character.
    EXPECT_FALSE(shown("Friends"));
}

TEST_F(FindTest, ACharacterOfAnUnlistedAccountLeavesTheListsEmpty) {
    TestEnvironment::execRaw(m_game, QStringLiteral("INSERT INTO Character VALUES ('nobody', 'Orphan', 1)"));
    find(1, QStringLiteral("orph"));
    EXPECT_EQ(list("Account")->currentIndex(), -1);
    EXPECT_EQ(list("Character")->count(), 0);
}

TEST_F(FindTest, AGuildFoundIsChosen) {
    find(2, QStringLiteral("ion"));
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Lions"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("alpha1"));
}

// ---------------------------------------------------------------- counters

TEST_F(MainWindowTest, CountersShowAccountsGuildsAndConnectedAccounts) {
    EXPECT_EQ(label("Label11"), QStringLiteral("7"));
    EXPECT_EQ(label("Label12"), QStringLiteral("3"));
    EXPECT_EQ(label("Label13"), QStringLiteral("2"));
    EXPECT_TRUE(main->ServerInfo()->isActive());
    TestEnvironment::execRaw(m_game,
                             QStringLiteral("UPDATE MEMB_STAT SET ConnectStat=1; DELETE FROM Guild;"));
    ASSERT_TRUE(QMetaObject::invokeMethod(main->ServerInfo(), "timeout")); // a tick
    EXPECT_EQ(label("Label12"), QStringLiteral("0"));
    EXPECT_EQ(label("Label13"), QStringLiteral("3"));
}

// Answers every box with OK and, while the first is open, lets the timer tick.
class TickingBoxes : public Dialogs::Handler {
public:
    explicit TickingBoxes(TMainForm* form) : m_form(form), m_previous(Dialogs::SetHandler(this)) {}
    ~TickingBoxes() override { Dialogs::SetHandler(m_previous); }
    bool show(const Dialogs::Box& box) override {
        texts << box.text;
        if (texts.size() == 1)
            m_form->ServerInfoTimer();
        return true;
    }
    QStringList texts;

private:
    TMainForm* m_form;
    Dialogs::Handler* m_previous;
};

TEST_F(MainWindowTest, AFailingCounterShowsOneBoxPerTickAndKeepsTicking) {
    TestEnvironment::execRaw(m_game, QStringLiteral("DROP TABLE MEMB_STAT"));
    TickingBoxes boxes(main.get());
    main->ServerInfoTimer();
    ASSERT_EQ(boxes.texts.size(), 1); // the tick during the open box added none
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("MEMB_STAT")));
    main->ServerInfoTimer();
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_TRUE(main->ServerInfo()->isActive());
}

// ---------------------------------------------------------------- bars and panel

TEST_F(MainWindowTest, BarsMoveThePanelsAndTheWindowHeight) {
    EXPECT_EQ(main->size(), QSize(193, 321));
    EXPECT_TRUE(main->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(panel("Panel2")->y(), 25);
    EXPECT_EQ(panel("Panel4")->geometry().bottom() + 1, 321);

    click(main.get(), QStringLiteral("OptionButton"));
    EXPECT_TRUE(shown("Panel5"));
    EXPECT_FALSE(shown("OptionButton"));
    EXPECT_EQ(panel("Panel2")->y(), 58);
    EXPECT_EQ(main->height(), 354);

    click(main.get(), QStringLiteral("RankingOptions"));
    EXPECT_TRUE(shown("Panel6"));
    EXPECT_FALSE(shown("RankingOptions"));
    EXPECT_FALSE(shown("SpeedButton3"));
    EXPECT_EQ(panel("Panel2")->y(), 91);
    EXPECT_EQ(panel("Panel4")->y(), 283);
    EXPECT_EQ(main->height(), 387);

    click(main.get(), QStringLiteral("SpeedButton9"));
    EXPECT_TRUE(shown("Panel7"));
    EXPECT_EQ(panel("Panel7")->y(), 387);
    EXPECT_EQ(main->height(), 387 + 88);

    click(main.get(), QStringLiteral("SpeedButton8"));
    EXPECT_FALSE(shown("Panel6"));
    EXPECT_TRUE(shown("RankingOptions"));
    EXPECT_TRUE(shown("SpeedButton3"));
    EXPECT_EQ(panel("Panel7")->y(), 354);
    EXPECT_EQ(main->height(), 354 + 88);

    click(main.get(), QStringLiteral("SpeedButton3"));
    EXPECT_FALSE(shown("Panel5"));
    EXPECT_TRUE(shown("OptionButton"));
    EXPECT_EQ(panel("Panel2")->y(), 25);
    EXPECT_EQ(main->height(), 321 + 88);

    click(main.get(), QStringLiteral("SpeedButton9"));
    EXPECT_FALSE(shown("Panel7"));
    EXPECT_EQ(main->height(), 321);
}

// ---------------------------------------------------------------- windows

TEST_F(MainWindowTest, CommandsAreEnabledExactlyWhenTheWindowsTheyOpenExist) {
    // Every command with the windows it opens (none: it works in place).
    struct Command {
        const char* name;
        std::vector<MainWindow> opens;
    };
    const std::vector<Command> buttons = {
        {"Find", {MainWindow::Search}},
        {"AddAccount", {MainWindow::CreateAccount}},
        {"DeleteAccount", {}},
        {"EditAccount", {MainWindow::ModifyAccount}},
        {"Warehouse", {MainWindow::Warehouse}},
        {"SpeedButton7", {}},
        {"AddCharacter", {MainWindow::NewCharacter}},
        {"DeleteCharacter", {}},
        {"EditCharacter", {MainWindow::CharacterEdition}},
        {"EditInventory", {MainWindow::Inventory}},
        {"Friends", {MainWindow::FriendManager}},
        {"AddGuild", {MainWindow::GuildManager}},
        {"DeleteGuild", {}},
        {"EditGuild", {MainWindow::EditGuild}},
        {"OptionButton", {}},
        {"RankingOptions", {}},
        {"SpeedButton6", {MainWindow::Administration}},
        {"SpeedButton5", {MainWindow::Log}},
        {"FindItems", {MainWindow::FindItems}},
        {"SpeedButton4", {}},
        {"SpeedButton11", {MainWindow::MapServerGroup, MainWindow::CastleSiege}},
        {"SpeedButton9", {}},
        {"SpeedButton10", {MainWindow::Join}},
        {"Ranking", {MainWindow::Ranking}},
    };
    const std::vector<Command> actions = {
        {"WipeItems1", {MainWindow::Wipe}},
        {"ViewGM1", {MainWindow::GM}},
        {"ConvertItems1", {MainWindow::ItemConvertor}},
        {"EditItem1", {MainWindow::CatalogueTable}},
        {"EditSkills1", {MainWindow::CatalogueTable}},
        {"SQLConnection1", {MainWindow::SQLConnection}},
        {"About1", {MainWindow::About}},
        {"ShowVornTanorEditor1", {}},
        {"SQLConnection2", {MainWindow::SQLConnection}},
        {"About2", {MainWindow::About}},
        {"Close1", {}},
    };
    const auto built = [](const std::vector<MainWindow>& windows) {
        return std::all_of(windows.begin(), windows.end(),
                           [](MainWindow w) { return static_cast<bool>(MainWindowFactory(w)); });
    };
    for (const Command& c : buttons)
        EXPECT_EQ(button(c.name)->isEnabled(), built(c.opens)) << c.name;
    for (const Command& c : actions)
        EXPECT_EQ(action(c.name)->isEnabled(), built(c.opens)) << c.name;

    // A window taken out disables its command; castle siege needs both of
    // its windows.
    main->SetWindowFactory(MainWindow::Search, {});
    EXPECT_FALSE(button("Find")->isEnabled());
    main->SetWindowFactory(MainWindow::MapServerGroup, {});
    main->SetWindowFactory(MainWindow::CastleSiege, {});
    main->SetWindowFactory(MainWindow::MapServerGroup, [](QWidget* parent) { return new QDialog(parent); });
    EXPECT_FALSE(button("SpeedButton11")->isEnabled());
    main->SetWindowFactory(MainWindow::CastleSiege, [](QWidget* parent) { return new QDialog(parent); });
    EXPECT_TRUE(button("SpeedButton11")->isEnabled());
}

TEST_F(MainWindowTest, EditorsAreGivenTheChoiceAndOpenWithTheMainWindowHidden) {
    main->show();
    QCoreApplication::processEvents();
    std::vector<QString> seen;
    auto recorder = [&seen](const QString& name, std::function<QString()> given) {
        return [&seen, name, given](QWidget* parent) {
            seen.push_back(name + QLatin1Char(':') + given());
            auto* d = new QDialog(parent);
            d->setObjectName(name);
            return d;
        };
    };
    const auto accountAndCharacter = [] {
        return AppState.CurrentAccount + QLatin1Char('/') + AppState.CurrentCharacter;
    };
    main->SetWindowFactory(MainWindow::ModifyAccount,
                           recorder(QStringLiteral("ModifyAccount"), accountAndCharacter));
    main->SetWindowFactory(MainWindow::Warehouse, recorder(QStringLiteral("Warehouse"), accountAndCharacter));
    main->SetWindowFactory(MainWindow::CharacterEdition,
                           recorder(QStringLiteral("Character"), accountAndCharacter));
    main->SetWindowFactory(MainWindow::Inventory, recorder(QStringLiteral("Inventory"), accountAndCharacter));
    main->SetWindowFactory(MainWindow::FriendManager,
                           recorder(QStringLiteral("Friends"), accountAndCharacter));
    main->SetWindowFactory(MainWindow::EditGuild,
                           recorder(QStringLiteral("Guild"), [] { return AppState.CurrentGuild; }));
    main->SetWindowFactory(MainWindow::CatalogueTable,
                           recorder(QStringLiteral("DB"), [] { return AppState.CatalogueTable; }));
    main->SetWindowFactory(MainWindow::MapServerGroup,
                           recorder(QStringLiteral("Map"), [] { return QString(); }));
    main->SetWindowFactory(MainWindow::CastleSiege,
                           recorder(QStringLiteral("Castle"), [] { return QString(); }));

    ModalScript modal;
    for (int i = 0; i < 10; ++i)
        modal.then([this](QDialog* d) {
            EXPECT_FALSE(main->isVisible()) << d->objectName().toStdString();
            d->accept();
        });
    pick(list("Character"), QStringLiteral("Bravo"));
    for (const char* b : {"EditAccount", "Warehouse", "EditCharacter", "EditInventory"})
        click(main.get(), QString::fromLatin1(b));
    AppState.CurrentAccount.clear();
    click(main.get(), QStringLiteral("Friends"));
    click(main.get(), QStringLiteral("EditGuild"));
    action("EditItem1")->trigger();
    action("EditSkills1")->trigger();
    click(main.get(), QStringLiteral("SpeedButton11"));
    EXPECT_EQ(seen, (std::vector<QString>{
                        QStringLiteral("ModifyAccount:alpha1/"),
                        QStringLiteral("Warehouse:alpha1/"),
                        QStringLiteral("Character:alpha1/Bravo"),
                        QStringLiteral("Inventory:alpha1/Bravo"),
                        QStringLiteral("Friends:/Bravo"),
                        QStringLiteral("Guild:Knights"),
                        QStringLiteral("DB:Item"),
                        QStringLiteral("DB:Skill"),
                        QStringLiteral("Map:"),
                        QStringLiteral("Castle:"),
                    }));
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowTest, CreatedAccountsCharactersAndGuildsAreChosenAfterwards) {
    main->SetWindowFactory(MainWindow::CreateAccount, [file = m_game](QWidget* parent) {
        EXPECT_EQ(AppState.AccountCreated, 0);
        EXPECT_EQ(AppState.CreatedAccount, QString());
        TestEnvironment::execRaw(file, QStringLiteral("INSERT INTO MEMB_INFO (memb___id) VALUES ('newbie')"));
        AppState.AccountCreated = 1;
        AppState.CreatedAccount = QStringLiteral("newbie");
        return new QDialog(parent);
    });
    main->SetWindowFactory(MainWindow::NewCharacter, [file = m_game](QWidget* parent) {
        EXPECT_EQ(AppState.CurrentAccount, QStringLiteral("delta"));
        EXPECT_EQ(AppState.CurrentCharacter, QString());
        TestEnvironment::execRaw(file,
                                 QStringLiteral("INSERT INTO Character VALUES ('delta', 'Ace', 1); "
                                                "INSERT INTO GuildMember VALUES ('Ace', 'Knights', 0, 0)"));
        AppState.CurrentCharacter = QStringLiteral("Ace");
        return new QDialog(parent);
    });
    main->SetWindowFactory(MainWindow::GuildManager, [file = m_game](QWidget* parent) {
        EXPECT_EQ(AppState.CurrentGuild, QString());
        TestEnvironment::execRaw(file, QStringLiteral("INSERT INTO Guild (G_Name) VALUES ('Aces')"));
        AppState.CurrentGuild = QStringLiteral("Aces");
        return new QDialog(parent);
    });
    ModalScript modal;
    for (int i = 0; i < 3; ++i)
        modal.then([](QDialog* d) { d->accept(); });

    click(main.get(), QStringLiteral("AddAccount"));
    EXPECT_EQ(list("Account")->currentText(), QStringLiteral("newbie"));
    EXPECT_EQ(list("Account")->count(), 8);
    EXPECT_TRUE(shown("DeleteAccount"));

    pick(list("Account"), QStringLiteral("delta"));
    click(main.get(), QStringLiteral("AddCharacter"));
    EXPECT_EQ(items(list("Character")), (QStringList{QStringLiteral("Dove"), QStringLiteral("Ace")}));
    EXPECT_EQ(list("Character")->currentText(), QStringLiteral("Ace"));
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Knights"));

    AppState.CurrentGuild = QStringLiteral("stale");
    click(main.get(), QStringLiteral("AddGuild"));
    EXPECT_EQ(list("Guild")->count(), 4);
    EXPECT_EQ(list("Guild")->currentText(), QStringLiteral("Aces"));
}

TEST_F(MainWindowTest, TheMaintenanceCommandsOpenTheirWindows) {
    env.buildCatalogue();
    ModalScript modal;
    modal.then([](QDialog* d) { d->reject(); }).then([](QDialog* d) { d->reject(); });
    action("WipeItems1")->trigger();
    action("ConvertItems1")->trigger();
    EXPECT_EQ(modal.opened(),
              (std::vector<QString>{QStringLiteral("TWipeForm"), QStringLiteral("TItemConvertorForm")}));
}

TEST_F(MainWindowTest, TheAboutBoxOpensOverTheVisibleMainWindow) {
    main->show();
    QCoreApplication::processEvents();
    ModalScript modal;
    modal.then([this](QDialog* d) {
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(d->windowTitle(), QStringLiteral("About Tanor Editor"));
        d->accept();
    });
    action("About2")->trigger();
    EXPECT_EQ(modal.opened(), std::vector<QString>{QStringLiteral("TAboutBox")});
}

// ---------------------------------------------------------------- menus and tray

TEST_F(MainWindowTest, MenusHoldTheirCommandsInOrder) {
    QStringList options;
    for (QAction* a : main->OptionsPopUp()->actions())
        options << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(options,
              (QStringList{QStringLiteral("Wipe Items..."), QStringLiteral("View GM..."),
                           QStringLiteral("Convert Items..."), QStringLiteral("Restore from undo file..."),
                           QStringLiteral("TanorEditor.mdb"), QStringLiteral("SQL Connection..."),
                           QStringLiteral("-"), QStringLiteral("About...")}));
    QStringList tray;
    for (QAction* a : main->TrayMess()->actions())
        tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(tray, (QStringList{QStringLiteral("Show Vorn TanorEditor"), QStringLiteral("-"),
                                 QStringLiteral("SQL Connection..."), QStringLiteral("About..."),
                                 QStringLiteral("Close")}));
    EXPECT_EQ(main->TrayMess()->defaultAction(), action("ShowVornTanorEditor1"));
}

TEST_F(MainWindowTest, MinimisingWithoutATrayKeepsTheTrayCommandsAndCloseEndsTheProgram) {
    main->show();
    QCoreApplication::processEvents();
    click(main.get(), QStringLiteral("SpeedButton2"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->isMinimized());
    action("ShowVornTanorEditor1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->isMinimized());
    EXPECT_TRUE(main->isVisible());

    QSignalSpy closed(main.get(), &TMainForm::closed);
    action("Close1")->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(main->ServerInfo()->isActive());
}

} // namespace
