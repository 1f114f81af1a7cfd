#include "SocialFixture.h"

#include "accounts/FriendManagerUnit.h"
#include "accounts/SearchUnit.h"
#include "widgets/WidgetKit.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class FriendManagerTest : public SocialTest {
protected:
    std::unique_ptr<TFriendManagerForm> openFriends(const QString& character) {
        return open<TFriendManagerForm>(QString(), character);
    }
    static QString field(const TFriendManagerForm& w, const char* name) {
        return child<QLineEdit>(&w, QString::fromLatin1(name))->text();
    }
    static QString letterText(const TFriendManagerForm& w) {
        return child<QPlainTextEdit>(&w, S("MemoData"))->toPlainText();
    }
    static QComboBox* subjects(const TFriendManagerForm& w) { return child<QComboBox>(&w, S("MeMoList")); }
    // Chooses the n-th entry of a subject (from 0), as the operator does.
    static void chooseLetter(TFriendManagerForm& w, const QString& subject, int nth = 0) {
        QComboBox* list = subjects(w);
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i) == subject && nth-- == 0) {
                list->setCurrentIndex(i);
                Q_EMIT list->activated(i);
                return;
            }
        }
        throw std::runtime_error("no letter " + subject.toStdString());
    }
    // Finds Maeve by part of her name and chooses her.
    static void pickMaeve(TSearchForm* search) {
        type(search, S("Search"), S("Maev"));
        click(search, S("SearchButton"));
        click(search, S("OkButton"));
    }
    static void select(TFriendManagerForm& w, const char* list, const QString& name) {
        auto* box = child<QListWidget>(&w, QString::fromLatin1(list));
        const auto found = box->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        box->setCurrentItem(found.front());
    }
};

TEST_F(FriendManagerTest, LoadingShowsTheEntryWithoutDeletedFriends) {
    StatementJournal::Recorder journal;
    auto w = openFriends(S("Kaelin"));
    EXPECT_EQ(w->windowTitle(), S("Friend Manager..."));
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{S("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name='Kaelin'"),
                              S("SELECT FriendGuid, FriendName FROM T_FriendList WHERE (GUID=1) AND (Del=0)"),
                              S("SELECT Subject FROM T_FriendMail WHERE GUID=1"),
                              S("SELECT FriendGuid, FriendName FROM T_WaitFriend WHERE  GUID=1")}));
    EXPECT_EQ(field(*w, "CharacterF"), S("Kaelin"));
    EXPECT_EQ(field(*w, "GUID"), S("1"));
    EXPECT_EQ(entries(w.get(), S("FriendList")), (QStringList{S("Sparrow"), S("Brann"), S("Fionn")}));
    EXPECT_EQ(entries(w.get(), S("FriendRequest")), (QStringList{S("Thornback"), S("Isa")}));
    EXPECT_EQ(items(subjects(*w)), (QStringList{S("Bridge at dusk"), S("Guild war"), S("Thanks!")}));
    EXPECT_EQ(subjects(*w)->currentIndex(), -1);

    // Brann's entry for Fionn is marked deleted.
    auto brann = openFriends(S("Brann"));
    EXPECT_EQ(entries(brann.get(), S("FriendList")), QStringList{S("Kaelin")});
}

TEST_F(FriendManagerTest, ACharacterWithoutAnEntryCanOnlySendARequest) {
    StatementJournal::Recorder journal;
    auto w = openFriends(S("Hollow"));
    EXPECT_EQ(
        journal.texts(),
        std::vector<QString>{S("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name='Hollow'")});
    EXPECT_EQ(field(*w, "GUID"), QString());
    for (const char* list : {"FriendList", "FriendRequest"})
        EXPECT_TRUE(entries(w.get(), S(list)).isEmpty()) << list;
    EXPECT_EQ(subjects(*w)->count(), 0);
    for (const char* button : {"DeleteFriend", "BitBtn1", "BitBtn2", "BitBtn5"})
        EXPECT_FALSE(child<QAbstractButton>(w.get(), S(button))->isEnabled()) << button;
    EXPECT_TRUE(child<QAbstractButton>(w.get(), S("BitBtn3"))->isEnabled());

    // A request needs only the two names.
    BoxScript boxes;
    boxes.ok();
    ModalScript modal;
    modal.then<TSearchForm>([](TSearchForm* search) { pickMaeve(search); });
    click(w.get(), S("AddFriend"));
    EXPECT_EQ(journal.texts().back(), S("EXECUTE QJ_WaitFriendAdd\t@Name='Hollow', @FriendName='Maeve'"));
}

