#include "AccountsFixture.h"

#include "accounts/CharacterUnit.h"
#include "accounts/MoveCharUnit.h"
#include "accounts/RenameCharUnit.h"
#include "widgets/WidgetKit.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

class CharacterEditorTest : public AccountsTest {
protected:
    // Opens the editor; `boxes` boxes are expected while it loads.
    std::unique_ptr<TCharacterEditionForm> editor(const QString& account, const QString& character,
                                                  int boxes = 0) {
        BoxScript script;
        script.ok(boxes);
        auto w = std::make_unique<TCharacterEditionForm>(names(account, character), skillWindow);
        m_loadBoxes = script.texts();
        return w;
    }
    // What the editor's "Skills..." creates (none: the button is disabled).
    ModalOpener::ContextFactory skillWindow;
    static RadioGroup* group(const QWidget* w, const char* name) {
        return child<RadioGroup>(w, QLatin1String(name));
    }
    static QComboBox* list(const QWidget* w, const char* name) {
        return child<QComboBox>(w, QLatin1String(name));
    }
    static QString text(const QWidget* w, const char* name) {
        if (auto* edit = w->findChild<QLineEdit*>(QLatin1String(name)))
            return edit->text();
        return child<QLabel>(w, QLatin1String(name))->text();
    }
    static bool enabled(const QWidget* w, const char* name) {
        return child<QPushButton>(w, QLatin1String(name))->isEnabled();
    }
    static QString quest(const char* prefix) {
        return QStringLiteral(", Quest=0x") + QLatin1String(prefix) + QString(96, QLatin1Char('F'));
    }

    std::vector<QString> m_loadBoxes;
};

