#include "task/grade_report.h"

#include "task/summary_csv.h"
#include "text/cp1252.h"

namespace tumbo::task {

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
      out += SpreadsheetCell(g.Name) + ";" + std::to_string(i + 1) + ";" +
             SpreadsheetCell(w.Solved ? "gel\xF6st" : "nicht gel\xF6st") + ";" + SpreadsheetCell(w.Reason) + "\r\n";
    }
  return out;
}

}  // namespace tumbo::task
