#include "chart/qt/chart_paint_box.h"

#include <QPaintEvent>

#include "chart/qt/struktogramm.h"

TChartPaintBox::TChartPaintBox(QWidget *parent) : QWidget(parent)
{
    // White like the saved pictures, whatever the style's window colour.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
}

void TChartPaintBox::paintEvent(QPaintEvent *event)
{
    if (Chart)
        Chart->PaintControl(Tree ? Tree() : nullptr, event->rect());
}
