#include "guilds/CastleSiegeUnit.h"

#include "core/AppState.h"
#include "core/QueryHelpers.h"
#include "guilds/CastlePicture.h"
#include "guilds/CastleStatements.h"
#include "guilds/GuildSearch.h"
#include "guilds/MapServerGroupUnit.h"
#include "platform/TanorError.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

using CastleGeometry::NpcKind;
namespace CS = CastleStatements;

constexpr DataSource kGame = DataSource::TanorOnline;
constexpr int kHuntZoneStep = 10000;
constexpr int kHuntZoneItems = 31;

QString S(const char* text) {
    return QString::fromUtf8(text);
}

template <class W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void Error(QWidget* window, const QString& text) {
    Dialogs::Show(window, S("Error"), text, Dialogs::Icon::Error);
}

// Only digits can be typed into the number fields.
void DigitsOnly(QLineEdit* edit, int length) {
    edit->setMaxLength(length);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(length)), edit));
}

// The item of a list whose text is `value`'s, none when there is none.
int ItemOf(const QComboBox* list, qint64 value) {
    return list->findText(QString::number(value));
}

// The value of a column, empty when the statement found no row.
QString Column(const Query& query, const char* name) {
    return query.IsEmpty() ? QString() : query.FieldByName(QString::fromLatin1(name)).AsString();
}

// Calls `handler` whenever a key is released in `list`; a level or
// "Give Up?:" list picks up the item the keyboard left selected.
class KeyUpFilter : public QObject {
public:
    KeyUpFilter(QComboBox* list, std::function<void()> handler)
        : QObject(list), m_handler(std::move(handler)) {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease)
            m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

void OnKeyUp(QWidget* window, QComboBox* list, std::function<void()> handler) {
    new KeyUpFilter(list, Guarded(window, std::move(handler)));
}

} // namespace

TCastleSiegeForm::TCastleSiegeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CastleSiegeForm"));
    setWindowTitle(QStringLiteral("Castle Siege Manager"));

    // Header: map server, dates, phase.
    m_mapServer = Named(new QLabel(this), "MapServer");
    m_start = Named(new QLabel(this), "StartDate");
    m_end = Named(new QLabel(this), "EndDate");
    auto* header = new QFormLayout;
    header->addRow(S("Map Server:"), m_mapServer);
    header->addRow(S("Start:"), m_start);
    header->addRow(S("End:"), m_end);
    auto* state = new QGroupBox(S("CS State: (Aprox)"), this);
    m_state1 = Named(new QLabel(state), "State1");
    m_state2 = Named(new QLabel(state), "State2");
    QFont bold = m_state1->font();
    bold.setBold(true);
    m_state1->setFont(bold);
    m_state2->setFont(bold);
    auto* stateLines = new QVBoxLayout(state);
    stateLines->addWidget(m_state1);
    stateLines->addWidget(m_state2);
    auto* top = new QHBoxLayout;
    top->addLayout(header);
    top->addSpacing(24);
    top->addWidget(state);
    top->addStretch();

    auto* npc = new QGroupBox(S("NPC Information"), this);
    auto* tabs = Named(new QTabWidget(npc), "NPCPages");
    tabs->addTab(buildNpcPage(m_gates), S("Gates"));
    tabs->addTab(buildNpcPage(m_statues), S("Statues"));
    (new QVBoxLayout(npc))->addWidget(tabs);

    m_body = new QWidget(this);
    auto* columns = new QHBoxLayout(m_body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(buildCastlePanel());
    columns->addWidget(buildGuildPanel(), 1);
    columns->addWidget(npc);

    auto* save = Named(new QPushButton(S("Save"), this), "BitBtn4");
    auto* close = Named(new QPushButton(S("Close"), this), "BitBtn3");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_body, 1);
    layout->addLayout(buttons);

    ConnectGuarded(save, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

    RunGuarded(this, [this] { FormCreate(); });
}

