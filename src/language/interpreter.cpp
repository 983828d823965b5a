// Run: the interpreter that walks the program tree against the world.
#include <typeinfo>

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
                                                           : nullptr) {}

TTumbo_Parser::~TTumbo_Parser() = default;


void TTumbo_Parser::Run(uint8_t mode) {
  RunMode = mode;
  Stopped = false;
  Fast = false;
  CurrentLine = 0;
  StatementCount = 0;
  StatementLimitReached = false;
  if (Program) {
    Robot().ResetForRun();
    if (Recorder) Recorder->Start();
    Execute(Program->Body, Program.get(), 1, kParamX);
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
}

void TTumbo_Parser::Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x) {
  if (!node || Stopped) return;
  if (depth > MaxDepth) {
    AbortTooDeep();
    return;
  }
  TTumbo& robot = Robot();
  for (; node && !Stopped; node = node->Next) {
    if (BreakLine > 0 && node->Line == BreakLine && RunMode != 0) RunMode = 3;
    const int32_t kind = node->Kind;
    const bool definition = kind == kindInstructionDef || kind == kindConditionDef;
    if (!definition) {
      ++StatementCount;
      if (StatementLimit > 0 && StatementCount > StatementLimit) {
        StopAtStatementLimit();
        break;
      }
      if (!StepPoint(node)) break;
    }
    const int32_t p = node->Param == kParamX ? x : node->Param;
    // Single steps, turns, conditional statements, calls and end words make up most statements
    // of a long run: they are handled here, without the call to RunNode (whose frame a call
    // would also leave on the stack for the whole recursion).
    switch (kind) {
      case kindSchritt:
        if (p <= 1) robot.Schritt(p);
        else RunNode(node, scope, depth, x, p);
        break;
      case kindLinksDrehen: robot.LinksDrehen(); break;
      case kindRechtsDrehen: robot.RechtsDrehen(); break;
      case kindIf:
        Pause();
        if (EvaluateCondition(node, scope, depth, p) && !Stopped) {
          Execute(node->Body, scope, depth + 1, x);
        } else if (TTumbo_Program* otherwise = static_cast<TTumbo_Program_If*>(node)->ElseBody) {
          Execute(otherwise, scope, depth + 1, x);
        }
        break;
      case kindCall: CallInstruction(node, scope, depth); break;
      case kindEnd: break;
      default: RunNode(node, scope, depth, x, p); break;
    }
    if (robot.Failed) ReportAndClearRobotFailure();
    AfterStatement();
    if (!definition) Pause();
  }
}

