// The world file: one line of blank-terminated tokens — the tag, W, L, H, X, Y, D, then
// for every column x and row y the H level tokens ("n", "z", "q") and the mark token
// ("m", "o").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "world/raum.h"

inline constexpr const char* kWorldTag = "TumboVersion2Deutsch";
inline constexpr const char* kWorldTagOld = "TumboVersion1Deutsch";
inline constexpr int32_t kMaxRoomSide = 100;

enum class TWorldFileStatus {
  Ok,
  NotAWorldFile,  // first token is not a world tag: the world stays, nothing is said
  Damaged,        // header or cells unusable: refused with a message
  IoError,        // the file could not be opened, read or written
};

struct TWorldFileResult {
  TWorldFileStatus Status = TWorldFileStatus::Ok;
  std::string Message;  // German, Windows-1252; names the file and the problem
  bool Ok() const { return Status == TWorldFileStatus::Ok; }
};

// A world as read from a file, before it replaces the current one.
struct TWorldFileContent {
  TRaum Room;
  int32_t X = 0;
  int32_t Y = 0;
  uint8_t Heading = 0;
};

// The file's bytes for a room and a robot position (always the current tag).
std::string WriteWorldText(const TRaum& room, int32_t x, int32_t y, uint8_t heading);

// Parses the first line of `bytes` into `out`. A damaged file (too few tokens, a header
// token that is not an integer, width or length outside 1..100, height outside 0..31,
// robot outside the room, heading not 0..3) is refused; `fileName` (native name) only
// goes into the message.
TWorldFileResult ReadWorldText(std::string_view bytes, const std::string& fileName,
                               TWorldFileContent& out);
