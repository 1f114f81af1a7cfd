#pragma once

#include "accounts/AccountValues.h"

#include <QString>

#include <optional>

// What the account windows do on the account database: they gather the
// fields, call one of these and show the result.
namespace AccountOps {

enum class CreateResult {
    Created,
    // An account of that name exists; nothing was written.
    Exists,
    // The row is in place with the placeholder password, but the hashing
    // procedure failed (CreateOutcome::error says why).
    CreatedWithoutPassword,
};
struct CreateOutcome {
    CreateResult result = CreateResult::Created;
    QString error; // the database's text for CreatedWithoutPassword
};
// Inserts the account unless its name is taken; with hashing, the hashing
// procedure then stores the password's hash. A failure before the row is
// in place is thrown as it came.
[[nodiscard]] CreateOutcome Create(const AccountValues::NewAccount& account, AccountValues::Hashing hashing);

// An account's row as the editing window shows it (NULL reads as empty).
struct StoredAccount {
    QString password;
    QString name;
    QString mail;
    std::optional<QString> personalId; // sno__numb whole; nothing for NULL
    QString question;
    QString answer;
};
// The row of `account`, nothing when there is none.
[[nodiscard]] std::optional<StoredAccount> Load(const QString& account);

// The editing window's fields at "Save".
struct AccountChange {
    QString account;
    QString name;
    QString mail;
    std::optional<QString> personalId; // sno__numb to write (PersonalIdToWrite)
    QString question;
    QString answer;
    QString newPassword; // empty: the password stays as it is
    AccountValues::Hashing hashing = AccountValues::Hashing::Disabled;
};
enum class SaveResult { Saved, AccountMissing };
// Writes the new password, if any, then the fields. An account deleted since
// the window loaded it changes no row: nothing is written after the step
// that found it missing, and the result says so.
[[nodiscard]] SaveResult Save(const AccountChange& change);

} // namespace AccountOps
