#pragma once

#include "app/MainWindows.h"
#include "widgets/MainIcons.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QVBoxLayout;
class QToolButton;
class TrayIcon;

// The main window: runs the start-up sequence, then serves as a small
// launcher of every editor with the account, character and guild lists, two
// bars of further commands, the server counters and the tray icon.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The start-up sequence: operator table test, wizard, connection dialog,
    // sign-in, lists, counters and their timer. The program entry runs it
    // right after creating the window, before showing it.
    void Auth2();

    // Replaces how one window is created; an empty factory disables the
    // commands that open it.
    void SetWindowFactory(MainWindow window, ModalOpener::Factory factory);

    // Handlers. They throw on a database error; the controls reach them
    // through the guard, which shows the general error box.
    void AccountChange();
    void CharacterChange();
    void ReloadAccount();
    void AddAccountClick();
    void DeleteAccountClick();
    void EditAccountClick();
    void WarehouseClick();
    void FindClick();
    void SpeedButton7Click();
    void AddCharacterClick();
    void DeleteCharacterClick();
    void EditCharacterClick();
    void EditInventoryClick();
    void FriendsClick();
    void AddGuildClick();
    void DeleteGuildClick();
    void EditGuildClick();
    void SpeedButton11Click();
    void SpeedButton6Click();
    void SpeedButton5Click();
    void SpeedButton10Click();
    void RankingClick();
    void ViewGM1Click();
    void WipeItems1Click();
    void ConvertItems1Click();
    void FindItemsClick();
    void RestoreUndo1Click();
    void EditItem1Click();
    void EditSkills1Click();
    void OptionButtonClick();
    void RankingOptionsClick();
    void SpeedButton9Click();
    void SpeedButton2Click();
    void ShowVornTanorEditor1Click();
    void StaticText1Click();
    void About1Click();
    void SQLConnection1Click();
    // One tick of the counters; shows its own failure (a tick has no caller).
    void ServerInfoTimer();

    [[nodiscard]] QTimer* ServerInfo() const { return m_serverInfo; }
    [[nodiscard]] QMenu* OptionsPopUp() const { return m_optionsPopUp; }
    [[nodiscard]] QMenu* TrayMess() const { return m_trayMess; }

Q_SIGNALS:
    // The window closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A press on the panels or their labels moves the frameless window.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildTitleBar();
    void buildAccountPanel();
    void buildCharacterPanel();
    void buildGuildPanel();
    void buildOptionsBar();
    void buildAdditionalBar();
    void buildServerPanel();
    void buildMenus();
    // A panel of the given height, added below the panels made before it.
    QFrame* makePanel(const QString& name, int height);
    QLabel* makeTitle(QWidget* panel, const QString& name, const QString& text, const QColor& colour,
                      bool bold = true);
    QToolButton* makeButton(QWidget* panel, const QString& name, const QString& hint, Glyph glyph,
                            const QColor& colour);
    // Connects a command to its handler through the guard and records which
    // windows it needs, so it is disabled while one of them does not exist.
    void bindCommand(QToolButton* button, void (TMainForm::*handler)(), std::vector<MainWindow> needs = {});
    void bindCommand(QAction* action, void (TMainForm::*handler)(), std::vector<MainWindow> needs = {});
    void refreshCommands();

    void startUp();
    // Start-up steps 8 to 12: the lists, the counters once, the timer.
    void loadLists();
    void updateCounters();
    void Auth();
    void fillGuilds();
    // False (after saying so) when no guild is chosen.
    bool guildChosen();
    void fillCharactersOf(const QString& account);
    // Opens a window modally (hiding this one unless told otherwise);
    // returns its result, or Rejected when the window does not exist.
    int openWindow(MainWindow window, bool hideMain = true);
    // Lays the panels out again after one was shown or hidden.
    void relayout();

    QVBoxLayout* m_panels = nullptr;
    QFrame* m_panel1 = nullptr; // title bar
    QFrame* m_panel2 = nullptr; // account panel
    QFrame* m_panel3 = nullptr; // character panel
    QFrame* m_panel4 = nullptr; // guild panel
    QFrame* m_panel5 = nullptr; // options bar
    QFrame* m_panel6 = nullptr; // additional bar
    QFrame* m_panel7 = nullptr; // server information
    QLabel* m_label4 = nullptr;
    QLabel* m_label11 = nullptr;
    QLabel* m_label12 = nullptr;
    QLabel* m_label13 = nullptr;
    QComboBox* m_account = nullptr;
    QComboBox* m_character = nullptr;
    QComboBox* m_guild = nullptr;
    QToolButton* m_optionButton = nullptr;
    QToolButton* m_addCharacter = nullptr;
    QToolButton* m_deleteAccount = nullptr;
    QToolButton* m_editAccount = nullptr;
    QToolButton* m_warehouse = nullptr;
    QToolButton* m_deleteCharacter = nullptr;
    QToolButton* m_editCharacter = nullptr;
    QToolButton* m_editInventory = nullptr;
    QToolButton* m_friends = nullptr;
    QToolButton* m_rankingOptions = nullptr;
    QToolButton* m_speedButton3 = nullptr;
    QMenu* m_optionsPopUp = nullptr;
    QMenu* m_trayMess = nullptr;
    QTimer* m_serverInfo = nullptr;
    TrayIcon* m_tray = nullptr;

    struct Command {
        std::function<void(bool)> setEnabled;
        std::vector<MainWindow> needs;
    };
    std::vector<Command> m_commands;
    std::array<ModalOpener::Factory, kMainWindowCount> m_factories;

    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_countersRunning = false;
};
