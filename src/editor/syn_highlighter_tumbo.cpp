#include "editor/syn_highlighter_tumbo.h"

#include <array>
#include <cstdint>

namespace tumbo::editor {
namespace {

// Windows-1252 codes of the umlauts.
constexpr unsigned char kAe = 0xC4, kOe = 0xD6, kUe = 0xDC;
constexpr unsigned char kae = 0xE4, koe = 0xF6, kue = 0xFC;

// What the character at the token start decides.
enum class Rule : std::uint8_t {
    Null, LineFeed, CarriageReturn, Space, String, BraceOpen, Slash, Number, Word,
    SymbolX, Symbol, IdentifierChar, Unknown,
};

bool IsUmlaut(unsigned char c)
{
    return c == kAe || c == kOe || c == kUe || c == kae || c == koe || c == kue;
}

bool IsLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsUmlaut(c);
}

constexpr std::array<Rule, 256> MakeRuleTable()
{
    std::array<Rule, 256> t{};
    for (auto &r : t)
        r = Rule::Unknown;
    t[0] = Rule::Null;
    for (int c = 1; c <= 32; ++c)
        t[c] = Rule::Space;
    t['\n'] = Rule::LineFeed;
    t['\r'] = Rule::CarriageReturn;
    t['"'] = Rule::String;
    t['{'] = Rule::BraceOpen;
    t['/'] = Rule::Slash;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = Rule::Number;
    for (int c = 'A'; c <= 'Z'; ++c) {
        t[c] = Rule::Word;
        t[c + ('a' - 'A')] = Rule::Word;
    }
    t['_'] = Rule::Word;
    for (unsigned char c : {kAe, kOe, kUe, kae, koe, kue})
        t[c] = Rule::Word;
    t['X'] = Rule::SymbolX;
    t['x'] = Rule::SymbolX;
    for (unsigned char c : {'(', ')', '*', '.', ';'})
        t[c] = Rule::Symbol;
    t[':'] = Rule::IdentifierChar;
    t['\\'] = Rule::IdentifierChar;
    return t;
}

constexpr std::array<Rule, 256> kRules = MakeRuleTable();

Rule RuleOf(char c) { return kRules[static_cast<unsigned char>(c)]; }

bool EndsLine(char c) { return c == '\0' || c == '\n' || c == '\r'; }

}  // namespace

bool IsWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return IsLetter(u) || (u >= '0' && u <= '9') || u == '_';
}

void TSynTumboSyn::SetLine(std::string_view line, int lineNumber)
{
    line_ = line;
    lineNumber_ = lineNumber;
    pos_ = 0;
    Next();
}

void TSynTumboSyn::Next()
{
    tokenStart_ = pos_;
    if (range_ == kRangeBraceComment)
        BraceCommentRule();
    else
        RuleAt();
}

void TSynTumboSyn::BraceCommentRule()
{
    if (EndsLine(At(pos_))) {
        RuleAt();  // the line ends; the state stays open for the next line
        return;
    }
    tokenKind_ = tkComment;
    while (!EndsLine(At(pos_))) {
        if (At(pos_) == '}') {
            ++pos_;
            range_ = kRangeNormal;
            return;
        }
        ++pos_;
    }
}

void TSynTumboSyn::RuleAt()
{
    const char c = At(pos_);
    switch (RuleOf(c)) {
    case Rule::Null:
        tokenKind_ = tkNull;
        return;
    case Rule::LineFeed:
        tokenKind_ = tkSpace;
        ++pos_;
        return;
    case Rule::CarriageReturn:
        tokenKind_ = tkSpace;
        ++pos_;
        if (At(pos_) == '\n')
            ++pos_;
        return;
    case Rule::Space:
        tokenKind_ = tkSpace;
        while (RuleOf(At(pos_)) == Rule::Space)
            ++pos_;
        return;
    case Rule::String:
        StringRule();
        return;
    case Rule::BraceOpen:
        range_ = kRangeBraceComment;
        BraceCommentRule();
        return;
    case Rule::Slash:
        if (At(pos_ + 1) == '/') {
            tokenKind_ = tkComment;
            while (!EndsLine(At(pos_)))
                ++pos_;
        } else {
            tokenKind_ = tkUnknown;
            ++pos_;
        }
        return;
    case Rule::Number:
        tokenKind_ = tkNumber;
        while (RuleOf(At(pos_)) == Rule::Number)
            ++pos_;
        return;
    case Rule::Word:
        WordRule();
        return;
    case Rule::SymbolX:
    case Rule::Symbol:
        tokenKind_ = tkSymbol;
        ++pos_;
        return;
    case Rule::IdentifierChar:
        tokenKind_ = tkIdentifier;
        ++pos_;
        return;
    case Rule::Unknown:
        tokenKind_ = tkUnknown;
        ++pos_;
        return;
    }
}

void TSynTumboSyn::StringRule()
{
    tokenKind_ = tkString;
    ++pos_;  // the opening quote
    while (!EndsLine(At(pos_))) {
        if (At(pos_) == '"') {
            ++pos_;
            if (At(pos_) != '"')
                return;  // closing quote
        }
        ++pos_;  // a doubled quote counts as one quote inside the string
    }
}

void TSynTumboSyn::WordRule()
{
    std::size_t end = pos_;
    while (IsLetter(static_cast<unsigned char>(At(end))))
        ++end;
    const char after = At(end);
    const bool digitOrUnderscore = (after >= '0' && after <= '9') || after == '_';
    if (end == pos_ || digitOrUnderscore)
        tokenKind_ = tkIdentifier;  // Schritt2 and Schritt_ never match a keyword
    else
        tokenKind_ = KeywordKind(line_.substr(pos_, end - pos_));
    pos_ = end;
    while (IsWordChar(At(pos_)))
        ++pos_;
}

}  // namespace tumbo::editor
