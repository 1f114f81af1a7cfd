#include "accounts/ModifyAccountUnit.h"

#include "accounts/AccountOps.h"
#include "accounts/AccountsKit.h"
#include "widgets/Dialogs.h"
#include "widgets/Guard.h"
#include "widgets/WidgetKit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace AccountsKit;

TModifyAccountForm::TModifyAccountForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("ModifyAccountForm"));
    setWindowTitle(QStringLiteral("Modify Account"));

    auto* accountRow = new QHBoxLayout;
    accountRow->addWidget(new QLabel(QStringLiteral("Account:"), this));
    m_accountId = new QLabel(this);
    m_accountId->setObjectName(QStringLiteral("AccountID"));
    m_accountId->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    m_accountId->setTextInteractionFlags(Qt::TextSelectableByMouse);
    accountRow->addWidget(m_accountId);
    accountRow->addStretch();

    // Labels, fields, and beside the two password fields their notes; the
    // other fields run the whole width.
    auto* form = new QGridLayout;
    form->setColumnStretch(1, 1);
    int row = 0;
    const auto addRow = [this, form, &row](const QString& label, QLineEdit* edit, bool besideNotes) {
        form->addWidget(new QLabel(label, this), row, 0);
        form->addWidget(edit, row, 1, 1, besideNotes ? 1 : 2);
        ++row;
        return edit;
    };
    const auto field = [this, &addRow](const QString& label, const QString& name, int maxLength = 0) {
        return addRow(label, Edit(name, this, maxLength), false);
    };
    m_name = field(QStringLiteral("Name"), QStringLiteral("Name"));

    m_newPassword = Edit(QStringLiteral("NewPassword"), this);
    m_newRePassword = Edit(QStringLiteral("NewRePassword"), this);
    MaskWithStars(m_newPassword);
    MaskWithStars(m_newRePassword);
    auto* blank = new QLabel(QStringLiteral("Leave Blanck if you do not want to change the password"), this);
    blank->setWordWrap(true);
    auto* onlyMd5 = new QLabel(QStringLiteral("(Only for MD5)"), this);
    onlyMd5->setStyleSheet(QStringLiteral("color: red"));
    auto* notes = new QVBoxLayout;
    notes->setSpacing(0);
    notes->addWidget(blank);
    notes->addWidget(onlyMd5);
    form->addLayout(notes, row, 2, 2, 1);
    addRow(QStringLiteral("New Password"), m_newPassword, true);
    addRow(QStringLiteral("New Re-Password"), m_newRePassword, true);

    m_mail = field(QStringLiteral("Mail"), QStringLiteral("Mail"));
    m_securityNumber = field(QStringLiteral("Security Number"), QStringLiteral("SecurityNumber"), 7);
    m_secretQuestion = field(QStringLiteral("Secret Question"), QStringLiteral("SecretQuestion"));
    m_secretAnswer = field(QStringLiteral("Secret Answer"), QStringLiteral("SecretAnswer"));

    auto* md5Row = new QHBoxLayout;
    md5Row->addWidget(new QLabel(QStringLiteral("MD5 is "), this));
    m_md5Label2 = new QLabel(this);
    m_md5Label2->setObjectName(QStringLiteral("MD5Label2"));
    md5Row->addWidget(m_md5Label2);
    md5Row->addStretch();

    m_modify = Button(QStringLiteral("Modify"), QStringLiteral("Save"), this);
    m_modify->setEnabled(false);
    m_modify->setDefault(true);
    auto* close = Button(QStringLiteral("Closeb"), QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_modify);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(accountRow);
    layout->addLayout(form);
    layout->addLayout(md5Row);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    ConnectGuarded(m_modify, &QPushButton::clicked, this, [this] { ModifyClick(); });
    connect(close, &QPushButton::clicked, this, [this] { ClosebClick(); });

    RunGuarded(this, [this] { Creator(); });
}

void TModifyAccountForm::Creator() {
    m_account = m_context.account;
    m_accountId->setText(m_account);
    m_hashing = AccountValues::ReadHashing();
    ShowHashing(m_md5Label2, m_hashing);
    BitBtn1Click();
}

void TModifyAccountForm::BitBtn1Click() {
    const std::optional<AccountOps::StoredAccount> stored = AccountOps::Load(m_account);
    if (!stored) {
        Dialogs::ShowPlain(this, QStringLiteral("Account do not Exist!!!"));
        return;
    }
    m_modify->setEnabled(true);
    m_storedPersonalId = stored->personalId;
    m_name->setText(stored->name);
    m_mail->setText(stored->mail);
    m_securityNumber->setText(AccountValues::ShownPersonalId(stored->personalId.value_or(QString())));
    m_secretQuestion->setText(stored->question);
    m_secretAnswer->setText(stored->answer);
    if (m_hashing == AccountValues::Hashing::Disabled) {
        m_newPassword->setText(stored->password);
        m_newRePassword->setText(stored->password);
    }
}

void TModifyAccountForm::ModifyClick() {
    const QString password = m_newPassword->text();
    if (password != m_newRePassword->text()) {
        Dialogs::ShowPlain(this, QStringLiteral("Passwords do Not Match"));
        return;
    }
    AccountOps::AccountChange change;
    change.account = m_account;
    change.name = m_name->text();
    change.mail = m_mail->text();
    change.personalId = AccountValues::PersonalIdToWrite(m_storedPersonalId, m_securityNumber->text());
    change.question = m_secretQuestion->text();
    change.answer = m_secretAnswer->text();
    change.newPassword = password;
    change.hashing = m_hashing;
    if (AccountOps::Save(change) == AccountOps::SaveResult::AccountMissing) {
        Dialogs::Show(this, QStringLiteral("Modify Account"),
                      QStringLiteral("The account ") + m_account +
                          QStringLiteral(" no longer exists; nothing was saved."),
                      Dialogs::Icon::Warning);
        return;
    }
    Dialogs::ShowPlain(this, password.isEmpty()
                                 ? QStringLiteral("Account Data Updated!")
                                 : QStringLiteral("Account Data ") + m_account + QStringLiteral(" Updated!"));
    accept();
}

void TModifyAccountForm::ClosebClick() {
    reject();
}
