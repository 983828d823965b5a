#include "app/window/mark_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tumbo::app {
namespace {

const QColor kArrowGreen(0, 150, 0);
const QColor kBreakRed(200, 0, 0);

// A bookmark: a small blue flag with its digit.
void DrawBookmark(QPainter &p, int digit)
{
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(200, 220, 255));
    p.drawRect(QRectF(0.5, 0.5, 9, 12));
    p.setPen(QColor(0, 0, 128));
    QFont f("DejaVu Sans");
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 11, 14), Qt::AlignCenter, QString::number(digit));
}

// The statement about to run: a green arrow pointing at the text.
void DrawArrow(QPainter &p, const QColor &fill)
{
    QPolygonF arrow;
    arrow << QPointF(0.5, 4.5) << QPointF(5.5, 4.5) << QPointF(5.5, 1.5) << QPointF(10.5, 7)
          << QPointF(5.5, 12.5) << QPointF(5.5, 9.5) << QPointF(0.5, 9.5);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    p.drawPolygon(arrow);
}

void DrawBreakpoint(QPainter &p)
{
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(kBreakRed);
    p.drawEllipse(QRectF(0.5, 2, 10, 10));
}

// The line of the last numbered error: a red cross.
void DrawError(QPainter &p)
{
    p.setPen(QPen(kBreakRed, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, 3), QPointF(9, 11));
    p.drawLine(QPointF(9, 3), QPointF(2, 11));
}

// The line where a run was aborted: an octagonal stop sign.
void DrawAbort(QPainter &p)
{
    QPolygonF sign;
    sign << QPointF(3.5, 1.5) << QPointF(7.5, 1.5) << QPointF(10.5, 4.5) << QPointF(10.5, 9.5)
         << QPointF(7.5, 12.5) << QPointF(3.5, 12.5) << QPointF(0.5, 9.5) << QPointF(0.5, 4.5);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(230, 120, 0));
    p.drawPolygon(sign);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(3, 7), QPointF(8, 7));
}

QImage Draw(int index)
{
    QImage image(kMarkImageWidth, kMarkImageHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (index >= 0 && index <= 9) {
        DrawBookmark(p, index);
    } else if (index == kImageCurrentLine) {
        DrawArrow(p, kArrowGreen);
    } else if (index == kImageBreakpoint) {
        DrawBreakpoint(p);
    } else if (index == kImageCurrentOnBreakpoint) {
        // The breakpoint with a small arrow inside, so that both stay recognisable.
        DrawBreakpoint(p);
        QPolygonF arrow;
        arrow << QPointF(2.5, 5.5) << QPointF(5.5, 5.5) << QPointF(5.5, 3.5) << QPointF(9, 7)
              << QPointF(5.5, 10.5) << QPointF(5.5, 8.5) << QPointF(2.5, 8.5);
        p.setPen(QPen(Qt::black, 0.8));
        p.setBrush(QColor(255, 255, 0));
        p.drawPolygon(arrow);
    } else if (index == kImageError) {
        DrawError(p);
    } else if (index == kImageAbort) {
        DrawAbort(p);
    }
    return image;
}

}  // namespace

QImage MarkImageAt(int index)
{
    static QImage images[kMarkImageCount];
    if (index < 0 || index >= kMarkImageCount)
        return {};
    if (images[index].isNull())
        images[index] = Draw(index);
    return images[index];
}

}  // namespace tumbo::app
