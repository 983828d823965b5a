#include "task/task_file.h"

#include <charconv>
#include <filesystem>

#include "text/ini_file.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"

namespace tumbo::task {
namespace {

constexpr const char* kSection = "Aufgabe";
constexpr const char* kCheckKey = "Pr\xFC" "fen";  // also read as "Pruefen"

struct TCriterionName {
  const char* Name;
  TCriterion Bit;
};
constexpr TCriterionName kCriterionNames[] = {
    {"Ziegel", kCheckBricks},     {"Marken", kCheckMarks},     {"Quader", kCheckCuboids},
    {"Position", kCheckPosition}, {"Richtung", kCheckHeading},
};

std::string Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tumbo::text::UpperCp1252(a[i]) != tumbo::text::UpperCp1252(b[i])) return false;
  return true;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string Damaged(const std::string& fileName, const std::string& problem) {
  return "Die Aufgabendatei " + Quoted(tumbo::text::FileNameForMessage(fileName)) +
         " ist besch\xE4" "digt: " + problem + ".";
}

std::string WorldSection(int k) { return "Welt" + std::to_string(k); }

// Fills `criteria` from a "Prüfen" value; an error text or empty.
std::string ParseCriteria(const std::string& value, unsigned& criteria) {
  criteria = 0;
  size_t from = 0;
  while (from <= value.size()) {
    size_t comma = value.find(',', from);
    if (comma == std::string::npos) comma = value.size();
    const std::string word = Trim(std::string_view(value).substr(from, comma - from));
    from = comma + 1;
    if (word.empty()) continue;
    bool known = false;
    for (const TCriterionName& c : kCriterionNames)
      if (SameText(word, c.Name)) criteria |= c.Bit, known = true;
    if (!known) return "unbekanntes Pr\xFC" "fkriterium " + Quoted(word);
  }
  if (criteria == 0) return "Pr\xFC" "fen= nennt kein Kriterium";
  return {};
}

std::string TextToFile(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\n') c = '|';
  return out;
}

std::string TextFromFile(const std::string& value) {
  std::string out = value;
  for (char& c : out)
    if (c == '|') c = '\n';
  return out;
}

// A world file named by the task, read and parsed; an error text or empty.
std::string ReadWorld(const std::string& path, std::string& bytes, TWorldFileContent& content) {
  std::string error;
  if (!tumbo::text::ReadFileBytes(path, bytes, error)) return error;
  const TWorldFileResult result = ReadWorldText(bytes, path, content);
  if (result.Ok()) return {};
  if (!result.Message.empty()) return result.Message;
  return "Die Datei " + Quoted(tumbo::text::FileNameForMessage(path)) + " ist keine Weltdatei.";
}

std::string SizeText(const TRaum& r) {
  return std::to_string(r.Width()) + " \xD7 " + std::to_string(r.Length()) + " \xD7 " +
         std::to_string(r.MaxHeight());
}

}  // namespace

std::string CriteriaText(unsigned criteria) {
  std::string out;
  for (const TCriterionName& c : kCriterionNames) {
    if (!(criteria & c.Bit)) continue;
    if (!out.empty()) out += ',';
    out += c.Name;
  }
  return out;
}

