#include "guilds/GuildMark.h"

#include <algorithm>

namespace GuildMark {

namespace {
constexpr std::array<quint32, kColours> kPalette = {
    0x000000, // 0: no colour, drawn on black
    0x000000, 0x8B8B8B, 0xFFFFFF, 0xFF0000, 0xFF8040, 0xFFFF00, 0x88FD00, 0x00FF01,
    0x01FF8B, 0x00FFFF, 0x0189FF, 0x0000FE, 0x8C00FF, 0xFF00FE, 0xFE0089,
};
constexpr char kDigits[] = "0123456789ABCDEF";
} // namespace

Cells FromBytes(const QByteArray& bytes) {
    Cells cells{};
    const int usable = std::min<int>(int(bytes.size()), kCells / 2);
    // Checked writes: a count that ever ran past the mark throws instead of
    // overwriting whatever lies behind it.
    for (int j = 0; j < usable; ++j) {
        const auto byte = static_cast<quint8>(bytes[j]);
        cells.at(size_t(2 * j)) = quint8(byte >> 4);
        cells.at(size_t(2 * j + 1)) = quint8(byte & 0x0F);
    }
    return cells;
}

QString ToText(const Cells& cells) {
    QString text;
    text.reserve(kCells);
    for (quint8 c : cells)
        text += QLatin1Char(kDigits[c & 0x0F]);
    return text;
}

QString ToLiteral(const Cells& cells) {
    return QStringLiteral("0x") + ToText(cells);
}

quint32 PaletteColour(int index) {
    return kPalette[size_t(index & 0x0F)];
}

quint32 NoColourPattern() {
    return 0x808080;
}

int PaletteIndexAt(int x, int y) {
    const int column = std::clamp(x / kSwatch, 0, kSide - 1);
    const int row = std::clamp(y / kSwatch, 0, 1);
    return kSide * row + column;
}

} // namespace GuildMark
