// Hostile input in every field of the windows that write: texts that break
// naive quoting, wildcards, non-Latin letters and over-long texts must be
// stored exactly as the field holds them (or refused with a message), and
// numbers that are not in range must be refused before anything is written.
// One row per field; every case runs on a fresh demo server.

#include "../app/ShellFixture.h"
#include "core/WindowContext.h"
#include "platform/StatementJournal.h"
#include "widgets/Dialogs.h"

#include "accounts/AccountCreationForm.h"
#include "accounts/CharacterUnit.h"
#include "accounts/ModifyAccountUnit.h"
#include "accounts/MoveCharUnit.h"
#include "accounts/NewCharacterUnit.h"
#include "accounts/RenameCharUnit.h"
#include "accounts/SearchUnit.h"
#include "app/AdministrationUnit.h"
#include "app/AuthenticationUnit.h"
#include "app/SQLConnectionUnit.h"
#include "app/WizardUnit.h"
#include "containers/InventoryUnit.h"
#include "containers/WareHouseUnit.h"
#include "guilds/CastleSiegeUnit.h"
#include "guilds/EditGuildUnit.h"
#include "guilds/GuildManagerUnit.h"
#include "guilds/MapServerGroupUnit.h"
#include "items/CellGrid.h"
#include "reports/DBUnit.h"
#include "reports/LogUnit.h"
#include "widgets/WidgetKit.h"

#include <QDateEdit>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Answers every box with OK and keeps what was shown; a box without a
// parent window fails the test as in BoxScript.
class AnyBoxes : public Dialogs::Handler {
public:
    AnyBoxes() : m_previous(Dialogs::SetHandler(this)) {}
    ~AnyBoxes() override { Dialogs::SetHandler(m_previous); }
    AnyBoxes(const AnyBoxes&) = delete;
    AnyBoxes& operator=(const AnyBoxes&) = delete;
    bool show(const Dialogs::Box& box) override {
        EXPECT_NE(box.parent, nullptr) << "box without a window: " << box.text.toStdString();
        m_texts << box.text;
        return true;
    }
    [[nodiscard]] const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
    Dialogs::Handler* m_previous;
};

using Opener = std::function<std::unique_ptr<QDialog>()>;
using Step = std::function<void(QDialog*)>;
using Setup = std::function<void(TestEnvironment&)>;
using Snapshot = std::function<QString(QDialog*)>;

// The value a case left in the game database: the first column of the first
// row of `sql`, with ?1 bound to the typed text; "<none>" without a row or
// without the table yet.
QString storedValue(const QString& file, const QString& sql, const QString& typed) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        if (QString::fromUtf8(sqlite3_errmsg(db)).startsWith(QLatin1String("no such table"))) {
            sqlite3_close(db);
            return QStringLiteral("<none>");
        }
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql.toStdString();
        sqlite3_close(db);
        return QString();
    }
    const QByteArray bound = typed.toUtf8();
    if (sqlite3_bind_parameter_count(st) > 0)
        sqlite3_bind_text(st, 1, bound.constData(), int(bound.size()), SQLITE_STATIC);
    QString value = QStringLiteral("<none>");
    if (sqlite3_step(st) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        value = text ? QString::fromUtf8(text) : QStringLiteral("NULL");
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

// What the main window hands a window: "admin" signed in and its choices.
WindowContext Context(QString account = {}, QString character = {}, QString guild = {}, QString other = {}) {
    WindowContext context;
    context.signedIn = true;
    context.operatorId = other.isEmpty() ? QStringLiteral("admin") : other;
    context.account = account;
    context.character = character;
    context.guild = guild;
    context.mapServerGroup = other;
    return context;
}

template <class Form>
Opener Open(QString account = {}, QString character = {}, QString guild = {}, QString other = {}) {
    return [=] {
        std::unique_ptr<Form> w;
        if constexpr (std::is_constructible_v<Form, const WindowContext&>)
            w = std::make_unique<Form>(Context(account, character, guild, other));
        else
            w = std::make_unique<Form>();
        w->show();
        return std::unique_ptr<QDialog>(std::move(w));
    };
}

// The catalogue editor on one of its tables.
Opener CatalogueTable(const char* table) {
    return [table] {
        WindowContext context = Context();
        context.catalogueTable = QLatin1String(table);
        auto w = std::make_unique<TDBForm>(context);
        w->show();
        return std::unique_ptr<QDialog>(std::move(w));
    };
}

// Types into a field and returns what it then shows. A grid cell is named
// "grid.column": that column of the grid's current row, typed into the
// grid's own cell editor.
QString Enter(QDialog* w, const QString& field, const QString& text) {
    const qsizetype dot = field.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        type(w, field, text);
        return child<QLineEdit>(w, field)->text();
    }
    auto* grid = child<QTableView>(w, field.left(dot));
    const QAbstractItemModel* model = grid->model();
    int column = 0;
    while (column < model->columnCount() &&
           model->headerData(column, Qt::Horizontal).toString() != field.mid(dot + 1))
        ++column;
    const QModelIndex cell = model->index(std::max(0, grid->currentIndex().row()), column);
    if (!cell.isValid()) {
        ADD_FAILURE() << "no column " << field.toStdString();
        return {};
    }
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    if (!editor) {
        ADD_FAILURE() << "no cell editor for " << field.toStdString();
        return {};
    }
    editor->setText(text);
    return editor->text();
}

