#pragma once

#include "core/WindowContext.h"

#include <QDialog>

#include <functional>

// Every window other than the main window is created when its command is
// chosen, shown modally and destroyed when it closes. Tests replace the
// "show modally" step with a hook that drives the created window and closes
// it, so no test ever blocks.
namespace ModalOpener {

// Creates the window as a child of the given parent (the opener).
using Factory = std::function<QDialog*(QWidget* parent)>;
// Creates a window for what its opener hands it.
using ContextFactory = std::function<QDialog*(QWidget* parent, const WindowContext& context)>;
using Hook = std::function<void(QDialog*)>;
// Reads what the window hands back, after it closed and before it is
// destroyed.
using Closed = std::function<void(QDialog*)>;

// Hides `opener` (unless hideOpener is false or the opener is itself a
// dialog: a nested window opens over it), lets pending events run, creates the
// window with the opener as its parent, shows it modally, hands it to
// `closed`, destroys it, shows the opener again. Returns the window's result
// code.
int Open(QWidget* opener, const Factory& create, bool hideOpener = true, const Closed& closed = {});

// The same for a window of type T, whose hand-back `read` receives.
template <class T, class Read>
int OpenAndRead(QWidget* opener, const Factory& create, bool hideOpener, Read read) {
    return Open(opener, create, hideOpener, [&read](QDialog* window) {
        if (auto* typed = qobject_cast<T*>(window))
            read(*typed);
    });
}

// Installs a hook (an empty one restores exec()); returns the old one.
Hook SetHook(Hook hook);

} // namespace ModalOpener
