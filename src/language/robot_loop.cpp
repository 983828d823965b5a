// Recognises robot loops in the flat code. The body is followed the way the quiet run goes
// through it, so that each item's continuation is the next item and the last one's the step op.
#include "language/robot_loop.h"

#include <algorithm>

#include "language/flat_code.h"
#include "world/tumbo.h"

namespace {

// Far more than any body written by hand; keeps the folded counts within their bytes.
constexpr size_t kMaxActions = 64;
constexpr size_t kMaxItems = 32;
constexpr uint32_t kMaxFolded = 32;

// Adds the action at `pc`, or folds an end word into `into`; false for anything else.
bool AddAction(const TFlatInstruction& in, int32_t pc, TRobotLoop& loop, TRobotAction* into) {
  TRobotAction action;
  if (in.Op == TFlatOp::Nothing && into) {
    if (into->FoldedCount >= kMaxFolded) return false;
    if (into->FoldedCount++ == 0) into->FoldedFirst = uint32_t(loop.Lines.size());
    loop.Lines.push_back(in.Line);
    ++into->Statements;
    into->Ends = uint16_t(into->Ends + in.Ends);
    return true;
  }
  if (in.Op == TFlatOp::Schritt && in.Param == 1) action.Kind = TRobotAction::kStep;
  else if (in.Op == TFlatOp::LinksDrehen) action.Kind = TRobotAction::kLeft;
  else if (in.Op == TFlatOp::RechtsDrehen) action.Kind = TRobotAction::kRight;
  else if (in.Op == TFlatOp::Nothing) action.Kind = TRobotAction::kNothing;
  else return false;
  if (loop.Actions.size() >= kMaxActions) return false;
  action.Ends = in.Ends;
  action.Line = in.Line;
  action.Pc = pc;
  loop.Actions.push_back(action);
  return true;
}

// Questions that neither fail nor take a count; false for any other.
bool AddQuestion(int32_t condition, TRobotItem& item) {
  switch (condition) {
    case condNichtIstWand: item.Negated = !item.Negated; [[fallthrough]];
    case condIstWand: item.Question = TRobotItem::kWall; return true;
    case condNichtIstMarke: item.Negated = !item.Negated; [[fallthrough]];
    case condIstMarke: item.Question = TRobotItem::kMark; return true;
    case condIstNorden: item.Heading = kNorden; break;
    case condIstOsten: item.Heading = kOsten; break;
    case condIstSueden: item.Heading = kSueden; break;
    case condIstWesten: item.Heading = kWesten; break;
    default: return false;
  }
  item.Question = TRobotItem::kHeading;
  return true;
}

// The actions of a WENN branch from `first` up to its Tail; false for anything else.
bool AddBranch(const std::vector<TFlatInstruction>& ins, int32_t first, int32_t tail,
               TRobotLoop& loop, uint32_t& from, uint32_t& count, int32_t& statements) {
  from = uint32_t(loop.Actions.size());
  for (int32_t pc = first; pc != tail; pc = ins[size_t(pc)].Next) {
    TRobotAction* last = loop.Actions.size() > from ? &loop.Actions.back() : nullptr;
    if (pc < first || pc > tail || !AddAction(ins[size_t(pc)], pc, loop, last)) return false;
  }
  count = uint32_t(loop.Actions.size() - from);
  statements = 0;
  for (uint32_t i = from; i < from + count; ++i) statements += loop.Actions[i].Statements;
  return true;
}

// Folds an end word after a WENN into the WENN.
bool FoldIntoItem(const TFlatInstruction& in, TRobotLoop& loop, TRobotItem& item) {
  if (in.Op != TFlatOp::Nothing || item.TrailCount >= kMaxFolded) return false;
  if (item.TrailCount++ == 0) item.TrailFirst = uint32_t(loop.Lines.size());
  loop.Lines.push_back(in.Line);
  item.TrailEnds = uint16_t(item.TrailEnds + in.Ends);
  return true;
}

}  // namespace

bool BuildRobotLoop(const std::vector<TFlatInstruction>& ins, int32_t step, TRobotLoop& loop) {
  const TFlatInstruction& repeat = ins[size_t(step)];
  loop = TRobotLoop{};
  loop.Step = step;
  loop.StepLine = repeat.Line;
  int32_t pc = repeat.Body;
  if (pc == step) return false;  // an empty body: nothing to gain
  while (pc != step) {
    if (pc < repeat.Body || pc > step || loop.Items.size() >= kMaxItems) return false;
    const TFlatInstruction& in = ins[size_t(pc)];
    if (!loop.Items.empty() && loop.Items.back().Question != TRobotItem::kAction) {
      if (FoldIntoItem(in, loop, loop.Items.back())) {
        ++loop.MaxStatements;
        pc = in.After;
        continue;
      }
    }
    TRobotItem item;
    if (in.Op == TFlatOp::IfHead) {
      item.Negated = in.Negated;
      if (!AddQuestion(in.Condition, item)) return false;
      item.Line = in.Line;
      int32_t thenStatements = 0, elseStatements = 0;
      if (!AddBranch(ins, in.Body, in.Tail, loop, item.ThenFirst, item.ThenCount, thenStatements) ||
          !AddBranch(ins, in.Else, in.Tail, loop, item.ElseFirst, item.ElseCount, elseStatements))
        return false;
      const TFlatInstruction& tail = ins[size_t(in.Tail)];
      item.EmptyEnds = tail.Ends;
      loop.MaxStatements += 1 + std::max(thenStatements, elseStatements);
      pc = tail.After;
    } else {
      // Actions one after the other are one item; an end word is folded into the action
      // before it.
      TRobotItem* actions = !loop.Items.empty() && loop.Items.back().Question == TRobotItem::kAction
                                ? &loop.Items.back()
                                : nullptr;
      TRobotAction* last = actions && in.Op == TFlatOp::Nothing ? &loop.Actions.back() : nullptr;
      if (!AddAction(in, pc, loop, last)) return false;
      ++loop.MaxStatements;
      pc = in.After;
      if (last) continue;
      if (actions) {
        ++actions->ThenCount;
        continue;
      }
      item.ThenFirst = uint32_t(loop.Actions.size() - 1);
      item.ThenCount = 1;
    }
    loop.Items.push_back(item);
  }
  return true;
}
