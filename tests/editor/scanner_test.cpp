// Token sequences of the highlighter's line scanner.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/highlighter_attributes.h"
#include "editor/syn_highlighter_tumbo.h"

using namespace tumbo::editor;

namespace {

using Tokens = std::vector<std::pair<TtkTokenKind, std::string>>;

// Scans one line starting in `range`; leaves the end state in `range`.
Tokens Scan(const std::string &line, int &range)
{
    TSynTumboSyn scanner;
    scanner.SetRange(range);
    Tokens tokens;
    for (scanner.SetLine(line, 0); !scanner.GetEol(); scanner.Next())
        tokens.emplace_back(scanner.GetTokenKind(), std::string(scanner.GetToken()));
    range = scanner.GetRange();
    return tokens;
}

Tokens Scan(const std::string &line)
{
    int range = kRangeNormal;
    return Scan(line, range);
}

std::vector<TtkTokenKind> Kinds(const std::string &line)
{
    std::vector<TtkTokenKind> kinds;
    for (const auto &token : Scan(line))
        kinds.push_back(token.first);
    return kinds;
}

struct KindCase {
    std::string text;
    std::vector<TtkTokenKind> kinds;
};

}  // namespace

TEST(HighlighterScanner, TokenKindsOfSingleLines)
{
    const std::vector<KindCase> cases = {
        {"schritt", {tkKey2}},
        {"Schritt", {tkKey2}},
        {"SCHRITT", {tkKey2}},
        {"Schritt2", {tkIdentifier}},
        {"Schritt_", {tkIdentifier}},
        {"Schritt(3)", {tkKey2, tkSymbol, tkNumber, tkSymbol}},
        {"Tumbo.Schritt", {tkKey2, tkSymbol, tkKey2}},
        {"Einf\xFCgen", {tkKey}},
        {"EINF\xFCGEN", {tkKey}},
        {"Einfugen", {tkIdentifier}},
        {"IstS\xFC" "den", {tkKey2}},
        {"ISTS\xDC" "DEN", {tkKey2}},
        {"markel\xF6schen", {tkKey2}},
        {"wenn IstWand dann", {tkKey, tkSpace, tkKey2, tkSpace, tkKey}},
        {"a/b", {tkIdentifier, tkUnknown, tkIdentifier}},
        {"x", {tkSymbol}},
        {"X", {tkSymbol}},
        {"Xmal", {tkSymbol, tkKey}},
        {"3.5", {tkNumber, tkSymbol, tkNumber}},
        {"-12", {tkUnknown, tkNumber}},
        {"_mal", {tkIdentifier}},
        {"Text", {tkIdentifier}},
        {"a:b\\c", {tkIdentifier, tkIdentifier, tkIdentifier, tkIdentifier, tkIdentifier}},
        {"*wiederhole;", {tkSymbol, tkKey, tkSymbol}},
        {"Stra\xDF" "e", {tkIdentifier, tkUnknown, tkIdentifier}},  // ß is no word character
        {"\xE9t\xE9", {tkUnknown, tkIdentifier, tkUnknown}},
        {"Langsam Schnell Warten Ton Beenden", {tkKey, tkSpace, tkKey, tkSpace, tkKey, tkSpace,
                                                tkKey2, tkSpace, tkKey2}},
        {"HatZiegel nichtistziegel", {tkKey2, tkSpace, tkKey2}},
        {"\t  \x01", {tkSpace}},
        {"a\r\nb", {tkIdentifier, tkSpace, tkIdentifier}},
        {"a\rb\n", {tkIdentifier, tkSpace, tkIdentifier, tkSpace}},
        {"}", {tkUnknown}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Kinds(c.text), c.kinds) << "text: " << c.text;
}

TEST(HighlighterScanner, TokenTextsCoverTheLine)
{
    const Tokens expected = {{tkKey, "wiederhole"}, {tkSpace, " "}, {tkNumber, "12"},
                             {tkSpace, " "},        {tkKey, "MAL"},  {tkSpace, "  "},
                             {tkComment, "// Kreis { drehen"}};
    EXPECT_EQ(Scan("wiederhole 12 MAL  // Kreis { drehen"), expected);
}

TEST(HighlighterScanner, TokenPositionsAreOffsetsIntoTheLine)
{
    TSynTumboSyn scanner;
    std::vector<int> positions;
    for (scanner.SetLine("wenn  IstWand", 7); !scanner.GetEol(); scanner.Next())
        positions.push_back(scanner.GetTokenPos());
    EXPECT_EQ(positions, (std::vector<int>{0, 4, 6}));
    EXPECT_EQ(scanner.GetLineNumber(), 7);
    EXPECT_EQ(scanner.GetTokenPos(), 13);  // the end-of-line token stands behind the text
    EXPECT_TRUE(scanner.GetToken().empty());
}

TEST(HighlighterScanner, StringsWithDoubledAndMissingQuotes)
{
    EXPECT_EQ(Scan("\"ab\"\"cd\" x"),
              (Tokens{{tkString, "\"ab\"\"cd\""}, {tkSpace, " "}, {tkSymbol, "x"}}));
    EXPECT_EQ(Scan("\"offen bis zum Ende"), (Tokens{{tkString, "\"offen bis zum Ende"}}));
    EXPECT_EQ(Scan("\"a\r\nb"), (Tokens{{tkString, "\"a"}, {tkSpace, "\r\n"}, {tkIdentifier, "b"}}));
    EXPECT_EQ(Scan("\"\""), (Tokens{{tkString, "\"\""}}));
}

TEST(HighlighterScanner, LineCommentLeavesTheStateAlone)
{
    int range = kRangeNormal;
    EXPECT_EQ(Scan("//{ kein Blockkommentar", range), (Tokens{{tkComment, "//{ kein Blockkommentar"}}));
    EXPECT_EQ(range, kRangeNormal);
    EXPECT_EQ(Scan("a // b\r\n", range),
              (Tokens{{tkIdentifier, "a"}, {tkSpace, " "}, {tkComment, "// b"}, {tkSpace, "\r\n"}}));
}

TEST(HighlighterScanner, BraceCommentRunsOverLines)
{
    int range = kRangeNormal;
    EXPECT_EQ(Scan("Schritt {Kommentar", range),
              (Tokens{{tkKey2, "Schritt"}, {tkSpace, " "}, {tkComment, "{Kommentar"}}));
    EXPECT_EQ(range, kRangeBraceComment);

    // An empty line and a line of text inside the comment keep the state open.
    EXPECT_EQ(Scan("", range), Tokens{});
    EXPECT_EQ(range, kRangeBraceComment);
    EXPECT_EQ(Scan("wenn { noch\r\n", range), (Tokens{{tkComment, "wenn { noch"}, {tkSpace, "\r\n"}}));
    EXPECT_EQ(range, kRangeBraceComment);

    EXPECT_EQ(Scan("Wort} Schritt", range),
              (Tokens{{tkComment, "Wort}"}, {tkSpace, " "}, {tkKey2, "Schritt"}}));
    EXPECT_EQ(range, kRangeNormal);
}

TEST(HighlighterScanner, BraceCommentClosedOnTheSameLine)
{
    int range = kRangeNormal;
    EXPECT_EQ(Scan("a{b}c{d}", range),
              (Tokens{{tkIdentifier, "a"}, {tkComment, "{b}"}, {tkIdentifier, "c"}, {tkComment, "{d}"}}));
    EXPECT_EQ(range, kRangeNormal);
    EXPECT_EQ(Scan("{{x}}", range), (Tokens{{tkComment, "{{x}"}, {tkUnknown, "}"}}));
    EXPECT_EQ(range, kRangeNormal);
}

TEST(HighlighterScanner, ResetGivesTheNormalState)
{
    TSynTumboSyn scanner;
    scanner.SetLine("{", 0);
    EXPECT_EQ(scanner.GetRange(), kRangeBraceComment);
    scanner.ResetRange();
    EXPECT_EQ(scanner.GetRange(), kRangeNormal);
}

TEST(HighlighterScanner, EmbeddedNulEndsTheLine)
{
    EXPECT_EQ(Scan(std::string("ab\0cd", 5)), (Tokens{{tkIdentifier, "ab"}}));
}

TEST(HighlighterScanner, EveryByteGivesATokenAndTheScanEnds)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    for (int start : {kRangeNormal, kRangeBraceComment}) {
        TSynTumboSyn scanner;
        scanner.SetRange(start);
        std::size_t covered = 0;
        for (scanner.SetLine(all, 0); !scanner.GetEol(); scanner.Next()) {
            ASSERT_EQ(static_cast<std::size_t>(scanner.GetTokenPos()), covered);
            ASSERT_FALSE(scanner.GetToken().empty());
            covered += scanner.GetToken().size();
        }
        EXPECT_EQ(covered, all.size());
    }
}

