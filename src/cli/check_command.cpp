// tumbo-cli check PROGRAM: compile with messages; each message line, or "Kein Syntaxfehler".
#include "cli/cli_io.h"
#include "cli/command_table.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {
const std::string kUsage = CommandUsage("check");
}

int cmdCheck(const TCliArgs& args) {
  if (args.size() != 1 || args[0].starts_with("--")) return UsageError("", kUsage);
  const auto file = ReadProgramFile(args[0]);
  if (!file) return kExitUsage;
  TWelt world;
  TTumbo_HeadlessHost host;
  TTumbo_Parser parser(world, host, [](int number, int line, const std::string& text) {
    PrintLine(FormatErrorLine(number, line, text));
  });
  if (!parser.Compile(file->Text, file->Folder, true)) return kExitProgramErrors;
  PrintLine("Kein Syntaxfehler");
  return kExitOk;
}
