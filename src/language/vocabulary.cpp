#include "language/vocabulary.h"

#include "text/cp1252.h"

// Umlauts as Windows-1252 bytes: \xC4 Ä, \xD6 Ö, \xDC Ü, \xE4 ä, \xF6 ö, \xFC ü.

const char* const ControlWords[kControlWordCount + 1] = {
    "",        "Programm", "wiederhole", "mal",   "solange",        "tue",  "wenn",
    "dann",    "sonst",    "Anweisung",  "Bedingung", "wahr",        "falsch", "nicht",
    "Einf\xFCgen", "bis", "immer", "", "", "", ""};

const char* const ControlWordsUpper[kControlWordCount + 1] = {
    "",        "PROGRAMM", "WIEDERHOLE", "MAL",   "SOLANGE",        "TUE",  "WENN",
    "DANN",    "SONST",    "ANWEISUNG",  "BEDINGUNG", "WAHR",        "FALSCH", "NICHT",
    "EINF\xDCGEN", "BIS", "IMMER", "", "", "", ""};

const char* const Instructions[kInstructionCount + 1] = {
    "",         "Schritt",      "LinksDrehen", "RechtsDrehen", "Hinlegen", "Aufheben", "MarkeSetzen",
    "MarkeL\xF6schen", "Warten", "Ton",        "Langsam",      "Schnell",  "Beenden"};

const char* const InstructionsUpper[kInstructionCount + 1] = {
    "",         "SCHRITT",      "LINKSDREHEN", "RECHTSDREHEN", "HINLEGEN", "AUFHEBEN", "MARKESETZEN",
    "MARKEL\xD6SCHEN", "WARTEN", "TON",        "LANGSAM",      "SCHNELL",  "BEENDEN"};

const char* const Conditions[kConditionCount + 1] = {
    "",           "IstWand",    "NichtIstWand", "IstZiegel",    "NichtIstZiegel", "IstMarke",
    "NichtIstMarke", "IstNorden", "IstOsten",   "IstS\374den", "IstWesten",    "IstVoll",
    "NichtIstVoll",  "IstLeer",   "NichtIstLeer", "HatZiegel"};

const char* const ConditionsUpper[kConditionCount + 1] = {
    "",           "ISTWAND",    "NICHTISTWAND", "ISTZIEGEL",    "NICHTISTZIEGEL", "ISTMARKE",
    "NICHTISTMARKE", "ISTNORDEN", "ISTOSTEN",   "ISTS\334DEN", "ISTWESTEN",    "ISTVOLL",
    "NICHTISTVOLL",  "ISTLEER",   "NICHTISTLEER", "HATZIEGEL"};

namespace {

// A table's words with their lengths, so that a look-up compares lengths before letters: the
// compiler asks for every word of a program.
template <int Count>
struct TWordTable {
  explicit TWordTable(const char* const* table) {
    for (int i = 0; i <= Count; ++i) Words[i] = table[i];
  }
  int Find(std::string_view word) const {
    if (word.empty()) return 0;
    for (int i = 1; i <= Count; ++i)
      if (word == Words[i]) return i;
    return 0;
  }
  std::string_view Words[Count + 1];
};

}  // namespace

int FindControlWord(std::string_view upperWord) {
  static const TWordTable<kControlWordCount> table(ControlWordsUpper);
  return table.Find(upperWord);
}

int FindInstruction(std::string_view upperWord) {
  static const TWordTable<kInstructionCount> table(InstructionsUpper);
  return table.Find(upperWord);
}

int FindCondition(std::string_view upperWord) {
  static const TWordTable<kConditionCount> table(ConditionsUpper);
  return table.Find(upperWord);
}

void CanonicalSpelling(std::string& line) {
  const size_t n = line.size();
  size_t pos = 0;
  while (pos < n) {
    while (pos < n && line[pos] == ' ') ++pos;
    if (pos < n && line[pos] == '*') ++pos;
    const size_t start = pos;
    while (pos < n && line[pos] != ' ' && line[pos] != '(') ++pos;
    const size_t end = pos;
    if (pos < n && line[pos] == '(') {
      // x inside the parentheses is the formal parameter X.
      ++pos;
      while (pos < n && line[pos] != ')') {
        if (line[pos] == 'x') line[pos] = 'X';
        ++pos;
      }
      while (pos < n && line[pos] != ' ') ++pos;
    }
    const std::string_view written(line.data() + start, end - start);
    const std::string upper = tumbo::text::UpperLanguage(written);
    const char* canonical = nullptr;
    if (int i = FindControlWord(upper)) canonical = ControlWords[i];
    else if (int k = FindInstruction(upper)) canonical = Instructions[k];
    else if (int c = FindCondition(upper)) canonical = Conditions[c];
    if (canonical && *canonical && written != canonical)
      line.replace(start, end - start, canonical);
    if (pos == start) ++pos;  // an empty word (a lone "*" or "(") still moves on
  }
}
