// tanor-shots: pictures every window of the editor on a throw-away demo
// server, as PNG files at 100% scale.
//
//   tanor-shots [folder] [name...]
//
// The folder defaults to docs/screenshots of the source tree; names restrict
// the run to those pictures ("inventory", "main-window"...). The program
// starts as the editor does on a first run (wizard, connection dialog,
// sign-in), then opens each window through the main window's own command,
// shown without a modal loop, lets it lay itself out, grabs it and closes it.
// A message box the design does not expect, a control that is missing or a
// window that never opened is reported, and the exit code is 1.
#include "app/Application.h"
#include "app/MainUnit.h"
#include "app/MainWindows.h"
#include "core/AppState.h"
#include "platform/AppPaths.h"
#include "platform/ConnectionPool.h"
#include "tools/DemoBuilder.h"
#include "widgets/Dialogs.h"
#include "widgets/ModalOpener.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Drive = std::function<void(QWidget*)>;

// The connection dialog reminds of the data sources each time it opens.
constexpr const char* kReminder = "Remember To Complete the Fields with the DNS of the Databases";

template <class T> T* control(QWidget* root, const char* name) {
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name + " in " +
                                 root->metaObject()->className());
    return found;
}

// ---- what the operator does in a window

Drive click(const char* name) {
    return [name](QWidget* w) { control<QAbstractButton>(w, name)->click(); };
}
Drive type(const char* name, const char* text) {
    return [name, text](QWidget* w) { control<QLineEdit>(w, name)->setText(QString::fromUtf8(text)); };
}
Drive page(const char* tabs, int index) {
    return [tabs, index](QWidget* w) { control<QTabWidget>(w, tabs)->setCurrentIndex(index); };
}
// Chooses an entry of a drop-down list as the operator does.
Drive pick(const char* list, int index) {
    return [list, index](QWidget* w) {
        auto* box = control<QComboBox>(w, list);
        if (index >= box->count())
            throw std::runtime_error(std::string("the list ") + list + " has no entry " +
                                     std::to_string(index));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    };
}
// Clicks an entry of a list.
Drive row(const char* list, int index) {
    return [list, index](QWidget* w) {
        auto* box = control<QListWidget>(w, list);
        QListWidgetItem* item = box->item(index);
        if (!item)
            throw std::runtime_error(std::string("the list ") + list + " has no entry " +
                                     std::to_string(index));
        box->setCurrentItem(item);
        Q_EMIT box->itemClicked(item);
    };
}
// Clicks the first button of a group of choices.
Drive firstChoice(const char* group) {
    return [group](QWidget* w) {
        const auto buttons = control<QWidget>(w, group)->findChildren<QAbstractButton*>();
        if (buttons.isEmpty())
            throw std::runtime_error(std::string("the group ") + group + " has no choice");
        buttons.front()->click();
    };
}
Drive steps(std::vector<Drive> all) {
    return [all = std::move(all)](QWidget* w) {
        for (const Drive& d : all)
            d(w);
    };
}

// Lets pending layouts, timers set to zero and queued calls run.
void settle() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QEventLoop wait;
        QTimer::singleShot(40, &wait, &QEventLoop::quit);
        wait.exec();
    }
}

// The offscreen platform says at every window what it does not support
// (size hints, raising); everything else Qt says is passed through.
QtMessageHandler g_qtMessages = nullptr;
void filterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        g_qtMessages(type, context, text);
}

// Hands message boxes to a handler while it lives; afterwards boxes and
// modal windows are the program's own again, however the run ends.
class Seams {
public:
    explicit Seams(Dialogs::Handler* boxes) : m_boxes(Dialogs::SetHandler(boxes)) {}
    ~Seams() {
        ModalOpener::SetHook({});
        Dialogs::SetHandler(m_boxes);
    }
    Seams(const Seams&) = delete;
    Seams& operator=(const Seams&) = delete;

private:
    Dialogs::Handler* m_boxes;
};

