#pragma once

#include "reports/ReportStatements.h"

#include <QString>
#include <QStringList>

namespace RankingTable {

// The nine detail captions of a group, "Account" to "Reset" for characters;
// groups with fewer details leave the rest empty.
[[nodiscard]] QStringList Captions(ReportStatements::RankingGroup group);

// A character class code by name; a code without a name as its number.
[[nodiscard]] QString ClassName(int code);

} // namespace RankingTable
