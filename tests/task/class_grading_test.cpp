// Grading a class: pupils found in class folders, the program each handed in, the named
// results, the order of reports, stopping, and the tables for spreadsheets.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "support/class_fixture.h"
#include "task/class_grading.h"
#include "task/class_outputs.h"
#include "task/summary_csv.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;
using class_fixture::MakeClass;
using class_fixture::Put;

class ClassGrading : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tumbo_class_test_" + std::to_string(getpid()) + "_" +
                                         testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ASSERT_EQ(LoadClassWork(class_fixture::kTask, work_), "");
  }
  void TearDown() override { fs::remove_all(root_); }

  std::vector<std::string> Names(const std::vector<TPupil>& pupils) {
    std::vector<std::string> names;
    for (const TPupil& p : pupils) names.push_back(p.Name);
    return names;
  }

  fs::path root_;
  TClassWork work_;
};

TEST(PupilName, PlatformSuffixIsRemoved) {
  const std::pair<const char*, const char*> cases[] = {
      {"Anna Schmidt_123456_assignsubmission_file_", "Anna Schmidt"},
      {"Anna Schmidt_123456_assignsubmission_onlinetext_", "Anna Schmidt"},
      {"Anna Schmidt_assignsubmission_file_", "Anna Schmidt"},
      {"Anna Schmidt", "Anna Schmidt"},
      {"Klasse_7b", "Klasse_7b"},
      {"_assignsubmission_file_", "_assignsubmission_file_"},
      {"J\xC3\xBCrgen M\xC3\xBCller_1_assignsubmission_file_", "J\xFCrgen M\xFCller"},  // UTF-8
      {"J\xFCrgen_2_assignsubmission_file_", "J\xFCrgen"},                              // Latin-1
      {"Zeile\nzwei", "Zeile?zwei"},
  };
  for (const auto& [folder, name] : cases) EXPECT_EQ(PupilNameFromFolder(folder), name) << folder;
}

TEST_F(ClassGrading, FolderHoldsOnePupilPerSubFolderAndPerProgramFile) {
  const fs::path c = MakeClass(root_);
  const std::vector<TPupil> pupils = FindPupils({c.string()});
  EXPECT_EQ(Names(pupils), (std::vector<std::string>{"=2+3.tdp", "Anna Schmidt", "Ben \xD6zt\xFCrk", "Carla Neu",
                                                     "David Leer", "Emil Bild", "Frieda Welt", "Gustav Zwei",
                                                     "Hanna Fehler", "Ida Drei", "Jonas Link", "Kai Raus",
                                                     "L\xE9" "a Latin"}));
}

TEST_F(ClassGrading, FilesAreNamedByThePathGivenAndSameNamesAreTold) {
  const fs::path a = root_ / "a" / "loesung.tdp", b = root_ / "b" / "loesung.tdp";
  Put(a, "Programm\r\n*Programm");
  Put(b, "Programm\r\n*Programm");
  Put(root_ / "k1" / "Anna_1_assignsubmission_file_" / "x.tdp", "");
  Put(root_ / "k2" / "Anna_2_assignsubmission_file_" / "x.tdp", "");
  const std::vector<TPupil> pupils =
      FindPupils({a.string(), b.string(), (root_ / "k1").string(), (root_ / "k2").string()});
  EXPECT_EQ(Names(pupils), (std::vector<std::string>{a.string(), b.string(), "Anna", "Anna (2)"}));
}

TEST_F(ClassGrading, EveryPupilGetsAGradeOrANamedResult) {
  const fs::path c = MakeClass(root_);
  const std::vector<TPupilResult> results = GradeClass(work_, FindPupils({c.string()}), 2);
  std::map<std::string, std::string> cells;
  for (const TPupilResult& p : results) cells[p.Name] = p.Tasks.at(0).Cell();
  const std::map<std::string, std::string> expected = {
      {"=2+3.tdp", "1/3"},
      {"Anna Schmidt", "3/3"},
      {"Ben \xD6zt\xFCrk", "1/3"},
      {"Carla Neu", "nicht abgegeben"},
      {"David Leer", "leer"},
      {"Emil Bild", "keine Programmdatei"},
      {"Frieda Welt", "keine Programmdatei"},
      {"Gustav Zwei", "mehrere Programme"},
      {"Hanna Fehler", "Syntaxfehler"},
      {"Ida Drei", "3/3"},  // two programs, one named after the task
      {"Jonas Link", "nicht lesbar"},
      {"Kai Raus", "nicht lesbar"},
      {"L\xE9" "a Latin", "3/3"},
  };
  EXPECT_EQ(cells, expected);
}

