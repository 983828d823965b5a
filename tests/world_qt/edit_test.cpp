// Mouse editing in the 2D view: the cell under the pixel gets or loses the tool's item,
// by the room's and the robot's rules.
#include <gtest/gtest.h>

#include "world_qt_support.h"

namespace {

// Middle pixel of a cell in the paint box.
QPoint Middle(int x, int y) { return TWeltView2D::Project2D(x + 0.5, y + 0.5); }

class Editing : public ::testing::Test {
protected:
  Editing() : views(welt, ImgsFolder()) { views.SetIs2D(true); }
  void Add(int x, int y, TWeltTool tool) { views.EditAdd(Middle(x, y).x(), Middle(x, y).y(), tool); }
  void Remove(int x, int y, TWeltTool tool) {
    views.EditRemove(Middle(x, y).x(), Middle(x, y).y(), tool);
  }
  TWelt welt;
  TWeltQt views;
};

TEST_F(Editing, BrickToolOnTheRobotsCellDoesNothingMarkToolMarksIt) {
  Add(0, 0, TWeltTool::Brick);
  Add(0, 0, TWeltTool::Cuboid);
  EXPECT_EQ(welt.Room.Height(0, 0), 0);
  Add(0, 0, TWeltTool::Mark);
  EXPECT_TRUE(welt.Room.HasMark(0, 0));
  Add(1, 0, TWeltTool::Brick);
  Add(1, 0, TWeltTool::Brick);
  EXPECT_EQ(welt.Room.BrickCount(1, 0), 2);
}

TEST_F(Editing, RobotToolHonoursMaxJumpOnTheTargetStackAlone) {
  for (int i = 0; i < 2; ++i) Add(3, 3, TWeltTool::Brick);
  for (int i = 0; i < 2; ++i) Add(1, 1, TWeltTool::Brick);
  welt.Robot.MaxJump = 1;
  Add(3, 3, TWeltTool::Robot);
  EXPECT_EQ(QPoint(welt.Robot.X, welt.Robot.Y), QPoint(0, 0));
  welt.Robot.MaxJump = 2;
  Add(3, 3, TWeltTool::Robot);
  EXPECT_EQ(QPoint(welt.Robot.X, welt.Robot.Y), QPoint(3, 3));
  // From a stack of 2 onto another stack of 2: the target's height counts, not the difference.
  welt.Robot.MaxJump = 1;
  Add(1, 1, TWeltTool::Robot);
  EXPECT_EQ(QPoint(welt.Robot.X, welt.Robot.Y), QPoint(3, 3));
  // Never onto a cuboid.
  welt.Robot.MaxJump = 5;
  Add(4, 4, TWeltTool::Cuboid);
  Add(4, 4, TWeltTool::Robot);
  EXPECT_EQ(QPoint(welt.Robot.X, welt.Robot.Y), QPoint(3, 3));
}

TEST_F(Editing, EitherRemoveToolTakesTheTopBrickOrTheWholeCuboid) {
  Add(2, 2, TWeltTool::Cuboid);
  Remove(2, 2, TWeltTool::Brick);
  EXPECT_EQ(welt.Room.Height(2, 2), 0);
  Add(2, 2, TWeltTool::Cuboid);
  Remove(2, 2, TWeltTool::Cuboid);
  EXPECT_EQ(welt.Room.Height(2, 2), 0);
  for (int i = 0; i < 3; ++i) Add(2, 3, TWeltTool::Brick);
  Remove(2, 3, TWeltTool::Cuboid);
  EXPECT_EQ(welt.Room.BrickCount(2, 3), 2);
  Add(2, 3, TWeltTool::Mark);
  Remove(2, 3, TWeltTool::Mark);
  EXPECT_FALSE(welt.Room.HasMark(2, 3));
}

TEST_F(Editing, RoomRulesRefuseSilently) {
  Add(1, 4, TWeltTool::Mark);
  Add(1, 4, TWeltTool::Cuboid);  // no cuboid on a marked cell
  EXPECT_EQ(welt.Room.Height(1, 4), 0);
  for (int i = 0; i < 8; ++i) Add(2, 4, TWeltTool::Brick);  // not above MaxHeight
  EXPECT_EQ(welt.Room.BrickCount(2, 4), 6);
  Add(3, 4, TWeltTool::Cuboid);
  Add(3, 4, TWeltTool::Brick);  // nothing on a cuboid
  EXPECT_EQ(welt.Room.BrickCount(3, 4), 0);
  EXPECT_EQ(welt.Room.ContentAt(3, 4, 0), kQuader);
}

TEST_F(Editing, ClicksOutsideTheRoomDoNothing) {
  const std::string before = welt.SaveToText();
  // Below the last row, right of the last column (the pixels of the paint box's margin).
  for (QPoint p : {QPoint(50, 315), QPoint(155, 100), QPoint(159, 330)}) {
    views.EditAdd(p.x(), p.y(), TWeltTool::Brick);
    views.EditAdd(p.x(), p.y(), TWeltTool::Robot);
    views.EditRemove(p.x(), p.y(), TWeltTool::Mark);
  }
  EXPECT_EQ(welt.SaveToText(), before);
  // Just left of and above the origin still hits cell (0, 0).
  views.EditAdd(0, 0, TWeltTool::Mark);
  EXPECT_TRUE(welt.Room.HasMark(0, 0));
}

TEST_F(Editing, AnEditRedrawsTheView) {
  std::vector<QRect> rects;
  views.View2D().SetRepaintHook([&](const QRect& r) { rects.push_back(r); });
  Add(2, 5, TWeltTool::Brick);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_TRUE(rects[0].contains(Middle(2, 5)));
  EXPECT_FALSE(welt.Room.AnyDirty());
}

}  // namespace
