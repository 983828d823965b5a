// Language engine speed: (a) compile time by program size, and `check` of a 10 MB program file
// against `wc -w` of it, (b) interpreter against a native loop calling the same robot
// operations, and against a plain loop that keeps the robot and the room's walls in local
// variables, (c) the same with Qt's event handling in the host, once after every statement and
// rate-limited. Prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "language/headless_host.h"
#include "language/parser.h"
#include "text/text_file.h"
#include "world/welt.h"

#ifdef TUMBO_BENCH_WITH_QT
#include <QGuiApplication>
#include <cstdlib>
#endif

namespace {

constexpr int kWalkPasses = 200000;

// A program of about `bytes` bytes using every kind of statement.
std::string ProgramOfSize(size_t bytes) {
  std::string text = "// Laufzeitmessung\r\nProgramm\r\n";
  int n = 0;
  while (text.size() < bytes) {
    const std::string id = std::to_string(n++);
    text += "Anweisung Geh" + id + "(X)\r\n  wiederhole X mal\r\n    wenn IstWand dann LinksDrehen "
            "sonst Schritt *wenn\r\n  *wiederhole\r\n*Anweisung\r\n"
            "Bedingung Frei" + id + "\r\n  wenn NichtIstWand dann wahr sonst falsch *wenn\r\n"
            "*Bedingung\r\n"
            "solange Frei" + id + " tue Geh" + id + "(2) *solange { Kommentar }\r\n"
            "wiederhole\r\n  Hinlegen; Aufheben\r\n*wiederhole bis nicht IstZiegel(3)\r\n";
  }
  return text + "*Programm\r\n";
}

void BM_Compile(benchmark::State& state) {
  const std::string program = ProgramOfSize(static_cast<size_t>(state.range(0)));
  TWelt world;
  TTumbo_HeadlessHost host;
  TTumbo_Parser engine(world, host);
  for (auto _ : state) {
    const bool ok = engine.Compile(program, "", false);
    if (!ok) state.SkipWithError("program does not compile");
    benchmark::DoNotOptimize(engine.Program.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_Compile)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// A 10 MB program file in the temporary folder, written once and removed at the end.
class TBigProgramFile {
 public:
  TBigProgramFile()
      : Path((std::filesystem::temp_directory_path() /
              ("bench_language_check_" + std::to_string(getpid()) + ".tdp"))
                 .string()) {
    std::ofstream(Path, std::ios::binary) << ProgramOfSize(10 << 20);
  }
  ~TBigProgramFile() {
    std::error_code ec;
    std::filesystem::remove(Path, ec);
  }
  const std::string Path;
};

const TBigProgramFile& BigProgramFile() {
  static const TBigProgramFile file;
  return file;
}

// What `tumbo-cli check` does with a program file: read, decode, compile with messages. The
// command line's own start (loading its libraries) is not part of it.
void BM_CheckFile(benchmark::State& state) {
  const std::string& path = BigProgramFile().Path;
  TWelt world;
  TTumbo_HeadlessHost host;
  int messages = 0;
  TTumbo_Parser engine(world, host, [&messages](int, int, const std::string&) { ++messages; });
  const std::string folder = std::filesystem::path(path).parent_path().string() + "/";
  for (auto _ : state) {
    std::string bytes, error;
    if (!tumbo::text::ReadFileBytes(path, bytes, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    if (!engine.Compile(tumbo::text::DecodeToCp1252(std::move(bytes)), folder, true) || messages) {
      state.SkipWithError("program does not compile");
      break;
    }
    benchmark::DoNotOptimize(engine.Program.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_CheckFile)->Unit(benchmark::kMillisecond);

// A child process on the big program file, timed by its CPU time, user and system.
void TimeChildProcess(benchmark::State& state, std::vector<std::string> args) {
  args.push_back(BigProgramFile().Path);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError((args[0] + " did not run").c_str());
      break;
    }
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    state.SetIterationTime(seconds(usage.ru_utime) + seconds(usage.ru_stime));
  }
  posix_spawn_file_actions_destroy(&actions);
}

// `wc -w` of the same file.
void BM_WcWords(benchmark::State& state) { TimeChildProcess(state, {"wc", "-w"}); }
BENCHMARK(BM_WcWords)->UseManualTime()->Unit(benchmark::kMillisecond);

// The whole `tumbo-cli check` of the file, start and end of the process included, as a
// teacher's script meets it; tumbo-cli lies next to this benchmark.
void BM_CheckCommand(benchmark::State& state) {
  const auto cli = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tumbo-cli";
  if (!std::filesystem::exists(cli)) {
    state.SkipWithError("tumbo-cli is not built");
    return;
  }
  TimeChildProcess(state, {cli.string(), "check"});
}
BENCHMARK(BM_CheckCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

// The walk: along the walls of the start world, turning left at each wall.
const std::string kWalkProgram = "wiederhole " + std::to_string(kWalkPasses) +
                                 " mal\r\n  wenn IstWand dann LinksDrehen *wenn\r\n  Schritt\r\n"
                                 "*wiederhole\r\n";

void BM_NativeWalk(benchmark::State& state) {
  TWelt world;
  for (auto _ : state) {
    TTumbo& robot = world.Robot;
    robot.ResetForRun();
    for (int i = 0; i < kWalkPasses; ++i) {
      if (robot.IstWand()) robot.LinksDrehen();
      robot.Schritt(1);
    }
    benchmark::DoNotOptimize(robot.X);
  }
  state.SetItemsProcessed(state.iterations() * kWalkPasses);
}
BENCHMARK(BM_NativeWalk)->Unit(benchmark::kMillisecond);

// Steps and turns only: back and forth between two cells.
const std::string kShuttleProgram = "wiederhole " + std::to_string(kWalkPasses) +
                                    " mal\r\n  Schritt\r\n  LinksDrehen\r\n  LinksDrehen\r\n"
                                    "*wiederhole\r\n";

void BM_NativeShuttle(benchmark::State& state) {
  TWelt world;
  for (auto _ : state) {
    TTumbo& robot = world.Robot;
    robot.ResetForRun();
    for (int i = 0; i < kWalkPasses; ++i) {
      robot.Schritt(1);
      robot.LinksDrehen();
      robot.LinksDrehen();
    }
    benchmark::DoNotOptimize(robot.Y);
  }
  state.SetItemsProcessed(state.iterations() * kWalkPasses);
}
BENCHMARK(BM_NativeShuttle)->Unit(benchmark::kMillisecond);

// The walk of a wall follower: at a wall turn left, else step.
const std::string kWallWalkProgram = "wiederhole " + std::to_string(kWalkPasses) +
                                     " mal\r\n  wenn IstWand dann LinksDrehen sonst Schritt *wenn\r\n"
                                     "*wiederhole\r\n";

// The robot and the room's walls in local variables, without TTumbo: what a pupil's program
// would cost written directly in C++.
struct TPlainRobot {
  int32_t X = 0, Y = 0, Heading = 0;  // heading 0 south, 1 west, 2 north, 3 east
  int32_t Width = 0, Length = 0;
  std::vector<uint8_t> Cuboid;  // x * Length + y

  explicit TPlainRobot(const TWelt& world)
      : X(world.Robot.X), Y(world.Robot.Y), Heading(world.Robot.Heading),
        Width(world.Room.Width()), Length(world.Room.Length()) {
    for (int32_t x = 0; x < Width; ++x)
      for (int32_t y = 0; y < Length; ++y) Cuboid.push_back(world.Room.ContentAt(x, y, 0) == kQuader);
  }
  bool AheadFree(int32_t& nx, int32_t& ny) const {
    static constexpr int32_t kDx[4] = {0, -1, 0, 1}, kDy[4] = {1, 0, -1, 0};
    nx = X + kDx[Heading];
    ny = Y + kDy[Heading];
    return nx >= 0 && ny >= 0 && nx < Width && ny < Length && !Cuboid[size_t(nx * Length + ny)];
  }
  bool IstWand() const {
    int32_t nx, ny;
    return !AheadFree(nx, ny);
  }
  void Schritt() {
    int32_t nx, ny;
    if (AheadFree(nx, ny)) X = nx, Y = ny;
  }
  void LinksDrehen() { Heading = (Heading + 3) & 3; }
};

void BM_PlainWallWalk(benchmark::State& state) {
  TWelt world;
  for (auto _ : state) {
    TPlainRobot robot(world);
    for (int i = 0; i < kWalkPasses; ++i) {
      if (robot.IstWand()) robot.LinksDrehen();
      else robot.Schritt();
    }
    benchmark::DoNotOptimize(robot.X);
    benchmark::DoNotOptimize(robot.Y);
  }
  state.SetItemsProcessed(state.iterations() * kWalkPasses);
}
BENCHMARK(BM_PlainWallWalk)->Unit(benchmark::kMillisecond);

// Own instructions and recursion: to the wall and back to the start, counting nothing.
constexpr int kThereAndBackPasses = 20000;
const std::string kThereAndBackProgram =
    "Anweisung Umdrehen LinksDrehen LinksDrehen *Anweisung\r\n"
    "Anweisung HinUndZurueck\r\n"
    "  wenn NichtIstWand dann Schritt HinUndZurueck Schritt sonst Umdrehen *wenn\r\n"
    "*Anweisung\r\n"
    "wiederhole " + std::to_string(kThereAndBackPasses) + " mal HinUndZurueck *wiederhole\r\n";

void PlainThereAndBack(TPlainRobot& robot) {
  if (!robot.IstWand()) {
    robot.Schritt();
    PlainThereAndBack(robot);
    robot.Schritt();
  } else {
    robot.LinksDrehen();
    robot.LinksDrehen();
  }
}

void BM_PlainThereAndBack(benchmark::State& state) {
  TWelt world;
  for (auto _ : state) {
    TPlainRobot robot(world);
    for (int i = 0; i < kThereAndBackPasses; ++i) PlainThereAndBack(robot);
    benchmark::DoNotOptimize(robot.X);
  }
  state.SetItemsProcessed(state.iterations() * kThereAndBackPasses);
}
BENCHMARK(BM_PlainThereAndBack)->Unit(benchmark::kMillisecond);

template <class THost>
void RunWalk(benchmark::State& state, THost& host, const std::string& program = kWalkProgram,
             bool record = false) {
  TWelt world;
  TTumbo_Parser engine(world, host);
  TRunRecorder recorder(world);
  if (record) engine.Recorder = &recorder;
  if (!engine.Compile(program, "")) state.SkipWithError("walk does not compile");
  for (auto _ : state) {
    engine.Run(1);  // normal mode, delay 0: the command-line run
    benchmark::DoNotOptimize(world.Robot.X);
  }
  state.SetItemsProcessed(state.iterations() * kWalkPasses);
  state.counters["statements/s"] = benchmark::Counter(
      static_cast<double>(engine.StatementCount) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

void BM_InterpretedWalk(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host);
}
BENCHMARK(BM_InterpretedWalk)->Unit(benchmark::kMillisecond);

void BM_InterpretedWallWalk(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host, kWallWalkProgram);
}
BENCHMARK(BM_InterpretedWallWalk)->Unit(benchmark::kMillisecond);

void BM_InterpretedThereAndBack(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host, kThereAndBackProgram);
}
BENCHMARK(BM_InterpretedThereAndBack)->Unit(benchmark::kMillisecond);

void BM_InterpretedShuttle(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host, kShuttleProgram);
}
BENCHMARK(BM_InterpretedShuttle)->Unit(benchmark::kMillisecond);

// The same runs with every step recorded, as `tumbo-cli run --history` records them: the
// quiet run, which keeps its robot loops native, stores every step point.
void BM_InterpretedWalkRecorded(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host, kWalkProgram, true);
}
BENCHMARK(BM_InterpretedWalkRecorded)->Unit(benchmark::kMillisecond);

void BM_InterpretedShuttleRecorded(benchmark::State& state) {
  TTumbo_HeadlessHost host;
  RunWalk(state, host, kShuttleProgram, true);
}
BENCHMARK(BM_InterpretedShuttleRecorded)->Unit(benchmark::kMillisecond);

// A window's run without Qt: the window looks at every statement (here a host with events to
// handle), so the run is never quiet. The window records every run for stepping back and
// replay; this is what the recording costs it.
class TWindowLikeHost : public TTumbo_HeadlessHost {
 public:
  TWindowLikeHost() {
    OnEvents = [this] { ++rounds_; };
  }

 private:
  uint64_t rounds_ = 0;
};

void BM_WindowPath(benchmark::State& state, const std::string* program, bool record) {
  TWindowLikeHost host;
  RunWalk(state, host, *program, record);
}
BENCHMARK_CAPTURE(BM_WindowPath, Walk, &kWalkProgram, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowPath, WalkRecorded, &kWalkProgram, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowPath, Shuttle, &kShuttleProgram, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowPath, ShuttleRecorded, &kShuttleProgram, true)
    ->Unit(benchmark::kMillisecond);

#ifdef TUMBO_BENCH_WITH_QT
// Handles Qt's events after every statement, as an unthrottled window would.
class TQtEveryStatementHost : public TTumbo_HeadlessHost {
 public:
  void ProcessEvents() override { QCoreApplication::processEvents(); }
};

// Handles Qt's events at most every 5 ms: the clock is read only every 64th call.
class TQtRateLimitedHost : public TTumbo_HeadlessHost {
 public:
  void ProcessEvents() override {
    if (++calls_ % 64 != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(5)) return;
    last_ = now;
    QCoreApplication::processEvents();
  }

 private:
  unsigned calls_ = 0;
  std::chrono::steady_clock::time_point last_{};
};

void BM_InterpretedWalkQtEveryStatement(benchmark::State& state) {
  TQtEveryStatementHost host;
  RunWalk(state, host);
}
BENCHMARK(BM_InterpretedWalkQtEveryStatement)->Unit(benchmark::kMillisecond);

void BM_InterpretedWalkQtRateLimited(benchmark::State& state) {
  TQtRateLimitedHost host;
  RunWalk(state, host);
}
BENCHMARK(BM_InterpretedWalkQtRateLimited)->Unit(benchmark::kMillisecond);
#endif

// Remembers the time per iteration of every benchmark for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        // A manual time (a child's CPU time) stands for the CPU time the process did not spend.
        times[run.benchmark_name()] =
            run.benchmark_name().ends_with("/manual_time") ? run.GetAdjustedRealTime()
                                                           : run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

void PrintRatio(const TRatioReporter& r, const char* what, const std::string& a,
                const std::string& b) {
  const auto ia = r.times.find(a), ib = r.times.find(b);
  if (ia == r.times.end() || ib == r.times.end() || ib->second <= 0) return;
  std::printf("%-58s %6.2f\n", what, ia->second / ib->second);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef TUMBO_BENCH_WITH_QT
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios (CPU time per run):\n");
  PrintRatio(reporter, "walk with a condition: interpreter / native (design: at most 2)",
             "BM_InterpretedWalk", "BM_NativeWalk");
  PrintRatio(reporter, "steps and turns: interpreter / native (design: at most 2)",
             "BM_InterpretedShuttle", "BM_NativeShuttle");
  PrintRatio(reporter, "window's path, walk recorded / not (target: at most 1.15)",
             "BM_WindowPath/WalkRecorded", "BM_WindowPath/Walk");
  PrintRatio(reporter, "window's path, steps and turns recorded / not (target: at most 1.15)",
             "BM_WindowPath/ShuttleRecorded", "BM_WindowPath/Shuttle");
  PrintRatio(reporter, "command line, walk recorded / not recorded",
             "BM_InterpretedWalkRecorded", "BM_InterpretedWalk");
  PrintRatio(reporter, "command line, steps and turns recorded / not recorded",
             "BM_InterpretedShuttleRecorded", "BM_InterpretedShuttle");
  PrintRatio(reporter, "wall walk: interpreter / plain loop without TTumbo (target: at most 5)",
             "BM_InterpretedWallWalk", "BM_PlainWallWalk");
  PrintRatio(reporter, "own instructions and recursion: interpreter / plain C++ recursion",
             "BM_InterpretedThereAndBack", "BM_PlainThereAndBack");
  PrintRatio(reporter, "Qt events after every statement / headless",
             "BM_InterpretedWalkQtEveryStatement", "BM_InterpretedWalk");
  PrintRatio(reporter, "Qt events rate-limited to 5 ms / headless (design: at most 2)",
             "BM_InterpretedWalkQtRateLimited", "BM_InterpretedWalk");
  PrintRatio(reporter, "compile 1 MB / compile 100 KB (linear: about 10)", "BM_Compile/1048576",
             "BM_Compile/102400");
  PrintRatio(reporter, "check of a 10 MB program / wc -w of it (target: at most 5)",
             "BM_CheckFile", "BM_WcWords/manual_time");
  PrintRatio(reporter, "check, the whole tumbo-cli process / wc -w (target: at most 5)",
             "BM_CheckCommand/manual_time", "BM_WcWords/manual_time");
  benchmark::Shutdown();
  return 0;
}
