// Reading and writing task files, and loading a task with its worlds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "task/task_file.h"
#include "world/world_file.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

TEST(TaskFile, ReadsEveryKey) {
  TTask task;
  const TTaskResult r = ParseTask(
      "[Aufgabe]\r\nTitel=Treppe bauen\r\nText=Erste Zeile.|Zweite Zeile.\r\n"
      "Pr\xFC" "fen=Ziegel, position\r\nKeineHinweise=ja\r\nMaxSchritte=500\r\n"
      "[Welt1]\r\nStart=a.tdw\r\nZiel=a-ziel.tdw\r\n[Welt2]\r\nStart=b.tdw\r\nZiel=b-ziel.tdw\r\n",
      "t.tda", task);
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(task.Title, "Treppe bauen");
  EXPECT_EQ(task.Text, "Erste Zeile.\nZweite Zeile.");
  EXPECT_EQ(task.Criteria, unsigned(kCheckBricks | kCheckPosition));
  EXPECT_TRUE(task.NoNotes);
  EXPECT_EQ(task.MaxSteps, 500);
  ASSERT_EQ(task.Worlds.size(), 2u);
  EXPECT_EQ(task.Worlds[1].Start, "b.tdw");
  EXPECT_EQ(task.Worlds[1].Goal, "b-ziel.tdw");
}

TEST(TaskFile, DefaultsCheckEverythingWithoutNoteRule) {
  TTask task;
  ASSERT_TRUE(ParseTask("[Aufgabe]\nTitel=T\n[Welt1]\nStart=a.tdw\nZiel=b.tdw\n", "t.tda", task).Ok());
  EXPECT_EQ(task.Criteria, unsigned(kCheckAll));
  EXPECT_FALSE(task.NoNotes);
  EXPECT_EQ(task.MaxSteps, kDefaultMaxSteps);
}

TEST(TaskFile, ReadsUtf8AndTheSpellingPruefen) {
  TTask task;
  ASSERT_TRUE(ParseTask("[Aufgabe]\nTitel=T\xC3\xBCr \xC3\xB6" "ffnen\nPruefen=Richtung\n"
                        "[Welt1]\nStart=a.tdw\nZiel=b.tdw\n", "t.tda", task).Ok());
  EXPECT_EQ(task.Title, "T\xFCr \xF6" "ffnen");
  EXPECT_EQ(task.Criteria, unsigned(kCheckHeading));
  EXPECT_EQ(task.Format.Encoding, tumbo::text::TextEncoding::Utf8);
}

TEST(TaskFile, ReadsAnyLineBreakStyleAndWritesItBack) {
  const std::string oldMac = "[Aufgabe]\rTitel=T\r[Welt1]\rStart=a.tdw\rZiel=b.tdw\r";
  TTask task;
  ASSERT_TRUE(ParseTask(oldMac, "t.tda", task).Ok());
  ASSERT_EQ(task.Worlds.size(), 1u);
  EXPECT_EQ(task.Worlds[0].Goal, "b.tdw");
  const std::string written = WriteTaskText(task);
  EXPECT_EQ(written.find('\n'), std::string::npos);
  TTask back;
  ASSERT_TRUE(ParseTask(written, "t.tda", back).Ok());
  EXPECT_EQ(back.Worlds.size(), 1u);
}

TEST(TaskFile, WrittenTaskReadsBackTheSame) {
  TTask task;
  task.Title = "M\xFC" "ll sammeln";
  task.Text = "Zeile 1\nZeile 2";
  task.Criteria = kCheckMarks | kCheckHeading;
  task.NoNotes = true;
  task.MaxSteps = 1234;
  task.Worlds = {{"a.tdw", "a-ziel.tdw", "", "", false}, {"b.tdw", "b-ziel.tdw", "", "", false}};
  const std::string bytes = WriteTaskText(task);
  EXPECT_NE(bytes.find("Pr\xFC" "fen=Marken,Richtung\r\n"), std::string::npos);
  TTask back;
  ASSERT_TRUE(ParseTask(bytes, "t.tda", back).Ok());
  EXPECT_EQ(back.Title, task.Title);
  EXPECT_EQ(back.Text, task.Text);
  EXPECT_EQ(back.Criteria, task.Criteria);
  EXPECT_EQ(back.NoNotes, task.NoNotes);
  EXPECT_EQ(back.MaxSteps, task.MaxSteps);
  ASSERT_EQ(back.Worlds.size(), 2u);
  EXPECT_EQ(back.Worlds[1].Goal, "b-ziel.tdw");
}

