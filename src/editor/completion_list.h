// The completion list of the program editor (Ctrl+Space): its entries in their order, its
// settings, and which entries fit the word being typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tumbo::editor {

// The 41 entries, Windows-1252, empty entries included (they separate the groups).
const std::vector<std::string> &CompletionEntries();

struct TCompletionSettings {
    static constexpr int kVisibleEntries = 6;
    static constexpr int kWidth = 262;  // pixels
    static constexpr bool kCaseSensitive = false;
    static constexpr std::string_view kEndOfTokenChars = "()[].";
};

// The entries that begin with `typed` (without regard to case), in list order. An empty
// `typed` gives the whole list; empty entries fit only an empty `typed`.
std::vector<std::string> CompletionMatches(std::string_view typed);

}  // namespace tumbo::editor
