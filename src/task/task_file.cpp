#include "task/task_file.h"

#include <charconv>
#include <filesystem>

#include "language/vocabulary.h"
#include "task/ini_sections.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/ini_file.h"

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

// The keys of [Aufgabe]; the spellings with umlauts and with "ae/oe/ue" are the same key.
enum class TTaskKey { Title, Text, Check, NoNotes, MaxSteps, Jump, Bricks, Model, Required, Forbidden, Hint };
struct TTaskKeyName {
  const char* Name;
  TTaskKey Key;
};
constexpr TTaskKeyName kTaskKeys[] = {
    {"Titel", TTaskKey::Title},         {"Text", TTaskKey::Text},
    {kCheckKey, TTaskKey::Check},       {"Pruefen", TTaskKey::Check},
    {"KeineHinweise", TTaskKey::NoNotes}, {"MaxSchritte", TTaskKey::MaxSteps},
    {"Sprunghoehe", TTaskKey::Jump},    {"Sprungh\xF6he", TTaskKey::Jump},
    {"Ziegel", TTaskKey::Bricks},       {"Musterloesung", TTaskKey::Model},
    {"Musterl\xF6sung", TTaskKey::Model}, {"Gefordert", TTaskKey::Required},
    {"Verboten", TTaskKey::Forbidden},
};

enum class TWorldKey { Start, Goal, StartWorld, GoalWorld, Hidden };
struct TWorldKeyName {
  const char* Name;
  TWorldKey Key;
};
constexpr TWorldKeyName kWorldKeys[] = {
    {"Start", TWorldKey::Start},           {"Ziel", TWorldKey::Goal},
    {"StartWelt", TWorldKey::StartWorld},  {"ZielWelt", TWorldKey::GoalWorld},
    {"Verdeckt", TWorldKey::Hidden},
};

std::string Trim(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

std::string Damaged(const std::string& fileName, const TLineProblem& p) {
  return "Die Aufgabendatei " + Quoted(tumbo::text::FileNameForMessage(fileName)) + " ist besch\xE4" "digt" +
         (p.Line > 0 ? " (Zeile " + std::to_string(p.Line) + ")" : std::string()) + ": " + p.Text + ".";
}

std::string WorldSection(int k) { return "Welt" + std::to_string(k); }

std::vector<std::string> CommaList(const std::string& value) {
  std::vector<std::string> words;
  size_t from = 0;
  while (from <= value.size()) {
    size_t comma = value.find(',', from);
    if (comma == std::string::npos) comma = value.size();
    if (std::string word = Trim(std::string_view(value).substr(from, comma - from)); !word.empty())
      words.push_back(std::move(word));
    from = comma + 1;
  }
  return words;
}

// Fills `criteria` from a "Prüfen" value; an error text or empty.
std::string ParseCriteria(const std::string& value, unsigned& criteria) {
  criteria = 0;
  for (const std::string& word : CommaList(value)) {
    bool known = false;
    for (const TCriterionName& c : kCriterionNames)
      if (SameWord(word, c.Name)) criteria |= c.Bit, known = true;
    if (!known) return "unbekanntes Pr\xFC" "fkriterium " + Quoted(word);
  }
  if (criteria == 0) return "Pr\xFC" "fen= nennt kein Kriterium";
  return {};
}

// A whole number in [min, max] making up all of `text`.
bool ParseNumber(const std::string& text, int64_t min, int64_t max, int64_t& n) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && n >= min && n <= max;
}

// The usual spelling of a word of the language ("solange" for "SOLANGE"), or empty.
std::string LanguageWord(const std::string& word) {
  const std::string upper = tumbo::text::UpperLanguage(word);
  if (int i = FindControlWord(upper)) return ControlWords[i];
  if (int i = FindInstruction(upper)) return Instructions[i];
  if (int i = FindCondition(upper)) return Conditions[i];
  return {};
}

