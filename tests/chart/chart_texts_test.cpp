// The texts of loop rows, if heads, statement boxes and titles.
#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_texts.h"
#include "language/program_tree.h"


namespace {

struct LoopCase
{
    int Kind;
    int Param;
    int Condition;
    bool Negated;
    TLoopTexts Expected;
};

std::unique_ptr<TTumbo_Program> MakeNode(int kind, int condition, int param, bool negated, const std::string &name = "")
{
    return std::make_unique<TTumbo_Program>(kind, condition, param, negated, name, 1);
}

} // namespace

TEST(ChartTexts, LoopRows)
{
    const LoopCase cases[] = {
        {kindRepeat, kParamForever, 0, false, {"wiederhole immer", "", ""}},
        {kindRepeat, 3, 0, false, {"wiederhole", "3", "mal"}},
        {kindRepeat, kParamX, 0, false, {"wiederhole", "X", "mal"}},
        {kindRepeat, 0, 0, false, {"wiederhole", "0", "mal"}},
        {kindWhile, 2, condIstZiegel, true, {"solange", "nicht IstZiegel(2)", ""}},
        {kindWhile, 0, condIstZiegel, false, {"solange", "IstZiegel", ""}},
        {kindWhile, 2, condHatZiegel, false, {"solange", "HatZiegel", ""}},
        {kindRepeatWhile, 2, condHatZiegel, false, {"wdh. solange", "HatZiegel", ""}},
        {kindRepeatWhile, 4, condNichtIstZiegel, false, {"wdh. solange", "NichtIstZiegel(4)", ""}},
        {kindRepeatUntil, 2, condHatZiegel, false, {"wdh. bis", "HatZiegel(2)", ""}},
        {kindRepeatWhileAfter, 2, condHatZiegel, true, {"wdh. solange", "nicht HatZiegel(2)", ""}},
        {kindRepeatUntil, 5, condIstWand, false, {"wdh. bis", "IstWand", ""}},
        {kindRepeatUntil, 0, condIstSueden, false, {"wdh. bis", "IstS\xFC" "den", ""}},
        {kindIf, 2, condIstWand, false, {}},
    };
    for (const LoopCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind << " param " << c.Param << " condition " << c.Condition);
        EXPECT_EQ(LoopTexts(*MakeNode(c.Kind, c.Condition, c.Param, c.Negated)), c.Expected);
    }
}

TEST(ChartTexts, ConditionsOfIfHeadsAndOwnConditions)
{
    EXPECT_EQ(ConditionText(*MakeNode(kindIf, condHatZiegel, 2, false), false), "HatZiegel");
    EXPECT_EQ(ConditionText(*MakeNode(kindIf, condIstZiegel, 3, false), false), "IstZiegel(3)");
    EXPECT_EQ(ConditionText(*MakeNode(kindIf, condIstMarke, 3, true), false), "nicht IstMarke");
    EXPECT_EQ(ConditionText(*MakeNode(kindIf, condOwn, 4, true, "VORNFREI"), false), "nicht VORNFREI");
    EXPECT_EQ(ConditionText(*MakeNode(kindRepeatUntil, condOwn, 4, false, "VORNFREI"), true), "VORNFREI");
    EXPECT_EQ(ConditionText(*MakeNode(kindIf, 0, 0, false), false), "");
}

TEST(ChartTexts, StatementBoxes)
{
    struct Case
    {
        int Kind;
        int Param;
        std::string Expected;
        bool Bold;
    };
    const Case cases[] = {
        {kindSchritt, 1, "Schritt", false},
        {kindSchritt, 3, "Schritt(3)", false},
        {kindSchritt, kParamX, "Schritt", false},
        {kindHinlegen, 2, "Hinlegen(2)", false},
        {kindAufheben, 7, "Aufheben(7)", false},
        {kindWarten, 1000, "Warten(1000)", false},
        {kindLinksDrehen, 1, "LinksDrehen", false},
        {kindMarkeLoeschen, 1, "MarkeL\xF6schen", false},
        {kindLangsam, 5, "Langsam", false},
        {kindBeenden, 1, "Beenden", false},
        {kindTrue, 0, "wahr", true},
        {kindFalse, 0, "falsch", true},
        {150, 0, "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Kind);
        const TStatementText text = StatementText(*MakeNode(c.Kind, 0, c.Param, false));
        EXPECT_EQ(text.Text, c.Expected);
        EXPECT_EQ(text.Bold, c.Bold);
    }
    EXPECT_EQ(StatementText(*MakeNode(kindCall, 0, 5, false, "UMDREHEN")).Text, "UMDREHEN");
}

TEST(ChartTexts, SubChartTitles)
{
    EXPECT_EQ(SubChartTitle(*MakeNode(kindTop, 0, 0, false)), "Hauptprogramm");
    EXPECT_EQ(SubChartTitle(*MakeNode(kindInstructionDef, 0, 0, false, "UMDREHEN")), "Anw.: UMDREHEN");
    EXPECT_EQ(SubChartTitle(*MakeNode(kindConditionDef, 0, 0, false, "VORNFREI")), "Bed.: VORNFREI");
}
