#pragma once

#include <QDialog>

class QLineEdit;

// Moves the character AppState.CurrentCharacter from AppState.CurrentAccount
// to another account through the server's move procedure. After a move the
// procedure reports as done, CurrentAccount holds the new account.
class TMoveCharForm : public QDialog {
    Q_OBJECT
public:
    explicit TMoveCharForm(QWidget* parent = nullptr);

    void GetNames();
    // "Move".
    void BitBtn1Click();

private:
    QLineEdit* m_oriAcc;
    QLineEdit* m_chrName;
    QLineEdit* m_newAcc;
};
