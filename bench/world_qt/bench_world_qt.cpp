// The cost of redrawing after one robot step, in the start world and in a large world:
// an update repaints the box around the changed cells, so both should cost the same.
// RedrawAll is measured beside it for scale.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <random>

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
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
