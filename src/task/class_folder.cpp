#include "task/class_folder.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace tumbo::task {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPlatformSuffix = "_assignsubmission_";

bool IsProgramFile(const fs::path& p) {
  return tumbo::text::UpperCp1252(p.extension().string()) == ".TDP";
}

// Entries of a folder, sorted; nothing when it cannot be listed.
std::vector<fs::directory_entry> Entries(const fs::path& folder, std::error_code& ec) {
  std::vector<fs::directory_entry> out;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) out.push_back(*it);
  std::sort(out.begin(), out.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
  return out;
}

bool IsLink(const fs::path& p) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(p, ec));
}

// True when `p`, links resolved, lies inside `root` (itself resolved).
bool StaysInside(const fs::path& p, const fs::path& root) {
  std::error_code ec;
  const fs::path target = fs::canonical(p, ec);
  if (ec) return false;
  const fs::path base = fs::canonical(root, ec);
  if (ec) return false;
  const auto [r, t] = std::mismatch(base.begin(), base.end(), target.begin(), target.end());
  return r == base.end();
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string LeadsOut(const fs::path& p, bool folder) {
  return Quoted(ShownName(p.filename().string())) + (folder ? " verweist auf einen Ordner" : " verweist auf eine Datei") +
         " au\xDF" "erhalb des Klassenordners.";
}

// "a.tdp, b.tdp, …": the first few names of a list.
std::string FirstNames(const std::vector<fs::path>& files) {
  std::string names;
  for (size_t i = 0; i < files.size() && i < 5; ++i) names += (i ? ", " : "") + ShownName(files[i].filename().string());
  return files.size() > 5 ? names + ", \x85" : names;
}

// The sort key of a name: upper case, umlauts as their vowel, ß as SS.
std::string SortKey(const std::string& name) {
  std::string key;
  for (char c : tumbo::text::UpperCp1252(name)) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4: key += 'A'; break;
      case 0xD6: key += 'O'; break;
      case 0xDC: key += 'U'; break;
      case 0xDF: key += "SS"; break;
      default: key += c;
    }
  }
  return key;
}

// The pupils of a class folder, sorted by name.
void AddClass(const fs::path& root, std::vector<TPupil>& out) {
  std::error_code ec;
  std::vector<TPupil> pupils;
  for (const fs::directory_entry& e : Entries(root, ec)) {
    std::error_code statEc;
    const fs::path& p = e.path();
    const bool folder = e.is_directory(statEc);
    if (folder) {
      pupils.push_back({PupilNameFromFolder(p.filename().string()), p.string(), {}, root.string()});
    } else if (IsProgramFile(p)) {
      pupils.push_back({ShownName(p.filename().string()), {}, p.string(), root.string()});
    }
  }
  std::stable_sort(pupils.begin(), pupils.end(),
                   [](const TPupil& a, const TPupil& b) { return NameLess(a.Name, b.Name); });
  out.insert(out.end(), pupils.begin(), pupils.end());
}

// The file in `folder` named `name`, or the one whose name differs only in case.
fs::path FileNamed(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = folder / name;
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
  const std::string wanted = tumbo::text::UpperCp1252(name);
  for (const fs::directory_entry& e : Entries(folder, ec))
    if (tumbo::text::UpperCp1252(e.path().filename().string()) == wanted) return e.path();
  return {};
}

// True when the bytes look like text: no NUL, hardly any other control characters.
bool LooksLikeText(const std::string& bytes) {
  size_t control = 0;
  for (char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == 0) return false;
    control += (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F;
  }
  return control * 100 <= bytes.size();
}

bool OnlyBlanks(const std::string& text) {
  return text.find_first_not_of(" \t\r\n\f") == std::string::npos;
}

}  // namespace

std::string SubmissionName(TSubmission kind) {
  switch (kind) {
    case TSubmission::Program: return {};
    case TSubmission::NotSubmitted: return "nicht abgegeben";
    case TSubmission::Empty: return "leer";
    case TSubmission::NotAProgram: return "keine Programmdatei";
    case TSubmission::Unreadable: return "nicht lesbar";
    case TSubmission::SeveralPrograms: return "mehrere Programme";
    case TSubmission::SyntaxError: return "Syntaxfehler";
  }
  return {};
}

std::string ShownName(std::string_view native) {
  std::string name = tumbo::text::IsValidUtf8(native) ? tumbo::text::Utf8ToCp1252(native) : std::string(native);
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return name;
}

std::string PupilNameFromFolder(std::string_view folderName) {
  std::string_view name = folderName;
  if (const size_t at = name.find(kPlatformSuffix); at != std::string_view::npos && at > 0) {
    name = name.substr(0, at);
    // The platform's number of the submission.
    const size_t digits = name.find_last_not_of("0123456789");
    if (digits != std::string_view::npos && digits + 1 < name.size() && name[digits] == '_' && digits > 0)
      name = name.substr(0, digits);
  }
  return ShownName(name);
}

