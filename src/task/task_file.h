#pragma once
// The task file (".tda"): an INI file with a section [Aufgabe] (title, text, what is checked,
// the step limit) and sections [Welt1] … [WeltN], each naming a start and a goal world file
// relative to the task file's folder. Read and written with the encoding rules of programs.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_file.h"
#include "world/world_file.h"

namespace tumbo::task {

// What of the final world must equal the goal.
enum TCriterion : unsigned {
  kCheckBricks = 1,     // "Ziegel": brick count of every cell
  kCheckMarks = 2,      // "Marken"
  kCheckCuboids = 4,    // "Quader"
  kCheckPosition = 8,   // "Position" of the robot
  kCheckHeading = 16,   // "Richtung" of the robot
  kCheckAll = 31,
};

inline constexpr int64_t kDefaultMaxSteps = 1000000;
inline constexpr int kMaxTaskWorlds = 99;
inline constexpr const char* kTaskExtension = ".tda";

struct TTaskWorldFiles {
  std::string Start;  // as written in the file (Windows-1252), relative to the task's folder
  std::string Goal;
};

struct TTask {
  std::string Title;         // Windows-1252
  std::string Text;          // Windows-1252; lines separated by '\n'
  unsigned Criteria = kCheckAll;
  bool NoNotes = false;      // "KeineHinweise": a robot failure note fails the world
  int64_t MaxSteps = kDefaultMaxSteps;
  std::vector<TTaskWorldFiles> Worlds;
  tumbo::text::TextFormat Format = tumbo::text::kNewFileFormat;  // saved as it was read
};

// Success, or a German message (Windows-1252) naming the file and the problem.
struct TTaskResult {
  std::string Message;
  bool Ok() const { return Message.empty(); }
};

// "Ziegel,Marken,Quader,Position,Richtung" for the given criteria (in this order).
std::string CriteriaText(unsigned criteria);

// Reads a task from the file's bytes; `fileName` only names the file in messages.
TTaskResult ParseTask(std::string_view bytes, const std::string& fileName, TTask& out);
// The file's bytes for a task.
std::string WriteTaskText(const TTask& task);

// A task with its worlds read, ready for checking programs.
struct TTaskWorld {
  std::string StartFile;   // native paths
  std::string GoalFile;
  std::string StartBytes;  // the start world file as read
  TWorldFileContent Start;
  TWorldFileContent Goal;
};

struct TLoadedTask {
  std::string FileName;  // native path of the task file
  TTask Task;
  std::vector<TTaskWorld> Worlds;
};

// Reads the task file and every world it names. A damaged task file, a missing or damaged
// world, or a goal whose size differs from its start is refused with a message; `out` is then
// left as it was.
TTaskResult LoadTask(const std::string& fileName, TLoadedTask& out);

// Writes the task file atomically; its world files are the caller's business.
TTaskResult SaveTask(const std::string& fileName, const TTask& task);

}  // namespace tumbo::task
