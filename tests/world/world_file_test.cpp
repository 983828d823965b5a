#include "world/world_file.h"

#include <gtest/gtest.h>

#include <random>

#include "text/cp1252.h"
#include "world/welt.h"

using tumbo::text::Cp1252ToUtf8;

namespace {

// Every cell, mark and the robot, for comparing two worlds.
std::string Snapshot(const TWelt& w) { return w.SaveToText(); }

TWorldFileResult Load(TWelt& w, const std::string& text) {
  return w.LoadFromText(text, "/tmp/test.tdw");
}

}  // namespace

TEST(WorldFile, WritesTheDocumentedExampleByteForByte) {
  TWelt w(2, 1, 2);
  w.Room.AddItem(0, 0, kZiegel);
  w.Room.SetMark(0, 0);
  w.Robot.X = 1;
  w.Robot.Heading = kOsten;
  EXPECT_EQ(w.SaveToText(), "TumboVersion2Deutsch 2 1 2 1 0 3 z n m n n o ");
}

TEST(WorldFile, CellsGoColumnByColumn) {
  TWelt w(2, 2, 1);
  w.Room.AddItem(0, 1, kZiegel);  // x 0, y 1: second group
  w.Room.SetMark(1, 0);           // x 1, y 0: third group
  EXPECT_EQ(w.SaveToText(), "TumboVersion2Deutsch 2 2 1 0 0 0 n o z o n m n o ");
}

TEST(WorldFile, ReadsBothTagsAlikeAndSavesTheNewOne) {
  for (const char* tag : {"TumboVersion1Deutsch", "TumboVersion2Deutsch"}) {
    TWelt w;
    const auto r = Load(w, std::string(tag) + " 2 1 2 1 0 3 z n m n n o ");
    ASSERT_TRUE(r.Ok()) << r.Message;
    EXPECT_EQ(w.SaveToText(), "TumboVersion2Deutsch 2 1 2 1 0 3 z n m n n o ");
  }
}

TEST(WorldFile, ReadingFollowsTheRoomRules) {
  struct Case {
    const char* name;
    const char* file;
    const char* saved;  // what the world writes afterwards
  };
  const Case cases[] = {
      {"a gap below a brick closes", "TumboVersion2Deutsch 1 1 3 0 0 0 n z n o ",
       "TumboVersion2Deutsch 1 1 3 0 0 0 z n n o "},
      {"brick after cuboid refused", "TumboVersion2Deutsch 1 1 3 0 0 0 q z z o ",
       "TumboVersion2Deutsch 1 1 3 0 0 0 q q n o "},
      {"second cuboid refused", "TumboVersion2Deutsch 1 1 3 0 0 0 z q q o ",
       "TumboVersion2Deutsch 1 1 3 0 0 0 z n n o "},
      {"unknown tokens are empty and unmarked", "TumboVersion2Deutsch 1 1 2 0 0 0 Z x M ",
       "TumboVersion2Deutsch 1 1 2 0 0 0 n n o "},
      {"height 0: only the mark token", "TumboVersion2Deutsch 2 1 0 1 0 1 m o ",
       "TumboVersion2Deutsch 2 1 0 1 0 1 m o "},
      {"height 1: one q is a whole cuboid", "TumboVersion2Deutsch 1 1 1 0 0 0 q o ",
       "TumboVersion2Deutsch 1 1 1 0 0 0 q o "},
      {"several blanks, no blank at the end", "TumboVersion2Deutsch   1  1 1 0 0 2 z m",
       "TumboVersion2Deutsch 1 1 1 0 0 2 z m "},
      {"CR LF after the last token", "TumboVersion2Deutsch 1 1 1 0 0 0 z m \r\nrest",
       "TumboVersion2Deutsch 1 1 1 0 0 0 z m "},
      {"LF after the last token", "TumboVersion2Deutsch 1 1 1 0 0 0 z m \n",
       "TumboVersion2Deutsch 1 1 1 0 0 0 z m "},
      {"tokens after the cells are ignored", "TumboVersion2Deutsch 1 1 1 0 0 0 z m z z z ",
       "TumboVersion2Deutsch 1 1 1 0 0 0 z m "},
      {"a sign and leading zeros are integers", "TumboVersion2Deutsch +1 01 1 -0 0 003 n o ",
       "TumboVersion2Deutsch 1 1 1 0 0 3 n o "},
  };
  for (const Case& c : cases) {
    TWelt w;
    const auto r = Load(w, c.file);
    EXPECT_TRUE(r.Ok()) << c.name << ": " << r.Message;
    EXPECT_EQ(w.SaveToText(), c.saved) << c.name;
  }
}

