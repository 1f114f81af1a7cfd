#pragma once

#include "reports/ReportTypes.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Statements of the report windows (ranking, usage log, connected users,
// game masters, catalogue tables). One function per statement form; text
// values are quoted with Q here, never by the caller.
namespace ReportStatements {

// ---- ranking

using ReportQueries::RankingGroup;

// The first 100 names of a group, best first.
[[nodiscard]] QString RankingTop(RankingGroup group);
// The details of one entry of a group.
[[nodiscard]] QString RankingDetails(RankingGroup group, const QString& name);

// A database name as it stands before "..": as it is when plain (or
// empty), else in brackets with inner closing brackets doubled.
[[nodiscard]] QString DatabaseName(const QString& name);

// ---- usage log

// "UseLog" + yyyyMMdd: the table of one day.
[[nodiscard]] QString LogTable(const QDate& day);
[[nodiscard]] QString ServerNames();
// Minutes used and accounts connected in one hour (0-23) of a day; an empty
// server means every server.
[[nodiscard]] QString ChartHour(const QDate& day, int hour, const QString& server);
// Whether a day has a log table: a statement that fails when it has none.
[[nodiscard]] QString LogTableProbe(const QDate& day);

using ReportQueries::LogFilter;
using ReportQueries::PayFilter;
using ReportQueries::UsedTimeFilter;
[[nodiscard]] QString LogRows(const QDate& day, const LogFilter& filter);

// ---- connected users and game masters

[[nodiscard]] QString ConnectedAccounts();
// Server, address, times and current character of a connected account.
// The database names behind the account and game data sources (empty: the
// connection's own) are put in brackets when they are not plain names.
[[nodiscard]] QString ConnectionDetails(const QString& accountDb, const QString& gameDb,
                                        const QString& account);
[[nodiscard]] QString GameMasters();
[[nodiscard]] QString CharacterAccount(const QString& name);
[[nodiscard]] QString BlockCharacter(const QString& name);

// ---- catalogue tables

// The catalogue tables the editor opens. The catalogue is our own SQLite
// file and its tables have no key, so rows are told apart by their rowid:
// the first column of CatalogueRows, then the key of an update or delete.
[[nodiscard]] bool IsCatalogueTable(const QString& table);
[[nodiscard]] QString CatalogueRows(const QString& table);
[[nodiscard]] QString CatalogueCount(const QString& table);

// A catalogue column and whether its values are whole numbers.
struct CatalogueColumn {
    QString name;
    bool numeric = false;
};
// Values are QString for text, qint64 for numbers, a null QVariant for NULL.
[[nodiscard]] QString CatalogueInsert(const QString& table, const QVector<CatalogueColumn>& columns,
                                      const QVector<QVariant>& values);
// The rowid of the row the connection inserted last.
[[nodiscard]] QString CatalogueInsertedRow();
[[nodiscard]] QString CatalogueUpdate(const QString& table, const QVector<CatalogueColumn>& columns,
                                      qint64 rowId, const QVector<QVariant>& values);
[[nodiscard]] QString CatalogueDelete(const QString& table, qint64 rowId);
// Every row of a table, before an import replaces them.
[[nodiscard]] QString CatalogueClear(const QString& table);
// An import replaces the rows in one transaction (the same texts serve
// SQLite and SQL Server).
[[nodiscard]] QString CatalogueBegin();
[[nodiscard]] QString CatalogueCommit();
[[nodiscard]] QString CatalogueRollback();

} // namespace ReportStatements
