#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// RFC 4180 rows: fields separated by commas, double quotes around a field
// that holds a comma, a quote or a line break, "" for a quote inside.
namespace CsvReader {

[[nodiscard]] QVector<QStringList> Parse(const QString& text);
// Reads a file; throws TanorError when it cannot be read. The parsing is
// the catalogue editor's (reports/Csv), so both read the same text alike.
[[nodiscard]] QVector<QStringList> ReadFile(const QString& path);

} // namespace CsvReader
