// The container walk on a server, where every round trip costs: keyed pages
// for the reads, batches of statements for the writes.

#include "items/ContainerWalk.h"

#include "items/ItemStatements.h"
#include "items/UndoFile.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

#include <algorithm>
#include <deque>

namespace ContainerWalk {

// The rows of one source in pages of `pageRows`, by key. Each page is one
// forward-only result, read whole and closed before its rows are handed
// out, so the server holds no lock on the table while the walk writes it.
// A row changed or added behind the page already read is not seen again.
class Walker::Pages {
public:
    Pages(const QString& connection, const Source& source, int pageRows)
        : m_source(source), m_pageRows(std::max(1, pageRows)) {
        m_query.SetConnectionString(connection);
        m_columns = {source.accountKey, source.column};
        if (!source.secondKey.isEmpty())
            m_columns << source.secondKey;
    }

    // The next row, or false at the end.
    bool next(Row& row) {
        if (m_rows.empty() && !m_ended)
            readPage();
        if (m_rows.empty())
            return false;
        Read& r = m_rows.front();
        row.account = std::move(r.account);
        row.second = std::move(r.second);
        row.column = std::move(r.column);
        row.isNull = r.isNull;
        m_rows.pop_front();
        return true;
    }

private:
    struct Read {
        QString account;
        QString second;
        QByteArray column;
        bool isNull = false;
    };

    [[nodiscard]] QString keyOf(const Read& r, const QString& key) const {
        return key == m_source.accountKey ? r.account : r.second;
    }

    void readPage() {
        m_query.SetText(
            ItemStatements::KeyedPage(m_source.table, m_columns, m_source.pageKeys, m_after, m_pageRows));
        m_query.Open();
        const bool second = m_columns.size() > 2;
        for (; !m_query.Eof(); m_query.Next()) {
            Read r;
            r.account = m_query.Fields(0).AsString();
            const Field items = m_query.Fields(1);
            r.isNull = items.isNull();
            r.column = items.AsBytes();
            if (second)
                r.second = m_query.Fields(2).AsString();
            m_rows.push_back(std::move(r));
        }
        m_query.Close();
        m_ended = int(m_rows.size()) < m_pageRows;
        if (!m_rows.empty()) {
            m_after.clear();
            for (const QString& key : m_source.pageKeys)
                m_after << keyOf(m_rows.back(), key);
        }
    }

    const Source& m_source;
    int m_pageRows;
    Query m_query;
    QStringList m_columns;
    QStringList m_after;
    std::deque<Read> m_rows;
    bool m_ended = false;
};

// The rewrites of a server walk, `batchRows` statements per batch, each
// batch in a transaction of its own. Every row's undo entry is on disk
// before its batch is sent. A batch that fails is rolled back and withdrawn
// (counts and undo file), then its rows are sent one by one: a row the
// server refuses is reported and skipped; when the connection itself is
// gone the walk ends there, the undo file listing what was committed.
class Walker::Batches {
public:
    Batches(Walker& walker, const Source& source, Counts& counts)
        : m_walker(walker), m_source(source), m_counts(counts),
          m_undo(walker.m_options.write ? walker.m_options.undo : nullptr),
          m_limit(std::max(1, walker.m_options.batchRows)) {
        m_query.SetConnectionString(walker.m_connection);
        m_query.Hold(true);
        m_mark = m_undo ? m_undo->mark() : 0;
    }

    // Queues a row's rewrite; it counts as written until its batch fails.
    void add(const Row& row, const Rewrite& rewrite) {
        if (m_undo)
            m_undo->add(m_source, row, rewrite.columnText);
        Pending p;
        p.row = row;
        p.row.column.clear();
        p.columnText = rewrite.columnText;
        p.count = rewrite.count;
        p.statement = m_source.update(row, QStringLiteral("0x") + rewrite.columnText);
        m_pending.push_back(std::move(p));
        ++m_counts.written;
        m_counts.count += rewrite.count;
        if (int(m_pending.size()) >= m_limit)
            flush();
    }

    // Sends what is queued.
    void flush() {
        if (m_pending.empty())
            return;
        QStringList statements;
        for (const Pending& p : m_pending)
            statements << p.statement;
        try {
            m_query.Transaction();
            (void)m_query.ExecBatch(statements);
            m_query.Commit();
        } catch (const TanorError&) {
            rollBack();
            withdraw();
            rowByRow();
            return;
        }
        settle();
    }

    // After a failure elsewhere: sends what is queued if it can, and keeps
    // the undo file exact either way.
    void flushQuietly() {
        try {
            flush();
        } catch (const TanorError&) {
        }
    }

private:
    struct Pending {
        Row row;
        QString columnText;
        QString statement;
        int count = 0;
    };

    void rollBack() {
        try {
            m_query.Rollback();
        } catch (const TanorError&) {
            // The server ended the transaction with the connection.
        }
    }

    void withdraw() {
        if (m_undo)
            m_undo->rollback(m_mark);
        for (const Pending& p : m_pending) {
            --m_counts.written;
            m_counts.count -= p.count;
        }
    }

    void settle() {
        m_pending.clear();
        m_mark = m_undo ? m_undo->mark() : 0;
    }

    // Whether the connection still answers (a row was refused) or is gone.
    [[nodiscard]] bool alive() {
        try {
            Query ping;
            ping.SetConnectionString(m_walker.m_connection);
            ping.SetText(ItemStatements::Ping());
            ping.Open();
            return true;
        } catch (const TanorError&) {
            return false;
        }
    }

    void rowByRow() {
        std::vector<Pending> rows;
        rows.swap(m_pending);
        settle();
        for (const Pending& p : rows) {
            const qint64 mark = m_undo ? m_undo->mark() : 0;
            if (m_undo)
                m_undo->add(m_source, p.row, p.columnText);
            try {
                m_query.SetText(p.statement);
                (void)m_query.ExecSQL();
            } catch (const TanorError& e) {
                if (m_undo)
                    m_undo->rollback(mark);
                if (!alive()) {
                    m_walker.m_failed = p.row;
                    settle();
                    throw;
                }
                m_walker.m_refused.push_back({p.row, e.text()});
                ++m_counts.refused;
                continue;
            }
            ++m_counts.written;
            m_counts.count += p.count;
        }
        settle();
    }

    Walker& m_walker;
    const Source& m_source;
    Counts& m_counts;
    UndoFile* m_undo;
    int m_limit;
    Query m_query;
    std::vector<Pending> m_pending;
    qint64 m_mark = 0;
};

void Walker::walkPaged(const Source& source, const RewriteFn& rewrite) {
    Counts& counts = m_counts[std::size_t(source.kind)];
    Pages pages(m_connection, source, m_options.pageRows);
    Batches batches(*this, source, counts);
    Row row;
    row.kind = source.kind;
    try {
        while (pages.next(row)) {
            ++row.number;
            ++counts.rows;
            m_listener.rowRead(row);
            const Rewrite result = rewrite(row);
            if (writes(counts, result)) {
                if (m_options.write) {
                    batches.add(row, result);
                } else {
                    ++counts.written;
                    counts.count += result.count;
                }
            }
            if (!m_listener.rowDone(row, counts)) {
                m_stopped = true;
                break;
            }
        }
        batches.flush();
    } catch (const TanorError&) {
        // Whatever stopped the walk, the rows queued before it are sent.
        batches.flushQuietly();
        throw;
    }
}

} // namespace ContainerWalk
