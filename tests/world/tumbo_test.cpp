#include "world/tumbo.h"

#include <gtest/gtest.h>

#include "text/cp1252.h"

using tumbo::text::Utf8ToCp1252;

namespace {

// A 5 x 5 room of height 6 with the robot in the middle facing south.
class Robot : public ::testing::Test {
protected:
  Robot() : tumbo(2, 2, kSueden, room) { room.Init(5, 5, 6); }

  void Stack(int32_t x, int32_t y, int n) {
    for (int i = 0; i < n; ++i) room.AddItem(x, y, kZiegel);
  }
  void ExpectFailed(int k) {
    EXPECT_TRUE(tumbo.Failed);
    EXPECT_EQ(tumbo.MessageNumber, k);
    EXPECT_EQ(tumbo.Message, TTumbo::MessageText(k));
  }
  void ExpectOk() { EXPECT_FALSE(tumbo.Failed) << tumbo.Message; }
  void ExpectAt(int32_t x, int32_t y) {
    EXPECT_EQ(tumbo.X, x);
    EXPECT_EQ(tumbo.Y, y);
  }

  TRaum room;
  TTumbo tumbo;
};

}  // namespace

TEST(RobotMessages, TableTextsInWindows1252) {
  const char* const utf8[] = {
      "Tumbo ist an der Wand angestoßen",
      "Tumbo ist am Quader angestoßen",
      "Tumbo kann nicht so hoch/tief springen",
      "Tumbo kann nicht hinlegen, er steht vor der Wand",
      "Tumbo kann nicht hinlegen, er steht vor einem Quader",
      "Maximale Stapelhöhe erreicht",
      "Tumbo kann nicht aufheben, er steht vor der Wand",
      "Tumbo kann nicht aufheben, er steht vor einem Quader",
      "Vor Tumbo liegen keine Ziegel zum Aufheben",
      "Tumbo kann Quader nicht aufstellen, er steht vor der Wand",
      "Tumbo kann Quader nicht aufstellen, das Feld davor ist nicht frei",
      "Tumbo kann Quader nicht entfernen, er steht vor der Wand",
      "Vor Tumbo steht kein Quader",
      "Tumbo hat keine Ziegel mehr zum Hinlegen",
      "Tumbo kann nicht aufheben, maximales Tragevermögen erreicht",
      "Kontrolle des Tragevermögens ist nicht eingeschalten",
      "Aktueller Wert für den Parameter fehlt",
  };
  for (int k = 1; k <= 17; ++k) EXPECT_EQ(TTumbo::MessageText(k), Utf8ToCp1252(utf8[k - 1])) << k;
  EXPECT_EQ(TTumbo::MessageText(0), "");
  EXPECT_EQ(TTumbo::MessageText(18), "");
}

TEST_F(Robot, CellAheadAtEveryEdge) {
  struct Case {
    int32_t x, y;
    uint8_t heading;
    bool has;
    int32_t ax, ay;
  };
  const Case cases[] = {
      {2, 2, kSueden, true, 2, 3}, {2, 4, kSueden, false, 0, 0},
      {2, 2, kWesten, true, 1, 2}, {0, 2, kWesten, false, 0, 0},
      {2, 2, kNorden, true, 2, 1}, {2, 0, kNorden, false, 0, 0},
      {2, 2, kOsten, true, 3, 2},  {4, 2, kOsten, false, 0, 0},
  };
  for (const Case& c : cases) {
    tumbo.X = c.x;
    tumbo.Y = c.y;
    tumbo.Heading = c.heading;
    const auto a = tumbo.CellAhead();
    ASSERT_EQ(a.has_value(), c.has) << c.x << "," << c.y << " heading " << int(c.heading);
    if (a) {
      EXPECT_EQ(*a, (TZellPos{c.ax, c.ay}));
    }
    EXPECT_EQ(tumbo.IstWand(), !c.has);
  }
}

TEST_F(Robot, HeadingOutsideTheFourFacesAWall) {
  tumbo.Heading = 7;
  EXPECT_TRUE(tumbo.IstWand());
  EXPECT_FALSE(tumbo.CellAhead());
  tumbo.Schritt(1);
  ExpectFailed(1);
  ExpectAt(2, 2);
}

