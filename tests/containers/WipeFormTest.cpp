#include "BoxScript.h"
#include "Child.h"
#include "TestEnvironment.h"
#include "UndoFileCheck.h"
#include "WipeServer.h"

#include "containers/WipeUnit.h"
#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/StatementJournal.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace WipeServer;

namespace {

QString fs(const char* s) {
    return QString::fromLatin1(s);
}

// Narrow records (Version 0) of the general selection "Type  3:  Spears": ids
// 96-127 of records that are not high.
const QByteArray kSpear = Record(10, {{0, 0x61}, {1, 0x6F}, {2, 0x20}, {3, 0x11}, {7, 0x47}, {8, 0x05}});
const QByteArray kSpear2 = Record(10, {{0, 0x7F}, {7, 0x01}});
const QByteArray kSword = Record(10, {{0, 0x02}, {1, 0x08}, {7, 0x02}});
const QByteArray kHighSpearId = Record(10, {{0, 0x61}, {7, 0x80}}); // type 11, same item byte

class WipeFormTest : public EnvTest {
protected:
    QString file;

    void SetUp() override { file = Create(env, 0); }

    // The general-selection server: 7 spears to erase, one of them in a
    // vault, one more inside a torn column and one beyond the 120th record.
    void plantSpears() {
        const QByteArray c1 = Column(10, 108, {{0, kSpear}, {13, kSword}, {20, kSpear2}});
        const QByteArray c2 = Column(10, 108, {{0, kSword}, {1, kHighSpearId}});
        const QByteArray c3 = Column(10, 108, {{107, kSpear}});
        QByteArray torn = Column(10, 108, {{4, kSpear}});
        torn.append(char(0x00));
        AddCharacter(file, fs("c1"), fs("acc1"), &c1);
        AddCharacter(file, fs("c2"), fs("acc2"), &c2);
        AddCharacter(file, fs("c3"), fs("acc2"), &c3);
        AddCharacter(file, fs("c4"), fs("acc3"), nullptr);
        AddCharacter(file, fs("c5"), fs("o'hara"), &torn);
        AddWarehouse(file, fs("acc1"), Column(10, 120, {{0, kSpear}, {119, kSpear2}, {60, kSword}}));
        AddWarehouse(file, fs("acc2"), Column(10, 120, {{3, kSword}}));
        AddWarehouse(file, fs("o'hara"), Column(10, 125, {{5, kSpear}, {122, kSpear}}));
        AddVault(file, fs("acc1"), 1, Column(10, 120, {{7, kSpear}}));
        AddVault(file, fs("acc1"), 2, Column(10, 120, {{7, kSword}}));
    }

    QString inventory(const char* name) {
        return Scalar(file, fs("SELECT hex(Inventory) FROM Character WHERE Name='%1'").arg(fs(name)));
    }
    QString warehouse(const QString& account) {
        return Scalar(file, fs("SELECT hex(Items) FROM Warehouse WHERE AccountID=%1").arg(Q(account)));
    }
    QString vault(int number) {
        return Scalar(file, fs("SELECT hex(Items) FROM ExtWarehouse WHERE Number=%1").arg(number));
    }

    static QString label(TWipeForm& form, const char* name) { return child<QLabel>(&form, fs(name))->text(); }
    static int gauge(TWipeForm& form, const char* name) {
        return child<QProgressBar>(&form, fs(name))->value();
    }
    static void trigger(TWipeForm& form, const char* action) { child<QAction>(&form, fs(action))->trigger(); }
};

std::vector<QString> updates(const StatementJournal::Recorder& journal) {
    std::vector<QString> out;
    for (const QString& t : journal.texts()) {
        if (t.startsWith(fs("UPDATE")))
            out.push_back(t);
    }
    return out;
}

QString hexOf(const QByteArray& bytes) {
    return BytesToHex(bytes);
}

} // namespace

// ---------------------------------------------------------------- opening and choosing

