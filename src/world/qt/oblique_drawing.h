// Drawing in the world's oblique projection, in the pixels of one picture: a cell is
// 30 pixels along x (east), a row to the south moves 15 left and 15 down, a level up
// moves 15 up. Shapes are drawn crisp (no smoothing on outlines), so that the key colour
// around them stays clean when the pictures are drawn transparently.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QTransform>
#include <functional>

// A point in cell units: u east, v south, w up.
struct Vec3 {
  double u, v, w;
};

// Maps cell units to picture pixels: `origin` is where (0, 0, 0) lands.
class Oblique {
public:
  explicit Oblique(QPointF origin) : origin_(origin) {}
  QPointF operator()(Vec3 p) const {
    return origin_ + QPointF(30.0 * p.u - 15.0 * p.v, 15.0 * p.v - 15.0 * p.w);
  }

private:
  QPointF origin_;
};

// The three shades of an object and its outline.
struct Shades {
  QColor top, front, side, outline;
  static Shades Of(QColor base, QColor outline) {
    return {base.lighter(135), base, base.darker(150), outline};
  }
};

// One face of a box, as a transform from the unit square (s to the right, t downward as
// seen by the viewer) to picture pixels, for painting details on it.
using FaceDetail = std::function<void(QPainter&, const QTransform& face)>;

struct BoxDetails {
  FaceDetail top, front, side;
};

// A box from (u0, v0, w0) to (u1, v1, w1): its visible faces (top, south, east), shaded
// and outlined.
void DrawBox(QPainter& p, const Oblique& at, Vec3 lo, Vec3 hi, const Shades& shades,
             const BoxDetails& details = {});

// A parallelogram lying flat at height w.
void DrawTile(QPainter& p, const Oblique& at, Vec3 lo, Vec3 hi, QColor fill, QColor outline);

// A picture ready to be written: smoothed pixels decided (opaque or not) and every
// transparent pixel set to `key`; the top-left pixel must come out as the key.
QImage Flatten(const QImage& argb, QColor key);
