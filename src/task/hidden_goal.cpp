#include "task/hidden_goal.h"

#include "task/goal_check.h"

namespace tumbo::task {

std::vector<std::string> HiddenDifferencesFromGoal(const TWelt& world, const TWorldFileContent& goal,
                                                   unsigned criteria) {
  const TRaum& room = world.Room;
  unsigned cells = 0;  // the cell criteria that differ somewhere
  for (int32_t x = 0; x < room.Width(); ++x)
    for (int32_t y = 0; y < room.Length(); ++y)
      for (unsigned bit : {unsigned(kCheckBricks), unsigned(kCheckMarks), unsigned(kCheckCuboids)})
        if ((criteria & bit) && !(cells & bit) && CellDiffersFromGoal(room, goal.Room, x, y, bit)) cells |= bit;
  std::vector<std::string> out;
  if (cells & kCheckBricks) out.push_back("Ziegel stimmen nicht");
  if (cells & kCheckMarks) out.push_back("Marken stimmen nicht");
  if (cells & kCheckCuboids) out.push_back("Quader stimmen nicht");
  const TTumbo& robot = world.Robot;
  if ((criteria & kCheckPosition) && (robot.X != goal.X || robot.Y != goal.Y))
    out.push_back("Tumbo steht nicht am Ziel");
  if ((criteria & kCheckHeading) && robot.Heading != goal.Heading)
    out.push_back("Tumbo schaut in die falsche Richtung");
  return out;
}

}  // namespace tumbo::task
