#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The sequences that change which characters exist and where they belong,
// run on the game database. Windows gather the names, call one of these and
// show what it returns.
namespace CharacterOps {

enum class CreateResult {
    Created,
    // A character of that name exists; the procedure was not called.
    NameInUse,
    // The procedure ran but no character of that name is there (no free
    // slot on the account, say); nothing more was written.
    NotCreated,
};
// Has the server's procedure create `name` of class `classCode` on
// `account`, then gives it its friend-system number and entry. Those last
// steps may fail without stopping the creation (a name already numbered
// keeps its old number).
[[nodiscard]] CreateResult Create(const QString& account, const QString& name, int classCode);

struct RenameResult {
    // Why nothing was renamed; empty when the rename ran.
    QString refusal;
    // What carries the new name now, in the order renamed.
    QStringList applied;
    // After a failure: the statement that failed and those never sent.
    QStringList notDone;
    // The database's text of that failure.
    QString error;

    [[nodiscard]] bool complete() const { return refusal.isEmpty() && error.isEmpty(); }
    // The character row was renamed, whether or not every later step ran.
    [[nodiscard]] bool characterRenamed() const { return !applied.isEmpty(); }
};

// Renames `oldName` of `account`: its row, its slot of the account, its
// friend-system number and entry, and the friend lists, requests and
// letters of other characters that name it. Everything that can refuse the
// rename is checked before the first write. The data layer holds no
// transaction across statements, so a later failure leaves the earlier steps
// applied; the result names them and the statements left. A failure of the
// very first write (nothing applied) is thrown as it came.
[[nodiscard]] RenameResult Rename(const QString& account, const QString& oldName, const QString& newName);

struct MoveResult {
    // The procedure's result code; none when it answered no number.
    std::optional<int> code;
    // Why there is no code.
    QString problem;
};

// Runs the server's move procedure and reads its answer.
[[nodiscard]] MoveResult Move(const QString& account, const QString& character, const QString& newAccount);

} // namespace CharacterOps
