#include "text/write_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "text/atomic_file.h"

namespace tumbo::text {
namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit

// May a link owned by `linkOwner` in the folder `folder` be followed? Not in a world-writable
// sticky folder unless the user or the folder's owner made it.
bool MayFollowLinkIn(const std::string& folder, uid_t linkOwner) {
  struct stat st;
  if (stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return true;
  const bool sharedSticky = (st.st_mode & S_ISVTX) && (st.st_mode & S_IWOTH);
  return !sharedSticky || linkOwner == geteuid() || linkOwner == st.st_uid;
}

bool ReadLink(const std::string& path, std::string& content) {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return false;
    if (size_t(n) < buffer.size()) {
      content.assign(buffer.data(), size_t(n));
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ResolveWriteTarget(const std::string& path, WriteTarget& target, std::string& reason) {
  if (path.empty() || path.back() == '/') {
    reason = ErrnoText(path.empty() ? ENOENT : EISDIR);
    return false;
  }
  std::string current = path;
  struct stat st;
  for (int hops = 0;; ++hops) {
    if (lstat(current.c_str(), &st) != 0) {
      if (errno != ENOENT) {
        reason = ErrnoText(errno);
        return false;
      }
      const mode_t mask = umask(0);
      umask(mask);
      target = {current, false, unsigned(0666 & ~mask), -1};
      return true;
    }
    if (!S_ISLNK(st.st_mode)) break;
    if (hops == kMaxLinkHops) {
      reason = ErrnoText(ELOOP);
      return false;
    }
    const std::string folder = FolderOf(current);
    if (!MayFollowLinkIn(folder, st.st_uid)) {
      reason = "Die Verkn\xFCpfung geh\xF6rt einem anderen Benutzer";
      return false;
    }
    std::string next;
    if (!ReadLink(current, next)) {
      reason = ErrnoText(errno);
      return false;
    }
    current = next.starts_with('/') ? next : folder + next;
  }

  if (S_ISDIR(st.st_mode)) {
    reason = ErrnoText(EISDIR);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    reason = "Das ist keine gew\xF6hnliche Datei";
    return false;
  }
  // Root may write anything, so the file's own bits decide for it as they do for others.
  const bool writable =
      (st.st_mode & 0222) != 0 && faccessat(AT_FDCWD, current.c_str(), W_OK, AT_EACCESS) == 0;
  if (!writable) {
    reason = (st.st_mode & 0222) != 0 && errno == EROFS ? ErrnoText(EROFS)
                                                       : "Die Datei ist schreibgesch\xFCtzt";
    return false;
  }
  target = {current, true, unsigned(st.st_mode & 07777), (long long)st.st_gid};
  return true;
}

}  // namespace tumbo::text
