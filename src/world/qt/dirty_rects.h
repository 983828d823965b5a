// The areas a view has to repaint, kept as a short list of rectangles: a rectangle that
// overlaps another is merged with it when their bounding box costs no more to paint than
// both apart. Changes far apart stay apart, so a frame in which the robot walks along two
// sides of a large room repaints two bands, not the room.
#pragma once

#include <QRect>
#include <vector>

class TDirtyRects {
public:
  void Add(QRect r);
  void Clear() { rects_.clear(); }
  bool Empty() const { return rects_.empty(); }
  const std::vector<QRect>& Rects() const { return rects_; }

private:
  std::vector<QRect> rects_;
};