TEST(WorldFile, ACuboidInARoomOfHeightZeroIsNotStored) {
  TWelt w(1, 1, 0);
  w.Room.AddItem(0, 0, kQuader);
  EXPECT_EQ(w.Room.ContentAt(0, 0, 0), kQuader);
  EXPECT_EQ(w.SaveToText(), "TumboVersion2Deutsch 1 1 0 0 0 0 o ");
}

TEST(WorldFile, ReadingKeepsCarriedBricksAndSettings) {
  TWelt w;
  w.Robot.CheckBrick = true;
  w.Robot.MaxBrick = 7;
  w.Robot.Carried = 4;
  w.Robot.MaxJump = 3;
  ASSERT_TRUE(Load(w, "TumboVersion2Deutsch 1 1 0 0 0 0 o ").Ok());
  EXPECT_EQ(w.Robot.Carried, 4);
  EXPECT_EQ(w.Robot.MaxBrick, 7);
  EXPECT_EQ(w.Robot.MaxJump, 3);
  EXPECT_TRUE(w.Robot.CheckBrick);
}

TEST(WorldFile, RandomWorldsSurviveSaveAndLoad) {
  std::mt19937 rng(20261210);
  for (int round = 0; round < 200; ++round) {
    std::uniform_int_distribution<int> side(1, round < 150 ? 8 : 100), height(0, 31);
    TWelt w(side(rng), side(rng), height(rng));
    TRaum& r = w.Room;
    std::uniform_int_distribution<int> op(0, 9);
    for (int32_t x = 0; x < r.Width(); ++x)
      for (int32_t y = 0; y < r.Length(); ++y) {
        const int o = op(rng);
        if (o == 0) r.AddItem(x, y, kQuader);
        for (int i = 0; i < o - 2; ++i) r.AddItem(x, y, kZiegel);
        if (op(rng) < 3) r.SetMark(x, y);
        if (o == 1) r.AddItem(x, y, kQuader);  // after the mark: often refused
      }
    w.Robot.X = std::uniform_int_distribution<int>(0, r.Width() - 1)(rng);
    w.Robot.Y = std::uniform_int_distribution<int>(0, r.Length() - 1)(rng);
    w.Robot.Heading = uint8_t(std::uniform_int_distribution<int>(0, 3)(rng));

    const std::string saved = w.SaveToText();
    TWelt back(3, 3, 3);
    const auto result = back.LoadFromText(saved, "zufall.tdw");
    ASSERT_TRUE(result.Ok()) << result.Message;
    EXPECT_EQ(back.Room.Width(), r.Width());
    EXPECT_EQ(back.Room.Length(), r.Length());
    EXPECT_EQ(back.Room.MaxHeight(), r.MaxHeight());
    EXPECT_EQ(back.Robot.X, w.Robot.X);
    EXPECT_EQ(back.Robot.Y, w.Robot.Y);
    EXPECT_EQ(back.Robot.Heading, w.Robot.Heading);
    for (int32_t x = 0; x < r.Width(); ++x)
      for (int32_t y = 0; y < r.Length(); ++y) {
        const bool lostCuboid = r.MaxHeight() == 0 && r.ContentAt(x, y, 0) == kQuader;
        if (lostCuboid) continue;  // a room without levels cannot store a cuboid
        ASSERT_EQ(back.Room.Cell(x, y).Height, r.Cell(x, y).Height) << x << "," << y;
        ASSERT_EQ(back.Room.Cell(x, y).Content, r.Cell(x, y).Content) << x << "," << y;
        ASSERT_EQ(back.Room.HasMark(x, y), r.HasMark(x, y)) << x << "," << y;
      }
    EXPECT_EQ(back.SaveToText(), saved);
  }
}

TEST(WorldFile, NotAWorldFileLeavesTheWorldAlone) {
  const char* const files[] = {
      "", "   ", "\r\nTumboVersion2Deutsch 1 1 0 0 0 0 o ", "Programm Test\r\nSchritt\r\n",
      "tumboversion2deutsch 1 1 0 0 0 0 o ", "TumboVersion3Deutsch 1 1 0 0 0 0 o ",
      "\xEF\xBB\xBFTumboVersion2Deutsch 1 1 0 0 0 0 o ", "\tTumboVersion2Deutsch 1 1 0 0 0 0 o ",
  };
  for (const char* f : files) {
    TWelt w;
    w.Room.AddItem(1, 1, kZiegel);
    w.Robot.X = 2;
    const std::string before = Snapshot(w);
    const auto r = Load(w, f);
    EXPECT_EQ(r.Status, TWorldFileStatus::NotAWorldFile) << f;
    EXPECT_EQ(Snapshot(w), before) << f;
  }
}

