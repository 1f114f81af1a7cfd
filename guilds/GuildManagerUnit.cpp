#include "guilds/GuildManagerUnit.h"

#include "guilds/GuildStore.h"
#include "guilds/MarkEditor.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
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
    switch (GuildStore::Create(guild, m_guildMaster->text(), m_mark->Mark())) {
    case GuildStore::CreateResult::NoSuchCharacter:
        Refuse(this, "Character do not Exist!");
        return;
    case GuildStore::CreateResult::Taken:
        Refuse(this, "Guild Name or Guild Master exist!");
        return;
    case GuildStore::CreateResult::NotCreated:
        Refuse(this, "Guild was not created!");
        return;
    case GuildStore::CreateResult::Created:
        break;
    }
    m_created = guild;
    Dialogs::Show(this, QStringLiteral("Vorn Editor"), QStringLiteral("Guild Created!"),
                  Dialogs::Icon::Information);
    accept();
}

void TGuildManagerForm::BitBtn2Click() {
    reject();
}