TEST_F(WipeFormTest, OpensWithTheListsTheCaptionsAndTheTotals) {
    plantSpears();
    SetVaults(1);
    StatementJournal::Recorder journal;
    TWipeForm form;
    EXPECT_EQ(form.windowTitle(), fs("Wipe Items"));

    auto* types = child<QComboBox>(&form, fs("ComboBox1"));
    ASSERT_EQ(types->count(), 16);
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(types->itemText(0), fs("Type  0:  Swords"));
    EXPECT_EQ(types->itemText(4), fs("Type  4:  Bows/Corssbows"));
    EXPECT_EQ(types->itemText(10), fs("Type 10: Gloves"));
    EXPECT_EQ(types->itemText(13), fs("Type 13: Guardian/Rings/Pendants/Others"));
    EXPECT_EQ(types->itemText(15), fs("Type 15: Scrolls "));

    auto* items = child<QComboBox>(&form, fs("ComboBox2"));
    QStringList names;
    for (int i = 0; i < items->count(); ++i)
        names << items->itemText(i);
    EXPECT_EQ(names, QStringList({fs("Any Item"), fs("Jewel of Dawn"), fs("Kukri"), fs("Leather Armor"),
                                  fs("Odd Kind"), fs("Staff of O'Brien")}));
    EXPECT_EQ(items->currentText(), fs("Any Item"));

    const char* opening[] = {"Zen/Mana/HP",          "Def.Rate/Mana/MP",   "Reflect/Speed/Ignore",
                             "D.Dec/Dmg 2%/Stamina", "Mana/Dmg Lvl/Speed", "HP/ExcRate"};
    const char* boxes[] = {"Visualexc1", "Visualexc2", "Visualexc3",
                           "Visualexc4", "Visualexc5", "VisualExc6"};
    for (int i = 0; i < 6; ++i) {
        auto* box = child<QCheckBox>(&form, fs(boxes[i]));
        ASSERT_NE(box, nullptr) << boxes[i];
        EXPECT_EQ(box->text(), fs(opening[i]));
        EXPECT_TRUE(box->isEnabled());
        EXPECT_FALSE(box->isChecked());
    }
    auto* anc = child<QGroupBox>(&form, fs("Anc"));
    EXPECT_EQ(anc->title(), fs("With this Ancient Option"));
    QStringList ancient;
    for (QRadioButton* radio : anc->findChildren<QRadioButton*>()) {
        ancient << radio->text();
        EXPECT_EQ(radio->isChecked(), radio->text() == fs("None"));
    }
    EXPECT_EQ(ancient, QStringList({fs("None"), fs("+5"), fs("+10"), fs("+5 (No opt)"), fs("+10 (No opt)")}));

    EXPECT_EQ(child<QPushButton>(&form, fs("BitBtn1"))->text(), fs("Wipe!"));
    EXPECT_EQ(child<QPushButton>(&form, fs("BitBtn2"))->text(), fs("Close"));
    QStringList commands;
    for (QAction* a : child<QMenu>(&form, fs("PopupMenu1"))->actions())
        commands << (a->isSeparator() ? fs("-") : a->text());
    EXPECT_EQ(commands,
              QStringList({fs("Wipe Following General Selection"), fs("Wipe Following Specific Selection"),
                           fs("-"), fs("Wipe ALL Items")}));

    EXPECT_EQ(label(form, "Deleted"), fs("0"));
    EXPECT_EQ(label(form, "invall"), fs("5"));
    EXPECT_EQ(label(form, "whall"), fs("3"));
    EXPECT_EQ(label(form, "ewhall"), fs("2"));
    EXPECT_EQ(journal.texts(),
              std::vector<QString>(
                  {fs("SELECT Name FROM Item ORDER By NAME"),
                   fs("SELECT ID, ID2,Unique, Unique2, Code32, ExcOptionType FROM Item WHERE "
                      "Name='Any Item'"),
                   fs("select (select count(*) from Character),(select count(*) from Warehouse)  , "
                      "(Select count(*) from ExtWarehouse)")}));
}

TEST_F(WipeFormTest, WithoutVaultsTheVaultLineShowsNoTotal) {
    StatementJournal::Recorder journal;
    TWipeForm form;
    EXPECT_EQ(label(form, "invall"), fs("0"));
    EXPECT_EQ(label(form, "ewhall"), QString());
    EXPECT_EQ(journal.texts().back(),
              fs("select (select count(*) from Character),(select count(*) from Warehouse)  "));
}

