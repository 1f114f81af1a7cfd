#include "guilds/MarkEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <functional>

namespace MarkParts {

// Paints one palette colour; index 0 is black with a grey cross pattern.
void PaintColour(QPainter& painter, const QRect& rect, int index) {
    painter.fillRect(rect, QColor::fromRgb(GuildMark::PaletteColour(index)));
    if (index == 0)
        painter.fillRect(rect, QBrush(QColor::fromRgb(GuildMark::NoColourPattern()), Qt::CrossPattern));
}

// A 20 x 20 square of one colour that reports clicks.
class Swatch : public QWidget {
public:
    explicit Swatch(QWidget* parent, std::function<void()> onClick = {})
        : QWidget(parent), m_onClick(std::move(onClick)) {
        setFixedSize(GuildMark::kSwatch, GuildMark::kSwatch);
        if (m_onClick)
            setCursor(Qt::PointingHandCursor);
    }
    void setIndex(int index) {
        m_index = index;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintColour(painter, rect(), m_index);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (m_onClick)
            m_onClick();
        event->accept();
    }

private:
    int m_index = 0;
    std::function<void()> m_onClick;
};

// The palette: two rows of eight swatches, indexes 0..7 above, 8..15 below.
class Strip : public QWidget {
public:
    Strip(QWidget* parent, std::function<void(int, int)> onPress)
        : QWidget(parent), m_onPress(std::move(onPress)) {
        setFixedSize(GuildMark::kSide * GuildMark::kSwatch, 2 * GuildMark::kSwatch);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int i = 0; i < GuildMark::kColours; ++i) {
            const QRect cell((i % GuildMark::kSide) * GuildMark::kSwatch,
                             (i / GuildMark::kSide) * GuildMark::kSwatch, GuildMark::kSwatch,
                             GuildMark::kSwatch);
            PaintColour(painter, cell, i);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        m_onPress(p.x(), p.y());
        event->accept();
    }

private:
    std::function<void(int, int)> m_onPress;
};

} // namespace MarkParts

MarkEditor::MarkEditor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MarkEditor"));

    auto* mark = new QGroupBox(QStringLiteral("GUILD MARK"), this);
    mark->setObjectName(QStringLiteral("MarkPanel"));
    auto* cells = new QGridLayout(mark);
    cells->setSpacing(0);
    cells->setContentsMargins(6, 6, 6, 6);
    for (int k = 1; k <= GuildMark::kCells; ++k) {
        auto* image = new MarkParts::Swatch(mark, [this, k] { ImageClick(k); });
        image->setObjectName(QStringLiteral("Image%1").arg(k));
        cells->addWidget(image, GuildMark::RowOf(k), GuildMark::ColumnOf(k));
        m_images[size_t(k - 1)] = image;
    }

    auto* palette = new MarkParts::Strip(this, [this](int x, int y) { PalleteMouseDown(x, y); });
    palette->setObjectName(QStringLiteral("Pallete"));
    m_currentColor = new MarkParts::Swatch(this);
    m_currentColor->setObjectName(QStringLiteral("CurrentColor"));

    auto* paletteRow = new QHBoxLayout;
    paletteRow->addWidget(new QLabel(QStringLiteral("Palette:"), this));
    paletteRow->addWidget(palette);
    paletteRow->addStretch();
    auto* currentRow = new QHBoxLayout;
    currentRow->addWidget(new QLabel(QStringLiteral("Current Color:"), this));
    currentRow->addWidget(m_currentColor);
    currentRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(mark, 0, Qt::AlignLeft);
    column->addLayout(paletteRow);
    column->addLayout(currentRow);
}

void MarkEditor::SetMark(const GuildMark::Cells& cells) {
    m_cells = cells;
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_images[i]->setIndex(m_cells[i]);
}

void MarkEditor::PalleteMouseDown(int x, int y) {
    m_current = GuildMark::PaletteIndexAt(x, y);
    m_currentColor->setIndex(m_current);
}

void MarkEditor::ImageClick(int k) {
    m_cells[size_t(k - 1)] = quint8(m_current);
    m_images[size_t(k - 1)]->setIndex(m_current);
}
