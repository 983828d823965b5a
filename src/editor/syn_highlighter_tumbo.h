// The line scanner behind the program editor's colouring.
//
// The editor hands it one line at a time (Windows-1252 bytes) together with the state in
// which the previous line ended, then asks for tokens one after the other. The scanner
// decides the token kinds only; which colour a kind gets is in highlighter_attributes.h.
// It has keyword lists of its own and does not use the language engine's scanner.
#pragma once

#include <string_view>

namespace tumbo::editor {

// Token kinds; the values are fixed (0 to 9) because editors store them as style numbers.
enum TtkTokenKind : int {
    tkComment = 0,
    tkIdentifier = 1,
    tkKey = 2,
    tkKey2 = 3,
    tkSymbol = 4,
    tkNull = 5,  // end of the line; painted with no attribute
    tkNumber = 6,
    tkSpace = 7,
    tkString = 8,
    tkUnknown = 9,
};
constexpr int kTokenKindCount = 10;

// The state kept by the editor at the end of every line.
constexpr int kRangeNormal = 0;
constexpr int kRangeBraceComment = 2;

// Letters, digits, "_" and the six umlauts (editor word boundaries, and the characters that
// extend a word). "ß" is not a word character.
bool IsWordChar(char c);

// Looks a word up in the two keyword sets, comparing letters without regard to case
// (each umlaut equals only itself and its other case). Gives tkKey, tkKey2 or tkIdentifier.
TtkTokenKind KeywordKind(std::string_view word);

class TSynTumboSyn {
public:
    static constexpr std::string_view kLanguageName = "Tumbo Language deutsch";
    static constexpr std::string_view kDefaultFilter = "All files (*.*)|*.*";

    // Starts a line: the position goes to 0 and the first token is scanned. The line ends at
    // its end or at the first NUL. The view must stay valid while the line is scanned.
    void SetLine(std::string_view line, int lineNumber);
    void Next();
    bool GetEol() const { return tokenKind_ == tkNull; }

    std::string_view GetToken() const { return line_.substr(tokenStart_, pos_ - tokenStart_); }
    TtkTokenKind GetTokenKind() const { return tokenKind_; }
    int GetTokenPos() const { return static_cast<int>(tokenStart_); }
    int GetLineNumber() const { return lineNumber_; }

    // Line state: kRangeNormal or kRangeBraceComment. Set it before SetLine for the state in
    // which the previous line ended; read it after the line's last token.
    int GetRange() const { return range_; }
    void SetRange(int range) { range_ = range; }
    void ResetRange() { range_ = kRangeNormal; }

private:
    char At(std::size_t i) const { return i < line_.size() ? line_[i] : '\0'; }
    void BraceCommentRule();
    void RuleAt();
    void StringRule();
    void WordRule();

    std::string_view line_;
    std::size_t pos_ = 0;
    std::size_t tokenStart_ = 0;
    TtkTokenKind tokenKind_ = tkNull;
    int range_ = kRangeNormal;
    int lineNumber_ = 0;
};

}  // namespace tumbo::editor
