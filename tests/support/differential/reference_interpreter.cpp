// The reference interpreter: the engine's former tree walk, one recursive Execute per block.
// Only the access to the engine's state differs from the original (E.field instead of field),
// and it follows the rules made since: WIEDERHOLE IMMER never runs out, and a loop pass that
// counted no statement counts as one.
#include "reference_interpreter.h"

#include "language/messages.h"
#include "world/welt.h"

namespace {

constexpr uint32_t kStepWaitSlice = 50;

}  // namespace

void TReferenceInterpreter::Run(uint8_t mode) {
  E.RunMode = mode;
  E.Stopped = false;
  E.Fast = false;
  E.CurrentLine = 0;
  E.StatementCount = E.FirstStatementCount;
  E.StatementLimitReached = false;
  if (E.Program) {
    Robot().ResetForRun();
    if (E.Recorder) E.Recorder->Start();
    Execute(E.Program->Body, E.Program.get(), 1, kParamX);
    E.CurrentLine = -1;
    if (E.Recorder) {
      E.Recorder->Record(E.CurrentLine);
      E.Recorder->Finish();
    }
    if (E.OnStep) E.OnStep();
  }
  E.Fast = false;
  E.RunMode = 0;
  Host.UpdateView();
}

bool TReferenceInterpreter::StepPoint(TTumbo_Program* node) {
  E.CurrentLine = node->Line;
  if (E.Recorder) E.Recorder->Record(E.CurrentLine);
  if (E.OnStep ? E.RunMode == 2 : E.RunMode != 3) return true;
  return ShowStep();
}

void TReferenceInterpreter::Pause() {
  if (static_cast<uint32_t>(E.Delay) > 1 && E.RunMode == 1 && !E.Fast) Wait(E.Delay);
}

