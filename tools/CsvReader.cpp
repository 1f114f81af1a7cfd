#include "tools/CsvReader.h"

#include <QFile>
#include <stdexcept>

namespace CsvReader {

QVector<QStringList> Parse(const QString& text) {
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    auto endField = [&] {
        row << field;
        field.clear();
    };
    auto endRow = [&] {
        endField();
        if (!(row.size() == 1 && row[0].isEmpty()))
            rows << row;
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        any = true;
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            endRow();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (any && (!field.isEmpty() || !row.isEmpty()))
        endRow();
    return rows;
}

QVector<QStringList> ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return Parse(QString::fromUtf8(f.readAll()));
}

} // namespace CsvReader
