// The history of a program run: after every step the robot's state and the line, and the
// cells changed since the step before (old and new content). Moving to any kept step
// rewinds or replays those changes, so the world shows exactly what it showed then.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <vector>

#include "world/raum.h"
#include "world/tumbo.h"

class TWelt;

// A cell's content and mark in one byte: the brick count in the low five bits, or the
// cuboid bit; the mark bit on top.
namespace cell_code {
inline constexpr uint8_t kBricks = 0x1F;
inline constexpr uint8_t kCuboid = 0x20;
inline constexpr uint8_t kMark = 0x40;

inline uint8_t Of(const TZelle& c) {
  const uint8_t content = c.Height > 0 && c.Content[0] == kQuader ? kCuboid : c.Height;
  return uint8_t(content | (c.Mark ? kMark : 0));
}
// Rebuilds the cell through the room's own operations, so its invariants and Dirty flags
// follow as for any change.
void Apply(TRaum& room, int32_t x, int32_t y, uint8_t code);
}  // namespace cell_code

// The state shown at one step. Failure is the robot's message number (0 for none) of the
// statement that ended just before this step.
struct TRecordedStep {
  int32_t Line = 0;  // CurrentLine; -1 at the end of the run
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Carried = 0;
  uint8_t Heading = 0;
  uint8_t Failure = 0;
};

// A value that changes seldom, from step Step on.
struct TStepValue {
  uint64_t Step = 0;
  int32_t Value = 0;
};

// One cell's change, made between step Step - 1 and step Step.
struct TCellChange {
  uint64_t Step = 0;
  uint32_t Cell = 0;  // x * Length + y
  uint8_t Old = 0;
  uint8_t New = 0;
};

// Steps kept in compact form by whoever made them and made again when asked for: a robot
// loop's passes, for one, need only where the robot began and the room it asked.
class TCompactSteps {
public:
  virtual ~TCompactSteps() = default;
  virtual uint64_t Count() const = 0;
  // Step k (from 0) of these; Carried and Failure are the recorder's.
  virtual TRecordedStep Get(uint64_t k) const = 0;
  virtual size_t MemoryBytes() const = 0;
};

struct TRunRecorderLimits {
  uint64_t MaxSteps = 1000000;
  size_t MaxBytes = size_t(100) << 20;
};

class TRunRecorder : private TRaumWatcher {
public:
  explicit TRunRecorder(TWelt& world, TRunRecorderLimits limits = {});
  ~TRunRecorder();
  TRunRecorder(const TRunRecorder&) = delete;
  TRunRecorder& operator=(const TRunRecorder&) = delete;

  // Forgets any history, takes the world as it is now as the start and watches the room.
  void Start();
  // Makes the memory for the steps the limits allow ready beforehand: fresh memory costs a
  // page fault every few hundred steps, which a run would otherwise wait for once.
  void Reserve();
  // After every step, while the last step is shown: the state now, with `line` marked.
  // One test unless the chunk is full or cells changed (then `limit_` was moved to `next_`).
  void Record(int32_t line) { RecordAt(line, robot_.X, robot_.Y, robot_.Heading); }
  // The same for a robot that stands at x, y with `heading` at that step.
  void RecordAt(int32_t line, int32_t x, int32_t y, uint8_t heading) {
    RecordPacked(line, Pack(x, y, heading));
  }
  // The same with the robot's cell and heading packed by Pack.
  void RecordPacked(int32_t line, uint32_t robot) {
    if (next_ == limit_) [[unlikely]] MakeRoom();
    *next_++ = TPackedStep{line, robot};
  }
  static uint32_t Pack(int32_t x, int32_t y, uint8_t heading) {
    return uint32_t(x) | uint32_t(y) << 15 | uint32_t(heading) << 30;
  }
  // The next steps, in compact form; no cells change during them. The run records its next
  // step in the usual way before the run ends or pauses.
  void RecordCompact(std::shared_ptr<const TCompactSteps> steps);
  // The statement in progress failed with robot message `number`; kept with the next step.
  void NoteFailure(int number);
  // Stops watching the room; the history stays for replay.
  void Finish();
  // Forgets the history and stops watching.
  void Clear();

  bool Recording() const { return watching_; }
  bool Empty() const { return StepCount() == 0; }
  // Steps are numbered from the run's first one (0). Older steps may have been dropped to
  // keep memory bounded; FirstStep() is the oldest kept.
  uint64_t FirstStep() const { return firstStep_; }
  uint64_t StepCount() const { return NextStep() - firstStep_; }
  uint64_t LastStep() const { return firstStep_ + StepCount() - 1; }  // only when not Empty
  TRecordedStep Step(uint64_t n) const;
  // The changes that lead from step n - 1 to step n, in the order they happened.
  std::vector<TCellChange> ChangesOf(uint64_t n) const;
  // The room the steps belong to.
  int32_t RoomWidth() const { return width_; }
  int32_t RoomLength() const { return length_; }
  int32_t RoomHeight() const { return height_; }
  TZellPos CellPos(uint32_t cell) const {
    return {int32_t(cell / uint32_t(length_)), int32_t(cell % uint32_t(length_))};
  }
  // Memory held by the history.
  size_t MemoryBytes() const;

