// The class's HTML report: the overview, a page per pupil with the task, the program and the
// maps of the worlds not solved (differing fields framed), page breaks, nothing from a network.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include <unistd.h>

#include "support/class_fixture.h"
#include "task/class_report_html.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) ++n;
  return n;
}

class ClassReportHtml : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tumbo_class_html_" + std::to_string(getpid()) + "_" +
                                         testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ASSERT_EQ(LoadClassWork(class_fixture::kTask, work_), "");
    results_ = GradeClass(work_, FindPupils({class_fixture::MakeClass(root_).string()}), 2);
    // Every map a 100 × 200 picture whose cells are 10 pixels from (5, 20) on.
    report_.Date = "11.12.2026";
    report_.Painter = [this](const std::string& world) {
      ++drawn_;
      return TMapPicture{"PNG:" + world, 100, 200, 5, 20, 10};
    };
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_;
  TClassWork work_;
  std::vector<TPupilResult> results_;
  THtmlReport report_;
  int drawn_ = 0;
};

TEST_F(ClassReportHtml, OnePageHoldsTheOverviewAndAPagePerPupil) {
  const std::string page = ClassHtmlPage(work_, results_, report_);
  EXPECT_NE(page.find("<title>Bewertung: Bis zur Wand</title>"), std::string::npos);
  EXPECT_NE(page.find("11.12.2026"), std::string::npos);
  EXPECT_EQ(Count(page, "<section class=\"pupil\">"), results_.size());
  EXPECT_NE(page.find("@page{size:A4"), std::string::npos);
  EXPECT_NE(page.find(".pupil{break-before:page"), std::string::npos);
  // Overview row: ✓ in green for a solution, ✗ in red for a wrong one, the named results grey.
  EXPECT_NE(page.find("<td>Anna Schmidt</td><td class=\"ok\"><span class=\"mark\">\xE2\x9C\x93</span> 3/3</td>"),
            std::string::npos);
  EXPECT_NE(page.find("<td class=\"fail\"><span class=\"mark\">\xE2\x9C\x97</span> 1/3</td>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"none\">nicht abgegeben</td>"), std::string::npos);
  // The task text and the program with its lines numbered.
  EXPECT_NE(page.find("Tumbo geht geradeaus"), std::string::npos);
  EXPECT_NE(page.find("<ol class=\"code\"><li>Programm</li><li>  solange NichtIstWand tue</li>"), std::string::npos);
  // Nothing from outside.
  EXPECT_EQ(page.find("http"), std::string::npos);
  EXPECT_EQ(page.find("href="), std::string::npos);
}

TEST_F(ClassReportHtml, WorldsNotSolvedShowStartEndAndGoalWithTheDifferencesFramed) {
  const std::string page = ClassHtmlPage(work_, results_, report_);
  // The wrong solution fails worlds 2 and 3; two pupils handed it in: start, end and goal each.
  EXPECT_EQ(Count(page, "<figcaption>Start</figcaption>"), 4u);
  EXPECT_EQ(Count(page, "<figcaption>Ende</figcaption>"), 4u);
  EXPECT_EQ(Count(page, "<figcaption>Ziel</figcaption>"), 4u);
  EXPECT_EQ(Count(page, "src=\"data:image/png;base64,"), 12u);
  // Each world is drawn once, however many pupils end in it.
  std::set<std::string> worlds;
  for (const TPupilResult& p : results_)
    for (size_t i = 0; i < p.Tasks[0].Grade.Worlds.size(); ++i)
      if (const TWorldGrade& w = p.Tasks[0].Grade.Worlds[i]; !w.Solved && !w.FinalWorld.empty()) {
        const TWorldFileContent& goal = work_.Tasks[0].Task.Worlds[i].Goal;
        worlds.insert({work_.Tasks[0].Task.Worlds[i].StartBytes, w.FinalWorld,
                       WriteWorldText(goal.Room, goal.X, goal.Y, goal.Heading)});
      }
  EXPECT_EQ(drawn_, int(worlds.size()));
  EXPECT_GT(Count(page, "<span class=\"diff\" style=\"left:"), 0u);
  EXPECT_NE(page.find("<h3>Welt 2: "), std::string::npos);
}

TEST_F(ClassReportHtml, DifferingCellsAreTheCheckedContentsAndTheRobot) {
  const TTaskWorld& world = work_.Tasks[0].Task.Worlds[0];
  const TWorldFileContent& goal = world.Goal;
  EXPECT_TRUE(DifferingCells(WriteWorldText(goal.Room, goal.X, goal.Y, goal.Heading), world, kCheckAll).empty());
  // The start world: no mark yet, the robot elsewhere.
  const auto cells = DifferingCells(world.StartBytes, world, kCheckAll);
  ASSERT_FALSE(cells.empty());
  EXPECT_NE(std::find(cells.begin(), cells.end(), std::pair<int, int>(goal.X, goal.Y)), cells.end());
  EXPECT_NE(std::find(cells.begin(), cells.end(), std::pair<int, int>(world.Start.X, world.Start.Y)), cells.end());
  EXPECT_TRUE(DifferingCells(world.StartBytes, world, kCheckBricks).empty());
  EXPECT_TRUE(DifferingCells("kaputt", world, kCheckAll).empty());
}

TEST_F(ClassReportHtml, AFolderHasAnOverviewWithLinksAndAFilePerPupil) {
  work_.Course = true;
  const std::vector<THtmlFile> files = ClassHtmlFiles(work_, results_, report_);
  ASSERT_EQ(files.size(), results_.size() + 1);
  EXPECT_EQ(files[0].Name, "uebersicht.html");
  EXPECT_NE(files[0].Bytes.find("<a href=\"Anna-Schmidt.html\">Anna Schmidt</a>"), std::string::npos);
  EXPECT_NE(files[0].Bytes.find("<a href=\"Ben-Oeztuerk.html\">"), std::string::npos);
  std::set<std::string> names;
  for (const THtmlFile& f : files) {
    names.insert(f.Name);
    EXPECT_EQ(f.Name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-."),
              std::string::npos)
        << f.Name;
  }
  EXPECT_EQ(names.size(), files.size());
  EXPECT_TRUE(names.count("2-3-tdp.html"));
  // A course page lists the tasks and leaves out what was not handed in.
  const auto carla = std::find_if(files.begin(), files.end(), [](const THtmlFile& f) { return f.Name == "Carla-Neu.html"; });
  ASSERT_NE(carla, files.end());
  EXPECT_NE(carla->Bytes.find("<td class=\"none\">nicht abgegeben</td>"), std::string::npos);
  EXPECT_EQ(carla->Bytes.find("<article"), std::string::npos);
}

TEST_F(ClassReportHtml, WithoutAPainterTheReasonsStand) {
  report_.Painter = {};
  const std::string page = ClassHtmlPage(work_, results_, report_);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_NE(page.find("<h3>Welt 2: "), std::string::npos);
}

}  // namespace
