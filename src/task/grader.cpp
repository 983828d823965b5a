#include "task/grader.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

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
  std::string StepLimit;  // the step limit line, when the run was cut off
  std::string Failure;    // the first abort or run-time error line
  std::string FirstNote;  // the first robot failure note
  void Clear() { *this = {}; }
};

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : ", ") + p;
  return out;
}

TWorldGrade Judge(const TRunRecord& run, const TWelt& world, const TTaskWorld& goal,
                  const TTask& task, bool hidden) {
  TWorldGrade grade;
  grade.Hidden = hidden;
  grade.FinalWorld = world.SaveToText();
  if (!run.StepLimit.empty()) {
    grade.Reason = run.StepLimit;
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

TProgramGrade NothingRan(const TLoadedTask& task, const std::string& name, std::string error) {
  TProgramGrade grade;
  grade.Name = name;
  grade.ProgramError = std::move(error);
  for (size_t i = 0; i < task.Worlds.size(); ++i)
    grade.Worlds.push_back(TWorldGrade{false, grade.ProgramError, {}, task.IsHidden(i)});
  return grade;
}

}  // namespace

int TProgramGrade::SolvedCount() const {
  int n = 0;
  for (const TWorldGrade& w : Worlds) n += w.Solved;
  return n;
}

std::string WorldLine(int worldNumber, const std::string& reason, bool hidden) {
  return (hidden ? "Verdeckte Welt " : "Welt ") + std::to_string(worldNumber) + ": " + reason;
}

TProgramGrade GradeProgramText(const TLoadedTask& task, const std::string& text,
                               const std::string& folder, const std::string& name) {
  TWelt world;
  TRunRecord record;
  std::string compilerMessage;
  THeadlessRunOptions options;
  options.MaxSteps = task.Task.MaxSteps;
  options.MaxJump = task.Task.MaxJump;
  options.Bricks = task.Task.Bricks;
  options.BrickStart = task.Task.BrickStart;
  options.MaxBrick = task.Task.MaxBrick;
  THeadlessRun run(world, options, [&](const TRunLine& line) {
    switch (line.Kind) {
      case TRunLineKind::CompilerError:
        if (compilerMessage.empty()) compilerMessage = line.Text;
        break;
      case TRunLineKind::RunError:
      case TRunLineKind::Abort:
        if (record.Failure.empty()) record.Failure = line.Text;
        break;
      case TRunLineKind::Note:
        if (record.FirstNote.empty()) record.FirstNote = line.Text;
        break;
      case TRunLineKind::StepLimit: record.StepLimit = line.Text; break;
      case TRunLineKind::Step: break;
    }
  });
  if (!run.Compile(text, folder)) return NothingRan(task, name, compilerMessage);
  if (const std::vector<std::string> broken = WordRuleViolations(task.Task, text); !broken.empty())
    return NothingRan(task, name, Join(broken));

  TProgramGrade grade;
  grade.Name = name;
  const auto runAll = [&] {
    for (size_t i = 0; i < task.Worlds.size(); ++i) {
      const TTaskWorld& w = task.Worlds[i];
      world.LoadFromText(w.StartBytes, w.StartFile);  // read once already when the task loaded
      record.Clear();
      run.Run();
      grade.Worlds.push_back(Judge(record, world, w, task.Task, task.IsHidden(i)));
    }
  };
  // Endless recursion runs up to the depth limit, deeper than an ordinary stack allows.
  if (!RunWithStack(StackBytesForDepth(options.MaxDepth), runAll)) runAll();
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

std::vector<TProgramGrade> GradePrograms(const TLoadedTask& task, const std::vector<std::string>& paths,
                                         unsigned jobs,
                                         const std::function<void(const TProgramGrade&)>& report) {
  const size_t count = paths.size();
  std::vector<std::optional<TProgramGrade>> done(count);
  std::atomic<size_t> next{0};
  std::mutex mutex;
  std::condition_variable finished;
  auto worker = [&] {
    for (size_t i; (i = next++) < count;) {
      TProgramGrade grade = GradeProgramFile(task, paths[i]);
      const std::lock_guard lock(mutex);
      done[i] = std::move(grade);
      finished.notify_one();
    }
  };
  std::vector<std::jthread> threads;
  const size_t threadCount = std::clamp<size_t>(jobs, 1, std::max<size_t>(count, 1));
  for (size_t t = 0; t < threadCount; ++t) threads.emplace_back(worker);
  std::vector<TProgramGrade> grades;
  for (size_t i = 0; i < count; ++i) {
    std::unique_lock lock(mutex);
    finished.wait(lock, [&] { return done[i].has_value(); });
    grades.push_back(std::move(*done[i]));
    lock.unlock();
    if (report) report(grades.back());
  }
  return grades;
}

}  // namespace tumbo::task