void TReferenceInterpreter::Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth,
                                    int32_t x) {
  if (!node || E.Stopped) return;
  if (depth > E.MaxDepth) {
    AbortTooDeep();
    return;
  }
  TTumbo& robot = Robot();
  for (; node && !E.Stopped; node = node->Next) {
    if (E.BreakLine > 0 && node->Line == E.BreakLine && E.RunMode != 0) E.RunMode = 3;
    const int32_t kind = node->Kind;
    const bool definition = kind == kindInstructionDef || kind == kindConditionDef;
    if (!definition) {
      ++E.StatementCount;
      if (E.StatementLimit > 0 && E.StatementCount > E.StatementLimit) {
        StopAtStatementLimit();
        break;
      }
      if (!StepPoint(node)) break;
    }
    const int32_t p = node->Param == kParamX ? x : node->Param;
    switch (kind) {
      case kindSchritt:
        if (p <= 1) robot.Schritt(p);
        else RunNode(node, scope, depth, x, p);
        break;
      case kindLinksDrehen: robot.LinksDrehen(); break;
      case kindRechtsDrehen: robot.RechtsDrehen(); break;
      case kindIf:
        Pause();
        if (EvaluateCondition(node, scope, depth, p) && !E.Stopped) {
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

bool TReferenceInterpreter::CountedPass(int64_t passStart) {
  if (E.StatementCount != passStart || E.Stopped) return true;
  ++E.StatementCount;
  if (E.StatementLimit > 0 && E.StatementCount > E.StatementLimit) {
    StopAtStatementLimit();
    return false;
  }
  AfterStatement();
  return true;
}

void TReferenceInterpreter::AfterStatement() {
  if (!E.Fast || E.RunMode == 3) Host.UpdateView();
  Host.ProcessEvents();
}

void TReferenceInterpreter::AbortTooDeep() {
  if (E.OnMessage) E.OnMessage(1, E.CurrentLine, DepthLimitText(E.MaxDepth));
  E.Stop();
}

void TReferenceInterpreter::StopAtStatementLimit() {
  E.StatementLimitReached = true;
  if (E.OnStatementLimit) E.OnStatementLimit();
  E.Stop();
}

void TReferenceInterpreter::RepeatAction(int kind, int32_t count) {
  TTumbo& robot = Robot();
  auto once = [&robot, kind](int32_t n) {
    if (kind == kindSchritt) robot.Schritt(n);
    else if (kind == kindHinlegen) robot.Hinlegen(n);
    else robot.Aufheben(n);
  };
  if (count <= 1) {
    once(count);
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    once(1);
    if (robot.Failed) break;
  }
}

void TReferenceInterpreter::RunNode(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth,
                                    int32_t x, int32_t p) {
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
    case kindWarten: Wait(node->Param); break;
    case kindTon: Host.PlaySound(); break;
    case kindLangsam:
      E.Fast = false;
      Host.UpdateView();
      break;
    case kindSchnell: E.Fast = true; break;
    case kindBeenden:
      E.Stopped = true;
      E.Fast = false;
      Host.UpdateView();
      break;
    case kindRepeat:
      if (p == kParamX) {
        robot.Fail(17);
      } else {
        // WIEDERHOLE IMMER (P = 2147483647) never runs out.
        for (int32_t pass = 0; pass < p; pass += p != kParamForever) {
          const int64_t passStart = E.StatementCount;
          Pause();
          Execute(node->Body, scope, depth + 1, x);
          if (!CountedPass(passStart) || !StepPoint(node) || E.Stopped) break;
        }
      }
      break;
    case kindWhile:
    case kindRepeatWhile:
      for (;;) {
        const int64_t passStart = E.StatementCount;
        if (!EvaluateCondition(node, scope, depth, p) || E.Stopped) break;
        Pause();
        Execute(node->Body, scope, depth + 1, x);
        if (!CountedPass(passStart) || !StepPoint(node)) break;
      }
      break;
    case kindRepeatUntil:
    case kindRepeatWhileAfter:
      for (;;) {
        const int64_t passStart = E.StatementCount;
        Pause();
        Execute(node->Body, scope, depth + 1, x);
        const bool holds = EvaluateCondition(node, scope, depth, p);
        if (holds == (node->Kind == kindRepeatUntil) || E.Stopped) break;
        if (!CountedPass(passStart) || !StepPoint(node)) break;
      }
      break;
    case kindTrue:
    case kindFalse:
      if (scope && scope->Kind == kindConditionDef)
        static_cast<TTumbo_Program_Bool*>(scope)->Result = node->Kind == kindTrue;
      else
        E.ReportError(msgWahrFalschOutside, node->Line);
      break;
    case kindIf:
    case kindCall:
    case kindInstructionDef:
    case kindConditionDef:
    case kindProgramm:
    case kindEnd:
      break;
    default:
      E.ReportError(msgUnknownInstruction, node->Line);
      E.Stop();
      break;
  }
}

bool TReferenceInterpreter::EvaluateCondition(TTumbo_Program* node, TTumbo_Program_Top* scope,
                                              int depth, int32_t p) {
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
      E.ReportError(msgUnknownCondition, node->Line);
      E.Stop();
      break;
  }
  if (node->Negated) result = !result;
  CheckRobotFailure();
  return result;
}

void TReferenceInterpreter::CallInstruction(TTumbo_Program* node, TTumbo_Program_Top* scope,
                                            int depth) {
  TTumbo_Program_Top* def = scope ? scope->FindDefinition(node->Name, kindInstructionDef) : nullptr;
  if (!def) {
    E.ReportError(msgUnknownInstruction, node->Line);
    E.Stop();
    return;
  }
  Pause();
  const bool fast = E.Fast;
  Execute(def->Body, def, depth + 1, node->Param);
  E.Fast = fast;
}

bool TReferenceInterpreter::EvaluateOwnCondition(TTumbo_Program* node, TTumbo_Program_Top* scope,
                                                 int depth) {
  auto* def = scope ? static_cast<TTumbo_Program_Bool*>(
                          scope->FindDefinition(node->Name, kindConditionDef))
                    : nullptr;
  if (!def) {
    E.ReportError(msgUnknownCondition, node->Line);
    E.Stop();
    return true;
  }
  const bool fast = E.Fast;
  Execute(def->Body, def, depth + 1, node->Param);
  E.Fast = fast;
  return def->Result;
}

bool TReferenceInterpreter::ShowStep() {
  const bool stoppedBefore = E.Stopped;
  if (E.OnStep) E.OnStep();
  if (E.RunMode == 3) {
    E.StepRequested = false;
    while (!E.StepRequested && E.RunMode == 3) Host.WaitForEvents(kStepWaitSlice);
    E.StepRequested = false;
  }
  return stoppedBefore || !E.Stopped;
}

void TReferenceInterpreter::Wait(int32_t ms) {
  const auto count = static_cast<uint32_t>(ms);
  if (count <= 1) return;
  if (count > 0x7FFFFFFFu) return;
  const uint32_t start = Host.TickCount();
  for (;;) {
    const uint32_t elapsed = Host.TickCount() - start;
    if (elapsed >= count) break;
    Host.WaitForEvents(count - elapsed);
  }
}

void TReferenceInterpreter::CheckRobotFailure() {
  if (Robot().Failed) ReportAndClearRobotFailure();
}

void TReferenceInterpreter::ReportAndClearRobotFailure() {
  TTumbo& robot = Robot();
  if (E.Recorder) E.Recorder->NoteFailure(robot.MessageNumber);
  const std::string& text = robot.Message;
  if (E.Hint && E.OnMessage) E.OnMessage(0, E.CurrentLine, text);
  if (E.StopOnError && E.OnMessage) E.OnMessage(1, E.CurrentLine, text);
  if (E.StopOnError) E.Stopped = true;
  robot.Failed = false;
}
