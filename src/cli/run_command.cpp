// tumbo-cli run PROGRAM [options]: compile, then run in normal mode with delay 0 against the
// given or the start world, printing every information-list line as it happens.
#include <cstdio>
#include <string>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/output_files.h"
#include "language/deep_stack.h"
#include "language/headless_run.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "world/history_file.h"
#include "world/run_recorder.h"
#include "world/welt.h"

namespace {

const std::string kUsage = CommandUsage("run");

// The deepest --max-depth: a million levels need about 2 GB of stack.
constexpr int kMaxDepthLimit = 1000000;

struct TRunOptions : THeadlessRunOptions {
  std::string Program;
  std::string World;
  std::string Out;  // "-" for stdout
  std::string History;  // "-" for stdout
};

// Fills `o` from the arguments; returns an error message (Windows-1252) or empty.
std::string ParseOptions(const TCliArgs& args, TRunOptions& o) {
  auto value = [&args](size_t& i) -> const std::string* {
    return i + 1 < args.size() ? &args[++i] : nullptr;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--world" || a == "--out" || a == "--history") {
      const std::string* v = value(i);
      if (!v || v->empty()) return a + " braucht einen Dateinamen.";
      (a == "--world" ? o.World : a == "--out" ? o.Out : o.History) = *v;
    } else if (a == "--max-jump") {
      const std::string* v = value(i);
      const auto n = v ? ParseNumber(*v, 0, 2147483647) : std::nullopt;
      if (!n) return "--max-jump erwartet eine Zahl ab 0.";
      o.MaxJump = static_cast<int32_t>(*n);
    } else if (a == "--bricks") {
      const std::string* start = value(i);
      const std::string* max = value(i);
      const auto s = start ? ParseNumber(*start, 0, 2147483647) : std::nullopt;
      const auto m = max ? ParseNumber(*max, 0, 2147483647) : std::nullopt;
      if (!s || !m) return "--bricks erwartet zwei Zahlen ab 0: START MAX.";
      o.Bricks = true;
      o.BrickStart = static_cast<int32_t>(*s);
      o.MaxBrick = static_cast<int32_t>(*m);
    } else if (a == "--errors") {
      const std::string* v = value(i);
      if (!v) return "--errors braucht none, hint, abort oder both.";
      if (*v == "none") o.Hint = o.StopOnError = false;
      else if (*v == "hint") o.Hint = true, o.StopOnError = false;
      else if (*v == "abort") o.Hint = false, o.StopOnError = true;
      else if (*v == "both") o.Hint = o.StopOnError = true;
      else return "--errors erwartet none, hint, abort oder both.";
    } else if (a == "--trace") {
      o.Trace = true;
    } else if (a == "--max-steps") {
      const std::string* v = value(i);
      const auto n = v ? ParseNumber(*v, 1, 9223372036854775807LL) : std::nullopt;
      if (!n) return "--max-steps erwartet eine Zahl ab 1.";
      o.MaxSteps = *n;
    } else if (a == "--max-depth") {
      const std::string* v = value(i);
      const auto n = v ? ParseNumber(*v, 1, kMaxDepthLimit) : std::nullopt;
      if (!n) return "--max-depth erwartet eine Zahl von 1 bis " + std::to_string(kMaxDepthLimit) + ".";
      o.MaxDepth = static_cast<int>(*n);
    } else if (a.starts_with("--") || !o.Program.empty()) {
      return "Unbekannte Angabe: " + tumbo::text::Utf8ToCp1252(a);
    } else {
      o.Program = a;
    }
  }
  if (o.Program.empty()) return "Kein Programm angegeben.";
  return {};
}

bool LoadWorld(TWelt& world, const std::string& fileName) {
  const TWorldFileResult result = world.LoadFromFile(fileName);
  if (result.Ok()) return true;
  if (!result.Message.empty()) PrintError(result.Message);
  else PrintError("Die Datei " + tumbo::text::Utf8ToCp1252(fileName) + " ist keine Weltdatei.");
  return false;
}

// Writes `bytes` to the file `target` through the safe writer, or to stdout for "-".
bool WriteOutput(const std::string& target, const std::string& bytes) {
  if (target == "-") {
    PrintBytes(bytes);
    return true;
  }
  std::string error;
  if (tumbo::text::WriteFileAtomic(target, bytes, error)) return true;
  PrintError(error);
  return false;
}

}  // namespace

int cmdRun(const TCliArgs& args) {
  TRunOptions o;
  if (const std::string error = ParseOptions(args, o); !error.empty()) return UsageError(error, kUsage);
  if (RefuseOutputClash({o.Program, o.World}, {o.Out, o.History})) return kExitUsage;
  const auto file = ReadProgramFile(o.Program);
  if (!file) return kExitUsage;

  TWelt world;
  if (!o.World.empty() && !LoadWorld(world, o.World)) return kExitUsage;
  THeadlessRun run(world, o, [](const TRunLine& line) { PrintLine(line.Text); });
  TRunRecorder history(world);
  if (!o.History.empty()) run.SetRecorder(&history);
  if (!run.Compile(file->Text, file->Folder)) return kExitProgramErrors;
  if (!RunWithStack(StackBytesForDepth(o.MaxDepth), [&run] { run.Run(); })) {
    PrintError("Zu wenig Speicher f\xFCr --max-depth " + std::to_string(o.MaxDepth) +
               ": Bitte eine kleinere Tiefe angeben.");
    return kExitUsage;
  }

  if (!o.Out.empty() && !WriteOutput(o.Out, world.SaveToText())) return kExitUsage;
  if (!o.History.empty() && !WriteOutput(o.History, HistoryText(history))) return kExitUsage;
  return run.StepLimitReached() ? kExitStepLimit : kExitOk;
}