TEST_F(WipeFormTest, AMissingCatalogueIsShownAndTheWindowStaysOpen) {
    QFile::remove(env.path(fs("TanorEditor.mdb")));
    BoxScript boxes;
    boxes.ok();
    TWipeForm form;
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_EQ(child<QComboBox>(&form, fs("ComboBox2"))->count(), 0);
}

TEST_F(WipeFormTest, TheChosenItemsKindSetsTheExcellentBoxes) {
    TWipeForm form;
    auto* items = child<QComboBox>(&form, fs("ComboBox2"));
    auto box = [&](int i) {
        return child<QCheckBox>(&form, i == 6 ? fs("VisualExc6") : fs("Visualexc%1").arg(i));
    };
    box(1)->setChecked(true);
    box(6)->setChecked(true);

    items->setCurrentText(fs("Leather Armor")); // "ar": captions change, marks stay
    EXPECT_EQ(box(1)->text(), fs("Increase Rate o Zen +40%"));
    EXPECT_EQ(box(2)->text(), fs("Defense Success Rate + 10%"));
    EXPECT_EQ(box(5)->text(), fs("Increase Max Mana + 4%"));
    EXPECT_EQ(box(6)->text(), fs("Increase Max HP +4%"));
    EXPECT_TRUE(box(1)->isChecked());
    EXPECT_TRUE(box(6)->isChecked());

    StatementJournal::Recorder journal;
    items->setCurrentText(fs("Staff of O'Brien")); // "wi", found through the doubled quote
    EXPECT_EQ(journal.texts(),
              std::vector<QString>({fs("SELECT ID, ID2,Unique, Unique2, Code32, ExcOptionType FROM "
                                       "Item WHERE Name='Staff of O''Brien'")}));
    EXPECT_EQ(box(3)->text(), fs("Ignore Opponent's Defensive Power by 3%"));
    EXPECT_EQ(box(6)->text(), fs("Take NO Effect"));
    EXPECT_TRUE(box(6)->isEnabled());

    items->setCurrentText(fs("Jewel of Dawn")); // "any": no options to choose
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(box(i)->text(), fs("Take NO Effect"));
        EXPECT_FALSE(box(i)->isChecked());
        EXPECT_FALSE(box(i)->isEnabled());
    }
    // An unknown kind and a name the catalogue lacks change nothing.
    items->setCurrentText(fs("Odd Kind"));
    items->setCurrentText(fs("Any Item"));
    EXPECT_FALSE(box(1)->isEnabled());
    EXPECT_EQ(box(1)->text(), fs("Take NO Effect"));

    items->setCurrentText(fs("Kukri")); // "we"
    EXPECT_TRUE(box(1)->isEnabled());
    EXPECT_EQ(box(3)->text(), fs("Increase Attacking(Wizandry) speed +7"));
    EXPECT_EQ(box(6)->text(), fs("Excellent Damage Rate +10%"));
}

