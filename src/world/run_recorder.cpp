#include "world/run_recorder.h"

#include <algorithm>

#include "world/welt.h"

static_assert(kMaxRoomSide <= 0x7FFF, "a step packs the robot's cell into 15 bits each");

void cell_code::Apply(TRaum& room, int32_t x, int32_t y, uint8_t code) {
  room.MarkTopDirty(x, y);  // where the mark and the robot stood
  for (int i = 0; i < kLevels && room.Height(x, y) > 0; ++i) room.RemoveTop(x, y);
  room.ClearMark(x, y);
  if (code & kCuboid) {
    room.AddItem(x, y, kQuader);
  } else {
    for (int i = 0; i < (code & kBricks); ++i) room.AddItem(x, y, kZiegel);
  }
  if (code & kMark) room.SetMark(x, y);
  room.MarkTopDirty(x, y);
}

namespace {

// The first entry that belongs to a step after `step`.
template <class Entries>
auto After(const Entries& entries, uint64_t step) {
  return std::upper_bound(entries.begin(), entries.end(), step,
                          [](uint64_t s, const auto& e) { return s < e.Step; });
}

}  // namespace

TRunRecorder::TRunRecorder(TWelt& world, TRunRecorderLimits limits)
    : room_(world.Room), robot_(world.Robot), limits_(limits) {}

TRunRecorder::~TRunRecorder() { Watch(false); }

void TRunRecorder::Watch(bool on) {
  if (on) room_.SetWatcher(this);
  else if (room_.Watcher() == this) room_.SetWatcher(nullptr);
  watching_ = on;
}

void TRunRecorder::Start() {
  Clear();
  TakeBaseline();
  Watch(true);
}

void TRunRecorder::Reserve() {
  constexpr size_t kChunkBytes = kChunkSteps * sizeof(TPackedStep);
  const size_t chunks = std::min<size_t>(limits_.MaxSteps / kChunkSteps + 1,
                                         limits_.MaxBytes / 2 / kChunkBytes);
  // Value-initialised: every page is touched now.
  while (chunks_.size() + spare_.size() < chunks)
    spare_.push_back(std::make_unique<TPackedStep[]>(kChunkSteps));
  // Changed cells, as many as a quarter of the steps.
  const size_t changes = std::min(limits_.MaxSteps / 4, limits_.MaxBytes / 8 / sizeof(TCellChange));
  if (changesCapacity_ < changes) {
    auto block = std::make_unique<TCellChange[]>(changes);
    std::copy(changes_.get() + changesFirst_, changes_.get() + changesEnd_, block.get());
    changesEnd_ -= changesFirst_;
    changesFirst_ = 0;
    changes_ = std::move(block);
    changesCapacity_ = changes;
  }
}

void TRunRecorder::Finish() {
  if (pending_ && !Empty()) SyncLastStep();
  Watch(false);
}

void TRunRecorder::Clear() {
  Watch(false);
  // The chunks stay allocated for the next run: fresh memory costs a page fault every few
  // thousand steps, which is about as much as recording them.
  for (TChunk& chunk : chunks_) spare_.push_back(std::move(chunk));
  chunks_.clear();
  next_ = chunkStart_ = chunkEnd_ = limit_ = nullptr;
  changesFirst_ = changesEnd_ = 0;
  carriedSteps_.clear();
  failures_.clear();
  shadow_.clear();
  touchedCount_ = 0;
  pending_ = roomReset_ = false;
  firstStep_ = chunkBase_ = chunkEntry_ = firstEntry_ = 0;
  compact_.clear();
  compactSteps_ = droppedCompactSteps_ = 0;
  compactBytes_ = 0;
  showingLast_ = true;
  shown_ = 0;
}

void TRunRecorder::TakeBaseline() {
  width_ = room_.Width();
  length_ = room_.Length();
  height_ = room_.MaxHeight();
  shadow_.resize(size_t(width_) * size_t(length_));
  for (int32_t x = 0; x < width_; ++x)
    for (int32_t y = 0; y < length_; ++y)
      shadow_[size_t(x) * size_t(length_) + size_t(y)] = cell_code::Of(room_.Cell(x, y));
  carried_ = robot_.Carried;
  carriedSteps_.push_back({NextStep(), carried_});
}

