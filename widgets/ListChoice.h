#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;
class QListWidgetItem;
class QWidget;

// The entry of a list that an action works on. A list that takes the focus
// makes its first row current without highlighting it, so the current item
// alone may name an entry nobody chose: only a highlighted entry counts.
namespace ListChoice {

// The highlighted entry; nullptr when none is.
[[nodiscard]] QListWidgetItem* Chosen(const QListWidget* list);
// Its text; empty when nothing is highlighted.
[[nodiscard]] QString ChosenText(const QListWidget* list);

// Runs `show` (guarded, with `window` for the error box) whenever the
// highlighted entry changes, by mouse or keyboard, and when it goes; a
// click on the entry already chosen runs it too (to read it afresh).
void Follow(QListWidget* list, QWidget* window, std::function<void()> show);

// The texts of every entry, in list order.
[[nodiscard]] QStringList Entries(const QListWidget* list);

// Highlights the entry with this text; nothing when there is none.
void Choose(QListWidget* list, const QString& text);

// Removes an entry and leaves nothing chosen (the list would otherwise
// highlight the next entry, for an action pressed twice to take it).
// Followers hear of it.
void Remove(QListWidget* list, QListWidgetItem* entry);

// Replaces the entries and highlights again the entry of the same text
// (nothing when it is gone). Followers hear of it only when the chosen
// text changed, so a refill that keeps the choice reads nothing again.
void Refill(QListWidget* list, const QStringList& entries);

} // namespace ListChoice
