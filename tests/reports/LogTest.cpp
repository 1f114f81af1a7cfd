#include "Child.h"
#include "ReportFixture.h"

#include "reports/LogUnit.h"
#include "reports/UsageLog.h"
#include "widgets/WidgetKit.h"

#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateEdit>
#include <QImage>
#include <QLineSeries>
#include <QStackedWidget>
#include <QTableView>

namespace {

const QString kMissing =
    QStringLiteral("The Day you selected is not avaible!\rMaybe the table was not created");
const QDate kDay(2026, 12, 9);

class LogTest : public ReportTest {
protected:
    std::unique_ptr<TLOGForm> open(const QDate& day = kDay) {
        auto w = std::make_unique<TLOGForm>();
        child<QDateEdit>(w.get(), QStringLiteral("LogDate"))->setDate(day);
        return w;
    }
    static void setGroup(TLOGForm& w, const char* name, int item) {
        child<RadioGroup>(&w, QString::fromLatin1(name))->SetItemIndex(item);
    }
    static int page(const TLOGForm& w) { return child<QStackedWidget>(&w)->currentIndex(); }
    [[nodiscard]] int count(const QString& where) const {
        return rawRows(game(), QStringLiteral("SELECT count(*) FROM UseLog20261209 WHERE ") + where)
            .front()
            .toInt();
    }
};

TEST_F(LogTest, ServersAreListedAfterAllAndAFailureIsReported) {
    {
        StatementJournal::Recorder journal;
        auto w = open();
        EXPECT_EQ(journal.texts().back(), QStringLiteral("SELECT DISTINCT ServerName FROM MEMB_STAT"));
        QStringList expected{QStringLiteral("All")};
        expected << rawRows(game(), QStringLiteral("SELECT DISTINCT ServerName FROM MEMB_STAT"));
        EXPECT_EQ(items(child<QComboBox>(w.get(), QStringLiteral("Server"))), expected);
        EXPECT_EQ(child<QComboBox>(w.get(), QStringLiteral("Server"))->currentIndex(), 0);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("LOG Manager"));
    }
    raw(QStringLiteral("DROP TABLE MEMB_STAT"));
    BoxScript boxes;
    boxes.ok();
    auto w = open();
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Unhandled Exception while recovering ServerNames"));
    EXPECT_EQ(items(child<QComboBox>(w.get(), QStringLiteral("Server"))), QStringList{QStringLiteral("All")});
}

TEST_F(LogTest, OpensOnTheNewestDayWithATableAndClosesWithoutAnOperator) {
    const QDate yesterday = QDate::currentDate().addDays(-1);
    for (const char* day : {"20261207", "20261208", "20261209"})
        raw(QStringLiteral("DROP TABLE UseLog") + QLatin1String(day));
    raw(QStringLiteral("CREATE TABLE UseLog%1 (Number INTEGER)")
            .arg(yesterday.toString(QStringLiteral("yyyyMMdd"))));
    {
        TLOGForm w;
        EXPECT_EQ(child<QDateEdit>(&w, QStringLiteral("LogDate"))->date(), yesterday);
        w.FormShow();
        QCoreApplication::processEvents();
        EXPECT_EQ(w.result(), 0);
    }
    AppState.OperatorSignedIn = 0;
    TLOGForm w;
    w.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), int(QDialog::Rejected));

    using UsageLog::Probe;
    int asked = 0;
    const auto has = [&asked](const QDate& d) {
        ++asked;
        if (d == QDate(2026, 12, 1) || d == QDate(2026, 11, 1))
            return Probe::Found;
        return d == QDate(2026, 10, 20) ? Probe::Unreachable : Probe::Missing;
    };
    EXPECT_EQ(UsageLog::NewestDay(QDate(2026, 12, 5), 31, has), QDate(2026, 12, 1));
    EXPECT_EQ(UsageLog::NewestDay(QDate(2026, 12, 1), 31, has), QDate(2026, 12, 1));
    EXPECT_EQ(UsageLog::NewestDay(QDate(2026, 11, 30), 20, has), QDate(2026, 11, 30)); // none near: today
    asked = 0;
    EXPECT_EQ(UsageLog::NewestDay(QDate(2026, 10, 25), 31, has), QDate(2026, 10, 25)); // no answer: today
    EXPECT_EQ(asked, 6);
}

