#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one seam through which windows ask for a file name. Tests install a
// hook that answers instead of a file dialog.
namespace FileChooser {

enum class Mode { Save, Open };

// Returns the chosen file, or an empty text when the operator cancelled.
using Hook = std::function<QString(Mode mode, const QString& caption, const QString& filter)>;

// A name typed without an extension gets the filter's first one ("CSV files
// (*.csv)" turns "ranking" into "ranking.csv"): the desktop's dialogs do not
// all add it, and a file without it opens in nothing.
[[nodiscard]] QString SaveFile(QWidget* parent, const QString& caption, const QString& filter);
[[nodiscard]] QString OpenFile(QWidget* parent, const QString& caption, const QString& filter);

// The file with the filter's first extension added when it has none.
[[nodiscard]] QString WithSuffix(const QString& file, const QString& filter);

// Installs a hook (an empty one restores the file dialogs); returns the old one.
Hook SetHook(Hook hook);

} // namespace FileChooser
