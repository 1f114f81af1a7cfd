#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// The first-run wizard: picks a database of the local server, creates the
// operator table in it, registers the operator data source and adds the
// first operator. SetupDone() is false once it was left with "Close".
class TWizardForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool setupDone READ SetupDone)
public:
    explicit TWizardForm(QWidget* parent = nullptr);

    void FormCreate();
    void NextClick();
    void BackClick();
    void ClosedClick();

    // 1 to 4: the page shown.
    [[nodiscard]] int Page() const;
    [[nodiscard]] bool SetupDone() const { return m_setupDone; }

private:
    bool m_setupDone = true;
    void showPage(int page);
    // The setup of "Finish"; false when the first operator could not be
    // added (nobody could sign in then).
    bool finishSetup();

    QStackedWidget* m_pages;
    QComboBox* m_comboBox1;
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QLineEdit* m_edit3;
    QPushButton* m_back;
    QPushButton* m_next;
    QPushButton* m_closed;
};
