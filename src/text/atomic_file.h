// Writing a whole file so that a crash, a full disk or a kill never leaves it half written:
// the bytes go to a temporary file in the same folder (see temp_files.h), every write and
// the final flush are checked, the file is synced and then renamed over the target, and the
// folder is synced. The old file stays intact until the rename.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tumbo::text {

// Replaces (or creates) `path` with `bytes`. An existing file keeps its permissions and
// group; a symbolic link is followed so the link stays (see write_target.h for the links
// that are refused), and a write-protected file is refused. Left-over temporary files of
// earlier saves of the same file are removed. On failure the target is untouched, no
// temporary file is left, the function returns false and `error` holds a German message
// (Windows-1252) naming the file and the cause.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error);

// A new, empty file beside `path` with the writer's temporary name, for writers that can only
// write to a file name of their own (a printer); the caller hands the finished bytes to
// WriteFileAtomic and removes it. "" on failure, with `error` set as above.
std::string CreateTempFileBeside(const std::string& path, std::string& error);

// The German text for an errno value ("Zugriff verweigert", …), Windows-1252.
std::string ErrnoText(int err);

// The file name as it appears in messages (Windows-1252, converted from the native name).
std::string FileNameForMessage(const std::string& path);

// "Die Datei "NAME" kann nicht geschrieben werden: REASON." (Windows-1252).
std::string CannotWriteMessage(const std::string& path, const std::string& reason);

// For tests: the steps of a write, and a hook asked before each of them. It returns 0 to let
// the step run or the errno the step fails with; a failing Write has written half the bytes,
// as a disk that fills up does, and a failing Rename stands for a kill before the rename.
enum class WriteStep { Create, Write, Sync, Close, Rename };
using WriteFaultHook = std::function<int(WriteStep)>;
void SetWriteFaultHook(WriteFaultHook hook);  // an empty hook switches it off

}  // namespace tumbo::text
