#pragma once
// The start parameters: "/I" settings folder, "/P" program file, "/W" world file,
// each written without a blank before its value. On Linux an absolute path also
// begins with "/", so a parameter that names an existing program or world file is
// taken as that file before the option letters are looked at.
#include <functional>
#include <string>
#include <vector>

namespace tumbo::app {

struct CommandLine {
    std::string IniFolder;  // ends with a path separator when set
    std::string StartProgramFile;
    std::string StartWorldFile;
    std::string StartTaskFile;  // a ".tda" file named as a parameter
};

// `isFile` tells whether a parameter names an existing regular file.
CommandLine ParseCommandLine(const std::vector<std::string> &args,
                             const std::function<bool(const std::string &)> &isFile);

}  // namespace tumbo::app
