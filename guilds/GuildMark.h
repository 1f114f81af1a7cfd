#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// A guild mark: 8 x 8 cells, each a palette index 0..15. Cells are numbered
// 1..64 from the top-left corner, row by row. In G_Mark two cells share a
// byte, the odd cell in the high nibble, so the mark's upper-case hex text
// is its 64 digits in cell order.
namespace GuildMark {

inline constexpr int kCells = 64;
inline constexpr int kSide = 8;
inline constexpr int kColours = 16;
// Palette strip: two rows of eight 20 x 20 swatches.
inline constexpr int kSwatch = 20;

using Cells = std::array<quint8, kCells>;

// Cells of a stored G_Mark. Cells the bytes do not reach (a short or NULL
// column) are colour 0; bytes past the 32nd are ignored.
[[nodiscard]] Cells FromBytes(const QByteArray& bytes);
// The 64 upper-case hex digits of a mark.
[[nodiscard]] QString ToText(const Cells& cells);
// The binary literal written into statements: "0x" and the 64 digits.
[[nodiscard]] QString ToLiteral(const Cells& cells);

// Row and column (from 0) of cell k (1..64).
[[nodiscard]] constexpr int RowOf(int k) {
    return (k - 1) / kSide;
}
[[nodiscard]] constexpr int ColumnOf(int k) {
    return (k - 1) % kSide;
}

// Colour of a palette index. Index 0 means "no colour"; it is drawn black
// with a grey cross pattern over it (see NoColourPattern).
// Colours are 0xRRGGBB.
[[nodiscard]] quint32 PaletteColour(int index);
[[nodiscard]] quint32 NoColourPattern();
// The palette index under pixel (x, y) of the strip (160 x 40).
[[nodiscard]] int PaletteIndexAt(int x, int y);

} // namespace GuildMark
