#include "items/UndoFile.h"

#include "core/UtilitiesUnit.h"
#include "platform/AppPaths.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

#include <QCryptographicHash>
#include <QDir>

#include <array>

namespace {

// The first line names the file, its format, the walk and when it began;
// the second names the columns for whoever opens the file in a spreadsheet.
const QString kTitle = QStringLiteral("tanor undo file");
constexpr int kFormat = 2;
const QString kWhenFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
const QByteArray kColumns = "table,column,key,value,key2,value2,original,written_sha256,entry_sha256";
constexpr int kEntryFields = 9;
constexpr qsizetype kDigestLength = 64;
// Lines named when a file is refused; the rest are counted.
constexpr int kProblemsNamed = 10;

QByteArray field(const QString& value) {
    QByteArray utf8 = value.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    utf8.replace("\"", "\"\"");
    return '"' + utf8 + '"';
}

QByteArray sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toUpper();
}

QString digest(const QString& hexText) {
    return QString::fromLatin1(sha256(hexText.toLatin1()));
}

// An entry's first eight fields as they stand in the file: what its own
// digest is taken of, on writing and on reading alike.
using EntryFields = std::array<QByteArray, kEntryFields - 1>;
QByteArray entryText(const EntryFields& fields) {
    qsizetype size = 0;
    for (const QByteArray& f : fields)
        size += f.size() + 1;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray& f : fields) {
        text += f;
        text += ',';
    }
    text.chop(1);
    return text;
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

// Reads back what field() wrote: a record ends at a line break outside
// quotes or at the end of the file (the last line may have lost its line
// end); a quoted value may hold commas, doubled quotes and line breaks. A
// carriage return before a line end is dropped, for a file that went
// through an editor on Windows.
class RecordReader {
public:
    explicit RecordReader(QFile& file) : m_file(file) {}

    // The next record into `fields`, false at the end of the file. `line` is
    // the line it starts on; `problem` tells why it is not well formed (the
    // record is still read to its end, so the next one is found).
    bool next(QStringList& fields, int& line, QString& problem) {
        fields.clear();
        problem.clear();
        line = m_line;
        int c = get();
        if (c < 0)
            return false;
        enum class State { Start, Plain, Quoted, Closed } state = State::Start;
        QByteArray current;
        auto flaw = [&](const char* why) {
            if (problem.isEmpty())
                problem = QLatin1String(why);
        };
        for (;; c = get()) {
            if (c < 0) {
                if (state == State::Quoted)
                    flaw("a quoted value that does not end");
                break;
            }
            if (state == State::Quoted) {
                if (c == '"') {
                    state = State::Closed;
                } else {
                    m_line += c == '\n' ? 1 : 0;
                    current += char(c);
                }
                continue;
            }
            if (c == '"' && state == State::Closed) { // a doubled quote
                current += '"';
                state = State::Quoted;
                continue;
            }
            if (c == ',') {
                fields << QString::fromUtf8(current);
                current.clear();
                state = State::Start;
                continue;
            }
            if (c == '\r' && peek() == '\n')
                continue;
            if (c == '\n') {
                ++m_line;
                break;
            }
            if (c == '"' && state == State::Start) {
                state = State::Quoted;
                continue;
            }
            if (c == '"')
                flaw("a quote inside a value that is not quoted");
            else if (state == State::Closed)
                flaw("text after a quoted value");
            state = State::Plain;
            current += char(c);
        }
        fields << QString::fromUtf8(current);
        return true;
    }

private:
    bool fill() {
        if (m_at < m_buffer.size())
            return true;
        m_buffer = m_file.read(64 * 1024);
        m_at = 0;
        return !m_buffer.isEmpty();
    }
    int get() { return fill() ? uchar(m_buffer[m_at++]) : -1; }
    int peek() { return fill() ? uchar(m_buffer[m_at]) : -1; }

    QFile& m_file;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    int m_line = 1;
};

// Why an entry's fields cannot be used; empty when they can.
QString flawOf(const QStringList& f) {
    if (f.size() != kEntryFields)
        return QStringLiteral("%1 fields instead of %2").arg(f.size()).arg(kEntryFields);
    for (int i : {0, 1, 2})
        if (!IsPlainIdentifier(f[i]))
            return QStringLiteral("a table or column name that is not a plain name");
    if (!f[4].isEmpty() && !IsPlainIdentifier(f[4]))
        return QStringLiteral("a column name that is not a plain name");
    if (f[4].isEmpty() && !f[5].isEmpty())
        return QStringLiteral("a second key value without its column");
    if (!isHex(f[6]))
        return QStringLiteral("an original value that is not hexadecimal");
    for (int i : {7, 8})
        if (f[i].size() != kDigestLength || !isHex(f[i]))
            return QStringLiteral("a digest that is not %1 hexadecimal digits").arg(kDigestLength);
    EntryFields fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = field(f[int(i)]);
    if (QString::fromLatin1(sha256(entryText(fields))) != f[8])
        return QStringLiteral("what it holds does not match its digest (damaged or edited)");
    return {};
}

} // namespace

