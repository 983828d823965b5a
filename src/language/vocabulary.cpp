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

int FindIn(const char* const* table, int count, std::string_view word) {
  if (word.empty()) return 0;
  for (int i = 1; i <= count; ++i)
    if (word == table[i]) return i;
  return 0;
}

}  // namespace

int FindControlWord(std::string_view upperWord) {
  return FindIn(ControlWordsUpper, kControlWordCount, upperWord);
}

int FindInstruction(std::string_view upperWord) {
  return FindIn(InstructionsUpper, kInstructionCount, upperWord);
}

int FindCondition(std::string_view upperWord) {
  return FindIn(ConditionsUpper, kConditionCount, upperWord);
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
