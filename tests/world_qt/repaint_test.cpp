// Partial repaints: after any sequence of robot actions and edits, the picture the
// updates leave equals a full repaint of the same world; an update repaints only the box
// around what changed.
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "world_qt_support.h"

namespace {

// The same world drawn from scratch by views of its own; `shown` stays the world's view.
QImage Fresh3D(TWelt& welt, TWeltQt& shown) {
  QImage img;
  {
    TWeltQt fresh(welt, ImgsFolder());
    img = fresh.View3D().Image().copy();
  }
  welt.SetView(&shown);
  return img;
}

QImage Fresh2D(TWelt& welt, TWeltQt& shown) {
  QImage img;
  {
    TWeltQt fresh(welt, ImgsFolder());
    img = QImage(fresh.View2D().Size(), QImage::Format_RGB32);
    QPainter p(&img);
    fresh.View2D().Paint(p, img.rect());
  }
  welt.SetView(&shown);
  return img;
}

// One random robot action or mouse edit.
void RandomAction(TWelt& welt, std::mt19937& rng) {
  TTumbo& r = welt.Robot;
  const int kind = int(rng() % 12);
  const int x = int(rng() % uint32_t(welt.Room.Width())), y = int(rng() % uint32_t(welt.Room.Length()));
  switch (kind) {
    case 0: case 1: case 2: r.Schritt(1); break;
    case 3: r.LinksDrehen(); break;
    case 4: r.RechtsDrehen(); break;
    case 5: r.Hinlegen(1 + int(rng() % 2)); break;
    case 6: r.Aufheben(1); break;
    case 7: r.IstMarke() ? r.MarkeLoeschen() : r.MarkeSetzen(); break;
    case 8: r.QuaderAufstellen(); break;
    case 9: r.QuaderEntfernen(); break;
    case 10: welt.EditAddCell(x, y, TWeltTool(rng() % 4)); return;
    default: welt.EditRemoveCell(x, y, TWeltTool(rng() % 3)); return;
  }
  welt.UpdateView();
}

struct RoomCase {
  int w, l, h;
  unsigned seed;
};

class PartialRepaint : public ::testing::TestWithParam<RoomCase> {};

TEST_P(PartialRepaint, In3DEqualsAFullRepaint) {
  const RoomCase c = GetParam();
  TWelt welt(c.w, c.l, c.h);
  welt.Robot.MaxJump = 3;
  TWeltQt views(welt, ImgsFolder());
  std::mt19937 rng(c.seed);
  for (int i = 0; i < 250; ++i) {
    RandomAction(welt, rng);
    ASSERT_EQ(DifferingPixels(views.View3D().Image(), Fresh3D(welt, views)), 0) << "after action " << i;
  }
}

TEST_P(PartialRepaint, In2DEqualsAFullRepaint) {
  const RoomCase c = GetParam();
  TWelt welt(c.w, c.l, c.h);
  welt.Robot.MaxJump = 3;
  TWeltQt views(welt, ImgsFolder());
  // The paint box's picture, painted only where the view asks for it.
  QImage shown(views.View2D().Size(), QImage::Format_RGB32);
  shown.fill(Qt::magenta);
  views.View2D().SetRepaintHook([&](const QRect& r) {
    QPainter p(&shown);
    views.View2D().Paint(p, r);
  });
  views.SetIs2D(true);
  std::mt19937 rng(c.seed);
  for (int i = 0; i < 250; ++i) {
    RandomAction(welt, rng);
    ASSERT_EQ(DifferingPixels(shown, Fresh2D(welt, views)), 0) << "after action " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Rooms, PartialRepaint,
                         ::testing::Values(RoomCase{5, 10, 6, 1}, RoomCase{3, 4, 2, 2},
                                           RoomCase{8, 6, 3, 3}, RoomCase{2, 2, 0, 4}),
                         [](const auto &info) {
                           const RoomCase &c = info.param;
                           return std::to_string(c.w) + "x" + std::to_string(c.l) + "x" + std::to_string(c.h);
                         });

// The rectangles a view asks to repaint.
struct Recorder {
  std::vector<QRect> rects;
  void Attach(TWeltView3D& v) {
    v.SetRepaintHook([this](const QRect& r) { rects.push_back(r); });
  }
};

// A changed cell repaints the pictures by which it differs, a pixel to spare around them.
QRect Spared(const QRect& r) { return r.adjusted(-1, -1, 1, 1); }

TEST(UpdateBox, TurningRepaintsOnlyTheRobotsPicture) {
  TWelt welt;
  welt.Robot.X = 2;
  welt.Robot.Y = 4;
  TWeltQt views(welt, ImgsFolder());
  Recorder rec;
  rec.Attach(views.View3D());
  const QRect before = views.View3D().RobotPictureRect();
  welt.Robot.LinksDrehen();
  welt.UpdateView();
  ASSERT_EQ(rec.rects.size(), 1u);
  EXPECT_EQ(rec.rects[0], Spared(before | views.View3D().RobotPictureRect()));
  EXPECT_FALSE(welt.Room.AnyDirty());

  // Nothing changed: nothing is painted.
  welt.UpdateView();
  EXPECT_EQ(rec.rects.size(), 1u);
}

TEST(UpdateBox, AStepRepaintsTheRobotWhereItStoodAndWhereItStands) {
  TWelt welt;
  welt.Robot.X = 1;
  welt.Robot.Y = 2;
  welt.Robot.Heading = kOsten;
  TWeltQt views(welt, ImgsFolder());
  Recorder rec;
  rec.Attach(views.View3D());
  const QRect before = views.View3D().RobotPictureRect();
  welt.Robot.Schritt(1);
  welt.UpdateView();
  const QRect after = views.View3D().RobotPictureRect();
  ASSERT_FALSE(rec.rects.empty());
  QRect named;
  for (const QRect& r : rec.rects) named |= r;
  EXPECT_EQ(named, Spared(before) | Spared(after));
}

TEST(UpdateBox, ABrickOnAStackRepaintsTheNewBrickAndWhatMovedUp) {
  TWelt welt;
  for (int i = 0; i < 2; ++i) welt.Room.AddItem(3, 3, kZiegel);
  welt.Room.SetMark(3, 3);
  TWeltQt views(welt, ImgsFolder());
  Recorder rec;
  rec.Attach(views.View3D());
  const TWeltView3D& v = views.View3D();
  auto at = [&](const QImage& pic, int z) {
    const QPoint f = v.Project3D(3, 4, z);
    return QRect(f.x(), f.y() - pic.height(), pic.width(), pic.height());
  };
  welt.Room.AddItem(3, 3, kZiegel);
  welt.UpdateView();
  ASSERT_EQ(rec.rects.size(), 1u);
  const TWeltPictures& pics = views.Pictures();
  EXPECT_EQ(rec.rects[0], Spared(at(pics.BrickPicture, 2) | at(pics.MarkPicture, 2) | at(pics.MarkPicture, 3)));
}

TEST(UpdateBox, TwoDimensionalUpdateAsksForEachDirtyCellApart) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  views.SetIs2D(true);
  std::vector<QRect> rects;
  views.View2D().SetRepaintHook([&](const QRect& r) { rects.push_back(r); });
  welt.Room.AddItem(1, 2, kZiegel);
  welt.Room.SetMark(3, 5);
  welt.UpdateView();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0], TWeltView2D::CellsRect(1, 2, 2, 3));
  EXPECT_EQ(rects[1], TWeltView2D::CellsRect(3, 5, 4, 6));
}