struct TDamagedCase {
  const char* Text;
  int Line;  // 0: the message names no line
  const char* Problem;
};

class DamagedTaskFile : public testing::TestWithParam<TDamagedCase> {};

TEST_P(DamagedTaskFile, IsRefusedWithTheProblemAndItsLineNamed) {
  TTask task;
  task.Title = "unchanged";
  const TTaskResult r = ParseTask(GetParam().Text, "/x/kaputt.tda", task);
  const std::string line = GetParam().Line ? " (Zeile " + std::to_string(GetParam().Line) + ")" : "";
  EXPECT_EQ(r.Message, "Die Aufgabendatei \"/x/kaputt.tda\" ist besch\xE4" "digt" + line + ": " +
                           GetParam().Problem + ".");
  EXPECT_EQ(task.Title, "unchanged");
}

#define WORLD1 "[Welt1]\nStart=a\nZiel=b\n"
#define LINE "TumboVersion2Deutsch 2 1 1 0 0 0 n o n o"

INSTANTIATE_TEST_SUITE_P(
    TaskFile, DamagedTaskFile,
    testing::Values(
        TDamagedCase{"", 0, "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt"},
        TDamagedCase{"TumboVersion2Deutsch 1 1 0 0 0 0 o ", 0,
                     "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n", 0, "sie nennt keine Welt ([Welt1] fehlt)"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n" WORLD1 "[Welt3]\nStart=a\nZiel=b\n", 6,
                     "[Welt3] folgt ohne [Welt2]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nZiel=b\n", 3, "in [Welt1] fehlt Start="},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStart=a\nZiel=\n", 5, "in [Welt1] fehlt Ziel="},
        TDamagedCase{"[Aufgabe]\nTitel=T\nPruefen=Ziegel,Farbe\n" WORLD1, 3,
                     "unbekanntes Pr\xFC" "fkriterium \"Farbe\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nPruefen=\n" WORLD1, 3, "Pr\xFC" "fen= nennt kein Kriterium"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nKeineHinweise=vielleicht\n" WORLD1, 3,
                     "KeineHinweise= erwartet ja oder nein, nicht \"vielleicht\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nMaxSchritte=0\n" WORLD1, 3,
                     "MaxSchritte= erwartet eine Zahl ab 1, nicht \"0\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nMaxSchritte=99999999999999999999\n" WORLD1, 3,
                     "MaxSchritte= erwartet eine Zahl ab 1, nicht \"99999999999999999999\""},
        // A typo, a key given twice (also in its other spelling), a line that is no entry.
        TDamagedCase{"[Aufgabe]\nTitel=T\nMaxSchrite=50\n" WORLD1, 3,
                     "unbekannter Eintrag \"MaxSchrite\" in [Aufgabe]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStart=a\nZeil=b\n", 5,
                     "unbekannter Eintrag \"Zeil\" in [Welt1]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nText=x\ntitel=U\n" WORLD1, 4,
                     "titel= steht zweimal in [Aufgabe] (schon in Zeile 2)"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nPr\xFC" "fen=Ziegel\nPruefen=Marken\n" WORLD1, 4,
                     "Pruefen= steht zweimal in [Aufgabe] (schon in Zeile 3)"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nSprunghoehe=2\nSprungh\xF6he=3\n" WORLD1, 4,
                     "Sprungh\xF6he= steht zweimal in [Aufgabe] (schon in Zeile 3)"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n" WORLD1 "[welt1]\nStart=a\nZiel=b\n", 6,
                     "der Abschnitt [welt1] steht schon in Zeile 3"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Extra]\n" WORLD1, 3, "unbekannter Abschnitt [Extra]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt01]\nStart=a\nZiel=b\n", 3, "unbekannter Abschnitt [Welt01]"},
        TDamagedCase{"Titel=X\n[Aufgabe]\nTitel=T\n" WORLD1, 1, "Titel= steht vor dem ersten [Abschnitt]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nKeineHinweise ja\n" WORLD1, 3,
                     "\"KeineHinweise ja\" ist weder [Abschnitt] noch Name=Wert"},
        // The robot's settings within the ranges of the settings dialog.
        TDamagedCase{"[Aufgabe]\nTitel=T\nSprunghoehe=0\n" WORLD1, 3,
                     "Sprunghoehe= erwartet eine Zahl von 1 bis 10, nicht \"0\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nSprunghoehe=11\n" WORLD1, 3,
                     "Sprunghoehe= erwartet eine Zahl von 1 bis 10, nicht \"11\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nZiegel=5\n" WORLD1, 3,
                     "Ziegel= erwartet zwei Zahlen: Ziegel beim Start (0 bis 999) und h\xF6" "chstens (1 bis 999), nicht \"5\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nZiegel=1000 5\n" WORLD1, 3,
                     "Ziegel= erwartet zwei Zahlen: Ziegel beim Start (0 bis 999) und h\xF6" "chstens (1 bis 999), nicht \"1000 5\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nZiegel=3 0\n" WORLD1, 3,
                     "Ziegel= erwartet zwei Zahlen: Ziegel beim Start (0 bis 999) und h\xF6" "chstens (1 bis 999), nicht \"3 0\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nZiegel=3 4 5\n" WORLD1, 3,
                     "Ziegel= erwartet zwei Zahlen: Ziegel beim Start (0 bis 999) und h\xF6" "chstens (1 bis 999), nicht \"3 4 5\""},
        // Hints, the model solution, words of the language.
        TDamagedCase{"[Aufgabe]\nTitel=T\nTipp2=x\n" WORLD1, 3, "Tipp2= folgt ohne Tipp1="},
        TDamagedCase{"[Aufgabe]\nTitel=T\nTipp6=x\n" WORLD1, 3, "unbekannter Eintrag \"Tipp6\" in [Aufgabe]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nMusterloesung=\n" WORLD1, 3, "Musterloesung= nennt keine Datei"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nGefordert=solange, solang\n" WORLD1, 3,
                     "\"solang\" in Gefordert= ist kein Wort der Sprache"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nVerboten=Laufe\n" WORLD1, 3,
                     "\"Laufe\" in Verboten= ist kein Wort der Sprache"},
        // Worlds given in the task file, hidden worlds.
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStart=a\nStartWelt=" LINE "\nZiel=b\n", 5,
                     "Start= und StartWelt= schlie\xDF" "en sich aus"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStartWelt=" LINE "\nZielWelt=TumboVersion2Deutsch 2 1\n", 5,
                     "ZielWelt= enth\xE4lt keine g\xFCltige Welt"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n" WORLD1 "Verdeckt=vielleicht\n", 6,
                     "Verdeckt= erwartet ja oder nein, nicht \"vielleicht\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\n" WORLD1 "Verdeckt=ja\n", 0,
                     "alle Welten sind verdeckt, eine muss sichtbar sein"}));

