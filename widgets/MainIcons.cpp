#include "widgets/MainIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every glyph is drawn on a 16 by 16 grid.
void draw(QPainter& p, Glyph glyph, const QColor& colour) {
    QPen pen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QColor fill = colour.lighter(170);
    switch (glyph) {
    case Glyph::ChevronDown:
        p.drawPolyline(QPolygonF({{3, 4}, {8, 8}, {13, 4}}));
        p.drawPolyline(QPolygonF({{3, 9}, {8, 13}, {13, 9}}));
        break;
    case Glyph::ChevronUp:
        p.drawPolyline(QPolygonF({{3, 8}, {8, 4}, {13, 8}}));
        p.drawPolyline(QPolygonF({{3, 13}, {8, 9}, {13, 13}}));
        break;
    case Glyph::Minimize:
        p.drawLine(QPointF(4, 12), QPointF(12, 12));
        break;
    case Glyph::Close:
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Find:
        p.drawEllipse(QPointF(6.5, 6.5), 4, 4);
        p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case Glyph::Add:
        p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Delete:
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Edit: {
        QPainterPath pencil;
        pencil.moveTo(3, 13);
        pencil.lineTo(4, 10);
        pencil.lineTo(11, 3);
        pencil.lineTo(13, 5);
        pencil.lineTo(6, 12);
        pencil.closeSubpath();
        p.setBrush(fill);
        p.drawPath(pencil);
        break;
    }
    case Glyph::Chest:
        p.setBrush(fill);
        p.drawRect(QRectF(2, 6, 12, 8));
        p.drawLine(QPointF(2, 9), QPointF(14, 9));
        p.drawRect(QRectF(7, 8, 2, 3));
        p.drawArc(QRectF(2, 2, 12, 8), 0, 180 * 16);
        break;
    case Glyph::Reload:
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.drawPolyline(QPolygonF({{10, 1.5}, {10.8, 4.2}, {8, 5}}));
        break;
    case Glyph::Bag:
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(2.5, 5, 11, 9), 1.5, 1.5);
        p.drawArc(QRectF(5, 2, 6, 6), 0, 180 * 16);
        p.drawLine(QPointF(2.5, 9), QPointF(13.5, 9));
        break;
    case Glyph::Friends:
    case Glyph::Users: {
        p.setBrush(fill);
        p.drawEllipse(QPointF(5.5, 5), 2.3, 2.3);
        p.drawChord(QRectF(1.5, 8.5, 8, 8), 0, 180 * 16);
        p.drawEllipse(QPointF(11, 5), 2.3, 2.3);
        p.drawChord(QRectF(7, 8.5, 8, 8), 0, 180 * 16);
        if (glyph == Glyph::Users) {
            p.setBrush(QColor(0x20, 0xa0, 0x20));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(13.5, 2.5), 2, 2);
        }
        break;
    }
    case Glyph::Key:
        p.drawEllipse(QPointF(5, 8), 3, 3);
        p.drawLine(QPointF(8, 8), QPointF(14, 8));
        p.drawLine(QPointF(12, 8), QPointF(12, 11));
        p.drawLine(QPointF(14, 8), QPointF(14, 10.5));
        break;
    case Glyph::Log:
        p.setBrush(fill);
        p.drawRect(QRectF(3, 2, 10, 12));
        for (qreal y : {5.0, 8.0, 11.0})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    case Glyph::Menu:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (qreal x : {3.5, 8.0, 12.5})
            p.drawEllipse(QPointF(x, 8), 1.5, 1.5);
        break;
    case Glyph::Castle: {
        QPainterPath wall;
        wall.moveTo(2, 14);
        wall.lineTo(2, 4);
        wall.lineTo(4, 4);
        wall.lineTo(4, 6);
        wall.lineTo(6, 6);
        wall.lineTo(6, 4);
        wall.lineTo(10, 4);
        wall.lineTo(10, 6);
        wall.lineTo(12, 6);
        wall.lineTo(12, 4);
        wall.lineTo(14, 4);
        wall.lineTo(14, 14);
        wall.closeSubpath();
        p.setBrush(fill);
        p.drawPath(wall);
        p.drawChord(QRectF(6, 9, 4, 6), 0, 180 * 16);
        break;
    }
    case Glyph::Info:
        p.setBrush(fill);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(8, 4.8));
        p.drawLine(QPointF(8, 7.5), QPointF(8, 11.5));
        break;
    case Glyph::Chart:
        p.setBrush(fill);
        p.drawRect(QRectF(2, 9, 3, 5));
        p.drawRect(QRectF(6.5, 4, 3, 10));
        p.drawRect(QRectF(11, 7, 3, 7));
        break;
    }
}

} // namespace

QIcon GlyphIcon(Glyph glyph, const QColor& colour) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, glyph, colour);
        p.end();
        icon.addPixmap(pixmap);
        QPixmap grey = pixmap; // the disabled look: the same glyph, faded
        grey.fill(Qt::transparent);
        QPainter g(&grey);
        g.setRenderHint(QPainter::Antialiasing);
        draw(g, glyph, QColor(0xa8, 0xa8, 0xa8));
        g.end();
        icon.addPixmap(grey, QIcon::Disabled);
    }
    return icon;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        QLinearGradient back(0, 0, 0, 16);
        back.setColorAt(0, QColor(0x2f, 0x6f, 0xc4));
        back.setColorAt(1, QColor(0x12, 0x3a, 0x7a));
        p.setPen(Qt::NoPen);
        p.setBrush(back);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        // The chest of the container editors, in gold, on the square.
        const QColor gold(0xf2, 0xc1, 0x4e);
        p.setPen(QPen(QColor(0x5a, 0x35, 0x10), 0.8));
        p.setBrush(gold);
        p.drawRoundedRect(QRectF(3, 5, 10, 8), 1, 1);
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        p.setBrush(QColor(0x5a, 0x35, 0x10));
        p.drawRect(QRectF(7.2, 7.2, 1.6, 2.4));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
