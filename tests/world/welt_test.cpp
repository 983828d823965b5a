#include "world/welt.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/cp1252.h"

namespace fs = std::filesystem;

namespace {

// Records the calls the world makes and clears the flags as a real view does.
class RecordingView : public TWeltView {
public:
  explicit RecordingView(TRaum& room) : room_(room) {}
  void GeometryChanged() override { calls += "G"; }
  void UpdateView() override {
    calls += "U";
    changed = room_.DirtyCells();
    room_.ClearDirty();
  }
  void RedrawAll() override {
    calls += "R";
    room_.ClearDirty();
  }
  std::string calls;
  std::vector<TZellPos> changed;

private:
  TRaum& room_;
};

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(Welt, StartWorld) {
  TWelt w;
  EXPECT_EQ(w.Room.Width(), 5);
  EXPECT_EQ(w.Room.Length(), 10);
  EXPECT_EQ(w.Room.MaxHeight(), 6);
  EXPECT_EQ(w.Robot.X, 0);
  EXPECT_EQ(w.Robot.Y, 0);
  EXPECT_EQ(w.Robot.Heading, kSueden);
  EXPECT_EQ(&w.Robot.Room, &w.Room);
  EXPECT_EQ(w.Robot.BackColor, 0xFFFFFFu);
  EXPECT_EQ(w.Robot.MaxJump, 1);
  EXPECT_EQ(w.Robot.MaxBrick, 0);
  EXPECT_EQ(w.Robot.BrickStart, 999);
  EXPECT_FALSE(w.Robot.CheckBrick);
}

TEST(Welt, WithoutAViewEverythingWorks) {
  TWelt w;
  w.Robot.Schritt(2);
  w.UpdateView();
  w.RedrawAll();
  w.NewWorld(3, 3, 3);
  w.Clear();
  EXPECT_EQ(w.View(), nullptr);
  EXPECT_EQ(w.Room.Width(), 3);
}

TEST(Welt, TellsTheViewWhatToRepaint) {
  TWelt w;
  RecordingView view(w.Room);
  w.SetView(&view);
  w.Room.ClearDirty();

  w.Robot.Schritt(1);
  w.UpdateView();
  EXPECT_EQ(view.calls, "U");
  EXPECT_EQ(view.changed, (std::vector<TZellPos>{{0, 0}, {0, 1}}));

  w.Clear();
  EXPECT_EQ(view.calls, "UR");
  w.NewWorld(7, 8, 9);
  EXPECT_EQ(view.calls, "URGR");
  ASSERT_TRUE(w.LoadFromText("TumboVersion2Deutsch 1 1 0 0 0 0 o ", "a.tdw").Ok());
  EXPECT_EQ(view.calls, "URGRGR");
  w.LoadFromText("kaputt", "a.tdw");
  w.LoadFromText("TumboVersion2Deutsch 1", "a.tdw");
  EXPECT_EQ(view.calls, "URGRGR");  // a refused file does not touch the view
}

TEST(Welt, ClearAndNewWorldPutTheRobotHomeAndKeepItsSettings) {
  TWelt w;
  w.Robot.X = 3;
  w.Robot.Y = 4;
  w.Robot.Heading = kOsten;
  w.Robot.CheckBrick = true;
  w.Robot.Carried = 3;
  w.Room.AddItem(1, 1, kZiegel);
  w.Room.SetMark(2, 2);
  w.Clear();
  EXPECT_EQ(w.Room.Width(), 5);
  EXPECT_EQ(w.Room.Length(), 10);
  EXPECT_EQ(w.Room.Cell(1, 1).Height, 0);
  EXPECT_FALSE(w.Room.HasMark(2, 2));
  EXPECT_EQ(w.Robot.X, 0);
  EXPECT_EQ(w.Robot.Y, 0);
  EXPECT_EQ(w.Robot.HeadingLetter(), 'S');
  EXPECT_EQ(w.Robot.Carried, 3);

  struct Case {
    int32_t w, l, h, ew, el, eh;
  };
  const Case cases[] = {{10, 10, 10, 10, 10, 10}, {0, 0, 0, 1, 1, 0},
                        {100, 100, 40, 100, 100, 31}, {500, -2, -1, 100, 1, 0}};
  for (const Case& c : cases) {
    w.Robot.X = 0;
    w.Robot.Heading = kWesten;
    w.NewWorld(c.w, c.l, c.h);
    EXPECT_EQ(w.Room.Width(), c.ew);
    EXPECT_EQ(w.Room.Length(), c.el);
    EXPECT_EQ(w.Room.MaxHeight(), c.eh);
    EXPECT_EQ(w.Robot.Heading, kSueden);
    EXPECT_TRUE(w.Robot.CheckBrick);
  }
}

TEST(Welt, EditingCells) {
  TWelt w(3, 3, 2);
  RecordingView view(w.Room);
  w.SetView(&view);
  w.EditAddCell(0, 0, TWeltTool::Brick);  // under the robot: refused
  w.EditAddCell(0, 0, TWeltTool::Cuboid);
  EXPECT_EQ(w.Room.Cell(0, 0).Height, 0);
  w.EditAddCell(0, 0, TWeltTool::Mark);  // marks may lie under the robot
  EXPECT_TRUE(w.Room.HasMark(0, 0));
  w.EditAddCell(1, 1, TWeltTool::Brick);
  w.EditAddCell(1, 1, TWeltTool::Brick);
  w.EditAddCell(1, 1, TWeltTool::Brick);  // MaxHeight 2
  EXPECT_EQ(w.Room.BrickCount(1, 1), 2);
  w.EditAddCell(2, 2, TWeltTool::Cuboid);
  w.EditAddCell(1, 1, TWeltTool::Robot);  // stack of 2 > MaxJump 1
  EXPECT_EQ(w.Robot.X, 0);
  w.Robot.MaxJump = 2;
  w.EditAddCell(1, 1, TWeltTool::Robot);
  EXPECT_EQ(w.Robot.X, 1);
  EXPECT_EQ(w.Robot.Y, 1);
  w.EditRemoveCell(2, 2, TWeltTool::Brick);  // the brick tool takes a cuboid too
  EXPECT_EQ(w.Room.Cell(2, 2).Height, 0);
  w.EditRemoveCell(1, 1, TWeltTool::Cuboid);  // and the cuboid tool a brick
  EXPECT_EQ(w.Room.BrickCount(1, 1), 1);
  w.EditRemoveCell(0, 0, TWeltTool::Mark);
  EXPECT_FALSE(w.Room.HasMark(0, 0));
  const std::string before = w.SaveToText();
  const size_t updates = view.calls.size();
  w.EditAddCell(3, 0, TWeltTool::Brick);  // outside: nothing at all
  w.EditRemoveCell(0, -1, TWeltTool::Mark);
  EXPECT_EQ(w.SaveToText(), before);
  EXPECT_EQ(view.calls.size(), updates);
  EXPECT_EQ(view.calls, std::string(updates, 'U'));
}

class WeltFiles : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tumbo_welt_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(WeltFiles, SaveAndLoadThroughTheDisk) {
  TWelt w(4, 3, 2);
  w.Room.AddItem(1, 2, kQuader);
  w.Robot.Y = 2;
  w.Robot.Heading = kOsten;
  const fs::path file = dir_ / "Übung 1.tdw";
  const auto saved = w.SaveToFile(file.string());
  ASSERT_TRUE(saved.Ok()) << saved.Message;
  EXPECT_EQ(Read(file), w.SaveToText());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  TWelt back;
  const auto loaded = back.LoadFromFile(file.string());
  ASSERT_TRUE(loaded.Ok()) << loaded.Message;
  EXPECT_EQ(back.SaveToText(), w.SaveToText());
  EXPECT_TRUE(back.Robot.IstWand());  // the cuboid ahead
}

TEST_F(WeltFiles, OnlyTheFirstLineIsRead) {
  const fs::path file = dir_ / "lang.tdw";
  {
    std::ofstream out(file, std::ios::binary);
    out << "TumboVersion2Deutsch 1 2 0 0 1 2 m o \r\n" << std::string(1 << 20, 'z');
  }
  TWelt w;
  const auto r = w.LoadFromFile(file.string());
  ASSERT_TRUE(r.Ok()) << r.Message;
  EXPECT_EQ(w.SaveToText(), "TumboVersion2Deutsch 1 2 0 0 1 2 m o ");
}

TEST_F(WeltFiles, UnreadableAndUnwritableFilesReportTheirName) {
  TWelt w;
  const std::string before = w.SaveToText();
  const auto r = w.LoadFromFile((dir_ / "fehlt.tdw").string());
  EXPECT_EQ(r.Status, TWorldFileStatus::IoError);
  EXPECT_NE(r.Message.find("fehlt.tdw"), std::string::npos) << r.Message;
  EXPECT_EQ(w.SaveToText(), before);

  const auto s = w.SaveToFile((dir_ / "nein" / "welt.tdw").string());
  EXPECT_EQ(s.Status, TWorldFileStatus::IoError);
  EXPECT_NE(s.Message.find("welt.tdw"), std::string::npos) << s.Message;
}

TEST_F(WeltFiles, ASampleWorldFromTheDataFolderLoads) {
  const fs::path samples = fs::path(TUMBO_DATA_DIR) / "beispiele";
  if (!fs::exists(samples)) GTEST_SKIP() << "no sample folder";
  int count = 0;
  for (const auto& e : fs::directory_iterator(samples)) {
    if (e.path().extension() != ".tdw") continue;
    TWelt w;
    const auto r = w.LoadFromFile(e.path().string());
    EXPECT_TRUE(r.Ok()) << tumbo::text::Cp1252ToUtf8(r.Message);
    ++count;
  }
  if (count == 0) GTEST_SKIP() << "no sample worlds";
}
