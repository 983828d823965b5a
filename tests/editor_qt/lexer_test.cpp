// The colouring adapter in a real QsciScintilla: styles per byte, umlauts included, and the
// brace-comment state carried from line to line.
#include <gtest/gtest.h>

#include <Qsci/qsciscintilla.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/qt/tumbo_lexer.h"

using namespace tumbo::editor;

namespace {

using Pieces = std::vector<std::pair<std::string, TtkTokenKind>>;  // UTF-8 text, style

std::vector<int> ExpectedStyles(const Pieces &pieces)
{
    std::vector<int> styles;
    for (const auto &[text, kind] : pieces)
        styles.insert(styles.end(), text.size(), kind);
    return styles;
}

std::vector<int> StylesOf(const QsciScintilla &editor, long from, long to)
{
    std::vector<int> styles;
    for (long pos = from; pos < to; ++pos)
        styles.push_back(static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos)));
    return styles;
}

long LineStart(const QsciScintilla &editor, int line)
{
    return editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
}

struct LexerFixture : ::testing::Test {
    QsciScintilla editor;
    TumboLexer *lexer = new TumboLexer(&editor);
    LexerFixture()
    {
        editor.setUtf8(true);
        editor.setLexer(lexer);
    }
    void SetText(const std::string &utf8)
    {
        editor.setText(QString::fromStdString(utf8));
        editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    }
    std::vector<int> Line(int line)
    {
        const long end = line + 1 < editor.lines() ? LineStart(editor, line + 1)
                                                   : editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        return StylesOf(editor, LineStart(editor, line), end);
    }
};

}  // namespace

TEST_F(LexerFixture, UmlautWordsDoNotShiftTheStyling)
{
    SetText("Einfügen Übung Schritt(3) // Kommentar ä\n");
    EXPECT_EQ(Line(0), ExpectedStyles({{"Einfügen", tkKey}, {" ", tkSpace}, {"Übung", tkIdentifier},
                                       {" ", tkSpace}, {"Schritt", tkKey2}, {"(", tkSymbol},
                                       {"3", tkNumber}, {")", tkSymbol}, {" ", tkSpace},
                                       {"// Kommentar ä", tkComment}, {"\n", tkSpace}}));
}

TEST_F(LexerFixture, CharactersOutsideTheCodePageAreUnknownAndKeepTheirWidth)
{
    SetText("a→b€ IstSüden ß");
    EXPECT_EQ(Line(0), ExpectedStyles({{"a", tkIdentifier}, {"→", tkUnknown}, {"b", tkIdentifier},
                                       {"€", tkUnknown}, {" ", tkSpace}, {"IstSüden", tkKey2},
                                       {" ", tkSpace}, {"ß", tkUnknown}}));
}

TEST_F(LexerFixture, BraceCommentSpansLinesThroughLineStates)
{
    SetText("Übung {Kommentär\r\nmitten\r\nnoch} IstWand");
    EXPECT_EQ(Line(0), ExpectedStyles({{"Übung", tkIdentifier}, {" ", tkSpace},
                                       {"{Kommentär", tkComment}, {"\r\n", tkSpace}}));
    EXPECT_EQ(Line(1), ExpectedStyles({{"mitten", tkComment}, {"\r\n", tkSpace}}));
    EXPECT_EQ(Line(2), ExpectedStyles({{"noch}", tkComment}, {" ", tkSpace}, {"IstWand", tkKey2}}));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, 0UL), kRangeBraceComment);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, 2UL), kRangeNormal);
}

TEST_F(LexerFixture, RemovingTheOpeningBraceRestylesTheFollowingLines)
{
    SetText("Übung {Kommentär\nmitten\nnoch} IstWand");
    const long brace = LineStart(editor, 0) + static_cast<long>(std::string("Übung ").size());
    editor.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(brace), 1L);
    // Ask only for the first line; the changed end state carries the work on.
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, LineStart(editor, 1));
    EXPECT_EQ(Line(1), ExpectedStyles({{"mitten", tkIdentifier}, {"\n", tkSpace}}));
    EXPECT_EQ(Line(2), ExpectedStyles({{"noch", tkIdentifier}, {"}", tkUnknown}, {" ", tkSpace},
                                       {"IstWand", tkKey2}}));
}

TEST_F(LexerFixture, AttributesAsStyles)
{
    EXPECT_STREQ(lexer->language(), "Tumbo Language deutsch");
    EXPECT_EQ(lexer->description(tkComment), "Comment");
    EXPECT_EQ(lexer->description(tkKey2), "Second reserved word");
    EXPECT_EQ(lexer->description(tkUnknown), "Unknown word");
    EXPECT_TRUE(lexer->description(tkNull).isEmpty());
    EXPECT_EQ(lexer->defaultColor(tkIdentifier), QColor(0, 0x80, 0));
    EXPECT_EQ(lexer->defaultColor(tkKey2), QColor(0, 0, 0xFF));
    EXPECT_EQ(lexer->defaultColor(tkNumber), QColor(0xFF, 0, 0));
    EXPECT_EQ(lexer->defaultColor(tkString), QColor(0x80, 0, 0));
    EXPECT_TRUE(lexer->defaultFont(tkKey).bold());
    EXPECT_TRUE(lexer->defaultFont(tkComment).italic());
    EXPECT_FALSE(lexer->defaultFont(tkKey2).bold());

    QFont courier("Courier New", 10);
    lexer->setBaseFont(courier);
    EXPECT_TRUE(lexer->font(tkKey).bold());
    EXPECT_EQ(lexer->font(tkKey).pointSize(), 10);
    EXPECT_FALSE(lexer->font(tkIdentifier).bold());
    EXPECT_TRUE(lexer->font(tkComment).italic());
}
