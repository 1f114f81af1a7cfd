#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The operator sign-in: checks an ID and password against the operator
// table and hands the outcome back to its opener (SignedIn, OperatorId).
class TAuthenticationForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool signedIn READ SignedIn)
    Q_PROPERTY(QString operatorId READ OperatorId)
public:
    explicit TAuthenticationForm(QWidget* parent = nullptr);

    void FormCreate();
    void IDSaveClick();
    void ConnectClick();
    void ExitClick();

    [[nodiscard]] int WrongPasswords() const { return m_wrongPasswords; }
    // Whether an operator signed in, and who.
    [[nodiscard]] bool SignedIn() const { return m_signedIn; }
    [[nodiscard]] const QString& OperatorId() const { return m_operatorId; }

private:
    bool m_signedIn = false;
    QString m_operatorId;
    QLineEdit* m_adminId;
    QLineEdit* m_pass;
    QCheckBox* m_idSave;
    // The window is shown once per run, so its count is the run's count.
    int m_wrongPasswords = 0;
};