TEST_F(ClassGrading, TextReportNamesTheResultAndWhatMoreIsKnown) {
  const fs::path c = MakeClass(root_);
  std::vector<std::string> lines;
  GradeClass(work_, FindPupils({c.string()}), 1, [&](size_t, const TPupilResult& p, size_t) {
    for (const std::string& line : PupilTextLines(work_, p)) lines.push_back(line);
  });
  const auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("Carla Neu: nicht abgegeben"));
  EXPECT_TRUE(has("David Leer: leer"));
  EXPECT_TRUE(has("Frieda Welt: keine Programmdatei"));
  EXPECT_TRUE(has("  Die Datei ist eine Weltdatei."));
  EXPECT_TRUE(has("Gustav Zwei: mehrere Programme"));
  EXPECT_TRUE(has("  2 Programme: a.tdp, b.tdp"));
  EXPECT_TRUE(has("Hanna Fehler: 0 von 3 Welten gel\xF6st"));
  EXPECT_TRUE(has("  [Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!"));
  EXPECT_TRUE(has("Jonas Link: nicht lesbar"));
  EXPECT_TRUE(has("  \"loesung.tdp\" verweist auf eine Datei au\xDF" "erhalb des Klassenordners."));
  EXPECT_TRUE(has("Anna Schmidt: 3 von 3 Welten gel\xF6st"));
}

TEST_F(ClassGrading, ReportsComeInOrderWithAnyNumberOfJobs) {
  const fs::path c = MakeClass(root_);
  const std::vector<TPupil> pupils = FindPupils({c.string()});
  std::vector<std::string> first;
  for (unsigned jobs : {1u, 2u, 7u}) {
    std::vector<std::string> lines;
    size_t expectedPupil = 0;
    const auto results = GradeClass(work_, pupils, jobs, [&](size_t index, const TPupilResult& p, size_t) {
      EXPECT_EQ(index, expectedPupil++);
      for (const std::string& line : PupilTextLines(work_, p)) lines.push_back(line);
    });
    EXPECT_EQ(results.size(), pupils.size());
    if (first.empty()) first = lines;
    EXPECT_EQ(lines, first) << jobs;
    EXPECT_EQ(SummaryCsv(work_, results), SummaryCsv(work_, GradeClass(work_, pupils, 1))) << jobs;
  }
}

TEST_F(ClassGrading, StopEndsTheGradingAfterTheProgramsRunning) {
  // Programs that run up to the task's step limit on every world: the grading takes a while.
  for (int i = 0; i < 40; ++i)
    Put(root_ / "k" / ("p" + std::to_string(i) + ".tdp"),
        "Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm");
  const std::vector<TPupil> pupils = FindPupils({(root_ / "k").string()});
  std::atomic<bool> stop{true};
  EXPECT_TRUE(GradeClass(work_, pupils, 2, {}, &stop).empty());
  stop = false;
  size_t reported = 0;
  const auto results = GradeClass(
      work_, pupils, 1, [&](size_t, const TPupilResult&, size_t) { ++reported, stop = true; }, &stop);
  EXPECT_GE(results.size(), 1u);
  EXPECT_LT(results.size(), pupils.size());
  EXPECT_EQ(reported, results.size());
}