  // The step the world shows: LastStep() unless Show moved it.
  uint64_t Shown() const { return showingLast_ ? LastStep() : shown_; }
  bool ShowingLast() const { return showingLast_; }
  // Puts room and robot into their state at kept step n (clamped to the kept range). Does
  // not redraw: the caller updates the view.
  void Show(uint64_t n);

private:
  // Rooms are at most kMaxRoomSide (100) cells wide and long.
  struct TPackedStep {
    int32_t Line;
    uint32_t Robot;  // x in bits 0-14, y in bits 15-29, heading in bits 30-31
  };
  // Steps in compact form lie between the entries; Entry is the number of the first entry
  // recorded after them, counted from the run's first entry as the steps are.
  struct TCompactPiece {
    uint64_t FirstStep = 0;
    uint64_t Entry = 0;
    uint64_t Skip = 0;  // its first steps, dropped
    std::shared_ptr<const TCompactSteps> Steps;
    uint64_t Count() const { return Steps->Count() - Skip; }
  };

  const TPackedStep& Packed(uint64_t entry) const;
  // Entries recorded in this run so far, the dropped ones included.
  uint64_t EntryCount() const { return chunkEntry_ + uint64_t(next_ - chunkStart_); }
  uint64_t NextStep() const { return EntryCount() + compactSteps_; }
  void FitLimits();
  bool DropOldestPiece(uint64_t most);

  void CellChanged(int32_t x, int32_t y) override;
  void RoomReset() override;
  void MakeRoom();
  void NoteCarried(uint64_t step);
  void Pending() {
    pending_ = true;
    limit_ = next_;
  }
  void CollectChanges(uint64_t step);
  [[gnu::noinline]] void CollectChangesSlowly(uint64_t step);
  void Compare(uint32_t cell, uint64_t step);
  void NewChunk();
  void TakeBaseline();
  void Restart(uint64_t step);
  void SyncLastStep();
  void Watch(bool on);

  static constexpr size_t kChunkSteps = 4096;
  using TChunk = std::unique_ptr<TPackedStep[]>;

  TRaum& room_;
  TTumbo& robot_;
  TRunRecorderLimits limits_;
  std::deque<TChunk> chunks_;
  std::vector<TChunk> spare_;          // chunks of an earlier run, used again
  TPackedStep* chunkStart_ = nullptr;  // the newest chunk
  uint64_t chunkEntry_ = 0;            // the entry at chunkStart_ (chunkBase_ while no chunk)
  TPackedStep* next_ = nullptr;        // next free place in the newest chunk
  TPackedStep* chunkEnd_ = nullptr;
  TPackedStep* limit_ = nullptr;       // chunkEnd_, or next_ while changes wait
  uint64_t firstStep_ = 0;             // the oldest step kept
  uint64_t chunkBase_ = 0;             // the entry at the start of the first chunk
  uint64_t firstEntry_ = 0;            // the oldest entry kept, in the first chunk
  std::deque<TCompactPiece> compact_;  // ordered by FirstStep
  uint64_t compactSteps_ = 0;          // steps in compact form in this run, dropped ones too
  uint64_t droppedCompactSteps_ = 0;   // of those, the ones dropped
  size_t compactBytes_ = 0;
  // The changes kept are changes_[changesFirst_, changesEnd_), ordered by Step, in room made
  // ahead, so that adding one costs no call. The memory stays for the next run.
  std::unique_ptr<TCellChange[]> changes_;
  size_t changesCapacity_ = 0;
  size_t changesFirst_ = 0;
  size_t changesEnd_ = 0;
  std::span<const TCellChange> Changes() const {
    return {changes_.get() + changesFirst_, changesEnd_ - changesFirst_};
  }
  // Room for `more` changes after the last: the kept ones move to the front, into a larger
  // block when they fill half of it.
  [[gnu::noinline]] void MakeRoomForChanges(size_t more);
  std::deque<TStepValue> carriedSteps_;  // ordered by Step; the first one holds at FirstStep
  std::deque<TStepValue> failures_;    // ordered by Step
  int32_t carried_ = 0;                // the bricks carried at the last step
  std::vector<uint8_t> shadow_;        // every cell's code at the step shown
  int32_t width_ = 0;
  int32_t length_ = 0;
  int32_t height_ = 0;
  std::array<uint32_t, 4> touched_{};  // cells changed since the last step
  uint8_t touchedCount_ = 0;
  bool pending_ = false;               // touched_ or a room reset waits for the next step
  bool roomReset_ = false;             // every cell to compare: a room reset, or many changed
  bool watching_ = false;
  bool showingLast_ = true;
  uint64_t shown_ = 0;
};
