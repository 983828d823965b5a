#include "app/settings/command_line.h"

namespace tumbo::app {
namespace {

std::string LowerExtension(const std::string &path)
{
    std::size_t slash = path.find_last_of("/\\");
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    for (char &c : ext)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return ext;
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &args,
                             const std::function<bool(const std::string &)> &isFile)
{
    CommandLine result;
    for (const std::string &arg : args) {
        const std::string ext = LowerExtension(arg);
        if ((ext == ".tdp" || ext == ".tdw") && isFile(arg)) {
            (ext == ".tdp" ? result.StartProgramFile : result.StartWorldFile) = arg;
            continue;
        }
        if (ext == ".tda" && isFile(arg)) {
            result.StartTaskFile = arg;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '/')
            continue;
        const std::string value = arg.substr(2);
        switch (Upper(arg[1])) {
        case 'I':
            result.IniFolder = value;
            if (!value.empty() && value.back() != '/' && value.back() != '\\')
                result.IniFolder += '/';
            break;
        case 'P':
            result.StartProgramFile = value;
            break;
        case 'W':
            result.StartWorldFile = value;
            break;
        default:
            break;
        }
    }
    return result;
}

}  // namespace tumbo::app
