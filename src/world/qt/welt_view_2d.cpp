#include "world/qt/welt_view_2d.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "world/qt/dirty_rects.h"
#include "world/qt/welt_colors.h"
#include "world/welt.h"

namespace {

constexpr int kCell = 30;
constexpr int kOriginX = 1, kOriginY = 10;

// Robot triangles as fractions of the cell, per heading; the third corner is the tip.
constexpr double kTriangle[4][3][2] = {
    {{0.2, 0.1}, {0.8, 0.1}, {0.5, 0.9}},  // south
    {{0.9, 0.2}, {0.9, 0.8}, {0.1, 0.5}},  // west
    {{0.2, 0.9}, {0.8, 0.9}, {0.5, 0.1}},  // north
    {{0.1, 0.2}, {0.1, 0.8}, {0.9, 0.5}},  // east
};

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

// Lines one pixel wide are drawn as lines (metafiles and SVG keep them as such); wider
// ones as bars from the line's points to the right and down, so that the squares
// between them stay exactly inside.
void GridLine(QPainter& p, QPoint a, QPoint b, int line, QColor grid) {
  if (line == 1) {
    p.setPen(QPen(grid, 1));
    p.drawLine(a, b);
  } else {
    p.fillRect(QRect(a, b + QPoint(line - 1, line - 1)), grid);
  }
}

// Fills the cell's inner square, from just inside its grid lines (`line` pixels wide)
// to just before the next ones, with an outline of that width.
void InnerSquare(QPainter& p, QPoint topLeft, QPoint bottomRight, int line, QColor fill, QColor outline) {
  const QRect outer(topLeft + QPoint(line, line), bottomRight - QPoint(1, 1));
  if (line == 1) {
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    p.drawRect(outer.adjusted(0, 0, -1, -1));  // the outline covers both edges
  } else {
    p.fillRect(outer, outline);
    p.fillRect(outer.adjusted(line, line, -line, -line), fill);
  }
}

}  // namespace

TWeltView2D::TWeltView2D(TWelt& welt) : welt_(welt) {}

QPoint TWeltView2D::Project2D(double x, double y) { return Project2D(x, y, TViewScale{}); }

QPoint TWeltView2D::Project2D(double x, double y, TViewScale scale) {
  return QPoint(scale.Map(kCell * x + kOriginX), scale.Map(kCell * y + kOriginY));
}

QPoint TWeltView2D::CellAt2D(int px, int py) {
  // Integer division truncates toward zero: the pixels left of or above the origin
  // still count as column 0 or row 0.
  return QPoint((px - kOriginX) / kCell, (py - kOriginY) / kCell);
}

QPoint TWeltView2D::CellAt2D(QPoint device, TViewScale scale) {
  const QPoint model = scale.ToModel(device);
  return CellAt2D(model.x(), model.y());
}

void TWeltView2D::ComputeGeometry2D() {
  size_ = QSize(kCell * welt_.Room.Width() + 10, kCell * welt_.Room.Length() + 31);
}

QRect TWeltView2D::CellsRect(int x1, int y1, int x2, int y2) {
  return QRect(Project2D(x1, y1), Project2D(x2, y2));
}

void TWeltView2D::SetColors(const TWorldColors& colors) {
  colors_ = &colors;
  RedrawAll();
}

int TWeltView2D::LineWidth(TViewScale scale) const { return std::max(scale.LineWidth(), colors_->MinLine); }

void TWeltView2D::PaintCells2D(QPainter& p, int x1, int y1, int x2, int y2, TViewScale scale) const {
  const int line = LineWidth(scale);
  const QRect block(Project2D(x1, y1, scale), Project2D(x2, y2, scale) + QPoint(line, line));
  PaintCellsIn(p, x1, y1, x2, y2, scale, block);
}

