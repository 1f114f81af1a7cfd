#pragma once

#include "core/WindowContext.h"
#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedLayout;
class QWidget;

// The signed-in operator's record, the change of their password and, for
// the first operator only, the creation and removal of operators.
class TAdministrationForm : public QDialog {
    Q_OBJECT
public:
    TAdministrationForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void ClosedClick();

private:
    // The three panels cover the record while shown.
    void showPanel(QWidget* panel);

    QStackedLayout* m_stack;
    QWidget* m_group;
    QWidget* m_panel1;
    QWidget* m_panel2;
    QWidget* m_panel3;
    QLabel* m_guid;
    QLabel* m_id;
    QLabel* m_name;
    QLabel* m_auth;
    QLabel* m_block;
    QLabel* m_date;
    QLabel* m_perm;
    QPushButton* m_button3;
    QPushButton* m_button6;
    QLineEdit* m_labeledEdit1;
    QLineEdit* m_labeledEdit2;
    QLineEdit* m_labeledEdit3;
    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QLineEdit* m_edit3;
    QLineEdit* m_edit4;
    QListWidget* m_listBox1;
    WindowContext m_context;
};
