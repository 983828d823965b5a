// "Aufgabe prüfen" in the window: F10 over the 4 start worlds of a task with its model solution,
// from the key to the result lines in the information list (goal: under 100 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

#include "app/task/task_session.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"

namespace {

const QString kData = QStringLiteral(TUMBO_DATA_DIR "/aufgaben/");
const QString kSolution = QStringLiteral(TUMBO_FIXTURES_DIR "/aufgaben/bis-zur-wand-loesung.tdp");

// "Bis zur Wand" with its first world twice: four worlds of three sizes.
bool WriteFourWorldTask(const QString &folder)
{
    for (const char *name : {"bis-zur-wand-1", "bis-zur-wand-2", "bis-zur-wand-3"})
        for (const char *suffix : {".tdw", "-ziel.tdw"}) {
            const QString file = QLatin1String(name) + QLatin1String(suffix);
            if (!QFile::copy(kData + file, folder + file))
                return false;
        }
    QFile task(folder + QStringLiteral("vier.tda"));
    if (!task.open(QIODevice::WriteOnly))
        return false;
    task.write("[Aufgabe]\r\nTitel=Vier Welten\r\nPruefen=Marken,Position,Richtung\r\nMaxSchritte=100000\r\n");
    const int worlds[] = {1, 2, 3, 1};
    for (int i = 0; i < 4; ++i)
        task.write(QStringLiteral("[Welt%1]\r\nStart=bis-zur-wand-%2.tdw\r\nZiel=bis-zur-wand-%2-ziel.tdw\r\n")
                       .arg(i + 1)
                       .arg(worlds[i])
                       .toLatin1());
    return true;
}

void BM_CheckFourWorldsInTheWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!WriteFourWorldTask(folder)) {
        state.SkipWithError("task not written");
        return;
    }
    tumbo::app::TMainForm form(QStringList{QStringLiteral("/I") + dir.path()});
    form.MessageBoxHook = [](QMessageBox::Icon, const QString &, QMessageBox::StandardButtons) {
        return QMessageBox::Ok;
    };
    form.show();
    QApplication::processEvents();
    QFile solution(kSolution);
    if (!solution.open(QIODevice::ReadOnly) || !form.Tasks->OpenTask(folder + QStringLiteral("vier.tda"))) {
        state.SkipWithError("task or solution not read");
        return;
    }
    form.Editor->setText(QString::fromLatin1(solution.readAll()));
    for (auto _ : state) {
        form.Tasks->AufgabePruefen1->trigger();
        while (form.Tasks->Checking())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}
BENCHMARK(BM_CheckFourWorldsInTheWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
