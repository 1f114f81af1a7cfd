#pragma once

#include "core/WindowContext.h"

#include <QDialog>

#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

// One character's entry in the game server's friend system: its friends,
// the requests waiting for it and its letters. Opened for the context's
// character. Changes go through the server's friend procedures; the
// lists follow the window's own actions without being read back, except
// after a letter is deleted.
class TFriendManagerForm : public QDialog {
    Q_OBJECT
public:
    TFriendManagerForm(const WindowContext& context, QWidget* parent = nullptr);

    void FormCreate();
    // A subject chosen: shows its letter.
    void MeMoListChange();
    // "Add...    ": a friend request to a character found by the search window.
    void AddFriendClick();
    // "Delete   ": removes the selected friend.
    void DeleteFriendClick();
    // "Accept": the selected request.
    void BitBtn1Click();
    // "Deny   ": the selected request.
    void BitBtn2Click();
    // Letter "Delete": the letter shown.
    void BitBtn5Click();
    // "Close"
    void BitBtn3Click();

private:
    void load();
    void clearLists();
    // Runs the procedure on the entry chosen in `list` (nothing without one)
    // and takes the entry out of the list.
    using NameAction = void (*)(const QString& character, const QString& name);
    [[nodiscard]] std::unique_ptr<QListWidgetItem> runOnChosen(QListWidget* list, NameAction action);

    QString m_character;
    // The character's number in the friend system; none without an entry.
    std::optional<int> m_guid;
    // MemoIndex of the letter shown; none before a letter is chosen.
    std::optional<int> m_letter;

    QLineEdit* m_characterF;
    QLineEdit* m_guidEdit;
    QListWidget* m_friendList;
    QListWidget* m_friendRequest;
    QComboBox* m_meMoList;
    QPlainTextEdit* m_memoData;
    QLineEdit* m_memoType;
    QList<QPushButton*> m_needEntry; // the buttons that act on the entry
};
