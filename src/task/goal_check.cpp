#include "task/goal_check.h"

namespace tumbo::task {
namespace {

bool HasCuboid(const TRaum& room, int32_t x, int32_t y) { return room.ContentAt(x, y, 0) == kQuader; }

std::string CellCount(int n, const char* adjective, const char* what) {
  return std::to_string(n) + (n == 1 ? " Zelle mit " : " Zellen mit ") + adjective + what;
}

std::string Pos(int32_t x, int32_t y) {
  return "(" + std::to_string(x + 1) + ", " + std::to_string(y + 1) + ")";
}

}  // namespace

std::string HeadingName(uint8_t heading) {
  static const char* const kNames[] = {("S\xFC" "den"), "Westen", "Norden", "Osten"};
  return heading < 4 ? kNames[heading] : "?";
}

bool CellDiffersFromGoal(const TRaum& room, const TRaum& goal, int32_t x, int32_t y,
                         unsigned criteria) {
  return ((criteria & kCheckBricks) && room.BrickCount(x, y) != goal.BrickCount(x, y)) ||
         ((criteria & kCheckMarks) && room.HasMark(x, y) != goal.HasMark(x, y)) ||
         ((criteria & kCheckCuboids) && HasCuboid(room, x, y) != HasCuboid(goal, x, y));
}

std::vector<std::string> DifferencesFromGoal(const TWelt& world, const TWorldFileContent& goal,
                                             unsigned criteria) {
  const TRaum& room = world.Room;
  int bricks = 0, marks = 0, cuboids = 0;
  for (int32_t x = 0; x < room.Width(); ++x)
    for (int32_t y = 0; y < room.Length(); ++y) {
      bricks += room.BrickCount(x, y) != goal.Room.BrickCount(x, y);
      marks += room.HasMark(x, y) != goal.Room.HasMark(x, y);
      cuboids += HasCuboid(room, x, y) != HasCuboid(goal.Room, x, y);
    }
  std::vector<std::string> out;
  if ((criteria & kCheckBricks) && bricks) out.push_back(CellCount(bricks, "falscher ", "Ziegelzahl"));
  if ((criteria & kCheckMarks) && marks) out.push_back(CellCount(marks, "falscher ", "Marke"));
  if ((criteria & kCheckCuboids) && cuboids) out.push_back(CellCount(cuboids, "falschem ", "Quader"));
  const TTumbo& robot = world.Robot;
  if ((criteria & kCheckPosition) && (robot.X != goal.X || robot.Y != goal.Y))
    out.push_back("Position " + Pos(robot.X, robot.Y) + " statt " + Pos(goal.X, goal.Y));
  if ((criteria & kCheckHeading) && robot.Heading != goal.Heading)
    out.push_back("Richtung " + HeadingName(robot.Heading) + " statt " + HeadingName(goal.Heading));
  return out;
}

}  // namespace tumbo::task
