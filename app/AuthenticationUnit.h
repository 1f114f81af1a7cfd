#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The operator sign-in: checks an ID and password against the operator
// table and leaves the outcome in AppState (OperatorSignedIn, OperatorId).
class TAuthenticationForm : public QDialog {
    Q_OBJECT
public:
    explicit TAuthenticationForm(QWidget* parent = nullptr);

    void FormCreate();
    void IDSaveClick();
    void ConnectClick();
    void ExitClick();

    [[nodiscard]] int WrongPasswords() const { return m_wrongPasswords; }

private:
    QLineEdit* m_adminId;
    QLineEdit* m_pass;
    QCheckBox* m_idSave;
    // The window is shown once per run, so its count is the run's count.
    int m_wrongPasswords = 0;
};
