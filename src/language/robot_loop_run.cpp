// The passes of a robot loop. Robot, counters and the room's map are kept in locals: nothing
// else looks at them meanwhile, and the compiler could not know that the room's dirty flags
// are none of them. Everything is inlined into one function per shape of loop, so that they
// stay in registers. A loop runs only while the run is quiet, where the robot's moves mark
// no cells for the views (TTumbo::MarksMoves).
#include <algorithm>

#include "language/program_tree.h"
#include "language/robot_loop.h"
#include "language/robot_loop_steps.h"
#include "world/raum.h"
#include "world/run_recorder.h"
#include "world/tumbo.h"

namespace {

// Passes are run in batches that fit the passes left and the statement budget, so that a pass
// needs no test of its own.
constexpr int64_t kBatchPasses = 4096;

// The room as the running loop reads it, in registers (a TRoomView, with its vectors, would
// stay in memory).
struct TLiveRoom {
  const TRaum& Room;
  const uint8_t* const Ground;
  int32_t Offset[4];

  explicit TLiveRoom(const TRaum& room) : Room(room), Ground(room.GroundMap()) {
    for (uint8_t h = 0; h < 4; ++h) Offset[h] = room.GroundOffset(h);
  }
  int32_t Ahead(int32_t here, uint8_t heading) const { return here + Offset[heading]; }
  bool Wall(int32_t here, uint8_t heading) const {
    return (Ground[Ahead(here, heading)] & TRaum::kGroundBlocked) != 0;
  }
  bool Mark(int32_t x, int32_t y) const { return Room.HasMark(x, y); }
};

class TRobotLoopRun {
 public:
  TRobotLoopRun(const TRobotLoop& loop, TTumbo& robot, int32_t left, int64_t budget,
                uint64_t ends)
      : loop_(loop), robot_(robot), room_(robot.Room), live_(robot.Room),
        maxJump_(robot.MaxJump), stride_(room_.Length() + 2),
        heading_(robot.Heading), here_(room_.GroundIndex(robot.X, robot.Y)), left_(left),
        forever_(left == kParamForever), budget_(budget), ends_(ends) {}

  // The general pass: any number of items and actions.
  [[gnu::always_inline]] int32_t Run() {
    const TRobotItem* const itemsEnd = loop_.Items.data() + loop_.Items.size();
    while (const int64_t batch = Batch()) {
      for (int64_t pass = 0; pass < batch; ++pass) {
        --left_;
        for (const TRobotItem* item = loop_.Items.data(); item != itemsEnd; ++item) {
          bool then = true;
          if (item->Question != TRobotItem::kAction) {
            --budget_;
            then = Answer(*item, live_, here_, [this] { return Cell(); }, heading_);
          }
          const TRobotAction* action = loop_.Actions.data() + (then ? item->ThenFirst : item->ElseFirst);
          const TRobotAction* const end = action + (then ? item->ThenCount : item->ElseCount);
          if (action == end) ends_ += item->EmptyEnds;
          for (; action != end; ++action)
            if (!Act(*action)) return Leave(action->Pc);
          budget_ -= item->TrailCount;
          ends_ += item->TrailEnds;
        }
      }
    }
    return Leave(loop_.Step);
  }

  // One WENN with at most one action in each branch: the wall follower's shape.
  [[gnu::always_inline]] int32_t RunOneChoice() {
    const TRobotItem& item = loop_.Items.front();
    const TRobotAction* const actions = loop_.Actions.data();
    const TRobotAction* const then = item.ThenCount ? actions + item.ThenFirst : nullptr;
    const TRobotAction* const otherwise = item.ElseCount ? actions + item.ElseFirst : nullptr;
    const int64_t trail = 1 + int64_t(item.TrailCount);  // with the WENN itself
    while (const int64_t batch = Batch()) {
      for (int64_t pass = 0; pass < batch; ++pass) {
        --left_;
        budget_ -= trail;
        ends_ += item.TrailEnds;
        const TRobotAction* action =
            Answer(item, live_, here_, [this] { return Cell(); }, heading_) ? then : otherwise;
        if (!action) {
          ends_ += item.EmptyEnds;
        } else if (!Act(*action)) {
          budget_ += item.TrailCount;  // the end words after the WENN were not reached
          ends_ -= item.TrailEnds;
          return Leave(action->Pc);
        }
      }
    }
    return Leave(loop_.Step);
  }

  // The counters as the quiet run keeps them; WIEDERHOLE IMMER keeps its count.
  int32_t Left() const { return forever_ ? kParamForever : left_; }
  // The passes begun.
  int64_t Passes(int32_t leftBefore) const { return int64_t(leftBefore) - left_ + refilled_; }
  int64_t Budget() const { return budget_; }
  uint64_t Ends() const { return ends_; }

