#pragma once

// Keeps a file of every change the operator made: each statement that was
// executed (or a procedure that was run) successfully, with the time, the
// signed-in operator and the data source. Reads are not logged. The file is
// named by the setting Audit/File; an empty setting means no audit file.
// Password values never reach the file.
#include <QString>

#include <functional>

namespace AuditLog {

// The statement with every password value (operator, game account and
// warehouse passwords, the hashing procedure's input) replaced by '***'.
[[nodiscard]] QString MaskPasswords(const QString& statement);

} // namespace AuditLog

// Listens to the statement journal while it lives and appends every change to
// the audit file, naming the operator `currentOperator` gives at that moment
// (the shell's signed-in operator; a command-line run's own).
class AuditTrail {
public:
    explicit AuditTrail(std::function<QString()> currentOperator);
    ~AuditTrail();
    AuditTrail(const AuditTrail&) = delete;
    AuditTrail& operator=(const AuditTrail&) = delete;

private:
    int m_handle = 0;
};
