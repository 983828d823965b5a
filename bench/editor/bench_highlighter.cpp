// The line scanner runs for every line the editor paints: lines per second on typical text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editor/syn_highlighter_tumbo.h"

using namespace tumbo::editor;

namespace {

std::vector<std::string> ProgramLines()
{
    const std::vector<std::string> sample = {
        "Anweisung Umdrehen(X) { dreht sich",
        "  zweimal }",
        "  wiederhole 2 mal LinksDrehen *wiederhole",
        "*Anweisung",
        "wenn nicht IstWand dann Schritt(3) sonst Umdrehen *wenn // weiter",
        "Tumbo.MarkeL\xF6schen; Einf\xFCgen \"bib.tdp\" *Einf\xFCgen",
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i)
        lines.insert(lines.end(), sample.begin(), sample.end());
    return lines;
}

void BM_ScanProgram(benchmark::State &state)
{
    const std::vector<std::string> lines = ProgramLines();
    TSynTumboSyn scanner;
    for (auto _ : state) {
        scanner.ResetRange();
        int tokens = 0;
        for (const auto &line : lines)
            for (scanner.SetLine(line, 0); !scanner.GetEol(); scanner.Next())
                ++tokens;
        benchmark::DoNotOptimize(tokens);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_ScanProgram);

}  // namespace

BENCHMARK_MAIN();
