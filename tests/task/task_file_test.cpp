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
  task.Worlds = {{"a.tdw", "a-ziel.tdw"}, {"b.tdw", "b-ziel.tdw"}};
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
  const char* Problem;
};

class DamagedTaskFile : public testing::TestWithParam<TDamagedCase> {};

TEST_P(DamagedTaskFile, IsRefusedWithTheProblemNamed) {
  TTask task;
  task.Title = "unchanged";
  const TTaskResult r = ParseTask(GetParam().Text, "/x/kaputt.tda", task);
  EXPECT_EQ(r.Message, std::string("Die Aufgabendatei \"/x/kaputt.tda\" ist besch\xE4" "digt: ") +
                           GetParam().Problem + ".");
  EXPECT_EQ(task.Title, "unchanged");
}

INSTANTIATE_TEST_SUITE_P(
    TaskFile, DamagedTaskFile,
    testing::Values(
        TDamagedCase{"", "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt"},
        TDamagedCase{"TumboVersion2Deutsch 1 1 0 0 0 0 o ",
                     "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n", "sie nennt keine Welt ([Welt1] fehlt)"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStart=a\nZiel=b\n[Welt3]\nStart=a\nZiel=b\n",
                     "[Welt3] folgt ohne [Welt2]"},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nZiel=b\n", "in [Welt1] fehlt Start="},
        TDamagedCase{"[Aufgabe]\nTitel=T\n[Welt1]\nStart=a\nZiel=\n", "in [Welt1] fehlt Ziel="},
        TDamagedCase{"[Aufgabe]\nTitel=T\nPruefen=Ziegel,Farbe\n[Welt1]\nStart=a\nZiel=b\n",
                     "unbekanntes Pr\xFC" "fkriterium \"Farbe\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nPruefen=\n[Welt1]\nStart=a\nZiel=b\n",
                     "Pr\xFC" "fen= nennt kein Kriterium"},
        TDamagedCase{"[Aufgabe]\nTitel=T\nKeineHinweise=vielleicht\n[Welt1]\nStart=a\nZiel=b\n",
                     "KeineHinweise= erwartet ja oder nein, nicht \"vielleicht\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nMaxSchritte=0\n[Welt1]\nStart=a\nZiel=b\n",
                     "MaxSchritte= erwartet eine Zahl ab 1, nicht \"0\""},
        TDamagedCase{"[Aufgabe]\nTitel=T\nMaxSchritte=99999999999999999999\n[Welt1]\nStart=a\nZiel=b\n",
                     "MaxSchritte= erwartet eine Zahl ab 1, nicht \"99999999999999999999\""}));

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

TEST_F(TaskFolder, SavedTaskLoadsAgain) {
  Write("a.tdw", World(2, 2, 1));
  TTask task;
  task.Title = "Neu";
  task.Worlds = {{"a.tdw", "a.tdw"}};
  const std::string path = (dir_ / "neu.tda").string();
  ASSERT_TRUE(SaveTask(path, task).Ok());
  TLoadedTask loaded;
  ASSERT_TRUE(LoadTask(path, loaded).Ok());
  EXPECT_EQ(loaded.Task.Title, "Neu");
  EXPECT_FALSE(SaveTask((dir_ / "gibt-es-nicht" / "x.tda").string(), task).Ok());
}

}  // namespace