// Places the property editor's item on the container's last free cell.
Step PlaceItem() {
    return [](QDialog* w) {
        TItemCells* cells = dynamic_cast<TContainerForm*>(w)->Cells();
        int cell = 1;
        for (int k = 1; cells->HasCell(k); ++k)
            if (!cells->IsOccupied(k))
                cell = k;
        cells->ClearSelection();
        cells->Button(cell)->click();
        cells->Button(cell)->click();
    };
}

QString Records(QDialog* w) {
    return dynamic_cast<TContainerForm*>(w)->Container().Literal();
}

// What a key release in the field reports, whatever the field holds.
Step Edited(const char* field) {
    return [field](QDialog* w) {
        auto* edit = child<QLineEdit>(w, QLatin1String(field));
        Q_EMIT edit->textEdited(edit->text());
    };
}

// Selects the guild of that name in the castle's registered list.
Step Registered(const char* guild) {
    return [guild](QDialog* w) {
        auto* list = child<QListWidget>(w, QStringLiteral("ListBox1"));
        list->setCurrentItem(list->findItems(QLatin1String(guild), Qt::MatchExactly).value(0));
    };
}

// Presses the castle picture at a place holding an NPC.
Step Press(const char* picture, QPoint at) {
    return [picture, at](QDialog* w) {
        QTest::mouseClick(child<QWidget>(w, QLatin1String(picture)), Qt::LeftButton, {}, at);
    };
}

Step Click(const char* button) {
    return [button](QDialog* w) { click(w, QLatin1String(button)); };
}

// Types fixed values into other fields first (name=value pairs).
Step Fill(std::vector<std::pair<const char*, const char*>> values) {
    return [values](QDialog* w) {
        for (const auto& [name, text] : values)
            type(w, QLatin1String(name), QString::fromUtf8(text));
    };
}

struct TextRow {
    const char* window;
    Opener open;
    QString fields; // every field named here (comma-separated) gets the typed text
    Step save;
    QString read; // the stored value; ?1 is the typed text
    Step fill = {};
    Setup setup = {};
    const char* database = "TanorOnline";
    QString section = {}; // when set, the value lands in the settings file under section/read
    QString ordinary = QStringLiteral("Plain1"); // a value the window must store as typed
};

// A field that only filters what is read, or is only compared and never
// stored: every text must run without error and write nothing.
struct FilterRow {
    const char* window;
    Opener open;
    QString field;
    Step run;
    Step fill = {};
    Setup setup = {};
};

struct NumberRow {
    const char* window;
    Opener open;
    QString field;
    Step save;
    bool blankKeepsValue = false; // a blank field means "leave it as it is"
    Setup setup = {};
    Step fill = {};
    bool readsOnly = false; // a filter: nothing at all may be sent
    bool silent = false;    // refuses by writing nothing, without a word
    // What a refused number must leave as it was, for a field whose value
    // is taken without a statement (an item placed on a cell); `valid` is a
    // number the step must take, proving that it takes what it is given.
    Snapshot kept = {};
    QString valid = {};
};

