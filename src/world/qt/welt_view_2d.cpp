#include "world/qt/welt_view_2d.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "world/qt/welt_colors.h"
#include "world/welt.h"

namespace {

constexpr int kCell = 30;
constexpr int kOriginX = 1, kOriginY = 10;

const QColor kGrid(0, 0, 255);
const QColor kBrickFill(205, 0, 0), kBrickLine(255, 0, 0);
const QColor kCuboidFill(64, 64, 64), kCuboidLine(128, 128, 128);
const QColor kMarkFill(255, 255, 0), kMarkLine(0, 0, 0);

// Robot triangles as fractions of the cell, per heading; the third corner is the tip.
constexpr double kTriangle[4][3][2] = {
    {{0.2, 0.1}, {0.8, 0.1}, {0.5, 0.9}},  // south
    {{0.9, 0.2}, {0.9, 0.8}, {0.1, 0.5}},  // west
    {{0.2, 0.9}, {0.8, 0.9}, {0.5, 0.1}},  // north
    {{0.1, 0.2}, {0.1, 0.8}, {0.9, 0.5}},  // east
};

// Nearest integer, halves upward. The tolerance keeps values such as 15 * (y + 0.7),
// which binary fractions make a hair less than a half, rounding like exact halves.
int RoundHalfUp(double v) { return int(std::floor(v + 0.5 + 1e-9)); }

// The font for the brick count: the view's font with a character cell (ascent plus
// descent) of `cellHeight` pixels.
QFont CountFont(int cellHeight) {
  QFont font = QGuiApplication::font();
  font.setStyleStrategy(QFont::NoAntialias);  // the count in plain white on the brick colour
  int pixels = cellHeight;
  font.setPixelSize(pixels);
  while (pixels > 6 && QFontMetrics(font).height() > cellHeight) font.setPixelSize(--pixels);
  return font;
}

// Fills the cell's inner square (inside the grid lines) with an outline colour.
void InnerSquare(QPainter& p, QPoint topLeft, QPoint bottomRight, QColor fill, QColor line) {
  p.setPen(QPen(line, 1));
  p.setBrush(fill);
  // The outline covers both edges: from topLeft + 1 to bottomRight - 1.
  p.drawRect(QRect(topLeft + QPoint(1, 1), bottomRight - QPoint(1, 1)).adjusted(0, 0, -1, -1));
}

}  // namespace

TWeltView2D::TWeltView2D(TWelt& welt) : welt_(welt) {}

QPoint TWeltView2D::Project2D(double x, double y) {
  return QPoint(RoundHalfUp(kCell * x + kOriginX), RoundHalfUp(kCell * y + kOriginY));
}

QPoint TWeltView2D::CellAt2D(int px, int py) {
  // Integer division truncates toward zero: the pixels left of or above the origin
  // still count as column 0 or row 0.
  return QPoint((px - kOriginX) / kCell, (py - kOriginY) / kCell);
}

void TWeltView2D::ComputeGeometry2D() {
  size_ = QSize(kCell * welt_.Room.Width() + 10, kCell * welt_.Room.Length() + 31);
}

QRect TWeltView2D::CellsRect(int x1, int y1, int x2, int y2) {
  return QRect(Project2D(x1, y1), Project2D(x2, y2));
}

