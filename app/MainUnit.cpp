#include "app/MainUnit.h"
#include "app/OperatorStore.h"
#include "app/ShellOps.h"
#include "containers/RestoreUndo.h"

#include "core/UtilitiesUnit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/TrayIcon.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kWidth = 193;
constexpr int kBarHeight = 33;
const QString kTitle = QStringLiteral("Vorn TanorEditor");

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlue(0x00, 0x00, 0xff);
const QColor kRed(0xff, 0x00, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kPurple(0x80, 0x00, 0x80);

// Chooses the item whose text matches (as the server compares names: case
// aside); nothing when there is none.
void Choose(QComboBox* list, const QString& text) {
    list->setCurrentIndex(text.isEmpty() ? -1 : list->findText(text, Qt::MatchFixedString));
}

void Fill(QComboBox* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
}

bool Chosen(const QComboBox* list) {
    return list->currentIndex() >= 0;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kTitle);
    for (int i = 0; i < kMainWindowCount; ++i)
        m_factories[size_t(i)] = MainWindowFactory(MainWindow(i));

    // The panels stack without gaps in this order; a hidden panel takes no
    // room and the window is always exactly as tall as the panels shown.
    m_panels = new QVBoxLayout(this);
    m_panels->setContentsMargins(0, 0, 0, 0);
    m_panels->setSpacing(0);
    m_panels->setSizeConstraint(QLayout::SetFixedSize);
    buildTitleBar();
    buildOptionsBar();
    buildAdditionalBar();
    buildAccountPanel();
    buildCharacterPanel();
    buildGuildPanel();
    buildServerPanel();
    buildMenus();
    refreshCommands();

    m_serverInfo = new QTimer(this);
    m_serverInfo->setObjectName(QStringLiteral("ServerInfo"));
    m_serverInfo->setInterval(1000);
    connect(m_serverInfo, &QTimer::timeout, this, [this] { ServerInfoTimer(); });

    m_tray = new TrayIcon(this, m_trayMess);
    connect(m_tray, &TrayIcon::restoreRequested, this,
            Guarded(this, [this] { ShowVornTanorEditor1Click(); }));

    relayout();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMainForm::~TMainForm() = default;

// ------------------------------------------------------------------ building

QFrame* TMainForm::makePanel(const QString& name, int height) {
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setFixedSize(kWidth, height);
    m_panels->addWidget(panel);
    return panel;
}

QLabel* TMainForm::makeTitle(QWidget* panel, const QString& name, const QString& text, const QColor& colour,
                             bool bold) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QToolButton* TMainForm::makeButton(QWidget* panel, const QString& name, const QString& hint, Glyph glyph,
                                   const QColor& colour) {
    auto* button = new QToolButton(panel);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(GlyphIcon(glyph, colour));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(24, 24);
    return button;
}

void TMainForm::buildTitleBar() {
    m_panel1 = makePanel(QStringLiteral("Panel1"), 25);
    auto* row = new QHBoxLayout(m_panel1);
    row->setContentsMargins(4, 0, 0, 0);
    row->setSpacing(0);
    m_label4 = makeTitle(m_panel1, QStringLiteral("Label4"), QStringLiteral("Vorn TanorEditor V1.5"), kNavy);
    QFont small = m_label4->font();
    small.setPixelSize(11);
    small.setLetterSpacing(QFont::PercentageSpacing, 95);
    m_label4->setFont(small);
    row->addWidget(m_label4);
    row->addStretch();
    m_optionButton = makeButton(m_panel1, QStringLiteral("OptionButton"),
                                QStringLiteral("Display Additional Options"), Glyph::ChevronDown, kNavy);
    auto* minimise = makeButton(m_panel1, QStringLiteral("SpeedButton2"),
                                QStringLiteral("Minimize Vorn TanorEditor"), Glyph::Minimize, kNavy);
    auto* close = makeButton(m_panel1, QStringLiteral("SpeedButton1"),
                             QStringLiteral("Close Vorn TanorEditor"), Glyph::Close, kNavy);
    for (QToolButton* b : {m_optionButton, minimise, close}) {
        b->setFixedSize(19, 21);
        b->setIconSize(QSize(14, 14));
        row->addWidget(b);
    }
    bindCommand(m_optionButton, &TMainForm::OptionButtonClick);
    bindCommand(minimise, &TMainForm::SpeedButton2Click);
    bindCommand(close, &TMainForm::StaticText1Click);
}

void TMainForm::buildAccountPanel() {
    m_panel2 = makePanel(QStringLiteral("Panel2"), 96);
    auto* column = new QVBoxLayout(m_panel2);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    column->addWidget(makeTitle(m_panel2, QStringLiteral("Label1"), QStringLiteral("Account Panel"), kGreen));
    m_account = new QComboBox(m_panel2);
    m_account->setObjectName(QStringLiteral("Account"));
    column->addWidget(m_account);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    auto* find = makeButton(m_panel2, QStringLiteral("Find"), QStringLiteral("Find..."), Glyph::Find, kGreen);
    auto* add = makeButton(m_panel2, QStringLiteral("AddAccount"), QStringLiteral("Add New Account"),
                           Glyph::Add, kGreen);
    m_deleteAccount = makeButton(m_panel2, QStringLiteral("DeleteAccount"),
                                 QStringLiteral("Delete Current Account"), Glyph::Delete, kGreen);
    m_editAccount = makeButton(m_panel2, QStringLiteral("EditAccount"),
                               QStringLiteral("Edit Current Account"), Glyph::Edit, kGreen);
    m_warehouse = makeButton(m_panel2, QStringLiteral("Warehouse"), QStringLiteral("Edit Warehouse"),
                             Glyph::Chest, kGreen);
    auto* reload =
        makeButton(m_panel2, QStringLiteral("SpeedButton7"),
                   QStringLiteral("Reload Accounts, Characters and Guilds"), Glyph::Reload, kGreen);
    for (QToolButton* b : {find, add, m_deleteAccount, m_editAccount, m_warehouse, reload})
        row->addWidget(b);
    row->addStretch();
    column->addLayout(row);
    column->addStretch();

    connect(m_account, &QComboBox::activated, this, Guarded(this, [this] { AccountChange(); }));
    bindCommand(find, &TMainForm::FindClick, {MainWindow::Search});
    bindCommand(add, &TMainForm::AddAccountClick, {MainWindow::CreateAccount});
    bindCommand(m_deleteAccount, &TMainForm::DeleteAccountClick);
    bindCommand(m_editAccount, &TMainForm::EditAccountClick, {MainWindow::ModifyAccount});
    bindCommand(m_warehouse, &TMainForm::WarehouseClick, {MainWindow::Warehouse});
    bindCommand(reload, &TMainForm::SpeedButton7Click);
}

void TMainForm::buildCharacterPanel() {
    m_panel3 = makePanel(QStringLiteral("Panel3"), 96);
    auto* column = new QVBoxLayout(m_panel3);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    column->addWidget(
        makeTitle(m_panel3, QStringLiteral("Label2"), QStringLiteral("Character Panel"), kBlue));
    m_character = new QComboBox(m_panel3);
    m_character->setObjectName(QStringLiteral("Character"));
    m_character->setMaxVisibleItems(12);
    column->addWidget(m_character);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    m_addCharacter = makeButton(m_panel3, QStringLiteral("AddCharacter"), QStringLiteral("Add New Character"),
                                Glyph::Add, kBlue);
    m_deleteCharacter = makeButton(m_panel3, QStringLiteral("DeleteCharacter"),
                                   QStringLiteral("Delete Current Character"), Glyph::Delete, kBlue);
    m_editCharacter = makeButton(m_panel3, QStringLiteral("EditCharacter"),
                                 QStringLiteral("Edit Current Character"), Glyph::Edit, kBlue);
    m_editInventory = makeButton(m_panel3, QStringLiteral("EditInventory"),
                                 QStringLiteral("Edit Inventory/PersonalShop"), Glyph::Bag, kBlue);
    m_friends = makeButton(m_panel3, QStringLiteral("Friends"), QStringLiteral("Edit Friends"),
                           Glyph::Friends, kBlue);
    for (QToolButton* b : {m_addCharacter, m_deleteCharacter, m_editCharacter, m_editInventory, m_friends})
        row->addWidget(b);
    row->addStretch();
    column->addLayout(row);
    column->addStretch();

    connect(m_character, &QComboBox::activated, this, Guarded(this, [this] { CharacterChange(); }));
    bindCommand(m_addCharacter, &TMainForm::AddCharacterClick, {MainWindow::NewCharacter});
    bindCommand(m_deleteCharacter, &TMainForm::DeleteCharacterClick);
    bindCommand(m_editCharacter, &TMainForm::EditCharacterClick, {MainWindow::CharacterEdition});
    bindCommand(m_editInventory, &TMainForm::EditInventoryClick, {MainWindow::Inventory});
    bindCommand(m_friends, &TMainForm::FriendsClick, {MainWindow::FriendManager});
}

void TMainForm::buildGuildPanel() {
    m_panel4 = makePanel(QStringLiteral("Panel4"), 104);
    auto* column = new QVBoxLayout(m_panel4);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    column->addWidget(makeTitle(m_panel4, QStringLiteral("Label3"), QStringLiteral("Guild Panel"), kRed));
    m_guild = new QComboBox(m_panel4);
    m_guild->setObjectName(QStringLiteral("Guild"));
    m_guild->setMaxVisibleItems(12);
    column->addWidget(m_guild);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    auto* add =
        makeButton(m_panel4, QStringLiteral("AddGuild"), QStringLiteral("Add New Guild"), Glyph::Add, kRed);
    auto* remove = makeButton(m_panel4, QStringLiteral("DeleteGuild"), QStringLiteral("Delete Current Guild"),
                              Glyph::Delete, kRed);
    auto* edit = makeButton(m_panel4, QStringLiteral("EditGuild"), QStringLiteral("Edit Current Guild"),
                            Glyph::Edit, kRed);
    for (QToolButton* b : {add, remove, edit})
        row->addWidget(b);
    row->addStretch();
    column->addLayout(row);
    column->addStretch();

    bindCommand(add, &TMainForm::AddGuildClick, {MainWindow::GuildManager});
    bindCommand(remove, &TMainForm::DeleteGuildClick);
    bindCommand(edit, &TMainForm::EditGuildClick, {MainWindow::EditGuild});
}

void TMainForm::buildOptionsBar() {
    m_panel5 = makePanel(QStringLiteral("Panel5"), kBarHeight);
    m_panel5->hide();
    auto* row = new QHBoxLayout(m_panel5);
    row->setContentsMargins(5, 2, 3, 2);
    row->setSpacing(0);
    row->addWidget(makeTitle(m_panel5, QStringLiteral("Label5"), QStringLiteral("Options"), kTeal, false));
    row->addStretch();
    m_rankingOptions = makeButton(m_panel5, QStringLiteral("RankingOptions"),
                                  QStringLiteral("Ranking and others Options"), Glyph::ChevronDown, kTeal);
    auto* admin = makeButton(m_panel5, QStringLiteral("SpeedButton6"), QStringLiteral("Administration Panel"),
                             Glyph::Key, kTeal);
    auto* log = makeButton(m_panel5, QStringLiteral("SpeedButton5"), QStringLiteral("Connect LOG Manager"),
                           Glyph::Log, kTeal);
    auto* findItems = makeButton(m_panel5, QStringLiteral("FindItems"), QStringLiteral("Find Items..."),
                                 Glyph::Find, kTeal);
    auto* menu = makeButton(m_panel5, QStringLiteral("SpeedButton4"), QStringLiteral("Aditional Options"),
                            Glyph::Menu, kTeal);
    m_speedButton3 = makeButton(m_panel5, QStringLiteral("SpeedButton3"),
                                QStringLiteral("Close Aditional Options Panel"), Glyph::ChevronUp, kTeal);
    for (QToolButton* b : {m_rankingOptions, findItems, admin, log, menu, m_speedButton3})
        row->addWidget(b);

    bindCommand(m_rankingOptions, &TMainForm::RankingOptionsClick);
    bindCommand(admin, &TMainForm::SpeedButton6Click, {MainWindow::Administration});
    bindCommand(log, &TMainForm::SpeedButton5Click, {MainWindow::Log});
    bindCommand(findItems, &TMainForm::FindItemsClick, {MainWindow::FindItems});
    bindCommand(m_speedButton3, &TMainForm::OptionButtonClick);
    // The options menu opens at the mouse, from a click and from the
    // button's own context menu alike.
    menu->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(menu, &QToolButton::clicked, this, [this] { m_optionsPopUp->popup(QCursor::pos()); });
    connect(menu, &QToolButton::customContextMenuRequested, this,
            [this] { m_optionsPopUp->popup(QCursor::pos()); });
}

void TMainForm::buildAdditionalBar() {
    m_panel6 = makePanel(QStringLiteral("Panel6"), kBarHeight);
    m_panel6->hide();
    auto* row = new QHBoxLayout(m_panel6);
    row->setContentsMargins(5, 2, 3, 2);
    row->setSpacing(0);
    row->addWidget(
        makeTitle(m_panel6, QStringLiteral("Label6"), QStringLiteral("Additional"), kPurple, false));
    row->addStretch();
    auto* castle = makeButton(m_panel6, QStringLiteral("SpeedButton11"),
                              QStringLiteral("Show Server Information"), Glyph::Castle, kPurple);
    auto* info = makeButton(m_panel6, QStringLiteral("SpeedButton9"),
                            QStringLiteral("Show Server Information"), Glyph::Info, kPurple);
    auto* users = makeButton(m_panel6, QStringLiteral("SpeedButton10"),
                             QStringLiteral("Show Connected Users"), Glyph::Users, kPurple);
    auto* ranking =
        makeButton(m_panel6, QStringLiteral("Ranking"), QStringLiteral("Ranking"), Glyph::Chart, kPurple);
    auto* close =
        makeButton(m_panel6, QStringLiteral("SpeedButton8"),
                   QStringLiteral("Close Ranking and Connection Options Panel"), Glyph::ChevronUp, kPurple);
    for (QToolButton* b : {castle, info, users, ranking, close})
        row->addWidget(b);

    bindCommand(castle, &TMainForm::SpeedButton11Click,
                {MainWindow::MapServerGroup, MainWindow::CastleSiege});
    bindCommand(info, &TMainForm::SpeedButton9Click);
    bindCommand(users, &TMainForm::SpeedButton10Click, {MainWindow::Join});
    bindCommand(ranking, &TMainForm::RankingClick, {MainWindow::Ranking});
    bindCommand(close, &TMainForm::RankingOptionsClick);
}

void TMainForm::buildServerPanel() {
    m_panel7 = makePanel(QStringLiteral("Panel7"), 88);
    m_panel7->hide();
    auto* grid = new QGridLayout(m_panel7);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(2);
    grid->addWidget(
        makeTitle(m_panel7, QStringLiteral("Label7"), QStringLiteral("Server Information"), kPurple), 0, 0, 1,
        2);
    const char* captions[] = {"Accounts:", "Guilds:", "Connected:"};
    QLabel** values[] = {&m_label11, &m_label12, &m_label13};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QString::fromLatin1(captions[i]), m_panel7);
        caption->setObjectName(QStringLiteral("Label%1").arg(8 + i));
        auto* value = new QLabel(QStringLiteral("0"), m_panel7);
        value->setObjectName(QStringLiteral("Label%1").arg(11 + i));
        QFont font = value->font();
        font.setBold(true);
        value->setFont(font);
        grid->addWidget(caption, i + 1, 0);
        grid->addWidget(value, i + 1, 1);
        *values[i] = value;
    }
    grid->setColumnStretch(1, 1);
}

