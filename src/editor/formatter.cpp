#include "editor/formatter.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "language/vocabulary.h"
#include "text/cp1252.h"

namespace {

// "SONST" is both: it stands one level further out than the lines around it.
constexpr std::array<std::string_view, 7> kClosers = {
    "*WENN", "*WIEDERHOLE", "SONST", "*SOLANGE", "*ANWEISUNG", "*BEDINGUNG", "*PROGRAMM"};
constexpr std::array<std::string_view, 7> kOpeners = {
    "WENN", "WIEDERHOLE", "SONST", "SOLANGE", "ANWEISUNG", "BEDINGUNG", "PROGRAMM"};

template <size_t N>
bool Contains(const std::array<std::string_view, N>& words, std::string_view w) {
  for (std::string_view candidate : words)
    if (candidate == w) return true;
  return false;
}

TFormatResult TooLarge() {
  TFormatResult result;
  result.TooLarge = true;
  return result;
}

}  // namespace

TFormatResult FormatLines(const std::vector<std::string>& lines, int tabWidth, bool formatToken) {
  TFormatResult result;
  result.Lines.reserve(lines.size());
  const std::string unit(tabWidth > 0 ? static_cast<size_t>(tabWidth) : 0, ' ');
  long long level = 0;  // never clamped: surplus end words make it negative
  bool inComment = false;
  size_t bytes = 0;  // of the lines so far, each with the longest line break
  for (const std::string& line : lines) {
    bytes += line.size() + kLineBreakBytes;
    if (bytes > kMaxFormattedBytes) return TooLarge();
    if (line.empty()) {
      result.Lines.push_back(line);
      continue;
    }
    std::string s = line;
    const bool opensComment = s.find('{') != std::string::npos;
    const bool closesComment = s.find('}') != std::string::npos;

    const size_t blanks = s.find_first_not_of(' ');
    if (blanks == std::string::npos) s.clear();
    else if (blanks > 0 && !inComment) s.erase(0, blanks);

    const size_t firstBlank = s.find(' ');
    const size_t j = (firstBlank == std::string::npos ? s.size() : firstBlank) + 1;  // from 1
    if (j > 1 && !inComment) {
      const std::string w = tumbo::text::UpperCp1252(std::string_view(s).substr(0, j - 1));
      if (Contains(kClosers, w)) --level;
      // The "*" of the test below, as it stands behind the full indentation of the level.
      const size_t star = s.find('*');
      const long long p = star == std::string::npos
                              ? 0
                              : static_cast<long long>(star) + 1 +
                                    (level > 0 ? level * static_cast<long long>(tabWidth) : 0);
      if (level > 0) {
        // Past kMaxIndentLevels the lines stand no further right: the output stays within a
        // small multiple of the input whatever the nesting.
        const long long shown = std::min<long long>(level, kMaxIndentLevels);
        bytes += unit.size() * static_cast<size_t>(shown);
        if (bytes > kMaxFormattedBytes) return TooLarge();
        std::string indent;
        indent.reserve(unit.size() * static_cast<size_t>(shown));
        for (long long k = 0; k < shown; ++k) indent += unit;
        s.insert(0, indent);
      }
      if (Contains(kOpeners, w)) {
        ++level;
        // A line that also closes its block (a loop written on one line) leaves the level;
        // a "*" counts only when it stands more than one unit behind the first word.
        if (p > static_cast<long long>(j) + static_cast<long long>(tabWidth) * level) --level;
      }
      result.Changed = true;
    }
    if (opensComment) inComment = true;
    if (closesComment) inComment = false;
    if (formatToken) {
      CanonicalSpelling(s);
      result.Changed = true;
    }
    result.Lines.push_back(std::move(s));
  }
  return result;
}
