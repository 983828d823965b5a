// "Ansicht → Präsentation" (F11): full screen, all text 1.6 times as large, the bars, the
// overview column and the bottom panel with it, the world fitted; leaving puts everything
// back; tumbo.ini keeps the mode.
#include <QAction>
#include <QApplication>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "app/window/presentation_mode.h"
#include "app/window/status_bar.h"
#include "app/world/view_scale_control.h"
#include "window_fixture.h"

namespace tumbo::app::test {
namespace {

class Presentation : public WindowTest {
protected:
    TMainForm &OpenWith(const QByteArray &ini)
    {
        WriteFile(QStringLiteral("tumbo.ini"), "[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\nViewScale=150\r\n" + ini);
        return Open();
    }
    TViewScaleControl &Scale() { return *form_->findChild<TViewScaleControl *>(); }
    long EditorZoom() { return form_->Editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM); }
};

TEST_F(Presentation, F11EnlargesEveryTextFitsTheWorldAndF11AgainPutsItBack)
{
    TMainForm &f = OpenWith({});
    const QFont font = QApplication::font();
    const long zoom = EditorZoom();
    ASSERT_FALSE(Scale().Fitting());
    QWidget *programBar = f.findChild<QWidget *>(QStringLiteral("PanelProgramNavigator"));
    ASSERT_EQ(programBar->height(), 27);
    ASSERT_EQ(f.btnAblaufNormal->size(), QSize(24, 23));
    const QSize icon = f.btnAblaufNormal->iconSize();
    const int overview = f.PanelCodeView->width();
    const int bottom = f.PanelBottom->height();

    f.Editor->setFocus();
    QTest::keyClick(f.Editor, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_TRUE(f.Presentation->Active());
    EXPECT_TRUE(f.isFullScreen());
    EXPECT_NEAR(QApplication::font().pointSizeF(), font.pointSizeF() * 1.6, 0.01);
    EXPECT_NEAR(f.InfoBox->font().pointSizeF(), font.pointSizeF() * 1.6, 0.01);
    EXPECT_GT(EditorZoom(), zoom + 2) << zoom << " " << f.Editor->font().pointSizeF();
    EXPECT_TRUE(Scale().Fitting());
    EXPECT_TRUE(f.Presentation->Action->isChecked());
    // The bars and their buttons grow with the text, the overview column and the bottom
    // panel too, short of taking the panes above more than two fifths of the screen.
    EXPECT_EQ(programBar->height(), 43);
    EXPECT_EQ(f.StatusLine->height(), 43);
    EXPECT_EQ(f.btnAblaufNormal->size(), QSize(38, 37));
    EXPECT_EQ(f.btnAblaufNormal->iconSize(), icon * 1.6);
    EXPECT_GE(f.PanelCodeView->width(), std::lround(overview * 1.6));
    EXPECT_GE(f.PanelCodeView->width(), f.OverviewEntriesWidth());
    EXPECT_EQ(f.PanelBottom->height(), std::min(int(std::lround(bottom * 1.6)), f.height() * 2 / 5));
    EXPECT_GE(f.PanelTop->height(), f.height() / 2);
    EXPECT_GT(f.PanelBottom->height(), bottom);

    QTest::keyClick(f.Editor, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_FALSE(f.Presentation->Active());
    EXPECT_FALSE(f.isFullScreen());
    EXPECT_EQ(QApplication::font(), font);
    EXPECT_EQ(EditorZoom(), zoom);
    EXPECT_DOUBLE_EQ(Scale().Scale(), 1.5);
    EXPECT_EQ(programBar->height(), 27);
    EXPECT_EQ(f.StatusLine->height(), 27);
    EXPECT_EQ(f.btnAblaufNormal->size(), QSize(24, 23));
    EXPECT_EQ(f.btnAblaufNormal->iconSize(), icon);
    EXPECT_EQ(f.PanelCodeView->width(), overview);
    EXPECT_EQ(f.PanelBottom->height(), bottom);
}

TEST_F(Presentation, TheSettingsFileKeepsTheMode)
{
    const QFont font = QApplication::font();
    TMainForm &f = OpenWith({});
    f.Presentation->Action->trigger();
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("[Ansicht]\r\nPraesentation=TRUE"));
    QApplication::setFont(font);  // the window that was closed in the mode leaves it on

    form_ = std::make_unique<TMainForm>(QStringList{QStringLiteral("/I") + dir_.path()});
    form_->ShowAtStart();
    EXPECT_TRUE(form_->Presentation->Active());
    EXPECT_TRUE(form_->isFullScreen());
    form_->Presentation->SetActive(false);
    EXPECT_EQ(QApplication::font(), font);
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("Praesentation=FALSE"));
}

}  // namespace
}  // namespace tumbo::app::test