TEST(TaskFile, ReadsTheRobotSettingsHintsModelSolutionAndWords) {
  TTask task;
  const TTaskResult r = ParseTask(
      "[Aufgabe]\nTitel=T\nSprungh\xF6he=3\nZiegel= 2  5 \nTipp1=Frag mit IstWand.\nTipp2=Zeile 1|Zeile 2\n"
      "Musterloesung=t-loesung.tdp\nGefordert=SOLANGE, istwand\nVerboten=wiederhole\n"
      WORLD1 "[Welt2]\nStartWelt=" LINE "\nZielWelt=" LINE "\nVerdeckt=ja\n",
      "t.tda", task);
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(task.MaxJump, 3);
  EXPECT_TRUE(task.Bricks);
  EXPECT_EQ(task.BrickStart, 2);
  EXPECT_EQ(task.MaxBrick, 5);
  EXPECT_EQ(task.Hints, (std::vector<std::string>{"Frag mit IstWand.", "Zeile 1\nZeile 2"}));
  EXPECT_EQ(task.ModelSolution, "t-loesung.tdp");
  EXPECT_EQ(task.Required, (std::vector<std::string>{"solange", "IstWand"}));
  EXPECT_EQ(task.Forbidden, (std::vector<std::string>{"wiederhole"}));
  ASSERT_EQ(task.Worlds.size(), 2u);
  EXPECT_FALSE(task.Worlds[0].Hidden);
  EXPECT_TRUE(task.Worlds[1].Hidden);
  EXPECT_EQ(task.Worlds[1].StartWorld, LINE);
  EXPECT_TRUE(task.Worlds[1].Start.empty());
}

