#include "task/progress.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "text/atomic_file.h"
#include "text/cp1252.h"

namespace tumbo::task {
namespace {

namespace fs = std::filesystem;

struct TStateName {
  TTaskState State;
  const char* Name;
};
constexpr TStateName kStateNames[] = {
    {TTaskState::NotBegun, "nicht begonnen"},
    {TTaskState::Begun, "begonnen"},
    {TTaskState::Solved, "geloest"},
};

int Count(const std::string& text) {
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || n > 100000000) return 0;  // a damaged value counts as none
    n = n * 10 + (c - '0');
  }
  return n;
}

// The folder and every missing parent; the folder itself is made private to the pupil.
int MakePrivateFolder(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(fs::path(folder).parent_path(), ec);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) return errno;
  return 0;
}

}  // namespace

bool TProgress::Load(const std::string& folder, std::string& error) {
  folder_ = folder;
  const std::string path = (fs::path(folder) / kProgressFileName).string();
  if (ini_.Load(path)) return true;
  error = "Die Datei \"" + tumbo::text::FileNameForMessage(path) + "\" kann nicht gelesen werden.";
  return false;
}

bool TProgress::Save(std::string& error) const {
  if (const int err = MakePrivateFolder(folder_)) {
    error = "Der Ordner \"" + tumbo::text::FileNameForMessage(folder_) + "\" kann nicht angelegt werden: " +
            tumbo::text::ErrnoText(err) + ".";
    return false;
  }
  const std::string path = (fs::path(folder_) / kProgressFileName).string();
  // A new file is made with the owner's rights only; the safe writer keeps a file's rights.
  if (const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); fd >= 0) ::close(fd);
  return ini_.Save(path, &error);
}

TTaskProgress TProgress::Get(const std::string& task) const {
  TTaskProgress p;
  const std::string state = ini_.ReadString(task, "Zustand", "");
  for (const TStateName& s : kStateNames)
    if (state == s.Name) p.State = s.State;
  p.Attempts = Count(ini_.ReadString(task, "Versuche", "0"));
  p.SolvedOn = ini_.ReadString(task, "GeloestAm", "");
  p.HintsShown = Count(ini_.ReadString(task, "Tipps", "0"));
  return p;
}

void TProgress::Set(const std::string& task, const TTaskProgress& p) {
  for (const TStateName& s : kStateNames)
    if (p.State == s.State) ini_.WriteString(task, "Zustand", s.Name);
  ini_.WriteString(task, "Versuche", std::to_string(p.Attempts));
  ini_.WriteString(task, "GeloestAm", p.SolvedOn);
  ini_.WriteString(task, "Tipps", std::to_string(p.HintsShown));
}

void TProgress::Begin(const std::string& task) {
  TTaskProgress p = Get(task);
  if (p.State != TTaskState::NotBegun) return;
  p.State = TTaskState::Begun;
  Set(task, p);
}

void TProgress::RecordCheck(const std::string& task, bool solved, const std::string& today) {
  TTaskProgress p = Get(task);
  ++p.Attempts;
  if (solved && p.State != TTaskState::Solved) {
    p.State = TTaskState::Solved;
    p.SolvedOn = today;
  } else if (p.State == TTaskState::NotBegun) {
    p.State = TTaskState::Begun;
  }
  Set(task, p);
}

void TProgress::RecordHint(const std::string& task) {
  TTaskProgress p = Get(task);
  ++p.HintsShown;
  if (p.State == TTaskState::NotBegun) p.State = TTaskState::Begun;
  Set(task, p);
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

std::string DefaultPupilFolder(const std::string& home, const std::string& courseTitle) {
  std::string name;
  for (char c : tumbo::text::Cp1252ToUtf8(courseTitle)) name += (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) ? '-' : c;
  while (!name.empty() && (name[0] == '.' || name[0] == ' ')) name.erase(0, 1);
  if (name.empty()) name = "Kurs";
  return (fs::path(home) / "Tumbo" / name).string();
}

}  // namespace tumbo::task
