#include "Placement.h"
#include "ReportFixture.h"

#include "reports/Csv.h"
#include "reports/LogUnit.h"
#include "reports/RankingUnit.h"
#include "widgets/WidgetKit.h"

#include <QRadioButton>

namespace {

const QStringList kValues = {
    QStringLiteral("Acc"),      QStringLiteral("Level"),    QStringLiteral("ClassType"),
    QStringLiteral("Strength"), QStringLiteral("Agility"),  QStringLiteral("Vitality"),
    QStringLiteral("Energy"),   QStringLiteral("Charisma"), QStringLiteral("REset")};

class RankingTest : public ReportTest {
protected:
    static void group(TRankingForm& w, int item) {
        child<RadioGroup>(&w, QStringLiteral("Group"))->SetItemIndex(item);
        w.GroupClick();
    }
    static QStringList values(const TRankingForm& w) {
        QStringList out;
        for (const QString& name : kValues)
            out << label(&w, name);
        return out;
    }
    static QStringList captions(const TRankingForm& w) {
        QStringList out;
        for (int i = 1; i <= 9; ++i)
            out << label(&w, QStringLiteral("Label%1").arg(i));
        return out;
    }
};

TEST_F(RankingTest, EachGroupListsItsTopHundredWithItsCaptions) {
    struct Case {
        int item;
        QString statement;
        QString connection;
        QString order; // the same order straight from the file
        QString file;
        QStringList captions;
    };
    const QString e;
    const Case cases[] = {
        {0,
         QStringLiteral("SELECT TOP 100 Name FROM Character ORDER BY cLevel DESC"),
         QStringLiteral("TanorOnline"),
         QStringLiteral("SELECT Name FROM Character ORDER BY cLevel DESC LIMIT 100"),
         game(),
         {QStringLiteral("Account"), QStringLiteral("Level"), QStringLiteral("Class"),
          QStringLiteral("Strength"), QStringLiteral("Agility"), QStringLiteral("Vitality"),
          QStringLiteral("Energy"), QStringLiteral("Command"), QStringLiteral("Reset")}},
        {1,
         QStringLiteral("SELECT TOP 100 CharacterName FROM EVENT_INFO ORDER BY Point DESC"),
         QStringLiteral("Ranking"),
         QStringLiteral("SELECT CharacterName FROM EVENT_INFO ORDER BY Point DESC"),
         ranking(),
         {QStringLiteral("Account"), QStringLiteral("Square"), QStringLiteral("Position"),
          QStringLiteral("Points"), e, e, e, e, e}},
        {2,
         QStringLiteral("SELECT TOP 100 G_Name FROM Guild ORDER BY G_Score DESC"),
         QStringLiteral("TanorOnline"),
         QStringLiteral("SELECT G_Name FROM Guild ORDER BY G_Score DESC"),
         game(),
         {QStringLiteral("G. Master"), QStringLiteral("G. Score"), QStringLiteral("G. Members"), e, e, e, e,
          e, e}},
    };
    TRankingForm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ranking"));
    EXPECT_EQ(child<RadioGroup>(&w, QStringLiteral("Group"))->ItemIndex(), -1);
    for (const Case& c : cases) {
        StatementJournal::Recorder journal;
        group(w, c.item);
        ASSERT_EQ(journal.entries().size(), 1u);
        EXPECT_EQ(journal.entries()[0].text, c.statement);
        EXPECT_EQ(journal.entries()[0].connection, c.connection);
        EXPECT_EQ(listed(&w, QStringLiteral("Res")), rawRows(c.file, c.order)) << c.item;
        EXPECT_EQ(captions(w), c.captions) << c.item;
    }
}

TEST_F(RankingTest, MoreThanAHundredCharactersListTheFirstHundred) {
    QString values;
    for (int i = 0; i < 120; ++i)
        values += QStringLiteral("%1('acc', 'Bulk%2', %3)")
                      .arg(i ? QStringLiteral(",") : QString())
                      .arg(i)
                      .arg(1000 + i);
    raw(QStringLiteral("INSERT INTO Character (AccountID, Name, cLevel) VALUES ") + values);
    TRankingForm w;
    group(w, 0);
    const QStringList names = listed(&w, QStringLiteral("Res"));
    ASSERT_EQ(names.size(), 100);
    EXPECT_EQ(names.front(), QStringLiteral("Bulk119"));
    EXPECT_EQ(names.back(), QStringLiteral("Bulk20"));
}

TEST_F(RankingTest, CharacterDetailsNameTheClassAndShowResetsWhenEnabled) {
    raw(QStringLiteral("UPDATE Character SET Class=3 WHERE Name='Tamsy'"));
    const QStringList brann =
        rawRows(game(), QStringLiteral("SELECT AccountID, cLevel, Strength, Dexterity, "
                                       "Vitality, Energy, Leadership FROM Character WHERE "
                                       "Name='Brann'"))
            .front()
            .split(QLatin1Char('|'));
    const QString resets =
        rawRows(game(), QStringLiteral("SELECT Resets FROM CharacterResets WHERE CharacterName='Brann'"))
            .front();

    TRankingForm w;
    group(w, 0);
    StatementJournal::Recorder journal;
    choose(&w, QStringLiteral("Res"), QStringLiteral("Brann"));
    EXPECT_EQ(journal.texts(),
              (std::vector<QString>{
                  QStringLiteral(
                      "SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, Leadership "
                      "FROM \"Character\" WHERE \"Name\"='Brann'"),
                  QStringLiteral("SELECT Resets FROM CharacterResets WHERE CharacterName = 'Brann'")}));
    EXPECT_EQ(values(w), (QStringList{brann[0], brann[1], QStringLiteral("Blade Knight"), brann[2], brann[3],
                                      brann[4], brann[5], brann[6], resets}));

    WriteSettingInt(QStringLiteral("Resets"), QStringLiteral("Enabled"), 0);
    choose(&w, QStringLiteral("Res"), QStringLiteral("Tamsy"));
    EXPECT_EQ(label(&w, QStringLiteral("ClassType")), QStringLiteral("3"));
    EXPECT_EQ(label(&w, QStringLiteral("REset")), QStringLiteral("Not Avaible"));

    // A settings name that is not a plain name never reaches the server.
    WriteSettingInt(QStringLiteral("Resets"), QStringLiteral("Enabled"), 1);
    WriteSetting(QStringLiteral("Resets"), QStringLiteral("Table"),
                 QStringLiteral("CharacterResets; DROP TABLE x"));
    BoxScript boxes;
    boxes.ok();
    journal.clear();
    choose(&w, QStringLiteral("Res"), QStringLiteral("Brann"));
    EXPECT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("VornTanorEditor"));
}

