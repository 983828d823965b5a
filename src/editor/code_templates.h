// Code templates: the template list of the program editor (the lines of DCIHolder1), its
// parsing, the look-up of the word left of the caret, and the expansion into lines.
//
// List format: a line beginning with "[" starts a template, "[name | description]"; the
// lines up to the next "[" line are its text, in which the first "|" marks the caret.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tumbo::editor {

struct TCodeTemplate {
    std::string name;                // Windows-1252
    std::string description;
    std::vector<std::string> lines;  // the text; empty lines at its end are dropped
};

// The lines of DCIHolder1.Strings, Windows-1252.
const std::vector<std::string> &DCIHolderLines();

std::vector<TCodeTemplate> ParseTemplates(const std::vector<std::string> &lines);

// DCIHolderLines() parsed once.
const std::vector<TCodeTemplate> &DefaultTemplates();

// The template for `word`, compared without regard to case, searched from the last template
// to the first: an equal name wins; otherwise the one name that begins with the word; when
// none or several begin with it, nullptr.
const TCodeTemplate *FindTemplate(const std::vector<TCodeTemplate> &templates,
                                  std::string_view word);

struct TTemplateExpansion {
    std::vector<std::string> lines;  // replace the word; lines after the first are indented
    int caretLine = 0;               // 0 = the word's line
    int caretColumn = 1;             // column in the editor, from 1
};

// Expands a template for a word that starts at `wordColumn` (from 1): every line after the
// first gets wordColumn - 1 blanks in front, so the lines stand under the word's first
// letter. The first "|" is removed and gives the caret; without one the caret stands
// behind the inserted text.
TTemplateExpansion ExpandTemplate(const TCodeTemplate &tpl, int wordColumn);

}  // namespace tumbo::editor
