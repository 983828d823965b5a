#include "task/course_file.h"

#include <filesystem>

#include "task/ini_sections.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/ini_file.h"
#include "text/text_file.h"

namespace tumbo::task {
namespace {

namespace fs = std::filesystem;

std::string Damaged(const std::string& fileName, const TLineProblem& p) {
  return "Die Kursdatei " + Quoted(tumbo::text::FileNameForMessage(fileName)) + " ist besch\xE4" "digt" +
         (p.Line > 0 ? " (Zeile " + std::to_string(p.Line) + ")" : std::string()) + ": " + p.Text + ".";
}

std::string TextFromFile(const std::string& value) {
  std::string out = value;
  for (char& c : out)
    if (c == '|') c = '\n';
  return out;
}

bool EndsWithTaskExtension(const std::string& name) {
  const size_t n = std::string_view(kTaskExtension).size();
  return name.size() > n && SameWord(std::string_view(name).substr(name.size() - n), kTaskExtension);
}

TLineProblem ReadCourseSection(const TIniSection& section, TCourse& course) {
  for (const TIniKey& key : section.Keys) {
    if (SameWord(key.Name, "Titel")) course.Title = key.Value;
    else if (SameWord(key.Name, "Text")) course.Text = TextFromFile(key.Value);
    else return {key.Line, "unbekannter Eintrag " + Quoted(key.Name) + " in [" + section.Name + "]"};
  }
  if (course.Title.empty()) return {section.Line, "in [" + section.Name + "] fehlt Titel="};
  return {};
}

TLineProblem ReadPart(const TIniSection& section, TCourseSection& part, std::vector<const TIniKey*>& seen) {
  std::vector<const TIniKey*> tasks(kMaxSectionTasks);
  for (const TIniKey& key : section.Keys) {
    if (SameWord(key.Name, "Titel")) {
      part.Title = key.Value;
      continue;
    }
    const int n = NumberAfter(key.Name, "Aufgabe", kMaxSectionTasks);
    if (n == 0) return {key.Line, "unbekannter Eintrag " + Quoted(key.Name) + " in [" + section.Name + "]"};
    const std::string& file = key.Value;
    if (file.empty()) return {key.Line, key.Name + "= nennt keine Aufgabe"};
    if (file.find_first_of("/\\") != std::string::npos || file[0] == '.')
      return {key.Line, key.Name + "= muss eine Datei im Kursordner nennen, nicht " + Quoted(file)};
    if (!EndsWithTaskExtension(file))
      return {key.Line, key.Name + "= muss eine Aufgabe (.tda) nennen, nicht " + Quoted(file)};
    for (const TIniKey* other : seen)
      if (SameWord(other->Value, file))
        return {key.Line, Quoted(file) + " steht schon in Zeile " + std::to_string(other->Line)};
    seen.push_back(&key);
    tasks[size_t(n - 1)] = &key;
  }
  if (part.Title.empty()) return {section.Line, "in [" + section.Name + "] fehlt Titel="};
  // Aufgabe1 … AufgabeN, numbered without gaps.
  int missing = 0;
  for (int n = 1; n <= kMaxSectionTasks; ++n) {
    if (!tasks[size_t(n - 1)]) {
      if (missing == 0) missing = n;
      continue;
    }
    if (missing != 0)
      return {tasks[size_t(n - 1)]->Line, "Aufgabe" + std::to_string(n) + "= folgt ohne Aufgabe" +
                                              std::to_string(missing) + "="};
    part.Tasks.push_back(tasks[size_t(n - 1)]->Value);
  }
  if (part.Tasks.empty()) return {section.Line, "in [" + section.Name + "] fehlt Aufgabe1="};
  return {};
}

}  // namespace

TTaskResult ParseCourse(std::string_view bytes, const std::string& fileName, TCourse& out) {
  TCourse course;
  tumbo::text::IniFile ini;
  ini.Parse(tumbo::text::ConvertLineBreaks(tumbo::text::DecodeToCp1252(bytes), tumbo::text::LineBreak::Lf));
  std::vector<TIniSection> sections;
  if (TLineProblem p = ReadSections(ini, sections); !p.Ok()) return {Damaged(fileName, p)};
  std::vector<const TIniSection*> parts(kMaxCourseSections);
  const TIniSection* head = nullptr;
  for (const TIniSection& section : sections) {
    if (SameWord(section.Name, "Kurs")) head = &section;
    else if (int n = NumberAfter(section.Name, "Abschnitt", kMaxCourseSections)) parts[size_t(n - 1)] = &section;
    else return {Damaged(fileName, {section.Line, "unbekannter Abschnitt [" + section.Name + "]"})};
  }
  if (!head) return {Damaged(fileName, {0, "der Abschnitt [Kurs] fehlt"})};
  if (TLineProblem p = ReadCourseSection(*head, course); !p.Ok()) return {Damaged(fileName, p)};
  std::vector<const TIniKey*> seen;
  int missing = 0;
  for (int n = 1; n <= kMaxCourseSections; ++n) {
    const TIniSection* section = parts[size_t(n - 1)];
    if (!section) {
      if (missing == 0) missing = n;
      continue;
    }
    if (missing != 0)
      return {Damaged(fileName, {section->Line, "[" + section->Name + "] folgt ohne [Abschnitt" +
                                                    std::to_string(missing) + "]"})};
    TCourseSection part;
    if (TLineProblem p = ReadPart(*section, part, seen); !p.Ok()) return {Damaged(fileName, p)};
    course.Sections.push_back(std::move(part));
  }
  if (course.Sections.empty()) return {Damaged(fileName, {0, "er nennt keinen Abschnitt ([Abschnitt1] fehlt)"})};
  out = std::move(course);
  return {};
}

int TLoadedCourse::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < Tasks.size(); ++i)
    if (Tasks[i].Name == name) return int(i);
  return -1;
}

