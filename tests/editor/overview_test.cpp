// The program overview built from the language engine's tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/program_overview.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/welt.h"

using namespace tumbo::editor;
using tumbo::text::Utf8ToCp1252;

namespace {

// A node written as "text/image" with its children, for compact comparisons.
struct Shape {
    std::string text;
    int image;
    std::vector<Shape> children;
    bool operator==(const Shape &) const = default;
};

Shape ShapeOf(const TOverviewNode &node)
{
    Shape shape{node.text, node.image, {}};
    for (const auto &child : node.children)
        shape.children.push_back(ShapeOf(child));
    return shape;
}

void PrintTo(const Shape &shape, std::ostream *os)
{
    *os << '"' << shape.text << "\"/" << shape.image;
    if (!shape.children.empty()) {
        *os << " {";
        for (const auto &child : shape.children) {
            PrintTo(child, os);
            *os << "; ";
        }
        *os << "}";
    }
}

class ProgramOverviewTest : public ::testing::Test {
protected:
    TWelt world;
    TTumbo_HeadlessHost host;
    int errorsReported = 0;
    TTumbo_Parser parser{world, host, [this](int, int, const std::string &) { ++errorsReported; }};

    std::vector<TOverviewNode> Overview(const std::string &programUtf8)
    {
        std::vector<TOverviewNode> nodes;
        EXPECT_TRUE(UpdateOverview(parser, false, Utf8ToCp1252(programUtf8), "", nodes));
        EXPECT_EQ(nodes.size(), 5u);
        return nodes;
    }
    // The top entry "Dieses Programm" with everything under it.
    Shape Program(const std::string &programUtf8) { return ShapeOf(Overview(programUtf8).at(4)); }
    Shape OwnWords(const std::string &programUtf8) { return ShapeOf(Overview(programUtf8).at(3)); }
};

const Shape kSchritt{"Schritt", oiInstruction, {}};
const Shape kLinks{"LinksDrehen", oiInstruction, {}};

}  // namespace

TEST(ProgramOverview, EmptyFormHasFiveTopEntries)
{
    const auto nodes = EmptyOverview();
    ASSERT_EQ(nodes.size(), 5u);
    const std::vector<std::pair<std::string, int>> top = {
        {"Kontrollstrukturen", oiTopEntry}, {"Vordefinierte Anweisungen", oiTopEntry},
        {"Vordefinierte Bedingungen", oiTopEntry}, {"Eigene Anweisungen/Bedingungen", oiOwnWords},
        {"Dieses Programm", oiPlain}};
    for (std::size_t i = 0; i < top.size(); ++i) {
        EXPECT_EQ(nodes[i].text, top[i].first);
        EXPECT_EQ(nodes[i].image, top[i].second);
    }
    EXPECT_TRUE(nodes[3].children.empty());
    EXPECT_TRUE(nodes[4].children.empty());
    ASSERT_EQ(nodes[0].children.size(), 11u);
    EXPECT_EQ(nodes[0].children[4].text, "wiederhole ANW *wiederhole bis BED");
    EXPECT_EQ(nodes[0].children[10].text, Utf8ToCp1252("Einfügen PFAD *Einfügen"));
    ASSERT_EQ(nodes[1].children.size(), 12u);
    EXPECT_EQ(nodes[1].children[6].text, Utf8ToCp1252("MarkeLöschen"));
    ASSERT_EQ(nodes[2].children.size(), 15u);
    EXPECT_EQ(nodes[2].children[14].text, "HatZiegel");
    for (std::size_t i = 0; i < 3; ++i)
        for (const auto &child : nodes[i].children) {
            EXPECT_EQ(child.image, oiPlain);
            EXPECT_TRUE(child.children.empty());
        }
}

TEST_F(ProgramOverviewTest, CountedLoopAndItsStatements)
{
    EXPECT_EQ(Program("wiederhole 3 mal Schritt *wiederhole"),
              (Shape{"Dieses Programm", oiProgram, {{"wiederhole 3 mal", oiPlain, {kSchritt}}}}));
    EXPECT_EQ(Program("wiederhole immer\r\n  Schritt(2)\r\n*wiederhole").children,
              (std::vector<Shape>{{"wiederhole immer", oiPlain, {kSchritt}}}));
    // PROGRAMM and the end words make no nodes.
    EXPECT_EQ(Program("Programm\r\nSchritt\r\n*Programm").children, std::vector<Shape>{kSchritt});
}

TEST_F(ProgramOverviewTest, ConditionTexts)
{
    EXPECT_EQ(Program("wenn nicht IstWand dann Schritt *wenn").children,
              (std::vector<Shape>{{"wenn nicht IstWand dann", oiPlain, {kSchritt}}}));
    EXPECT_EQ(Program("solange istsüden tue LinksDrehen *solange").children,
              (std::vector<Shape>{{Utf8ToCp1252("solange IstSüden tue"), oiPlain, {kLinks}}}));
    EXPECT_EQ(Program("wiederhole solange IstZiegel(2) LinksDrehen *wiederhole").children,
              (std::vector<Shape>{{"wiederhole solange IstZiegel ", oiPlain, {kLinks}}}));
}

