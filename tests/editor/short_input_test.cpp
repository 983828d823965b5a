// Short input: the context menus and what each tag inserts, carried out on a small model
// of an editor with automatic indentation.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/short_input.h"
#include "editor/short_input_menu.h"
#include "text/cp1252.h"

using namespace tumbo::editor;
using tumbo::text::Utf8ToCp1252;

namespace {

// Lines with a caret (line and column from 1). A line break keeps the leading blanks of the
// line it breaks, as the editor's automatic indentation does.
struct TextModel {
    std::vector<std::string> lines{""};
    int line = 1;
    int column = 1;

    void Insert(const std::string &text)
    {
        std::string &current = lines[line - 1];
        if (current.size() < static_cast<std::size_t>(column - 1))
            current.resize(column - 1, ' ');
        current.insert(column - 1, text);
        column += static_cast<int>(text.size());
    }
    void LineBreak()
    {
        std::string &current = lines[line - 1];
        const std::string rest = current.size() > static_cast<std::size_t>(column - 1)
                                     ? current.substr(column - 1) : "";
        current.resize(std::min<std::size_t>(current.size(), column - 1));
        const std::string indent = current.substr(0, current.find_first_not_of(' ') == std::string::npos
                                                         ? current.size()
                                                         : current.find_first_not_of(' '));
        lines.insert(lines.begin() + line, indent + rest);
        ++line;
        column = static_cast<int>(indent.size()) + 1;
    }
    void Apply(const TShortInputPlan &plan)
    {
        const int startLine = line, startColumn = column;
        for (const auto &step : plan.steps) {
            if (step.lineBreak)
                LineBreak();
            else
                Insert(step.text);
        }
        line = startLine + plan.lineOffset;
        column = startColumn + plan.columnOffset;
    }
};

struct ShortInputCase {
    int tag;
    std::vector<std::string> lines;  // UTF-8
    int line, column;
};

std::vector<std::string> ToCp1252(const std::vector<std::string> &utf8)
{
    std::vector<std::string> out;
    for (const auto &s : utf8)
        out.push_back(Utf8ToCp1252(s));
    return out;
}

void CollectTags(const TShortInputMenu &menu, std::vector<int> &tags)
{
    for (const auto &item : menu) {
        if (item.IsSubmenu())
            CollectTags(item.items, tags);
        else if (!item.IsSeparator())
            tags.push_back(item.tag);
    }
}

std::vector<int> Tags(const TShortInputMenu &menu)
{
    std::vector<int> tags;
    CollectTags(menu, tags);
    return tags;
}

}  // namespace

TEST(ShortInput, InsertedLinesAndCaretWithTabWidthTwo)
{
    const std::vector<ShortInputCase> cases = {
        {1, {"wiederhole immer", "", "*wiederhole", ""}, 2, 3},
        {2, {"wiederhole  mal"}, 1, 12},
        {4, {"solange  tue", "", "*solange", ""}, 1, 9},
        {6, {"wenn  dann", "", "*wenn", ""}, 1, 6},
        {8, {"wenn  dann", "", "sonst", "", "*wenn", ""}, 1, 6},
        {9, {"Anweisung", "", "*Anweisung", ""}, 2, 3},
        {10, {"Bedingung", "", "*Bedingung", ""}, 2, 3},
        {14, {"Einfügen", "", "*Einfügen", ""}, 2, 3},
        {11, {"wahr", ""}, 2, 1},
        {12, {"falsch", ""}, 2, 1},
        {13, {"nicht "}, 1, 1},
        {17, {"wiederhole solange", "", "*wiederhole", ""}, 1, 20},
        {19, {"wiederhole", "", "*wiederhole solange", ""}, 3, 21},
        {101, {"Schritt", ""}, 2, 1},
        {107, {"MarkeLöschen", ""}, 2, 1},
        {112, {"Beenden", ""}, 2, 1},
        {201, {"IstWand"}, 1, 1},
        {209, {"IstSüden"}, 1, 1},
        {215, {"HatZiegel"}, 1, 1},
    };
    for (const auto &c : cases) {
        const auto plan = ShortInputFor(c.tag, 2);
        ASSERT_TRUE(plan) << "tag " << c.tag;
        TextModel model;
        model.Apply(*plan);
        EXPECT_EQ(model.lines, ToCp1252(c.lines)) << "tag " << c.tag;
        EXPECT_EQ(model.line, c.line) << "tag " << c.tag;
        EXPECT_EQ(model.column, c.column) << "tag " << c.tag;
    }
}

TEST(ShortInput, BlockCaretFollowsTheTabWidth)
{
    for (int tag : {1, 9, 10, 14}) {
        const auto plan = ShortInputFor(tag, 4);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->lineOffset, 1);
        EXPECT_EQ(plan->columnOffset, 4) << "tag " << tag;
    }
    EXPECT_EQ(ShortInputFor(2, 4)->columnOffset, 11);  // independent of the tab width
}