TEST_F(ClassGrading, HugeFilesAndThousandsOfFilesGetTheirNamedResults) {
  const fs::path c = root_ / "gross";
  fs::create_directories(c / "Riese");
  { std::ofstream(c / "Riese" / "loesung.tdp") << "Programm"; }
  fs::resize_file(c / "Riese" / "loesung.tdp", (size_t(16) << 20) + 1);
  fs::create_directories(c / "Viele");
  for (int i = 0; i < 3000; ++i) Put(c / "Viele" / ("p" + std::to_string(i) + ".tdp"), "");
  for (int i = 0; i < 2000; ++i) Put(c / ("leer" + std::to_string(i) + ".tdp"), "");
  const auto results = GradeClass(work_, FindPupils({c.string()}), 2);
  ASSERT_EQ(results.size(), 2002u);
  std::set<std::string> cells;
  for (const TPupilResult& p : results) cells.insert(p.Name + ": " + p.Tasks[0].Cell());
  EXPECT_TRUE(cells.count("Riese: keine Programmdatei"));
  EXPECT_TRUE(cells.count("Viele: mehrere Programme"));
  EXPECT_TRUE(cells.count("leer1999.tdp: leer"));
}

TEST_F(ClassGrading, UnreadableFilesAreNamedNotLesbar) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  Put(root_ / "k" / "Zu" / "loesung.tdp", "Programm\r\n*Programm");
  fs::permissions(root_ / "k" / "Zu" / "loesung.tdp", fs::perms::none);
  const auto results = GradeClass(work_, FindPupils({(root_ / "k").string()}), 1);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].Tasks[0].Cell(), "nicht lesbar");
}

TEST_F(ClassGrading, SummaryHasOneRowPerPupilInTheOrderOfNames) {
  const fs::path c = MakeClass(root_);
  const std::string csv = SummaryCsv(work_, GradeClass(work_, FindPupils({c.string()}), 2));
  EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFName;Bis zur Wand;Gel\xC3\xB6st\r\n")) << csv;
  EXPECT_NE(csv.find("\r\n'=2+3.tdp;1/3;0\r\nAnna Schmidt;3/3;1\r\nBen \xC3\x96zt\xC3\xBCrk;1/3;0\r\n"
                     "Carla Neu;nicht abgegeben;0\r\n"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\r\nHanna Fehler;Syntaxfehler;0\r\n"), std::string::npos);
  EXPECT_TRUE(csv.ends_with("L\xC3\xA9" "a Latin;3/3;1\r\n"));
}

TEST(SpreadsheetCell, FormulasAreDefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"=2+3", "'=2+3"}, {"+1", "'+1"}, {"-1", "'-1"}, {"@SUMME(A1)", "'@SUMME(A1)"}, {"\tx", "'\tx"},
      {"\rx", "\"'\rx\""}, {"a;b", "\"a;b\""}, {"sag \"hallo\"", "\"sag \"\"hallo\"\"\""}, {"M\xFC" "ller", "M\xC3\xBCller"},
      {"3/3", "3/3"}, {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(SpreadsheetCell(in), out) << in;
}

TEST_F(ClassGrading, CsvNamesThePupilInEveryRow) {
  const fs::path c = MakeClass(root_);
  const std::string csv = ClassCsv(work_, GradeClass(work_, FindPupils({c.string()}), 2));
  EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFProgramm;Welt;Ergebnis;Begr\xC3\xBCndung\r\n"));
  EXPECT_NE(csv.find("\r\n'=2+3.tdp;1;gel\xC3\xB6st;\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\nAnna Schmidt;3;gel\xC3\xB6st;\r\n"), std::string::npos);
  EXPECT_NE(csv.find("\r\nCarla Neu;2;nicht abgegeben;\r\n"), std::string::npos);
  EXPECT_NE(csv.find("\r\nHanna Fehler;1;nicht gel\xC3\xB6st;[Fehlernr 10] (Zeile 2)"), std::string::npos);
}

// Everything below the class folder, with sizes and times: grading and writing change none of it.
std::set<std::string> Snapshot(const fs::path& folder) {
  std::set<std::string> out;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
    struct stat st{};
    lstat(it->path().c_str(), &st);
    out.insert(it->path().string() + " " + std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_nsec));
  }
  return out;
}

TEST_F(ClassGrading, OnlyTheOutputsAreWritten) {
  const fs::path c = MakeClass(root_);
  const auto before = Snapshot(root_);
  const auto results = GradeClass(work_, FindPupils({c.string()}), 2);
  const fs::path out = root_ / "aus";
  fs::create_directories(out);
  const TClassOutputs outputs{(out / "a.csv").string(), (out / "s.csv").string(), (out / "k.html").string()};
  std::string error;
  ASSERT_TRUE(WriteClassOutputs(work_, results, outputs, {"11.12.2026", {}}, error)) << error;
  auto after = Snapshot(root_);
  for (const char* name : {"aus", "aus/a.csv", "aus/s.csv", "aus/k.html"})
    EXPECT_EQ(std::erase_if(after, [&](const std::string& e) { return e.starts_with((root_ / name).string() + " "); }), 1u)
        << name;
  EXPECT_EQ(after, before);
}