void TMainForm::buildMenus() {
    m_optionsPopUp = new QMenu(this);
    m_optionsPopUp->setObjectName(QStringLiteral("OptionsPopUp"));
    auto addItem = [this](QMenu* menu, const QString& name, const QString& text, void (TMainForm::*handler)(),
                          std::vector<MainWindow> needs) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        bindCommand(action, handler, std::move(needs));
        return action;
    };
    addItem(m_optionsPopUp, QStringLiteral("WipeItems1"), QStringLiteral("Wipe Items..."),
            &TMainForm::WipeItems1Click, {MainWindow::Wipe});
    addItem(m_optionsPopUp, QStringLiteral("ViewGM1"), QStringLiteral("View GM..."), &TMainForm::ViewGM1Click,
            {MainWindow::GM});
    addItem(m_optionsPopUp, QStringLiteral("ConvertItems1"), QStringLiteral("Convert Items..."),
            &TMainForm::ConvertItems1Click, {MainWindow::ItemConvertor});
    addItem(m_optionsPopUp, QStringLiteral("RestoreUndo1"), QStringLiteral("Restore from undo file..."),
            &TMainForm::RestoreUndo1Click, {});
    QMenu* catalogue = m_optionsPopUp->addMenu(QStringLiteral("TanorEditor.mdb"));
    catalogue->setObjectName(QStringLiteral("TanorEditormdb1"));
    addItem(catalogue, QStringLiteral("EditItem1"), QStringLiteral("Edit Item..."),
            &TMainForm::EditItem1Click, {MainWindow::CatalogueTable});
    addItem(catalogue, QStringLiteral("EditSkills1"), QStringLiteral("Edit Skills..."),
            &TMainForm::EditSkills1Click, {MainWindow::CatalogueTable});
    addItem(m_optionsPopUp, QStringLiteral("SQLConnection1"), QStringLiteral("SQL Connection..."),
            &TMainForm::SQLConnection1Click, {MainWindow::SQLConnection});
    m_optionsPopUp->addSeparator();
    addItem(m_optionsPopUp, QStringLiteral("About1"), QStringLiteral("About..."), &TMainForm::About1Click,
            {MainWindow::About});

    m_trayMess = new QMenu(this);
    m_trayMess->setObjectName(QStringLiteral("TrayMess"));
    QAction* show =
        addItem(m_trayMess, QStringLiteral("ShowVornTanorEditor1"), QStringLiteral("Show Vorn TanorEditor"),
                &TMainForm::ShowVornTanorEditor1Click, {});
    m_trayMess->setDefaultAction(show);
    m_trayMess->addSeparator();
    addItem(m_trayMess, QStringLiteral("SQLConnection2"), QStringLiteral("SQL Connection..."),
            &TMainForm::SQLConnection1Click, {MainWindow::SQLConnection});
    addItem(m_trayMess, QStringLiteral("About2"), QStringLiteral("About..."), &TMainForm::About1Click,
            {MainWindow::About});
    addItem(m_trayMess, QStringLiteral("Close1"), QStringLiteral("Close"), &TMainForm::StaticText1Click, {});

    // Where the desktop has no tray the window is only minimised; its tray
    // menu then opens from a right click anywhere on the window (only there:
    // with a tray the menu belongs to the tray icon).
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!TrayIcon::Available())
            m_trayMess->popup(mapToGlobal(at));
    });
}

