#include "task/goal_check.h"

namespace tumbo::task {
namespace {

bool HasCuboid(const TRaum& room, int32_t x, int32_t y) { return room.ContentAt(x, y, 0) == kQuader; }

std::string Pos(int32_t x, int32_t y) {
  return "(" + std::to_string(x + 1) + ", " + std::to_string(y + 1) + ")";
}

// "fehlt" when the goal has it and the world not, "zu viel" the other way round.
const char* MissingOrExtra(bool inGoal) { return inGoal ? " fehlt" : " zu viel"; }

// The differences of one field, each as its own text.
void FieldDifferences(const TRaum& room, const TRaum& goal, int32_t x, int32_t y, unsigned criteria,
                      std::vector<std::string>& out) {
  const std::string field = "Feld " + Pos(x, y) + ": ";
  if ((criteria & kCheckBricks) && room.BrickCount(x, y) != goal.BrickCount(x, y))
    out.push_back(field + std::to_string(room.BrickCount(x, y)) + " Ziegel, Ziel " +
                  std::to_string(goal.BrickCount(x, y)));
  if ((criteria & kCheckMarks) && room.HasMark(x, y) != goal.HasMark(x, y))
    out.push_back(field + "Marke" + MissingOrExtra(goal.HasMark(x, y)));
  if ((criteria & kCheckCuboids) && HasCuboid(room, x, y) != HasCuboid(goal, x, y))
    out.push_back(field + "Quader" + MissingOrExtra(HasCuboid(goal, x, y)));
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
  std::vector<std::string> out;
  for (int32_t y = 0; y < room.Length(); ++y)
    for (int32_t x = 0; x < room.Width(); ++x)
      if (CellDiffersFromGoal(room, goal.Room, x, y, criteria))
        FieldDifferences(room, goal.Room, x, y, criteria, out);
  // "und 1 weitere" would take the room of the one it counts: that one is named instead.
  if (out.size() > size_t(kMaxNamedFields) + 1) {
    const size_t more = out.size() - kMaxNamedFields;
    out.resize(kMaxNamedFields);
    out.push_back("und " + std::to_string(more) + " weitere");
  }
  const TTumbo& robot = world.Robot;
  if ((criteria & kCheckPosition) && (robot.X != goal.X || robot.Y != goal.Y))
    out.push_back("Tumbo steht auf " + Pos(robot.X, robot.Y) + ", Ziel " + Pos(goal.X, goal.Y));
  if ((criteria & kCheckHeading) && robot.Heading != goal.Heading)
    out.push_back("Tumbo schaut nach " + HeadingName(robot.Heading) + ", Ziel " + HeadingName(goal.Heading));
  return out;
}

}  // namespace tumbo::task
