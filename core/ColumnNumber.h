#pragma once

#include <QString>

#include <optional>

// Whole numbers typed into fields that are saved into numeric columns.
// A typed value must not be negative and must fit its column's SQL Server
// type; it is checked before any statement is built; a value shown as it was read from
// the database is written back as it is, so a row holding a value the
// editor would not let anyone type can still be saved.
namespace ColumnNumber {

enum class SqlType { SmallInt, Int };
// The largest value a column of the type holds.
[[nodiscard]] qint64 MaxOf(SqlType type);

// A whole number (blanks around it allowed) within [min, max]; nothing
// otherwise.
[[nodiscard]] std::optional<qint64> ParseWhole(const QString& text, qint64 min, qint64 max);

struct Saved {
    bool accepted = false;       // false: refuse, nothing is sent
    std::optional<qint64> value; // nothing: NULL (a NULL shown empty and left so)
};
// The value to write for a field loaded with `loaded` and now showing
// `shown`: the stored value while the field still shows it, otherwise the
// typed text if it is a whole number from min to max.
[[nodiscard]] Saved ToSave(const QString& loaded, const QString& shown, qint64 min, qint64 max);
// The same from 0 to the largest value the column's type holds.
[[nodiscard]] Saved ToSave(const QString& loaded, const QString& shown, SqlType type);

} // namespace ColumnNumber