TEST_F(WipeFormTest, WipeOpensTheCommandMenu) {
    TWipeForm form;
    form.show();
    QTest::mouseClick(child<QPushButton>(&form, fs("BitBtn1")), Qt::LeftButton);
    auto* menu = child<QMenu>(&form, fs("PopupMenu1"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

// ---------------------------------------------------------------- the general walk

TEST_F(WipeFormTest, GeneralWalkErasesThePlantedRecordsAndWritesOnlyChangedRows) {
    plantSpears();
    SetVaults(1);
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");

    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.boxes()[0].text, fs("You will wipe: Type  3:  Spears\rAre you sure?"));
    EXPECT_EQ(boxes.boxes()[1].kind, Dialogs::Kind::Captioned);
    EXPECT_EQ(boxes.boxes()[1].icon, Dialogs::Icon::Information);
    EXPECT_EQ(boxes.boxes()[1].caption, fs("Information"));
    EXPECT_EQ(boxes.boxes()[1].text,
              fs("Items were deleted\r1 row was left unchanged: the item column is not a "
                 "whole number of records.") +
                  undoLine(boxes.boxes()[1].text, 5));

    EXPECT_EQ(label(form, "Deleted"), fs("7"));
    EXPECT_EQ(label(form, "invdone"), fs("5"));
    EXPECT_EQ(label(form, "whdone"), fs("3"));
    EXPECT_EQ(label(form, "ewhdone"), fs("2"));
    EXPECT_EQ(gauge(form, "invpb"), 5);
    EXPECT_EQ(gauge(form, "ewhpb"), 2);

    // Every other record stays as it was, in its place.
    EXPECT_EQ(inventory("c1"), hexOf(Column(10, 108, {{13, kSword}})));
    EXPECT_EQ(inventory("c2"), hexOf(Column(10, 108, {{0, kSword}, {1, kHighSpearId}})));
    EXPECT_EQ(inventory("c3"), hexOf(Column(10, 108, {})));
    EXPECT_EQ(Scalar(file, fs("SELECT typeof(Inventory) FROM Character WHERE Name='c4'")), fs("null"));
    EXPECT_EQ(Scalar(file, fs("SELECT length(Inventory) FROM Character WHERE Name='c5'")), fs("1081"));
    EXPECT_EQ(warehouse(fs("acc1")), hexOf(Column(10, 120, {{60, kSword}})));
    EXPECT_EQ(warehouse(fs("o'hara")), hexOf(Column(10, 125, {{122, kSpear}})));
    EXPECT_EQ(vault(1), hexOf(Column(10, 120, {})));
    EXPECT_EQ(vault(2), hexOf(Column(10, 120, {{7, kSword}})));

    const std::vector<QString> written = updates(journal);
    ASSERT_EQ(written.size(), 5u);
    EXPECT_EQ(written[0], fs("UPDATE Character SET Inventory=0x") + hexOf(Column(10, 108, {{13, kSword}})) +
                              fs(" WHERE (AccountID='acc1') AND (Name='c1')"));
    EXPECT_EQ(written[3], fs("UPDATE Warehouse SET Items=0x") + hexOf(Column(10, 125, {{122, kSpear}})) +
                              fs(" WHERE (AccountID='o''hara')"));
    EXPECT_EQ(written[4], fs("UPDATE ExtWarehouse SET Items=0x") + hexOf(Column(10, 120, {})) +
                              fs(" WHERE (AccountID='acc1') AND (Number='1')"));
    const std::vector<QString> texts = journal.texts();
    for (const char* select :
         {"SELECT AccountID, Inventory, Name FROM Character", "SELECT AccountID, Items FROM Warehouse",
          "SELECT AccountID, Items,Number FROM ExtWarehouse"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), fs(select)), texts.end()) << select;

    // A second walk finds nothing and writes nothing.
    journal.clear();
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    EXPECT_EQ(label(form, "Deleted"), fs("0"));
    EXPECT_TRUE(updates(journal).empty());
    EXPECT_EQ(inventory("c1"), hexOf(Column(10, 108, {{13, kSword}})));
}

TEST_F(WipeFormTest, WideRecordsFollowTheTypeDigit) {
    file.clear();
    WriteSettingInt(fs("Version"), fs("Version"), 1);
    const QString db = env.path(fs("Databases/Game.db"));
    const QByteArray scroll = Record(16, {{0, 0x01}, {9, 0xF0}});
    const QByteArray sword = Record(16, {{0, 0x01}, {9, 0x00}, {7, 0x3F}});
    const QByteArray inv = Column(16, 108, {{0, scroll}, {1, sword}, {100, scroll}});
    AddCharacter(db, fs("w1"), fs("acc1"), &inv);
    AddWarehouse(db, fs("acc1"), Column(16, 120, {{119, scroll}}));
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(15);
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    EXPECT_EQ(boxes.boxes()[0].text, fs("You will wipe: Type 15: Scrolls \rAre you sure?"));
    EXPECT_EQ(boxes.boxes()[1].text, fs("Items were deleted") + undoLine(boxes.boxes()[1].text, 2));
    EXPECT_EQ(label(form, "Deleted"), fs("3"));
    EXPECT_EQ(Scalar(db, fs("SELECT hex(Inventory) FROM Character")), hexOf(Column(16, 108, {{1, sword}})));
    EXPECT_EQ(Scalar(db, fs("SELECT hex(Items) FROM Warehouse")), hexOf(Column(16, 120, {})));
}

// ---------------------------------------------------------------- the specific walk

TEST_F(WipeFormTest, SpecificWalkTakesExactlyTheChosenItemWithItsOptions) {
    WriteSettingInt(fs("Version"), fs("Version"), 1);
    // "Leather Armor": ID2 05, Unique2 8; options 1 and 2 with "+5".
    const QByteArray armor = Record(16, {{0, 0x05}, {1, 0x6D}, {7, 0x03}, {8, 0x05}, {9, 0x80}});
    const QByteArray armorPlus16 = Record(16, {{0, 0x05}, {7, 0x43}, {8, 0x05}, {9, 0x8C}});
    const QByteArray thirdOption = Record(16, {{0, 0x05}, {7, 0x07}, {8, 0x05}, {9, 0x80}});
    const QByteArray noAncient = Record(16, {{0, 0x05}, {7, 0x03}, {8, 0x00}, {9, 0x80}});
    const QByteArray otherType = Record(16, {{0, 0x05}, {7, 0x03}, {8, 0x05}, {9, 0x70}});
    const QByteArray inv = Column(16, 108, {{0, armor}, {1, thirdOption}, {2, noAncient}, {3, otherType}});
    AddCharacter(file, fs("s1"), fs("acc1"), &inv);
    AddWarehouse(file, fs("acc1"), Column(16, 120, {{9, armorPlus16}}));

    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox2"))->setCurrentText(fs("Leather Armor"));
    child<QCheckBox>(&form, fs("Visualexc1"))->setChecked(true);
    child<QCheckBox>(&form, fs("Visualexc2"))->setChecked(true);
    child<QRadioButton>(&form, fs("Anc1"))->setChecked(true);
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowingSpecificSelection1");
    EXPECT_EQ(boxes.boxes()[0].text, fs("You will Errase: Leather Armor\rAre you Sure?"));
    EXPECT_EQ(label(form, "Deleted"), fs("2"));
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Inventory) FROM Character")),
              hexOf(Column(16, 108, {{1, thirdOption}, {2, noAncient}, {3, otherType}})));
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Items) FROM Warehouse")), hexOf(Column(16, 120, {})));
}

