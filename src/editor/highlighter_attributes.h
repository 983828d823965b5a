// The nine text attributes of the program editor's colouring, in their fixed order, with
// display names, default colours and font styles. Editors map token kinds to attributes here.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "editor/syn_highlighter_tumbo.h"

namespace tumbo::editor {

// A colour as the settings file keeps it: red in the lowest byte, then green, then blue.
using TColor = std::uint32_t;
constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

struct THighlighterAttribute {
    std::string_view property;     // "CommentAttri", …
    std::string_view displayName;  // "Comment", …
    TtkTokenKind kind;             // the token kind painted with it
    TColor foreground;             // ignored when systemGrayText is set
    bool systemGrayText;           // the system colour for disabled text (comments)
    bool bold;
    bool italic;
    std::string_view settingsKey;  // key in the "Editor" section of the settings, or empty
};

// In creation order: comment, identifier, reserved word, second reserved word, number,
// space, string, symbol, unknown word.
const std::array<THighlighterAttribute, 9> &HighlighterAttributes();

// The attribute a token kind is painted with; nullptr for tkNull.
const THighlighterAttribute *AttributeForKind(TtkTokenKind kind);

// The editor's "default attribute" by index: 0 comment, 1 identifier, 2 reserved word,
// 3 string, 4 space; nullptr for any other index.
const THighlighterAttribute *DefaultAttribute(int index);

}  // namespace tumbo::editor
