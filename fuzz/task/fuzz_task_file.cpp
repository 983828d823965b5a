// Any bytes as a task file: a refused file leaves the task as it was and says why; an accepted
// one names at least one world and reads back the same after writing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "task/task_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tumbo::task;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TTask task;
  task.Title = "vorher";
  const TTaskResult r = ParseTask(bytes, "fuzz.tda", task);
  if (!r.Ok()) {
    Check(task.Title == "vorher" && task.Worlds.empty());
    return 0;
  }
  Check(!task.Worlds.empty() && task.Criteria != 0 && task.MaxSteps >= 1);
  TTask back;
  Check(ParseTask(WriteTaskText(task), "fuzz.tda", back).Ok());
  Check(back.Criteria == task.Criteria && back.NoNotes == task.NoNotes &&
        back.MaxSteps == task.MaxSteps && back.Worlds.size() == task.Worlds.size());
  Check(back.MaxJump == task.MaxJump && back.Bricks == task.Bricks && back.MaxBrick == task.MaxBrick &&
        back.BrickStart == task.BrickStart && back.Hints.size() == task.Hints.size() &&
        back.Required == task.Required && back.Forbidden == task.Forbidden);
  for (size_t i = 0; i < task.Worlds.size(); ++i) Check(back.Worlds[i].Hidden == task.Worlds[i].Hidden);
  return 0;
}
