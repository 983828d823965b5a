#include "text/temp_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <memory>

#include "text/write_target.h"

namespace tumbo::text {
namespace {

constexpr std::string_view kMarker = ".tumbo-";
constexpr std::string_view kRandom = "XXXXXX";
constexpr std::string_view kSuffix = ".tmp";
constexpr time_t kStaleSeconds = 60;

// The target's name as it appears in its temporary files: cut so the whole name fits NAME_MAX.
std::string_view NamePart(std::string_view base) {
  const size_t room = NAME_MAX - 1 - kMarker.size() - kRandom.size() - kSuffix.size();
  return base.substr(0, room);
}

std::string BaseOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

}  // namespace

std::string TempFileTemplate(const std::string& target) {
  std::string name = FolderOf(target) + ".";
  name += NamePart(BaseOf(target));
  name += kMarker;
  name += kRandom;
  name += kSuffix;
  return name;
}

bool IsTempFileFor(std::string_view entry, std::string_view base) {
  const std::string_view name = NamePart(base);
  const size_t length = 1 + name.size() + kMarker.size() + kRandom.size() + kSuffix.size();
  return entry.size() == length && entry.starts_with('.') && entry.substr(1, name.size()) == name &&
         entry.substr(1 + name.size(), kMarker.size()) == kMarker && entry.ends_with(kSuffix);
}

void RemoveStaleTempFiles(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string base = BaseOf(target);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()), &closedir);
  if (!dir) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir.get())) {
    if (!IsTempFileFor(entry->d_name, base)) continue;
    struct stat st;
    if (fstatat(dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == geteuid() && now - st.st_mtime > kStaleSeconds)
      unlinkat(dirfd(dir.get()), entry->d_name, 0);
  }
}

}  // namespace tumbo::text
