#include "reports/Csv.h"

#include "platform/TanorError.h"

#include <QAbstractItemModel>
#include <QFile>

namespace Csv {

QString Field(const QString& value) {
    const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                       value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    if (!quote)
        return value;
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString Write(const QStringList& header, const QVector<QStringList>& rows) {
    QString out;
    auto record = [&out](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields)
            quoted << Field(f);
        out += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    record(header);
    for (const QStringList& row : rows)
        record(row);
    return out;
}

QString FromModel(const QAbstractItemModel& model, const QStringList& header) {
    QStringList names = header;
    if (names.isEmpty())
        for (int c = 0; c < model.columnCount(); ++c)
            names << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QVector<QStringList> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model.columnCount(); ++c)
            row << model.data(model.index(r, c), Qt::DisplayRole).toString();
        rows << row;
    }
    return Write(names, rows);
}

QVector<Record> Parse(const QString& text) {
    QVector<Record> records;
    Record current;
    QString field;
    bool quoted = false;
    bool inRecord = false;
    int line = 1;
    int quoteLine = 0;
    auto endRecord = [&] {
        if (inRecord) {
            current.fields << field;
            records << current;
        }
        current = Record();
        field.clear();
        inRecord = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!inRecord) {
            current.line = line;
            inRecord = c != QLatin1Char('\n') && c != QLatin1Char('\r');
        }
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            current.fields << field;
            field.clear();
        } else if (c == QLatin1Char('\r')) {
            // CR LF and a lone LF both end a record.
        } else if (c == QLatin1Char('\n')) {
            endRecord();
            ++line;
        } else {
            field += c;
        }
    }
    if (quoted)
        throw ConvertError(QStringLiteral("Line %1: a quoted field is not closed").arg(quoteLine));
    endRecord();
    return records;
}

void WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 ||
        !file.flush())
        throw TanorError(QStringLiteral("Cannot write the file %1: %2").arg(path, file.errorString()));
}

QString ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TanorError(QStringLiteral("Cannot read the file %1: %2").arg(path, file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace Csv
