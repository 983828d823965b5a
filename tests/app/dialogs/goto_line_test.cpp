// "Gehe zu ...": moving caret and view to a line.
#include "app/dialogs/dlg_goto_line.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include "modal.h"

using namespace tumbo::app;

namespace {

class GotoLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines << QStringLiteral("Zeile %1 mit etwas Text").arg(i);
        editor.setText(lines.join(u'\n'));
        editor.resize(400, 200);
        editor.show();
        editor.setCursorPosition(4, 6);
    }

    // Opens the dialog, types `entry` and confirms.
    bool Enter(TGotoDlg &dlg, const QString &entry)
    {
        WhenModal<TGotoDlg>([entry](TGotoDlg *d) {
            d->edtLine->setText(entry);
            QTest::mouseClick(d->btnOK, Qt::LeftButton);
        });
        return dlg.Execute(&editor);
    }

    std::pair<int, int> Caret()
    {
        int l = 0, i = 0;
        editor.getCursorPosition(&l, &i);
        return {l, i};
    }

    QsciScintilla editor;
};

TEST_F(GotoLineTest, CaptionAndStartValue)
{
    TGotoDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Gehe zu ..."));
    EXPECT_EQ(dlg.edtLine->text(), QStringLiteral("1"));
    EXPECT_TRUE(dlg.btnOK->isDefault());
    EXPECT_EQ(dlg.btnCancel->text(), QStringLiteral("Abbrechen"));
}

TEST_F(GotoLineTest, NumberMovesCaretAndViewKeepingTheColumn)
{
    TGotoDlg dlg;
    EXPECT_TRUE(Enter(dlg, QStringLiteral("50")));
    EXPECT_EQ(Caret(), std::make_pair(49, 6));
    EXPECT_EQ(editor.firstVisibleLine(), 49);
    // The field keeps the last entry for the next opening.
    WhenModal<TGotoDlg>([](TGotoDlg *d) {
        EXPECT_EQ(d->edtLine->text(), QStringLiteral("50"));
        d->reject();
    });
    EXPECT_FALSE(dlg.Execute(&editor));
    EXPECT_EQ(Caret(), std::make_pair(49, 6));
}

TEST_F(GotoLineTest, LettersLeaveCaretAndViewUnchanged)
{
    TGotoDlg dlg;
    for (const char *entry : {"abc", "12a", "", "3.5"}) {
        editor.setFirstVisibleLine(2);
        editor.setCursorPosition(4, 6);
        EXPECT_FALSE(Enter(dlg, QString::fromLatin1(entry))) << entry;
        EXPECT_EQ(Caret(), std::make_pair(4, 6)) << entry;
        EXPECT_EQ(editor.firstVisibleLine(), 2) << entry;
    }
}

TEST_F(GotoLineTest, LinesOutsideTheTextGoToItsEnds)
{
    GotoLine(&editor, 1000);
    EXPECT_EQ(Caret().first, 199);
    GotoLine(&editor, -3);
    EXPECT_EQ(Caret(), std::make_pair(0, 6));
    // A shorter line takes the caret to its end.
    editor.setText(QStringLiteral("lange Zeile hier\nkurz\n"));
    editor.setCursorPosition(0, 12);
    GotoLine(&editor, 2);
    EXPECT_EQ(Caret(), std::make_pair(1, 4));
}

}  // namespace
