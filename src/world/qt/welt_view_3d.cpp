#include "world/qt/welt_view_3d.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "world/qt/line_in_area.h"
#include "world/qt/welt_colors.h"
#include "world/welt.h"

namespace {

// Nearest integer, halves upward. The tolerance keeps values such as 15 * (y + 0.7),
// which binary fractions make a hair less than a half, rounding like exact halves.
int RoundHalfUp(double v) { return int(std::floor(v + 0.5 + 1e-9)); }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The indices i of 0..n whose line lies at base + step * i, for the lines between lo and
// hi, with one to spare on either side (first > last when there are none).
std::pair<int, int> LineSpan(int lo, int hi, int base, int step, int n) {
  return {std::max(0, FloorDiv(lo - base, step) - 1), std::min(n, FloorDiv(hi - base, step) + 1)};
}

// The highest level that can show something: the robot and the mark stand on level
// Height, at most MaxHeight for a stack, 2 on a cuboid (even in a room lower than that).
int TopLevel(const TRaum& room) { return std::min(std::max(room.MaxHeight(), 2), kLevels - 1); }

}  // namespace

TWeltView3D::TWeltView3D(TWelt& welt, const TWeltPictures& pictures)
    : welt_(welt), pictures_(pictures) {}

QPoint TWeltView3D::Project3D(double x, double y, double z) const {
  return QPoint(RoundHalfUp(30.0 * x - 15.0 * y + offX_), RoundHalfUp(15.0 * y - 15.0 * z + offY_));
}

void TWeltView3D::ComputeGeometry3D() {
  const TRaum& room = welt_.Room;
  const int w = room.Width(), l = room.Length(), h = room.MaxHeight();
  offX_ = 15 * l;
  offY_ = 15 * h + 50;
  size_ = QSize(30 * w + 15 * l + 1, 15 * l + 15 * h + 51);
  if (image_.size() != size_) image_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
  ComputeReach();
}

void TWeltView3D::ComputeReach() {
  // A level's pictures relative to the front-left corner F of its cell: bricks, marks
  // and the cuboid have their bottom-left corner at F; the robot stands on
  // Project3D(X + 0.1, Y + 0.7, z), centred on a 30-pixel span.
  QRect reach(0, 0, 1, 1);
  for (const QImage* pic : {&pictures_.BrickPicture, &pictures_.MarkPicture, &pictures_.CuboidPicture})
    reach |= QRect(0, -pic->height(), pic->width(), pic->height());
  const QPoint f = Project3D(0, 1, 0);
  for (const QImage& pic : pictures_.Robot) {
    const QPoint p = Project3D(0.1, 0.7, 0);
    reach |= QRect(p.x() - (pic.width() - 30) / 2 - f.x(), p.y() - pic.height() - f.y(),
                   pic.width(), pic.height());
  }
  reach_ = reach;
}

void TWeltView3D::SetColors(const TWorldColors& colors) {
  colors_ = &colors;
  RebuildBackground();
  RedrawAll();
}

void TWeltView3D::ClearView() {
  image_.fill(BackColorOf(welt_.Robot));
  stale_.clear();
  allStale_ = false;
  if (repaint_) repaint_(QRect(QPoint(0, 0), size_));
}

void TWeltView3D::RebuildBackground() {
  background_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
  DrawBackground(background_);
}

void TWeltView3D::DrawBackground(QImage& target) const {
  target.fill(BackColorOf(welt_.Robot));
  QPainter p(&target);
  DrawLines(p, TViewScale{}, target.rect());
}

