// The view scale in the window: fitted by default, the zoom keys and the mouse wheel, the
// scale kept in tumbo.ini, and the robot kept in sight.
#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/world/view_scale_control.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

class ViewScaleWindow : public WindowTest {
protected:
    TMainForm &OpenSized()
    {
        WriteFile(QStringLiteral("tumbo.ini"), "[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\n");
        TMainForm &form = Open();
        form.resize(1600, 1000);
        QApplication::processEvents();
        QTest::qWait(20);
        return form;
    }
    TViewScaleControl &Control() { return *form_->findChild<TViewScaleControl *>(); }
    QSize Shown() { return form_->WeltViews().Image3D()->size(); }
};

TEST_F(ViewScaleWindow, AStartWorldFillsTheLargePaneFitted)
{
    TMainForm &form = OpenSized();
    EXPECT_TRUE(Control().Fitting());
    const QSize pane = form.ScrollBox->viewport()->size();
    EXPECT_GT(Control().Scale(), 1.5);
    EXPECT_LE(Shown().width() + 20, pane.width());
    EXPECT_LE(Shown().height() + 10, pane.height());
    // The world fills the pane in one direction, within a step of a pixel per cent.
    EXPECT_TRUE(Shown().width() + 20 > pane.width() - 10 || Shown().height() + 10 > pane.height() - 10);
}

TEST_F(ViewScaleWindow, ZoomKeysAndTheWheelStepTheScale)
{
    OpenSized();
    form_->DummyEdit->setFocus();
    QTest::keyClick(form_.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.0);
    EXPECT_FALSE(Control().Fitting());
    EXPECT_EQ(Shown(), QSize(301, 291));
    QTest::keyClick(form_.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.25);
    QTest::keyClick(form_.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(form_.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Control().Scale(), 0.75);
    EXPECT_EQ(Shown(), QSize(226, 218));

    QWidget *viewport = form_->ScrollBox->viewport();
    const QPointF at(50, 50);
    QWheelEvent up(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &up);
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.0);

    Control().Fit->trigger();
    EXPECT_TRUE(Control().Fitting());
    EXPECT_GT(Control().Scale(), 1.5);
}

TEST_F(ViewScaleWindow, TheScaleIsKeptInTheSettingsFile)
{
    OpenSized();
    Control().ShowOriginalSize();
    Control().ZoomIn();
    Control().ZoomIn();
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("ViewScale=150"));
    Open();
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.5);
    EXPECT_FALSE(Control().Fitting());
    form_.reset();

    // Older files without the key, and values that make no sense, fit the world.
    for (const char *line : {"", "ViewScale=0\r\n", "ViewScale=100000\r\n", "ViewScale=-3\r\n"}) {
        WriteFile(QStringLiteral("tumbo.ini"), QByteArray("[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\n") + line);
        Open();
        EXPECT_TRUE(Control().Fitting()) << line;
        form_.reset();
    }
}

TEST_F(ViewScaleWindow, TheRobotIsInSightAfterANewWorldAtAnyScale)
{
    OpenSized();
    Control().ShowOriginalSize();
    TWelt &welt = form_->WeltViews().Welt();
    welt.NewWorld(100, 100, 10);
    welt.Robot.X = 97;
    welt.Robot.Y = 95;
    form_->UpdateScrollRanges();
    QApplication::processEvents();
    const TWeltQt &views = form_->WeltViews();
    const QRect robot = views.ViewScale().Map(views.RobotRect()).translated(views.Image3D()->pos());
    const QRect seen(QPoint(form_->ScrollBox->horizontalScrollBar()->value(),
                            form_->ScrollBox->verticalScrollBar()->value()),
                     form_->ScrollBox->viewport()->size());
    EXPECT_TRUE(seen.contains(robot)) << robot.x() << "," << robot.y();
}

}  // namespace
}  // namespace tumbo::app::test
