// Finer points of the dialog commands: the caret column on "Gehe zu ...".
#include "app/dialogs/dlg_goto_line.h"

#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

using namespace tumbo::app;

namespace {

// The caret as line and column, virtual space past the line end included.
std::pair<int, int> CaretColumn(QsciScintilla &editor)
{
    int line = 0, index = 0;
    editor.getCursorPosition(&line, &index);
    const long beyond = editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL);
    return {line, index + int(beyond)};
}

TEST(GotoLineColumn, ACaretPastTheLineEndKeepsItsColumnWhereTheEditorAllowsIt)
{
    QsciScintilla editor;
    editor.SendScintilla(QsciScintillaBase::SCI_SETVIRTUALSPACEOPTIONS,
                         (unsigned long)QsciScintillaBase::SCVS_USERACCESSIBLE);
    editor.setText(QStringLiteral("lange Zeile hier\nkurz\n\nnoch eine lange Zeile\n"));

    // Onto a shorter line: the caret stands past its end in the same column.
    editor.setCursorPosition(0, 12);
    GotoLine(&editor, 2);
    EXPECT_EQ(CaretColumn(editor), std::make_pair(1, 12));
    EXPECT_FALSE(editor.hasSelectedText());

    // From past the end of an empty line onto a long one: the column is kept.
    editor.setCursorPosition(2, 0);
    for (int i = 0; i < 3; ++i)
        editor.SendScintilla(QsciScintillaBase::SCI_CHARRIGHT);
    ASSERT_EQ(CaretColumn(editor), std::make_pair(2, 3));
    GotoLine(&editor, 4);
    EXPECT_EQ(CaretColumn(editor), std::make_pair(3, 3));
    int line = 0, index = 0;
    editor.getCursorPosition(&line, &index);
    EXPECT_EQ(index, 3);  // inside the line now, no virtual space left
}

}  // namespace
