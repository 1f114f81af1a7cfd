#include "accounts/NewCharacterUnit.h"

#include "accounts/AccountsKit.h"
#include "accounts/CharacterCodes.h"
#include "accounts/CharacterOps.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("New Character");
} // namespace

TNewCharacterForm::TNewCharacterForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("NewCharacterForm"));
    setWindowTitle(QStringLiteral("New Character"));

    auto* form = new QFormLayout;
    m_accountName = new QLabel(this);
    m_accountName->setObjectName(QStringLiteral("AccountName"));
    QFont bold = m_accountName->font();
    bold.setBold(true);
    m_accountName->setFont(bold);
    form->addRow(QStringLiteral("Account:"), m_accountName);
    m_newCharacterName =
        AccountsKit::AddField(form, QStringLiteral("Name"), QStringLiteral("NewCharacterName"), 10);

    m_newCharacterType = new RadioGroup(QStringLiteral("Character Type"),
                                        CharacterCodes::Captions(CharacterCodes::BaseClasses()), this);
    m_newCharacterType->setObjectName(QStringLiteral("NewCharacterType"));
    m_newCharacterType->SetItemIndex(0);

    auto* add = AccountsKit::Button(QStringLiteral("Button1"), QStringLiteral("Add"), this);
    add->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_newCharacterType);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    ConnectGuarded(add, &QPushButton::clicked, this, [this] { Button1Click(); });
    RunGuarded(this, [this] { FillDate(); });
}

void TNewCharacterForm::FillDate() {
    m_account = m_context.account;
    m_accountName->setText(m_account);
}

void TNewCharacterForm::Button1Click() {
    const QString name = m_newCharacterName->text();
    if (name.trimmed().isEmpty()) {
        Dialogs::Show(this, kCaption, QStringLiteral("Type the name of the new character."),
                      Dialogs::Icon::Warning);
        return;
    }
    const int item = m_newCharacterType->ItemIndex();
    const int classCode = CharacterCodes::BaseClasses()[std::size_t(item < 0 ? 0 : item)].code;
    switch (CharacterOps::Create(m_account, name, classCode)) {
    case CharacterOps::CreateResult::NameInUse:
        Dialogs::Show(this, QStringLiteral("Error"), QStringLiteral("Name is in use"), Dialogs::Icon::Error);
        return;
    case CharacterOps::CreateResult::NotCreated:
        Dialogs::Show(this, kCaption,
                      QStringLiteral("The server did not create the character ") + name +
                          QStringLiteral(" (is a character slot of the account free?)."),
                      Dialogs::Icon::Error);
        return;
    case CharacterOps::CreateResult::Created:
        break;
    }
    m_created = name;
    accept();
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Character Created"),
                  Dialogs::Icon::Information);
}