TEST_F(LogTest, TheChartAsksHourByHourWithTheServerTwice) {
    auto w = open();
    StatementJournal::Recorder journal;
    click(w.get(), QStringLiteral("View"));
    ASSERT_EQ(journal.entries().size(), 24u);
    EXPECT_EQ(page(*w), 1);
    EXPECT_EQ(journal.entries()[0].connection, QStringLiteral("TanorOnline"));
    EXPECT_EQ(journal.entries()[0].text,
              QStringLiteral(
                  "select sum (UsedTime), (select count(DISTINCT Id) from UseLog20261209 where "
                  "(State='connect') and (DateTime between Convert(datetime, '2026-12-09 00:00:00.000') and "
                  "Convert(datetime, '2026-12-09 00:59:59.999')) ) from UseLog20261209 where DateTime "
                  "between Convert(datetime, '2026-12-09 00:00:00.000') and Convert(datetime, '2026-12-09 "
                  "00:59:59.999') "));
    EXPECT_TRUE(journal.entries()[9].text.contains(QStringLiteral(
        "where (State='connect') and (DateTime between Convert(datetime, '2026-12-09 09:00:00.000')")));
    EXPECT_EQ(journal.entries()[10].text,
              QStringLiteral(
                  "select sum (UsedTime), (select count(DISTINCT Id) from UseLog20261209 WHERE "
                  "(State='connect') and (DateTime between Convert(datetime, '2026-12-09 10:00:00.000') and "
                  "Convert(datetime, '2026-12-09 10:59:59.999')) ) from UseLog20261209 where DateTime "
                  "between Convert(datetime, '2026-12-09 10:00:00.000') and Convert(datetime, '2026-12-09 "
                  "10:59:59.999') "));

    pick(child<QComboBox>(w.get(), QStringLiteral("Server")), QStringLiteral("Valewind-1"));
    journal.clear();
    click(w.get(), QStringLiteral("View"));
    ASSERT_EQ(journal.entries().size(), 24u);
    EXPECT_EQ(journal.entries()[23].text,
              QStringLiteral(
                  "select sum (UsedTime), (select count(DISTINCT Id) from UseLog20261209 WHERE "
                  "(State='connect') and (DateTime between Convert(datetime, '2026-12-09 23:00:00.000') and "
                  "Convert(datetime, '2026-12-09 23:59:59.999')) AND (ServerName= 'Valewind-1')) from "
                  "UseLog20261209 where DateTime between Convert(datetime, '2026-12-09 23:00:00.000') and "
                  "Convert(datetime, '2026-12-09 23:59:59.999') AND (ServerName= 'Valewind-1')"));
}

