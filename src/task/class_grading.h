#pragma once
// Grading a class: every pupil's program for every task of a task or a course, on several
// threads, reported in the order of pupils and tasks.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "task/class_folder.h"
#include "task/grader.h"

namespace tumbo::task {

struct TClassTask {
  TLoadedTask Task;
  std::string ProgramName;  // the file name of its program: "bis-zur-wand.tdp"
  std::string Title() const;  // the task's title, or the program's name without ".tdp"
};

// One task, or the tasks of a course in their order.
struct TClassWork {
  std::string Title;  // the task's or the course's title (Windows-1252)
  bool Course = false;
  std::vector<TClassTask> Tasks;
};

// The task of a task file as class work; its program is named after the task file.
TClassWork WorkOfTask(TLoadedTask task);
// Reads a task file (".tda") or a course file ("kurs.tdk") with its tasks; a German message
// (Windows-1252) when it cannot be read, else empty.
std::string LoadClassWork(const std::string& fileName, TClassWork& out);

struct TTaskOutcome {
  TSubmission Kind = TSubmission::NotSubmitted;
  std::string ProgramPath;  // native; empty when no file was found
  std::string ProgramText;  // Windows-1252, as read
  std::string Reason;       // more about a named result (Windows-1252)
  TProgramGrade Grade;      // the worlds, also for a named result (none solved, the reason given)
  bool Solved() const { return Kind == TSubmission::Program && Grade.SolvedAll(); }
  // "3/3", or the named result.
  std::string Cell() const;
};

struct TPupilResult {
  std::string Name;
  std::vector<TTaskOutcome> Tasks;  // one per task of the work, in its order
  int SolvedTasks() const;
};

// One pupil and one task.
TTaskOutcome GradePupilTask(const TClassWork& work, const TClassTask& task, const TPupil& pupil);

// Grades every pupil on every task on `jobs` threads (at least one) and tells `report` of each
// outcome (the pupil's result so far, whose last task is the new one) in the order of pupils,
// then tasks, as soon as it and all before it are done. When
// `stop` turns true, no new program is started: the pupils graded so far come back, the last
// of them possibly with fewer tasks.
using TOutcomeReport = std::function<void(size_t pupilIndex, const TPupilResult& pupil, size_t task)>;
std::vector<TPupilResult> GradeClass(const TClassWork& work, const std::vector<TPupil>& pupils, unsigned jobs,
                                     const TOutcomeReport& report = {}, const std::atomic<bool>* stop = nullptr);

// The text report of a pupil (Windows-1252 lines). One task: "NAME: K von N Welten gelöst" and
// the reasons of the worlds not solved, or "NAME: nicht abgegeben" (and what more is known).
// A course: "NAME: T von A Aufgaben gelöst", then one line per task.
std::vector<std::string> PupilTextLines(const TClassWork& work, const TPupilResult& pupil);

}  // namespace tumbo::task
