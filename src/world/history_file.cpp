#include "world/history_file.h"

#include "world/run_recorder.h"

std::string CellToken(uint8_t code) {
  std::string token =
      code & cell_code::kCuboid ? std::string("q") : std::to_string(code & cell_code::kBricks);
  if (code & cell_code::kMark) token += 'm';
  return token;
}

std::string HistoryText(const TRunRecorder& history) {
  static constexpr char kHeadings[] = "SWNO";
  std::string out = "TumboAblauf1\nRaum " + std::to_string(history.RoomWidth()) + " " +
                    std::to_string(history.RoomLength()) + " " + std::to_string(history.RoomHeight()) +
                    "\nSchritte " + std::to_string(history.FirstStep()) + " " +
                    std::to_string(history.StepCount()) + "\n";
  if (history.Empty()) return out;
  for (uint64_t n = history.FirstStep(); n <= history.LastStep(); ++n) {
    const TRecordedStep s = history.Step(n);
    out += std::to_string(n) + " " + std::to_string(s.Line) + " " + std::to_string(s.X) + " " +
           std::to_string(s.Y) + " " + kHeadings[s.Heading & 3] + " " + std::to_string(s.Carried) +
           " " + std::to_string(s.Failure);
    if (n > history.FirstStep()) {
      for (const TCellChange& c : history.ChangesOf(n)) {
        const TZellPos p = history.CellPos(c.Cell);
        out += " " + std::to_string(p.X) + "," + std::to_string(p.Y) + ":" + CellToken(c.Old) + ">" +
               CellToken(c.New);
      }
    }
    out += '\n';
  }
  return out;
}
