#include "reports/ReportQueries.h"

#include "core/QueryHelpers.h"
#include "core/UtilitiesUnit.h"
#include "reports/ReportStatements.h"
#include "reports/RowsModel.h"

#include <QElapsedTimer>

#include <exception>

namespace ReportQueries {

QStringList GameMasters() {
    return ListOn(DataSource::TanorOnline, ReportStatements::GameMasters());
}

QString AccountOf(const QString& character) {
    const QStringList account =
        ListOn(DataSource::TanorOnline, ReportStatements::CharacterAccount(character));
    return account.isEmpty() ? QString() : account.front();
}

void Ban(const QString& character) {
    (void)ExecOn(DataSource::TanorOnline, ReportStatements::BlockCharacter(character));
}

QStringList ConnectedAccounts() {
    return ListOn(DataSource::Account, ReportStatements::ConnectedAccounts());
}

std::optional<Connection> ConnectionOf(const QString& account) {
    const Query q =
        OpenOn(DataSource::TanorOnline,
               ReportStatements::ConnectionDetails(AccountDatabaseName(), GameDatabaseName(), account));
    if (q.Eof())
        return std::nullopt;
    const auto text = [&q](const char* column) { return q.FieldByName(QLatin1String(column)).AsString(); };
    return Connection{text("GameIDC"), text("Ip"), text("ConnectTM"), text("DisconnectTM")};
}

QStringList ServerNames() {
    return ListOn(DataSource::Account, ReportStatements::ServerNames());
}

UsageLog::Probe ProbeLogTable(const QDate& day) {
    QElapsedTimer clock;
    clock.start();
    try {
        const Query q = OpenOn(DataSource::TanorLog, ReportStatements::LogTableProbe(day));
        return UsageLog::Probe::Found;
    } catch (const std::exception&) {
        return clock.elapsed() > 1000 ? UsageLog::Probe::Unreachable : UsageLog::Probe::Missing;
    }
}

bool LoadChart(const QDate& day, const QString& server, UsageLog::Display display,
               UsageLog::ChartData& chart) {
    try {
        for (int hour = 0; hour < 24; ++hour) {
            const Query q = OpenOn(DataSource::TanorLog, ReportStatements::ChartHour(day, hour, server));
            const int minutes = q.Eof() ? 0 : q.Fields(0).AsInteger();
            const int accounts = q.Eof() ? 0 : q.Fields(1).AsInteger();
            chart.addHour(hour, minutes, accounts, display);
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LoadLogRows(const QDate& day, const LogFilter& filter, RowsModel& rows) {
    try {
        Query q = OpenOn(DataSource::TanorLog, ReportStatements::LogRows(day, filter));
        rows.Load(q);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

} // namespace ReportQueries