TEST(ShortInput, TagsWithoutARowDoNothing)
{
    for (int tag : {0, 3, 5, 7, 15, 16, 18, 20, 100, 113, 200, 216, 301, -1})
        EXPECT_FALSE(ShortInputFor(tag, 2)) << "tag " << tag;
}

TEST(ShortInput, InstructionInAnIndentedLine)
{
    TextModel model;
    model.lines = {"a", "b", "c", "d", "  "};
    model.line = 5;
    model.column = 3;
    model.Apply(*ShortInputFor(101, 2));
    EXPECT_EQ(model.lines[4], "  Schritt");
    EXPECT_EQ(model.lines[5], "  ");
    EXPECT_EQ(model.line, 6);
    EXPECT_EQ(model.column, 3);
}

TEST(ShortInput, ConditionBetweenTheBlanksOfAnIf)
{
    TextModel model;
    model.lines = {"wenn  dann"};
    model.column = 6;
    model.Apply(*ShortInputFor(201, 2));
    EXPECT_EQ(model.lines, (std::vector<std::string>{"wenn IstWand dann"}));
    EXPECT_EQ(model.column, 6);  // in front of the inserted word
}

TEST(ShortInput, TextRightOfTheCaretMovesBehindTheBlock)
{
    TextModel model;
    model.lines = {"  Rest"};
    model.column = 3;
    model.Apply(*ShortInputFor(6, 2));
    EXPECT_EQ(model.lines, (std::vector<std::string>{"  wenn  dann", "  ", "  *wenn", "  Rest"}));
    EXPECT_EQ(model.line, 1);
    EXPECT_EQ(model.column, 8);
}

TEST(ShortInputMenus, PlainMenuLayout)
{
    const TShortInputMenu &menu = EditorPopupMenu();
    ASSERT_EQ(menu.size(), 22u);
    EXPECT_EQ(menu[0].caption, "wiederhole   mal");
    EXPECT_EQ(menu[3].caption, "wenn   dann   sonst");
    EXPECT_EQ(menu[4].caption, "usw.");
    EXPECT_TRUE(menu[5].IsSeparator());
    EXPECT_EQ(menu[6].caption, "Schritt");
    EXPECT_EQ(menu[12].caption, Utf8ToCp1252("MarkeLöschen"));
    EXPECT_EQ(menu[13].caption, "usw.");
    EXPECT_TRUE(menu[14].IsSeparator());
    EXPECT_EQ(menu[15].caption, "IstWand");
    EXPECT_EQ(menu[20].caption, "NichtIstMarke");
    EXPECT_EQ(menu[21].caption, "usw.");
    EXPECT_EQ(menu[21].items.back().caption, "HatZiegel");
    EXPECT_EQ(menu[4].items[2].caption, Utf8ToCp1252("Einfügen"));
    EXPECT_EQ(Tags(menu), (std::vector<int>{2, 4, 6, 8, 9, 10, 14, 11, 12, 13, 101, 102, 103, 104,
                                           105, 106, 107, 108, 109, 110, 111, 112, 201, 202, 203,
                                           204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214,
                                           215}));
}

TEST(ShortInputMenus, ExtendedMenuLayout)
{
    const TShortInputMenu &menu = EditorXPopupMenu();
    ASSERT_EQ(menu.size(), 21u);
    ASSERT_TRUE(menu[0].IsSubmenu());
    EXPECT_EQ(menu[0].caption, "Wiederholungen");
    std::vector<std::string> captions;
    for (const auto &item : menu[0].items)
        captions.push_back(item.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"wiederhole immer", "wiederhole   mal",
                                                  "solange   tue", "wiederhole solange",
                                                  "*wiederhole solange"}));
    EXPECT_EQ(menu[1].caption, "wenn   dann");
    EXPECT_EQ(menu[2].caption, "wenn   dann   sonst");
    const std::vector<int> tags = Tags(menu);
    EXPECT_EQ(std::vector<int>(tags.begin(), tags.begin() + 7), (std::vector<int>{1, 2, 4, 17, 19, 6, 8}));
    // From the first "usw." on both menus are the same.
    const std::vector<int> plain = Tags(EditorPopupMenu());
    EXPECT_EQ(std::vector<int>(tags.begin() + 7, tags.end()), std::vector<int>(plain.begin() + 4, plain.end()));
}

TEST(ShortInputMenus, ChosenBySettingAndEveryTagHasARow)
{
    EXPECT_EQ(&ShortInputMenu(true), &EditorXPopupMenu());
    EXPECT_EQ(&ShortInputMenu(false), &EditorPopupMenu());
    const std::vector<int> plain = Tags(EditorPopupMenu());
    for (int tag : {1, 17, 19})
        EXPECT_EQ(std::set<int>(plain.begin(), plain.end()).count(tag), 0u) << tag;
    for (bool extended : {false, true})
        for (int tag : Tags(ShortInputMenu(extended)))
            EXPECT_TRUE(ShortInputFor(tag, 2)) << "tag " << tag;
}
