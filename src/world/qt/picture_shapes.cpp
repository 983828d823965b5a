#include "world/qt/picture_shapes.h"

#include <QPainterPath>
#include <algorithm>

#include "world/qt/oblique_drawing.h"

namespace {

// A transparent picture of width x height pixels at scale 1, made `scale` times as large;
// the painter draws in the pixels of scale 1.
struct Canvas {
  Canvas(int width, int height, double scale)
      : Height(height),
        img(std::max(1, int(width * scale + 0.5)), std::max(1, int(height * scale + 0.5)),
            QImage::Format_ARGB32_Premultiplied) {
    img.fill(Qt::transparent);
    p.begin(&img);
    if (scale != 1.0) p.scale(double(img.width()) / width, double(img.height()) / height);
  }
  QImage Done() {
    p.end();
    return img;
  }
  int Height;  // at scale 1
  QImage img;
  QPainter p;
};

// Cell pictures are anchored with their bottom-left pixel just above the front-left
// corner of their cell at their level: (0, 1, 0) lands on the last row.
Oblique CellAnchor(int height) { return Oblique(QPointF(15, height - 16)); }

// A thin lighter line just inside the upper and left edges of a face.
FaceDetail Bevel(QColor light) {
  return [light](QPainter& p, const QTransform& f) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(light, 1));
    const QPointF a = f.map(QPointF(0.04, 0.12)), b = f.map(QPointF(0.96, 0.12));
    const QPointF c = f.map(QPointF(0.04, 0.88));
    p.drawLine(a + QPointF(1, 0), b);
    p.drawLine(a + QPointF(1, 0), c + QPointF(1, 0));
  };
}

}  // namespace

QImage BrickPicture(double scale) {
  Canvas c(46, 31, scale);
  QPainter& p = c.p;
  const Shades red{QColor(236, 92, 72), QColor(205, 32, 22), QColor(146, 20, 14),
                   QColor(88, 10, 6)};
  BoxDetails details;
  details.front = Bevel(QColor(232, 86, 70));
  details.side = Bevel(QColor(176, 40, 30));
  DrawBox(p, CellAnchor(c.Height), {0, 0, 0}, {1, 1, 1}, red, details);
  return c.Done();
}

QImage CuboidPicture(double scale) {
  Canvas c(46, 46, scale);
  QPainter& p = c.p;
  const Shades stone{QColor(178, 180, 186), QColor(128, 130, 138), QColor(88, 90, 98),
                     QColor(38, 38, 44)};
  // A sunk panel on the front and side, so a cuboid never reads as two bricks.
  auto panel = [](QColor dark, QColor light) {
    return [dark, light](QPainter& p, const QTransform& f) {
      p.setRenderHint(QPainter::Antialiasing, false);
      const QPolygonF inner = f.map(QPolygonF(QRectF(0.16, 0.14, 0.68, 0.72)));
      p.setPen(QPen(dark, 1));
      p.drawLine(inner[0], inner[1]);
      p.drawLine(inner[0], inner[3]);
      p.setPen(QPen(light, 1));
      p.drawLine(inner[1], inner[2]);
      p.drawLine(inner[3], inner[2]);
    };
  };
  BoxDetails details;
  details.front = panel(QColor(84, 86, 94), QColor(170, 172, 180));
  details.side = panel(QColor(60, 62, 70), QColor(120, 122, 130));
  DrawBox(p, CellAnchor(c.Height), {0, 0, 0}, {1, 1, 2}, stone, details);
  return c.Done();
}

QImage MarkPicture(double scale) {
  Canvas c(46, 16, scale);
  QPainter& p = c.p;
  DrawTile(p, CellAnchor(c.Height), {0.12, 0.12, 0}, {0.88, 0.88, 0},
           QColor(255, 226, 0), Qt::black);
  return c.Done();
}

namespace {

// Robot colours.
const Shades kBody{QColor(70, 196, 208), QColor(28, 150, 168), QColor(16, 104, 118),
                   QColor(8, 44, 52)};
const Shades kHead{QColor(246, 248, 250), QColor(214, 220, 226), QColor(164, 172, 182),
                   QColor(40, 46, 56)};
const Shades kFoot{QColor(110, 110, 118), QColor(70, 70, 78), QColor(44, 44, 50),
                   QColor(20, 20, 24)};
const QColor kAccent(255, 196, 0);

// A face: two eyes above the lens, on the unit square of the face it looks out of.
void Face(QPainter& p, const QTransform& f) {
  p.setRenderHint(QPainter::Antialiasing, true);
  for (double s : {0.28, 0.72}) {
    QPainterPath eye;
    eye.addEllipse(QPointF(s, 0.36), 0.15, 0.22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 44));
    p.drawPath(f.map(eye));
    QPainterPath glint;
    glint.addEllipse(QPointF(s + 0.05, 0.29), 0.055, 0.08);
    p.setBrush(Qt::white);
    p.drawPath(f.map(glint));
  }
}

