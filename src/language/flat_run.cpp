// The run of the flat form: one loop per body over its instructions. Every statement passes
// the same boundaries as ever (count, step point, the action, robot failure, redraw, events,
// pause); while the run is quiet (see Recheck) those that cannot do anything are one test each.
#include "language/flat_code.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "language/robot_condition.h"
#include "world/welt.h"

void TTumbo_Parser::Execute(TTumbo_Program* node, TTumbo_Program_Top* scope, int depth,
                            int32_t x) {
  flat_->Reset(node, scope);
  Recheck();
  RunCode(0, depth, x);
}

bool TTumbo_Parser::BeginStatement(const TFlatInstruction& in) {
  if (++StatementCount > quietLimit_) [[unlikely]]
    return BeginStatementSlowly(in);
  CurrentLine = in.Line;
  if (Recorder) Recorder->Record(CurrentLine);
  return true;
}

bool TTumbo_Parser::BeginStatementSlowly(const TFlatInstruction& in) {
  if (BreakLine > 0 && in.Line == BreakLine && RunMode != 0) RunMode = 3;
  if (StatementLimit > 0 && StatementCount > StatementLimit) {
    StopAtStatementLimit();
    return false;
  }
  if (quiet_ && !Headless) {
    // A quiet stretch's frame, made where the statement before ended.
    QuietFrame();
    if (Stopped) {
      --StatementCount;  // stopped after the statement before: this one never began
      return false;
    }
    if (quiet_) {
      CurrentLine = in.Line;
      if (Recorder) Recorder->Record(CurrentLine);
      return true;
    }
  }
  const bool go = StepPointAt(in.Line);
  Recheck();
  return go;
}

template <bool kPause>
int32_t TTumbo_Parser::EndStatement(const TFlatInstruction& in) {
  if (quiet_ && !World.Robot.Failed) [[likely]] {
    // What AfterStatement does for the headless host (another host waits for its frame); a
    // quiet run has no pause.
    if (Headless) {
      if (!Fast) Headless->TTumbo_HeadlessHost::UpdateView();
      Headless->TTumbo_HeadlessHost::ProcessEvents();
    }
    return in.Next;
  }
  return EndStatementSlowly(in, kPause);
}

int32_t TTumbo_Parser::EndStatementSlowly(const TFlatInstruction& in, bool pause) {
  if (World.Robot.Failed) ReportAndClearRobotFailure();
  AfterStatement();
  if (pause) Pause();
  Recheck();
  return Stopped ? in.Exit : in.Next;
}

bool TTumbo_Parser::LoopStep(int32_t line) {
  if (quiet_) {
    CurrentLine = line;
    if (Recorder) Recorder->Record(CurrentLine);
    return true;
  }
  const bool go = StepPointAt(line);
  Recheck();
  return go;
}

void TTumbo_Parser::PauseInRun() {
  if (quiet_ || !(static_cast<uint32_t>(Delay) > 1 && RunMode == 1 && !Fast)) return;
  Wait(Delay);
  Recheck();
}

int32_t TTumbo_Parser::EnterBody(int32_t entry, int depth, int32_t otherwise) {
  if (entry == otherwise || Stopped) return otherwise;  // an empty body leads on at once
  if (depth > MaxDepth) [[unlikely]] {
    AbortTooDeep();
    return otherwise;
  }
  return entry;
}

int32_t TTumbo_Parser::NextPass(const TFlatInstruction& in, int32_t& left, int bodyDepth) {
  if (left <= 0) return in.Tail;
  if (left != kParamForever) --left;  // WIEDERHOLE IMMER never runs out
  PauseInRun();
  return EnterBody(in.Body, bodyDepth, in.Step);
}

int32_t TTumbo_Parser::IfBranch(const TFlatInstruction& in, bool holds, int depth) {
  return EnterBody(holds && !Stopped ? in.Body : in.Else, depth + 1, in.Tail);
}

int32_t TTumbo_Parser::WhilePass(const TFlatInstruction& in, bool holds, int depth) {
  if (!holds || Stopped) return in.Tail;
  PauseInRun();
  return EnterBody(in.Body, depth + 1, in.Step);
}

