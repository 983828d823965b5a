#include "language/robot_loop_steps.h"

#include "world/tumbo.h"

TRoomView::TRoomView(const TRaum& room)
    : room_(room), version_(room.Version()), length_(room.Length()), ground_(room.GroundMap()) {
  for (uint8_t h = 0; h < 4; ++h) offset_[h] = room.GroundOffset(h);
}

std::shared_ptr<const TRoomView> TRoomView::Copy(const TRaum& room) {
  auto view = std::make_shared<TRoomView>(room);
  view->groundCopy_.assign(room.GroundMap(), room.GroundMap() + room.GroundMapSize());
  view->ground_ = view->groundCopy_.data();
  view->marksCopy_.resize(size_t(room.Width()) * size_t(room.Length()));
  for (int32_t x = 0; x < room.Width(); ++x)
    for (int32_t y = 0; y < room.Length(); ++y)
      view->marksCopy_[size_t(x) * size_t(room.Length()) + size_t(y)] = room.HasMark(x, y);
  return view;
}

TRobotLoopSteps::TRobotLoopSteps(std::shared_ptr<const TRobotLoop> loop,
                                 std::shared_ptr<const TRoomView> room, bool ownsRoom, int32_t x,
                                 int32_t y, uint8_t heading, uint64_t count)
    : loop_(std::move(loop)), room_(std::move(room)), ownsRoom_(ownsRoom), count_(count) {
  start_.X = x;
  start_.Y = y;
  start_.Heading = heading;
  pass_ = start_;
}

TRecordedStep TRobotLoopSteps::Get(uint64_t k) const {
  const TRobotLoop& loop = *loop_;
  TRecordedStep found;
  if (k >= count_) return found;
  if (k < pass_.Step) pass_ = start_;
  for (;;) {
    TPlace at = pass_;
    // True once step k is reached: its line with the robot as it stands before the statement.
    const auto reached = [&](int32_t line) {
      if (at.Step++ != k) return false;
      found.Line = line;
      found.X = at.X;
      found.Y = at.Y;
      found.Heading = at.Heading;
      return true;
    };
    if (reached(loop.StepLine)) return found;
    for (const TRobotItem& item : loop.Items) {
      bool then = true;
      if (item.Question != TRobotItem::kAction) {
        if (reached(item.Line)) return found;
        then = Answer(item, *room_, room_->GroundIndex(at.X, at.Y),
                      [&at] { return TZellPos{at.X, at.Y}; }, at.Heading);
      }
      const uint32_t first = then ? item.ThenFirst : item.ElseFirst;
      const uint32_t count = then ? item.ThenCount : item.ElseCount;
      for (uint32_t a = first; a < first + count; ++a) {
        const TRobotAction& action = loop.Actions[a];
        if (reached(action.Line)) return found;
        if (action.Kind == TRobotAction::kStep) {
          at.X += TTumbo::kAheadX[at.Heading];
          at.Y += TTumbo::kAheadY[at.Heading];
        } else if (action.Kind != TRobotAction::kNothing) {
          at.Heading = uint8_t((at.Heading + (action.Kind == TRobotAction::kLeft ? 3 : 1)) & 3);
        }
        for (uint32_t f = action.FoldedFirst; f < action.FoldedFirst + action.FoldedCount; ++f)
          if (reached(loop.Lines[f])) return found;
      }
      for (uint32_t f = item.TrailFirst; f < item.TrailFirst + item.TrailCount; ++f)
        if (reached(loop.Lines[f])) return found;
    }
    pass_ = at;
  }
}
