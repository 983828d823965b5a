#include "app/dialogs/color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace tumbo::app {

QColor ToQColor(ColorValue value)
{
    const std::uint32_t rgb = ColorToRgb(value);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

ColorValue FromQColor(const QColor &color)
{
    return ColorValue(color.red()) | (ColorValue(color.green()) << 8) | (ColorValue(color.blue()) << 16);
}

TColorSwatch::TColorSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFixedSize(Size, Size);
    setCursor(Qt::PointingHandCursor);
}

void TColorSwatch::SetColor(ColorValue color)
{
    color_ = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        p.fillRect(contentsRect(), ToQColor(color_));
    }
    QFrame::paintEvent(event);
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QFrame::mouseReleaseEvent(event);
}

}  // namespace tumbo::app
