#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The operator table (MANG_INFO on the operator data source) as the shell
// works on it: the administration window reads and changes rows, the wizard
// creates the table with its first operator, the start-up checks that the
// table can be read. A failing statement throws DbError unless said otherwise.
namespace OperatorStore {

// An operator's row as the administration window shows it.
struct OperatorRecord {
    QString number; // mang_guid: operator 1 manages the others
    QString name;
    QString authority;
    QString blocked;
    QString date; // appl_day to the second; empty for NULL
    QString permission;
};
// The row of `id`, blocked or not; nothing when there is none.
[[nodiscard]] std::optional<OperatorRecord> Load(const QString& id);

enum class PasswordChange { Changed, WrongOldPassword };
// Writes `newPassword` only when `oldPassword` is the stored one, exactly.
[[nodiscard]] PasswordChange ChangePassword(const QString& id, const QString& oldPassword,
                                            const QString& newPassword);

enum class AddResult { Added, IdExists };
// Adds an operator unless a row (blocked or not) has the ID already.
[[nodiscard]] AddResult Add(const QString& id, const QString& password, const QString& name);

// The IDs of every operator but the first.
[[nodiscard]] QStringList OtherOperatorIds();
// Returns once the row is gone.
void Remove(const QString& id);

// The wizard's last step: registers the operator data source on `database`,
// marks the setup done and points the settings at it, then creates the
// table, unless it exists already (a second run only adds an operator), and
// adds the first operator. Returns the server's text when that operator
// could not be added, nothing on success.
[[nodiscard]] std::optional<QString> SetUp(const QString& database, const QString& id,
                                           const QString& password);

// Whether the table can be read on the operator data source. A setting
// that names no usable data source is pointed at the wizard's own first;
// any failure after that reads as "no table".
[[nodiscard]] bool TableReadable();

} // namespace OperatorStore