TEST_F(RankingTest, EventAndGuildDetailsAndAVanishedEntry) {
    TRankingForm w;
    group(w, 1);
    StatementJournal::Recorder journal;
    choose(&w, QStringLiteral("Res"), QStringLiteral("Kaelin"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral(
                  "SELECT AccountID, Square, Class, Point FROM EVENT_INFO WHERE CharacterName='Kaelin'")});
    EXPECT_EQ(values(w).mid(0, 4), (QStringList{QStringLiteral("kestrel"), QStringLiteral("2"),
                                                QStringLiteral("16"), QStringLiteral("8933")}));
    TestEnvironment::execRaw(ranking(),
                             QStringLiteral("DELETE FROM EVENT_INFO WHERE CharacterName='Kaelin'"));
    choose(&w, QStringLiteral("Res"), QStringLiteral("Kaelin"));
    EXPECT_EQ(values(w).mid(0, 4), (QStringList{QString(), QStringLiteral("1"), QString(), QString()}));

    group(w, 2);
    EXPECT_EQ(values(w), QStringList(9, QString())); // a new group shows nothing stale
    journal.clear();
    choose(&w, QStringLiteral("Res"), QStringLiteral("Ironveil"));
    EXPECT_EQ(journal.texts(), std::vector<QString>{QStringLiteral(
                                   "SELECT G_Master, G_Score, (select count(*) from GuildMember where "
                                   "[GuildMember].G_Name='Ironveil') FROM Guild WHERE "
                                   "G_Name='Ironveil'")});
    const QString expected =
        rawRows(game(), QStringLiteral("SELECT G_Master || '|' || G_Score || '|' || (SELECT "
                                       "count(*) FROM GuildMember WHERE G_Name='Ironveil') FROM "
                                       "Guild WHERE G_Name='Ironveil'"))
            .front();
    EXPECT_EQ(values(w).mid(0, 3).join(QLatin1Char('|')), expected);
}

