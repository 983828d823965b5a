#include "task/summary_csv.h"

#include <algorithm>

#include "text/cp1252.h"

namespace tumbo::task {
namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kRowEnd = "\r\n";

std::string Row(const std::vector<std::string>& cells) {
  std::string row;
  for (size_t i = 0; i < cells.size(); ++i) row += (i ? ";" : "") + SpreadsheetCell(cells[i]);
  return row + kRowEnd;
}

}  // namespace

std::string SpreadsheetCell(const std::string& cp1252) {
  std::string utf8 = tumbo::text::Cp1252ToUtf8(cp1252);
  if (!utf8.empty() && std::string_view("=+-@\t\r").find(utf8[0]) != std::string_view::npos) utf8.insert(0, "'");
  if (utf8.find_first_of(";\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (char c : utf8) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::vector<const TPupilResult*> ByName(const std::vector<TPupilResult>& pupils) {
  std::vector<const TPupilResult*> out;
  for (const TPupilResult& p : pupils) out.push_back(&p);
  std::stable_sort(out.begin(), out.end(),
                   [](const TPupilResult* a, const TPupilResult* b) { return NameLess(a->Name, b->Name); });
  return out;
}

std::string ClassCsv(const TClassWork& work, const std::vector<TPupilResult>& pupils) {
  std::string out = std::string(kBom) + Row({"Programm", "Welt", "Ergebnis", "Begr\xFCndung"});
  for (const TPupilResult& p : pupils)
    for (size_t k = 0; k < p.Tasks.size(); ++k) {
      const TTaskOutcome& t = p.Tasks[k];
      const std::string program = work.Course ? p.Name + "/" + work.Tasks[k].ProgramName : p.Name;
      const bool named = t.Kind != TSubmission::Program && t.Kind != TSubmission::SyntaxError;
      for (size_t i = 0; i < t.Grade.Worlds.size(); ++i) {
        const TWorldGrade& w = t.Grade.Worlds[i];
        const std::string result = named ? SubmissionName(t.Kind) : w.Solved ? "gel\xF6st" : "nicht gel\xF6st";
        out += Row({program, std::to_string(i + 1), result, named ? t.Reason : w.Reason});
      }
    }
  return out;
}

std::string SummaryCsv(const TClassWork& work, const std::vector<TPupilResult>& pupils) {
  std::vector<std::string> header{"Name"};
  for (const TClassTask& t : work.Tasks) header.push_back(t.Title());
  header.push_back("Gel\xF6st");
  std::string out = std::string(kBom) + Row(header);
  for (const TPupilResult* p : ByName(pupils)) {
    std::vector<std::string> cells{p->Name};
    for (const TTaskOutcome& t : p->Tasks) cells.push_back(t.Cell());
    cells.resize(work.Tasks.size() + 1);  // a grading stopped early leaves the rest empty
    cells.push_back(std::to_string(p->SolvedTasks()));
    out += Row(cells);
  }
  return out;
}

}  // namespace tumbo::task
