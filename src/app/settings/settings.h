#pragma once
// The values kept in tumbo.ini, and the table of sections and keys that reads and
// writes them in their fixed order.
#include <optional>
#include <string>

#include "app/settings/colour_names.h"
#include "text/ini_file.h"

namespace tumbo::app {

using tumbo::text::IniFile;

struct TumboSettings {
    // [Tips]
    int LastTip = 1;
    bool ShowTips = true;
    // [Sizes]
    int EditorWidth = 385;
    int BottomHeight = 160;
    int CodeViewWidth = 185;
    bool Maximized = true;
    int ViewScale = 0;  // percent; 0: the world fitted into its pane
    bool HighContrast = false;  // "Ansicht → Hoher Kontrast"
    // [Tumbo]
    int Delay = 0;
    int MaxJump = 1;
    bool CheckBrick = false;
    int MaxBrick = 0;
    int BrickStart = 999;
    bool Hint = true;
    bool StopOnError = false;
    bool RestoreWorld = false;
    // [Editor]
    bool LineNumbers = true;
    int TabWidth = 2;
    bool PrintLineNumbers = false;
    bool PrintColor = false;
    ColorValue ColorComment = clGrayText;
    ColorValue ColorKeyWord = clBlack;
    ColorValue ColorKeyWord2 = clBlue;
    ColorValue ColorIdentifier = clGreen;
    ColorValue ColorNumber = clRed;
    bool FormatToken = true;
    bool ExtendedSyntax = true;
    // [Program]
    std::string OpenPath;
};

// The settings file's name inside the settings folder.
inline constexpr const char *SettingsFileName = "tumbo.ini";

// Reads every key in table order into `s`; a missing key gives its default
// (`defaultOpenPath` for OpenPath: the program's folder, the home folder for an installed
// program). Reading stops at the first value that is not a number where one is needed:
// the keys before it are read, `s` keeps its values for the rest, and the German
// message naming the value is returned.
std::optional<std::string> ReadSettings(const IniFile &ini, TumboSettings &s, const std::string &defaultOpenPath);

// Writes every key in table order; the three panel sizes are written no smaller
// than 140, 80 and 80.
void WriteSettings(IniFile &ini, const TumboSettings &s);

// The message (UTF-8) for a value that is not a whole number.
std::string NotAnIntegerMessage(const std::string &value);

}  // namespace tumbo::app
