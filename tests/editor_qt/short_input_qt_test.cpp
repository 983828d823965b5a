// Short input in a real editor: what the context menu's items insert and where the caret
// goes, and which menu the setting chooses.
#include <gtest/gtest.h>

#include <QMenu>

#include "editor/qt/short_input_menu_qt.h"
#include "editor_fixture.h"

using namespace tumbo::editor;

namespace {

struct ShortInputQt : ::testing::Test, ProgramEditor {};

QList<QAction *> AllActions(const QMenu &menu)
{
    QList<QAction *> all;
    for (QAction *action : menu.actions()) {
        if (action->menu() != nullptr)
            all += AllActions(*action->menu());
        else if (!action->isSeparator())
            all << action;
    }
    return all;
}

QAction *ActionWithTag(const QMenu &menu, int tag)
{
    for (QAction *action : AllActions(menu))
        if (action->data().toInt() == tag)
            return action;
    return nullptr;
}

}  // namespace

TEST_F(ShortInputQt, BlockRowWithTabWidthTwo)
{
    Set("", 1, 1);
    ASSERT_TRUE(Kurzeingabe(editor, 1));
    EXPECT_EQ(Text(), "wiederhole immer\r\n\r\n*wiederhole\r\n");
    EXPECT_EQ(Caret().line, 2);
    EXPECT_EQ(Caret().column, 3);
}

TEST_F(ShortInputQt, IfElseInsideAnIndentedLineKeepsTheIndentation)
{
    Set("Programm\r\n  \r\nSchritt", 2, 3);
    ASSERT_TRUE(Kurzeingabe(editor, 8));
    EXPECT_EQ(Text(), "Programm\r\n  wenn  dann\r\n  \r\n  sonst\r\n  \r\n  *wenn\r\n  \r\nSchritt");
    EXPECT_EQ(Caret().line, 2);
    EXPECT_EQ(Caret().column, 8);
}

TEST_F(ShortInputQt, InstructionBreaksTheLine)
{
    Set("a\r\nb\r\nc\r\nd\r\n  ", 5, 3);
    ASSERT_TRUE(Kurzeingabe(editor, 101));
    EXPECT_EQ(Text(), "a\r\nb\r\nc\r\nd\r\n  Schritt\r\n  ");
    EXPECT_EQ(Caret().line, 6);
    EXPECT_EQ(Caret().column, 3);
}

TEST_F(ShortInputQt, ConditionBetweenTheBlanksLeavesTheCaretInFront)
{
    Set("wenn  dann", 1, 6);
    ASSERT_TRUE(Kurzeingabe(editor, 209));
    EXPECT_EQ(Text(), QString::fromUtf8("wenn IstSüden dann"));
    EXPECT_EQ(Caret().column, 6);
}

TEST_F(ShortInputQt, CaretBehindTheLineEndForTheRepeatUntilRow)
{
    Set("", 1, 1);
    ASSERT_TRUE(Kurzeingabe(editor, 19));
    EXPECT_EQ(Text(), "wiederhole\r\n\r\n*wiederhole solange\r\n");
    EXPECT_EQ(Caret().line, 3);
    EXPECT_EQ(Caret().column, 21);  // one blank behind "*wiederhole solange", in virtual space
}

TEST_F(ShortInputQt, OneUndoStepAndUnknownTags)
{
    Set("Schritt", 1, 8);
    EXPECT_FALSE(Kurzeingabe(editor, 3));
    EXPECT_FALSE(editor.isModified());
    ASSERT_TRUE(Kurzeingabe(editor, 4));
    EXPECT_EQ(Text(), "Schrittsolange  tue\r\n\r\n*solange\r\n");
    editor.undo();
    EXPECT_EQ(Text(), "Schritt");
}

TEST_F(ShortInputQt, ContextMenuFollowsTheSetting)
{
    ShortInputContextMenu context(editor, true);
    ASSERT_NE(context.menu(), nullptr);
    EXPECT_EQ(context.menu()->objectName(), "EditorXPopupMenu");
    QMenu *repetitions = context.menu()->actions().first()->menu();
    ASSERT_NE(repetitions, nullptr);
    EXPECT_EQ(context.menu()->actions().first()->text(), "Wiederholungen");
    QList<int> tags;
    for (QAction *action : repetitions->actions())
        tags << action->data().toInt();
    EXPECT_EQ(tags, (QList<int>{1, 2, 4, 17, 19}));
    EXPECT_EQ(repetitions->actions()[1]->text(), "wiederhole   mal");

    context.setExtendedSyntax(false);
    EXPECT_EQ(context.menu()->objectName(), "EditorPopupMenu");
    for (int tag : {1, 17, 19})
        EXPECT_EQ(ActionWithTag(*context.menu(), tag), nullptr) << tag;
    ASSERT_NE(ActionWithTag(*context.menu(), 14), nullptr);
    EXPECT_EQ(ActionWithTag(*context.menu(), 14)->text(), QString::fromUtf8("Einfügen"));
    EXPECT_EQ(AllActions(*context.menu()).size(), 37);
}

TEST_F(ShortInputQt, ChoosingAMenuItemInserts)
{
    ShortInputContextMenu context(editor, true);
    Set("", 1, 1);
    QAction *action = ActionWithTag(*context.menu(), 107);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8("MarkeLöschen"));
    action->trigger();
    EXPECT_EQ(Text(), QString::fromUtf8("MarkeLöschen\r\n"));
    EXPECT_EQ(Caret().line, 2);
}