int32_t TTumbo_Parser::UntilPass(const TFlatInstruction& in, bool holds, int depth,
                                 bool testCounted) {
  if (holds == in.Value || Stopped) return in.Tail;
  if (in.Uncounted && !testCounted && !CountEmptyPass()) return in.Tail;
  if (!LoopStep(in.Line)) return in.Tail;
  PauseInRun();
  return EnterBody(in.Body, depth + 1, in.Step);
}

bool TTumbo_Parser::CountEmptyPass() {
  if (Stopped) return true;  // the loop ends after this pass anyway
  if (++StatementCount > StatementLimit && StatementLimit > 0) {
    StopAtStatementLimit();
    return false;
  }
  AfterStatement();
  Recheck();
  return true;
}

bool TTumbo_Parser::WhileTest(const TFlatInstruction& in, int32_t x, int depth) {
  const int64_t before = StatementCount;
  const bool holds = Test(in, x, depth);
  // Noted after the test, which may run loops of its own, for the step op after the body.
  passCounted_ = StatementCount != before;
  return holds;
}

bool TTumbo_Parser::Test(const TFlatInstruction& in, int32_t x, int depth) {
  return FinishTest(in, depth, RobotCondition(Robot(), in.Condition, ParamOf(in, x)));
}

bool TTumbo_Parser::FinishTest(const TFlatInstruction& in, int depth, int answer) {
  bool result = answer != 0;
  if (answer == kNoRobotCondition) {
    if (in.Condition == condOwn) {
      result = OwnCondition(in, depth);
    } else {
      ReportError(msgUnknownCondition, in.Line);
      Stop();
    }
  }
  if (in.Negated) result = !result;
  if (Robot().Failed) [[unlikely]] {
    ReportAndClearRobotFailure();
    Recheck();
  }
  return result;
}

// An own condition gives its definition's Result, which is not reset: a body that reaches
// neither WAHR nor FALSCH keeps the last value. Its body runs with the node's own Param as X.
bool TTumbo_Parser::OwnCondition(const TFlatInstruction& in, int depth) {
  if (in.Target < 0) {
    ReportError(msgUnknownCondition, in.Line);
    Stop();
    return true;
  }
  const bool fast = Fast;
  RunCode(in.Target, depth + 1, in.Param);
  Fast = fast;
  Recheck();
  return in.Result->Result;
}

void TTumbo_Parser::CallInstruction(const TFlatInstruction& in, int depth) {
  PauseInRun();
  const bool fast = Fast;
  RunCode(in.Target, depth + 1, in.Param);
  Fast = fast;
  Recheck();
}

