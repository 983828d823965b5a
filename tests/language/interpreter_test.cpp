// Running programs: step traces, robot failures, limits and the run control.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine_harness.h"
#include "language/vocabulary.h"

namespace {

const std::string kWall = "Tumbo ist an der Wand angesto\xDF" "en";
const std::string kNoValue = "Aktueller Wert f\xFCr den Parameter fehlt";
const std::string kNoCounting = "Kontrolle des Trageverm\xF6gens ist nicht eingeschalten";

std::string RunProgram(const std::string& program, TEngineHarness& h, uint8_t mode = 1) {
  EXPECT_TRUE(h.CompileAndRun(program, mode)) << program << "\n" << h.Joined();
  return h.Joined();
}

std::string RunProgram(const std::string& program) {
  TEngineHarness h;
  return RunProgram(program, h);
}

struct TTraceCase {
  const char* Name;
  std::string Program;
  std::string Expected;
};

class StepTrace : public testing::TestWithParam<TTraceCase> {};

TEST_P(StepTrace, MatchesTheSteps) { EXPECT_EQ(RunProgram(GetParam().Program), GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(
    Interpreter, StepTrace,
    testing::Values(
        TTraceCase{"Program", Lines({"Programm", "Schritt", "*Programm"}), "@1 | @2 | @3 | @-1"},
        TTraceCase{"CountedLoop", Lines({"wiederhole 2 mal", "Schritt", "*wiederhole"}),
                   "@1 | @2 | @3 | @1 | @2 | @3 | @1 | @-1"},
        TTraceCase{"CountedLoopZeroTimes", Lines({"wiederhole 0 mal", "Schritt", "*wiederhole"}),
                   "@1 | @-1"},
        TTraceCase{"WhileLoop", Lines({"solange NichtIstMarke tue", "MarkeSetzen", "*solange"}),
                   "@1 | @2 | @3 | @1 | @-1"},
        TTraceCase{"WiederholeSolange",
                   Lines({"wiederhole solange NichtIstMarke", "MarkeSetzen", "*wiederhole"}),
                   "@1 | @2 | @3 | @1 | @-1"},
        TTraceCase{"WiederholeBis",
                   Lines({"wiederhole", "LinksDrehen", "*wiederhole bis IstNorden"}),
                   "@1 | @2 | @3 | @1 | @2 | @3 | @-1"},
        TTraceCase{"WiederholeEndSolange",
                   Lines({"wiederhole", "LinksDrehen", "*wiederhole solange nicht IstNorden"}),
                   "@1 | @2 | @3 | @1 | @2 | @3 | @-1"},
        TTraceCase{"IfTakesTheElseBranch",
                   Lines({"wenn IstWand dann", "Schritt", "sonst", "LinksDrehen", "*wenn",
                          "MarkeSetzen"}),
                   "@1 | @4 | @5 | @6 | @-1"},
        TTraceCase{"IfWithoutElse", Lines({"wenn IstWand dann", "Schritt", "*wenn", "Schritt"}),
                   "@1 | @4 | @-1"},
        TTraceCase{"DefinitionsWithAndWithoutX",
                   Lines({"Anweisung Vor(X)", "Schritt(X)", "*Anweisung", "Vor(2)",
                          "Anweisung Drehen", "LinksDrehen", "*Anweisung", "Drehen"}),
                   "@4 | @2 | @8 | @6 | @-1"},
        TTraceCase{"XIsNotHandedOn",
                   Lines({"Anweisung B(X) Schritt(X) *Anweisung", "Anweisung A(X) B(X) *Anweisung",
                          "A(3)"}),
                   "@3 | @2 | @1 | [Hinweis] (Zeile 1): " + kNoValue + " | @-1"},
        TTraceCase{"WiederholeXMalInMainProgram", Lines({"wiederhole x mal", "Schritt", "*wiederhole"}),
                   "@1 | [Hinweis] (Zeile 1): " + kNoValue + " | @-1"},
        TTraceCase{"WahrOutsideACondition", Lines({"wahr", "Schritt"}),
                   "@1 | [Fehlernr 12] (Zeile 1): Der Bezeichner WAHR oder FALSCH muss mindestens "
                   "einmal in der BEDINGUNG vorkommen. | @2 | @-1"},
        TTraceCase{"BeendenInsideADefinitionEndsTheRun",
                   Lines({"Anweisung A Beenden Schritt *Anweisung", "A", "Schritt"}),
                   "@2 | @1 | @-1"},
        TTraceCase{"BeendenInsideALoopStillPassesTheLoopStep",
                   Lines({"wiederhole 3 mal", "Beenden", "*wiederhole"}), "@1 | @2 | @1 | @-1"},
        TTraceCase{"ConditionFailureIsReportedWithTheStepLine",
                   Lines({"Schritt", "wenn IstVoll dann", "Schritt", "*wenn"}),
                   "@1 | @2 | [Hinweis] (Zeile 2): " + kNoCounting + " | @-1"}),
    [](const testing::TestParamInfo<TTraceCase>& info) { return info.param.Name; });

TEST(Interpreter, RobotFailuresAsNotesAbortsBothAndNone) {
  struct {
    bool Hint, StopOnError;
    std::string Expected;
  } cases[] = {
      {true, false, "@1 | [Hinweis] (Zeile 1): " + kWall + " | @2 | @-1"},
      {false, true, "@1 | [Abbruch] (Zeile 1): " + kWall + " | @-1"},
      {true, true,
       "@1 | [Hinweis] (Zeile 1): " + kWall + " | [Abbruch] (Zeile 1): " + kWall + " | @-1"},
      {false, false, "@1 | @2 | @-1"},
  };
  for (const auto& c : cases) {
    TEngineHarness h;
    h.Engine.Hint = c.Hint;
    h.Engine.StopOnError = c.StopOnError;
    EXPECT_EQ(RunProgram(Lines({"Schritt(20)", "LinksDrehen"}), h), c.Expected);
    EXPECT_EQ(h.World.Robot.Y, 9) << "the free cells are walked before the failure";
    EXPECT_FALSE(h.World.Robot.Failed) << "the interpreter clears the failure";
  }
}

TEST(Interpreter, CountedActionStopsAtItsFirstFailure) {
  TEngineHarness h;
  EXPECT_EQ(RunProgram("Schritt(2147483647) Hinlegen(2147483647) Aufheben(2147483647)", h),
            "@1 | [Hinweis] (Zeile 1): " + kWall + " | @1 | [Hinweis] (Zeile 1): Tumbo kann nicht "
            "hinlegen, er steht vor der Wand | @1 | [Hinweis] (Zeile 1): Tumbo kann nicht aufheben, "
            "er steht vor der Wand | @-1");
  EXPECT_EQ(h.World.Robot.Y, 9);
}

TEST(Interpreter, BrickCounting) {
  TEngineHarness h;
  h.World.Robot.CheckBrick = true;
  h.World.Robot.MaxBrick = 5;
  h.World.Robot.BrickStart = 10;
  EXPECT_EQ(RunProgram(Lines({"wenn NichtIstLeer dann Hinlegen(6) *wenn", "wenn HatZiegel(0) dann Schritt *wenn",
                       "Aufheben(2)", "wenn HatZiegel(2) dann LinksDrehen *wenn"}),
                h),
            "@1 | @1 | [Hinweis] (Zeile 1): Tumbo hat keine Ziegel mehr zum Hinlegen | @1 | @2 | @3 | "
            "@4 | @4 | @4 | @-1");
  EXPECT_EQ(h.World.Room.BrickCount(0, 1), 3);
  EXPECT_EQ(h.World.Robot.Carried, 2);
  EXPECT_EQ(h.World.Robot.Heading, kOsten);
}

TEST(Interpreter, OwnConditionKeepsItsLastResult) {
  EXPECT_EQ(RunProgram(Lines({"Bedingung B *Bedingung", "wenn B dann Schritt *wenn"})), "@2 | @-1")
      << "false the first time";
  TEngineHarness h;
  RunProgram(Lines({"Bedingung B wenn IstMarke dann wahr *wenn *Bedingung", "MarkeSetzen",
             "wenn B dann LinksDrehen *wenn", "MarkeL\xF6schen", "wenn B dann LinksDrehen *wenn"}),
      h);
  EXPECT_EQ(h.World.Robot.Heading, kNorden) << "the second evaluation keeps true";
}

TEST(Interpreter, SchnellInsideADefinitionIsUndoneOnReturn) {
  TEngineHarness h;
  std::string fastAtStep;
  h.Engine.OnStep = [&] { fastAtStep += h.Engine.Fast ? 'F' : '-'; };
  RunProgram(Lines({"Anweisung S Schnell *Anweisung", "S", "Schritt", "Schnell", "Schritt", "Langsam",
             "Schritt"}),
      h);
  // Steps: S, Schnell (in S), Schritt, Schnell, Schritt, Langsam, Schritt, end of run.
  EXPECT_EQ(fastAtStep, "---" "-FF--");
}

TEST(Interpreter, SchnellSkipsTheRedraws) {
  TEngineHarness slow, fast;
  RunProgram(Lines({"Schritt", "Schritt", "Schritt"}), slow);
  RunProgram(Lines({"Schnell", "Schritt", "Schritt", "Schritt"}), fast);
  EXPECT_GT(slow.Host.ViewUpdates, fast.Host.ViewUpdates);
  EXPECT_EQ(fast.Host.ViewUpdates, 1u) << "only at the end of the run";
}

TEST(Interpreter, WartenTonAndTheStepDelay) {
  TEngineHarness h;
  RunProgram(Lines({"Warten(0)", "Warten(1)", "Warten", "Warten(500)", "Ton",
             "Anweisung W(x) Warten(x) *Anweisung", "W(300)"}),
      h);
  EXPECT_EQ(h.Host.WaitedMs, 1500u) << "Warten(X) waits for the node's own count, -1: no pause";
  EXPECT_EQ(h.Host.SoundsPlayed, 1u);

  for (uint8_t mode : {1, 2}) {
    TEngineHarness d;
    d.Engine.Delay = 100;
    RunProgram(Lines({"Schritt", "wiederhole 2 mal", "LinksDrehen", "*wiederhole"}), d, mode);
    // Normal mode pauses after each of the 6 statements run and before each of the 2 passes.
    EXPECT_EQ(d.Host.WaitedMs, mode == 1 ? 800u : 0u) << int(mode);
  }
}

// Drives single-step mode: every wait releases one step, until `stopAtStep` steps were shown,
// where the wait is answered with Stop() instead.
void DriveSingleStep(TEngineHarness& h, int stopAtStep) {
  auto steps = std::make_shared<int>(0);
  auto previous = h.Engine.OnStep;
  h.Engine.OnStep = [steps, previous] {
    ++*steps;
    previous();
  };
  h.Host.OnEvents = [&h, steps, stopAtStep] {
    if (h.Engine.RunMode != 3) return;
    if (*steps == stopAtStep) h.Engine.Stop();
    else h.Engine.RequestStep();
  };
}

TEST(Interpreter, SingleStepLetsOneStepPassPerRequest) {
  TEngineHarness h;
  DriveSingleStep(h, -1);
  EXPECT_EQ(RunProgram(Lines({"Programm", "Schritt", "*Programm"}), h, 3), "@1 | @2 | @3 | @-1");
  EXPECT_EQ(h.World.Robot.Y, 1);
}

TEST(Interpreter, StopWhileWaitingAtAStepDoesNotRunThatStatement) {
  TEngineHarness h;
  DriveSingleStep(h, 2);
  EXPECT_EQ(RunProgram(Lines({"Schritt", "Schritt", "Schritt"}), h, 3), "@1 | @2 | @-1");
  EXPECT_EQ(h.World.Robot.Y, 1) << "only the first Schritt ran";
  EXPECT_EQ(h.Engine.RunMode, 0);
}

TEST(Interpreter, StopAtALoopStepDoesNotEvaluateTheConditionAgain) {
  TEngineHarness h;
  DriveSingleStep(h, 4);
  EXPECT_EQ(RunProgram(Lines({"solange NichtIstVoll tue", "LinksDrehen", "*solange"}), h, 3),
            "@1 | [Hinweis] (Zeile 1): " + kNoCounting + " | @2 | @3 | @1 | @-1");
}

TEST(Interpreter, BreakpointSwitchesToSingleStepBeforeItsLine) {
  TEngineHarness h;
  h.Engine.BreakLine = 2;
  std::vector<int> waitedAt;
  h.Host.OnEvents = [&] {
    if (h.Engine.RunMode != 3) return;
    waitedAt.push_back(h.Engine.CurrentLine);
    h.Engine.RunMode = 1;  // the user continues normally
    h.Engine.RequestStep();
  };
  EXPECT_EQ(RunProgram(Lines({"Schritt", "Schritt", "Schritt"}), h, 2), "@2 | @3 | @-1")
      << "fast mode shows no steps until the breakpoint";
  EXPECT_EQ(waitedAt, std::vector<int>{2});
  EXPECT_EQ(h.World.Robot.Y, 3);
}

TEST(Interpreter, DepthLimitStopsEndlessRecursion) {
  const std::string abort10000 =
      "[Abbruch] (Zeile 1): Zu tiefe Rekursion: mehr als 10000 verschachtelte Aufrufe.";
  for (const char* program : {"Anweisung A A *Anweisung A",
                              "Bedingung B wenn B dann wahr *wenn *Bedingung wenn B dann Schritt *wenn"}) {
    TEngineHarness h;
    h.TraceSteps = false;
    RunProgram(program, h);
    ASSERT_EQ(h.Log.size(), 1u) << program << "\n" << h.Joined();
    EXPECT_EQ(h.Log[0], abort10000) << program;
    EXPECT_EQ(h.World.Robot.Y, 0);
  }
  TEngineHarness small;
  small.TraceSteps = false;
  small.Engine.MaxDepth = 3;
  RunProgram("Anweisung A Schritt A *Anweisung A", small);
  EXPECT_EQ(small.Joined(),
            "[Abbruch] (Zeile 1): Zu tiefe Rekursion: mehr als 3 verschachtelte Aufrufe.");
  EXPECT_EQ(small.World.Robot.Y, 2) << "depths 2 and 3 stepped";
}

TEST(Interpreter, StatementLimitSkipsTheStatementAndStops) {
  TEngineHarness h;
  h.Engine.StatementLimit = 5;
  bool called = false;
  h.Engine.OnStatementLimit = [&] { called = true; };
  EXPECT_EQ(RunProgram(Lines({"wiederhole immer", "Schritt", "*wiederhole"}), h),
            "@1 | @2 | @3 | @1 | @2 | @3 | @1 | @1 | @-1")
      << "the loop's own step still follows the stopped pass";
  EXPECT_TRUE(called);
  EXPECT_TRUE(h.Engine.StatementLimitReached);
  EXPECT_EQ(h.World.Robot.Y, 2);
}

// Statement limits are 64-bit counts, honoured exactly also beyond 2^32 (a run starts near
// the limit instead of running that long).
TEST(Interpreter, StatementLimitsBeyond32BitsAreExact) {
  for (const int64_t limit : {(int64_t(1) << 32) + 100, int64_t(1000000000000)}) {
    TEngineHarness h;
    h.TraceSteps = false;
    h.Engine.StatementLimit = limit;
    h.Engine.FirstStatementCount = limit - 10;
    RunProgram(Lines({"solange NichtIstMarke tue", "LinksDrehen", "*solange"}), h);
    EXPECT_TRUE(h.Engine.StatementLimitReached) << limit;
    EXPECT_EQ(h.Engine.StatementCount, limit + 1);
    EXPECT_EQ(h.World.Robot.Heading, kOsten) << "the head, then five turns before the limit";
  }
}

// WIEDERHOLE IMMER ends only by the statement limit (or Beenden, Stop, an abort), however
// large the limit: its passes are never counted down. 2^31 passes run quietly here in a few
// seconds; without optimisation they would take minutes.
TEST(Interpreter, WiederholeImmerNeverRunsOut) {
#if !defined(__OPTIMIZE__) || defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "2^31 passes take minutes without optimisation";
#endif
  TEngineHarness h;
  h.Engine.OnStep = nullptr;  // nothing looks at the steps: the run is quiet
  const int64_t limit = (int64_t(1) << 31) + 100;
  h.Engine.StatementLimit = limit;
  ASSERT_TRUE(h.CompileAndRun(Lines({"wiederhole immer", "*wiederhole"})));
  EXPECT_TRUE(h.Engine.StatementLimitReached);
  EXPECT_EQ(h.Engine.StatementCount, limit + 1);
}

// A loop whose body counts nothing (empty, or only definitions, as when SONST cuts a loop
// off before its end word) counts each pass as one statement: every endless loop meets the
// statement limit, and the pass stopped there makes no step point (limit 6: PROGRAMM, the
// head and four passes are counted, the fifth pass passes the limit).
TEST(Interpreter, LoopPassesThatCountNothingCountAsOne) {
  struct TCase {
    const char* Name;
    std::string Program;
    std::string Trace;
  } cases[] = {
      {"Solange", Lines({"Programm", "solange NichtIstMarke tue", "sonst"}),
       "@1 | @2 | @2 | @2 | @2 | @2 | @-1"},
      {"WiederholeImmer", Lines({"Programm", "wiederhole immer", "sonst"}),
       "@1 | @2 | @2 | @2 | @2 | @2 | @-1"},
      {"WiederholeSolange", Lines({"Programm", "wiederhole solange NichtIstMarke", "sonst"}),
       "@1 | @2 | @2 | @2 | @2 | @2 | @-1"},
      {"OnlyADefinition",
       Lines({"Programm", "wiederhole immer", "Anweisung A Schritt *Anweisung", "sonst"}),
       "@1 | @2 | @2 | @2 | @2 | @2 | @-1"},
      // The condition counts a statement in every pass: nothing more is counted.
      {"OwnConditionCounts",
       Lines({"Bedingung Immer wahr *Bedingung", "solange Immer tue", "sonst"}),
       "@2 | @1 | @2 | @1 | @2 | @1 | @2 | @1 | @2 | @1 | @2 | @-1"},
  };
  for (const TCase& c : cases) {
    TEngineHarness h;
    h.Engine.StatementLimit = 6;
    EXPECT_EQ(RunProgram(c.Program, h), c.Trace) << c.Name;
    EXPECT_TRUE(h.Engine.StatementLimitReached) << c.Name;
    EXPECT_EQ(h.Engine.StatementCount, 7) << c.Name;
  }
  // *WIEDERHOLE BIS always has its end word in a program text: a tree built by hand.
  TEngineHarness h;
  h.Engine.StatementLimit = 6;
  auto root = std::make_unique<TTumbo_Program_Top>(kindTop, 0, 0, false, "", 1);
  root->Body = new TTumbo_Program(kindRepeatUntil, condIstMarke, 0, false, "", 3);
  h.Engine.Program = std::move(root);
  h.Engine.Run(1);
  EXPECT_EQ(h.Joined(), "@3 | @3 | @3 | @3 | @3 | @3 | @-1");
  EXPECT_EQ(h.Engine.StatementCount, 7);
}

// Such a loop also ends a statement in every pass: the window handles its events, and the
// stop button ends it when there is no statement limit.
TEST(Interpreter, LoopPassesThatCountNothingHandleEvents) {
  for (uint8_t mode : {1, 2}) {
    TEngineHarness h;
    h.TraceSteps = false;
    int rounds = 0;
    h.Host.OnEvents = [&] {
      if (++rounds == 50) h.Engine.Stop();
    };
    RunProgram(Lines({"solange NichtIstMarke tue", "sonst"}), h, mode);
    EXPECT_EQ(rounds, 51) << int(mode) << ": 50 passes, then the end of the loop's statement";
    EXPECT_FALSE(h.Engine.StatementLimitReached);
  }
}

// A host with frames (the window's): while nothing is shown the statements run quietly and the
// host is asked once every QuietStatements() statements; OnStep, when it only keeps a display,
// is called at those frames. A stop at a frame ends the run before the next statement.
class TFramedHost : public TTumbo_HeadlessHost {
 public:
  uint32_t QuietStatements() override { return 1000; }
  void QuietFrame(bool redraw) override {
    ++Frames;
    Redraws += redraw;
    if (OnFrame) OnFrame();
  }
  int Frames = 0, Redraws = 0;
  std::function<void()> OnFrame;
};

TEST(Interpreter, QuietRunMeetsTheHostAtFrames) {
  for (const uint8_t mode : {1, 2}) {
    TWelt world;
    TFramedHost host;
    TTumbo_Parser engine(world, host);
    int steps = 0;
    engine.OnStep = [&] { ++steps; };
    engine.StepsSeenAtFrames = true;
    ASSERT_TRUE(engine.Compile(Lines({"wiederhole 50000 mal", "LinksDrehen", "*wiederhole"}), ""));
    engine.Run(mode);
    EXPECT_EQ(engine.StatementCount, 100001);
    EXPECT_EQ(host.Frames, 100) << int(mode);
    EXPECT_EQ(host.Redraws, 100);
    EXPECT_EQ(host.EventRounds, 0u) << "no event round after each statement";
    EXPECT_EQ(steps, mode == 1 ? 101 : 1) << "at the frames and at the end";
    EXPECT_EQ(world.Robot.Heading, kSueden);

    host.OnFrame = [&] {
      if (host.Frames == 3) engine.Stop();
    };
    host.Frames = 0;
    engine.Run(mode);
    EXPECT_EQ(engine.StatementCount, 3000) << "stopped after the 3000th statement";
    EXPECT_EQ(engine.CurrentLine, -1);
  }
}

// Between frames the robot's steps and turns mark no cells for the views. Whenever the host
// may draw (a frame, a wait, a redraw after a statement), the cell where the robot was last
// drawn and the one it stands on must be marked, else the picture shows it where it was.
class TDrawingHost : public TFramedHost {
 public:
  explicit TDrawingHost(TWelt& world) : world_(world) { world.Room.ClearDirty(); }
  void UpdateView() override { Draw("Neuzeichnen"); }
  void WaitForEvents(uint32_t timeoutMs) override {
    Draw("Warten");
    TFramedHost::WaitForEvents(timeoutMs);
  }
  void QuietFrame(bool redraw) override {
    Draw("Bild");
    TFramedHost::QuietFrame(redraw);
  }
  std::vector<std::string> Unmarked;
  int Draws = 0;

  // What a view's update does: takes the marked cells and clears them.
  void Draw(const char* when) {
    ++Draws;
    const TTumbo& robot = world_.Robot;
    const TZellPos now{robot.X, robot.Y};
    const auto& dirty = world_.Room.DirtyCells();
    const auto marked = [&](TZellPos p) { return std::find(dirty.begin(), dirty.end(), p) != dirty.end(); };
    if ((now != shown_ || robot.Heading != shownHeading_) && !(marked(now) && marked(shown_)))
      Unmarked.push_back(std::string(when) + " #" + std::to_string(Draws));
    world_.Room.ClearDirty();
    shown_ = now;
    shownHeading_ = robot.Heading;
  }

 private:
  TWelt& world_;
  TZellPos shown_{};
  uint8_t shownHeading_ = kSueden;
};

TEST(Interpreter, AQuietRunMarksTheRobotsCellsWheneverTheHostMayDraw) {
  for (const uint8_t mode : {1, 2}) {
    TWelt world;
    TDrawingHost host(world);
    // A message box for a robot failure lets the window draw as well.
    TTumbo_Parser engine(world, host, {}, [&](int, int, const std::string&) { host.Draw("Meldung"); });
    ASSERT_TRUE(engine.Compile(Lines({"wiederhole 3000 mal", "Schritt", "LinksDrehen", "LinksDrehen",
                                      "*wiederhole", "Schritt", "Warten 5", "Schritt", "Aufheben",
                                      "Schritt", "Langsam", "Schritt", "RechtsDrehen", "Beenden"}),
                               ""));
    engine.Run(mode);
    EXPECT_GT(host.Frames, 5) << int(mode);
    EXPECT_EQ(host.Unmarked, std::vector<std::string>{}) << int(mode);
    EXPECT_TRUE(world.Robot.MarksMoves) << "the robot marks its own moves again after the run";
  }
}

// Messages 10 and 11 only arise from trees that Compile never builds.
TEST(Interpreter, UnknownNodesInAHandBuiltTree) {
  struct TCase {
    int32_t Kind, Condition;
    const char* Name;
    std::string Expected;
  } cases[] = {
      {kindCall, 0, "FEHLT",
       "@5 | [Fehlernr 10] (Zeile 5): Unbekannte Anweisung. Schreibweise kontrollieren! | @-1"},
      {55, 0, "", "@5 | [Fehlernr 10] (Zeile 5): Unbekannte Anweisung. Schreibweise kontrollieren! | @-1"},
      {kindWhile, 250, "",
       "@5 | [Fehlernr 11] (Zeile 5): Unbekannte Bedingung. Schreibweise kontrollieren! | @-1"},
      {kindRepeatUntil, condOwn, "FEHLT",
       "@5 | [Fehlernr 11] (Zeile 5): Unbekannte Bedingung. Schreibweise kontrollieren! | @-1"},
  };
  for (const TCase& c : cases) {
    TEngineHarness h;
    auto root = std::make_unique<TTumbo_Program_Top>(kindTop, 0, 0, false, "", 1);
    root->Body = new TTumbo_Program(c.Kind, c.Condition, 0, false, c.Name, 5);
    root->Body->Next = new TTumbo_Program(kindSchritt, 0, 1, false, "", 6);
    h.Engine.Program = std::move(root);
    h.Engine.Run(1);
    EXPECT_EQ(h.Joined(), c.Expected) << c.Kind;
    EXPECT_EQ(h.World.Robot.Y, 0) << "the run stopped";
  }
}

TEST(Interpreter, HundredThousandStatementsCompileRunAndAreDestroyed) {
  std::string program;
  for (int i = 0; i < 50000; ++i) program += "LinksDrehen\r\nMarkeSetzen\r\n";
  TEngineHarness h;
  h.TraceSteps = false;
  ASSERT_TRUE(h.CompileAndRun(program));
  EXPECT_EQ(h.Engine.StatementCount, 100000);
  EXPECT_TRUE(h.Log.empty());
  h.Engine.Program.reset();  // a chain of 100 000 nodes
}

TEST(Interpreter, DeepHandBuiltTreeIsDestroyedWithoutRecursion) {
  auto root = std::make_unique<TTumbo_Program_Top>(kindTop, 0, 0, false, "", 1);
  TTumbo_Program* node = root.get();
  for (int i = 0; i < 200000; ++i) {
    auto* ifNode = new TTumbo_Program_If(kindIf, condIstWand, 0, false, "", i);
    ifNode->ElseBody = new TTumbo_Program(kindSchritt, 0, 1, false, "", i);
    node->Body = ifNode;
    node = ifNode;
  }
  root.reset();
  SUCCEED();
}

TEST(Interpreter, StartOfRunResetsTheCarriedBricks) {
  TEngineHarness h;
  h.World.Robot.CheckBrick = true;
  h.World.Robot.MaxBrick = 3;
  h.World.Robot.BrickStart = 2;
  h.World.Robot.Carried = 0;
  RunProgram("Hinlegen", h);
  EXPECT_EQ(h.World.Robot.Carried, 1);
  EXPECT_EQ(h.Engine.CurrentLine, -1);
  EXPECT_EQ(h.Engine.RunMode, 0);
}

}  // namespace
