#include "guilds/GuildManagerUnit.h"

#include "core/QueryHelpers.h"
#include "guilds/GuildStatements.h"
#include "guilds/MarkEditor.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr DataSource kGame = DataSource::TanorOnline;

void Refuse(QWidget* window, const char* text) {
    Dialogs::Show(window, QStringLiteral("Vorn TanorEditor"), QString::fromLatin1(text),
                  Dialogs::Icon::Error);
}
} // namespace

TGuildManagerForm::TGuildManagerForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GuildManagerForm"));
    setWindowTitle(QStringLiteral("Create Guild..."));

    m_guildName = new QLineEdit(this);
    m_guildName->setObjectName(QStringLiteral("GuildName"));
    m_guildName->setMaxLength(8);
    m_guildMaster = new QLineEdit(this);
    m_guildMaster->setObjectName(QStringLiteral("GuildMaster"));
    m_guildMaster->setMaxLength(10);
    m_mark = new MarkEditor(this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Guild Name"), m_guildName);
    fields->addRow(QStringLiteral("Guild Master"), m_guildMaster);
    fields->addRow(QStringLiteral("Guild Mark:"), m_mark);

    auto* create = new QPushButton(QStringLiteral("Create"), this);
    create->setObjectName(QStringLiteral("BitBtn3"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    ConnectGuarded(create, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    ConnectGuarded(close, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

    RunGuarded(this, [this] { CreateForm(); });
}

void TGuildManagerForm::CreateForm() {
    m_mark->SetMark(GuildMark::Cells{});
}

void TGuildManagerForm::BitBtn3Click() {
    const QString guild = m_guildName->text();
    const QString master = m_guildMaster->text();
    if (OpenOn(kGame, GuildStatements::FindCharacter(master)).IsEmpty()) {
        Refuse(this, "Character do not Exist!");
        return;
    }
    const bool nameTaken = !OpenOn(kGame, GuildStatements::FindName(guild)).IsEmpty();
    const bool masterTaken = !OpenOn(kGame, GuildStatements::FindMaster(master)).IsEmpty();
    if (nameTaken || masterTaken) {
        Refuse(this, "Guild Name or Guild Master exist!");
        return;
    }
    (void)OpenOn(kGame, GuildStatements::Create(guild, master));
    // The procedure may refuse (a master who is a member elsewhere, say);
    // raising that character's rank would then change another guild.
    if (OpenOn(kGame, GuildStatements::FindMaster(master)).IsEmpty()) {
        Refuse(this, "Guild was not created!");
        return;
    }
    ExecOn(kGame, GuildStatements::MakeMaster(master));
    ExecOn(kGame, GuildStatements::SetMarkOfMaster(master, m_mark->Mark()));
    m_created = guild;
    Dialogs::Show(this, QStringLiteral("Vorn Editor"), QStringLiteral("Guild Created!"),
                  Dialogs::Icon::Information);
    accept();
}

void TGuildManagerForm::BitBtn2Click() {
    reject();
}
