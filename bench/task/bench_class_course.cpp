// Grading a class on a course: 30 pupils × a 40-task course × 3 worlds (3 600 runs) on two
// threads, and the HTML pages (overview and a page per pupil, maps drawn by the 2D view).
// Every pupil hands in a solution, a wrong solution, a program that does not compile or
// nothing, in turn, so that the pages hold many maps.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "task/class_grading.h"
#include "task/class_report_html.h"
#include "world/qt/world_map_png.h"

namespace {

namespace fs = std::filesystem;
using namespace tumbo::task;

constexpr int kTasks = 40, kPupils = 30;

struct TCourseClass {
  fs::path Folder;
  TClassWork Work;
  std::vector<TPupil> Pupils;

  TCourseClass() {
    Folder = fs::temp_directory_path() / ("tumbo_bench_course_" + std::to_string(getpid()));
    const fs::path course = Folder / "kurs", pupils = Folder / "klasse";
    fs::create_directories(course);
    const std::string data = std::string(TUMBO_DATA_DIR) + "/aufgaben/";
    for (int w = 1; w <= 3; ++w)
      for (const char* suffix : {".tdw", "-ziel.tdw"}) {
        const std::string name = "bis-zur-wand-" + std::to_string(w) + suffix;
        fs::copy_file(data + name, course / name);
      }
    std::ofstream kurs(course / "kurs.tdk", std::ios::binary);
    kurs << "[Kurs]\nTitel=Probekurs\n";
    for (int t = 0; t < kTasks; ++t) {
      if (t % 8 == 0) kurs << "[Abschnitt" << t / 8 + 1 << "]\nTitel=Abschnitt " << t / 8 + 1 << "\n";
      kurs << "Aufgabe" << t % 8 + 1 << "=a" << t << ".tda\n";
      std::ofstream(course / ("a" + std::to_string(t) + ".tda"), std::ios::binary)
          << "[Aufgabe]\nTitel=Aufgabe " << t << "\nText=Bis zur Wand\nMaxSchritte=100000\n"
          << "[Welt1]\nStart=bis-zur-wand-1.tdw\nZiel=bis-zur-wand-1-ziel.tdw\n"
          << "[Welt2]\nStart=bis-zur-wand-2.tdw\nZiel=bis-zur-wand-2-ziel.tdw\n"
          << "[Welt3]\nStart=bis-zur-wand-3.tdw\nZiel=bis-zur-wand-3-ziel.tdw\n";
    }
    kurs.close();
    const std::string solutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";
    for (int p = 0; p < kPupils; ++p) {
      const fs::path folder = pupils / ("Schueler " + std::to_string(p) + "_" + std::to_string(1000 + p) +
                                        "_assignsubmission_file_");
      fs::create_directories(folder);
      for (int t = 0; t < kTasks; ++t) {
        const fs::path program = folder / ("a" + std::to_string(t) + ".tdp");
        switch ((p + t) % 4) {
          case 0: fs::copy_file(solutions + "bis-zur-wand-loesung.tdp", program); break;
          case 1: fs::copy_file(solutions + "bis-zur-wand-falsch.tdp", program); break;
          case 2: std::ofstream(program, std::ios::binary) << "Programm\r\nSchrit\r\n*Programm"; break;
          default: break;  // not handed in
        }
      }
    }
    if (!LoadClassWork((course / "kurs.tdk").string(), Work).empty()) std::abort();
    Pupils = FindPupils({pupils.string()});
  }
  ~TCourseClass() { fs::remove_all(Folder); }
};

void BM_GradeCourseClassWithHtml(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "bench_task";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  static const TCourseClass cls;
  const THtmlReport report{"11.12.2026", [](const std::string& world) { return WorldMapPng(world, 260); }};
  for (auto _ : state) {
    const auto results = GradeClass(cls.Work, cls.Pupils, unsigned(state.range(0)));
    const auto files = ClassHtmlFiles(cls.Work, results, report);
    benchmark::DoNotOptimize(files.data());
    int solved = 0;
    for (const TPupilResult& p : results) solved += p.SolvedTasks();
    state.counters["solved"] = solved;  // a quarter of the 1 200 programs
  }
}
BENCHMARK(BM_GradeCourseClassWithHtml)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