// ------------------------------------------------------------------ commands

void TMainForm::bindCommand(QToolButton* button, void (TMainForm::*handler)(),
                            std::vector<MainWindow> needs) {
    connect(button, &QToolButton::clicked, this, Guarded(this, [this, handler] { (this->*handler)(); }));
    m_commands.push_back({[button](bool on) { button->setEnabled(on); }, std::move(needs)});
}

void TMainForm::bindCommand(QAction* action, void (TMainForm::*handler)(), std::vector<MainWindow> needs) {
    connect(action, &QAction::triggered, this, Guarded(this, [this, handler] { (this->*handler)(); }));
    m_commands.push_back({[action](bool on) { action->setEnabled(on); }, std::move(needs)});
}

void TMainForm::refreshCommands() {
    for (const Command& command : m_commands) {
        bool available = true;
        for (MainWindow w : command.needs)
            available = available && bool(m_factories[size_t(w)]);
        command.setEnabled(available);
    }
}

void TMainForm::SetWindowFactory(MainWindow window, ModalOpener::ContextFactory factory) {
    m_factories[size_t(window)] = std::move(factory);
    refreshCommands();
}

WindowContext TMainForm::Context() const {
    WindowContext context;
    context.operatorId = m_operatorId;
    context.signedIn = m_signedIn;
    context.account = m_account->currentText();
    context.character = m_character->currentText();
    context.guild = m_guild->currentText();
    context.mapServerGroup = m_mapServerGroup;
    return context;
}

