// A world's 2D map as a picture file's bytes, and where its cells lie in it: reports draw a
// frame around a cell without knowing how the map is drawn.
#pragma once

#include <string>

struct TMapPicture {
  std::string Png;
  int Width = 0, Height = 0;  // pixels
  // Cell (x, y) begins at (Left + x·Step, Top + y·Step) and is Step pixels wide and high.
  double Left = 0, Top = 0, Step = 0;
};
