#pragma once
// The task file (".tda"): an INI file with a section [Aufgabe] (title, text, what is checked,
// the step limit, the robot's settings, hints, the model solution, required and forbidden
// words) and sections [Welt1] … [WeltN], each with a start and a goal world: a world file
// beside the task (Start=, Ziel=) or the world file's one line itself (StartWelt=, ZielWelt=).
// A world may be hidden from the pupil (Verdeckt=ja). Read and written with the encoding
// rules of programs; an unknown or doubled key is refused with its line.
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
inline constexpr int kMaxHints = 5;
// The ranges of the settings dialog.
inline constexpr int kMaxJumpLimit = 10;
inline constexpr int kBrickLimit = 999;

struct TTaskWorldFiles {
  std::string Start;  // file names as written (Windows-1252), relative to the task's folder
  std::string Goal;
  std::string StartWorld;  // or the world file's line itself ("StartWelt=", "ZielWelt=")
  std::string GoalWorld;
  bool Hidden = false;     // "Verdeckt=ja": graded, never shown to the pupil
};

struct TTask {
  std::string Title;         // Windows-1252
  std::string Text;          // Windows-1252; lines separated by '\n'
  unsigned Criteria = kCheckAll;
  bool NoNotes = false;      // "KeineHinweise": a robot failure note fails the world
  int64_t MaxSteps = kDefaultMaxSteps;
  // The robot's settings while the task is open and graded ("Sprunghoehe=N",
  // "Ziegel=START MAX"); without these keys: jump height 1, no brick counting.
  int MaxJump = 1;
  bool Bricks = false;
  int BrickStart = 999;
  int MaxBrick = 0;
  std::vector<std::string> Hints;  // "Tipp1" … "Tipp5", in order; lines separated by '\n'
  std::string ModelSolution;       // "Musterloesung": a program file beside the task, or empty
  int ModelSolutionLine = 0;       // its line in the task file, for messages
  // "Gefordert", "Verboten": words of the language in their usual spelling ("solange").
  std::vector<std::string> Required;
  std::vector<std::string> Forbidden;
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
  std::string StartFile;   // native paths (the task file for a world given in it)
  std::string GoalFile;
  std::string StartBytes;  // the start world file as read
  TWorldFileContent Start;
  TWorldFileContent Goal;
};

struct TLoadedTask {
  std::string FileName;  // native path of the task file
  TTask Task;
  std::vector<TTaskWorld> Worlds;
  std::string ModelSolutionFile;  // native path, empty when the task names none
  bool IsHidden(size_t world) const { return world < Task.Worlds.size() && Task.Worlds[world].Hidden; }
};

// Reads the task file and every world it names. A damaged task file, a missing or damaged
// world, a goal whose size differs from its start, or a model solution that is not there is
// refused with a message; `out` is then left as it was.
TTaskResult LoadTask(const std::string& fileName, TLoadedTask& out);

// Writes the task file atomically; its world files (if it names any) are the caller's business.
TTaskResult SaveTask(const std::string& fileName, const TTask& task);

}  // namespace tumbo::task
