#include "task/grader.h"

#include <atomic>
#include <filesystem>
#include <functional>

#include "language/deep_stack.h"
#include "language/headless_run.h"
#include "task/goal_check.h"
#include "task/hidden_goal.h"
#include "task/word_rules.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace tumbo::task {
namespace {

// What of a run decides the grade besides the final world.
struct TRunRecord {
  int64_t StepLimit = 0;   // the limit passed, when the run was cut off
  int32_t StepLimitLine = 0;  // the line it was cut off in
  std::string Failure;     // the first abort or run-time error line
  std::string FirstNote;   // the first robot failure note
  void Clear() { *this = {}; }
};

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "; ") + p;
  return out;
}

std::string EndlessReason(int64_t steps, int32_t line) {
  return "Abgebrochen nach " + std::to_string(steps) + (steps == 1 ? " Schritt" : " Schritten") +
         " in Zeile " + std::to_string(line) + " \x96 l\xE4uft das Programm endlos?";
}

TWorldGrade Judge(const TRunRecord& run, const TWelt& world, const TTaskWorld& goal,
                  const TTask& task, bool hidden) {
  TWorldGrade grade;
  grade.Hidden = hidden;
  grade.FinalWorld = world.SaveToText();
  if (run.StepLimit > 0) {
    grade.Reason = EndlessReason(run.StepLimit, run.StepLimitLine);
  } else if (!run.Failure.empty()) {
    grade.Reason = run.Failure;
  } else {
    std::vector<std::string> reasons = hidden ? HiddenDifferencesFromGoal(world, goal.Goal, task.Criteria)
                                              : DifferencesFromGoal(world, goal.Goal, task.Criteria);
    if (task.NoNotes && !run.FirstNote.empty()) reasons.push_back(run.FirstNote);
    grade.Reason = Join(reasons);
  }
  grade.Solved = grade.Reason.empty();
  return grade;
}

// One program, compiled once, run headlessly on start worlds of a task.
class TWorldRuns {
 public:
  TWorldRuns(const TLoadedTask& task, const std::atomic<bool>* cancel)
      : task_(task), run_(world_, RunOptions(task), [this](const TRunLine& line) { Take(line); }) {
    if (cancel)
      run_.SetOnEvents([this, cancel] {
        if (cancel->load(std::memory_order_relaxed)) {
          cancelled_ = true;
          run_.Stop();
        }
      });
  }
  bool Compile(const std::string& text, const std::string& folder) { return run_.Compile(text, folder); }
  const std::string& CompilerMessage() const { return compilerMessage_; }
  int MaxDepth() const { return RunOptions(task_).MaxDepth; }

  TWorldGrade Grade(size_t index) {
    const TTaskWorld& w = task_.Worlds[index];
    world_.LoadFromText(w.StartBytes, w.StartFile);  // read once already when the task loaded
    record_.Clear();
    cancelled_ = false;
    run_.Run();
    if (cancelled_) return TWorldGrade{false, true, "Abgebrochen", world_.SaveToText(), task_.IsHidden(index)};
    return Judge(record_, world_, w, task_.Task, task_.IsHidden(index));
  }

 private:
  void Take(const TRunLine& line) {
    switch (line.Kind) {
      case TRunLineKind::CompilerError:
        if (compilerMessage_.empty()) compilerMessage_ = line.Text;
        break;
      case TRunLineKind::RunError:
      case TRunLineKind::Abort:
        if (record_.Failure.empty()) record_.Failure = line.Text;
        break;
      case TRunLineKind::Note:
        if (record_.FirstNote.empty()) record_.FirstNote = line.Text;
        break;
      case TRunLineKind::StepLimit:
        record_.StepLimit = task_.Task.MaxSteps;
        record_.StepLimitLine = run_.CurrentLine();
        break;
      case TRunLineKind::Step: break;
    }
  }