QWidget* TCastleSiegeForm::buildCastlePanel() {
    auto* panel = new QWidget(this);
    auto* taxes = new QGroupBox(S("Tax Information"), panel);
    m_taxShop = Named(new QComboBox(taxes), "CSTaxShop");
    m_taxChaos = Named(new QComboBox(taxes), "CsTaxCM");
    m_taxHunt = Named(new QComboBox(taxes), "CSTaxhz");
    for (int i = 0; i <= 3; ++i) {
        m_taxShop->addItem(QString::number(i));
        m_taxChaos->addItem(QString::number(i));
    }
    for (int i = 0; i < kHuntZoneItems; ++i)
        m_taxHunt->addItem(QStringLiteral("%1 K").arg(i * kHuntZoneStep / 1000));
    auto* taxRows = new QFormLayout(taxes);
    taxRows->addRow(S("Shops:"), m_taxShop);
    taxRows->addRow(S("Chaos M.:"), m_taxChaos);
    taxRows->addRow(S("Hunt Zone Tax:"), m_taxHunt);

    auto* money = new QGroupBox(S("Castle Money"), panel);
    m_money = Named(new QLineEdit(money), "Edit2");
    (new QVBoxLayout(money))->addWidget(m_money);

    auto* owner = new QGroupBox(S("Castle Owner"), panel);
    m_owners = Named(new QComboBox(owner), "ComboBox1");
    (new QVBoxLayout(owner))->addWidget(m_owners);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(S("Taxes and Money:"), panel));
    layout->addWidget(taxes);
    layout->addWidget(money);
    layout->addWidget(new QLabel(S("Castle Owner:"), panel));
    layout->addWidget(owner);
    layout->addStretch();
    panel->setFixedWidth(190);
    return panel;
}