// Grid, walls, arrow and "N" at a scale; lines that cannot touch `area` are skipped.
void TWeltView3D::DrawLines(QPainter& p, TViewScale scale, const QRect& area) const {
  const TRaum& room = welt_.Room;
  const int w = room.Width(), l = room.Length(), h = room.MaxHeight();
  const int width = std::max(scale.LineWidth(), colors_->MinLine);
  const QColor grid = colors_->Grid;
  const QRect reach = area.adjusted(-width - 1, -width - 1, width + 1, width + 1);
  auto line = [&](QPoint a, QPoint b) { DrawLineIn(p, scale.Map(a), scale.Map(b), reach, false); };
  auto dashed = [&](QPoint a, QPoint b) { DrawLineIn(p, scale.Map(a), scale.Map(b), reach, true); };
  p.setRenderHint(QPainter::Antialiasing, false);

  // Only the lines of each family that may pass the area are visited, so a small area
  // costs the same in any room. In view pixels at scale 1: row y's floor line lies at
  // 15y + OffY, column x's floor line at 30x + OffX - (v - OffY) for each height v on it,
  // and the back and left walls' uprights at 30x + OffX and OffX - 15y.
  const QRect m = scale.IsOne() ? reach : scale.ToModelOutward(reach);
  const int vTop = std::max(m.top(), offY_), vBottom = std::min(m.bottom(), offY_ + 15 * l);
  p.setPen(QPen(grid, width, Qt::SolidLine));
  for (auto [y, y1] = LineSpan(m.top(), m.bottom(), offY_, 15, l); y <= y1; ++y)
    line(Project3D(0, y, 0), Project3D(w, y, 0));
  if (vTop <= vBottom)
    for (auto [x, x1] = LineSpan(m.left() + vTop - offY_, m.right() + vBottom - offY_, offX_, 30, w); x <= x1; ++x)
      line(Project3D(x, 0, 0), Project3D(x, l, 0));

  p.setPen(QPen(grid, width, Qt::DashDotLine));
  for (auto [x, x1] = LineSpan(m.left(), m.right(), offX_, 30, w); x <= x1; ++x)
    dashed(Project3D(x, 0, 0), Project3D(x, 0, h));
  dashed(Project3D(w, 0, h), Project3D(0, 0, h));
  for (auto [y, y1] = LineSpan(offX_ - m.right(), offX_ - m.left(), 0, 15, l); y <= y1; ++y)
    dashed(Project3D(0, y, 0), Project3D(0, y, h));
  dashed(Project3D(0, l, h), Project3D(0, 0, h));

  p.setPen(QPen(grid, width, Qt::SolidLine));
  const QPoint a = Project3D(-2, 0, h), b = Project3D(-2, 2, h);
  line(b, a);
  line(QPoint(a.x() - 10, a.y() + 5), a);
  line(QPoint(a.x() - 5, a.y() + 10), a);

  const QPoint topLeft = scale.Map(QPoint(a.x() + 5, a.y() - 12));
  const QRect letter(topLeft, scale.Map(QSize(100, 100)));
  if (!letter.intersects(area)) return;
  // Arial where the system has it, else its metric twin that install-deps provides; drawn
  // without smoothing like the grid lines, so the letter is in the plain grid colour on any font engine.
  QFont font(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPointSize(10);
  font.setStyleStrategy(QFont::NoAntialias);
  p.setPen(QPen(grid, 1));
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBackground(BackColorOf(welt_.Robot));
  // The letter at the font's own size for the scale, so it is as sharp as any text.
  if (!scale.IsOne()) font.setPixelSize(std::max(1, int(QFontInfo(font).pixelSize() * scale.Factor + 0.5)));
  p.setFont(font);
  p.drawText(letter, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("N"));
  p.setBackgroundMode(Qt::TransparentMode);
}

QRect TWeltView3D::RobotRect(int z) const {
  const TTumbo& robot = welt_.Robot;
  return RobotRectAt(robot.X, robot.Y, z, robot.Heading & 3);
}

QRect TWeltView3D::RobotRectAt(int x, int y, int z, int heading) const {
  const QImage& pic = pictures_.Robot[size_t(heading)];
  const QPoint p = Project3D(x + 0.1, y + 0.7, z);
  return QRect(p.x() - (pic.width() - 30) / 2, p.y() - pic.height(), pic.width(), pic.height());
}

QRect TWeltView3D::PictureRect(const QImage& pic, int x, int y, int z) const {
  const QPoint f = Project3D(x, y + 1, z);
  return QRect(f.x(), f.y() - pic.height(), pic.width(), pic.height());
}

QRect TWeltView3D::RobotPictureRect() const {
  const TTumbo& robot = welt_.Robot;
  return RobotRect(welt_.Room.Contains(robot.X, robot.Y) ? welt_.Room.Cell(robot.X, robot.Y).Height : 0);
}

void TWeltView3D::PaintRegion3D(int l, int t, int r, int b) {
  const QRect region = QRect(QPoint(l, t), QPoint(r - 1, b - 1)).intersected(image_.rect());
  if (region.isEmpty()) return;
  PaintInto(image_, region);
  if (repaint_) repaint_(region);
}

void TWeltView3D::PaintInto(QImage& target, const QRect& region) const {
  ForgetPaintedChanges(region);
  QPainter p(&target);
  p.setClipRect(region);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(region.topLeft(), background_, region);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  PaintItems(p, region, TViewScale{});
}

void TWeltView3D::Paint(QPainter& p, const QRect& area, TViewScale scale) const {
  ForgetPaintedChanges(scale.IsOne() ? area : scale.ToModelOutward(area));
  p.save();
  p.setClipRect(area);
  p.fillRect(area, BackColorOf(welt_.Robot));
  DrawLines(p, scale, area);
  PaintItems(p, area, scale);
  p.restore();
}

const QImage& TWeltView3D::Image() const {
  if (allStale_) {
    PaintInto(image_, image_.rect());
  } else {
    for (const QRect& r : stale_) {
      const QRect region = r.intersected(image_.rect());
      if (!region.isEmpty()) PaintInto(image_, region);
    }
  }
  stale_.clear();
  allStale_ = false;
  return image_;
}

void TWeltView3D::Changed(const QRect& r) {
  // A long run that nobody looks at in the scale-1 picture: repaint it whole, once.
  constexpr size_t kMaxStale = 256;
  if (!allStale_) {
    if (stale_.size() < kMaxStale) {
      stale_.push_back(r);
    } else {
      stale_.clear();
      allStale_ = true;
    }
  }
  if (repaint_) repaint_(r);
}

// Draws, back to front (x, then y, then z ascending), every picture whose rectangle
// meets the region (device pixels at `scale`). Only the cells whose pictures can reach
// the region are visited: the cost follows the region's size and the room's height, not
// its width or length.
void TWeltView3D::PaintItems(QPainter& p, const QRect& region, TViewScale scale) const {
  const TRaum& room = welt_.Room;
  const TTumbo& robot = welt_.Robot;
  const TScaledPictures& pics = pictures_.ScaledFor(scale.Factor);
  const int top = TopLevel(room);
  // Region in view pixels at scale 1, as half-open bounds; a level's pictures lie in F + reach_.
  const QRect model = scale.IsOne() ? region : scale.ToModelOutward(region);
  const int l = model.left(), r = model.right() + 1, t = model.top(), b = model.bottom() + 1;
  const int rx0 = reach_.left(), rx1 = reach_.right() + 1, ry0 = reach_.top(), ry1 = reach_.bottom() + 1;

  // Rows whose levels 0..top can reach the region vertically: F.y = 15(y+1) - 15z + OffY
  // must lie in (t - ry1, b - ry0).
  const int yLo = std::max(0, FloorDiv(t - ry1 - offY_, 15) - 1);
  const int yHi = std::min(room.Length() - 1, FloorDiv(b - ry0 - offY_ + 15 * top, 15));
  if (yLo > yHi) return;
  // Columns: F.x = 30x - 15(y+1) + OffX must lie in (l - rx1, r - rx0).
  const int xLo = std::max(0, FloorDiv(l - rx1 + 15 * (yLo + 1) - offX_, 30));
  const int xHi = std::min(room.Width() - 1, FloorDiv(r - rx0 + 15 * (yHi + 1) - offX_, 30) + 1);

  // A picture with its bottom-left corner at the view point `at`, if it meets the region.
  auto draw = [&](const QImage& pic, QPoint at) {
    const QRect rect = scale.PlacePicture(at, pic.size());
    if (rect.intersects(region)) p.drawImage(rect.topLeft(), pic);
  };
  for (int x = xLo; x <= xHi; ++x) {
    // Rows of this column that reach the region horizontally.
    const int yA = std::max(yLo, FloorDiv(30 * x + offX_ - r + rx0, 15) - 1);
    const int yB = std::min(yHi, FloorDiv(30 * x + offX_ - l + rx1, 15));
    for (int y = yA; y <= yB; ++y) {
      const TZelle& cell = room.Cell(x, y);
      const bool robotHere = robot.X == x && robot.Y == y;
      const int zA = std::max(0, FloorDiv(15 * (y + 1) + offY_ - b + ry0, 15));
      // Nothing lies above the level of the mark and the robot.
      const int zB = std::min({top, int(cell.Height), FloorDiv(15 * (y + 1) + offY_ - t + ry1, 15) + 1});
      for (int z = zA; z <= zB; ++z) {
        const QPoint f = Project3D(x, y + 1, z);
        const uint8_t content = z < cell.Height ? cell.Content[size_t(z)] : 0;
        if (content == kZiegel) {
          draw(pics.BrickPicture, f);
        } else if (content == kQuader && z == 0) {
          draw(pics.CuboidPicture, f);  // one picture covering both levels of the cuboid
        }
        if (cell.Height == z) {
          if (cell.Mark) draw(pics.MarkPicture, f);
          if (robotHere) draw(pics.Robot[robot.Heading & 3], RobotRect(z).bottomLeft() + QPoint(0, 1));
        }
      }
    }
  }
}

// Everything a level of a cell shows lies in F + reach_; the usual pictures lie well inside
// the box from A to B raised by the robot's height.
QRect TWeltView3D::LevelArea(int x, int y, int z) const {
  const QPoint a = Project3D(x, y + 1, z), b = Project3D(x + 1, y, z);
  const int robotHeight = pictures_.Robot[0].height();
  const QRect level = QRect(QPoint(a.x(), b.y() - robotHeight), QPoint(b.x(), a.y())).united(reach_.translated(a));
  return level.adjusted(-10, -1, 9, 0).intersected(QRect(QPoint(0, 0), size_));
}

void TWeltView3D::UpdateView() {
  TRaum& room = welt_.Room;
  if (!room.AnyDirty()) return;
  if (room.AllDirty()) {
    RedrawAll();
    return;
  }
  TDirtyRects changed;
  for (const TZellPos& c : room.DirtyCells()) {
    // A cell left as it was last shown (the robot walked through it) needs no paint.
    const TShownCells::TChange change = shown_.Update(room, welt_.Robot, c.X, c.Y);
    if (!change.Changed()) continue;
    if (change.Before.Known()) {
      changed.Add(ChangedPictures(c.X, c.Y, change.Before, change.Now));
      continue;
    }
    const TZelle& cell = room.Cell(c.X, c.Y);
    for (int z = 0; z < kLevels; ++z)
      if (cell.Dirty[size_t(z)]) changed.Add(LevelArea(c.X, c.Y, z));
  }
  room.ClearDirty();
  for (const QRect& r : changed.Rects()) Changed(r);
}

// The pictures of a cell that one look draws and the other does not draw in the same place:
// outside them the cell's change leaves every pixel as it was.
QRect TWeltView3D::ChangedPictures(int x, int y, TCellLook before, TCellLook now) const {
  QRect area;
  const int hb = before.Height(), hn = now.Height();
  const bool bricksBefore = before.Kind() == kZiegel, bricksNow = now.Kind() == kZiegel;
  // Bricks on the levels [lo, hi) differ: the levels above the lower stack, or every
  // brick when only one look has a stack.
  const int lo = bricksBefore && bricksNow ? std::min(hb, hn) : 0;
  const int hi = std::max(bricksBefore ? hb : 0, bricksNow ? hn : 0);
  if (lo < hi)
    area |= PictureRect(pictures_.BrickPicture, x, y, lo) | PictureRect(pictures_.BrickPicture, x, y, hi - 1);
  if ((before.Kind() == kQuader) != (now.Kind() == kQuader)) area |= PictureRect(pictures_.CuboidPicture, x, y, 0);
  if (before.Mark() != now.Mark() || (now.Mark() && hb != hn)) {
    if (before.Mark()) area |= PictureRect(pictures_.MarkPicture, x, y, hb);
    if (now.Mark()) area |= PictureRect(pictures_.MarkPicture, x, y, hn);
  }
  if (before.Robot() != now.Robot() || (now.Robot() && (hb != hn || before.Heading() != now.Heading()))) {
    if (before.Robot()) area |= RobotRectAt(x, y, hb, before.Heading());
    if (now.Robot()) area |= RobotRectAt(x, y, hn, now.Heading());
  }
  if (area.isNull()) return area;
  // A pixel to spare for the rounding of pictures drawn at another scale.
  return area.adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(0, 0), size_));
}

void TWeltView3D::ForgetPaintedChanges(const QRect& area) const {
  const TRaum& room = welt_.Room;
  if (room.AllDirty()) return;  // the next update repaints everything anyway
  const int top = TopLevel(room);
  for (const TZellPos& c : room.DirtyCells())
    if (LevelArea(c.X, c.Y, 0).united(LevelArea(c.X, c.Y, top)).intersects(area)) shown_.Forget(room, c.X, c.Y);
}

void TWeltView3D::RedrawAll() {
  shown_.Reset(welt_.Room, welt_.Robot);
  stale_.clear();
  allStale_ = true;
  if (repaint_) repaint_(QRect(QPoint(0, 0), size_));
  welt_.Room.ClearDirty();
}
