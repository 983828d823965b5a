// A pupil's progress in a course: states, checks, hints, and the private file it is kept in.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/write_faults.h"
#include "task/progress.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

class Progress : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tumbo_progress_test_" + std::to_string(getpid()));
    fs::create_directories(root_);
    folder_ = (root_ / "Tumbo" / "Kleiner Kurs").string();
  }
  void TearDown() override { fs::remove_all(root_); }
  static unsigned Mode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
  }
  fs::path root_;
  std::string folder_;
};

TEST_F(Progress, ATaskGoesFromNotBegunToBegunToSolvedAndKeepsItsFirstSuccess) {
  TProgress p;
  std::string error;
  ASSERT_TRUE(p.Load(folder_, error)) << error;  // no file yet: nothing begun
  EXPECT_EQ(p.Get("vor").State, TTaskState::NotBegun);
  p.Begin("vor");
  EXPECT_EQ(p.Get("vor").State, TTaskState::Begun);
  p.RecordCheck("vor", false, "2026-12-10");
  p.RecordHint("vor");
  p.RecordCheck("vor", true, "2026-12-11");
  p.RecordCheck("vor", false, "2026-12-12");  // a later failure keeps the task solved
  p.Begin("vor");
  const TTaskProgress t = p.Get("vor");
  EXPECT_EQ(t.State, TTaskState::Solved);
  EXPECT_EQ(t.Attempts, 3);
  EXPECT_EQ(t.SolvedOn, "2026-12-11");
  EXPECT_EQ(t.HintsShown, 1);
  p.RecordHint("hoch");  // a hint begins a task too
  EXPECT_EQ(p.Get("hoch").State, TTaskState::Begun);
}

TEST_F(Progress, IsSavedInAPrivateFileInAPrivateFolderAndReadBack) {
  TProgress p;
  std::string error;
  ASSERT_TRUE(p.Load(folder_, error));
  p.RecordCheck("bis-wand", true, "2026-12-11");
  ASSERT_TRUE(p.Save(error)) << error;
  const std::string file = folder_ + "/fortschritt.ini";
  EXPECT_EQ(Mode(folder_), 0700u);
  EXPECT_EQ(Mode(file), 0600u);
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[bis-wand]\r\nZustand=geloest\r\nVersuche=1\r\nGeloestAm=2026-12-11\r\nTipps=0\r\n");
  TProgress again;
  ASSERT_TRUE(again.Load(folder_, error));
  EXPECT_EQ(again.Get("bis-wand").SolvedOn, "2026-12-11");
  EXPECT_EQ(again.Get("bis-wand").State, TTaskState::Solved);
}

TEST_F(Progress, DamagedValuesReadAsNothingDone) {
  fs::create_directories(folder_);
  std::ofstream(folder_ + "/fortschritt.ini") << "[vor]\nZustand=fertig\nVersuche=-3\nTipps=viele\n";
  TProgress p;
  std::string error;
  ASSERT_TRUE(p.Load(folder_, error));
  const TTaskProgress t = p.Get("vor");
  EXPECT_EQ(t.State, TTaskState::NotBegun);
  EXPECT_EQ(t.Attempts, 0);
  EXPECT_EQ(t.HintsShown, 0);
}

TEST_F(Progress, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  TProgress p;
  std::string error;
  ASSERT_TRUE(p.Load(folder_, error));
  p.Begin("vor");
  ASSERT_TRUE(p.Save(error));
  p.RecordCheck("vor", true, "2026-12-11");
  for (const tumbo::testing::WriteFault& fault : tumbo::testing::WriteFaults()) {
    {
      const tumbo::testing::ScopedWriteFault scoped(fault);
      error.clear();
      EXPECT_FALSE(p.Save(error)) << fault.Name;
    }
    EXPECT_NE(error.find("fortschritt.ini"), std::string::npos) << fault.Name;
    TProgress old;
    ASSERT_TRUE(old.Load(folder_, error));
    EXPECT_EQ(old.Get("vor").State, TTaskState::Begun) << fault.Name;
  }
}

TEST(PupilFolder, IsNamedAfterTheCourseWithoutCharactersAFileNameCannotHold) {
  EXPECT_EQ(DefaultPupilFolder("/home/ida", "Tumbo lernt laufen"), "/home/ida/Tumbo/Tumbo lernt laufen");
  EXPECT_EQ(DefaultPupilFolder("/home/ida", "../A/B"), "/home/ida/Tumbo/-A-B");
  EXPECT_EQ(DefaultPupilFolder("/home/ida", "Gr\xFC" "n"), "/home/ida/Tumbo/Gr\xC3\xBCn");
  EXPECT_EQ(DefaultPupilFolder("/home/ida", ""), "/home/ida/Tumbo/Kurs");
}

TEST(PupilFolder, TodayIsAnIsoDate) {
  const std::string today = TodayText();
  ASSERT_EQ(today.size(), 10u);
  EXPECT_EQ(today[4], '-');
  EXPECT_EQ(today[7], '-');
}

}  // namespace
