// tumbo-cli: checks, runs and formats robot programs (and draws worlds and charts) without a
// window. Each command lives in its own file; this table dispatches to them.
#include <cstring>
#include <string>

#include "cli/cli_io.h"
#include "cli/commands.h"

namespace {

struct TCommand {
  const char* Name;
  int (*Function)(const TCliArgs&);
  const char* Usage;
};

const TCommand kCommands[] = {
    {"check", cmdCheck, "tumbo-cli check PROGRAMM"},
    {"run", cmdRun,
     "tumbo-cli run PROGRAMM [--world DATEI] [--out DATEI|-] [--max-jump N] [--bricks START MAX]\n"
     "               [--errors none|hint|abort|both] [--trace] [--max-steps N] [--max-depth N]"},
    {"format", cmdFormat, "tumbo-cli format [--tab N] [--canonical] PROGRAMM"},
    {"chart", cmdChart, "tumbo-cli chart PROGRAMM -o DATEI.svg|emf|png|pdf"},
    {"render", cmdRender, "tumbo-cli render WELT -o DATEI.png|bmp|svg|emf [--2d]"},
    {"grade", cmdGrade, "tumbo-cli grade AUFGABE PROGRAMM... [--csv DATEI] [--html DATEI] [--jobs N]"},
};

int PrintUsage() {
  std::string usage = "Aufruf:";
  for (const TCommand& c : kCommands) usage += std::string("\n  ") + c.Usage;
  PrintError(usage);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return PrintUsage();
  for (const TCommand& c : kCommands) {
    if (std::strcmp(argv[1], c.Name) == 0) return c.Function(TCliArgs(argv + 2, argv + argc));
  }
  PrintError(std::string("Unbekannter Befehl: ") + argv[1]);
  return PrintUsage();
}
