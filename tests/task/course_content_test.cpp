// The course shipped in data/kurs: kurs.tdk lists at least 40 tasks in at least 7 sections;
// every task is complete (two worlds or more, one to three hints, a model solution, hidden
// worlds from the third section on), its model solution solves every world and keeps the
// task's word rules, a program that does nothing solves no world, and a program that only
// replays the moves solving a visible world fails a hidden one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/settings/ini_file.h"
#include "language/headless_run.h"
#include "language/scanner.h"
#include "task/grade_report.h"
#include "task/grader.h"
#include "text/cp1252.h"
#include "text/text_file.h"
#include "world/run_recorder.h"
#include "world/welt.h"

namespace {

using namespace tumbo::task;

const std::string kCourseFolder = std::string(TUMBO_DATA_DIR) + "/kurs/";

struct TListedTask {
  int Section = 0;   // counted from 1
  std::string File;  // as listed, e.g. "bis-zur-wand.tda"
};

void PrintTo(const TListedTask& t, std::ostream* os) { *os << t.File; }

std::string Numbered(const std::string& prefix, int n) { return prefix + std::to_string(n); }

// How many keys PREFIX1, PREFIX2, … the section holds, counted up to the first gap.
int NumberedKeys(const tumbo::app::IniFile& ini, const std::string& section,
                 const std::string& prefix) {
  int n = 0;
  while (ini.HasKey(section, Numbered(prefix, n + 1))) ++n;
  return n;
}

int CourseSections(const tumbo::app::IniFile& course) {
  int n = 0;
  while (course.HasKey(Numbered("Abschnitt", n + 1), "Titel")) ++n;
  return n;
}

// A missing file reads as an empty one, which the tests below then find wanting.
tumbo::app::IniFile ReadIni(const std::string& path) {
  tumbo::app::IniFile ini;
  ini.Load(path);
  return ini;
}

// The tasks in the order kurs.tdk lists them: [Abschnitt1] Aufgabe1=, Aufgabe2=, …, then
// [Abschnitt2] and so on.
std::vector<TListedTask> CourseTasks() {
  const tumbo::app::IniFile course = ReadIni(kCourseFolder + "kurs.tdk");
  std::vector<TListedTask> tasks;
  for (int s = 1; s <= CourseSections(course); ++s) {
    const std::string section = Numbered("Abschnitt", s);
    for (int t = 1; t <= NumberedKeys(course, section, "Aufgabe"); ++t)
      tasks.push_back({s, course.ReadString(section, Numbered("Aufgabe", t), "")});
  }
  return tasks;
}

TEST(Course, HasItsTitleAndAtLeastFortyTasksInSevenSections) {
  const tumbo::app::IniFile course = ReadIni(kCourseFolder + "kurs.tdk");
  EXPECT_EQ(course.ReadString("Kurs", "Titel", ""), "Tumbo lernt laufen");
  EXPECT_FALSE(course.ReadString("Kurs", "Text", "").empty());
  const int sections = CourseSections(course);
  EXPECT_GE(sections, 7);
  for (int s = 1; s <= sections; ++s) {
    const std::string section = Numbered("Abschnitt", s);
    EXPECT_FALSE(course.ReadString(section, "Titel", "").empty()) << section;
    EXPECT_GE(NumberedKeys(course, section, "Aufgabe"), 1) << section;
  }
  EXPECT_GE(CourseTasks().size(), 40u);
}

TEST(Course, ListsEveryTaskOnce) {
  std::set<std::string> seen;
  for (const TListedTask& t : CourseTasks()) EXPECT_TRUE(seen.insert(t.File).second) << t.File;
}

// The words of a program as the language reads them: upper case, comments left out, end words
// without their "*".
std::set<std::string> ProgramWords(const std::string& programText) {
  const std::string source = Preprocess(programText);
  std::set<std::string> words;
  std::string word;
  for (char c : source + ' ') {
    if (IsWordChar(c) && c != '*') {
      word += c;
    } else if (!word.empty()) {
      words.insert(word);
      word.clear();
    }
  }
  return words;
}

// "wiederhole, solange" as upper-case words.
std::vector<std::string> WordList(const std::string& value) {
  std::vector<std::string> words;
  std::string word;
  for (char c : value + ',') {
    if (c == ',') {
      if (!word.empty()) words.push_back(tumbo::text::UpperLanguage(word));
      word.clear();
    } else if (c != ' ') {
      word += c;
    }
  }
  return words;
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
std::string ProgramWithRequiredWords(const std::string& required, const std::string& statements) {
  static const std::map<std::string, std::string> kStandIns = {
      {"WIEDERHOLE", "wiederhole 0 mal\r\n*wiederhole\r\n"},
      {"WENN", "wenn IstZiegel(99) dann\r\n*wenn\r\n"},
      {"SOLANGE", "solange IstZiegel(99) tue\r\n*solange\r\n"},
      {"ANWEISUNG", "Anweisung Nichts\r\n*Anweisung\r\n"},
      {"BEDINGUNG", "Bedingung Nie\r\nfalsch\r\n*Bedingung\r\n"},
  };
  std::string program = "Programm\r\n";
  for (const std::string& word : WordList(required)) {
    const auto standIn = kStandIns.find(word);
    if (standIn == kStandIns.end()) ADD_FAILURE() << "no statement that only uses " << word;
    else program += standIn->second;
  }
  return program + statements + "*Programm\r\n";
}

// The moves that solve one world, copied as they are instead of a solution.
std::string MovesOfRun(const std::string& program, const TTaskWorld& world) {
  TWelt welt;
  EXPECT_TRUE(welt.LoadFromText(world.StartBytes, world.StartFile).Ok());
  THeadlessRun run(welt, THeadlessRunOptions{}, nullptr);
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
    path_ = kCourseFolder + GetParam().File;
    const TTaskResult r = LoadTask(path_, task_);
    ASSERT_TRUE(r.Ok()) << r.Message;
    ini_ = ReadIni(path_);
  }
  std::string Key(const std::string& key) const { return ini_.ReadString("Aufgabe", key, ""); }
  std::string SolutionPath() const { return kCourseFolder + Key("Musterloesung"); }

  std::string path_;
  TLoadedTask task_;
  tumbo::app::IniFile ini_;
};

TEST_P(CourseTask, HasWorldsHintsAndAModelSolution) {
  EXPECT_FALSE(task_.Task.Title.empty());
  EXPECT_FALSE(task_.Task.Text.empty());
  EXPECT_GE(task_.Worlds.size(), 2u);
  const int hints = NumberedKeys(ini_, "Aufgabe", "Tipp");
  EXPECT_GE(hints, 1);
  EXPECT_LE(hints, 3);
  for (int h = 1; h <= hints; ++h) EXPECT_FALSE(Key(Numbered("Tipp", h)).empty()) << h;
  EXPECT_FALSE(Key("Musterloesung").empty());
  EXPECT_TRUE(std::filesystem::is_regular_file(SolutionPath())) << SolutionPath();
}

// A pupil sees at least one world; from the third section on at least one is hidden, so that a
// program which only replays the moves for the visible worlds is found out.
TEST_P(CourseTask, HidesAWorldFromTheThirdSectionOn) {
  int hidden = 0;
  for (size_t w = 1; w <= task_.Worlds.size(); ++w) {
    const std::string value = ini_.ReadString(Numbered("Welt", int(w)), "Verdeckt", "nein");
    EXPECT_TRUE(value == "ja" || value == "nein") << value;
    hidden += value == "ja";
  }
  EXPECT_LT(hidden, int(task_.Worlds.size()));
  if (GetParam().Section >= 3) {
    EXPECT_GE(hidden, 1);
  }
}

TEST_P(CourseTask, ReplayingTheMovesForAVisibleWorldFailsAHiddenWorld) {
  std::vector<bool> hidden;
  for (size_t w = 1; w <= task_.Worlds.size(); ++w)
    hidden.push_back(ini_.ReadString(Numbered("Welt", int(w)), "Verdeckt", "") == "ja");
  if (std::find(hidden.begin(), hidden.end(), true) == hidden.end()) GTEST_SKIP();
  std::string bytes, error;
  ASSERT_TRUE(tumbo::text::ReadFileBytes(SolutionPath(), bytes, error)) << error;
  const std::string solution = tumbo::text::DecodeToCp1252(bytes);
  for (size_t w = 0; w < task_.Worlds.size(); ++w) {
    if (hidden[w]) continue;
    const std::string replay =
        ProgramWithRequiredWords(Key("Gefordert"), MovesOfRun(solution, task_.Worlds[w]));
    const TProgramGrade g = GradeProgramText(task_, replay, "", "nachgespielt.tdp");
    ASSERT_EQ(g.Worlds.size(), hidden.size()) << replay;
    EXPECT_TRUE(g.Worlds[w].Solved) << "the replay of world " << w + 1 << ":\n" << replay;
    bool failsHidden = false;
    for (size_t h = 0; h < hidden.size(); ++h) failsHidden |= hidden[h] && !g.Worlds[h].Solved;
    EXPECT_TRUE(failsHidden) << "the replay of world " << w + 1 << " solves every hidden world";
  }
}

TEST_P(CourseTask, ModelSolutionSolvesEveryWorld) {
  const TProgramGrade g = GradeProgramFile(task_, SolutionPath());
  EXPECT_TRUE(g.SolvedAll()) << testing::PrintToString(GradeTextLines(g));
}

TEST_P(CourseTask, ModelSolutionKeepsTheTasksWordRules) {
  std::string bytes, error;
  ASSERT_TRUE(tumbo::text::ReadFileBytes(SolutionPath(), bytes, error)) << error;
  const std::set<std::string> words = ProgramWords(tumbo::text::DecodeToCp1252(bytes));
  for (const std::string& w : WordList(Key("Gefordert"))) EXPECT_TRUE(words.count(w)) << w;
  for (const std::string& w : WordList(Key("Verboten"))) EXPECT_FALSE(words.count(w)) << w;
}

// No start world already equals its goal, so a program that does nothing solves no world, also
// when it uses the words the task requires.
TEST_P(CourseTask, DoingNothingSolvesNoWorld) {
  for (const std::string& program :
       {std::string(), ProgramWithRequiredWords(Key("Gefordert"), "")}) {
    const TProgramGrade g = GradeProgramText(task_, program, "", "leer.tdp");
    EXPECT_EQ(g.SolvedCount(), 0) << testing::PrintToString(GradeTextLines(g));
  }
}

INSTANTIATE_TEST_SUITE_P(Kurs, CourseTask, testing::ValuesIn(CourseTasks()),
                         [](const testing::TestParamInfo<TListedTask>& info) {
                           std::string name = info.param.File;
                           name = name.substr(0, name.rfind('.'));
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