int TMainForm::openWindow(MainWindow window, const WindowContext& context, bool hideMain,
                          const ModalOpener::Closed& closed) {
    const ModalOpener::ContextFactory& factory = m_factories[size_t(window)];
    if (!factory)
        return QDialog::Rejected;
    return ModalOpener::Open(
        this, [&](QWidget* parent) { return factory(parent, context); }, hideMain, closed);
}

int TMainForm::openWindow(MainWindow window, bool hideMain) {
    return openWindow(window, Context(), hideMain);
}

QVariantList TMainForm::openForResult(MainWindow window, const std::vector<const char*>& properties,
                                      bool hideMain) {
    QVariantList values(qsizetype(properties.size()));
    openWindow(window, Context(), hideMain, [&](QDialog* w) {
        for (size_t i = 0; i < properties.size(); ++i)
            values[qsizetype(i)] = w->property(properties[i]);
    });
    return values;
}

// ------------------------------------------------------------------ start-up

void TMainForm::Auth2() {
    RunGuarded(this, [this] { startUp(); });
}

void TMainForm::startUp() {
    m_setupDone = true;
    const int setup = ReadSettingInt(SettingsName::kInternal, SettingsName::kSetup);
    const int marker = OperatorSetupMarker();

    // Any failure of the operator table test only leads to the wizard.
    const bool tableMissing = !OperatorStore::TableReadable();

    if (tableMissing || (marker == 0 && setup != 1)) {
        const QVariant done = openForResult(MainWindow::Wizard, {"setupDone"}).front();
        m_setupDone = !done.isValid() || done.toBool();
        if (!m_setupDone) {
            m_signedIn = false;
            return;
        }
    }
    m_label4->setText(QStringLiteral("Vorn TanorEditor V1.5"));
    if (setup == 0)
        openWindow(MainWindow::SQLConnection);
    m_signedIn = false;
    const QVariantList signIn = openForResult(MainWindow::Authentication, {"signedIn", "operatorId"});
    m_signedIn = signIn[0].toBool();
    if (m_signedIn)
        m_operatorId = signIn[1].toString();
    loadLists();
}

