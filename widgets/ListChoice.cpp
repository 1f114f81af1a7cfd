#include "widgets/ListChoice.h"

#include "widgets/Guard.h"

#include <QListWidget>
#include <QSignalBlocker>

#include <memory>

namespace ListChoice {

QListWidgetItem* Chosen(const QListWidget* list) {
    QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

QString ChosenText(const QListWidget* list) {
    const QListWidgetItem* item = Chosen(list);
    return item ? item->text() : QString();
}

QStringList Entries(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void Follow(QListWidget* list, QWidget* window, std::function<void()> show) {
    // A click that changed the choice was already followed; a click on the
    // entry already chosen reads it again.
    auto followed = std::make_shared<bool>(false);
    ConnectGuarded(list, &QListWidget::itemSelectionChanged, window, [show, followed] {
        *followed = true;
        show();
    });
    ConnectGuarded(list, &QListWidget::itemClicked, window, [show, followed] {
        const bool again = !*followed;
        *followed = false;
        if (again)
            show();
    });
}

void Choose(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found =
        text.isEmpty() ? QList<QListWidgetItem*>{} : list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        list->setCurrentItem(nullptr);
        list->clearSelection();
    } else {
        list->setCurrentItem(found.front());
    }
}

void Remove(QListWidget* list, QListWidgetItem* entry) {
    {
        const QSignalBlocker quiet(list);
        delete list->takeItem(list->row(entry));
        Choose(list, QString());
    }
    Q_EMIT list->itemSelectionChanged();
}

void Refill(QListWidget* list, const QStringList& entries) {
    const QString before = ChosenText(list);
    {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(entries);
        Choose(list, before);
    }
    if (ChosenText(list) != before)
        Q_EMIT list->itemSelectionChanged();
}

} // namespace ListChoice
