#include <gtest/gtest.h>

#include "editor/format_utf8.h"
#include "editor/formatter.h"

namespace {

struct TFormatCase {
  const char* Name;
  std::vector<std::string> Lines;
  int Tab;
  bool Token;
  std::vector<std::string> Expected;
  bool Changed;
};

class Formatter : public testing::TestWithParam<TFormatCase> {};

TEST_P(Formatter, IndentsLineByLine) {
  const TFormatCase& c = GetParam();
  const TFormatResult r = FormatLines(c.Lines, c.Tab, c.Token);
  EXPECT_EQ(r.Lines, c.Expected);
  EXPECT_EQ(r.Changed, c.Changed);
}

INSTANTIATE_TEST_SUITE_P(
    EditorFormatter, Formatter,
    testing::Values(
        TFormatCase{"CountedLoop", {"   wiederhole 3 mal", "Schritt", "      *wiederhole"}, 2, false,
                    {"wiederhole 3 mal", "  Schritt", "*wiederhole"}, true},
        TFormatCase{"IfElse", {"wenn IstWand dann", "LinksDrehen", "sonst", "Schritt", "*wenn"}, 2,
                    false, {"wenn IstWand dann", "  LinksDrehen", "sonst", "  Schritt", "*wenn"}, true},
        TFormatCase{"LoopOnOneLine", {"wiederhole 3 mal Schritt *wiederhole", "Schritt"}, 2, false,
                    {"wiederhole 3 mal Schritt *wiederhole", "Schritt"}, true},
        TFormatCase{"SonstWithEndOnItsLineKeepsTheLevelRaised",
                    {"wenn IstWand dann", "Schritt", "sonst *wenn", "Schritt"}, 2, false,
                    {"wenn IstWand dann", "  Schritt", "sonst *wenn", "  Schritt"}, true},
        TFormatCase{"SurplusEndWordsMakeTheLevelNegative",
                    {"*wenn", "*wiederhole", "wenn a dann", "Schritt", "wenn b dann", "Schritt",
                     "wenn c dann", "Schritt"},
                    2, false,
                    {"*wenn", "*wiederhole", "wenn a dann", "Schritt", "wenn b dann", "Schritt",
                     "wenn c dann", "  Schritt"},
                    true},
        TFormatCase{"BlockCommentKeepsItsLines",
                    {"Programm", "   { Kommentar", "      zweite Zeile", "    dritte", "  } Schritt",
                     "Schritt", "*Programm"},
                    2, false,
                    {"Programm", "  { Kommentar", "      zweite Zeile", "    dritte", "  } Schritt",
                     "  Schritt", "*Programm"},
                    true},
        TFormatCase{"BlankLinesBecomeEmpty", {"   ", ""}, 2, false, {"", ""}, false},
        TFormatCase{"DefinitionBody",
                    {"Anweisung Umdrehen", "LinksDrehen", "LinksDrehen", "*Anweisung"}, 3, false,
                    {"Anweisung Umdrehen", "   LinksDrehen", "   LinksDrehen", "*Anweisung"}, true},
        TFormatCase{"CanonicalSpelling", {"WIEDERHOLE 3 MAL", "schritt(x)", "*WIEDERHOLE"}, 2, true,
                    {"wiederhole 3 mal", "  Schritt(X)", "*wiederhole"}, true},
        TFormatCase{"TabsAreNotBlanks", {"wenn a dann", "\tSchritt", "*wenn"}, 2, false,
                    {"wenn a dann", "  \tSchritt", "*wenn"}, true},
        TFormatCase{"FirstWordInAnyCase", {"WiEdErHoLe 2 mal", "Schritt", "*WIEDERHOLE"}, 4, false,
                    {"WiEdErHoLe 2 mal", "    Schritt", "*WIEDERHOLE"}, true}),
    [](const testing::TestParamInfo<TFormatCase>& info) { return info.param.Name; });

// Characters that Windows-1252 cannot hold (an arrow, an emoji, a byte the code page leaves
// undefined) come back unchanged, also when the line holds the first placeholder already.
TEST(FormatterUtf8, KeepsCharactersOutsideWindows1252) {
  const std::vector<std::string> lines = {
      "wenn IstWand dann // \xE2\x86\x92 Wand",
      "markel\xC3\xB6schen // \xF0\x9F\x98\x80 \xC2\x81",
      "*wenn"};
  const TFormatResult r = FormatUtf8Lines(lines, 2, true);
  EXPECT_EQ(r.Lines, (std::vector<std::string>{"wenn IstWand dann // \xE2\x86\x92 Wand",
                                               "  MarkeL\xC3\xB6schen // \xF0\x9F\x98\x80 \xC2\x81",
                                               "*wenn"}));
  EXPECT_TRUE(r.Changed);
}

// Past 1000 levels the lines stand no further right, and the levels still count: a loop on one
// line leaves the level as it is, and the end words bring it back.
TEST(FormatterLimits, IndentationStopsGrowingPast1000Levels) {
  std::vector<std::string> lines(1200, "wiederhole 2 mal");
  lines.push_back("wiederhole 3 mal Schritt *wiederhole");
  lines.push_back("Schritt");
  lines.insert(lines.end(), 1200, "*wiederhole");
  lines.push_back("Schritt");
  const TFormatResult r = FormatLines(lines, 2, false);
  ASSERT_EQ(r.Lines.size(), lines.size());
  EXPECT_FALSE(r.TooLarge);
  EXPECT_EQ(r.Lines[999], std::string(1998, ' ') + "wiederhole 2 mal");
  EXPECT_EQ(r.Lines[1000], std::string(2000, ' ') + "wiederhole 2 mal");
  EXPECT_EQ(r.Lines[1199], std::string(2000, ' ') + "wiederhole 2 mal");
  EXPECT_EQ(r.Lines[1201], std::string(2000, ' ') + "Schritt");
  EXPECT_EQ(r.Lines[1202], std::string(2000, ' ') + "*wiederhole");
  EXPECT_EQ(r.Lines[1402], std::string(1998, ' ') + "*wiederhole");
  EXPECT_EQ(r.Lines[2401], "*wiederhole");
  EXPECT_EQ(r.Lines.back(), "Schritt") << "back at level 0";
}

// A text that would grow beyond 16 MB is not formatted at all, in Windows-1252 and in UTF-8.
TEST(FormatterLimits, TextBeyond16MegabytesIsRefused) {
  std::vector<std::string> lines(1000, "wiederhole 2 mal");
  lines.insert(lines.end(), 9000, "Schritt");  // 9000 lines of 2000 blanks: 18 MB
  const TFormatResult r = FormatLines(lines, 2, false);
  EXPECT_TRUE(r.TooLarge);
  EXPECT_TRUE(r.Lines.empty());
  EXPECT_FALSE(r.Changed);
  lines.resize(1000 + 7000);  // 14 MB: formatted
  EXPECT_FALSE(FormatLines(lines, 2, false).TooLarge);
  // An umlaut takes one byte in Windows-1252 and two in UTF-8: 7300 lines of 100 umlauts fit
  // in the one and not in the other.
  lines.resize(1000);
  lines.insert(lines.end(), 7300, std::string(100, '\xF6'));
  EXPECT_FALSE(FormatLines(lines, 2, false).TooLarge);
  std::string utf8Umlauts;
  for (int i = 0; i < 100; ++i) utf8Umlauts += "\xC3\xB6";
  std::fill(lines.begin() + 1000, lines.end(), utf8Umlauts);
  EXPECT_TRUE(FormatUtf8Lines(lines, 2, false).TooLarge);
}

}  // namespace
