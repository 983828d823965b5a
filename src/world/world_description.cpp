#include "world/world_description.h"

#include "world/welt.h"

namespace {

std::string Cell(int32_t x, int32_t y) {
  return "Feld (" + std::to_string(x + 1) + ", " + std::to_string(y + 1) + ")";
}

std::string Bricks(int32_t n) { return std::to_string(n) + " Ziegel"; }

const char* HeadingWord(uint8_t heading) {
  static const char* const kWords[] = {"S\374den", "Westen", "Norden", "Osten"};
  return heading < 4 ? kWords[heading] : "?";
}

// What lies ahead, and whether a step could bridge the difference in height.
std::string Ahead(const TWelt& welt) {
  const TTumbo& robot = welt.Robot;
  const TRaum& room = welt.Room;
  const auto ahead = robot.CellAhead();
  if (!ahead) return "die Wand";
  if (room.ContentAt(ahead->X, ahead->Y, 0) == kQuader) return "ein Quader";
  const int32_t count = room.BrickCount(ahead->X, ahead->Y);
  std::string what = count > 0 ? Bricks(count) : "ein freies Feld";
  if (room.HeightDifference(robot.X, robot.Y, ahead->X, ahead->Y) > robot.MaxJump)
    what += count > room.Height(robot.X, robot.Y) ? ", zu hoch zum Springen" : ", zu tief zum Springen";
  return what;
}

}  // namespace

std::string DescribeWorld(const TWelt& welt) {
  const TTumbo& robot = welt.Robot;
  const TRaum& room = welt.Room;
  return "Tumbo steht auf " + Cell(robot.X, robot.Y) + " in H\xF6he " +
         std::to_string(room.Height(robot.X, robot.Y)) + " und schaut nach " + HeadingWord(robot.Heading) +
         ". Vor ihm: " + Ahead(welt) + ". Auf seinem Feld: " +
         (room.HasMark(robot.X, robot.Y) ? "eine Marke" : "keine Marke") + ".";
}

std::string DescribeCell(const TWelt& welt, int32_t x, int32_t y) {
  const TRaum& room = welt.Room;
  std::string parts;
  auto add = [&parts](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
  if (room.ContentAt(x, y, 0) == kQuader)
    add("ein Quader");
  else if (const int32_t count = room.BrickCount(x, y); count > 0)
    add(Bricks(count));
  if (room.HasMark(x, y)) add("eine Marke");
  if (welt.Robot.X == x && welt.Robot.Y == y) add("Tumbo");
  return Cell(x, y) + ": " + (parts.empty() ? "frei" : parts) + ".";
}