TEST(HighlighterScanner, WordCharacters)
{
    const std::string word = "azAZ09_\xC4\xD6\xDC\xE4\xF6\xFC";
    for (char c : word)
        EXPECT_TRUE(IsWordChar(c)) << int(static_cast<unsigned char>(c));
    for (char c : std::string(" .*(\xDF\xE9-\\:"))
        EXPECT_FALSE(IsWordChar(c)) << int(static_cast<unsigned char>(c));
}

TEST(HighlighterAttributesTable, OrderNamesAndDefaults)
{
    const auto &attributes = HighlighterAttributes();
    const std::vector<std::string_view> names = {
        "Comment", "Identifier", "Reserved word", "Second reserved word", "Number",
        "Space", "String", "Symbol", "Unknown word"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(attributes[i].displayName, names[i]);

    const THighlighterAttribute *comment = AttributeForKind(tkComment);
    ASSERT_NE(comment, nullptr);
    EXPECT_TRUE(comment->systemGrayText);
    EXPECT_TRUE(comment->italic);
    EXPECT_EQ(AttributeForKind(tkIdentifier)->foreground, 0x008000u);
    EXPECT_TRUE(AttributeForKind(tkKey)->bold);
    EXPECT_EQ(AttributeForKind(tkKey2)->foreground, 0xFF0000u);  // blue, red in the lowest byte
    EXPECT_EQ(AttributeForKind(tkNumber)->foreground, 0x0000FFu);
    EXPECT_EQ(AttributeForKind(tkString)->foreground, 0x000080u);
    EXPECT_EQ(AttributeForKind(tkUnknown)->foreground, 0xFF00FFu);
    EXPECT_EQ(AttributeForKind(tkNull), nullptr);
    EXPECT_EQ(AttributeForKind(tkKey2)->settingsKey, "ColorKeyWord2");
    EXPECT_TRUE(AttributeForKind(tkSymbol)->settingsKey.empty());

    EXPECT_EQ(DefaultAttribute(0), comment);
    EXPECT_EQ(DefaultAttribute(3), AttributeForKind(tkString));
    EXPECT_EQ(DefaultAttribute(4), AttributeForKind(tkSpace));
    EXPECT_EQ(DefaultAttribute(5), nullptr);
    EXPECT_EQ(DefaultAttribute(-1), nullptr);
}
