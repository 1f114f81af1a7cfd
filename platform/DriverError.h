#pragma once

#include <QString>

class QSqlError;

// A driver's failure as the operator reads it: the database's and the
// driver's messages as sentences, one after the other. A failure because
// another program holds a lock on the data says so plainly instead: the
// drivers' own words for it ("database is locked") do not tell the operator
// what happened or what to do.
[[nodiscard]] QString DriverErrorText(const QSqlError& error);

// What a failure because of another program's lock reads.
inline constexpr QLatin1String kBusyText{
    "The database is busy (another program is writing). Nothing was saved; try again."};
