// "Ansicht → Präsentation" (F11): full screen, all text 1.6 times as large, the world
// fitted; leaving puts everything back; tumbo.ini keeps the mode.
#include <QAction>
#include <QApplication>

#include "app/window/presentation_mode.h"
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

    QTest::keyClick(f.Editor, Qt::Key_F11);
    EXPECT_FALSE(f.Presentation->Active());
    EXPECT_FALSE(f.isFullScreen());
    EXPECT_EQ(QApplication::font(), font);
    EXPECT_EQ(EditorZoom(), zoom);
    EXPECT_DOUBLE_EQ(Scale().Scale(), 1.5);
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
