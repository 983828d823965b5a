// Which file a save really replaces, and whether it may: the checks the safe writer makes
// before it writes a byte.
#pragma once

#include <string>

namespace tumbo::text {

struct WriteTarget {
  std::string Path;        // the file that gets replaced: `path` with its links followed
  bool Exists = false;
  unsigned Mode = 0;       // permission bits for the new file (the old file's, else by umask)
  long long Group = -1;    // the old file's group, -1 for a new file
};

// Follows symbolic links from `path` and checks the file at their end: it must not be
// write-protected, a folder or anything but a plain file. A link in a world-writable sticky
// folder (like /tmp) is followed only when it belongs to the user or to the folder's owner,
// since anybody may plant one there. On refusal returns false and `reason` holds the
// German cause (Windows-1252).
bool ResolveWriteTarget(const std::string& path, WriteTarget& target, std::string& reason);

// The folder part of `path` including its final '/', "" when there is none.
std::string FolderOf(const std::string& path);

}  // namespace tumbo::text
