#include "ReportFixture.h"

#include "OdbcDrivers.h"
#include "core/UtilitiesUnit.h"
#include "items/Catalogue.h"
#include "platform/OdbcRegistry.h"
#include "platform/TanorError.h"
#include "reports/CatalogueImport.h"
#include "reports/CatalogueTableModel.h"
#include "reports/Csv.h"
#include "reports/DBUnit.h"

#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace {

using Nav = TDBForm::Nav;

class CatalogueEditorTest : public ReportTest {
protected:
    std::unique_ptr<TDBForm> open(const QString& table) {
        WindowContext context = signedIn();
        context.catalogueTable = table;
        return std::make_unique<TDBForm>(context);
    }
    [[nodiscard]] QStringList rows(const QString& sql) const { return rawRows(catalogue(), sql); }
    static void set(TDBForm& w, int row, int column, const QString& value) {
        ASSERT_TRUE(w.Model()->setData(w.Model()->index(row, column), value));
    }
    // The column named so in the grid's header, wherever the table keeps it.
    static int column(const TDBForm& w, const char* name) {
        for (int c = 0; c < w.Model()->columnCount(); ++c)
            if (w.Model()->headerData(c, Qt::Horizontal).toString() == QLatin1String(name))
                return c;
        ADD_FAILURE() << "no column " << name;
        return 0;
    }
    static QTableView* grid(const TDBForm& w) { return child<QTableView>(&w, QStringLiteral("DBGrid1")); }
    static void go(TDBForm& w, int row) { grid(w)->setCurrentIndex(w.Model()->index(row, 0)); }
    static QVector<int> widths(const TDBForm& w) {
        QVector<int> out;
        for (int c = 0; c < w.Model()->columnCount(); ++c)
            out << grid(w)->columnWidth(c);
        return out;
    }
    // The grid's rows as the file's rows read (NULL shown as "NULL").
    static QStringList shown(const TDBForm& w) {
        QStringList out;
        for (int r = 0; r < w.Model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < w.Model()->columnCount(); ++c)
                cells << (w.Model()->Row(r)[c].isNull() ? QStringLiteral("NULL")
                                                        : w.Model()->Row(r)[c].toString());
            out << cells.join(u'|');
        }
        return out;
    }
};

TEST_F(CatalogueEditorTest, EachTableOpensWithEveryColumnAndItsWidths) {
    struct Case {
        QString table;
        QVector<int> widths;
    };
    for (const Case& c : {Case{QStringLiteral("Item"), {20, 20, 20, 20, 20, 120, 50, 18, 18, 30, 20, 25, 25}},
                          Case{QStringLiteral("Skill"), {20, 120, 120}}}) {
        StatementJournal::Recorder journal;
        auto w = open(c.table);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("DBForm"));
        EXPECT_EQ(journal.texts(), std::vector<QString>{QStringLiteral("SELECT rowid, * FROM ") + c.table});
        EXPECT_EQ(w->Model()->columnCount(), c.widths.size());
        EXPECT_EQ(w->Model()->rowCount(),
                  rows(QStringLiteral("SELECT count(*) FROM ") + c.table).front().toInt());
        for (int i = 0; i < c.widths.size(); ++i)
            EXPECT_EQ(grid(*w)->columnWidth(i), c.widths[i]) << c.table.toStdString() << " column " << i;
    }
}

