#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

// The usage log's chart data and the checks of the table's typed filters.
namespace UsageLog {

// What the chart shows ("Graphic Display").
enum class Display { Both = 0, UsedTime = 1, Connected = 2 };

// The points of both series, in hour order. Only the series the display
// asks for get points; the accounts' points carry their hour as label.
struct ChartData {
    QVector<int> connected;
    QStringList connectedLabels;
    QVector<int> minutes;

    void clear();
    void addHour(int hour, int usedMinutes, int accounts, Display display);
};

// A dotted address of four groups of three digits, each 000-255, as the
// masked field shows it.
[[nodiscard]] bool IsLogAddress(const QString& text);
// A used-time filter: a whole number of minutes from 0 to 9999.
[[nodiscard]] std::optional<int> UsedMinutes(const QString& text);

// What asking for one day's log table found.
enum class Probe { Found, Missing, Unreachable };

// The newest of `today` and the `days` days before it whose table `probe`
// finds; `today` when none has one or the server cannot be reached (a
// server that does not answer is not asked 31 times).
[[nodiscard]] QDate NewestDay(const QDate& today, int days, const std::function<Probe(const QDate&)>& probe);

} // namespace UsageLog
