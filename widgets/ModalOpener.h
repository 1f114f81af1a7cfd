#pragma once

#include <QDialog>

#include <functional>

// Every window other than the main window is created when its command is
// chosen, shown modally and destroyed when it closes. Tests replace the
// "show modally" step with a hook that drives the created window and closes
// it, so no test ever blocks.
namespace ModalOpener {

// Creates the window as a child of the given parent (the opener).
using Factory = std::function<QDialog*(QWidget* parent)>;
using Hook = std::function<void(QDialog*)>;

// Hides `opener` (unless hideOpener is false or the opener is itself a
// dialog: a nested window opens over it), lets pending events run,
// creates the window with the opener as its parent, shows it modally, destroys it, shows the opener again.
// Returns the window's result code.
int Open(QWidget* opener, const Factory& create, bool hideOpener = true);

// Installs a hook (an empty one restores exec()); returns the old one.
Hook SetHook(Hook hook);

} // namespace ModalOpener
