#pragma once

#include "accounts/AccountValues.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// Creates a game account in MEMB_INFO. On success it hands the new name back
// to its opener (CreatedAccount).
class TCreateAccountForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString createdAccount READ CreatedAccount)
public:
    explicit TCreateAccountForm(QWidget* parent = nullptr);

    // The account created; empty while none was.
    [[nodiscard]] const QString& CreatedAccount() const { return m_created; }

    // Reads the hashing setting into the status.
    void Creator();
    // "Create".
    void BitBtn1Click();
    // "Close": closes without creating.
    void BitBtn2Click();

private:
    void reportCreated(const QString& account);

    QString m_created;
    QLineEdit* m_accountId;
    QLineEdit* m_password;
    QLineEdit* m_name;
    QLineEdit* m_securityNumber;
    QLineEdit* m_mail;
    QLineEdit* m_secretQuestion;
    QLineEdit* m_secretAnswer;
    QLabel* m_md5Label;
    AccountValues::Hashing m_hashing = AccountValues::Hashing::Disabled;
};
