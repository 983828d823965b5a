#include "world/qt/welt_widgets.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "world/qt/welt_view_2d.h"
#include "world/qt/welt_view_3d.h"

TWorldViewWidget::TWorldViewWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TWorldViewWidget::SetViewScale(double scale, QSize modelSize) {
  scale_ = scale;
  setFixedSize(ViewScale().Map(modelSize));
  update();
}

TViewScale TWorldViewWidget::DeviceScale() const { return TViewScale{scale_ * devicePixelRatioF()}; }

QRect TWorldViewWidget::WidgetRect(const QRect& model) const {
  return ViewScale().IsOne() ? model : ViewScale().MapOutward(model);
}

template <class PaintArea>
void TWorldViewWidget::PaintExposed(QPaintEvent* event, PaintArea paint) {
  QPainter p(this);
  const double ratio = devicePixelRatioF();
  // Draw in device pixels, so that nothing is scaled after it was drawn.
  if (ratio != 1.0) p.scale(1.0 / ratio, 1.0 / ratio);
  for (const QRect& r : event->region()) {
    const QRect device = ratio == 1.0 ? r
                                      : QRect(QPoint(int(std::floor(r.left() * ratio)), int(std::floor(r.top() * ratio))),
                                              QPoint(int(std::ceil((r.right() + 1) * ratio)) - 1,
                                                     int(std::ceil((r.bottom() + 1) * ratio)) - 1));
    paint(p, device);
  }
  if (overlay_) overlay_(p, DeviceScale());
  if (cursor_) cursor_(p, DeviceScale());
}

TImage3D::TImage3D(const TWeltView3D& view, QWidget* parent) : TWorldViewWidget(parent), view_(view) {
  setObjectName(QStringLiteral("imgTumbo3D"));
}

void TImage3D::paintEvent(QPaintEvent* event) {
  const TViewScale scale = DeviceScale();
  PaintExposed(event, [&](QPainter& p, const QRect& area) { view_.Paint(p, area, scale); });
}

void TImage3D::mousePressEvent(QMouseEvent* event) {
  emit Clicked();
  QWidget::mousePressEvent(event);
}

TPaintBox2D::TPaintBox2D(const TWeltView2D& view, QWidget* parent) : TWorldViewWidget(parent), view_(view) {
  setObjectName(QStringLiteral("pbTumbo2D"));
}

void TPaintBox2D::paintEvent(QPaintEvent* event) {
  const TViewScale scale = DeviceScale();
  PaintExposed(event, [&](QPainter& p, const QRect& area) { view_.Paint(p, area, scale); });
}

void TPaintBox2D::mousePressEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  emit Pressed(QPoint(ViewScale().ToModel(pos.x()), ViewScale().ToModel(pos.y())), event->button());
  QWidget::mousePressEvent(event);
}
