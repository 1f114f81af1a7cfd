#pragma once

#include <QString>

#include <optional>

// Values of an account row that the account windows and the account
// statements both work with: how passwords are kept, the personal number's
// fixed prefix, and the fields of a new account.
namespace AccountValues {

// How the account database keeps passwords, from MD5Encryption/Enabled.
// Only 1 hashes; 0 and every other value keep plain text.
enum class Hashing { Disabled, Enabled };
[[nodiscard]] Hashing HashingOf(int setting);
[[nodiscard]] QString HashingText(Hashing hashing); // "Enabled" / "Disabled"
// The setting as it stands now.
[[nodiscard]] Hashing ReadHashing();

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

} // namespace AccountValues