TTaskResult ParseTask(std::string_view bytes, const std::string& fileName, TTask& out) {
  TTask task;
  tumbo::text::IniFile ini;
  // Any line-break style reads alike; writing keeps the one found.
  ini.Parse(tumbo::text::ConvertLineBreaks(tumbo::text::DecodeToCp1252(bytes, &task.Format),
                                           tumbo::text::LineBreak::Lf));
  if (!ini.HasKey(kSection, "Titel") && !ini.HasKey(kSection, "Text"))
    return {Damaged(fileName, "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt")};
  task.Title = ini.ReadString(kSection, "Titel", "");
  task.Text = TextFromFile(ini.ReadString(kSection, "Text", ""));

  const char* checkKey = ini.HasKey(kSection, kCheckKey) ? kCheckKey : "Pruefen";
  if (ini.HasKey(kSection, checkKey)) {
    if (std::string e = ParseCriteria(ini.ReadString(kSection, checkKey, ""), task.Criteria);
        !e.empty())
      return {Damaged(fileName, e)};
  }

  const std::string noNotes = Trim(ini.ReadString(kSection, "KeineHinweise", "nein"));
  if (SameText(noNotes, "ja")) task.NoNotes = true;
  else if (!SameText(noNotes, "nein"))
    return {Damaged(fileName, "KeineHinweise= erwartet ja oder nein, nicht " + Quoted(noNotes))};

  if (ini.HasKey(kSection, "MaxSchritte")) {
    const std::string steps = Trim(ini.ReadString(kSection, "MaxSchritte", ""));
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(steps.data(), steps.data() + steps.size(), n);
    if (steps.empty() || ec != std::errc() || end != steps.data() + steps.size() || n < 1)
      return {Damaged(fileName, "MaxSchritte= erwartet eine Zahl ab 1, nicht " + Quoted(steps))};
    task.MaxSteps = n;
  }

  // [Welt1] … [WeltN], numbered without gaps.
  int missing = 0;
  for (int k = 1; k <= kMaxTaskWorlds; ++k) {
    const std::string section = WorldSection(k);
    const bool hasStart = ini.HasKey(section, "Start"), hasGoal = ini.HasKey(section, "Ziel");
    if (!hasStart && !hasGoal) {
      if (missing == 0) missing = k;
      continue;
    }
    if (missing != 0)
      return {Damaged(fileName, "[" + section + "] folgt ohne [" + WorldSection(missing) + "]")};
    TTaskWorldFiles files{Trim(ini.ReadString(section, "Start", "")),
                          Trim(ini.ReadString(section, "Ziel", ""))};
    if (files.Start.empty()) return {Damaged(fileName, "in [" + section + "] fehlt Start=")};
    if (files.Goal.empty()) return {Damaged(fileName, "in [" + section + "] fehlt Ziel=")};
    task.Worlds.push_back(std::move(files));
  }
  if (task.Worlds.empty()) return {Damaged(fileName, "sie nennt keine Welt ([Welt1] fehlt)")};
  out = std::move(task);
  return {};
}

std::string WriteTaskText(const TTask& task) {
  tumbo::text::IniFile ini;
  ini.WriteString(kSection, "Titel", task.Title);
  ini.WriteString(kSection, "Text", TextToFile(task.Text));
  ini.WriteString(kSection, kCheckKey, CriteriaText(task.Criteria));
  ini.WriteString(kSection, "KeineHinweise", task.NoNotes ? "ja" : "nein");
  ini.WriteString(kSection, "MaxSchritte", std::to_string(task.MaxSteps));
  for (size_t i = 0; i < task.Worlds.size(); ++i) {
    const std::string section = WorldSection(int(i) + 1);
    ini.WriteString(section, "Start", task.Worlds[i].Start);
    ini.WriteString(section, "Ziel", task.Worlds[i].Goal);
  }
  return tumbo::text::EncodeFromCp1252(ini.Text(), task.Format);
}

TTaskResult LoadTask(const std::string& fileName, TLoadedTask& out) {
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(fileName, bytes, error)) return {error};
  TLoadedTask loaded;
  loaded.FileName = fileName;
  if (TTaskResult r = ParseTask(bytes, fileName, loaded.Task); !r.Ok()) return r;

  const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
  const std::string taskName = Quoted(tumbo::text::FileNameForMessage(fileName));
  for (size_t i = 0; i < loaded.Task.Worlds.size(); ++i) {
    const TTaskWorldFiles& files = loaded.Task.Worlds[i];
    const std::string where = "Aufgabe " + taskName + ", Welt " + std::to_string(i + 1) + ": ";
    TTaskWorld world;
    world.StartFile = (folder / tumbo::text::Cp1252ToUtf8(files.Start)).string();
    world.GoalFile = (folder / tumbo::text::Cp1252ToUtf8(files.Goal)).string();
    std::string goalBytes;
    if (std::string e = ReadWorld(world.StartFile, world.StartBytes, world.Start); !e.empty())
      return {where + e};
    if (std::string e = ReadWorld(world.GoalFile, goalBytes, world.Goal); !e.empty())
      return {where + e};
    const TRaum &start = world.Start.Room, &goal = world.Goal.Room;
    if (start.Width() != goal.Width() || start.Length() != goal.Length() ||
        start.MaxHeight() != goal.MaxHeight())
      return {where + "Start- und Zielwelt sind verschieden gro\xDF (" + SizeText(start) +
              " und " + SizeText(goal) + ")."};
    loaded.Worlds.push_back(std::move(world));
  }
  out = std::move(loaded);
  return {};
}

TTaskResult SaveTask(const std::string& fileName, const TTask& task) {
  std::string error;
  if (!tumbo::text::WriteFileAtomic(fileName, WriteTaskText(task), error)) return {error};
  return {};
}

}  // namespace tumbo::task
