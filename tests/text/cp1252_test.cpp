#include "text/cp1252.h"

#include <gtest/gtest.h>

using namespace tumbo::text;

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += char(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_TRUE(FitsCp1252(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Cp1252, CharactersMapToTheirUnicodeForms) {
  struct Case {
    std::string cp1252, utf8;
  };
  const Case cases[] = {
      {"\xE4\xF6\xFC\xC4\xD6\xDC\xDF", "äöüÄÖÜß"},
      {"\x80", "€"},
      {"\x84\x93", "„“"},
      {"\x8A\x9A\x9F", "ŠšŸ"},
      {"\x81", "\xC2\x81"},  // undefined in Windows-1252: kept as the C1 control
      {"Schritt(3)", "Schritt(3)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  }
}

TEST(Cp1252, CharactersWithoutAWindows1252FormAreReplaced) {
  EXPECT_EQ(Utf8ToCp1252("a→b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("😀", '#'), "#");
  EXPECT_EQ(Utf8ToCp1252("x\xFFy"), "x?y");      // a stray byte
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");          // cut-off sequence
  EXPECT_FALSE(FitsCp1252("a→b"));
  EXPECT_TRUE(FitsCp1252("Grüße €"));
}

TEST(Cp1252, Utf8Validation) {
  struct Case {
    const char* bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain", true},
      {"\xC3\xA4", true},              // ä
      {"\xF0\x9F\x98\x80", true},      // 4-byte form
      {"\xC3", false},                 // truncated
      {"\xC0\x80", false},             // overlong NUL
      {"\xE0\x80\xAF", false},         // overlong '/'
      {"\xED\xA0\x80", false},         // surrogate
      {"\xF4\x90\x80\x80", false},     // above U+10FFFF
      {"\x80", false},                 // lone continuation byte
      {"\xE4", false},                 // ä in Windows-1252
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Cp1252, LanguageUpperCasingMapsOnlyLettersAndUmlauts) {
  EXPECT_EQ(UpperLanguage(Utf8ToCp1252("MarkeLöschen")), Utf8ToCp1252("MARKELÖSCHEN"));
  EXPECT_EQ(UpperLanguage(Utf8ToCp1252("istsüden äöü")), Utf8ToCp1252("ISTSÜDEN ÄÖÜ"));
  // ß, accented letters, digits and punctuation stay.
  EXPECT_EQ(UpperLanguage(Utf8ToCp1252("ßéà(1)_")), Utf8ToCp1252("ßéà(1)_"));
}

TEST(Cp1252, FullUpperCasingCoversEveryLetter) {
  EXPECT_EQ(UpperCp1252(Utf8ToCp1252("éàçäöüšœžÿ")), Utf8ToCp1252("ÉÀÇÄÖÜŠŒŽŸ"));
  EXPECT_EQ(UpperCp1252(Utf8ToCp1252("ß÷µ")), Utf8ToCp1252("ß÷µ"));
}
