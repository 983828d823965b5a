#include "editor/highlighter_attributes.h"

namespace tumbo::editor {

const std::array<THighlighterAttribute, 9> &HighlighterAttributes()
{
    static const std::array<THighlighterAttribute, 9> attributes = {{
        {"CommentAttri", "Comment", tkComment, RGBColor(0x80, 0x80, 0x80), true, false, true,
         "ColorComment"},
        {"IdentifierAttri", "Identifier", tkIdentifier, RGBColor(0x00, 0x80, 0x00), false, false,
         false, "ColorIdentifier"},
        {"KeyAttri", "Reserved word", tkKey, RGBColor(0, 0, 0), false, true, false,
         "ColorKeyWord"},
        {"Key2Attri", "Second reserved word", tkKey2, RGBColor(0, 0, 0xFF), false, false, false,
         "ColorKeyWord2"},
        {"NumberAttri", "Number", tkNumber, RGBColor(0xFF, 0, 0), false, false, false,
         "ColorNumber"},
        {"SpaceAttri", "Space", tkSpace, RGBColor(0, 0, 0), false, false, false, ""},
        {"StringAttri", "String", tkString, RGBColor(0x80, 0, 0), false, false, false, ""},
        {"SymbolAttri", "Symbol", tkSymbol, RGBColor(0, 0, 0), false, false, false, ""},
        {"UnknownAttri", "Unknown word", tkUnknown, RGBColor(0xFF, 0, 0xFF), false, false,
         false, ""},
    }};
    return attributes;
}

const THighlighterAttribute *AttributeForKind(TtkTokenKind kind)
{
    for (const auto &attribute : HighlighterAttributes())
        if (attribute.kind == kind)
            return &attribute;
    return nullptr;
}

const THighlighterAttribute *DefaultAttribute(int index)
{
    static constexpr TtkTokenKind kByIndex[] = {tkComment, tkIdentifier, tkKey, tkString, tkSpace};
    if (index < 0 || index >= 5)
        return nullptr;
    return AttributeForKind(kByIndex[index]);
}

}  // namespace tumbo::editor
