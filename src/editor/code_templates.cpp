#include "editor/code_templates.h"

#include "language/vocabulary.h"
#include "text/cp1252.h"

namespace tumbo::editor {
namespace {

void Add(std::vector<std::string> &lines, const std::string &name, const std::string &description,
         std::vector<std::string> text)
{
    lines.push_back("[" + name + " | " + description + "]");
    for (auto &line : text)
        lines.push_back(std::move(line));
}

// A control structure: "name | tail", an empty line, "*name".
void AddBlock(std::vector<std::string> &lines, int word, const std::string &tail,
              const std::string &description)
{
    const std::string name = ControlWords[word];
    Add(lines, name, description, {name + " | " + tail, "", "*" + name});
}

// A definition or library block: the word, an indented caret line, the end word.
void AddDefinition(std::vector<std::string> &lines, int word, const std::string &description)
{
    const std::string name = ControlWords[word];
    Add(lines, name, description, {name, "  |", "*" + name});
}

void AddWord(std::vector<std::string> &lines, const std::string &name)
{
    Add(lines, name, "", {name});
}

std::vector<std::string> MakeHolderLines()
{
    std::vector<std::string> lines;
    AddBlock(lines, cwWiederhole, ControlWords[cwMal], "gez\xE4hlte Wiederholung ");
    AddBlock(lines, cwSolange, ControlWords[cwTue], "bedingte Wiederholung ");
    AddBlock(lines, cwWenn, ControlWords[cwDann], "bedingte Anweisung ");
    AddDefinition(lines, cwAnweisung, "eigene Anweisung ");
    AddDefinition(lines, cwBedingung, "eigene Bedingung ");
    AddDefinition(lines, cwEinfuegen, "Bibliothek einf\xFCgen ");
    lines.emplace_back();
    for (int word : {cwWahr, cwFalsch, cwNicht})
        AddWord(lines, ControlWords[word]);
    AddWord(lines, Instructions[12]);  // Beenden
    lines.emplace_back();
    for (int i = 1; i <= 11; ++i)
        AddWord(lines, Instructions[i]);
    lines.emplace_back();
    for (int i = 1; i <= 14; ++i)  // every condition but HatZiegel
        AddWord(lines, Conditions[i]);
    return lines;
}

TCodeTemplate ParseHeader(const std::string &line)
{
    TCodeTemplate tpl;
    std::size_t i = 1;  // behind "["
    while (i < line.size() && line[i] != ' ' && line[i] != '|' && line[i] != ']')
        tpl.name.push_back(line[i++]);
    while (i < line.size() && (line[i] == ' ' || line[i] == '|'))
        ++i;
    std::string description = line.substr(i);
    if (!description.empty() && description.back() == ']')
        description.pop_back();
    while (!description.empty() && description.back() == ' ')
        description.pop_back();
    tpl.description = std::move(description);
    return tpl;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

const std::vector<std::string> &DCIHolderLines()
{
    static const std::vector<std::string> lines = MakeHolderLines();
    return lines;
}

std::vector<TCodeTemplate> ParseTemplates(const std::vector<std::string> &lines)
{
    std::vector<TCodeTemplate> templates;
    for (const auto &line : lines) {
        if (!line.empty() && line[0] == '[')
            templates.push_back(ParseHeader(line));
        else if (!templates.empty())
            templates.back().lines.push_back(line);
    }
    for (auto &tpl : templates)
        while (!tpl.lines.empty() && tpl.lines.back().empty())
            tpl.lines.pop_back();
    return templates;
}

const std::vector<TCodeTemplate> &DefaultTemplates()
{
    static const std::vector<TCodeTemplate> templates = ParseTemplates(DCIHolderLines());
    return templates;
}

const TCodeTemplate *FindTemplate(const std::vector<TCodeTemplate> &templates,
                                  std::string_view word)
{
    if (word.empty())
        return nullptr;
    const std::string upper = text::UpperLanguage(word);
    const TCodeTemplate *prefixMatch = nullptr;
    int prefixMatches = 0;
    for (auto it = templates.rbegin(); it != templates.rend(); ++it) {
        const std::string name = text::UpperLanguage(it->name);
        if (name == upper)
            return &*it;
        if (StartsWith(name, upper)) {
            ++prefixMatches;
            prefixMatch = &*it;
        }
    }
    return prefixMatches == 1 ? prefixMatch : nullptr;
}

TTemplateExpansion ExpandTemplate(const TCodeTemplate &tpl, int wordColumn)
{
    TTemplateExpansion expansion;
    wordColumn = wordColumn < 1 ? 1 : wordColumn;
    const std::string indent(static_cast<std::size_t>(wordColumn - 1), ' ');
    bool caretFound = false;
    for (std::size_t i = 0; i < tpl.lines.size(); ++i) {
        std::string line = i == 0 ? tpl.lines[i] : indent + tpl.lines[i];
        const std::size_t start = i == 0 ? static_cast<std::size_t>(wordColumn - 1) : 0;
        if (!caretFound) {
            if (const auto bar = line.find('|'); bar != std::string::npos) {
                line.erase(bar, 1);
                caretFound = true;
                expansion.caretLine = static_cast<int>(i);
                expansion.caretColumn = static_cast<int>(start + bar) + 1;
            }
        }
        expansion.lines.push_back(std::move(line));
    }
    if (expansion.lines.empty())
        expansion.lines.emplace_back();
    if (!caretFound) {
        expansion.caretLine = static_cast<int>(expansion.lines.size()) - 1;
        const std::size_t start = expansion.caretLine == 0 ? static_cast<std::size_t>(wordColumn - 1) : 0;
        expansion.caretColumn = static_cast<int>(start + expansion.lines.back().size()) + 1;
    }
    return expansion;
}

}  // namespace tumbo::editor
