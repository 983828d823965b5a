#pragma once
// EINFÜGEN blocks: each library named in a block is read, turned into working text and put in
// the block's place, all its statements carrying the line on which its name was written.
#include <functional>
#include <string>

// Replaces every EINFÜGEN block of the working text `source` by the libraries it names.
// `folder` is the program's folder as a native (UTF-8) path ending in a path separator, or
// empty. `report(number)` is
// called for messages 8, 9 and 34 (the working text would grow beyond kMaxProgramBytes; no
// library is included after that).
std::string ExpandLibraries(std::string source, const std::string& folder,
                            const std::function<void(int number)>& report);

// The native file name of a library named `name` (Windows-1252, upper case as in the working
// text) in the native folder `folder`: ".tdp" is added without an extension, `folder` is put in front without a folder part,
// and each part of the name is matched exactly first, else without regard to case.
// Empty when no such file exists.
std::string FindLibraryFile(const std::string& name, const std::string& folder);