TEST(WorldFile, DamagedFilesAreRefusedWithAMessageAndChangeNothing) {
  struct Case {
    const char* file;
    const char* problem;  // part of the German message (UTF-8 here)
  };
  const Case cases[] = {
      {"TumboVersion2Deutsch", "endet, bevor alle Angaben gelesen sind"},
      {"TumboVersion2Deutsch 2 1 2 1 0", "endet, bevor alle Angaben gelesen sind"},
      {"TumboVersion2Deutsch 2 1 2 1 0 3 z n m n n", "endet, bevor alle Angaben gelesen sind"},
      {"TumboVersion2Deutsch 2 1 2 1 0 3 z n m\r\nn n o ", "endet, bevor alle Angaben"},
      {"TumboVersion2Deutsch x 1 2 1 0 3 n n o ", "'x' ist kein gültiger Integerwert für die Breite"},
      {"TumboVersion2Deutsch 1 1.5 2 1 0 3 n n o ", "'1.5' ist kein gültiger Integerwert für die Länge"},
      {"TumboVersion2Deutsch 1 1 $2 0 0 0 n n o ", "'$2' ist kein gültiger Integerwert für die Höhe"},
      {"TumboVersion2Deutsch 1 1 2 a 0 0 n n o ", "für Tumbos Spalte"},
      {"TumboVersion2Deutsch 1 1 2 0 - 0 n n o ", "für Tumbos Zeile"},
      {"TumboVersion2Deutsch 1 1 2 0 0 S n n o ", "für die Blickrichtung"},
      {"TumboVersion2Deutsch 99999999999 1 2 0 0 0 n n o ", "kein gültiger Integerwert"},
      {"TumboVersion2Deutsch 0 1 2 0 0 0 ", "die Breite 0 liegt nicht zwischen 1 und 100"},
      {"TumboVersion2Deutsch 101 1 0 0 0 0 ", "die Breite 101 liegt nicht zwischen 1 und 100"},
      {"TumboVersion2Deutsch 1 0 2 0 0 0 ", "die Länge 0 liegt nicht zwischen 1 und 100"},
      {"TumboVersion2Deutsch 1 -3 2 0 0 0 ", "die Länge -3 liegt nicht"},
      {"TumboVersion2Deutsch 1 1 -1 0 0 0 o ", "die Höhe -1 liegt nicht zwischen 0 und 31"},
      {"TumboVersion2Deutsch 1 1 40 0 0 0 o ", "die Höhe 40 liegt nicht zwischen 0 und 31"},
      {"TumboVersion2Deutsch 2 1 0 2 0 0 o o ", "Tumbos Platz (Spalte 3, Zeile 1) liegt außerhalb der Welt mit 2 Spalten und 1 Zeilen"},
      {"TumboVersion2Deutsch 2 1 0 -1 0 0 o o ", "(Spalte 0, Zeile 1) liegt außerhalb"},
      {"TumboVersion2Deutsch 2 1 0 0 1 0 o o ", "(Spalte 1, Zeile 2) liegt außerhalb"},
      {"TumboVersion2Deutsch 2 1 0 0 0 4 o o ", "die Blickrichtung 4 liegt nicht zwischen 0 und 3"},
      {"TumboVersion2Deutsch 2 1 0 0 0 -1 o o ", "die Blickrichtung -1 liegt nicht"},
      {"TumboVersion2Deutsch 2 1 0 0 0 259 o o ", "die Blickrichtung 259 liegt nicht"},
  };
  for (const Case& c : cases) {
    TWelt w(3, 4, 5);
    w.Room.AddItem(2, 3, kZiegel);
    w.Room.SetMark(0, 1);
    w.Robot.X = 1;
    w.Robot.Heading = kNorden;
    w.Room.ClearDirty();
    const std::string before = Snapshot(w);
    const auto r = w.LoadFromText(c.file, "/home/schule/Welt ä.tdw");
    EXPECT_EQ(r.Status, TWorldFileStatus::Damaged) << c.file;
    const std::string message = Cp1252ToUtf8(r.Message);
    EXPECT_NE(message.find("Die Weltdatei \"/home/schule/Welt ä.tdw\" ist beschädigt: "),
              std::string::npos) << message;
    EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    EXPECT_EQ(Snapshot(w), before) << c.file;
    EXPECT_FALSE(w.Room.AnyDirty()) << c.file;  // not even the views are disturbed
  }
}

TEST(WorldFile, LongGarbageTokensAreShortenedInTheMessage) {
  TWelt w;
  const std::string token(5000, 'x');
  const auto r = Load(w, "TumboVersion2Deutsch " + token + " 1 1 0 0 0 o ");
  EXPECT_EQ(r.Status, TWorldFileStatus::Damaged);
  EXPECT_LT(r.Message.size(), 200u);
}
