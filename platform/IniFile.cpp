#include "platform/IniFile.h"

#include "platform/TanorError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace {

// The file's text; a missing or unreadable file reads as empty.
QString readText(const QString& path, QString* eol = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    if (eol)
        *eol = data.contains("\r\n") ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return QString::fromUtf8(data);
}

// Calls f(line) for every line of `text` (ended by CR LF, CR or LF) until f
// returns false. Reads run before every statement, so the text is walked in
// place instead of being cut into a list of lines.
template <class F> void forEachLine(QStringView text, F f) {
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        if (!f(text.sliced(pos, end - pos)))
            return;
        if (end + 1 < n && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        pos = end + 1;
    }
}

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
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

bool same(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Lines {
    QStringList lines;
    QString eol = QStringLiteral("\n");
};

Lines load(const QString& path) {
    Lines out;
    const QString text = readText(path, &out.eol);
    forEachLine(text, [&](QStringView line) {
        out.lines << line.toString();
        return true;
    });
    return out;
}

} // namespace

namespace IniFile {

QStringList ReadMany(const QString& path, const QVector<Entry>& entries, QVector<bool>* found) {
    QStringList values(entries.size());
    // Per entry: 0 its section not met yet, 1 inside its first occurrence,
    // 2 done (found, or past that first occurrence).
    QVector<int> state(entries.size(), 0);
    QVector<bool> hit(entries.size(), false);
    qsizetype open = entries.size();
    const QString text = readText(path);
    forEachLine(text, [&](QStringView line) {
        if (const std::optional<QStringView> name = sectionName(line)) {
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (state[i] == 1) {
                    state[i] = 2; // only the first section of that name counts
                    --open;
                } else if (state[i] == 0 && same(*name, entries[i].section)) {
                    state[i] = 1;
                }
            }
            return open > 0;
        }
        QStringView key, value;
        if (!splitKey(line, &key, &value))
            return true;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (state[i] == 1 && same(key, entries[i].key)) {
                values[i] = value.toString();
                hit[i] = true;
                state[i] = 2;
                --open;
            }
        }
        return open > 0;
    });
    if (found)
        *found = hit;
    return values;
}

QString Read(const QString& path, const QString& section, const QString& key, const QString& fallback,
             bool* found) {
    QVector<bool> hit;
    const QStringList values = ReadMany(path, {Entry{section, key}}, &hit);
    if (found)
        *found = hit[0];
    return hit[0] ? values[0] : fallback;
}

void Write(const QString& path, const QString& section, const QString& key, const QString& value) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw SettingsError(QStringLiteral("A setting cannot hold a line break (%1/%2)").arg(section, key));
    Lines file = load(path);
    const QString entry = key + QLatin1Char('=') + value;

    qsizetype sectionLine = -1, lastKeyLine = -1, keyLine = -1;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        if (const std::optional<QStringView> name = sectionName(file.lines[i])) {
            if (sectionLine >= 0)
                break;
            if (same(*name, section))
                sectionLine = lastKeyLine = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        QStringView k;
        if (splitKey(file.lines[i], &k, nullptr)) {
            lastKeyLine = i;
            if (same(k, key)) {
                keyLine = i;
                break;
            }
        } else if (!file.lines[i].trimmed().isEmpty()) {
            lastKeyLine = i;
        }
    }
    if (keyLine >= 0)
        file.lines[keyLine] = entry;
    else if (sectionLine >= 0)
        file.lines.insert(lastKeyLine + 1, entry);
    else
        file.lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;

    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        throw SettingsError(QStringLiteral("Cannot write the settings file %1: it is read-only").arg(path));
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        throw SettingsError(
            QStringLiteral("Cannot write the settings file %1: %2").arg(path, out.errorString()));
    out.write((file.lines.join(file.eol) + file.eol).toUtf8());
    if (!out.commit())
        throw SettingsError(
            QStringLiteral("Cannot write the settings file %1: %2").arg(path, out.errorString()));
}

} // namespace IniFile
