// Frames of several changes, as the window shows them at screen rate: an update repaints
// only the cells that look different from when they were last named, so cells the robot
// walked through and bricks put down and taken again within a frame cost nothing, and
// the picture still equals a full repaint, also when the screen painted between updates.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "language/headless_host.h"
#include "language/parser.h"
#include "world_qt_support.h"

namespace {

// A screen showing one view at a scale: it paints only the areas the view names (as the
// widget's update region does), or any area when told to (an expose between updates).
class TScreen {
public:
  TScreen(TWeltQt& views, bool twoD, double scale) : views_(views), twoD_(twoD), scale_{scale} {
    views_.SetIs2D(twoD);
    image_ = QImage(scale_.Map(views_.ViewSize()), QImage::Format_RGB32);
    image_.fill(Qt::magenta);
    auto hook = [this](const QRect& r) { named_.push_back(scale_.MapOutward(r)); };
    views_.View3D().SetRepaintHook(hook);
    views_.View2D().SetRepaintHook(hook);
    views_.RedrawAll();
    PaintNamed();
  }

  // Paints what the views named so far, as the next paint event does.
  void PaintNamed() {
    for (const QRect& r : named_) Paint(r);
    named_.clear();
  }
  void Paint(const QRect& area) {
    QPainter p(&image_);
    const QRect clipped = area.intersected(image_.rect());
    if (twoD_)
      views_.View2D().Paint(p, clipped, scale_);
    else
      views_.View3D().Paint(p, clipped, scale_);
  }
  // The update at the end of a frame; returns how many areas it named.
  size_t Update() {
    views_.Welt().UpdateView();
    return named_.size();
  }
  QImage Full() const {
    QImage full(image_.size(), QImage::Format_RGB32);
    QPainter p(&full);
    if (twoD_)
      views_.View2D().Paint(p, full.rect(), scale_);
    else
      views_.View3D().Paint(p, full.rect(), scale_);
    return full;
  }
  const QImage& Image() const { return image_; }
  TViewScale Scale() const { return scale_; }

private:
  TWeltQt& views_;
  bool twoD_;
  TViewScale scale_;
  QImage image_;
  std::vector<QRect> named_;
};

struct ViewCase {
  bool twoD;
  double scale;
};

void PrintTo(const ViewCase& c, std::ostream* os) { *os << (c.twoD ? "2D" : "3D") << " at " << c.scale; }

class FrameRepaint : public ::testing::TestWithParam<ViewCase> {
protected:
  FrameRepaint() : welt_(9, 7, 4), views_(welt_, ImgsFolder()) {
    welt_.Robot.X = 2;
    welt_.Robot.Y = 3;
    welt_.Robot.Heading = kOsten;
    for (int i = 0; i < 3; ++i) welt_.Room.AddItem(4, 2, kZiegel);  // a stack behind the path
    welt_.Room.AddItem(3, 4, kQuader);                               // and a cuboid in front
    welt_.Room.SetMark(5, 3);
  }
  void ExpectScreenIsFullRepaint(TScreen& screen, const char* when) {
    EXPECT_EQ(DifferingPixels(screen.Image(), screen.Full()), 0) << when;
  }
  void Turn() {
    welt_.Robot.LinksDrehen();
    welt_.Robot.LinksDrehen();
  }
  void Walk(int steps) {
    for (int i = 0; i < steps; ++i) welt_.Robot.Schritt(1);
  }

