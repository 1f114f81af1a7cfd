#pragma once

#include <QString>

// Item serials drawn from the game server's counter.
namespace ItemSerials {

// Draws the next serial (one per call) and returns its digits for the
// record: 8, or 6 under the F9 marker. Throws DbError when the server fails
// and ConvertError when the drawn number does not fit.
[[nodiscard]] QString Draw(bool marker);

} // namespace ItemSerials
