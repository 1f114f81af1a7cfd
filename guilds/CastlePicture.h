#pragma once

#include "guilds/CastleGeometry.h"

#include <QWidget>

#include <functional>
#include <vector>

// A schematic castle of 200 x 208 pixels with the gates or the statues
// where the game puts them, their bars and the marker on the selected one.
// Clicks are handed to the window with their picture coordinates.
class CastlePicture : public QWidget {
    Q_OBJECT
public:
    // What the picture shows of one gate or statue.
    struct Bars {
        bool shown = false;
        int lifeWidth = 8; // pixels
        qint64 lifeRange = 1;
        qint64 life = 0;
        int defence = 0; // level 0..3
        int regeneration = 0;
    };

    CastlePicture(CastleGeometry::NpcKind kind, QWidget* parent = nullptr);

    void SetBars(int index, const Bars& bars);
    [[nodiscard]] const Bars& BarsOf(int index) const { return m_bars[size_t(index)]; }
    void SetMarker(int index);
    [[nodiscard]] int Marker() const { return m_marker; }
    void SetOnPress(std::function<void(int, int)> onPress) { m_onPress = std::move(onPress); }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CastleGeometry::NpcKind m_kind;
    std::vector<Bars> m_bars;
    int m_marker = -1;
    std::function<void(int, int)> m_onPress;
};
