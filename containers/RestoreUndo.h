#pragma once

class QWidget;

// "Restore from undo file...": asks for an undo file of a wipe or a
// conversion, then puts back every row that still holds what the walk wrote
// and lists the rows changed since.
void RestoreFromUndoFile(QWidget* parent);