// A room of other dimensions cannot be reached by changes of cells: the history starts
// again at `step`.
void TRunRecorder::Restart(uint64_t step) {
  chunkBase_ = chunkEntry_ = firstEntry_ = EntryCount();
  droppedCompactSteps_ = compactSteps_;
  compact_.clear();
  compactBytes_ = 0;
  for (TChunk& chunk : chunks_) spare_.push_back(std::move(chunk));
  chunks_.clear();
  next_ = chunkStart_ = chunkEnd_ = limit_ = nullptr;
  changesFirst_ = changesEnd_ = 0;
  carriedSteps_.clear();
  failures_.clear();
  firstStep_ = step;
  TakeBaseline();
}

// A statement changes one cell; more than a few changed at one step (by hand, while a run
// pauses) are found by comparing every cell, as after a room reset.
void TRunRecorder::CellChanged(int32_t x, int32_t y) {
  if (touchedCount_ < touched_.size())
    touched_[touchedCount_++] = uint32_t(x) * uint32_t(length_) + uint32_t(y);
  else
    roomReset_ = true;
  Pending();
}

void TRunRecorder::RoomReset() {
  roomReset_ = true;
  Pending();
}

void TRunRecorder::NoteFailure(int number) { failures_.push_back({NextStep(), number}); }

// The bricks carried change only when a brick is laid or lifted, so they are looked at
// together with the changed cells.
void TRunRecorder::NoteCarried(uint64_t step) {
  if (robot_.Carried == carried_) return;
  carried_ = robot_.Carried;
  if (!carriedSteps_.empty() && carriedSteps_.back().Step == step) carriedSteps_.back().Value = carried_;
  else carriedSteps_.push_back({step, carried_});
}

void TRunRecorder::MakeRoomForChanges(size_t more) {
  const size_t kept = changesEnd_ - changesFirst_;
  TCellChange* const from = changes_.get() + changesFirst_;
  if (kept + more > changesCapacity_ / 2) {
    const size_t capacity = std::max({size_t(1024), changesCapacity_ * 2, kept + more});
    auto larger = std::make_unique_for_overwrite<TCellChange[]>(capacity);
    std::copy(from, from + kept, larger.get());
    changes_ = std::move(larger);
    changesCapacity_ = capacity;
  } else {
    std::copy(from, from + kept, changes_.get());
  }
  changesFirst_ = 0;
  changesEnd_ = kept;
}

// Notes the cell's change since the step before, if it looks different now; room for the
// change must be there.
[[gnu::always_inline]] inline void TRunRecorder::Compare(uint32_t cell, uint64_t step) {
  const uint8_t now = cell_code::Of(room_.CellAt(cell));
  uint8_t& before = shadow_[cell];
  if (now == before) return;  // also a cell changed and changed back
  changes_[changesEnd_++] = {step, cell, before, now};
  before = now;
}

// The usual step, a cell or a few changed and nothing else, makes no call: a call here would
// cost more than the rest.
[[gnu::always_inline]] inline void TRunRecorder::CollectChanges(uint64_t step) {
  if (roomReset_ || robot_.Carried != carried_ || changesCapacity_ - changesEnd_ < touched_.size())
      [[unlikely]] {
    CollectChangesSlowly(step);
    return;
  }
  pending_ = false;
  limit_ = chunkEnd_;
  for (size_t i = 0; i < touchedCount_; ++i) Compare(touched_[i], step);
  touchedCount_ = 0;
}

void TRunRecorder::MakeRoom() {
  if (pending_) CollectChanges(NextStep());
  if (next_ == chunkEnd_) NewChunk();
  limit_ = chunkEnd_;
}

