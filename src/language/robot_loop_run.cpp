// The passes of a robot loop. Robot, counters and the room's map are kept in locals: nothing
// else looks at them meanwhile, and the compiler could not know that the room's dirty flags
// are none of them. A function of its own, so that they stay in registers.
#include "language/robot_loop.h"
#include "world/raum.h"
#include "world/run_recorder.h"
#include "world/tumbo.h"

namespace {

class TRobotLoopRun {
 public:
  TRobotLoopRun(const TRobotLoop& loop, TTumbo& robot, TRunRecorder* recorder, int32_t left,
                int64_t budget, uint64_t ends)
      : loop_(loop), robot_(robot), room_(robot.Room), recorder_(recorder),
        ground_(room_.GroundMap()), markDirty_(!room_.AllDirty()), maxJump_(robot.MaxJump),
        x_(robot.X), y_(robot.Y), heading_(robot.Heading),
        here_(room_.GroundIndex(robot.X, robot.Y)), left_(left), budget_(budget), ends_(ends) {
    for (uint8_t h = 0; h < 4; ++h) offset_[h] = room_.GroundOffset(h);
  }

  // The general pass: any number of items and actions.
  template <bool kRecord>
  int32_t Run() {
    const TRobotItem* const itemsEnd = loop_.Items.data() + loop_.Items.size();
    while (left_ > 0 && budget_ >= loop_.MaxStatements) {
      StepPoint<kRecord>(loop_.StepLine);
      --left_;
      for (const TRobotItem* item = loop_.Items.data(); item != itemsEnd; ++item) {
        bool then = true;
        if (item->Question != TRobotItem::kAction) {
          --budget_;
          StepPoint<kRecord>(item->Line);
          then = Ask(*item);
        }
        const TRobotAction* action = loop_.Actions.data() + (then ? item->ThenFirst : item->ElseFirst);
        const TRobotAction* const end = action + (then ? item->ThenCount : item->ElseCount);
        if (action == end) ends_ += item->EmptyEnds;
        for (; action != end; ++action)
          if (!Act<kRecord>(*action)) return Leave(action->Pc);
        budget_ -= item->TrailCount;
        ends_ += item->TrailEnds;
        if constexpr (kRecord) Folded(item->TrailFirst, item->TrailCount);
      }
    }
    return Leave(loop_.Step);
  }

  // One WENN with at most one action in each branch, unrecorded: the wall follower's shape.
  int32_t RunOneChoice() {
    const TRobotItem& item = loop_.Items.front();
    const TRobotAction* const actions = loop_.Actions.data();
    const TRobotAction* const then = item.ThenCount ? actions + item.ThenFirst : nullptr;
    const TRobotAction* const otherwise = item.ElseCount ? actions + item.ElseFirst : nullptr;
    const int64_t trail = 1 + int64_t(item.TrailCount);  // with the WENN itself
    while (left_ > 0 && budget_ >= loop_.MaxStatements) {
      --left_;
      budget_ -= trail;
      ends_ += item.TrailEnds;
      const TRobotAction* action = Ask(item) ? then : otherwise;
      if (!action) {
        ends_ += item.EmptyEnds;
      } else if (!Act<false>(*action)) {
        budget_ += item.TrailCount;  // the end words after the WENN were not reached
        ends_ -= item.TrailEnds;
        return Leave(action->Pc);
      }
    }
    return Leave(loop_.Step);
  }

 private:
  template <bool kRecord>
  void StepPoint(int32_t line) {
    if constexpr (kRecord) {
      robot_.X = x_;
      robot_.Y = y_;
      robot_.Heading = heading_;
      recorder_->Record(line);
    }
  }
  void Folded(uint32_t first, uint32_t count) {
    for (uint32_t i = first; i < first + count; ++i) StepPoint<true>(loop_.Lines[i]);
  }

  bool Ask(const TRobotItem& item) const {
    bool answer;
    if (item.Question == TRobotItem::kWall) [[likely]]
      answer = (ground_[here_ + offset_[heading_]] & TRaum::kGroundBlocked) != 0;
    else if (item.Question == TRobotItem::kMark)
      answer = room_.HasMark(x_, y_);
    else
      answer = heading_ == item.Heading;
    return answer != item.Negated;
  }

  // The action with its folded end words; false, with nothing done, for a step that cannot be
  // made.
  template <bool kRecord>
  [[gnu::always_inline]] bool Act(const TRobotAction& action) {
    static constexpr int32_t kAheadX[4] = {0, -1, 0, 1};
    static constexpr int32_t kAheadY[4] = {1, 0, -1, 0};
    if (action.Kind == TRobotAction::kStep) {
      const int32_t ahead = here_ + offset_[heading_];
      const uint8_t to = ground_[ahead];
      const int32_t climb = int32_t(to) - int32_t(ground_[here_] & TRaum::kGroundHeight);
      if ((to & TRaum::kGroundBlocked) || (climb < 0 ? -climb : climb) > maxJump_) [[unlikely]]
        return false;
      StepPoint<kRecord>(action.Line);
      if (markDirty_) room_.MarkTopDirty(x_, y_);
      x_ += kAheadX[heading_];
      y_ += kAheadY[heading_];
      here_ = ahead;
      if (markDirty_) room_.MarkTopDirty(x_, y_);
    } else {
      StepPoint<kRecord>(action.Line);
      if (action.Kind != TRobotAction::kNothing) {
        heading_ = uint8_t((heading_ + (action.Kind == TRobotAction::kLeft ? 3 : 1)) & 3);
        if (markDirty_) room_.MarkTopDirty(x_, y_);
      }
    }
    budget_ -= action.Statements;
    ends_ += action.Ends;
    if constexpr (kRecord) Folded(action.FoldedFirst, action.FoldedCount);
    return true;
  }

  int32_t Leave(int32_t pc) {
    robot_.X = x_;
    robot_.Y = y_;
    robot_.Heading = heading_;
    return pc;
  }

  const TRobotLoop& loop_;
  TTumbo& robot_;
  TRaum& room_;
  TRunRecorder* const recorder_;
  const uint8_t* const ground_;
  int32_t offset_[4];
  const bool markDirty_;
  const int32_t maxJump_;
  int32_t x_, y_;
  uint8_t heading_;
  int32_t here_;

 public:
  int32_t left_;
  int64_t budget_;
  uint64_t ends_;
};

}  // namespace

template <bool kRecord>
int32_t RunRobotLoop(const TRobotLoop& loop, TTumbo& robot, TRunRecorder* recorder,
                     int32_t& left, int64_t& budget, uint64_t& ends) {
  TRobotLoopRun run(loop, robot, recorder, left, budget, ends);
  const TRobotItem& first = loop.Items.front();
  const bool oneChoice = !kRecord && loop.Items.size() == 1 &&
                         first.Question != TRobotItem::kAction && first.ThenCount <= 1 &&
                         first.ElseCount <= 1;
  const int32_t pc = oneChoice ? run.RunOneChoice() : run.Run<kRecord>();
  left = run.left_;
  budget = run.budget_;
  ends = run.ends_;
  return pc;
}

template int32_t RunRobotLoop<false>(const TRobotLoop&, TTumbo&, TRunRecorder*, int32_t&,
                                     int64_t&, uint64_t&);
template int32_t RunRobotLoop<true>(const TRobotLoop&, TTumbo&, TRunRecorder*, int32_t&,
                                    int64_t&, uint64_t&);
