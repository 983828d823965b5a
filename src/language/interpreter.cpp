// Run: the interpreter's frame around the flat form's run (flat_run.cpp): start and end of
// a run, stop, waits, the step point's wait and the reports of robot failures.
#include <algorithm>
#include <typeinfo>

#include "language/flat_code.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {

// How long one wait for events in single-step mode may block before the flags are looked at
// again (the flags normally change inside a handled event, which ends the wait at once).
constexpr uint32_t kStepWaitSlice = 50;

}  // namespace

TTumbo_Parser::TTumbo_Parser(TWelt& world, TTumbo_Host& host, TErrorHandler onError,
                             TMessageHandler onMessage, TStepHandler onStep)
    : World(world), OnError(std::move(onError)), OnMessage(std::move(onMessage)),
      OnStep(std::move(onStep)), Host(host),
      Headless(typeid(host) == typeid(TTumbo_HeadlessHost) ? static_cast<TTumbo_HeadlessHost*>(&host)
                                                           : nullptr) {
  flat_ = std::make_unique<TFlatProgram>();
}

TTumbo_Parser::~TTumbo_Parser() = default;


void TTumbo_Parser::Run(uint8_t mode) {
  RunMode = mode;
  Stopped = false;
  Fast = false;
  CurrentLine = 0;
  StatementCount = FirstStatementCount;
  StatementLimitReached = false;
  quietStatements_ = Headless ? 0 : Host.QuietStatements();
  nextFrame_ = StatementCount + quietStatements_;
  if (Program) {
    Robot().ResetForRun();
    if (Recorder) Recorder->Start();
    Execute(Program->Body, Program.get(), 1, kParamX);
    EndTrail();
    CurrentLine = -1;
    if (Recorder) {
      Recorder->Record(CurrentLine);
      Recorder->Finish();
    }
    if (OnStep) OnStep();
  }
  Fast = false;
  RunMode = 0;
  Host.UpdateView();  // a run that ended under Schnell shows its final state
}

void TTumbo_Parser::RequestStep() { StepRequested = true; }

void TTumbo_Parser::Stop() {
  Stopped = true;
  CurrentLine = -1;
  Fast = false;
  RunMode = 0;
  quiet_ = false;
  EndTrail();
  quietLimit_ = INT64_MIN;
}

void TTumbo_Parser::Recheck() {
  // Asked after every statement of a run that is not quiet: answered at once.
  const bool hostQuiet = Headless ? !Headless->OnEvents : quietStatements_ > 0;
  const bool stepsShown = OnStep && !StepsSeenAtFrames ? RunMode != 2 : RunMode == 3;
  quiet_ = hostQuiet && !Stopped && BreakLine <= 0 && !stepsShown &&
           !(static_cast<uint32_t>(Delay) > 1 && RunMode == 1 && !Fast);
  if (quiet_ == Robot().MarksMoves) quiet_ ? StartTrail() : EndTrail();
  if (!quiet_) {
    quietLimit_ = INT64_MIN;
    return;
  }
  quietLimit_ = StatementLimit > 0 ? StatementLimit : INT64_MAX;
  // Another host's quiet stretch ends at its next frame, where the statement's start takes
  // the slow way.
  if (!Headless) quietLimit_ = std::min(quietLimit_, nextFrame_);
}

void TTumbo_Parser::QuietFrame() {
  MarkTrail();
  if (OnStep && RunMode != 2) OnStep();
  Host.QuietFrame(!Fast);
  nextFrame_ = StatementCount - 1 + quietStatements_;  // counted from the statement before
  Recheck();
}

void TTumbo_Parser::StartTrail() {
  trailX_ = Robot().X;
  trailY_ = Robot().Y;
  Robot().MarksMoves = false;
}

void TTumbo_Parser::MarkTrail() {
  TTumbo& robot = Robot();
  if (robot.Room.Contains(trailX_, trailY_)) robot.Room.MarkTopDirty(trailX_, trailY_);
  robot.Room.MarkTopDirty(robot.X, robot.Y);
  trailX_ = robot.X;
  trailY_ = robot.Y;
}

void TTumbo_Parser::ShowTrail() {
  if (!Robot().MarksMoves) MarkTrail();
}

void TTumbo_Parser::EndTrail() {
  if (Robot().MarksMoves) return;
  MarkTrail();
  Robot().MarksMoves = true;
}

void TTumbo_Parser::AfterStatement() {
  ShowTrail();
  const bool redraw = !Fast || RunMode == 3;
  if (Headless) {
    // The same calls, made directly: two calls through the table after every statement cost
    // about as much as a robot step.
    if (redraw) Headless->TTumbo_HeadlessHost::UpdateView();
    Headless->TTumbo_HeadlessHost::ProcessEvents();
  } else {
    if (redraw) Host.UpdateView();
    Host.ProcessEvents();
  }
}

void TTumbo_Parser::AbortTooDeep() {
  ShowTrail();
  if (OnMessage) OnMessage(1, CurrentLine, DepthLimitText(MaxDepth));
  Stop();
}

void TTumbo_Parser::StopAtStatementLimit() {
  StatementLimitReached = true;
  ShowTrail();
  if (OnStatementLimit) OnStatementLimit();
  Stop();
}

void TTumbo_Parser::RepeatAction(int kind, int32_t count) {
  TTumbo& robot = Robot();
  auto once = [&robot, kind](int32_t n) {
    if (kind == kindSchritt) robot.Schritt(n);
    else if (kind == kindHinlegen) robot.Hinlegen(n);
    else robot.Aufheben(n);
  };
  if (count <= 1) {
    once(count);  // -1 (X without a value), nothing, or one repetition
    return;
  }
  // A failing repetition changes nothing, so every later one would fail alike: stopping at the
  // first gives the same result and keeps a huge count from freezing the window.
  for (int32_t i = 0; i < count; ++i) {
    once(1);
    if (robot.Failed) break;
  }
}

bool TTumbo_Parser::ShowStep() {
  const bool stoppedBefore = Stopped;
  if (OnStep) OnStep();
  if (RunMode == 3) {
    StepRequested = false;
    while (!StepRequested && RunMode == 3) Host.WaitForEvents(kStepWaitSlice);
    StepRequested = false;
  }
  // Stop() during the wait: the run unwinds before the statement of this step.
  return stoppedBefore || !Stopped;
}


void TTumbo_Parser::Wait(int32_t ms) {
  const auto count = static_cast<uint32_t>(ms);
  if (count <= 1) return;
  // A negative count (the -1 that Warten(X) stores) has its end before its start in the
  // wrapping tick arithmetic, so it does not wait.
  if (count > 0x7FFFFFFFu) return;
  ShowTrail();
  const uint32_t start = Host.TickCount();
  for (;;) {
    const uint32_t elapsed = Host.TickCount() - start;
    if (elapsed >= count) break;
    Host.WaitForEvents(count - elapsed);
  }
}

void TTumbo_Parser::ReportAndClearRobotFailure() {
  TTumbo& robot = Robot();
  if (Recorder) Recorder->NoteFailure(robot.MessageNumber);
  ReportRobotFailure(CurrentLine);
  if (StopOnError) Stopped = true;
  robot.Failed = false;
}

void TTumbo_Parser::ReportRobotFailure(int line) {
  ShowTrail();  // a message box may draw the world
  const std::string& text = Robot().Message;
  if (Hint && OnMessage) OnMessage(0, line, text);
  if (StopOnError && OnMessage) OnMessage(1, line, text);
}
