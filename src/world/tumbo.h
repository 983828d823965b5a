// The robot: stands on one cell of the room, faces one of four directions, may carry
// bricks. Actions that cannot be carried out change nothing and leave a numbered
// message; conditions answer true or false.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "world/raum.h"

// Headings: 0 south, 1 west, 2 north, 3 east.
enum : uint8_t { kSueden = 0, kWesten = 1, kNorden = 2, kOsten = 3 };

class TTumbo {
public:
  TTumbo(int32_t x, int32_t y, uint8_t heading, TRaum& room);
  virtual ~TTumbo() = default;
  TTumbo(const TTumbo&) = delete;
  TTumbo& operator=(const TTumbo&) = delete;

  // Actions; each clears Failed first. n = -1 means "no current value" (message 17).
  // Steps, turns and the wall and brick queries are inline: a long run is mostly made of them.
  [[gnu::always_inline]] void Schritt(int32_t n) {
    Failed = false;
    if (n == 1) [[likely]] {
      StepOnce();
      return;
    }
    if (n == kNoValue) Fail(17);
    for (int32_t i = 0; i < n && StepOnce(); ++i) {
    }
  }
  // Schritt(1) when it goes well; false, with nothing changed, when Schritt(1) would fail.
  [[gnu::always_inline]] bool SchrittOnce() {
    if (!TryStep()) return false;
    Failed = false;
    return true;
  }
  void LinksDrehen() {
    Failed = false;
    Heading = uint8_t((Heading + 3) % 4);
    if (MarksMoves) Room.MarkTopDirty(X, Y);
  }
  void RechtsDrehen() {
    Failed = false;
    Heading = uint8_t((Heading + 1) % 4);
    if (MarksMoves) Room.MarkTopDirty(X, Y);
  }
  void Hinlegen(int32_t n);
  void Aufheben(int32_t n);
  void MarkeSetzen();
  void MarkeLoeschen();
  void QuaderAufstellen();
  void QuaderEntfernen();
  void PlaceAt(int32_t x, int32_t y);  // world editor; refuses silently, Failed untouched

  // Conditions; they do not clear Failed.
  bool IstWand() const {
    return Heading > kOsten || (Room.Ground(GroundAhead()) & TRaum::kGroundBlocked) != 0;
  }
  bool IstZiegel(int32_t n) {
    if (n == kNoValue) {
      Fail(17);
      return false;
    }
    const auto ahead = CellAhead();
    if (!ahead) return false;
    const int32_t count = Room.BrickCount(ahead->X, ahead->Y);
    return n == 0 ? count > 0 : count == n;
  }
  bool IstMarke() const { return Room.HasMark(X, Y); }
  bool IstNorden() const { return Heading == kNorden; }
  bool IstOsten() const { return Heading == kOsten; }
  bool IstSueden() const { return Heading == kSueden; }
  bool IstWesten() const { return Heading == kWesten; }
  bool IstVoll();
  bool IstLeer();
  bool HatZiegel(int32_t n);

  // Start of a program run: Carried := min(BrickStart, MaxBrick) with carrying control
  // on, else 0; the message is cleared.
  void ResetForRun();
  // Message := text k of the message table, Failed := true.
  [[gnu::cold]] void Fail(int k);
  // The cell in front of the robot; none at the room's edge.
  std::optional<TZellPos> CellAhead() const {
    if (Heading > kOsten) return std::nullopt;
    const TZellPos ahead{X + kAheadX[Heading], Y + kAheadY[Heading]};
    if (!Room.Contains(ahead.X, ahead.Y)) return std::nullopt;
    return ahead;
  }

  // Text of message k (1..17), Windows-1252; empty for any other k.
  static const std::string& MessageText(int k);
  // The heading as one letter of "SWNO".
  char HeadingLetter() const;

  TRaum& Room;               // shared with the world, not owned
  int32_t X = 0;
  int32_t Y = 0;
  uint8_t Heading = kSueden;
  int32_t MaxJump = 1;       // largest height difference a step bridges
  int32_t MaxBrick = 0;      // carrying capacity
  int32_t Carried = 0;       // bricks carried now
  int32_t BrickStart = 999;  // bricks carried at the start of a run
  bool CheckBrick = false;   // carrying control; off: unlimited supply, nothing counted
  uint32_t BackColor = 0xFFFFFF;  // background of both views (red in the lowest byte)
  std::string Message;       // text of the last failure (Windows-1252)
  int MessageNumber = 0;     // its number in the message table
  bool Failed = false;
  // Steps and turns mark the cells they leave and reach for the views' next redraw. A run
  // between frames turns this off and marks where the robot stood at the last frame and
  // where it stands now instead: the cells it only passed through look as before.
  bool MarksMoves = true;

  // The offsets of the cell ahead, by heading.
  static constexpr int32_t kAheadX[4] = {0, -1, 0, 1};
  static constexpr int32_t kAheadY[4] = {1, 0, -1, 0};

private:
  static constexpr int32_t kNoValue = -1;  // the interpreter had no current value for the parameter

  // The ground index of the cell ahead; the heading must be valid.
  int32_t GroundAhead() const { return Room.GroundIndex(X, Y) + Room.GroundOffset(Heading); }

  // One step ahead if it can be made; else false, with nothing changed.
  [[gnu::always_inline]] bool TryStep() {
    if (Heading > kOsten) [[unlikely]] return false;
    const int32_t here = Room.GroundIndex(X, Y);
    const uint8_t to = Room.Ground(here + Room.GroundOffset(Heading));
    if (to & TRaum::kGroundBlocked) [[unlikely]] return false;
    const int32_t climb = int32_t(to) - int32_t(Room.Ground(here) & TRaum::kGroundHeight);
    if ((climb < 0 ? -climb : climb) > MaxJump) [[unlikely]] return false;
    if (MarksMoves) Room.MarkTopDirty(X, Y);
    X += kAheadX[Heading];
    Y += kAheadY[Heading];
    if (MarksMoves) Room.MarkTopDirty(X, Y);
    return true;
  }
  [[gnu::always_inline]] bool StepOnce() {
    if (TryStep()) [[likely]] return true;
    FailStep();
    return false;
  }
  // The message of a step that cannot be made: the wall, a cuboid, or the height.
  [[gnu::cold]] void FailStep();
  bool LayOnce();
  bool LiftOnce();
};
