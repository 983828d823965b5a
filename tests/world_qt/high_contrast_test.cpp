// The high-contrast colours of the world views, as pixels of known cells: a black grid at
// least two pixels wide, bricks, cuboids and marks apart in brightness as well as in hue,
// the robot outlined; the usual colours stay until the views are told otherwise.
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "world_qt_support.h"

namespace {

// Relative luminance (0 black .. 1 white), as contrast guidelines measure brightness.
double Luminance(QColor c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double ContrastRatio(QColor a, QColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class HighContrast2D : public ::testing::Test {
protected:
  HighContrast2D() {
    welt.Room.AddItem(1, 0, kZiegel);  // a brick, a cuboid and a mark side by side
    welt.Room.AddItem(2, 0, kQuader);
    welt.Room.SetMark(3, 0);
    welt.Room.AddItem(0, 1, kZiegel);  // the robot on a brick
    welt.Robot.PlaceAt(0, 1);
  }
  QImage Render() const {
    QImage img(views.View2D().Size(), QImage::Format_RGB32);
    QPainter p(&img);
    views.Paint2DTo(p);
    return img;
  }
  // A pixel inside a cell's fill: clear of its grid lines, outline and brick count.
  static QPoint InCell(int x, int y) { return TWeltView2D::Project2D(x, y) + QPoint(6, 6); }

  TWelt welt;
  TWeltQt views{welt, ImgsFolder()};
};

TEST_F(HighContrast2D, UsualColoursUntilSwitchedAndBackAfterwards) {
  const QImage usual = Render();
  EXPECT_EQ(At(usual, TWeltView2D::Project2D(0, 0) + QPoint(0, 5)), QColor(0, 0, 255));
  EXPECT_EQ(At(usual, InCell(1, 0)), QColor(205, 0, 0));
  views.SetColors(TWorldColors::HighContrast());
  EXPECT_GT(DifferingPixels(Render(), usual), 0);
  views.SetColors(TWorldColors::Usual());
  EXPECT_EQ(DifferingPixels(Render(), usual), 0);
}

TEST_F(HighContrast2D, BlackGridAtLeastTwoPixelsWide) {
  views.SetColors(TWorldColors::HighContrast());
  const QImage img = Render();
  // The vertical line between cells 3 and 4 of an empty row, and the horizontal one under it.
  const QPoint vertical = TWeltView2D::Project2D(4, 5) + QPoint(0, 10);
  EXPECT_EQ(At(img, vertical), QColor(Qt::black));
  EXPECT_EQ(At(img, vertical + QPoint(1, 0)), QColor(Qt::black));
  EXPECT_EQ(At(img, vertical + QPoint(2, 0)), QColor(Qt::white));
  const QPoint horizontal = TWeltView2D::Project2D(2, 6) + QPoint(10, 0);
  EXPECT_EQ(At(img, horizontal), QColor(Qt::black));
  EXPECT_EQ(At(img, horizontal + QPoint(0, 1)), QColor(Qt::black));
  EXPECT_EQ(At(img, horizontal + QPoint(0, 2)), QColor(Qt::white));
}

TEST_F(HighContrast2D, BricksCuboidsAndMarksDifferInBrightnessAndHue) {
  views.SetColors(TWorldColors::HighContrast());
  const QImage img = Render();
  const QColor brick = At(img, InCell(1, 0)), cuboid = At(img, InCell(2, 0)), mark = At(img, InCell(3, 0));
  const QColor empty = At(img, InCell(4, 0));
  EXPECT_EQ(empty, QColor(Qt::white));
  // Dark, middle and light: each apart from the next by a clear step in luminance.
  EXPECT_LT(Luminance(brick), Luminance(cuboid));
  EXPECT_LT(Luminance(cuboid), Luminance(mark));
  EXPECT_GE(ContrastRatio(brick, cuboid), 1.5);
  EXPECT_GE(ContrastRatio(cuboid, mark), 3.0);
  EXPECT_GE(ContrastRatio(brick, empty), 7.0);
  // And in hue, for those who see colours.
  const int hues[] = {brick.hslHue(), cuboid.hslHue(), mark.hslHue()};
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) {
      const int d = std::abs(hues[i] - hues[j]);
      EXPECT_GE(std::min(d, 360 - d), 45) << i << " " << j;
    }
  // The brick count stays readable on its fill.
  int countPixels = 0;
  const QPoint cell = TWeltView2D::Project2D(1, 0);
  for (int y = 2; y < 29; ++y)
    for (int x = 2; x < 29; ++x) countPixels += At(img, cell + QPoint(x, y)) == QColor(Qt::white);
  EXPECT_GT(countPixels, 10);
  EXPECT_GE(ContrastRatio(brick, Qt::white), 7.0);
}

TEST_F(HighContrast2D, TheRobotOnADarkBrickHasALightOutline) {
  views.SetColors(TWorldColors::HighContrast());
  const QImage img = Render();
  const QPoint cell = TWeltView2D::Project2D(0, 1);
  int black = 0, white = 0;
  for (int y = 2; y < 29; ++y)
    for (int x = 2; x < 29; ++x) {
      const QColor c = At(img, cell + QPoint(x, y));
      black += c == QColor(Qt::black);
      white += c == QColor(Qt::white);
    }
  EXPECT_GT(black, 50);
  EXPECT_GT(white, 30);  // the outline (and the count under it) on the dark brick
}

TEST_F(HighContrast2D, ThreeDimensionalGridTurnsBlackAndWider) {
  const QImage usual = views.View3D().Background();
  views.SetColors(TWorldColors::HighContrast());
  const QImage strong = views.View3D().Background();
  int blue = 0, black = 0;
  for (int y = 0; y < strong.height(); ++y)
    for (int x = 0; x < strong.width(); ++x) {
      blue += usual.pixelColor(x, y) == QColor(0, 0, 255);
      black += strong.pixelColor(x, y) == QColor(Qt::black);
    }
  EXPECT_GT(blue, 100);
  EXPECT_GT(black, blue * 3 / 2);  // every line at least twice as wide, dashes aside
}

}  // namespace
