#include "SocialFixture.h"

#include "accounts/CharacterUnit.h"
#include "accounts/SkillUnit.h"
#include "app/MainWindows.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// The stored column as the server's hex() shows it.
const QString kEmptyColumn = S("FF0000").repeated(42) + S("FF00");

class SkillTest : public SocialTest {
protected:
    std::unique_ptr<TSkillForm> openSkills(const QString& character) {
        return open<TSkillForm>(S("someone"), character);
    }
    QString column(const QString& character) const {
        return rows(S("SELECT hex(MagicList) FROM Character WHERE Name=") + Q(character)).value(0);
    }
    static QStringList skills(const TSkillForm& w) { return entries(&w, S("CharacterSkill")); }
    static QComboBox* box(const TSkillForm& w, const char* name) {
        return child<QComboBox>(&w, QString::fromLatin1(name));
    }
    static void add(TSkillForm& w, const QString& name) {
        pick(box(w, "FileSkill"), name);
        click(&w, S("Add"));
    }
};

TEST_F(SkillTest, OpeningReadsTheColumnTheClassesAndOneNamePerRecord) {
    StatementJournal::Recorder journal;
    auto w = openSkills(S("Tamsy"));
    EXPECT_EQ(w->windowTitle(), S("Edit Skills..."));
    EXPECT_EQ(child<QLabel>(w.get(), S("ACC"))->text(), S("someone"));
    EXPECT_EQ(child<QLabel>(w.get(), S("CHR"))->text(), S("Tamsy"));

    const std::vector<QString> texts = journal.texts();
    ASSERT_EQ(texts.size(), 2u + 43u + 1u);
    EXPECT_EQ(texts[0], S("SELECT MagicList FROM \"Character\" WHERE \"Name\" ='Tamsy'"));
    EXPECT_EQ(texts[1], S("SELECT  DISTINCT Class FROM Skill"));
    EXPECT_EQ(texts[2], S("SELECT Name FROM Skill WHERE ID='01'")); // 01 1A 2B: only byte 0 counts
    EXPECT_EQ(texts[7], S("SELECT Name FROM Skill WHERE ID='06'"));
    EXPECT_EQ(texts[44], S("SELECT Name FROM Skill WHERE ID='FF'"));
    EXPECT_EQ(texts[45], S("SELECT Name FROM Skill ")); // "All Skills": one trailing blank

    EXPECT_EQ(skills(*w), (QStringList{S("Fire Bolt"), S("Frost Lance"), S("Arc Lightning"), S("Blink"),
                                       S("Meteor Rain"), S("Flame Pillar")}));
    EXPECT_EQ(child<QListWidget>(w.get(), S("CharacterSkill"))->currentRow(), 0);
    const QStringList classes = items(box(*w, "ClassChar"));
    EXPECT_EQ(classes.mid(0, 3), (QStringList{S("All Skills"), S("Dark Wizard"), S("Soul Master")}));
    EXPECT_EQ(classes.size(), 1 + 8);
    EXPECT_EQ(box(*w, "ClassChar")->currentIndex(), 0);
    EXPECT_EQ(box(*w, "FileSkill")->count(), 42);
    EXPECT_EQ(box(*w, "FileSkill")->currentText(), S("Fire Bolt"));
    EXPECT_TRUE(child<QAbstractButton>(w.get(), S("Add"))->isEnabled());
}