bool NameLess(const std::string& a, const std::string& b) {
  const std::string ka = SortKey(a), kb = SortKey(b);
  return ka != kb ? ka < kb : a < b;
}

std::vector<TPupil> FindPupils(const std::vector<std::string>& inputs) {
  std::vector<TPupil> pupils;
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (fs::is_directory(input, ec)) AddClass(input, pupils);
    else pupils.push_back({ShownName(input), {}, input, {}});
  }
  std::map<std::string, int> seen;
  for (TPupil& p : pupils)
    if (const int n = ++seen[p.Name]; n > 1) p.Name += " (" + std::to_string(n) + ")";
  return pupils;
}

TProgramSource FindProgram(const TPupil& pupil, const std::string& taskProgram, bool onlyThatName) {
  if (pupil.Folder.empty()) {
    // A pupil who is one file hands in that file, for a course only for the task it is named after.
    if (onlyThatName && tumbo::text::UpperCp1252(fs::path(pupil.File).filename().string()) !=
                            tumbo::text::UpperCp1252(taskProgram))
      return {TSubmission::NotSubmitted, {}, {}};
    return {TSubmission::Program, pupil.File, {}};
  }
  const fs::path folder = pupil.Folder;
  if (!pupil.Root.empty() && IsLink(folder) && !StaysInside(folder, pupil.Root))
    return {TSubmission::Unreadable, {}, LeadsOut(folder, true)};
  if (onlyThatName) {
    const fs::path file = FileNamed(folder, taskProgram);
    if (file.empty()) return {TSubmission::NotSubmitted, {}, {}};
    return {TSubmission::Program, file.string(), {}};
  }
  std::error_code ec;
  const std::vector<fs::directory_entry> entries = Entries(folder, ec);
  if (ec)
    return {TSubmission::Unreadable, {},
            "Der Ordner " + Quoted(ShownName(folder.filename().string())) + " kann nicht gelesen werden: " +
                tumbo::text::ErrnoText(ec.value()) + "."};
  std::vector<fs::path> programs, others;
  for (const fs::directory_entry& e : entries) {
    if (IsProgramFile(e.path())) programs.push_back(e.path());
    else if (!e.is_directory(ec)) others.push_back(e.path());
  }
  if (programs.size() == 1) return {TSubmission::Program, programs[0].string(), {}};
  if (programs.empty()) {
    if (others.empty()) return {TSubmission::NotSubmitted, {}, {}};
    return {TSubmission::NotAProgram, {}, "Im Ordner liegt nur: " + FirstNames(others)};
  }
  const std::string wanted = tumbo::text::UpperCp1252(taskProgram);
  for (const fs::path& p : programs)
    if (tumbo::text::UpperCp1252(p.filename().string()) == wanted) return {TSubmission::Program, p.string(), {}};
  return {TSubmission::SeveralPrograms, {}, std::to_string(programs.size()) + " Programme: " + FirstNames(programs)};
}

TPupilProgram ReadPupilProgram(const TPupil& pupil, const TProgramSource& source) {
  TPupilProgram out;
  out.Kind = source.Kind;
  out.Path = source.Path;
  out.Reason = source.Reason;
  if (source.Kind != TSubmission::Program) return out;
  const fs::path path = source.Path;
  const auto named = [&out](TSubmission kind, std::string reason = {}) {
    out.Kind = kind;
    out.Reason = std::move(reason);
    return out;
  };
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) {
    // A link whose target is gone stays a link that leads nowhere.
    if (!fs::exists(fs::symlink_status(path, ec))) return named(TSubmission::NotSubmitted);
  }
  if (!pupil.Root.empty() && IsLink(path) && !StaysInside(path, pupil.Root))
    return named(TSubmission::Unreadable, LeadsOut(path, false));
  if (fs::is_directory(status)) return named(TSubmission::NotAProgram, "Das ist ein Ordner.");
  if (!fs::is_regular_file(status)) return named(TSubmission::NotAProgram, "Das ist keine gew\xF6hnliche Datei.");
  if (fs::file_size(path, ec) > tumbo::text::kMaxTextFileBytes)
    return named(TSubmission::NotAProgram, "Die Datei ist gr\xF6\xDF" "er als 16 MB.");
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(path.string(), bytes, error)) return named(TSubmission::Unreadable, error);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  if (OnlyBlanks(bytes)) return named(TSubmission::Empty);
  if (!LooksLikeText(bytes)) return named(TSubmission::NotAProgram, "Die Datei enth\xE4lt keinen Text.");
  if (bytes.substr(bytes.find_first_not_of(" \t\r\n\f")).starts_with("TumboVersion"))
    return named(TSubmission::NotAProgram, "Die Datei ist eine Weltdatei.");
  out.Text = tumbo::text::DecodeToCp1252(bytes);
  return out;
}

}  // namespace tumbo::task
