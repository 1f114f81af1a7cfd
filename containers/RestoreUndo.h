#pragma once

#include <QString>

#include <functional>

class QWidget;

// "Restore from undo file...": asks for an undo file of a wipe or a
// conversion, then puts back every row that still holds what the walk wrote
// and lists the rows changed since.
void RestoreFromUndoFile(QWidget* parent);

// How the file is chosen (a file dialog in the Undo folder unless replaced);
// returns the previous chooser.
using UndoFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;
UndoFileChooser SetUndoFileChooser(UndoFileChooser chooser);
