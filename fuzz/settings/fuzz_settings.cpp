// Reads arbitrary bytes as tumbo.ini and as a command line. Whatever is read must be
// written back and read again to the same settings, and nothing may crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings/command_line.h"
#include "app/settings/settings.h"
#include "text/ini_file.h"

using namespace tumbo::app;

namespace {

void CheckIniRoundTrip(const std::string &text)
{
    IniFile ini;
    ini.Parse(text);
    TumboSettings settings;
    if (ReadSettings(ini, settings, "/opt/tumbo/"))
        return;  // a bad number stops reading with a message; nothing more to compare

    IniFile written;
    WriteSettings(written, settings);
    IniFile reread;
    reread.Parse(written.Text());
    TumboSettings again;
    if (ReadSettings(reread, again, "/opt/tumbo/"))
        std::abort();  // the writer produced a file the reader refuses
    IniFile rewritten;
    WriteSettings(rewritten, again);
    if (rewritten.Text() != written.Text())
        std::abort();  // a second round trip changed the file
}

void CheckCommandLine(const std::string &text)
{
    std::vector<std::string> args;
    std::string current;
    for (char c : text) {
        if (c == '\n') {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    args.push_back(current);
    // Every parameter ending in ".tdp" or ".tdw" counts as an existing file.
    auto isFile = [](const std::string &p) {
        return p.size() > 4 && (p.ends_with(".tdp") || p.ends_with(".tdw"));
    };
    ParseCommandLine(args, isFile);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CheckIniRoundTrip(text);
    CheckCommandLine(text);
    return 0;
}
