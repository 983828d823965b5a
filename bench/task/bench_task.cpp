// Grading a class: 30 programs on the 3 start worlds of a typical task, on one thread and on
// all cores. Among the programs are solutions, wrong solutions and two endless loops that run
// up to the task's step limit (100000). Opening a course of 40 tasks with a pupil's progress
// (for the panel "Kurs": under 100 ms), and checking a model solution on a task of 4 worlds
// (F10: under 50 ms).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "task/class_grading.h"
#include "task/course_file.h"
#include "task/grader.h"
#include "task/progress.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

struct TClass {
  TLoadedTask Task;
  std::vector<std::string> Programs;
  fs::path Folder;

  TClass() {
    if (!LoadTask(std::string(TUMBO_DATA_DIR) + "/aufgaben/bis-zur-wand.tda", Task).Ok()) std::abort();
    Folder = fs::temp_directory_path() / ("tumbo_bench_task_" + std::to_string(getpid()));
    fs::create_directories(Folder);
    const std::string solutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";
    const std::string endless = "Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm";
    for (int i = 0; i < 30; ++i) {
      const fs::path p = Folder / ("schueler-" + std::to_string(i) + ".tdp");
      if (i < 2) std::ofstream(p, std::ios::binary) << endless;
      else fs::copy_file(solutions + (i % 2 ? "bis-zur-wand-falsch.tdp" : "bis-zur-wand-loesung.tdp"), p);
      Programs.push_back(p.string());
    }
  }
  ~TClass() { fs::remove_all(Folder); }
};

void BM_GradeClass(benchmark::State& state) {
  static const TClass cls;
  static const TClassWork work = WorkOfTask(cls.Task);
  static const std::vector<TPupil> pupils = FindPupils(cls.Programs);
  for (auto _ : state) {
    const auto results = GradeClass(work, pupils, unsigned(state.range(0)));
    benchmark::DoNotOptimize(results.data());
  }
}
BENCHMARK(BM_GradeClass)
    ->Arg(1)
    ->Arg(int(std::max(1u, std::thread::hardware_concurrency())))
    ->ArgName("jobs")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A folder in the temp folder, removed with the object.
struct TTempFolder {
  fs::path Path;
  explicit TTempFolder(const std::string& name)
      : Path(fs::temp_directory_path() / ("tumbo_bench_" + name + "_" + std::to_string(getpid()))) {
    fs::create_directories(Path);
  }
  ~TTempFolder() { fs::remove_all(Path); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path / name, std::ios::binary) << bytes;
  }
};

// A room of `length` × `length` with the robot in the north-west corner facing south; the goal:
// the robot at the south wall.
std::string Corridor(int length, int goalY) {
  std::string line = "TumboVersion2Deutsch " + std::to_string(length) + " " + std::to_string(length) + " 2 0 " +
                     std::to_string(goalY) + " 0";
  for (int i = 0; i < length * length; ++i) line += " n n o";
  return line;
}

// 7 sections of 5 or 6 tasks (40 in all), each task with 3 worlds in the file, and the progress
// of a pupil who has worked on every one of them.
struct TCourse40 {
  TTempFolder Course{"course"}, Pupil{"pupil"};
  TCourse40() {
    std::string course = "[Kurs]\r\nTitel=Vierzig Aufgaben\r\nText=Zum Messen.\r\n";
    std::string progress;
    for (int t = 0; t < 40; ++t) {
      const std::string name = "aufgabe-" + std::to_string(t + 1);
      if (t % 6 == 0) course += "[Abschnitt" + std::to_string(t / 6 + 1) + "]\r\nTitel=Teil " + std::to_string(t / 6 + 1) + "\r\n";
      course += "Aufgabe" + std::to_string(t % 6 + 1) + "=" + name + ".tda\r\n";
      std::string task = "[Aufgabe]\r\nTitel=Aufgabe " + std::to_string(t + 1) +
                         "\r\nText=Tumbo geht bis zur Wand.\r\nTipp1=Frag mit IstWand.\r\nGefordert=solange\r\n";
      for (int w = 0; w < 3; ++w) {
        const int n = 5 + 3 * w;
        task += "[Welt" + std::to_string(w + 1) + "]\r\nStartWelt=" + Corridor(n, 0) + "\r\nZielWelt=" + Corridor(n, n - 1) + "\r\n";
      }
      Course.Write(name + ".tda", task);
      progress += "[" + name + "]\r\nZustand=geloest\r\nVersuche=3\r\nGeloestAm=2026-12-11\r\nTipps=1\r\n";
    }
    Course.Write("kurs.tdk", course);
    Pupil.Write("fortschritt.ini", progress);
  }
};

void BM_OpenCourseWithProgress(benchmark::State& state) {
  static const TCourse40 data;
  for (auto _ : state) {
    TLoadedCourse course;
    if (!LoadCourse(data.Course.Path.string(), course).Ok() || course.Tasks.size() != 40) std::abort();
    TProgress progress;
    std::string error;
    if (!progress.Load(data.Pupil.Path.string(), error)) std::abort();
    int solved = 0;
    for (const TCourseTask& t : course.Tasks) solved += progress.Get(t.Name).State == TTaskState::Solved;
    benchmark::DoNotOptimize(solved);
  }
}
BENCHMARK(BM_OpenCourseWithProgress)->Unit(benchmark::kMillisecond);

// A task of 4 worlds up to 20 × 20 fields, one of them hidden, checked with its model solution.
struct TFourWorldTask {
  TTempFolder Folder{"four"};
  TLoadedTask Task;
  TFourWorldTask() {
    std::string task = "[Aufgabe]\r\nTitel=Vier Welten\r\nGefordert=solange\r\nMusterloesung=loesung.tdp\r\n";
    for (int w = 0; w < 4; ++w) {
      const int n = 5 + 5 * w;
      task += "[Welt" + std::to_string(w + 1) + "]\r\nStartWelt=" + Corridor(n, 0) + "\r\nZielWelt=" + Corridor(n, n - 1) +
              (w == 3 ? "\r\nVerdeckt=ja\r\n" : "\r\n");
    }
    Folder.Write("vier.tda", task);
    Folder.Write("loesung.tdp", "Programm\r\nsolange NichtIstWand tue\r\n  Schritt\r\n*solange\r\n*Programm\r\n");
    if (!LoadTask((Folder.Path / "vier.tda").string(), Task).Ok()) std::abort();
  }
};

void BM_CheckModelSolutionOfFourWorlds(benchmark::State& state) {
  static const TFourWorldTask data;
  for (auto _ : state) {
    const TProgramGrade grade = GradeProgramFile(data.Task, data.Task.ModelSolutionFile);
    if (!grade.SolvedAll()) std::abort();
  }
}
BENCHMARK(BM_CheckModelSolutionOfFourWorlds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
