// The chart of a program compiled by the language engine, every block kind in one fixture.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chart/chart_layout.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {

std::string ReadFixture(const char *name)
{
    std::ifstream in(std::string(TUMBO_FIXTURES_DIR) + "/chart/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Row
{
    TChartItemKind Kind;
    std::string Text1, Text2 = {}, Text3 = {};
    bool operator==(const Row &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Row &r)
{
    return out << static_cast<int>(r.Kind) << " [" << r.Text1 << "|" << r.Text2 << "|" << r.Text3 << "]";
}

} // namespace

TEST(ChartProgram, EveryBlockOfACompiledProgram)
{
    TWelt world;
    TTumbo_HeadlessHost host;
    TTumbo_Parser parser(world, host);
    const std::string text = ReadFixture("alle_formen.tdp");
    ASSERT_FALSE(text.empty());
    ASSERT_TRUE(parser.Compile(text, "", false));

    const TChartLayout layout = LayoutChart(parser.Program.get());
    std::vector<Row> rows;
    for (const TChartItem &item : layout.Items)
        rows.push_back({item.Kind, item.Texts[0], item.Texts[1], item.Texts[2]});
    using K = TChartItemKind;
    const std::vector<Row> expected = {
        {K::Title, "Hauptprogramm"},
        {K::StatementBox, "Warten(1000)"},
        {K::StatementBox, "Beenden"},
        {K::HeadBox, "wiederhole immer"},
        {K::StatementBox, "Hinlegen(2)"},
        {K::HeadBox, "solange", "nicht IstZiegel(2)"},
        {K::StatementBox, "VOR"},
        {K::HeadBox, "wdh. solange", "VORNEFREI"},
        {K::StatementBox, "Aufheben"},
        {K::FootBox, "wdh. bis", "HatZiegel(2)"},
        {K::StatementBox, "MarkeSetzen"},
        {K::FootBox, "wdh. solange", "IstMarke"},
        {K::StatementBox, "RechtsDrehen"},
        {K::StatementBox, "Schritt"},
        {K::StatementBox, "Schritt"},
        {K::StatementBox, "Ton"},
        {K::HeadBox, "wiederhole", "2", "mal"},
        {K::IfHead, "IstWand"},
        {K::StatementBox, "Schritt"},
        {K::Title, "Anw.: VOR"},
        {K::StatementBox, "Schritt"},
        {K::HeadBox, "wiederhole", "X", "mal"},
        {K::Title, "Anw.: ZURUECK"},
        {K::StatementBox, "LinksDrehen"},
        {K::StatementBox, "LinksDrehen"},
        {K::StatementBox, "Schritt"},
        {K::Title, "Bed.: VORNEFREI"},
        {K::StatementBox, "falsch"},
        {K::StatementBox, "wahr"},
        {K::IfHead, "IstWand"},
    };
    EXPECT_EQ(rows, expected);

    // The main program's boxes share one right edge. The estimate lets the if's else column
    // start at the running maximum, which the loops above made 5 + 40 + 110 = 155; the loop in
    // the else column then reaches 155 + 40 + 110.
    EXPECT_EQ(layout.Items[1].X2, 305);
    EXPECT_EQ(layout.Items[17].X2, 305);
    EXPECT_EQ(layout.Items[17].Split, 5 + 110);
}
