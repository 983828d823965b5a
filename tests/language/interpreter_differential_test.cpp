// The interpreter against the reference interpreter (the former tree walk) on random programs
// and worlds: the same steps, messages, event rounds and final world, to the letter.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "differential_run.h"
#include "random_case.h"

namespace {

TChoices Seeded(std::mt19937& rng) {
  return [&rng](uint32_t bound) { return static_cast<uint32_t>(rng() % bound); };
}

bool Contains(const TRunRecord& r, const std::string& part) {
  for (const std::string& entry : r.Log)
    if (entry.find(part) != std::string::npos) return true;
  return false;
}

}  // namespace

TEST(InterpreterDifferential, RandomProgramsRunExactlyAsInTheReference) {
  int compiled = 0, failures = 0, limits = 0, tooDeep = 0, stops = 0, steps = 0;
  int quietRecorded = 0;  // runs where no callback sees the steps but the recorder does
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    std::mt19937 rng(seed);
    const TRandomCase c = MakeRandomCase(Seeded(rng));
    const TRunRecord flat = RecordRun(c, TEngineKind::Flat);
    const TRunRecord reference = RecordRun(c, TEngineKind::Reference);
    ASSERT_EQ(CompareRecords(flat, reference), "") << "seed " << seed << ":\n" << c.Program;
    compiled += reference.Compiled;
    failures += Contains(reference, "Tumbo");
    limits += Contains(reference, "limit");
    tooDeep += Contains(reference, "Zu tiefe Rekursion");
    stops += Contains(reference, "E:stop");
    steps += Contains(reference, "@");
    const bool quiet = !c.Events && !c.PlainHost && (!c.Trace || c.Mode == 2);
    quietRecorded += quiet && reference.Final.find("\nstep ") != std::string::npos;
  }
  // The cases reach what they are meant to compare.
  EXPECT_GT(compiled, 300);
  EXPECT_GT(failures, 50);
  EXPECT_GT(limits, 20);
  EXPECT_GT(tooDeep, 5);
  EXPECT_GT(stops, 5);
  EXPECT_GT(steps, 100);
  EXPECT_GT(quietRecorded, 20);
}

// Loops that only move, turn and ask plain questions run natively while nothing looks; the
// statement limit falls on every statement of a pass, with and without recording (long runs
// of steps kept in compact form), and in worlds where steps fail at cuboids, walls and
// heights.
TEST(InterpreterDifferential, RobotLoopsRunExactlyAsInTheReference) {
  const char* const kPrograms[] = {
      "wiederhole 600 mal\r\n  wenn IstWand dann LinksDrehen sonst Schritt *wenn\r\n*wiederhole\r\n",
      "wiederhole 600 mal\r\n  wenn IstWand dann LinksDrehen *wenn\r\n  Schritt\r\n*wiederhole\r\n",
      "wiederhole 600 mal\r\n  Schritt\r\n  LinksDrehen\r\n  LinksDrehen\r\n*wiederhole\r\n",
      "wiederhole 600 mal\r\n  wenn NichtIstWand dann Schritt *wenn\r\n*wiederhole\r\n",
      "wiederhole 600 mal\r\n  wenn nicht NichtIstWand dann\r\n  sonst\r\n    Schritt\r\n"
      "    Schritt\r\n  *wenn\r\n  wenn IstMarke dann RechtsDrehen *wenn\r\n"
      "  wenn IstNorden dann LinksDrehen sonst RechtsDrehen *wenn\r\n*wiederhole\r\n",
  };
  for (const char* program : kPrograms) {
    for (uint32_t world = 0; world < 6; ++world) {
      for (int64_t limit = 1; limit <= 25; ++limit) {
        for (const bool record : {false, true}) {
          TRandomCase c;
          c.Program = program;
          c.Lines = 12;
          c.Width = 3 + int32_t(world);
          c.Length = 4;
          c.Height = world < 4 ? 5 : 0;  // no bricks nor cuboids: long runs without a failure
          c.WorldSeed = world;
          c.MaxJump = int32_t(world % 2);
          c.StatementLimit = limit <= 24 ? limit * 7 : 3000;  // the last: long enough to keep
                                                               // steps in compact form
          c.Record = record;
          const std::string difference =
              CompareRecords(RecordRun(c, TEngineKind::Flat), RecordRun(c, TEngineKind::Reference));
          ASSERT_EQ(difference, "") << program << "world " << world << " limit " << c.StatementLimit
                                    << " recorded " << record;
        }
      }
    }
  }
}

// Loops whose bodies count nothing (cut off by SONST before their end words, or holding only a
// definition) count each pass as one statement in every way a run goes: quiet or not, traced,
// paused, with events that stop, pause or step the run.
TEST(InterpreterDifferential, PassesThatCountNothingRunExactlyAsInTheReference) {
  const char* const kPrograms[] = {
      "Programm\r\nsolange NichtIstMarke tue\r\nsonst\r\n",
      "Programm\r\nwiederhole immer\r\nsonst\r\n",
      "Programm\r\nwiederhole 7 mal\r\nAnweisung A Schritt *Anweisung\r\nsonst\r\n",
      "Bedingung Immer wahr *Bedingung\r\nwiederhole solange Immer\r\nsonst\r\n",
      "Programm\r\nwiederhole 3 mal\r\nLinksDrehen\r\nsolange NichtIstMarke tue\r\nsonst\r\n",
  };
  for (const char* program : kPrograms) {
    for (uint32_t variant = 0; variant < 48; ++variant) {
      TRandomCase c;
      c.Program = program;
      c.Lines = 6;
      c.Events = variant & 8;
      c.Mode = uint8_t(1 + variant % (c.Events ? 3 : 2));  // single steps need the events
      c.Trace = variant & 4;
      c.PlainHost = variant & 16;
      c.Record = variant & 32;
      c.Delay = variant % 5 == 0 ? 20 : 0;
      c.EventSeed = variant;
      c.StatementLimit = 3 + variant % 11;
      const TRunRecord flat = RecordRun(c, TEngineKind::Flat);
      ASSERT_EQ(CompareRecords(flat, RecordRun(c, TEngineKind::Reference)), "")
          << program << "variant " << variant;
      EXPECT_TRUE(std::find(flat.Log.begin(), flat.Log.end(), kRunWithoutEnd) == flat.Log.end());
    }
  }
}
