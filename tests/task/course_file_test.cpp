// Reading course files and loading a course with the titles of its tasks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "task/course_file.h"
#include "task/grade_report.h"
#include "task/grader.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

const std::string kCourse = std::string(TUMBO_FIXTURES_DIR) + "/kurs-klein";

TEST(CourseFile, ReadsTitleTextSectionsAndTasksInOrder) {
  TCourse course;
  const TTaskResult r = ParseCourse(
      "[Kurs]\nTitel=Tumbo lernt laufen\nText=Zeile 1|Zeile 2\n"
      "[Abschnitt2]\nTitel=Wiederholen\nAufgabe2=c.tda\nAufgabe1=b.TDA\n"
      "[Abschnitt1]\nTitel=Erste Schritte\nAufgabe1=a.tda\n",
      "kurs.tdk", course);
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(course.Title, "Tumbo lernt laufen");
  EXPECT_EQ(course.Text, "Zeile 1\nZeile 2");
  ASSERT_EQ(course.Sections.size(), 2u);
  EXPECT_EQ(course.Sections[0].Title, "Erste Schritte");
  EXPECT_EQ(course.Sections[1].Tasks, (std::vector<std::string>{"b.TDA", "c.tda"}));
}

struct TDamagedCourse {
  const char* Text;
  int Line;
  const char* Problem;
};

class DamagedCourseFile : public testing::TestWithParam<TDamagedCourse> {};

TEST_P(DamagedCourseFile, IsRefusedWithTheProblemAndItsLineNamed) {
  TCourse course;
  course.Title = "unchanged";
  const TTaskResult r = ParseCourse(GetParam().Text, "/x/kurs.tdk", course);
  const std::string line = GetParam().Line ? " (Zeile " + std::to_string(GetParam().Line) + ")" : "";
  EXPECT_EQ(r.Message, "Die Kursdatei \"/x/kurs.tdk\" ist besch\xE4" "digt" + line + ": " + GetParam().Problem + ".");
  EXPECT_EQ(course.Title, "unchanged");
}

#define HEAD "[Kurs]\nTitel=K\n"

INSTANTIATE_TEST_SUITE_P(
    CourseFile, DamagedCourseFile,
    testing::Values(
        TDamagedCourse{"", 0, "der Abschnitt [Kurs] fehlt"},
        TDamagedCourse{"[Kurs]\nText=x\n[Abschnitt1]\nTitel=A\nAufgabe1=a.tda\n", 1, "in [Kurs] fehlt Titel="},
        TDamagedCourse{HEAD, 0, "er nennt keinen Abschnitt ([Abschnitt1] fehlt)"},
        TDamagedCourse{HEAD "Autor=X\n", 3, "unbekannter Eintrag \"Autor\" in [Kurs]"},
        TDamagedCourse{HEAD "[Abschnit1]\nTitel=A\n", 3, "unbekannter Abschnitt [Abschnit1]"},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=a.tda\n[Abschnitt3]\nTitel=C\nAufgabe1=c.tda\n", 6,
                       "[Abschnitt3] folgt ohne [Abschnitt2]"},
        TDamagedCourse{HEAD "[Abschnitt1]\nAufgabe1=a.tda\n", 3, "in [Abschnitt1] fehlt Titel="},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\n", 3, "in [Abschnitt1] fehlt Aufgabe1="},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=a.tda\nAufgabe3=c.tda\n", 6,
                       "Aufgabe3= folgt ohne Aufgabe2="},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=a.tda\nAufgabe1=b.tda\n", 6,
                       "Aufgabe1= steht zweimal in [Abschnitt1] (schon in Zeile 5)"},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=a.tda\n[Abschnitt2]\nTitel=B\nAufgabe1=A.tda\n", 8,
                       "\"A.tda\" steht schon in Zeile 5"},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=\n", 5, "Aufgabe1= nennt keine Aufgabe"},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=a.tdp\n", 5,
                       "Aufgabe1= muss eine Aufgabe (.tda) nennen, nicht \"a.tdp\""},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=../../a.tda\n", 5,
                       "Aufgabe1= muss eine Datei im Kursordner nennen, nicht \"../../a.tda\""},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe1=sub/a.tda\n", 5,
                       "Aufgabe1= muss eine Datei im Kursordner nennen, nicht \"sub/a.tda\""},
        TDamagedCourse{HEAD "[Abschnitt1]\nTitel=A\nAufgabe 1\n", 5,
                       "\"Aufgabe 1\" ist weder [Abschnitt] noch Name=Wert"}));

