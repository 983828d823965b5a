#pragma once
// Small rooms written as rows, for tables of task cases.
#include <string>
#include <vector>

#include "world/raum.h"

// Rows from y = 0, one character per field from x = 0: '.' empty, a digit that many bricks,
// 'm' a mark, 'q' a cuboid. The room is 9 high.
inline void FillRows(TRaum& room, const std::vector<std::string>& rows) {
  room.Init(int32_t(rows[0].size()), int32_t(rows.size()), 9);
  for (int32_t y = 0; y < room.Length(); ++y)
    for (int32_t x = 0; x < room.Width(); ++x) {
      const char c = rows[y][x];
      if (c == 'm') room.SetMark(x, y);
      if (c == 'q') room.AddItem(x, y, kQuader);
      for (int i = 0; c >= '1' && c <= '9' && i < c - '0'; ++i) room.AddItem(x, y, kZiegel);
    }
}
