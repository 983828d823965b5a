// tumbo-cli format [--tab N] [--canonical] [--in-place] PROGRAM: the formatted lines joined by
// CR LF, with CR LF after the last, in UTF-8; or with --in-place written back to the file.
#include <string>
#include <vector>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/output_files.h"
#include "editor/format_utf8.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace {

const std::string kUsage = CommandUsage("format");

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

// The lines joined by `lineBreak`, with one after the last when `breakAtEnd` is set.
std::string JoinLines(const std::vector<std::string>& lines, std::string_view lineBreak,
                      bool breakAtEnd) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 < lines.size() || breakAtEnd) text += lineBreak;
  }
  return text;
}

}  // namespace

int cmdFormat(const TCliArgs& args) {
  int tab = 2;
  bool canonical = false;
  bool inPlace = false;
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
    } else if (a == "--in-place") {
      inPlace = true;
    } else if (a.starts_with("--") || !program.empty()) {
      return UsageError("Unbekannte Angabe: " + tumbo::text::Utf8ToCp1252(a), kUsage);
    } else {
      program = a;
    }
  }
  if (program.empty()) return UsageError("", kUsage);
  if (RefuseOutputClash({program}, {})) return kExitUsage;
  tumbo::text::DecodedText text;
  std::string error;
  if (!tumbo::text::ReadTextFile(program, text, error)) {
    PrintError(error);
    return kExitUsage;
  }
  const TFormatResult result = FormatUtf8Lines(SplitLines(text.Utf8), tab, canonical);
  if (result.TooLarge) {
    PrintError("Das formatierte Programm w\xE4re gr\xF6\xDF" "er als 16 MB und wird nicht geschrieben.");
    return kExitProgramErrors;
  }
  if (!inPlace) {
    PrintBytes(JoinLines(result.Lines, "\r\n", true));
    return kExitOk;
  }
  if (!result.Changed) return kExitOk;
  // The file keeps its encoding, byte order mark and line breaks, as the window saves it.
  const bool endsWithBreak = !text.Utf8.empty() && (text.Utf8.back() == '\n' || text.Utf8.back() == '\r');
  if (!tumbo::text::WriteTextFile(program, JoinLines(result.Lines, "\n", endsWithBreak), text.Format,
                                  error)) {
    PrintError(error);
    return kExitUsage;
  }
  return kExitOk;
}
