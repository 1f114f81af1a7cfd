#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The records a command prints: one per item, finding or kind of container,
// under a fixed header. The same records come out as an aligned table for
// people, or as csv or json for scripts; the csv and json columns are part
// of the program's interface and only ever grow at the end.
namespace AdminOutput {

enum class Format { Table, Csv, Json };

// "table", "csv", "json"; false for anything else.
[[nodiscard]] bool ParseFormat(const QString& text, Format* format);

struct Records {
    QStringList header;
    QVector<QStringList> rows;
    // Table format only: lines printed before the rows (a summary).
    QStringList preface;
    // Columns whose values are numbers in json.
    QStringList numeric;
};

// Csv as the editor's exports write it (RFC 4180); json as an array of one
// object per record, keys being the header's names.
[[nodiscard]] QString Render(const Records& records, Format format);

} // namespace AdminOutput
