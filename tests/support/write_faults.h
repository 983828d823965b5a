// Faults for the safe writer in tests: a scoped hook that makes one step of every write fail,
// the table of faults the writers are checked against, and a small tmpfs for a real full disk.
#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "text/atomic_file.h"

namespace tumbo::testing {

struct WriteFault {
  const char* Name;
  tumbo::text::WriteStep Step;
  int Errno;
  const char* Reason;  // what the message says, Windows-1252
};

// A full disk on the first write, a full quota when the data is flushed, a failing close,
// and a kill between the write and the rename.
inline const std::vector<WriteFault>& WriteFaults() {
  using tumbo::text::WriteStep;
  static const std::vector<WriteFault> faults = {
      {"DiskFullWhileWriting", WriteStep::Write, ENOSPC, "Kein Platz mehr auf dem Datentr\xE4ger"},
      {"QuotaExceededOnSync", WriteStep::Sync, EDQUOT, "Speicherkontingent \xFC" "berschritten"},
      {"CloseFails", WriteStep::Close, EIO, "Ein-/Ausgabefehler"},
      {"KilledBeforeRename", WriteStep::Rename, EIO, "Ein-/Ausgabefehler"},
      {"CannotCreate", WriteStep::Create, EACCES, "Dateizugriff verweigert"},
  };
  return faults;
}

// While it lives, every write fails at the fault's step.
class ScopedWriteFault {
public:
  explicit ScopedWriteFault(const WriteFault& fault) {
    tumbo::text::SetWriteFaultHook([fault](tumbo::text::WriteStep step) {
      return step == fault.Step ? fault.Errno : 0;
    });
  }
  ~ScopedWriteFault() { tumbo::text::SetWriteFaultHook({}); }
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

// A tmpfs of a few pages mounted on `dir` for a real full disk; mounting needs privileges
// that a test machine may not grant, so Mounted() says whether it worked.
class TinyDisk {
public:
  explicit TinyDisk(std::filesystem::path dir, const char* size = "64k") : dir_(std::move(dir)) {
    std::filesystem::create_directories(dir_);
    mounted_ = ::mount("tumbo-test", dir_.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
  }
  ~TinyDisk() {
    if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
  }
  TinyDisk(const TinyDisk&) = delete;
  TinyDisk& operator=(const TinyDisk&) = delete;
  bool Mounted() const { return mounted_; }
  const std::filesystem::path& Dir() const { return dir_; }

private:
  std::filesystem::path dir_;
  bool mounted_ = false;
};

}  // namespace tumbo::testing