TEST_F(WipeFormTest, AnyItemWithoutOptionsTakesAllPlainItems) {
    const QByteArray plain = Record(10, {{0, 0x33}, {1, 0x7F}, {7, 0xC0}});
    const QByteArray excellent = Record(10, {{0, 0x33}, {7, 0x01}});
    const QByteArray ancient = Record(10, {{0, 0x33}, {8, 0x0A}});
    const QByteArray inv = Column(10, 108, {{0, plain}, {1, excellent}, {2, ancient}, {3, kSword}});
    AddCharacter(file, fs("p1"), fs("acc1"), &inv);
    TWipeForm form;
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowingSpecificSelection1");
    EXPECT_EQ(boxes.boxes()[0].text, fs("You will Errase: Any Item\rAre you Sure?"));
    EXPECT_EQ(label(form, "Deleted"), fs("1")); // kSword carries an excellent option
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Inventory) FROM Character")),
              hexOf(Column(10, 108, {{1, excellent}, {2, ancient}, {3, kSword}})));
}

// ---------------------------------------------------------------- failures and refusals

TEST_F(WipeFormTest, AFailedRewriteStopsTheWalkAndARerunFinishesIt) {
    plantSpears();
    TestEnvironment::execRaw(file, fs("CREATE TRIGGER locked BEFORE UPDATE ON Character WHEN old.Name = 'c3' "
                                      "BEGIN SELECT RAISE(ABORT, 'row c3 is locked'); END;"));
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    {
        BoxScript boxes;
        boxes.ok().ok();
        trigger(form, "WipeFollowing1");
        ASSERT_EQ(boxes.boxes().size(), 2u);
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
        EXPECT_EQ(boxes.last().caption, fs("VornTanorEditor"));
        EXPECT_TRUE(boxes.last().text.contains(fs("row c3 is locked"))) << boxes.last().text.toStdString();
    }
    // Rows before the failure are done; the failed one and everything after stay whole.
    EXPECT_EQ(label(form, "Deleted"), fs("2"));
    EXPECT_EQ(inventory("c1"), hexOf(Column(10, 108, {{13, kSword}})));
    EXPECT_EQ(inventory("c3"), hexOf(Column(10, 108, {{107, kSpear}})));
    EXPECT_EQ(warehouse(fs("acc1")), hexOf(Column(10, 120, {{0, kSpear}, {119, kSpear2}, {60, kSword}})));
    EXPECT_FALSE(form.Running());
    EXPECT_TRUE(child<QPushButton>(&form, fs("BitBtn1"))->isEnabled());

    TestEnvironment::execRaw(file, fs("DROP TRIGGER locked"));
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    EXPECT_TRUE(boxes.last().text.startsWith(fs("Items were deleted")));
    EXPECT_EQ(label(form, "Deleted"), fs("4"));
    EXPECT_EQ(inventory("c3"), hexOf(Column(10, 108, {})));
    EXPECT_EQ(warehouse(fs("acc1")), hexOf(Column(10, 120, {{60, kSword}})));
}

