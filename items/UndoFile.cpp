#include "items/UndoFile.h"

#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>

namespace {

const QByteArray kHeader = "table,column,key,value,key2,value2,original,written_sha1\n";

QByteArray field(const QString& value) {
    QByteArray utf8 = value.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    utf8.replace("\"", "\"\"");
    return '"' + utf8 + '"';
}

QString digest(const QString& hexText) {
    return QString::fromLatin1(
        QCryptographicHash::hash(hexText.toLatin1(), QCryptographicHash::Sha1).toHex().toUpper());
}

// One line split at commas outside double quotes.
QStringList splitLine(const QString& line) {
    QStringList out;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                current += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

bool isHex(const QString& text) {
    if (text.size() % 2 != 0)
        return false;
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

} // namespace

std::unique_ptr<UndoFile> UndoFile::Create(const QString& what) {
    const QString folder = AppPaths::ExecutableDir() + QStringLiteral("/Undo");
    if (!QDir().mkpath(folder))
        throw SettingsError(
            QStringLiteral("Cannot create the undo folder %1").arg(QDir::toNativeSeparators(folder)));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QStringLiteral("%1/%2-%3.csv").arg(folder, what, stamp);
    for (int n = 2; QFile::exists(path); ++n)
        path = QStringLiteral("%1/%2-%3-%4.csv").arg(folder, what, stamp).arg(n);
    return std::make_unique<UndoFile>(path);
}

UndoFile::UndoFile(const QString& path) : m_path(path), m_file(path) {
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        throw SettingsError(QStringLiteral("Cannot write the undo file %1: %2")
                                .arg(QDir::toNativeSeparators(path), m_file.errorString()));
    append(kHeader);
}

void UndoFile::append(const QByteArray& line) {
    m_file.seek(m_file.size());
    if (m_file.write(line) != line.size() || !m_file.flush())
        throw SettingsError(QStringLiteral("Cannot write the undo file %1: %2")
                                .arg(QDir::toNativeSeparators(m_path), m_file.errorString()));
}

void UndoFile::add(const ContainerWalk::Source& source, const ContainerWalk::Row& row,
                   const QString& newText) {
    const bool two = source.secondColumn >= 0;
    QByteArray line;
    line.reserve(row.column.size() * 2 + 128);
    line += field(source.table) + ',' + field(source.column) + ',' + field(source.accountKey) + ',' +
            field(row.account) + ',' + field(two ? source.secondKey : QString()) + ',' +
            field(two ? row.second : QString()) + ',' + row.column.toHex().toUpper() + ',' +
            digest(newText).toLatin1() + '\n';
    append(line);
    ++m_rows;
}

void UndoFile::rollback(qint64 mark) {
    // The rows withdrawn are the lines past the mark, which stands at the
    // start of a line; a quoted value may hold a line break of its own. Read
    // in pieces: a whole batch of rows may go.
    m_file.flush();
    if (m_file.seek(mark)) {
        bool quoted = false;
        while (!m_file.atEnd()) {
            const QByteArray piece = m_file.read(64 * 1024);
            if (piece.isEmpty())
                break;
            for (const char c : piece) {
                if (c == '"')
                    quoted = !quoted;
                else if (c == '\n' && !quoted)
                    --m_rows;
            }
        }
    }
    m_file.resize(mark);
}

namespace Undo {

std::vector<Entry> Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ConvertError(QStringLiteral("Cannot read the undo file %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (file.readLine() != kHeader)
        throw ConvertError(QStringLiteral("%1 is not an undo file").arg(QDir::toNativeSeparators(path)));
    std::vector<Entry> entries;
    for (int number = 2; !file.atEnd(); ++number) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        const QStringList f = splitLine(line);
        auto bad = [&](const char* why) {
            return ConvertError(
                QStringLiteral("Line %1 of the undo file: %2").arg(number).arg(QLatin1String(why)));
        };
        if (f.size() != 8)
            throw bad("not eight fields");
        Entry e{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
        for (const QString* name : {&e.table, &e.column, &e.key})
            if (!IsPlainIdentifier(*name))
                throw bad("a table or column name that is not a plain name");
        if (!e.key2.isEmpty() && !IsPlainIdentifier(e.key2))
            throw bad("a column name that is not a plain name");
        if (!isHex(e.original) || e.written.size() != 40)
            throw bad("a value that is not hexadecimal");
        entries.push_back(std::move(e));
    }
    return entries;
}

QString RowCondition(const Entry& e) {
    QString condition = QStringLiteral(" WHERE (") + e.key + QLatin1Char('=') + Q(e.value) + QLatin1Char(')');
    if (!e.key2.isEmpty())
        condition += QStringLiteral(" AND (") + e.key2 + QLatin1Char('=') + Q(e.value2) + QLatin1Char(')');
    return condition;
}

QString SelectColumn(const Entry& e) {
    return QStringLiteral("SELECT ") + e.column + QStringLiteral(" FROM ") + e.table + RowCondition(e);
}

QString RestoreColumn(const Entry& e) {
    return QStringLiteral("UPDATE ") + e.table + QStringLiteral(" SET ") + e.column + QStringLiteral("=0x") +
           e.original + RowCondition(e);
}

Restored Restore(const QString& path, const QString& connectionString) {
    const std::vector<Entry> entries = Read(path);
    Restored result;
    Query query;
    for (const Entry& e : entries) {
        query.SetConnectionString(connectionString);
        query.SetText(SelectColumn(e));
        query.Open();
        const bool same = !query.Eof() && digest(BytesToHex(query.Fields(0).AsBytes())) == e.written;
        query.Close();
        if (!same) {
            QString where = e.table + QLatin1Char(' ') + e.key + QLatin1Char('=') + e.value;
            if (!e.key2.isEmpty())
                where += QLatin1Char(' ') + e.key2 + QLatin1Char('=') + e.value2;
            result.changedSince << where;
            continue;
        }
        query.SetConnectionString(connectionString);
        query.SetText(RestoreColumn(e));
        (void)query.ExecSQL();
        ++result.restored;
    }
    return result;
}

} // namespace Undo
