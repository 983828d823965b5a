#include "task/class_grading.h"

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "task/course_file.h"
#include "task/grade_report.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"

namespace tumbo::task {
namespace {

namespace fs = std::filesystem;

TProgramGrade NoProgram(const TClassTask& task, const std::string& name, const std::string& reason) {
  TProgramGrade grade;
  grade.Name = name;
  for (size_t i = 0; i < task.Task.Worlds.size(); ++i)
    grade.Worlds.push_back(TWorldGrade{false, false, reason, {}, task.Task.IsHidden(i)});
  return grade;
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string TClassTask::Title() const {
  if (!Task.Task.Title.empty()) return Task.Task.Title;
  return fs::path(ProgramName).stem().string();
}

TClassWork WorkOfTask(TLoadedTask task) {
  TClassWork work;
  TClassTask t{std::move(task), {}};
  t.ProgramName = fs::path(t.Task.FileName).stem().string() + kProgramExtension;
  work.Title = t.Title();
  work.Tasks.push_back(std::move(t));
  return work;
}

std::string LoadClassWork(const std::string& fileName, TClassWork& out) {
  std::error_code ec;
  const bool course = fs::is_directory(fileName, ec) ||
                      tumbo::text::UpperCp1252(fs::path(fileName).extension().string()) == ".TDK";
  if (!course) {
    TLoadedTask task;
    if (const TTaskResult r = LoadTask(fileName, task); !r.Ok()) return r.Message;
    out = WorkOfTask(std::move(task));
    return {};
  }
  TLoadedCourse loaded;
  if (const TTaskResult r = LoadCourse(fileName, loaded); !r.Ok()) return r.Message;
  TClassWork work;
  work.Title = loaded.Course.Title;
  work.Course = true;
  for (const TCourseTask& t : loaded.Tasks) {
    TClassTask task;
    if (const TTaskResult r = LoadTask(t.Path, task.Task); !r.Ok()) return r.Message;
    task.ProgramName = t.Name + kProgramExtension;
    work.Tasks.push_back(std::move(task));
  }
  if (work.Tasks.empty()) return "Der Kurs " + std::string("\"") + tumbo::text::FileNameForMessage(fileName) + "\" nennt keine Aufgabe.";
  out = std::move(work);
  return {};
}

std::string TTaskOutcome::Cell() const {
  if (Kind != TSubmission::Program) return SubmissionName(Kind);
  return std::to_string(Grade.SolvedCount()) + "/" + std::to_string(Grade.Worlds.size());
}

int TPupilResult::SolvedTasks() const {
  return int(std::count_if(Tasks.begin(), Tasks.end(), [](const TTaskOutcome& t) { return t.Solved(); }));
}

TTaskOutcome GradePupilTask(const TClassWork& work, const TClassTask& task, const TPupil& pupil) {
  const TPupilProgram program = ReadPupilProgram(pupil, FindProgram(pupil, task.ProgramName, work.Course));
  TTaskOutcome out;
  out.Kind = program.Kind;
  out.ProgramPath = program.Path;
  out.Reason = program.Reason;
  if (program.Kind != TSubmission::Program) {
    const std::string name = SubmissionName(program.Kind);
    out.Grade = NoProgram(task, pupil.Name, program.Reason.empty() ? name : name + ": " + program.Reason);
    return out;
  }
  out.ProgramText = program.Text;
  std::string folder = fs::path(program.Path).parent_path().string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  out.Grade = GradeProgramText(task.Task, program.Text, folder, pupil.Name);
  // A forbidden or missing word also fails every world, but the program is a program.
  if (out.Grade.ProgramError.starts_with("[Fehlernr")) {
    out.Kind = TSubmission::SyntaxError;
    out.Reason = out.Grade.ProgramError;
  }
  return out;
}

std::vector<TPupilResult> GradeClass(const TClassWork& work, const std::vector<TPupil>& pupils, unsigned jobs,
                                     const TOutcomeReport& report, const std::atomic<bool>* stop) {
  const size_t taskCount = work.Tasks.size(), count = pupils.size() * taskCount;
  std::vector<std::optional<TTaskOutcome>> done(count);
  std::mutex mutex;
  std::condition_variable changed;
  size_t next = 0, running = 0;
  const auto stopped = [stop] { return stop && stop->load(); };
  auto worker = [&] {
    std::unique_lock lock(mutex);
    while (next < count && !stopped()) {
      const size_t i = next++;
      ++running;
      lock.unlock();
      TTaskOutcome outcome = GradePupilTask(work, work.Tasks[i % taskCount], pupils[i / taskCount]);
      lock.lock();
      --running;
      done[i] = std::move(outcome);
      changed.notify_all();
    }
    changed.notify_all();
  };
  std::vector<std::jthread> threads;
  const size_t threadCount = std::clamp<size_t>(jobs, 1, std::max<size_t>(count, 1));
  for (size_t t = 0; t < threadCount; ++t) threads.emplace_back(worker);

  std::vector<TPupilResult> results;
  for (size_t i = 0; i < count; ++i) {
    std::unique_lock lock(mutex);
    // Once stopped, an outcome that nobody grades any more never comes.
    changed.wait(lock, [&] { return done[i].has_value() || (stopped() && running == 0 && next <= i); });
    if (!done[i]) break;
    TTaskOutcome outcome = std::move(*done[i]);
    done[i].reset();
    lock.unlock();
    const size_t pupil = i / taskCount, task = i % taskCount;
    if (task == 0) results.push_back({pupils[pupil].Name, {}});
    results.back().Tasks.push_back(std::move(outcome));
    if (report) report(pupil, results.back(), task);
  }
  return results;
}

std::vector<std::string> PupilTextLines(const TClassWork& work, const TPupilResult& pupil) {
  if (!work.Course) {
    const TTaskOutcome& t = pupil.Tasks.at(0);
    if (t.Kind == TSubmission::Program || t.Kind == TSubmission::SyntaxError) return GradeTextLines(t.Grade);
    std::vector<std::string> lines{pupil.Name + ": " + SubmissionName(t.Kind)};
    if (!t.Reason.empty()) lines.push_back("  " + t.Reason);
    return lines;
  }
  std::vector<std::string> lines{pupil.Name + ": " + std::to_string(pupil.SolvedTasks()) + " von " +
                                 Count(int(work.Tasks.size()), "Aufgabe", "Aufgaben") + " gel\xF6st"};
  for (size_t k = 0; k < pupil.Tasks.size(); ++k) {
    const TTaskOutcome& t = pupil.Tasks[k];
    std::string line = "  " + work.Tasks[k].Title() + ": ";
    if (t.Kind == TSubmission::Program)
      line += std::to_string(t.Grade.SolvedCount()) + " von " +
              Count(int(t.Grade.Worlds.size()), "Welt", "Welten") + " gel\xF6st";
    else
      line += SubmissionName(t.Kind) + (t.Reason.empty() ? "" : ": " + t.Reason);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace tumbo::task
