// A fast run of a program that bumps into the wall at every step: each bump adds a note to
// the information list. The time per note of the long run should stay close to that of
// the short one; while the list measured every line anew it grew a hundredfold.
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {

std::string BumpingProgram(int64_t bumps)
{
    return "Programm\r\n  wiederhole " + std::to_string(bumps) + " mal\r\n    Schritt\r\n  *wiederhole\r\n*Programm\r\n";
}

void BM_FastRunWithNotes(benchmark::State &state)
{
    QTemporaryDir dir;
    tumbo::app::TMainForm form(QStringList{QStringLiteral("/I") + dir.path()});
    form.MessageBoxHook = [](QMessageBox::Icon, const QString &, QMessageBox::StandardButtons) {
        return QMessageBox::Ok;
    };
    form.resize(1000, 700);
    form.show();
    QApplication::processEvents();
    form.Editor->setText(QString::fromStdString(BumpingProgram(state.range(0))));
    for (auto _ : state) {
        form.Welt().Robot.X = 0;
        form.Welt().Robot.Y = 0;
        form.Welt().Robot.Heading = 2;  // north, facing the wall
        form.RunControl().FastCommand();
    }
    state.counters["notes"] = double(form.InfoBox->count() - 3);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FastRunWithNotes)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