void TTumbo_Parser::AfterStatement() {
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

// The cold paths of Execute live apart, so that the frame of Execute, which recursion stacks
// up to MaxDepth times, stays small.
void TTumbo_Parser::AbortTooDeep() {
  if (OnMessage) OnMessage(1, CurrentLine, DepthLimitText(MaxDepth));
  Stop();
}

void TTumbo_Parser::StopAtStatementLimit() {
  StatementLimitReached = true;
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

void TTumbo_Parser::RunNode(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth, int32_t x,
                            int32_t p) {
  TTumbo& robot = Robot();
  switch (node->Kind) {
    case kindSchritt:
      if (p <= 1) robot.Schritt(p);
      else RepeatAction(node->Kind, p);
      break;
    case kindHinlegen:
    case kindAufheben:
      RepeatAction(node->Kind, p);
      break;
    case kindLinksDrehen: robot.LinksDrehen(); break;
    case kindRechtsDrehen: robot.RechtsDrehen(); break;
    case kindMarkeSetzen: robot.MarkeSetzen(); break;
    case kindMarkeLoeschen: robot.MarkeLoeschen(); break;
    case kindWarten: Wait(node->Param); break;  // the node's own count, also for X
    case kindTon: Host.PlaySound(); break;
    case kindLangsam:
      Fast = false;
      Host.UpdateView();
      break;
    case kindSchnell: Fast = true; break;
    case kindBeenden:
      Stopped = true;
      Fast = false;
      Host.UpdateView();
      break;
    case kindRepeat:
      if (p == kParamX) {
        robot.Fail(17);
      } else {
        for (int32_t pass = 0; pass < p; ++pass) {
          Pause();
          Execute(node->Body, scope, depth + 1, x);
          if (!StepPoint(node) || Stopped) break;
        }
      }
      break;
    case kindWhile:
    case kindRepeatWhile:
      for (;;) {
        if (!EvaluateCondition(node, scope, depth, p) || Stopped) break;
        Pause();
        Execute(node->Body, scope, depth + 1, x);
        if (!StepPoint(node)) break;
      }
      break;
    case kindRepeatUntil:
    case kindRepeatWhileAfter:
      for (;;) {
        Pause();
        Execute(node->Body, scope, depth + 1, x);
        const bool holds = EvaluateCondition(node, scope, depth, p);
        if (holds == (node->Kind == kindRepeatUntil) || Stopped) break;
        if (!StepPoint(node)) break;
      }
      break;
    case kindTrue:
    case kindFalse:
      if (scope && scope->Kind == kindConditionDef)
        static_cast<TTumbo_Program_Bool*>(scope)->Result = node->Kind == kindTrue;
      else
        ReportError(msgWahrFalschOutside, node->Line);
      break;
    case kindIf:    // run by Execute
    case kindCall:  // run by Execute
    case kindInstructionDef:
    case kindConditionDef:
    case kindProgramm:
    case kindEnd:
      break;
    default:
      ReportError(msgUnknownInstruction, node->Line);
      Stop();
      break;
  }
}

bool TTumbo_Parser::EvaluateCondition(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth,
                                      int32_t p) {
  TTumbo& robot = Robot();
  bool result = true;
  switch (node->Condition) {
    case condIstWand: result = robot.IstWand(); break;
    case condNichtIstWand: result = !robot.IstWand(); break;
    case condIstZiegel: result = robot.IstZiegel(p); break;
    case condNichtIstZiegel: result = !robot.IstZiegel(p); break;
    case condIstMarke: result = robot.IstMarke(); break;
    case condNichtIstMarke: result = !robot.IstMarke(); break;
    case condIstNorden: result = robot.IstNorden(); break;
    case condIstOsten: result = robot.IstOsten(); break;
    case condIstSueden: result = robot.IstSueden(); break;
    case condIstWesten: result = robot.IstWesten(); break;
    case condIstVoll: result = robot.IstVoll(); break;
    case condNichtIstVoll: result = !robot.IstVoll(); break;
    case condIstLeer: result = robot.IstLeer(); break;
    case condNichtIstLeer: result = !robot.IstLeer(); break;
    case condHatZiegel: result = robot.HatZiegel(p); break;
    case condOwn: result = EvaluateOwnCondition(node, scope, depth); break;
    default:
      ReportError(msgUnknownCondition, node->Line);
      Stop();
      break;
  }
  if (node->Negated) result = !result;
  CheckRobotFailure();
  return result;
}

void TTumbo_Parser::CallInstruction(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth) {
  TTumbo_Program_Top* def = scope ? scope->FindDefinition(node->Name, kindInstructionDef) : nullptr;
  if (!def) {
    ReportError(msgUnknownInstruction, node->Line);
    Stop();
    return;
  }
  Pause();
  const bool fast = Fast;
  Execute(def->Body, def, depth + 1, node->Param);
  Fast = fast;
}

bool TTumbo_Parser::EvaluateOwnCondition(TTumbo_Program* node, TTumbo_Program_Top* scope,
                                         int depth) {
  auto* def = scope ? static_cast<TTumbo_Program_Bool*>(
                          scope->FindDefinition(node->Name, kindConditionDef))
                    : nullptr;
  if (!def) {
    ReportError(msgUnknownCondition, node->Line);
    Stop();
    return true;
  }
  // Result is not reset: a body that reaches neither WAHR nor FALSCH keeps the last value.
  const bool fast = Fast;
  Execute(def->Body, def, depth + 1, node->Param);
  Fast = fast;
  return def->Result;
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
  const std::string& text = Robot().Message;
  if (Hint && OnMessage) OnMessage(0, line, text);
  if (StopOnError && OnMessage) OnMessage(1, line, text);
}