TEST_F(ProgramOverviewTest, LoopsThatTestAtTheirEnd)
{
    EXPECT_EQ(Program("wiederhole Schritt *wiederhole bis IstWand").children,
              (std::vector<Shape>{{"wiederhole", oiPlain, {kSchritt, {"bis IstWand ", oiEndCondition, {}}}}}));
    EXPECT_EQ(Program("wiederhole LinksDrehen *wiederhole solange nicht IstMarke").children,
              (std::vector<Shape>{
                  {"wiederhole", oiPlain, {kLinks, {"solange nicht IstMarke ", oiEndCondition, {}}}}}));
}

TEST_F(ProgramOverviewTest, IfWithElseGivesTwoSiblings)
{
    EXPECT_EQ(Program("wenn IstWand dann\r\n LinksDrehen\r\nsonst\r\n Schritt\r\n*wenn\r\nMarkeSetzen").children,
              (std::vector<Shape>{{"wenn IstWand dann", oiPlain, {kLinks}},
                                  {"sonst", oiPlain, {kSchritt}},
                                  {"MarkeSetzen", oiInstruction, {}}}));
}

TEST_F(ProgramOverviewTest, OwnInstructionListedAndShownInPlace)
{
    const std::string program =
        "Anweisung Umdrehen\r\n  LinksDrehen\r\n  LinksDrehen\r\n*Anweisung\r\nUmdrehen\r\nSchritt";
    EXPECT_EQ(OwnWords(program),
              (Shape{"Eigene Anweisungen/Bedingungen", oiOwnWords, {{"UMDREHEN", oiPlain, {}}}}));
    EXPECT_EQ(Program(program).children,
              (std::vector<Shape>{{"Anweisung UMDREHEN", oiDefinition, {kLinks, kLinks}},
                                  {"UMDREHEN", oiCall, {}},
                                  kSchritt}));
}

TEST_F(ProgramOverviewTest, NestedDefinitionsAndOwnConditions)
{
    const std::string program =
        "Bedingung Frei\r\n wenn IstWand dann falsch sonst wahr *wenn\r\n*Bedingung\r\n"
        "Anweisung Gehe(X)\r\n Anweisung Vor\r\n  Schritt\r\n *Anweisung\r\n wiederhole X mal Vor *wiederhole\r\n*Anweisung\r\n"
        "solange Frei tue Gehe(2) *solange";
    EXPECT_EQ(OwnWords(program).children,
              (std::vector<Shape>{{"FREI", oiPlain, {}}, {"GEHE", oiPlain, {{"VOR", oiPlain, {}}}}}));
    const Shape kFalse{"falsch", oiPlain, {}}, kTrue{"wahr", oiPlain, {}};
    EXPECT_EQ(Program(program).children,
              (std::vector<Shape>{
                  {"Bedingung FREI", oiDefinition,
                   {{"wenn IstWand dann", oiPlain, {kFalse}}, {"sonst", oiPlain, {kTrue}}}},
                  {"Anweisung GEHE", oiDefinition,
                   {{"Anweisung VOR", oiDefinition, {kSchritt}},
                    {"wiederhole X mal", oiPlain, {{"VOR", oiCall, {}}}}}},
                  {"solange FREI tue", oiPlain, {{"GEHE", oiCall, {}}}}}));
}

TEST_F(ProgramOverviewTest, ProgramWithErrorsShowsThePartialTreeSilently)
{
    const Shape program = Program("Schritt\r\nHuepfen\r\nLinksDrehen");
    EXPECT_EQ(program.children, std::vector<Shape>{kSchritt});
    EXPECT_EQ(errorsReported, 0);
}

TEST_F(ProgramOverviewTest, EmptyUpdateDoesNotCompile)
{
    parser.Compile("Schritt", "", false);
    const TTumbo_Program_Top *before = parser.Program.get();
    std::vector<TOverviewNode> nodes;
    EXPECT_TRUE(UpdateOverview(parser, true, "LinksDrehen", "", nodes));
    EXPECT_EQ(parser.Program.get(), before);
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_TRUE(nodes[4].children.empty());
    EXPECT_EQ(nodes[4].image, oiPlain);
}

TEST_F(ProgramOverviewTest, NothingHappensDuringARun)
{
    parser.Compile("Schritt", "", false);
    const TTumbo_Program_Top *before = parser.Program.get();
    std::vector<TOverviewNode> nodes = EmptyOverview();
    nodes.pop_back();
    parser.RunMode = 1;
    for (bool empty : {false, true})
        EXPECT_FALSE(UpdateOverview(parser, empty, "LinksDrehen", "", nodes));
    EXPECT_EQ(nodes.size(), 4u);
    EXPECT_EQ(parser.Program.get(), before);
}
