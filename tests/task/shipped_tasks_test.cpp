// The tasks shipped in data/aufgaben: their reference solutions solve every world, and a
// deliberately wrong solution of each fails for the right reason.
#include <gtest/gtest.h>

#include "task/grade_report.h"
#include "task/grader.h"

namespace {

using namespace tumbo::task;

struct TShippedTask {
  const char* Name;
  std::vector<std::string> WrongReport;  // what grading the wrong solution prints
};

const std::string kTasks = std::string(TUMBO_DATA_DIR) + "/aufgaben/";
const std::string kSolutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";

class ShippedTask : public testing::TestWithParam<TShippedTask> {
 protected:
  void SetUp() override {
    const TTaskResult r = LoadTask(kTasks + GetParam().Name + ".tda", task_);
    ASSERT_TRUE(r.Ok()) << r.Message;
  }
  TLoadedTask task_;
};

TEST_P(ShippedTask, ReferenceSolutionSolvesEveryWorld) {
  const TProgramGrade g = GradeProgramFile(task_, kSolutions + GetParam().Name + "-loesung.tdp");
  EXPECT_TRUE(g.SolvedAll()) << testing::PrintToString(GradeTextLines(g));
}

TEST_P(ShippedTask, WrongSolutionFailsForTheRightReason) {
  const TProgramGrade g = GradeProgramFile(task_, kSolutions + GetParam().Name + "-falsch.tdp");
  EXPECT_EQ(GradeTextLines(g), GetParam().WrongReport);
}

const std::string kSolved = " Welten gel\xF6st";  // of more than one world

INSTANTIATE_TEST_SUITE_P(
    Aufgaben, ShippedTask,
    testing::Values(
        TShippedTask{"bis-zur-wand",
                     {"bis-zur-wand-falsch.tdp: 1 von 3" + kSolved,
                      "  Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; "
                      "Tumbo steht auf (10, 2), Ziel (12, 2)",
                      "  Welt 3: [Hinweis] (Zeile 3): Tumbo ist am Quader angesto\xDF" "en"}},
        TShippedTask{"treppe-bauen",
                     {"treppe-bauen-falsch.tdp: 0 von 1 Welt gel\xF6st",
                      "  Welt 1: Feld (4, 2): 2 Ziegel, Ziel 3"}},
        TShippedTask{"ziegelreihe",
                     {"ziegelreihe-falsch.tdp: 1 von 3" + kSolved,
                      "  Welt 2: Feld (5, 2): 4 Ziegel, Ziel 1",
                      "  Welt 3: Feld (9, 3): 0 Ziegel, Ziel 1; Feld (10, 3): 0 Ziegel, Ziel 1; "
                      "Feld (11, 3): 0 Ziegel, Ziel 1; Tumbo steht auf (8, 2), Ziel (11, 2)"}},
        TShippedTask{"aufraeumen",
                     {"aufraeumen-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: Feld (3, 2): 1 Ziegel, Ziel 0; Feld (6, 2): 1 Ziegel, Ziel 0",
                      "  Welt 2: Feld (4, 2): 1 Ziegel, Ziel 0; Feld (5, 2): 1 Ziegel, Ziel 0"}},
        TShippedTask{"mauer",
                     {"mauer-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: Feld (4, 3): 3 Ziegel, Ziel 0; Feld (5, 3): 3 Ziegel, Ziel 0",
                      "  Welt 2: Feld (1, 3): 3 Ziegel, Ziel 0; Feld (6, 3): 3 Ziegel, Ziel 0"}},
        TShippedTask{"quadrat",
                     {"quadrat-falsch.tdp: 0 von 1 Welt gel\xF6st",
                      "  Welt 1: Feld (2, 1): Marke zu viel; Feld (5, 1): Marke zu viel; Feld (2, 5): Marke fehlt; "
                      "Feld (5, 5): Marke fehlt; Tumbo steht auf (2, 4), Ziel (2, 2); "
                      "[Hinweis] (Zeile 4): Tumbo ist an der Wand angesto\xDF" "en"}},
        TShippedTask{"marken-teppich",
                     {"marken-teppich-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: Abgebrochen nach 100000 Schritten in Zeile 4 \x96 l\xE4uft das Programm endlos?",
                      "  Welt 2: Abgebrochen nach 100000 Schritten in Zeile 5 \x96 l\xE4uft das Programm endlos?"}},
        TShippedTask{"stapel-ausgleichen",
                     {"stapel-ausgleichen-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: Feld (1, 3): 1 Ziegel, Ziel 3; Feld (3, 3): 5 Ziegel, Ziel 3; Feld (5, 3): 2 Ziegel, "
                      "Ziel 3; Feld (6, 3): 6 Ziegel, Ziel 3; Feld (8, 3): 4 Ziegel, Ziel 3; Feld (9, 3): "
                      "1 Ziegel, Ziel 3",
                      "  Welt 2: Feld (1, 3): 5 Ziegel, Ziel 3; Feld (4, 3): 1 Ziegel, Ziel 3; Feld (6, 3): 2 Ziegel, "
                      "Ziel 3"}},
        TShippedTask{"labyrinth",
                     {"labyrinth-falsch.tdp: 0 von 1 Welt gel\xF6st",
                      "  Welt 1: Tumbo steht auf (1, 1), Ziel (11, 11)"}}),
    [](const testing::TestParamInfo<TShippedTask>& info) {
      std::string name = info.param.Name;
      for (char& c : name)
        if (c == '-') c = '_';
      return name;
    });

}  // namespace
