#pragma once
// The one table of tumbo-cli's commands and their options: the dispatcher, the usage lines
// of usage errors and the --help text are all made from it. A new command or option is one
// entry here (and its handling in the command's file).
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

struct TCliOption {
  const char* Syntax;  // as written on the command line, with its values: "--world DATEI"
  const char* Help;    // one line of help (UTF-8, as all help texts)
  bool Required = false;
};

struct TCliCommand {
  const char* Name;
  int (*Function)(const TCliArgs&);
  const char* Operands;  // "PROGRAMM", "WELT"
  const char* Summary;   // what the command does
  std::vector<TCliOption> Options;
};

// The command of that name, or nothing.
const TCliCommand* FindCliCommand(std::string_view name);

// "tumbo-cli run PROGRAMM [--world DATEI] …", broken into indented lines where it is long.
std::string CommandUsage(std::string_view name);
// The usage lines of all commands, one below the other, and where to find more.
std::string AllUsages();
// The full help of all commands, or of one; lines (UTF-8) for standard output.
std::vector<std::string> HelpText();
std::vector<std::string> CommandHelpText(const TCliCommand& command);
// "tumbo-cli (Robot Tumbo) VERSION" and a short licence note.
std::vector<std::string> VersionText();
// True when the arguments ask for help ("--help" or "-h" anywhere).
bool AsksForHelp(const TCliArgs& args);
