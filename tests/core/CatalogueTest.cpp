#include "ItemFixture.h"

#include "items/Catalogue.h"
#include "platform/StatementJournal.h"
#include "platform/TanorError.h"

#include <QFile>
#include <QFileInfo>

using ItemRecord::Width;

namespace {

class CatalogueTest : public ItemFixture {
protected:
    // The one statement the call sent.
    template <class F> QString statementOf(F call) {
        StatementJournal::Recorder journal;
        call();
        EXPECT_EQ(journal.entries().size(), 1u);
        return journal.entries().empty() ? QString() : journal.entries().front().text;
    }
};

} // namespace

TEST_F(CatalogueTest, ListsAndTheChosenItem) {
    EXPECT_EQ(Catalogue::Types().first(), QStringLiteral("Swords"));
    EXPECT_TRUE(Catalogue::Types().contains(QStringLiteral("Jewels")));
    EXPECT_EQ(Catalogue::SubTypes(QStringLiteral("Swords")),
              (QStringList{QStringLiteral("Short Sword"), QStringLiteral("Kukri"),
                           QStringLiteral("Gryphon Sword")}));
    EXPECT_TRUE(Catalogue::SubTypes(QStringLiteral("Potions")).isEmpty());

    const Catalogue::CatalogueItem narrow = Catalogue::Chosen(QStringLiteral("Jewel of Dawn"), Width::Narrow);
    EXPECT_TRUE(narrow.found);
    EXPECT_EQ(narrow.id, QStringLiteral("CD"));
    EXPECT_EQ(narrow.unique, 8);
    EXPECT_EQ(narrow.code32, QStringLiteral("F9"));
    EXPECT_EQ(narrow.excKind, QStringLiteral("any"));
    const Catalogue::CatalogueItem wide = Catalogue::Chosen(QStringLiteral("Gryphon Helm"), Width::Wide);
    EXPECT_EQ(wide.id, QStringLiteral("05"));
    EXPECT_EQ(wide.unique, 7);
    EXPECT_EQ(wide.setNumber, 5);
    EXPECT_EQ(wide.setItem, QStringLiteral("Aurel"));
    // A quote in a name is passed through Q.
    EXPECT_TRUE(Catalogue::Chosen(QStringLiteral("O'Brien Axe"), Width::Narrow).found);
    EXPECT_FALSE(Catalogue::Chosen(QStringLiteral("Nothing"), Width::Narrow).found);

    EXPECT_EQ(Catalogue::SameSetInType(5, QStringLiteral("Shields")), QStringLiteral("Gryphon Shield"));
    EXPECT_EQ(Catalogue::SameSetInType(5, QStringLiteral("Rings")), QString());
}

// A key outside its range would give the record another item type: the row
// is reported where it is read, naming the item and the column.
TEST_F(CatalogueTest, KeysOutOfRangeAreReportedAsInvalidRows) {
    const struct {
        const char* update;
        Width width;
        bool wipe;
        const char* message;
    } cases[] = {
        {"\"Unique\" = 9", Width::Narrow, false, "Unique is \"9\" (0 or 8 expected)"},
        {"\"Unique\" = 16", Width::Narrow, true, "Unique is \"16\" (0 or 8 expected)"},
        {"Unique2 = 16", Width::Wide, false, "Unique2 is \"16\" (0 to 15 expected)"},
        {"Unique2 = -1", Width::Wide, false, "Unique2 is \"-1\" (0 to 15 expected)"},
        {"Unique2 = 'x'", Width::Wide, false, "Unique2 is \"x\" (0 to 15 expected)"},
    };
    const QString catalogue = env.path(QStringLiteral("TanorEditor.mdb"));
    for (const auto& c : cases) {
        TestEnvironment::execRaw(catalogue,
                                 QStringLiteral("UPDATE Item SET \"Unique\" = 0, Unique2 = 1, %1 WHERE "
                                                "Name = 'Kukri'")
                                     .arg(QLatin1String(c.update)));
        try {
            if (c.wipe)
                (void)Catalogue::WipeItem(QStringLiteral("Kukri"));
            else
                (void)Catalogue::Chosen(QStringLiteral("Kukri"), c.width);
            ADD_FAILURE() << c.update;
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("The catalogue row of \"Kukri\" is invalid: ") +
                                    QLatin1String(c.message));
        }
    }
    // The edges of the ranges are items.
    TestEnvironment::execRaw(
        catalogue, QStringLiteral("UPDATE Item SET \"Unique\" = 8, Unique2 = 15 WHERE Name = 'Kukri'"));
    EXPECT_EQ(Catalogue::Chosen(QStringLiteral("Kukri"), Width::Narrow).unique, 8);
    EXPECT_EQ(Catalogue::Chosen(QStringLiteral("Kukri"), Width::Wide).unique, 15);
    EXPECT_EQ(Catalogue::WipeItem(QStringLiteral("Kukri")).unique2, QStringLiteral("15"));
}

