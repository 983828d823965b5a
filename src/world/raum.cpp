#include "world/raum.h"

#include <algorithm>

TRaum::TRaum() { Init(1, 1, 0); }

void TRaum::Init(int32_t width, int32_t length, int32_t height) {
  width_ = std::max(width, 0);
  length_ = std::max(length, 0);
  maxHeight_ = std::clamp(height, 0, kMaxRoomHeight);
  TZelle fresh;
  fresh.Dirty.fill(true);
  cells_.assign(size_t(width_) * size_t(length_), fresh);
  listed_.assign(cells_.size(), 0);
  const int32_t stride = length_ + 2;
  ground_.assign(size_t(width_ + 2) * size_t(stride), kGroundBlocked);
  groundOffset_ = {1, -stride, -1, stride};
  ClearGround();
  dirtyCells_.clear();
  allDirty_ = true;
  ++version_;
  if (watcher_) watcher_->RoomReset();
}

void TRaum::ClearGround() {
  for (int32_t x = 0; x < width_; ++x)
    for (int32_t y = 0; y < length_; ++y) ground_[size_t(GroundIndex(x, y))] = 0;
}

void TRaum::Clear() {
  for (TZelle& c : cells_) {
    c.Height = 0;
    c.Mark = false;
    c.Content.fill(kLeer);
    c.Dirty.fill(true);
  }
  std::fill(listed_.begin(), listed_.end(), 0);
  ClearGround();
  dirtyCells_.clear();
  allDirty_ = true;
  ++version_;
  if (watcher_) watcher_->RoomReset();
}

void TRaum::List(size_t i, int32_t x, int32_t y) {
  listed_[i] = 1;
  dirtyCells_.push_back({x, y});
}

void TRaum::AddItem(int32_t x, int32_t y, uint8_t kind) {
  TZelle& c = cells_[Index(x, y)];
  if (kind == kZiegel) {
    if (c.Height >= maxHeight_ || (c.Height > 0 && c.Content[0] != kZiegel)) return;
    c.Content[c.Height] = kZiegel;
    SetDirty(x, y, c.Height);
    ++c.Height;
  } else if (kind == kQuader) {
    if (c.Height != 0 || c.Mark) return;
    c.Height = 2;
    c.Content[0] = c.Content[1] = kQuader;
    SetDirty(x, y, 0);
    SetDirty(x, y, 1);
  } else {
    return;
  }
  SetGround(x, y, c);
  Changed(x, y);
}

void TRaum::RemoveTop(int32_t x, int32_t y) {
  TZelle& c = cells_[Index(x, y)];
  if (c.Height == 0) return;
  if (c.Content[0] == kQuader) {
    c.Height = 0;
    c.Content[0] = c.Content[1] = kLeer;
    SetDirty(x, y, 0);
    SetDirty(x, y, 1);
  } else if (c.Content[0] == kZiegel) {
    --c.Height;
    c.Content[c.Height] = kLeer;
    SetDirty(x, y, c.Height);
  }
  SetGround(x, y, c);
  Changed(x, y);
}

void TRaum::SetMark(int32_t x, int32_t y) {
  TZelle& c = cells_[Index(x, y)];
  if (c.Mark) return;
  c.Mark = true;
  SetDirty(x, y, c.Height);
  Changed(x, y);
}

void TRaum::ClearMark(int32_t x, int32_t y) {
  TZelle& c = cells_[Index(x, y)];
  if (!c.Mark) return;
  c.Mark = false;
  SetDirty(x, y, c.Height);
  Changed(x, y);
}

void TRaum::ClearDirty() {
  if (allDirty_) {
    for (TZelle& c : cells_) c.Dirty.fill(false);
  } else {
    for (const TZellPos& p : dirtyCells_) cells_[Index(p.X, p.Y)].Dirty.fill(false);
  }
  for (const TZellPos& p : dirtyCells_) listed_[Index(p.X, p.Y)] = 0;
  dirtyCells_.clear();
  allDirty_ = false;
}

void TRaum::ClearDirty(int32_t x, int32_t y) {
  if (!allDirty_) cells_[Index(x, y)].Dirty.fill(false);
}
