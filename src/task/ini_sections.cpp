#include "task/ini_sections.h"

#include "text/cp1252.h"

namespace tumbo::task {

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tumbo::text::UpperLanguage(a[i]) != tumbo::text::UpperLanguage(b[i])) return false;
  return true;
}

int NumberAfter(std::string_view name, std::string_view prefix, int max) {
  if (name.size() <= prefix.size() || !SameWord(name.substr(0, prefix.size()), prefix)) return 0;
  const std::string_view digits = name.substr(prefix.size());
  if (digits.size() > 3 || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n <= max ? n : 0;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

TLineProblem ReadSections(const tumbo::text::IniFile& ini, std::vector<TIniSection>& out) {
  out.clear();
  for (tumbo::text::IniLine& line : ini.Lines()) {
    switch (line.Type) {
      case tumbo::text::IniLine::Other:
        return {line.Number, Quoted(line.Value) + " ist weder [Abschnitt] noch Name=Wert"};
      case tumbo::text::IniLine::Section:
        for (const TIniSection& s : out)
          if (SameWord(s.Name, line.Name))
            return {line.Number, "der Abschnitt [" + line.Name + "] steht schon in Zeile " +
                                     std::to_string(s.Line)};
        out.push_back({std::move(line.Name), line.Number, {}});
        break;
      case tumbo::text::IniLine::Entry:
        if (out.empty()) return {line.Number, line.Name + "= steht vor dem ersten [Abschnitt]"};
        for (const TIniKey& k : out.back().Keys)
          if (SameWord(k.Name, line.Name))
            return {line.Number, line.Name + "= steht zweimal in [" + out.back().Name +
                                     "] (schon in Zeile " + std::to_string(k.Line) + ")"};
        out.back().Keys.push_back({std::move(line.Name), std::move(line.Value), line.Number});
        break;
    }
  }
  return {};
}

}  // namespace tumbo::task