TEST_F(RankingTest, ClickingAnEmptyListDoesNothing) {
    TRankingForm w;
    raw(QStringLiteral("DELETE FROM Guild"));
    group(w, 2);
    StatementJournal::Recorder journal;
    w.ResClick();
    TRankingForm fresh; // no group chosen at all
    fresh.ResClick();
    EXPECT_TRUE(journal.entries().empty());
}

// The file holds every entry with the details the window shows for it,
// under the captions shown; a name typed without extension gets ".csv".
TEST_F(RankingTest, TheCsvHoldsTheColumnsShownForEveryEntry) {
    TRankingForm w;
    w.show();
    for (int item : {0, 1, 2}) {
        group(w, item);
        const QString base = env.path(QStringLiteral("ranking%1").arg(item));
        {
            FileAnswer answer(base);
            click(&w, QStringLiteral("ExportCsv"));
        }
        const QVector<Csv::Record> records = Csv::Parse(Csv::ReadFile(base + QStringLiteral(".csv")));
        const QStringList names = listed(&w, QStringLiteral("Res"));
        ASSERT_EQ(records.size(), names.size() + 1) << item;
        QStringList header{QStringLiteral("Name")};
        int shown = 0;
        for (const QString& caption : captions(w)) {
            if (!caption.isEmpty()) {
                header << caption;
                ++shown;
            }
        }
        EXPECT_EQ(records[0].fields, header) << item;
        for (int row : {0, int(names.size()) - 1}) {
            choose(&w, QStringLiteral("Res"), names[row]);
            EXPECT_EQ(records[row + 1].fields, QStringList{names[row]} + values(w).mid(0, shown))
                << item << " " << names[row].toStdString();
        }
    }
}

// Details filled, captions changed and filter fields shown move nothing
// else and keep the window's size.
TEST_F(RankingTest, ReportWindowsKeepTheirPlaceAsControlsComeAndGo) {
    raw(QStringLiteral("UPDATE Character SET AccountID='a_rather_long_account' WHERE Name='Brann'"));
    TRankingForm ranking;
    ranking.show();
    group(ranking, 0);
    const Placement rankingOpened(&ranking);
    choose(&ranking, QStringLiteral("Res"), QStringLiteral("Brann"));
    EXPECT_EQ(Placement(&ranking).ChangedSince(rankingOpened), QStringList()) << "character details";
    for (int item : {1, 2}) {
        group(ranking, item);
        choose(&ranking, QStringLiteral("Res"), listed(&ranking, QStringLiteral("Res")).front());
        EXPECT_EQ(Placement(&ranking).ChangedSince(rankingOpened), QStringList()) << item;
    }

    TLOGForm log;
    log.show();
    const Placement logOpened(&log);
    for (const char* name : {"RadioGroup2", "RadioGroup1", "RadioGroup4"}) {
        child<RadioGroup>(&log, QString::fromLatin1(name))->Item(1)->click();
        EXPECT_EQ(Placement(&log).ChangedSince(logOpened), QStringList()) << name;
    }
    for (const char* name : {"RadioGroup2", "RadioGroup1", "RadioGroup4"})
        child<RadioGroup>(&log, QString::fromLatin1(name))->Item(0)->click();
    EXPECT_EQ(Placement(&log).ChangedSince(logOpened), QStringList()) << "fields hidden again";
}

} // namespace
