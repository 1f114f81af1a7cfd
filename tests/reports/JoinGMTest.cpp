#include "ReportFixture.h"

#include "reports/GMUnit.h"
#include "reports/JoinUnit.h"
#include "reports/RankingUnit.h"
#include "reports/ReportStatements.h"
#include "widgets/ListChoice.h"
#include "widgets/WidgetKit.h"

#include <QCheckBox>
#include <QTest>
#include <QTimer>

namespace {

class JoinTest : public ReportTest {
protected:
    static QString field(const TJoinForm& w, const char* name) {
        return child<QLineEdit>(&w, QString::fromLatin1(name))->text();
    }
    static QStringList details(const TJoinForm& w) {
        return {field(w, "CharCT"), field(w, "IP"), field(w, "CTM"), field(w, "DTM")};
    }
};

TEST_F(JoinTest, ListsConnectedAccountsAndTheirDetails) {
    StatementJournal::Recorder journal;
    TJoinForm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Connection"));
    ASSERT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(journal.entries()[0].text,
              QStringLiteral("SELECT memb___id FROM MEMB_STAT WHERE ConnectStat=1"));
    const QStringList connected =
        rawRows(game(), QStringLiteral("SELECT memb___id FROM MEMB_STAT WHERE ConnectStat=1"));
    EXPECT_EQ(listed(&w, QStringLiteral("AccCT")), connected);
    EXPECT_EQ(label(&w, QStringLiteral("TC")), QString::number(connected.size()));

    struct Case {
        QString account;
        QString character; // GameIDC, empty without an AccountCharacter row
    };
    for (const Case& c :
         {Case{QStringLiteral("kestrel"), rawRows(game(), QStringLiteral("SELECT GameIDC FROM "
                                                                         "AccountCharacter WHERE "
                                                                         "Id='kestrel'"))
                                              .front()},
          Case{QStringLiteral("sable"), QString()},
          Case{QStringLiteral("o'brien"), rawRows(game(), QStringLiteral("SELECT GameIDC FROM "
                                                                         "AccountCharacter WHERE "
                                                                         "Id='o''brien'"))
                                              .front()}}) {
        journal.clear();
        choose(&w, QStringLiteral("AccCT"), c.account);
        QString quoted = c.account;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        EXPECT_EQ(
            journal.texts(),
            std::vector<QString>{
                QStringLiteral("SELECT ServerName, Ip, ConnectTM, DisconnectTM, GameIDC from "
                               "TanorOnline..MEMB_STAT full join TanorOnline..AccountCharacter on "
                               "memb___id = Id full join TanorOnline..Character on Name = GameIDC where "
                               "(ConnectStat = 1) and (memb___id='") +
                quoted + QStringLiteral("')")});
        const QStringList stat =
            rawRows(game(), QStringLiteral("SELECT IP, ConnectTM, DisConnectTM FROM MEMB_STAT "
                                           "WHERE memb___id='") +
                                quoted + QLatin1Char('\''))
                .front()
                .split(QLatin1Char('|'));
        EXPECT_EQ(details(w), (QStringList{c.character, stat[0], stat[1], stat[2]}))
            << c.account.toStdString();
    }
    EXPECT_FALSE(field(w, "IP").isEmpty());

    // Database names that are not plain names are bracketed, never pasted.
    const QString odd = ReportStatements::ConnectionDetails(QStringLiteral("Acc-1"),
                                                            QStringLiteral("G]; DROP"), QStringLiteral("a"));
    EXPECT_TRUE(
        odd.contains(QStringLiteral(" from [Acc-1]..MEMB_STAT full join [G]]; DROP]..AccountCharacter")));
}

TEST_F(JoinTest, TheTimerTakesTheTypedSecondsAndKeepsTheAccount) {
    TJoinForm w;
    QTimer* timer = w.Timer();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(child<QCheckBox>(&w, QStringLiteral("CheckBox1"))->isChecked());

    auto* list = child<QListWidget>(&w, QStringLiteral("AccCT"));
    const QString chosen = list->item(2)->text();
    ASSERT_NE(chosen, QStringLiteral("kestrel"));
    choose(&w, QStringLiteral("AccCT"), chosen);
    const QStringList before = details(w);
    // The first account leaves: the chosen account moves up a row and stays
    // chosen. Then another comes.
    raw(QStringLiteral("UPDATE MEMB_STAT SET ConnectStat=0 WHERE memb___id='") + list->item(0)->text() +
        QLatin1Char('\''));
    StatementJournal::Recorder reload;
    w.TimerTimer();
    EXPECT_EQ(timer->interval(), 10000);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(ListChoice::ChosenText(list), chosen);
    raw(QStringLiteral("UPDATE MEMB_STAT SET ConnectStat=1 WHERE memb___id='marlow'"));
    w.TimerTimer();
    EXPECT_TRUE(listed(&w, QStringLiteral("AccCT")).contains(QStringLiteral("marlow")));
    EXPECT_EQ(ListChoice::ChosenText(list), chosen);
    EXPECT_EQ(details(w), before);
    EXPECT_EQ(reload.entries().size(), 2u); // the same account is not read again

    // A text that is not a whole number: said once, the last interval kept.
    type(&w, QStringLiteral("LabeledEdit1"), QStringLiteral("5"));
    w.TimerTimer();
    EXPECT_EQ(timer->interval(), 5000);
    type(&w, QStringLiteral("LabeledEdit1"), QStringLiteral("five"));
    {
        BoxScript boxes;
        boxes.ok();
        w.TimerTimer();
        w.TimerTimer();
        EXPECT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.last().caption, QStringLiteral("Connection"));
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Reload Time (seconds)")));
    }
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isActive());

    raw(QStringLiteral("UPDATE MEMB_STAT SET ConnectStat=0 WHERE memb___id<>'kestrel'"));
    w.TimerTimer();
    EXPECT_EQ(list->currentRow(), -1); // the chosen account is gone: nothing chosen
    EXPECT_EQ(details(w), QStringList(4, QString()));

    type(&w, QStringLiteral("LabeledEdit1"), QStringLiteral("0"));
    w.TimerTimer();
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(child<QCheckBox>(&w, QStringLiteral("CheckBox1"))->isChecked());

    auto* autoReload = child<QCheckBox>(&w, QStringLiteral("CheckBox1"));
    type(&w, QStringLiteral("LabeledEdit1"), QStringLiteral("3"));
    StatementJournal::Recorder journal;
    autoReload->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 3000);
    EXPECT_EQ(journal.entries().size(), 1u); // reloaded at once
    autoReload->click();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(JoinTest, TypingZeroStopsTheReloadingAndATimeTypedAfterStartsIt) {
    TJoinForm w;
    auto* autoReload = child<QCheckBox>(&w, QStringLiteral("CheckBox1"));
    auto* edit = child<QLineEdit>(&w, QStringLiteral("LabeledEdit1"));
    const auto retype = [edit](const char* text) {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    };
    retype("0");
    EXPECT_FALSE(autoReload->isChecked());
    EXPECT_FALSE(w.Timer()->isActive());

    StatementJournal::Recorder journal;
    retype("7");
    EXPECT_TRUE(autoReload->isChecked());
    EXPECT_TRUE(w.Timer()->isActive());
    EXPECT_EQ(w.Timer()->interval(), 7000);
    EXPECT_EQ(journal.entries().size(), 1u); // reloaded at once

    // Cleared by the operator, it stays cleared whatever is typed.
    autoReload->click();
    retype("12");
    EXPECT_FALSE(autoReload->isChecked());
    EXPECT_FALSE(w.Timer()->isActive());
}