TEST_F(Robot, StepFailuresInTheirOrder) {
  tumbo.Y = 4;  // south edge facing south
  tumbo.Schritt(1);
  ExpectFailed(1);
  ExpectAt(2, 4);
  EXPECT_TRUE(tumbo.IstWand());

  tumbo.Y = 2;
  room.AddItem(2, 3, kQuader);
  tumbo.Schritt(1);
  ExpectFailed(2);
  EXPECT_TRUE(tumbo.IstWand());
  ExpectAt(2, 2);
}

TEST_F(Robot, JumpHeightCountsUpAndDownOnRawHeights) {
  struct Case {
    int from, to, maxJump;
    bool moves;
  };
  const Case cases[] = {
      {3, 1, 1, false}, {3, 2, 1, true}, {3, 4, 1, true}, {0, 2, 1, false},
      {0, 2, 2, true},  {5, 0, 4, false}, {0, -1, 1, false},  // -1: a cuboid (height 2)
      {1, -1, 1, false},
  };
  for (const Case& c : cases) {
    room.Init(1, 2, 6);
    Stack(0, 0, c.from);
    if (c.to < 0)
      room.AddItem(0, 1, kQuader);
    else
      Stack(0, 1, c.to);
    tumbo.X = 0;
    tumbo.Y = 0;
    tumbo.MaxJump = c.maxJump;
    tumbo.Schritt(1);
    EXPECT_EQ(tumbo.Y == 1, c.moves) << c.from << " -> " << c.to << " jump " << c.maxJump;
    if (!c.moves) {
      EXPECT_EQ(tumbo.MessageNumber, c.to < 0 ? 2 : 3);
    }
  }
}

TEST_F(Robot, RepeatedStepsStopAtTheWallWithItsMessage) {
  tumbo.Heading = kOsten;
  tumbo.Schritt(5);  // two free cells
  ExpectAt(4, 2);
  ExpectFailed(1);

  tumbo.Schritt(0);
  ExpectOk();
  ExpectAt(4, 2);
  tumbo.Heading = kWesten;
  tumbo.Schritt(-1);
  ExpectFailed(17);
  ExpectAt(4, 2);
  tumbo.Schritt(-3);  // other negative counts do nothing
  ExpectOk();
  tumbo.Schritt(2000000000);
  ExpectAt(0, 2);
  ExpectFailed(1);
}

TEST_F(Robot, StepMarksBothCellsDirtyAndIgnoresMarks) {
  room.SetMark(2, 3);
  Stack(2, 2, 1);
  room.ClearDirty();
  tumbo.Schritt(1);
  ExpectOk();
  EXPECT_TRUE(room.Cell(2, 2).Dirty[1]);
  EXPECT_TRUE(room.Cell(2, 3).Dirty[0]);
  EXPECT_EQ(room.DirtyCells(), (std::vector<TZellPos>{{2, 2}, {2, 3}}));
}

TEST_F(Robot, TurningWrapsAndMarksItsCell) {
  const uint8_t left[] = {kOsten, kNorden, kWesten, kSueden};
  for (uint8_t expected : left) {
    room.ClearDirty();
    tumbo.Failed = true;
    tumbo.LinksDrehen();
    EXPECT_EQ(tumbo.Heading, expected);
    ExpectOk();
    EXPECT_EQ(room.DirtyCells(), (std::vector<TZellPos>{{2, 2}}));
  }
  const uint8_t right[] = {kWesten, kNorden, kOsten, kSueden};
  for (uint8_t expected : right) {
    tumbo.RechtsDrehen();
    EXPECT_EQ(tumbo.Heading, expected);
  }
  const char letters[] = {'S', 'W', 'N', 'O'};
  for (uint8_t h = 0; h < 4; ++h) {
    tumbo.Heading = h;
    EXPECT_EQ(tumbo.HeadingLetter(), letters[h]);
    EXPECT_EQ(tumbo.IstSueden(), h == 0);
    EXPECT_EQ(tumbo.IstWesten(), h == 1);
    EXPECT_EQ(tumbo.IstNorden(), h == 2);
    EXPECT_EQ(tumbo.IstOsten(), h == 3);
  }
}

