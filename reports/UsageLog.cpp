#include "reports/UsageLog.h"

#include <QRegularExpression>

namespace UsageLog {

void ChartData::clear() {
    connected.clear();
    connectedLabels.clear();
    minutes.clear();
}

void ChartData::addHour(int hour, int usedMinutes, int accounts, Display display) {
    if (display != Display::UsedTime) {
        connected << accounts;
        connectedLabels << QString::number(hour);
    }
    if (display != Display::Connected)
        minutes << usedMinutes;
}

bool IsLogAddress(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^(\\d{3})\\.(\\d{3})\\.(\\d{3})\\.(\\d{3})$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 1; i <= 4; ++i)
        if (m.captured(i).toInt() > 255)
            return false;
    return true;
}

std::optional<int> UsedMinutes(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return std::nullopt;
    return trimmed.toInt();
}

QDate NewestDay(const QDate& today, int days, const std::function<Probe(const QDate&)>& probe) {
    for (int back = 0; back <= days; ++back) {
        const QDate day = today.addDays(-back);
        switch (probe(day)) {
        case Probe::Found:
            return day;
        case Probe::Unreachable:
            return today;
        case Probe::Missing:
            break;
        }
    }
    return today;
}

} // namespace UsageLog