TEST_F(CharacterEditorTest, LoadingShowsEveryFieldAndSavingWritesTheNineLines) {
    auto w = editor(QStringLiteral("vesper"), QStringLiteral("Nightjar"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Character Edition"));
    const struct {
        const char* name;
        const char* shown;
    } fields[] = {
        {"Level", "340"},     {"FreePoints", "10"},  {"Experience", "393043537"},
        {"Strenght", "273"},  {"Agility", "869"},    {"Vitality", "356"},
        {"Energy", "268"},    {"Charisma", "0"},     {"Life", "599"},
        {"Mana", "503"},      {"Money", "33488234"}, {"MapPosX", "92"},
        {"MapPosY", "44"},    {"PKCount", "0"},      {"PKTime", "0"},
        {"Reset", "10"},      {"Guild", "Lanterns"}, {"Master", "Guild Master"},
        {"LevelMember", "1"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(text(w.get(), f.name), QLatin1String(f.shown)) << f.name;
    EXPECT_EQ(group(w.get(), "CharacterTypeRG")->ItemIndex(), 5); // 33: Muse Elf
    EXPECT_EQ(group(w.get(), "CtlCode")->ItemIndex(), 0);
    EXPECT_EQ(group(w.get(), "QuestRG")->ItemIndex(), 3); // EAFF
    EXPECT_EQ(list(w.get(), "PKLevel")->currentText(), QStringLiteral("HeroLevel2"));
    EXPECT_EQ(list(w.get(), "MapNumber")->currentText(), QStringLiteral("Valley Of Loren"));
    // A guild member can be neither moved nor renamed.
    EXPECT_FALSE(enabled(w.get(), "Movechr"));
    EXPECT_FALSE(enabled(w.get(), "Rename"));
    EXPECT_FALSE(enabled(w.get(), "SkillButton"));

    group(w.get(), "CharacterTypeRG")->Item(2)->click(); // Dark Knight
    group(w.get(), "CtlCode")->Item(3)->click();         // Banned (Chr)
    pick(list(w.get(), "PKLevel"), QStringLiteral("Murder"));
    pick(list(w.get(), "MapNumber"), QStringLiteral("Chaos Caslte 5"));
    group(w.get(), "QuestRG")->Item(2)->click();                // Three Treasures
    type(w.get(), QStringLiteral("Life"), QStringLiteral("1")); // never saved
    type(w.get(), QStringLiteral("Reset"), QStringLiteral("4"));
    type(w.get(), QStringLiteral("Money"), QStringLiteral(" 12 "));

    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    click(w.get(), QStringLiteral("ModifyButton"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Vorn Tanor Editor"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Character Updated!"));
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            lines({QStringLiteral("UPDATE Character"), QStringLiteral("SET cLevel=340, LevelUpPoint=10"),
                   QStringLiteral(", Class=16, Experience=393043537, Strength=273"),
                   QStringLiteral(", Dexterity=869, Vitality=356, Energy=268"),
                   QStringLiteral(", Leadership=0"), QStringLiteral(", Money=12, MapNumber=22"),
                   QStringLiteral(", MapPosX=92, MapPosY=44, PkLevel=6"),
                   QStringLiteral(", PkCount=0, PkTime=0, CtlCode=1") + quest("FAFF"),
                   QStringLiteral(" WHERE Name='Nightjar'")}),
            QStringLiteral("UPDATE CharacterResets SET Resets = 4 WHERE CharacterName='Nightjar'"),
        }));
    EXPECT_EQ(row(QStringLiteral("SELECT Class, CtlCode, PkLevel, MapNumber, Money, Life, hex(Quest) FROM "
                                 "Character WHERE Name = 'Nightjar'")),
              QStringLiteral("16|1|6|22|12|599|FAFF") + QString(96, QLatin1Char('F')));
    EXPECT_EQ(row(QStringLiteral("SELECT Resets FROM CharacterResets WHERE CharacterName = 'Nightjar'")),
              QStringLiteral("4"));
}

// Every choice the editor offers, in the order and spelling the operator
// knows them by (misspellings included: saved positions depend on them).
TEST_F(CharacterEditorTest, TheChoicesReadAsTheOperatorKnowsThem) {
    auto w = editor(QStringLiteral("vesper"), QStringLiteral("Nightjar"));
    const auto captions = [&w](const char* name) {
        QStringList out;
        if (auto* combo = w->findChild<QComboBox*>(QLatin1String(name))) {
            for (int i = 0; i < combo->count(); ++i)
                out << combo->itemText(i);
            return out;
        }
        for (int i = 0; i < group(w.get(), name)->Count(); ++i)
            out << group(w.get(), name)->Item(i)->text();
        return out;
    };
    const struct {
        const char* name;
        const char* title;
        const char* items;
    } cases[] = {
        {"CharacterTypeRG", "Character Type",
         "Dark Wizard|Soul Master|Dark Knight|Blade Knight|Elf|Muse Elf|Magic Gladiator|Dark Lord"},
        {"CtlCode", "Character Status", "Normal|Game Master|Game Master (Inv)|Banned (Chr)|Banned (Item)"},
        {"QuestRG", "Quest Settings",
         "None|Find the 'Scroll of Emperor'|Three Treasures of TANOR|Gain 'Hero Status'|Secret of 'Dark "
         "Stone' "
         "(BK)"},
        {"PKLevel", nullptr, "HeroLevel2|HeroLevel1|Normal|PKLevel1|PKLevel2|Murder"},
        {"MapNumber", nullptr,
         "Lorencia|Dungeon|Devias|Noria|Lost Tower|Exile|Arena|Atlans|Tarkan|Devil Square 1-4|Icarus|Blood "
         "Castle 1|Blood Castle 2|Blood Castle 3|Blood Castle 4|Blood Castle 5|Blood Castlle 6|Blood Castle "
         "7|Chaos Castle 1|Chaos Castle 2|Chaos Castle 3|Chaos Castle 4|Chaos Caslte 5|Chaos Castle "
         "6|Kalima1|Kalima2|Kalima3|Kalima4|Kalima5|Kalima6|Valley Of Loren|Lans Of Trials|Devil Square "
         "5-6|Aida|CryWolf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(c.name).join(QLatin1Char('|')), QLatin1String(c.items)) << c.name;
        if (c.title) {
            EXPECT_EQ(group(w.get(), c.name)->title(), QLatin1String(c.title));
        }
    }
}

TEST_F(CharacterEditorTest, TheLoadStatementsAndTheAccountCheck) {
    StatementJournal::Recorder journal;
    auto w = editor(QStringLiteral("nobody"), QStringLiteral("Hollow"), 1);
    EXPECT_EQ(m_loadBoxes, std::vector<QString>{QStringLiteral("Account do Not Exist!")});
    EXPECT_EQ(
        journal.texts(),
        (std::vector<QString>{
            QStringLiteral("SELECT * FROM MEMB_INFO WHERE memb___id = 'nobody'"),
            lines({QStringLiteral("SELECT AccountID, Name, cLevel, LevelUpPoint, Class, Experience"),
                   QStringLiteral(", Strength, Dexterity, Vitality, Energy, Inventory, MagicList, Money"),
                   QStringLiteral(", Life, MaxLife, Mana, MaxMana, MapNumber, MapPosX, MapPosY, MapDir"),
                   QStringLiteral(", PkCount, PkLevel, PkTime, MDate, LDate, CtlCode, DbVersion, Quest"),
                   QStringLiteral(", Leadership, ChatLimitTime FROM Character WHERE Name = 'Hollow'")}),
            QStringLiteral("SELECT * FROM GuildMember WHERE Name='Hollow'"),
            QStringLiteral("SELECT Resets FROM CharacterResets WHERE CharacterName = 'Hollow'"),
        }));
    // Loading goes on regardless; a character without a guild may move.
    EXPECT_EQ(text(w.get(), "Level"), QStringLiteral("12"));
    for (const char* name : {"Guild", "Master", "LevelMember"})
        EXPECT_EQ(text(w.get(), name), QStringLiteral("None")) << name;
    EXPECT_TRUE(enabled(w.get(), "Movechr"));
    EXPECT_TRUE(enabled(w.get(), "Rename"));

    auto none = editor(QStringLiteral("hollis"), QString(), 1);
    EXPECT_EQ(m_loadBoxes, std::vector<QString>{QStringLiteral("Select at least One Character")});
}

TEST_F(CharacterEditorTest, QuestVariantsWarnAndKeepTheirBytesUnlessAnItemIsPicked) {
    raw(QStringLiteral("UPDATE Character SET Quest = X'0A1B22' WHERE Name = 'Hollow'"));
    for (const bool pickOne : {false, true}) {
        auto w = editor(QStringLiteral("vesper"), QStringLiteral("Evensong"), 1); // F5FF
        EXPECT_EQ(m_loadBoxes, std::vector<QString>{QStringLiteral(
                                   "The current Character seems to have a\n\rvariant of the quest, if you do "
                                   "not want to change this\n\rsetting, do not touch the Quest Group Box")});
        EXPECT_EQ(group(w.get(), "QuestRG")->ItemIndex(), -1);
        if (pickOne)
            group(w.get(), "QuestRG")->Item(0)->click();
        BoxScript boxes;
        boxes.ok();
        click(w.get(), QStringLiteral("ModifyButton"));
        EXPECT_EQ(row(QStringLiteral("SELECT hex(Quest) FROM Character WHERE Name = 'Evensong'")),
                  QLatin1String(pickOne ? "FFFF" : "F5FF") + QString(96, QLatin1Char('F')));
    }
    BoxScript boxes;
    boxes.ok();
    auto w = open<TCharacterEditionForm>(QStringLiteral("hollis"), QStringLiteral("Hollow"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Warning"));
    EXPECT_EQ(boxes.last().icon, Dialogs::Icon::Warning);
}

TEST_F(CharacterEditorTest, UnknownOrMissingCodesShowNothingAndAreWrittenBackUnchanged) {
    raw(QStringLiteral(
        "CREATE TABLE C2 AS SELECT * FROM Character WHERE Name = 'GM_Cedar'; "
        "UPDATE Character SET Class = 2, PkLevel = 9, MapNumber = 40 WHERE Name = 'GM_Cedar'"));
    auto w = editor(QStringLiteral("gmoffice"), QStringLiteral("GM_Cedar")); // CtlCode 16
    EXPECT_EQ(group(w.get(), "CharacterTypeRG")->ItemIndex(), -1);
    EXPECT_EQ(group(w.get(), "CtlCode")->ItemIndex(), -1);
    EXPECT_EQ(list(w.get(), "PKLevel")->currentIndex(), -1);
    EXPECT_EQ(list(w.get(), "MapNumber")->currentIndex(), -1);
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("ModifyButton"));
    EXPECT_EQ(row(QStringLiteral("SELECT Class, CtlCode, PkLevel, MapNumber FROM Character WHERE Name = "
                                 "'GM_Cedar'")),
              QStringLiteral("2|16|9|40"));
}

TEST_F(CharacterEditorTest, BadNumbersNameTheFieldAndWriteNothing) {
    const struct {
        const char* field;
        const char* typed;
        const char* message;
    } cases[] = {
        {"Level", "", "Level must be a whole number from 0 to 32767. Nothing was saved."},
        {"Experience", "12,5", "Experience must be a whole number from 0 to 2147483647. Nothing was saved."},
        {"Strenght", "40000", "Strength must be a whole number from 0 to 32767. Nothing was saved."},
        {"Money", "1; DELETE", "Money must be a whole number from 0 to 2147483647. Nothing was saved."},
        {"MapPosX", "-3", "X must be a whole number from 0 to 32767. Nothing was saved."},
        {"PKTime", "ten", "PK Time must be a whole number from 0 to 2147483647. Nothing was saved."},
        {"Reset", "1.5", "Reset must be a whole number from 0 to 2147483647. Nothing was saved."},
    };
    auto w = editor(QStringLiteral("hollis"), QStringLiteral("Hollow"));
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    for (const auto& c : cases) {
        const QString before = text(w.get(), c.field);
        type(w.get(), QLatin1String(c.field), QLatin1String(c.typed));
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        click(w.get(), QStringLiteral("ModifyButton"));
        EXPECT_EQ(boxes.last().text, QLatin1String(c.message));
        EXPECT_TRUE(journal.texts().empty()) << c.field;
        EXPECT_EQ(text(w.get(), c.field), QLatin1String(c.typed)); // the edit stays for mending
        type(w.get(), QLatin1String(c.field), before);
    }
    EXPECT_EQ(accepted.count(), 0);
}

// Values no operator could type (a statistic past smallint, negative ones,
// the lowest int in an 11-character Money) are shown whole and do not stop
// another change from being saved; they are written back as they were.
TEST_F(CharacterEditorTest, StoredValuesOutsideTheTypedRangesShowWholeAndSaveUnchanged) {
    raw(QStringLiteral("UPDATE Character SET Strength = 40000, Energy = -5, MapPosX = 300, "
                       "Money = -2147483648, PkTime = 99999999999 WHERE Name = 'Hollow'"));
    auto w = editor(QStringLiteral("hollis"), QStringLiteral("Hollow"));
    EXPECT_EQ(text(w.get(), "Money"), QStringLiteral("-2147483648"));
    EXPECT_EQ(text(w.get(), "PKTime"), QStringLiteral("99999999999"));
    type(w.get(), QStringLiteral("Level"), QStringLiteral("12"));
    BoxScript boxes;
    boxes.ok();
    click(w.get(), QStringLiteral("ModifyButton"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Character Updated!"));
    EXPECT_EQ(row(QStringLiteral("SELECT cLevel, Strength, Energy, MapPosX, Money, PkTime FROM Character "
                                 "WHERE Name = 'Hollow'")),
              QStringLiteral("12|40000|-5|300|-2147483648|99999999999"));
}

// Opened on a name that is gone: the editor says so and offers nothing
// that needs the row.
TEST_F(CharacterEditorTest, ACharacterThatDoesNotExistSaysSoAndOffersNoAction) {
    skillWindow = [](QWidget* parent, const WindowContext&) { return new QDialog(parent); };
    auto w = editor(QStringLiteral("lark"), QStringLiteral("Gone"), 1);
    EXPECT_EQ(m_loadBoxes, std::vector<QString>{QStringLiteral(
                               "The character Gone does not exist (renamed or deleted meanwhile); there is "
                               "nothing to edit.")});
    for (const char* action : {"ModifyButton", "SkillButton", "Movechr", "Rename"})
        EXPECT_FALSE(enabled(w.get(), action)) << action;
}

TEST_F(CharacterEditorTest, SavingACharacterThatVanishedSaysSoAndStaysOpen) {
    auto w = editor(QStringLiteral("lark"), QStringLiteral("Skylark"));
    raw(QStringLiteral("UPDATE Character SET Name = 'Gone' WHERE Name = 'Skylark'"));
    BoxScript boxes;
    boxes.ok();
    StatementJournal::Recorder journal;
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    click(w.get(), QStringLiteral("ModifyButton"));
    EXPECT_EQ(boxes.last().text,
              QStringLiteral("The character Skylark no longer exists under that name; nothing was saved."));
    EXPECT_EQ(journal.texts().size(), 1u); // no reset update either
    EXPECT_EQ(accepted.count(), 0);
}

TEST_F(CharacterEditorTest, ResetsAreShownAndSavedOnlyWhenEnabledWithPlainNames) {
    const struct {
        const char* enabled;
        const char* table;
        bool shown;
        int boxes;
    } cases[] = {{"0", "CharacterResets", false, 0},
                 {"2", "CharacterResets", false, 0},
                 {"1", "CharacterResets; DROP TABLE Guild", false, 1},
                 {"1", "[CharacterResets]", true, 0}};
    for (const auto& c : cases) {
        WriteSetting(QStringLiteral("Resets"), QStringLiteral("Enabled"), QLatin1String(c.enabled));
        WriteSetting(QStringLiteral("Resets"), QStringLiteral("Table"), QLatin1String(c.table));
        auto w = editor(QStringLiteral("kestrel"), QStringLiteral("Kaelin"), c.boxes);
        EXPECT_EQ(child<QLineEdit>(w.get(), QStringLiteral("Reset"))->isVisibleTo(w.get()), c.shown)
            << c.table;
        type(w.get(), QStringLiteral("Reset"), QStringLiteral("x")); // checked only when shown
        BoxScript boxes;
        boxes.ok();
        StatementJournal::Recorder journal;
        click(w.get(), QStringLiteral("ModifyButton"));
        if (c.shown) {
            EXPECT_EQ(boxes.last().text, QStringLiteral("Reset must be a whole number from 0 to "
                                                        "2147483647. Nothing was saved."));
        } else {
            EXPECT_EQ(boxes.last().text, QStringLiteral("Character Updated!"));
            EXPECT_EQ(journal.texts().size(), 1u) << c.table;
        }
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT 1 FROM Guild")).size(), 5);
}

TEST_F(CharacterEditorTest, SkillsMoveAndRenameGetTheNamesAndTheAccountIsCheckedAgain) {
    std::vector<QString> given;
    skillWindow = [&given](QWidget* parent, const WindowContext& context) {
        given.push_back(QStringLiteral("skills ") + context.account + QLatin1Char('/') + context.character);
        return new QDialog(parent);
    };
    auto w = editor(QStringLiteral("hollis"), QStringLiteral("Hollow"));
    ASSERT_TRUE(enabled(w.get(), "SkillButton"));
    ModalScript modal;
    modal.then([](QDialog* d) { d->reject(); })
        .then<TMoveCharForm>([this, &given](TMoveCharForm* m) {
            given.push_back(QStringLiteral("move ") + child<QLineEdit>(m, QStringLiteral("OriACC"))->text() +
                            QLatin1Char('/') + child<QLineEdit>(m, QStringLiteral("ChrName"))->text());
            raw(QStringLiteral("DELETE FROM MEMB_INFO WHERE memb___id = 'hollis'"));
            m->reject();
        })
        .then<TRenameCharForm>([&given](TRenameCharForm* r) {
            given.push_back(QStringLiteral("rename ") + child<QLineEdit>(r, QStringLiteral("Acc"))->text() +
                            QLatin1Char('/') + child<QLineEdit>(r, QStringLiteral("Name"))->text());
            r->reject();
        });
    click(w.get(), QStringLiteral("SkillButton"));
    BoxScript boxes;
    boxes.ok(2);
    click(w.get(), QStringLiteral("Movechr"));
    click(w.get(), QStringLiteral("Rename"));
    EXPECT_EQ(given, (std::vector<QString>{QStringLiteral("skills hollis/Hollow"),
                                           QStringLiteral("move hollis/Hollow"),
                                           QStringLiteral("rename hollis/Hollow")}));
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{QStringLiteral("Account do Not Exist!"),
                                                   QStringLiteral("Account do Not Exist!")}));
}

} // namespace
