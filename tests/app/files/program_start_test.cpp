// After a program is opened or a new one begun, the editor shows the text from its
// top-left corner, whatever the old text was scrolled to.
#include "app/files/file_commands.h"
#include "window_fixture.h"

namespace tumbo::app::test {
namespace {

class ProgramShownFromStart : public WindowTest {
protected:
    // The old text scrolled far to the right and down, the caret at its end.
    void ScrollAway()
    {
        QString text;
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("// ") + QString(300, QLatin1Char('x')) + QStringLiteral("\r\n");
        SetProgram(text);
        form_->Editor->setCursorPosition(150, 290);
        form_->Editor->SendScintilla(QsciScintillaBase::SCI_SETXOFFSET, 2000);
        ASSERT_GT(form_->Editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET), 0);
    }
    void ExpectTopLeft()
    {
        int line = -1, index = -1;
        form_->Editor->getCursorPosition(&line, &index);
        EXPECT_EQ(line, 0);
        EXPECT_EQ(index, 0);
        EXPECT_EQ(form_->Editor->firstVisibleLine(), 0);
        EXPECT_EQ(form_->Editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET), 0);
    }
};

TEST_F(ProgramShownFromStart, AfterOpeningAProgram)
{
    Open();
    WriteFile(QStringLiteral("kurz.tdp"), "Schritt\r\nLinksDrehen\r\n");
    ScrollAway();
    form_->Editor->setModified(false);
    ASSERT_TRUE(form_->FileCommands().LoadProgramFile(Folder() + QStringLiteral("kurz.tdp")));
    ExpectTopLeft();
}

TEST_F(ProgramShownFromStart, AfterANewProgram)
{
    Open();
    ScrollAway();
    form_->Editor->setModified(false);
    form_->FileCommands().NewProgramCommand();
    ExpectTopLeft();
}

}  // namespace
}  // namespace tumbo::app::test