TEST_F(ClassGrading, AnOutputThatIsAnInputIsRefused) {
  const fs::path c = MakeClass(root_);
  const std::string program = (root_ / "draussen" / "geheim.tdp").string();
  const std::vector<std::string> inputs{c.string(), program};
  const std::string task = class_fixture::kTask;
  EXPECT_EQ(OutputClash({(root_ / "a.csv").string(), (root_ / "b.csv").string(), (root_ / "html").string()}, task,
                        inputs),
            "");
  const TClassOutputs clashes[] = {
      {program, {}, {}},
      {{}, task, {}},
      {{}, {}, c.string()},
      {(c / "Anna Schmidt_101_assignsubmission_file_" / "loesung.tdp").string(), {}, {}},
      {{}, (c / "neu.csv").string(), {}},
      {(root_ / "a.csv").string(), (root_ / "." / "a.csv").string(), {}},
      {(root_ / "draussen" / ".." / "draussen" / "geheim.tdp").string(), {}, {}},
  };
  for (const TClassOutputs& o : clashes) EXPECT_NE(OutputClash(o, task, inputs), "") << o.Csv << o.Summary << o.Html;
}

// A course: each task's program is the file named after the task in the pupil's folder.
TEST_F(ClassGrading, CourseGradesEachTaskWithItsOwnFile) {
  TClassWork course;
  ASSERT_EQ(LoadClassWork(class_fixture::MakeCourse(root_).string(), course), "");
  EXPECT_TRUE(course.Course);
  EXPECT_EQ(course.Title, "Probekurs");
  ASSERT_EQ(course.Tasks.size(), 2u);
  EXPECT_EQ(course.Tasks[1].ProgramName, "aufraeumen.tdp");
  const auto results = GradeClass(course, FindPupils({class_fixture::MakeCourseClass(root_).string()}), 2);
  std::vector<std::string> lines;
  for (const TPupilResult& p : results)
    for (const std::string& line : PupilTextLines(course, p)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Anna: 2 von 2 Aufgaben gel\xF6st",
                       "  Bis zur Wand: 3 von 3 Welten gel\xF6st",
                       "  Aufr\xE4umen: 2 von 2 Welten gel\xF6st",
                       "Ben: 0 von 2 Aufgaben gel\xF6st",
                       "  Bis zur Wand: 1 von 3 Welten gel\xF6st",
                       "  Aufr\xE4umen: " + results[1].Tasks[1].Cell().substr(0, 1) + " von 2 Welten gel\xF6st",
                       "Carla: 1 von 2 Aufgaben gel\xF6st",
                       "  Bis zur Wand: 3 von 3 Welten gel\xF6st",
                       "  Aufr\xE4umen: nicht abgegeben",
                   }));
  EXPECT_FALSE(results[1].Tasks[1].Solved());
  EXPECT_EQ(SummaryCsv(course, results),
            "\xEF\xBB\xBFName;Bis zur Wand;Aufr\xC3\xA4umen;Gel\xC3\xB6st\r\n"
            "Anna;3/3;2/2;2\r\nBen;1/3;" + results[1].Tasks[1].Cell() + ";0\r\nCarla;3/3;nicht abgegeben;1\r\n");
  EXPECT_NE(ClassCsv(course, results).find("\r\nCarla/aufraeumen.tdp;2;nicht abgegeben;\r\n"), std::string::npos);
}

TEST_F(ClassGrading, ACourseWithADamagedTaskIsRefused) {
  const fs::path file = class_fixture::MakeCourse(root_);
  Put(file.parent_path() / "aufraeumen.tda", "[Aufgabe]\nTitel=X\n");
  TClassWork course;
  EXPECT_NE(LoadClassWork(file.string(), course), "");
  EXPECT_TRUE(course.Tasks.empty());
}

}  // namespace