void TWeltView2D::PaintCells2D(QPainter& p, int x1, int y1, int x2, int y2) const {
  const TRaum& room = welt_.Room;
  const TTumbo& robot = welt_.Robot;
  const QColor back = BackColorOf(robot);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);

  // Clear the block, grid lines included (the right and bottom lines are drawn again).
  const QPoint a = Project2D(x1, y1), b = Project2D(x2, y2);
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawRect(QRect(a, b - QPoint(1, 1)));

  p.setPen(QPen(kGrid, 1));
  p.setBrush(Qt::NoBrush);
  for (int x = x1; x <= x2; ++x) p.drawLine(Project2D(x, y1), Project2D(x, y2));
  for (int y = y1; y <= y2; ++y) p.drawLine(Project2D(x1, y), Project2D(x2, y));

  const QFont countFont = CountFont((Project2D(1, 0).x() - Project2D(0, 0).x()) / 2);
  for (int x = x1; x < x2; ++x) {
    for (int y = y1; y < y2; ++y) {
      const QPoint pt = Project2D(x, y), q = Project2D(x + 1, y + 1);
      if (room.ContentAt(x, y, 0) == kZiegel) {
        InnerSquare(p, pt, q, kBrickFill, kBrickLine);
        const QString count = QString::number(room.BrickCount(x, y));
        p.setFont(countFont);
        const QFontMetrics fm(countFont, p.device());
        const int tx = pt.x() + (kCell - fm.horizontalAdvance(count)) / 2;
        const int ty = pt.y() + (kCell - fm.height()) / 2;
        p.setPen(Qt::white);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(kBrickFill);
        p.drawText(QPoint(tx, ty + fm.ascent()), count);
        p.setBackgroundMode(Qt::TransparentMode);
      } else if (room.ContentAt(x, y, 0) == kQuader) {
        InnerSquare(p, pt, q, kCuboidFill, kCuboidLine);
      }
      if (room.HasMark(x, y)) InnerSquare(p, pt, q, kMarkFill, kMarkLine);
      if (robot.X == x && robot.Y == y) {
        const auto& tri = kTriangle[robot.Heading & 3];
        QPoint corners[3];
        for (int i = 0; i < 3; ++i) corners[i] = Project2D(x + tri[i][0], y + tri[i][1]);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(corners, 3);
      }
    }
  }
  p.restore();
}

void TWeltView2D::Paint(QPainter& p, const QRect& exposed) const {
  const TRaum& room = welt_.Room;
  p.save();
  p.setClipRect(exposed);
  p.fillRect(exposed, BackColorOf(welt_.Robot));
  // Cells whose square (grid lines included) meets the exposed rectangle.
  const int x1 = std::max(0, (exposed.left() - kOriginX) / kCell - 1);
  const int y1 = std::max(0, (exposed.top() - kOriginY) / kCell - 1);
  const int x2 = std::min(room.Width(), (exposed.right() - kOriginX) / kCell + 1);
  const int y2 = std::min(room.Length(), (exposed.bottom() - kOriginY) / kCell + 1);
  if (x1 < x2 && y1 < y2) PaintCells2D(p, x1, y1, x2, y2);
  p.restore();
}

void TWeltView2D::PaintAll(QPainter& p) const {
  p.fillRect(QRect(QPoint(0, 0), size_ + QSize(1, 1)), BackColorOf(welt_.Robot));
  PaintCells2D(p, 0, 0, welt_.Room.Width(), welt_.Room.Length());
}

void TWeltView2D::UpdateView() {
  TRaum& room = welt_.Room;
  if (!room.AnyDirty()) return;
  if (room.AllDirty()) {
    RedrawAll();
    return;
  }
  int x1 = INT32_MAX, y1 = INT32_MAX, x2 = -1, y2 = -1;
  for (const TZellPos& c : room.DirtyCells()) {
    const auto& dirty = room.Cell(c.X, c.Y).Dirty;
    if (std::none_of(dirty.begin(), dirty.end(), [](bool d) { return d; })) continue;
    x1 = std::min(x1, c.X);
    y1 = std::min(y1, c.Y);
    x2 = std::max(x2, c.X + 1);
    y2 = std::max(y2, c.Y + 1);
  }
  room.ClearDirty();
  if (x2 >= 0 && repaint_) repaint_(CellsRect(x1, y1, x2, y2));
}

void TWeltView2D::RedrawAll() {
  if (repaint_) repaint_(QRect(QPoint(0, 0), size_));
  welt_.Room.ClearDirty();
}
