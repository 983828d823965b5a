#include "world/run_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A run with a recorder that also keeps the world file text of every step, as the
// world then was, to compare with what the recorder restores.
struct TRecordedRun {
  TWelt World;
  TTumbo_HeadlessHost Host;
  TTumbo_Parser Engine{World, Host};
  TRunRecorder Recorder;
  std::vector<std::string> Snapshots;  // index: step number
  std::vector<int32_t> Lines;

  explicit TRecordedRun(TRunRecorderLimits limits = {}) : Recorder(World, limits) {
    Engine.Recorder = &Recorder;
    Engine.StatementLimit = 200000;
    Engine.OnStep = [this] {
      Snapshots.push_back(World.SaveToText());
      Lines.push_back(Engine.CurrentLine);
    };
  }

  bool Run(const std::string& program, const std::string& folder = "") {
    if (!Engine.Compile(program, folder)) return false;
    Engine.Run(1);
    return true;
  }

  // Every kept step, shown in the order given, gives the world file text of its time.
  void ExpectEveryStepRestored(const std::vector<uint64_t>& order) {
    for (const uint64_t k : order) {
      Recorder.Show(k);
      ASSERT_EQ(Recorder.Shown(), k);
      ASSERT_EQ(World.SaveToText(), Snapshots[k]) << "step " << k;
      ASSERT_EQ(Recorder.Step(k).Line, Lines[k]) << "step " << k;
    }
  }

  std::vector<uint64_t> Backwards() const {
    std::vector<uint64_t> order;
    for (uint64_t k = Recorder.LastStep() + 1; k-- > Recorder.FirstStep();) order.push_back(k);
    return order;
  }
};

std::string Program(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) out += std::string(line) + "\r\n";
  return out;
}

// The sample programs, each with its world (a library has none).
std::vector<fs::path> SamplePrograms() {
  std::vector<fs::path> programs;
  for (const auto& e : fs::directory_iterator(fs::path(TUMBO_DATA_DIR) / "beispiele")) {
    fs::path world = e.path();
    world.replace_extension(".tdw");
    if (e.path().extension() == ".tdp" && fs::exists(world)) programs.push_back(e.path());
  }
  std::sort(programs.begin(), programs.end());
  return programs;
}

}  // namespace

class RunRecorderSamples : public ::testing::TestWithParam<fs::path> {};

// Back through every step to the start, forward again to the end, and jumps of growing
// size back and forth from the end: the world file is byte for byte the one of that step.
TEST_P(RunRecorderSamples, EveryStepRestoresTheWorldOfItsTime) {
  const fs::path program = GetParam();
  TRecordedRun run;
  fs::path world = program;
  world.replace_extension(".tdw");
  ASSERT_TRUE(run.World.LoadFromFile(world.string()).Ok());
  ASSERT_TRUE(run.Run(Read(program), program.parent_path().string() + "/"));

  const TRunRecorder& r = run.Recorder;
  ASSERT_EQ(r.FirstStep(), 0u);
  ASSERT_EQ(r.StepCount(), run.Snapshots.size());
  ASSERT_GT(r.StepCount(), 2u);
  EXPECT_EQ(r.Step(r.LastStep()).Line, -1);
  EXPECT_TRUE(r.ShowingLast());

  const std::vector<uint64_t> back = run.Backwards();
  run.ExpectEveryStepRestored(back);
  run.ExpectEveryStepRestored({back.rbegin(), back.rend()});
  std::vector<uint64_t> jumps;
  for (uint64_t n = 1; n <= r.LastStep(); n = n * 2 + 1) {
    jumps.push_back(r.LastStep() - n);
    jumps.push_back(r.LastStep());
  }
  run.ExpectEveryStepRestored(jumps);
  EXPECT_TRUE(r.ShowingLast());
}

