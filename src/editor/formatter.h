#pragma once
// The source formatter: re-indents a program line by line, judging each line by its first
// word, and (with FormatToken) rewrites keywords in their canonical spelling. Works on
// Windows-1252 lines; a text with errors is formatted all the same.
#include <cstddef>
#include <string>
#include <vector>

#include "language/messages.h"

// Lines nested deeper than this stand at this level: deeper nesting is refused by the parser
// anyway (message 33), and the output then grows with the nesting only up to this point.
inline constexpr long long kMaxIndentLevels = kMaxNesting;
// The formatted text is never larger than a program may be, so that it can be opened again;
// it is measured with CR LF after every line.
inline constexpr size_t kMaxFormattedBytes = kMaxProgramBytes;
inline constexpr size_t kLineBreakBytes = 2;

struct TFormatResult {
  std::vector<std::string> Lines;
  bool Changed = false;   // the editor's modified flag is to be set
  bool TooLarge = false;  // the text would grow beyond kMaxFormattedBytes: Lines is empty and
                          // nothing is to be changed
};

// `tabWidth` blanks make one indentation unit.
TFormatResult FormatLines(const std::vector<std::string>& lines, int tabWidth, bool formatToken);
