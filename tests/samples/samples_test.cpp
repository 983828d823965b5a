// Every shipped sample program checks without a message and runs in its world without a
// message to a normal end; the worlds are exact world files; the samples reach their goal.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/formatter.h"
#include "language/headless_host.h"
#include "language/messages.h"
#include "language/parser.h"
#include "text/text_file.h"
#include "world/welt.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSampleDir = fs::path(TUMBO_DATA_DIR) / "beispiele";

std::vector<std::string> SampleNames() {
  std::vector<std::string> names;
  if (!fs::is_directory(kSampleDir)) return names;
  for (const auto& entry : fs::directory_iterator(kSampleDir))
    if (entry.path().extension() == ".tdp") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const fs::path& path) {
  std::string bytes, error;
  EXPECT_TRUE(tumbo::text::ReadFileBytes(path.string(), bytes, error)) << error;
  return bytes;
}

// A line end that is not CR LF, or "" when every line ends with CR LF.
std::string ForeignLineBreak(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
      return "lone CR at byte " + std::to_string(i);
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
      return "lone LF at byte " + std::to_string(i);
  }
  return "";
}

// One sample compiled and run the way tumbo-cli runs it (default robot settings, notes on).
struct TSampleRun {
  TWelt World;
  TTumbo_HeadlessHost Host;
  TTumbo_Parser Engine;
  std::vector<std::string> Messages;
  bool HasWorld = false;

  TSampleRun()
      : Engine(
            World, Host,
            [this](int number, int line, const std::string& text) {
              Messages.push_back(FormatErrorLine(number, line, text));
            },
            [this](int kind, int line, const std::string& text) {
              Messages.push_back(FormatRunMessageLine(kind, line, text));
            }) {}

  // Loads the world of the same name (if any) and compiles; true without messages.
  bool Prepare(const std::string& name) {
    const fs::path world = kSampleDir / (name + ".tdw");
    HasWorld = fs::exists(world);
    if (HasWorld) {
      const TWorldFileResult loaded = World.LoadFromFile(world.string());
      if (!loaded.Ok()) {
        Messages.push_back("world: " + loaded.Message);
        return false;
      }
    }
    const std::string program =
        tumbo::text::DecodeToCp1252(ReadBytes(kSampleDir / (name + ".tdp")));
    const std::string folder = kSampleDir.string() + "/";
    return Engine.Compile(program, folder);
  }

  void Run() {
    Engine.StatementLimit = 1000000;
    Engine.Run(1);
  }
};

class Sample : public ::testing::TestWithParam<std::string> {};

TEST_P(Sample, IsWindows1252WithCrLf) {
  const std::string bytes = ReadBytes(kSampleDir / (GetParam() + ".tdp"));
  tumbo::text::TextFormat format;
  tumbo::text::DecodeToCp1252(bytes, &format);
  EXPECT_EQ(format.Encoding, tumbo::text::TextEncoding::Cp1252);
  EXPECT_FALSE(format.Bom);
  EXPECT_EQ(ForeignLineBreak(bytes), "");
}

TEST_P(Sample, ChecksAndRunsWithoutMessage) {
  TSampleRun run;
  ASSERT_TRUE(run.Prepare(GetParam())) << ::testing::PrintToString(run.Messages);
  run.Run();
  EXPECT_TRUE(run.Messages.empty()) << ::testing::PrintToString(run.Messages);
  EXPECT_FALSE(run.Engine.StatementLimitReached) << "the run did not end by itself";
  EXPECT_EQ(run.Engine.RunMode, 0);
  EXPECT_EQ(run.Engine.CurrentLine, -1);
}

// "Formatieren" (tab width 2, spelling corrected) leaves a sample as it is, so a pupil who
// formats a sample sees no change.
TEST_P(Sample, IsFormattedAsTheEditorFormats) {
  const std::string bytes = ReadBytes(kSampleDir / (GetParam() + ".tdp"));
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = std::min(bytes.find("\r\n", start), bytes.size());
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(FormatLines(lines, 2, true).Lines, lines);
}

// A program without a world of its own is a library: it only defines instructions and
// conditions, so running it does nothing.
TEST_P(Sample, HasAWorldOrIsALibrary) {
  TSampleRun run;
  ASSERT_TRUE(run.Prepare(GetParam())) << ::testing::PrintToString(run.Messages);
  if (run.HasWorld) return;
  ASSERT_NE(run.Engine.Program, nullptr);
  for (const TTumbo_Program* node = run.Engine.Program->Body; node; node = node->Next)
    EXPECT_TRUE(node->IsDefinition())
        << GetParam() << " has no world but statements outside definitions (line "
        << node->Line << ")";
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Beispiele, Sample, ::testing::ValuesIn(SampleNames()), TestName);

TEST(SampleSet, HoldsAtLeastTwelveProgramsWithWorlds) {
  int withWorld = 0;
  for (const std::string& name : SampleNames())
    if (fs::exists(kSampleDir / (name + ".tdw"))) ++withWorld;
  EXPECT_GE(withWorld, 12);
}