TEST(UpdateBox, TwoDimensionalCellsSideBySideAreJoined) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  views.SetIs2D(true);
  std::vector<QRect> rects;
  views.View2D().SetRepaintHook([&](const QRect& r) { rects.push_back(r); });
  for (int x = 1; x <= 3; ++x) welt.Room.SetMark(x, 4);
  welt.UpdateView();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], TWeltView2D::CellsRect(1, 4, 4, 5));
}

TEST(UpdateBox, AWalkAlongTwoSidesOfALargeRoomRepaintsWhereItStartedAndWhereItStands) {
  TWelt welt(100, 100, 10);
  welt.Robot.Heading = kOsten;
  TWeltQt views(welt, ImgsFolder());
  Recorder rec;
  rec.Attach(views.View3D());
  for (int i = 0; i < 99; ++i) welt.Robot.Schritt(1);
  welt.Robot.RechtsDrehen();
  for (int i = 0; i < 99; ++i) welt.Robot.Schritt(1);
  welt.UpdateView();
  ASSERT_FALSE(rec.rects.empty());
  int64_t painted = 0;
  for (const QRect& r : rec.rects) painted += int64_t(r.width()) * r.height();
  const QSize all = views.View3D().Size();
  EXPECT_LT(painted, int64_t(all.width()) * all.height() / 500);
  auto repainted = [&](QPoint cell) {
    const QPoint f = views.View3D().Project3D(cell.x() + 0.5, cell.y() + 0.5, 0);
    return std::any_of(rec.rects.begin(), rec.rects.end(), [&](const QRect& r) { return r.contains(f); });
  };
  EXPECT_TRUE(repainted(QPoint(0, 0)));
  EXPECT_TRUE(repainted(QPoint(99, 99)));
  // The cells it only walked through look as they did before.
  for (QPoint cell : {QPoint(50, 0), QPoint(99, 0), QPoint(99, 50)})
    EXPECT_FALSE(repainted(cell)) << cell.x() << "," << cell.y();
}

TEST(UpdateBox, WidgetsShowWhatTheViewsPaint) {
  TWelt welt;
  for (int i = 0; i < 2; ++i) welt.Room.AddItem(1, 1, kZiegel);
  TWeltQt views(welt, ImgsFolder());
  QWidget parent;
  views.CreateWidgets(&parent);
  ASSERT_NE(views.Image3D(), nullptr);
  EXPECT_EQ(views.Image3D()->size(), views.View3D().Size());
  EXPECT_EQ(views.PaintBox2D()->size(), views.View2D().Size());
  EXPECT_FALSE(views.PaintBox2D()->isVisibleTo(&parent));
  EXPECT_EQ(DifferingPixels(views.Image3D()->grab().toImage(), views.View3D().Image()), 0);

  views.SetIs2D(true);
  EXPECT_TRUE(views.PaintBox2D()->isVisibleTo(&parent));
  EXPECT_FALSE(views.Image3D()->isVisibleTo(&parent));
  EXPECT_EQ(DifferingPixels(views.PaintBox2D()->grab().toImage(), Fresh2D(welt, views)), 0);
}

}  // namespace
