#include "differential_run.h"

#include <algorithm>
#include <random>

#include "language/headless_host.h"
#include "language/parser.h"
#include "reference_interpreter.h"
#include "world/run_recorder.h"
#include "world/welt.h"

namespace {

// A host that is not the headless one itself: the engine then calls it through the table.
class TPlainHost : public TTumbo_HeadlessHost {};

// What a view shows of a cell: its content and mark, and the robot with its heading.
uint16_t Look(const TWelt& world, int32_t x, int32_t y) {
  const TTumbo& robot = world.Robot;
  const bool here = robot.X == x && robot.Y == y;
  return uint16_t(cell_code::Of(world.Room.Cell(x, y)) | (here ? 0x100 | robot.Heading << 10 : 0));
}

std::string Place(const TTumbo& robot) {
  return std::to_string(robot.X) + "," + std::to_string(robot.Y) + "," +
         robot.HeadingLetter() + "," + std::to_string(robot.Carried);
}

// What a user does in one round of event handling: mostly nothing; in single-step mode
// mostly the next step; now and then stop, pause, go on, switch the pace or move the
// breakpoint. Every action is logged.
void ActOnEvents(TTumbo_Parser& engine, std::mt19937& rng, int32_t lines,
                 std::vector<std::string>& log) {
  const uint32_t r = rng() % 1000;
  if (engine.RunMode == 3) {
    if (r < 500) {
      engine.RequestStep();
    } else if (r < 540) {
      engine.RunMode = uint8_t(1 + rng() % 2);
      log.push_back("E:mode" + std::to_string(engine.RunMode));
    } else if (r < 550) {
      engine.Stop();
      log.push_back("E:stop");
    }
  } else if (engine.RunMode != 0) {
    if (r < 2) {
      engine.Stop();
      log.push_back("E:stop");
    } else if (r < 6) {
      engine.RunMode = uint8_t(1 + rng() % 3);
      log.push_back("E:mode" + std::to_string(engine.RunMode));
    } else if (r < 9) {
      engine.BreakLine = rng() % 3 == 0 ? -1 : int32_t(1 + rng() % uint32_t(lines + 1));
      log.push_back("E:break" + std::to_string(engine.BreakLine));
    } else if (r < 11) {
      engine.Delay = int32_t(rng() % 5);
      log.push_back("E:delay" + std::to_string(engine.Delay));
    }
  }
}

}  // namespace

