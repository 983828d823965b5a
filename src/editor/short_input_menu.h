// The two context menus of the program editor for short input, as data. Each item carries
// the tag that Kurzeingabe (short_input.h) uses to pick what it inserts.
#pragma once

#include <string>
#include <vector>

namespace tumbo::editor {

struct TShortInputMenuItem {
    std::string caption;                     // Windows-1252; empty for a separator
    int tag = 0;                             // 0 for separators and submenus
    std::vector<TShortInputMenuItem> items;  // the entries of a submenu ("usw.", "Wiederholungen")

    bool IsSeparator() const { return caption.empty(); }
    bool IsSubmenu() const { return !items.empty(); }
};

using TShortInputMenu = std::vector<TShortInputMenuItem>;

const TShortInputMenu &EditorPopupMenu();   // plain control structures
const TShortInputMenu &EditorXPopupMenu();  // with the extended repetitions

// The menu the editor shows: the extended one when the setting ExtendedSyntax is on.
const TShortInputMenu &ShortInputMenu(bool extendedSyntax);

}  // namespace tumbo::editor
