#include "widgets/ModalOpener.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

namespace {
ModalOpener::Hook g_hook;

// Shows the opener again however the modal part ends.
struct OpenerRestore {
    QPointer<QWidget> opener;
    bool hidden = false;
    ~OpenerRestore() {
        if (hidden && opener) {
            opener->show();
            QCoreApplication::processEvents();
        }
    }
};
} // namespace

namespace ModalOpener {

int Open(QWidget* opener, const Factory& create, bool hideOpener, const Closed& closed) {
    OpenerRestore restore{opener, false};
    // A dialog opener is itself modal in its own event loop, and hiding a
    // dialog ends that loop: it would close under the window it opened and
    // leave its own opener hidden. Nested windows open over it instead.
    const bool nested = qobject_cast<QDialog*>(opener) != nullptr;
    if (opener && hideOpener && !nested && opener->isVisible()) {
        opener->hide();
        restore.hidden = true;
    }
    QCoreApplication::processEvents();
    std::unique_ptr<QDialog> window(create(opener));
    if (!window)
        return QDialog::Rejected;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    if (g_hook) {
        Hook hook = g_hook; // the hook may open further windows
        hook(window.get());
    } else {
        window->exec();
    }
    if (closed)
        closed(window.get());
    return window->result();
}

Hook SetHook(Hook hook) {
    Hook old = std::move(g_hook);
    g_hook = std::move(hook);
    return old;
}

} // namespace ModalOpener
