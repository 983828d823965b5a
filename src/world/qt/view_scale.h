// The scale a view is drawn at. The views keep their geometry at scale 1 (model pixels:
// Project3D, Project2D, CellAt2D, the view sizes); on a device they draw it `Factor`
// times as large. Points are rounded to whole device pixels, so lines and picture edges
// stay crisp at any factor; at factor 1 every mapping is the identity.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cmath>

struct TViewScale {
  double Factor = 1.0;

  bool IsOne() const { return Factor == 1.0; }

  // Nearest device pixel, halves upward. The tolerance keeps products such as
  // 0.5 * 15, which binary fractions may put a hair below the half, rounding upward.
  int Map(double v) const { return int(std::floor(v * Factor + 0.5 + 1e-9)); }
  QPoint Map(QPoint p) const { return QPoint(Map(p.x()), Map(p.y())); }
  QSize Map(QSize s) const { return QSize(Map(s.width()), Map(s.height())); }
  // The device rectangle of a model rectangle: its edges mapped like points.
  QRect Map(const QRect& r) const {
    return QRect(QPoint(Map(r.left()), Map(r.top())),
                 QPoint(Map(r.right() + 1) - 1, Map(r.bottom() + 1) - 1));
  }
  // A rectangle of device pixels that surely covers everything a model rectangle may
  // show, with a pixel to spare for rounding.
  QRect MapOutward(const QRect& r) const {
    const int l = int(std::floor(r.left() * Factor)) - 1, t = int(std::floor(r.top() * Factor)) - 1;
    const int rr = int(std::ceil((r.right() + 1) * Factor)) + 1, b = int(std::ceil((r.bottom() + 1) * Factor)) + 1;
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
  }

  // The model pixel under a device pixel.
  int ToModel(double v) const { return int(std::floor(v / Factor)); }
  QPoint ToModel(QPoint p) const { return QPoint(ToModel(p.x()), ToModel(p.y())); }
  // The model rectangle whose drawing can reach a device rectangle, a pixel to spare.
  QRect ToModelOutward(const QRect& d) const {
    const int l = int(std::floor(d.left() / Factor)) - 1, t = int(std::floor(d.top() / Factor)) - 1;
    const int r = int(std::ceil((d.right() + 1) / Factor)) + 1, b = int(std::ceil((d.bottom() + 1) / Factor)) + 1;
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
  }

  // Width of a line that is one pixel wide at scale 1.
  int LineWidth() const { return std::max(1, int(Factor + 0.5)); }

  // A picture of `modelSize` placed with its bottom-left corner at `bottomLeft` (model
  // point just below and at the left of the picture): where the picture drawn for this
  // scale, of `deviceSize`, goes.
  QRect PlacePicture(QPoint bottomLeft, QSize deviceSize) const {
    const QPoint d = Map(bottomLeft);
    return QRect(d.x(), d.y() - deviceSize.height(), deviceSize.width(), deviceSize.height());
  }
};

// The steps of "Größer" and "Kleiner", like an image viewer's.
inline constexpr double kViewScaleSteps[] = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
inline constexpr double kMinViewScale = 0.1;  // fitting a large world may go below the steps
inline constexpr double kMaxViewScale = 4.0;

// The next step above (`direction` > 0) or below the scale, the last step at the ends.
double NextViewScale(double scale, int direction);
// The largest scale (within kMinViewScale .. kMaxViewScale) at which `content` (pixels at
// scale 1) fits into `pane` whole.
double FitViewScale(QSize content, QSize pane);

