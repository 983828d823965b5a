// The 3D view: geometry, background, and where the pictures land.
#include <gtest/gtest.h>

#include "world_qt_support.h"

namespace {

const QColor kBlue(0, 0, 255);

struct GeometryCase {
  int w, l, h;
  int width, height, offX, offY;
};

class Geometry3D : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(Geometry3D, ViewSizeAndOffsets) {
  const GeometryCase c = GetParam();
  TWelt welt(c.w, c.l, c.h);
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  EXPECT_EQ(v.Size(), QSize(c.width, c.height));
  EXPECT_EQ(v.OffX(), c.offX);
  EXPECT_EQ(v.OffY(), c.offY);
  EXPECT_EQ(v.Image().size(), v.Size());
  EXPECT_EQ(v.Background().size(), v.Size());
  // The corners of the floor and the top of the walls lie inside the view, 50 pixels
  // free above the back wall.
  EXPECT_EQ(v.Project3D(0, c.l, 0), QPoint(0, c.height - 1));
  EXPECT_EQ(v.Project3D(c.w, 0, 0).x(), c.width - 1);
  EXPECT_EQ(v.Project3D(0, 0, c.h).y(), 50);
}

INSTANTIATE_TEST_SUITE_P(Rooms, Geometry3D,
                         ::testing::Values(GeometryCase{5, 10, 6, 301, 291, 150, 140},
                                           GeometryCase{1, 1, 0, 46, 66, 15, 50},
                                           GeometryCase{11, 3, 6, 376, 186, 45, 140},
                                           GeometryCase{100, 100, 10, 4501, 1701, 1500, 200}),
                         [](const auto &info) {
                           const GeometryCase &c = info.param;
                           return std::to_string(c.w) + "x" + std::to_string(c.l) + "x" + std::to_string(c.h);
                         });

TEST(View3D, StartWorldCornersAndProjection) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  EXPECT_EQ(v.Project3D(0, 0, 0), QPoint(150, 140));
  EXPECT_EQ(v.Project3D(0, 10, 0), QPoint(0, 290));
  EXPECT_EQ(v.Project3D(1, 0, 0), QPoint(180, 140));   // a cell is 30 wide
  EXPECT_EQ(v.Project3D(0, 1, 0), QPoint(135, 155));   // a row south: 15 left, 15 down
  EXPECT_EQ(v.Project3D(0, 0, 1), QPoint(150, 125));   // a level up: 15 up
  // Halves round up: the robot's anchor in the start cell.
  EXPECT_EQ(v.Project3D(0.1, 0.7, 0), QPoint(143, 151));
}

TEST(View3D, RobotAnchorKeepsItsPlaceInEveryCell) {
  TWelt welt(100, 100, 10);
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 100; ++y)
      for (int z : {0, 7}) {
        const QPoint d = v.Project3D(x + 0.1, y + 0.7, z) - v.Project3D(x, y + 1, z);
        ASSERT_EQ(d, QPoint(8, -4)) << x << "," << y << "," << z;
      }
}

TEST(View3D, BackgroundHasGridWallsAndArrow) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  const QImage& bg = v.Background();
  // Floor grid: corners and the middle of grid lines.
  for (QPoint p : {v.Project3D(0, 0, 0), v.Project3D(0, 10, 0), v.Project3D(5, 10, 0),
                   v.Project3D(5, 0, 0), v.Project3D(2.5, 4, 0), v.Project3D(3, 6.2, 0)})
    EXPECT_EQ(At(bg, p), kBlue) << p.x() << "," << p.y();
  // Inside a floor cell: background.
  EXPECT_EQ(At(bg, v.Project3D(2.5, 4.5, 0)), Qt::white);
  // Top corners of the walls (dash-dot lines start with a dash).
  EXPECT_EQ(At(bg, v.Project3D(0, 0, 6)), kBlue);
  EXPECT_EQ(At(bg, v.Project3D(5, 0, 6)), kBlue);
  // The north arrow two columns west: its tip and the middle of its shaft.
  const QPoint a = v.Project3D(-2, 0, 6), b = v.Project3D(-2, 2, 6);
  EXPECT_EQ(At(bg, a), kBlue);
  EXPECT_EQ(At(bg, (a + b) / 2), kBlue);
  // The "N" right of the tip.
  int blue = 0;
  for (int y = a.y() - 12; y < a.y() + 4; ++y)
    for (int x = a.x() + 5; x < a.x() + 20; ++x) blue += At(bg, QPoint(x, y)) == kBlue;
  EXPECT_GT(blue, 5);
  // The shown picture starts as the background (the start world is empty but the robot).
  EXPECT_EQ(At(v.Image(), v.Project3D(4.5, 9.5, 0)), Qt::white);
}

// Blue pixels above and left of the left wall's top edge: the arrow and its "N".
int ArrowPixels(int length) {
  TWelt welt(5, length, 6);
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  const QPoint wallTop = v.Project3D(0, 0, 6);  // the edge runs down-left from here at 45 degrees
  int blue = 0;
  for (int y = 0; y < v.Size().height(); ++y)
    for (int x = 0; x < wallTop.x(); ++x)
      if (y < wallTop.y() + (wallTop.x() - x) - 2 && At(v.Background(), QPoint(x, y)) == kBlue) ++blue;
  return blue;
}

