#include "app/settings/colour_names.h"

#include <cstring>
#include <iterator>

namespace tumbo::app {
namespace {

struct NamedColor {
    const char *name;
    ColorValue value;
    std::uint32_t rgb;  // what a system colour paints as; unused for plain colours
};

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

constexpr ColorValue Sys(int n)
{
    return 0x80000000u | std::uint32_t(n);
}

// The 16 standard colours, then the system colours with their usual look.
const NamedColor kColors[] = {
    {"clBlack", 0x000000, 0}, {"clMaroon", 0x000080, 0}, {"clGreen", 0x008000, 0},
    {"clOlive", 0x008080, 0}, {"clNavy", 0x800000, 0}, {"clPurple", 0x800080, 0},
    {"clTeal", 0x808000, 0}, {"clGray", 0x808080, 0}, {"clSilver", 0xC0C0C0, 0},
    {"clRed", 0x0000FF, 0}, {"clLime", 0x00FF00, 0}, {"clYellow", 0x00FFFF, 0},
    {"clBlue", 0xFF0000, 0}, {"clFuchsia", 0xFF00FF, 0}, {"clAqua", 0xFFFF00, 0},
    {"clWhite", 0xFFFFFF, 0},
    {"clScrollBar", Sys(0), Rgb(200, 200, 200)},
    {"clBackground", Sys(1), Rgb(0, 0, 0)},
    {"clActiveCaption", Sys(2), Rgb(153, 180, 209)},
    {"clInactiveCaption", Sys(3), Rgb(191, 205, 219)},
    {"clMenu", Sys(4), Rgb(240, 240, 240)},
    {"clWindow", Sys(5), Rgb(255, 255, 255)},
    {"clWindowFrame", Sys(6), Rgb(100, 100, 100)},
    {"clMenuText", Sys(7), Rgb(0, 0, 0)},
    {"clWindowText", Sys(8), Rgb(0, 0, 0)},
    {"clCaptionText", Sys(9), Rgb(0, 0, 0)},
    {"clActiveBorder", Sys(10), Rgb(180, 180, 180)},
    {"clInactiveBorder", Sys(11), Rgb(244, 247, 252)},
    {"clAppWorkSpace", Sys(12), Rgb(171, 171, 171)},
    {"clHighlight", Sys(13), Rgb(0, 120, 215)},
    {"clHighlightText", Sys(14), Rgb(255, 255, 255)},
    {"clBtnFace", Sys(15), Rgb(240, 240, 240)},
    {"clBtnShadow", Sys(16), Rgb(160, 160, 160)},
    {"clGrayText", Sys(17), Rgb(109, 109, 109)},
    {"clBtnText", Sys(18), Rgb(0, 0, 0)},
    {"clInactiveCaptionText", Sys(19), Rgb(0, 0, 0)},
    {"clBtnHighlight", Sys(20), Rgb(255, 255, 255)},
    {"cl3DDkShadow", Sys(21), Rgb(105, 105, 105)},
    {"cl3DLight", Sys(22), Rgb(227, 227, 227)},
    {"clInfoText", Sys(23), Rgb(0, 0, 0)},
    {"clInfoBk", Sys(24), Rgb(255, 255, 225)},
    {"clHotLight", Sys(26), Rgb(0, 102, 204)},
    {"clGradientActiveCaption", Sys(27), Rgb(185, 209, 234)},
    {"clGradientInactiveCaption", Sys(28), Rgb(215, 228, 242)},
    {"clMenuHighlight", Sys(29), Rgb(51, 153, 255)},
    {"clMenuBar", Sys(30), Rgb(240, 240, 240)},
};

bool SameText(const char *a, const std::string &b)
{
    if (std::strlen(a) != b.size())
        return false;
    for (std::size_t i = 0; i < b.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string ColorToText(ColorValue color)
{
    for (const NamedColor &c : kColors)
        if (c.value == color)
            return c.name;
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(color >> shift) & 0xF];
    return text;
}

std::optional<ColorValue> ColorFromText(const std::string &text)
{
    for (const NamedColor &c : kColors)
        if (SameText(c.name, text))
            return c.value;
    if (auto number = ParseInteger(text))
        return ColorValue(*number);
    return std::nullopt;
}

std::uint32_t ColorToRgb(ColorValue color)
{
    if ((color & 0xFF000000u) == 0)
        return color;
    for (const NamedColor &c : kColors)
        if (c.value == color)
            return c.rgb;
    return color & 0x00FFFFFFu;
}

std::optional<std::int32_t> ParseInteger(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (d < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + std::uint64_t(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) {
        std::uint32_t bits = std::uint32_t(value);
        if (negative)
            bits = 0u - bits;
        return std::int32_t(bits);
    }
    if (negative) {
        if (value > 0x80000000ull)
            return std::nullopt;
        return std::int32_t(-std::int64_t(value));
    }
    if (value > 0x7FFFFFFFull)
        return std::nullopt;
    return std::int32_t(value);
}

}  // namespace tumbo::app