void TMainForm::loadLists() {
    Fill(m_account, ShellOps::AccountNames());
    m_account->setCurrentIndex(m_account->count() > 0 ? 0 : -1);
    fillGuilds();
    AccountChange();
    updateCounters();
    m_serverInfo->start();
}

void TMainForm::Auth() {
    if (!m_setupDone || !m_signedIn)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Auth();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    m_tray->Remove();
    m_serverInfo->stop();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

// ------------------------------------------------------------------ lists

void TMainForm::fillGuilds() {
    Fill(m_guild, ShellOps::GuildNames());
    // A box that is filled shows its first item, which a guild command would
    // then take for the operator's choice.
    m_guild->setCurrentIndex(-1);
}

void TMainForm::fillCharactersOf(const QString& account) {
    Fill(m_character, ShellOps::CharactersOfAccount(account));
}

void TMainForm::AccountChange() {
    m_character->clear();
    m_character->addItems(ShellOps::SlotNames(m_account->currentText()));
    m_character->setCurrentIndex(m_character->count() > 0 ? 0 : -1);
    m_addCharacter->setVisible(m_character->count() < 5);
    const bool account = Chosen(m_account);
    for (QToolButton* b : {m_deleteAccount, m_editAccount, m_warehouse})
        b->setVisible(account);
    CharacterChange();
}

void TMainForm::CharacterChange() {
    const QString character = m_character->currentText();
    Choose(m_guild, ShellOps::GuildOf(character));
    const bool chosen = Chosen(m_character);
    for (QToolButton* b : {m_deleteCharacter, m_editCharacter, m_editInventory, m_friends})
        b->setVisible(chosen);
    m_friends->setVisible(ShellOps::HasFriendList(character));
}

void TMainForm::ReloadAccount() {
    Fill(m_account, ShellOps::AccountNames());
    m_account->setCurrentIndex(-1);
    m_character->clear();
    for (QToolButton* b : {m_deleteAccount, m_editAccount, m_warehouse, m_deleteCharacter, m_editCharacter,
                           m_editInventory, m_friends})
        b->hide();
}

void TMainForm::SpeedButton7Click() {
    ReloadAccount();
    fillGuilds();
}

// ------------------------------------------------------------------ accounts

void TMainForm::AddAccountClick() {
    const QString created = openForResult(MainWindow::CreateAccount, {"createdAccount"}).front().toString();
    if (!created.isEmpty()) {
        ReloadAccount();
        Choose(m_account, created);
        AccountChange();
    }
}

void TMainForm::DeleteAccountClick() {
    if (!Chosen(m_account))
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Warning"), QStringLiteral("Are you sure?"),
                      Dialogs::Icon::Warning))
        return;
    ShellOps::DeleteAccount(m_account->currentText());
    ReloadAccount();
    AccountChange();
    Dialogs::Show(this, kTitle, QStringLiteral("Account Deleted!"), Dialogs::Icon::Information);
}

