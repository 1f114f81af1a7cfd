#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Statements of the account and character windows. One function per
// statement form; text values are quoted with Q here, never by the caller.
namespace AccountStatements {

// What the search window looks for.
enum class SearchTarget { Accounts, Characters, Guilds };

// Names of accounts, characters or guilds holding `part`, in name order.
[[nodiscard]] QString SearchNames(SearchTarget target, const QString& part);

// ---- account editor (MEMB_INFO on the account database)

// How the account database keeps passwords, from MD5Encryption/Enabled.
// Only 1 hashes; 0 and every other value keep plain text.
enum class Hashing { Disabled, Enabled };
[[nodiscard]] Hashing HashingOf(int setting);
[[nodiscard]] QString HashingText(Hashing hashing); // "Enabled" / "Disabled"

// sno__numb holds a fixed prefix before the seven characters typed.
[[nodiscard]] QString StoredPersonalId(const QString& typed);
// The typed part of a stored sno__numb (characters 7 to 13); a shorter
// value shows what it has after the prefix.
[[nodiscard]] QString ShownPersonalId(const QString& stored);
// sno__numb as the editing window saves it: while the field still shows
// what the stored value showed, the stored value unchanged (NULL, another
// prefix or another length included); once the operator typed another
// number, the prefix and the typed characters.
[[nodiscard]] std::optional<QString> PersonalIdToWrite(const std::optional<QString>& stored,
                                                       const QString& shown);

// What the account creation window inserts.
struct NewAccount {
    QString account;
    QString password;
    QString name;
    QString personalId; // the seven typed characters
    QString mail;
    QString question;
    QString answer;
};

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
