#include "text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "text/cp1252.h"
#include "text/temp_files.h"
#include "text/write_target.h"

namespace tumbo::text {
namespace {

WriteFaultHook& FaultHook() {
  static WriteFaultHook hook;
  return hook;
}

// The errno a test wants `step` to fail with, else 0.
int InjectedFault(WriteStep step) { return FaultHook() ? FaultHook()(step) : 0; }

// 0 or the errno of the first failed write; a write that makes no progress counts as full.
int WriteBytes(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += size_t(n);
  }
  return 0;
}

int WriteAll(int fd, std::string_view bytes) {
  if (const int fault = InjectedFault(WriteStep::Write)) {
    WriteBytes(fd, bytes.substr(0, bytes.size() / 2));
    return fault;
  }
  return WriteBytes(fd, bytes);
}

// Creates the temporary file beside `target`; its name goes to `name`.
int CreateTemp(const std::string& target, std::string& name, int& fd) {
  if (const int fault = InjectedFault(WriteStep::Create)) return fault;
  std::string pattern = TempFileTemplate(target);
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  fd = mkostemps(buffer.data(), kTempSuffixLength, O_CLOEXEC);
  if (fd < 0) return errno;
  name = buffer.data();
  return 0;
}

// Sync, permissions, close: 0 or the first errno. The descriptor is closed in any case.
int FinishTemp(int fd, const WriteTarget& target) {
  int err = InjectedFault(WriteStep::Sync);
  if (err == 0 && fsync(fd) != 0) err = errno;
  // A file system without owners or permissions keeps the temporary file's; no failure.
  if (target.Group >= 0 && fchown(fd, uid_t(-1), gid_t(target.Group)) != 0) {
  }
  if (fchmod(fd, mode_t(target.Mode)) != 0) {
  }
  const int closeFault = InjectedFault(WriteStep::Close);
  if (::close(fd) != 0 && err == 0) err = errno;
  return err != 0 ? err : closeFault;
}

// After the rename the new file is in place; syncing its folder makes the rename itself
// survive a power cut. File systems that cannot sync a folder say EINVAL.
int SyncFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int err = fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP ? errno : 0;
  ::close(fd);
  return err;
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
    case ELOOP: return "Zu viele verkettete Verkn\xFCpfungen";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    case EIO: return "Ein-/Ausgabefehler";
    case EBUSY: return "Die Datei wird gerade benutzt";
    case EXDEV: return "Die Datei liegt auf einem anderen Datentr\xE4ger";
    case EFBIG: return "Die Datei ist zu gro\xDF";
    default: return "Ein-/Ausgabefehler " + std::to_string(err);
  }
}

std::string FileNameForMessage(const std::string& path) {
  return IsValidUtf8(path) ? Utf8ToCp1252(path) : path;
}

std::string CannotWriteMessage(const std::string& path, const std::string& reason) {
  return "Die Datei \"" + FileNameForMessage(path) + "\" kann nicht geschrieben werden: " + reason + ".";
}

void SetWriteFaultHook(WriteFaultHook hook) { FaultHook() = std::move(hook); }

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error) {
  WriteTarget target;
  std::string reason;
  if (!ResolveWriteTarget(path, target, reason)) {
    error = CannotWriteMessage(path, reason);
    return false;
  }
  RemoveStaleTempFiles(target.Path);

  std::string temp;
  int fd = -1;
  int err = CreateTemp(target.Path, temp, fd);
  if (err == 0) {
    err = WriteAll(fd, bytes);
    const int finish = FinishTemp(fd, target);
    if (err == 0) err = finish;
    if (err == 0) err = InjectedFault(WriteStep::Rename);
    if (err == 0 && std::rename(temp.c_str(), target.Path.c_str()) != 0) err = errno;
    if (err != 0) ::unlink(temp.c_str());
  }
  if (err == 0) err = SyncFolder(target.Path);
  if (err != 0) {
    error = CannotWriteMessage(path, ErrnoText(err));
    return false;
  }
  return true;
}

std::string CreateTempFileBeside(const std::string& path, std::string& error) {
  WriteTarget target;
  std::string reason;
  if (!ResolveWriteTarget(path, target, reason)) {
    error = CannotWriteMessage(path, reason);
    return {};
  }
  RemoveStaleTempFiles(target.Path);
  std::string temp;
  int fd = -1;
  if (const int err = CreateTemp(target.Path, temp, fd)) {
    error = CannotWriteMessage(path, ErrnoText(err));
    return {};
  }
  ::close(fd);
  return temp;
}

}  // namespace tumbo::text