TEST_F(SkillTest, WhatIsStoredIsListedAndWrittenBackAsAWholeColumn) {
    struct Case {
        const char* name;
        const char* character;
        QString stored; // SQL value put in first; empty keeps the seed
        QStringList listed;
        QString saved;
    };
    const QString tamsy = S("010000020000030000040000050000060000") + S("FF0000").repeated(36) + S("FF00");
    const Case cases[] = {
        {"empty value", "Pell", {}, {}, kEmptyColumn},
        {"extra bytes are cleared",
         "Tamsy",
         {},
         {S("Fire Bolt"), S("Frost Lance"), S("Arc Lightning"), S("Blink"), S("Meteor Rain"),
          S("Flame Pillar")},
         tamsy},
        {"unknown number is dropped",
         "Evensong",
         {},
         {S("Fire Bolt"), S("Frost Lance"), S("Arc Lightning"), S("Blink"), S("Meteor Rain")},
         S("010000020000030000040000050000") + S("FF0000").repeated(37) + S("FF00")},
        {"short column",
         "Pell",
         S("X'0100004500'"),
         {S("Fire Bolt"), S("Crown of Thorns")},
         S("010000450000") + S("FF0000").repeated(40) + S("FF00")},
        {"NULL column", "Pell", S("NULL"), {}, kEmptyColumn},
        {"the last record moves up",
         "Pell",
         S("X'") + S("FF0000").repeated(42) + S("2000'"),
         {S("Heal")},
         S("200000") + S("FF0000").repeated(41) + S("FF00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString character = S(c.character);
        if (!c.stored.isEmpty())
            raw(S("UPDATE Character SET MagicList=") + c.stored + S(" WHERE Name=") + Q(character));
        auto w = openSkills(character);
        EXPECT_EQ(skills(*w), c.listed);

        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        click(w.get(), S("Save"));
        EXPECT_EQ(column(character), c.saved);
        EXPECT_EQ(journal.texts().back(), S("UPDATE CHARACTER\r\nSET MagicList =0x") + c.saved +
                                              S("\r\nWHERE \"Name\" =") + Q(character));
        EXPECT_EQ(boxes.last().caption, S("Vorn Tanor Editor"));
        EXPECT_EQ(boxes.last().text, S("Skills Updated"));
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Information);
        EXPECT_EQ(accepted.count(), 1);
    }
}

TEST_F(SkillTest, ClassAndSkillChoicesRunTheirLookups) {
    auto w = openSkills(S("Pell"));
    EXPECT_TRUE(skills(*w).isEmpty());
    StatementJournal::Recorder journal;
    pick(box(*w, "ClassChar"), S("Dark Lord"));
    EXPECT_EQ(items(box(*w, "FileSkill")),
              (QStringList{S("Fire Burst"), S("Summon Legion"), S("Commanding Aura"), S("Quake Stomp"),
                           S("Chaos Bolt"), S("Crown of Thorns")}));
    EXPECT_EQ(box(*w, "FileSkill")->currentIndex(), 0);
    pick(box(*w, "FileSkill"), S("Chaos Bolt"));
    EXPECT_TRUE(child<QAbstractButton>(w.get(), S("Add"))->isEnabled());
    pick(box(*w, "ClassChar"), S("All Skills"));
    EXPECT_EQ(box(*w, "FileSkill")->count(), 42);
    EXPECT_EQ(journal.texts(), (std::vector<QString>{S("SELECT Name FROM Skill WHERE Class='Dark Lord'"),
                                                     S("SELECT ID FROM Skill WHERE Name='Chaos Bolt'"),
                                                     S("SELECT Name FROM Skill ")}));

    // A class whose names are gone leaves nothing to add.
    rawCatalogue(S("DELETE FROM Skill WHERE Class='Elf'"));
    pick(box(*w, "ClassChar"), S("Elf"));
    EXPECT_EQ(box(*w, "FileSkill")->count(), 0);
    EXPECT_FALSE(child<QAbstractButton>(w.get(), S("Add"))->isEnabled());
}

TEST_F(SkillTest, AddDeleteAndResetWorkOnTheListOnly) {
    auto w = openSkills(S("Pell"));
    auto* list = child<QListWidget>(w.get(), S("CharacterSkill"));
    {
        BoxScript boxes;
        boxes.ok();
        click(w.get(), S("Delete")); // nothing selected
        EXPECT_EQ(boxes.last().caption, S("Error"));
        EXPECT_EQ(boxes.last().text, S("Select at least one Skill to Delete"));
        EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    }
    for (const char* name : {"Heal", "Blink", "Heal", "Lunge"})
        add(*w, S(name));
    EXPECT_EQ(skills(*w), (QStringList{S("Heal"), S("Blink"), S("Heal"), S("Lunge")})); // twice is allowed
    EXPECT_EQ(list->currentRow(), 3);

    list->setCurrentRow(1);
    click(w.get(), S("Delete"));
    EXPECT_EQ(skills(*w), (QStringList{S("Heal"), S("Heal"), S("Lunge")}));
    EXPECT_EQ(list->currentItem()->text(), S("Heal"));
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(2);
    click(w.get(), S("Delete"));
    EXPECT_EQ(list->currentRow(), 1); // the new last entry

    {
        BoxScript boxes;
        boxes.cancel();
        click(w.get(), S("Button1"));
        EXPECT_EQ(boxes.last().kind, Dialogs::Kind::Question);
        EXPECT_EQ(boxes.last().text, S("Are you Sure?"));
        EXPECT_EQ(list->count(), 2);
    }
    StatementJournal::Recorder journal;
    BoxScript boxes;
    boxes.ok().ok().ok();
    click(w.get(), S("Button1"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(boxes.last().caption, S("Vorn TanorEditor"));
    EXPECT_EQ(boxes.last().text, S("Skill deleted!"));
    EXPECT_TRUE(journal.texts().empty()); // nothing written before Save

    add(*w, S("Heal"));
    add(*w, S("Lunge"));
    add(*w, S("Heal"));
    click(w.get(), S("Save"));
    EXPECT_EQ(column(S("Pell")), S("200000150000200000") + S("FF0000").repeated(39) + S("FF00"));
}

TEST_F(SkillTest, AFullListTakesEveryRecordAndRefusesMore) {
    auto w = openSkills(S("Pell"));
    for (int k = 0; k < 43; ++k)
        add(*w, k % 2 ? S("Blink") : S("Twin Meteor"));
    {
        BoxScript boxes;
        boxes.ok();
        add(*w, S("Heal"));
        EXPECT_EQ(boxes.last().caption, S("Error"));
        EXPECT_TRUE(boxes.last().text.contains(S("43"))) << boxes.last().text.toStdString();
    }
    EXPECT_EQ(skills(*w).size(), 43);
    EXPECT_EQ(skills(*w).back(), S("Twin Meteor"));

    BoxScript boxes;
    boxes.ok();
    click(w.get(), S("Save"));
    EXPECT_EQ(column(S("Pell")), (S("340000") + S("040000")).repeated(21) + S("3400"));
}

TEST_F(SkillTest, ASkillGoneFromTheCatalogueIsSavedEmptyAndReported) {
    auto w = openSkills(S("Tamsy"));
    rawCatalogue(S("DELETE FROM Skill WHERE Name='Arc Lightning'"));
    BoxScript boxes;
    boxes.ok().ok();
    click(w.get(), S("Save"));
    EXPECT_EQ(column(S("Tamsy")),
              S("010000020000FF0000040000050000060000") + S("FF0000").repeated(36) + S("FF00"));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, S("Skills Updated"));
    EXPECT_EQ(boxes.boxes()[1].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(boxes.boxes()[1].text.endsWith(S(": Arc Lightning")));
}

TEST_F(SkillTest, ACharacterGoneBeforeSavingIsReportedAndTheWindowStays) {
    auto w = openSkills(S("Tamsy"));
    raw(S("DELETE FROM Character WHERE Name='Tamsy'"));
    BoxScript boxes;
    boxes.ok();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    click(w.get(), S("Save"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Error);
    EXPECT_TRUE(boxes.last().text.contains(S("Tamsy")));
    EXPECT_EQ(accepted.count(), 0);
}

TEST_F(SkillTest, TheCharacterEditorOpensItWithItsAccountAndCharacter) {
    std::unique_ptr<QDialog> editor(
        MainWindowFactory(MainWindow::CharacterEdition)(nullptr, names(S("hollis"), S("Hollow"))));
    ModalScript modal;
    modal.then<TSkillForm>([](TSkillForm* w) {
        EXPECT_EQ(child<QLabel>(w, S("ACC"))->text(), S("hollis"));
        EXPECT_EQ(child<QLabel>(w, S("CHR"))->text(), S("Hollow"));
        EXPECT_EQ(skills(*w),
                  (QStringList{S("Fire Bolt"), S("Frost Lance"), S("Arc Lightning"), S("Blink")}));
        click(w, S("Close"));
    });
    click(editor.get(), S("SkillButton"));
    EXPECT_EQ(modal.opened(), std::vector<QString>{S("TSkillForm")});
}

} // namespace
