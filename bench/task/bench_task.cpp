// Grading a class: 30 programs on the 3 start worlds of a typical task, on one thread and on
// all cores. Among the programs are solutions, wrong solutions and two endless loops that run
// up to the task's step limit (100000).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "task/grader.h"

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
  for (auto _ : state) {
    const auto grades = GradePrograms(cls.Task, cls.Programs, unsigned(state.range(0)));
    benchmark::DoNotOptimize(grades.data());
  }
}
BENCHMARK(BM_GradeClass)
    ->Arg(1)
    ->Arg(int(std::max(1u, std::thread::hardware_concurrency())))
    ->ArgName("jobs")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