void TMainForm::EditAccountClick() {
    openWindow(MainWindow::ModifyAccount);
}

void TMainForm::WarehouseClick() {
    openWindow(MainWindow::Warehouse);
}

void TMainForm::FindClick() {
    const QVariantList found =
        openForResult(MainWindow::Search, {"foundAccount", "foundCharacter", "foundGuild"}, false);
    if (const QString account = found[0].toString(); !account.isEmpty()) {
        Choose(m_account, account);
        AccountChange();
    }
    if (const QString character = found[1].toString(); !character.isEmpty())
        chooseCharacter(character);
    if (const QString guild = found[2].toString(); !guild.isEmpty())
        Choose(m_guild, guild);
}

// ------------------------------------------------------------------ characters

void TMainForm::chooseCharacter(const QString& character) {
    Choose(m_account, ShellOps::OwnerOf(character));
    AccountChange();
    Choose(m_character, character);
    // The guild list and the character buttons follow this character, not
    // the account's first one.
    CharacterChange();
}

void TMainForm::AddCharacterClick() {
    if (!Chosen(m_account))
        return;
    const QString account = m_account->currentText();
    const QString created = openForResult(MainWindow::NewCharacter, {"createdCharacter"}).front().toString();
    fillCharactersOf(account);
    m_character->setCurrentIndex(-1);
    if (!created.isEmpty()) {
        Choose(m_character, created);
        CharacterChange();
    }
}