// Answers every box and, while one is open, lets the timer tick again.
class TickingBoxes : public Dialogs::Handler {
public:
    explicit TickingBoxes(TJoinForm& w) : m_window(w), m_previous(Dialogs::SetHandler(this)) {}
    ~TickingBoxes() override { Dialogs::SetHandler(m_previous); }
    bool show(const Dialogs::Box&) override {
        ++shown;
        m_window.TimerTimer();
        return true;
    }
    int shown = 0;

private:
    TJoinForm& m_window;
    Dialogs::Handler* m_previous;
};

TEST_F(JoinTest, AFailingReloadShowsOneBoxAtATimeAndTheTimerRuns) {
    TJoinForm w;
    raw(QStringLiteral("DROP TABLE MEMB_STAT"));
    TickingBoxes boxes(w);
    w.TimerTimer();
    EXPECT_EQ(boxes.shown, 1);
    w.TimerTimer();
    EXPECT_EQ(boxes.shown, 2);
    EXPECT_TRUE(w.Timer()->isActive());
}

TEST_F(JoinTest, ClickingWithNothingChosenReadsNothing) {
    raw(QStringLiteral("UPDATE MEMB_STAT SET ConnectStat=0"));
    TJoinForm w;
    TGMForm gm;
    child<QListWidget>(&gm, QStringLiteral("GMlist"))->clear();
    StatementJournal::Recorder journal;
    w.AccCTClick();
    gm.GMlistClick();
    EXPECT_TRUE(journal.entries().empty());
}

