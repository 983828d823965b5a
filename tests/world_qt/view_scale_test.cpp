// The view scale: the geometry stays at scale 1, the views draw it larger or smaller,
// sharp, and a scaled update repaints what a full repaint would.
#include <QPainter>
#include <gtest/gtest.h>

#include <random>

#include "world/qt/oblique_drawing.h"
#include "world/qt/picture_shapes.h"
#include "world/qt/view_scale.h"
#include "world_qt_support.h"

namespace {

struct ClickCase {
  double scale;
  QPoint device;
  QPoint cell;
};

class ClickAtScale : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickAtScale, HitsTheCellDrawnThere) {
  const ClickCase c = GetParam();
  EXPECT_EQ(TWeltView2D::CellAt2D(c.device, TViewScale{c.scale}), c.cell);
}

// Cell (x, y) covers model pixels 1 + 30x .. 30 + 30x across and 10 + 30y .. 39 + 30y down.
INSTANTIATE_TEST_SUITE_P(
    Scales, ClickAtScale,
    ::testing::Values(ClickCase{1.0, {1, 10}, {0, 0}}, ClickCase{1.0, {30, 39}, {0, 0}},
                      ClickCase{1.0, {31, 40}, {1, 1}}, ClickCase{0.5, {15, 19}, {0, 0}},
                      ClickCase{0.5, {16, 20}, {1, 1}}, ClickCase{0.5, {35, 85}, {2, 5}},
                      ClickCase{3.0, {92, 119}, {0, 0}}, ClickCase{3.0, {93, 120}, {1, 1}},
                      ClickCase{3.0, {3 * 121, 3 * 160}, {4, 5}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ViewScaleSteps, GoLikeAnImageViewersAndStopAtTheEnds) {
  EXPECT_DOUBLE_EQ(NextViewScale(1.0, +1), 1.25);
  EXPECT_DOUBLE_EQ(NextViewScale(1.0, -1), 0.75);
  EXPECT_DOUBLE_EQ(NextViewScale(2.4, +1), 3.0);   // from a fitted scale to the next step
  EXPECT_DOUBLE_EQ(NextViewScale(2.4, -1), 2.0);
  EXPECT_DOUBLE_EQ(NextViewScale(0.12, +1), 0.25);
  EXPECT_DOUBLE_EQ(NextViewScale(4.0, +1), 4.0);
  EXPECT_DOUBLE_EQ(NextViewScale(0.25, -1), 0.25);
  EXPECT_DOUBLE_EQ(NextViewScale(NextViewScale(0.25, +1), +1), 0.5);
}

TEST(FitViewScale, ChoosesTheLargestScaleThatShowsTheWholeWorld) {
  struct Case {
    QSize content, pane;
  };
  for (const Case c : {Case{{301, 291}, {1200, 900}}, Case{{4501, 1701}, {1100, 850}},
                       Case{{301, 291}, {300, 2000}}, Case{{160, 331}, {777, 555}}}) {
    const double s = FitViewScale(c.content, c.pane);
    const QSize shown = TViewScale{s}.Map(c.content);
    EXPECT_LE(shown.width(), c.pane.width());
    EXPECT_LE(shown.height(), c.pane.height());
    // A little more and it would no longer fit (or the largest scale is reached).
    const QSize more = TViewScale{s + 0.01}.Map(c.content);
    EXPECT_TRUE(s == kMaxViewScale || more.width() > c.pane.width() || more.height() > c.pane.height())
        << s;
  }
  EXPECT_DOUBLE_EQ(FitViewScale({301, 291}, {5000, 5000}), kMaxViewScale);
  EXPECT_DOUBLE_EQ(FitViewScale({4501, 1701}, {100, 50}), kMinViewScale);
}

// The pictures drawn before the view scale existed; the 1:1 views must still draw exactly
// these pixels.
struct OneToOneCase {
  const char* world;
  bool twoD;
  const char* picture;
};

class OneToOne : public ::testing::TestWithParam<OneToOneCase> {};

TEST_P(OneToOne, PictureIsPixelForPixelTheStoredOne) {
  const OneToOneCase c = GetParam();
  const QString dir = QStringLiteral(TUMBO_FIXTURES_DIR "/world_qt/one_to_one/");
  TWelt welt;
  ASSERT_TRUE(welt.LoadFromFile((dir + QString::fromLatin1(c.world)).toStdString()).Ok());
  TWeltQt views(welt, ImgsFolder());
  QImage drawn;
  if (c.twoD) {
    drawn = QImage(views.View2D().Size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter p(&drawn);
    views.Paint2DTo(p);
  } else {
    drawn = views.View3D().Image();
  }
  EXPECT_EQ(DifferingPixels(drawn, QImage(dir + QString::fromLatin1(c.picture))), 0);
}

INSTANTIATE_TEST_SUITE_P(Worlds, OneToOne,
                         ::testing::Values(OneToOneCase{"gemischt_klein.tdw", false, "gemischt_klein_3d.png"},
                                           OneToOneCase{"gemischt_klein.tdw", true, "gemischt_klein_2d.png"},
                                           OneToOneCase{"flach.tdw", false, "flach_3d.png"},
                                           OneToOneCase{"flach.tdw", true, "flach_2d.png"}),
                         [](const auto& info) { return std::string(info.param.twoD ? "Map" : "Oblique") + std::to_string(info.index); });

TEST(ScaledPictures, ShippedPicturesAreDrawnAnewAtTheScale) {
  TWeltPictures pics;
  ASSERT_TRUE(pics.LoadFrom(ImgsFolder()));
  const TScaledPictures& at3 = pics.ScaledFor(3.0);
  const QImage drawn = TWeltPictures::Keyed(Flatten(BrickPicture(3.0), QColor(255, 0, 255)));
  EXPECT_EQ(at3.BrickPicture.size(), QSize(138, 93));
  EXPECT_EQ(DifferingPixels(at3.BrickPicture, drawn), 0);
  // Not the small bitmap blown up: that would have three-pixel steps on every edge.
  const QImage blownUp = pics.BrickPicture.scaled(138, 93);
  EXPECT_GT(DifferingPixels(at3.BrickPicture, blownUp), 100);
  EXPECT_EQ(pics.ScaledFor(1.0).Robot[2], pics.Robot[2]);
}

TEST(ScaledPictures, AnExchangedFigureIsScaledSmoothly) {
  TWeltPictures pics;
  ASSERT_TRUE(pics.LoadFrom(ImgsFolder()));
  QImage own(20, 30, QImage::Format_ARGB32_Premultiplied);
  own.fill(Qt::transparent);
  QPainter(&own).fillRect(QRect(4, 4, 12, 22), Qt::darkGreen);
  pics.Robot[0] = own;
  pics.LoadRobotFrom(QStringLiteral("/kein/ordner"));  // refused: the own figure stays
  const TScaledPictures& half = pics.ScaledFor(0.5);
  EXPECT_EQ(half.Robot[0].size(), QSize(10, 15));
  EXPECT_EQ(half.Robot[0].pixelColor(5, 7), QColor(Qt::darkGreen));
}

// Random robot actions, several per frame; the screen at `scale` repaints only what the
// view names, and must then equal a full repaint at that scale.
void ExpectScaledUpdatesEqualFullRepaints(bool twoD, double scale, unsigned seed) {
  TWelt welt(9, 7, 4);
  welt.Robot.MaxJump = 3;
  TWeltQt views(welt, ImgsFolder());
  views.SetIs2D(twoD);
  const TViewScale s{scale};
  const QSize size = s.Map(views.ViewSize());
  auto paint = [&](QPainter& p, const QRect& area) {
    if (twoD)
      views.View2D().Paint(p, area, s);
    else
      views.View3D().Paint(p, area, s);
  };
  QImage screen(size, QImage::Format_RGB32);
  {
    QPainter p(&screen);
    paint(p, screen.rect());
  }
  int frames = 0, framesWithSeveral = 0;
  std::vector<QRect> frame;
  auto hook = [&](const QRect& r) { frame.push_back(s.MapOutward(r)); };
  views.View3D().SetRepaintHook(hook);
  views.View2D().SetRepaintHook(hook);
  std::mt19937 rng(seed);
  TTumbo& r = welt.Robot;
  for (int i = 0; i < 120; ++i) {
    for (int n = 0; n < 4; ++n) {
      switch (rng() % 6) {
        case 0: r.LinksDrehen(); break;
        case 1: r.Hinlegen(1); break;
        case 2: r.IstMarke() ? r.MarkeLoeschen() : r.MarkeSetzen(); break;
        default: r.Schritt(1); break;
      }
      // A far cell as well, so that a frame often names areas apart (never under the
      // robot, as in the world editor).
      const int x = int(rng() % 9), y = int(rng() % 7);
      if (n == 0 && (x != r.X || y != r.Y)) welt.Room.AddItem(x, y, kZiegel);
    }
    frame.clear();
    welt.UpdateView();
    {
      QPainter p(&screen);
      for (const QRect& area : frame) paint(p, area);
    }
    ++frames;
    framesWithSeveral += frame.size() > 1;
    QImage full(size, QImage::Format_RGB32);
    {
      QPainter p(&full);
      paint(p, full.rect());
    }
    ASSERT_EQ(DifferingPixels(screen, full), 0) << "frame " << i;
  }
  EXPECT_GT(framesWithSeveral, frames / 4);
}

TEST(ScaledRepaint, In3DAtOneAndAHalfEqualsAFullRepaint) { ExpectScaledUpdatesEqualFullRepaints(false, 1.5, 1); }
TEST(ScaledRepaint, In3DAtTwoThirdsEqualsAFullRepaint) { ExpectScaledUpdatesEqualFullRepaints(false, 2.0 / 3, 2); }
TEST(ScaledRepaint, In2DAtThreeEqualsAFullRepaint) { ExpectScaledUpdatesEqualFullRepaints(true, 3.0, 3); }
TEST(ScaledRepaint, In2DAtAHalfEqualsAFullRepaint) { ExpectScaledUpdatesEqualFullRepaints(true, 0.5, 4); }

TEST(ScaledView, ThreeDimensionalPaintAtOneIsThePicture) {
  TWelt welt;
  ASSERT_TRUE(welt.LoadFromFile(TUMBO_FIXTURES_DIR "/world_qt/one_to_one/gemischt_klein.tdw").Ok());
  TWeltQt views(welt, ImgsFolder());
  QImage direct(views.View3D().Size(), QImage::Format_RGB32);
  QPainter p(&direct);
  views.PaintScaled(p, 1.0);
  p.end();
  EXPECT_EQ(DifferingPixels(direct, views.View3D().Image()), 0);
}

TEST(ScaledView, LinesStayCrispAtThree) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  views.SetIs2D(true);
  const TViewScale s{3.0};
  QImage img(s.Map(views.ViewSize()), QImage::Format_RGB32);
  QPainter p(&img);
  views.PaintScaled(p, 3.0);
  p.end();
  // A vertical grid line: three pure blue columns, white on both sides.
  const QPoint g = TWeltView2D::Project2D(2, 3.5, s);
  EXPECT_EQ(img.pixelColor(g + QPoint(-1, 0)), QColor(Qt::white));
  for (int dx = 0; dx < 3; ++dx) EXPECT_EQ(img.pixelColor(g + QPoint(dx, 0)), QColor(0, 0, 255)) << dx;
  EXPECT_EQ(img.pixelColor(g + QPoint(3, 0)), QColor(Qt::white));
}

}  // namespace