 private:
  // The action with its folded end words; false, with nothing done, for a step that cannot be
  // made.
  [[gnu::always_inline]] bool Act(const TRobotAction& action) {
    if (action.Kind == TRobotAction::kStep) {
      const int32_t ahead = live_.Ahead(here_, heading_);
      const uint8_t to = live_.Ground[ahead];
      const int32_t climb = int32_t(to) - int32_t(live_.Ground[here_] & TRaum::kGroundHeight);
      if ((to & TRaum::kGroundBlocked) || (climb < 0 ? -climb : climb) > maxJump_) [[unlikely]]
        return false;
      here_ = ahead;
    } else if (action.Kind != TRobotAction::kNothing) {
      heading_ = uint8_t((heading_ + (action.Kind == TRobotAction::kLeft ? 3 : 1)) & 3);
    }
    budget_ -= action.Statements;
    ends_ += action.Ends;
    return true;
  }

  // Passes that can run without a test: as many as are left and the budget holds (a pass
  // takes MaxStatements at most), and no more than a batch. WIEDERHOLE IMMER never runs out:
  // its count is filled up again for each batch.
  int64_t Batch() {
    if (forever_) {
      refilled_ += kParamForever - left_;
      left_ = kParamForever;
    }
    return std::min({int64_t(left_), budget_ / loop_.MaxStatements, kBatchPasses});
  }

  // The robot's cell, from its place in the ground map: needed seldom (marks, the end),
  // so not kept in registers.
  int32_t X() const { return here_ / stride_ - 1; }
  int32_t Y() const { return here_ % stride_ - 1; }
  TZellPos Cell() const { return {X(), Y()}; }

  int32_t Leave(int32_t pc) {
    robot_.X = X();
    robot_.Y = Y();
    robot_.Heading = heading_;
    return pc;
  }

  const TRobotLoop& loop_;
  TTumbo& robot_;
  TRaum& room_;
  const TLiveRoom live_;
  const int32_t maxJump_;
  const int32_t stride_;  // of the ground map
  uint8_t heading_;
  int32_t here_;
  int32_t left_;
  const bool forever_;
  int64_t refilled_ = 0;  // passes added to left_ by Batch
  int64_t budget_;
  uint64_t ends_;
};

// The passes of one shape, in a function of its own so that each shape has all registers.
template <bool kOneChoice>
[[gnu::noinline]] int32_t RunPasses(const TRobotLoop& loop, TTumbo& robot, int32_t& left,
                                    int64_t& budget, uint64_t& ends, int64_t& passes) {
  TRobotLoopRun run(loop, robot, left, budget, ends);
  const int32_t pc = kOneChoice ? run.RunOneChoice() : run.Run();
  passes = run.Passes(left);
  left = run.Left();
  budget = run.Budget();
  ends = run.Ends();
  return pc;
}

// Steps this few are kept as entries: a piece in compact form, with its copy of the room,
// costs more than they do.
constexpr uint64_t kFewSteps = 1024;

}  // namespace

template <bool kRecord>
int32_t RunRobotLoop(const std::shared_ptr<const TRobotLoop>& loop, TTumbo& robot,
                     TRunRecorder* recorder, std::shared_ptr<const TRoomView>& roomCopy,
                     int32_t& left, int64_t& budget, uint64_t& ends) {
  const int32_t x = robot.X, y = robot.Y;
  const uint8_t heading = robot.Heading;
  const int64_t budgetBefore = budget;
  int64_t passes = 0;
  const TRobotItem& first = loop->Items.front();
  const bool oneChoice = loop->Items.size() == 1 && first.Question != TRobotItem::kAction &&
                         first.ThenCount <= 1 && first.ElseCount <= 1;
  const int32_t pc = oneChoice ? RunPasses<true>(*loop, robot, left, budget, ends, passes)
                               : RunPasses<false>(*loop, robot, left, budget, ends, passes);
  // Every step point is a pass's, or that of a statement begun.
  const uint64_t stepPoints = uint64_t(passes) + uint64_t(budgetBefore - budget);
  if constexpr (kRecord) {
    const TRaum& room = robot.Room;
    if (stepPoints < kFewSteps) {
      // The room has not changed since the loop asked it.
      const TRobotLoopSteps steps(loop, std::make_shared<TRoomView>(room), false, x, y, heading,
                                  stepPoints);
      for (uint64_t k = 0; k < stepPoints; ++k) {
        const TRecordedStep s = steps.Get(k);
        recorder->RecordAt(s.Line, s.X, s.Y, s.Heading);
      }
    } else {
      const bool copy = !roomCopy || &roomCopy->Room() != &room || roomCopy->Version() != room.Version();
      if (copy) roomCopy = TRoomView::Copy(room);
      recorder->RecordCompact(
          std::make_shared<TRobotLoopSteps>(loop, roomCopy, copy, x, y, heading, stepPoints));
    }
  }
  return pc;
}

template int32_t RunRobotLoop<false>(const std::shared_ptr<const TRobotLoop>&, TTumbo&,
                                     TRunRecorder*, std::shared_ptr<const TRoomView>&, int32_t&,
                                     int64_t&, uint64_t&);
template int32_t RunRobotLoop<true>(const std::shared_ptr<const TRobotLoop>&, TTumbo&,
                                    TRunRecorder*, std::shared_ptr<const TRoomView>&, int32_t&,
                                    int64_t&, uint64_t&);