std::unique_ptr<UndoFile> UndoFile::Create(const QString& what) {
    const QString folder = AppPaths::ExecutableDir() + QStringLiteral("/Undo");
    if (!QDir().mkpath(folder))
        throw SettingsError(
            QStringLiteral("Cannot create the undo folder %1").arg(QDir::toNativeSeparators(folder)));
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QStringLiteral("%1/%2-%3.csv").arg(folder, what, stamp);
    for (int n = 2; QFile::exists(path); ++n)
        path = QStringLiteral("%1/%2-%3-%4.csv").arg(folder, what, stamp).arg(n);
    return std::make_unique<UndoFile>(path, what, now);
}

UndoFile::UndoFile(const QString& path, const QString& what, const QDateTime& when)
    : m_path(path), m_file(path) {
    // Unbuffered: an entry whose write failed (a full disk) must not wait in
    // a buffer and reach the file later, after its row was given up.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered))
        throw SettingsError(QStringLiteral("Cannot write the undo file %1: %2")
                                .arg(QDir::toNativeSeparators(path), m_file.errorString()));
    append(field(kTitle) + ',' + QByteArray::number(kFormat) + ',' + field(what) + ',' +
           field(when.toString(kWhenFormat)) + '\n' + kColumns + '\n');
}

void UndoFile::append(const QByteArray& line) {
    const qint64 end = m_file.size();
    m_file.seek(end);
    if (m_file.write(line) != line.size()) {
        const QString why = m_file.errorString();
        // Part of a line would make the whole file unreadable.
        (void)m_file.resize(end);
        throw SettingsError(
            QStringLiteral("Cannot write the undo file %1: %2").arg(QDir::toNativeSeparators(m_path), why));
    }
}

void UndoFile::add(const ContainerWalk::Source& source, const ContainerWalk::Row& row,
                   const QString& newText) {
    const bool two = source.secondColumn >= 0;
    const EntryFields fields{field(source.table),
                             field(source.column),
                             field(source.accountKey),
                             field(row.account),
                             field(two ? source.secondKey : QString()),
                             field(two ? row.second : QString()),
                             row.column.toHex().toUpper(),
                             sha256(newText.toLatin1())};
    QByteArray line = entryText(fields);
    line.reserve(line.size() + kDigestLength + 2);
    line += ',' + sha256(line) + '\n';
    append(line);
    ++m_rows;
}

void UndoFile::rollback(qint64 mark) {
    // The rows withdrawn are the lines past the mark, which stands at the
    // start of a line; a quoted value may hold a line break of its own. Read
    // in pieces: a whole batch of rows may go.
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

File Read(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ConvertError(QStringLiteral("Cannot read the undo file %1: %2").arg(shown, file.errorString()));
    RecordReader reader(file);
    QStringList f;
    int line = 0;
    QString problem;
    const auto notUndo = [&] { return ConvertError(QStringLiteral("%1 is not an undo file").arg(shown)); };
    if (!reader.next(f, line, problem) || !problem.isEmpty() || f.size() != 4 || f[0] != kTitle)
        throw notUndo();
    if (f[1] != QString::number(kFormat))
        throw ConvertError(
            QStringLiteral("%1 was written by another version of the editor (undo file format %2)")
                .arg(shown, f[1]));
    File out;
    out.what = f[2];
    out.when = QDateTime::fromString(f[3], kWhenFormat);
    if (!IsPlainIdentifier(out.what) || !out.when.isValid() || !reader.next(f, line, problem) ||
        f.join(QLatin1Char(',')).toLatin1() != kColumns)
        throw notUndo();

    QStringList problems;
    int refused = 0;
    while (reader.next(f, line, problem)) {
        const QString why = problem.isEmpty() ? flawOf(f) : problem;
        if (!why.isEmpty()) {
            if (++refused <= kProblemsNamed)
                problems << QStringLiteral("line %1: %2").arg(line).arg(why);
            continue;
        }
        out.entries.push_back(Entry{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
    }
    if (refused > 0) {
        if (refused > kProblemsNamed)
            problems << QStringLiteral("and %1 more line(s)").arg(refused - kProblemsNamed);
        throw ConvertError(QStringLiteral("The undo file %1 cannot be used, nothing was restored:\r%2")
                               .arg(shown, problems.join(QLatin1Char('\r'))));
    }
    return out;
}

Offer OfferOf(const File& file) {
    const QString when = file.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const qsizetype n = qsizetype(file.entries.size());
    if (n == 0)
        return {false, QStringLiteral("The %1 of %2 changed no value: there is nothing to put back.")
                           .arg(file.what, when)};
    return {true, QStringLiteral("Put back %1 %2 changed by the %3 of %4?")
                      .arg(n)
                      .arg(n == 1 ? QStringLiteral("value") : QStringLiteral("values"), file.what, when)};
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

Restored Restore(const File& file, const QString& connectionString) {
    Restored result;
    Query query;
    for (const Entry& e : file.entries) {
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

Restored Restore(const QString& path, const QString& connectionString) {
    return Restore(Read(path), connectionString);
}

} // namespace Undo
