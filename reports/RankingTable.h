#pragma once

#include "reports/ReportTypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace RankingTable {

// The nine detail captions of a group, "Account" to "Reset" for characters;
// groups with fewer details leave the rest empty.
[[nodiscard]] QStringList Captions(ReportQueries::RankingGroup group);

// A character class code by name; a code without a name as its number.
[[nodiscard]] QString ClassName(int code);

// The entries of a group in ranking order.
[[nodiscard]] QStringList Entries(ReportQueries::RankingGroup group);

// The nine values shown beside the captions for one entry (empty where the
// group has no caption): a class by name, the event square counted from 1,
// "Not Avaible" for resets while they are disabled. An entry gone since the
// list was filled shows empty values. Throws on a database error and on
// reset names in the settings that are not plain names.
[[nodiscard]] QStringList Details(ReportQueries::RankingGroup group, const QString& name);

// The rows as shown, for export: the name, then every detail that has a
// caption; the header matches.
struct Sheet {
    QStringList header;
    QVector<QStringList> rows;
};
[[nodiscard]] Sheet SheetOf(ReportQueries::RankingGroup group, const QStringList& entries);

} // namespace RankingTable