void TRunRecorder::CollectChangesSlowly(uint64_t step) {
  pending_ = false;
  limit_ = chunkEnd_;
  NoteCarried(step);
  if (changesCapacity_ - changesEnd_ < touched_.size()) MakeRoomForChanges(touched_.size());
  if (!roomReset_) {
    for (size_t i = 0; i < touchedCount_; ++i) Compare(touched_[i], step);
    touchedCount_ = 0;
    return;
  }
  roomReset_ = false;
  touchedCount_ = 0;
  if (room_.Width() != width_ || room_.Length() != length_) {
    Restart(step);
    return;
  }
  for (uint32_t cell = 0; cell < shadow_.size(); ++cell) {
    if (changesEnd_ == changesCapacity_) MakeRoomForChanges(1);
    Compare(cell, step);
  }
}

void TRunRecorder::NewChunk() {
  chunkEntry_ = EntryCount();
  if (spare_.empty()) {
    chunks_.push_back(std::make_unique_for_overwrite<TPackedStep[]>(kChunkSteps));
  } else {
    chunks_.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
  next_ = chunkStart_ = chunks_.back().get();
  chunkEnd_ = limit_ = next_ + kChunkSteps;
  FitLimits();
}

void TRunRecorder::RecordCompact(std::shared_ptr<const TCompactSteps> steps) {
  if (!steps || steps->Count() == 0) return;
  if (pending_) CollectChanges(NextStep());
  compact_.push_back({NextStep(), EntryCount(), 0, steps});
  compactSteps_ += steps->Count();
  compactBytes_ += steps->MemoryBytes();
  FitLimits();
}

// Entries are kept within the step limit a chunk at a time. Steps in compact form, which
// cost little memory, count against it as well: the oldest of them are dropped one by one.
void TRunRecorder::FitLimits() {
  for (;;) {
    if (chunks_.size() * kChunkSteps > limits_.MaxSteps || MemoryBytes() > limits_.MaxBytes) {
      if (!DropOldestPiece(UINT64_MAX)) return;
    } else if (StepCount() > limits_.MaxSteps) {
      if (!DropOldestPiece(StepCount() - limits_.MaxSteps)) return;
    } else {
      return;
    }
  }
}

// Drops the oldest chunk of entries, or at most `most` of the oldest steps in compact form if
// they come first; never the chunk being filled. False when nothing could be dropped.
bool TRunRecorder::DropOldestPiece(uint64_t most) {
  const auto dropCompact = [this](uint64_t most) {
    TCompactPiece& piece = compact_.front();
    const uint64_t drop = std::min(most, piece.Count());
    droppedCompactSteps_ += drop;
    if (drop < piece.Count()) {
      piece.Skip += drop;
      piece.FirstStep += drop;
      return;
    }
    compactBytes_ -= piece.Steps->MemoryBytes();
    compact_.pop_front();
  };
  if (!compact_.empty() && compact_.front().Entry <= firstEntry_) {
    dropCompact(most);
  } else if (chunks_.size() > 1) {
    spare_.push_back(std::move(chunks_.front()));
    chunks_.pop_front();
    chunkBase_ += kChunkSteps;
    firstEntry_ = std::max(firstEntry_, chunkBase_);
    while (!compact_.empty() && compact_.front().Entry < firstEntry_) dropCompact(UINT64_MAX);
    while (spare_.size() > 1) spare_.pop_back();
  } else if (!compact_.empty() && most != UINT64_MAX) {
    // Entries older than steps in compact form, in the chunk being filled: no longer kept,
    // though their memory stays until the chunk is given up.
    firstEntry_ += std::min(most, compact_.front().Entry - firstEntry_);
  } else {
    return false;
  }
  firstStep_ = !compact_.empty() && compact_.front().Entry <= firstEntry_
                   ? compact_.front().FirstStep
                   : firstEntry_ + droppedCompactSteps_;
  // The changes that led to the oldest kept step are needed no more either; of the seldom
  // values the last one up to it still holds.
  const auto kept = Changes();
  changesFirst_ += size_t(After(kept, firstStep_) - kept.begin());
  while (!failures_.empty() && failures_.front().Step < firstStep_) failures_.pop_front();
  while (carriedSteps_.size() > 1 && carriedSteps_[1].Step <= firstStep_) carriedSteps_.pop_front();
  return true;
}

const TRunRecorder::TPackedStep& TRunRecorder::Packed(uint64_t entry) const {
  const uint64_t i = entry - chunkBase_;
  return chunks_[i / kChunkSteps][i % kChunkSteps];
}

TRecordedStep TRunRecorder::Step(uint64_t n) const {
  TRecordedStep s;
  // The last piece in compact form that begins at n or before; the steps in compact form
  // before an entry tell its number.
  const auto piece = std::upper_bound(
      compact_.begin(), compact_.end(), n,
      [](uint64_t step, const TCompactPiece& p) { return step < p.FirstStep; });
  uint64_t compactBefore = droppedCompactSteps_;
  bool inPiece = false;
  if (piece != compact_.begin()) {
    const TCompactPiece& p = *std::prev(piece);
    inPiece = n - p.FirstStep < p.Count();
    if (inPiece) s = p.Steps->Get(p.Skip + (n - p.FirstStep));
    compactBefore = p.FirstStep - p.Entry + p.Count();
  }
  if (!inPiece) {
    const TPackedStep& p = Packed(n - compactBefore);
    s.Line = p.Line;
    s.X = int32_t(p.Robot & 0x7FFF);
    s.Y = int32_t(p.Robot >> 15 & 0x7FFF);
    s.Heading = uint8_t(p.Robot >> 30);
  }
  s.Carried = 0;
  s.Failure = 0;
  const auto carried = After(carriedSteps_, n);
  if (carried != carriedSteps_.begin()) s.Carried = std::prev(carried)->Value;
  const auto failure = After(failures_, n);
  if (failure != failures_.begin() && std::prev(failure)->Step == n)
    s.Failure = uint8_t(std::prev(failure)->Value);
  return s;
}

std::vector<TCellChange> TRunRecorder::ChangesOf(uint64_t n) const {
  if (n == 0) return {};
  const auto changes = Changes();
  return {After(changes, n - 1), After(changes, n)};
}

size_t TRunRecorder::MemoryBytes() const {
  return (chunks_.size() + spare_.size()) * kChunkSteps * sizeof(TPackedStep) +
         changesCapacity_ * sizeof(TCellChange) +
         (carriedSteps_.size() + failures_.size()) * sizeof(TStepValue) + shadow_.size() +
         compact_.size() * sizeof(TCompactPiece) + compactBytes_;
}

// Changes made by hand while the last step is shown (a paused run) belong to that step,
// and so does where the robot now stands.
void TRunRecorder::SyncLastStep() {
  if (pending_) CollectChanges(LastStep());
  if (Empty()) return;
  // A run records its next step in the usual way after steps in compact form, so the last
  // step is an entry whenever a run pauses or ends.
  if (compact_.empty() || compact_.back().Entry < EntryCount())
    next_[-1].Robot = Pack(robot_.X, robot_.Y, robot_.Heading);
  NoteCarried(LastStep());
}

void TRunRecorder::Show(uint64_t n) {
  if (Empty()) return;
  if (showingLast_) SyncLastStep();
  if (Empty()) return;
  n = std::clamp(n, firstStep_, LastStep());
  const uint64_t from = Shown();
  TRaumWatcher* const watcher = room_.Watcher();
  room_.SetWatcher(nullptr);  // these changes are the history's own
  auto apply = [this](const TCellChange& c, uint8_t code) {
    const TZellPos p = CellPos(c.Cell);
    cell_code::Apply(room_, p.X, p.Y, code);
    shadow_[c.Cell] = code;
  };
  if (n < from) {
    const auto stop = After(Changes(), n);
    for (auto it = After(Changes(), from); it != stop;) {
      --it;
      apply(*it, it->Old);
    }
  } else {
    const auto stop = After(Changes(), n);
    for (auto it = After(Changes(), from); it != stop; ++it) apply(*it, it->New);
  }
  room_.SetWatcher(watcher);

  const TRecordedStep s = Step(n);
  room_.MarkTopDirty(robot_.X, robot_.Y);
  robot_.X = s.X;
  robot_.Y = s.Y;
  robot_.Heading = s.Heading;
  robot_.Carried = s.Carried;
  room_.MarkTopDirty(robot_.X, robot_.Y);
  shown_ = n;
  showingLast_ = n == LastStep();
}
