// Compile of a program text with a small library folder, then a bounded run.
// Input: the program text, optionally followed by two zero bytes and the text of a library
// "fuzzlib.tdp" that the program may include beside the fixed libraries of the folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The library folder, made once per process.
const std::string& LibraryFolder() {
  static const std::string folder = [] {
    const fs::path dir =
        fs::temp_directory_path() / ("tumbo_fuzz_compile_" + std::to_string(getpid()));
    fs::create_directories(dir);
    WriteFile(dir / "Werkzeuge.tdp",
              "Anweisung Umdrehen LinksDrehen LinksDrehen *Anweisung\r\n"
              "Bedingung Frei(x) wenn IstZiegel(x) dann falsch sonst wahr *wenn Schritt(x) "
              "*Bedingung\r\n");
    WriteFile(dir / "leer.TDP", "");
    WriteFile(dir / "innen.tdp", "Einf\xFCgen werkzeuge *Einf\xFCgen\r\nSchritt");
    return dir.string() + "/";
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find(std::string_view("\0\0", 2));
  const std::string program(input.substr(0, split));
  const std::string& folder = LibraryFolder();
  WriteFile(fs::path(folder) / "fuzzlib.tdp",
            split == std::string_view::npos ? std::string_view() : input.substr(split + 2));

  TWelt world;
  TTumbo_HeadlessHost host;
  size_t messages = 0;
  TTumbo_Parser engine(
      world, host, [&messages](int, int, const std::string&) { ++messages; },
      [&messages](int, int, const std::string&) { ++messages; });
  const bool ok = engine.Compile(program, folder);
  if (ok) {
    engine.StatementLimit = 20000;
    engine.Hint = (size & 1) != 0;
    engine.StopOnError = (size & 2) != 0;
    world.Robot.CheckBrick = (size & 4) != 0;
    world.Robot.MaxBrick = 7;
    world.Robot.BrickStart = 3;
    // Every step point follows a counted statement or a loop pass, and every pass counts at
    // least one statement: a run that makes more step points than that does not end.
    const uint64_t maxSteps = 2 * uint64_t(engine.StatementLimit) + 4;
    uint64_t steps = 0;
    engine.OnStep = [&] {
      if (++steps > maxSteps) {
        std::fprintf(stderr, "The run does not end at its statement limit.\n");
        std::abort();
      }
    };
    engine.Run(size % 3 == 0 ? 2 : 1);
    if (!engine.StatementLimitReached && engine.StatementCount > engine.StatementLimit) std::abort();
  }
  return 0;
}
