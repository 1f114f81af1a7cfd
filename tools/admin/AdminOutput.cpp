#include "AdminOutput.h"

#include "reports/Csv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace AdminOutput {

bool ParseFormat(const QString& text, Format* format) {
    if (text == QLatin1String("table"))
        *format = Format::Table;
    else if (text == QLatin1String("csv"))
        *format = Format::Csv;
    else if (text == QLatin1String("json"))
        *format = Format::Json;
    else
        return false;
    return true;
}

namespace {

QString table(const Records& r) {
    QVector<qsizetype> width(r.header.size());
    for (qsizetype c = 0; c < r.header.size(); ++c) {
        width[c] = r.header[c].size();
        for (const QStringList& row : r.rows)
            width[c] = std::max(width[c], row.value(c).size());
    }
    const auto line = [&](const QStringList& fields) {
        QString out;
        for (qsizetype c = 0; c < r.header.size(); ++c)
            out += fields.value(c).leftJustified(width[c] + 2);
        return out.trimmed() + QLatin1Char('\n');
    };
    QString out;
    for (const QString& p : r.preface)
        out += p + QLatin1Char('\n');
    if (r.rows.isEmpty())
        return out;
    if (!out.isEmpty())
        out += QLatin1Char('\n');
    out += line(r.header);
    for (const QStringList& row : r.rows)
        out += line(row);
    return out;
}

QString json(const Records& r) {
    QJsonArray array;
    for (const QStringList& row : r.rows) {
        QJsonObject o;
        for (qsizetype c = 0; c < r.header.size(); ++c) {
            const QString& name = r.header[c];
            if (r.numeric.contains(name))
                o.insert(name, row.value(c).toLongLong());
            else
                o.insert(name, row.value(c));
        }
        array.append(o);
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

} // namespace

QString Render(const Records& records, Format format) {
    switch (format) {
    case Format::Table:
        return table(records);
    case Format::Csv:
        return Csv::Write(records.header, records.rows);
    case Format::Json:
        break;
    }
    return json(records);
}

} // namespace AdminOutput
