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
  void Schritt(int32_t n);
  void LinksDrehen();
  void RechtsDrehen();
  void Hinlegen(int32_t n);
  void Aufheben(int32_t n);
  void MarkeSetzen();
  void MarkeLoeschen();
  void QuaderAufstellen();
  void QuaderEntfernen();
  void PlaceAt(int32_t x, int32_t y);  // world editor; refuses silently, Failed untouched

  // Conditions; they do not clear Failed.
  bool IstWand();
  bool IstZiegel(int32_t n);
  bool IstMarke();
  bool IstNorden();
  bool IstOsten();
  bool IstSueden();
  bool IstWesten();
  bool IstVoll();
  bool IstLeer();
  bool HatZiegel(int32_t n);

  // Start of a program run: Carried := min(BrickStart, MaxBrick) with carrying control
  // on, else 0; the message is cleared.
  void ResetForRun();
  // Message := text k of the message table, Failed := true.
  void Fail(int k);
  // The cell in front of the robot; none at the room's edge.
  std::optional<TZellPos> CellAhead() const;

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

private:
  bool StepOnce();
  bool LayOnce();
  bool LiftOnce();
};
