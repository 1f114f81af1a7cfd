#pragma once

#include "reports/ReportTypes.h"
#include "reports/UsageLog.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class RowsModel;

// What the report windows read and do on the game server: the game masters
// with the ban, the connected accounts, and the usage log of a day.
namespace ReportQueries {

// ---- game masters

[[nodiscard]] QStringList GameMasters();
// The account a character belongs to; empty when there is no such character.
[[nodiscard]] QString AccountOf(const QString& character);
// Blocks the character from entering the game.
void Ban(const QString& character);

// ---- connected users

[[nodiscard]] QStringList ConnectedAccounts();
// Where and when an account is connected, and with which character.
struct Connection {
    QString character;
    QString ip;
    QString connected;
    QString disconnected;
};
// Nothing when the account has no connection row.
[[nodiscard]] std::optional<Connection> ConnectionOf(const QString& account);

// ---- usage log

[[nodiscard]] QStringList ServerNames();
// Whether `day` has a log table. A missing table fails at once; a failure
// that took long is a server that does not answer.
[[nodiscard]] UsageLog::Probe ProbeLogTable(const QDate& day);
// Adds the 24 hours of `day` on `server` (empty: every server) to `chart`,
// hour by hour. False when the day's table cannot be read: `chart` then
// holds the hours read before.
[[nodiscard]] bool LoadChart(const QDate& day, const QString& server, UsageLog::Display display,
                             UsageLog::ChartData& chart);
// The rows of `day` that pass `filter`, into `rows`. False when the day's
// table cannot be read.
[[nodiscard]] bool LoadLogRows(const QDate& day, const LogFilter& filter, RowsModel& rows);

} // namespace ReportQueries
