#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

// The characters with a game master code, the account of the one chosen,
// and "Ban", which blocks a game master's character.
class TGMForm : public QDialog {
    Q_OBJECT
public:
    explicit TGMForm(QWidget* parent = nullptr);

    void FormCreate();
    void GMlistClick();
    void BitBtn2Click();
    void Button1Click();

private:
    QListWidget* m_list;
    QLabel* m_acc;
};
