#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Private-profile (INI) access with the semantics of the Windows routines:
// sections and keys compare without regard to case, the first occurrence
// wins, values are taken as they stand (only the blanks around them and
// quotation marks enclosing the whole value are dropped), lines that are
// neither a section nor "key=value" are skipped. A line that is not valid
// UTF-8 is read in the Windows code page (1252).
//
// Reads keep the parsed file and take it again only when FileWatch reports
// that it may have changed: this program's own writes are seen by the next
// read, another program's by the reads after the watcher's report. A write changes only the line it writes
// (and adds a section header when needed); every other byte stays as it was.
namespace IniFile {

// Returns the value, or `fallback` when the file, section or key is missing.
[[nodiscard]] QString Read(const QString& path, const QString& section, const QString& key,
                           const QString& fallback = QString(), bool* found = nullptr);

struct Entry {
    QString section;
    QString key;
};

// Several values in one pass over the file, each as Read gives it (empty
// when missing); `found`, when given, tells for each whether it was there.
[[nodiscard]] QStringList ReadMany(const QString& path, const QVector<Entry>& entries,
                                   QVector<bool>* found = nullptr);

// Writes key=value into section, creating file, section or key as needed and
// keeping every other line as it was. In a file that holds Windows-1252
// lines the new line is written in that code page when it fits. Throws SettingsError when the file
// cannot be written.
void Write(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace IniFile