void TMainForm::DeleteCharacterClick() {
    if (!Chosen(m_character))
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Warning"), QStringLiteral("Are You Sure?"),
                      Dialogs::Icon::Warning))
        return;
    const QString character = m_character->currentText();
    const QString account = m_account->currentText();
    ShellOps::DeleteCharacter(account, character);
    fillCharactersOf(account);
    m_character->setCurrentIndex(-1);
    // No character is chosen now, and a guild it led is gone: nothing may
    // show the deleted character's state or offer commands on it.
    fillGuilds();
    for (QToolButton* b : {m_deleteCharacter, m_editCharacter, m_editInventory, m_friends})
        b->hide();
}

void TMainForm::EditCharacterClick() {
    if (!Chosen(m_character))
        return;
    const QString account = m_account->currentText();
    const QString character = m_character->currentText();
    const QVariantList names = openForResult(MainWindow::CharacterEdition, {"account", "character"});
    // A move or rename in the editor hands the character's new account or
    // name back; the lists follow the character there.
    const QString newAccount = names[0].toString(), newCharacter = names[1].toString();
    if (!newCharacter.isEmpty() && (newAccount != account || newCharacter != character))
        chooseCharacter(newCharacter);
}

void TMainForm::EditInventoryClick() {
    if (!Chosen(m_character))
        return;
    openWindow(MainWindow::Inventory);
}

void TMainForm::FriendsClick() {
    if (!Chosen(m_character))
        return;
    openWindow(MainWindow::FriendManager);
}

// ------------------------------------------------------------------ guilds

void TMainForm::AddGuildClick() {
    const QString created = openForResult(MainWindow::GuildManager, {"createdGuild"}).front().toString();
    if (!created.isEmpty()) {
        fillGuilds();
        Choose(m_guild, created);
    }
}

bool TMainForm::guildChosen() {
    if (Chosen(m_guild))
        return true;
    Dialogs::Show(this, QStringLiteral("Guild Editor"), QStringLiteral("You must select a guild first"),
                  Dialogs::Icon::Warning);
    return false;
}

