#include "world/qt/shown_cells.h"

void TShownCells::Reset(const TRaum& room, const TTumbo& robot) {
  width_ = room.Width();
  length_ = room.Length();
  states_.resize(std::size_t(width_) * std::size_t(length_));
  for (int32_t x = 0; x < width_; ++x)
    for (int32_t y = 0; y < length_; ++y) states_[Index(x, y)] = TCellLook::Of(room, robot, x, y).Bits();
}
