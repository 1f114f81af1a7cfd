#include "guilds/CastleStatements.h"

#include "core/UtilitiesUnit.h"

namespace CastleStatements {

namespace {
QString S(const char* text) {
    return QString::fromLatin1(text);
}
QString N(qint64 value) {
    return QString::number(value);
}
QString Position(const NpcPlace& place) {
    return S(" AND NPC_X=") + N(place.x) + S(" AND NPC_Y=") + N(place.y);
}
// The tail of every statement that changes one gate or statue.
QString Where(int group, const NpcPlace& place) {
    return S(" WHERE NPC_X=") + N(place.x) + S(" AND NPC_Y=") + N(place.y) + S(" AND MAP_SVR_GROUP=") +
           N(group);
}
} // namespace

QString Data(int group) {
    return S("SELECT MAP_SVR_GROUP, SIEGE_START_DATE, SIEGE_END_DATE, SIEGE_GUILDLIST_SETTED, SIEGE_ENDED, "
             "CASTLE_OCCUPY, OWNER_GUILD, MONEY, TAX_RATE_CHAOS, TAX_RATE_STORE, TAX_HUNT_ZONE FROM "
             "TanorCastle_DATA WHERE MAP_SVR_GROUP=") +
           N(group);
}

QString RegisteredGuilds(int group) {
    return S("SELECT REG_SIEGE_GUILD FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") + N(group);
}

QString SelectedGuilds(int group) {
    return S("SELECT GUILD_NAME FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") + N(group);
}

QString GuildNames() {
    return S("SELECT G_Name FROM Guild ORDER BY G_Name");
}

QString Npc(int group, NpcKind kind, const NpcPlace& place) {
    const QString columns = kind == NpcKind::Gate
                                ? S("NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP")
                                : S("NPC_INDEX, NPC_DF_LEVEL, NPC_HP, NPC_MAXHP, NPC_RG_LEVEL");
    return S("SELECT ") + columns + S(" FROM TanorCastle_NPC WHERE MAP_SVR_GROUP=") + N(group) +
           Position(place);
}

QString BuyNpc(int group, NpcKind kind, const NpcPlace& place, int life) {
    const int number = kind == NpcKind::Gate ? CastleGeometry::kGateNumber : CastleGeometry::kStatueNumber;
    return S("INSERT INTO TanorCastle_NPC (MAP_SVR_GROUP, NPC_NUMBER, NPC_INDEX, NPC_DF_LEVEL, NPC_RG_LEVEL, "
             "NPC_MAXHP,NPC_HP,NPC_X, NPC_Y, NPC_DIR, NPC_CREATEDATE) VALUES (") +
           N(group) + S(",") + N(number) + S(",") + N(place.number) + S(",0,0,") + N(life) + S(",") +
           N(life) + S(",") + N(place.x) + S(",") + N(place.y) + S(",1,getdate())");
}

QString DeleteNpc(int group, const NpcPlace& place) {
    return S("DELETE FROM TanorCastle_NPC") + Where(group, place);
}

QString SetNpcLife(int group, const NpcPlace& place, qint64 life) {
    return S("UPDATE TanorCastle_NPC SET NPC_HP=") + N(life) + Where(group, place);
}

QString SetNpcDefence(int group, const NpcPlace& place, int level) {
    return S("UPDATE TanorCastle_NPC SET NPC_DF_LEVEL=") + N(level) + Where(group, place);
}

QString SetNpcRegeneration(int group, const NpcPlace& place, int level) {
    return S("UPDATE TanorCastle_NPC SET NPC_RG_LEVEL=") + N(level) + Where(group, place);
}

QString RaiseNpcLife(int group, NpcKind kind, const NpcPlace& place, int life) {
    // The gate's text has always carried two blanks before NPC_HP.
    const QString separator = kind == NpcKind::Gate ? S(",  NPC_HP=") : S(", NPC_HP=");
    return S("UPDATE TanorCastle_NPC SET NPC_MAXHP=") + N(life) + separator + N(life) + Where(group, place);
}

QString GuildSummary(const QString& guild) {
    return S("SELECT G_Master, (SELECT count(*) FROM GuildMember WHERE GuildMember.G_Name=") + Q(guild) +
           S(") FROM Guild WHERE Guild.G_Name=") + Q(guild);
}

QString Registration(int group, const QString& guild) {
    return S("SELECT IS_GIVEUP, REG_MARKS FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") + N(group) +
           S(" AND REG_SIEGE_GUILD=") + Q(guild);
}

QString Involvement(int group, const QString& guild) {
    return S("SELECT GUILD_INVOLVED FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") + N(group) +
           S(" AND GUILD_NAME=") + Q(guild);
}

QString SetGiveUp(int group, const QString& guild, int item) {
    return S("UPDATE TanorCastle_REG_SIEGE SET IS_GIVEUP=") + N(item) + S(" WHERE MAP_SVR_GROUP=") +
           N(group) + S(" AND REG_SIEGE_GUILD=") + Q(guild);
}

QString SetInvolved(int group, const QString& guild, int item) {
    return S("UPDATE TanorCastle_SIEGE_GUILDLIST SET GUILD_INVOLVED=") + N(item) +
           S(" WHERE MAP_SVR_GROUP=") + N(group) + S(" AND GUILD_NAME=") + Q(guild);
}

QString SetMarks(int group, const QString& guild, int marks) {
    return S("UPDATE TanorCastle_REG_SIEGE SET REG_MARKS=") + N(marks) + S(" WHERE REG_SIEGE_GUILD=") +
           Q(guild) + S(" AND MAP_SVR_GROUP=") + N(group);
}

QString NextSequence() {
    return S("select max (SEQ_NUM+1) from TanorCastle_REG_SIEGE");
}

QString Register(int group, const QString& guild, qint64 sequence) {
    return S("INSERT INTO TanorCastle_REG_SIEGE (MAP_SVR_GROUP, REG_SIEGE_GUILD,REG_MARKS, IS_GIVEUP, "
             "SEQ_NUM) "
             "VALUES (") +
           N(group) + S(",") + Q(guild) + S(",0,0,") + N(sequence) + S(" )");
}

QString Unregister(int group, const QString& guild) {
    return S("DELETE FROM TanorCastle_REG_SIEGE WHERE MAP_SVR_GROUP=") + N(group) +
           S(" AND REG_SIEGE_GUILD=") + Q(guild);
}

QString Unselect(int group, const QString& guild) {
    return S("DELETE FROM TanorCastle_SIEGE_GUILDLIST WHERE MAP_SVR_GROUP=") + N(group) +
           S(" AND GUILD_NAME=") + Q(guild);
}

QString Save(int group, const CastleData& data) {
    return S("UPDATE TanorCastle_DATA SET CASTLE_OCCUPY=") + S(data.occupied ? "1" : "0") +
           S(", OWNER_GUILD=") + Q(data.owner) + S(", MONEY=") + N(data.money) + S(", TAX_RATE_CHAOS=") +
           N(data.chaosTax) + S(", TAX_RATE_STORE=") + N(data.storeTax) + S(",TAX_HUNT_ZONE=") +
           N(data.huntZoneTax) + S(" WHERE MAP_SVR_GROUP=") + N(group);
}

} // namespace CastleStatements
