#include "app/run/prog_lamp.h"

#include <QPainter>

namespace tumbo::app {

ProgLamp::ProgLamp(QWidget *parent) : QWidget(parent)
{
    setFixedSize(15, 15);
    setToolTip(QStringLiteral("Programmstatus Anzeige"));
}

void ProgLamp::SetColor(const QColor &color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void ProgLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(color_);
    const QRectF circle((width() - 11) / 2.0 + 0.5, (height() - 11) / 2.0 + 0.5, 10, 10);
    p.drawEllipse(circle);
}

}  // namespace tumbo::app