TEST(TaskFile, WithoutRobotKeysTheTaskJumpsOneBrickAndCountsNoBricks) {
  TTask task;
  ASSERT_TRUE(ParseTask("[Aufgabe]\nTitel=T\n" WORLD1, "t.tda", task).Ok());
  EXPECT_EQ(task.MaxJump, 1);
  EXPECT_FALSE(task.Bricks);
  EXPECT_TRUE(task.Hints.empty());
  EXPECT_TRUE(task.ModelSolution.empty());
}

TEST(TaskFile, EveryNewKeyIsWrittenAndReadBack) {
  TTask task;
  task.Title = "T";
  task.MaxJump = 4;
  task.Bricks = true;
  task.BrickStart = 0;
  task.MaxBrick = 7;
  task.Hints = {"Erst links.", "Dann\nrechts."};
  task.ModelSolution = "t-loesung.tdp";
  task.Required = {"solange"};
  task.Forbidden = {"wiederhole", "Schritt"};
  task.Worlds = {{"a.tdw", "b.tdw", "", "", false}, {"", "", LINE, LINE, true}};
  const std::string bytes = WriteTaskText(task);
  EXPECT_NE(bytes.find("Sprunghoehe=4\r\nZiegel=0 7\r\nTipp1=Erst links.\r\nTipp2=Dann|rechts.\r\n"
                       "Musterloesung=t-loesung.tdp\r\nGefordert=solange\r\nVerboten=wiederhole,Schritt\r\n"),
            std::string::npos)
      << bytes;
  EXPECT_NE(bytes.find("[Welt2]\r\nStartWelt=" LINE "\r\nZielWelt=" LINE "\r\nVerdeckt=ja\r\n"), std::string::npos);
  TTask back;
  ASSERT_TRUE(ParseTask(bytes, "t.tda", back).Ok());
  EXPECT_EQ(back.MaxJump, 4);
  EXPECT_EQ(back.MaxBrick, 7);
  EXPECT_EQ(back.Hints, task.Hints);
  EXPECT_EQ(back.Forbidden, task.Forbidden);
  EXPECT_TRUE(back.Worlds[1].Hidden);
  EXPECT_EQ(back.Worlds[1].GoalWorld, LINE);
}

// A task folder in the temp folder with world files written by the test.
class TaskFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tumbo_task_test_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }
  static std::string World(int32_t w, int32_t l, int32_t h, int32_t x = 0, int32_t y = 0) {
    TRaum room;
    room.Init(w, l, h);
    return WriteWorldText(room, x, y, 0);
  }
  std::string Task(const std::string& start, const std::string& goal) {
    return Write("t.tda", "[Aufgabe]\nTitel=T\n[Welt1]\nStart=" + start + "\nZiel=" + goal + "\n");
  }

  fs::path dir_;
};

TEST_F(TaskFolder, LoadsTheWorldsBesideTheTaskFile) {
  Write("a.tdw", World(4, 3, 2));
  Write("a-ziel.tdw", World(4, 3, 2, 3, 2));
  TLoadedTask task;
  const TTaskResult r = LoadTask(Task("a.tdw", "a-ziel.tdw"), task);
  ASSERT_TRUE(r.Ok()) << r.Message;
  ASSERT_EQ(task.Worlds.size(), 1u);
  EXPECT_EQ(task.Worlds[0].Start.Room.Width(), 4);
  EXPECT_EQ(task.Worlds[0].Goal.X, 3);
  EXPECT_EQ(task.Worlds[0].Goal.Y, 2);
  EXPECT_EQ(task.Worlds[0].StartBytes, World(4, 3, 2));
}

