// "Ansicht → Hoher Kontrast" in the window: the views, the editor and the focus frame
// switch together, the choice is kept in tumbo.ini, and the usual colours come back.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <Qsci/qscilexer.h>

#include "app/window/accessibility.h"
#include "app/window/focus_frame.h"
#include "app/window/high_contrast.h"
#include "editor/highlighter_attributes.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app::test {
namespace {

class HighContrastWindow : public WindowTest {
protected:
    THighContrast &Contrast() { return *form_->Accessibility->Contrast; }
    QColor KeywordColour() const
    {
        return form_->Editor->lexer()->color(tumbo::editor::HighlighterAttributes()[2].kind);
    }
    QColor CommentColour() const
    {
        return form_->Editor->lexer()->color(tumbo::editor::HighlighterAttributes()[0].kind);
    }
};

TEST_F(HighContrastWindow, SwitchesViewsEditorAndFocusFrameAndBack)
{
    TMainForm &form = Open();
    auto *view = form.menuBar()->findChild<QMenu *>(QStringLiteral("Ansicht1"));
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->actions().contains(Contrast().Action));
    EXPECT_EQ(Contrast().Action->text(), QStringLiteral("Hoher Kontrast"));
    EXPECT_FALSE(Contrast().Action->isChecked());
    EXPECT_EQ(&form.WeltViews().Colors(), &TWorldColors::Usual());
    const QColor usualComment = CommentColour();
    form.Editor->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(Contrast().FocusFrame().Framed());

    Contrast().Action->trigger();
    EXPECT_TRUE(Contrast().On());
    EXPECT_TRUE(Contrast().Action->isChecked());
    EXPECT_EQ(&form.WeltViews().Colors(), &TWorldColors::HighContrast());
    EXPECT_EQ(CommentColour(), QColor(0, 100, 0));
    EXPECT_EQ(form.Editor->SendScintilla(QsciScintilla::SCI_GETCARETWIDTH), 3);
    EXPECT_EQ(Contrast().FocusFrame().Framed(), static_cast<QWidget *>(form.Editor));
    // The frame follows the focus, and frames the world pane for the robot keys.
    form.InfoBox->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Contrast().FocusFrame().Framed(), static_cast<QWidget *>(form.InfoBox));
    form.DummyEdit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Contrast().FocusFrame().Framed(), static_cast<QWidget *>(form.ScrollBox));
    const QRect frame = Contrast().FocusFrame().geometry();
    EXPECT_TRUE(frame.contains(QRect(form.ScrollBox->mapTo(&form, QPoint(0, 0)), form.ScrollBox->size())));

    Contrast().Action->trigger();
    EXPECT_FALSE(Contrast().On());
    EXPECT_EQ(&form.WeltViews().Colors(), &TWorldColors::Usual());
    EXPECT_EQ(CommentColour(), usualComment);
    EXPECT_EQ(form.Editor->SendScintilla(QsciScintilla::SCI_GETCARETWIDTH), 1);
    EXPECT_FALSE(Contrast().FocusFrame().Framed());
}

TEST_F(HighContrastWindow, KeptInTheSettingsFile)
{
    Open();
    EXPECT_FALSE(ReadFile(QStringLiteral("tumbo.ini")).contains("HighContrast=TRUE"));
    Contrast().Action->trigger();
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("HighContrast=TRUE"));

    TMainForm &again = Open();
    EXPECT_TRUE(Contrast().Action->isChecked());
    EXPECT_EQ(&again.WeltViews().Colors(), &TWorldColors::HighContrast());
    EXPECT_EQ(CommentColour(), QColor(0, 100, 0));
    EXPECT_EQ(KeywordColour(), QColor(0, 0, 0));
}

}  // namespace
}  // namespace tumbo::app::test
