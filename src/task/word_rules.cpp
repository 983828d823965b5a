#include "task/word_rules.h"

#include <set>

#include "language/scanner.h"
#include "text/cp1252.h"

namespace tumbo::task {
namespace {

// The program's words in upper case, as the parser reads them.
std::set<std::string> ProgramWords(const std::string& text) {
  std::set<std::string> words;
  const std::string source = Preprocess(text);
  size_t pos = 0;
  while (pos < source.size()) {
    const size_t before = pos;
    TWord word = ReadWord(source, pos);
    if (!word.Text.empty()) words.insert(std::move(word.Text));
    if (pos == before) ++pos;
  }
  return words;
}

std::string Word(const std::string& w) { return "Das Wort \x84" + w + "\x93"; }

}  // namespace

std::vector<std::string> WordRuleViolations(const TTask& task, const std::string& programText) {
  if (task.Required.empty() && task.Forbidden.empty()) return {};
  const std::set<std::string> words = ProgramWords(programText);
  std::vector<std::string> out;
  for (const std::string& w : task.Forbidden)
    if (words.count(tumbo::text::UpperLanguage(w))) out.push_back(Word(w) + " ist in dieser Aufgabe verboten");
  for (const std::string& w : task.Required)
    if (!words.count(tumbo::text::UpperLanguage(w))) out.push_back(Word(w) + " fehlt");
  return out;
}

}  // namespace tumbo::task