struct Hostile {
    const char* what;
    QString text;
};

const std::vector<Hostile>& HostileTexts() {
    static const std::vector<Hostile> texts = {
        {"quote", QStringLiteral("O'Hara")},           {"double quote", QStringLiteral("say \"hi\"")},
        {"semicolon", QStringLiteral("a;b")},          {"comment", QStringLiteral("x--y")},
        {"block comment", QStringLiteral("x/*y")},     {"backslash", QStringLiteral("a\\b")},
        {"percent", QStringLiteral("50%_")},           {"non-Latin", QString::fromUtf8("Ωмя名")},
        {"over-long", QString(300, QLatin1Char('W'))},
    };
    return texts;
}

const std::vector<Hostile>& BadNumbers() {
    static const std::vector<Hostile> numbers = {
        {"word", QStringLiteral("abc")},
        {"negative", QStringLiteral("-5")},
        {"too large", QStringLiteral("99999999999999999999")},
        {"blank", QString()},
        {"trailing junk", QStringLiteral("12;DELETE")},
        {"fraction", QStringLiteral("1.5")},
    };
    return numbers;
}

bool Writes(const QString& statement) {
    return !statement.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
}

// The operator database as the wizard leaves it, "admin" signed in.
void Operators(TestEnvironment& env) {
    env.createDatabase(QStringLiteral("Operators"), QString::fromLatin1(kOperatorSchema));
    RegisterOperatorDataSource(QStringLiteral("Operators"));
    WriteSetting(QStringLiteral("ODBCConnection"), QStringLiteral("VornDNS"), QStringLiteral("VornMNG"));
}

// An empty operator database for the wizard to set up.
void NoOperators(TestEnvironment& env) {
    env.createDatabase(QStringLiteral("Operators"));
}

// The wizard on its operator page, the operator database chosen.
Step OperatorPage(std::vector<std::pair<const char*, const char*>> values = {}) {
    return [values](QDialog* w) {
        click(w, QStringLiteral("Next"));
        child<QComboBox>(w, QStringLiteral("ComboBox1"))->setCurrentText(QStringLiteral("Operators"));
        click(w, QStringLiteral("Next"));
        Fill(values)(w);
    };
}

// Past the password check, then Finish.
Step Finish() {
    return [](QDialog* w) {
        click(w, QStringLiteral("Next"));
        click(w, QStringLiteral("Next"));
    };
}

class HostileCase {
public:
    explicit HostileCase(const Setup& setup) {
        m_env.buildDemo();
        if (setup)
            setup(m_env);
    }
    HostileCase(const HostileCase&) = delete;
    HostileCase& operator=(const HostileCase&) = delete;
    // A game database by its name, or a file of the editor's folder.
    [[nodiscard]] QString database(const char* name) const {
        const QString file = QLatin1String(name);
        return m_env.path(file.contains(QLatin1Char('.')) ? file
                                                          : QStringLiteral("Databases/%1.db").arg(file));
    }

private:
    TestEnvironment m_env;
};

// The connection options: every text lands in the settings file.
std::vector<TextRow> SettingRows() {
    const struct {
        const char* field;
        const char* section;
        const char* key;
    } settings[] = {
        {"MeTanorOnlineDB", "ODBCConnection", "AccountDNS"},
        {"TanorOnlineDB", "ODBCConnection", "TanorOnlineDNS"},
        {"TanorLogDB", "ODBCConnection", "TanorLogDNS"},
        {"TanorConnectLogDB", "ODBCConnection", "TanorConnectLogDNS"},
        {"RankingDB", "ODBCConnection", "RankingDNS"},
        {"TanorEventDB", "ODBCConnection", "TanorEventDNS"},
        {"SQLAccount", "SQLConnection", "ID"},
        {"SQLPassword", "SQLConnection", "Pass"},
        {"LabeledEdit1", "Resets", "Table"},
        {"LabeledEdit2", "Resets", "ColumnCharacter"},
        {"LabeledEdit3", "Resets", "ColumnResets"},
        {"LabeledEdit5", "Vaults", "Table"},
        {"LabeledEdit6", "Vaults", "ColumnItems"},
        {"LabeledEdit7", "Vaults", "ColumnAccount"},
        {"LabeledEdit4", "Vaults", "ColumnNumber"},
    };
    std::vector<TextRow> rows;
    for (const auto& s : settings)
        rows.push_back({"SQL Connection Options",
                        Open<TSQLConnectionForm>(),
                        QLatin1String(s.field),
                        Click("BitBtn1"),
                        QLatin1String(s.key),
                        {},
                        {},
                        "TanorOnline",
                        QLatin1String(s.section)});
    return rows;
}