QWidget* TCastleSiegeForm::buildGuildPanel() {
    auto* panel = new QWidget(this);
    m_listCaption = Named(new QLabel(S("Guilds Registered:"), panel), "GuildListCaption");
    m_guilds = Named(new QListWidget(panel), "ListBox1");
    m_addGuild = Named(new QPushButton(S("Add Guild    "), panel), "BitBtn1");
    m_addGuild->setToolTip(S("Add one guild to the list"));
    m_deleteGuild = Named(new QPushButton(S("Delete Guild"), panel), "BitBtn2");
    m_deleteGuild->setToolTip(S("Delete one guild from the list"));
    m_master = Named(new QLabel(panel), "GuildMaster");
    m_memberCount = Named(new QLabel(panel), "MemberCount");

    m_giveUpRow = new QWidget(panel);
    m_giveUpList = Named(new QComboBox(m_giveUpRow), "ComboBox2");
    m_giveUpList->addItems({S("No"), S("Yes")});
    auto* giveUp = new QHBoxLayout(m_giveUpRow);
    giveUp->setContentsMargins(0, 0, 0, 0);
    giveUp->addWidget(new QLabel(S("Give Up?:"), m_giveUpRow));
    giveUp->addWidget(m_giveUpList, 1);
    m_giveUpRow->hide();

    m_marksRow = new QWidget(panel);
    m_marks = Named(new QLineEdit(m_marksRow), "LabeledEdit1");
    DigitsOnly(m_marks, 9);
    auto* marks = new QVBoxLayout(m_marksRow);
    marks->setContentsMargins(0, 0, 0, 0);
    marks->addWidget(new QLabel(S("Marks registered:"), m_marksRow));
    marks->addWidget(m_marks);
    m_marksRow->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addGuild);
    buttons->addWidget(m_deleteGuild);
    auto* details = new QFormLayout;
    details->addRow(S("Guild Master:"), m_master);
    details->addRow(S("Nº of Members"), m_memberCount);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_listCaption);
    layout->addWidget(m_guilds, 1);
    layout->addLayout(buttons);
    layout->addLayout(details);
    layout->addWidget(m_giveUpRow);
    layout->addWidget(m_marksRow);
    // The rows of the chosen guild keep their room while no guild is chosen.
    KeepPlaceWhenHidden(m_giveUpRow);
    KeepPlaceWhenHidden(m_marksRow);

    ListChoice::Follow(m_guilds, this, [this] { ListBox1Click(); });
    ConnectGuarded(m_addGuild, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(m_deleteGuild, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ConnectGuarded(m_giveUpList, &QComboBox::activated, this, [this](int item) { ComboBox2CloseUp(item); });
    OnKeyUp(this, m_giveUpList, [this] { ComboBox2KeyUp(); });
    ConnectGuarded(m_marks, &QLineEdit::textEdited, this, [this] { LabeledEdit1KeyUp(); });
    return panel;
}

QWidget* TCastleSiegeForm::buildNpcPage(NpcPage& page) {
    const bool gate = page.kind == NpcKind::Gate;
    page.slots.resize(CastleGeometry::Places(page.kind).size());
    auto* widget = new QWidget(this);
    page.picture = Named(new CastlePicture(page.kind, widget), gate ? "Gates" : "Statues");
    page.fields = new QWidget(widget);
    page.life = Named(new QLineEdit(page.fields), gate ? "NPCLife" : "SNPCLife");
    DigitsOnly(page.life, 7);
    page.life->setMinimumWidth(page.life->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    page.maxLife = Named(new QLabel(page.fields), gate ? "NPCMaxLife" : "SNPCMaxLife");
    page.raise = Named(new QPushButton(gate ? S("Update Gate Life") : S("Update Statue Life"), page.fields),
                       gate ? "uplife" : "suplife");
    page.defence = Named(new QComboBox(page.fields), gate ? "NPCDefLVL" : "SNpcDeflvl");
    page.defence->addItems(gate ? QStringList{S("+ 0"), S("+ 80"), S("+ 120"), S("+ 220")}
                                : QStringList{S("+ 0"), S("+ 100"), S("+ 160"), S("+ 210")});
    page.buy =
        Named(new QPushButton(gate ? S("Buy Gate") : S("Buy Statue"), widget), gate ? "BitBtn5" : "Button2");
    page.remove = Named(new QPushButton(gate ? S("Delete Gate") : S("Delete Statue"), widget),
                        gate ? "BitBtn6" : "Button1");

    auto* lifeRow = new QHBoxLayout;
    lifeRow->addWidget(page.life);
    lifeRow->addWidget(new QLabel(S("/"), page.fields));
    lifeRow->addWidget(page.maxLife, 1);
    auto* fields = new QFormLayout(page.fields);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addRow(S("Life:"), lifeRow);
    // The form drops a hidden row whatever its size policy; the button's own
    // box keeps its room.
    auto* raiseRow = new QWidget(page.fields);
    auto* raiseBox = new QHBoxLayout(raiseRow);
    raiseBox->setContentsMargins(0, 0, 0, 0);
    raiseBox->addWidget(page.raise);
    fields->addRow(QString(), raiseRow);
    fields->addRow(S("Def Power:"), page.defence);
    if (!gate) {
        page.regeneration = Named(new QComboBox(page.fields), "SNPCReglvl");
        page.regeneration->addItems({S("+1%"), S("+2%"), S("+3%"), S("+4%")});
        fields->addRow(S("Reg Power:"), page.regeneration);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(page.buy);
    buttons->addWidget(page.remove);
    // An absent gate or statue hides its fields, and the last life level its
    // button; the page keeps their room, and the maximum life its width, so
    // that choosing another one moves nothing.
    page.maxLife->setMinimumWidth(page.life->minimumWidth());
    KeepPlaceWhenHidden(page.fields);
    KeepPlaceWhenHidden(page.raise);
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(page.picture, 0, Qt::AlignHCenter);
    layout->addWidget(page.fields);
    layout->addStretch();
    layout->addLayout(buttons);

    if (gate) {
        page.picture->SetOnPress(Guarded(this, [this](int x, int y) { GatesMouseDown(x, y); }));
        ConnectGuarded(page.buy, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
        ConnectGuarded(page.remove, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
        ConnectGuarded(page.life, &QLineEdit::textEdited, this, [this] { NPCLifeKeyDown(); });
        ConnectGuarded(page.defence, &QComboBox::activated, this,
                       [this](int item) { NPCDefLVLSelect(item); });
        OnKeyUp(this, page.defence, [this] { NPCDefLVLKeyUp(); });
        ConnectGuarded(page.raise, &QPushButton::clicked, this, [this] { uplifeClick(); });
    } else {
        page.picture->SetOnPress(Guarded(this, [this](int x, int y) { StatuesMouseDown(x, y); }));
        ConnectGuarded(page.buy, &QPushButton::clicked, this, [this] { Button2Click(); });
        ConnectGuarded(page.remove, &QPushButton::clicked, this, [this] { Button1Click(); });
        ConnectGuarded(page.life, &QLineEdit::textEdited, this, [this] { SNPCLifeKeyUp(); });
        ConnectGuarded(page.defence, &QComboBox::activated, this,
                       [this](int item) { SNpcDeflvlSelect(item); });
        OnKeyUp(this, page.defence, [this] { SNpcDeflvlKeyUp(); });
        ConnectGuarded(page.regeneration, &QComboBox::activated, this,
                       [this](int item) { SNPCReglvlCloseUp(item); });
        OnKeyUp(this, page.regeneration, [this] { SNPCReglvlKeyUp(); });
        ConnectGuarded(page.raise, &QPushButton::clicked, this, [this] { suplifeClick(); });
    }
    return widget;
}

// ------------------------------------------------------------------ opening

void TCastleSiegeForm::FormCreate() {
    m_levels = CastleGeometry::LoadLevels();
    m_state1->setText(S("Registration Period"));
    m_state2->setText(S("Mark Registration"));
    if (!ParseMapServerGroup(AppState.MapServerGroup, &m_group)) {
        // Without a group every statement would be incomplete.
        m_body->setEnabled(false);
        Error(this, S("Put Number"));
        return;
    }
    m_mapServer->setText(QString::number(m_group));
    loadData();

    for (NpcPage* page : {&m_gates, &m_statues})
        for (size_t i = 0; i < page->slots.size(); ++i) {
            page->slots[i] = readNpc(*page, int(i));
            showBars(*page, int(i));
        }
    GatesMouseDown(85, 47);
    StatuesMouseDown(85, 29);
}

void TCastleSiegeForm::loadData() {
    Query castle = OpenOn(kGame, CS::Data(m_group));
    m_start->setText(Column(castle, "SIEGE_START_DATE"));
    m_end->setText(Column(castle, "SIEGE_END_DATE"));
    m_listSet = Column(castle, "SIEGE_GUILDLIST_SETTED") == S("True");
    const bool ended = Column(castle, "SIEGE_ENDED") == S("True");
    m_occupied = Column(castle, "CASTLE_OCCUPY") != S("False");
    m_owner = Column(castle, "OWNER_GUILD");
    if (!castle.IsEmpty()) {
        m_money->setText(QString::number(castle.FieldByName(S("MONEY")).AsLargeInt()));
        m_storedTaxes = {castle.FieldByName(S("TAX_RATE_CHAOS")).AsInteger(),
                         castle.FieldByName(S("TAX_RATE_STORE")).AsInteger(),
                         castle.FieldByName(S("TAX_HUNT_ZONE")).AsInteger()};
    }
    castle.Close();
    m_taxChaos->setCurrentIndex(ItemOf(m_taxChaos, m_storedTaxes[0]));
    m_taxShop->setCurrentIndex(ItemOf(m_taxShop, m_storedTaxes[1]));
    const int hunt = m_storedTaxes[2] / kHuntZoneStep;
    m_taxHunt->setCurrentIndex(hunt >= 0 && hunt < kHuntZoneItems ? hunt : -1);

    if (m_listSet) {
        m_guilds->addItems(ListOn(kGame, CS::SelectedGuilds(m_group)));
        m_state1->setText(S("Notification-Preparation"));
        m_state2->setText(S("Siege Started"));
        m_listCaption->setText(S("Selected Guilds for CS"));
    } else {
        m_guilds->addItems(ListOn(kGame, CS::RegisteredGuilds(m_group)));
    }

    m_owners->addItem(S("None"));
    m_owners->addItems(ListOn(kGame, CS::GuildNames()));
    m_owners->setCurrentIndex(m_occupied ? m_owners->findText(m_owner, Qt::MatchFixedString) : 0);

    if (ended) {
        m_addGuild->hide();
        m_deleteGuild->hide();
        m_state2->hide();
        m_state1->setText(S("Siege Ended"));
    }
}

// ------------------------------------------------------------------ gates and statues

TCastleSiegeForm::NpcSlot TCastleSiegeForm::readNpc(const NpcPage& page, int index) const {
    const auto& place = CastleGeometry::Places(page.kind)[size_t(index)];
    Query npc = OpenOn(kGame, CS::Npc(m_group, page.kind, place));
    NpcSlot slot;
    if (!npc.IsEmpty()) {
        slot.life = npc.FieldByName(S("NPC_HP")).AsLargeInt();
        slot.maxLife = npc.FieldByName(S("NPC_MAXHP")).AsLargeInt();
        slot.defence = npc.FieldByName(S("NPC_DF_LEVEL")).AsInteger();
        if (page.kind == NpcKind::Statue)
            slot.regeneration = npc.FieldByName(S("NPC_RG_LEVEL")).AsInteger();
        npc.Next();
        slot.exists = npc.Eof(); // exactly one row
    }
    if (!slot.exists) {
        slot = NpcSlot{};
        slot.life = slot.maxLife = m_levels.of(page.kind)[0];
    }
    return slot;
}

void TCastleSiegeForm::showBars(NpcPage& page, int index) {
    const NpcSlot& slot = page.slots[size_t(index)];
    CastlePicture::Bars bars;
    bars.shown = slot.exists;
    bars.lifeWidth = CastleGeometry::LifeBarWidth(slot.maxLife, m_levels.of(page.kind));
    bars.lifeRange = slot.maxLife;
    bars.life = slot.life;
    bars.defence = slot.defence;
    bars.regeneration = slot.regeneration;
    page.picture->SetBars(index, bars);
}

void TCastleSiegeForm::showSelected(NpcPage& page) {
    const NpcSlot& slot = page.slots[size_t(page.selected)];
    page.buy->setEnabled(!slot.exists);
    page.fields->setVisible(slot.exists);
    if (!slot.exists)
        return;
    page.life->setText(QString::number(slot.life));
    page.maxLife->setText(QString::number(slot.maxLife));
    page.defence->setCurrentIndex(slot.defence >= 0 && slot.defence < page.defence->count() ? slot.defence
                                                                                            : -1);
    if (page.regeneration)
        page.regeneration->setCurrentIndex(
            slot.regeneration >= 0 && slot.regeneration < page.regeneration->count() ? slot.regeneration
                                                                                     : -1);
    page.raise->setVisible(CastleGeometry::NextLife(slot.maxLife, m_levels.of(page.kind)).has_value());
}

void TCastleSiegeForm::selectAt(NpcPage& page, int x, int y) {
    const auto index = CastleGeometry::PlaceAt(page.kind, QPoint(x, y));
    if (!index)
        return;
    page.selected = *index;
    page.picture->SetMarker(*index);
    page.slots[size_t(*index)] = readNpc(page, *index);
    showBars(page, *index);
    showSelected(page);
}

void TCastleSiegeForm::buy(NpcPage& page) {
    if (page.selected < 0)
        return;
    const int life = m_levels.of(page.kind)[0];
    const auto& place = CastleGeometry::Places(page.kind)[size_t(page.selected)];
    ExecOn(kGame, CS::BuyNpc(m_group, page.kind, place, life));
    NpcSlot& slot = page.slots[size_t(page.selected)];
    slot = NpcSlot{true, life, life, 0, 0};
    showBars(page, page.selected);
    showSelected(page);
}

void TCastleSiegeForm::remove(NpcPage& page) {
    if (page.selected < 0)
        return;
    if (!Dialogs::Ask(this, S("Warning"), S("Are you Sure?"), Dialogs::Icon::Question))
        return;
    const auto& place = CastleGeometry::Places(page.kind)[size_t(page.selected)];
    ExecOn(kGame, CS::DeleteNpc(m_group, place));
    NpcSlot& slot = page.slots[size_t(page.selected)];
    slot = NpcSlot{};
    slot.life = slot.maxLife = m_levels.of(page.kind)[0];
    showBars(page, page.selected);
    showSelected(page);
}

void TCastleSiegeForm::lifeTyped(NpcPage& page) {
    const QString text = page.life->text().trimmed();
    if (text.isEmpty() || page.selected < 0)
        return;
    NpcSlot& slot = page.slots[size_t(page.selected)];
    if (!slot.exists)
        return;
    bool ok = false;
    qint64 life = text.toLongLong(&ok);
    if (!ok || life < 0) {
        Error(this, S("Life must be a whole number"));
        return;
    }
    if (life > slot.maxLife) {
        Error(this, S("Life can't be more than max life"));
        page.life->setText(S("0"));
        life = 0;
    }
    slot.life = life;
    showBars(page, page.selected);
    const auto& place = CastleGeometry::Places(page.kind)[size_t(page.selected)];
    ExecOn(kGame, CS::SetNpcLife(m_group, place, life));
}

void TCastleSiegeForm::levelChosen(NpcPage& page, bool regeneration, int item) {
    if (page.selected < 0 || item < 0)
        return;
    NpcSlot& slot = page.slots[size_t(page.selected)];
    int& level = regeneration ? slot.regeneration : slot.defence;
    if (!slot.exists || item == level)
        return;
    const auto& place = CastleGeometry::Places(page.kind)[size_t(page.selected)];
    ExecOn(kGame, regeneration ? CS::SetNpcRegeneration(m_group, place, item)
                               : CS::SetNpcDefence(m_group, place, item));
    level = item;
    showBars(page, page.selected);
}

void TCastleSiegeForm::raiseLife(NpcPage& page) {
    if (page.selected < 0)
        return;
    NpcSlot& slot = page.slots[size_t(page.selected)];
    const auto next = CastleGeometry::NextLife(slot.maxLife, m_levels.of(page.kind));
    if (!slot.exists || !next)
        return;
    const auto& place = CastleGeometry::Places(page.kind)[size_t(page.selected)];
    ExecOn(kGame, CS::RaiseNpcLife(m_group, page.kind, place, *next));
    slot.life = slot.maxLife = *next;
    showBars(page, page.selected);
    showSelected(page);
}

void TCastleSiegeForm::GatesMouseDown(int x, int y) {
    selectAt(m_gates, x, y);
}
void TCastleSiegeForm::StatuesMouseDown(int x, int y) {
    selectAt(m_statues, x, y);
}
void TCastleSiegeForm::BitBtn5Click() {
    buy(m_gates);
}
void TCastleSiegeForm::Button2Click() {
    buy(m_statues);
}
void TCastleSiegeForm::BitBtn6Click() {
    remove(m_gates);
}
void TCastleSiegeForm::Button1Click() {
    remove(m_statues);
}
void TCastleSiegeForm::NPCLifeKeyDown() {
    lifeTyped(m_gates);
}
void TCastleSiegeForm::SNPCLifeKeyUp() {
    lifeTyped(m_statues);
}
void TCastleSiegeForm::NPCDefLVLSelect(int item) {
    levelChosen(m_gates, false, item);
}
void TCastleSiegeForm::SNpcDeflvlSelect(int item) {
    levelChosen(m_statues, false, item);
}
void TCastleSiegeForm::SNPCReglvlCloseUp(int item) {
    levelChosen(m_statues, true, item);
}
void TCastleSiegeForm::NPCDefLVLKeyUp() {
    levelChosen(m_gates, false, m_gates.defence->currentIndex());
}
void TCastleSiegeForm::SNpcDeflvlKeyUp() {
    levelChosen(m_statues, false, m_statues.defence->currentIndex());
}
void TCastleSiegeForm::SNPCReglvlKeyUp() {
    levelChosen(m_statues, true, m_statues.regeneration->currentIndex());
}
void TCastleSiegeForm::uplifeClick() {
    raiseLife(m_gates);
}
void TCastleSiegeForm::suplifeClick() {
    raiseLife(m_statues);
}

// ------------------------------------------------------------------ registered guilds

QString TCastleSiegeForm::selectedGuild() const {
    return ListChoice::ChosenText(m_guilds);
}

void TCastleSiegeForm::clearGuildDetails() {
    m_master->clear();
    m_memberCount->clear();
    m_giveUpRow->hide();
    m_marksRow->hide();
}

void TCastleSiegeForm::ListBox1Click() {
    const QString guild = selectedGuild();
    if (guild.isEmpty()) {
        clearGuildDetails();
        return;
    }
    Query summary = OpenOn(kGame, CS::GuildSummary(guild));
    m_master->setText(summary.IsEmpty() ? QString() : summary.Fields(0).AsString());
    m_memberCount->setText(summary.IsEmpty() ? QString() : summary.Fields(1).AsString());
    summary.Close();
    if (m_listSet) {
        Query involved = OpenOn(kGame, CS::Involvement(m_group, guild));
        m_giveUp = Column(involved, "GUILD_INVOLVED") == S("True") ? 1 : 0;
    } else {
        Query registration = OpenOn(kGame, CS::Registration(m_group, guild));
        m_giveUp = Column(registration, "IS_GIVEUP") == S("1") ? 1 : 0;
        m_marks->setText(Column(registration, "REG_MARKS"));
        m_marksRow->show();
    }
    m_giveUpList->setCurrentIndex(m_giveUp);
    m_giveUpRow->show();
}

void TCastleSiegeForm::ComboBox2CloseUp(int item) {
    const QString guild = selectedGuild();
    if (guild.isEmpty() || item < 0 || item == m_giveUp)
        return;
    ExecOn(kGame, m_listSet ? CS::SetInvolved(m_group, guild, item) : CS::SetGiveUp(m_group, guild, item));
    m_giveUp = item;
}

void TCastleSiegeForm::ComboBox2KeyUp() {
    ComboBox2CloseUp(m_giveUpList->currentIndex());
}

void TCastleSiegeForm::LabeledEdit1KeyUp() {
    const QString guild = selectedGuild();
    bool ok = false;
    const int marks = m_marks->text().trimmed().toInt(&ok);
    if (guild.isEmpty() || !ok || marks < 0)
        return;
    try {
        ExecOn(kGame, CS::SetMarks(m_group, guild, marks));
    } catch (const DbError&) {
        // A mark count the server refuses is simply not written.
    }
}

void TCastleSiegeForm::BitBtn1Click() {
    if (m_listSet) {
        Error(this, S("Adding guilds when registration state has ended is not allowed"));
        return;
    }
    const QString guild = PickGuild(this);
    if (guild.isEmpty())
        return;
    Query next = OpenOn(kGame, CS::NextSequence());
    // With no registration at all the maximum is NULL: the first is 1.
    const QString sequence = next.IsEmpty() ? QString() : next.Fields(0).AsString();
    const qint64 number = sequence.isEmpty() ? 1 : next.Fields(0).AsLargeInt();
    next.Close();
    ExecOn(kGame, CS::Register(m_group, guild, number));
    m_guilds->addItem(guild);
}

void TCastleSiegeForm::BitBtn2Click() {
    const QString guild = selectedGuild();
    if (guild.isEmpty()) {
        Error(this, S("Select at least one guild"));
        return;
    }
    if (!Dialogs::Ask(this, S("Warning"), S("Are you sure?"), Dialogs::Icon::Question))
        return;
    ExecOn(kGame, CS::Unregister(m_group, guild));
    ExecOn(kGame, CS::Unselect(m_group, guild));
    ListChoice::Remove(m_guilds, ListChoice::Chosen(m_guilds));
}

// ------------------------------------------------------------------ saving

void TCastleSiegeForm::BitBtn4Click() {
    bool ok = false;
    const qint64 money = m_money->text().trimmed().toLongLong(&ok);
    if (!ok || money < 0) {
        Error(this, S("Castle Money must be a whole number"));
        return;
    }
    CS::CastleData values{};
    const int owner = m_owners->currentIndex();
    // An owner the list does not hold (a guild gone since) is kept as stored.
    values.occupied = owner < 0 ? m_occupied : owner > 0;
    values.owner = owner < 0 ? m_owner : owner > 0 ? m_owners->currentText() : QString();
    values.money = money;
    values.chaosTax = m_taxChaos->currentIndex() >= 0 ? m_taxChaos->currentIndex() : m_storedTaxes[0];
    values.storeTax = m_taxShop->currentIndex() >= 0 ? m_taxShop->currentIndex() : m_storedTaxes[1];
    values.huntZoneTax =
        m_taxHunt->currentIndex() >= 0 ? m_taxHunt->currentIndex() * kHuntZoneStep : m_storedTaxes[2];
    ExecOn(kGame, CS::Save(m_group, values));
    Dialogs::Show(this, S("Vorn Tanor Editor"), S("Castle Siege Updated"), Dialogs::Icon::Information);
    accept();
}

void TCastleSiegeForm::BitBtn3Click() {
    reject();
}
