#pragma once
// The working text: the program text upper-cased, without comments, unused characters and
// empty lines, with a line mark (character 250, the line number, character 250) in front of
// every source line. And the small word-reading operations the parser uses on it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kLineMarkChar = '\xFA';

// Character classes of the scanner.
bool IsKeptChar(char c);
bool IsWordChar(char c);
bool IsStopChar(char c);
bool IsStatementStartChar(char c);

// Replaces a program or library text by its working text.
std::string Preprocess(std::string_view text);

// Appends the line mark of `line` to `out`.
void AppendLineMark(std::string& out, int32_t line);

// A word as ReadWord reads it.
struct TWord {
  std::string Text;          // upper case, without the object prefix
  std::string ObjectPrefix;  // "TUMBO" or empty
  std::string ArgumentText;  // the text between the parentheses after the word, or empty
};

// Moves `pos` forward to the next stop character, passing over line marks.
void SkipToWord(const std::string& source, size_t& pos);
// Skips to the next word and reads it with its object prefix and argument text.
TWord ReadWord(const std::string& source, size_t& pos);
// Reads a line mark at `pos`; 0 (and `pos` unchanged) when there is none.
int32_t ReadLineMark(const std::string& source, size_t& pos);
// True when `pos` starts a line mark.
inline bool IsLineMarkAt(const std::string& source, size_t pos) {
  return pos < source.size() && source[pos] == kLineMarkChar;
}

// Whether a text is a 32-bit signed integer: leading blanks, an optional sign, then decimal
// digits or X / 0X and hexadecimal digits, and nothing after them.
bool IsIntegerText(std::string_view text, int32_t* value = nullptr);
