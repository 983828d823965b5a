#include "world/qt/line_in_area.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The part of the segment a + t (b - a), 0 <= t <= 1, that lies in the rectangle's pixels
// (Liang-Barsky); false when there is none.
bool ClipToRect(QPoint a, QPoint b, const QRect& r, double& t0, double& t1) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - double(r.left()), double(r.right() + 1) - a.x(), a.y() - double(r.top()),
                       double(r.bottom() + 1) - a.y()};
  t0 = 0;
  t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
    } else if (p[i] < 0) {
      t0 = std::max(t0, q[i] / p[i]);
    } else {
      t1 = std::min(t1, q[i] / p[i]);
    }
  }
  return t0 <= t1;
}

}  // namespace

void DrawLineIn(QPainter& p, QPoint a, QPoint b, const QRect& area, bool dashed) {
  double t0 = 0, t1 = 1;
  if (!ClipToRect(a, b, area, t0, t1)) return;
  const int dx = b.x() - a.x(), dy = b.y() - a.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  const bool onGrid = dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy);
  if (!onGrid || steps == 0) {
    p.drawLine(a, b);
    return;
  }
  // Whole steps along the line, with room beyond the area for the pen's ends.
  const int margin = p.pen().width() + 2;
  const QPoint step((dx > 0) - (dx < 0), (dy > 0) - (dy < 0));
  const int k0 = dashed ? 0 : std::max(0, int(std::floor(t0 * steps)) - margin);
  const int k1 = std::min(steps, int(std::ceil(t1 * steps)) + margin);
  p.drawLine(a + step * k0, a + step * k1);
}