TTaskResult LoadCourse(const std::string& folderOrFile, TLoadedCourse& out) {
  std::error_code ec;
  const fs::path given(folderOrFile);
  const fs::path file = fs::is_directory(given, ec) ? given / kCourseFileName : given;
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(file.string(), bytes, error)) return {error};
  TLoadedCourse loaded;
  loaded.Folder = file.parent_path().string();
  if (TTaskResult r = ParseCourse(bytes, file.string(), loaded.Course); !r.Ok()) return r;

  // The lines of the task names, for messages about missing files.
  tumbo::text::IniFile ini;
  ini.Parse(tumbo::text::ConvertLineBreaks(tumbo::text::DecodeToCp1252(bytes), tumbo::text::LineBreak::Lf));
  const std::vector<tumbo::text::IniLine> lines = ini.Lines();
  auto lineOf = [&lines](const std::string& value) {
    for (const tumbo::text::IniLine& l : lines)
      if (l.Type == tumbo::text::IniLine::Entry && l.Value == value) return l.Number;
    return 0;
  };
  const size_t extension = std::string_view(kTaskExtension).size();
  for (size_t s = 0; s < loaded.Course.Sections.size(); ++s)
    for (const std::string& name : loaded.Course.Sections[s].Tasks) {
      TCourseTask task;
      task.Section = int(s);
      task.File = name;
      task.Path = (fs::path(loaded.Folder) / tumbo::text::Cp1252ToUtf8(name)).string();
      task.Name = tumbo::text::Cp1252ToUtf8(name.substr(0, name.size() - extension));
      std::string taskBytes;
      if (!tumbo::text::ReadFileBytes(task.Path, taskBytes, error))
        return {Damaged(file.string(), {lineOf(name), "die Aufgabe " + Quoted(name) + " gibt es nicht"})};
      TTask parsed;
      if (TTaskResult r = ParseTask(taskBytes, task.Path, parsed); r.Ok()) task.Title = parsed.Title;
      else task.Problem = r.Message;
      if (task.Title.empty()) task.Title = name;
      loaded.Tasks.push_back(std::move(task));
    }
  out = std::move(loaded);
  return {};
}

}  // namespace tumbo::task
