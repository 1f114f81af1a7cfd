#include "tools/CsvReader.h"

#include "reports/Csv.h"

namespace CsvReader {

QVector<QStringList> Parse(const QString& text) {
    QVector<QStringList> rows;
    for (Csv::Record& record : Csv::Parse(text))
        rows.push_back(std::move(record.fields));
    return rows;
}

QVector<QStringList> ReadFile(const QString& path) {
    return Parse(Csv::ReadFile(path));
}

} // namespace CsvReader
