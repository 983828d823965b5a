#pragma once
// The language engine: compiles a program text into a program tree (Compile) and runs the tree
// against the world (Run). The platform is reached only through TTumbo_Host.
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "language/host.h"
#include "language/messages.h"
#include "language/program_tree.h"
#include "world/run_recorder.h"
#include "world/welt.h"

class TTumbo_HeadlessHost;
class TFlatProgram;
class TRoomView;
struct TFlatInstruction;
struct TFlatCode;

class TTumbo_Parser {
 public:
  // OnError(number, line, message): compiler messages, and messages 10 to 12 while running.
  using TErrorHandler = std::function<void(int number, int line, const std::string& message)>;
  // OnMessage(kind, line, message): kind 0 a note ("[Hinweis]"), 1 an abort ("[Abbruch]").
  using TMessageHandler = std::function<void(int kind, int line, const std::string& message)>;
  using TStepHandler = std::function<void()>;

  TTumbo_Parser(TWelt& world, TTumbo_Host& host, TErrorHandler onError = {},
                TMessageHandler onMessage = {}, TStepHandler onStep = {});
  ~TTumbo_Parser();
  TTumbo_Parser(const TTumbo_Parser&) = delete;
  TTumbo_Parser& operator=(const TTumbo_Parser&) = delete;

  // --- compiling ---
  // Scans `text` (Windows-1252), expands the libraries found in `folder` (a native UTF-8 path
  // ending in a path separator, or empty for a program not saved yet), parses, and replaces Program, also on failure. True without messages.
  bool Compile(const std::string& text, const std::string& folder, bool reportErrors = true);
  // Sets ErrorFound; calls OnError with the message text when ReportErrors is set.
  void ReportError(int number, int line);

  // --- running ---
  // mode 1 normal, 2 fast, 3 single step. Returns when the program ended or was stopped.
  void Run(uint8_t mode);
  void RequestStep();
  void Stop();

