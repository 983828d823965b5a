#pragma once
// Checking a program against a task: compiled once, its words checked against the task's
// required and forbidden words, run headlessly (as tumbo-cli run does, with the task's jump
// height and brick counting) on every start world, each final world compared with its goal.
#include <atomic>
#include <string>
#include <vector>

#include "language/headless_run.h"
#include "task/task_file.h"

namespace tumbo::task {

struct TWorldGrade {
  bool Solved = false;
  bool Cancelled = false;  // stopped from outside before its end: not judged
  std::string Reason;      // German, Windows-1252; empty when solved
  std::string FinalWorld;  // the final world as world file bytes; empty when nothing ran
  bool Hidden = false;     // a hidden world of the task: its reason names no cells
};

struct TProgramGrade {
  std::string Name;          // the program's file name (Windows-1252)
  std::string ProgramError;  // the first compiler message line, or why the file was not read
  std::vector<TWorldGrade> Worlds;  // one per world of the task, also when nothing ran
  int SolvedCount() const;
  bool SolvedAll() const { return SolvedCount() == int(Worlds.size()); }
};

// `text` is Windows-1252; libraries are looked for in `folder` (ending in a separator, or empty).
TProgramGrade GradeProgramText(const TLoadedTask& task, const std::string& text,
                               const std::string& folder, const std::string& name);
// How the task's programs run: its step limit, jump height and brick counting.
THeadlessRunOptions RunOptions(const TLoadedTask& task);
// The first compiler message of the program ("[Fehlernr N] (Zeile L): …"), empty when it compiles.
std::string CompilerMessage(const std::string& text, const std::string& folder);
// The task's required and forbidden words the program breaks, in one text; empty when none.
std::string WordRuleMessage(const TLoadedTask& task, const std::string& text);
// Runs the program on start world `index` alone and judges its final world, so that the worlds
// may be spread over threads. Once `cancel` turns true the run stops at its next statement and
// the grade says Cancelled. A program that does not compile leaves the world not solved.
TWorldGrade GradeWorld(const TLoadedTask& task, size_t index, const std::string& text,
                       const std::string& folder, const std::atomic<bool>* cancel = nullptr);
// Reads the program file as the editor does (UTF-8 when valid, else Windows-1252).
TProgramGrade GradeProgramFile(const TLoadedTask& task, const std::string& path);

// "Welt 2: Feld (3, 2): 2 Ziegel, Ziel 3; Tumbo steht auf (1, 2), Ziel (8, 2)";
// "Verdeckte Welt 3: Ziegel stimmen nicht" for a hidden world.
std::string WorldLine(int worldNumber, const std::string& reason, bool hidden = false);
// "1 Welt", "3 Welten".
std::string WorldCount(size_t count);

}  // namespace tumbo::task
