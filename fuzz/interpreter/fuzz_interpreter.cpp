// The interpreter against the reference interpreter: the input bytes make every choice of a
// random program, world, settings and event script; both runs must record the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "differential_run.h"
#include "random_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t pos = 0;
  // Two bytes a choice; once the input is used up every choice is 0.
  const TChoices choose = [&](uint32_t bound) -> uint32_t {
    uint32_t value = 0;
    for (int i = 0; i < 2 && pos < size; ++i) value = value << 8 | data[pos++];
    return value % bound;
  };
  const TRandomCase c = MakeRandomCase(choose);
  const TRunRecord flat = RecordRun(c, TEngineKind::Flat);
  for (const std::string& line : flat.Log) {
    if (line == kRunWithoutEnd) {
      std::fprintf(stderr, "The run does not end at its statement limit:\n%s\n", c.Program.c_str());
      std::abort();
    }
  }
  const std::string difference = CompareRecords(flat, RecordRun(c, TEngineKind::Reference));
  if (!difference.empty()) {
    std::fprintf(stderr, "The engine differs from the reference: %s\nProgram:\n%s\n",
                 difference.c_str(), c.Program.c_str());
    std::abort();
  }
  return 0;
}