TEST_F(CatalogueEditorTest, EditInsertAndDeleteAreWrittenWhenPosted) {
    auto w = open(QStringLiteral("Skill"));
    const QStringList first =
        rows(QStringLiteral("SELECT ID, Name, Class, rowid FROM Skill LIMIT 1")).front().split(u'|');
    StatementJournal::Recorder journal;
    set(*w, 0, 1, QStringLiteral("Fire Bolt II"));
    EXPECT_TRUE(journal.entries().empty()); // nothing before the post
    click(w.get(), QStringLiteral("Post"));
    EXPECT_EQ(journal.texts(), std::vector<QString>{QStringLiteral("UPDATE Skill SET [ID]='") + first[0] +
                                                    QStringLiteral("', [Name]='Fire Bolt II', [Class]='") +
                                                    first[2] + QStringLiteral("' WHERE rowid=") + first[3]});
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Skill WHERE Name='Fire Bolt II'")).front(),
              QStringLiteral("1"));

    journal.clear();
    click(w.get(), QStringLiteral("Insert"));
    set(*w, 0, 0, QStringLiteral("7E"));
    set(*w, 0, 1, QStringLiteral("Tide's Call"));
    click(w.get(), QStringLiteral("Post"));
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            QStringLiteral("INSERT INTO Skill ([ID], [Name], [Class]) VALUES ('7E', 'Tide''s Call', NULL)"),
            QStringLiteral("SELECT last_insert_rowid()")}));

    BoxScript boxes;
    boxes.cancel().ok();
    journal.clear();
    go(*w, 0);
    click(w.get(), QStringLiteral("Delete")); // Cancel keeps it
    EXPECT_TRUE(journal.entries().empty());
    const QString added = rows(QStringLiteral("SELECT rowid FROM Skill WHERE ID='7E'")).front();
    click(w.get(), QStringLiteral("Delete"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>{QStringLiteral("DELETE FROM Skill WHERE rowid=") + added});
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Question);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Skill WHERE ID='7E'")).front(), QStringLiteral("0"));
}

// The tables have no key: a row is changed or deleted alone even when
// another holds the same values, and the grid keeps showing the file.
TEST_F(CatalogueEditorTest, OnlyTheChosenOfTwoIdenticalRowsChanges) {
    const QString original = rows(QStringLiteral("SELECT Name FROM Skill WHERE rowid=1")).front();
    const QString sameAsFirst =
        QStringLiteral("SELECT count(*) FROM Skill WHERE ID=(SELECT ID FROM Skill WHERE "
                       "rowid=1) AND Name=(SELECT Name FROM Skill WHERE rowid=1)");
    for (bool remove : {false, true}) {
        TestEnvironment::execRaw(catalogue(),
                                 QStringLiteral("INSERT INTO Skill SELECT * FROM Skill WHERE rowid=1"));
        auto w = open(QStringLiteral("Skill"));
        const int copy = w->Model()->rowCount() - 1;
        BoxScript boxes;
        if (remove) {
            boxes.ok();
            go(*w, copy);
            click(w.get(), QStringLiteral("Delete"));
        } else {
            set(*w, copy, 1, QStringLiteral("Copy"));
            click(w.get(), QStringLiteral("Post"));
        }
        EXPECT_EQ(rows(sameAsFirst).front(), QStringLiteral("1")) << (remove ? "delete" : "edit");
        EXPECT_EQ(rows(QStringLiteral("SELECT Name FROM Skill WHERE rowid=1")).front(), original);
        EXPECT_EQ(shown(*w), rows(QStringLiteral("SELECT * FROM Skill")));
    }
}

TEST_F(CatalogueEditorTest, TextTypedInACellIsPostedByTheNavigator) {
    auto w = open(QStringLiteral("Skill"));
    w->show();
    const QModelIndex cell = w->Model()->index(1, 1);
    grid(*w)->setCurrentIndex(cell);
    grid(*w)->edit(cell);
    auto* editor = grid(*w)->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Typed Name"));
    QTest::mouseClick(child<QAbstractButton>(w.get(), QStringLiteral("Post")), Qt::LeftButton);
    EXPECT_FALSE(w->Model()->IsEditing());
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Skill WHERE Name='Typed Name'")).front(),
              QStringLiteral("1"));
}

TEST_F(CatalogueEditorTest, ARowAddedHereIsFoundByTheItemWindowsAndLeavingARowPostsIt) {
    auto w = open(QStringLiteral("Item"));
    go(*w, 3);
    click(w.get(), QStringLiteral("Insert"));
    const std::pair<const char*, const char*> values[] = {
        {"Name", "Test Glaive"}, {"Type", "Spears"}, {"ID", "1F"},
        {"Unique", "8"},         {"Code32", "00"},   {"ID2", "1F"},
        {"Unique2", "3"},        {"x", "2"},         {"y", "4"},
        {"SetNumber", "0"},      {"SetItem", "any"}, {"ExcOptionType", "we"},
        {"WearTo", "OR"}};
    for (const auto& [name, value] : values)
        set(*w, 3, column(*w, name), QString::fromLatin1(value));
    click(w.get(), QStringLiteral("Next")); // leaving the row posts it
    EXPECT_FALSE(w->Model()->IsEditing());
    const Catalogue::CatalogueItem item =
        Catalogue::Chosen(QStringLiteral("Test Glaive"), ItemRecord::Width::Narrow);
    EXPECT_TRUE(item.found);
    EXPECT_EQ(item.id, QStringLiteral("1F"));
    EXPECT_EQ(item.unique, 8);
    EXPECT_EQ(Catalogue::WearTo(QStringLiteral("Test Glaive")), QStringLiteral("OR"));
}