TEST_F(CatalogueTest, IdentityLookupsByWidth) {
    // 10-byte: the key includes Code32, so two items share ID and Unique.
    const Catalogue::Placement jewel =
        Catalogue::StoredRecord(QStringLiteral("CD00FFF9000065800000"), Width::Narrow);
    EXPECT_EQ(jewel.name, QStringLiteral("Jewel of Dawn"));
    EXPECT_EQ(Catalogue::StoredRecord(QStringLiteral("CD00FF00000065800000"), Width::Narrow).name,
              QStringLiteral("Bolt"));
    const Catalogue::Placement armour =
        Catalogue::PlacedOnGrid(QStringLiteral("0000FF00000065800000"), Width::Narrow);
    EXPECT_EQ(armour.name, QStringLiteral("Bronze Armor"));
    EXPECT_EQ(armour.x, 2);
    EXPECT_EQ(armour.y, 3);
    // A serial whose first digits differ from Code32 hides the item.
    EXPECT_EQ(Catalogue::StoredRecord(QStringLiteral("0000FFAB000065800000"), Width::Narrow).name, QString());

    // 16-byte: Unique2 10 is found by "A" in character 19.
    QString gloves = ItemRecord::ZeroRecord(Width::Wide);
    gloves[18] = QLatin1Char('A');
    EXPECT_EQ(Catalogue::StoredRecord(gloves, Width::Wide).name, QStringLiteral("Bronze Gloves"));
    EXPECT_EQ(Catalogue::PlacedInSlot(gloves, Width::Wide), QStringLiteral("Bronze Gloves"));
    gloves[18] = QLatin1Char('a');
    EXPECT_EQ(Catalogue::StoredRecord(gloves, Width::Wide).name, QString());

    const ItemInfo::CatalogueRow info =
        Catalogue::InfoLookup(QStringLiteral("E000FF00000065000000"), Width::Narrow);
    EXPECT_TRUE(info.found);
    EXPECT_EQ(info.name, QStringLiteral("Bronze Helm"));
    EXPECT_EQ(info.excKind, QStringLiteral("ar"));
    EXPECT_FALSE(Catalogue::InfoLookup(QStringLiteral("EE00FF00000065000000"), Width::Narrow).found);
}

TEST_F(CatalogueTest, SlotLookupsAndSkills) {
    EXPECT_EQ(Catalogue::WearTo(QStringLiteral("Odd Helm")), QStringLiteral("armor"));
    EXPECT_EQ(Catalogue::WearTo(QStringLiteral("Nothing")), QString());
    const Catalogue::SetPiece weapon = Catalogue::WeaponSetPiece(5);
    EXPECT_EQ(weapon.name, QStringLiteral("Gryphon Sword"));
    EXPECT_EQ(weapon.type, QStringLiteral("Swords"));
    EXPECT_EQ(Catalogue::ShieldSetPiece(5).name, QStringLiteral("Gryphon Shield"));
    EXPECT_EQ(Catalogue::SlotSetPiece(5, QStringLiteral("helm")).name, QStringLiteral("Gryphon Helm"));
    EXPECT_EQ(Catalogue::SlotSetPiece(5, QStringLiteral("rings")).name, QString());

    EXPECT_EQ(Catalogue::AllItemNames().first(), QStringLiteral("Bolt"));
    const Catalogue::WipeKey key = Catalogue::WipeItem(QStringLiteral("Bronze Armor"));
    EXPECT_TRUE(key.found);
    EXPECT_EQ(key.unique, 8);
    EXPECT_EQ(key.unique2, QStringLiteral("8"));

    EXPECT_EQ(Catalogue::SkillClasses(), (QStringList{QStringLiteral("Wizard"), QStringLiteral("Knight")}));
    EXPECT_EQ(Catalogue::SkillNames().size(), 3);
    EXPECT_EQ(Catalogue::SkillNames(QStringLiteral("Knight")), QStringList{QStringLiteral("Gale")});
    EXPECT_EQ(Catalogue::SkillName(QStringLiteral("02")), QStringLiteral("Starfall"));
    EXPECT_EQ(Catalogue::SkillNumber(QStringLiteral("Gale")), QStringLiteral("13"));
}

