#pragma once

#include "accounts/CharacterOps.h"
#include "core/WindowContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Renames the context's character of its account: its row, its slot of the
// account and its names in the friend system. Once the character row is
// renamed (also when a later step failed) it hands the new name back
// (RenamedTo).
class TRenameCharForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString renamedTo READ RenamedTo)
public:
    TRenameCharForm(const WindowContext& context, QWidget* parent = nullptr);

    // The character's new name; empty while it was not renamed.
    [[nodiscard]] const QString& RenamedTo() const { return m_renamedTo; }

    void GetData();
    // "Save".
    void SaveClick();

private:
    // A rename that failed after its first step.
    void showPartial(const CharacterOps::RenameResult& result);

    QLineEdit* m_name;
    QLineEdit* m_acc;
    QLineEdit* m_newName;
    WindowContext m_context;
    QString m_renamedTo;
    QPushButton* m_save;
    QLabel* m_applied;
};
