#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class RadioGroup;

// Creates a character for AppState.CurrentAccount and hands its name back in
// AppState.CurrentCharacter.
class TNewCharacterForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewCharacterForm(QWidget* parent = nullptr);

    void FillDate();
    // "Add".
    void Button1Click();

private:
    QString m_account;
    QLabel* m_accountName;
    QLineEdit* m_newCharacterName;
    RadioGroup* m_newCharacterType;
};
