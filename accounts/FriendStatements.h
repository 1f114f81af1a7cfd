#pragma once

#include <QString>

// Statements of the friends window on the game database. `guid` is the
// character's number in the friend system (T_FriendMain.GUID).
namespace FriendStatements {

// ---- reading

// The character's friend-system entry: GUID, MemoCount, MemoTotal.
[[nodiscard]] QString Entry(const QString& character);
// Friends not marked deleted: FriendGuid, FriendName.
[[nodiscard]] QString Friends(int guid);
// Subjects of the letters in the mailbox.
[[nodiscard]] QString Subjects(int guid);
// Requests waiting for the character: FriendGuid, FriendName.
[[nodiscard]] QString WaitingRequests(int guid);
// Letters with one subject: Memo, bRead, MemoIndex.
[[nodiscard]] QString LettersWithSubject(int guid, const QString& subject);
// One letter: Memo, bRead, MemoIndex.
[[nodiscard]] QString Letter(int guid, int memoIndex);

// ---- the game server's friend procedures

// `character` asks `friendName` to become friends.
[[nodiscard]] QString SendRequest(const QString& character, const QString& friendName);
// `character` accepts the request of `requester`.
[[nodiscard]] QString AcceptRequest(const QString& character, const QString& requester);
// `character` denies the request of `requester`.
[[nodiscard]] QString DenyRequest(const QString& character, const QString& requester);
// `character` and `friendName` are friends no more.
[[nodiscard]] QString RemoveFriend(const QString& character, const QString& friendName);
// Deletes letter `memoIndex` from the character's mailbox.
[[nodiscard]] QString DeleteLetter(const QString& character, int memoIndex);

} // namespace FriendStatements
