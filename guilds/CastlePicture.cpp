#include "guilds/CastlePicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

using CastleGeometry::NpcKind;

const QColor kGround(0x5B, 0x6B, 0x3A);
const QColor kWall(0xA8, 0xA2, 0x94);
const QColor kWallEdge(0x5E, 0x59, 0x50);
const QColor kCourt(0x8A, 0x7F, 0x68);
const QColor kKeep(0x7D, 0x76, 0x6B);

// The castle seen from above, north at the top: the keep yard behind the
// first gate, the inner ward behind gates 2 and 3, and the outer ward whose
// south wall holds gates 4 to 6.
constexpr QRect kKeepYard(QPoint(70, 10), QPoint(130, 61));
constexpr QRect kInnerWard(QPoint(45, 61), QPoint(155, 118));
constexpr QRect kOuterWard(QPoint(25, 118), QPoint(175, 187));

void PaintCastle(QPainter& p) {
    p.fillRect(QRect(QPoint(0, 0), CastleGeometry::kPictureSize), kGround);

    p.setPen(Qt::NoPen);
    p.setBrush(kCourt);
    for (const QRect& ward : {kOuterWard, kInnerWard, kKeepYard})
        p.drawRect(ward);
    p.setBrush(kKeep);
    p.drawRect(QRect(86, 16, 28, 16));

    // Road to the outer gates.
    p.setBrush(QColor(0x9C, 0x8C, 0x6A));
    p.drawRect(QRect(92, 189, 14, 19));

    QPen wall(kWall, 5);
    wall.setJoinStyle(Qt::MiterJoin);
    p.setPen(wall);
    p.setBrush(Qt::NoBrush);
    for (const QRect& ward : {kOuterWard, kInnerWard, kKeepYard})
        p.drawRect(ward);

    // Corner towers.
    p.setPen(QPen(kWallEdge, 1));
    p.setBrush(kWall);
    for (const QRect& ward : {kOuterWard, kInnerWard, kKeepYard})
        for (const QPoint c : {ward.topLeft(), ward.topRight(), ward.bottomLeft(), ward.bottomRight()})
            p.drawEllipse(c, 5, 5);
}

// A gate: a dark opening across the wall.
void PaintGate(QPainter& p, const QPoint& centre) {
    p.setPen(QPen(QColor(0x3A, 0x2A, 0x1A), 1));
    p.setBrush(QColor(0x6B, 0x4A, 0x2A));
    p.drawRect(QRect(centre - QPoint(7, 4), QSize(14, 8)));
    p.drawLine(centre - QPoint(0, 4), centre + QPoint(0, 4));
}

// A statue: a plinth with a figure.
void PaintStatue(QPainter& p, const QPoint& centre) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), 1));
    p.setBrush(QColor(0xC8, 0xC8, 0xD8));
    p.drawRect(QRect(centre + QPoint(-5, 2), QSize(10, 4)));
    p.drawEllipse(centre + QPoint(0, -5), 3, 3);
    p.drawRect(QRect(centre + QPoint(-2, -2), QSize(4, 5)));
}

void PaintBar(QPainter& p, const QPoint& at, int width, int filled, const QColor& colour) {
    p.fillRect(QRect(at, QSize(width, CastleGeometry::kBarHeight)), QColor(0x20, 0x20, 0x20));
    p.fillRect(QRect(at, QSize(filled, CastleGeometry::kBarHeight)), colour);
}

} // namespace

CastlePicture::CastlePicture(CastleGeometry::NpcKind kind, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_bars(CastleGeometry::Places(kind).size()) {
    setFixedSize(CastleGeometry::kPictureSize);
    setCursor(Qt::PointingHandCursor);
}

void CastlePicture::SetBars(int index, const Bars& bars) {
    m_bars[size_t(index)] = bars;
    update();
}

void CastlePicture::SetMarker(int index) {
    m_marker = index;
    update();
}

void CastlePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintCastle(p);
    const auto places = CastleGeometry::Places(m_kind);
    for (size_t i = 0; i < places.size(); ++i) {
        const QPoint centre = places[i].region.center();
        if (m_kind == NpcKind::Gate)
            PaintGate(p, centre);
        else
            PaintStatue(p, centre);
    }
    for (size_t i = 0; i < places.size(); ++i) {
        const Bars& b = m_bars[i];
        if (!b.shown)
            continue;
        PaintBar(p, places[i].lifeBar, b.lifeWidth,
                 CastleGeometry::FillWidth(b.life, b.lifeRange, b.lifeWidth), QColor(0xE0, 0x20, 0x20));
        PaintBar(p, CastleGeometry::DefenceBarAt(places[i]), CastleGeometry::kBarLength,
                 CastleGeometry::LevelFillWidth(b.defence), QColor(0x20, 0xD0, 0x20));
        if (m_kind == NpcKind::Statue)
            PaintBar(p, CastleGeometry::RegenerationBarAt(places[i]), CastleGeometry::kBarLength,
                     CastleGeometry::LevelFillWidth(b.regeneration), QColor(0xF0, 0xE0, 0x20));
    }
    if (m_marker >= 0) {
        // The marker: a small gold pennant at its spot.
        const QPoint at = places[size_t(m_marker)].marker;
        QPainterPath flag;
        flag.moveTo(at);
        flag.lineTo(at + QPoint(10, 4));
        flag.lineTo(at + QPoint(0, 8));
        flag.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(0xFF, 0xC8, 0x00));
        p.drawPath(flag);
    }
}

void CastlePicture::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_onPress)
        m_onPress(at.x(), at.y());
    event->accept();
}
