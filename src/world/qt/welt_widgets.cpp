#include "world/qt/welt_widgets.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "world/qt/welt_view_2d.h"
#include "world/qt/welt_view_3d.h"

TImage3D::TImage3D(const TWeltView3D& view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName(QStringLiteral("imgTumbo3D"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage3D::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect r = event->rect();
  p.drawImage(r.topLeft(), view_.Image(), r);
}

void TImage3D::mousePressEvent(QMouseEvent* event) {
  emit Clicked();
  QWidget::mousePressEvent(event);
}

TPaintBox2D::TPaintBox2D(const TWeltView2D& view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName(QStringLiteral("pbTumbo2D"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox2D::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  view_.Paint(p, event->rect());
}

void TPaintBox2D::mousePressEvent(QMouseEvent* event) {
  emit Pressed(event->position().toPoint(), event->button());
  QWidget::mousePressEvent(event);
}