// The catalogue editor's text cells: each lands in the first row of its table.
std::vector<TextRow> CatalogueTextRows() {
    const struct {
        const char* table;
        std::vector<const char*> columns;
    } tables[] = {
        {"Item", {"Name", "Type", "ID", "Code32", "ID2", "SetItem", "ExcOptionType", "WearTo"}},
        {"Skill", {"ID", "Name", "Class"}},
    };
    std::vector<TextRow> rows;
    for (const auto& t : tables)
        for (const char* column : t.columns)
            rows.push_back({t.table,
                            CatalogueTable(t.table),
                            QStringLiteral("DBGrid1.") + QLatin1String(column),
                            Click("Post"),
                            QStringLiteral("SELECT [%1] FROM %2 ORDER BY rowid LIMIT 1")
                                .arg(QLatin1String(column), QLatin1String(t.table)),
                            {},
                            {},
                            "TanorEditor.mdb"});
    return rows;
}

const std::vector<TextRow>& TextRows() {
    const QString created = QStringLiteral(" FROM MEMB_INFO WHERE memb___id = 'hostile1'");
    static std::vector<TextRow> rows = {
        // account creation
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("AccountID"), Click("BitBtn1"),
         QStringLiteral("SELECT memb___id FROM MEMB_INFO WHERE memb___id = ?1")},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("Password"), Click("BitBtn1"),
         QStringLiteral("SELECT memb__pwd") + created, Fill({{"AccountID", "hostile1"}})},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("Name"), Click("BitBtn1"),
         QStringLiteral("SELECT memb_name") + created, Fill({{"AccountID", "hostile1"}})},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("SecurityNumber"), Click("BitBtn1"),
         QStringLiteral("SELECT substr(sno__numb, 7)") + created, Fill({{"AccountID", "hostile1"}})},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("Mail"), Click("BitBtn1"),
         QStringLiteral("SELECT mail_addr") + created, Fill({{"AccountID", "hostile1"}})},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("SecretQuestion"), Click("BitBtn1"),
         QStringLiteral("SELECT fpas_ques") + created, Fill({{"AccountID", "hostile1"}})},
        {"Create Account", Open<TCreateAccountForm>(), QStringLiteral("SecretAnswer"), Click("BitBtn1"),
         QStringLiteral("SELECT fpas_answ") + created, Fill({{"AccountID", "hostile1"}})},
        // account editing
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")), QStringLiteral("Name"),
         Click("Modify"), QStringLiteral("SELECT memb_name FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")),
         QStringLiteral("NewPassword,NewRePassword"), Click("Modify"),
         QStringLiteral("SELECT memb__pwd FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")), QStringLiteral("Mail"),
         Click("Modify"), QStringLiteral("SELECT mail_addr FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")),
         QStringLiteral("SecurityNumber"), Click("Modify"),
         QStringLiteral("SELECT substr(sno__numb, 7) FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")),
         QStringLiteral("SecretQuestion"), Click("Modify"),
         QStringLiteral("SELECT fpas_ques FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        {"Modify Account", Open<TModifyAccountForm>(QStringLiteral("o'brien")),
         QStringLiteral("SecretAnswer"), Click("Modify"),
         QStringLiteral("SELECT fpas_answ FROM MEMB_INFO WHERE memb___id = 'o''brien'")},
        // characters
        {"New Character", Open<TNewCharacterForm>(QStringLiteral("tamsin")),
         QStringLiteral("NewCharacterName"), Click("Button1"),
         QStringLiteral("SELECT Name FROM Character WHERE Name = ?1 AND AccountID = 'tamsin'")},
        {"Rename Character", Open<TRenameCharForm>(QStringLiteral("quill"), QStringLiteral("Inkblot")),
         QStringLiteral("NewName"), Click("Save"),
         QStringLiteral("SELECT Name FROM Character WHERE Name = ?1 AND AccountID = 'quill'")},
        {"Move Character",
         Open<TMoveCharForm>(QStringLiteral("ember"), QStringLiteral("Ashling")),
         QStringLiteral("NewACC"),
         Click("BitBtn1"),
         QStringLiteral("SELECT AccountID FROM Character WHERE Name = 'Ashling'"),
         {},
         {},
         "TanorOnline",
         {},
         QStringLiteral("lark")},
        // guilds
        {"Edit Guild", Open<TEditGuildForm>({}, {}, QStringLiteral("Lanterns")), QStringLiteral("Notice"),
         Click("Modify"), QStringLiteral("SELECT G_Notice FROM Guild WHERE G_Name = 'Lanterns'")},
        {"Guild Manager", Open<TGuildManagerForm>(), QStringLiteral("GuildName"), Click("BitBtn3"),
         QStringLiteral("SELECT G_Name FROM Guild WHERE G_Name = ?1 AND G_Master = 'Hollow'"),
         Fill({{"GuildMaster", "Hollow"}})},
        // operators
        {"Administration / new", Open<TAdministrationForm>({}, {}, {}, QStringLiteral("admin")),
         QStringLiteral("Edit1"), Click("Button4"),
         QStringLiteral("SELECT mang___id FROM MANG_INFO WHERE mang___id = ?1"),
         Fill({{"Edit2", "Name"}, {"Edit3", "pw"}, {"Edit4", "pw"}}), Operators, "Operators"},
        {"Administration / new", Open<TAdministrationForm>({}, {}, {}, QStringLiteral("admin")),
         QStringLiteral("Edit2"), Click("Button4"),
         QStringLiteral("SELECT mang_name FROM MANG_INFO WHERE mang___id = 'hostile1'"),
         Fill({{"Edit1", "hostile1"}, {"Edit3", "pw"}, {"Edit4", "pw"}}), Operators, "Operators"},
        {"Administration / new", Open<TAdministrationForm>({}, {}, {}, QStringLiteral("admin")),
         QStringLiteral("Edit3,Edit4"), Click("Button4"),
         QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang___id = 'hostile1'"),
         Fill({{"Edit1", "hostile1"}, {"Edit2", "Name"}}), Operators, "Operators"},
        {"Administration / password", Open<TAdministrationForm>({}, {}, {}, QStringLiteral("admin")),
         QStringLiteral("LabeledEdit2,LabeledEdit3"), Click("BitBtn1"),
         QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang___id = 'admin'"),
         Fill({{"LabeledEdit1", "Secret"}}), Operators, "Operators"},
        {"Wizard", Open<TWizardForm>(), QStringLiteral("Edit1"), Finish(),
         QStringLiteral("SELECT mang___id FROM MANG_INFO WHERE mang___id = ?1"), OperatorPage(), NoOperators,
         "Operators"},
        {"Wizard", Open<TWizardForm>(), QStringLiteral("Edit2,Edit3"), Finish(),
         QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang___id = 'hostile1'"),
         OperatorPage({{"Edit1", "hostile1"}}), NoOperators, "Operators"},
        {"Guild Manager",
         Open<TGuildManagerForm>(),
         QStringLiteral("GuildMaster"),
         Click("BitBtn3"),
         QStringLiteral("SELECT G_Master FROM Guild WHERE G_Name = 'Hostiles'"),
         Fill({{"GuildName", "Hostiles"}}),
         {},
         "TanorOnline",
         {},
         QStringLiteral("Hollow")},
    };
    static const bool withSettings = [] {
        for (const std::vector<TextRow>& more : {SettingRows(), CatalogueTextRows()})
            rows.insert(rows.end(), more.begin(), more.end());
        return true;
    }();
    (void)withSettings;
    return rows;
}

