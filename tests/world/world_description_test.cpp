#include "world/world_description.h"

#include <gtest/gtest.h>

#include <functional>

#include "text/cp1252.h"
#include "world/welt.h"

namespace {

using tumbo::text::Cp1252ToUtf8;

struct DescriptionCase {
  const char* name;
  std::function<void(TWelt&)> act;  // on the start world: 5 x 10, robot at (0, 0) facing south
  const char* expected;             // UTF-8
};

class WorldDescription : public testing::TestWithParam<DescriptionCase> {};

TEST_P(WorldDescription, SaysWhereTumboStandsAndWhatLiesAhead) {
  TWelt welt;
  GetParam().act(welt);
  EXPECT_EQ(Cp1252ToUtf8(DescribeWorld(welt)), GetParam().expected);
}

const DescriptionCase kCases[] = {
    {"StartWorld", [](TWelt&) {},
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"StepsCountFromOne",
     [](TWelt& w) {
       w.Robot.Schritt(1);
       w.Robot.LinksDrehen();
       w.Robot.Schritt(2);
     },
     "Tumbo steht auf Feld (3, 2) in Höhe 0 und schaut nach Osten. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"TurnsNameEveryHeading",
     [](TWelt& w) {
       w.Robot.Schritt(1);
       w.Robot.RechtsDrehen();
       w.Robot.RechtsDrehen();
     },
     "Tumbo steht auf Feld (1, 2) in Höhe 0 und schaut nach Norden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"EdgeOfTheRoomIsTheWall", [](TWelt& w) { w.Robot.RechtsDrehen(); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Westen. Vor ihm: die Wand. "
     "Auf seinem Feld: keine Marke."},
    {"OneBrickSingular", [](TWelt& w) { w.Robot.Hinlegen(1); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: 1 Ziegel. "
     "Auf seinem Feld: keine Marke."},
    {"TwoBricksTooHighToClimb", [](TWelt& w) { w.Robot.Hinlegen(2); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: 2 Ziegel, zu hoch zum "
     "Springen. Auf seinem Feld: keine Marke."},
    {"TwoBricksWithinReachOfALongJump",
     [](TWelt& w) {
       w.Robot.MaxJump = 2;
       w.Robot.Hinlegen(2);
     },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: 2 Ziegel. "
     "Auf seinem Feld: keine Marke."},
    {"StandingOnABrick",
     [](TWelt& w) {
       w.Robot.Hinlegen(1);
       w.Robot.Schritt(1);
     },
     "Tumbo steht auf Feld (1, 2) in Höhe 1 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"DropTooDeep",
     [](TWelt& w) {
       w.Robot.MaxJump = 2;
       w.Robot.Hinlegen(2);
       w.Robot.Schritt(1);
       w.Robot.MaxJump = 1;
     },
     "Tumbo steht auf Feld (1, 2) in Höhe 2 und schaut nach Süden. Vor ihm: ein freies Feld, zu tief zum "
     "Springen. Auf seinem Feld: keine Marke."},
    {"BricksLiftedAgain",
     [](TWelt& w) {
       w.Robot.Hinlegen(2);
       w.Robot.Aufheben(2);
     },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"Cuboid", [](TWelt& w) { w.Robot.QuaderAufstellen(); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein Quader. "
     "Auf seinem Feld: keine Marke."},
    {"MarkOnHisCell", [](TWelt& w) { w.Robot.MarkeSetzen(); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: eine Marke."},
    {"MarkClearedAgain",
     [](TWelt& w) {
       w.Robot.MarkeSetzen();
       w.Robot.MarkeLoeschen();
     },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"MarkAheadIsNotHis",
     [](TWelt& w) { w.Room.SetMark(0, 1); },
     "Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: ein freies Feld. "
     "Auf seinem Feld: keine Marke."},
    {"LastCellOfTheRoom",
     [](TWelt& w) {
       w.Robot.PlaceAt(4, 9);
       w.Robot.LinksDrehen();
     },
     "Tumbo steht auf Feld (5, 10) in Höhe 0 und schaut nach Osten. Vor ihm: die Wand. "
     "Auf seinem Feld: keine Marke."},
};

INSTANTIATE_TEST_SUITE_P(AfterActions, WorldDescription, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CellDescription, NamesWhatLiesOnTheCell) {
  TWelt w;
  w.Room.AddItem(2, 3, kZiegel);
  w.Room.AddItem(2, 3, kZiegel);
  w.Room.SetMark(2, 3);
  w.Room.AddItem(1, 1, kQuader);
  w.Room.SetMark(0, 0);
  w.Room.AddItem(4, 0, kZiegel);
  EXPECT_EQ(Cp1252ToUtf8(DescribeCell(w, 2, 3)), "Feld (3, 4): 2 Ziegel, eine Marke.");
  EXPECT_EQ(Cp1252ToUtf8(DescribeCell(w, 1, 1)), "Feld (2, 2): ein Quader.");
  EXPECT_EQ(Cp1252ToUtf8(DescribeCell(w, 0, 0)), "Feld (1, 1): eine Marke, Tumbo.");
  EXPECT_EQ(Cp1252ToUtf8(DescribeCell(w, 4, 0)), "Feld (5, 1): 1 Ziegel.");
  EXPECT_EQ(Cp1252ToUtf8(DescribeCell(w, 4, 9)), "Feld (5, 10): frei.");
}

}  // namespace
