#include "guilds/EditGuildUnit.h"

#include "guilds/GuildRoster.h"
#include "guilds/GuildSearch.h"
#include "guilds/GuildStore.h"
#include "guilds/MarkEditor.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"
#include "widgets/WidgetKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

// Caption and object name of the member detail labels, with what they show.
struct Detail {
    const char* caption;
    const char* name;
    QString GuildStore::Member::*value;
};
constexpr std::array<Detail, 8> kDetails = {{
    {"Account:", "Account", &GuildStore::Member::account},
    {"Level:", "Level", &GuildStore::Member::level},
    {"Class:", "ClassType", &GuildStore::Member::className},
    {"Strength:", "Strength", &GuildStore::Member::strength},
    {"Agility:", "Agility", &GuildStore::Member::agility},
    {"Vitality:", "Vitality", &GuildStore::Member::vitality},
    {"Energy:", "energy", &GuildStore::Member::energy},
    {"Command:", "Charisma", &GuildStore::Member::command},
}};

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TEditGuildForm::TEditGuildForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("EditGuildForm"));
    setWindowTitle(QStringLiteral("Edit Guild..."));

    m_guildName = new QLineEdit(this);
    m_guildName->setObjectName(QStringLiteral("GuildName"));
    m_guildName->setReadOnly(true);
    m_score = new QLineEdit(this);
    m_score->setObjectName(QStringLiteral("Score"));
    LimitTyping(m_score, 4);
    m_notice = new QLineEdit(this);
    m_notice->setObjectName(QStringLiteral("Notice"));
    m_notice->setMinimumWidth(260);
    m_mark = new MarkEditor(this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Guild Name:"), m_guildName);
    fields->addRow(QStringLiteral("Guild Score:"), m_score);
    fields->addRow(QStringLiteral("Guild Notice:"), m_notice);
    fields->addRow(QStringLiteral("Guild Mark:"), m_mark);

    m_modify = Button(this, "Modify", "Save");
    m_modify->setEnabled(false);
    auto* unionButton = Button(this, "BitBtn3", "Union...");
    auto* close = Button(this, "BitBtn1", "Close");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(unionButton);
    buttons->addStretch();
    buttons->addWidget(m_modify);
    buttons->addWidget(close);

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addWidget(buildMemberPanel(), 1);
    columns->addWidget(buildUnionPanel());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    ConnectGuarded(m_modify, &QPushButton::clicked, this, [this] { ModifyClick(); });
    ConnectGuarded(unionButton, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    RunGuarded(this, [this] { FormCreate(); });
}

QWidget* TEditGuildForm::buildMemberPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Guild Members:"), this);
    m_members = new QListWidget(panel);
    m_members->setObjectName(QStringLiteral("GuildMember"));
    m_members->setMinimumWidth(130);
    m_memberLevel = new QComboBox(panel);
    m_memberLevel->setObjectName(QStringLiteral("MemberLevel"));
    m_memberLevel->addItems(GuildRoster::RankCaptions());
    m_memberLevel->setCurrentIndex(-1);
    m_memberLevel->setEnabled(false);
    m_kick = Button(panel, "Kick", "Kick Member");
    m_kick->setEnabled(false);

    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Member Level:"), m_memberLevel);
    for (size_t i = 0; i < kDetails.size(); ++i) {
        m_details[i] = new QLabel(panel);
        m_details[i]->setObjectName(QString::fromLatin1(kDetails[i].name));
        details->addRow(QString::fromLatin1(kDetails[i].caption), m_details[i]);
    }
    auto* layout = new QHBoxLayout(panel);
    layout->addWidget(m_members, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(details);
    right->addStretch();
    right->addWidget(m_kick);
    layout->addLayout(right);

    // Selected by mouse or keyboard alike: the rank list and "Kick Member"
    // must always belong to the member highlighted.
    ListChoice::Follow(m_members, this, [this] { GuildMemberClick(); });
    ConnectGuarded(m_memberLevel, &QComboBox::activated, this, [this](int item) { MemberLevelChange(item); });
    ConnectGuarded(m_kick, &QPushButton::clicked, this, [this] { KickClick(); });
    return panel;
}

QWidget* TEditGuildForm::buildUnionPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Guild Union:"), this);
    m_unionPanel = panel;
    panel->setObjectName(QStringLiteral("UnionPanel"));
    m_unionList = new QListWidget(panel);
    m_unionList->setObjectName(QStringLiteral("Union"));
    auto* add = Button(panel, "UnionAdd", "Add...");
    auto* remove = Button(panel, "UnionDelete", "Delete");
    auto* close = Button(panel, "BitBtn2", "Close");
    auto* note =
        new QLabel(QStringLiteral("You won't be able to undo the changes even if you don't save "), panel);
    note->setObjectName(QStringLiteral("UnionNote"));
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(m_unionList, 1);
    layout->addLayout(buttons);
    layout->addWidget(note);
    panel->setFixedWidth(240);
    panel->hide();

    ConnectGuarded(add, &QPushButton::clicked, this, [this] { UnionAddClick(); });
    ConnectGuarded(remove, &QPushButton::clicked, this, [this] { UnionDeleteClick(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    return panel;
}

void TEditGuildForm::FormCreate() {
    m_guild = m_context.guild;
    m_guildName->setText(m_guild);
    const std::optional<GuildStore::StoredGuild> guild = GuildStore::Load(m_guild);
    if (!guild) {
        Dialogs::ShowPlain(this, QStringLiteral("Guild do not exist"));
        return;
    }
    m_mark->SetMark(guild->mark);
    m_notice->setText(guild->notice);
    m_notice->setCursorPosition(0); // a long notice shows its beginning
    m_loadedScore = guild->score;
    ShowStored(m_score, m_loadedScore);
    m_members->addItems(guild->members);
    m_modify->setEnabled(true);
}

void TEditGuildForm::ModifyClick() {
    const GuildStore::SaveResult saved =
        GuildStore::Save({m_guild, m_mark->Mark(), m_notice->text(), m_loadedScore, m_score->text()});
    if (saved == GuildStore::SaveResult::ScoreNotWhole) {
        Dialogs::Show(this, QStringLiteral("Edit Guild..."),
                      QStringLiteral("Guild Score must be a whole number"), Dialogs::Icon::Error);
        return;
    }
    Dialogs::Show(this, QStringLiteral("TanorEditor"), QStringLiteral("Guild Information Updated!"),
                  Dialogs::Icon::Information);
    accept();
}

void TEditGuildForm::GuildMemberClick() {
    const QString member = ListChoice::ChosenText(m_members);
    if (member.isEmpty())
        clearMember();
    else
        showMember(member);
}

void TEditGuildForm::clearMember() {
    for (QLabel* detail : m_details)
        detail->clear();
    m_memberLevel->setCurrentIndex(-1);
    m_memberLevel->setEnabled(false);
    m_kick->setEnabled(false);
}

void TEditGuildForm::showMember(const QString& member) {
    const GuildStore::Member shown = GuildStore::LoadMember(member);
    for (size_t i = 0; i < kDetails.size(); ++i)
        m_details[i]->setText(shown.*kDetails[i].value);
    m_memberLevel->setCurrentIndex(shown.rankItem);
    const bool master = shown.rankItem == GuildRoster::kMasterItem;
    m_memberLevel->setEnabled(!master);
    m_kick->setEnabled(!master);
}

void TEditGuildForm::MemberLevelChange(int item) {
    const QListWidgetItem* member = ListChoice::Chosen(m_members);
    if (member)
        GuildStore::SetRank(member->text(), item);
}

void TEditGuildForm::KickClick() {
    QListWidgetItem* member = ListChoice::Chosen(m_members);
    if (!member)
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Warning"), QStringLiteral("Are You Sure?"),
                      Dialogs::Icon::Information))
        return;
    GuildStore::Kick(member->text());
    ListChoice::Remove(m_members, member);
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Guild Member Kicked"),
                  Dialogs::Icon::Information);
}

