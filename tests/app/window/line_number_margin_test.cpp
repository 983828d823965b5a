// The line-number margin of the program editor is as wide as the numbers it shows, also
// when the text is zoomed.
#include "app/dialogs/dialog_commands.h"
#include "window_fixture.h"

namespace tumbo::app::test {
namespace {

class LineNumberMargin : public WindowTest {};

TEST_F(LineNumberMargin, GrowsAndShrinksWithTheZoomedText)
{
    Open();
    SetProgram(QStringLiteral("Schritt\r\n").repeated(20));
    const int plain = form_->Editor->marginWidth(0);
    ASSERT_GT(plain, 0);
    form_->Editor->zoomIn(6);
    QApplication::processEvents();
    const int zoomed = form_->Editor->marginWidth(0);
    EXPECT_GT(zoomed, plain + plain / 3);
    // Still room for "000" in the zoomed numbers.
    const long needed = form_->Editor->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                                     long(QsciScintillaBase::STYLE_LINENUMBER), "000");
    EXPECT_GE(zoomed, int(needed));
    form_->Editor->zoomTo(0);
    QApplication::processEvents();
    EXPECT_EQ(form_->Editor->marginWidth(0), plain);
}

TEST_F(LineNumberMargin, GrowsWithTheEditorFont)
{
    Open();
    auto *dialogs = new TDialogCommands(form_.get());
    SetProgram(QStringLiteral("Schritt\r\n").repeated(20));
    dialogs->SetEditorFontSize(10);
    QApplication::processEvents();
    const int plain = form_->Editor->marginWidth(0);
    dialogs->SetEditorFontSize(20);
    QApplication::processEvents();
    EXPECT_GT(form_->Editor->marginWidth(0), plain + plain / 2);
}

}  // namespace
}  // namespace tumbo::app::test
