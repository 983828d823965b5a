#include "cli/command_table.h"

#include <algorithm>

namespace {

// Built on first use, so that the commands' files may ask for their usage while they start.
// clang-format off
const std::vector<TCliCommand>& Commands() {
  static const std::vector<TCliCommand> commands = {
    {"check", cmdCheck, "PROGRAMM",
     "Prüft das Programm: jede Meldung als Zeile, sonst \"Kein Syntaxfehler\".", {}},
    {"run", cmdRun, "PROGRAMM",
     "Prüft das Programm und lässt es ablaufen; jede Meldung als Zeile.", {
       {"--world DATEI", "startet in dieser Welt statt in der Startwelt"},
       {"--out DATEI|-", "schreibt die Welt am Ende in DATEI (- = Ausgabe)"},
       {"--max-jump N", "Sprunghöhe des Roboters (Vorgabe 1)"},
       {"--bricks START MAX", "zählt die Ziegel: START zu Beginn, MAX höchstens"},
       {"--errors none|hint|abort|both", "Meldung bei Roboterfehlern (Vorgabe hint)"},
       {"--trace", "gibt vor jeder Anweisung @ZEILE aus"},
       {"--max-steps N", "bricht nach N Anweisungen ab (Vorgabe 1000000)"},
       {"--max-depth N", "höchstens N Ebenen tief (Vorgabe 10000, bis 1000000)"},
       {"--history DATEI|-", "schreibt jeden Schritt des Ablaufs in DATEI"},
     }},
    {"format", cmdFormat, "PROGRAMM",
     "Rückt das Programm ein und gibt es aus (Zeilenende CR LF, UTF-8).", {
       {"--tab N", "N Leerzeichen je Einrückung (1 bis 16, Vorgabe 2)"},
       {"--canonical", "Schlüsselwörter in ihrer üblichen Schreibweise"},
       {"--in-place", "schreibt das Ergebnis in die Datei zurück"},
     }},
    {"render", cmdRender, "WELT", "Zeichnet die Welt so, wie das Fenster sie zeigt.", {
       {"-o DATEI.png|bmp|svg|emf", "die Bilddatei", true},
       {"--2d", "die 2D-Ansicht statt der 3D-Ansicht"},
       {"--scale F", "F-mal so groß (0,1 bis 8, etwa 2 oder 150%)"},
       {"--contrast", "in den Farben für hohen Kontrast"},
     }},
    {"chart", cmdChart, "PROGRAMM", "Zeichnet das Struktogramm des Programms.", {
       {"-o DATEI.svg|emf|png|pdf", "die Bilddatei", true},
     }},
    {"grade", cmdGrade, "AUFGABE|KURS EINGABE...",
     "Prüft Programme (Dateien oder Klassenordner) an jeder Startwelt der Aufgabe oder des Kurses.", {
       {"--csv DATEI", "schreibt jede Welt jedes Programms als CSV-Tabelle"},
       {"--summary DATEI", "schreibt je Schüler eine Zeile als CSV-Tabelle"},
       {"--html DATEI|ORDNER", "schreibt Übersicht und je Schüler eine Seite als HTML"},
       {"--jobs N", "bewertet N Programme zugleich (1 bis 1024)"},
     }},
  };
  return commands;
}
// clang-format on

const TCliOption kHelpOption{"--help", "zeigt diese Hilfe"};
const TCliOption kVersionOption{"--version", "zeigt die Versionsnummer"};

constexpr size_t kOptionColumn = 24;
constexpr size_t kUsageWidth = 70;  // a usage line is broken before an option beyond this
constexpr size_t kUsageIndent = 6;  // and goes on indented

// The lines of a text, each with `indent` in front.
void AddIndented(std::vector<std::string>& lines, const std::string& text,
                 const std::string& indent) {
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(indent + text.substr(start, end - start));
  lines.push_back(indent + text.substr(start));
}

// "  SYNTAX   HELP": the help starts in one column, or on a line of its own after a long syntax.
void AddOptionLines(std::vector<std::string>& lines, const TCliOption& option) {
  std::string line = std::string("  ") + option.Syntax;
  if (line.size() + 2 > kOptionColumn) {
    lines.push_back(line);
    line.clear();
  }
  line.resize(kOptionColumn, ' ');
  lines.push_back(line + option.Help);
}

void AddExitCodes(std::vector<std::string>& lines) {
  lines.insert(lines.end(),
               {"", "Rückgabewerte:", "  0  fertig", "  1  das Programm hat Fehler",
                "  2  falscher Aufruf, oder eine Datei ist nicht lesbar oder nicht schreibbar",
                "  4  mehr Schritte als --max-steps erlaubt",
                "  5  grade: ein Programm hat eine Aufgabe nicht gelöst"});
}

}  // namespace

