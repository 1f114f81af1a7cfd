#include "accounts/AccountsKit.h"

#include "widgets/WidgetKit.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace AccountsKit {

QLineEdit* Edit(const QString& name, QWidget* parent, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0)
        LimitTyping(e, maxLength);
    return e;
}

QLineEdit* Shown(const QString& name, QWidget* parent) {
    QLineEdit* e = Edit(name, parent);
    e->setReadOnly(true);
    return e;
}

QPushButton* Button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit* AddField(QFormLayout* form, const QString& label, const QString& name, int maxLength) {
    QLineEdit* e = Edit(name, form->parentWidget(), maxLength);
    form->addRow(label, e);
    return e;
}

void ShowHashing(QLabel* status, AccountValues::Hashing hashing) {
    const bool on = hashing == AccountValues::Hashing::Enabled;
    status->setText(AccountValues::HashingText(hashing));
    status->setStyleSheet(on ? QStringLiteral("color: green; font-weight: bold")
                             : QStringLiteral("color: red; font-weight: bold"));
}

} // namespace AccountsKit