  TWelt welt_;
  TWeltQt views_;
};

TEST_P(FrameRepaint, AWalkThereAndBackNamesNothingAndLeavesTheScreenRight) {
  TScreen screen(views_, GetParam().twoD, GetParam().scale);
  Walk(4);  // over the mark, past the stack
  Turn();
  Walk(4);
  Turn();
  EXPECT_EQ(screen.Update(), 0u);
  ExpectScreenIsFullRepaint(screen, "after a walk there and back");

  // The same walk ending one cell further: only where it started and where it stands.
  Walk(4);
  Turn();
  Walk(3);
  EXPECT_GE(screen.Update(), 1u);
  screen.PaintNamed();
  ExpectScreenIsFullRepaint(screen, "after a walk ending elsewhere");
}

TEST_P(FrameRepaint, BricksPutDownAndTakenAgainNameNothing) {
  TScreen screen(views_, GetParam().twoD, GetParam().scale);
  TTumbo& robot = welt_.Robot;
  robot.Hinlegen(2);
  robot.MarkeSetzen();
  robot.Aufheben(2);
  robot.MarkeLoeschen();
  welt_.Room.AddItem(7, 6, kZiegel);  // the world editor, far from the robot
  welt_.Room.RemoveTop(7, 6);
  EXPECT_EQ(screen.Update(), 0u);
  ExpectScreenIsFullRepaint(screen, "after changes undone within the frame");

  // Two changes far apart that stay: two areas, each painted as a full repaint would.
  robot.Hinlegen(1);
  welt_.Room.AddItem(8, 0, kZiegel);
  EXPECT_EQ(screen.Update(), 2u);
  screen.PaintNamed();
  ExpectScreenIsFullRepaint(screen, "after changes that stay");
}

// The screen may paint while a frame is under way (an expose, or the paint event after an
// update that came before the robot's next steps): what it drew then must not be taken
// for what the last update named.
TEST_P(FrameRepaint, APaintBetweenUpdatesIsRepairedByTheNextUpdate) {
  TScreen screen(views_, GetParam().twoD, GetParam().scale);
  Walk(1);
  EXPECT_GE(screen.Update(), 1u);
  Turn();
  Walk(1);  // back on the start cell before the screen paints what was named
  screen.PaintNamed();
  Turn();
  Walk(1);  // and on the named cell again when the frame ends
  screen.Update();
  screen.PaintNamed();
  ExpectScreenIsFullRepaint(screen, "after a paint in the middle of a frame");

  // An expose of the whole view in the middle of a frame.
  Walk(2);
  screen.Paint(screen.Image().rect());
  Turn();
  Walk(2);
  Turn();
  screen.Update();
  screen.PaintNamed();
  ExpectScreenIsFullRepaint(screen, "after an expose in the middle of a frame");
}

// The engine runs a repetition of robot actions in one go and marks only the cell the robot
// left and the one it ends on: the cells it passed through must look as before.
TEST_P(FrameRepaint, ARepetitionRunByTheEngineLeavesTheScreenRight) {
  TScreen screen(views_, GetParam().twoD, GetParam().scale);
  TTumbo_HeadlessHost host;
  TTumbo_Parser parser(welt_, host);
  for (const char* passes : {"41", "7", "40"}) {
    ASSERT_TRUE(parser.Compile(std::string("wiederhole ") + passes +
                                   " mal\r\n  wenn IstWand dann LinksDrehen sonst Schritt *wenn\r\n*wiederhole\r\n",
                               "", true));
    parser.Run(1);
    EXPECT_FALSE(welt_.Robot.Failed);
    screen.Update();
    screen.PaintNamed();
    ExpectScreenIsFullRepaint(screen, passes);
  }
}

INSTANTIATE_TEST_SUITE_P(Views, FrameRepaint,
                         ::testing::Values(ViewCase{false, 1.0}, ViewCase{false, 1.5}, ViewCase{false, 2.0 / 3},
                                           ViewCase{true, 1.0}, ViewCase{true, 3.0}, ViewCase{true, 0.5}),
                         [](const auto& info) {
                           const ViewCase& c = info.param;
                           return std::string(c.twoD ? "Map" : "Oblique") + "At" +
                                  std::to_string(int(c.scale * 100 + 0.5)) + "Percent";
                         });

// The scale-1 picture (exports, the command line) is brought up to date when asked for:
// asked for in the middle of a frame, it must not miss a change of that frame either.
TEST(FrameRepaint3DPicture, AskedForBetweenUpdatesStaysRight) {
  TWelt welt(6, 5, 3);
  welt.Robot.Heading = kOsten;
  TWeltQt views(welt, ImgsFolder());
  auto turnAndStep = [&] {
    welt.Robot.LinksDrehen();
    welt.Robot.LinksDrehen();
    welt.Robot.Schritt(1);
  };
  welt.Robot.Schritt(1);
  welt.UpdateView();
  turnAndStep();
  views.View3D().Image();  // shows the robot back on its start cell
  turnAndStep();
  welt.UpdateView();
  QImage fresh;
  {
    TWeltQt other(welt, ImgsFolder());
    fresh = other.View3D().Image().copy();
  }
  welt.SetView(&views);
  EXPECT_EQ(DifferingPixels(views.View3D().Image(), fresh), 0);
}

// The widgets themselves: Qt repaints only the update region the views name, and what the
// window then holds (its backing store) equals the widget drawn whole.
class WidgetRepaint : public ::testing::TestWithParam<bool> {};

TEST_P(WidgetRepaint, TheWindowShowsAFullRepaintAfterEveryFrame) {
  const bool twoD = GetParam();
  TWelt welt(8, 6, 4);
  welt.Robot.X = 1;
  welt.Robot.Y = 2;
  welt.Robot.Heading = kOsten;
  for (int i = 0; i < 3; ++i) welt.Room.AddItem(3, 1, kZiegel);
  welt.Room.SetMark(4, 2);
  TWeltQt views(welt, ImgsFolder());
  QWidget window;
  views.CreateWidgets(&window);
  views.SetIs2D(twoD);
  views.SetViewScale(1.5);
  QWidget* view = twoD ? static_cast<QWidget*>(views.PaintBox2D()) : views.Image3D();
  window.resize(view->size());
  window.show();
  QCoreApplication::processEvents();
  auto shown = [&] {
    QCoreApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage().copy(view->geometry());
  };
  TTumbo& robot = welt.Robot;
  const std::vector<std::function<void()>> frames = {
      [&] { for (int i = 0; i < 4; ++i) robot.Schritt(1); },
      [&] { robot.LinksDrehen(); robot.LinksDrehen(); robot.Schritt(1); robot.Schritt(1); },
      [&] { robot.Hinlegen(1); robot.MarkeSetzen(); robot.Aufheben(1); },
      [&] { robot.Schritt(1); welt.Room.AddItem(7, 5, kZiegel); welt.Room.RemoveTop(3, 1); },
  };
  for (size_t i = 0; i < frames.size(); ++i) {
    frames[i]();
    welt.UpdateView();
    if (i == 1) {
      // The paint comes while the next frame is under way, and that frame ends where the
      // update above left the robot.
      robot.Schritt(1);
      shown();
      robot.LinksDrehen();
      robot.LinksDrehen();
      robot.Schritt(1);
      robot.LinksDrehen();
      robot.LinksDrehen();
      welt.UpdateView();
    }
    const QImage partial = shown();
    ASSERT_EQ(DifferingPixels(partial, view->grab().toImage()), 0) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Views, WidgetRepaint, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "Map" : "Oblique"); });

}  // namespace
