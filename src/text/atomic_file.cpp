#include "text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "text/cp1252.h"

namespace tumbo::text {
namespace {

std::string WriteError(const std::string& path, int err) {
  return "Die Datei \"" + FileNameForMessage(path) + "\" kann nicht geschrieben werden: " +
         ErrnoText(err) + ".";
}

// The file the name stands for: a symbolic link is followed so that the link survives.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = realpath(path.c_str(), nullptr)) {
      std::string target(real);
      std::free(real);
      return target;
    }
  }
  return path;
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

}  // namespace

std::string ErrnoText(int err) {
  switch (err) {
    case EACCES:
    case EPERM: return "Dateizugriff verweigert";
    case ENOENT: return "Datei oder Ordner nicht gefunden";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner";
    case EISDIR: return "Das ist ein Ordner";
    case ENOSPC: return "Kein Platz mehr auf dem Datentr\xE4ger";
    case EDQUOT: return "Speicherkontingent \xFC" "berschritten";
    case EROFS: return "Der Datentr\xE4ger ist schreibgesch\xFCtzt";
    case ENAMETOOLONG: return "Der Dateiname ist zu lang";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    case EIO: return "Ein-/Ausgabefehler";
    case EBUSY: return "Die Datei wird gerade benutzt";
    case EXDEV: return "Die Datei liegt auf einem anderen Datentr\xE4ger";
    default: return "Ein-/Ausgabefehler " + std::to_string(err);
  }
}

std::string FileNameForMessage(const std::string& path) {
  return IsValidUtf8(path) ? Utf8ToCp1252(path) : path;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error) {
  if (path.empty()) {
    error = WriteError(path, ENOENT);
    return false;
  }
  const std::string target = ResolveTarget(path);

  mode_t mode;
  struct stat st;
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      error = WriteError(path, EISDIR);
      return false;
    }
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }

  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string tmpl = dir + "." + base + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');

  const int fd = mkstemp(name.data());
  if (fd < 0) {
    error = WriteError(path, errno);
    return false;
  }
  int err = 0;
  if (!WriteAll(fd, bytes) || fsync(fd) != 0) err = errno;
  // A file system without permissions keeps the temporary file's; that is no failure.
  if (err == 0 && fchmod(fd, mode) != 0) {
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && std::rename(name.data(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(name.data());
    error = WriteError(path, err);
    return false;
  }
  return true;
}

}  // namespace tumbo::text
