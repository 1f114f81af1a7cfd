#pragma once

#include "core/WindowContext.h"
#include <QDialog>

class QLineEdit;

// Moves the context's character from its account to another account through
// the server's move procedure. After a move the procedure reports as done, it
// hands the new account back (MovedTo).
class TMoveCharForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString movedTo READ MovedTo)
public:
    TMoveCharForm(const WindowContext& context, QWidget* parent = nullptr);

    // The account the character was moved to; empty while it was not moved.
    [[nodiscard]] const QString& MovedTo() const { return m_movedTo; }

    void GetNames();
    // "Move".
    void BitBtn1Click();

private:
    QLineEdit* m_oriAcc;
    QLineEdit* m_chrName;
    QLineEdit* m_newAcc;
    WindowContext m_context;
    QString m_movedTo;
};
