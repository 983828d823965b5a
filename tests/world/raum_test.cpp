#include "world/raum.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// A cell written as its levels from the floor up: '.' empty, 'z' brick, 'q' cuboid,
// followed by '*' when marked. Checks Height, Content and Mark together.
std::string Describe(const TRaum& r, int32_t x, int32_t y) {
  std::string s;
  const TZelle& c = r.Cell(x, y);
  for (int z = 0; z < c.Height; ++z) s += ".zq"[c.Content[size_t(z)]];
  for (int z = c.Height; z < kLevels; ++z)
    if (c.Content[size_t(z)] != kLeer) s += '!';  // content above Height breaks the invariant
  if (c.Mark) s += '*';
  return s;
}

int DirtyLevels(const TRaum& r, int32_t x, int32_t y) {
  int n = 0;
  for (bool d : r.Cell(x, y).Dirty) n += d;
  return n;
}

// One step of a cell script: an operation and the cell afterwards.
enum class Op { Brick, Cuboid, Remove, Mark, Unmark };
struct Step {
  Op op;
  const char* after;
};

void Apply(TRaum& r, Op op) {
  switch (op) {
    case Op::Brick: r.AddItem(0, 0, kZiegel); break;
    case Op::Cuboid: r.AddItem(0, 0, kQuader); break;
    case Op::Remove: r.RemoveTop(0, 0); break;
    case Op::Mark: r.SetMark(0, 0); break;
    case Op::Unmark: r.ClearMark(0, 0); break;
  }
}

struct Script {
  const char* name;
  int32_t height;
  std::vector<Step> steps;
};

}  // namespace

TEST(Raum, InitLimitsTheHeightAndEmptiesEveryCell) {
  TRaum r;
  r.Init(3, 4, 40);
  EXPECT_EQ(r.Width(), 3);
  EXPECT_EQ(r.Length(), 4);
  EXPECT_EQ(r.MaxHeight(), 31);
  r.AddItem(2, 3, kZiegel);
  r.SetMark(1, 1);
  r.Selected(0, 0)[5] = true;
  r.Init(2, 2, 6);
  EXPECT_EQ(r.MaxHeight(), 6);
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) {
      EXPECT_EQ(Describe(r, x, y), "");
      EXPECT_EQ(DirtyLevels(r, x, y), kLevels);
      EXPECT_FALSE(r.Cell(x, y).Selected[5]);
    }
  r.Init(1, 1, -5);
  EXPECT_EQ(r.MaxHeight(), 0);
}

TEST(Raum, CellScripts) {
  const Script scripts[] = {
      {"bricks up to the limit and down again", 3,
       {{Op::Brick, "z"}, {Op::Brick, "zz"}, {Op::Brick, "zzz"}, {Op::Brick, "zzz"},
        {Op::Remove, "zz"}, {Op::Remove, "z"}, {Op::Remove, ""}, {Op::Remove, ""}}},
      {"height 0: no brick, but a cuboid", 0, {{Op::Brick, ""}, {Op::Cuboid, "qq"}}},
      {"height 1: a cuboid still takes two levels", 1, {{Op::Cuboid, "qq"}, {Op::Brick, "qq"}}},
      {"nothing on a cuboid, removed in one go", 6,
       {{Op::Cuboid, "qq"}, {Op::Brick, "qq"}, {Op::Cuboid, "qq"}, {Op::Remove, ""}}},
      {"no cuboid on bricks", 6, {{Op::Brick, "z"}, {Op::Cuboid, "z"}}},
      {"no cuboid on a marked cell", 6, {{Op::Mark, "*"}, {Op::Cuboid, "*"}, {Op::Brick, "z*"}}},
      {"a cuboid may be marked afterwards", 6,
       {{Op::Cuboid, "qq"}, {Op::Mark, "qq*"}, {Op::Remove, "*"}, {Op::Unmark, ""}}},
      {"marks are independent of bricks", 6,
       {{Op::Brick, "z"}, {Op::Mark, "z*"}, {Op::Brick, "zz*"}, {Op::Remove, "z*"},
        {Op::Unmark, "z"}}},
  };
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.name);
    TRaum r;
    r.Init(1, 1, s.height);
    for (size_t i = 0; i < s.steps.size(); ++i) {
      Apply(r, s.steps[i].op);
      EXPECT_EQ(Describe(r, 0, 0), s.steps[i].after) << "after step " << i + 1;
    }
  }
}