TEST_F(CatalogueTest, StatementTextsAreExact) {
    const QString narrow = QStringLiteral("0A00FF1234567880A000");
    QString wide = ItemRecord::ZeroRecord(Width::Wide);
    wide.replace(0, 2, QStringLiteral("1B"));
    wide[18] = QLatin1Char('C');
    const std::vector<std::pair<QString, std::function<void()>>> expected = {
        {"SELECT DISTINCT Type FROM Item", [] { (void)Catalogue::Types(); }},
        {"SELECT Name FROM Item WHERE Type ='O''Neil'",
         [] { (void)Catalogue::SubTypes(QStringLiteral("O'Neil")); }},
        {"SELECT ID, Unique, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name='Kukri'",
         [] { (void)Catalogue::Chosen(QStringLiteral("Kukri"), Width::Narrow); }},
        {"SELECT ID2, Unique2, Code32,SetNumber, SetItem, ExcOptionType FROM Item WHERE Name='Kukri'",
         [] { (void)Catalogue::Chosen(QStringLiteral("Kukri"), Width::Wide); }},
        {"SELECT Name, SetNumber FROM Item WHERE (SetNumber=5) AND (Type='Helms')",
         [] { (void)Catalogue::SameSetInType(5, QStringLiteral("Helms")); }},
        {"SELECT Name,x,y FROM Item WHERE (id= '0A' ) AND (unique= 8 )AND (Code32='12')",
         [&] { (void)Catalogue::StoredRecord(narrow, Width::Narrow); }},
        {"SELECT Name,x,y FROM Item WHERE (id= '0A' ) AND (unique= 8 )  AND (Code32='12')",
         [&] { (void)Catalogue::PlacedOnGrid(narrow, Width::Narrow); }},
        {"SELECT Name,x,y FROM Item WHERE (id2= '1B' ) AND (unique2= 12 )",
         [&] { (void)Catalogue::StoredRecord(wide, Width::Wide); }},
        {"SELECT Name,x,y FROM Item WHERE (id2= '1B' ) AND (unique2= 12 )",
         [&] { (void)Catalogue::PlacedOnGrid(wide, Width::Wide); }},
        {"SELECT Name,WearTo FROM Item WHERE (id= '0A' ) AND (unique= 8 )AND (Code32='12')",
         [&] { (void)Catalogue::PlacedInSlot(narrow, Width::Narrow); }},
        {"SELECT Name,WearTo FROM Item WHERE (id2= '1B' ) AND (unique2= 12 )",
         [&] { (void)Catalogue::PlacedInSlot(wide, Width::Wide); }},
        {"select name,x,y,ExcOptionType from item where (id='0A') and (unique=8)and (Code32='12')",
         [&] { (void)Catalogue::InfoLookup(narrow, Width::Narrow); }},
        {"select name,x,y,ExcOptionType from item where (id2='1B') and (unique2=12)",
         [&] { (void)Catalogue::InfoLookup(wide, Width::Wide); }},
        {"SELECT wearto FROM Item WHERE Name='Kukri'",
         [] { (void)Catalogue::WearTo(QStringLiteral("Kukri")); }},
        {"SELECT Name, Type FROM Item WHERE (SetNumber=5) AND ((wearto='OR') OR (wearto='OB') OR "
         "(wearto='TR'))",
         [] { (void)Catalogue::WeaponSetPiece(5); }},
        {"SELECT Name, Type FROM Item WHERE (SetNumber=5) AND ((wearto='OL') OR (wearto='OB'))",
         [] { (void)Catalogue::ShieldSetPiece(5); }},
        {"SELECT Name FROM Item WHERE (SetNumber=5) AND (wearto='helm')",
         [] { (void)Catalogue::SlotSetPiece(5, QStringLiteral("helm")); }},
        {"SELECT Name FROM Item ORDER By NAME", [] { (void)Catalogue::AllItemNames(); }},
        {"SELECT ID, ID2,Unique, Unique2, Code32, ExcOptionType FROM Item WHERE Name='Kukri'",
         [] { (void)Catalogue::WipeItem(QStringLiteral("Kukri")); }},
        {"SELECT  DISTINCT Class FROM Skill", [] { (void)Catalogue::SkillClasses(); }},
        {"SELECT Name FROM Skill ", [] { (void)Catalogue::SkillNames(); }},
        {"SELECT Name FROM Skill WHERE Class='Wizard'",
         [] { (void)Catalogue::SkillNames(QStringLiteral("Wizard")); }},
        {"SELECT Name FROM Skill WHERE ID='01'", [] { (void)Catalogue::SkillName(QStringLiteral("01")); }},
        {"SELECT ID FROM Skill WHERE Name='Blight'",
         [] { (void)Catalogue::SkillNumber(QStringLiteral("Blight")); }},
    };
    for (const auto& [text, call] : expected)
        EXPECT_EQ(statementOf(call), text);
}

TEST_F(CatalogueTest, AMissingCatalogueFailsWithTheDriversText) {
    QFile::remove(env.path(QStringLiteral("TanorEditor.mdb")));
    EXPECT_THROW((void)Catalogue::Types(), DbError);
}

TEST_F(CatalogueTest, AnAccessFileInItsPlaceIsReportedPlainly) {
    const QString file = env.path(QStringLiteral("TanorEditor.mdb"));
    QFile::remove(file);
    QFile mdb(file);
    ASSERT_TRUE(mdb.open(QIODevice::WriteOnly));
    QByteArray head(4, '\0');
    head[0] = '\x00';
    head[1] = '\x01';
    mdb.write(head + QByteArray("Standard Jet DB") + QByteArray(2048 - 19, '\0'));
    mdb.close();
    try {
        (void)Catalogue::Types();
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Microsoft Access database"))) << e.text().toStdString();
    }
    // Nothing was written over it.
    EXPECT_EQ(QFileInfo(file).size(), 2048);
}
