#include "guilds/GuildStatements.h"

#include "core/UtilitiesUnit.h"

namespace GuildStatements {

namespace {
QString S(const char* text) {
    return QString::fromLatin1(text);
}
QString N(qint64 value) {
    return QString::number(value);
}
} // namespace

QString Find(const QString& guild) {
    return S("Select * from Guild Where G_Name=") + Q(guild);
}

QString Details(const QString& guild) {
    return S("Select G_Mark, G_Score, G_Notice, G_Master, G_Type, G_Rival, G_Union From Guild Where "
             "G_Name=") +
           Q(guild);
}

QString Members(const QString& guild) {
    return S("SELECT Name, G_Level FROM GuildMember WHERE G_Name=") + Q(guild) + S(" ORDER BY G_Status DESC");
}

QStringList Save(const QString& guild, const GuildMark::Cells& mark, const QString& notice, qint64 score) {
    return {S("UPDATE Guild SET G_Mark=") + GuildMark::ToLiteral(mark) + S(", G_Notice=") + Q(notice) +
                S(", G_Score=") + N(score),
            S(" WHERE G_Name=") + Q(guild)};
}

QString MemberCharacter(const QString& member) {
    return S("SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, Leadership From "
             "Character WHERE Name=") +
           Q(member);
}

QString MemberRank(const QString& member) {
    return S("SELECT G_Status, G_Level FROM GuildMember WHERE Name=") + Q(member);
}

QString SetMemberStatus(const QString& member, int status) {
    return S("UPDATE GuildMember SET G_Status=") + N(status) + S(", G_Level=NULL WHERE Name=") + Q(member);
}

QString Kick(const QString& member) {
    return S("DELETE FROM GuildMember WHERE Name=") + Q(member);
}

QString UnionOf(const QString& guild) {
    return S("SELECT G_Union FROM Guild WHERE G_Name=") + Q(guild);
}

QString UnionGuilds(int unionNumber) {
    return S("SELECT G_Name, Number, G_Union FROM Guild WHERE G_Union=") + N(unionNumber);
}

QString HighestUnion() {
    return S("SELECT  MAX(G_Union) FROM Guild");
}

QString SetUnion(const QString& guild, int unionNumber) {
    return S("UPDATE Guild SET G_Union=") + N(unionNumber) + S(" WHERE G_Name=") + Q(guild);
}

QString FindCharacter(const QString& name) {
    return S("SELECT * FROM \"Character\" WHERE \"Name\"=") + Q(name);
}

QString FindName(const QString& guild) {
    return S("SELECT G_Name FROM Guild WHERE G_Name=") + Q(guild);
}

QString FindMaster(const QString& master) {
    return S("SELECT G_Master FROM Guild WHERE G_Master=") + Q(master);
}

QString Create(const QString& guild, const QString& master) {
    return S("EXECUTE QJ_GuildCreate @GuildName=") + Q(guild) + S(", @MasterName=") + Q(master);
}

QString MakeMaster(const QString& master) {
    return S("UPDATE GuildMember SET G_Status=128 WHERE Name=") + Q(master);
}

QString SetMarkOfMaster(const QString& master, const GuildMark::Cells& mark) {
    return S("UPDATE Guild SET G_Mark=") + GuildMark::ToLiteral(mark) + S(" WHERE G_Master =") + Q(master);
}

} // namespace GuildStatements
