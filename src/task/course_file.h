#pragma once
// The course: a folder with the file "kurs.tdk" and its tasks. The course file is an INI file
// like the task file: [Kurs] with Titel= and Text=, then [Abschnitt1] … [AbschnittN], each with
// Titel= and the tasks in order, Aufgabe1=FILE.tda, Aufgabe2=… (files in the course folder).
#include <string>
#include <string_view>
#include <vector>

#include "task/task_file.h"

namespace tumbo::task {

inline constexpr const char* kCourseFileName = "kurs.tdk";
inline constexpr int kMaxCourseSections = 99;
inline constexpr int kMaxSectionTasks = 99;

struct TCourseSection {
  std::string Title;               // Windows-1252
  std::vector<std::string> Tasks;  // task file names as written (Windows-1252)
};

struct TCourse {
  std::string Title;  // Windows-1252
  std::string Text;   // lines separated by '\n'
  std::vector<TCourseSection> Sections;
};

// Reads a course from the file's bytes; `fileName` only names the file in messages. A task
// file name must end in ".tda", lie in the course folder itself and appear only once.
TTaskResult ParseCourse(std::string_view bytes, const std::string& fileName, TCourse& out);

// One task of a loaded course, in course order.
struct TCourseTask {
  int Section = 0;          // index into TCourse::Sections
  std::string File;         // as written in the course file
  std::string Path;         // native path of the task file
  std::string Name;         // the file name without ".tda": names the pupil's program and progress
  std::string Title;        // the task's title, or its file name when the task cannot be read
  std::string Problem;      // why the task cannot be read (Windows-1252), else empty
};

struct TLoadedCourse {
  std::string Folder;  // native path of the course folder
  TCourse Course;
  std::vector<TCourseTask> Tasks;
  // The task's index in Tasks, or -1.
  int IndexOf(const std::string& name) const;
};

// Reads "kurs.tdk" in `folder` (or the course file itself) and the title of every task. A task
// file that is missing is refused with its line; a damaged one only keeps its message for when
// it is opened. On failure `out` is left as it was.
TTaskResult LoadCourse(const std::string& folderOrFile, TLoadedCourse& out);

}  // namespace tumbo::task
