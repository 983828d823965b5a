#pragma once
// A pupil's progress in a course: "fortschritt.ini" in the pupil's course folder, one section
// per task (named after the task file without ".tda") with its state, the number of checks
// (F10), the date of the first success and the number of hints shown. The folder and the
// file are the pupil's own (0700 and 0600); the file is written through the safe writer.
#include <string>

#include "text/ini_file.h"

namespace tumbo::task {

inline constexpr const char* kProgressFileName = "fortschritt.ini";

enum class TTaskState { NotBegun, Begun, Solved };

struct TTaskProgress {
  TTaskState State = TTaskState::NotBegun;
  int Attempts = 0;      // checks with F10
  std::string SolvedOn;  // "2026-12-11": the day of the first success, else empty
  int HintsShown = 0;
};

class TProgress {
 public:
  // Reads fortschritt.ini in `folder`; a missing file is a course not begun. False (with a
  // German message, Windows-1252) only when the file exists but cannot be read.
  bool Load(const std::string& folder, std::string& error);
  // Creates the folder (0700) when needed and writes the file (0600). False with a message.
  bool Save(std::string& error) const;
  const std::string& Folder() const { return folder_; }

  TTaskProgress Get(const std::string& task) const;
  void Set(const std::string& task, const TTaskProgress& progress);

  // The changes a session makes: the task opened, a check with F10 (solved or not) on
  // `today` ("YYYY-MM-DD"), a hint shown.
  void Begin(const std::string& task);
  void RecordCheck(const std::string& task, bool solved, const std::string& today);
  void RecordHint(const std::string& task);

 private:
  std::string folder_;
  tumbo::text::IniFile ini_;
};

// "YYYY-MM-DD" of the local date.
std::string TodayText();

// The default folder of a pupil's work for a course: "<home>/Tumbo/<course title>", with the
// characters a file name cannot hold replaced.
std::string DefaultPupilFolder(const std::string& home, const std::string& courseTitle);

}  // namespace tumbo::task
