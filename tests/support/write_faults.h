// Faults for the safe writer in tests: a scoped hook that makes one step of every write fail,
// the table of faults every writer is checked against, and a tiny tmpfs for a real full disk.
#pragma once

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "text/atomic_file.h"

namespace tumbo::testing {

struct WriteFault {
  const char* Name;
  tumbo::text::WriteStep Step;
  int Errno;
  const char* Reason;  // what the message says (UTF-8)
};

// A full disk on the first write, a full quota when the data is flushed, a failing close,
// a kill between the write and the rename, and a folder that takes no new file.
inline const std::vector<WriteFault>& WriteFaults() {
  using tumbo::text::WriteStep;
  static const std::vector<WriteFault> faults = {
      {"DiskFullWhileWriting", WriteStep::Write, ENOSPC, "Kein Platz mehr auf dem Datenträger"},
      {"QuotaExceededOnSync", WriteStep::Sync, EDQUOT, "Speicherkontingent überschritten"},
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

// A tmpfs mounted on `dir`; mounting needs privileges a test machine may not grant.
class TinyDisk {
public:
  explicit TinyDisk(std::filesystem::path dir, const char* size) : dir_(std::move(dir)) {
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
inline constexpr const char* kCannotMount = "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)";

// A writer under test: saves to `path` (UTF-8), returns whether it succeeded and puts its
// message (UTF-8) into `error`.
using SaveFunction = std::function<bool(const std::string& path, std::string& error)>;

inline std::string FileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline size_t EntryCount(const std::filesystem::path& dir) {
  return size_t(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

// Checks the save failed, said so naming the file and `reason`, and left the old file alone
// with no temporary file beside it.
inline void ExpectFailedAndOldFileIntact(bool saved, const std::string& error,
                                         const std::filesystem::path& target, const char* reason) {
  EXPECT_FALSE(saved) << "a failed write was reported as success";
  EXPECT_NE(error.find(target.filename().string()), std::string::npos) << error;
  EXPECT_NE(error.find(reason), std::string::npos) << error;
  EXPECT_EQ(FileBytes(target), "alt");
  EXPECT_EQ(EntryCount(target.parent_path()), 1u) << "a temporary file was left behind";
}

// Every fault of the table against a file "alt" named `name` in the empty folder `dir`;
// afterwards a save without a fault replaces it.
inline void ExpectEveryFaultKeepsTheOldFile(const std::filesystem::path& dir, const std::string& name,
                                            const SaveFunction& save) {
  const std::filesystem::path target = dir / name;
  for (const WriteFault& fault : WriteFaults()) {
    SCOPED_TRACE(fault.Name);
    std::ofstream(target, std::ios::binary | std::ios::trunc) << "alt";
    std::string error;
    bool saved;
    {
      ScopedWriteFault scoped(fault);
      saved = save(target.string(), error);
    }
    ExpectFailedAndOldFileIntact(saved, error, target, fault.Reason);
  }
  std::string error;
  EXPECT_TRUE(save(target.string(), error)) << error;
  EXPECT_NE(FileBytes(target), "alt");
}

// A real full disk: a tmpfs of one page that the old file fills. False (nothing checked)
// when no tmpfs can be mounted.
inline bool ExpectFullDiskKeepsTheOldFile(const std::filesystem::path& dir, const std::string& name,
                                          const SaveFunction& save) {
  TinyDisk disk(dir, "4k");
  if (!disk.Mounted()) return false;
  const std::filesystem::path target = disk.Dir() / name;
  std::ofstream(target, std::ios::binary) << "alt";
  std::string error;
  const bool saved = save(target.string(), error);
  ExpectFailedAndOldFileIntact(saved, error, target, "Kein Platz mehr auf dem Datenträger");
  return true;
}

}  // namespace tumbo::testing
