// Geometry of the structure chart: every box position follows from the nesting alone.
#include <gtest/gtest.h>

#include <ostream>

#include "chart/chart_layout.h"
#include "tree_builder.h"

using namespace chart_test;

namespace {

using K = TChartItemKind;

// A drawing step reduced to what the geometry decides.
struct Box
{
    K Kind;
    int X1, Y1, X2, Y2;
    int Split = 0;
    bool operator==(const Box &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Box &b)
{
    return out << "{kind " << static_cast<int>(b.Kind) << ", (" << b.X1 << ", " << b.Y1 << ")-(" << b.X2 << ", "
               << b.Y2 << "), split " << b.Split << "}";
}

std::vector<Box> Boxes(const TChartLayout &layout)
{
    std::vector<Box> boxes;
    for (const TChartItem &item : layout.Items)
        boxes.push_back({item.Kind, item.X1, item.Y1, item.X2, item.Y2, item.Split});
    return boxes;
}

Node Schritt()
{
    return Statement(kindSchritt);
}

} // namespace

TEST(ChartLayout, OneInstructionGivesTitleBoxExtentAndEstimate)
{
    auto root = Root({Schritt()});
    const TChartLayout layout = LayoutChart(root.get());
    ASSERT_EQ(layout.Items.size(), 2u);
    EXPECT_EQ(layout.Items[0].Texts[0], "Hauptprogramm");
    EXPECT_EQ(Boxes(layout), (std::vector<Box>{{K::Title, 0, 5, 0, 0}, {K::StatementBox, 5, 41, 115, 59}}));
    EXPECT_EQ(layout.Extent.Right, 125);
    EXPECT_EQ(layout.Extent.Bottom, 79);

    const TChartSize size = EstimateChartSize(root.get());
    EXPECT_EQ(size.Width, 200); // 110 + 80 = 190 is raised to 200
    EXPECT_EQ(size.Height, 110); // 4 rows + 1 row = 90, plus 20
}

TEST(ChartLayout, EmptyProgramHasOnlyItsTitleAndTheLeastSize)
{
    auto root = Root({});
    const TChartLayout layout = LayoutChart(root.get());
    EXPECT_EQ(Boxes(layout), (std::vector<Box>{{K::Title, 0, 5, 0, 0}}));
    EXPECT_EQ(layout.Extent, (TChartRect{5, 5, 10, 61}));
    const TChartSize size = EstimateChartSize(root.get());
    EXPECT_EQ(size.Width, 200);
    EXPECT_EQ(size.Height, 92);
}

TEST(ChartLayout, NoTreeDrawsNothing)
{
    const TChartLayout layout = LayoutChart(nullptr);
    EXPECT_TRUE(layout.Items.empty());
    EXPECT_EQ(layout.Extent, TChartRect());
}

TEST(ChartLayout, EmptyLoopBodiesAreOneRowHigh)
{
    // The foot-row loop keeps its text in that single row as well.
    for (int kind : {kindRepeat, kindWhile, kindRepeatWhile, kindRepeatUntil, kindRepeatWhileAfter}) {
        SCOPED_TRACE(kind);
        auto root = Root({CondLoop(kind, condIstWand, 3, false), Schritt()});
        const K frame = kind == kindRepeatUntil || kind == kindRepeatWhileAfter ? K::FootBox : K::HeadBox;
        EXPECT_EQ(Boxes(LayoutChart(root.get())),
                  (std::vector<Box>{{K::Title, 0, 5, 0, 0}, {frame, 5, 41, 155, 59}, {K::StatementBox, 5, 59, 155, 77}}));
    }
}

TEST(ChartLayout, LoopBodyIsIndentedAndDrawnBeforeTheFrame)
{
    auto root = Root({Loop(kindRepeat, 2, {Schritt(), Schritt()}),
                      CondLoop(kindRepeatUntil, condIstWand, 0, false, {Schritt()})});
    EXPECT_EQ(Boxes(LayoutChart(root.get())), (std::vector<Box>{
                                                   {K::Title, 0, 5, 0, 0},
                                                   {K::StatementBox, 45, 59, 155, 77},
                                                   {K::StatementBox, 45, 77, 155, 95},
                                                   {K::HeadBox, 5, 41, 155, 95},
                                                   {K::StatementBox, 45, 95, 155, 113},
                                                   {K::FootBox, 5, 95, 155, 131},
                                               }));
}

TEST(ChartLayout, IfWithoutElseKeepsAnEmptyElseColumnOfTheIndentWidth)
{
    auto root = Root({If(condIstWand, {Schritt()})});
    const TChartLayout layout = LayoutChart(root.get());
    EXPECT_EQ(Boxes(layout), (std::vector<Box>{
                                 {K::Title, 0, 5, 0, 0},
                                 {K::StatementBox, 5, 77, 115, 95},
                                 {K::IfHead, 5, 41, 155, 95, 115},
                             }));
    EXPECT_EQ(layout.Extent.Right, 165);
    EXPECT_EQ(layout.Extent.Bottom, 115);
    const TChartSize size = EstimateChartSize(root.get());
    EXPECT_EQ(size.Width, 230);  // if 110, else column at least 40 -> 150, plus 80
    EXPECT_EQ(size.Height, 146); // 4 rows title, 2 rows head, 1 row then branch: 126, plus 20
}

TEST(ChartLayout, EmptyThenBranchPutsTheApexOnTheLeftBorder)
{
    auto root = Root({If(condIstWand, {}, {Schritt()})});
    EXPECT_EQ(Boxes(LayoutChart(root.get())), (std::vector<Box>{
                                                   {K::Title, 0, 5, 0, 0},
                                                   {K::StatementBox, 5, 77, 225, 95},
                                                   {K::IfHead, 5, 41, 225, 95, 5},
                                               }));
}

TEST(ChartLayout, LoopInElseColumnStretchesToTheThenColumnsBottom)
{
    auto root = Root({If(condIstWand, {Schritt(), Schritt(), Schritt()}, {Loop(kindRepeat, 2, {Schritt()})}),
                      Schritt()});
    const TChartLayout layout = LayoutChart(root.get());
    EXPECT_EQ(Boxes(layout), (std::vector<Box>{
                                 {K::Title, 0, 5, 0, 0},
                                 {K::StatementBox, 5, 77, 115, 95},
                                 {K::StatementBox, 5, 95, 115, 113},
                                 {K::StatementBox, 5, 113, 115, 131},
                                 {K::StatementBox, 155, 95, 265, 113},
                                 {K::HeadBox, 115, 77, 265, 131},
                                 {K::IfHead, 5, 41, 265, 131, 115},
                                 {K::StatementBox, 5, 131, 265, 149},
                             }));
    EXPECT_EQ(layout.Extent, (TChartRect{5, 5, 275, 169}));
}

TEST(ChartLayout, ElseColumnOfTheEstimateStartsAtTheRunningMaximum)
{
    // A nested if in the then branch pushes the running maximum before the else column starts.
    auto root = Root({If(condIstWand, {If(condIstMarke, {Schritt()}, {Schritt()})}, {Schritt()})});
    int width = 0;
    EstimateWidth(root->Body, 5, width, false);
    // inner if: 115, its else from 115 -> 225, so 225; outer else from 225 -> 335.
    EXPECT_EQ(width, 335);
    int height = 0;
    EstimateHeight(root->Body, 0, height);
    // outer head 36; inner head 72; inner then 90, inner else from 108 -> 126; outer else from 72 -> 90.
    EXPECT_EQ(height, 126);
}

TEST(ChartLayout, OtherKindsTakeNoRoom)
{
    auto root = Root({Statement(kindProgramm, 0), Schritt(), Statement(kindEnd, 0)});
    EXPECT_EQ(Boxes(LayoutChart(root.get())),
              (std::vector<Box>{{K::Title, 0, 5, 0, 0}, {K::StatementBox, 5, 41, 115, 59}}));
}

TEST(ChartLayout, DefinitionsFollowDepthFirstAndTakeNoRoomInTheirSequence)
{
    TTumbo_Program_Top *inner = Definition(kindInstructionDef, "A1", {Schritt()});
    TTumbo_Program_Top *a = Definition(kindInstructionDef, "A", {inner, Schritt()});
    a->Definitions.push_back(inner);
    TTumbo_Program_Top *b = Definition(kindConditionDef, "B", {Statement(kindTrue, 0)});
    auto root = Root({a, b, Schritt()});
    root->Definitions = {a, b};

    const TChartLayout layout = LayoutChart(root.get());
    EXPECT_EQ(Boxes(layout), (std::vector<Box>{
                                 {K::Title, 0, 5, 0, 0},
                                 {K::StatementBox, 5, 41, 115, 59},
                                 {K::Title, 0, 79, 0, 0},
                                 {K::StatementBox, 5, 115, 115, 133},
                                 {K::Title, 0, 153, 0, 0},
                                 {K::StatementBox, 5, 189, 115, 207},
                                 {K::Title, 0, 227, 0, 0},
                                 {K::StatementBox, 5, 263, 115, 281},
                             }));
    EXPECT_EQ(layout.Items[2].Texts[0], "Anw.: A");
    EXPECT_EQ(layout.Items[4].Texts[0], "Anw.: A1");
    EXPECT_EQ(layout.Items[6].Texts[0], "Bed.: B");
    EXPECT_TRUE(layout.Items[7].Bold);
    EXPECT_EQ(layout.Extent.Bottom, 301);

    // The estimate stacks every definition where it stands, each with its 4-row title.
    const TChartSize size = EstimateChartSize(root.get());
    // root 72; A 144; A1 216, its body 234; A's Schritt 252; B 324, wahr 342; root's Schritt 360.
    EXPECT_EQ(size.Height, 380);
}

TEST(ChartLayout, LongBoxTextKeepsTheBoxWidth)
{
    auto root = Root({Call(std::string(200, 'L'))});
    const TChartLayout layout = LayoutChart(root.get());
    EXPECT_EQ(Boxes(layout).back(), (Box{K::StatementBox, 5, 41, 115, 59}));
}

TEST(ChartLayout, DeepNestingAndLongChainsNeedNoCallStack)
{
    // Far deeper than the parser allows: the walks keep their own stack.
    constexpr int kDepth = 100000;
    auto root = Root({});
    TTumbo_Program *innermost = Schritt();
    TTumbo_Program *chain = innermost;
    for (int i = 0; i < kDepth; ++i)
        chain = Loop(kindRepeat, 2, {chain});
    root->Body = chain;
    const TChartLayout deep = LayoutChart(root.get());
    ASSERT_EQ(deep.Items.size(), static_cast<size_t>(kDepth) + 2);
    const TChartItem &statement = deep.Items[1];
    EXPECT_EQ(statement.X1, 5 + kDepth * 40);
    EXPECT_EQ(statement.X2, 5 + kDepth * 40 + 110);
    EXPECT_EQ(statement.Y1, 41 + kDepth * 18);
    EXPECT_EQ(deep.Items.back().Y2, 41 + (kDepth + 1) * 18);

    constexpr int kLength = 200000;
    auto longRoot = Root({});
    TTumbo_Program *first = nullptr;
    for (int i = 0; i < kLength; ++i) {
        TTumbo_Program *node = Schritt();
        node->Next = first;
        first = node;
    }
    longRoot->Body = first;
    const TChartLayout longLayout = LayoutChart(longRoot.get());
    EXPECT_EQ(longLayout.Items.back().Y1, 41 + (kLength - 1) * 18);
    EXPECT_EQ(EstimateChartSize(longRoot.get()).Height, 72 + kLength * 18 + 20);
}
