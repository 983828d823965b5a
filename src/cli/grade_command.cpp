// tumbo-cli grade TASK PROGRAM... [--csv FILE] [--html FILE] [--jobs N]: runs every program on
// every start world of a task and compares the final worlds with the goals. Programs are graded
// in parallel (see GradePrograms); the report keeps the order given.
#include <algorithm>
#include <thread>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/grade_html.h"
#include "cli/offscreen_app.h"
#include "cli/output_files.h"
#include "task/grade_report.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"

using namespace tumbo::task;

namespace {

const std::string kUsage = CommandUsage("grade");

struct TGradeOptions {
  std::string Task;
  std::vector<std::string> Programs;
  std::string Csv;
  std::string Html;
  unsigned Jobs = std::max(1u, std::thread::hardware_concurrency());
};

// Fills `o` from the arguments; returns an error message (Windows-1252) or empty.
std::string ParseOptions(const TCliArgs& args, TGradeOptions& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--csv" || a == "--html") {
      if (!hasValue || args[i + 1].empty()) return a + " braucht einen Dateinamen.";
      (a == "--csv" ? o.Csv : o.Html) = args[++i];
    } else if (a == "--jobs") {
      const auto n = hasValue ? ParseNumber(args[++i], 1, 1024) : std::nullopt;
      if (!n) return "--jobs erwartet eine Zahl von 1 bis 1024.";
      o.Jobs = unsigned(*n);
    } else if (a.starts_with("--")) {
      return "Unbekannte Angabe: " + tumbo::text::Utf8ToCp1252(a);
    } else if (o.Task.empty()) {
      o.Task = a;
    } else {
      o.Programs.push_back(a);
    }
  }
  if (o.Task.empty()) return "Keine Aufgabe angegeben.";
  if (o.Programs.empty()) return "Kein Programm angegeben.";
  return {};
}

bool WriteReport(const std::string& path, const std::string& bytes) {
  std::string error;
  if (tumbo::text::WriteFileAtomic(path, bytes, error)) return true;
  PrintError(error);
  return false;
}

}  // namespace

int cmdGrade(const TCliArgs& args) {
  TGradeOptions o;
  if (const std::string error = ParseOptions(args, o); !error.empty()) return UsageError(error, kUsage);
  TLoadedTask task;
  if (const TTaskResult r = LoadTask(o.Task, task); !r.Ok()) {
    PrintError(r.Message);
    return kExitUsage;
  }
  std::vector<std::string> inputs = o.Programs;
  inputs.push_back(o.Task);
  for (const TTaskWorld& w : task.Worlds) inputs.insert(inputs.end(), {w.StartFile, w.GoalFile});
  if (RefuseOutputClash(inputs, {o.Csv, o.Html})) return kExitUsage;

  const std::vector<TProgramGrade> grades = GradePrograms(task, o.Programs, o.Jobs, [](const TProgramGrade& g) {
    for (const std::string& line : GradeTextLines(g)) PrintLine(line);
    std::fflush(stdout);
  });

  bool written = o.Csv.empty() || WriteReport(o.Csv, GradeCsv(grades));
  if (!o.Html.empty()) {
    const TOffscreenApp app;
    written = WriteReport(o.Html, GradeHtml(task, grades)) && written;
  }
  if (!written) return kExitUsage;
  const bool all = std::all_of(grades.begin(), grades.end(), [](const TProgramGrade& g) { return g.SolvedAll(); });
  return all ? kExitOk : kExitNotSolved;
}
