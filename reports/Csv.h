#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractItemModel;

// Comma-separated text as RFC 4180 has it: CR LF between records, a field
// holding a comma, a quote, a CR or an LF in double quotes with inner quotes
// doubled. Files are UTF-8.
//
// NULL and empty text stay apart: a null QString is written as nothing
// between its commas and an empty one as "", and reading gives back a null
// QString for an empty unquoted field and an empty one for "". A spreadsheet
// that writes "" for every empty cell therefore gives empty text, never NULL.
namespace Csv {

[[nodiscard]] QString Field(const QString& value);
[[nodiscard]] QString Write(const QStringList& header, const QVector<QStringList>& rows);
// Every column and row of a model as shown; the header from the model's
// horizontal header unless one is given.
[[nodiscard]] QString FromModel(const QAbstractItemModel& model, const QStringList& header = {});

// One record and the line of the text it starts on (1 = the first line).
struct Record {
    int line = 0;
    QStringList fields;
};
// CR LF, a lone LF and a lone CR each end a line; empty lines are skipped.
// A quote left open throws ConvertError naming the line the field started
// on; a quote inside an unquoted field, or text after a closing quote,
// throws naming its line.
[[nodiscard]] QVector<Record> Parse(const QString& text);

// Whole files; throw TanorError naming the file when it cannot be used.
void WriteFile(const QString& path, const QString& text);
[[nodiscard]] QString ReadFile(const QString& path);

} // namespace Csv
