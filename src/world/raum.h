// The room: a grid of cells, each a stack of bricks or one cuboid, possibly marked.
// The room keeps a cell consistent and refuses silently what would break it; where
// something may be put is decided by the robot and the world editor.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

// Content codes of one level.
enum : uint8_t { kLeer = 0, kZiegel = 1, kQuader = 2 };

// Levels stored per cell: the level above a full stack (at most 31) still carries the
// mark and the robot.
inline constexpr int kLevels = 32;
inline constexpr int32_t kMaxRoomHeight = 31;

struct TZelle {
  uint8_t Height = 0;                    // occupied levels: brick count, 2 for a cuboid
  bool Mark = false;
  std::array<uint8_t, kLevels> Content{};  // kLeer, kZiegel or kQuader per level
  std::array<bool, kLevels> Dirty{};       // level changed since the views last drew it
  std::array<bool, kLevels> Selected{};    // scratch flags of the 3D painter
};

struct TZellPos {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TZellPos&) const = default;
};

// Learns of every change of a cell's content or mark; a Dirty flag set alone (the robot
// leaving or turning on a cell) is no change. Told after the change.
class TRaumWatcher {
public:
  virtual void CellChanged(int32_t x, int32_t y) = 0;
  virtual void RoomReset() = 0;  // Init or Clear: any cell may have changed

protected:
  ~TRaumWatcher() = default;
};

class TRaum {
public:
  TRaum();  // a 1 x 1 room of height 0 until Init

  // New dimensions, every cell empty, all Dirty flags set, all Selected flags cleared.
  // The height is limited to 0..31; negative widths or lengths count as 0.
  void Init(int32_t width, int32_t length, int32_t height);
  // Every cell empty and unmarked, all Dirty flags set; dimensions and Selected kept.
  void Clear();

  void AddItem(int32_t x, int32_t y, uint8_t kind);  // kZiegel or kQuader; refused silently
  void RemoveTop(int32_t x, int32_t y);              // top brick, or the whole cuboid
  void SetMark(int32_t x, int32_t y);
  void ClearMark(int32_t x, int32_t y);
  // Dirty[Height]. Inline with the queries below: the robot calls them on every step.
  void MarkTopDirty(int32_t x, int32_t y) {
    if (!allDirty_) SetDirty(x, y, Cell(x, y).Height);
  }

  uint8_t ContentAt(int32_t x, int32_t y, int32_t z) const {
    const TZelle& c = Cell(x, y);
    if (z < 0 || z >= c.Height) return kLeer;
    return c.Content[std::size_t(z)];
  }
  // 0 for an empty or cuboid cell
  int32_t BrickCount(int32_t x, int32_t y) const {
    return ContentAt(x, y, 0) == kZiegel ? Cell(x, y).Height : 0;
  }
  bool HasMark(int32_t x, int32_t y) const { return Cell(x, y).Mark; }
  int32_t HeightDifference(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    const int32_t d = int32_t(Cell(x1, y1).Height) - int32_t(Cell(x2, y2).Height);
    return d < 0 ? -d : d;
  }
  bool IsFull(int32_t x, int32_t y) const { return Cell(x, y).Height >= maxHeight_; }  // Height >= MaxHeight

  int32_t Width() const { return width_; }
  int32_t Length() const { return length_; }
  int32_t MaxHeight() const { return maxHeight_; }
  bool Contains(int32_t x, int32_t y) const {
    return uint32_t(x) < uint32_t(width_) && uint32_t(y) < uint32_t(length_);
  }
  uint8_t Height(int32_t x, int32_t y) const { return Cell(x, y).Height; }

