// The cost of redrawing after one robot step, in the start world and in a large world:
// an update repaints the areas around the changed cells, so both should cost the same.
// RedrawAll is measured beside it for scale. A frame of many steps (the window draws at
// screen rate, not after every step) is measured as the window shows it, in 3D and 2D:
// fitted into the pane, and at 100 %.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <random>

#include "world/qt/view_scale.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace {

const QString kImgs = QStringLiteral(TUMBO_DATA_DIR "/imgs");

// A world of the given size with stacks, cuboids and marks scattered over it, and a free
// row for the robot to walk along.
void Furnish(TWelt& welt) {
  std::mt19937 rng(7);
  TRaum& room = welt.Room;
  for (int x = 0; x < room.Width(); ++x) {
    for (int y = 0; y < room.Length(); ++y) {
      if (y == 1) continue;
      const int kind = int(rng() % 6);
      if (kind == 0) room.AddItem(x, y, kQuader);
      if (kind >= 3)
        for (int i = int(rng() % uint32_t(room.MaxHeight() + 1)); i > 0; --i) room.AddItem(x, y, kZiegel);
      if (rng() % 5 == 0) room.SetMark(x, y);
    }
  }
  welt.Robot.X = 1;
  welt.Robot.Y = 1;
  welt.Robot.Heading = kOsten;
}

// One step and the update after it; the robot walks east along row 1 and back.
void StepAndUpdate(TWelt& welt) {
  TTumbo& r = welt.Robot;
  if ((r.Heading == kOsten && r.X == welt.Room.Width() - 2) || (r.Heading == kWesten && r.X == 1)) {
    r.LinksDrehen();
    r.LinksDrehen();
  }
  r.Schritt(1);
  welt.UpdateView();
}

