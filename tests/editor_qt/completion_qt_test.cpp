// The completion list (Ctrl+Space) in a real editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include "editor/qt/completion_popup.h"
#include "editor_fixture.h"

using namespace tumbo::editor;

namespace {

struct CompletionQt : ::testing::Test, ProgramEditor {
    CompletionPopup *popup = new CompletionPopup(editor);
    void Choose() { editor.SendScintilla(QsciScintillaBase::SCI_AUTOCCOMPLETE); }
    // Rows of the list on screen. The editor makes a new list widget for every showing and
    // empties the old ones, so the fullest list is the one shown.
    int Rows()
    {
        int rows = -1;
        for (QWidget *widget : QApplication::allWidgets())
            if (auto *list = qobject_cast<QListWidget *>(widget); list && list->isVisible())
                rows = std::max(rows, list->count());
        return rows;
    }
    QString Current()
    {
        QByteArray buffer(256, '\0');
        editor.SendScintilla(QsciScintillaBase::SCI_AUTOCGETCURRENTTEXT, 0UL, buffer.data());
        return QString::fromUtf8(buffer.constData());
    }
};

}  // namespace

TEST_F(CompletionQt, CtrlSpaceOpensTheListForTheTypedWord)
{
    Set("  wenn IstW", 1, 12);
    QTest::keyClick(&editor, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(popup->isActive());
    EXPECT_EQ(Text(), "  wenn IstW");  // the key types nothing
    EXPECT_EQ(Current(), "IstWand");
    Choose();
    EXPECT_EQ(Text(), "  wenn IstWand");
}

TEST_F(CompletionQt, EntryWithBlanksReplacesTheWord)
{
    Set("(wie", 1, 5);
    ASSERT_TRUE(popup->show());
    EXPECT_EQ(Current(), "wiederhole  mal");
    Choose();
    EXPECT_EQ(Text(), "(wiederhole  mal");
}

TEST_F(CompletionQt, NoFittingEntryShowsNothing)
{
    Set("HatZ", 1, 5);
    EXPECT_FALSE(popup->show());
    EXPECT_FALSE(popup->isActive());
    EXPECT_EQ(popup->typedWord(), "HatZ");
}

TEST_F(CompletionQt, TypingOnShrinksTheList)
{
    Set(QString::fromUtf8("x.markel"), 1, 9);
    EXPECT_EQ(popup->typedWord(), "markel");
    ASSERT_TRUE(popup->show());
    EXPECT_EQ(Current(), QString::fromUtf8("MarkeLöschen"));

    Set("", 1, 1);
    ASSERT_TRUE(popup->show());
    EXPECT_EQ(Rows(), 41);  // the empty entries included
    QTest::keyClicks(&editor, "istw");
    QApplication::processEvents();
    ASSERT_TRUE(popup->isActive());
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Current(), "IstWand");
    QTest::keyClick(&editor, Qt::Key_Down);
    EXPECT_EQ(Current(), "IstWesten");
    QTest::keyClick(&editor, Qt::Key_Down);  // only two entries are left
    EXPECT_EQ(Current(), "IstWesten");
    Choose();
    EXPECT_EQ(Text(), "IstWesten");
}
