// Comparing a final world with the goal of a task.
#include <gtest/gtest.h>

#include "task/goal_check.h"

namespace {

using namespace tumbo::task;
using Reasons = std::vector<std::string>;

class GoalCheck : public testing::Test {
 protected:
  GoalCheck() : world_(4, 3, 3) { goal_.Room.Init(4, 3, 3); }
  TWelt world_;
  TWorldFileContent goal_;
};

TEST_F(GoalCheck, EqualWorldsHaveNoDifferences) {
  world_.Room.AddItem(1, 1, kZiegel);
  goal_.Room.AddItem(1, 1, kZiegel);
  EXPECT_EQ(DifferencesFromGoal(world_, goal_, kCheckAll), Reasons{});
}

TEST_F(GoalCheck, CountsCellsPerCriterion) {
  world_.Room.AddItem(0, 0, kZiegel);  // 1 brick too many
  goal_.Room.AddItem(1, 0, kZiegel);   // 1 brick missing
  goal_.Room.AddItem(2, 0, kZiegel);
  world_.Room.AddItem(2, 0, kZiegel);  // equal: not counted
  world_.Room.SetMark(3, 2);
  goal_.Room.AddItem(0, 2, kQuader);
  EXPECT_EQ(DifferencesFromGoal(world_, goal_, kCheckAll),
            (Reasons{"2 Zellen mit falscher Ziegelzahl", "1 Zelle mit falscher Marke",
                     "1 Zelle mit falschem Quader"}));
}

TEST_F(GoalCheck, RobotPositionCountsFromOneAsInTheWindowAndHeadingIsAWord) {
  world_.Robot.X = 3;
  world_.Robot.Y = 1;
  world_.Robot.Heading = kOsten;
  EXPECT_EQ(DifferencesFromGoal(world_, goal_, kCheckAll),
            (Reasons{"Position (4, 2) statt (1, 1)", "Richtung Osten statt S\xFC" "den"}));
}

TEST_F(GoalCheck, OnlyTheCheckedCriteriaCount) {
  world_.Room.AddItem(0, 0, kZiegel);
  world_.Room.SetMark(0, 0);
  world_.Robot.X = 1;
  world_.Robot.Heading = kNorden;
  EXPECT_EQ(DifferencesFromGoal(world_, goal_, kCheckMarks | kCheckHeading),
            (Reasons{"1 Zelle mit falscher Marke", "Richtung Norden statt S\xFC" "den"}));
  EXPECT_EQ(DifferencesFromGoal(world_, goal_, kCheckCuboids), Reasons{});
}

TEST_F(GoalCheck, CellDiffersOnlyInTheCheckedCriteria) {
  world_.Room.AddItem(1, 1, kQuader);
  goal_.Room.SetMark(2, 2);
  EXPECT_TRUE(CellDiffersFromGoal(world_.Room, goal_.Room, 1, 1, kCheckCuboids));
  EXPECT_FALSE(CellDiffersFromGoal(world_.Room, goal_.Room, 1, 1, kCheckBricks | kCheckMarks));
  EXPECT_TRUE(CellDiffersFromGoal(world_.Room, goal_.Room, 2, 2, kCheckMarks));
  EXPECT_FALSE(CellDiffersFromGoal(world_.Room, goal_.Room, 0, 0, kCheckAll));
}

}  // namespace
