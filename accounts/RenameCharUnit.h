#pragma once

#include "accounts/CharacterOps.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Renames the character AppState.CurrentCharacter of AppState.CurrentAccount:
// its row, its slot of the account and its names in the friend system. On
// success, and after a partial rename, CurrentCharacter holds the new name.
class TRenameCharForm : public QDialog {
    Q_OBJECT
public:
    explicit TRenameCharForm(QWidget* parent = nullptr);

    void GetData();
    // "Save".
    void SaveClick();

private:
    // A rename that failed after its first step.
    void showPartial(const CharacterOps::RenameResult& result);

    QLineEdit* m_name;
    QLineEdit* m_acc;
    QLineEdit* m_newName;
    QPushButton* m_save;
    QLabel* m_applied;
};
