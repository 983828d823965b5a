// tumbo-cli chart PROGRAM -o FILE.svg|emf|png|pdf: the structure chart of a program, drawn
// exactly as the window draws it, without a display.
#include <QString>

#include "chart/qt/struktogramm.h"
#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/offscreen_app.h"
#include "cli/output_files.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/welt.h"

namespace {

const std::string kUsage = CommandUsage("chart");

bool HasChartSuffix(const std::string &name)
{
    for (const char *suffix : {".svg", ".emf", ".png", ".pdf"}) {
        const std::string s = suffix;
        if (name.size() > s.size()) {
            std::string end = name.substr(name.size() - s.size());
            for (char &c : end)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (end == s)
                return true;
        }
    }
    return false;
}

} // namespace

int cmdChart(const TCliArgs &args)
{
    std::string program, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--out") {
            if (i + 1 >= args.size())
                return UsageError("Nach -o fehlt der Name der Ausgabedatei.", kUsage);
            output = args[++i];
        } else if (args[i].starts_with("-") || !program.empty()) {
            return UsageError("Unbekanntes Argument: " + tumbo::text::Utf8ToCp1252(args[i]), kUsage);
        } else {
            program = args[i];
        }
    }
    if (program.empty() || output.empty())
        return UsageError("", kUsage);
    if (!HasChartSuffix(output))
        return UsageError("Die Ausgabedatei muss auf .svg, .emf, .png oder .pdf enden.", kUsage);
    if (RefuseOutputClash({program}, {output}))
        return kExitUsage;

    const auto file = ReadProgramFile(program);
    if (!file)
        return kExitUsage;
    TWelt world;
    TTumbo_HeadlessHost host;
    TTumbo_Parser parser(world, host, [](int number, int line, const std::string &text) {
        PrintLine(FormatErrorLine(number, line, text));
    });
    if (!parser.Compile(file->Text, file->Folder, true))
        return kExitProgramErrors;

    const TOffscreenApp app;

    TStruktogramm chart;
    chart.Prepare(parser.Program.get());
    QString error;
    if (!chart.SaveToFile(QString::fromLocal8Bit(output.c_str()), parser.Program.get(), &error)) {
        PrintError(tumbo::text::Utf8ToCp1252(error.toStdString()));
        return kExitUsage;
    }
    return kExitOk;
}
