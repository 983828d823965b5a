// tumbo-cli grade TASK|COURSE INPUT... [--csv F] [--summary F] [--html F|DIR] [--jobs N]: grades
// every pupil's program on every start world of a task or of each task of a course. An input
// is a program file (a pupil named by the path) or a class folder (a pupil per sub-folder and
// per program file in it). Pupils are graded in parallel; the report keeps their order.
#include <algorithm>
#include <optional>
#include <thread>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/offscreen_app.h"
#include "cli/output_files.h"
#include "task/class_outputs.h"
#include "text/cp1252.h"
#include "world/qt/world_map_png.h"

using namespace tumbo::task;

namespace {

const std::string kUsage = CommandUsage("grade");
constexpr int kPictureWidth = 260;  // at most; small worlds keep their size

struct TGradeOptions {
  std::string Work;
  std::vector<std::string> Inputs;
  TClassOutputs Outputs;
  unsigned Jobs = std::max(1u, std::thread::hardware_concurrency());
};

// Fills `o` from the arguments; returns an error message (Windows-1252) or empty.
std::string ParseOptions(const TCliArgs& args, TGradeOptions& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--csv" || a == "--summary" || a == "--html") {
      if (!hasValue || args[i + 1].empty()) return a + " braucht einen Dateinamen.";
      (a == "--csv" ? o.Outputs.Csv : a == "--summary" ? o.Outputs.Summary : o.Outputs.Html) = args[++i];
    } else if (a == "--jobs") {
      const auto n = hasValue ? ParseNumber(args[++i], 1, 1024) : std::nullopt;
      if (!n) return "--jobs erwartet eine Zahl von 1 bis 1024.";
      o.Jobs = unsigned(*n);
    } else if (a.starts_with("--")) {
      return "Unbekannte Angabe: " + tumbo::text::Utf8ToCp1252(a);
    } else if (o.Work.empty()) {
      o.Work = a;
    } else {
      o.Inputs.push_back(a);
    }
  }
  if (o.Work.empty()) return "Keine Aufgabe angegeben.";
  if (o.Inputs.empty()) return "Kein Programm angegeben.";
  return {};
}

}  // namespace

int cmdGrade(const TCliArgs& args) {
  TGradeOptions o;
  if (const std::string error = ParseOptions(args, o); !error.empty()) return UsageError(error, kUsage);
  TClassWork work;
  if (const std::string error = LoadClassWork(o.Work, work); !error.empty()) {
    PrintError(error);
    return kExitUsage;
  }
  std::vector<std::string> read = o.Inputs;
  read.push_back(o.Work);
  for (const TClassTask& t : work.Tasks) {
    read.push_back(t.Task.FileName);
    for (const TTaskWorld& w : t.Task.Worlds) read.insert(read.end(), {w.StartFile, w.GoalFile});
  }
  if (RefuseOutputClash(read, {o.Outputs.Csv, o.Outputs.Summary, o.Outputs.Html})) return kExitUsage;
  // Nothing is written into a class folder either: it would become a pupil's.
  if (const std::string clash = OutputClash(o.Outputs, o.Work, o.Inputs); !clash.empty()) {
    PrintError(clash);
    return kExitUsage;
  }

  const std::vector<TPupil> pupils = FindPupils(o.Inputs);
  const std::vector<TPupilResult> results =
      GradeClass(work, pupils, o.Jobs, [&work](size_t, const TPupilResult& pupil, size_t task) {
        if (task + 1 < work.Tasks.size()) return;
        for (const std::string& line : PupilTextLines(work, pupil)) PrintLine(line);
        std::fflush(stdout);
      });

  std::optional<TOffscreenApp> app;  // the maps are drawn by the views
  THtmlReport report{ReportDateText(), {}};
  if (!o.Outputs.Html.empty()) {
    app.emplace();
    report.Painter = [](const std::string& world) { return WorldMapPng(world, kPictureWidth); };
  }
  std::string error;
  if (!WriteClassOutputs(work, results, o.Outputs, report, error)) {
    PrintError(error);
    return kExitUsage;
  }
  const bool all = std::all_of(results.begin(), results.end(),
                               [&work](const TPupilResult& p) { return p.SolvedTasks() == int(work.Tasks.size()); });
  return all ? kExitOk : kExitNotSolved;
}
