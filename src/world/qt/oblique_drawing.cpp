#include "world/qt/oblique_drawing.h"

#include <QPolygonF>

namespace {

QTransform FaceTransform(QPointF topLeft, QPointF topRight, QPointF bottomLeft) {
  const QPointF s = topRight - topLeft, t = bottomLeft - topLeft;
  return QTransform(s.x(), s.y(), t.x(), t.y(), topLeft.x(), topLeft.y());
}

void Face(QPainter& p, const QPolygonF& poly, QColor fill, QColor outline,
          const FaceDetail& detail, const QTransform& face) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPolygon(poly);
  if (detail) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRegion(QRegion(poly.toPolygon()));
    detail(p, face);
    p.restore();
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(outline, 1));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(poly);
}

}  // namespace

void DrawBox(QPainter& p, const Oblique& at, Vec3 lo, Vec3 hi, const Shades& shades,
             const BoxDetails& details) {
  // Corners named by (u, v, w) choice: 0 = lo, 1 = hi.
  auto c = [&](int u, int v, int w) {
    return at({u ? hi.u : lo.u, v ? hi.v : lo.v, w ? hi.w : lo.w});
  };
  const QPolygonF top{c(0, 0, 1), c(1, 0, 1), c(1, 1, 1), c(0, 1, 1)};
  const QPolygonF front{c(0, 1, 1), c(1, 1, 1), c(1, 1, 0), c(0, 1, 0)};
  const QPolygonF side{c(1, 1, 1), c(1, 0, 1), c(1, 0, 0), c(1, 1, 0)};
  Face(p, side, shades.side, shades.outline, details.side,
       FaceTransform(c(1, 1, 1), c(1, 0, 1), c(1, 1, 0)));
  Face(p, front, shades.front, shades.outline, details.front,
       FaceTransform(c(0, 1, 1), c(1, 1, 1), c(0, 1, 0)));
  Face(p, top, shades.top, shades.outline, details.top,
       FaceTransform(c(0, 0, 1), c(1, 0, 1), c(0, 1, 1)));
}

void DrawTile(QPainter& p, const Oblique& at, Vec3 lo, Vec3 hi, QColor fill, QColor outline) {
  const QPolygonF tile{at({lo.u, lo.v, lo.w}), at({hi.u, lo.v, lo.w}), at({hi.u, hi.v, lo.w}),
                       at({lo.u, hi.v, lo.w})};
  Face(p, tile, fill, outline, {}, QTransform());
}

QImage Flatten(const QImage& argb, QColor key) {
  QImage in = argb.convertToFormat(QImage::Format_ARGB32);
  QImage out(in.size(), QImage::Format_RGB888);
  for (int y = 0; y < in.height(); ++y) {
    for (int x = 0; x < in.width(); ++x) {
      const QRgb px = in.pixel(x, y);
      out.setPixelColor(x, y, qAlpha(px) < 128 ? key : QColor(qRed(px), qGreen(px), qBlue(px)));
    }
  }
  return out;
}
