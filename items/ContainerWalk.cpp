#include "items/ContainerWalk.h"

#include "items/ItemRecord.h"
#include "items/ItemStatements.h"
#include "items/UndoFile.h"
#include "platform/ConnectionString.h"
#include "platform/DataTarget.h"
#include "platform/Query.h"
#include "platform/TanorError.h"

namespace ContainerWalk {

Source InventorySource(const QString& select, int itemsColumn, int secondColumn) {
    Source s;
    s.kind = Kind::Inventory;
    s.select = select;
    s.itemsColumn = itemsColumn;
    s.secondColumn = secondColumn;
    s.table = QStringLiteral("Character");
    s.column = QStringLiteral("Inventory");
    s.accountKey = QStringLiteral("AccountID");
    s.secondKey = QStringLiteral("Name");
    s.pageKeys = {s.secondKey};
    s.update = [](const Row& row, const QString& literal) {
        return ItemStatements::InventoryRewrite(row.account, row.second, literal);
    };
    return s;
}

Source WarehouseSource() {
    Source s;
    s.kind = Kind::Warehouse;
    s.select = ItemStatements::WarehouseRows();
    s.table = QStringLiteral("Warehouse");
    s.column = QStringLiteral("Items");
    s.accountKey = QStringLiteral("AccountID");
    s.pageKeys = {s.accountKey};
    s.update = [](const Row& row, const QString& literal) {
        return ItemStatements::WarehouseRewrite(row.account, literal);
    };
    return s;
}

Source VaultSource(const VaultSettings& vaults, const QString& select, Update update) {
    Source s;
    s.kind = Kind::Vault;
    s.select = select;
    s.secondColumn = 2;
    s.table = vaults.table;
    s.column = vaults.items;
    s.accountKey = vaults.account;
    s.secondKey = vaults.number;
    s.pageKeys = {s.accountKey, s.secondKey};
    s.update = std::move(update);
    return s;
}

QString RowName(const Row& row) {
    switch (row.kind) {
    case Kind::Inventory:
        return QStringLiteral("the inventory of ") + row.second;
    case Kind::Warehouse:
        return QStringLiteral("the warehouse of ") + row.account;
    case Kind::Vault:
        break;
    }
    return QStringLiteral("extra vault ") + row.second + QStringLiteral(" of ") + row.account;
}

QString RefusedText(const std::vector<Refusal>& refused) {
    if (refused.empty())
        return {};
    // A box has room for a few; the rest are counted.
    constexpr std::size_t kNamed = 10;
    QString text =
        QStringLiteral("\rThe server refused %1 row(s); they were left unchanged:").arg(refused.size());
    for (std::size_t i = 0; i < refused.size() && i < kNamed; ++i)
        text += QStringLiteral("\r") + RowName(refused[i].row) + QStringLiteral(": ") + refused[i].error;
    if (refused.size() > kNamed)
        text += QStringLiteral("\r... and %1 more.").arg(refused.size() - kNamed);
    return text;
}

int RecordsOf(Kind kind) {
    return kind == Kind::Inventory ? ItemRecord::kInventoryRecords : ItemRecord::kWarehouseRecords;
}

// The writes of an embedded walk: transactions of `batchRows` rows on one
// held connection, each row under a savepoint so that a failing row is
// undone alone.
class Walker::Batch {
public:
    Batch(const QString& connection, const Options& options)
        : m_limit(options.batchRows), m_savepoints(options.rowSavepoints) {
        m_query.SetConnectionString(connection);
        m_grouped = m_limit > 1;
        m_query.Hold(m_grouped);
    }
    ~Batch() { giveUp(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Writes one row. On failure the row is undone and the rows before it
    // are committed (lost() tells whether that failed too); the error
    // propagates.
    void write(const QString& statement) {
        if (!m_grouped) {
            send(statement);
            return;
        }
        if (!m_open) {
            send(QStringLiteral("BEGIN"));
            m_open = true;
        }
        if (m_savepoints)
            send(QStringLiteral("SAVEPOINT walk_row"));
        try {
            send(statement);
        } catch (const TanorError&) {
            try {
                if (m_savepoints) {
                    send(QStringLiteral("ROLLBACK TO walk_row"));
                    send(QStringLiteral("RELEASE walk_row"));
                }
                commit();
            } catch (const TanorError&) {
                giveUp();
            }
            throw;
        }
        if (m_savepoints)
            send(QStringLiteral("RELEASE walk_row"));
        if (++m_rows >= m_limit)
            commit();
    }

    // Commits the rows written since the last commit; when that fails they
    // are lost (the transaction is rolled back) and the error propagates.
    void commit() {
        if (!m_open)
            return;
        try {
            send(QStringLiteral("COMMIT"));
        } catch (const TanorError&) {
            giveUp();
            throw;
        }
        m_open = false;
        m_rows = 0;
    }

    // Rows written but not committed yet.
    [[nodiscard]] bool pending() const { return m_open; }
    // The last transaction was rolled back as a whole.
    [[nodiscard]] bool lost() const { return m_lost; }

private:
    void send(const QString& text) {
        m_query.SetText(text);
        (void)m_query.ExecSQL();
    }
    void giveUp() {
        if (!m_open)
            return;
        m_open = false;
        m_lost = true;
        try {
            send(QStringLiteral("ROLLBACK"));
        } catch (const TanorError&) {
            // The connection gave up the transaction already.
        }
    }

    int m_limit;
    bool m_savepoints;
    Query m_query;
    bool m_grouped = false;
    bool m_open = false;
    bool m_lost = false;
    int m_rows = 0;
};

Walker::Walker(QString connectionString, Options options, Listener& listener)
    : m_connection(std::move(connectionString)), m_options(options), m_listener(listener) {}

Walker::~Walker() = default;

Counts Walker::total() const {
    Counts sum;
    for (const Counts& c : m_counts) {
        sum.rows += c.rows;
        sum.written += c.written;
        sum.wrongWidth += c.wrongWidth;
        sum.malformed += c.malformed;
        sum.count += c.count;
        sum.refused += c.refused;
    }
    return sum;
}

bool Walker::writes(Counts& counts, const Rewrite& rewrite) {
    switch (rewrite.action) {
    case Rewrite::Action::Keep:
        break;
    case Rewrite::Action::WrongWidth:
        ++counts.wrongWidth;
        break;
    case Rewrite::Action::Malformed:
        ++counts.malformed;
        break;
    case Rewrite::Action::Write:
        return true;
    }
    return false;
}

void Walker::Walk(const Source& source, const RewriteFn& rewrite) {
    if (m_stopped)
        return;
    const DataTarget target = DataTargets::Resolve(ConnectionString::Parse(m_connection));
    if (target.backend == DataTarget::Backend::Odbc)
        walkPaged(source, rewrite);
    else
        walkStreamed(source, rewrite);
}

void Walker::walkStreamed(const Source& source, const RewriteFn& rewrite) {
    Counts& counts = m_counts[std::size_t(source.kind)];
    Query reader;
    reader.SetConnectionString(m_connection);
    reader.SetText(source.select);
    reader.Open();
    Batch batch(m_connection, m_options);
    UndoFile* undo = m_options.write ? m_options.undo : nullptr;
    // What the open transaction holds: withdrawn from the counts and the
    // undo file if it is lost.
    qint64 batchMark = undo ? undo->mark() : 0;
    int batchWritten = 0;
    int batchCount = 0;
    auto settled = [&] {
        batchMark = undo ? undo->mark() : 0;
        batchWritten = 0;
        batchCount = 0;
    };
    auto withdraw = [&] {
        if (undo)
            undo->rollback(batchMark);
        counts.written -= batchWritten;
        counts.count -= batchCount;
        settled();
    };

    Row row;
    row.kind = source.kind;
    try {
        for (; !reader.Eof(); reader.Next()) {
            ++row.number;
            row.account = reader.Fields(source.accountColumn).AsString();
            row.second = source.secondColumn >= 0 ? reader.Fields(source.secondColumn).AsString() : QString();
            const Field items = reader.Fields(source.itemsColumn);
            row.isNull = items.isNull();
            row.column = items.AsBytes();
            ++counts.rows;
            m_listener.rowRead(row);

            const Rewrite result = rewrite(row);
            if (writes(counts, result)) {
                if (m_options.write) {
                    const qint64 rowMark = undo ? undo->mark() : 0;
                    if (undo)
                        undo->add(source, row, result.columnText);
                    try {
                        batch.write(source.update(row, QStringLiteral("0x") + result.columnText));
                    } catch (const TanorError&) {
                        m_failed = row;
                        if (batch.lost())
                            withdraw();
                        else if (undo)
                            undo->rollback(rowMark);
                        throw;
                    }
                }
                ++counts.written;
                counts.count += result.count;
                if (batch.pending()) {
                    ++batchWritten;
                    batchCount += result.count;
                } else {
                    settled();
                }
            }
            if (!m_listener.rowDone(row, counts)) {
                m_stopped = true;
                break;
            }
        }
        reader.Close();
        batch.commit();
    } catch (const TanorError&) {
        // Whatever stopped the walk, the rows written before it are kept.
        if (batch.pending()) {
            try {
                batch.commit();
            } catch (const TanorError&) {
            }
        }
        if (batch.lost())
            withdraw();
        throw;
    }
}

} // namespace ContainerWalk
