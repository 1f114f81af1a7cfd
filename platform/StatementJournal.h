#pragma once

#include <QString>

#include <functional>
#include <vector>

// The one point every statement passes: what was sent where, what came of it.
// Tests listen here to check the exact texts the windows send.
struct JournalEntry {
    QString connection;  // the connection string's data source (DSN, file or "(local)")
    QString text;        // the statement as the window wrote it
    bool opened = false; // Open() (row-returning) rather than ExecSQL()
    qint64 rows = -1;    // rows affected (ExecSQL), -1 when unknown
    qint64 micros = 0;
    QString error; // empty on success
};

namespace StatementJournal {

using Listener = std::function<void(const JournalEntry&)>;

// Returns a handle for RemoveListener.
int AddListener(Listener listener);
void RemoveListener(int handle);
void Publish(const JournalEntry& entry);

// Collects every entry while it lives.
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    [[nodiscard]] const std::vector<JournalEntry>& entries() const { return m_entries; }
    [[nodiscard]] std::vector<QString> texts() const;
    void clear() { m_entries.clear(); }

private:
    std::vector<JournalEntry> m_entries;
    int m_handle;
};

} // namespace StatementJournal
