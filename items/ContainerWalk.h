#pragma once

#include "core/VaultSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class UndoFile;

// A pass over every item container of the game database: the inventories,
// the warehouses and the extra vaults. The caller decides what becomes of
// each row's column, and the rows it rewrites are written through a second
// query. On the embedded backend rows are streamed through one read and the
// writes are grouped in transactions of a few hundred rows, each row under a
// savepoint of its own. On a server (ODBC) every round trip counts: rows are
// read in pages by key, each page whole before anything is written, and the
// rewrites are sent in batches of statements, one transaction per batch; a
// row the server refuses is found by sending the failed batch again row by
// row, reported and left as it was, and the walk goes on.
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
    // Where the row lives, for the undo file and the pages of a server walk.
    QString table;
    QString column;
    QString accountKey;
    QString secondKey;
    // The unique key the pages of a server walk go by, in order: the
    // account, the second key, or both.
    QStringList pageKeys;
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
    int refused = 0;    // the server refused the write: reported and left as they were
};

// A row the server refused to write, with the server's text.
struct Refusal {
    Row row; // without its column
    QString error;
};

// How the operator is told of a row: "the inventory of <name>", "the
// warehouse of <account>", "extra vault <number> of <account>".
[[nodiscard]] QString RowName(const Row& row);
// The lines telling the operator which rows the server refused (and why);
// empty when it refused none.
[[nodiscard]] QString RefusedText(const std::vector<Refusal>& refused);

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
    int batchRows = 256;      // rows per transaction (on a server: per batch of statements)
    int pageRows = 2000;      // on a server: rows per page read
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
    // The rows a server refused while the walk went on, in the order met.
    [[nodiscard]] const std::vector<Refusal>& refused() const { return m_refused; }

private:
    class Batch;
    class Pages;
    class Batches;

    // Counts a row the rewrite leaves alone; true when the row is written.
    [[nodiscard]] static bool writes(Counts& counts, const Rewrite& rewrite);
    void walkStreamed(const Source& source, const RewriteFn& rewrite);
    void walkPaged(const Source& source, const RewriteFn& rewrite);

    QString m_connection;
    Options m_options;
    Listener& m_listener;
    std::array<Counts, kKinds> m_counts{};
    bool m_stopped = false;
    Row m_failed;
    std::vector<Refusal> m_refused;
};

} // namespace ContainerWalk
