#include "accounts/RenameCharUnit.h"

#include "accounts/AccountsKit.h"
#include "accounts/CharacterStatements.h"
#include "core/AppState.h"
#include "core/QueryHelpers.h"
#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace CharacterStatements;

TRenameCharForm::TRenameCharForm(QWidget* parent) : QDialog(parent) {
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

    auto* save = AccountsKit::Button(QStringLiteral("Save"), QStringLiteral("Save"), this);
    save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setMinimumWidth(280);

    ConnectGuarded(save, &QPushButton::clicked, this, [this] { SaveClick(); });
    RunGuarded(this, [this] { GetData(); });
}

void TRenameCharForm::GetData() {
    m_name->setText(AppState.CurrentCharacter);
    m_acc->setText(AppState.CurrentAccount);
}

QString TRenameCharForm::refusal(const QString& newName, int* slot) const {
    const QString oldName = m_name->text();
    const QString account = m_acc->text();
    if (newName.trimmed().isEmpty())
        return QStringLiteral("Type the new name.");
    // The server compares names without regard to case; a character may
    // take another case of its own name.
    Query taken = OpenOn(DataSource::TanorOnline, FindName(newName));
    if (!taken.IsEmpty() && taken.Fields(0).AsString().compare(oldName, Qt::CaseInsensitive) != 0)
        return QStringLiteral("Name is in Use");
    taken.Close();
    Query slots = OpenOn(DataSource::TanorOnline, SlotsOf(account));
    *slot = 0;
    for (int i = 1; i <= 5 && !slots.Eof() && *slot == 0; ++i) {
        if (slots.Fields(i - 1).AsString().compare(oldName, Qt::CaseInsensitive) == 0)
            *slot = i;
    }
    if (*slot == 0)
        return QStringLiteral("No character slot of the account ") + account + QStringLiteral(" holds ") +
               oldName + QStringLiteral("; nothing was renamed.");
    return QString();
}

void TRenameCharForm::SaveClick() {
    const QString newName = m_newName->text();
    int slot = 0;
    const QString refused = refusal(newName, &slot);
    if (!refused.isEmpty()) {
        Dialogs::Show(this, QStringLiteral("Error"), refused, Dialogs::Icon::Error);
    } else {
        rename(newName, slot);
    }
    accept();
}

void TRenameCharForm::rename(const QString& newName, int slot) {
    const QString oldName = m_name->text();
    const QString account = m_acc->text();
    if (ExecOn(DataSource::TanorOnline, RenameCharacter(account, oldName, newName)) == 0) {
        Dialogs::Show(this, QStringLiteral("Error"),
                      QStringLiteral("The account ") + account + QStringLiteral(" has no character ") +
                          oldName + QStringLiteral("; nothing was renamed."),
                      Dialogs::Icon::Error);
        return;
    }
    // The data layer holds no transaction across statements: should a later
    // update fail, say what is already done so it can be finished by hand.
    const struct {
        QString done;
        QString statement;
    } later[] = {
        {QStringLiteral("the character row"), RenameSlot(account, slot, newName)},
        {QStringLiteral("the character row and the account's slot"), RenameFriendNumber(oldName, newName)},
    };
    for (const auto& step : later) {
        try {
            ExecOn(DataSource::TanorOnline, step.statement);
        } catch (const DbError& e) {
            Dialogs::ShowError(this, Dialogs::ErrorText(e.text()) + QStringLiteral("\n\nRenamed so far: ") +
                                         step.done + QStringLiteral(". Not done: ") + step.statement);
            return;
        }
    }
    Dialogs::Show(this, QStringLiteral("Vorn Tanor Editor"), QStringLiteral("Rename Sucessfull"),
                  Dialogs::Icon::Information);
}
