#include "accounts/AccountCreationForm.h"

#include "accounts/AccountOps.h"
#include "accounts/AccountsKit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace AccountsKit;

namespace {
const QString kTitle = QStringLiteral("Vorn TanorEditor");
}

TCreateAccountForm::TCreateAccountForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CreateAccountForm"));
    setWindowTitle(QStringLiteral("Create Account"));

    auto* form = new QFormLayout;
    m_accountId = AddField(form, QStringLiteral("AccountID"), QStringLiteral("AccountID"), 10);
    m_password = AddField(form, QStringLiteral("Password"), QStringLiteral("Password"), 10);
    MaskWithStars(m_password);
    m_name = AddField(form, QStringLiteral("Name"), QStringLiteral("Name"), 10);
    m_securityNumber = AddField(form, QStringLiteral("Personal ID"), QStringLiteral("SecurityNumber"), 7);
    m_mail = AddField(form, QStringLiteral("Mail"), QStringLiteral("Mail"), 50);
    m_secretQuestion =
        AddField(form, QStringLiteral("Secret Question"), QStringLiteral("SecretQuestion"), 50);
    m_secretAnswer = AddField(form, QStringLiteral("Secret Answer"), QStringLiteral("SecretAnswer"), 50);

    // The status under its caption.
    auto* md5Column = new QVBoxLayout;
    md5Column->setSpacing(2);
    md5Column->addWidget(new QLabel(QStringLiteral("MD5 is currently"), this));
    m_md5Label = new QLabel(this);
    m_md5Label->setObjectName(QStringLiteral("MD5Label"));
    md5Column->addWidget(m_md5Label);

    auto* create = Button(QStringLiteral("BitBtn1"), QStringLiteral("Create"), this);
    create->setDefault(true);
    auto* close = Button(QStringLiteral("BitBtn2"), QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(md5Column);
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    ConnectGuarded(create, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(close, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

    RunGuarded(this, [this] { Creator(); });
}

void TCreateAccountForm::Creator() {
    m_hashing = AccountValues::ReadHashing();
    ShowHashing(m_md5Label, m_hashing);
}

void TCreateAccountForm::BitBtn1Click() {
    const QString account = m_accountId->text();
    if (account.trimmed().isEmpty()) {
        Dialogs::Show(this, kTitle, QStringLiteral("Type the name of the new account."),
                      Dialogs::Icon::Warning);
        return;
    }
    const AccountValues::NewAccount row{
        account,        m_password->text(),       m_name->text(),        m_securityNumber->text(),
        m_mail->text(), m_secretQuestion->text(), m_secretAnswer->text()};
    const AccountOps::CreateOutcome outcome = AccountOps::Create(row, m_hashing);
    switch (outcome.result) {
    case AccountOps::CreateResult::Exists:
        Dialogs::Show(this, kTitle, QStringLiteral("Account Exist!"), Dialogs::Icon::None);
        return;
    case AccountOps::CreateResult::CreatedWithoutPassword:
        // Still handed over, so that it is listed and can be mended in the
        // editing window.
        Dialogs::ShowError(this, Dialogs::ErrorText(outcome.error) + QStringLiteral("\n\nThe account ") +
                                     account +
                                     QStringLiteral(" was created but has no usable password. Set one "
                                                    "with \"Edit Current Account\"."));
        break;
    case AccountOps::CreateResult::Created:
        Dialogs::Show(this, kTitle, QStringLiteral("Account Created!"), Dialogs::Icon::None);
        break;
    }
    reportCreated(account);
}

void TCreateAccountForm::BitBtn2Click() {
    reject();
}

void TCreateAccountForm::reportCreated(const QString& account) {
    m_created = account;
    accept();
}
