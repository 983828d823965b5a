// Long programs run through the window's own run control (delay 0, normal and fast mode)
// against the same programs run headless, as the command-line tool runs them. Between its
// frames the window runs quietly: a fast run should stay within 1.5 times the headless time.
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/welt.h"

namespace {

// Back and forth between two cells: three statements and a step point per pass.
std::string Program(int passes)
{
    return "Programm\r\n  wiederhole " + std::to_string(passes) +
           " mal\r\n    Schritt\r\n    LinksDrehen\r\n    LinksDrehen\r\n  *wiederhole\r\n*Programm\r\n";
}

constexpr int kPasses = 300000;
const std::string kShuttle = Program(kPasses);

// A general program: an own instruction, SOLANGE, marks and a WENN.
const std::string kGeneral =
    "Anweisung Markiere\r\n  wenn IstMarke dann MarkeL\xF6schen sonst MarkeSetzen *wenn\r\n*Anweisung\r\n"
    "Programm\r\n  wiederhole 600000 mal\r\n    solange NichtIstWand tue\r\n      Schritt\r\n"
    "      Markiere\r\n    *solange\r\n    LinksDrehen\r\n  *wiederhole\r\n*Programm\r\n";

// The wall walk: along the walls, turning left at each.
const std::string kWallWalk =
    "wiederhole 20000000 mal\r\n  wenn IstWand dann LinksDrehen sonst Schritt *wenn\r\n*wiederhole\r\n";

std::map<std::string, double> g_msPerRun;

// The window records every run for stepping back and replay; `recorded` false takes the
// recorder away, for the cost of a run without it.
struct Window {
    QTemporaryDir dir;
    std::unique_ptr<tumbo::app::TMainForm> form;
    explicit Window(bool recorded = false, const std::string &program = kShuttle)
    {
        form = std::make_unique<tumbo::app::TMainForm>(QStringList{QStringLiteral("/I") + dir.path()});
        form->MessageBoxHook = [](QMessageBox::Icon, const QString &, QMessageBox::StandardButtons) {
            return QMessageBox::Ok;
        };
        form->resize(1000, 700);
        form->show();
        QApplication::processEvents();
        form->Editor->setText(QString::fromStdString(tumbo::text::Cp1252ToUtf8(program)));
        form->Parser().Delay = 0;
        if (!recorded)
            form->Parser().Recorder = nullptr;
    }
};

void Record(benchmark::State &state, const std::string &name, double totalMs)
{
    const double perRun = totalMs / double(state.iterations());
    g_msPerRun[name] = perRun;
    state.counters["ms_per_run"] = perRun;
}

template <typename Run>
double TimeMs(Run run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A window's first run pays once for fresh memory (the history's chunks, the flat code):
// it is timed apart, and the runs after it, as a pupil makes them, are the benchmark.
void TimeRuns(benchmark::State &state, const std::string &name, bool recorded,
              void (tumbo::app::TRunControl::*command)(), const std::string &program = kShuttle)
{
    Window w(recorded, program);
    g_msPerRun[name + " first"] = TimeMs([&] { (w.form->RunControl().*command)(); });
    double total = 0;
    for (auto _ : state)
        total += TimeMs([&] { (w.form->RunControl().*command)(); });
    Record(state, name, total);
}

void BM_WindowNormal(benchmark::State &state)
{
    TimeRuns(state, "normal", false, &tumbo::app::TRunControl::StartCommand);
}

void BM_WindowFast(benchmark::State &state)
{
    TimeRuns(state, "fast", false, &tumbo::app::TRunControl::FastCommand);
}

// The same runs as the window makes them: every step recorded, and the run offered for
// replay afterwards.
void BM_WindowNormalRecorded(benchmark::State &state)
{
    TimeRuns(state, "normal recorded", true, &tumbo::app::TRunControl::StartCommand);
}

void BM_WindowFastRecorded(benchmark::State &state)
{
    TimeRuns(state, "fast recorded", true, &tumbo::app::TRunControl::FastCommand);
}

// The window's fast run of a program recorded as the window records it.
void BM_WindowFastOf(benchmark::State &state, const std::string *program, const char *name)
{
    TimeRuns(state, std::string("fast ") + name, true, &tumbo::app::TRunControl::FastCommand, *program);
}

void BM_Headless(benchmark::State &state, const std::string *program, const char *name)
{
    TWelt welt(5, 10, 6);
    TTumbo_HeadlessHost host;
    TTumbo_Parser parser(welt, host);
    double total = 0;
    for (auto _ : state)
        total += TimeMs([&] {
            parser.Compile(*program, "", true);
            parser.Run(1);
        });
    Record(state, name, total);
}

BENCHMARK_CAPTURE(BM_Headless, Shuttle, &kShuttle, "headless")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Headless, General, &kGeneral, "headless general")
    ->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Headless, WallWalk, &kWallWalk, "headless wall walk")
    ->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_WindowFastOf, General, &kGeneral, "general")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_WindowFastOf, WallWalk, &kWallWalk, "wall walk")
    ->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowNormal)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowFast)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowNormalRecorded)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowFastRecorded)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double headless = g_msPerRun["headless"];
    if (headless > 0) {
        for (const char *mode : {"normal", "fast"})
            if (g_msPerRun.count(mode))
                std::printf("window %s run / headless run: %.2f (goal: at most 2)\n", mode,
                            g_msPerRun[mode] / headless);
    }
    for (const std::string program : {"general", "wall walk"}) {
        const double alone = g_msPerRun["headless " + program];
        if (alone > 0 && g_msPerRun.count("fast " + program))
            std::printf("window fast run / headless run, %s: %.2f (goal: at most 1.5)\n", program.c_str(),
                        g_msPerRun["fast " + program] / alone);
    }
    for (const std::string mode : {"normal", "fast"}) {
        if (g_msPerRun[mode] > 0 && g_msPerRun.count(mode + " recorded"))
            std::printf("window %s run recorded / not recorded: %.2f (goal: at most 1.15)\n", mode.c_str(),
                        g_msPerRun[mode + " recorded"] / g_msPerRun[mode]);
        if (g_msPerRun[mode + " first"] > 0 && g_msPerRun.count(mode + " recorded first"))
            std::printf("  the window's first %s run, recorded / not recorded: %.2f\n", mode.c_str(),
                        g_msPerRun[mode + " recorded first"] / g_msPerRun[mode + " first"]);
    }
    return 0;
}
