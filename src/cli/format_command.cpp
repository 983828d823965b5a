// tumbo-cli format [--tab N] [--canonical] PROGRAM: the formatted lines joined by CR LF, with
// CR LF after the last, in UTF-8.
#include <string>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "editor/formatter.h"
#include "text/cp1252.h"

namespace {

constexpr const char* kUsage = "tumbo-cli format [--tab N] [--canonical] PROGRAMM";

// The lines of a text; a line break at the very end ends the last line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

}  // namespace

int cmdFormat(const TCliArgs& args) {
  int tab = 2;
  bool canonical = false;
  std::string program;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--tab") {
      if (i + 1 >= args.size()) return UsageError("--tab braucht eine Zahl.", kUsage);
      const auto n = ParseNumber(args[++i], 1, 16);
      if (!n) return UsageError("--tab erwartet eine Zahl von 1 bis 16.", kUsage);
      tab = static_cast<int>(*n);
    } else if (a == "--canonical") {
      canonical = true;
    } else if (a.starts_with("--") || !program.empty()) {
      return UsageError("Unbekannte Angabe: " + tumbo::text::Utf8ToCp1252(a), kUsage);
    } else {
      program = a;
    }
  }
  if (program.empty()) return UsageError("", kUsage);
  const auto file = ReadProgramFile(program);
  if (!file) return kExitUsage;
  const TFormatResult result = FormatLines(SplitLines(file->Text), tab, canonical);
  std::string out;
  for (const std::string& line : result.Lines) {
    out += line;
    out += "\r\n";
  }
  PrintBytes(tumbo::text::Cp1252ToUtf8(out));
  return kExitOk;
}