TEST_F(WipeFormTest, AWideItemWithoutANumericUnique2StopsTheWalkWhenMet) {
    WriteSettingInt(fs("Version"), fs("Version"), 1);
    TestEnvironment::execRaw(env.path(fs("TanorEditor.mdb")),
                             fs("UPDATE Item SET Unique2='x' WHERE Name='Kukri'"));
    const QByteArray kris = Record(16, {{0, 0x01}});
    const QByteArray inv = Column(16, 108, {{3, kris}});
    AddCharacter(file, fs("k1"), fs("acc1"), &inv);
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox2"))->setCurrentText(fs("Kukri"));
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowingSpecificSelection1");
    EXPECT_EQ(boxes.last().text, fs("'x' is not a valid integer value."));
    EXPECT_EQ(Scalar(file, fs("SELECT hex(Inventory) FROM Character")), hexOf(inv));
}

TEST_F(WipeFormTest, WithVaultsOffNoCommandTouchesTheVaultTable) {
    plantSpears();
    SetVaults(2); // only exactly 1 switches them on
    const QString before = vault(1);
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok().ok().ok().ok().ok().ok();
    trigger(form, "WipeFollowing1");
    trigger(form, "WipeFollowingSpecificSelection1");
    trigger(form, "WipeALLItems1");
    for (const QString& text : journal.texts())
        EXPECT_FALSE(text.contains(fs("ExtWarehouse"))) << text.toStdString();
    EXPECT_EQ(vault(1), before);
    EXPECT_EQ(gauge(form, "ewhpb"), 0);
    EXPECT_EQ(label(form, "ewhdone"), fs("0"));
    EXPECT_EQ(label(form, "ewhall"), QString());
}

// A vault name from the settings that is not a plain name never reaches a
// statement: opening, a walk and the wipe of everything stop, naming the
// setting, before they send anything.
TEST_F(WipeFormTest, AVaultNameThatIsNotPlainStopsEachCommandBeforeItSendsAnything) {
    plantSpears();
    SetVaults(1);
    WriteSetting(fs("Vaults"), fs("Table"), fs("ExtWarehouse; DROP TABLE Character"));
    const QString before = inventory("c1");
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok(5); // the error on opening; per command a question and the error
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    trigger(form, "WipeFollowing1");
    trigger(form, "WipeALLItems1");
    ASSERT_EQ(boxes.boxes().size(), 5u);
    for (const std::size_t error : {0u, 2u, 4u})
        EXPECT_TRUE(boxes.boxes()[error].text.startsWith(fs("The setting Vaults/Table is not a plain")))
            << boxes.boxes()[error].text.toStdString();
    for (const QString& text : journal.texts())
        EXPECT_FALSE(text.contains(fs("ExtWarehouse")) || text.startsWith(fs("UPDATE")))
            << text.toStdString();
    EXPECT_EQ(inventory("c1"), before);
}