  // Runs the sequence `node` with `scope`, `depth` and `x` as a run does its main program;
  // public so that tests can drive hand-built trees.
  void Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x);
  // The boundary of one step. False when Stop() arrived while the step waited in single-step
  // mode: the statement of that step is then not run.
  bool StepPoint(TTumbo_Program* node) { return StepPointAt(node->Line); }
  bool StepPointAt(int32_t line) {
    CurrentLine = line;
    if (Recorder) Recorder->Record(CurrentLine);
    // Nothing to show or wait for: fast mode, or no step callback outside single-step mode.
    if (OnStep ? RunMode == 2 : RunMode != 3) return true;
    return ShowStep();
  }
  // Pauses for Delay in normal mode outside Schnell.
  void Pause() {
    if (static_cast<uint32_t>(Delay) > 1 && RunMode == 1 && !Fast) Wait(Delay);
  }
  void Wait(int32_t ms);
  void ReportRobotFailure(int line);

  // --- fields ---
  TWelt& World;
  TErrorHandler OnError;
  TMessageHandler OnMessage;
  TStepHandler OnStep;
  std::string Source;  // the working text of the last Compile
  bool ErrorFound = false;
  bool Stopped = false;
  bool Fast = false;
  int32_t ParseLine = 0;
  bool StepRequested = false;
  int32_t Delay = 0;
  uint8_t RunMode = 0;  // 0 idle, 1 normal, 2 fast, 3 single step
  int32_t CurrentLine = -1;
  int32_t BreakLine = -1;
  std::unique_ptr<TTumbo_Program_Top> Program;
  bool ReportErrors = true;
  bool Hint = true;
  bool StopOnError = false;
  // OnStep only brings a display up to date (the window's current line): while the run is
  // quiet (see TTumbo_Host::QuietStatements) it is called at each of the host's frames, with
  // the step then current, instead of at every step.
  bool StepsSeenAtFrames = false;

  // Limits of a run. MaxDepth bounds the depth counter (an Execute entered deeper reports an
  // abort and stops the run). StatementLimit, when above 0, bounds the number of statements a
  // run executes; on passing it OnStatementLimit is called, the run stops and the statement is
  // skipped.
  int MaxDepth = kMaxDepth;
  int64_t StatementLimit = 0;
  int64_t StatementCount = 0;
  // The count a run starts with: 0, or near a limit for a test that would otherwise run
  // billions of statements to reach it.
  int64_t FirstStatementCount = 0;
  bool StatementLimitReached = false;
  std::function<void()> OnStatementLimit;

  // Records every step of each run when set (started with the run, finished at its end).
  // Not owned.
  TRunRecorder* Recorder = nullptr;

 private:
  TTumbo& Robot() { return World.Robot; }
  bool ShowStep();

  // --- the run of the flat form (flat_run.cpp, quiet_run.cpp) ---
  // Runs code `index` of flat_ as a sequence at `depth` with `x`: a body in one loop; only a
  // call of an own instruction or condition nests.
  void RunCode(int32_t index, int depth, int32_t x);
  // The statements of code `code` from `pc` on while the run stays quiet (quiet_ set, and no
  // body of the code deeper than MaxDepth): the count, the event rounds and redraws of the
  // headless host are kept in registers and written back before anything may look at them.
  // Gives where the run goes on in RunCode's loop, or kReturned at the code's end.
  // kHeadless: the host is the headless one, whose event rounds and redraws are counted.
  template <bool kRecord, bool kHeadless>
  int32_t RunQuietly(const TFlatCode& code, int32_t pc, int depth, int32_t x, size_t counters);
  static constexpr int32_t kReturned = -1;
  // The start of a statement: counts it and passes its step point. False when the run stops
  // there (statement limit, or Stop() in the single-step wait): the statement is not run.
  inline bool BeginStatement(const TFlatInstruction& in);
  [[gnu::noinline]] bool BeginStatementSlowly(const TFlatInstruction& in);
  // The end of a statement: robot failure, redraw, events and (with kPause) the pause. Gives
  // where the run goes on.
  template <bool kPause>
  inline int32_t EndStatement(const TFlatInstruction& in);
  [[gnu::noinline]] int32_t EndStatementSlowly(const TFlatInstruction& in, bool pause);
  // A loop's step point at its own line after a pass.
  inline bool LoopStep(int32_t line);
  inline void PauseInRun();
  // The first instruction of a body about to be entered at `depth`, or `otherwise` when the
  // body is empty, the run is stopped or the body would lie too deep.
  inline int32_t EnterBody(int32_t entry, int depth, int32_t otherwise);
  // The next pass of a counted repetition with `left` passes to go: its body's entry, the
  // repetition's step op for an empty body, or its Tail when done.
  inline int32_t NextPass(const TFlatInstruction& in, int32_t& left, int bodyDepth);
  // Where the run goes on once the condition of a head or step op answered `holds` (before
  // WENN's branch, a pass of SOLANGE, after a pass of *WIEDERHOLE BIS/SOLANGE); `depth` is the
  // statement's.
  int32_t IfBranch(const TFlatInstruction& in, bool holds, int depth);
  int32_t WhilePass(const TFlatInstruction& in, bool holds, int depth);
  // `testCounted`: the condition counted statements (an own condition's), so the pass did.
  int32_t UntilPass(const TFlatInstruction& in, bool holds, int depth, bool testCounted = true);
  // A loop pass that counted no statement (its body counts nothing, see
  // TFlatInstruction::Uncounted) counts as one and ends as a statement does, so that every
  // endless loop meets the statement limit and a window's run still handles events. False
  // when the limit stops the run there: the pass gets no step point.
  [[gnu::noinline]] bool CountEmptyPass();
  // The condition of a head or step op, evaluated at `depth` (its statement's).
  bool Test(const TFlatInstruction& in, int32_t x, int depth);
  // Test for SOLANGE, noting in passCounted_ whether it counted statements.
  bool WhileTest(const TFlatInstruction& in, int32_t x, int depth);
  // Test once the robot's answer is known (kNoRobotCondition: an own or unknown condition):
  // negation, and the report of a robot failure.
  bool FinishTest(const TFlatInstruction& in, int depth, int robotAnswer);
  [[gnu::noinline]] bool OwnCondition(const TFlatInstruction& in, int depth);
  [[gnu::noinline]] void CallInstruction(const TFlatInstruction& in, int depth);
  // Decides again whether the next statements may take the quiet path; called after anything
  // that may have changed the run's state (a callback, an event round, a wait, SCHNELL ...).
  void Recheck();
  // The frame of a quiet stretch for a host other than the headless one: OnStep for the
  // current step (see StepsSeenAtFrames), then the host's redraw and events.
  [[gnu::noinline]] void QuietFrame();
  // While the run is quiet the robot's steps and turns mark no cells (TTumbo::MarksMoves):
  // at each frame and when the quiet stretch ends, the cell where it stood at the last frame
  // and the one it stands on now are marked instead.
  // ShowTrail before anything else that may let the host draw meanwhile.
  void StartTrail();
  void MarkTrail();
  void ShowTrail();
  void EndTrail();
  // After every statement and condition: reports a robot failure and clears it.
  void ReportAndClearRobotFailure();
  void RepeatAction(int kind, int32_t count);
  // After every statement: the redraw (outside Schnell, and always in single-step mode) and one
  // round of event handling.
  void AfterStatement();
  [[gnu::noinline]] void AbortTooDeep();
  [[gnu::noinline]] void StopAtStatementLimit();

  // Quiet: nothing to show, wait for or look at between statements (the headless host without
  // events, or another host between its frames; no step to show, no breakpoint, no pause, not
  // stopped).
  // Then a statement's start is one comparison with quietLimit_ (the statement limit, or
  // below every count when not quiet) and its end one test of quiet_.
  bool quiet_ = false;
  int64_t quietLimit_ = INT64_MIN;
  uint32_t quietStatements_ = 0;  // the host's QuietStatements() for this run
  int64_t nextFrame_ = 0;         // the statement count at which the next quiet frame is due
  int32_t trailX_ = 0;            // the robot's cell at the quiet stretch's last frame
  int32_t trailY_ = 0;
  bool passCounted_ = false;  // the last SOLANGE condition tested counted statements
  std::unique_ptr<TFlatProgram> flat_;
  std::vector<int32_t> counters_;  // pass counters of the running repetitions, by frame
  std::shared_ptr<const TRoomView> roomCopy_;  // the room as recorded robot loops saw it

  TTumbo_Host& Host;
  // The host when it is exactly the headless one (command-line tool, tests, benchmarks), whose
  // calls after every statement are then made without the virtual dispatch; else empty.
  TTumbo_HeadlessHost* const Headless;
};