TEST_F(ReportTest, GameMastersAreListedShownAndBanned) {
    StatementJournal::Recorder journal;
    TGMForm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("View GM"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral(
                  "SELECT Name FROM Character WHERE (CtlCode=8) OR (CtlCode=16) OR (CtlCode=32)")});
    const QStringList masters =
        rawRows(game(), QStringLiteral("SELECT Name FROM Character WHERE CtlCode IN (8, 16, 32)"));
    ASSERT_EQ(listed(&w, QStringLiteral("GMlist")), masters);

    journal.clear();
    choose(&w, QStringLiteral("GMlist"), QStringLiteral("GM_Birch"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral("SELECT AccountID FROM Character WHERE Name='GM_Birch'")});
    EXPECT_EQ(
        label(&w, QStringLiteral("acc")),
        rawRows(game(), QStringLiteral("SELECT AccountID FROM Character WHERE Name='GM_Birch'")).front());

    BoxScript boxes;
    boxes.cancel().ok().ok();
    journal.clear();
    click(&w, QStringLiteral("Button1")); // Cancel: nothing written
    EXPECT_TRUE(journal.entries().empty());
    click(&w, QStringLiteral("Button1"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral("UPDATE Character SET CtlCode=1 WHERE Name='GM_Birch'")});
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].text, QStringLiteral("Are you sure?"));
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("GM Manager"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("GM Banned"));
    EXPECT_EQ(rawRows(game(), QStringLiteral("SELECT CtlCode FROM Character WHERE Name='GM_Birch'")).front(),
              QStringLiteral("1"));
    QStringList rest = masters;
    rest.removeAll(QStringLiteral("GM_Birch"));
    EXPECT_EQ(listed(&w, QStringLiteral("GMlist")), rest);
    click(&w, QStringLiteral("BitBtn2"));
    EXPECT_EQ(listed(&w, QStringLiteral("GMlist")), rest);

    child<QListWidget>(&w, QStringLiteral("GMlist"))->setCurrentRow(-1);
    BoxScript none;
    none.ok();
    click(&w, QStringLiteral("Button1"));
    EXPECT_EQ(none.last().caption, QStringLiteral("Error"));
    EXPECT_EQ(none.last().text, QStringLiteral("Select at least one GM"));
}

// A list that takes the focus makes its first row current without
// highlighting it; the keys move the highlight; a reload keeps the entry.
TEST_F(ReportTest, ListActionsFollowTheHighlightedEntryOnly) {
    TGMForm gm;
    gm.show();
    auto* masters = child<QListWidget>(&gm, QStringLiteral("GMlist"));
    ASSERT_GE(masters->count(), 3);
    const QString first = masters->item(0)->text();
    const QString second = masters->item(1)->text();
    masters->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    {
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        click(&gm, QStringLiteral("Button1"));
        EXPECT_EQ(boxes.texts(), std::vector<QString>{QStringLiteral("Select at least one GM")});
        EXPECT_TRUE(journal.entries().empty());
    }

    const auto firstValue = [this](const QString& sql, QString name) {
        return rawRows(game(), sql.arg(name.replace(QLatin1Char('\''), QStringLiteral("''")))).front();
    };
    struct Step {
        QListWidget* list;
        QString entry;    // moved to with the keys from the row before it
        QString detail;   // the label or field that follows it
        QString expected; // its text afterwards
    };
    TJoinForm join;
    join.show();
    auto* accounts = child<QListWidget>(&join, QStringLiteral("AccCT"));
    ASSERT_GE(accounts->count(), 2);
    TRankingForm ranking;
    ranking.show();
    child<RadioGroup>(&ranking, QStringLiteral("Group"))->SetItemIndex(2);
    ranking.GroupClick();
    auto* guilds = child<QListWidget>(&ranking, QStringLiteral("Res"));
    ASSERT_GE(guilds->count(), 2);
    const QString account = accounts->item(1)->text();
    const QString guild = guilds->item(1)->text();
    for (const Step& s :
         {Step{masters, second, QStringLiteral("acc"),
               firstValue(QStringLiteral("SELECT AccountID FROM Character WHERE Name='%1'"), second)},
          Step{accounts, account, QStringLiteral("IP"),
               firstValue(QStringLiteral("SELECT IP FROM MEMB_STAT WHERE memb___id='%1'"), account)},
          Step{guilds, guild, QStringLiteral("Acc"),
               firstValue(QStringLiteral("SELECT G_Master FROM Guild WHERE G_Name='%1'"), guild)}}) {
        s.list->setCurrentRow(s.list->row(s.list->findItems(s.entry, Qt::MatchExactly).front()) - 1);
        QTest::keyClick(s.list, Qt::Key_Down);
        EXPECT_EQ(ListChoice::ChosenText(s.list), s.entry);
        const QObject* window = s.list->window();
        const auto* asLabel = window->findChild<QLabel*>(s.detail);
        const QString shown = asLabel ? asLabel->text() : child<QLineEdit>(window, s.detail)->text();
        EXPECT_EQ(shown, s.expected) << s.entry.toStdString();
    }

    raw(QStringLiteral("UPDATE Character SET CtlCode=0 WHERE Name='") + first + QLatin1Char('\''));
    click(&gm, QStringLiteral("BitBtn2"));
    EXPECT_EQ(ListChoice::ChosenText(masters), second);
    EXPECT_EQ(masters->currentRow(), 0);
}

} // namespace
