#include "editor/completion_list.h"

#include "language/vocabulary.h"
#include "text/cp1252.h"

namespace tumbo::editor {
namespace {

std::string Join(int a, const char *separator, int b)
{
    return std::string(ControlWords[a]) + separator + ControlWords[b];
}

std::vector<std::string> MakeEntries()
{
    std::vector<std::string> entries = {
        Join(cwWiederhole, "  ", cwMal),   Join(cwWiederhole, " ", cwImmer),
        Join(cwWiederhole, " ", cwSolange), Join(cwSolange, "  ", cwTue),
        Join(cwWenn, "  ", cwDann),        "",
        ControlWords[cwAnweisung],          ControlWords[cwBedingung],
        ControlWords[cwEinfuegen],          "",
        ControlWords[cwWahr],               ControlWords[cwFalsch],
        ControlWords[cwNicht],              Instructions[12],  // Beenden
        "",
    };
    for (int i = 1; i <= 11; ++i)
        entries.emplace_back(Instructions[i]);
    entries.emplace_back();
    for (int i = 1; i <= 14; ++i)  // every condition but HatZiegel
        entries.emplace_back(Conditions[i]);
    return entries;
}

}  // namespace

const std::vector<std::string> &CompletionEntries()
{
    static const std::vector<std::string> entries = MakeEntries();
    return entries;
}

std::vector<std::string> CompletionMatches(std::string_view typed)
{
    const std::string prefix = text::UpperLanguage(typed);
    std::vector<std::string> matches;
    for (const auto &entry : CompletionEntries()) {
        if (entry.empty() ? prefix.empty()
                          : text::UpperLanguage(entry).substr(0, prefix.size()) == prefix)
            matches.push_back(entry);
    }
    return matches;
}

}  // namespace tumbo::editor
