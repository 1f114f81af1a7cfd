#include "accounts/MoveCharUnit.h"

#include "accounts/AccountsKit.h"
#include "accounts/CharacterCodes.h"
#include "accounts/CharacterOps.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TMoveCharForm::TMoveCharForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("MoveCharForm"));
    setWindowTitle(QStringLiteral("Move Character..."));

    auto* group = new QGroupBox(QStringLiteral("Move Details"), this);
    auto* form = new QFormLayout(group);
    m_oriAcc = AccountsKit::Shown(QStringLiteral("OriACC"), group);
    m_chrName = AccountsKit::Shown(QStringLiteral("ChrName"), group);
    m_newAcc = AccountsKit::Edit(QStringLiteral("NewACC"), group, 10);
    form->addRow(QStringLiteral("Original Account:"), m_oriAcc);
    form->addRow(QStringLiteral("Character Name:"), m_chrName);
    form->addRow(QStringLiteral("New Account:"), m_newAcc);

    auto* move = AccountsKit::Button(QStringLiteral("BitBtn1"), QStringLiteral("Move"), this);
    move->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(move);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    ConnectGuarded(move, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    RunGuarded(this, [this] { GetNames(); });
}

void TMoveCharForm::GetNames() {
    m_oriAcc->setText(m_context.account);
    m_chrName->setText(m_context.character);
}

void TMoveCharForm::BitBtn1Click() {
    const QString newAccount = m_newAcc->text();
    const CharacterOps::MoveResult answer =
        CharacterOps::Move(m_oriAcc->text(), m_chrName->text(), newAccount);
    if (!answer.code) {
        Dialogs::ShowError(this, answer.problem);
        return;
    }
    // OK and Cancel both only close the box.
    (void)Dialogs::Ask(this, QStringLiteral("Move Character..."),
                       CharacterCodes::MoveResultText(*answer.code), Dialogs::Icon::Information);
    if (*answer.code == 0)
        m_movedTo = newAccount; // the character editor follows the character
    accept();
}
