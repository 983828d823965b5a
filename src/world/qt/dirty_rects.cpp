#include "world/qt/dirty_rects.h"

#include <cstdint>

namespace {

int64_t Area(const QRect& r) { return int64_t(r.width()) * r.height(); }

}  // namespace

void TDirtyRects::Add(QRect r) {
  if (r.isEmpty()) return;
  // A merged rectangle may now pay off with one it passed before: scan again.
  for (size_t i = 0; i < rects_.size();) {
    const QRect both = rects_[i].united(r);
    if (rects_[i].intersects(r) && Area(both) <= Area(rects_[i]) + Area(r)) {
      r = both;
      rects_[i] = rects_.back();
      rects_.pop_back();
      i = 0;
    } else {
      ++i;
    }
  }
  rects_.push_back(r);
}
