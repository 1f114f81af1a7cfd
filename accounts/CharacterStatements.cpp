#include "accounts/CharacterStatements.h"

#include "accounts/CharacterCodes.h"
#include "core/UtilitiesUnit.h"

namespace CharacterStatements {

namespace {
QString number(qint64 value) {
    return QString::number(value);
}
template <class N> QString code(const std::optional<N>& value) {
    return value ? QString::number(*value) : QStringLiteral("NULL");
}
// Every row of `table` whose `column` holds the old name gets the new one.
QString renameIn(const QString& table, const QString& column, const QString& oldName,
                 const QString& newName) {
    return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column + QLatin1Char('=') +
           Q(newName) + QStringLiteral(" WHERE ") + column + QLatin1Char('=') + Q(oldName);
}
} // namespace

QString CheckAccount(const QString& account) {
    return QStringLiteral("SELECT * FROM MEMB_INFO WHERE memb___id = ") + Q(account);
}

QStringList LoadCharacter(const QString& character) {
    return {
        QStringLiteral("SELECT AccountID, Name, cLevel, LevelUpPoint, Class, Experience"),
        QStringLiteral(", Strength, Dexterity, Vitality, Energy, Inventory, MagicList, Money"),
        QStringLiteral(", Life, MaxLife, Mana, MaxMana, MapNumber, MapPosX, MapPosY, MapDir"),
        QStringLiteral(", PkCount, PkLevel, PkTime, MDate, LDate, CtlCode, DbVersion, Quest"),
        QStringLiteral(", Leadership, ChatLimitTime FROM Character WHERE Name = ") + Q(character),
    };
}

QString GuildOf(const QString& character) {
    return QStringLiteral("SELECT * FROM GuildMember WHERE Name=") + Q(character);
}

QStringList UpdateCharacter(const CharacterUpdate& c) {
    return {
        QStringLiteral("UPDATE Character"),
        QStringLiteral("SET cLevel=") + code(c.level) + QStringLiteral(", LevelUpPoint=") +
            code(c.freePoints),
        QStringLiteral(", Class=") + code(c.classCode) + QStringLiteral(", Experience=") +
            code(c.experience) + QStringLiteral(", Strength=") + code(c.strength),
        QStringLiteral(", Dexterity=") + code(c.agility) + QStringLiteral(", Vitality=") + code(c.vitality) +
            QStringLiteral(", Energy=") + code(c.energy),
        QStringLiteral(", Leadership=") + code(c.command),
        QStringLiteral(", Money=") + code(c.money) + QStringLiteral(", MapNumber=") + code(c.map),
        QStringLiteral(", MapPosX=") + code(c.x) + QStringLiteral(", MapPosY=") + code(c.y) +
            QStringLiteral(", PkLevel=") + code(c.pkLevel),
        QStringLiteral(", PkCount=") + code(c.pkCount) + QStringLiteral(", PkTime=") + code(c.pkTime) +
            QStringLiteral(", CtlCode=") + code(c.ctlCode) + QStringLiteral(", Quest=") +
            CharacterCodes::QuestLiteral(c.questPrefix),
        QStringLiteral(" WHERE Name=") + Q(c.name),
    };
}

QString FindName(const QString& name) {
    return QStringLiteral("SELECT Name FROM Character WHERE Name=") + Q(name);
}

QString CreateCharacter(const QString& account, const QString& name, int classCode) {
    return QStringLiteral("EXECUTE QJ_CreateCharacter @AccountID=") + Q(account) +
           QStringLiteral(", @Name=") + Q(name) + QStringLiteral(", @Class=") + QString::number(classCode);
}

QString AddFriendNumber(const QString& name) {
    return QStringLiteral("INSERT INTO T_CGuid (Name) Values (") + Q(name) + QLatin1Char(')');
}

QString FriendNumberOf(const QString& name) {
    return QStringLiteral("SELECT GUID FROM T_CGuid WHERE Name=") + Q(name);
}

QString AddFriendMain(qint64 guid, const QString& name) {
    return QStringLiteral(
               "INSERT INTO T_FriendMain (GUID, Name, FriendCount, MemoCount, MemoTotal) VALUES (") +
           number(guid) + QLatin1Char(',') + Q(name) + QStringLiteral(",1,10,0)");
}

QString RenameCharacter(const QString& account, const QString& oldName, const QString& newName) {
    return QStringLiteral("UPDATE Character SET Name=") + Q(newName) + QStringLiteral(" WHERE AccountID=") +
           Q(account) + QStringLiteral(" AND Name=") + Q(oldName);
}

QString SlotsOf(const QString& account) {
    return QStringLiteral(
               "SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter WHERE Id=") +
           Q(account);
}

QString RenameSlot(const QString& account, int slot, const QString& newName) {
    const QString slotText = QStringLiteral(" GameID") + QString::number(slot) + QLatin1Char(' ');
    return QStringLiteral("UPDATE AccountCharacter SET GameIDC=NULL, ") + slotText + QLatin1Char('=') +
           Q(newName) + QStringLiteral(" WHERE Id=") + Q(account);
}

QString RenameFriendNumber(const QString& oldName, const QString& newName) {
    return renameIn(QStringLiteral("T_CGuid"), QStringLiteral("Name"), oldName, newName);
}

QString RenameFriendEntry(const QString& oldName, const QString& newName) {
    return renameIn(QStringLiteral("T_FriendMain"), QStringLiteral("Name"), oldName, newName);
}

QString RenameInFriendLists(const QString& oldName, const QString& newName) {
    return renameIn(QStringLiteral("T_FriendList"), QStringLiteral("FriendName"), oldName, newName);
}

QString RenameInFriendRequests(const QString& oldName, const QString& newName) {
    return renameIn(QStringLiteral("T_WaitFriend"), QStringLiteral("FriendName"), oldName, newName);
}

QString RenameLetterSender(const QString& oldName, const QString& newName) {
    return renameIn(QStringLiteral("T_FriendMail"), QStringLiteral("FriendName"), oldName, newName);
}

QStringList MoveCharacter(const QString& account, const QString& character, const QString& newAccount) {
    return {
        QStringLiteral("EXECUTE QJ_MoveCharacter @AccountID=") + Q(account),
        QStringLiteral(", @Name=") + Q(character) + QStringLiteral(", @ChangeAccountID=") + Q(newAccount),
        QStringLiteral(",@IsOriginalAccountID=1"),
    };
}

} // namespace CharacterStatements