TEST_F(CatalogueEditorTest, ARefusedValueKeepsTheRowInEditUntilCancelled) {
    auto w = open(QStringLiteral("Item"));
    const QStringList before = rows(QStringLiteral("SELECT * FROM Item"));
    set(*w, 1, column(*w, "x"), QStringLiteral("wide"));
    BoxScript boxes;
    boxes.ok(2);
    click(w.get(), QStringLiteral("Post"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("VornTanorEditor"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("wide")));
    EXPECT_EQ(w->Model()->EditingRow(), 1);
    go(*w, 4); // leaving fails the same way and comes back
    EXPECT_EQ(grid(*w)->currentIndex().row(), 1);
    EXPECT_EQ(w->Model()->EditingRow(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Item")), before);
    click(w.get(), QStringLiteral("Cancel"));
    EXPECT_FALSE(w->Model()->IsEditing());
    EXPECT_EQ(w->Model()->data(w->Model()->index(1, 7)).toString(), before[1].split(u'|')[7]);
}

TEST_F(CatalogueEditorTest, AMissingFileOrTableGivesTheErrorAndAnEmptyGrid) {
    for (const QString& table : {QStringLiteral("Item"), QStringLiteral("Nothing")}) {
        if (table == QLatin1String("Item")) {
            ASSERT_TRUE(QFile::remove(catalogue()));
        }
        BoxScript boxes;
        boxes.ok();
        auto w = open(table);
        EXPECT_EQ(boxes.last().caption, QStringLiteral("VornTanorEditor"));
        EXPECT_EQ(w->Model()->rowCount(), 0);
        EXPECT_EQ(w->Model()->columnCount(), 0);
    }
}

TEST_F(CatalogueEditorTest, ClosingWithARowInEditAsksToPostOrDiscard) {
    struct Case {
        std::vector<bool> answers; // OK = true
        bool closed;
        QString stored;
    };
    const QString original = rows(QStringLiteral("SELECT Name FROM Skill LIMIT 1")).front();
    for (const Case& c : {Case{{false, false}, false, original}, Case{{false, true}, true, original},
                          Case{{true}, true, QStringLiteral("Renamed")}}) {
        auto w = open(QStringLiteral("Skill"));
        set(*w, 0, 1, QStringLiteral("Renamed"));
        BoxScript boxes;
        for (bool ok : c.answers)
            ok ? boxes.ok() : boxes.cancel();
        w->show();
        click(w.get(), QStringLiteral("BitBtn1"));
        EXPECT_EQ(!w->isVisible(), c.closed);
        EXPECT_EQ(rows(QStringLiteral("SELECT Name FROM Skill LIMIT 1")).front(), c.stored);
    }
}

TEST_F(CatalogueEditorTest, CsvExportAndImportRoundTrip) {
    auto w = open(QStringLiteral("Skill"));
    const QString file = env.path(QStringLiteral("skills.csv"));
    {
        FileAnswer answer(file);
        click(w.get(), QStringLiteral("ExportCsv"));
    }
    const QStringList stored = rows(QStringLiteral("SELECT * FROM Skill"));
    QString text = Csv::ReadFile(file);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ID,Name,Class\r\n")));
    text += QStringLiteral("7F,\"Ward, \"\"Greater\"\"\",Elf\r\n");
    Csv::WriteFile(file, text);

    BoxScript boxes;
    boxes.ok(2);
    FileAnswer answer(file);
    click(w.get(), QStringLiteral("ImportCsv"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("%1 rows imported.").arg(stored.size() + 1));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Skill")), QStringList(stored)
                                                               << QStringLiteral("7F|Ward, \"Greater\"|Elf"));
    EXPECT_EQ(w->Model()->rowCount(), stored.size() + 1);

    // A bad row names its line and nothing is written.
    struct Case {
        QString text;
        QString line;
    };
    auto items = open(QStringLiteral("Item"));
    const QStringList itemsBefore = rows(QStringLiteral("SELECT * FROM Item"));
    const QString head =
        QStringLiteral("Name,Type,ID,Unique,Code32,ID2,Unique2,x,y,SetNumber,SetItem,ExcOptionType,"
                       "WearTo\r\n");
    const QString good = QStringLiteral("A,Swords,00,0,00,00,0,1,3,0,any,we,OB\r\n");
    for (const Case& c :
         {Case{head + good + QStringLiteral("B,Swords,01,0,00,01,0,one,3,0,any,we,OB\r\n"),
               QStringLiteral("Line 3")},
          Case{head + good + good + QStringLiteral("\r\nC,Swords\r\n"), QStringLiteral("Line 5")},
          Case{QStringLiteral("Name,Type\r\n") + good, QStringLiteral("Line 1")},
          Case{head + QStringLiteral("\"open,Swords\r\n"), QStringLiteral("Line 2")}}) {
        Csv::WriteFile(file, c.text);
        BoxScript bad;
        bad.ok(); // the error only: nothing is asked for a bad file
        click(items.get(), QStringLiteral("ImportCsv"));
        ASSERT_FALSE(bad.boxes().empty());
        EXPECT_TRUE(bad.boxes()[0].text.startsWith(c.line)) << bad.boxes()[0].text.toStdString();
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Item")), itemsBefore);
    }

    // The header may name the columns in any order (a file from a
    // spreadsheet); a name given twice is refused like a missing one.
    Csv::WriteFile(file,
                   QStringLiteral("WearTo,Name,x,ID,Unique,Code32,ID2,Unique2,Type,y,SetNumber,SetItem,"
                                  "ExcOptionType\r\nOB,Moved Blade,2,0A,8,00,0A,5,Swords,3,0,any,we\r\n"));
    BoxScript moved;
    moved.ok(2);
    click(items.get(), QStringLiteral("ImportCsv"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Name, ID, \"Unique\", Unique2, x, y, WearTo FROM Item")),
              QStringList{QStringLiteral("Moved Blade|0A|8|5|2|3|OB")});
    Csv::WriteFile(file, QString(head).replace(QStringLiteral("Type"), QStringLiteral("Name")) + good);
    BoxScript twice;
    twice.ok();
    click(items.get(), QStringLiteral("ImportCsv"));
    ASSERT_FALSE(twice.boxes().empty());
    EXPECT_TRUE(twice.boxes()[0].text.startsWith(QStringLiteral("Line 1")))
        << twice.boxes()[0].text.toStdString();
}

// An export writes NULL as an empty field and empty text as "", and an
// import reads them back so. The import asks with the numbers of rows that
// go and come, keeps the grid's widths, and is all or nothing.
TEST_F(CatalogueEditorTest, ImportKeepsNullApartFromEmptyAndIsAllOrNothing) {
    TestEnvironment::execRaw(catalogue(), QStringLiteral("UPDATE Skill SET Class=NULL WHERE rowid=1; "
                                                         "UPDATE Skill SET Class='' WHERE rowid=2"));
    const QStringList stored = rows(QStringLiteral("SELECT * FROM Skill"));
    const QStringList firstTwo =
        rows(QStringLiteral("SELECT ID || ',' || Name || ',' FROM Skill WHERE rowid <= 2"));
    const QString n = QString::number(stored.size());
    auto w = open(QStringLiteral("Skill"));
    const QVector<int> skillWidths = widths(*w);
    const QString file = env.path(QStringLiteral("skills.csv"));
    FileAnswer answer(file);
    click(w.get(), QStringLiteral("ExportCsv"));
    const QString exported = Csv::ReadFile(file);
    EXPECT_TRUE(exported.startsWith(QStringLiteral("ID,Name,Class\r\n") + firstTwo[0] +
                                    QStringLiteral("\r\n") + firstTwo[1] + QStringLiteral("\"\"\r\n")))
        << exported.left(80).toStdString();

    TestEnvironment::execRaw(catalogue(), QStringLiteral("UPDATE Skill SET Class='changed'"));
    BoxScript boxes;
    boxes.ok(2);
    click(w.get(), QStringLiteral("ImportCsv"));
    EXPECT_EQ(boxes.boxes()[0].text,
              QStringLiteral("Replace the %1 rows of the table Skill with the %1 rows of %2?").arg(n, file));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Skill")), stored);
    EXPECT_EQ(widths(*w), skillWidths);

    // A row the file refuses part-way (a repeated ID under a unique index)
    // leaves every row as it was; the message names its line.
    TestEnvironment::execRaw(catalogue(), QStringLiteral("CREATE UNIQUE INDEX SkillID ON Skill(ID)"));
    Csv::WriteFile(file, QStringLiteral("ID,Name,Class\r\nA1,One,\r\nA2,Two,\r\n\r\nA1,Again,\r\n"));
    BoxScript refused;
    refused.ok(2);
    click(w.get(), QStringLiteral("ImportCsv"));
    EXPECT_TRUE(refused.last().text.startsWith(QStringLiteral("Line 5:")))
        << refused.last().text.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Skill")), stored);
    EXPECT_EQ(shown(*w), stored);

    // A file with only its header empties the table, but asks first.
    Csv::WriteFile(file, QStringLiteral("ID,Name,Class\r\n"));
    for (bool ok : {false, true}) {
        BoxScript empty;
        ok ? empty.ok(2) : empty.cancel();
        click(w.get(), QStringLiteral("ImportCsv"));
        EXPECT_EQ(empty.boxes()[0].text,
                  QStringLiteral("%1 holds no rows. Delete all %2 rows of the table Skill?").arg(file, n));
        EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Skill")).front(), ok ? QStringLiteral("0") : n);
    }
    EXPECT_EQ(w->Model()->rowCount(), 0);
}

// The replacement is one transaction on either backend: on the catalogue
// file directly and through an ODBC data source on it.
TEST_F(CatalogueEditorTest, AReplacementRefusedPartWayChangesNothingOnEitherBackend) {
    const InstalledOdbcDriver sqlite = FindOdbcDriver(QStringLiteral("sqlite3"));
    REQUIRE_ODBC_DRIVER(sqlite, "SQLite 3");
    for (const auto& [key, value] : {std::pair{"Driver", sqlite.library}, std::pair{"Database", catalogue()},
                                     std::pair{"Timeout", QStringLiteral("500")}})
        ASSERT_TRUE(OdbcRegistry::Write(QStringLiteral("OdbcCatalogue"), QLatin1String(key), value));
    env.useDataSource(QStringLiteral("RankingDNS"), QStringLiteral("OdbcCatalogue"));
    TestEnvironment::execRaw(catalogue(), QStringLiteral("CREATE UNIQUE INDEX SkillID ON Skill(ID)"));
    const QVector<ReportStatements::CatalogueColumn> columns{
        {QStringLiteral("ID"), false}, {QStringLiteral("Name"), false}, {QStringLiteral("Class"), false}};
    auto row = [](int line, const QString& id) {
        return CatalogueImport::Row{line, {id, QStringLiteral("Skill ") + id, QVariant()}};
    };
    const QString backends[] = {CatalogueConnectionString(), BuildConnectionString(DataSource::Ranking)};
    for (const QString& connection : backends) {
        const QString b = connection == backends[0] ? QStringLiteral("E") : QStringLiteral("O");
        const QStringList before = rows(QStringLiteral("SELECT rowid, * FROM Skill"));
        EXPECT_EQ(CatalogueImport::StoredRows(connection, QStringLiteral("Skill")), before.size());
        try {
            CatalogueImport::Replace(connection, QStringLiteral("Skill"), columns,
                                     {row(2, b + QStringLiteral("1")), row(4, b + QStringLiteral("2")),
                                      row(7, b + QStringLiteral("1"))});
            ADD_FAILURE() << "a repeated ID was written";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("Line 7: "))) << e.text().toStdString();
        }
        EXPECT_EQ(rows(QStringLiteral("SELECT rowid, * FROM Skill")), before) << b.toStdString();
        CatalogueImport::Replace(connection, QStringLiteral("Skill"), columns,
                                 {row(2, b + QStringLiteral("1")), row(3, b + QStringLiteral("2"))});
        EXPECT_EQ(rows(QStringLiteral("SELECT ID FROM Skill")),
                  (QStringList{b + QStringLiteral("1"), b + QStringLiteral("2")}));
    }
}

} // namespace
