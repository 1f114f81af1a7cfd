#pragma once

#include <QString>
#include <QStringList>

// Statements the item editors send to the game database (the catalogue has
// its own, in Catalogue). One function per statement form.
namespace ItemStatements {

// The server's procedure that draws the next item serial.
[[nodiscard]] QString DrawItemSerial();
// The serial drawn last.
[[nodiscard]] QString LastItemSerial();

// Writing a whole container column back (`literal` is "0x" + the column
// text), as every walk over the containers does.
[[nodiscard]] QString InventoryRewrite(const QString& account, const QString& name, const QString& literal);
[[nodiscard]] QString WarehouseRows();
[[nodiscard]] QString WarehouseRewrite(const QString& account, const QString& literal);

// One page of a walk over a server: the first `rows` rows of `table` whose
// key (one or two columns, in that order) comes after `after` (empty: from
// the start), in key order. Names must be plain names; the key values are
// quoted.
[[nodiscard]] QString KeyedPage(const QString& table, const QStringList& columns, const QStringList& keys,
                                const QStringList& after, int rows);
// Answers one row while the connection lives.
[[nodiscard]] QString Ping();

} // namespace ItemStatements
