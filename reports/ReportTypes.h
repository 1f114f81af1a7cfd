#pragma once

#include <QString>

// The typed choices of the report windows, shared by their operations and
// the statements those run.
namespace ReportQueries {

enum class RankingGroup { Character = 0, DevilSquare = 1, Guild = 2 };

enum class PayFilter { Any = 0, Free = 1, Hour = 2, Month = 3 };
enum class UsedTimeFilter { Any = 0, MoreThan = 1, EqualTo = 2, LessThan = 3 };

// The usage log table's filters, typed. An empty account, address range or
// server means "Any"/"All".
struct LogFilter {
    QString server;
    bool accountLike = false;
    QString account;
    PayFilter pay = PayFilter::Any;
    bool addressBetween = false;
    QString addressFrom;
    QString addressTo;
    UsedTimeFilter usedTime = UsedTimeFilter::Any;
    int minutes = 0;
};

} // namespace ReportQueries
