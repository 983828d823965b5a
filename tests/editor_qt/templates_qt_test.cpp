// Template expansion (Shift+Space) in a real editor.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/qt/template_expander.h"
#include "editor_fixture.h"

using namespace tumbo::editor;

namespace {

struct TemplateExpansion : ::testing::Test, ProgramEditor {
    TemplateExpander *expander = new TemplateExpander(editor);
};

}  // namespace

TEST_F(TemplateExpansion, UniquePrefixExpandsWithTheCaretAtTheMark)
{
    Set("wie", 1, 4);
    QTest::keyClick(&editor, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "wiederhole  mal\r\n\r\n*wiederhole");
    EXPECT_EQ(Caret().line, 1);
    EXPECT_EQ(Caret().column, 12);
}

TEST_F(TemplateExpansion, LinesStandUnderTheWord)
{
    Set("Schritt\r\n  Anweisung", 2, 12);
    ASSERT_TRUE(ExpandTemplateAtCaret(editor));
    EXPECT_EQ(Text(), "Schritt\r\n  Anweisung\r\n    \r\n  *Anweisung");
    EXPECT_EQ(Caret().line, 3);
    EXPECT_EQ(Caret().column, 5);
}

TEST_F(TemplateExpansion, UmlautWordsAndTextBehindTheCaret)
{
    Set(QString::fromUtf8("x einfü;rest"), 1, 8);
    ASSERT_TRUE(ExpandTemplateAtCaret(editor));
    EXPECT_EQ(Text(), QString::fromUtf8("x Einfügen\r\n    \r\n  *Einfügen;rest"));
    EXPECT_EQ(Caret().line, 2);
    EXPECT_EQ(Caret().column, 5);
}

TEST_F(TemplateExpansion, AmbiguousOrUnknownWordChangesNothing)
{
    for (const char *text : {"w", "Ist", "Huepfen", "", "wenn "}) {
        const QString original = QString::fromUtf8(text);
        Set(original, 1, static_cast<int>(original.size()) + 1);
        QTest::keyClick(&editor, Qt::Key_Space, Qt::ShiftModifier);
        EXPECT_EQ(Text(), original) << text;  // not even a blank is typed
        EXPECT_FALSE(editor.isModified()) << text;
    }
}

TEST_F(TemplateExpansion, OneUndoStepRestoresTheWord)
{
    Set("  wenn", 1, 7);
    ASSERT_TRUE(ExpandTemplateAtCaret(editor));
    EXPECT_EQ(Text(), "  wenn  dann\r\n  \r\n  *wenn");
    EXPECT_EQ(Caret().column, 8);
    editor.undo();
    EXPECT_EQ(Text(), "  wenn");
    EXPECT_FALSE(editor.isUndoAvailable());
}

TEST_F(TemplateExpansion, OwnTemplateLines)
{
    expander->setTemplateLines({"[vor | zwei Schritte]", "Schritt(2)|"});
    Set("v", 1, 2);
    QTest::keyClick(&editor, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Text(), "Schritt(2)");
    EXPECT_EQ(Caret().column, 11);
}
