// The highlighter's two keyword sets and their case-insensitive look-up.
#include "editor/syn_highlighter_tumbo.h"

#include <algorithm>
#include <array>

namespace tumbo::editor {
namespace {

// Upper-case spellings (Windows-1252). "\xDC" is Ü, "\xD6" is Ö; literals are split where a
// hex escape would otherwise swallow the next letter.
constexpr std::array<std::string_view, 19> kControlWords = {
    "MAL", "BIS", "DANN", "TUE", "FALSCH", "WAHR", "NICHT", "WENN", "IMMER", "LANGSAM",
    "SOLANGE", "SCHNELL", "WARTEN", "BEDINGUNG", "SONST", "PROGRAMM", "EINF\xDCGEN",
    "WIEDERHOLE", "ANWEISUNG",
};

constexpr std::array<std::string_view, 25> kRobotWords = {
    "BEENDEN", "TON", "TUMBO", "AUFHEBEN", "HINLEGEN", "ISTLEER", "ISTWAND", "HATZIEGEL",
    "ISTMARKE", "SCHRITT", "ISTVOLL", "ISTZIEGEL", "ISTNORDEN", "LINKSDREHEN", "ISTOSTEN",
    "RECHTSDREHEN", "ISTS\xDC" "DEN", "ISTWESTEN", "MARKESETZEN", "NICHTISTLEER",
    "NICHTISTWAND", "MARKEL\xD6SCHEN", "NICHTISTMARKE", "NICHTISTVOLL", "NICHTISTZIEGEL",
};

constexpr std::size_t kLongestKeyword = 14;

// Only letters reach the look-up: A-Z, a-z and the six umlauts; each folds to its upper case.
char FoldLetter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - ('a' - 'A'));
    if (u == 0xE4 || u == 0xF6 || u == 0xFC)  // ä ö ü
        return static_cast<char>(u - 0x20);
    return c;
}

bool Contains(const auto &words, std::string_view upper)
{
    return std::find(words.begin(), words.end(), upper) != words.end();
}

}  // namespace

TtkTokenKind KeywordKind(std::string_view word)
{
    if (word.empty() || word.size() > kLongestKeyword)
        return tkIdentifier;
    std::array<char, kLongestKeyword> buffer{};
    std::transform(word.begin(), word.end(), buffer.begin(), FoldLetter);
    const std::string_view upper(buffer.data(), word.size());
    if (Contains(kControlWords, upper))
        return tkKey;
    if (Contains(kRobotWords, upper))
        return tkKey2;
    return tkIdentifier;
}

}  // namespace tumbo::editor
