// Grading programs against a task: runs on every start world, the reasons of a world not solved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "task/grade_report.h"
#include "task/grader.h"
#include "text/cp1252.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

// Two corridors of different length; the goal: robot at the far wall, a mark there.
class Grader : public testing::Test {
 protected:
  void SetUp() override {
    for (int32_t length : {4, 7}) {
      TTaskWorld w;
      TRaum room;
      room.Init(1, length, 2);
      w.StartBytes = WriteWorldText(room, 0, 0, 0);
      w.StartFile = "start.tdw";
      ASSERT_TRUE(ReadWorldText(w.StartBytes, "start.tdw", w.Start).Ok());
      room.SetMark(0, length - 1);
      ASSERT_TRUE(ReadWorldText(WriteWorldText(room, 0, length - 1, 0), "ziel.tdw", w.Goal).Ok());
      task_.Worlds.push_back(std::move(w));
    }
  }
  TProgramGrade Grade(const std::string& program) {
    return GradeProgramText(task_, program, "", "p.tdp");
  }
  TLoadedTask task_;
};

TEST_F(Grader, SolutionSolvesEveryWorld) {
  const TProgramGrade g =
      Grade("Programm\r\nsolange NichtIstWand tue\r\nSchritt\r\n*solange\r\nMarkeSetzen\r\n*Programm");
  EXPECT_EQ(g.SolvedCount(), 2);
  EXPECT_TRUE(g.SolvedAll());
  EXPECT_EQ(GradeTextLines(g), std::vector<std::string>{"p.tdp: 2 von 2 Welten gel\xF6st"});
}

TEST_F(Grader, CountingStepsFailsTheOtherWorld) {
  const TProgramGrade g = Grade("Programm\r\nSchritt(3)\r\nMarkeSetzen\r\n*Programm");
  EXPECT_EQ(GradeTextLines(g),
            (std::vector<std::string>{"p.tdp: 1 von 2 Welten gel\xF6st",
                                      "  Welt 2: 2 Zellen mit falscher Marke, Position (1, 4) statt (1, 7)"}));
}

TEST_F(Grader, NotesFailOnlyWhenTheTaskForbidsThem) {
  const std::string program =
      "Programm\r\nSchritt(9)\r\nMarkeSetzen\r\n*Programm";  // bumps into the wall, ends right
  EXPECT_TRUE(Grade(program).SolvedAll());
  task_.Task.NoNotes = true;
  const TProgramGrade g = Grade(program);
  ASSERT_EQ(g.Worlds.size(), 2u);
  EXPECT_FALSE(g.Worlds[0].Solved);
  EXPECT_EQ(g.Worlds[0].Reason, "[Hinweis] (Zeile 2): Tumbo ist an der Wand angesto\xDF" "en");
}

TEST_F(Grader, EndlessProgramsEndAtTheLimits) {
  struct {
    int64_t MaxSteps;
    const char* Program;
    const char* Reason;
  } cases[] = {
      {1000, "Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm",
       "Abgebrochen: mehr als 1000 Schritte"},
      {kDefaultMaxSteps, "Anweisung Tief\r\nTief\r\n*Anweisung\r\nProgramm\r\nTief\r\n*Programm",
       "[Abbruch] (Zeile 2): Zu tiefe Rekursion: mehr als 10000 verschachtelte Aufrufe."},
  };
  for (const auto& c : cases) {
    task_.Task.MaxSteps = c.MaxSteps;
    const TProgramGrade g = Grade(c.Program);
    ASSERT_EQ(g.Worlds.size(), 2u);
    EXPECT_FALSE(g.Worlds[1].Solved);
    EXPECT_EQ(g.Worlds[1].Reason, c.Reason) << c.Program;
  }
}

TEST_F(Grader, ProgramWithErrorsSolvesNoWorld) {
  const TProgramGrade g = Grade("Programm\r\nSchrit\r\n*Programm");
  EXPECT_EQ(g.SolvedCount(), 0);
  EXPECT_EQ(GradeTextLines(g),
            (std::vector<std::string>{
                "p.tdp: 0 von 2 Welten gel\xF6st",
                "  [Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!"}));
  ASSERT_EQ(g.Worlds.size(), 2u);
  EXPECT_EQ(g.Worlds[1].Reason, g.ProgramError);
}

TEST_F(Grader, UnreadableProgramSolvesNoWorld) {
  const TProgramGrade g = GradeProgramFile(task_, "/gibt/es/nicht.tdp");
  EXPECT_EQ(g.Name, "nicht.tdp");
  EXPECT_EQ(g.SolvedCount(), 0);
  EXPECT_NE(g.ProgramError.find("nicht.tdp"), std::string::npos);
}

