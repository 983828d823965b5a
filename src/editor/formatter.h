#pragma once
// The source formatter: re-indents a program line by line, judging each line by its first
// word, and (with FormatToken) rewrites keywords in their canonical spelling. Works on
// Windows-1252 lines; a text with errors is formatted all the same.
#include <string>
#include <vector>

struct TFormatResult {
  std::vector<std::string> Lines;
  bool Changed = false;  // the editor's modified flag is to be set
};

// `tabWidth` blanks make one indentation unit.
TFormatResult FormatLines(const std::vector<std::string>& lines, int tabWidth, bool formatToken);
