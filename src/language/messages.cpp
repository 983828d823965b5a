#include "language/messages.h"

namespace {

// Umlauts as Windows-1252 bytes: \xFC ü, \xF6 ö, \xDC Ü, \xDF ß.
const char* const kTexts[kMessageCount + 1] = {
    "",
    "bed.Anweisung WENN: Unbekannte oder fehlende Bedingung.",
    "bed.Anweisung WENN hat die Form: WENN {bedingung} DANN {anweisungen} *WENN",
    "nach WIEDERHOLE muss entweder Ganzzahl, IMMER, SOLANGE oder m\xFCssen Anweisungen mit "
    "*WIEDERHOLE folgen.",
    "Wiederholung (mit fester Anzahl) WIEDERHOLE: nach der Zahl f\xFCr die Wiederholungen muss "
    "das Wort MAL folgen.",
    "bed.Wiederholung SOLANGE hat die Form: SOLANGE [NICHT] {bedingung} TUE {anweisungen} "
    "*SOLANGE",
    "bed.Wiederholung SOLANGE: Unbekannte oder fehlende Bedingung.",
    "Fehler beim * Ende einer Kontrollstruktur.",
    "Preprozessor: Falsche Verwendung einer Bibliothek. Block EINF\xDCGEN muss man mit "
    "*EINF\xDCGEN abschlie\xDF" "en.",
    "Preprozessor: Falsche Verwendung einer Bibliothek. Die Datei, die bei EINF\xDCGEN "
    "angef\xFChrt ist existiert nicht.",
    "Unbekannte Anweisung. Schreibweise kontrollieren!",
    "Unbekannte Bedingung. Schreibweise kontrollieren!",
    "Der Bezeichner WAHR oder FALSCH muss mindestens einmal in der BEDINGUNG vorkommen.",
    "Der Parameter muss eine Ganzzahl sein.",
    "Der Parameter muss eine Ganzzahl sein, der die Anzahl in Millisekunden angibt.",
    "bed.Wiederholung WIEDERHOLE SOLANGE: Unbekannte oder fehlende Bedingung.",
    "",
    "bed.Wiederholung WIEDERHOLE *WIEDERHOLE BIS: Unbekannte oder fehlende Bedingung.",
    "bed.Wiederholung WIEDERHOLE *WIEDERHOLE SOLANGE: Unbekannte oder fehlende Bedingung.",
    "Wiederholung (mit fester Anzahl) WIEDERHOLE: fehlt Zahl f\xFCr die Anzahl der "
    "Wiederholungen.",
    "Fehler in der Kontrollstruktur WIEDERHOLE.",
    "PROGRAMM ist nicht innerhalb von Anweisung/Bedingung m\xF6glich.",
    "Fehlt Ende der selbstdef. ANWEISUNG.",
    "Fehlt Ende der selbstdef. BEDINGUNG.",
    "Fehlt Ende der Kontrollstruktur WIEDERHOLE.",
    "Fehlt SONST oder *WENN.",
    "Fehlt Ende der Kontrollstruktur WENN.",
    "Fehlt Ende der Kontrollstruktur SOLANGE.",
    "Ist keine Methode des Objekts Tumbo.",
    "Der formale Parameter X darf nur innerhalb selbstdef. Anweisungen/Bedingungen benutzt "
    "werden.",
    "Als Bezeichner f\xFCr den formalen Parameter ist nur X m\xF6glich.",
    "Die selbstdef. Anweisung/Bedingung erfordert einen aktuellen Parameter.",
    "Die selbstdef. Anweisung/Bedingung ben\xF6tigt keinen aktuellen Parameter.",
    "Zu tiefe Verschachtelung: h\xF6" "chstens 1000 Kontrollstrukturen ineinander.",
    "Das Programm ist zu gro\xDF: h\xF6" "chstens 16 MB Programmtext mit allen Bibliotheken.",
};

}  // namespace

const char* CompilerMessageText(int number) {
  if (number < 1 || number > kMessageCount) return "";
  return kTexts[number];
}

std::string DepthLimitText(int maxDepth) {
  return "Zu tiefe Rekursion: mehr als " + std::to_string(maxDepth) + " verschachtelte Aufrufe.";
}

namespace {

std::string LinePart(int line) {
  return line > 0 ? " (Zeile " + std::to_string(line) + ")" : std::string();
}

}  // namespace

std::string FormatErrorLine(int number, int line, const std::string& text) {
  return "[Fehlernr " + std::to_string(number) + "]" + LinePart(line) + ": " + text;
}

std::string FormatRunMessageLine(int kind, int line, const std::string& text) {
  return std::string(kind == 1 ? "[Abbruch]" : "[Hinweis]") + LinePart(line) + ": " + text;
}