  // --- The ground map, for the robot's steps and wall tests ---
  // Per cell its Height, with kGroundBlocked added for a cuboid; a frame of kGroundBlocked
  // cells around the room, so that the cell ahead of a robot inside needs no bounds test.
  static constexpr uint8_t kGroundBlocked = 0x80;
  static constexpr uint8_t kGroundHeight = 0x7F;
  int32_t GroundIndex(int32_t x, int32_t y) const { return (x + 1) * (length_ + 2) + (y + 1); }
  // From a cell's ground index to its neighbour's in direction `heading` (0 south .. 3 east).
  int32_t GroundOffset(uint8_t heading) const { return groundOffset_[heading & 3]; }
  uint8_t Ground(int32_t index) const { return ground_[std::size_t(index)]; }
  // The map itself, valid until the room's dimensions change.
  const uint8_t* GroundMap() const { return ground_.data(); }
  size_t GroundMapSize() const { return ground_.size(); }
  // Counts every change of a cell's content or mark and every new or cleared room: equal
  // versions, equal contents.
  uint64_t Version() const { return version_; }

  // Cells[x][y]. Coordinates must lie inside the room (checked in debug builds only).
  const TZelle& Cell(int32_t x, int32_t y) const { return cells_[Index(x, y)]; }
  // The cell at index x * Length() + y, for whoever keeps cells by that number.
  const TZelle& CellAt(std::size_t index) const {
    assert(index < cells_.size());
    return cells_[index];
  }
  // The 3D painter's scratch flags may be changed freely.
  std::array<bool, kLevels>& Selected(int32_t x, int32_t y) { return cells_[Index(x, y)].Selected; }

  // --- What changed since the views last drew (cheap to ask) ---
  // After Init or Clear every level of every cell is dirty: AllDirty() is true and the
  // list stays empty. Otherwise DirtyCells() names, once each and in the order of their
  // first change, the cells with a Dirty flag set since the last ClearDirty().
  bool AllDirty() const { return allDirty_; }
  const std::vector<TZellPos>& DirtyCells() const { return dirtyCells_; }
  bool AnyDirty() const { return allDirty_ || !dirtyCells_.empty(); }
  // Clears every Dirty flag; costs what changed, or the room's size after Init/Clear.
  void ClearDirty();
  // Clears the Dirty flags of one cell (it may stay listed; the flags tell). While
  // AllDirty() every flag stays set: a change then needs no flag of its own.
  void ClearDirty(int32_t x, int32_t y);

  // The one watcher of content changes; nullptr for none. Not owned.
  void SetWatcher(TRaumWatcher* watcher) { watcher_ = watcher; }
  TRaumWatcher* Watcher() const { return watcher_; }

private:
  std::size_t Index(int32_t x, int32_t y) const {
    assert(Contains(x, y));
    return std::size_t(x) * std::size_t(length_) + std::size_t(y);
  }
  // Inline whole: a run between frames sets a flag for every mark it lays or lifts.
  [[gnu::always_inline]] void SetDirty(int32_t x, int32_t y, int z) {
    if (allDirty_) return;
    const std::size_t i = Index(x, y);
    cells_[i].Dirty[std::size_t(z)] = true;
    if (!listed_[i]) List(i, x, y);
  }
  void ClearGround();  // every cell of the room at height 0, the frame blocked
  // Puts a cell on the list of changed cells (the first change of the cell since ClearDirty).
  void List(std::size_t i, int32_t x, int32_t y);
  void SetGround(int32_t x, int32_t y, const TZelle& c) {
    ground_[std::size_t(GroundIndex(x, y))] =
        uint8_t(c.Height | (c.Content[0] == kQuader ? kGroundBlocked : 0));
  }
  void Changed(int32_t x, int32_t y) {
    ++version_;
    if (watcher_) [[unlikely]] watcher_->CellChanged(x, y);
  }

  int32_t width_ = 1;
  int32_t length_ = 1;
  int32_t maxHeight_ = 0;
  std::vector<TZelle> cells_;             // column by column: index x * length + y
  std::vector<uint8_t> listed_;           // cell already in dirtyCells_
  std::vector<uint8_t> ground_;           // (width + 2) x (length + 2), column by column
  std::array<int32_t, 4> groundOffset_{};
  std::vector<TZellPos> dirtyCells_;
  bool allDirty_ = true;
  TRaumWatcher* watcher_ = nullptr;
  uint64_t version_ = 0;
};