TEST_F(Robot, LayingBricks) {
  Stack(2, 3, 5);  // MaxHeight - 1
  tumbo.Hinlegen(3);
  EXPECT_EQ(room.BrickCount(2, 3), 6);
  ExpectFailed(6);

  room.Init(5, 5, 6);
  tumbo.Hinlegen(2);
  ExpectOk();
  EXPECT_EQ(room.BrickCount(2, 3), 2);
  tumbo.Hinlegen(-1);
  ExpectFailed(17);
  EXPECT_EQ(room.BrickCount(2, 3), 2);

  tumbo.Y = 4;
  tumbo.Hinlegen(1);
  ExpectFailed(4);
  tumbo.Y = 2;
  room.Init(5, 5, 6);
  room.AddItem(2, 3, kQuader);
  tumbo.Hinlegen(1);
  ExpectFailed(5);
}

TEST_F(Robot, LiftingBricks) {
  Stack(2, 3, 2);
  tumbo.Aufheben(3);
  EXPECT_EQ(room.BrickCount(2, 3), 0);
  ExpectFailed(9);
  tumbo.Aufheben(1);
  ExpectFailed(9);

  room.AddItem(2, 3, kQuader);
  tumbo.Aufheben(1);
  ExpectFailed(8);
  EXPECT_EQ(room.ContentAt(2, 3, 0), kQuader);

  tumbo.Y = 4;
  tumbo.Aufheben(1);
  ExpectFailed(7);
  tumbo.Aufheben(-1);
  ExpectFailed(17);
}

TEST_F(Robot, CarryingControl) {
  tumbo.CheckBrick = true;
  tumbo.MaxBrick = 5;
  tumbo.BrickStart = 10;
  tumbo.Fail(3);
  tumbo.ResetForRun();
  EXPECT_EQ(tumbo.Carried, 5);
  ExpectOk();
  EXPECT_TRUE(tumbo.Message.empty());
  EXPECT_TRUE(tumbo.IstVoll());
  EXPECT_FALSE(tumbo.IstLeer());
  EXPECT_TRUE(tumbo.HatZiegel(5));
  EXPECT_TRUE(tumbo.HatZiegel(0));
  EXPECT_FALSE(tumbo.HatZiegel(4));

  tumbo.Aufheben(1);  // nothing to lift: message 9 comes before the capacity test
  ExpectFailed(9);
  Stack(2, 3, 1);
  tumbo.Aufheben(1);
  ExpectFailed(15);
  EXPECT_EQ(room.BrickCount(2, 3), 1);
  EXPECT_EQ(tumbo.Carried, 5);

  tumbo.Hinlegen(6);  // six bricks asked, five carried, room up to 6 on the stack
  EXPECT_EQ(room.BrickCount(2, 3), 6);
  EXPECT_EQ(tumbo.Carried, 0);
  ExpectFailed(6);  // the stack became full on the fifth brick
  room.RemoveTop(2, 3);
  tumbo.Hinlegen(1);
  ExpectFailed(14);
  EXPECT_EQ(room.BrickCount(2, 3), 5);
  EXPECT_TRUE(tumbo.IstLeer());
  EXPECT_FALSE(tumbo.HatZiegel(0));

  tumbo.Aufheben(2);
  EXPECT_EQ(tumbo.Carried, 2);
  EXPECT_TRUE(tumbo.HatZiegel(2));
  tumbo.Failed = false;
  EXPECT_FALSE(tumbo.HatZiegel(-1));
  ExpectFailed(17);

  tumbo.BrickStart = 3;
  tumbo.ResetForRun();
  EXPECT_EQ(tumbo.Carried, 3);
}

TEST_F(Robot, WithoutCarryingControlTheSupplyIsUnlimited) {
  tumbo.Carried = 7;
  tumbo.Hinlegen(3);
  EXPECT_EQ(tumbo.Carried, 7);  // not counted
  tumbo.Aufheben(3);
  EXPECT_EQ(tumbo.Carried, 7);
  tumbo.ResetForRun();
  EXPECT_EQ(tumbo.Carried, 0);

  struct Cond {
    const char* name;
    bool (*call)(TTumbo&);
  };
  const Cond conds[] = {
      {"IstVoll", [](TTumbo& t) { return t.IstVoll(); }},
      {"IstLeer", [](TTumbo& t) { return t.IstLeer(); }},
      {"HatZiegel(0)", [](TTumbo& t) { return t.HatZiegel(0); }},
      {"HatZiegel(-1)", [](TTumbo& t) { return t.HatZiegel(-1); }},
  };
  for (const Cond& c : conds) {
    tumbo.Failed = false;
    EXPECT_FALSE(c.call(tumbo)) << c.name;
    ExpectFailed(16);
  }
}

