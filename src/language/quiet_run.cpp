// The quiet run: while nothing can be shown, waited for or looked at between statements (see
// Recheck), a statement is its action and a few register operations. The statement count,
// the headless host's event rounds and redraws are kept in registers and written back before
// anything that may look at them: a robot failure's report, a call, a condition of its own,
// and every statement this loop leaves to RunCode's. Nothing else can look while the run is
// quiet, since no callback is called then. Every step point still sets CurrentLine and feeds
// the recorder. Each handler jumps to the next one itself, which keeps the jumps predictable.
#include "language/flat_code.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "language/robot_condition.h"
#include "language/robot_loop.h"
#include "world/welt.h"

template <bool kRecord, bool kHeadless>
int32_t TTumbo_Parser::RunQuietly(const TFlatCode& code, int32_t pc, int depth, int32_t x,
                                  size_t counters) {
  static const void* const kHandlers[] = {
      &&Schritt, &&LinksDrehen, &&RechtsDrehen, &&Hinlegen, &&Aufheben, &&MarkeSetzen,
      &&MarkeLoeschen, &&Leave, &&Leave, &&Leave, &&Leave, &&Leave, &&SetResult, &&Leave,
      &&Nothing, &&Leave, &&Call, &&Definition, &&IfHead, &&RepeatHead, &&RepeatStep,
      &&WhileHead, &&WhileStep, &&UntilHead, &&UntilStep, &&Tail, &&Return};
  static_assert(std::size(kHandlers) == size_t(TFlatOp::Return) + 1);

  const TFlatInstruction* const ins = code.Ins.data();
  TTumbo& robot = Robot();
  TTumbo_HeadlessHost* const host = Headless;  // kHeadless; another host waits for its frame
  TRunRecorder* const recorder = Recorder;
  int64_t budget = 0;  // statements until quietLimit_
  uint64_t ends = 0;   // statement ends not yet handed to the host
  int32_t* passes = nullptr;
  const TFlatInstruction* in = nullptr;
  int answer = 0;
  // The robot's cell and heading as the recorder packs them, renewed after whatever may have
  // moved it: a step point then only stores.
  uint32_t robotCode = 0;
  // The lambdas below are inlined wherever they are used, and none calls another: a closure
  // left in memory would keep every value it captures in memory as well.
  const auto noteRobot = [&]() __attribute__((always_inline)) {
    if constexpr (kRecord) robotCode = TRunRecorder::Pack(robot.X, robot.Y, robot.Heading);
  };
  const auto load = [&]() __attribute__((always_inline)) {
    budget = quietLimit_ - StatementCount;
    ends = 0;
    passes = counters_.data() + counters;  // a call may have moved the counters
    if constexpr (kRecord) robotCode = TRunRecorder::Pack(robot.X, robot.Y, robot.Heading);
  };
  const auto store = [&]() __attribute__((always_inline)) {
    StatementCount = quietLimit_ - budget;
    if constexpr (kHeadless) {
      host->EventRounds += ends;
      if (!Fast) host->ViewUpdates += ends;
    }
    ends = 0;
  };
  const auto stepPoint = [&]() __attribute__((always_inline)) {
    CurrentLine = in->Line;
    if constexpr (kRecord) recorder->RecordPacked(in->Line, robotCode);
  };
  load();

#define DISPATCH                                     \
  in = ins + pc;                                     \
  goto* kHandlers[static_cast<uint8_t>(in->Op)]
// The start of a statement; at the statement limit RunCode's loop counts it and stops.
#define BEGIN          \
  if (--budget < 0) {  \
    ++budget;          \
    goto Leave;        \
  }                    \
  stepPoint()
// Goes on with `next`, computed by the usual helpers once the state is written back.
#define RESUME(next)          \
  store();                    \
  pc = (next);                \
  if (!quiet_) return pc;     \
  load();                     \
  DISPATCH
// The end of a statement (kPause: the statement may pause), with the Tails right after it;
// a robot failure is reported the usual way.
#define END(kPause)                                               \
  if (robot.Failed) [[unlikely]] {                                \
    RESUME(EndStatementSlowly(*in, kPause));                      \
  }                                                               \
  if constexpr (kHeadless) ends += in->Ends;                      \
  pc = in->After;                                                 \
  DISPATCH
// The condition of a head or step op: the robot's answer, else `finish` with the usual
// helpers (own and unknown conditions, robot failures).
#define ASK(finish)                                                                  \
  answer = RobotCondition(robot, in->Condition, ParamOf(*in, x));                   \
  if (answer == kNoRobotCondition || robot.Failed) [[unlikely]] {                    \
    RESUME(finish(*in, FinishTest(*in, depth + in->Nest, answer), depth + in->Nest)); \
  }                                                                                  \
  answer = answer != in->Negated

  DISPATCH;

Schritt: {
  BEGIN;
  if (in->Param == 1 && robot.SchrittOnce()) [[likely]] {
    noteRobot();
    if constexpr (kHeadless) ends += in->Ends;
    pc = in->After;
    DISPATCH;
  }
  const int32_t p = ParamOf(*in, x);
  if (p <= 1) robot.Schritt(p);
  else RepeatAction(kindSchritt, p);
  noteRobot();
  END(true);
}
LinksDrehen:
  BEGIN;
  robot.LinksDrehen();
  noteRobot();
  END(true);
RechtsDrehen:
  BEGIN;
  robot.RechtsDrehen();
  noteRobot();
  END(true);
Nothing:
  BEGIN;
  END(true);
Hinlegen:
  BEGIN;
  RepeatAction(kindHinlegen, ParamOf(*in, x));
  END(true);
Aufheben:
  BEGIN;
  RepeatAction(kindAufheben, ParamOf(*in, x));
  END(true);
MarkeSetzen:
  BEGIN;
  robot.MarkeSetzen();
  END(true);
MarkeLoeschen:
  BEGIN;
  robot.MarkeLoeschen();
  END(true);
SetResult:
  BEGIN;
  in->Result->Result = in->Value;
  END(true);
Call:
  BEGIN;
  store();
  CallInstruction(*in, depth + in->Nest);
  if (!quiet_) return EndStatementSlowly(*in, true);
  load();
  END(true);
Definition:
  END(false);
Tail:
  END(true);

IfHead:
  BEGIN;
  // The wall test is the common WENN: asked without the condition table. It cannot fail the
  // robot, so with no failure pending there is nothing to report.
  if (in->Condition == condIstWand && !robot.Failed) [[likely]] {
    pc = robot.IstWand() != in->Negated ? in->Body : in->Else;
    DISPATCH;
  }
  ASK(IfBranch);
  pc = answer ? in->Body : in->Else;
  DISPATCH;
RepeatHead: {
  BEGIN;
  const int32_t p = ParamOf(*in, x);
  if (p == kParamX) {
    robot.Fail(17);
    pc = in->Tail;
  } else if (p <= 0) {
    pc = in->Tail;
  } else {
    passes[in->Slot] = p == kParamForever ? p : p - 1;  // passes left after this one
    pc = in->Body;
  }
  DISPATCH;
}
RepeatStep: {
  if (in->Uncounted) goto Leave;
  int32_t& left = passes[in->Slot];
  if (in->Target >= 0 && !robot.Failed && robot.Heading <= kOsten) {
    const auto& loop = code.RobotLoops[size_t(in->Target)];
    pc = RunRobotLoop<kRecord>(loop, robot, recorder, roomCopy_, left, budget, ends);
    noteRobot();
    if (pc != loop->Step) {  // a step the usual op makes or reports
      DISPATCH;
    }
  }
  stepPoint();
  pc = left > 0 ? in->Body : in->Tail;
  if (left != kParamForever) --left;  // -1 once done: the repetition's head sets it anew
  DISPATCH;
}
WhileHead:
  if (in->Uncounted) goto Leave;
  BEGIN;
  ASK(WhilePass);
  pc = answer ? in->Body : in->Tail;
  DISPATCH;
WhileStep:
  if (in->Uncounted) goto Leave;
  stepPoint();
  ASK(WhilePass);
  pc = answer ? in->Body : in->Tail;
  DISPATCH;
UntilHead:
  BEGIN;
  pc = in->Body;
  DISPATCH;
UntilStep:
  if (in->Uncounted) goto Leave;
  ASK(UntilPass);
  if (answer == in->Value) {
    pc = in->Tail;
    DISPATCH;
  }
  stepPoint();
  pc = in->Body;
  DISPATCH;

Return:
  store();
  return kReturned;
Leave:  // waits, sounds, the pace, Beenden, errors, the statement limit and the loops whose
        // passes may count nothing: RunCode's loop
  store();
  return pc;
#undef DISPATCH
#undef BEGIN
#undef RESUME
#undef END
#undef ASK
}

template int32_t TTumbo_Parser::RunQuietly<false, false>(const TFlatCode&, int32_t, int, int32_t, size_t);
template int32_t TTumbo_Parser::RunQuietly<false, true>(const TFlatCode&, int32_t, int, int32_t, size_t);
template int32_t TTumbo_Parser::RunQuietly<true, false>(const TFlatCode&, int32_t, int, int32_t, size_t);
template int32_t TTumbo_Parser::RunQuietly<true, true>(const TFlatCode&, int32_t, int, int32_t, size_t);
