#pragma once
// Colour values as the settings file stores them: 0x00BBGGRR for plain colours,
// 0x800000nn for the window system's colour number nn (text, button face, …).
#include <cstdint>
#include <optional>
#include <string>

namespace tumbo::app {

using ColorValue = std::uint32_t;

constexpr ColorValue clBlack = 0x000000, clGreen = 0x008000, clRed = 0x0000FF, clBlue = 0xFF0000,
                     clWhite = 0xFFFFFF, clSilver = 0xC0C0C0, clGrayText = 0x80000011;

// "clBlue" for a colour that has a name, otherwise "$" and eight upper-case hex digits.
std::string ColorToText(ColorValue color);
// A colour name (any letter case) or an integer ("$" hex allowed); nothing when neither.
std::optional<ColorValue> ColorFromText(const std::string &text);
// The 0x00BBGGRR value to paint with: system colours become their usual values.
std::uint32_t ColorToRgb(ColorValue color);

// A whole number as the settings file holds it: optional blanks in front, a sign,
// decimal digits or "$"/"0x" and hexadecimal digits; nothing else. Hexadecimal values
// up to $FFFFFFFF wrap into the negative range.
std::optional<std::int32_t> ParseInteger(const std::string &text);

}  // namespace tumbo::app