Opener Search(int mode) {
    return
        [mode] { return std::unique_ptr<QDialog>(std::make_unique<TSearchForm>(nullptr, SearchMode(mode))); };
}

// The usage log on the demo's logged day.
Opener UsageLog() {
    return [] {
        auto w = std::make_unique<TLOGForm>(Context());
        child<QDateEdit>(w.get(), QStringLiteral("LogDate"))->setDate(QDate(2026, 12, 9));
        return std::unique_ptr<QDialog>(std::move(w));
    };
}

Step Choose(const char* group, int item) {
    return [group, item](QDialog* w) { child<RadioGroup>(w, QLatin1String(group))->SetItemIndex(item); };
}

const std::vector<NumberRow>& NumberRows() {
    const auto editor = [] {
        return Open<TCharacterEditionForm>(QStringLiteral("quill"), QStringLiteral("Inkblot"));
    };
    static std::vector<NumberRow> rows = {
        {"Character Edition", editor(), QStringLiteral("Level"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("FreePoints"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Experience"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Strenght"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Agility"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Vitality"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Energy"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Charisma"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Money"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("MapPosX"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("MapPosY"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("PKCount"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("PKTime"), Click("ModifyButton")},
        {"Character Edition", editor(), QStringLiteral("Reset"), Click("ModifyButton"), true},
        {"Edit Guild", Open<TEditGuildForm>({}, {}, QStringLiteral("Lanterns")), QStringLiteral("Score"),
         Click("Modify")},
        {"Castle Siege", Open<TCastleSiegeForm>({}, {}, {}, QStringLiteral("0")), QStringLiteral("Edit2"),
         Click("BitBtn4")},
        {"Castle Siege",
         Open<TCastleSiegeForm>({}, {}, {}, QStringLiteral("0")),
         QStringLiteral("LabeledEdit1"),
         Edited("LabeledEdit1"),
         false,
         {},
         Registered("Tidecall"),
         false,
         true},
        {"Castle Siege",
         Open<TCastleSiegeForm>({}, {}, {}, QStringLiteral("0")),
         QStringLiteral("NPCLife"),
         Edited("NPCLife"),
         true,
         {},
         Press("Gates", QPoint(120, 120))},
        {"Castle Siege",
         Open<TCastleSiegeForm>({}, {}, {}, QStringLiteral("0")),
         QStringLiteral("SNPCLife"),
         Edited("SNPCLife"),
         true,
         {},
         Press("Statues", QPoint(70, 150))},
        {"Warehouse", Open<TWarehouseForm>(QStringLiteral("kestrel")), QStringLiteral("VisualMoney"),
         Click("AddItem")},
        {"Warehouse", Open<TWarehouseForm>(QStringLiteral("kestrel")), QStringLiteral("VisualPassword"),
         Click("AddItem")},
    };
    static const bool withMore = [] {
        // The property editor of both container windows: its numbers go into
        // the record of the item placed next.
        const std::pair<const char*, Opener> containers[] = {
            {"Inventory", Open<TInventoryForm>(QStringLiteral("quill"), QStringLiteral("Inkblot"))},
            {"Warehouse", Open<TWarehouseForm>(QStringLiteral("kestrel"))},
        };
        for (const auto& [window, open] : containers) {
            rows.push_back({window,
                            open,
                            QStringLiteral("VisualDurability"),
                            PlaceItem(),
                            false,
                            {},
                            {},
                            false,
                            false,
                            Records,
                            QStringLiteral("200")});
            rows.push_back({window,
                            open,
                            QStringLiteral("VisualSerial"),
                            PlaceItem(),
                            false,
                            {},
                            Click("VisualAutoSerial"),
                            false,
                            false,
                            Records,
                            QStringLiteral("0000ABCD")});
        }
        rows.push_back({"Map Server Selection",
                        Open<TMapServerGroupForm>(),
                        QStringLiteral("LabeledEdit1"),
                        Click("OkButton"),
                        false,
                        {},
                        {},
                        true,
                        false,
                        [](QDialog* w) { return w->property("group").toString(); },
                        QStringLiteral("3")});
        rows.push_back({"LOG Manager",
                        UsageLog(),
                        QStringLiteral("Edit2"),
                        Click("BitBtn2"),
                        false,
                        {},
                        Choose("RadioGroup4", 1),
                        true});
        for (const char* column : {"Unique", "Unique2", "x", "y", "SetNumber"})
            rows.push_back({"Item", CatalogueTable("Item"),
                            QStringLiteral("DBGrid1.") + QLatin1String(column), Click("Post")});
        return true;
    }();
    (void)withMore;
    return rows;
}

const std::vector<FilterRow>& FilterRows() {
    static const std::vector<FilterRow> rows = {
        {"Search / accounts", Search(0), QStringLiteral("Search"), Click("SearchButton")},
        {"Search / characters", Search(1), QStringLiteral("Search"), Click("SearchButton")},
        {"Search / guilds", Search(3), QStringLiteral("Search"), Click("SearchButton")},
        {"LOG Manager", UsageLog(), QStringLiteral("Edit1"), Click("BitBtn2"), Choose("RadioGroup1", 1)},
        {"LOG Manager", UsageLog(), QStringLiteral("Edit3"), Click("BitBtn2"), Choose("RadioGroup2", 1)},
        {"LOG Manager", UsageLog(), QStringLiteral("Edit4"), Click("BitBtn2"), Choose("RadioGroup2", 1)},
        {"Administration / password", Open<TAdministrationForm>({}, {}, {}, QStringLiteral("admin")),
         QStringLiteral("LabeledEdit1"), Click("BitBtn1"),
         Fill({{"LabeledEdit2", "New1"}, {"LabeledEdit3", "New1"}}), Operators},
        {"Sign-in", Open<TAuthenticationForm>(), QStringLiteral("AdminID"), Click("Connect"),
         Fill({{"Pass", "Secret"}}), Operators},
        {"Sign-in", Open<TAuthenticationForm>(), QStringLiteral("Pass"), Click("Connect"),
         Fill({{"AdminID", "admin"}}), Operators},
    };
    return rows;
}

std::string Describe(const char* window, const QString& field, const char* what) {
    return std::string(window) + " / " + field.toStdString() + " / " + what;
}

// The window of a row, opened (whatever it says while it loads) and filled.
std::unique_ptr<QDialog> Opened(const Opener& open, const Step& fill) {
    std::unique_ptr<QDialog> w;
    {
        AnyBoxes loading;
        w = open();
    }
    if (fill)
        fill(w.get());
    return w;
}

// One test per row, so a failing field is named on its own and the rows run
// in parallel under CTest.
template <typename Row> std::string RowName(const std::vector<Row>& rows, size_t index) {
    const Row& row = rows[index];
    std::string name = std::to_string(index) + "_" + row.window + "_";
    if constexpr (requires { row.fields; })
        name += row.fields.toStdString();
    else
        name += row.field.toStdString();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class HostileText : public ::testing::TestWithParam<size_t> {};
class HostileNumber : public ::testing::TestWithParam<size_t> {};
class HostileFilter : public ::testing::TestWithParam<size_t> {};

INSTANTIATE_TEST_SUITE_P(Fields, HostileText, ::testing::Range<size_t>(0, TextRows().size()),
                         [](const auto& row) { return RowName(TextRows(), row.param); });
INSTANTIATE_TEST_SUITE_P(Fields, HostileNumber, ::testing::Range<size_t>(0, NumberRows().size()),
                         [](const auto& row) { return RowName(NumberRows(), row.param); });
INSTANTIATE_TEST_SUITE_P(Fields, HostileFilter, ::testing::Range<size_t>(0, FilterRows().size()),
                         [](const auto& row) { return RowName(FilterRows(), row.param); });

TEST_P(HostileText, StoresWhatWasTypedOrRefusesIt) {
    const TextRow& row = TextRows()[GetParam()];
    // The ordinary value goes first: it must be stored, and what the
    // window says then is its word for success, which no refusal may be.
    QStringList success;
    std::vector<Hostile> inputs = {{"ordinary", row.ordinary}};
    inputs.insert(inputs.end(), HostileTexts().begin(), HostileTexts().end());
    for (const Hostile& input : inputs) {
        SCOPED_TRACE(Describe(row.window, row.fields, input.what));
        HostileCase server(row.setup);
        const QString db = server.database(row.database);
        const std::unique_ptr<QDialog> w = Opened(row.open, row.fill);
        const auto stored = [&](const QString& typed) {
            return row.section.isEmpty() ? storedValue(db, row.read, typed)
                                         : ReadSetting(row.section, row.read);
        };
        const QString before = stored(input.text);
        QString shown;
        for (const QString& name : row.fields.split(QLatin1Char(',')))
            shown = Enter(w.get(), name, input.text); // a field's own limit cuts the text
        AnyBoxes boxes;
        StatementJournal::Recorder journal;
        row.save(w.get());
        for (const JournalEntry& e : journal.entries())
            EXPECT_TRUE(e.error.isEmpty()) << e.text.toStdString() << "\n" << e.error.toStdString();
        const QString after = stored(shown);
        if (success.isEmpty()) {
            EXPECT_EQ(after, shown) << "an ordinary value was not stored";
            success = boxes.texts();
            continue;
        }
        if (after == shown)
            continue;
        // Refused: said so in words other than success, and the stored
        // value is the one from before.
        const bool refusal = std::any_of(boxes.texts().begin(), boxes.texts().end(),
                                         [&](const QString& t) { return !success.contains(t); });
        EXPECT_TRUE(refusal) << "stored " << after.toStdString() << " without a word";
        EXPECT_EQ(after, before) << "stored a different value: " << after.toStdString();
    }
}

TEST_P(HostileNumber, RefusesWhatIsNoNumberInRangeAndWritesNothing) {
    const NumberRow& row = NumberRows()[GetParam()];
    // A number in range goes first where the step writes nothing: it
    // must be taken, or the refusals below would prove nothing.
    std::vector<Hostile> inputs = BadNumbers();
    if (row.kept)
        inputs.insert(inputs.begin(), {"in range", row.valid});
    for (const Hostile& input : inputs) {
        if (row.blankKeepsValue && input.text.isEmpty())
            continue;
        SCOPED_TRACE(Describe(row.window, row.field, input.what));
        HostileCase server(row.setup);
        const std::unique_ptr<QDialog> w = Opened(row.open, row.fill);
        // A field whose own limit cuts the text never holds the bad number;
        // one that checks while typed may say so at once.
        {
            AnyBoxes typing;
            if (Enter(w.get(), row.field, input.text) != input.text)
                continue;
        }
        const QString before = row.kept ? row.kept(w.get()) : QString();
        AnyBoxes boxes;
        StatementJournal::Recorder journal;
        row.save(w.get());
        if (row.kept && input.text == row.valid) {
            EXPECT_NE(row.kept(w.get()), before) << "a number in range was not taken";
            continue;
        }
        if (row.kept) {
            EXPECT_EQ(row.kept(w.get()), before) << "taken anyway";
        }
        for (const JournalEntry& e : journal.entries())
            EXPECT_FALSE(row.readsOnly || Writes(e.text)) << "sent: " << e.text.toStdString();
        if (!row.silent) {
            EXPECT_FALSE(boxes.texts().isEmpty()) << "refused without a word";
        }
    }
}

TEST_P(HostileFilter, RunsWhateverIsTypedWithoutAnError) {
    const FilterRow& row = FilterRows()[GetParam()];
    for (const Hostile& input : HostileTexts()) {
        SCOPED_TRACE(Describe(row.window, row.field, input.what));
        HostileCase server(row.setup);
        const std::unique_ptr<QDialog> w = Opened(row.open, row.fill);
        Enter(w.get(), row.field, input.text);
        AnyBoxes boxes;
        StatementJournal::Recorder journal;
        row.run(w.get());
        for (const JournalEntry& e : journal.entries()) {
            EXPECT_TRUE(e.error.isEmpty()) << e.text.toStdString() << "\n" << e.error.toStdString();
            EXPECT_FALSE(Writes(e.text)) << "sent: " << e.text.toStdString();
        }
        // Either the filter was run or it was refused with a word.
        EXPECT_TRUE(!journal.entries().empty() || !boxes.texts().isEmpty());
    }
}

} // namespace