// One picture: how its window is reached and what it shows.
struct Shot {
    const char* file;
    // What opens the window: a command of the main window; empty: the main
    // window itself is pictured.
    std::function<void(TMainForm&)> open = {};
    // The account and character chosen in the main window first.
    const char* account = "bramble";
    const char* character = "Thornback";
    // Windows opened on the way, before the pictured one: what leads on from
    // each (it is closed afterwards if still open).
    std::vector<Drive> route = {};
    // Brings the pictured window into the state shown.
    Drive arrange = {};
    // How the pictured window is left; default: closed.
    Drive leave = {};
    // The one box the window shows by design while it opens.
    const char* box = nullptr;
};

// Takes the pictures of one run and records what went wrong.
class Photographer final : public Dialogs::Handler {
public:
    Photographer(TMainForm& main, QString folder) : m_main(main), m_folder(std::move(folder)) {}

    // Boxes the design shows are answered with OK; any other is a fault of
    // the demo's state (or of the window), answered with Cancel.
    bool show(const Dialogs::Box& box) override {
        if (m_allowed.contains(box.text))
            return true;
        fail(QStringLiteral("a box \"%1\" appeared").arg(box.text));
        return false;
    }
    void allow(const QStringList& texts) { m_allowed = texts; }

    void take(const Shot& shot) {
        m_shot = &shot;
        m_allowed = shot.box ? QStringList{QString::fromUtf8(shot.box)} : QStringList{};
        m_windows = 0;
        m_taken = false;
        try {
            if (!shot.open) {
                picture(&m_main);
            } else {
                choose(shot.account, shot.character);
                shot.open(m_main);
                if (!m_taken)
                    fail(QStringLiteral("the window never opened"));
            }
        } catch (const std::exception& e) {
            fail(QString::fromUtf8(e.what()));
        }
        m_shot = nullptr;
    }

    // The modal step of every window the editor opens.
    void opened(QDialog* window) {
        const int index = m_windows++;
        try {
            if (!m_shot) {
                throw std::runtime_error(std::string("unexpected window ") +
                                         window->metaObject()->className());
            } else if (index < int(m_shot->route.size())) {
                window->show();
                settle();
                m_shot->route[size_t(index)](window);
            } else if (index == int(m_shot->route.size())) {
                picture(window);
            }
        } catch (const std::exception& e) {
            fail(QString::fromUtf8(e.what()));
        }
        if (window->isVisible())
            window->reject();
    }

    [[nodiscard]] const QStringList& failures() const { return m_failures; }

private:
    void choose(const char* account, const char* character) {
        auto* accounts = control<QComboBox>(&m_main, "Account");
        accounts->setCurrentIndex(accounts->findText(QString::fromUtf8(account)));
        m_main.AccountChange();
        auto* characters = control<QComboBox>(&m_main, "Character");
        characters->setCurrentIndex(characters->findText(QString::fromUtf8(character)));
        m_main.CharacterChange();
        if (accounts->currentText() != QString::fromUtf8(account) ||
            characters->currentText() != QString::fromUtf8(character))
            throw std::runtime_error(std::string("the demo has no character ") + character + " of " +
                                     account);
    }

    void picture(QWidget* window) {
        window->show();
        settle();
        if (m_shot->arrange) {
            m_shot->arrange(window);
            settle();
        }
        const QString file =
            QDir(m_folder).filePath(QString::fromUtf8(m_shot->file) + QStringLiteral(".png"));
        const QPixmap pixmap = window->grab();
        if (!pixmap.save(file, "PNG"))
            throw std::runtime_error("cannot write " + file.toStdString());
        m_taken = true;
        std::printf("%-24s %4d x %-4d %s\n", m_shot->file, pixmap.width(), pixmap.height(),
                    window->metaObject()->className());
        if (m_shot->leave)
            m_shot->leave(window);
    }

    void fail(const QString& what) {
        m_failures << QString::fromUtf8(m_shot ? m_shot->file : "start-up") + QStringLiteral(": ") + what;
    }

