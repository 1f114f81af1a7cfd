#pragma once

#include "guilds/GuildMark.h"

#include <QWidget>

#include <array>

class QLabel;

namespace MarkParts {
class Swatch;
class Strip;
} // namespace MarkParts

// The guild mark editor shared by guild editing and creation: the 64 cells
// Image1..Image64 under "GUILD MARK", the palette strip Pallete and the
// "Current Color:" swatch. A palette click picks the current colour; a cell
// click paints the cell in it.
class MarkEditor : public QWidget {
    Q_OBJECT
public:
    explicit MarkEditor(QWidget* parent = nullptr);

    void SetMark(const GuildMark::Cells& cells);
    [[nodiscard]] const GuildMark::Cells& Mark() const { return m_cells; }
    [[nodiscard]] int CurrentColor() const { return m_current; }

    // Pixel (x, y) of the palette strip, any mouse button.
    void PalleteMouseDown(int x, int y);
    // Cell k (1..64).
    void ImageClick(int k);

private:
    GuildMark::Cells m_cells{};
    int m_current = 0;
    std::array<MarkParts::Swatch*, GuildMark::kCells> m_images{};
    MarkParts::Swatch* m_currentColor;
};
