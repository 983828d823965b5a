// Code templates: the template list, the look-up of the word left of the caret and the
// expansion with indentation and caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/code_templates.h"
#include "text/cp1252.h"

using namespace tumbo::editor;
using tumbo::text::Utf8ToCp1252;

namespace {

const std::string *FoundName(std::string_view wordUtf8)
{
    const TCodeTemplate *tpl = FindTemplate(DefaultTemplates(), Utf8ToCp1252(wordUtf8));
    return tpl ? &tpl->name : nullptr;
}

}  // namespace

TEST(CodeTemplates, ListOrderNamesAndDescriptions)
{
    std::vector<std::string> names;
    for (const auto &tpl : DefaultTemplates())
        names.push_back(tpl.name);
    const std::vector<std::string> expected = {
        "wiederhole", "solange", "wenn", "Anweisung", "Bedingung", Utf8ToCp1252("Einfügen"),
        "wahr", "falsch", "nicht", "Beenden",
        "Schritt", "LinksDrehen", "RechtsDrehen", "Hinlegen", "Aufheben", "MarkeSetzen",
        Utf8ToCp1252("MarkeLöschen"), "Warten", "Ton", "Langsam", "Schnell",
        "IstWand", "NichtIstWand", "IstZiegel", "NichtIstZiegel", "IstMarke", "NichtIstMarke",
        "IstNorden", "IstOsten", Utf8ToCp1252("IstSüden"), "IstWesten", "IstVoll",
        "NichtIstVoll", "IstLeer", "NichtIstLeer"};
    EXPECT_EQ(names, expected);

    const auto &t = DefaultTemplates();
    EXPECT_EQ(t[0].description, Utf8ToCp1252("gezählte Wiederholung"));
    EXPECT_EQ(t[1].description, "bedingte Wiederholung");
    EXPECT_EQ(t[2].description, "bedingte Anweisung");
    EXPECT_EQ(t[3].description, "eigene Anweisung");
    EXPECT_EQ(t[4].description, "eigene Bedingung");
    EXPECT_EQ(t[5].description, Utf8ToCp1252("Bibliothek einfügen"));
    EXPECT_EQ(t[6].description, "");
    EXPECT_EQ(t[0].lines, (std::vector<std::string>{"wiederhole | mal", "", "*wiederhole"}));
    EXPECT_EQ(t[3].lines, (std::vector<std::string>{"Anweisung", "  |", "*Anweisung"}));
    // The empty line after the library template's text is not part of its text.
    EXPECT_EQ(t[5].lines, (std::vector<std::string>{Utf8ToCp1252("Einfügen"), "  |",
                                                    Utf8ToCp1252("*Einfügen")}));
    EXPECT_EQ(t[9].lines, (std::vector<std::string>{"Beenden"}));
}

TEST(CodeTemplates, HolderLinesSeparateTheGroupsWithEmptyLines)
{
    const auto &lines = DCIHolderLines();
    std::vector<std::string> beforeEmpty;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].empty() && !lines[i - 1].empty())
            beforeEmpty.push_back(lines[i - 1]);
    EXPECT_EQ(beforeEmpty, (std::vector<std::string>{"wiederhole | mal", "solange | tue", "wenn | dann",
                                                     Utf8ToCp1252("*Einfügen"), "Beenden", "Schnell"}));
    EXPECT_EQ(lines.front(), Utf8ToCp1252("[wiederhole | gezählte Wiederholung ]"));
    EXPECT_EQ(lines.back(), "NichtIstLeer");
}

