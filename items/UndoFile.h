#pragma once

#include "items/ContainerWalk.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The undo file of a walk: before a row's column is rewritten, the row's
// place and its original column are appended, with a digest of the value
// written. A restore puts back every row that still holds what the walk
// wrote and leaves alone (and lists) the rows changed since.
//
// The file is text: a first line naming the walk and when it began, a line
// of column names, then one entry per row, comma-separated, with double
// quotes around values that need them (a quoted value may span lines):
//   table,column,key,value,key2,value2,original (hexadecimal),
//   sha256 of the new hexadecimal text, sha256 of the entry's other fields
// The last digest lets a damaged or edited entry be refused instead of
// putting one row's original into another row.
class UndoFile {
public:
    // A new file "<what>-<yyyyMMdd-HHmmss>.csv" in the folder Undo beside the
    // executable. Throws SettingsError when it cannot be written: a walk
    // without its undo file does not start.
    [[nodiscard]] static std::unique_ptr<UndoFile> Create(const QString& what);
    // `what` names the walk in the operator's words ("wipe", "conversion").
    UndoFile(const QString& path, const QString& what, const QDateTime& when);

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] int rows() const { return m_rows; }

    // Appends one row, on disk before the row's statement is sent.
    void add(const ContainerWalk::Source& source, const ContainerWalk::Row& row, const QString& newText);
    // The end of the file now, and a return to such a point (entries of rows
    // whose write was undone are withdrawn).
    [[nodiscard]] qint64 mark() const { return m_file.size(); }
    void rollback(qint64 mark);

private:
    void append(const QByteArray& line);

    QString m_path;
    QFile m_file;
    int m_rows = 0;
};

namespace Undo {

struct Entry {
    QString table;
    QString column;
    QString key;
    QString value;
    QString key2; // empty for one key
    QString value2;
    QString original; // hexadecimal
    QString written;  // sha256 of the hexadecimal text written
};

struct File {
    QString what; // "wipe", "conversion"
    QDateTime when;
    std::vector<Entry> entries;
};

// Checks the whole file before anything is restored from it. Throws
// ConvertError naming every line that is not a sound entry: a wrong field
// count, a name that is not a plain identifier, a value that is not
// hexadecimal, a digest of the wrong length or one that does not match.
[[nodiscard]] File Read(const QString& path);

// What a restore of a file would do, in the operator's words: the question
// to ask, or why there is nothing to ask.
struct Offer {
    bool any = false;
    QString text;
};
[[nodiscard]] Offer OfferOf(const File& file);

// Where a row of an entry is found, as a statement condition.
[[nodiscard]] QString RowCondition(const Entry& entry);
[[nodiscard]] QString SelectColumn(const Entry& entry);
[[nodiscard]] QString RestoreColumn(const Entry& entry);

struct Restored {
    int restored = 0;
    QStringList changedSince; // "table key=value ..." of rows left alone
};
// Restores the rows of a file read with Read on the database of
// `connectionString`.
Restored Restore(const File& file, const QString& connectionString);
Restored Restore(const QString& path, const QString& connectionString);

} // namespace Undo
