#pragma once
// Random programs and worlds for comparing the engine with the reference interpreter. Every
// choice is drawn from a TChoices source, so that a test can draw from a seeded generator and
// a fuzz target from its input bytes.
#include <cstdint>
#include <functional>
#include <string>

class TWelt;

// Draws a number below `bound` (bound > 0).
using TChoices = std::function<uint32_t(uint32_t bound)>;

// One run to compare: the program text, the world, the engine's and the robot's settings and
// how the user acts during the run (the event script).
struct TRandomCase {
  std::string Program;  // Windows-1252, CR LF
  int32_t Lines = 0;
  // World: dimensions, then a seed for its content and the robot's place.
  int32_t Width = 5, Length = 10, Height = 6;
  uint32_t WorldSeed = 0;
  int32_t MaxJump = 1;
  bool CheckBrick = false;
  int32_t BrickStart = 999, MaxBrick = 0;
  bool Hint = true, StopOnError = false;
  uint8_t Mode = 1;
  int32_t Delay = 0;
  int MaxDepth = 10000;
  int64_t StatementLimit = 5000;
  bool Trace = false;       // an OnStep callback is set
  bool Events = false;      // the host's event rounds run the event script
  bool PlainHost = false;   // a host that is not the headless one itself (no direct calls)
  bool Record = false;      // a run recorder keeps every step
  uint32_t EventSeed = 0;
};

TRandomCase MakeRandomCase(const TChoices& choose);
// Fills `world` as the case describes (the same every time).
void BuildWorld(const TRandomCase& c, TWelt& world);
