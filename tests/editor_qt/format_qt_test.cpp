// "Formatieren" on a real editor: one undo step, the modified flag only for real changes,
// characters outside the code page kept.
#include <gtest/gtest.h>

#include "editor/qt/format_editor.h"
#include "editor_fixture.h"

using namespace tumbo::editor;

namespace {
struct FormatQt : ::testing::Test, ProgramEditor {};
}  // namespace

TEST_F(FormatQt, IndentsAsOneUndoStep)
{
    Set("wiederhole 3 mal\r\nSchritt\r\n      LinksDrehen\r\n*wiederhole", 1, 1);
    EXPECT_TRUE(FormatEditor(editor, false));
    EXPECT_EQ(Text(), "wiederhole 3 mal\r\n  Schritt\r\n  LinksDrehen\r\n*wiederhole");
    EXPECT_TRUE(editor.isModified());
    editor.undo();
    EXPECT_EQ(Text(), "wiederhole 3 mal\r\nSchritt\r\n      LinksDrehen\r\n*wiederhole");
    EXPECT_FALSE(editor.isUndoAvailable());
}

TEST_F(FormatQt, FormattedTextStaysUnmodified)
{
    Set("wenn IstWand dann\r\n  LinksDrehen\r\nsonst\r\n  Schritt\r\n*wenn\r\n", 1, 1);
    EXPECT_FALSE(FormatEditor(editor, false));
    EXPECT_FALSE(editor.isModified());
    EXPECT_FALSE(editor.isUndoAvailable());
}

TEST_F(FormatQt, SpellingAndUmlauts)
{
    Set(QString::fromUtf8("WIEDERHOLE 3 MAL\r\nmarkelöschen\r\n*WIEDERHOLE"), 1, 1);
    EXPECT_TRUE(FormatEditor(editor, true));
    EXPECT_EQ(Text(), QString::fromUtf8("wiederhole 3 mal\r\n  MarkeLöschen\r\n*wiederhole"));
}

TEST_F(FormatQt, CharactersOutsideTheCodePageSurvive)
{
    Set(QString::fromUtf8("solange IstWand tue\r\nSchritt // → 😀 \u0081 Ω\r\n*solange"), 1, 1);
    EXPECT_TRUE(FormatEditor(editor, true));
    EXPECT_EQ(Text(), QString::fromUtf8("solange IstWand tue\r\n  Schritt // → 😀 \u0081 Ω\r\n*solange"));
}
