#pragma once

#include <QDialog>

class QLineEdit;

// Renames the character AppState.CurrentCharacter of AppState.CurrentAccount:
// its row, its slot of the account and its friend-system name.
class TRenameCharForm : public QDialog {
    Q_OBJECT
public:
    explicit TRenameCharForm(QWidget* parent = nullptr);

    void GetData();
    // "Save".
    void SaveClick();

private:
    // Why the rename cannot be done, or empty when it can; *slot is the
    // account's slot holding the old name.
    QString refusal(const QString& newName, int* slot) const;
    void rename(const QString& newName, int slot);

    QLineEdit* m_name;
    QLineEdit* m_acc;
    QLineEdit* m_newName;
};