TEST_F(TaskFolder, RefusesMissingDamagedAndMismatchedWorlds) {
  Write("a.tdw", World(4, 3, 2));
  Write("gross.tdw", World(5, 3, 2));
  Write("kaputt.tdw", "TumboVersion2Deutsch 4 3");
  Write("programm.tdw", "Programm *Programm");
  const std::string where = "Aufgabe \"" + (dir_ / "t.tda").string() + "\", Welt 1: ";
  struct {
    const char* Goal;
    std::string Expected;
  } cases[] = {
      {"fehlt.tdw", where + "Die Datei \"" + (dir_ / "fehlt.tdw").string()},
      {"kaputt.tdw", where + "Die Weltdatei \"" + (dir_ / "kaputt.tdw").string() + "\" ist besch\xE4" "digt"},
      {"programm.tdw", where + "Die Datei \"" + (dir_ / "programm.tdw").string() + "\" ist keine Weltdatei."},
      {"gross.tdw", where + "Start- und Zielwelt sind verschieden gro\xDF (4 \xD7 3 \xD7 2 und 5 \xD7 3 \xD7 2)."},
  };
  for (const auto& c : cases) {
    TLoadedTask task;
    task.FileName = "unchanged";
    const TTaskResult r = LoadTask(Task("a.tdw", c.Goal), task);
    EXPECT_EQ(r.Message.substr(0, c.Expected.size()), c.Expected) << c.Goal;
    EXPECT_EQ(task.FileName, "unchanged");
  }
}

TEST_F(TaskFolder, LoadsWorldsGivenInTheTaskFileAndFindsTheModelSolution) {
  Write("t-loesung.tdp", "Programm\r\n*Programm\r\n");
  const std::string path = Write("t.tda", "[Aufgabe]\nTitel=T\nMusterloesung=t-loesung.tdp\n[Welt1]\nStartWelt=" +
                                              World(4, 3, 2) + "\nZielWelt=" + World(4, 3, 2, 1, 1) + "\n");
  TLoadedTask task;
  const TTaskResult r = LoadTask(path, task);
  ASSERT_TRUE(r.Ok()) << r.Message;
  ASSERT_EQ(task.Worlds.size(), 1u);
  EXPECT_EQ(task.Worlds[0].Start.Room.Length(), 3);
  EXPECT_EQ(task.Worlds[0].Goal.X, 1);
  EXPECT_EQ(task.Worlds[0].StartFile, path);
  EXPECT_EQ(task.ModelSolutionFile, (dir_ / "t-loesung.tdp").string());
}

TEST_F(TaskFolder, RefusesAModelSolutionThatIsNotThereNamingItsLine) {
  Write("a.tdw", World(4, 3, 2));
  const std::string path = Write("t.tda", "[Aufgabe]\nTitel=T\n\nMusterloesung=fehlt.tdp\n[Welt1]\nStart=a.tdw\nZiel=a.tdw\n");
  TLoadedTask task;
  EXPECT_EQ(LoadTask(path, task).Message,
            "Die Aufgabendatei \"" + path + "\" ist besch\xE4" "digt (Zeile 4): die Musterl\xF6sung \"fehlt.tdp\" gibt es nicht.");
}

TEST_F(TaskFolder, SavedTaskLoadsAgain) {
  Write("a.tdw", World(2, 2, 1));
  TTask task;
  task.Title = "Neu";
  task.Worlds = {{"a.tdw", "a.tdw", "", "", false}};
  const std::string path = (dir_ / "neu.tda").string();
  ASSERT_TRUE(SaveTask(path, task).Ok());
  TLoadedTask loaded;
  ASSERT_TRUE(LoadTask(path, loaded).Ok());
  EXPECT_EQ(loaded.Task.Title, "Neu");
  EXPECT_FALSE(SaveTask((dir_ / "gibt-es-nicht" / "x.tda").string(), task).Ok());
}

}  // namespace
