#include "app/window/bar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace tumbo::app {
namespace {

// The world's own colours, as the 2D view draws them.
const QColor kBrick(205, 0, 0), kBrickLine(255, 0, 0), kCuboid(64, 64, 64), kMark(255, 255, 0);

// An arrow along the line from `from` to `to`, its head at `to`.
void Arrow(QPainter &p, QPointF from, QPointF to, const QColor &colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - 4 * d + 3.5 * n);
    p.drawLine(to, to - 4 * d - 3.5 * n);
}

void Square(QPainter &p, const QRectF &r, const QColor &fill, const QColor &line)
{
    p.setPen(QPen(line, 1.2));
    p.setBrush(fill);
    p.drawRect(r);
}

void Draw(QPainter &p, TBarIcon which)
{
    const QColor ink(40, 40, 40);
    switch (which) {
    case TBarIcon::LayBrick:
        Square(p, QRectF(4.5, 12.5, 15, 8), kBrick, kBrickLine);
        Arrow(p, {12, 1}, {12, 10}, ink);
        break;
    case TBarIcon::LiftBrick:
        Square(p, QRectF(4.5, 12.5, 15, 8), kBrick, kBrickLine);
        Arrow(p, {12, 10}, {12, 1}, ink);
        break;
    case TBarIcon::Mark:
        Square(p, QRectF(3.5, 3.5, 17, 17), kMark, Qt::black);
        break;
    case TBarIcon::PutCuboid:
    case TBarIcon::RemoveCuboid:
        Square(p, QRectF(2.5, 6.5, 12, 14), kCuboid, QColor(128, 128, 128));
        p.setPen(QPen(which == TBarIcon::PutCuboid ? QColor(0, 140, 0) : QColor(200, 0, 0), 2.5));
        p.drawLine(QPointF(15, 5), QPointF(22, 5));
        if (which == TBarIcon::PutCuboid)
            p.drawLine(QPointF(18.5, 1.5), QPointF(18.5, 8.5));
        break;
    case TBarIcon::ClearWorld:
        p.setPen(QPen(QColor(0, 0, 255), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 19, 19));
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.setPen(QPen(QColor(200, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case TBarIcon::RestoreWorld: {
        // A turning arrow back to the start.
        p.setPen(QPen(QColor(0, 110, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 100 * 16, 280 * 16);
        const QPointF tip(9.5, 4.8);
        p.drawLine(tip, tip + QPointF(4.5, -3));
        p.drawLine(tip, tip + QPointF(4, 3.5));
        break;
    }
    case TBarIcon::View2D:
        p.setPen(QPen(QColor(0, 0, 255), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 19, 19));
        for (double v : {8.83, 15.17}) {
            p.drawLine(QPointF(v, 3), QPointF(v, 21));
            p.drawLine(QPointF(3, v), QPointF(21, v));
        }
        break;
    case TBarIcon::SingleStep: {
        // One play triangle before a bar: one statement, then stop.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 120, 0));
        QPainterPath play;
        play.moveTo(5, 5);
        play.lineTo(15, 12);
        play.lineTo(5, 19);
        play.closeSubpath();
        p.drawPath(play);
        p.setBrush(ink);
        p.drawRect(QRectF(16.5, 5, 3, 14));
        break;
    }
    }
}

}  // namespace

QIcon BarIcon(TBarIcon which)
{
    QIcon icon;
    // Drawn for each density, so that the icons stay sharp on a projector's screen too.
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(24, 24) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        Draw(p, which);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace tumbo::app
