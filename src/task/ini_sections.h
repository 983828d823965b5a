#pragma once
// Task and course files are read strictly: every line must belong to a section, and no
// section or key may stand twice. The readers then check the names against what they know,
// so a typo is found and named with its line instead of being ignored.
#include <string>
#include <string_view>
#include <vector>

#include "text/ini_file.h"

namespace tumbo::task {

struct TIniKey {
  std::string Name;
  std::string Value;
  int Line = 0;
};

struct TIniSection {
  std::string Name;
  int Line = 0;
  std::vector<TIniKey> Keys;
};

// A problem in one line of a file: German text (Windows-1252); Line 0 when no line is meant.
struct TLineProblem {
  int Line = 0;
  std::string Text;
  bool Ok() const { return Text.empty(); }
};

// Sorts the file's lines into sections. Refuses a line that is neither a section header nor
// "key=value", a key before the first section, a section or a key given twice.
TLineProblem ReadSections(const tumbo::text::IniFile& ini, std::vector<TIniSection>& out);

// Case-insensitive comparison with the language's upper-casing (umlauts included).
bool SameWord(std::string_view a, std::string_view b);

// The number N of a name "PREFIXN" (1 ≤ N ≤ max, written without leading zeros), else 0.
int NumberAfter(std::string_view name, std::string_view prefix, int max);

std::string Quoted(const std::string& s);

}  // namespace tumbo::task