TEST_F(LogTest, TheSeriesFollowTheDisplayChoiceAndTheData) {
    // Per hour, straight from the file: minutes used and accounts connecting.
    QVector<int> minutes(24, 0);
    QVector<int> accounts(24, 0);
    for (const QString& row :
         rawRows(game(), QStringLiteral("SELECT CAST(substr(DateTime, 12, 2) AS INTEGER), "
                                        "sum(UsedTime), count(DISTINCT CASE WHEN "
                                        "State='connect' THEN Id END) FROM UseLog20261209 "
                                        "GROUP BY 1"))) {
        const QStringList cells = row.split(QLatin1Char('|'));
        minutes[cells[0].toInt()] = cells[1].toInt();
        accounts[cells[0].toInt()] = cells[2].toInt();
    }
    ASSERT_GT(std::count(accounts.begin(), accounts.end(), 0), 0); // some hours are empty
    QStringList hours;
    for (int h = 0; h < 24; ++h)
        hours << QString::number(h);

    struct Case {
        int display;
        QVector<int> connected;
        QVector<int> used;
    };
    auto w = open();
    for (const Case& c : {Case{0, accounts, minutes}, Case{1, {}, minutes}, Case{2, accounts, {}}}) {
        setGroup(*w, "RadioGroup5", c.display);
        click(w.get(), QStringLiteral("View"));
        // As std::vector: Qt 6.4 compares two empty int lists through a null memcmp.
        EXPECT_EQ(std::vector<int>(w->Chart().connected.begin(), w->Chart().connected.end()),
                  std::vector<int>(c.connected.begin(), c.connected.end()))
            << c.display;
        EXPECT_EQ(std::vector<int>(w->Chart().minutes.begin(), w->Chart().minutes.end()),
                  std::vector<int>(c.used.begin(), c.used.end()))
            << c.display;
        EXPECT_EQ(w->Chart().connectedLabels, c.connected.isEmpty() ? QStringList() : hours);
        const auto series = child<QChartView>(w.get(), QStringLiteral("ConnectLOG"))->chart()->series();
        ASSERT_EQ(series.size(), 2);
        EXPECT_EQ(static_cast<QLineSeries*>(series[0])->count(), c.connected.size());
        EXPECT_EQ(static_cast<QLineSeries*>(series[1])->count(), c.used.size());
    }
    click(w.get(), QStringLiteral("Button1"));
    EXPECT_EQ(page(*w), 0);

    // A day without a table: the message, and no points.
    BoxScript boxes;
    boxes.ok();
    child<QDateEdit>(w.get(), QStringLiteral("LogDate"))->setDate(QDate(2020, 1, 1));
    click(w.get(), QStringLiteral("View"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("LOG Manager"));
    EXPECT_EQ(boxes.last().text, kMissing);
    EXPECT_TRUE(w->Chart().connected.isEmpty());
}

TEST_F(LogTest, EveryTableFilterAsTheStatementHasIt) {
    const QString head = QStringLiteral(
        "SELECT Number, DateTime, ServerName, Id, Ip, State, IpGuid, UsedTime, PayCode FROM UseLog20261209 ");
    const QString anyAccount = QStringLiteral(" WHERE (Id LIKE ('%%')) ");
    const QString s = QStringLiteral(" ");
    struct Case {
        int account, pay, address, used;
        QString like, from, to, minutes, server;
        QString clauses; // after the head
        QString where;   // the same rows, straight from the file
    };
    const Case cases[] = {
        {0, 0, 0, 0, {}, {}, {}, {}, {}, anyAccount + s + s + s + s, QStringLiteral("1")},
        {1,
         0,
         0,
         0,
         QStringLiteral("ar"),
         {},
         {},
         {},
         {},
         QStringLiteral(" WHERE (Id LIKE('%ar%')) ") + s + s + s + s,
         QStringLiteral("Id LIKE '%ar%'")},
        {1,
         0,
         0,
         0,
         QStringLiteral("o'b"),
         {},
         {},
         {},
         {},
         QStringLiteral(" WHERE (Id LIKE('%o''b%')) ") + s + s + s + s,
         QStringLiteral("Id LIKE '%o''b%'")},
        {0,
         1,
         0,
         0,
         {},
         {},
         {},
         {},
         {},
         anyAccount + QStringLiteral(" AND (PayCode=5) ") + s + s + s,
         QStringLiteral("PayCode=5")},
        {0,
         2,
         0,
         0,
         {},
         {},
         {},
         {},
         {},
         anyAccount + QStringLiteral(" AND (PayCode=2) ") + s + s + s,
         QStringLiteral("PayCode=2")},
        {0,
         3,
         0,
         0,
         {},
         {},
         {},
         {},
         {},
         anyAccount + QStringLiteral(" AND (PayCode=4) ") + s + s + s,
         QStringLiteral("PayCode=4")},
        {0,
         0,
         1,
         0,
         {},
         QStringLiteral("010.020.001.000"),
         QStringLiteral("010.020.005.255"),
         {},
         {},
         anyAccount + s + QStringLiteral(" AND (Ip BETWEEN '010.020.001.000' AND '010.020.005.255') ") + s +
             s,
         QStringLiteral("Ip BETWEEN '010.020.001.000' AND '010.020.005.255'")},
        {0,
         0,
         0,
         1,
         {},
         {},
         {},
         QStringLiteral("30"),
         {},
         anyAccount + s + s + QStringLiteral(" AND (UsedTime BETWEEN 30 AND 9999) ") + s,
         QStringLiteral("UsedTime BETWEEN 30 AND 9999")},
        {0,
         0,
         0,
         2,
         {},
         {},
         {},
         QStringLiteral("31"),
         {},
         anyAccount + s + s + QStringLiteral(" AND (UsedTime =31) ") + s,
         QStringLiteral("UsedTime = 31")},
        {0,
         0,
         0,
         3,
         {},
         {},
         {},
         QStringLiteral("10"),
         {},
         anyAccount + s + s + QStringLiteral(" AND (UsedTime BETWEEN 0 AND 10) ") + s,
         QStringLiteral("UsedTime BETWEEN 0 AND 10")},
        {0,
         1,
         0,
         0,
         {},
         {},
         {},
         {},
         QStringLiteral("Valewind-2"),
         anyAccount + QStringLiteral(" AND (PayCode=5) ") + s + s +
             QStringLiteral(" AND (ServerName='Valewind-2')"),
         QStringLiteral("PayCode=5 AND ServerName='Valewind-2'")},
    };
    auto w = open();
    for (const Case& c : cases) {
        setGroup(*w, "RadioGroup1", c.account);
        setGroup(*w, "RadioGroup3", c.pay);
        setGroup(*w, "RadioGroup2", c.address);
        setGroup(*w, "RadioGroup4", c.used);
        type(w.get(), QStringLiteral("Edit1"), c.like);
        type(w.get(), QStringLiteral("Edit2"), c.minutes);
        type(w.get(), QStringLiteral("Edit3"), c.from);
        type(w.get(), QStringLiteral("Edit4"), c.to);
        pick(child<QComboBox>(w.get(), QStringLiteral("Server")),
             c.server.isEmpty() ? QStringLiteral("All") : c.server);
        StatementJournal::Recorder journal;
        click(w.get(), QStringLiteral("BitBtn2"));
        ASSERT_EQ(journal.texts(), std::vector<QString>{head + c.clauses}) << c.where.toStdString();
        const int expected = count(c.where);
        EXPECT_GT(expected, 0) << c.where.toStdString();
        EXPECT_EQ(child<QTableView>(w.get(), QStringLiteral("DBGrid1"))->model()->rowCount(), expected)
            << c.where.toStdString();
        EXPECT_EQ(page(*w), 2);
        click(w.get(), QStringLiteral("BitBtn3"));
        EXPECT_EQ(page(*w), 0);
    }
}

TEST_F(LogTest, MalformedFiltersAreNamedAndNothingIsSent) {
    struct Case {
        int address, used;
        QString from, minutes, field;
    };
    auto w = open();
    for (const Case& c : {Case{0, 1, {}, QString(), QStringLiteral("Used Time")},
                          Case{0, 2, {}, QStringLiteral("12a"), QStringLiteral("Used Time")},
                          Case{0, 3, {}, QStringLiteral("10000"), QStringLiteral("Used Time")},
                          Case{1, 0, QStringLiteral("010.020.001"), {}, QStringLiteral("IP From")},
                          Case{1, 0, QStringLiteral("300.020.001.001"), {}, QStringLiteral("IP From")}}) {
        setGroup(*w, "RadioGroup2", c.address);
        setGroup(*w, "RadioGroup4", c.used);
        type(w.get(), QStringLiteral("Edit2"), c.minutes);
        type(w.get(), QStringLiteral("Edit3"), c.from);
        type(w.get(), QStringLiteral("Edit4"), QStringLiteral("010.020.009.255"));
        StatementJournal::Recorder journal;
        BoxScript boxes;
        boxes.ok();
        click(w.get(), QStringLiteral("BitBtn2"));
        EXPECT_TRUE(journal.entries().empty()) << c.field.toStdString();
        EXPECT_EQ(boxes.last().caption, QStringLiteral("LOG Manager"));
        EXPECT_TRUE(boxes.last().text.startsWith(c.field)) << boxes.last().text.toStdString();
        EXPECT_EQ(page(*w), 0);
    }
    BoxScript boxes;
    boxes.ok();
    setGroup(*w, "RadioGroup2", 0);
    setGroup(*w, "RadioGroup4", 0);
    child<QDateEdit>(w.get(), QStringLiteral("LogDate"))->setDate(QDate(2020, 1, 1));
    click(w.get(), QStringLiteral("BitBtn2"));
    EXPECT_EQ(boxes.last().text, kMissing);
}

TEST_F(LogTest, TheTableExportsAsCsvAndTheChartAsAnImage) {
    auto w = open();
    setGroup(*w, "RadioGroup3", 3);
    click(w.get(), QStringLiteral("BitBtn2"));
    const QString csv = env.path(QStringLiteral("log.csv"));
    {
        FileAnswer answer(csv);
        click(w.get(), QStringLiteral("ExportCsv"));
    }
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.front(),
              QStringLiteral("Number,DateTime,ServerName,Id,Ip,State,IpGuid,UsedTime,PayCode"));
    EXPECT_EQ(lines.size(), count(QStringLiteral("PayCode=4")) + 1);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",4")));

    click(w.get(), QStringLiteral("View"));
    FileAnswer answer(env.path(QStringLiteral("chart"))); // typed without extension
    click(w.get(), QStringLiteral("SaveImage"));
    EXPECT_FALSE(QImage(env.path(QStringLiteral("chart.png"))).isNull());
}

} // namespace
