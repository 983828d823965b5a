#include <gtest/gtest.h>

#include "language/scanner.h"

namespace {

// The working text with each line mark written as <n>.
std::string Readable(const std::string& working) {
  std::string out;
  bool open = false;
  for (char c : working) {
    if (c != kLineMarkChar) {
      out += c;
    } else {
      open = !open;
      out += open ? '<' : '>';
    }
  }
  return out;
}

struct TPreprocessCase {
  const char* Name;
  std::string Text;
  std::string Expected;
};

class PreprocessTest : public testing::TestWithParam<TPreprocessCase> {};

TEST_P(PreprocessTest, GivesTheWorkingText) {
  EXPECT_EQ(Readable(Preprocess(GetParam().Text)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scanner, PreprocessTest,
    testing::Values(
        TPreprocessCase{"Example", "Programm\r\n\r\n  wiederhole 3 mal   // drei Runden\r\n"
                                   "    Schritt; LinksDrehen\r\n  *wiederhole",
                        "<1> PROGRAMM <3> WIEDERHOLE 3 MAL <4> SCHRITT;LINKSDREHEN <5> *WIEDERHOLE"},
        TPreprocessCase{"Empty", "", ""},
        TPreprocessCase{"OnlyBlanksAndCommentLines",
                        "Schritt\r\n// nur Kommentar\r\n   \r\nLinksDrehen",
                        "<1> SCHRITT <4> LINKSDREHEN"},
        TPreprocessCase{"BlockCommentJoinsItsFirstLine",
                        "Schritt {Kommentar\r\nzwei} LinksDrehen\r\nMarkeSetzen",
                        "<1> SCHRITT LINKSDREHEN <3> MARKESETZEN"},
        TPreprocessCase{"UnclosedBlockCommentRunsToTheEnd", "Schritt {offen\r\nLinksDrehen",
                        "<1> SCHRITT "},
        TPreprocessCase{"LineCommentInLastLine", "Schritt // Ende", "<1> SCHRITT "},
        TPreprocessCase{"LineCommentTouchingAWord", "Schritt//x\r\nLinksDrehen",
                        "<1> SCHRITT<2> LINKSDREHEN"},
        TPreprocessCase{"SemicolonsCollapse", "Schritt;;;LinksDrehen", "<1> SCHRITT;LINKSDREHEN"},
        TPreprocessCase{"BlankBeforeSemicolonStays", "Schritt ; LinksDrehen",
                        "<1> SCHRITT ;LINKSDREHEN"},
        TPreprocessCase{"ShortWords", "a;;b", "<1> A;B"},
        TPreprocessCase{"SemicolonLineStays", "Schritt\r\n;\r\nLinks", "<1> SCHRITT <2> ;<3> LINKS"},
        TPreprocessCase{"TabSeparates", "Schritt\tLinksDrehen", "<1> SCHRITT LINKSDREHEN"},
        TPreprocessCase{"UmlautsUpperCase", "MarkeL\xF6schen markel\xF6schen MARKEL\xD6SCHEN",
                        "<1> MARKEL\xD6SCHEN MARKEL\xD6SCHEN MARKEL\xD6SCHEN"},
        TPreprocessCase{"MinusAndSharpSAreDropped", "Schritt(-2) Gr\xF6\xDF" "e",
                        "<1> SCHRITT(2) GR\xD6" "E"},
        TPreprocessCase{"UserCharacter250IsDropped", "Schr\xFAtt", "<1> SCHRTT"},
        TPreprocessCase{"LineEnds", std::string("a\nb\rc\r\nd\n\re\0f", 13),
                        "<1> A <2> B <3> C <4> D <6> E <7> F"},
        TPreprocessCase{"KeptPunctuation", "Tumbo.Schritt(x) a:b\\c", "<1> TUMBO.SCHRITT(X) A:B\\C"},
        TPreprocessCase{"LineCommentsEndAtEveryLineEnd", std::string("a//x\rb//y\0c//z\r\nd// e", 21),
                        "<1> A<2> B<3> C<4> D"},
        TPreprocessCase{"BlockCommentsCountTheLinesTheySwallow",
                        std::string("a{\r\n\r\n\n\r\0}b\r\nc { x } d\r\n{\r\n}\r\ne", 31),
                        "<1> AB <7> C D <10> E"}),
    [](const testing::TestParamInfo<TPreprocessCase>& info) { return info.param.Name; });

TEST(ScannerWords, ReadWordTakesPrefixAndArgument) {
  std::string s = Preprocess("Schritt (3) Tumbo.LinksDrehen Schritt(1 2)\r\n  Hinlegen\r\n(4)");
  size_t pos = 0;
  TWord w = ReadWord(s, pos);
  EXPECT_EQ(w.Text, "SCHRITT");
  EXPECT_EQ(w.ArgumentText, "3");
  EXPECT_EQ(s[pos], ')');
  w = ReadWord(s, ++pos);
  EXPECT_EQ(w.Text, "LINKSDREHEN");
  EXPECT_EQ(w.ObjectPrefix, "TUMBO");
  EXPECT_EQ(w.ArgumentText, "");
  w = ReadWord(s, pos);
  EXPECT_EQ(w.Text, "SCHRITT");
  EXPECT_EQ(w.ArgumentText, "1 2");
  w = ReadWord(s, ++pos);
  EXPECT_EQ(w.Text, "HINLEGEN");
  EXPECT_EQ(w.ArgumentText, "4") << "the argument may stand on the next line";
}

TEST(ScannerWords, UnclosedArgumentRunsToTheEnd) {
  const std::string s = Preprocess("Schritt(3");
  size_t pos = 0;
  const TWord w = ReadWord(s, pos);
  EXPECT_EQ(w.ArgumentText, "3");
  EXPECT_EQ(pos, s.size());
}

TEST(ScannerWords, ReadLineMark) {
  std::string s = Preprocess("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nSchritt");
  size_t pos = 0;
  EXPECT_EQ(ReadLineMark(s, pos), 12);
  EXPECT_EQ(s[pos], ' ');
  EXPECT_EQ(ReadLineMark(s, pos), 0) << "no mark here";
  EXPECT_EQ(s[pos], ' ');
}

struct TIntegerCase {
  const char* Text;
  bool IsInteger;
  int32_t Value;
};

TEST(ScannerWords, IsIntegerText) {
  const TIntegerCase cases[] = {
      {"3", true, 3},           {"X10", true, 16},         {"0X1F", true, 31},
      {"X", false, 0},          {"", false, 0},            {" 5", true, 5},
      {"5 ", false, 0},         {"2147483647", true, 2147483647},
      {"2147483648", false, 0}, {"0XFFFFFFFF", false, 0},  {"12A", false, 0},
      {"-7", true, -7},         {"0X", false, 0},          {"1 2", false, 0},
  };
  for (const TIntegerCase& c : cases) {
    int32_t value = 0;
    EXPECT_EQ(IsIntegerText(c.Text, &value), c.IsInteger) << c.Text;
    if (c.IsInteger) {
      EXPECT_EQ(value, c.Value) << c.Text;
    }
  }
}

}  // namespace