    TMainForm& m_main;
    QString m_folder;
    const Shot* m_shot = nullptr;
    int m_windows = 0;
    bool m_taken = false;
    QStringList m_allowed;
    QStringList m_failures;
};

// The first run on the demo, as an operator goes through it: the wizard
// puts the operator table into the game database and creates "admin", the
// connection dialog keeps the demo's data sources, "admin" signs in.
void startUp(TMainForm& main) {
    const Drive finishWizard =
        steps({click("Next"),
               [](QWidget* w) {
                   control<QComboBox>(w, "ComboBox1")->setCurrentText(QStringLiteral("TanorOnline"));
               },
               click("Next"), type("Edit1", "admin"), type("Edit2", "admin"), type("Edit3", "admin"),
               click("Next"), click("Next")});
    const Drive signIn = steps({type("AdminID", "admin"), type("Pass", "admin"), click("Connect")});
    std::vector<Drive> windows = {finishWizard, click("BitBtn1"), signIn};
    size_t next = 0;
    const ModalOpener::Hook previous = ModalOpener::SetHook([&](QDialog* window) {
        if (next < windows.size())
            windows[next++](window);
        if (window->isVisible())
            window->reject();
    });
    main.Auth2();
    ModalOpener::SetHook(previous);
    if (next != windows.size() || AppState.OperatorSignedIn != 1)
        throw std::runtime_error("the first run on the demo did not end signed in");
}

