// The program trees Compile builds.
#include <gtest/gtest.h>

#include "engine_harness.h"
#include "tree_dump.h"

namespace {

std::string Tree(const std::string& program) {
  TEngineHarness h;
  EXPECT_TRUE(h.Engine.Compile(program, "")) << program << "\n" << h.Joined();
  return h.Engine.Program ? DumpSequence(h.Engine.Program->Body) : "<none>";
}

struct TTreeCase {
  const char* Name;
  std::string Program;
  std::string Expected;
};

class ProgramTree : public testing::TestWithParam<TTreeCase> {};

TEST_P(ProgramTree, IsBuiltAsExpected) {
  EXPECT_EQ(Tree(GetParam().Program), GetParam().Expected) << GetParam().Program;
}

INSTANTIATE_TEST_SUITE_P(
    Parser, ProgramTree,
    testing::Values(
        TTreeCase{"Empty", "", ""},
        TTreeCase{"CountedLoop", "wiederhole 3 mal Schritt *wiederhole",
                  "2:p3@1{101:p1@1 999:c2:p0@1}"},
        TTreeCase{"ProgrammOptionalAndStatementsBeforeIt",
                  Lines({"LinksDrehen", "Programm", "Schritt", "*Programm"}),
                  "102:p1@1 20:p0@2 101:p1@3 999:c1:p0@4"},
        TTreeCase{"TextAfterProgrammEndIsNotParsed", "Programm Schritt *Programm Umdrehen *wenn",
                  "20:p0@1 101:p1@1 999:c1:p0@1"},
        TTreeCase{"StraySonstEndsTheMainSequence", "Schritt sonst Umdrehen", "101:p1@1"},
        TTreeCase{"DigitsAtStatementLevelAreIgnored", "Schritt 3", "101:p1@1"},
        TTreeCase{"ObjectPrefixIsIgnoredBeforeInstructions", "Tumbo.Schritt(2) tumbo.LinksDrehen",
                  "101:p2@1 102:p1@1"},
        TTreeCase{"ArgumentsAndDefaults",
                  "Schritt Hinlegen(4) Aufheben Warten Warten(X10) Langsam Schnell Ton Beenden "
                  "MarkeL\xF6schen(9)",
                  "101:p1@1 104:p4@1 105:p1@1 108:p1000@1 108:p16@1 110:p0@1 111:p0@1 109:p1@1 "
                  "112:p1@1 107:p1@1"},
        TTreeCase{"DannOnTheNextLine", Lines({"wenn IstWand", "dann Schritt *wenn"}),
                  "6:c201:p0'ISTWAND'@1{101:p1@2 999:c6:p0@2}"},
        TTreeCase{"DannAfterAnArgumentIsFound", "wenn IstZiegel(2) dann Schritt *wenn",
                  "6:c203:p2'ISTZIEGEL'@1{101:p1@1 999:c6:p0@1}"},
        TTreeCase{"DannOnTheNextLineAfterAnArgumentKeepsTheWennLine",
                  Lines({"wenn nicht IstZiegel(2)", "dann Schritt *wenn", "LinksDrehen"}),
                  "6:c203:p2!'ISTZIEGEL'@1{101:p1@1 999:c6:p0@1} 102:p1@3"},
        TTreeCase{"IfElse", Lines({"wenn NichtIstWand dann", "Schritt", "sonst", "LinksDrehen",
                                   "*wenn"}),
                  "6:c202:p0'NICHTISTWAND'@1{101:p1@2}else{102:p1@4 999:c6:p0@5}"},
        TTreeCase{"WhileLoop", "solange nicht IstMarke tue Schritt *solange",
                  "4:c205:p0!'ISTMARKE'@1{101:p1@1 999:c4:p0@1}"},
        TTreeCase{"WiederholeSolange", "wiederhole solange IstZiegel(3) Aufheben *wiederhole",
                  "17:c203:p3'ISTZIEGEL'@1{105:p1@1 999:c17:p0@1}"},
        TTreeCase{"WiederholeBis", Lines({"wiederhole", "Schritt", "*wiederhole bis nicht IstWand",
                                          "LinksDrehen"}),
                  "18:c201:p0!'ISTWAND'@1{101:p1@2 999:c18:p0@3} 102:p1@4"},
        TTreeCase{"WiederholeEndSolange",
                  "wiederhole Schritt *wiederhole solange HatZiegel(2) Schritt",
                  "19:c215:p2'HATZIEGEL'@1{101:p1@1 999:c19:p0@1} 101:p1@1"},
        TTreeCase{"NestedRepetitionsTestingAfterEachPass",
                  "wiederhole wiederhole Schritt *wiederhole bis IstWand *wiederhole bis IstWand",
                  "18:c201:p0'ISTWAND'@1{18:c201:p0'ISTWAND'@1{101:p1@1 999:c18:p0@1} "
                  "999:c18:p0@1}"},
        TTreeCase{"WiederholeImmerAndLoneStar", "wiederhole immer Schritt * LinksDrehen",
                  "2:p2147483647@1{101:p1@1 999:c2:p0@1} 102:p1@1"},
        TTreeCase{"WiederholeXMalInMainProgram", "wiederhole x mal Schritt *wiederhole",
                  "2:p-1@1{101:p1@1 999:c2:p0@1}"},
        TTreeCase{"DefinitionWithParameter",
                  Lines({"Anweisung Vor(X)", "Schritt(X)", "*Anweisung", "Vor(3)"}),
                  "9:p-1'VOR'@1{101:p-1@2} 301:p3'VOR'@4"},
        TTreeCase{"WiederholeXMalMakesAParameter",
                  "Anweisung Vor wiederhole x mal Schritt *wiederhole *Anweisung Vor(2)",
                  "9:p-1'VOR'@1{2:p-1@1{101:p1@1 999:c2:p0@1}} 301:p2'VOR'@1"},
        TTreeCase{"OwnConditionAndInstructionShareAName",
                  Lines({"Bedingung Frei wenn IstWand dann falsch sonst wahr *wenn *Bedingung",
                         "Anweisung Frei Schritt *Anweisung",
                         "solange Frei tue Frei *solange"}),
                  "10:p0'FREI'@1{6:c201:p0'ISTWAND'@1{12:p0@1}else{11:p0@1 999:c6:p0@1}} "
                  "9:p0'FREI'@2{101:p1@2} "
                  "4:c302:p0'FREI'@3{301:p0'FREI'@3 999:c4:p0@3}"},
        TTreeCase{"OwnConditionWithArgument",
                  Lines({"Bedingung Hoch(x) wiederhole x mal Schritt *wiederhole wahr *Bedingung",
                         "Anweisung A(x) wenn Hoch(x) dann Schritt *wenn *Anweisung"}),
                  "10:p-1'HOCH'@1{2:p-1@1{101:p1@1 999:c2:p0@1} 11:p0@1} "
                  "9:p-1'A'@2{6:c302:p-1'HOCH'@2{101:p1@2 999:c6:p0@2}}"},
        TTreeCase{"SelfCallWithoutArgument", "Anweisung Weiter Schritt Weiter *Anweisung",
                  "9:p0'WEITER'@1{101:p1@1 301:p0'WEITER'@1}"}),
    [](const testing::TestParamInfo<TTreeCase>& info) { return info.param.Name; });

TEST(ProgramTreeScopes, DefinitionsAndEnclosing) {
  TEngineHarness h;
  ASSERT_TRUE(h.Engine.Compile(Lines({"Anweisung Aussen", "  Anweisung Innen Schritt *Anweisung",
                                      "  wiederhole 2 mal", "    Anweisung InSchleife Schritt *Anweisung",
                                      "  *wiederhole", "  Innen InSchleife", "*Anweisung",
                                      "Bedingung B wahr *Bedingung", "Aussen"}),
                               ""))
      << h.Joined();
  TTumbo_Program_Top* root = h.Engine.Program.get();
  ASSERT_EQ(root->Definitions.size(), 2u);
  TTumbo_Program_Top* aussen = root->Definitions[0];
  EXPECT_EQ(aussen->Name, "AUSSEN");
  EXPECT_EQ(aussen->Enclosing, root);
  EXPECT_EQ(root->Definitions[1]->Kind, kindConditionDef);
  EXPECT_NE(dynamic_cast<TTumbo_Program_Bool*>(root->Definitions[1]), nullptr);
  ASSERT_EQ(aussen->Definitions.size(), 2u) << "a loop opens no scope";
  EXPECT_EQ(aussen->Definitions[0]->Name, "INNEN");
  EXPECT_EQ(aussen->Definitions[1]->Name, "INSCHLEIFE");
  EXPECT_EQ(aussen->Definitions[1]->Enclosing, aussen);
  EXPECT_EQ(root->FindDefinition("INNEN", kindInstructionDef), nullptr);
  EXPECT_EQ(aussen->Definitions[0]->FindDefinition("AUSSEN", kindInstructionDef), aussen);
}

TEST(ProgramTreeScopes, InnerDefinitionIsNotVisibleOutside) {
  TEngineHarness h;
  EXPECT_FALSE(h.Engine.Compile(
      Lines({"Anweisung Aussen Anweisung Innen Schritt *Anweisung *Anweisung", "Innen"}), ""));
  EXPECT_EQ(h.Joined(), "[Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!");
}

TEST(ProgramTreeScopes, FailedCompileStillReplacesTheTree) {
  TEngineHarness h;
  ASSERT_TRUE(h.Engine.Compile("Schritt", ""));
  EXPECT_FALSE(h.Engine.Compile("LinksDrehen Umdrehen", ""));
  ASSERT_NE(h.Engine.Program, nullptr);
  EXPECT_EQ(DumpSequence(h.Engine.Program->Body), "102:p1@1");
  EXPECT_EQ(h.Engine.Program->Kind, kindTop);
  EXPECT_EQ(h.Engine.Program->Line, 1);
}

}  // namespace
