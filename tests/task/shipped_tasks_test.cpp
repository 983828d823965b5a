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

const std::string kSolved = " Welten gel\xF6st";

INSTANTIATE_TEST_SUITE_P(
    Aufgaben, ShippedTask,
    testing::Values(
        TShippedTask{"bis-zur-wand",
                     {"bis-zur-wand-falsch.tdp: 1 von 3" + kSolved,
                      "  Welt 2: 2 Zellen mit falscher Marke, Position (10, 2) statt (12, 2)",
                      "  Welt 3: [Hinweis] (Zeile 3): Tumbo ist am Quader angesto\xDF" "en"}},
        TShippedTask{"treppe-bauen",
                     {"treppe-bauen-falsch.tdp: 0 von 1" + kSolved,
                      "  Welt 1: 1 Zelle mit falscher Ziegelzahl"}},
        TShippedTask{"ziegelreihe",
                     {"ziegelreihe-falsch.tdp: 1 von 3" + kSolved,
                      "  Welt 2: 1 Zelle mit falscher Ziegelzahl",
                      "  Welt 3: 3 Zellen mit falscher Ziegelzahl, Position (8, 2) statt (11, 2)"}},
        TShippedTask{"aufraeumen",
                     {"aufraeumen-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: 2 Zellen mit falscher Ziegelzahl",
                      "  Welt 2: 2 Zellen mit falscher Ziegelzahl"}},
        TShippedTask{"mauer",
                     {"mauer-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: 2 Zellen mit falscher Ziegelzahl",
                      "  Welt 2: 2 Zellen mit falscher Ziegelzahl"}},
        TShippedTask{"quadrat",
                     {"quadrat-falsch.tdp: 0 von 1" + kSolved,
                      "  Welt 1: 4 Zellen mit falscher Marke, Position (2, 4) statt (2, 2), "
                      "[Hinweis] (Zeile 4): Tumbo ist an der Wand angesto\xDF" "en"}},
        TShippedTask{"marken-teppich",
                     {"marken-teppich-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: Abgebrochen: mehr als 100000 Schritte",
                      "  Welt 2: Abgebrochen: mehr als 100000 Schritte"}},
        TShippedTask{"stapel-ausgleichen",
                     {"stapel-ausgleichen-falsch.tdp: 0 von 2" + kSolved,
                      "  Welt 1: 6 Zellen mit falscher Ziegelzahl",
                      "  Welt 2: 3 Zellen mit falscher Ziegelzahl"}},
        TShippedTask{"labyrinth",
                     {"labyrinth-falsch.tdp: 0 von 1" + kSolved,
                      "  Welt 1: Position (1, 1) statt (11, 11)"}}),
    [](const testing::TestParamInfo<TShippedTask>& info) {
      std::string name = info.param.Name;
      for (char& c : name)
        if (c == '-') c = '_';
      return name;
    });

}  // namespace