TEST_F(WipeFormTest, WipeAllSendsTheThreeStatementsAndLeavesTheCountersAtZero) {
    plantSpears();
    SetVaults(1);
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    ASSERT_EQ(label(form, "Deleted"), fs("7"));

    StatementJournal::Recorder journal;
    boxes.ok().ok();
    trigger(form, "WipeALLItems1");
    const QString empty = fs("FFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(journal.texts(),
              std::vector<QString>({fs("UPDATE Character SET Inventory=0x") + empty.repeated(108),
                                    fs("UPDATE Warehouse SET Items=0x") + empty.repeated(120),
                                    fs("UPDATE ExtWarehouse SET Items=0x") + empty.repeated(120)}));
    EXPECT_EQ(boxes.boxes()[2].text, fs("Are you sure that you want to delete ALL items?"));
    EXPECT_EQ(boxes.boxes()[2].kind, Dialogs::Kind::Question);
    EXPECT_EQ(boxes.last().caption, fs("Vorn Tanor Editor"));
    EXPECT_EQ(boxes.last().text, fs("All Items were wiped"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
    EXPECT_EQ(label(form, "Deleted"), fs("0"));
    EXPECT_EQ(gauge(form, "invpb"), 0);
    EXPECT_EQ(gauge(form, "whpb"), 0);
    EXPECT_EQ(inventory("c5"), empty.repeated(108));
    EXPECT_EQ(inventory("c4"), empty.repeated(108));
    EXPECT_EQ(vault(2), empty.repeated(120));
}

TEST_F(WipeFormTest, ACancelledConfirmationChangesNothingButResetsTheCounters) {
    plantSpears();
    TWipeForm form;
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    ASSERT_EQ(label(form, "Deleted"), fs("6"));
    ASSERT_GT(gauge(form, "whpb"), 0);
    const QString c2 = inventory("c2");

    StatementJournal::Recorder journal;
    for (const char* command : {"WipeFollowing1", "WipeFollowingSpecificSelection1", "WipeALLItems1"}) {
        boxes.ok().ok().cancel();
        trigger(form, "WipeFollowing1"); // sets the counters again
        ASSERT_EQ(label(form, "Deleted"), fs("0"));
        journal.clear();
        // Put figures back on screen, then cancel the command under test.
        child<QProgressBar>(&form, fs("whpb"))->setValue(2);
        child<QLabel>(&form, fs("Deleted"))->setText(fs("9"));
        trigger(form, command);
        EXPECT_TRUE(journal.texts().empty()) << command;
        EXPECT_EQ(label(form, "Deleted"), fs("0")) << command;
        EXPECT_EQ(gauge(form, "whpb"), 0) << command;
    }
    EXPECT_EQ(inventory("c2"), c2);
}

TEST_F(WipeFormTest, CommandsAndCloseAreUnavailableWhileAWalkRuns) {
    plantSpears();
    TWipeForm form;
    form.show();
    child<QComboBox>(&form, fs("ComboBox1"))->setCurrentIndex(3);
    auto* wipe = child<QPushButton>(&form, fs("BitBtn1"));
    auto* close = child<QPushButton>(&form, fs("BitBtn2"));
    bool seen = false;
    // Runs from the events the walk lets through after a row.
    QTimer::singleShot(0, &form, [&] {
        seen = true;
        EXPECT_TRUE(form.Running());
        EXPECT_FALSE(wipe->isEnabled());
        EXPECT_FALSE(close->isEnabled());
        for (QAction* action : child<QMenu>(&form, fs("PopupMenu1"))->actions())
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        trigger(form, "WipeALLItems1"); // would ask a question the script does not expect
        form.BitBtn1Click();
        EXPECT_FALSE(child<QMenu>(&form, fs("PopupMenu1"))->isVisible());
        form.reject();
        form.close();
        EXPECT_TRUE(form.isVisible());
    });
    BoxScript boxes;
    boxes.ok().ok();
    trigger(form, "WipeFollowing1");
    EXPECT_TRUE(seen);
    EXPECT_EQ(label(form, "Deleted"), fs("6"));
    EXPECT_TRUE(wipe->isEnabled());
    EXPECT_TRUE(close->isEnabled());
    form.reject();
    EXPECT_FALSE(form.isVisible());
}