TRunRecord RecordRun(const TRandomCase& c, TEngineKind kind) {
  TRunRecord record;
  std::vector<std::string>& log = record.Log;
  TWelt world;
  BuildWorld(c, world);
  TPlainHost plainHost;
  TTumbo_HeadlessHost headlessHost;
  TTumbo_HeadlessHost& host = c.PlainHost ? plainHost : headlessHost;
  TTumbo_Parser engine(
      world, host,
      [&log](int number, int line, const std::string& text) {
        log.push_back(FormatErrorLine(number, line, text));
      },
      [&log](int k, int line, const std::string& text) {
        log.push_back(FormatRunMessageLine(k, line, text));
      });
  if (c.Trace) {
    // Every step point follows a counted statement or a loop pass that counted at least one:
    // more of them than that, and the run would not end at its limit.
    const uint64_t maxSteps = 2 * uint64_t(c.StatementLimit) + 4;
    engine.OnStep = [&, steps = uint64_t(0), maxSteps]() mutable {
      log.push_back("@" + std::to_string(engine.CurrentLine) + " " + Place(world.Robot));
      if (c.StatementLimit > 0 && ++steps > maxSteps && !engine.Stopped) {
        log.push_back(kRunWithoutEnd);
        engine.Stop();
      }
    };
  }
  std::mt19937 rng(c.EventSeed);
  if (c.Events) host.OnEvents = [&] { ActOnEvents(engine, rng, c.Lines, log); };
  engine.Hint = c.Hint;
  engine.StopOnError = c.StopOnError;
  engine.Delay = c.Delay;
  engine.MaxDepth = c.MaxDepth;
  engine.StatementLimit = c.StatementLimit;
  engine.OnStatementLimit = [&log] { log.push_back("limit"); };
  TRunRecorder recorder(world);
  if (c.Record) engine.Recorder = &recorder;
  record.Compiled = engine.Compile(c.Program, "");
  if (!record.Compiled) return record;
  std::vector<uint16_t> startLooks;
  for (int32_t x = 0; x < world.Room.Width(); ++x)
    for (int32_t y = 0; y < world.Room.Length(); ++y) startLooks.push_back(Look(world, x, y));
  if (kind == TEngineKind::Flat) engine.Run(c.Mode);
  else TReferenceInterpreter(engine, host).Run(c.Mode);

  const TTumbo& robot = world.Robot;
  std::string& f = record.Final;
  f += "world " + world.SaveToText() + "\n";
  f += "robot " + Place(robot) + " failed " + std::to_string(robot.Failed) + " " + robot.Message + "\n";
  f += "engine count " + std::to_string(engine.StatementCount) + " limit " +
       std::to_string(engine.StatementLimitReached) + " line " + std::to_string(engine.CurrentLine) +
       " mode " + std::to_string(engine.RunMode) + " fast " + std::to_string(engine.Fast) +
       " stopped " + std::to_string(engine.Stopped) + " break " + std::to_string(engine.BreakLine) +
       "\n";
  f += "host views " + std::to_string(host.ViewUpdates) + " events " +
       std::to_string(host.EventRounds) + " waited " + std::to_string(host.WaitedMs) + " sounds " +
       std::to_string(host.SoundsPlayed) + " clock " + std::to_string(host.Clock) + "\n";
  // The views need every cell that looks other than at the start marked; more marks only
  // cost a redraw (the engines may mark the cells the robot passed through, or not).
  f += "changed";
  const TRaum& room = world.Room;
  for (int32_t x = 0; x < room.Width(); ++x)
    for (int32_t y = 0; y < room.Length(); ++y) {
      const size_t cell = size_t(x) * size_t(room.Length()) + size_t(y);
      if (Look(world, x, y) == startLooks[cell]) continue;
      const auto& dirty = room.DirtyCells();
      const bool marked = std::find(dirty.begin(), dirty.end(), TZellPos{x, y}) != dirty.end();
      f += " " + std::to_string(x) + "," + std::to_string(y) + (marked ? "" : " (not marked)");
    }
  // Every recorded step: the quiet run's steps are seen nowhere else.
  for (uint64_t n = recorder.FirstStep(); !recorder.Empty() && n <= recorder.LastStep(); ++n) {
    const TRecordedStep s = recorder.Step(n);
    f += "\nstep " + std::to_string(s.Line) + " " + std::to_string(s.X) + "," +
         std::to_string(s.Y) + "," + std::to_string(s.Heading) + "," + std::to_string(s.Carried) +
         " failure " + std::to_string(s.Failure);
  }
  return record;
}

std::string CompareRecords(const TRunRecord& flat, const TRunRecord& reference) {
  if (flat.Compiled != reference.Compiled) return "compiled differently";
  const size_t n = std::min(flat.Log.size(), reference.Log.size());
  for (size_t i = 0; i < n; ++i) {
    if (flat.Log[i] != reference.Log[i])
      return "entry " + std::to_string(i) + ": engine \"" + flat.Log[i] + "\", reference \"" +
             reference.Log[i] + "\"";
  }
  if (flat.Log.size() != reference.Log.size())
    return "engine logged " + std::to_string(flat.Log.size()) + " entries, reference " +
           std::to_string(reference.Log.size());
  if (flat.Final != reference.Final)
    return "end state: engine\n" + flat.Final + "\nreference\n" + reference.Final;
  return {};
}
