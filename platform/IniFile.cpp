#include "platform/IniFile.h"

#include "platform/TanorError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

struct Lines {
    QStringList lines;
    QString eol = QStringLiteral("\n");
};

Lines load(const QString& path) {
    Lines out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QByteArray data = file.readAll();
    if (data.contains("\r\n"))
        out.eol = QStringLiteral("\r\n");
    QString text = QString::fromUtf8(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out.lines = text.split(QLatin1Char('\n'));
    if (!out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast();
    return out;
}

// "[name]" -> name; anything else -> null string.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool splitKey(const QString& line, QString* key, QString* value) {
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

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace IniFile {

QString Read(const QString& path, const QString& section, const QString& key, const QString& fallback,
             bool* found) {
    if (found)
        *found = false;
    const Lines file = load(path);
    bool inSection = false;
    for (const QString& line : file.lines) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = same(name, section);
            continue;
        }
        QString k, v;
        if (inSection && splitKey(line, &k, &v) && same(k, key)) {
            if (found)
                *found = true;
            return v;
        }
    }
    return fallback;
}

void Write(const QString& path, const QString& section, const QString& key, const QString& value) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw SettingsError(QStringLiteral("A setting cannot hold a line break (%1/%2)").arg(section, key));
    Lines file = load(path);
    const QString entry = key + QLatin1Char('=') + value;

    qsizetype sectionLine = -1, lastKeyLine = -1, keyLine = -1;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        const QString name = sectionName(file.lines[i]);
        if (!name.isNull()) {
            if (sectionLine >= 0)
                break;
            if (same(name, section))
                sectionLine = lastKeyLine = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        QString k;
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
