// Writing a whole file so that a crash never leaves it half written: the bytes go to a
// temporary file in the same folder, which is then renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace tumbo::text {

// Replaces (or creates) `path` with `bytes`. An existing file keeps its permissions; a
// symbolic link is followed, so the link stays and its target is replaced. On failure the
// target is untouched, no temporary file is left, the function returns false and `error`
// holds a German message (Windows-1252) naming the file and the cause.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error);

// The German text for an errno value ("Zugriff verweigert", …), Windows-1252.
std::string ErrnoText(int err);

// The file name as it appears in messages (Windows-1252, converted from the native name).
std::string FileNameForMessage(const std::string& path);

}  // namespace tumbo::text
