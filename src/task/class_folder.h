#pragma once
// Finding the pupils of a class and the program each one handed in. A class is a folder: each
// sub-folder is one pupil (named by the folder, without the suffix learning platforms add to
// submission folders), each program file lying in it is a pupil named by the file. A program
// file given on its own is a pupil named by the path as given. Links that lead out of the
// class folder are never followed, and nothing is read but the programs themselves.
#include <string>
#include <string_view>
#include <vector>

namespace tumbo::task {

// What a pupil handed in for one task, when it is not a program that was graded.
enum class TSubmission {
  Program,          // a program: graded
  NotSubmitted,     // "nicht abgegeben": no file
  Empty,            // "leer"
  NotAProgram,      // "keine Programmdatei": not text, a world file, far too large
  Unreadable,       // "nicht lesbar": no permission, a link out of the class folder
  SeveralPrograms,  // "mehrere Programme": more than one, none named after the task
  SyntaxError,      // "Syntaxfehler": the program does not compile
};

// The named result as the reports write it (Windows-1252); empty for Program.
std::string SubmissionName(TSubmission kind);

inline constexpr const char* kProgramExtension = ".tdp";

struct TPupil {
  std::string Name;    // as shown (Windows-1252)
  std::string Folder;  // native path of the pupil's folder; empty for a pupil given as a file
  std::string File;    // native path of a pupil given as a file (or lying in the class folder)
  std::string Root;    // the class folder the pupil lies in; empty for a file given on its own
};

// "Anna Schmidt_123456_assignsubmission_file_" → "Anna Schmidt" (native name to Windows-1252;
// a name that is not UTF-8 is read as Windows-1252, control characters become '?').
std::string PupilNameFromFolder(std::string_view folderName);
// A native file name or path as a name to show (Windows-1252, control characters as '?').
std::string ShownName(std::string_view native);

// The pupils of the inputs, in the order given; the pupils of a folder sorted by name. A name
// that occurs twice gets " (2)", " (3)", … An input that does not exist is a pupil (a file)
// that handed in nothing.
std::vector<TPupil> FindPupils(const std::vector<std::string>& inputs);

// True when `a` sorts before `b` as names do (upper and lower case alike, umlauts with their
// vowel).
bool NameLess(const std::string& a, const std::string& b);

// The program a pupil handed in for a task whose program would be named `taskProgram`
// ("bis-zur-wand.tdp"). `onlyThatName`: a course folder, where each task has its own file;
// otherwise the one program file of the pupil's folder (several: the one named after the task).
struct TProgramSource {
  TSubmission Kind = TSubmission::Program;
  std::string Path;    // native path of the file (Program)
  std::string Reason;  // more about a named result (Windows-1252), or empty
};
TProgramSource FindProgram(const TPupil& pupil, const std::string& taskProgram, bool onlyThatName);

// Reads the file of a source: its text (Windows-1252, decoded as the editor does), or the
// named result for a file that is empty, not a program or cannot be read.
struct TPupilProgram {
  TSubmission Kind = TSubmission::Program;
  std::string Path;    // native
  std::string Text;    // Windows-1252
  std::string Reason;  // Windows-1252
};
TPupilProgram ReadPupilProgram(const TPupil& pupil, const TProgramSource& source);

}  // namespace tumbo::task
