#include "world/world_file.h"

#include <charconv>

#include "text/atomic_file.h"

namespace {

// Takes blank-separated tokens from the first line; only code 32 separates.
class TokenReader {
public:
  explicit TokenReader(std::string_view line) : line_(line) {}

  bool Next(std::string_view& token) {
    while (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
    if (pos_ >= line_.size()) return false;
    const size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ' ') ++pos_;
    token = line_.substr(start, pos_ - start);
    return true;
  }

private:
  std::string_view line_;
  size_t pos_ = 0;
};

// A decimal integer with an optional sign that fits 32 bits.
bool ParseInt(std::string_view s, int32_t& value) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty() || s[0] == '+') return false;
  const char* end = s.data() + s.size();
  const auto [p, ec] = std::from_chars(s.data(), end, value);
  return ec == std::errc() && p == end;
}

// A token as it may appear in a message: short, without control characters.
std::string Quoted(std::string_view token) {
  constexpr size_t kMax = 40;
  std::string out = "'";
  for (size_t i = 0; i < token.size() && i < kMax; ++i)
    out += static_cast<unsigned char>(token[i]) < 32 ? '?' : token[i];
  if (token.size() > kMax) out += "\x85";  // …
  return out + "'";
}

TWorldFileResult Damaged(const std::string& fileName, const std::string& problem) {
  return {TWorldFileStatus::Damaged, "Die Weltdatei \"" + tumbo::text::FileNameForMessage(fileName) +
                                         "\" ist besch\xE4" "digt: " + problem + "."};
}

std::string TooShort() { return "sie endet, bevor alle Angaben gelesen sind"; }

}  // namespace

std::string WriteWorldText(const TRaum& room, int32_t x, int32_t y, uint8_t heading) {
  const int32_t h = room.MaxHeight();
  std::string out;
  out.reserve(64 + size_t(room.Width()) * size_t(room.Length()) * size_t(h + 1) * 2);
  out += kWorldTag;
  out += ' ';
  for (int32_t v : {room.Width(), room.Length(), h, x, y, int32_t(heading)}) {
    out += std::to_string(v);
    out += ' ';
  }
  for (int32_t cx = 0; cx < room.Width(); ++cx) {
    for (int32_t cy = 0; cy < room.Length(); ++cy) {
      for (int32_t z = 0; z < h; ++z) {
        switch (room.ContentAt(cx, cy, z)) {
          case kZiegel: out += "z "; break;
          case kQuader: out += "q "; break;
          default: out += "n "; break;
        }
      }
      out += room.HasMark(cx, cy) ? "m " : "o ";
    }
  }
  return out;
}

TWorldFileResult ReadWorldText(std::string_view bytes, const std::string& fileName,
                               TWorldFileContent& out) {
  const size_t eol = bytes.find_first_of("\r\n");
  TokenReader tokens(bytes.substr(0, eol));

  std::string_view tag;
  if (!tokens.Next(tag) || (tag != kWorldTag && tag != kWorldTagOld)) {
    return {TWorldFileStatus::NotAWorldFile, "Die Datei \"" +
                                                 tumbo::text::FileNameForMessage(fileName) +
                                                 "\" ist keine Weltdatei."};
  }

  // Header: W, L, H, X, Y, D.
  static const char* const kNames[] = {"die Breite",       "die L\xE4nge",      "die H\xF6he",
                                       "Tumbos Spalte",    "Tumbos Zeile",      "die Blickrichtung"};
  int32_t header[6];
  for (int i = 0; i < 6; ++i) {
    std::string_view t;
    if (!tokens.Next(t)) return Damaged(fileName, TooShort());
    if (!ParseInt(t, header[i]))
      return Damaged(fileName, Quoted(t) + " ist kein g\xFCltiger Integerwert f\xFC" "r " +
                                   kNames[i]);
  }
  const auto [w, l, h, x, y, d] = header;
  auto outside = [&](int i, int32_t lo, int32_t hi) {
    return Damaged(fileName, std::string(kNames[i]) + " " + std::to_string(header[i]) +
                                 " liegt nicht zwischen " + std::to_string(lo) + " und " +
                                 std::to_string(hi));
  };
  if (w < 1 || w > kMaxRoomSide) return outside(0, 1, kMaxRoomSide);
  if (l < 1 || l > kMaxRoomSide) return outside(1, 1, kMaxRoomSide);
  if (h < 0 || h > kMaxRoomHeight) return outside(2, 0, kMaxRoomHeight);
  if (x < 0 || x >= w || y < 0 || y >= l) {
    return Damaged(fileName, "Tumbos Platz (Spalte " + std::to_string(int64_t(x) + 1) +
                                 ", Zeile " + std::to_string(int64_t(y) + 1) +
                                 ") liegt au\xDF" "erhalb der Welt mit " + std::to_string(w) +
                                 " Spalten und " + std::to_string(l) + " Zeilen");
  }
  if (d < 0 || d > 3) return outside(5, 0, 3);

  // Cells, rebuilt through the room's own rules ("n z" is one brick on level 0, a
  // second "q" or a brick beyond the height is refused).
  TRaum& room = out.Room;
  room.Init(w, l, h);
  for (int32_t cx = 0; cx < w; ++cx) {
    for (int32_t cy = 0; cy < l; ++cy) {
      std::string_view t;
      for (int32_t z = 0; z < h; ++z) {
        if (!tokens.Next(t)) return Damaged(fileName, TooShort());
        if (t == "z")
          room.AddItem(cx, cy, kZiegel);
        else if (t == "q")
          room.AddItem(cx, cy, kQuader);
      }
      if (!tokens.Next(t)) return Damaged(fileName, TooShort());
      if (t == "m") room.SetMark(cx, cy);
    }
  }
  out.X = x;
  out.Y = y;
  out.Heading = uint8_t(d);
  return {};
}
