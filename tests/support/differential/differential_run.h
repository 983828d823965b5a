#pragma once
// Runs a TRandomCase on the engine or on the reference interpreter and records everything a
// user, a test or the window could observe: every callback as the line tumbo-cli prints for it
// (steps with the robot's place), the event script's actions, and at the end the world file,
// the robot, the engine's state, the host's counters and the room's changed cells.
#include <string>
#include <vector>

#include "random_case.h"

enum class TEngineKind { Flat, Reference };

struct TRunRecord {
  bool Compiled = false;
  std::vector<std::string> Log;
  std::string Final;  // the state at the end, one text
};

// A traced run with a statement limit that makes more step points than its statements and
// passes allow is stopped, and this line is logged: it would not have ended.
inline constexpr const char* kRunWithoutEnd = "run without end";

TRunRecord RecordRun(const TRandomCase& c, TEngineKind kind);

// Empty when both records agree; else a description of the first difference.
std::string CompareRecords(const TRunRecord& flat, const TRunRecord& reference);
