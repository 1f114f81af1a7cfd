#pragma once

#include <QString>

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

} // namespace ItemStatements
