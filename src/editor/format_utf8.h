#pragma once
// The formatter for text that is not Windows-1252 throughout (a UTF-8 program file, the
// editor's text): every other character passes through the formatter as a placeholder byte
// and comes back unchanged, so formatting never loses a character.
#include <string>
#include <vector>

#include "editor/formatter.h"

// As FormatLines, for lines in UTF-8; the result's lines are UTF-8 as well.
TFormatResult FormatUtf8Lines(const std::vector<std::string>& utf8Lines, int tabWidth,
                              bool formatToken);
