#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QAbstractItemModel;
class QWidget;

// "Export CSV...": asks for a file and writes every row of the model to it
// (UTF-8, RFC 4180). Nothing happens when the operator cancels; a file that
// cannot be written throws.
void ExportCsv(QWidget* window, const QAbstractItemModel& model, const QStringList& header = {});

// The same for a text that is worked out only once a file was chosen (it
// may take statements).
void ExportCsv(QWidget* window, const std::function<QString()>& csvText);
