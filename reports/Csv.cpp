#include "reports/Csv.h"

#include "platform/TanorError.h"

#include <QAbstractItemModel>
#include <QFile>

namespace Csv {

QString Field(const QString& value) {
    const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                       value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
                       (value.isEmpty() && !value.isNull());
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
    // Each field is in one of four states: nothing read yet, unquoted text,
    // inside quotes, or just after its closing quote (where only a comma or
    // a line end may follow).
    enum class State { Start, Plain, Quoted, Closed };
    QVector<Record> records;
    Record current;
    QString field;
    State state = State::Start;
    bool inRecord = false;
    int line = 1;
    int quoteLine = 0;
    auto refuse = [&line](const char* what) {
        throw ConvertError(QStringLiteral("Line %1: %2").arg(line).arg(QLatin1String(what)));
    };
    auto endField = [&] {
        current.fields << field;
        field = QString(); // null again: an unquoted empty field is NULL
        state = State::Start;
    };
    auto endRecord = [&] {
        if (inRecord) {
            endField();
            records << current;
        }
        current = Record();
        field = QString();
        state = State::Start;
        inRecord = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // CR LF, a lone LF and a lone CR each end one line.
        const bool lineEnd = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        const bool crlf = c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
        if (state == State::Quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    state = State::Closed;
                }
            } else {
                if (lineEnd && !crlf)
                    ++line;
                field += c;
            }
            continue;
        }
        if (lineEnd) {
            if (crlf)
                ++i;
            endRecord();
            ++line;
            continue;
        }
        if (!inRecord) {
            current.line = line;
            inRecord = true;
        }
        if (c == QLatin1Char(',')) {
            endField();
        } else if (state == State::Closed) {
            refuse("only a comma or a line end may follow a closing quote");
        } else if (c == QLatin1Char('"')) {
            if (state == State::Plain)
                refuse("a quote inside a field that does not start with one (double it and quote the field)");
            state = State::Quoted;
            quoteLine = line;
            field = QStringLiteral(""); // quoted, so never NULL even when empty
        } else {
            state = State::Plain;
            field += c;
        }
    }
    if (state == State::Quoted)
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