TEST_F(Grader, AHiddenWorldIsGradedButItsReasonNamesNoCells) {
  task_.Task.Worlds.resize(2);
  task_.Task.Worlds[1].Hidden = true;
  const TProgramGrade g = Grade("Programm\r\nSchritt(3)\r\nMarkeSetzen\r\n*Programm");
  EXPECT_EQ(GradeTextLines(g),
            (std::vector<std::string>{"p.tdp: 1 von 2 Welten gel\xF6st",
                                      "  Verdeckte Welt 2: Marken stimmen nicht, Tumbo steht nicht am Ziel"}));
  EXPECT_TRUE(g.Worlds[1].Hidden);
  EXPECT_FALSE(g.Worlds[0].Hidden);
  EXPECT_TRUE(Grade("Programm\r\nsolange NichtIstWand tue\r\nSchritt\r\n*solange\r\nMarkeSetzen\r\n*Programm").SolvedAll());
}

// Required and forbidden words are looked for as the language reads the program.
TEST_F(Grader, RequiredAndForbiddenWordsFailEveryWorld) {
  const std::string solution = "Programm\r\nsolange NichtIstWand tue\r\nSchritt\r\n*solange\r\nMarkeSetzen\r\n*Programm";
  struct {
    std::vector<std::string> Required, Forbidden;
    std::string Program;
    std::string Reason;  // empty: solved
  } cases[] = {
      {{"solange"}, {"wiederhole"}, solution, ""},
      {{}, {"solange"}, solution, "Das Wort \x84solange\x93 ist in dieser Aufgabe verboten"},
      {{}, {"solange"}, "programm\r\nSOLANGE nichtistwand TUE\r\ntumbo.schritt\r\n*SOLANGE\r\nMarkeSetzen\r\n*PROGRAMM",
       "Das Wort \x84solange\x93 ist in dieser Aufgabe verboten"},
      {{"wiederhole"}, {}, "{ wiederhole fehlt nur im Kommentar }\r\n" + solution, "Das Wort \x84wiederhole\x93 fehlt"},
      {{"Schritt"}, {}, "Programm\r\nsolange NichtIstWand tue\r\nTumbo.Schritt\r\n*solange\r\nMarkeSetzen\r\n*Programm", ""},
      {{"wiederhole"}, {"Schritt"}, solution,
       "Das Wort \x84Schritt\x93 ist in dieser Aufgabe verboten, Das Wort \x84wiederhole\x93 fehlt"},
  };
  for (const auto& c : cases) {
    task_.Task.Required = c.Required;
    task_.Task.Forbidden = c.Forbidden;
    const TProgramGrade g = Grade(c.Program);
    ASSERT_EQ(g.Worlds.size(), 2u);
    EXPECT_EQ(g.Worlds[0].Solved, c.Reason.empty()) << c.Program;
    EXPECT_EQ(g.Worlds[1].Reason, c.Reason) << c.Program;
  }
}

// One world: the robot faces a stack of two bricks; the goal: a brick laid onto it and the
// robot on top.
class GraderRobotSettings : public testing::Test {
 protected:
  void SetUp() override {
    TTaskWorld w;
    TRaum room;
    room.Init(1, 3, 4);
    room.AddItem(0, 1, kZiegel);
    room.AddItem(0, 1, kZiegel);
    w.StartBytes = WriteWorldText(room, 0, 0, 0);
    ASSERT_TRUE(ReadWorldText(w.StartBytes, "start.tdw", w.Start).Ok());
    room.AddItem(0, 2, kZiegel);
    ASSERT_TRUE(ReadWorldText(WriteWorldText(room, 0, 1, 0), "ziel.tdw", w.Goal).Ok());
    task_.Worlds.push_back(std::move(w));
    task_.Task.NoNotes = true;
  }
  bool Solves(const std::string& program) { return GradeProgramText(task_, program, "", "p.tdp").SolvedAll(); }
  TLoadedTask task_;
};

TEST_F(GraderRobotSettings, TheTasksJumpHeightAndBrickCountingDecide) {
  const std::string program = "Programm\r\nSchritt\r\nHinlegen\r\n*Programm";
  EXPECT_FALSE(Solves(program));  // jump height 1: the stack is too high
  task_.Task.MaxJump = 2;
  EXPECT_TRUE(Solves(program));
  task_.Task.Bricks = true;
  task_.Task.BrickStart = 0;
  task_.Task.MaxBrick = 5;
  EXPECT_FALSE(Solves(program));  // nothing to lay down
  task_.Task.BrickStart = 1;
  EXPECT_TRUE(Solves(program));
}

TEST_F(Grader, CsvHasBomHeaderAndQuotedFields) {
  std::vector<TProgramGrade> grades{Grade("Programm\r\nSchritt(3)\r\nMarkeSetzen\r\n*Programm")};
  grades[0].Name = "a;b.tdp";
  EXPECT_EQ(GradeCsv(grades),
            "\xEF\xBB\xBFProgramm;Welt;Ergebnis;Begr\xC3\xBCndung\r\n"
            "\"a;b.tdp\";1;gel\xC3\xB6st;\r\n"
            "\"a;b.tdp\";2;nicht gel\xC3\xB6st;2 Zellen mit falscher Marke, Position (1, 4) statt (1, 7)\r\n");
}

}  // namespace
