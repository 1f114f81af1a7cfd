#include "accounts/FriendStatements.h"

#include "core/UtilitiesUnit.h"

namespace FriendStatements {

namespace {

QString number(int value) {
    return QString::number(value);
}

// "EXECUTE <procedure>" + name + friend name, as the three two-name
// procedures are called; `head` carries the exact spacing of each call.
QString twoNames(const QString& head, const QString& character, const QString& between,
                 const QString& friendName) {
    return head + QStringLiteral("@Name=") + Q(character) + between + QStringLiteral("@FriendName=") +
           Q(friendName);
}

} // namespace

QString Entry(const QString& character) {
    return QStringLiteral("SELECT GUID, MemoCount, MemoTotal FROM T_FriendMain WHERE Name=") + Q(character);
}

QString Friends(int guid) {
    return QStringLiteral("SELECT FriendGuid, FriendName FROM T_FriendList WHERE (GUID=") + number(guid) +
           QStringLiteral(") AND (Del=0)");
}

QString Subjects(int guid) {
    return QStringLiteral("SELECT Subject FROM T_FriendMail WHERE GUID=") + number(guid);
}

QString WaitingRequests(int guid) {
    return QStringLiteral("SELECT FriendGuid, FriendName FROM T_WaitFriend WHERE  GUID=") + number(guid);
}

QString LettersWithSubject(int guid, const QString& subject) {
    return QStringLiteral("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=") + number(guid) +
           QStringLiteral(") AND (Subject=") + Q(subject) + QStringLiteral(")");
}

QString Letter(int guid, int memoIndex) {
    return QStringLiteral("SELECT Memo, bRead, MemoIndex FROM T_FriendMail WHERE (GUID=") + number(guid) +
           QStringLiteral(") AND (MemoIndex=") + number(memoIndex) + QStringLiteral(")");
}

QString SendRequest(const QString& character, const QString& friendName) {
    return twoNames(QStringLiteral("EXECUTE QJ_WaitFriendAdd\t"), character, QStringLiteral(", "),
                    friendName);
}

QString AcceptRequest(const QString& character, const QString& requester) {
    return twoNames(QStringLiteral("EXECUTE QJ_FriendAdd\t"), character, QStringLiteral(", "), requester);
}

QString DenyRequest(const QString& character, const QString& requester) {
    return twoNames(QStringLiteral("EXECUTE QJ_WaitFriendDel "), character, QStringLiteral(",  "), requester);
}

QString RemoveFriend(const QString& character, const QString& friendName) {
    return twoNames(QStringLiteral("EXECUTE QJ_FriendDel\t"), character, QStringLiteral(", "), friendName);
}

QString DeleteLetter(const QString& character, int memoIndex) {
    return QStringLiteral("EXECUTE  QJ_DelMail @Name=") + Q(character) + QStringLiteral(", @MemoIndex=") +
           number(memoIndex);
}

} // namespace FriendStatements
