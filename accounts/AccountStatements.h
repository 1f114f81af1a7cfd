#pragma once

#include "accounts/AccountValues.h"
#include "accounts/NameSearch.h"

#include <QString>
#include <QStringList>

#include <optional>

// Statements of the account and character windows. One function per
// statement form; text values are quoted with Q here, never by the caller.
namespace AccountStatements {

// What the search window looks for.
using SearchTarget = NameSearch::Target;

// Names of accounts, characters or guilds holding `part`, in name order.
[[nodiscard]] QString SearchNames(SearchTarget target, const QString& part);

// ---- account editor (MEMB_INFO on the account database)

// The values these statements take, under the names callers know here.
using AccountValues::Hashing;
using AccountValues::HashingOf;
using AccountValues::HashingText;
using AccountValues::NewAccount;
using AccountValues::PersonalIdToWrite;
using AccountValues::ShownPersonalId;
using AccountValues::StoredPersonalId;

// The account's row, if any (creation: does it exist).
[[nodiscard]] QString FindAccount(const QString& account);
// The whole row (editing window).
[[nodiscard]] QString LoadAccount(const QString& account);
// The new row; with hashing the password is the placeholder 0x0000 until
// the hashing procedure stores the real one.
[[nodiscard]] QStringList InsertAccount(const NewAccount& a, Hashing hashing);
// The account database's hashing procedure stores the hash of `password`.
[[nodiscard]] QString HashPassword(const QString& password, const QString& account);
// A plain-text password.
[[nodiscard]] QString SetPlainPassword(const QString& account, const QString& password);
// The fields of the editing window (everything but the password);
// `personalId` is the whole sno__numb, nothing for NULL.
[[nodiscard]] QStringList UpdateAccountFields(const QString& account, const QString& name,
                                              const QString& mail, const std::optional<QString>& personalId,
                                              const QString& question, const QString& answer);

} // namespace AccountStatements
