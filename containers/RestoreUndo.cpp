#include "containers/RestoreUndo.h"

#include "core/UtilitiesUnit.h"
#include "items/UndoFile.h"
#include "widgets/Dialogs.h"
#include "widgets/FileChooser.h"

#include <QDir>

namespace {

constexpr int kListed = 20;

} // namespace

void RestoreFromUndoFile(QWidget* parent) {
    const QString file = FileChooser::OpenFile(parent, QStringLiteral("Restore from undo file"),
                                               QStringLiteral("Undo files (*.csv)"));
    if (file.isEmpty())
        return;
    if (!Dialogs::Ask(parent, QStringLiteral("Confirm"),
                      QStringLiteral("Restore every row of %1 that still holds what the walk wrote?")
                          .arg(QDir::toNativeSeparators(file)),
                      Dialogs::Icon::Question))
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