void TEditGuildForm::BitBtn3Click() {
    m_unionList->clear();
    const GuildStore::Union found = GuildStore::LoadUnion(m_guild);
    m_union = found.number;
    m_unionList->addItems(found.guilds);
    if (m_unionList->count() > 0)
        m_unionList->setCurrentRow(0);
    m_unionPanel->show();
}

void TEditGuildForm::UnionAddClick() {
    const QString picked = PickGuild(this);
    if (picked.isEmpty())
        return;
    GuildStore::Union stored{m_union, ListChoice::Entries(m_unionList)};
    const qsizetype listed = stored.guilds.size();
    // The list shows the union as stored, also when a later step fails: a
    // new union holds the edited guild too.
    const auto show = qScopeGuard([&] {
        m_union = stored.number;
        m_unionList->addItems(stored.guilds.mid(listed));
    });
    const QString refusal = GuildStore::JoinUnion(m_guild, stored, picked);
    if (!refusal.isEmpty())
        Dialogs::Show(this, QStringLiteral("Edit Guild..."), refusal, Dialogs::Icon::Warning);
}

void TEditGuildForm::UnionDeleteClick() {
    QListWidgetItem* entry = ListChoice::Chosen(m_unionList);
    if (!entry)
        return;
    GuildStore::LeaveUnion(entry->text());
    ListChoice::Remove(m_unionList, entry);
}

void TEditGuildForm::BitBtn2Click() {
    m_unionPanel->hide();
}

void TEditGuildForm::BitBtn1Click() {
    reject();
}
