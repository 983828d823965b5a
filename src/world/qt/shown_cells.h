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

// How a view draws a cell, or unknown.
class TCellLook {
public:
  static constexpr uint16_t kUnknown = 0xFFFF;  // no cell is ever in this state

  // Height (0..31), the kind of the lowest level (a stack of bricks or a cuboid), the mark,
  // and the robot with its heading.
  static TCellLook Of(const TRaum& room, const TTumbo& robot, int32_t x, int32_t y) {
    const TZelle& cell = room.Cell(x, y);
    uint16_t bits = uint16_t(cell.Height | (cell.Height > 0 ? cell.Content[0] << 6 : 0) | (cell.Mark ? 1 << 8 : 0));
    if (robot.X == x && robot.Y == y) bits |= uint16_t(1 << 9 | (robot.Heading & 3) << 10);
    return TCellLook(bits);
  }
  explicit TCellLook(uint16_t bits = kUnknown) : bits_(bits) {}

  bool Known() const { return bits_ != kUnknown; }
  int Height() const { return bits_ & 63; }
  uint8_t Kind() const { return uint8_t((bits_ >> 6) & 3); }  // kLeer, kZiegel or kQuader
  bool Mark() const { return bits_ & (1 << 8); }
  bool Robot() const { return bits_ & (1 << 9); }
  int Heading() const { return (bits_ >> 10) & 3; }
  uint16_t Bits() const { return bits_; }
  bool operator==(const TCellLook&) const = default;

private:
  uint16_t bits_;
};

class TShownCells {
public:
  // Every cell as it is now: the whole view is about to be repainted.
  void Reset(const TRaum& room, const TTumbo& robot);

  struct TChange {
    TCellLook Before, Now;
    bool Changed() const { return !(Before == Now); }
  };
  // How the cell was last named and how it looks now; remembers it as it is now, as the
  // update names it. Inline: an update asks it for every cell the robot passed.
  TChange Update(const TRaum& room, const TTumbo& robot, int32_t x, int32_t y) {
    const TCellLook now = TCellLook::Of(room, robot, x, y);
    if (!Knows(room)) return {TCellLook(), now};  // never reset for this room: nothing is known
    uint16_t& shown = states_[Index(x, y)];
    const TCellLook before(shown);
    shown = now.Bits();
    return {before, now};
  }

  // A paint drew the cell in a state the views have not named yet: whatever it showed,
  // the next update repaints the cell.
  void Forget(const TRaum& room, int32_t x, int32_t y) {
    if (Knows(room)) states_[Index(x, y)] = TCellLook::kUnknown;
  }

private:
  bool Knows(const TRaum& room) const { return room.Width() == width_ && room.Length() == length_; }
  std::size_t Index(int32_t x, int32_t y) const { return std::size_t(x) * std::size_t(length_) + std::size_t(y); }

  std::vector<uint16_t> states_;  // column by column, as the room keeps its cells
  int32_t width_ = 0, length_ = 0;
};