// Seen from the side: one eye near the edge the robot looks past.
FaceDetail ProfileEye(double s) {
  return [s](QPainter& p, const QTransform& f) {
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath eye;
    eye.addEllipse(QPointF(s, 0.36), 0.09, 0.22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 34, 44));
    p.drawPath(f.map(eye));
  };
}

// The back of the head: a small grille.
void Grille(QPainter& p, const QTransform& f) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(120, 128, 140), 1));
  for (double t : {0.35, 0.55, 0.75}) p.drawLine(f.map(QPointF(0.25, t)), f.map(QPointF(0.75, t)));
}

// A chest lamp on the side the robot faces.
void Lamp(QPainter& p, const QTransform& f) {
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath lamp;
  lamp.addEllipse(QPointF(0.5, 0.42), 0.2, 0.2);
  p.setPen(QPen(QColor(120, 80, 0), 1));
  p.setBrush(kAccent);
  p.drawPath(f.map(lamp));
}

// The lens the robot looks through: a short yellow box sticking out of the face in the
// heading's direction, so the heading reads from every side.
void Lens(QPainter& p, const Oblique& at, int heading) {
  const Shades yellow{QColor(255, 226, 90), QColor(240, 180, 0), QColor(190, 132, 0),
                      QColor(90, 56, 0)};
  const double w0 = 1.76, w1 = 1.98;
  switch (heading) {
    case 0: DrawBox(p, at, {0.41, 0.72, w0}, {0.59, 0.9, w1}, yellow); break;
    case 1: DrawBox(p, at, {-0.1, 0.38, w0}, {0.2, 0.56, w1}, yellow); break;
    case 2: DrawBox(p, at, {0.41, 0.04, w0}, {0.59, 0.22, w1}, yellow); break;
    default: DrawBox(p, at, {0.8, 0.38, w0}, {1.08, 0.56, w1}, yellow); break;
  }
}

}  // namespace

QImage RobotPicture(int heading, double scale) {
  // 40 x 52 pixels; with the anchor rule of the 3D view the point (u, v, w) of the cell
  // lands at (30u - 15v + 12, 15v - 15w + 40).
  Canvas c(40, 52, scale);
  QPainter& p = c.p;
  const Oblique at(QPointF(12, 40));
  const bool alongV = heading == 0 || heading == 2;  // facing south or north

  // Two feet, side by side across the heading, the farther one first.
  if (alongV) {
    DrawBox(p, at, {0.24, 0.24, 0}, {0.44, 0.7, 0.3}, kFoot);
    DrawBox(p, at, {0.56, 0.24, 0}, {0.76, 0.7, 0.3}, kFoot);
  } else {
    DrawBox(p, at, {0.22, 0.24, 0}, {0.78, 0.42, 0.3}, kFoot);
    DrawBox(p, at, {0.22, 0.52, 0}, {0.78, 0.7, 0.3}, kFoot);
  }

  // Body with the lamp on the side it faces (visible when that is south or east).
  BoxDetails body;
  if (heading == 0) body.front = Lamp;
  if (heading == 3) body.side = Lamp;
  DrawBox(p, at, {0.26, 0.28, 0.3}, {0.74, 0.66, 1.45}, kBody, body);

  // Neck and head; the face looks out of the heading's side.
  DrawBox(p, at, {0.42, 0.4, 1.45}, {0.58, 0.54, 1.6}, kFoot);
  // A lens behind the head (north, west) is drawn first, one in front of it last.
  if (heading == 1 || heading == 2) Lens(p, at, heading);
  BoxDetails head;
  const FaceDetail fronts[] = {Face, ProfileEye(0.12), Grille, ProfileEye(0.88)};
  head.front = fronts[heading & 3];
  head.side = heading == 3 ? FaceDetail(Face) : heading == 1 ? FaceDetail(Grille) : FaceDetail();
  DrawBox(p, at, {0.2, 0.22, 1.6}, {0.8, 0.72, 2.45}, kHead, head);
  if (heading == 0 || heading == 3) Lens(p, at, heading);

  // Antenna with a red tip.
  p.setRenderHint(QPainter::Antialiasing, false);
  const QPointF base = at({0.5, 0.47, 2.45}), tip = at({0.5, 0.47, 2.95});
  p.setPen(QPen(QColor(40, 46, 56), 1));
  p.drawLine(base, tip);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(110, 0, 0), 1));
  p.setBrush(QColor(230, 40, 40));
  p.drawEllipse(tip, 2.5, 2.5);
  return c.Done();
}