// Every world is exactly what the world file writer makes of it, and belongs to a program.
TEST(SampleSet, WorldsAreExactWorldFiles) {
  ASSERT_TRUE(fs::is_directory(kSampleDir));
  for (const auto& entry : fs::directory_iterator(kSampleDir)) {
    if (entry.path().extension() != ".tdw") continue;
    SCOPED_TRACE(entry.path().filename().string());
    EXPECT_TRUE(fs::exists(fs::path(entry.path()).replace_extension(".tdp")));
    const std::string bytes = ReadBytes(entry.path());
    TWelt world;
    const TWorldFileResult loaded = world.LoadFromText(bytes, entry.path().string());
    ASSERT_TRUE(loaded.Ok()) << loaded.Message;
    EXPECT_EQ(world.SaveToText(), bytes);
  }
}

// What each sample promises in its comment, checked on the world after the run.
using TGoal = std::function<void(const TWelt& before, const TWelt& after)>;

int TotalBricks(const TRaum& room) {
  int total = 0;
  for (int32_t x = 0; x < room.Width(); ++x)
    for (int32_t y = 0; y < room.Length(); ++y) total += room.BrickCount(x, y);
  return total;
}

const std::map<std::string, TGoal>& Goals() {
  static const std::map<std::string, TGoal> goals = {
      {"aufraeumen",
       [](const TWelt&, const TWelt& after) { EXPECT_EQ(TotalBricks(after.Room), 0); }},
      {"labyrinth",
       [](const TWelt&, const TWelt& after) {
         EXPECT_TRUE(after.Room.HasMark(after.Robot.X, after.Robot.Y)) << "not on the goal";
       }},
      {"rundlauf",
       [](const TWelt&, const TWelt& after) {
         EXPECT_TRUE(after.Room.HasMark(after.Robot.X, after.Robot.Y));
       }},
      {"rekursion",
       [](const TWelt& before, const TWelt& after) {
         EXPECT_EQ(after.Robot.X, before.Robot.X);
         EXPECT_EQ(after.Robot.Y, before.Robot.Y);
         EXPECT_EQ(after.Robot.Heading, (before.Robot.Heading + 2) % 4);
       }},
      {"stapel-kopieren",
       [](const TWelt& before, const TWelt& after) {
         const auto& r = before.Robot;  // facing east: the stack lies at x + 1
         const int original = before.Room.BrickCount(r.X + 1, r.Y);
         ASSERT_GT(original, 1);
         EXPECT_EQ(after.Room.BrickCount(r.X + 1, r.Y), original);
         EXPECT_EQ(after.Room.BrickCount(r.X - 1, r.Y), original);
       }},
      {"stapel-ausgleichen",
       [](const TWelt&, const TWelt& after) {
         const TRaum& room = after.Room;
         for (int32_t x = 0; x < room.Width(); ++x)
           EXPECT_EQ(room.BrickCount(x, room.Length() - 1), 3) << "column " << x;
       }},
      {"marken-teppich",
       [](const TWelt&, const TWelt& after) {
         for (int32_t x = 0; x < after.Room.Width(); ++x)
           for (int32_t y = 0; y < after.Room.Length(); ++y)
             EXPECT_TRUE(after.Room.HasMark(x, y)) << x << "/" << y;
       }},
      {"bibliothek",
       [](const TWelt&, const TWelt& after) {
         const int32_t w = after.Room.Width() - 1, l = after.Room.Length() - 1;
         EXPECT_TRUE(after.Room.HasMark(0, 0));
         EXPECT_TRUE(after.Room.HasMark(w, 0));
         EXPECT_TRUE(after.Room.HasMark(0, l));
         EXPECT_TRUE(after.Room.HasMark(w, l));
       }},
      {"treppe-bauen",
       [](const TWelt&, const TWelt& after) {
         EXPECT_EQ(after.Room.BrickCount(after.Robot.X, after.Robot.Y), 4) << "not on top";
       }},
      {"spur-folgen",
       [](const TWelt& before, const TWelt& after) {
         int marksBefore = 0;
         for (int32_t x = 0; x < before.Room.Width(); ++x)
           for (int32_t y = 0; y < before.Room.Length(); ++y) {
             marksBefore += before.Room.HasMark(x, y);
             EXPECT_FALSE(after.Room.HasMark(x, y)) << "mark left at " << x << "/" << y;
           }
         EXPECT_GT(marksBefore, 5);
       }},
  };
  return goals;
}

TEST(SampleSet, SamplesReachTheirGoal) {
  for (const auto& [name, goal] : Goals()) {
    SCOPED_TRACE(name);
    TSampleRun run;
    ASSERT_TRUE(run.Prepare(name)) << ::testing::PrintToString(run.Messages);
    ASSERT_TRUE(run.HasWorld);
    TWelt before;
    ASSERT_TRUE(before.LoadFromFile((kSampleDir / (name + ".tdw")).string()).Ok());
    run.Run();
    EXPECT_TRUE(run.Messages.empty()) << ::testing::PrintToString(run.Messages);
    goal(before, run.World);
  }
}

}  // namespace
