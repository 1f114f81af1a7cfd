#pragma once

#include "core/WindowContext.h"
#include <QDialog>

class QLabel;
class QLineEdit;
class RadioGroup;

// Creates a character for the context's account and hands its name back
// (CreatedCharacter).
class TNewCharacterForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString createdCharacter READ CreatedCharacter)
public:
    TNewCharacterForm(const WindowContext& context, QWidget* parent = nullptr);

    // The character created; empty while none was.
    [[nodiscard]] const QString& CreatedCharacter() const { return m_created; }

    void FillDate();
    // "Add".
    void Button1Click();

private:
    QString m_account;
    QLabel* m_accountName;
    QLineEdit* m_newCharacterName;
    RadioGroup* m_newCharacterType;
    WindowContext m_context;
    QString m_created;
};
