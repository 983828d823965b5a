#include "app/settings/settings.h"

#include <algorithm>
#include <variant>

namespace tumbo::app {
namespace {

struct Flag { bool TumboSettings::*field; };
// A lenient integer is a key of this program's own: a value that is not a number takes
// the fallback without a word and the keys after it are still read.
struct Integer { int TumboSettings::*field; int minOnWrite; bool lenient = false; };
struct Colour { ColorValue TumboSettings::*field; };
struct Text { std::string TumboSettings::*field; };

struct Key {
    const char *section;
    const char *key;
    const char *fallback;  // as the file would hold it; OpenPath's comes from the caller
    std::variant<Flag, Integer, Colour, Text> kind;
};

constexpr int kNoMin = -2147483647 - 1;

const Key kKeys[] = {
    {"Tips", "LastTip", "1", Integer{&TumboSettings::LastTip, kNoMin}},
    {"Tips", "ShowTips", "TRUE", Flag{&TumboSettings::ShowTips}},
    {"Sizes", "EditorWidth", "385", Integer{&TumboSettings::EditorWidth, 140}},
    {"Sizes", "BottomHeight", "160", Integer{&TumboSettings::BottomHeight, 80}},
    {"Sizes", "CodeViewWidth", "185", Integer{&TumboSettings::CodeViewWidth, 80}},
    {"Sizes", "Maximized", "TRUE", Flag{&TumboSettings::Maximized}},
    {"Sizes", "ViewScale", "0", Integer{&TumboSettings::ViewScale, kNoMin, true}},
    {"Sizes", "HighContrast", "FALSE", Flag{&TumboSettings::HighContrast}},
    {"Tumbo", "Delay", "0", Integer{&TumboSettings::Delay, kNoMin}},
    {"Tumbo", "MaxJump", "1", Integer{&TumboSettings::MaxJump, kNoMin}},
    {"Tumbo", "CheckBrick", "FALSE", Flag{&TumboSettings::CheckBrick}},
    {"Tumbo", "MaxBrick", "0", Integer{&TumboSettings::MaxBrick, kNoMin}},
    {"Tumbo", "BrickStart", "999", Integer{&TumboSettings::BrickStart, kNoMin}},
    {"Tumbo", "Hint", "TRUE", Flag{&TumboSettings::Hint}},
    {"Tumbo", "StopOnError", "FALSE", Flag{&TumboSettings::StopOnError}},
    {"Tumbo", "RestoreWorld", "FALSE", Flag{&TumboSettings::RestoreWorld}},
    {"Editor", "LineNumbers", "TRUE", Flag{&TumboSettings::LineNumbers}},
    {"Editor", "TabStops", "2", Integer{&TumboSettings::TabWidth, kNoMin}},
    {"Editor", "PrintLineNumbers", "FALSE", Flag{&TumboSettings::PrintLineNumbers}},
    {"Editor", "PrintColor", "FALSE", Flag{&TumboSettings::PrintColor}},
    {"Editor", "ColorComment", "clGrayText", Colour{&TumboSettings::ColorComment}},
    {"Editor", "ColorKeyWord", "clBlack", Colour{&TumboSettings::ColorKeyWord}},
    {"Editor", "ColorKeyWord2", "clBlue", Colour{&TumboSettings::ColorKeyWord2}},
    {"Editor", "ColorIdentifier", "clGreen", Colour{&TumboSettings::ColorIdentifier}},
    {"Editor", "ColorNumber", "clRed", Colour{&TumboSettings::ColorNumber}},
    {"Editor", "FormatToken", "TRUE", Flag{&TumboSettings::FormatToken}},
    {"Editor", "ExtendedSyntax", "TRUE", Flag{&TumboSettings::ExtendedSyntax}},
    {"Program", "OpenPath", nullptr, Text{&TumboSettings::OpenPath}},
};

}  // namespace

std::string NotAnIntegerMessage(const std::string &value)
{
    return "'" + value + "' ist kein gültiger Integerwert";
}

std::optional<std::string> ReadSettings(const IniFile &ini, TumboSettings &s, const std::string &defaultOpenPath)
{
    for (const Key &k : kKeys) {
        const std::string value = ini.ReadString(k.section, k.key, k.fallback ? k.fallback : defaultOpenPath);
        if (auto *f = std::get_if<Flag>(&k.kind)) {
            s.*(f->field) = value == "TRUE";
        } else if (auto *i = std::get_if<Integer>(&k.kind)) {
            auto number = ParseInteger(value);
            if (!number && i->lenient)
                number = ParseInteger(k.fallback);
            if (!number)
                return NotAnIntegerMessage(value);
            s.*(i->field) = *number;
        } else if (auto *c = std::get_if<Colour>(&k.kind)) {
            auto color = ColorFromText(value);
            if (!color)
                return NotAnIntegerMessage(value);
            s.*(c->field) = *color;
        } else if (auto *t = std::get_if<Text>(&k.kind)) {
            s.*(t->field) = value;
        }
    }
    return std::nullopt;
}

void WriteSettings(IniFile &ini, const TumboSettings &s)
{
    for (const Key &k : kKeys) {
        std::string value;
        if (auto *f = std::get_if<Flag>(&k.kind))
            value = s.*(f->field) ? "TRUE" : "FALSE";
        else if (auto *i = std::get_if<Integer>(&k.kind))
            value = std::to_string(std::max(s.*(i->field), i->minOnWrite));
        else if (auto *c = std::get_if<Colour>(&k.kind))
            value = ColorToText(s.*(c->field));
        else if (auto *t = std::get_if<Text>(&k.kind))
            value = s.*(t->field);
        ini.WriteString(k.section, k.key, value);
    }
}

}  // namespace tumbo::app
