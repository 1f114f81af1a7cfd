#include "containers/RestoreUndo.h"

#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "platform/TanorError.h"
#include "widgets/Dialogs.h"
#include "widgets/FileChooser.h"

namespace {

constexpr int kListed = 20;
const QString kCaption = QStringLiteral("Restore from undo file");

} // namespace

void RestoreFromUndoFile(QWidget* parent) {
    const QString path = FileChooser::OpenFile(parent, kCaption, QStringLiteral("Undo files (*.csv)"));
    if (path.isEmpty())
        return;
    // The whole file is checked before the question: the operator is asked
    // only about a file that can be restored, and in the walk's terms.
    Undo::File file;
    try {
        file = Undo::Read(path);
    } catch (const ConvertError& e) {
        Dialogs::Show(parent, kCaption, e.text(), Dialogs::Icon::Error);
        return;
    }
    const Undo::Offer offer = Undo::OfferOf(file);
    if (!offer.any) {
        Dialogs::Show(parent, kCaption, offer.text, Dialogs::Icon::Information);
        return;
    }
    if (!Dialogs::Ask(parent, QStringLiteral("Confirm"), offer.text, Dialogs::Icon::Question))
        return;
    const Undo::Restored r = Undo::Restore(file, BuildConnectionString(DataSource::TanorOnline));
    QString text = QStringLiteral("%1 row(s) restored.").arg(r.restored);
    if (!r.changedSince.isEmpty()) {
        text += QStringLiteral("\r%1 row(s) were changed since and left alone:").arg(r.changedSince.size());
        for (const QString& row : r.changedSince.mid(0, kListed))
            text += QStringLiteral("\r") + row;
        if (r.changedSince.size() > kListed)
            text += QStringLiteral("\r...");
    }
    Dialogs::Show(parent, QStringLiteral("Vorn Tanor Editor"), text, Dialogs::Icon::Information);
}