TEST_F(Robot, BrickCondition) {
  struct Case {
    const char* ahead;  // "wall", "cuboid" or a stack size
    int32_t n;
    bool result;
  };
  const Case cases[] = {
      {"0", 0, false}, {"1", 0, true},  {"4", 0, true},  {"2", 2, true},
      {"3", 2, false}, {"1", 2, false}, {"cuboid", 0, false}, {"cuboid", 2, false},
      {"wall", 0, false}, {"wall", 2, false},
  };
  for (const Case& c : cases) {
    room.Init(5, 5, 6);
    tumbo.Y = 2;
    const std::string a = c.ahead;
    if (a == "wall")
      tumbo.Y = 4;
    else if (a == "cuboid")
      room.AddItem(2, 3, kQuader);
    else
      Stack(2, 3, std::stoi(a));
    tumbo.Failed = false;
    EXPECT_EQ(tumbo.IstZiegel(c.n), c.result) << c.ahead << " n=" << c.n;
    ExpectOk();
  }
  EXPECT_FALSE(tumbo.IstZiegel(-1));
  ExpectFailed(17);
}

TEST_F(Robot, ConditionsDoNotClearAnEarlierFailure) {
  tumbo.Fail(1);
  tumbo.IstWand();
  tumbo.IstMarke();
  tumbo.IstZiegel(0);
  ExpectFailed(1);
  // An action clears it; the text stays until the next failure.
  tumbo.LinksDrehen();
  EXPECT_FALSE(tumbo.Failed);
  EXPECT_EQ(tumbo.Message, TTumbo::MessageText(1));
}

TEST_F(Robot, Marks) {
  Stack(2, 2, 2);
  room.ClearDirty();
  tumbo.MarkeSetzen();
  EXPECT_TRUE(tumbo.IstMarke());
  EXPECT_TRUE(room.Cell(2, 2).Dirty[2]);
  room.ClearDirty();
  tumbo.MarkeSetzen();  // set twice: nothing changes
  EXPECT_FALSE(room.AnyDirty());
  ExpectOk();
  tumbo.MarkeLoeschen();
  EXPECT_FALSE(tumbo.IstMarke());
  tumbo.MarkeLoeschen();
  ExpectOk();
}

TEST_F(Robot, Cuboids) {
  room.SetMark(2, 3);
  tumbo.QuaderAufstellen();
  ExpectFailed(11);  // marked empty cell
  room.ClearMark(2, 3);
  Stack(2, 3, 1);
  tumbo.QuaderAufstellen();
  ExpectFailed(11);
  room.RemoveTop(2, 3);
  tumbo.QuaderEntfernen();
  ExpectFailed(13);
  tumbo.QuaderAufstellen();
  ExpectOk();
  EXPECT_EQ(room.ContentAt(2, 3, 1), kQuader);
  tumbo.QuaderAufstellen();
  ExpectFailed(11);
  tumbo.QuaderEntfernen();
  ExpectOk();
  EXPECT_EQ(room.Cell(2, 3).Height, 0);

  tumbo.Y = 4;
  tumbo.QuaderAufstellen();
  ExpectFailed(10);
  tumbo.QuaderEntfernen();
  ExpectFailed(12);
}

TEST_F(Robot, PlaceAtLooksAtTheTargetStackOnly) {
  Stack(2, 2, 4);  // current cell high: does not matter
  Stack(0, 0, 2);
  room.AddItem(4, 4, kQuader);
  tumbo.MaxJump = 1;
  tumbo.Fail(5);
  tumbo.PlaceAt(0, 0);
  ExpectAt(2, 2);
  tumbo.MaxJump = 2;
  tumbo.PlaceAt(0, 0);
  ExpectAt(0, 0);
  tumbo.PlaceAt(4, 4);
  ExpectAt(0, 0);
  ExpectFailed(5);  // untouched
  room.ClearDirty();
  tumbo.Heading = kOsten;
  tumbo.PlaceAt(3, 1);
  ExpectAt(3, 1);
  EXPECT_EQ(tumbo.Heading, kOsten);
  EXPECT_EQ(room.DirtyCells(), (std::vector<TZellPos>{{0, 0}, {3, 1}}));
  EXPECT_TRUE(room.Cell(0, 0).Dirty[2]);
}
