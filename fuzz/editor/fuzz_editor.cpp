// Editor services on arbitrary program text: the line scanner must cover every line with
// tokens and end, the template look-up and the completion filter must take any word, and the
// overview must take whatever tree a compilation of the text leaves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/code_templates.h"
#include "editor/completion_list.h"
#include "editor/program_overview.h"
#include "editor/syn_highlighter_tumbo.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

using namespace tumbo::editor;

namespace {

void ScanLines(std::string_view text)
{
    TSynTumboSyn scanner;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(start, end - start);
        std::size_t covered = 0;
        for (scanner.SetLine(line, 0); !scanner.GetEol(); scanner.Next()) {
            if (static_cast<std::size_t>(scanner.GetTokenPos()) != covered || scanner.GetToken().empty())
                std::abort();
            covered += scanner.GetToken().size();
        }
        if (covered != line.size() && line.find('\0') == std::string_view::npos)
            std::abort();
        const int range = scanner.GetRange();
        if (range != kRangeNormal && range != kRangeBraceComment)
            std::abort();
        if (end == text.size())
            break;
        start = end;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    ScanLines(text);

    const std::string word = text.substr(0, 32);
    if (const TCodeTemplate *tpl = FindTemplate(DefaultTemplates(), word))
        ExpandTemplate(*tpl, static_cast<int>(size % 200) - 5);
    CompletionMatches(word);

    static TWelt world;
    static TTumbo_HeadlessHost host;
    static TTumbo_Parser parser(world, host);
    std::vector<TOverviewNode> nodes;
    UpdateOverview(parser, false, text, "", nodes);
    return 0;
}
