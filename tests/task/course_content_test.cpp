// The course shipped in data/kurs: it loads with at least 40 tasks in at least 7 sections;
// every task is complete (two worlds or more, one to three hints, a model solution, hidden
// worlds from the third section on), its model solution solves every world (its word rules
// included), a program that does nothing solves no world, and a program that only replays the
// moves solving a visible world fails a hidden one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "language/headless_run.h"
#include "task/course_file.h"
#include "task/grade_report.h"
#include "task/grader.h"
#include "text/cp1252.h"
#include "text/text_file.h"
#include "world/run_recorder.h"
#include "world/welt.h"

namespace {

using namespace tumbo::task;

const std::string kCourseFolder = std::string(TUMBO_DATA_DIR) + "/kurs";

struct TListedTask {
  int Section = 0;   // counted from 1
  std::string Path;  // native path of the task file
};

void PrintTo(const TListedTask& t, std::ostream* os) { *os << t.Path; }

// The course as the window opens it; empty when it cannot be read, which the first test reports.
TLoadedCourse Course() {
  TLoadedCourse course;
  LoadCourse(kCourseFolder, course);
  return course;
}

std::vector<TListedTask> CourseTasks() {
  std::vector<TListedTask> tasks;
  for (const TCourseTask& t : Course().Tasks) tasks.push_back({t.Section + 1, t.Path});
  return tasks;
}

TEST(Course, HasItsTitleAndAtLeastFortyTasksInSevenSections) {
  TLoadedCourse course;
  const TTaskResult r = LoadCourse(kCourseFolder, course);
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(course.Course.Title, "Tumbo lernt laufen");
  EXPECT_FALSE(course.Course.Text.empty());
  EXPECT_GE(course.Course.Sections.size(), 7u);
  for (const TCourseSection& s : course.Course.Sections) {
    EXPECT_FALSE(s.Title.empty());
    EXPECT_FALSE(s.Tasks.empty()) << s.Title;
  }
  EXPECT_GE(course.Tasks.size(), 40u);
  for (const TCourseTask& t : course.Tasks) EXPECT_EQ(t.Problem, "") << t.File;
}

// The robot's moves in a recorded run as statements without loops or conditions.
std::string MovesAsStatements(const TRunRecorder& history) {
  std::string program;
  const auto add = [&program](const std::string& statement) { program += statement + "\r\n"; };
  for (uint64_t n = history.FirstStep() + 1; n <= history.LastStep(); ++n) {
    const TRecordedStep before = history.Step(n - 1), after = history.Step(n);
    if (const int cells = std::abs(after.X - before.X) + std::abs(after.Y - before.Y); cells > 0)
      add("Schritt(" + std::to_string(cells) + ")");
    switch ((after.Heading - before.Heading + 4) % 4) {
      case 1: add("RechtsDrehen"); break;
      case 2: add("LinksDrehen"), add("LinksDrehen"); break;
      case 3: add("LinksDrehen"); break;
    }
    for (const TCellChange& c : history.ChangesOf(n)) {
      const int bricks = (c.New & cell_code::kBricks) - (c.Old & cell_code::kBricks);
      if (bricks > 0) add("Hinlegen(" + std::to_string(bricks) + ")");
      if (bricks < 0) add("Aufheben(" + std::to_string(-bricks) + ")");
      if ((c.New ^ c.Old) & cell_code::kMark)
        add(c.New & cell_code::kMark ? "MarkeSetzen" : "MarkeL\xF6schen");
    }
  }
  return program;
}

// A program of `statements` that also uses every word the task requires, in statements that
// do nothing (IstZiegel(99) is never true), as a pupil might write it to pass the word check.
std::string ProgramWithRequiredWords(const TTask& task, const std::string& statements) {
  static const std::map<std::string, std::string> kStandIns = {
      {"WIEDERHOLE", "wiederhole 0 mal\r\n*wiederhole\r\n"},
      {"WENN", "wenn IstZiegel(99) dann\r\n*wenn\r\n"},
      {"SOLANGE", "solange IstZiegel(99) tue\r\n*solange\r\n"},
      {"ANWEISUNG", "Anweisung Nichts\r\n*Anweisung\r\n"},
      {"BEDINGUNG", "Bedingung Nie\r\nfalsch\r\n*Bedingung\r\n"},
  };
  std::string program = "Programm\r\n";
  for (const std::string& word : task.Required) {
    const auto standIn = kStandIns.find(tumbo::text::UpperLanguage(word));
    if (standIn == kStandIns.end()) ADD_FAILURE() << "no statement that only uses " << word;
    else program += standIn->second;
  }
  return program + statements + "*Programm\r\n";
}

// The moves that solve one world, copied as they are instead of a solution.
std::string MovesOfRun(const TTask& task, const std::string& program, const TTaskWorld& world) {
  TWelt welt;
  EXPECT_TRUE(welt.LoadFromText(world.StartBytes, world.StartFile).Ok());
  THeadlessRunOptions options;
  options.MaxJump = task.MaxJump;
  options.Bricks = task.Bricks;
  options.BrickStart = task.BrickStart;
  options.MaxBrick = task.MaxBrick;
  THeadlessRun run(welt, options, nullptr);
  TRunRecorder history(welt);
  run.SetRecorder(&history);
  EXPECT_TRUE(run.Compile(program, ""));
  run.Run();
  EXPECT_EQ(history.FirstStep(), 0u);
  return MovesAsStatements(history);
}

class CourseTask : public testing::TestWithParam<TListedTask> {
 protected:
  void SetUp() override {
    const TTaskResult r = LoadTask(GetParam().Path, task_);
    ASSERT_TRUE(r.Ok()) << r.Message;
  }
  int HiddenWorlds() const {
    int hidden = 0;
    for (size_t w = 0; w < task_.Worlds.size(); ++w) hidden += task_.IsHidden(w);
    return hidden;
  }
  TLoadedTask task_;
};

TEST_P(CourseTask, HasWorldsHintsAndAModelSolution) {
  EXPECT_FALSE(task_.Task.Title.empty());
  EXPECT_FALSE(task_.Task.Text.empty());
  EXPECT_GE(task_.Worlds.size(), 2u);
  EXPECT_GE(task_.Task.Hints.size(), 1u);
  EXPECT_LE(task_.Task.Hints.size(), 3u);
  for (const std::string& hint : task_.Task.Hints) EXPECT_FALSE(hint.empty());
  EXPECT_FALSE(task_.ModelSolutionFile.empty());  // LoadTask refuses one that is not there
}

// A pupil sees at least one world; from the third section on at least one is hidden, so that a
// program which only replays the moves for the visible worlds is found out.
TEST_P(CourseTask, HidesAWorldFromTheThirdSectionOn) {
  EXPECT_LT(HiddenWorlds(), int(task_.Worlds.size()));
  if (GetParam().Section >= 3) {
    EXPECT_GE(HiddenWorlds(), 1);
  }
}

TEST_P(CourseTask, ReplayingTheMovesForAVisibleWorldFailsAHiddenWorld) {
  if (HiddenWorlds() == 0) GTEST_SKIP();
  std::string bytes, error;
  ASSERT_TRUE(tumbo::text::ReadFileBytes(task_.ModelSolutionFile, bytes, error)) << error;
  const std::string solution = tumbo::text::DecodeToCp1252(bytes);
  for (size_t w = 0; w < task_.Worlds.size(); ++w) {
    if (task_.IsHidden(w)) continue;
    const std::string replay =
        ProgramWithRequiredWords(task_.Task, MovesOfRun(task_.Task, solution, task_.Worlds[w]));
    const TProgramGrade g = GradeProgramText(task_, replay, "", "nachgespielt.tdp");
    ASSERT_EQ(g.Worlds.size(), task_.Worlds.size()) << replay;
    EXPECT_TRUE(g.Worlds[w].Solved) << "the replay of world " << w + 1 << ":\n" << replay;
    bool failsHidden = false;
    for (size_t h = 0; h < g.Worlds.size(); ++h) failsHidden |= task_.IsHidden(h) && !g.Worlds[h].Solved;
    EXPECT_TRUE(failsHidden) << "the replay of world " << w + 1 << " solves every hidden world";
  }
}

TEST_P(CourseTask, ModelSolutionSolvesEveryWorld) {
  const TProgramGrade g = GradeProgramFile(task_, task_.ModelSolutionFile);
  EXPECT_TRUE(g.SolvedAll()) << testing::PrintToString(GradeTextLines(g));
}

// No start world already equals its goal, so a program that does nothing solves no world, also
// when it uses the words the task requires.
TEST_P(CourseTask, DoingNothingSolvesNoWorld) {
  for (const std::string& program : {std::string(), ProgramWithRequiredWords(task_.Task, "")}) {
    const TProgramGrade g = GradeProgramText(task_, program, "", "leer.tdp");
    EXPECT_EQ(g.SolvedCount(), 0) << testing::PrintToString(GradeTextLines(g));
  }
}

INSTANTIATE_TEST_SUITE_P(Kurs, CourseTask, testing::ValuesIn(CourseTasks()),
                         [](const testing::TestParamInfo<TListedTask>& info) {
                           std::string name = std::filesystem::path(info.param.Path).stem().string();
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
