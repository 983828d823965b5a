// Every compiler message with its line, as OnError reports it.
#include <gtest/gtest.h>

#include <string>

#include "engine_harness.h"
#include "language/messages.h"

namespace {

// The messages of a compilation as "number@line", separated by blanks.
std::string CompileMessages(const std::string& program) {
  TEngineHarness h;
  std::string out;
  h.Engine.OnError = [&out](int number, int line, const std::string&) {
    if (!out.empty()) out += ' ';
    out += std::to_string(number) + "@" + std::to_string(line);
  };
  const bool ok = h.Engine.Compile(program, "");
  EXPECT_EQ(ok, out.empty()) << program;
  return out;
}

struct TMessageCase {
  const char* Name;
  std::string Program;
  std::string Expected;
};

class CompilerMessages : public testing::TestWithParam<TMessageCase> {};

TEST_P(CompilerMessages, AreReportedWithTheirLines) {
  EXPECT_EQ(CompileMessages(GetParam().Program), GetParam().Expected) << GetParam().Program;
}

INSTANTIATE_TEST_SUITE_P(
    Parser, CompilerMessages,
    testing::Values(
        TMessageCase{"M1_WennUnknownCondition", "wenn Umdrehen dann Schritt *wenn", "1@1"},
        TMessageCase{"M2_WennWithoutDann", "Programm\r\nwenn IstWand Schritt *wenn", "2@2"},
        TMessageCase{"M3_NoFormOfRepetition", "wiederhole Schritt", "3@1"},
        TMessageCase{"M4_CountWithoutMal", "wiederhole 3 Schritt *wiederhole", "4@1"},
        TMessageCase{"M5_SolangeWithoutTue", "solange IstWand Schritt *solange", "5@1"},
        TMessageCase{"M6_SolangeUnknownCondition", "solange Irgendwas tue Schritt *solange", "6@1"},
        TMessageCase{"M7_WrongEndWordOnly",
                     Lines({"Programm", "wiederhole 3 mal", "Schritt", "*solange", "*Programm"}),
                     "7@4"},
        TMessageCase{"M7_EndWordAtMainLevel", "Schritt *wenn", "7@1"},
        TMessageCase{"M8_StarWordInLibraryBlock", Lines({"Einf\xFCgen", "*falsch", "*Einf\xFCgen"}),
                     "8@0"},
        TMessageCase{"M9_MissingLibrary", "Einf\xFCgen gibtsnicht *Einf\xFCgen", "9@0"},
        TMessageCase{"M10_UnknownWord", "Programm\r\nUmdrehen", "10@2"},
        TMessageCase{"M10_CallAboveDefinition",
                     Lines({"Vor", "Anweisung Vor Schritt *Anweisung"}), "10@1"},
        TMessageCase{"M13_ArgumentNotInteger", "Hinlegen(abc)", "13@1"},
        TMessageCase{"M13_OwnCallArgumentNotInteger",
                     Lines({"Anweisung Vor(x) Schritt(x) *Anweisung", "Vor(a)"}), "13@2"},
        TMessageCase{"M14_WartenNotInteger", "Warten(abc)", "14@1"},
        TMessageCase{"M15_WiederholeSolangeUnknown",
                     "wiederhole solange Umdrehen Schritt *wiederhole", "15@1"},
        TMessageCase{"M17_BisUnknown", "wiederhole Schritt *wiederhole bis Umdrehen", "17@1"},
        TMessageCase{"M18_EndSolangeUnknown", "wiederhole Schritt *wiederhole solange Umdrehen",
                     "18@1"},
        TMessageCase{"M19_MalWithoutCount", "wiederhole mal Schritt *wiederhole", "19@1"},
        TMessageCase{"M20_NeitherBisNorSolange", "wiederhole Schritt *wiederhole", "20@1"},
        TMessageCase{"M20_CountTooLarge", "wiederhole 99999999999 mal Schritt *wiederhole", "20@1"},
        TMessageCase{"M20_NestedEndConditionScan",
                     Lines({"wiederhole", "wiederhole 2 mal Schritt *wiederhole",
                            "*wiederhole bis IstWand"}),
                     "20@1"},
        TMessageCase{"M21_ProgrammInsideDefinition",
                     Lines({"Anweisung A", "Programm", "*Anweisung"}), "21@2 22@2"},
        TMessageCase{"M21_ProgrammInsideLoop", "wiederhole 2 mal Programm *wiederhole",
                     "21@1 24@1"},
        TMessageCase{"M22_AnweisungEnd", "Anweisung A Schritt", "22@1"},
        TMessageCase{"M23_BedingungEnd", "Bedingung B wahr", "23@1"},
        TMessageCase{"M24_RepetitionEnd", "wiederhole 3 mal\r\nSchritt", "24@2"},
        TMessageCase{"M24_AddedOnTheWayOut", Lines({"wiederhole 3 mal", "Umdrehen", "*wiederhole"}),
                     "10@2 24@2"},
        TMessageCase{"M24_EveryOpenBlockAddsItsEnd",
                     Lines({"Anweisung A", "solange IstWand tue", "wenn IstWand dann",
                            "wiederhole immer", "Hinlegen(q)"}),
                     "13@5 24@5 25@5 27@5 22@5"},
        TMessageCase{"M25_ThenBranchEnd", "wenn IstWand dann Schritt", "25@1"},
        TMessageCase{"M26_ElseBranchEnd", "wenn IstWand dann Schritt sonst LinksDrehen", "26@1"},
        TMessageCase{"M27_SolangeEnd", "solange IstWand tue Schritt", "27@1"},
        TMessageCase{"M28_PrefixBeforeWiederhole", "Tumbo.wiederhole 3 mal Schritt *wiederhole",
                     "28@1"},
        TMessageCase{"M28_PrefixBeforeAnweisung", "tumbo.Anweisung A *Anweisung", "28@1"},
        TMessageCase{"M29_XInMainProgram", "Schritt(X)", "29@1"},
        TMessageCase{"M29_XInLoopInsideDefinition",
                     "Anweisung A wiederhole 2 mal Schritt(x) *wiederhole *Anweisung", "29@1 24@1 22@1"},
        TMessageCase{"M29_OwnConditionWithXOutside",
                     Lines({"Bedingung B(x) Schritt(x) wahr *Bedingung",
                            "wenn B(x) dann Schritt *wenn"}),
                     "29@2 25@2"},
        TMessageCase{"M30_FormalParameterNotX", "Anweisung Vor(Y) Schritt *Anweisung", "30@1 22@1"},
        TMessageCase{"M31_ArgumentRequired",
                     Lines({"Anweisung Vor(X) Schritt(X) *Anweisung", "Vor"}), "31@2"},
        TMessageCase{"M32_ArgumentNotTaken",
                     Lines({"Anweisung Vor Schritt *Anweisung", "Vor(3)"}), "32@2"},
        TMessageCase{"M32_SelfCallBeforeBodyEnds",
                     "Anweisung Vor(X) Schritt(X) Vor(3) *Anweisung", "32@1 22@1"},
        TMessageCase{"M32_OwnConditionArgumentNotTaken",
                     Lines({"Bedingung B wahr *Bedingung", "wenn B(2) dann Schritt *wenn"}),
                     "32@2 25@2"}),
    [](const testing::TestParamInfo<TMessageCase>& info) { return info.param.Name; });

TEST(CompilerMessages, NestingDeeperThan1000IsRefused) {
  std::string deep;
  for (int i = 0; i < 1001; ++i) deep += "wiederhole 1 mal\r\n";
  const std::string messages = CompileMessages(deep);
  EXPECT_EQ(messages.substr(0, 8), "33@1001 ");
  size_t ends = 0;
  for (size_t at = messages.find("24@1001"); at != std::string::npos;
       at = messages.find("24@1001", at + 1))
    ++ends;
  EXPECT_EQ(ends, 1000u) << "each open block adds its missing end on the way out";

  std::string allowed;
  for (int i = 0; i < 1000; ++i) allowed += "wiederhole 1 mal\r\n";
  allowed += "Schritt\r\n";
  for (int i = 0; i < 1000; ++i) allowed += "*wiederhole\r\n";
  EXPECT_EQ(CompileMessages(allowed), "");
}

TEST(CompilerMessages, TextsAndLineFormats) {
  EXPECT_STREQ(CompilerMessageText(16), "");
  EXPECT_STREQ(CompilerMessageText(33),
               "Zu tiefe Verschachtelung: h\xF6" "chstens 1000 Kontrollstrukturen ineinander.");
  EXPECT_STREQ(CompilerMessageText(9),
               "Preprozessor: Falsche Verwendung einer Bibliothek. Die Datei, die bei EINF\xDCGEN "
               "angef\xFChrt ist existiert nicht.");
  EXPECT_EQ(FormatErrorLine(10, 4, "T"), "[Fehlernr 10] (Zeile 4): T");
  EXPECT_EQ(FormatErrorLine(9, 0, "T"), "[Fehlernr 9]: T");
  EXPECT_EQ(FormatRunMessageLine(0, 3, "T"), "[Hinweis] (Zeile 3): T");
  EXPECT_EQ(FormatRunMessageLine(1, -1, "T"), "[Abbruch]: T");
  EXPECT_EQ(DepthLimitText(10000), "Zu tiefe Rekursion: mehr als 10000 verschachtelte Aufrufe.");
}

TEST(CompilerMessages, SilentCompileReportsNothingButFails) {
  TEngineHarness h;
  EXPECT_FALSE(h.Engine.Compile("Umdrehen", "", false));
  EXPECT_TRUE(h.Log.empty());
  EXPECT_TRUE(h.Engine.ErrorFound);
}

}  // namespace
