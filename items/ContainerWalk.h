#pragma once

#include "core/VaultSettings.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>

class UndoFile;

// A pass over every item container of the game database: the inventories,
// the warehouses and the extra vaults. Rows are read one at a time (on the
// ODBC backend through a static cursor, so the table is not locked while the
// walk writes it), the caller decides what becomes of each row's column, and
// the rows it rewrites are written through a second query, each by its own
// statement. On the embedded backend the writes are grouped in transactions
// of a few hundred rows, each row under a savepoint of its own.
namespace ContainerWalk {

enum class Kind { Inventory, Warehouse, Vault };
inline constexpr int kKinds = 3;

// Records per row: 108 for an inventory, 120 for a warehouse or a vault.
[[nodiscard]] int RecordsOf(Kind kind);

// One row as read.
struct Row {
    Kind kind = Kind::Inventory;
    int number = 0;    // from 1, in the order read
    QString account;   // the account key
    QString second;    // the character's name or the vault number; empty for warehouses
    QByteArray column; // the item column
    bool isNull = false;
};

// What becomes of one row.
struct Rewrite {
    enum class Action {
        Keep,       // written back unchanged: nothing is sent
        Write,      // `columnText` is written
        WrongWidth, // the column holds records of the other width: left alone and counted
        Malformed,  // not a whole number of records: left alone and counted
    };
    Action action = Action::Keep;
    QString columnText; // the new column as hexadecimal text, for Write
    int count = 0;      // what the row adds to the caller's counter once written
};
using RewriteFn = std::function<Rewrite(const Row&)>;

// How one kind of container is read and written back.
struct Source {
    Kind kind = Kind::Inventory;
    QString select;
    int accountColumn = 0;
    int itemsColumn = 1;
    int secondColumn = -1; // -1: the rows have one key
    // Where the row lives, for the undo file.
    QString table;
    QString column;
    QString accountKey;
    QString secondKey;
    // The statement writing the literal ("0x" + text) to the row.
    std::function<QString(const Row&, const QString& literal)> update;
};

using Update = std::function<QString(const Row&, const QString& literal)>;

// The three kinds of container as sources: where their rows live (for the
// undo file) is fixed here. Inventories and warehouses are written back by
// the statements of ItemStatements; the caller gives its inventory select
// (where the items and the name stand in it) and its vault statements.
[[nodiscard]] Source InventorySource(const QString& select, int itemsColumn, int secondColumn);
[[nodiscard]] Source WarehouseSource();
// Vault rows: account, items, vault number.
[[nodiscard]] Source VaultSource(const VaultSettings& vaults, const QString& select, Update update);

struct Counts {
    int rows = 0;       // read
    int written = 0;    // rewritten (or, in a preview, that would be)
    int wrongWidth = 0; // left alone: the other record width
    int malformed = 0;  // left alone: not whole records
    int count = 0;      // the caller's counter over the rows written
};

// Told of every row; returns false from rowDone to end the walk after that
// row. The base listens to nothing.
class Listener {
public:
    virtual ~Listener() = default;
    virtual void rowRead(const Row& /*row*/) {}
    virtual bool rowDone(const Row& /*row*/, const Counts& /*counts*/) { return true; }
};

struct Options {
    bool write = true;        // false: a preview; only the reads are sent
    UndoFile* undo = nullptr; // keeps every original column before it is rewritten
    int batchRows = 256;      // embedded backend: rows per transaction
    // Embedded backend: each row under a savepoint of its own. Without one a
    // failing UPDATE is still undone alone (SQLite undoes a failed statement
    // and keeps the transaction); a failure that ends the whole transaction
    // is caught by the commit that follows it either way.
    bool rowSavepoints = true;
};

class Walker {
public:
    Walker(QString connectionString, Options options, Listener& listener);
    ~Walker();
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    // Walks one kind. A failing statement ends the walk: the rows before it
    // stay written (and in the undo file), the failed row stays as it was,
    // and the error propagates.
    void Walk(const Source& source, const RewriteFn& rewrite);

    [[nodiscard]] const Counts& counts(Kind kind) const { return m_counts[std::size_t(kind)]; }
    [[nodiscard]] Counts total() const;
    // The listener asked to stop.
    [[nodiscard]] bool stopped() const { return m_stopped; }
    // The row whose statement failed (number 0 when none did).
    [[nodiscard]] const Row& failedRow() const { return m_failed; }

private:
    class Batch;

    QString m_connection;
    Options m_options;
    Listener& m_listener;
    std::array<Counts, kKinds> m_counts{};
    bool m_stopped = false;
    Row m_failed;
};

} // namespace ContainerWalk