TEST(CourseFile, LoadsTheCourseFolderWithTheTitlesOfItsTasks) {
  TLoadedCourse course;
  const TTaskResult r = LoadCourse(kCourse, course);
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(course.Course.Title, "Kleiner Kurs");
  ASSERT_EQ(course.Tasks.size(), 3u);
  EXPECT_EQ(course.Tasks[0].Title, "Ein Schritt");
  EXPECT_EQ(course.Tasks[0].Name, "vor");
  EXPECT_EQ(course.Tasks[1].Section, 0);
  EXPECT_EQ(course.Tasks[2].Section, 1);
  EXPECT_EQ(course.Tasks[2].Path, (fs::path(kCourse) / "hoch.tda").string());
  EXPECT_EQ(course.IndexOf("bis-wand"), 1);
  EXPECT_EQ(course.IndexOf("gibt-es-nicht"), -1);
  TLoadedCourse byFile;
  EXPECT_TRUE(LoadCourse(kCourse + "/kurs.tdk", byFile).Ok());
  EXPECT_EQ(byFile.Tasks.size(), 3u);
}

// The small course the window tests use: its model solutions solve every task, an empty
// program none.
TEST(CourseFile, ModelSolutionsOfTheTestCourseSolveTheirTasks) {
  TLoadedCourse course;
  ASSERT_TRUE(LoadCourse(kCourse, course).Ok());
  for (const TCourseTask& t : course.Tasks) {
    TLoadedTask task;
    const TTaskResult r = LoadTask(t.Path, task);
    ASSERT_TRUE(r.Ok()) << r.Message;
    const TProgramGrade model = GradeProgramFile(task, task.ModelSolutionFile);
    EXPECT_TRUE(model.SolvedAll()) << testing::PrintToString(GradeTextLines(model));
    EXPECT_EQ(GradeProgramText(task, "Programm\r\n*Programm\r\n", "", "leer.tdp").SolvedCount(), 0) << t.Name;
  }
}

class CourseFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tumbo_course_test_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  fs::path dir_;
};

TEST_F(CourseFolder, AMissingTaskIsRefusedWithItsLineAndADamagedOneKeepsItsMessage) {
  Write("kurs.tdk", "[Kurs]\nTitel=K\n[Abschnitt1]\nTitel=A\nAufgabe1=kaputt.tda\nAufgabe2=fehlt.tda\n");
  Write("kaputt.tda", "[Aufgabe]\nTitel=Kaputt\nMaxSchrite=3\n");
  TLoadedCourse course;
  course.Folder = "unchanged";
  EXPECT_EQ(LoadCourse(dir_.string(), course).Message,
            "Die Kursdatei \"" + (dir_ / "kurs.tdk").string() +
                "\" ist besch\xE4" "digt (Zeile 6): die Aufgabe \"fehlt.tda\" gibt es nicht.");
  EXPECT_EQ(course.Folder, "unchanged");

  Write("kurs.tdk", "[Kurs]\nTitel=K\n[Abschnitt1]\nTitel=A\nAufgabe1=kaputt.tda\n");
  ASSERT_TRUE(LoadCourse(dir_.string(), course).Ok());
  ASSERT_EQ(course.Tasks.size(), 1u);
  EXPECT_EQ(course.Tasks[0].Title, "kaputt.tda");
  EXPECT_NE(course.Tasks[0].Problem.find("(Zeile 3): unbekannter Eintrag \"MaxSchrite\""), std::string::npos);
}

TEST_F(CourseFolder, NoCourseFileIsAMessage) {
  TLoadedCourse course;
  EXPECT_FALSE(LoadCourse(dir_.string(), course).Ok());
}

}  // namespace
