#pragma once

// Keeps a file of every change the operator made: each statement that was
// executed (or a procedure that was run) successfully, with the time, the
// signed-in operator and the data source. Reads are not logged. The file is
// named by the setting Audit/File; an empty setting means no audit file.
// Password values never reach the file.
#include <QString>

namespace AuditLog {

// The statement with every password value (operator, game account and
// warehouse passwords, the hashing procedure's input) replaced by '***'.
[[nodiscard]] QString MaskPasswords(const QString& statement);

// Starts listening to the statement journal; call once at start-up.
void Install();
// Stops listening (tests).
void Uninstall();

} // namespace AuditLog
