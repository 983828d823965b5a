#pragma once
// The steps of a robot loop's passes as the recorder keeps them: where the robot stood when
// the loop took over and what the loop's questions read of the room. Each step is made again
// on demand, asking the same questions; no step of a robot loop changes a cell or fails, so
// nothing needs to be written while the loop runs.
#include <cstdint>
#include <memory>
#include <vector>

#include "language/robot_loop.h"
#include "world/raum.h"
#include "world/run_recorder.h"

// What the questions of a robot loop read: the room's ground map and marks, either of the
// room as it is (valid while it does not change) or copied.
class TRoomView {
public:
  explicit TRoomView(const TRaum& room);
  static std::shared_ptr<const TRoomView> Copy(const TRaum& room);

  uint64_t Version() const { return version_; }
  const TRaum& Room() const { return room_; }
  int32_t GroundIndex(int32_t x, int32_t y) const { return (x + 1) * (length_ + 2) + (y + 1); }
  bool Wall(int32_t here, uint8_t heading) const {
    return (ground_[here + offset_[heading]] & TRaum::kGroundBlocked) != 0;
  }
  bool Mark(int32_t x, int32_t y) const {
    return marksCopy_.empty() ? room_.HasMark(x, y)
                              : marksCopy_[size_t(x) * size_t(length_) + size_t(y)] != 0;
  }
  size_t MemoryBytes() const { return sizeof(*this) + groundCopy_.capacity() + marksCopy_.capacity(); }

private:
  const TRaum& room_;
  uint64_t version_;
  int32_t length_;
  int32_t offset_[4];
  const uint8_t* ground_;
  std::vector<uint8_t> groundCopy_;
  std::vector<uint8_t> marksCopy_;  // x * length + y; empty for the room as it is
};

// The answer of a robot loop's question for a robot at ground index `here`, read from a
// TRoomView or anything else with its Wall and Mark. `cell` gives the robot's TZellPos, asked
// only for a mark: a running loop computes it by dividing.
template <class TRoom, class TCell>
[[gnu::always_inline]] inline bool Answer(const TRobotItem& item, const TRoom& room, int32_t here,
                                          TCell cell, uint8_t heading) {
  bool answer;
  if (item.Question == TRobotItem::kWall) [[likely]] {
    answer = room.Wall(here, heading);
  } else if (item.Question == TRobotItem::kMark) {
    const TZellPos p = cell();
    answer = room.Mark(p.X, p.Y);
  } else {
    answer = heading == item.Heading;
  }
  return answer != item.Negated;
}

class TRobotLoopSteps : public TCompactSteps {
public:
  // `ownsRoom`: the room copy was made for these steps, and its memory is theirs.
  TRobotLoopSteps(std::shared_ptr<const TRobotLoop> loop, std::shared_ptr<const TRoomView> room,
                  bool ownsRoom, int32_t x, int32_t y, uint8_t heading, uint64_t count);

  uint64_t Count() const override { return count_; }
  TRecordedStep Get(uint64_t k) const override;
  size_t MemoryBytes() const override {
    return sizeof(*this) + (ownsRoom_ ? room_->MemoryBytes() : 0);
  }

private:
  struct TPlace {
    uint64_t Step = 0;  // the step at which a pass begins
    int32_t X = 0, Y = 0;
    uint8_t Heading = 0;
  };

  std::shared_ptr<const TRobotLoop> loop_;
  std::shared_ptr<const TRoomView> room_;
  bool ownsRoom_;
  TPlace start_;
  mutable TPlace pass_;  // the pass of the step asked for last: steps are mostly asked in order
  uint64_t count_;
};
