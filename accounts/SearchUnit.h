#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class RadioGroup;

// Finds accounts, characters or guilds by part of their name and hands the
// chosen one back through AppState. The opener sets AppState.SearchMode:
// 2 fixes the search on characters, 3 on guilds, anything else is free.
class TSearchForm : public QDialog {
    Q_OBJECT
public:
    explicit TSearchForm(QWidget* parent = nullptr);

    void FormCreate();
    void SearchClick();
    // "Ok" or a double click on the list.
    void OkClick();

private:
    QLineEdit* m_search;
    RadioGroup* m_engine;
    QListWidget* m_res;
    QLabel* m_recordC;
};
