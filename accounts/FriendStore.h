#pragma once

#include "accounts/LetterText.h"

#include <QString>
#include <QStringList>

#include <optional>

// One character's entry in the game server's friend system, read with plain
// queries and changed through the server's friend procedures.
namespace FriendStore {

struct Entry {
    int guid = 0;         // the character's number in the friend system
    QStringList friends;  // not marked deleted, in the order returned
    QStringList subjects; // of the letters in the mailbox
    QStringList requests; // names of those waiting for an answer
};
// The entry of `character`; nothing when it has none.
[[nodiscard]] std::optional<Entry> Load(const QString& character);

struct ChosenLetter {
    int memoIndex = 0; // how the letter is known from now on
    // Its text; nothing when the letter went meanwhile.
    std::optional<LetterText::Letter> letter;
};
// Letters may share a subject: the `occurrence`-th (from 0) letter with
// `subject` in the mailbox of `guid`, the last one when there are fewer;
// nothing when none has it.
[[nodiscard]] std::optional<ChosenLetter> LetterOf(int guid, const QString& subject, int occurrence);

// The friend procedures, in the character's name.
void SendRequest(const QString& character, const QString& friendName);
void AcceptRequest(const QString& character, const QString& requester);
void DenyRequest(const QString& character, const QString& requester);
void RemoveFriend(const QString& character, const QString& friendName);
void DeleteLetter(const QString& character, int memoIndex);

} // namespace FriendStore
