#include "platform/IniFile.h"

#include "platform/FileWatch.h"
#include "platform/TanorError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// ---------------------------------------------------------------- bytes and lines

// One line of the file as it stands: its bytes and its own line end (CR LF,
// CR, LF, or nothing on a last line without one).
struct RawLine {
    QByteArray text;
    QByteArray end;
};

QVector<RawLine> splitLines(const QByteArray& data) {
    QVector<RawLine> lines;
    qsizetype pos = 0;
    const qsizetype n = data.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && data[end] != '\n' && data[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (data[next] == '\r' && next + 1 < n && data[next + 1] == '\n') ? 2 : 1;
        lines.push_back({data.sliced(pos, end - pos), data.sliced(end, next - end)});
        pos = next;
    }
    return lines;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Windows-1252 where it differs from Latin-1 (0x80-0x9F); the five bytes the
// code page leaves undefined map to the control characters of the same value,
// as Windows maps them.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    (void)QString(decoder(bytes));
    return !decoder.hasError();
}

// A line of a settings file: UTF-8 when it is valid UTF-8, otherwise the
// Windows code page a file brought from Windows is written in.
QString decodeLine(const QByteArray& bytes) {
    if (isUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

// The text in Windows-1252, or nothing when a character has no byte there.
std::optional<QByteArray> encodeCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        const char16_t* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), u);
        if (hit == std::end(kCp1252High))
            return std::nullopt;
        out.append(char(0x80 + (hit - std::begin(kCp1252High))));
    }
    return out;
}

// ---------------------------------------------------------------- syntax