void BM_StepUpdate3D(benchmark::State& state) {
  TWelt welt(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  Furnish(welt);
  TWeltQt views(welt, kImgs);
  for (auto _ : state) StepAndUpdate(welt);
  benchmark::DoNotOptimize(views.View3D().Image().constBits());
}

void BM_StepUpdate2D(benchmark::State& state) {
  TWelt welt(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  Furnish(welt);
  TWeltQt views(welt, kImgs);
  // The paint box's picture, painted where the view asks for it.
  QImage shown(views.View2D().Size(), QImage::Format_RGB32);
  views.View2D().SetRepaintHook([&](const QRect& r) {
    QPainter p(&shown);
    views.View2D().Paint(p, r);
  });
  views.SetIs2D(true);
  for (auto _ : state) StepAndUpdate(welt);
  benchmark::DoNotOptimize(shown.constBits());
}

void BM_RedrawAll3D(benchmark::State& state) {
  TWelt welt(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  Furnish(welt);
  TWeltQt views(welt, kImgs);
  for (auto _ : state) welt.RedrawAll();
}

// The border free for a walk, and inside it the same repeating pattern in every room:
// stacks of up to five bricks (they fit the start world), cuboids and marks. Every stretch
// of the border then has the same kind of neighbours in a small and a large room, so that
// a frame's cost shows what the room's size costs and not which cells happen to stand
// next to the robot.
void FurnishInsideTheBorder(TWelt& welt) {
  TRaum& room = welt.Room;
  for (int x = 1; x < room.Width() - 1; ++x) {
    for (int y = 1; y < room.Length() - 1; ++y) {
      const int kind = (3 * x + 5 * y) % 8;
      if (kind == 0) room.AddItem(x, y, kQuader);
      for (int i = 2; i < kind; ++i) room.AddItem(x, y, kZiegel);
      if ((x + 2 * y) % 5 == 0) room.SetMark(x, y);
    }
  }
}

// A robot walking round the room along its walls (turning right at each wall), watched by
// a screen that repaints the areas the view names, at the scale the window shows the world
// at: fitted into a 1000 x 700 pane, or at 100 %.
class TBorderWalk {
public:
  TBorderWalk(int w, int l, int h, bool fitted, bool twoD) : welt_(w, l, h), twoD_(twoD) {
    FurnishInsideTheBorder(welt_);
    welt_.Robot.X = 0;
    welt_.Robot.Y = 0;
    welt_.Robot.Heading = kOsten;
    views_.emplace(welt_, kImgs);
    views_->SetIs2D(twoD);
    scale_ = TViewScale{fitted ? FitViewScale(views_->ViewSize(), QSize(1000, 700)) : 1.0};
    screen_ = QImage(scale_.Map(views_->ViewSize()), QImage::Format_RGB32);
    auto hook = [this](const QRect& r) { named_.push_back(scale_.MapOutward(r)); };
    views_->View3D().SetRepaintHook(hook);
    views_->View2D().SetRepaintHook(hook);
    welt_.RedrawAll();
    Frame(0);
  }

  // `steps` steps, the update, and the screen repainting what the update names.
  [[gnu::noinline]] void Frame(int steps) {
    TTumbo& robot = welt_.Robot;
    for (int i = 0; i < steps; ++i) {
      if (robot.IstWand()) robot.RechtsDrehen();
      robot.Schritt(1);
    }
    named_.clear();
    welt_.UpdateView();
    QPainter p(&screen_);
    for (const QRect& r : named_) {
      const QRect area = r.intersected(screen_.rect());
      if (twoD_)
        views_->View2D().Paint(p, area, scale_);
      else
        views_->View3D().Paint(p, area, scale_);
    }
  }

  double Scale() const { return scale_.Factor; }

private:
  TWelt welt_;
  bool twoD_;
  std::optional<TWeltQt> views_;
  TViewScale scale_;
  QImage screen_;
  std::vector<QRect> named_;
};

// One frame of 200 border steps: fitted (state.range(3) = 0) or at 100 % (1).
void BorderFrame(benchmark::State& state, bool twoD) {
  TBorderWalk walk(int(state.range(0)), int(state.range(1)), int(state.range(2)), state.range(3) == 0, twoD);
  for (auto _ : state) walk.Frame(200);
  state.counters["scale"] = walk.Scale();
}

void BM_BorderFrame3D(benchmark::State& state) { BorderFrame(state, false); }
void BM_BorderFrame2D(benchmark::State& state) { BorderFrame(state, true); }

void BorderWorlds(benchmark::internal::Benchmark* b) {
  b->Args({5, 10, 6, 0})->Args({100, 100, 10, 0})->Args({5, 10, 6, 1})->Args({100, 100, 10, 1});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_BorderFrame3D)->Apply(BorderWorlds);
BENCHMARK(BM_BorderFrame2D)->Apply(BorderWorlds);

// The start world and the largest, and each size at the other's height: the cost follows
// the height (how many levels can reach into the box), not the width or length.
void Worlds(benchmark::internal::Benchmark* b) {
  b->Args({5, 10, 6})->Args({100, 100, 10})->Args({100, 100, 6})->Args({5, 10, 10});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_StepUpdate3D)->Apply(Worlds);
BENCHMARK(BM_StepUpdate2D)->Apply(Worlds);
BENCHMARK(BM_RedrawAll3D)->Apply(Worlds);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  // The ratio the frame benchmarks are judged by: the large world's frame against the
  // start world's, fitted (as a new or opened world is shown) and at 100 %. CPU time, as
  // the machine may be shared.
  struct Ratio : benchmark::ConsoleReporter {
    std::map<std::string, double> time;
    void ReportRuns(const std::vector<Run>& runs) override {
      ConsoleReporter::ReportRuns(runs);
      for (const Run& r : runs) time[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    void Finalize() override {
      ConsoleReporter::Finalize();
      for (const char* view : {"3D", "2D"}) {
        for (const char* mode : {"0", "1"}) {
          const std::string name = std::string("BM_BorderFrame") + view;
          const std::string small = name + "/5/10/6/" + mode, big = name + "/100/100/10/" + mode;
          if (time.count(small) && time.count(big) && time[small] > 0)
            std::printf("%s frame of 200 border steps, 100x100x10 / 5x10x6 %s: %.2f\n", view,
                        *mode == '0' ? "fitted" : "at 100 %", time[big] / time[small]);
        }
      }
    }
  } reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
