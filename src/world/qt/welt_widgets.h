// The two view controls: the 3D image and the 2D paint box. Both draw their view at the
// view scale and the screen's pixel ratio, straight from the world, only where exposed.
// Either may carry an overlay painted over the view (for example the goal of a task).
#pragma once

#include <QWidget>
#include <functional>

#include "world/qt/view_scale.h"

class QPainter;
class TWeltView2D;
class TWeltView3D;

// What both controls share: the view scale, their size from the view's size at scale 1,
// and the device rectangles of a paint event.
class TWorldViewWidget : public QWidget {
  Q_OBJECT
public:
  explicit TWorldViewWidget(QWidget* parent);

  // Widget pixels per view pixel at scale 1; the widget takes the scaled size.
  void SetViewScale(double scale, QSize modelSize);
  TViewScale ViewScale() const { return TViewScale{scale_}; }
  // The scale in device pixels (view scale times the screen's pixel ratio).
  TViewScale DeviceScale() const;
  // A view rectangle at scale 1 as widget pixels (for update()).
  QRect WidgetRect(const QRect& model) const;

  // Painted after the view in every paint event, on a painter in device pixels clipped to
  // what is exposed, with the device scale to map view pixels at scale 1; empty for none.
  using Overlay = std::function<void(QPainter&, const TViewScale&)>;
  void SetOverlay(Overlay overlay) {
    overlay_ = std::move(overlay);
    update();
  }
  // Painted last, above the overlay: a cursor of the keyboard (the world editor's cell).
  void SetCursorOverlay(Overlay cursor) {
    cursor_ = std::move(cursor);
    update();
  }

protected:
  // Paints each rectangle of the event's region, `paint` getting device pixels.
  template <class PaintArea>
  void PaintExposed(QPaintEvent* event, PaintArea paint);

private:
  double scale_ = 1.0;
  Overlay overlay_;
  Overlay cursor_;
};

class TImage3D : public TWorldViewWidget {
  Q_OBJECT
public:
  TImage3D(const TWeltView3D& view, QWidget* parent);

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  const TWeltView3D& view_;
};

class TPaintBox2D : public TWorldViewWidget {
  Q_OBJECT
public:
  TPaintBox2D(const TWeltView2D& view, QWidget* parent);

signals:
  // A mouse button went down at `pos`, in paint box pixels at scale 1 (what CellAt2D
  // takes), whatever the view scale.
  void Pressed(QPoint pos, Qt::MouseButton button);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  const TWeltView2D& view_;
};
