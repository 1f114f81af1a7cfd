#include "reports/Csv.h"
#include "platform/TanorError.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvTest, FieldsAreQuotedOnlyWhenTheyMustBe) {
    struct Case {
        QString value, written;
    };
    for (const Case& c : {Case{QStringLiteral("plain"), QStringLiteral("plain")},
                          Case{QStringLiteral("a,b"), QStringLiteral("\"a,b\"")},
                          Case{QStringLiteral("say \"hi\""), QStringLiteral("\"say \"\"hi\"\"\"")},
                          Case{QStringLiteral("two\nlines"), QStringLiteral("\"two\nlines\"")},
                          Case{QStringLiteral("lone\rreturn"), QStringLiteral("\"lone\rreturn\"")},
                          Case{QStringLiteral(""), QStringLiteral("\"\"")}, Case{QString(), QString()},
                          Case{QStringLiteral("Ünïcode"), QStringLiteral("Ünïcode")}})
        EXPECT_EQ(Csv::Field(c.value), c.written);
}

TEST(CsvTest, ParsingGivesBackWhatWasWrittenWithLineNumbers) {
    const QVector<QStringList> rows = {{QStringLiteral("a,b"), QString(), QStringLiteral("x\r\ny")},
                                       {QStringLiteral("\"q\""), QStringLiteral("z"), QStringLiteral(" ")}};
    const QString text = Csv::Write({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, rows) +
                         QStringLiteral("\r\n\nlast,row\n");
    const QVector<Csv::Record> records = Csv::Parse(text);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[1].fields, rows[0]);
    EXPECT_EQ(records[2].fields, rows[1]);
    EXPECT_EQ(records[3].fields, (QStringList{QStringLiteral("last"), QStringLiteral("row")}));
    EXPECT_EQ((QVector<int>{records[0].line, records[1].line, records[2].line, records[3].line}),
              (QVector<int>{1, 2, 4, 7}));
    try {
        (void)Csv::Parse(QStringLiteral("a\nb,\"open\nstill"));
        ADD_FAILURE() << "an open quote was accepted";
    } catch (const ConvertError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Line 2:")));
    }
}

// Every value survives a write and a read exactly, NULL (a null QString)
// included and told apart from empty text.
TEST(CsvTest, EveryValueReadsBackAsWritten) {
    QStringList values{QString(),
                       QStringLiteral(""),
                       QStringLiteral(" "),
                       QStringLiteral("a\"b"),
                       QStringLiteral("x\",y"),
                       QStringLiteral("\"\""),
                       QStringLiteral("a\"b\"c")};
    for (const char* special : {"\"", ",", "\r", "\n", "\r\n", "\n\r", "\"\r\n,"})
        for (const char* form : {"%1ab", "a%1b", "ab%1", "%1"})
            values << QString::fromLatin1(form).arg(QLatin1String(special));
    QVector<QStringList> rows;
    for (const QString& v : values)
        rows << QStringList{QStringLiteral("k"), v, QStringLiteral("end")} << QStringList{v, v};
    const QVector<Csv::Record> records = Csv::Parse(Csv::Write({QStringLiteral("H")}, rows));
    ASSERT_EQ(records.size(), rows.size() + 1);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(records[r + 1].fields, rows[r]) << r;
        for (qsizetype f = 0; f < rows[r].size() && f < records[r + 1].fields.size(); ++f)
            EXPECT_EQ(records[r + 1].fields[f].isNull(), rows[r][f].isNull()) << r << ' ' << f;
    }
}

// What other programs write: a lone CR ends a line, a quote where a field
// cannot hold one is refused by its line rather than dropped.
TEST(CsvTest, LineEndsAndStrayQuotes) {
    const QVector<Csv::Record> records =
        Csv::Parse(QStringLiteral("01,Fire\r02,Ice\r\r\"x\ry\",z\n03,,\"\""));
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].fields, (QStringList{QStringLiteral("01"), QStringLiteral("Fire")}));
    EXPECT_EQ(records[1].fields, (QStringList{QStringLiteral("02"), QStringLiteral("Ice")}));
    EXPECT_EQ(records[2].fields, (QStringList{QStringLiteral("x\ry"), QStringLiteral("z")}));
    EXPECT_TRUE(records[3].fields[1].isNull());
    EXPECT_FALSE(records[3].fields[2].isNull());
    EXPECT_EQ((QVector<int>{records[0].line, records[1].line, records[2].line, records[3].line}),
              (QVector<int>{1, 2, 4, 6}));
    struct Case {
        QString text;
        int line;
    };
    for (const Case& c : {Case{QStringLiteral("a,b\r\nc,a\"b\"c"), 2}, Case{QStringLiteral("a\rb,x\""), 2},
                          Case{QStringLiteral("\"ab\"c,d"), 1}, Case{QStringLiteral("a\n\n\"x\" ,y"), 3}}) {
        try {
            (void)Csv::Parse(c.text);
            ADD_FAILURE() << "accepted " << c.text.toStdString();
        } catch (const ConvertError& e) {
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("Line %1:").arg(c.line)))
                << e.text().toStdString();
        }
    }
}

} // namespace