void TTumbo_Parser::RunCode(int32_t index, int depth, int32_t x) {
  const TFlatCode& code = flat_->Code(index);
  if (!code.First || Stopped) return;
  if (depth > MaxDepth) {
    AbortTooDeep();
    return;
  }
  const size_t counters = counters_.size();
  counters_.resize(counters + static_cast<size_t>(code.Slots));
  const TFlatInstruction* const ins = code.Ins.data();
  TTumbo& robot = Robot();
  int32_t pc = 0;
  // Every statement begins with BEGIN (count and step point; a run stopped there leaves the
  // sequence) and ends with `pc = EndStatement<...>(in)`. A body is entered at the depth of its
  // statement's sequence + 1, which is also the depth of a called definition's body.
#define BEGIN                 \
  if (!BeginStatement(in)) {  \
    pc = in.Exit;             \
    continue;                 \
  }
  for (;;) {
    // Quiet, and no body of this code can lie too deep: the statements run in RunQuietly
    // until something needs this loop.
    if (quiet_ && depth + code.MaxNest <= MaxDepth) {
      if (Headless)
        pc = Recorder ? RunQuietly<true, true>(code, pc, depth, x, counters)
                      : RunQuietly<false, true>(code, pc, depth, x, counters);
      else
        pc = Recorder ? RunQuietly<true, false>(code, pc, depth, x, counters)
                      : RunQuietly<false, false>(code, pc, depth, x, counters);
      if (pc == kReturned) {
        counters_.resize(counters);
        return;
      }
    }
    const TFlatInstruction& in = ins[pc];
    switch (in.Op) {
      case TFlatOp::Schritt: {
        BEGIN;
        const int32_t p = ParamOf(in, x);
        if (p <= 1) robot.Schritt(p);
        else RepeatAction(kindSchritt, p);
        break;
      }
      case TFlatOp::LinksDrehen:
        BEGIN;
        robot.LinksDrehen();
        break;
      case TFlatOp::RechtsDrehen:
        BEGIN;
        robot.RechtsDrehen();
        break;
      case TFlatOp::Nothing:
        BEGIN;
        break;
      case TFlatOp::Hinlegen:
        BEGIN;
        RepeatAction(kindHinlegen, ParamOf(in, x));
        break;
      case TFlatOp::Aufheben:
        BEGIN;
        RepeatAction(kindAufheben, ParamOf(in, x));
        break;
      case TFlatOp::MarkeSetzen:
        BEGIN;
        robot.MarkeSetzen();
        break;
      case TFlatOp::MarkeLoeschen:
        BEGIN;
        robot.MarkeLoeschen();
        break;
      case TFlatOp::Warten:
        BEGIN;
        Wait(in.Param);  // the node's own count, also for X
        Recheck();
        break;
      case TFlatOp::Ton:
        BEGIN;
        Host.PlaySound();
        Recheck();
        break;
      case TFlatOp::Langsam:
        BEGIN;
        Fast = false;
        ShowTrail();
        Host.UpdateView();
        Recheck();
        break;
      case TFlatOp::Schnell:
        BEGIN;
        Fast = true;
        Recheck();
        break;
      case TFlatOp::Beenden:
        BEGIN;
        Stopped = true;
        Fast = false;
        ShowTrail();
        Host.UpdateView();
        Recheck();
        break;
      case TFlatOp::SetResult:
        BEGIN;
        in.Result->Result = in.Value;
        break;
      case TFlatOp::ResultOutside:
        BEGIN;
        ReportError(msgWahrFalschOutside, in.Line);
        Recheck();
        break;
      case TFlatOp::Unknown:
        BEGIN;
        ReportError(msgUnknownInstruction, in.Line);
        Stop();
        break;
      case TFlatOp::Call:
        BEGIN;
        CallInstruction(in, depth + in.Nest);
        break;
      case TFlatOp::Definition:
        if (!quiet_ && BreakLine > 0 && in.Line == BreakLine && RunMode != 0) RunMode = 3;
        pc = EndStatement<false>(in);
        continue;
      case TFlatOp::Tail:
        break;

      case TFlatOp::IfHead: {
        BEGIN;
        PauseInRun();
        pc = IfBranch(in, Test(in, x, depth + in.Nest), depth + in.Nest);
        continue;
      }
      case TFlatOp::RepeatHead: {
        BEGIN;
        const int32_t p = ParamOf(in, x);
        if (p == kParamX) {
          robot.Fail(17);
          pc = in.Tail;
          continue;
        }
        counters_[counters + in.Slot] = p;
        pc = NextPass(in, counters_[counters + in.Slot], depth + in.Nest + 1);
        continue;
      }
      case TFlatOp::RepeatStep:
        pc = (in.Uncounted && !CountEmptyPass()) || !LoopStep(in.Line) || Stopped
                 ? in.Tail
                 : NextPass(in, counters_[counters + in.Slot], depth + in.Nest + 1);
        continue;
      case TFlatOp::WhileHead:
        BEGIN;
        pc = WhilePass(in, WhileTest(in, x, depth + in.Nest), depth + in.Nest);
        continue;
      case TFlatOp::WhileStep:
        // A body that counts nothing: the pass counted only when its condition did.
        pc = (in.Uncounted && !passCounted_ && !CountEmptyPass()) || !LoopStep(in.Line)
                 ? in.Tail
                 : WhilePass(in, WhileTest(in, x, depth + in.Nest), depth + in.Nest);
        continue;
      case TFlatOp::UntilHead:
        BEGIN;
        PauseInRun();
        pc = EnterBody(in.Body, depth + in.Nest + 1, in.Step);
        continue;
      case TFlatOp::UntilStep: {
        const int64_t before = StatementCount;
        const bool holds = Test(in, x, depth + in.Nest);
        pc = UntilPass(in, holds, depth + in.Nest, StatementCount != before);
        continue;
      }
      case TFlatOp::Return:
        counters_.resize(counters);
        return;
    }
    pc = EndStatement<true>(in);
  }
#undef BEGIN
}