TEST_F(FriendManagerTest, ALetterIsShownByItsKind) {
    struct Case {
        const char* character;
        const char* subject;
        int nth;
        const char* codePage; // Letters/CodePage; nullptr leaves it unset
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {"Kaelin", "Bridge at dusk", 0, nullptr, "ASCII",
         "Meet me at the old bridge after the raid. Bring potions."},
        {"Kaelin", "Guild war", 0, nullptr, "Unicode",
         "Ironveil needs you at the castle gates tomorrow night."},
        {"Juno", "Arrows", 0, nullptr, "ASCII", "I left a quiver of bolts in the union vault for you."},
        {"Juno", "Arrows", 1, nullptr, "Unicode", "Second quiver: bodkin arrows, left at the gate."},
        {"Juno", "Crème brûlée", 0, nullptr, "ASCII", "Crème brûlée at Noria, señor? Ça coûte 5 €."},
        {"Juno", "Crème brûlée", 0, "ISO-8859-1", "ASCII",
         "Crème brûlée at Noria, señor? Ça coûte 5 \u0080."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.subject) + " " + std::to_string(c.nth));
        WriteSetting(S("Letters"), S("CodePage"), c.codePage ? S(c.codePage) : QString());
        auto w = openFriends(S(c.character));
        chooseLetter(*w, S(c.subject), c.nth);
        EXPECT_EQ(field(*w, "MemoType"), S(c.type));
        EXPECT_EQ(letterText(*w), S(c.text));
    }

    auto w = openFriends(S("Kaelin"));
    StatementJournal::Recorder journal;
    chooseLetter(*w, S("Guild war"));
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            S("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=1) AND (Subject='Guild war')"),
            S("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=1) AND (MemoIndex=12)")}));
}

TEST_F(FriendManagerTest, AcceptDenyAndRemoveCallTheProceduresAndFollowAtOnce) {
    auto w = openFriends(S("Kaelin"));
    StatementJournal::Recorder journal;
    child<QListWidget>(w.get(), S("FriendRequest"))->setCurrentRow(-1);
    child<QListWidget>(w.get(), S("FriendList"))->setCurrentRow(-1);
    for (const char* button : {"BitBtn1", "BitBtn2", "DeleteFriend"})
        click(w.get(), S(button)); // nothing chosen, nothing sent
    EXPECT_TRUE(journal.texts().empty());

    select(*w, "FriendRequest", S("Thornback"));
    click(w.get(), S("BitBtn1"));
    select(*w, "FriendRequest", S("Isa"));
    click(w.get(), S("BitBtn2"));
    select(*w, "FriendList", S("Brann"));
    click(w.get(), S("DeleteFriend"));
    EXPECT_EQ(journal.texts(), (std::vector<QString>{
                                   S("EXECUTE QJ_FriendAdd\t@Name='Kaelin', @FriendName='Thornback'"),
                                   S("EXECUTE QJ_WaitFriendDel @Name='Kaelin',  @FriendName='Isa'"),
                                   S("EXECUTE QJ_FriendDel\t@Name='Kaelin', @FriendName='Brann'"),
                               }));
    EXPECT_EQ(entries(w.get(), S("FriendList")), (QStringList{S("Sparrow"), S("Fionn"), S("Thornback")}));
    EXPECT_TRUE(entries(w.get(), S("FriendRequest")).isEmpty());
    EXPECT_EQ(rows(S("SELECT FriendName FROM T_FriendList WHERE GUID=1 AND Del=0 ORDER BY FriendName")),
              (QStringList{S("Fionn"), S("Sparrow"), S("Thornback")}));
    EXPECT_TRUE(rows(S("SELECT FriendName FROM T_WaitFriend WHERE GUID=1")).isEmpty());
}

TEST_F(FriendManagerTest, AFailingProcedureLeavesTheListsAsTheyWere) {
    auto w = openFriends(S("Kaelin"));
    raw(S("DELETE FROM tanor_procedures WHERE name='QJ_FriendAdd'"));
    BoxScript boxes;
    boxes.ok();
    select(*w, "FriendRequest", S("Isa"));
    click(w.get(), S("BitBtn1"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_EQ(entries(w.get(), S("FriendList")), (QStringList{S("Sparrow"), S("Brann"), S("Fionn")}));
    EXPECT_EQ(entries(w.get(), S("FriendRequest")), (QStringList{S("Thornback"), S("Isa")}));
}

TEST_F(FriendManagerTest, ARequestGoesToTheCharacterChosenInTheSearch) {
    auto w = openFriends(S("Kaelin"));
    StatementJournal::Recorder journal;
    {
        ModalScript modal;
        modal.then<TSearchForm>([](TSearchForm* search) {
            // Opened for characters only.
            EXPECT_EQ(child<RadioGroup>(search, S("Engine"))->ItemIndex(), 1);
            EXPECT_FALSE(child<RadioGroup>(search, S("Engine"))->isEnabled());
            click(search, S("CloseButton"));
        });
        click(w.get(), S("AddFriend"));
    }
    EXPECT_TRUE(journal.texts().empty()); // no choice, no request

    BoxScript boxes;
    boxes.ok();
    ModalScript modal;
    modal.then<TSearchForm>([](TSearchForm* search) { pickMaeve(search); });
    click(w.get(), S("AddFriend"));
    EXPECT_EQ(journal.texts().back(), S("EXECUTE QJ_WaitFriendAdd\t@Name='Kaelin', @FriendName='Maeve'"));
    EXPECT_EQ(boxes.last().caption, S("Friend Manager"));
    EXPECT_EQ(boxes.last().text, S("A Request have been sended"));
    EXPECT_EQ(rows(S("SELECT FriendName FROM T_WaitFriend WHERE GUID=6")), QStringList{S("Kaelin")});
    EXPECT_EQ(entries(w.get(), S("FriendList")).size(), 3); // the lists do not change
}

// Runs `step` from the event loop of the first modal window of class T to
// open, as the operator's clicks would; the polling ends with `owner`.
template <class T> void whenOpen(QObject* owner, std::function<void(T*)> step) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, step = std::move(step)] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            step(window);
        }
    });
    poll->start(5);
}