  const TLoadedTask& task_;
  TWelt world_;
  TRunRecord record_;
  std::string compilerMessage_;
  bool cancelled_ = false;
  THeadlessRun run_;
};

// Endless recursion runs up to the depth limit, deeper than an ordinary stack allows.
void RunDeep(int maxDepth, const std::function<void()>& work) {
  if (!RunWithStack(StackBytesForDepth(maxDepth), work)) work();
}

TProgramGrade NothingRan(const TLoadedTask& task, const std::string& name, std::string error) {
  TProgramGrade grade;
  grade.Name = name;
  grade.ProgramError = std::move(error);
  for (size_t i = 0; i < task.Worlds.size(); ++i)
    grade.Worlds.push_back(TWorldGrade{false, false, grade.ProgramError, {}, task.IsHidden(i)});
  return grade;
}

}  // namespace

THeadlessRunOptions RunOptions(const TLoadedTask& task) {
  THeadlessRunOptions options;
  options.MaxSteps = task.Task.MaxSteps;
  options.MaxJump = task.Task.MaxJump;
  options.Bricks = task.Task.Bricks;
  options.BrickStart = task.Task.BrickStart;
  options.MaxBrick = task.Task.MaxBrick;
  return options;
}

int TProgramGrade::SolvedCount() const {
  int n = 0;
  for (const TWorldGrade& w : Worlds) n += w.Solved;
  return n;
}

std::string WorldLine(int worldNumber, const std::string& reason, bool hidden) {
  return (hidden ? "Verdeckte Welt " : "Welt ") + std::to_string(worldNumber) + ": " + reason;
}

std::string WorldCount(size_t count) {
  return std::to_string(count) + (count == 1 ? " Welt" : " Welten");
}

std::string WordRuleMessage(const TLoadedTask& task, const std::string& text) {
  return Join(WordRuleViolations(task.Task, text));
}

std::string CompilerMessage(const std::string& text, const std::string& folder) {
  TWelt world;
  std::string message;
  THeadlessRun run(world, {}, [&](const TRunLine& line) {
    if (line.Kind == TRunLineKind::CompilerError && message.empty()) message = line.Text;
  });
  run.Compile(text, folder);
  return message;
}

TWorldGrade GradeWorld(const TLoadedTask& task, size_t index, const std::string& text,
                       const std::string& folder, const std::atomic<bool>* cancel) {
  TWorldRuns runs(task, cancel);
  if (!runs.Compile(text, folder))
    return TWorldGrade{false, false, runs.CompilerMessage(), {}, task.IsHidden(index)};
  if (std::string broken = WordRuleMessage(task, text); !broken.empty())
    return TWorldGrade{false, false, std::move(broken), {}, task.IsHidden(index)};
  TWorldGrade grade;
  RunDeep(runs.MaxDepth(), [&] { grade = runs.Grade(index); });
  return grade;
}

TProgramGrade GradeProgramText(const TLoadedTask& task, const std::string& text,
                               const std::string& folder, const std::string& name) {
  TWorldRuns runs(task, nullptr);
  if (!runs.Compile(text, folder)) return NothingRan(task, name, runs.CompilerMessage());
  if (std::string broken = WordRuleMessage(task, text); !broken.empty()) return NothingRan(task, name, broken);
  TProgramGrade grade;
  grade.Name = name;
  RunDeep(runs.MaxDepth(), [&] {
    for (size_t i = 0; i < task.Worlds.size(); ++i) grade.Worlds.push_back(runs.Grade(i));
  });
  return grade;
}

TProgramGrade GradeProgramFile(const TLoadedTask& task, const std::string& path) {
  const std::string name =
      tumbo::text::FileNameForMessage(std::filesystem::path(path).filename().string());
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(path, bytes, error)) return NothingRan(task, name, error);
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return GradeProgramText(task, tumbo::text::DecodeToCp1252(bytes), folder, name);
}

}  // namespace tumbo::task
