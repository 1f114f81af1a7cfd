#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class RadioGroup;

// What the opener allows: any kind of name (the main window), characters
// only (the friends window) or guilds only (union and castle siege).
enum class SearchMode { Free = 0, Characters = 2, Guilds = 3 };

// Finds accounts, characters or guilds by part of their name and hands the
// chosen one back to its opener (Found).
class TSearchForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString foundAccount READ FoundAccount)
    Q_PROPERTY(QString foundCharacter READ FoundCharacter)
    Q_PROPERTY(QString foundGuild READ FoundGuild)
public:
    explicit TSearchForm(QWidget* parent = nullptr, SearchMode mode = SearchMode::Free);

    // The name chosen, under its kind; all empty when nothing was chosen.
    struct Choice {
        QString account;
        QString character;
        QString guild;
    };
    [[nodiscard]] const Choice& Found() const { return m_found; }
    [[nodiscard]] QString FoundAccount() const { return m_found.account; }
    [[nodiscard]] QString FoundCharacter() const { return m_found.character; }
    [[nodiscard]] QString FoundGuild() const { return m_found.guild; }

    void FormCreate();
    void SearchClick();
    // "Ok" or a double click on the list.
    void OkClick();

private:
    SearchMode m_mode;
    Choice m_found;
    QLineEdit* m_search;
    RadioGroup* m_engine;
    QListWidget* m_res;
    QLabel* m_recordC;
};