void TMainForm::DeleteGuildClick() {
    if (!guildChosen())
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Warning"), QStringLiteral("Are You Sure"),
                      Dialogs::Icon::Warning))
        return;
    const QString guild = m_guild->currentText();
    ShellOps::DeleteGuild(guild);
    Dialogs::ShowPlain(this, QStringLiteral("Guild Deleted!"));
    fillGuilds();
}

void TMainForm::EditGuildClick() {
    if (!guildChosen())
        return;
    openWindow(MainWindow::EditGuild);
}

// ------------------------------------------------------------------ other windows

void TMainForm::SpeedButton11Click() {
    const QString group = openForResult(MainWindow::MapServerGroup, {"group"}).front().toString();
    if (!group.isEmpty())
        m_mapServerGroup = group;
    openWindow(MainWindow::CastleSiege);
}

void TMainForm::SpeedButton6Click() {
    openWindow(MainWindow::Administration);
}
void TMainForm::SpeedButton5Click() {
    openWindow(MainWindow::Log);
}
void TMainForm::SpeedButton10Click() {
    openWindow(MainWindow::Join);
}
void TMainForm::RankingClick() {
    openWindow(MainWindow::Ranking);
}
void TMainForm::ViewGM1Click() {
    openWindow(MainWindow::GM);
}
void TMainForm::WipeItems1Click() {
    openWindow(MainWindow::Wipe);
}
void TMainForm::FindItemsClick() {
    openWindow(MainWindow::FindItems);
}
void TMainForm::ConvertItems1Click() {
    openWindow(MainWindow::ItemConvertor);
}

void TMainForm::EditItem1Click() {
    WindowContext context = Context();
    context.catalogueTable = QStringLiteral("Item");
    openWindow(MainWindow::CatalogueTable, context);
}

void TMainForm::EditSkills1Click() {
    WindowContext context = Context();
    context.catalogueTable = QStringLiteral("Skill");
    openWindow(MainWindow::CatalogueTable, context);
}

void TMainForm::RestoreUndo1Click() {
    RestoreFromUndoFile(this);
}

void TMainForm::SQLConnection1Click() {
    openWindow(MainWindow::SQLConnection);
}
void TMainForm::About1Click() {
    openWindow(MainWindow::About, false);
}

// ------------------------------------------------------------------ counters

void TMainForm::updateCounters() {
    // Label by label, so a failing counter leaves the ones before it fresh.
    m_label11->setText(ShellOps::Count(ShellOps::Counter::Accounts));
    m_label12->setText(ShellOps::Count(ShellOps::Counter::Guilds));
    m_label13->setText(ShellOps::Count(ShellOps::Counter::ConnectedAccounts));
}

void TMainForm::ServerInfoTimer() {
    // Ticks go on while the error box of an earlier tick is open; they must
    // not pile box upon box.
    if (m_countersRunning)
        return;
    m_countersRunning = true;
    RunGuarded(this, [this] { updateCounters(); });
    m_countersRunning = false;
}

// ------------------------------------------------------------------ bars and panel

void TMainForm::relayout() {
    // At once rather than at the next turn of the event loop, so the window
    // has its new height when the handler returns.
    m_panels->invalidate();
    m_panels->activate();
}

void TMainForm::OptionButtonClick() {
    if (m_panel5->isHidden()) {
        m_optionButton->hide();
        m_panel5->show();
    } else {
        m_panel5->hide();
        m_optionButton->show();
    }
    relayout();
}

void TMainForm::RankingOptionsClick() {
    const bool open = m_panel6->isHidden();
    m_panel6->setVisible(open);
    m_rankingOptions->setVisible(!open);
    m_speedButton3->setVisible(!open);
    relayout();
}

void TMainForm::SpeedButton9Click() {
    m_panel7->setVisible(m_panel7->isHidden());
    relayout();
}

// ------------------------------------------------------------------ tray and dragging

void TMainForm::SpeedButton2Click() {
    m_tray->Minimize();
}

void TMainForm::ShowVornTanorEditor1Click() {
    m_tray->Restore();
}

void TMainForm::StaticText1Click() {
    m_tray->Remove();
    close();
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The window manager moves the window where it can; elsewhere the
    // window follows the mouse itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    else
        QWidget::mouseMoveEvent(event);
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