// The real modal loops, no hook: the search opened from the friends window,
// itself modal over the hidden main window.
TEST_F(FriendManagerTest, ASearchOpenedFromTheFriendsWindowLeavesEveryWindowUsable) {
    QWidget mainWindow;
    mainWindow.show();
    BoxScript boxes;
    boxes.ok(); // "A Request have been sended"
    bool visibleDuringSearch = false;
    bool visibleAfterRequest = false;
    bool closedByTheOperator = false;
    bool hung = false;
    QObject steps;
    whenOpen<TFriendManagerForm>(&steps, [&](TFriendManagerForm* opened) {
        QPointer<TFriendManagerForm> friends = opened;
        whenOpen<TSearchForm>(&steps, [&, friends](TSearchForm* search) {
            visibleDuringSearch = friends && friends->isVisible();
            pickMaeve(search);
        });
        click(friends, S("AddFriend"));
        visibleAfterRequest = friends && friends->isVisible() && QApplication::activeModalWidget() == friends;
        QTimer::singleShot(0, &steps, [&, friends] {
            if (!friends)
                return; // it ended by itself
            closedByTheOperator = true;
            click(friends, S("BitBtn3"));
        });
    });
    // Should a loop never end, close whatever is still open and say so.
    QTimer::singleShot(20000, &steps, [&] {
        hung = true;
        while (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });

    WindowContext kaelin;
    kaelin.character = S("Kaelin");
    ModalOpener::Open(&mainWindow,
                      [&kaelin](QWidget* parent) { return new TFriendManagerForm(kaelin, parent); });
    EXPECT_FALSE(hung);
    EXPECT_TRUE(visibleDuringSearch);
    EXPECT_TRUE(visibleAfterRequest);
    EXPECT_TRUE(closedByTheOperator);
    EXPECT_EQ(boxes.texts(), std::vector<QString>{S("A Request have been sended")});
    EXPECT_EQ(rows(S("SELECT FriendName FROM T_WaitFriend WHERE GUID=6")), QStringList{S("Kaelin")});
    // The main window is back and takes input again.
    QCoreApplication::processEvents();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
}

TEST_F(FriendManagerTest, DeletingALetterDeletesTheOneShownAndReloads) {
    auto w = openFriends(S("Juno"));
    StatementJournal::Recorder journal;
    click(w.get(), S("BitBtn5")); // no letter chosen
    EXPECT_TRUE(journal.texts().empty());

    chooseLetter(*w, S("Arrows"), 1);
    journal.clear();
    BoxScript boxes;
    boxes.ok();
    click(w.get(), S("BitBtn5"));
    EXPECT_EQ(boxes.last().caption, S("Friend Manager"));
    EXPECT_EQ(boxes.last().text, S("Message Deleted!"));
    const std::vector<QString> texts = journal.texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], S("EXECUTE  QJ_DelMail @Name='Juno', @MemoIndex=12"));
    EXPECT_EQ(texts[1], S("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name='Juno'"));
    EXPECT_EQ(rows(S("SELECT MemoIndex FROM T_FriendMail WHERE GUID=15 ORDER BY MemoIndex")),
              (QStringList{S("11"), S("13")}));
    EXPECT_EQ(items(subjects(*w)), (QStringList{S("Arrows"), S("Crème brûlée")}));
    EXPECT_EQ(subjects(*w)->currentIndex(), -1);
    EXPECT_EQ(letterText(*w), QString());
    EXPECT_EQ(entries(w.get(), S("FriendList")), QStringList{S("Nightjar")});
    EXPECT_EQ(entries(w.get(), S("FriendRequest")), QStringList{S("Heather")});
}

} // namespace
