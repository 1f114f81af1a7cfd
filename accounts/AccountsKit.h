#pragma once

#include "accounts/AccountValues.h"

#include <QString>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small pieces the account and character windows share.
namespace AccountsKit {

// A named text field; maxLength 0 leaves it unlimited.
QLineEdit* Edit(const QString& name, QWidget* parent, int maxLength = 0);
// A named text field the operator cannot change.
QLineEdit* Shown(const QString& name, QWidget* parent);
QPushButton* Button(const QString& name, const QString& text, QWidget* parent);
// A row "label" + field in a form.
QLineEdit* AddField(QFormLayout* form, const QString& label, const QString& name, int maxLength = 0);

// The hashing setting as these windows show it: "Enabled" in green or
// "Disabled" in red.
void ShowHashing(QLabel* status, AccountValues::Hashing hashing);

} // namespace AccountsKit
