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

} // namespace
