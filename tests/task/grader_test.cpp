// Grading programs against a task: runs on every start world, the reasons of a world not solved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "room_rows.h"
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
                                      "  Welt 2: Feld (1, 4): Marke zu viel; Feld (1, 7): Marke fehlt; "
                                      "Tumbo steht auf (1, 4), Ziel (1, 7)"}));
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
       "Abgebrochen nach 1000 Schritten in Zeile 2 \x96 l\xE4uft das Programm endlos?"},
      {3, "Programm\r\nLinksDrehen\r\nSchritt\r\nLinksDrehen\r\n*Programm",
       "Abgebrochen nach 3 Schritten in Zeile 3 \x96 l\xE4uft das Programm endlos?"},
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
                                      "  Verdeckte Welt 2: Marken stimmen nicht; Tumbo steht nicht am Ziel"}));
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
       "Das Wort \x84Schritt\x93 ist in dieser Aufgabe verboten; Das Wort \x84wiederhole\x93 fehlt"},
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
            "\"a;b.tdp\";2;nicht gel\xC3\xB6st;\"Feld (1, 4): Marke zu viel; Feld (1, 7): Marke fehlt; Tumbo steht "
            "auf (1, 4), Ziel (1, 7)\"\r\n");
}

// A task of one world: start and goal as rows, the robot starting at (0, 0) facing south.
struct TWorldCase {
  const char* Program;  // the lines between "Programm" and "*Programm"
  std::vector<std::string> Start;
  std::vector<std::string> Goal;
  int32_t GoalX, GoalY;
  uint8_t GoalHeading;
  const char* Reason;
};

TLoadedTask OneWorldTask(const TWorldCase& c) {
  TLoadedTask task;
  TTaskWorld w;
  TRaum room;
  FillRows(room, c.Start);
  w.StartBytes = WriteWorldText(room, 0, 0, 0);
  w.StartFile = "start.tdw";
  EXPECT_TRUE(ReadWorldText(w.StartBytes, w.StartFile, w.Start).Ok());
  FillRows(room, c.Goal);
  EXPECT_TRUE(ReadWorldText(WriteWorldText(room, c.GoalX, c.GoalY, c.GoalHeading), "ziel.tdw", w.Goal).Ok());
  task.Worlds.push_back(std::move(w));
  return task;
}

TEST(GraderReasons, NameWhatTheProgramLeftAndWhatTheGoalWants) {
  const TWorldCase cases[] = {
      {"Hinlegen", {"...", "...", "..."}, {"...", "1..", "..."}, 0, 0, 0, ""},
      {"Hinlegen(2)", {"...", "...", "..."}, {"...", "3..", "..."}, 0, 0, 0,
       "Feld (1, 2): 2 Ziegel, Ziel 3"},
      {"Aufheben", {"...", "2..", "..."}, {"...", "2..", "..."}, 0, 0, 0, "Feld (1, 2): 1 Ziegel, Ziel 2"},
      {"LinksDrehen", {"...", "...", "..."}, {".m.", "...", "..."}, 0, 0, 3,
       "Feld (2, 1): Marke fehlt"},
      {"MarkeSetzen\r\nSchritt", {"...", "...", "..."}, {"...", "...", "..."}, 0, 1, 0,
       "Feld (1, 1): Marke zu viel"},
      {"Schritt", {"...", "...", "..."}, {"...", "...", "..."}, 2, 2, 0, "Tumbo steht auf (1, 2), Ziel (3, 3)"},
      {"RechtsDrehen", {"...", "...", "..."}, {"...", "...", "..."}, 0, 0, 3,
       "Tumbo schaut nach Westen, Ziel Osten"},
      {"Schritt\r\nLinksDrehen", {"m..", "...", "..."}, {"...", "...", "..."}, 0, 0, 0,
       "Feld (1, 1): Marke zu viel; Tumbo steht auf (1, 2), Ziel (1, 1); Tumbo schaut nach Osten, Ziel S\xFC" "den"},
  };
  for (const TWorldCase& c : cases) {
    const TLoadedTask task = OneWorldTask(c);
    const std::string program = std::string("Programm\r\n") + c.Program + "\r\n*Programm";
    const TProgramGrade g = GradeProgramText(task, program, "", "p.tdp");
    ASSERT_EQ(g.Worlds.size(), 1u);
    EXPECT_EQ(g.Worlds[0].Reason, c.Reason) << c.Program;
    EXPECT_EQ(g.Worlds[0].Solved, *c.Reason == 0) << c.Program;
    EXPECT_EQ(GradeWorld(task, 0, program, "").Reason, c.Reason) << c.Program;
  }
}

TEST_F(Grader, OneWorldAloneGradesAsWithTheOthers) {
  const std::string program = "Programm\r\nSchritt(3)\r\nMarkeSetzen\r\n*Programm";
  const TProgramGrade all = Grade(program);
  for (size_t i = 0; i < 2; ++i) {
    const TWorldGrade one = GradeWorld(task_, i, program, "");
    EXPECT_EQ(one.Solved, all.Worlds[i].Solved);
    EXPECT_EQ(one.Reason, all.Worlds[i].Reason);
    EXPECT_EQ(one.FinalWorld, all.Worlds[i].FinalWorld);
    EXPECT_FALSE(one.Cancelled);
  }
  EXPECT_EQ(GradeWorld(task_, 1, "Programm\r\nSchrit\r\n*Programm", "").Reason,
            "[Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!");
  EXPECT_EQ(CompilerMessage("Programm\r\nSchrit\r\n*Programm", ""),
            "[Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!");
  EXPECT_EQ(CompilerMessage(program, ""), "");
}

TEST_F(Grader, ACancelledRunStopsAndIsNotJudged) {
  task_.Task.MaxSteps = 1000000000000;
  std::atomic<bool> cancel{false};
  std::jthread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    cancel = true;
  });
  const TWorldGrade g =
      GradeWorld(task_, 0, "Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm", "", &cancel);
  EXPECT_TRUE(g.Cancelled);
  EXPECT_FALSE(g.Solved);
}

TEST_F(Grader, OneWorldIsSingular) {
  task_.Worlds.resize(1);
  EXPECT_EQ(GradeTextLines(Grade("Programm\r\nSchritt\r\n*Programm"))[0], "p.tdp: 0 von 1 Welt gel\xF6st");
  EXPECT_EQ(WorldCount(1), "1 Welt");
  EXPECT_EQ(WorldCount(4), "4 Welten");
}

}  // namespace
