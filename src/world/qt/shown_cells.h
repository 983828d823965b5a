// What a view last named of each cell: its height, content, mark and the robot standing on
// it with its heading, which is all a cell's picture depends on. An update repaints only the
// cells whose state differs from it, so a frame in which the robot walked through a hundred
// cells repaints where it started and where it stands, not its path, and a brick put down
// and picked up again within the frame costs nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/raum.h"
#include "world/tumbo.h"

class TShownCells {
public:
  // Every cell as it is now: the whole view is about to be repainted.
  void Reset(const TRaum& room, const TTumbo& robot);

  // Whether the cell's picture may differ from what was named last; remembers it as it is
  // now, as the update names it. Inline: an update asks it for every cell the robot passed.
  bool Update(const TRaum& room, const TTumbo& robot, int32_t x, int32_t y) {
    if (!Knows(room)) return true;  // never reset for this room: nothing is known
    uint16_t& shown = states_[Index(x, y)];
    const uint16_t now = StateOf(room, robot, x, y);
    if (shown == now) return false;
    shown = now;
    return true;
  }

  // A paint drew the cell in a state the views have not named yet: whatever it showed,
  // the next update repaints the cell.
  void Forget(const TRaum& room, int32_t x, int32_t y) {
    if (Knows(room)) states_[Index(x, y)] = kUnknown;
  }

private:
  // No cell is ever in this state: a forgotten cell always counts as changed.
  static constexpr uint16_t kUnknown = 0xFFFF;

  // Height (0..31), the kind of the lowest level (a stack of bricks or a cuboid), the mark,
  // and the robot with its heading.
  static uint16_t StateOf(const TRaum& room, const TTumbo& robot, int32_t x, int32_t y) {
    const TZelle& cell = room.Cell(x, y);
    uint16_t state = uint16_t(cell.Height | (cell.Height > 0 ? cell.Content[0] << 6 : 0) | (cell.Mark ? 1 << 8 : 0));
    if (robot.X == x && robot.Y == y) state |= uint16_t(1 << 9 | (robot.Heading & 3) << 10);
    return state;
  }
  bool Knows(const TRaum& room) const { return room.Width() == width_ && room.Length() == length_; }
  std::size_t Index(int32_t x, int32_t y) const { return std::size_t(x) * std::size_t(length_) + std::size_t(y); }

  std::vector<uint16_t> states_;  // column by column, as the room keeps its cells
  int32_t width_ = 0, length_ = 0;
};