void TWeltView2D::PaintCellsIn(QPainter& p, int x1, int y1, int x2, int y2, TViewScale scale,
                               const QRect& area) const {
  const TRaum& room = welt_.Room;
  const TTumbo& robot = welt_.Robot;
  const QColor back = BackColorOf(robot);
  const TWorldColors& colors = *colors_;
  auto at = [scale](double x, double y) { return Project2D(x, y, scale); };
  const int line = LineWidth(scale);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);

  // Clear the block, grid lines included (the right and bottom lines are drawn again).
  const QPoint a = at(x1, y1), b = at(x2, y2);
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawRect(QRect(a, b - QPoint(1, 1)));

  // Only the lines and cells that reach into the area: the cells around it are part of
  // the block for their shared grid lines, their contents lie outside.
  p.setBrush(Qt::NoBrush);
  for (int x = x1; x <= x2; ++x) {
    const int left = at(x, 0).x();
    if (left + line > area.left() && left <= area.right()) GridLine(p, at(x, y1), at(x, y2), line, colors.Grid);
  }
  for (int y = y1; y <= y2; ++y) {
    const int top = at(0, y).y();
    if (top + line > area.top() && top <= area.bottom()) GridLine(p, at(x1, y), at(x2, y), line, colors.Grid);
  }

  const int cell = at(1, 0).x() - at(0, 0).x();
  const QFont countFont = CountFont(cell / 2);
  for (int x = x1; x < x2; ++x) {
    for (int y = y1; y < y2; ++y) {
      const QPoint pt = at(x, y), q = at(x + 1, y + 1);
      if (!QRect(pt, q).intersects(area)) continue;
      // A mark under a stack or a cuboid is a frame around it, so both show.
      const bool marked = room.HasMark(x, y);
      const uint8_t ground = room.ContentAt(x, y, 0);
      QPoint inset(0, 0);
      if (marked) {
        InnerSquare(p, pt, q, line, colors.MarkFill, colors.MarkLine);
        if (ground == kZiegel || ground == kQuader) inset = QPoint(1, 1) * std::max(3 * line, cell / 6);
      }
      if (ground == kZiegel) {
        InnerSquare(p, pt + inset, q - inset, line, colors.BrickFill, colors.BrickLine);
        const QString count = QString::number(room.BrickCount(x, y));
        p.setFont(countFont);
        const QFontMetrics fm(countFont, p.device());
        const int tx = pt.x() + (cell - fm.horizontalAdvance(count)) / 2;
        const int ty = pt.y() + (cell - fm.height()) / 2;
        p.setPen(colors.BrickCount);
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(colors.BrickFill);
        p.drawText(QPoint(tx, ty + fm.ascent()), count);
        p.setBackgroundMode(Qt::TransparentMode);
      } else if (ground == kQuader) {
        InnerSquare(p, pt + inset, q - inset, line, colors.CuboidFill, colors.CuboidLine);
      }
      if (robot.X == x && robot.Y == y) {
        const auto& tri = kTriangle[robot.Heading & 3];
        QPoint corners[3];
        for (int i = 0; i < 3; ++i) corners[i] = at(x + tri[i][0], y + tri[i][1]);
        // A strong outline keeps the robot apart from a dark brick under it.
        p.setPen(colors.RobotOutline == colors.Robot ? QPen(colors.Robot, 1)
                                                     : QPen(colors.RobotOutline, line, Qt::SolidLine, Qt::RoundCap,
                                                            Qt::RoundJoin));
        p.setBrush(colors.Robot);
        p.drawPolygon(corners, 3);
      }
    }
  }
  p.restore();
}

void TWeltView2D::Paint(QPainter& p, const QRect& exposed, TViewScale scale) const {
  const TRaum& room = welt_.Room;
  const QRect model = scale.IsOne() ? exposed : scale.ToModelOutward(exposed);
  ForgetPaintedChanges(model);
  p.save();
  p.setClipRect(exposed);
  p.fillRect(exposed, BackColorOf(welt_.Robot));
  // Cells whose square (grid lines included) meets the exposed rectangle.
  const int x1 = std::max(0, (model.left() - kOriginX) / kCell - 1);
  const int y1 = std::max(0, (model.top() - kOriginY) / kCell - 1);
  const int x2 = std::min(room.Width(), (model.right() - kOriginX) / kCell + 1);
  const int y2 = std::min(room.Length(), (model.bottom() - kOriginY) / kCell + 1);
  if (x1 < x2 && y1 < y2) PaintCellsIn(p, x1, y1, x2, y2, scale, exposed);
  p.restore();
}

void TWeltView2D::ForgetPaintedChanges(const QRect& area) const {
  const TRaum& room = welt_.Room;
  if (room.AllDirty()) return;  // the next update repaints everything anyway
  for (const TZellPos& c : room.DirtyCells())
    if (CellsRect(c.X, c.Y, c.X + 1, c.Y + 1).intersects(area)) shown_.Forget(room, c.X, c.Y);
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
  TDirtyRects changed;
  for (const TZellPos& c : room.DirtyCells()) {
    const auto& dirty = room.Cell(c.X, c.Y).Dirty;
    // A cell left as it was last shown (the robot walked through it) needs no paint.
    if (std::any_of(dirty.begin(), dirty.end(), [](bool d) { return d; }) &&
        shown_.Update(room, welt_.Robot, c.X, c.Y).Changed())
      changed.Add(CellsRect(c.X, c.Y, c.X + 1, c.Y + 1));
  }
  room.ClearDirty();
  if (repaint_)
    for (const QRect& r : changed.Rects()) repaint_(r);
}

void TWeltView2D::RedrawAll() {
  shown_.Reset(welt_.Room, welt_.Robot);
  if (repaint_) repaint_(QRect(QPoint(0, 0), size_));
  welt_.Room.ClearDirty();
}
