#pragma once

#include "accounts/AccountValues.h"
#include "core/WindowContext.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// Edits the context's account: holder's data and password.
class TModifyAccountForm : public QDialog {
    Q_OBJECT
public:
    TModifyAccountForm(const WindowContext& context, QWidget* parent = nullptr);

    // Shows the account and the hashing status, then loads (BitBtn1Click).
    void Creator();
    // Loads the account's fields.
    void BitBtn1Click();
    // "Save".
    void ModifyClick();
    // "Close": closes without saving.
    void ClosebClick();

private:
    QString m_account;
    std::optional<QString> m_storedPersonalId; // sno__numb as loaded
    QLabel* m_accountId;
    QLineEdit* m_name;
    QLineEdit* m_newPassword;
    QLineEdit* m_newRePassword;
    QLineEdit* m_mail;
    QLineEdit* m_securityNumber;
    QLineEdit* m_secretQuestion;
    QLineEdit* m_secretAnswer;
    QLabel* m_md5Label2;
    QPushButton* m_modify;
    AccountValues::Hashing m_hashing = AccountValues::Hashing::Disabled;
    WindowContext m_context;
};