INSTANTIATE_TEST_SUITE_P(Beispiele, RunRecorderSamples, ::testing::ValuesIn(SamplePrograms()),
                         [](const auto& info) {
                           std::string name = info.param.stem().string();
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(RunRecorder, StepsHoldLineRobotAndTheFailureOfTheStatementBefore) {
  TRecordedRun run;
  run.World.Robot.CheckBrick = true;
  run.World.Robot.MaxBrick = 5;
  run.World.Robot.BrickStart = 2;
  run.World.Robot.MaxJump = 0;
  ASSERT_TRUE(run.Run(Program({"Programm", "LinksDrehen", "Hinlegen", "Schritt(20)", "*Programm"})));
  const TRunRecorder& r = run.Recorder;
  ASSERT_EQ(r.StepCount(), 6u);  // Programm, 3 statements, *Programm, the end
  const std::vector<int32_t> lines{1, 2, 3, 4, 5, -1};
  for (uint64_t k = 0; k < 6; ++k) EXPECT_EQ(r.Step(k).Line, lines[k]);
  EXPECT_EQ(r.Step(2).Heading, kOsten);
  EXPECT_EQ(r.Step(3).Carried, 1);
  EXPECT_EQ(r.Step(2).Carried, 2);
  EXPECT_EQ(r.Step(3).Failure, 0);
  EXPECT_EQ(r.Step(4).X, 0) << "the brick ahead is too high to climb";
  EXPECT_EQ(r.Step(4).Failure, 3);
  EXPECT_EQ(r.Step(5).Failure, 0);
  ASSERT_EQ(r.ChangesOf(3).size(), 1u);
  const TCellChange c = r.ChangesOf(3)[0];
  EXPECT_EQ(c.Cell, uint32_t(1 * 10 + 0));  // x 1, y 0 in a room 10 long
  EXPECT_EQ(c.Old, 0);
  EXPECT_EQ(c.New, 1);
  EXPECT_TRUE(r.ChangesOf(4).empty());
}

// Steps are packed: lines of a long program and the far corner of the largest room come
// back as they were.
TEST(RunRecorder, StepsKeepLinesOfLongProgramsAndTheFarCornerOfTheLargestRoom) {
  TRecordedRun run;
  run.World.NewWorld(kMaxRoomSide, kMaxRoomSide, 10);
  run.World.Robot.X = kMaxRoomSide - 2;
  run.World.Robot.Y = kMaxRoomSide - 2;
  std::string program = "Programm\r\n  LinksDrehen\r\n";
  for (int i = 0; i < 70000; ++i) program += "\r\n";
  program += "  Schritt\r\n  LinksDrehen\r\n  Schritt\r\n*Programm\r\n";
  ASSERT_TRUE(run.Run(program));
  const TRunRecorder& r = run.Recorder;
  ASSERT_EQ(r.StepCount(), 7u);  // Programm, 4 statements, *Programm, the end
  EXPECT_EQ(r.Step(2).Line, 70003);
  EXPECT_EQ(r.Step(3).X, kMaxRoomSide - 1);  // a step east from the south-east corner's neighbour
  EXPECT_EQ(r.Step(3).Y, kMaxRoomSide - 2);
  EXPECT_EQ(r.Step(3).Heading, kOsten);
  EXPECT_EQ(r.Step(r.LastStep()).Line, -1);
  run.ExpectEveryStepRestored(run.Backwards());
}

TEST(RunRecorder, CellCodesDescribeBricksCuboidAndMark) {
  TRaum room;
  room.Init(3, 1, 6);
  room.AddItem(0, 0, kZiegel);
  room.AddItem(0, 0, kZiegel);
  room.SetMark(0, 0);
  room.AddItem(1, 0, kQuader);
  room.SetMark(2, 0);
  EXPECT_EQ(cell_code::Of(room.Cell(0, 0)), 2 | cell_code::kMark);
  EXPECT_EQ(cell_code::Of(room.Cell(1, 0)), cell_code::kCuboid);
  EXPECT_EQ(cell_code::Of(room.Cell(2, 0)), cell_code::kMark);
  // Every code turns into every other one.
  const std::vector<uint8_t> codes{0, 1, 6, cell_code::kCuboid, cell_code::kMark,
                                   3 | cell_code::kMark, cell_code::kCuboid | cell_code::kMark};
  for (const uint8_t from : codes) {
    for (const uint8_t to : codes) {
      cell_code::Apply(room, 1, 0, from);
      ASSERT_EQ(cell_code::Of(room.Cell(1, 0)), from);
      cell_code::Apply(room, 1, 0, to);
      EXPECT_EQ(cell_code::Of(room.Cell(1, 0)), to) << int(from) << " -> " << int(to);
    }
  }
}

// Keys pressed or cells edited while the run goes on (here at every round of events)
// are changes like the robot's own and are rewound as well.
TEST(RunRecorder, ChangesMadeOutsideTheProgramAreRecorded) {
  TRecordedRun run;
  int round = 0;
  run.Host.OnEvents = [&] {
    ++round;
    if (round == 3) run.World.Room.AddItem(4, 9, kQuader);
    if (round == 5) run.World.Room.SetMark(3, 3);
    if (round == 7) run.World.Clear();
  };
  ASSERT_TRUE(run.Run(Program({"Programm", "MarkeSetzen", "Hinlegen", "Schritt", "LinksDrehen",
                               "Hinlegen", "Schritt", "MarkeSetzen", "*Programm"})));
  run.ExpectEveryStepRestored(run.Backwards());
  run.ExpectEveryStepRestored({0, run.Recorder.LastStep(), 2, 6, 1});
}

TEST(RunRecorder, AWorldLoadedDuringTheRunIsRecorded) {
  TRecordedRun run;
  TWelt other;
  other.Room.AddItem(2, 2, kQuader);
  other.Room.SetMark(0, 0);
  const std::string loaded = other.SaveToText();
  int round = 0;
  run.Host.OnEvents = [&] {
    if (++round == 3) {
      ASSERT_TRUE(run.World.LoadFromText(loaded, "anders.tdw").Ok());
    }
  };
  ASSERT_TRUE(run.Run(Program({"Programm", "Hinlegen", "Schritt", "Hinlegen", "MarkeSetzen",
                               "Schritt", "Hinlegen", "*Programm"})));
  EXPECT_EQ(run.World.Room.Watcher(), nullptr) << "the recorder stops watching at the end";
  EXPECT_EQ(run.Recorder.FirstStep(), 0u);
  run.ExpectEveryStepRestored(run.Backwards());
  run.ExpectEveryStepRestored({0, run.Recorder.LastStep(), 2, 4, 1});
}

TEST(RunRecorder, NewRoomDimensionsDuringTheRunStartTheHistoryAgain) {
  TRecordedRun run;
  int round = 0;
  run.Host.OnEvents = [&] {
    if (++round == 3) run.World.NewWorld(7, 4, 3);
  };
  ASSERT_TRUE(run.Run(Program({"Programm", "Hinlegen", "Schritt", "Hinlegen", "MarkeSetzen",
                               "Schritt", "*Programm"})));
  const TRunRecorder& r = run.Recorder;
  EXPECT_EQ(r.FirstStep(), 3u);
  EXPECT_EQ(r.LastStep() + 1, run.Snapshots.size());
  run.ExpectEveryStepRestored(run.Backwards());
}

TEST(RunRecorder, KeepsAtMostTheStepLimitAndDropsTheOldest) {
  TRunRecorderLimits limits;
  limits.MaxSteps = 20000;
  TRecordedRun run(limits);
  ASSERT_TRUE(run.Run(Program({"wiederhole 5000 mal", "  Hinlegen", "  MarkeSetzen", "  Aufheben",
                               "  MarkeL\xF6schen", "  LinksDrehen", "*wiederhole"})));
  const TRunRecorder& r = run.Recorder;
  EXPECT_LE(r.StepCount(), limits.MaxSteps);
  EXPECT_GT(r.StepCount(), limits.MaxSteps / 2);
  EXPECT_GT(r.FirstStep(), 0u);
  EXPECT_EQ(r.LastStep() + 1, run.Snapshots.size());
  run.ExpectEveryStepRestored({r.FirstStep(), r.LastStep(), r.FirstStep() + 1, r.LastStep() - 7});
}

TEST(RunRecorder, KeepsMemoryNearTheByteLimit) {
  TRunRecorderLimits limits;
  limits.MaxBytes = 256 << 10;
  TRecordedRun run(limits);
  ASSERT_TRUE(run.Run(Program({"wiederhole 6000 mal", "  Hinlegen", "  Aufheben", "  LinksDrehen",
                               "*wiederhole"})));
  const TRunRecorder& r = run.Recorder;
  EXPECT_GT(r.FirstStep(), 0u);
  EXPECT_LE(r.MemoryBytes(), limits.MaxBytes + (limits.MaxBytes >> 2));
  run.ExpectEveryStepRestored({r.FirstStep(), r.LastStep(), r.FirstStep() + 100});
}

// While a paused run shows its newest step, the pupil may drive the robot by hand: what
// the newest step shows afterwards is the world as the pupil left it.
TEST(RunRecorder, HandChangesAtTheNewestStepBelongToIt) {
  TWelt world;
  TRunRecorder r(world);
  r.Start();
  r.Record(1);
  world.Robot.Hinlegen(1);
  r.Record(2);
  world.Robot.LinksDrehen();
  world.Robot.MarkeSetzen();
  const std::string byHand = world.SaveToText();
  r.Show(0);
  EXPECT_FALSE(r.ShowingLast());
  EXPECT_EQ(world.Room.BrickCount(0, 1), 0);
  EXPECT_FALSE(world.Room.HasMark(0, 0));
  r.Show(1);
  EXPECT_EQ(world.SaveToText(), byHand);
  EXPECT_TRUE(r.ShowingLast());
  r.Finish();
  EXPECT_EQ(world.Room.Watcher(), nullptr);
}

// A statement changes one cell; hands in a paused run may change many before the next step.
// Every net change belongs to that step, and a cell changed and changed back is none.
TEST(RunRecorder, ManyCellsChangedBeforeOneStepAreAllRecorded) {
  TWelt world;
  TRunRecorder r(world);
  r.Start();
  r.Record(1);
  const std::string before = world.SaveToText();
  for (int32_t x = 0; x < 5; ++x) world.Room.SetMark(x, 3);
  world.Room.AddItem(2, 7, kZiegel);
  world.Room.AddItem(4, 8, kQuader);
  world.Room.RemoveTop(4, 8);
  r.Record(2);
  const std::string after = world.SaveToText();
  const std::vector<TCellChange> changes = r.ChangesOf(1);
  ASSERT_EQ(changes.size(), 6u);
  for (const TCellChange& c : changes) EXPECT_EQ(c.Step, 1u);
  r.Show(0);
  EXPECT_EQ(world.SaveToText(), before);
  r.Show(1);
  EXPECT_EQ(world.SaveToText(), after);
}

TEST(RunRecorder, ClearForgetsAndStopsWatching) {
  TWelt world;
  TRunRecorder r(world);
  r.Start();
  EXPECT_NE(world.Room.Watcher(), nullptr);
  EXPECT_TRUE(r.Recording());
  r.Record(1);
  r.Clear();
  EXPECT_TRUE(r.Empty());
  EXPECT_FALSE(r.Recording());
  EXPECT_EQ(world.Room.Watcher(), nullptr);
  r.Show(3);  // nothing to show: nothing happens
  EXPECT_TRUE(r.Empty());
}

// A run nobody watches keeps the long loops that only move, turn and ask in compact form;
// each of their steps comes back as the run with a step callback recorded it, also when the
// world is shown at any step.
TEST(RunRecorder, CompactStepsAreTheStepsOfTheWatchedRun) {
  const std::string program = Program(
      {"wiederhole 3 mal", "  wiederhole 700 mal",
       "    wenn IstWand dann LinksDrehen sonst Schritt *wenn", "  *wiederhole", "  Hinlegen",
       "  wiederhole 500 mal", "    wenn NichtIstWand dann Schritt *wenn",
       "    wenn IstMarke dann RechtsDrehen sonst LinksDrehen *wenn", "    RechtsDrehen",
       "  *wiederhole", "  MarkeSetzen", "  Aufheben", "*wiederhole"});
  TRecordedRun watched;
  ASSERT_TRUE(watched.Run(program));
  TRecordedRun quiet;
  quiet.Engine.OnStep = nullptr;
  ASSERT_TRUE(quiet.Run(program));

  const TRunRecorder& w = watched.Recorder;
  const TRunRecorder& q = quiet.Recorder;
  ASSERT_EQ(q.FirstStep(), 0u);
  ASSERT_EQ(q.LastStep(), w.LastStep());
  EXPECT_LT(q.MemoryBytes() * 4, w.MemoryBytes());
  for (uint64_t n = 0; n <= w.LastStep(); ++n) {
    const TRecordedStep a = q.Step(n), b = w.Step(n);
    ASSERT_EQ(std::tie(a.Line, a.X, a.Y, a.Heading, a.Carried, a.Failure),
              std::tie(b.Line, b.X, b.Y, b.Heading, b.Carried, b.Failure))
        << "step " << n;
  }
  quiet.Snapshots = watched.Snapshots;
  quiet.Lines = watched.Lines;
  std::vector<uint64_t> order;
  for (uint64_t n = w.LastStep(); n > 53; n -= 53) order.push_back(n);
  order.insert(order.end(), {0, w.LastStep(), 1, w.LastStep() - 1});
  quiet.ExpectEveryStepRestored(order);
}

namespace {

// Steps in compact form whose lines are their step numbers.
class TNumberedSteps : public TCompactSteps {
 public:
  TNumberedSteps(uint64_t first, uint64_t count) : first_(first), count_(count) {}
  uint64_t Count() const override { return count_; }
  TRecordedStep Get(uint64_t k) const override {
    TRecordedStep s;
    s.Line = int32_t(first_ + k);
    s.X = int32_t(k % 5);
    return s;
  }
  size_t MemoryBytes() const override { return sizeof(*this); }

 private:
  uint64_t first_, count_;
};

}  // namespace

// Entries and pieces in compact form, in turns, beyond the step limit: the oldest are
// dropped, a piece in compact form step by step, and every kept step keeps its number.
TEST(RunRecorder, CompactStepsKeepTheirNumbersAmongEntriesAsTheOldestAreDropped) {
  TWelt world;
  TRunRecorderLimits limits;
  limits.MaxSteps = 2 * 4096;
  TRunRecorder r(world, limits);
  r.Start();
  uint64_t next = 0;
  const auto expectNumbered = [&] {
    ASSERT_EQ(r.LastStep() + 1, next);
    for (uint64_t n = r.FirstStep(); n <= r.LastStep(); ++n)
      ASSERT_EQ(r.Step(n).Line, int32_t(n)) << "step " << n;
  };
  for (int round = 0; round < 6; ++round) {
    for (int i = 0; i < 3000 + round; ++i) r.Record(int32_t(next++));
    expectNumbered();
    const uint64_t count = round == 2 ? 1 : round == 4 ? 20000 : 5000;
    r.RecordCompact(std::make_shared<TNumberedSteps>(next, count));
    next += count;
    expectNumbered();
    EXPECT_LE(r.StepCount(), limits.MaxSteps);
  }
  EXPECT_GT(r.FirstStep(), 0u);
}

// The memory made ready beforehand holds the steps the limits allow, stays within the byte
// limit, and a run then takes its chunks from it.
TEST(RunRecorder, ReservedMemoryHoldsTheStepLimitWithinTheByteLimit) {
  TRecordedRun run;
  run.Recorder.Reserve();
  const size_t reserved = run.Recorder.MemoryBytes();
  EXPECT_GE(reserved, TRunRecorderLimits{}.MaxSteps * 8);
  EXPECT_LE(reserved, TRunRecorderLimits{}.MaxBytes / 2 + (64 << 10));
  ASSERT_TRUE(run.Run(Program({"wiederhole 5000 mal", "  LinksDrehen", "  RechtsDrehen", "*wiederhole"})));
  EXPECT_GT(run.Recorder.StepCount(), 10000u);
  EXPECT_LE(run.Recorder.MemoryBytes(), reserved + (64 << 10));

  TRunRecorderLimits small;
  small.MaxBytes = 256 << 10;
  TRecordedRun limited(small);
  limited.Recorder.Reserve();
  EXPECT_LE(limited.Recorder.MemoryBytes(), small.MaxBytes);
}
