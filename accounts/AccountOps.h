#pragma once

#include "accounts/AccountStatements.h"

#include <QString>

#include <optional>

// What the account editing window does on the account database: it gathers
// the fields, calls one of these and shows the result.
namespace AccountOps {

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
    AccountStatements::Hashing hashing = AccountStatements::Hashing::Disabled;
};
enum class SaveResult { Saved, AccountMissing };
// Writes the new password, if any, then the fields. An account deleted since
// the window loaded it changes no row: nothing is written after the step
// that found it missing, and the result says so.
[[nodiscard]] SaveResult Save(const AccountChange& change);

} // namespace AccountOps
