#include "accounts/RenameCharUnit.h"

#include "accounts/AccountsKit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRenameCharForm::TRenameCharForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("RenameCharForm"));
    setWindowTitle(QStringLiteral("Rename Character..."));

    auto* group = new QGroupBox(QStringLiteral("Character Details"), this);
    auto* form = new QFormLayout(group);
    m_name = AccountsKit::Shown(QStringLiteral("Name"), group);
    m_acc = AccountsKit::Shown(QStringLiteral("Acc"), group);
    m_newName = AccountsKit::Edit(QStringLiteral("NewName"), group, 10);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Account:"), m_acc);
    form->addRow(QStringLiteral("New Name:"), m_newName);

    m_save = AccountsKit::Button(QStringLiteral("Save"), QStringLiteral("Save"), this);
    m_save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);

    m_applied = new QLabel(this);
    m_applied->setObjectName(QStringLiteral("Applied"));
    m_applied->setWordWrap(true);
    m_applied->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_applied->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_applied);
    layout->addLayout(buttons);
    setMinimumWidth(280);

    ConnectGuarded(m_save, &QPushButton::clicked, this, [this] { SaveClick(); });
    RunGuarded(this, [this] { GetData(); });
}

void TRenameCharForm::GetData() {
    m_name->setText(m_context.character);
    m_acc->setText(m_context.account);
}

void TRenameCharForm::SaveClick() {
    const QString newName = m_newName->text();
    const CharacterOps::RenameResult result = CharacterOps::Rename(m_acc->text(), m_name->text(), newName);
    // From the character row on, the character is known by the new name,
    // also when a later step failed: the character editor follows it.
    if (result.characterRenamed())
        m_renamedTo = newName;
    if (!result.refusal.isEmpty()) {
        Dialogs::Show(this, QStringLiteral("Error"), result.refusal, Dialogs::Icon::Error);
    } else if (!result.complete()) {
        showPartial(result);
        return;
    } else {
        Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Rename Sucessfull"),
                      Dialogs::Icon::Information);
    }
    accept();
}

void TRenameCharForm::showPartial(const CharacterOps::RenameResult& result) {
    const QString done = QStringLiteral("Renamed so far: ") + result.applied.join(QStringLiteral(", ")) +
                         QStringLiteral(".\nNot done:\n") + result.notDone.join(QLatin1Char('\n'));
    // The window stays with what was applied in view, so the statements left
    // can be finished by hand; a second Save would start from checks that no
    // longer hold.
    m_applied->setText(done);
    m_applied->show();
    m_newName->setReadOnly(true);
    m_save->setEnabled(false);
    Dialogs::ShowError(this, Dialogs::ErrorText(result.error) + QStringLiteral("\n\n") + done);
}