TEST(CodeTemplates, LookUpByWord)
{
    struct Case {
        std::string word;
        const char *expected;  // nullptr: nothing happens
    };
    const std::vector<Case> cases = {
        {"wenn", "wenn"},
        {"WENN", "wenn"},
        {"wie", "wiederhole"},
        {"w", nullptr},            // wiederhole, wenn, wahr, Warten
        {"nicht", "nicht"},        // the equal name wins over NichtIstWand …
        {"NICHT", "nicht"},
        {"NichtIstW", "NichtIstWand"},
        {"Ist", nullptr},
        {"IstS", "IstSüden"},
        {"istsü", "IstSüden"},
        {"ISTSÜDEN", "IstSüden"},
        {"einfÜ", "Einfügen"},
        {"Einfu", nullptr},
        {"HatZiegel", nullptr},    // has no template
        {"Schrittweise", nullptr},
        {"", nullptr},
    };
    for (const auto &c : cases) {
        const std::string *name = FoundName(c.word);
        const std::string got = name ? *name : "(nichts)";
        EXPECT_EQ(got, c.expected ? Utf8ToCp1252(c.expected) : "(nichts)") << c.word;
    }
}

TEST(CodeTemplates, LookUpRunsFromTheLastTemplate)
{
    const auto templates = ParseTemplates({"[ab | eins]", "1", "[ab | zwei]", "2", "[abc]", "3"});
    ASSERT_EQ(templates.size(), 3u);
    const TCodeTemplate *found = FindTemplate(templates, "AB");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->description, "zwei");
    EXPECT_EQ(FindTemplate(templates, "abc"), &templates[2]);
    EXPECT_EQ(FindTemplate(templates, "a"), nullptr);
}

TEST(CodeTemplates, ParsingHeadersAndText)
{
    const auto templates = ParseTemplates({"vorher", "[x]", "[name|text mit | Strich ]", "a", "", "b", "", ""});
    ASSERT_EQ(templates.size(), 2u);
    EXPECT_EQ(templates[0].name, "x");
    EXPECT_EQ(templates[0].description, "");
    EXPECT_TRUE(templates[0].lines.empty());
    EXPECT_EQ(templates[1].name, "name");
    EXPECT_EQ(templates[1].description, "text mit | Strich");
    EXPECT_EQ(templates[1].lines, (std::vector<std::string>{"a", "", "b"}));
}

TEST(CodeTemplates, ExpansionIndentsUnderTheWordAndPlacesTheCaret)
{
    const auto &t = DefaultTemplates();
    struct Case {
        std::size_t index;
        int column;
        std::vector<std::string> lines;
        int caretLine, caretColumn;
    };
    const std::vector<Case> cases = {
        {0, 1, {"wiederhole  mal", "", "*wiederhole"}, 0, 12},
        {0, 5, {"wiederhole  mal", "    ", "    *wiederhole"}, 0, 16},
        {3, 1, {"Anweisung", "  ", "*Anweisung"}, 1, 3},
        {3, 3, {"Anweisung", "    ", "  *Anweisung"}, 1, 5},
        {10, 3, {"Schritt"}, 0, 10},  // no caret mark: behind the text
    };
    for (const auto &c : cases) {
        const TTemplateExpansion e = ExpandTemplate(t[c.index], c.column);
        EXPECT_EQ(e.lines, c.lines) << t[c.index].name << " at " << c.column;
        EXPECT_EQ(e.caretLine, c.caretLine) << t[c.index].name << " at " << c.column;
        EXPECT_EQ(e.caretColumn, c.caretColumn) << t[c.index].name << " at " << c.column;
    }
}

TEST(CodeTemplates, OnlyTheFirstBarIsTheCaret)
{
    const auto templates = ParseTemplates({"[t]", "a|b", "c|d", "[u]", "x", "yz"});
    const TTemplateExpansion e = ExpandTemplate(templates[0], 2);
    EXPECT_EQ(e.lines, (std::vector<std::string>{"ab", " c|d"}));
    EXPECT_EQ(e.caretLine, 0);
    EXPECT_EQ(e.caretColumn, 3);
    const TTemplateExpansion f = ExpandTemplate(templates[1], 2);
    EXPECT_EQ(f.lines, (std::vector<std::string>{"x", " yz"}));
    EXPECT_EQ(f.caretLine, 1);
    EXPECT_EQ(f.caretColumn, 4);
}