// "[name]" -> name; anything else -> nothing.
std::optional<QStringView> sectionName(QStringView line) {
    const QStringView t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool splitKey(QStringView line, QStringView* key, QStringView* value) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (key->isEmpty())
        return false;
    if (value) {
        QStringView v = line.mid(eq + 1).trimmed();
        // Quotation marks (single or double) around the whole value are not
        // part of it.
        if (v.size() >= 2 && v.front() == v.back() &&
            (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')))
            v = v.sliced(1, v.size() - 2);
        *value = v;
    }
    return true;
}

bool same(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------- parsed files

// What reads need of a file: the first section of each name with the first
// value of each key in it (later duplicates never count).
struct Parsed {
    struct Section {
        QString name;
        QVector<std::pair<QString, QString>> values;
    };
    QVector<Section> sections;

    [[nodiscard]] const QString* find(QStringView section, QStringView key) const {
        for (const Section& s : sections) {
            if (!same(s.name, section))
                continue;
            for (const auto& [k, v] : s.values) {
                if (same(k, key))
                    return &v;
            }
            return nullptr;
        }
        return nullptr;
    }
};

std::shared_ptr<const Parsed> parse(const QByteArray& data) {
    auto out = std::make_shared<Parsed>();
    Parsed::Section* current = nullptr;
    bool first = true;
    for (const RawLine& raw : splitLines(data)) {
        QString line = decodeLine(raw.text);
        if (first && line.startsWith(QChar(0xFEFF))) // byte order mark
            line.remove(0, 1);
        first = false;
        if (const std::optional<QStringView> name = sectionName(line)) {
            current = nullptr;
            const bool seen = std::any_of(out->sections.cbegin(), out->sections.cend(),
                                          [&](const Parsed::Section& s) { return same(s.name, *name); });
            if (!seen) {
                out->sections.push_back({name->toString(), {}});
                current = &out->sections.back();
            }
            continue;
        }
        QStringView key, value;
        if (!current || !splitKey(line, &key, &value))
            continue;
        const bool seen = std::any_of(current->values.cbegin(), current->values.cend(),
                                      [&](const auto& kv) { return same(kv.first, key); });
        if (!seen)
            current->values.push_back({key.toString(), value.toString()});
    }
    return out;
}

// Parsed contents by path, taken again only when a followed file may have
// changed (FileWatch), so a read costs one look at the generation.
class Cache {
public:
    static Cache& instance() {
        static Cache c;
        return c;
    }

    std::shared_ptr<const Parsed> get(const QString& path) {
        const auto it = m_entries.constFind(path);
        if (it != m_entries.cend() && it->generation == FileWatch::Generation())
            return it->parsed;
        // Followed before the read: an edit from now on raises the generation.
        const quint64 generation = FileWatch::Follow(path);
        std::shared_ptr<const Parsed> parsed = parse(readBytes(path));
        m_entries.insert(path, Entry{generation, parsed});
        return parsed;
    }

private:
    struct Entry {
        quint64 generation = 0;
        std::shared_ptr<const Parsed> parsed;
    };
    QHash<QString, Entry> m_entries;
};

} // namespace

namespace IniFile {

QStringList ReadMany(const QString& path, const QVector<Entry>& entries, QVector<bool>* found) {
    const std::shared_ptr<const Parsed> parsed = Cache::instance().get(path);
    QStringList values(entries.size());
    QVector<bool> hit(entries.size(), false);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (const QString* v = parsed->find(entries[i].section, entries[i].key)) {
            values[i] = *v;
            hit[i] = true;
        }
    }
    if (found)
        *found = hit;
    return values;
}

QString Read(const QString& path, const QString& section, const QString& key, const QString& fallback,
             bool* found) {
    const std::shared_ptr<const Parsed> parsed = Cache::instance().get(path);
    const QString* v = parsed->find(section, key);
    if (found)
        *found = v != nullptr;
    return v ? *v : fallback;
}

void Write(const QString& path, const QString& section, const QString& key, const QString& value) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw SettingsError(QStringLiteral("A setting cannot hold a line break (%1/%2)").arg(section, key));
    // Only the line written (and a section header, when new) changes: every
    // other line goes back byte for byte with its own line end.
    QVector<RawLine> lines = splitLines(readBytes(path));
    QStringList text;
    bool codePage = false; // a file brought from Windows: keep writing its code page
    for (const RawLine& raw : lines) {
        codePage = codePage || !isUtf8(raw.text);
        text << decodeLine(raw.text);
    }
    if (!text.isEmpty() && text[0].startsWith(QChar(0xFEFF)))
        text[0].remove(0, 1);

    qsizetype sectionLine = -1, lastKeyLine = -1, keyLine = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const std::optional<QStringView> name = sectionName(text[i])) {
            if (sectionLine >= 0)
                break;
            if (same(*name, section))
                sectionLine = lastKeyLine = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        QStringView k;
        if (splitKey(text[i], &k, nullptr)) {
            lastKeyLine = i;
            if (same(k, key)) {
                keyLine = i;
                break;
            }
        } else if (!text[i].trimmed().isEmpty()) {
            lastKeyLine = i;
        }
    }

    auto encode = [codePage](const QString& line) {
        if (codePage) {
            if (std::optional<QByteArray> bytes = encodeCp1252(line))
                return *bytes;
        }
        return line.toUtf8();
    };
    const QByteArray fileEol = [&] {
        for (const RawLine& raw : lines) {
            if (!raw.end.isEmpty())
                return raw.end;
        }
        return QByteArray("\n");
    }();
    // Inserts a line after line `after` (-1: at the start), ended like its
    // neighbour; a last line without a line end keeps that shape.
    auto insertAfter = [&](qsizetype after, const QString& line) {
        QByteArray end = fileEol;
        if (after >= 0) {
            if (lines[after].end.isEmpty()) {
                lines[after].end = fileEol;
                end.clear();
            } else {
                end = lines[after].end;
            }
        }
        lines.insert(after + 1, RawLine{encode(line), end});
    };
    const QString entry = key + QLatin1Char('=') + value;
    if (keyLine >= 0) {
        lines[keyLine].text = encode(entry);
    } else if (sectionLine >= 0) {
        insertAfter(lastKeyLine, entry);
    } else {
        insertAfter(lines.size() - 1, QLatin1Char('[') + section + QLatin1Char(']'));
        insertAfter(lines.size() - 1, entry);
    }

    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        throw SettingsError(QStringLiteral("Cannot write the settings file %1: it is read-only").arg(path));
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        throw SettingsError(
            QStringLiteral("Cannot write the settings file %1: %2").arg(path, out.errorString()));
    for (const RawLine& raw : lines) {
        out.write(raw.text);
        out.write(raw.end);
    }
    if (!out.commit())
        throw SettingsError(
            QStringLiteral("Cannot write the settings file %1: %2").arg(path, out.errorString()));
    FileWatch::Wrote(path);
}

} // namespace IniFile
