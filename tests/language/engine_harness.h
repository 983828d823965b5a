#pragma once
// A language engine on the start world with a headless host, recording every callback as the
// line tumbo-cli prints for it ("@L" for a step, the information-list lines for messages).
#include <string>
#include <vector>

#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

struct TEngineHarness {
  TWelt World;
  TTumbo_HeadlessHost Host;
  TTumbo_Parser Engine;
  std::vector<std::string> Log;
  bool TraceSteps = true;

  TEngineHarness()
      : Engine(
            World, Host,
            [this](int number, int line, const std::string& text) {
              Log.push_back(FormatErrorLine(number, line, text));
            },
            [this](int kind, int line, const std::string& text) {
              Log.push_back(FormatRunMessageLine(kind, line, text));
            },
            [this] {
              if (TraceSteps) Log.push_back("@" + std::to_string(Engine.CurrentLine));
            }) {}

  // Compiles (program lines joined by CR LF) and, when that succeeds, runs in `mode`.
  bool CompileAndRun(const std::string& program, uint8_t mode = 1) {
    if (!Engine.Compile(program, "")) return false;
    Log.clear();
    Engine.Run(mode);
    return true;
  }

  // The log as one text, entries separated by " | ".
  std::string Joined() const {
    std::string out;
    for (const std::string& entry : Log) {
      if (!out.empty()) out += " | ";
      out += entry;
    }
    return out;
  }
};

// Joins program lines with CR LF.
inline std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}
