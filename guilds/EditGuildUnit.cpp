#include "guilds/EditGuildUnit.h"

#include "core/AppState.h"
#include "core/QueryHelpers.h"
#include "guilds/GuildRoster.h"
#include "guilds/GuildSearch.h"
#include "guilds/GuildStatements.h"
#include "guilds/MarkEditor.h"
#include "widgets/Guard.h"
#include "widgets/ListChoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr DataSource kGame = DataSource::TanorOnline;

// Caption and object name of the member detail labels, with their column.
struct Detail {
    const char* caption;
    const char* name;
    const char* column;
};
constexpr std::array<Detail, 8> kDetails = {{
    {"Account:", "Account", "AccountID"},
    {"Level:", "Level", "cLevel"},
    {"Class:", "ClassType", "Class"},
    {"Strength:", "Strength", "Strength"},
    {"Agility:", "Agility", "Dexterity"},
    {"Vitality:", "Vitality", "Vitality"},
    {"Energy:", "energy", "Energy"},
    {"Command:", "Charisma", "Leadership"},
}};

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TEditGuildForm::TEditGuildForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditGuildForm"));
    setWindowTitle(QStringLiteral("Edit Guild..."));

    m_guildName = new QLineEdit(this);
    m_guildName->setObjectName(QStringLiteral("GuildName"));
    m_guildName->setReadOnly(true);
    m_score = new QLineEdit(this);
    m_score->setObjectName(QStringLiteral("Score"));
    m_score->setMaxLength(4);
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
    m_guild = AppState.CurrentGuild;
    m_guildName->setText(m_guild);
    if (OpenOn(kGame, GuildStatements::Find(m_guild)).IsEmpty()) {
        Dialogs::ShowPlain(this, QStringLiteral("Guild do not exist"));
        return;
    }
    Query guild = OpenOn(kGame, GuildStatements::Details(m_guild));
    m_mark->SetMark(GuildMark::FromBytes(guild.FieldByName(QStringLiteral("G_Mark")).AsBytes()));
    m_notice->setText(guild.FieldByName(QStringLiteral("G_Notice")).AsString());
    m_notice->setCursorPosition(0); // a long notice shows its beginning
    const QString score = guild.FieldByName(QStringLiteral("G_Score")).AsString();
    m_score->setText(score.isEmpty() ? QStringLiteral("0") : score);
    guild.Close();

    m_members->addItems(ListOn(kGame, GuildStatements::Members(m_guild)));
    m_modify->setEnabled(true);
}

void TEditGuildForm::ModifyClick() {
    bool ok = false;
    const int score = m_score->text().trimmed().toInt(&ok);
    if (!ok) {
        Dialogs::Show(this, QStringLiteral("Edit Guild..."),
                      QStringLiteral("Guild Score must be a whole number"), Dialogs::Icon::Error);
        return;
    }
    if (score < 0) {
        Dialogs::Show(this, QStringLiteral("Edit Guild..."), QStringLiteral("Guild Score cannot be negative"),
                      Dialogs::Icon::Error);
        return;
    }
    ExecOn(kGame, GuildStatements::Save(m_guild, m_mark->Mark(), m_notice->text(), score));
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
    Query character = OpenOn(kGame, GuildStatements::MemberCharacter(member));
    for (size_t i = 0; i < kDetails.size(); ++i) {
        const QString value = character.IsEmpty()
                                  ? QString()
                                  : character.FieldByName(QString::fromLatin1(kDetails[i].column)).AsString();
        m_details[i]->setText(i == 2 && !value.isEmpty() ? GuildRoster::ClassName(value) : value);
    }
    character.Close();

    Query rank = OpenOn(kGame, GuildStatements::MemberRank(member));
    const int item = GuildRoster::RankItemOf(
        rank.IsEmpty() ? QString() : rank.FieldByName(QStringLiteral("G_Status")).AsString());
    m_memberLevel->setCurrentIndex(item);
    const bool master = item == GuildRoster::kMasterItem;
    m_memberLevel->setEnabled(!master);
    m_kick->setEnabled(!master);
}

void TEditGuildForm::MemberLevelChange(int item) {
    const QListWidgetItem* member = ListChoice::Chosen(m_members);
    if (!member || item < 0 || item == GuildRoster::kMasterItem)
        return;
    ExecOn(kGame, GuildStatements::SetMemberStatus(member->text(), GuildRoster::StatusOfRankItem(item)));
}

void TEditGuildForm::KickClick() {
    QListWidgetItem* member = ListChoice::Chosen(m_members);
    if (!member)
        return;
    if (!Dialogs::Ask(this, QStringLiteral("Warning"), QStringLiteral("Are You Sure?"),
                      Dialogs::Icon::Information))
        return;
    ExecOn(kGame, GuildStatements::Kick(member->text()));
    ListChoice::Remove(m_members, member);
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Guild Member Kicked"),
                  Dialogs::Icon::Information);
}

void TEditGuildForm::BitBtn3Click() {
    m_unionList->clear();
    Query found = OpenOn(kGame, GuildStatements::UnionOf(m_guild));
    m_union = found.IsEmpty() ? 0 : found.FieldByName(QStringLiteral("G_Union")).AsInteger();
    found.Close();
    if (m_union != 0) {
        m_unionList->addItems(ListOn(kGame, GuildStatements::UnionGuilds(m_union)));
        if (m_unionList->count() > 0)
            m_unionList->setCurrentRow(0);
    }
    m_unionPanel->show();
}

void TEditGuildForm::UnionAddClick() {
    const QString picked = PickGuild(this);
    if (picked.isEmpty())
        return;
    const QString refusal =
        GuildRoster::UnionRefusal(m_guild, m_union, ListChoice::Entries(m_unionList), picked);
    if (!refusal.isEmpty()) {
        Dialogs::Show(this, QStringLiteral("Edit Guild..."), refusal, Dialogs::Icon::Warning);
        return;
    }
    if (m_union == 0) {
        // A new union: one above the highest in use (1 when none is).
        Query highest = OpenOn(kGame, GuildStatements::HighestUnion());
        m_union = (highest.IsEmpty() ? 0 : highest.Fields(0).AsInteger()) + 1;
        highest.Close();
        ExecOn(kGame, GuildStatements::SetUnion(m_guild, m_union));
        // The list shows the union as stored: the edited guild is in it now.
        m_unionList->addItem(m_guild);
    }
    ExecOn(kGame, GuildStatements::SetUnion(picked, m_union));
    m_unionList->addItem(picked);
}

void TEditGuildForm::UnionDeleteClick() {
    QListWidgetItem* entry = ListChoice::Chosen(m_unionList);
    if (!entry)
        return;
    ExecOn(kGame, GuildStatements::SetUnion(entry->text(), 0));
    ListChoice::Remove(m_unionList, entry);
}

void TEditGuildForm::BitBtn2Click() {
    m_unionPanel->hide();
}

void TEditGuildForm::BitBtn1Click() {
    reject();
}
