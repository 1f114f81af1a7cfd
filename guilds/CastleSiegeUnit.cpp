#include "guilds/CastleSiegeUnit.h"

#include "guilds/CastlePicture.h"
#include "guilds/GuildSearch.h"
#include "guilds/MapServerGroupUnit.h"
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
using CastleSiege::kHuntZoneItems;
using CastleSiege::kHuntZoneStep;

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

// Only digits can be typed into the number fields, at most `length` of
// them; a longer stored value is still shown whole (ShowStored).
void DigitsOnly(QLineEdit* edit, int length) {
    LimitTyping(edit, length);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

// The item of a list whose text is `value`'s, none when there is none.
int ItemOf(const QComboBox* list, qint64 value) {
    return list->findText(QString::number(value));
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

TCastleSiegeForm::TCastleSiegeForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
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
    if (!ParseMapServerGroup(m_context.mapServerGroup, &m_group)) {
        // Without a group every statement would be incomplete.
        m_body->setEnabled(false);
        Error(this, S("Put Number"));
        return;
    }
    m_mapServer->setText(QString::number(m_group));
    m_stored = CastleSiege::Load(m_group, m_levels);
    m_gates.slots = std::move(m_stored.gates);
    m_statues.slots = std::move(m_stored.statues);
    showCastle();

    for (NpcPage* page : {&m_gates, &m_statues})
        for (size_t i = 0; i < page->slots.size(); ++i)
            showBars(*page, int(i));
    GatesMouseDown(85, 47);
    StatuesMouseDown(85, 29);
}

void TCastleSiegeForm::showCastle() {
    m_start->setText(m_stored.startDate);
    m_end->setText(m_stored.endDate);
    if (m_stored.money)
        m_money->setText(QString::number(*m_stored.money));
    m_taxChaos->setCurrentIndex(ItemOf(m_taxChaos, m_stored.chaosTax));
    m_taxShop->setCurrentIndex(ItemOf(m_taxShop, m_stored.storeTax));
    const int hunt = m_stored.huntZoneTax / kHuntZoneStep;
    m_taxHunt->setCurrentIndex(hunt >= 0 && hunt < kHuntZoneItems ? hunt : -1);

    m_guilds->addItems(m_stored.guilds);
    if (m_stored.listSet) {
        m_state1->setText(S("Notification-Preparation"));
        m_state2->setText(S("Siege Started"));
        m_listCaption->setText(S("Selected Guilds for CS"));
    }

    m_owners->addItem(S("None"));
    m_owners->addItems(m_stored.guildNames);
    m_owners->setCurrentIndex(m_stored.occupied ? m_owners->findText(m_stored.owner, Qt::MatchFixedString)
                                                : 0);

    if (m_stored.ended) {
        m_addGuild->hide();
        m_deleteGuild->hide();
        m_state2->hide();
        m_state1->setText(S("Siege Ended"));
    }
}

// ------------------------------------------------------------------ gates and statues

CastleSiege::NpcRef TCastleSiegeForm::npcOf(const NpcPage& page) const {
    return {m_group, page.kind, page.selected};
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
    ShowStored(page.life, QString::number(slot.life));
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
    page.slots[size_t(*index)] = CastleSiege::ReadNpc(npcOf(page), m_levels.of(page.kind));
    showBars(page, *index);
    showSelected(page);
}

void TCastleSiegeForm::buy(NpcPage& page) {
    if (page.selected < 0)
        return;
    page.slots[size_t(page.selected)] = CastleSiege::BuyNpc(npcOf(page), m_levels.of(page.kind));
    showBars(page, page.selected);
    showSelected(page);
}

void TCastleSiegeForm::remove(NpcPage& page) {
    if (page.selected < 0)
        return;
    if (!Dialogs::Ask(this, S("Warning"), S("Are you Sure?"), Dialogs::Icon::Question))
        return;
    page.slots[size_t(page.selected)] = CastleSiege::DeleteNpc(npcOf(page), m_levels.of(page.kind));
    showBars(page, page.selected);
    showSelected(page);
}

void TCastleSiegeForm::lifeTyped(NpcPage& page) {
    if (page.selected < 0)
        return;
    NpcSlot& slot = page.slots[size_t(page.selected)];
    if (!slot.exists)
        return;
    const CastleGeometry::LifeCheck typed = CastleGeometry::CheckTypedLife(page.life->text(), slot.maxLife);
    switch (typed.verdict) {
    case CastleGeometry::TypedLife::Empty:
        return;
    case CastleGeometry::TypedLife::NotWhole:
    case CastleGeometry::TypedLife::AboveMax:
        // Nothing is written; the field shows the life the gate still has.
        Error(this, typed.verdict == CastleGeometry::TypedLife::AboveMax
                        ? S("Life can't be more than max life")
                        : S("Life must be a whole number"));
        ShowStored(page.life, QString::number(slot.life));
        return;
    case CastleGeometry::TypedLife::Accepted:
        break;
    }
    slot.life = typed.life;
    showBars(page, page.selected);
    CastleSiege::SetLife(npcOf(page), typed.life);
}

void TCastleSiegeForm::levelChosen(NpcPage& page, bool regeneration, int item) {
    if (page.selected < 0)
        return;
    const auto which = regeneration ? CastleSiege::NpcLevel::Regeneration : CastleSiege::NpcLevel::Defence;
    if (CastleSiege::ChooseLevel(npcOf(page), page.slots[size_t(page.selected)], which, item))
        showBars(page, page.selected);
}

void TCastleSiegeForm::raiseLife(NpcPage& page) {
    if (page.selected < 0)
        return;
    if (!CastleSiege::RaiseLife(npcOf(page), page.slots[size_t(page.selected)], m_levels.of(page.kind)))
        return;
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
    const CastleSiege::Registration shown = CastleSiege::LoadRegistration(m_group, m_stored.listSet, guild);
    m_master->setText(shown.master);
    m_memberCount->setText(shown.memberCount);
    m_giveUp = shown.giveUp;
    if (shown.marks) {
        ShowStored(m_marks, *shown.marks);
        m_marksRow->show();
    }
    m_giveUpList->setCurrentIndex(m_giveUp);
    m_giveUpRow->show();
}

void TCastleSiegeForm::ComboBox2CloseUp(int item) {
    if (CastleSiege::ChooseGiveUp(m_group, m_stored.listSet, selectedGuild(), m_giveUp, item))
        m_giveUp = item;
}

void TCastleSiegeForm::ComboBox2KeyUp() {
    ComboBox2CloseUp(m_giveUpList->currentIndex());
}

void TCastleSiegeForm::LabeledEdit1KeyUp() {
    CastleSiege::SetMarks(m_group, selectedGuild(), m_marks->text());
}

void TCastleSiegeForm::BitBtn1Click() {
    if (m_stored.listSet) {
        Error(this, S("Adding guilds when registration state has ended is not allowed"));
        return;
    }
    const QString guild = PickGuild(this);
    if (guild.isEmpty())
        return;
    CastleSiege::Register(m_group, guild);
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
    CastleSiege::Unregister(m_group, guild);
    ListChoice::Remove(m_guilds, ListChoice::Chosen(m_guilds));
}

// ------------------------------------------------------------------ saving

void TCastleSiegeForm::BitBtn4Click() {
    CastleSiege::CastleChoice choice;
    choice.money = m_money->text();
    choice.ownerItem = m_owners->currentIndex();
    choice.ownerName = m_owners->currentText();
    choice.chaosItem = m_taxChaos->currentIndex();
    choice.storeItem = m_taxShop->currentIndex();
    choice.huntZoneItem = m_taxHunt->currentIndex();
    if (CastleSiege::Save(m_group, m_stored, choice) == CastleSiege::SaveResult::MoneyNotWhole) {
        Error(this, S("Castle Money must be a whole number"));
        return;
    }
    Dialogs::Show(this, S("Vorn Tanor Editor"), S("Castle Siege Updated"), Dialogs::Icon::Information);
    accept();
}

void TCastleSiegeForm::BitBtn3Click() {
    reject();
}
