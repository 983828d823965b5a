// Short input ("Kurzeingabe"): what choosing an item of the editor's context menu inserts
// and where the caret goes afterwards. The editor glue carries out the steps: a text is
// inserted at the caret as if typed, a line break is made as the Enter key does (with the
// editor's automatic indentation).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tumbo::editor {

struct TShortInputStep {
    bool lineBreak = false;  // true: a line break; false: insert `text`
    std::string text;        // Windows-1252
};

struct TShortInputPlan {
    std::vector<TShortInputStep> steps;
    // Where the caret goes, counted from the caret (line L, column K) before the insertion:
    // line L + lineOffset, column K + columnOffset.
    int lineOffset = 0;
    int columnOffset = 0;
};

// The plan for a menu item's tag with the editor's tab width T; nothing for a tag without
// a row (such tags do nothing).
std::optional<TShortInputPlan> ShortInputFor(int tag, int tabWidth);

}  // namespace tumbo::editor