TEST(View3D, NorthArrowIsCutOffInShortRooms) {
  const int full = ArrowPixels(10), cut = ArrowPixels(5), none = ArrowPixels(3);
  EXPECT_GT(full, 30);
  EXPECT_GT(cut, 5);
  EXPECT_LT(cut, full);
  EXPECT_EQ(none, 0);
}

TEST(View3D, RobotStandsOnItsCellCentredAndBehindTheFrontEdge) {
  TWelt welt;
  for (int i = 0; i < 3; ++i) welt.Room.AddItem(2, 3, kZiegel);
  welt.Robot.X = 2;
  welt.Robot.Y = 3;
  for (uint8_t heading = 0; heading < 4; ++heading) {
    welt.Robot.Heading = heading;
    TWeltQt views(welt, ImgsFolder());
    const QImage& pic = views.Pictures().Robot[heading];
    const QPoint p = views.View3D().Project3D(2.1, 3.7, 3);
    const QPoint topLeft(p.x() - (pic.width() - 30) / 2, p.y() - pic.height());
    EXPECT_TRUE(DrawnAt(views.View3D().Image(), pic, topLeft)) << int(heading);
  }
}

TEST(View3D, BricksStackLevelByLevelAndTheMarkLiesOnTop) {
  TWelt welt;
  for (int i = 0; i < 3; ++i) welt.Room.AddItem(1, 1, kZiegel);
  welt.Room.SetMark(1, 1);
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  const TWeltPictures& pics = views.Pictures();
  // The top brick and the mark at level 3, both anchored with their bottom-left
  // corner on the front-left corner of the cell at their level.
  const QPoint brick2 = v.Project3D(1, 2, 2), mark = v.Project3D(1, 2, 3);
  // (The mark covers the top brick's top face; its front face shows.)
  const int h = pics.BrickPicture.height();
  EXPECT_TRUE(DrawnAt(v.Image(), pics.BrickPicture.copy(0, 16, pics.BrickPicture.width(), h - 16),
                      brick2 - QPoint(0, h - 16)));
  EXPECT_TRUE(DrawnAt(v.Image(), pics.MarkPicture, mark - QPoint(0, pics.MarkPicture.height())));

  // The robot on the same cell is drawn after (over) the mark.
  welt.Robot.X = 1;
  welt.Robot.Y = 1;
  welt.RedrawAll();
  const QImage& robot = pics.Robot[0];
  const QPoint p = v.Project3D(1.1, 1.7, 3);
  EXPECT_TRUE(DrawnAt(v.Image(), robot, QPoint(p.x() - (robot.width() - 30) / 2, p.y() - robot.height())));
}

TEST(View3D, CuboidIsOnePictureAnchoredOnTheFloor) {
  TWelt welt;
  welt.Room.AddItem(3, 5, kQuader);
  TWeltQt views(welt, ImgsFolder());
  const TWeltView3D& v = views.View3D();
  const QImage& pic = views.Pictures().CuboidPicture;
  EXPECT_TRUE(DrawnAt(v.Image(), pic, v.Project3D(3, 6, 0) - QPoint(0, pic.height())));
  // A cuboid with a mark in a room of height 0: the mark on its top is still drawn.
  TWelt low(3, 3, 0);
  low.Room.AddItem(1, 1, kQuader);
  low.Room.SetMark(1, 1);
  TWeltQt lowViews(low, ImgsFolder());
  const QImage& mark = lowViews.Pictures().MarkPicture;
  EXPECT_TRUE(DrawnAt(lowViews.View3D().Image(), mark,
                      lowViews.View3D().Project3D(1, 2, 2) - QPoint(0, mark.height())));
}

TEST(View3D, RobotOnAFullStackStaysInsideTheView) {
  TWelt welt;
  for (int i = 0; i < 6; ++i) welt.Room.AddItem(0, 0, kZiegel);
  TWeltQt views(welt, ImgsFolder());
  const QImage& pic = views.Pictures().Robot[0];
  const QPoint p = views.View3D().Project3D(0.1, 0.7, 6);
  EXPECT_GE(p.y() - pic.height(), 0);
  EXPECT_TRUE(DrawnAt(views.View3D().Image(), pic,
                      QPoint(p.x() - (pic.width() - 30) / 2, p.y() - pic.height())));
}

TEST(View3D, NewWorldResizesViewAndBackground) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  welt.NewWorld(7, 4, 3);
  EXPECT_EQ(views.View3D().Size(), QSize(30 * 7 + 15 * 4 + 1, 15 * 4 + 15 * 3 + 51));
  EXPECT_EQ(views.View3D().Image().size(), views.View3D().Size());
  EXPECT_EQ(views.View3D().Background().size(), views.View3D().Size());
  EXPECT_EQ(At(views.View3D().Background(), views.View3D().Project3D(0, 4, 0)), QColor(0, 0, 255));
}

}  // namespace