const TCliCommand* FindCliCommand(std::string_view name) {
  const auto& commands = Commands();
  const auto it = std::find_if(commands.begin(), commands.end(),
                               [name](const TCliCommand& c) { return name == c.Name; });
  return it == commands.end() ? nullptr : &*it;
}

std::string CommandUsage(std::string_view name) {
  const TCliCommand* command = FindCliCommand(name);
  if (!command) return "tumbo-cli BEFEHL";
  std::string usage = std::string("tumbo-cli ") + command->Name + " " + command->Operands;
  size_t lineStart = 0;
  for (const TCliOption& option : command->Options) {
    const std::string part =
        option.Required ? std::string(option.Syntax) : std::string("[") + option.Syntax + "]";
    if (usage.size() - lineStart + 1 + part.size() > kUsageWidth) {
      usage += "\n" + std::string(kUsageIndent, ' ');
      lineStart = usage.size() - kUsageIndent;
    } else {
      usage += ' ';
    }
    usage += part;
  }
  return usage;
}

std::string AllUsages() {
  std::string usages;
  for (const TCliCommand& c : Commands()) {
    std::vector<std::string> lines;
    AddIndented(lines, CommandUsage(c.Name), "  ");
    for (const std::string& line : lines) usages += "\n" + line;
  }
  return usages + "\n  tumbo-cli --help | --version";
}

std::vector<std::string> HelpText() {
  std::vector<std::string> lines = {
      "Aufruf: tumbo-cli BEFEHL DATEI [OPTION]...",
      "  oder: tumbo-cli BEFEHL --help",
      "  oder: tumbo-cli --help | --version",
      "Prüft, startet und formatiert Programme für Robot Tumbo und zeichnet Welten",
      "und Struktogramme, ohne Fenster.",
      "",
      "Befehle:"};
  for (const TCliCommand& c : Commands()) {
    AddIndented(lines, CommandUsage(c.Name), "  ");
    lines.push_back(std::string("      ") + c.Summary);
  }
  for (const TCliCommand& c : Commands()) {
    if (c.Options.empty()) continue;
    lines.push_back("");
    lines.push_back(std::string("Optionen von ") + c.Name + ":");
    for (const TCliOption& option : c.Options) AddOptionLines(lines, option);
  }
  lines.push_back("");
  lines.push_back("Allgemeine Optionen:");
  AddOptionLines(lines, {"--help", "zeigt diese Hilfe (nach einem Befehl dessen Hilfe)"});
  AddOptionLines(lines, kVersionOption);
  AddExitCodes(lines);
  return lines;
}

std::vector<std::string> CommandHelpText(const TCliCommand& command) {
  std::vector<std::string> lines;
  AddIndented(lines, "Aufruf: " + CommandUsage(command.Name), "");
  lines.insert(lines.end(), {command.Summary, "", "Optionen:"});
  for (const TCliOption& option : command.Options) AddOptionLines(lines, option);
  AddOptionLines(lines, kHelpOption);
  AddExitCodes(lines);
  return lines;
}

std::vector<std::string> VersionText() {
  return {"tumbo-cli (Robot Tumbo) " TUMBO_VERSION,
          "Lizenz: GPL-3.0-or-later (GNU General Public License, Version 3 oder neuer)."};
}

bool AsksForHelp(const TCliArgs& args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}
