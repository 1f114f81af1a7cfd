#pragma once

#include <QString>

// The operator's sign-in without a window: the operator table's row of the
// ID, if not blocked, and its password. On success the ID is the signed-in
// operator that the audit file names.
namespace OperatorSignIn {

enum class Outcome {
    SignedIn,
    Unknown, // no such operator, or blocked
    WrongPassword,
};

// Reads the operator table (a failing statement throws DbError); the caller
// keeps who signed in.
[[nodiscard]] Outcome SignIn(const QString& id, const QString& password);

// The sign-in window's words for a failed outcome.
[[nodiscard]] QString FailureText(Outcome outcome);

} // namespace OperatorSignIn
