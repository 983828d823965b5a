#include <gtest/gtest.h>

#include <string>

#include "language/vocabulary.h"
#include "text/cp1252.h"

namespace {

TEST(Vocabulary, TablesAgreeInBothSpellings) {
  for (int i = 1; i <= kControlWordCount; ++i)
    EXPECT_EQ(tumbo::text::UpperLanguage(ControlWords[i]), ControlWordsUpper[i]) << i;
  for (int i = 1; i <= kInstructionCount; ++i)
    EXPECT_EQ(tumbo::text::UpperLanguage(Instructions[i]), InstructionsUpper[i]) << i;
  for (int i = 1; i <= kConditionCount; ++i)
    EXPECT_EQ(tumbo::text::UpperLanguage(Conditions[i]), ConditionsUpper[i]) << i;
}

TEST(Vocabulary, LookUpsGiveTheIndexes) {
  EXPECT_EQ(FindControlWord("WIEDERHOLE"), cwWiederhole);
  EXPECT_EQ(FindControlWord("EINF\xDCGEN"), cwEinfuegen);
  EXPECT_EQ(FindControlWord("IMMER"), cwImmer);
  EXPECT_EQ(FindControlWord(""), 0) << "the empty entries 17 to 20 match nothing";
  EXPECT_EQ(FindInstruction("SCHRITT"), 1);
  EXPECT_EQ(FindInstruction("MARKEL\xD6SCHEN"), 7);
  EXPECT_EQ(FindInstruction("BEENDEN"), 12);
  EXPECT_EQ(FindInstruction("Schritt"), 0) << "look-ups take upper case";
  EXPECT_EQ(FindCondition("ISTS\xDC" "DEN"), 9);
  EXPECT_EQ(FindCondition("HATZIEGEL"), 15);
  EXPECT_EQ(FindCondition("ISTWAND"), 1);
}

TEST(Vocabulary, CanonicalSpelling) {
  const std::pair<const char*, const char*> cases[] = {
      {"WIEDERHOLE 3 MAL", "wiederhole 3 mal"},
      {"*WENN", "*wenn"},
      {"schritt(x)", "Schritt(X)"},
      {"markel\xF6schen", "MarkeL\xF6schen"},
      {"ANWEISUNG", "Anweisung"},
      {"Schritt;LinksDrehen", "Schritt;LinksDrehen"},
      {"Umdrehen", "Umdrehen"},
      {"  wenn istwand dann LINKSDREHEN *WENN", "  wenn IstWand dann LinksDrehen *wenn"},
      {"// schritt im kommentar", "// Schritt im kommentar"},
      {"hatziegel(x) tumbo.schritt", "HatZiegel(X) tumbo.schritt"},
      {"umdrehen(x)", "umdrehen(X)"},
      {"einf\xFCgen bibliothek", "Einf\xFCgen bibliothek"},
      {"Schritt(x)linksdrehen", "Schritt(X)linksdrehen"},
      {"istsueden ists\xFC" "den", "istsueden IstS\xFC" "den"},
      {"wiederhole\tSCHRITT", "wiederhole\tSCHRITT"},
      {"* (x) *", "* (X) *"},
      {"", ""},
  };
  for (const auto& [before, after] : cases) {
    std::string line = before;
    CanonicalSpelling(line);
    EXPECT_EQ(line, after) << before;
  }
}

}  // namespace