std::string ParseWords(const TIniKey& key, std::vector<std::string>& out) {
  for (const std::string& word : CommaList(key.Value)) {
    std::string spelled = LanguageWord(word);
    if (spelled.empty()) return Quoted(word) + " in " + key.Name + "= ist kein Wort der Sprache";
    out.push_back(std::move(spelled));
  }
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

// One key of [Aufgabe]; an error text or empty. `hints` collects "TippN" by N.
std::string ReadTaskKey(const TIniKey& key, TTask& task, std::vector<std::string>& hints) {
  if (int n = NumberAfter(key.Name, "Tipp", kMaxHints)) {
    hints[size_t(n - 1)] = TextFromFile(key.Value);
    return {};
  }
  const TTaskKeyName* known = nullptr;
  for (const TTaskKeyName& k : kTaskKeys)
    if (SameWord(key.Name, k.Name)) known = &k;
  if (!known) return "unbekannter Eintrag " + Quoted(key.Name) + " in [Aufgabe]";
  const std::string value = Trim(key.Value);
  int64_t n = 0;
  switch (known->Key) {
    case TTaskKey::Title: task.Title = key.Value; break;
    case TTaskKey::Text: task.Text = TextFromFile(key.Value); break;
    case TTaskKey::Check: return ParseCriteria(value, task.Criteria);
    case TTaskKey::NoNotes:
      if (SameWord(value, "ja")) task.NoNotes = true;
      else if (!SameWord(value, "nein"))
        return "KeineHinweise= erwartet ja oder nein, nicht " + Quoted(value);
      break;
    case TTaskKey::MaxSteps:
      if (!ParseNumber(value, 1, INT64_MAX, n))
        return "MaxSchritte= erwartet eine Zahl ab 1, nicht " + Quoted(value);
      task.MaxSteps = n;
      break;
    case TTaskKey::Jump:
      if (!ParseNumber(value, 1, kMaxJumpLimit, n))
        return "Sprunghoehe= erwartet eine Zahl von 1 bis " + std::to_string(kMaxJumpLimit) +
               ", nicht " + Quoted(value);
      task.MaxJump = int(n);
      break;
    case TTaskKey::Bricks: {
      const size_t blank = value.find_first_of(" \t");
      int64_t start = 0, max = 0;
      if (blank == std::string::npos || !ParseNumber(value.substr(0, blank), 0, kBrickLimit, start) ||
          !ParseNumber(Trim(value.substr(blank)), 1, kBrickLimit, max))
        return "Ziegel= erwartet zwei Zahlen: Ziegel beim Start (0 bis 999) und h\xF6" "chstens "
               "(1 bis 999), nicht " + Quoted(value);
      task.Bricks = true;
      task.BrickStart = int(start);
      task.MaxBrick = int(max);
      break;
    }
    case TTaskKey::Model:
      if (value.empty()) return "Musterloesung= nennt keine Datei";
      task.ModelSolution = value;
      task.ModelSolutionLine = key.Line;
      break;
    case TTaskKey::Required: return ParseWords(key, task.Required);
    case TTaskKey::Forbidden: return ParseWords(key, task.Forbidden);
    case TTaskKey::Hint: break;
  }
  return {};
}

// The section [WeltN] into `world`; a problem or none.
TLineProblem ReadWorldSection(const TIniSection& section, TTaskWorldFiles& world) {
  const TIniKey* given[std::size(kWorldKeys)] = {};
  for (const TIniKey& key : section.Keys) {
    const TWorldKeyName* known = nullptr;
    for (const TWorldKeyName& k : kWorldKeys)
      if (SameWord(key.Name, k.Name)) known = &k;
    if (!known) return {key.Line, "unbekannter Eintrag " + Quoted(key.Name) + " in [" + section.Name + "]"};
    given[size_t(known->Key)] = &key;
    const std::string value = Trim(key.Value);
    switch (known->Key) {
      case TWorldKey::Start: world.Start = value; break;
      case TWorldKey::Goal: world.Goal = value; break;
      case TWorldKey::StartWorld: world.StartWorld = value; break;
      case TWorldKey::GoalWorld: world.GoalWorld = value; break;
      case TWorldKey::Hidden:
        if (SameWord(value, "ja")) world.Hidden = true;
        else if (!SameWord(value, "nein"))
          return {key.Line, "Verdeckt= erwartet ja oder nein, nicht " + Quoted(value)};
        break;
    }
  }
  // Each of start and goal: a file name or the world itself, exactly one of them.
  for (auto [file, line, fileKey, lineKey] :
       {std::tuple{TWorldKey::Start, TWorldKey::StartWorld, "Start", "StartWelt"},
        std::tuple{TWorldKey::Goal, TWorldKey::GoalWorld, "Ziel", "ZielWelt"}}) {
    const TIniKey *a = given[size_t(file)], *b = given[size_t(line)];
    if (a && b) return {b->Line, std::string(fileKey) + "= und " + lineKey + "= schlie\xDF" "en sich aus"};
    const TIniKey* k = a ? a : b;
    if (!k || Trim(k->Value).empty())
      return {k ? k->Line : section.Line, "in [" + section.Name + "] fehlt " + fileKey + "="};
    if (b) {
      TWorldFileContent content;
      const TWorldFileResult r = ReadWorldText(b->Value, "", content);
      if (!r.Ok()) return {b->Line, std::string(lineKey) + "= enth\xE4lt keine g\xFCltige Welt"};
    }
  }
  return {};
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

// Start or goal of a world: the world given in the task file, or the file it names.
std::string ReadTaskWorld(const std::filesystem::path& folder, const std::string& taskFile,
                          const std::string& name, const std::string& line, std::string& path,
                          std::string& bytes, TWorldFileContent& content) {
  if (name.empty()) {
    path = taskFile;
    bytes = line;
    return ReadWorldText(bytes, taskFile, content).Ok() ? std::string() : "die Welt ist besch\xE4" "digt.";
  }
  path = (folder / tumbo::text::Cp1252ToUtf8(name)).string();
  return ReadWorld(path, bytes, content);
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
    return {Damaged(fileName, {0, "der Abschnitt [Aufgabe] mit Titel= oder Text= fehlt"})};
  std::vector<TIniSection> sections;
  if (TLineProblem p = ReadSections(ini, sections); !p.Ok()) return {Damaged(fileName, p)};

  std::vector<const TIniSection*> worlds(kMaxTaskWorlds);
  for (const TIniSection& section : sections) {
    if (int k = NumberAfter(section.Name, "Welt", kMaxTaskWorlds)) {
      worlds[size_t(k - 1)] = &section;
      continue;
    }
    if (!SameWord(section.Name, kSection))
      return {Damaged(fileName, {section.Line, "unbekannter Abschnitt [" + section.Name + "]"})};
    // Spellings of one key ("Prüfen", "Pruefen") count as the same key; a slot per key and hint.
    std::vector<int> seen(std::size(kTaskKeys) + kMaxHints);
    std::vector<std::string> hints(kMaxHints);
    for (const TIniKey& key : section.Keys) {
      size_t slot = seen.size();
      if (int n = NumberAfter(key.Name, "Tipp", kMaxHints)) slot = std::size(kTaskKeys) + size_t(n - 1);
      for (const TTaskKeyName& k : kTaskKeys)
        if (SameWord(key.Name, k.Name)) slot = size_t(k.Key);
      if (slot < seen.size() && seen[slot])
        return {Damaged(fileName, {key.Line, key.Name + "= steht zweimal in [Aufgabe] (schon in Zeile " +
                                                 std::to_string(seen[slot]) + ")"})};
      if (slot < seen.size()) seen[slot] = key.Line;
      if (std::string e = ReadTaskKey(key, task, hints); !e.empty())
        return {Damaged(fileName, {key.Line, e})};
    }
    // Hints are numbered without gaps.
    for (int n = 1; n <= kMaxHints; ++n) {
      if (hints[size_t(n - 1)].empty()) continue;
      if (int(task.Hints.size()) != n - 1)
        return {Damaged(fileName, {seen[std::size(kTaskKeys) + size_t(n - 1)],
                                   "Tipp" + std::to_string(n) + "= folgt ohne Tipp" +
                                       std::to_string(task.Hints.size() + 1) + "="})};
      task.Hints.push_back(hints[size_t(n - 1)]);
    }
  }

  // [Welt1] … [WeltN], numbered without gaps.
  int missing = 0;
  for (int k = 1; k <= kMaxTaskWorlds; ++k) {
    const TIniSection* section = worlds[size_t(k - 1)];
    if (!section) {
      if (missing == 0) missing = k;
      continue;
    }
    if (missing != 0)
      return {Damaged(fileName, {section->Line, "[" + WorldSection(k) + "] folgt ohne [" + WorldSection(missing) + "]"})};
    TTaskWorldFiles world;
    if (TLineProblem p = ReadWorldSection(*section, world); !p.Ok()) return {Damaged(fileName, p)};
    task.Worlds.push_back(std::move(world));
  }
  if (task.Worlds.empty()) return {Damaged(fileName, {0, "sie nennt keine Welt ([Welt1] fehlt)"})};
  bool anyShown = false;
  for (const TTaskWorldFiles& w : task.Worlds) anyShown |= !w.Hidden;
  if (!anyShown) return {Damaged(fileName, {0, "alle Welten sind verdeckt, eine muss sichtbar sein"})};
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
  if (task.MaxJump != 1) ini.WriteString(kSection, "Sprunghoehe", std::to_string(task.MaxJump));
  if (task.Bricks)
    ini.WriteString(kSection, "Ziegel", std::to_string(task.BrickStart) + " " + std::to_string(task.MaxBrick));
  for (size_t i = 0; i < task.Hints.size() && i < kMaxHints; ++i)
    ini.WriteString(kSection, "Tipp" + std::to_string(i + 1), TextToFile(task.Hints[i]));
  if (!task.ModelSolution.empty()) ini.WriteString(kSection, "Musterloesung", task.ModelSolution);
  auto words = [](const std::vector<std::string>& list) {
    std::string out;
    for (const std::string& w : list) out += (out.empty() ? "" : ",") + w;
    return out;
  };
  if (!task.Required.empty()) ini.WriteString(kSection, "Gefordert", words(task.Required));
  if (!task.Forbidden.empty()) ini.WriteString(kSection, "Verboten", words(task.Forbidden));
  for (size_t i = 0; i < task.Worlds.size(); ++i) {
    const std::string section = WorldSection(int(i) + 1);
    const TTaskWorldFiles& w = task.Worlds[i];
    if (w.Start.empty()) ini.WriteString(section, "StartWelt", Trim(w.StartWorld));
    else ini.WriteString(section, "Start", w.Start);
    if (w.Goal.empty()) ini.WriteString(section, "ZielWelt", Trim(w.GoalWorld));
    else ini.WriteString(section, "Ziel", w.Goal);
    if (w.Hidden) ini.WriteString(section, "Verdeckt", "ja");
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
  if (const TTask& t = loaded.Task; !t.ModelSolution.empty()) {
    loaded.ModelSolutionFile = (folder / tumbo::text::Cp1252ToUtf8(t.ModelSolution)).string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(loaded.ModelSolutionFile, ec))
      return {Damaged(fileName, {t.ModelSolutionLine, "die Musterl\xF6sung " + Quoted(t.ModelSolution) +
                                                          " gibt es nicht"})};
  }
  for (size_t i = 0; i < loaded.Task.Worlds.size(); ++i) {
    const TTaskWorldFiles& files = loaded.Task.Worlds[i];
    const std::string where = "Aufgabe " + taskName + ", Welt " + std::to_string(i + 1) + ": ";
    TTaskWorld world;
    std::string goalBytes;
    if (std::string e = ReadTaskWorld(folder, fileName, files.Start, files.StartWorld, world.StartFile,
                                      world.StartBytes, world.Start);
        !e.empty())
      return {where + e};
    if (std::string e = ReadTaskWorld(folder, fileName, files.Goal, files.GoalWorld, world.GoalFile,
                                      goalBytes, world.Goal);
        !e.empty())
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
