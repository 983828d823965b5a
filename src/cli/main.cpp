// tumbo-cli: checks, runs and formats robot programs (and draws worlds and charts) without a
// window. Each command lives in its own file; command_table.cpp lists them with their options.
#include <string>

#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "cli/large_heap.h"
#include "text/cp1252.h"

namespace {

int PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) PrintBytes(line + "\n");
  return kExitOk;
}

int Dispatch(const TCliArgs& args) {
  if (args.empty()) return UsageError("Kein Befehl angegeben.", AllUsages());
  const std::string& name = args[0];
  if (name == "--help" || name == "-h") return PrintLines(HelpText());
  if (name == "--version") return PrintLines(VersionText());
  const TCliCommand* command = FindCliCommand(name);
  if (!command)
    return UsageError("Unbekannter Befehl: " + tumbo::text::Utf8ToCp1252(name), AllUsages());
  const TCliArgs rest(args.begin() + 1, args.end());
  if (AsksForHelp(rest)) return PrintLines(CommandHelpText(*command));
  return command->Function(rest);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareLargeHeap();
  const int exitCode = Dispatch(TCliArgs(argv + 1, argv + argc));
  // Output that did not reach its file (a full disk, a closed pipe) is a failure, not a result.
  return FinishOutput() ? exitCode : kExitUsage;
}
