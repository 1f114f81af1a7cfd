#include "app/ShellStatements.h"

#include "core/UtilitiesUnit.h"

#include <stdexcept>

namespace ShellStatements {

namespace {
const QString kOperatorColumns =
    QStringLiteral("INSERT INTO MANG_INFO (mang___id, mang__pwd, mang_name, auth_code, appl_day, "
                   "bloc_code, perm) VALUES (");
} // namespace

QString CreateOperatorTable() {
    return QStringLiteral(
        "CREATE TABLE [MANG_INFO] ( [mang_guid] [int] IDENTITY (1, 1) NOT NULL , \t[mang___id] "
        "[varchar] (15) COLLATE "
        "Polish_CI_AS NOT NULL , \t[mang__pwd] [varchar] (34) COLLATE Modern_Spanish_CI_AS NOT "
        "NULL ,[mang_name] [varchar] "
        "(20) COLLATE Polish_CI_AS NOT NULL ,  \t[auth_code] [int] NOT NULL ,   \t[appl_day] "
        "[smalldatetime] NULL "
        ",[bloc_code] [int] NOT NULL ,  \t[perm] [int] NOT NULL) ON [PRIMARY]");
}

QString AllOperators() {
    return QStringLiteral("SELECT * FROM MANG_INFO");
}

QString AddFirstOperator(const QString& id, const QString& password) {
    return kOperatorColumns + Q(id) + QLatin1Char(',') + Q(password) +
           QStringLiteral(", 'Administrator',0,getdate(),0,1)");
}

QString AddOperator(const QString& id, const QString& password, const QString& name) {
    return kOperatorColumns + Q(id) + QLatin1Char(',') + Q(password) + QLatin1Char(',') + Q(name) +
           QStringLiteral(",1,getdate(),0,1)");
}

QString SignInRow(const QString& id) {
    return QStringLiteral("SELECT mang_guid, mang___id, mang__pwd, mang_name, auth_code, "
                          "appl_day, bloc_code, perm FROM MANG_INFO WHERE (mang___id=") +
           Q(id) + QStringLiteral(") AND (bloc_code=0)");
}

QString OperatorRow(const QString& id) {
    return QStringLiteral("SELECT * FROM MANG_INFO WHERE mang___id=") + Q(id);
}

QString OperatorPassword(const QString& id) {
    return QStringLiteral("SELECT mang__pwd FROM MANG_INFO WHERE mang___id =") + Q(id);
}

QString ChangeOperatorPassword(const QString& id, const QString& password) {
    return QStringLiteral("UPDATE MANG_INFO SET mang__pwd=") + Q(password) +
           QStringLiteral(" WHERE mang___id=") + Q(id);
}

QString OtherOperatorIds() {
    return QStringLiteral("SELECT mang___id from MANG_INFO WHERE mang_guid>1");
}

QString DeleteOperator(const QString& id) {
    return QStringLiteral("DELETE FROM MANG_INFO WHERE mang___id=") + Q(id);
}

QString AccountNames() {
    return QStringLiteral("SELECT memb___id FROM MEMB_INFO ORDER BY memb___id");
}

QString GuildNames() {
    return QStringLiteral("SELECT G_Name FROM Guild");
}

QString CharactersOfAccount(const QString& account) {
    return QStringLiteral("SELECT Name FROM Character WHERE AccountID=") + Q(account);
}

QString AccountCharacterRow(const QString& account) {
    return QStringLiteral("SELECT Number, Id, GameID1, GameID2, GameID3, GameID4, "
                          "GameID5, GameIDC FROM AccountCharacter WHERE Id=") +
           Q(account);
}

QString CharacterSlots(const QString& account) {
    return QStringLiteral("SELECT GameID1, GameID2, GameID3, GameID4, GameID5 FROM AccountCharacter "
                          "WHERE Id =") +
           Q(account);
}

QString GuildOfCharacter(const QString& character) {
    return QStringLiteral("SELECT G_Name FROM GuildMember WHERE Name=") + Q(character);
}

QString FriendListOf(const QString& character) {
    return QStringLiteral("SELECT * FROM T_FriendMain WHERE Name=") + Q(character);
}

QString OwnerOfCharacter(const QString& character) {
    return QStringLiteral("SELECT AccountID, Name FROM Character WHERE Name=") + Q(character);
}

QString DeleteAccountInfo(const QString& account) {
    return QStringLiteral("DELETE FROM MEMB_INFO WHERE memb___id=") + Q(account);
}

QString DeleteAccountCharacterRow(const QString& account) {
    return QStringLiteral("DELETE FROM AccountCharacter WHERE Id=") + Q(account);
}

QString DeleteCharactersOfAccount(const QString& account) {
    return QStringLiteral("DELETE FROM Character WHERE AccountID=") + Q(account);
}

QString DeleteCharacter(const QString& character) {
    return QStringLiteral("DELETE FROM Character WHERE Name =") + Q(character);
}

QString DeleteGuildsLedBy(const QString& character) {
    return QStringLiteral("DELETE FROM Guild WHERE G_Master = ") + Q(character);
}

QString DeleteGuildMembership(const QString& character) {
    return QStringLiteral("DELETE FROM GuildMember WHERE Name =") + Q(character);
}

QStringList ClearCharacterSlot(int slot, const QString& account) {
    if (slot < 1 || slot > 5)
        throw std::out_of_range("character slot out of range");
    return {QStringLiteral("UPDATE AccountCharacter "), QStringLiteral("SET GameID%1=NULL").arg(slot),
            QStringLiteral(" WHERE Id =") + Q(account)};
}

QString DeleteGuild(const QString& guild) {
    return QStringLiteral("EXECUTE QJ_SetGuildDelete @GuildName=") + Q(guild);
}

QString CountAccounts() {
    return QStringLiteral("SELECT count(*) FROM MEMB_INFO");
}

QString CountGuilds() {
    return QStringLiteral("SELECT count(*) FROM Guild");
}

QString CountConnectedAccounts() {
    return QStringLiteral("SELECT count(*) FROM MEMB_STAT WHERE ConnectStat=1");
}

} // namespace ShellStatements