// Opens a window through the program's table of windows, as the start-up
// does for the wizard and the sign-in.
std::function<void(TMainForm&)> window(MainWindow which) {
    return [which](TMainForm& main) { ModalOpener::Open(&main, MainWindowFactory(which)); };
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    QApplication app(argc, argv);
    g_qtMessages = qInstallMessageHandler(filterQtMessages);
    const ConnectionPoolScope pool;
    SetUpApplication();

    QStringList args = QCoreApplication::arguments().mid(1);
    const QString folder =
        args.isEmpty() ? QStringLiteral(TANOR_SOURCE_DIR "/docs/screenshots") : args.takeFirst();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "tanor-shots: cannot create %s\n", qPrintable(folder));
        return 2;
    }

    // A throw-away editor folder: the demo databases, the catalogue, the
    // demo's settings and data sources in a private odbc.ini.
    QTemporaryDir editor;
    AppPaths::SetOverride(editor.path());
    qputenv("ODBCINI", QDir(editor.path()).filePath(QStringLiteral("odbc.ini")).toLocal8Bit());
    DemoBuilder::PrepareDemo(editor.path(), QStringLiteral(TANOR_SOURCE_DIR "/resources"));
    DemoBuilder::UseDemoDataSources(editor.path());

    using M = TMainForm;
    const Drive mapGroup = steps({type("LabeledEdit1", "0"), click("OkButton")});
    const std::vector<Shot> shots = {
        {.file = "main-window"},
        {.file = "main-window-bars",
         .arrange = steps({click("OptionButton"), click("RankingOptions"), click("SpeedButton9")}),
         .leave = steps({click("SpeedButton8"), click("SpeedButton3"), click("SpeedButton9")})},
        {.file = "wizard", .open = window(MainWindow::Wizard)},
        {.file = "connection-dialog", .open = &M::SQLConnection1Click, .box = kReminder},
        {.file = "sign-in", .open = window(MainWindow::Authentication), .arrange = type("AdminID", "admin")},
        {.file = "administration", .open = &M::SpeedButton6Click},
        {.file = "search",
         .open = &M::FindClick,
         .arrange = steps({type("Search", "th"), click("SearchButton")})},
        {.file = "create-account", .open = &M::AddAccountClick},
        {.file = "modify-account", .open = &M::EditAccountClick},
        {.file = "warehouse", .open = &M::WarehouseClick, .account = "vesper", .character = "Nightjar"},
        {.file = "new-character", .open = &M::AddCharacterClick},
        {.file = "character-edition", .open = &M::EditCharacterClick},
        {.file = "skill-editor", .open = &M::EditCharacterClick, .route = {click("SkillButton")}},
        // A guild member can be neither moved nor renamed.
        {.file = "move-character",
         .open = &M::EditCharacterClick,
         .account = "quill",
         .character = "Inkblot",
         .route = {click("Movechr")}},
        {.file = "rename-character",
         .open = &M::EditCharacterClick,
         .account = "quill",
         .character = "Inkblot",
         .route = {click("Rename")}},
        {.file = "inventory", .open = &M::EditInventoryClick},
        // Nightjar has items for sale in the personal shop.
        {.file = "personal-shop",
         .open = &M::EditInventoryClick,
         .account = "vesper",
         .character = "Nightjar",
         .arrange = page("PageControl1", 1)},
        {.file = "friend-manager",
         .open = &M::FriendsClick,
         .account = "kestrel",
         .character = "Kaelin",
         .arrange = pick("MeMoList", 0)},
        {.file = "create-guild",
         .open = &M::AddGuildClick,
         .arrange = steps({type("GuildName", "Wardens"), type("GuildMaster", "Hollow")})},
        {.file = "edit-guild", .open = &M::EditGuildClick, .arrange = row("GuildMember", 0)},
        {.file = "map-server-group", .open = &M::SpeedButton11Click, .leave = mapGroup},
        {.file = "castle-siege-gates", .open = &M::SpeedButton11Click, .route = {mapGroup}},
        {.file = "castle-siege-statues",
         .open = &M::SpeedButton11Click,
         .route = {mapGroup},
         .arrange = page("NPCPages", 1)},
        {.file = "usage-log", .open = &M::SpeedButton5Click},
        {.file = "usage-log-chart", .open = &M::SpeedButton5Click, .arrange = click("View")},
        {.file = "usage-log-table", .open = &M::SpeedButton5Click, .arrange = click("BitBtn2")},
        {.file = "ranking",
         .open = &M::RankingClick,
         .arrange = steps({firstChoice("Group"), row("Res", 0)})},
        {.file = "connected-users", .open = &M::SpeedButton10Click, .arrange = row("AccCT", 0)},
        {.file = "game-masters", .open = &M::ViewGM1Click, .arrange = row("GMlist", 0)},
        {.file = "wipe", .open = &M::WipeItems1Click},
        {.file = "item-convertor", .open = &M::ConvertItems1Click},
        {.file = "find-items",
         .open = &M::FindItemsClick,
         .arrange = steps({type("NameContains", "sword"), click("FindButton")})},
        {.file = "find-items-duplicates",
         .open = &M::FindItemsClick,
         .arrange = steps({page("Pages", 1), click("FindDuplicates")})},
        {.file = "find-items-check",
         .open = &M::FindItemsClick,
         .arrange = steps({page("Pages", 2), click("RunCheck")})},
        {.file = "catalogue-item", .open = &M::EditItem1Click},
        {.file = "catalogue-skill", .open = &M::EditSkills1Click},
        {.file = "about", .open = &M::About1Click},
    };

    for (const QString& name : args) {
        if (std::none_of(shots.begin(), shots.end(),
                         [&](const Shot& s) { return name == QLatin1String(s.file); })) {
            std::fprintf(stderr, "tanor-shots: no picture is named %s\n", qPrintable(name));
            return 2;
        }
    }

    TMainForm main;
    Photographer photographer(main, folder);
    const Seams seams(&photographer);
    try {
        photographer.allow({QString::fromUtf8(kReminder), QStringLiteral("SQL Connection Updated")});
        startUp(main);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tanor-shots: %s\n", e.what());
        return 1;
    }
    ModalOpener::SetHook([&](QDialog* opened) { photographer.opened(opened); });
    for (const Shot& shot : shots) {
        if (args.isEmpty() || args.contains(QString::fromUtf8(shot.file)))
            photographer.take(shot);
    }
    main.close();
    for (const QString& failure : photographer.failures())
        std::fprintf(stderr, "tanor-shots: %s\n", qPrintable(failure));
    return photographer.failures().isEmpty() ? 0 : 1;
}
