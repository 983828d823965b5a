// Comparing a final world with the goal of a task: every difference names its field.
#include <gtest/gtest.h>

#include "room_rows.h"
#include "task/goal_check.h"

namespace {

using namespace tumbo::task;
using Reasons = std::vector<std::string>;

struct TGoalCase {
  const char* What;
  std::vector<std::string> End;
  std::vector<std::string> Goal;
  unsigned Criteria;
  Reasons Expected;
};

TEST(GoalCheck, DifferencesNameTheirFieldsRowByRow) {
  const TGoalCase cases[] = {
      {"equal", {"1..", "..m"}, {"1..", "..m"}, kCheckAll, {}},
      {"bricks", {"...", "..2"}, {"...", "..3"}, kCheckAll, {"Feld (3, 2): 2 Ziegel, Ziel 3"}},
      {"bricks taken away", {"...", "2.."}, {"...", "..."}, kCheckAll, {"Feld (1, 2): 2 Ziegel, Ziel 0"}},
      {"marks", {"...m", "...."}, {"m...", "...."}, kCheckAll,
       {"Feld (1, 1): Marke fehlt", "Feld (4, 1): Marke zu viel"}},
      {"cuboids", {"q.", ".."}, {"..", ".q"}, kCheckCuboids,
       {"Feld (1, 1): Quader zu viel", "Feld (2, 2): Quader fehlt"}},
      {"rows before columns", {"..", "m.", ".m"}, {".m", "..", ".."}, kCheckMarks,
       {"Feld (2, 1): Marke fehlt", "Feld (1, 2): Marke zu viel", "Feld (2, 3): Marke zu viel"}},
      {"five named, the rest counted", {"1111111"}, {"......."}, kCheckAll,
       {"Feld (1, 1): 1 Ziegel, Ziel 0", "Feld (2, 1): 1 Ziegel, Ziel 0", "Feld (3, 1): 1 Ziegel, Ziel 0",
        "Feld (4, 1): 1 Ziegel, Ziel 0", "Feld (5, 1): 1 Ziegel, Ziel 0", "und 2 weitere"}},
      {"a sixth is named rather than counted", {"111111"}, {"......"}, kCheckBricks,
       {"Feld (1, 1): 1 Ziegel, Ziel 0", "Feld (2, 1): 1 Ziegel, Ziel 0", "Feld (3, 1): 1 Ziegel, Ziel 0",
        "Feld (4, 1): 1 Ziegel, Ziel 0", "Feld (5, 1): 1 Ziegel, Ziel 0", "Feld (6, 1): 1 Ziegel, Ziel 0"}},
      {"two differences of one field", {"2m"}, {"1."}, kCheckAll,
       {"Feld (1, 1): 2 Ziegel, Ziel 1", "Feld (2, 1): Marke zu viel"}},
      {"unchecked criteria", {"1m", "q."}, {"..", ".."}, kCheckPosition | kCheckHeading, {}},
      {"marks only", {"1m", ".."}, {"..", ".."}, kCheckMarks, {"Feld (2, 1): Marke zu viel"}},
  };
  for (const TGoalCase& c : cases) {
    TWelt world(1, 1, 1);
    TWorldFileContent goal;
    FillRows(world.Room, c.End);
    FillRows(goal.Room, c.Goal);
    EXPECT_EQ(DifferencesFromGoal(world, goal, c.Criteria), c.Expected) << c.What;
  }
}

TEST(GoalCheck, RobotPlaceCountsFromOneAsInTheWindowAndHeadingIsAWord) {
  TWelt world(4, 3, 3);
  TWorldFileContent goal;
  goal.Room.Init(4, 3, 3);
  goal.X = 3;
  goal.Y = 1;
  goal.Heading = kOsten;
  world.Robot.Y = 1;
  EXPECT_EQ(DifferencesFromGoal(world, goal, kCheckAll),
            (Reasons{"Tumbo steht auf (1, 2), Ziel (4, 2)", "Tumbo schaut nach S\xFC" "den, Ziel Osten"}));
  EXPECT_EQ(DifferencesFromGoal(world, goal, kCheckHeading),
            (Reasons{"Tumbo schaut nach S\xFC" "den, Ziel Osten"}));
  world.Robot.X = 3;
  world.Robot.Heading = kOsten;
  EXPECT_EQ(DifferencesFromGoal(world, goal, kCheckAll), Reasons{});
}

TEST(GoalCheck, CellDiffersOnlyInTheCheckedCriteria) {
  TRaum room, goal;
  FillRows(room, {"...", ".q.", "..."});
  FillRows(goal, {"...", "...", "..m"});
  EXPECT_TRUE(CellDiffersFromGoal(room, goal, 1, 1, kCheckCuboids));
  EXPECT_FALSE(CellDiffersFromGoal(room, goal, 1, 1, kCheckBricks | kCheckMarks));
  EXPECT_TRUE(CellDiffersFromGoal(room, goal, 2, 2, kCheckMarks));
  EXPECT_FALSE(CellDiffersFromGoal(room, goal, 0, 0, kCheckAll));
}

}  // namespace
