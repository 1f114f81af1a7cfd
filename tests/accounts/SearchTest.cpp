#include "../app/ShellFixture.h"

#include "accounts/SearchUnit.h"
#include "platform/StatementJournal.h"
#include "widgets/WidgetKit.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>

namespace {

// Accounts on a database of their own, so the data source of each search
// shows in the journal.
class SearchTest : public ShellTest {
protected:
    void SetUp() override {
        createGame();
        const QString accounts = env.createDatabase(
            QStringLiteral("Accounts"),
            QStringLiteral(
                "CREATE TABLE MEMB_INFO (memb___id TEXT COLLATE NOCASE); INSERT INTO MEMB_INFO VALUES "
                "('zed'), ('Abba'), ('cab'), ('o''neil'), ('none');"));
        env.registerDataSource(QStringLiteral("Accounts"), accounts);
        env.useDataSource(QStringLiteral("AccountDNS"), QStringLiteral("Accounts"));
    }
    std::unique_ptr<TSearchForm> open(int mode) {
        return std::make_unique<TSearchForm>(nullptr, SearchMode(mode));
    }
    static RadioGroup* engine(const TSearchForm& w) {
        return child<RadioGroup>(&w, QStringLiteral("Engine"));
    }
    static QStringList results(const TSearchForm& w) {
        QStringList out;
        const auto* res = child<QListWidget>(&w, QStringLiteral("Res"));
        for (int i = 0; i < res->count(); ++i)
            out << res->item(i)->text();
        return out;
    }
    static void search(TSearchForm& w, int item, const QString& word) {
        engine(w)->SetItemIndex(item);
        type(&w, QStringLiteral("Search"), word);
        click(&w, QStringLiteral("SearchButton"));
    }
};

TEST_F(SearchTest, TheModeFixesOrFreesTheSearchFor) {
    struct Case {
        int mode;
        int item;
        bool free;
    };
    for (const Case& c : {Case{0, 1, true}, Case{2, 1, false}, Case{3, 2, false}, Case{7, 1, true}}) {
        auto w = open(c.mode);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Search..."));
        EXPECT_EQ(engine(*w)->ItemIndex(), c.item) << "mode " << c.mode;
        EXPECT_EQ(engine(*w)->isEnabled(), c.free) << "mode " << c.mode;
    }
}

TEST_F(SearchTest, EachItemSearchesItsOwnTableAndColumn) {
    auto w = open(0);
    StatementJournal::Recorder journal;
    search(*w, 0, QStringLiteral("ab"));
    search(*w, 1, QStringLiteral("ab"));
    search(*w, 2, QStringLiteral("ab"));
    ASSERT_EQ(journal.entries().size(), 3u);
    EXPECT_EQ(
        journal.entries()[0].text,
        QStringLiteral("SELECT memb___id FROM MEMB_INFO WHERE memb___id LIKE('%ab%') ORDER BY memb___id"));
    EXPECT_EQ(journal.entries()[0].connection, QStringLiteral("Accounts"));
    EXPECT_EQ(journal.entries()[1].text, QStringLiteral("SELECT \"Name\" FROM \"Character\" WHERE \"Name\" "
                                                        "LIKE('%ab%') ORDER BY \"Name\""));
    EXPECT_EQ(journal.entries()[1].connection, QStringLiteral("Game"));
    EXPECT_EQ(journal.entries()[2].text,
              QStringLiteral("SELECT G_Name FROM Guild WHERE G_Name LIKE('%ab%') ORDER BY G_Name"));
    EXPECT_EQ(journal.entries()[2].connection, QStringLiteral("Game"));
}

TEST_F(SearchTest, ResultsAreSortedCountedAndTheFirstIsSelected) {
    auto w = open(0);
    search(*w, 0, QStringLiteral("AB"));
    EXPECT_EQ(results(*w), (QStringList{QStringLiteral("Abba"), QStringLiteral("cab")}));
    EXPECT_EQ(child<QListWidget>(w.get(), QStringLiteral("Res"))->currentRow(), 0);
    EXPECT_EQ(child<QLabel>(w.get(), QStringLiteral("RecordC"))->text(), QStringLiteral("2"));

    search(*w, 0, QString()); // an empty word lists all
    EXPECT_EQ(results(*w).size(), 5);
    EXPECT_EQ(child<QLabel>(w.get(), QStringLiteral("RecordC"))->text(), QStringLiteral("5"));

    search(*w, 0, QStringLiteral("o'n")); // the quote is doubled, not a way out of the text
    EXPECT_EQ(results(*w), QStringList{QStringLiteral("o'neil")});

    search(*w, 1, QStringLiteral("zzz"));
    EXPECT_TRUE(results(*w).isEmpty());
    EXPECT_EQ(child<QLabel>(w.get(), QStringLiteral("RecordC"))->text(), QStringLiteral("0"));
}

TEST_F(SearchTest, OkHandsTheChosenNameBackByItem) {
    {
        auto w = open(0);
        search(*w, 0, QStringLiteral("zed"));
        click(w.get(), QStringLiteral("OkButton"));
        EXPECT_EQ(w->Found().account, QStringLiteral("zed"));
        EXPECT_EQ(w->Found().character + w->Found().guild, QString());
    }
    {
        auto w = open(2);
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        search(*w, 1, QStringLiteral("a"));
        child<QListWidget>(w.get(), QStringLiteral("Res"))->setCurrentRow(1);
        click(w.get(), QStringLiteral("OkButton"));
        EXPECT_EQ(w->Found().character, QStringLiteral("Bravo"));
        EXPECT_EQ(accepted.count(), 1);
    }
    {
        auto w = open(0);
        search(*w, 2, QStringLiteral("o"));
        click(w.get(), QStringLiteral("OkButton"));
        EXPECT_EQ(w->Found().guild, QStringLiteral("Lions"));
        EXPECT_EQ(w->Found().account + w->Found().character, QString());
    }
    auto w = open(3);
    search(*w, 2, QStringLiteral("bri"));
    auto* res = child<QListWidget>(w.get(), QStringLiteral("Res"));
    Q_EMIT res->itemDoubleClicked(res->item(0));
    EXPECT_EQ(w->Found().guild, QStringLiteral("O'Brien"));
}

TEST_F(SearchTest, CloseAndAnEmptyListHandNothingBack) {
    auto w = open(0);
    QSignalSpy rejected(w.get(), &QDialog::rejected);
    search(*w, 1, QStringLiteral("Alpha"));
    click(w.get(), QStringLiteral("CloseButton"));
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(w->Found().character, QString());

    auto empty = open(3);
    QSignalSpy closed(empty.get(), &QDialog::rejected);
    search(*empty, 2, QStringLiteral("nothing like it"));
    click(empty.get(), QStringLiteral("OkButton"));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(empty->Found().guild, QString());
}

} // namespace
