#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Statements of the character editor, character creation, renaming and
// moving. One function per statement form; text values are quoted here.
namespace CharacterStatements {

// ---- character editor

// The account's row on the account database (does it exist).
[[nodiscard]] QString CheckAccount(const QString& account);
// The character's row, five lines.
[[nodiscard]] QStringList LoadCharacter(const QString& character);
// The character's guild membership.
[[nodiscard]] QString GuildOf(const QString& character);

// What Save writes. A value set to nothing (a stored NULL left as it was, a
// code nothing was chosen for) is written as NULL.
struct CharacterUpdate {
    QString name;
    std::optional<qint64> level = 0;
    std::optional<qint64> freePoints = 0;
    std::optional<int> classCode;
    std::optional<qint64> experience = 0;
    std::optional<qint64> strength = 0;
    std::optional<qint64> agility = 0;
    std::optional<qint64> vitality = 0;
    std::optional<qint64> energy = 0;
    std::optional<qint64> command = 0;
    std::optional<qint64> money = 0;
    std::optional<int> map;
    std::optional<qint64> x = 0;
    std::optional<qint64> y = 0;
    std::optional<int> pkLevel; // the stored value, 1 to 6
    std::optional<qint64> pkCount = 0;
    std::optional<qint64> pkTime = 0;
    std::optional<int> ctlCode;
    QString questPrefix; // four hexadecimal digits
};
// The nine-line update.
[[nodiscard]] QStringList UpdateCharacter(const CharacterUpdate& c);

// ---- creation

// Is the name taken.
[[nodiscard]] QString FindName(const QString& name);
[[nodiscard]] QString CreateCharacter(const QString& account, const QString& name, int classCode);
[[nodiscard]] QString AddFriendNumber(const QString& name);
[[nodiscard]] QString FriendNumberOf(const QString& name);
[[nodiscard]] QString AddFriendMain(qint64 guid, const QString& name);

// ---- renaming

[[nodiscard]] QString RenameCharacter(const QString& account, const QString& oldName, const QString& newName);
[[nodiscard]] QString SlotsOf(const QString& account);
// Slot 1 to 5 of AccountCharacter gets the new name; GameIDC is cleared.
[[nodiscard]] QString RenameSlot(const QString& account, int slot, const QString& newName);
[[nodiscard]] QString RenameFriendNumber(const QString& oldName, const QString& newName);
// The character's own friend-system entry (T_FriendMain).
[[nodiscard]] QString RenameFriendEntry(const QString& oldName, const QString& newName);
// Where other characters' friend-system rows name it: their friend lists,
// the requests it sent them and the letters it sent them.
[[nodiscard]] QString RenameInFriendLists(const QString& oldName, const QString& newName);
[[nodiscard]] QString RenameInFriendRequests(const QString& oldName, const QString& newName);
[[nodiscard]] QString RenameLetterSender(const QString& oldName, const QString& newName);

// ---- moving

[[nodiscard]] QStringList MoveCharacter(const QString& account, const QString& character,
                                        const QString& newAccount);

} // namespace CharacterStatements
