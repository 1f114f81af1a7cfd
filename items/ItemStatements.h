#pragma once

#include <QString>

// Statements the item editors send to the game database (the catalogue has
// its own, in Catalogue). One function per statement form.
namespace ItemStatements {

// The server's procedure that draws the next item serial.
[[nodiscard]] QString DrawItemSerial();
// The serial drawn last.
[[nodiscard]] QString LastItemSerial();

} // namespace ItemStatements
