// The completion list's entries and which of them fit the word being typed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/completion_list.h"
#include "text/cp1252.h"

using namespace tumbo::editor;
using tumbo::text::Utf8ToCp1252;

TEST(CompletionList, EntriesInOrder)
{
    std::vector<std::string> expected;
    for (const char *e :
         {"wiederhole  mal", "wiederhole immer", "wiederhole solange", "solange  tue", "wenn  dann", "",
          "Anweisung", "Bedingung", "Einfügen", "", "wahr", "falsch", "nicht", "Beenden", "",
          "Schritt", "LinksDrehen", "RechtsDrehen", "Hinlegen", "Aufheben", "MarkeSetzen",
          "MarkeLöschen", "Warten", "Ton", "Langsam", "Schnell", "",
          "IstWand", "NichtIstWand", "IstZiegel", "NichtIstZiegel", "IstMarke", "NichtIstMarke",
          "IstNorden", "IstOsten", "IstSüden", "IstWesten", "IstVoll", "NichtIstVoll", "IstLeer",
          "NichtIstLeer"})
        expected.push_back(Utf8ToCp1252(e));
    ASSERT_EQ(expected.size(), 41u);
    EXPECT_EQ(CompletionEntries(), expected);
}

TEST(CompletionList, MatchesShrinkToTheTypedBeginning)
{
    EXPECT_EQ(CompletionMatches("WIE"),
              (std::vector<std::string>{"wiederhole  mal", "wiederhole immer", "wiederhole solange"}));
    EXPECT_EQ(CompletionMatches("wiederhole s"), (std::vector<std::string>{"wiederhole solange"}));
    EXPECT_EQ(CompletionMatches("ist").size(), 9u);
    EXPECT_EQ(CompletionMatches(Utf8ToCp1252("markelÖ")),
              (std::vector<std::string>{Utf8ToCp1252("MarkeLöschen")}));
    EXPECT_TRUE(CompletionMatches("HatZ").empty());
    EXPECT_TRUE(CompletionMatches("Schrittweite").empty());
    EXPECT_EQ(CompletionMatches("").size(), 41u);
}
