#include "reports/ReportStatements.h"

#include "core/UtilitiesUnit.h"

namespace ReportStatements {

namespace {
const QString kS = QStringLiteral(" ");

QString rankingName(RankingGroup group, const QString& name) {
    switch (group) {
    case RankingGroup::DevilSquare:
        return QStringLiteral("SELECT AccountID, Square, Class, Point FROM EVENT_INFO WHERE CharacterName=") +
               Q(name);
    case RankingGroup::Guild:
        return QStringLiteral("SELECT G_Master, G_Score, (select count(*) from GuildMember where "
                              "[GuildMember].G_Name=") +
               Q(name) + QStringLiteral(") FROM Guild WHERE G_Name=") + Q(name);
    case RankingGroup::Character:
    default:
        return QStringLiteral("SELECT AccountID, cLevel, Class, Strength, Dexterity, Vitality, Energy, "
                              "Leadership FROM \"Character\" WHERE \"Name\"=") +
               Q(name);
    }
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A value of a catalogue row as it stands in a statement.
QString literal(const CatalogueColumn& column, const QVariant& value) {
    if (value.isNull())
        return QStringLiteral("NULL");
    if (column.numeric)
        return QString::number(value.toLongLong());
    return Q(value.toString());
}

QString bracketed(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString atRow(qint64 rowId) {
    return QStringLiteral(" WHERE rowid=") + QString::number(rowId);
}
} // namespace

QString RankingTop(RankingGroup group) {
    switch (group) {
    case RankingGroup::DevilSquare:
        return QStringLiteral("SELECT TOP 100 CharacterName FROM EVENT_INFO ORDER BY Point DESC");
    case RankingGroup::Guild:
        return QStringLiteral("SELECT TOP 100 G_Name FROM Guild ORDER BY G_Score DESC");
    case RankingGroup::Character:
    default:
        return QStringLiteral("SELECT TOP 100 Name FROM Character ORDER BY cLevel DESC");
    }
}

QString RankingDetails(RankingGroup group, const QString& name) {
    return rankingName(group, name);
}

QString DatabaseName(const QString& name) {
    if (name.isEmpty() || IsPlainIdentifier(name))
        return name;
    QString inner = name;
    inner.replace(QLatin1Char(']'), QStringLiteral("]]"));
    return QLatin1Char('[') + inner + QLatin1Char(']');
}

QString LogTable(const QDate& day) {
    return QStringLiteral("UseLog") + day.toString(QStringLiteral("yyyyMMdd"));
}

QString ServerNames() {
    return QStringLiteral("SELECT DISTINCT ServerName FROM MEMB_STAT");
}

QString ChartHour(const QDate& day, int hour, const QString& server) {
    const QString t = LogTable(day);
    const QString d = QString::number(day.year()) + QLatin1Char('-') + twoDigits(day.month()) +
                      QLatin1Char('-') + twoDigits(day.day());
    const QString h = QLatin1Char(' ') + twoDigits(hour);
    // The upper-case WHERE from ten o'clock on is how the server has always
    // been asked; statements are compared as text, so it stays.
    const QString w =
        hour < 10 ? QStringLiteral(" where (State='connect') and (DateTime between Convert(datetime, '")
                  : QStringLiteral(" WHERE (State='connect') and (DateTime between Convert(datetime, '");
    const QString s =
        server.isEmpty() ? kS : QStringLiteral(" AND (ServerName= ") + Q(server) + QLatin1Char(')');
    const QString from = d + h + QStringLiteral(":00:00.000') and Convert(datetime, '") + d + h +
                         QStringLiteral(":59:59.999')");
    return QStringLiteral("select sum (UsedTime), (select count(DISTINCT Id) from ") + t + w + from +
           QLatin1Char(')') + s + QStringLiteral(") from ") + t +
           QStringLiteral(" where DateTime between Convert(datetime, '") + from + s;
}

QString LogTableProbe(const QDate& day) {
    return QStringLiteral("SELECT TOP 1 Number FROM ") + LogTable(day);
}

QString LogRows(const QDate& day, const LogFilter& f) {
    QString account = QStringLiteral(" WHERE (Id LIKE ('%%')) ");
    if (f.accountLike) {
        // Q's quoting without its outer quotes: the text sits inside '%...%'.
        const QString quoted = Q(f.account);
        account =
            QStringLiteral(" WHERE (Id LIKE('%") + quoted.mid(1, quoted.size() - 2) + QStringLiteral("%')) ");
    }
    QString pay = kS;
    switch (f.pay) {
    case PayFilter::Free:
        pay = QStringLiteral(" AND (PayCode=5) ");
        break;
    case PayFilter::Hour:
        pay = QStringLiteral(" AND (PayCode=2) ");
        break;
    case PayFilter::Month:
        pay = QStringLiteral(" AND (PayCode=4) ");
        break;
    case PayFilter::Any:
        break;
    }
    const QString address = f.addressBetween
                                ? QStringLiteral(" AND (Ip BETWEEN ") + Q(f.addressFrom) +
                                      QStringLiteral(" AND ") + Q(f.addressTo) + QStringLiteral(") ")
                                : kS;
    const QString x = QString::number(f.minutes);
    QString used = kS;
    switch (f.usedTime) {
    case UsedTimeFilter::MoreThan:
        used = QStringLiteral(" AND (UsedTime BETWEEN ") + x + QStringLiteral(" AND 9999) ");
        break;
    case UsedTimeFilter::EqualTo:
        used = QStringLiteral(" AND (UsedTime =") + x + QStringLiteral(") ");
        break;
    case UsedTimeFilter::LessThan:
        used = QStringLiteral(" AND (UsedTime BETWEEN 0 AND ") + x + QStringLiteral(") ");
        break;
    case UsedTimeFilter::Any:
        break;
    }
    const QString server =
        f.server.isEmpty() ? kS : QStringLiteral(" AND (ServerName=") + Q(f.server) + QLatin1Char(')');
    return QStringLiteral(
               "SELECT Number, DateTime, ServerName, Id, Ip, State, IpGuid, UsedTime, PayCode FROM ") +
           LogTable(day) + kS + account + pay + address + used + server;
}

QString ConnectedAccounts() {
    return QStringLiteral("SELECT memb___id FROM MEMB_STAT WHERE ConnectStat=1");
}

QString ConnectionDetails(const QString& accountDbName, const QString& gameDbName, const QString& account) {
    const QString accountDb = DatabaseName(accountDbName);
    const QString gameDb = DatabaseName(gameDbName);
    return QStringLiteral("SELECT ServerName, Ip, ConnectTM, DisconnectTM, GameIDC from ") + accountDb +
           QStringLiteral("..MEMB_STAT full join ") + gameDb +
           QStringLiteral("..AccountCharacter on memb___id = Id full join ") + gameDb +
           QStringLiteral("..Character on Name = GameIDC where (ConnectStat = 1) and (memb___id=") +
           Q(account) + QLatin1Char(')');
}

QString GameMasters() {
    return QStringLiteral("SELECT Name FROM Character WHERE (CtlCode=8) OR (CtlCode=16) OR (CtlCode=32)");
}

QString CharacterAccount(const QString& name) {
    return QStringLiteral("SELECT AccountID FROM Character WHERE Name=") + Q(name);
}

QString BlockCharacter(const QString& name) {
    return QStringLiteral("UPDATE Character SET CtlCode=1 WHERE Name=") + Q(name);
}

bool IsCatalogueTable(const QString& table) {
    return table == QLatin1String("Item") || table == QLatin1String("Skill");
}

QString CatalogueRows(const QString& table) {
    return QStringLiteral("SELECT rowid, * FROM ") + table;
}

QString CatalogueCount(const QString& table) {
    return QStringLiteral("SELECT count(*) FROM ") + table;
}

QString CatalogueInsert(const QString& table, const QVector<CatalogueColumn>& columns,
                        const QVector<QVariant>& values) {
    QStringList names;
    QStringList literals;
    for (int i = 0; i < columns.size(); ++i) {
        names << bracketed(columns[i].name);
        literals << literal(columns[i], i < values.size() ? values[i] : QVariant());
    }
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
           QStringLiteral(") VALUES (") + literals.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString CatalogueInsertedRow() {
    return QStringLiteral("SELECT last_insert_rowid()");
}

QString CatalogueUpdate(const QString& table, const QVector<CatalogueColumn>& columns, qint64 rowId,
                        const QVector<QVariant>& values) {
    QStringList sets;
    for (int i = 0; i < columns.size(); ++i)
        sets << bracketed(columns[i].name) + QLatin1Char('=') +
                    literal(columns[i], i < values.size() ? values[i] : QVariant());
    return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
           atRow(rowId);
}

QString CatalogueDelete(const QString& table, qint64 rowId) {
    return QStringLiteral("DELETE FROM ") + table + atRow(rowId);
}

QString CatalogueClear(const QString& table) {
    return QStringLiteral("DELETE FROM ") + table;
}

QString CatalogueBegin() {
    return QStringLiteral("BEGIN TRANSACTION");
}

QString CatalogueCommit() {
    return QStringLiteral("COMMIT TRANSACTION");
}

QString CatalogueRollback() {
    return QStringLiteral("ROLLBACK TRANSACTION");
}

} // namespace ReportStatements