TEST(Raum, DirtyFlagsNameExactlyTheLevelsThatChanged) {
  struct Case {
    const char* name;
    void (*prepare)(TRaum&);
    void (*act)(TRaum&);
    std::vector<int> dirty;  // levels of cell (0, 0) dirty afterwards
  };
  const Case cases[] = {
      {"brick on level 0", [](TRaum&) {}, [](TRaum& r) { r.AddItem(0, 0, kZiegel); }, {0}},
      {"brick on level 2", [](TRaum& r) { r.AddItem(0, 0, kZiegel); r.AddItem(0, 0, kZiegel); },
       [](TRaum& r) { r.AddItem(0, 0, kZiegel); }, {2}},
      {"removing frees the top level",
       [](TRaum& r) { r.AddItem(0, 0, kZiegel); r.AddItem(0, 0, kZiegel); },
       [](TRaum& r) { r.RemoveTop(0, 0); }, {1}},
      {"cuboid", [](TRaum&) {}, [](TRaum& r) { r.AddItem(0, 0, kQuader); }, {0, 1}},
      {"cuboid removed", [](TRaum& r) { r.AddItem(0, 0, kQuader); },
       [](TRaum& r) { r.RemoveTop(0, 0); }, {0, 1}},
      {"mark on a stack of 2", [](TRaum& r) { r.AddItem(0, 0, kZiegel); r.AddItem(0, 0, kZiegel); },
       [](TRaum& r) { r.SetMark(0, 0); }, {2}},
      {"mark set twice", [](TRaum& r) { r.SetMark(0, 0); }, [](TRaum& r) { r.SetMark(0, 0); }, {}},
      {"clearing no mark", [](TRaum&) {}, [](TRaum& r) { r.ClearMark(0, 0); }, {}},
      {"refused brick on a full stack",
       [](TRaum& r) { for (int i = 0; i < 6; ++i) r.AddItem(0, 0, kZiegel); },
       [](TRaum& r) { r.AddItem(0, 0, kZiegel); }, {}},
      {"refused remove on an empty cell", [](TRaum&) {}, [](TRaum& r) { r.RemoveTop(0, 0); }, {}},
      {"top of a cuboid", [](TRaum& r) { r.AddItem(0, 0, kQuader); },
       [](TRaum& r) { r.MarkTopDirty(0, 0); }, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRaum r;
    r.Init(2, 2, 6);
    c.prepare(r);
    r.ClearDirty();
    c.act(r);
    std::vector<int> dirty;
    for (int z = 0; z < kLevels; ++z)
      if (r.Cell(0, 0).Dirty[size_t(z)]) dirty.push_back(z);
    EXPECT_EQ(dirty, c.dirty);
    EXPECT_EQ(r.DirtyCells().size(), c.dirty.empty() ? 0u : 1u);
    EXPECT_EQ(r.AnyDirty(), !c.dirty.empty());
    EXPECT_EQ(DirtyLevels(r, 1, 1), 0);
  }
}

TEST(Raum, DirtyCellListHoldsEachChangedCellOnce) {
  TRaum r;
  r.Init(100, 100, 10);
  EXPECT_TRUE(r.AllDirty());
  EXPECT_TRUE(r.DirtyCells().empty());
  r.AddItem(5, 5, kZiegel);  // while all is dirty nothing needs listing
  EXPECT_TRUE(r.DirtyCells().empty());
  r.ClearDirty();
  EXPECT_FALSE(r.AllDirty());
  EXPECT_FALSE(r.AnyDirty());
  EXPECT_EQ(DirtyLevels(r, 99, 99), 0);

  r.AddItem(3, 4, kZiegel);
  r.SetMark(7, 8);
  r.AddItem(3, 4, kZiegel);
  r.MarkTopDirty(3, 4);
  EXPECT_EQ(r.DirtyCells(), (std::vector<TZellPos>{{3, 4}, {7, 8}}));
  r.ClearDirty();
  EXPECT_TRUE(r.DirtyCells().empty());
  EXPECT_EQ(DirtyLevels(r, 3, 4), 0);
  EXPECT_EQ(DirtyLevels(r, 7, 8), 0);
  r.MarkTopDirty(3, 4);  // listed again after a redraw
  EXPECT_EQ(r.DirtyCells(), (std::vector<TZellPos>{{3, 4}}));

  r.Clear();  // Clear marks everything again and keeps the size
  EXPECT_TRUE(r.AllDirty());
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(Describe(r, 3, 4), "");
  EXPECT_EQ(Describe(r, 7, 8), "");
  EXPECT_EQ(DirtyLevels(r, 50, 50), kLevels);
}

TEST(Raum, ClearKeepsTheSelectedFlags) {
  TRaum r;
  r.Init(2, 2, 3);
  r.Selected(1, 0)[2] = true;
  r.Clear();
  EXPECT_TRUE(r.Cell(1, 0).Selected[2]);
}

TEST(Raum, Queries) {
  TRaum r;
  r.Init(3, 1, 2);
  r.AddItem(0, 0, kZiegel);
  r.AddItem(1, 0, kQuader);
  EXPECT_EQ(r.ContentAt(0, 0, 0), kZiegel);
  EXPECT_EQ(r.ContentAt(0, 0, 1), kLeer);  // at Height
  EXPECT_EQ(r.ContentAt(1, 0, 1), kQuader);
  EXPECT_EQ(r.ContentAt(1, 0, 2), kLeer);
  EXPECT_EQ(r.BrickCount(0, 0), 1);
  EXPECT_EQ(r.BrickCount(1, 0), 0);  // a cuboid holds no bricks
  EXPECT_EQ(r.BrickCount(2, 0), 0);
  EXPECT_EQ(r.HeightDifference(0, 0, 1, 0), 1);
  EXPECT_EQ(r.HeightDifference(1, 0, 0, 0), 1);
  EXPECT_EQ(r.HeightDifference(1, 0, 2, 0), 2);  // a cuboid counts 2
  EXPECT_EQ(r.HeightDifference(2, 0, 1, 0), 2);
  EXPECT_TRUE(r.IsFull(1, 0));  // MaxHeight 2: a cuboid cell is full
  EXPECT_FALSE(r.IsFull(0, 0));
  r.AddItem(0, 0, kZiegel);
  EXPECT_TRUE(r.IsFull(0, 0));
  EXPECT_FALSE(r.HasMark(2, 0));
  r.SetMark(2, 0);
  EXPECT_TRUE(r.HasMark(2, 0));
}

// The ground map tells every cell's Height and whether it holds a cuboid, after any change,
// and its frame is blocked all around.
TEST(Raum, GroundMapFollowsEveryChange) {
  TRaum r;
  std::mt19937 rng(7);
  auto check = [&r](int round) {
    for (int32_t x = -1; x <= r.Width(); ++x) {
      for (int32_t y = -1; y <= r.Length(); ++y) {
        const uint8_t ground = r.Ground(r.GroundIndex(x, y));
        if (!r.Contains(x, y)) {
          ASSERT_EQ(ground, TRaum::kGroundBlocked) << "frame " << x << "," << y << " round " << round;
          continue;
        }
        const bool cuboid = r.ContentAt(x, y, 0) == kQuader;
        ASSERT_EQ(ground, r.Height(x, y) | (cuboid ? TRaum::kGroundBlocked : 0))
            << x << "," << y << " round " << round;
        for (uint8_t heading = 0; heading < 4; ++heading) {
          const int32_t nx = x + (heading == 1 ? -1 : heading == 3 ? 1 : 0);
          const int32_t ny = y + (heading == 0 ? 1 : heading == 2 ? -1 : 0);
          ASSERT_EQ(r.GroundIndex(x, y) + r.GroundOffset(heading), r.GroundIndex(nx, ny));
        }
      }
    }
  };
  for (int round = 0; round < 400; ++round) {
    const int32_t x = int32_t(rng() % 4), y = int32_t(rng() % 3);
    switch (rng() % 20) {
      case 0: r.Init(1 + int32_t(rng() % 4), 1 + int32_t(rng() % 3), int32_t(rng() % 6)); break;
      case 1: r.Clear(); break;
      default:
        if (!r.Contains(x, y)) break;
        if (rng() % 3 == 0) r.RemoveTop(x, y);
        else r.AddItem(x, y, rng() % 4 == 0 ? kQuader : kZiegel);
    }
    check(round);
  }
}

// The watcher hears of changes of content and mark only, never of a refused operation or of
// a Dirty flag set alone.
TEST(Raum, WatcherHearsOfEveryChangeOfContentOrMark) {
  struct TLog : TRaumWatcher {
    void CellChanged(int32_t x, int32_t y) override { text += std::to_string(x) + std::to_string(y) + " "; }
    void RoomReset() override { text += "reset "; }
    std::string text;
  } log;
  TRaum room;
  room.Init(3, 3, 2);
  room.SetWatcher(&log);
  room.AddItem(1, 2, kZiegel);
  room.AddItem(1, 2, kZiegel);
  room.AddItem(1, 2, kZiegel);   // full: refused
  room.AddItem(1, 2, kQuader);   // refused
  room.MarkTopDirty(0, 0);       // no change
  room.SetMark(0, 0);
  room.SetMark(0, 0);            // already marked
  room.AddItem(0, 0, kQuader);   // marked: refused
  room.ClearMark(0, 0);
  room.ClearMark(0, 0);
  room.AddItem(2, 0, kQuader);
  room.RemoveTop(2, 0);
  room.RemoveTop(2, 0);          // empty
  room.Clear();
  room.Init(2, 2, 2);
  EXPECT_EQ(log.text, "12 12 00 00 20 20 reset reset ");
  room.SetWatcher(nullptr);
  room.AddItem(0, 0, kZiegel);
  EXPECT_EQ(log.text, "12 12 00 00 20 20 reset reset ");
}
