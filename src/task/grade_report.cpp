#include "task/grade_report.h"

#include "text/cp1252.h"

namespace tumbo::task {
namespace {

// A CSV field (UTF-8): quoted when it holds the separator, a quote or a line break.
std::string CsvField(const std::string& cp1252) {
  const std::string utf8 = tumbo::text::Cp1252ToUtf8(cp1252);
  if (utf8.find_first_of(";\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (char c : utf8) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::vector<std::string> GradeTextLines(const TProgramGrade& grade) {
  std::vector<std::string> lines{grade.Name + ": " + std::to_string(grade.SolvedCount()) + " von " +
                                 WorldCount(grade.Worlds.size()) + " gel\xF6st"};
  if (!grade.ProgramError.empty()) {
    lines.push_back("  " + grade.ProgramError);
    return lines;
  }
  for (size_t i = 0; i < grade.Worlds.size(); ++i)
    if (!grade.Worlds[i].Solved)
      lines.push_back("  " + WorldLine(int(i) + 1, grade.Worlds[i].Reason, grade.Worlds[i].Hidden));
  return lines;
}

std::string GradeCsv(const std::vector<TProgramGrade>& grades) {
  std::string out = "\xEF\xBB\xBF" + tumbo::text::Cp1252ToUtf8("Programm;Welt;Ergebnis;Begr\xFCndung") + "\r\n";
  for (const TProgramGrade& g : grades)
    for (size_t i = 0; i < g.Worlds.size(); ++i) {
      const TWorldGrade& w = g.Worlds[i];
      out += CsvField(g.Name) + ";" + std::to_string(i + 1) + ";" +
             CsvField(w.Solved ? "gel\xF6st" : "nicht gel\xF6st") + ";" + CsvField(w.Reason) + "\r\n";
    }
  return out;
}

}  // namespace tumbo::task
