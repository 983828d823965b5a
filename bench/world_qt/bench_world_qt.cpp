// The cost of redrawing after one robot step, in the start world and in a large world:
// an update repaints the areas around the changed cells, so both should cost the same.
// RedrawAll is measured beside it for scale. A frame of many steps (the window draws at
// screen rate, not after every step) is measured as the window shows it: fitted into the
// pane, and at 100 %.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
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

// One frame: 200 steps of the robot walking round the room along its walls (turning right
// at each wall), the update, and the screen repainting the areas the update names, at
// the scale the window shows the world at: fitted into a 1000 x 700 pane (state.range(3)
// = 0) or at 100 % (1).
void BM_BorderFrame3D(benchmark::State& state) {
  TWelt welt(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  Furnish(welt);
  TRaum& room = welt.Room;
  for (int x = 0; x < room.Width(); ++x)
    for (int y = 0; y < room.Length(); ++y)
      if (x == 0 || y == 0 || x == room.Width() - 1 || y == room.Length() - 1) {
        while (room.Cell(x, y).Height > 0) room.RemoveTop(x, y);
        room.ClearMark(x, y);
      }
  welt.Robot.X = 0;
  welt.Robot.Y = 0;
  welt.Robot.Heading = kOsten;
  TWeltQt views(welt, kImgs);
  const TViewScale scale{state.range(3) == 0 ? FitViewScale(views.ViewSize(), QSize(1000, 700)) : 1.0};
  QImage screen(scale.Map(views.ViewSize()), QImage::Format_RGB32);
  std::vector<QRect> named;
  views.View3D().SetRepaintHook([&](const QRect& r) { named.push_back(scale.MapOutward(r)); });
  welt.RedrawAll();
  TTumbo& robot = welt.Robot;
  for (auto _ : state) {
    for (int i = 0; i < 200; ++i) {
      if (robot.IstWand()) robot.RechtsDrehen();
      robot.Schritt(1);
    }
    named.clear();
    welt.UpdateView();
    QPainter p(&screen);
    for (const QRect& r : named) views.View3D().Paint(p, r.intersected(screen.rect()), scale);
  }
  state.counters["scale"] = scale.Factor;
}

BENCHMARK(BM_BorderFrame3D)
    ->Args({5, 10, 6, 0})->Args({100, 100, 10, 0})->Args({5, 10, 6, 1})->Args({100, 100, 10, 1})
    ->Unit(benchmark::kMicrosecond);

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
  // The ratio the frame benchmark is judged by: the large world's frame against the
  // start world's, fitted (as a new or opened world is shown) and at 100 %.
  struct Ratio : benchmark::ConsoleReporter {
    std::map<std::string, double> time;
    void ReportRuns(const std::vector<Run>& runs) override {
      ConsoleReporter::ReportRuns(runs);
      for (const Run& r : runs) time[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    void Finalize() override {
      ConsoleReporter::Finalize();
      for (const char* mode : {"0", "1"}) {
        const std::string small = std::string("BM_BorderFrame3D/5/10/6/") + mode;
        const std::string big = std::string("BM_BorderFrame3D/100/100/10/") + mode;
        if (time.count(small) && time.count(big) && time[small] > 0)
          std::printf("Frame of 200 border steps, 100x100x10 / 5x10x6 %s: %.2f\n",
                      *mode == '0' ? "fitted" : "at 100 %", time[big] / time[small]);
      }
    }
  } reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
