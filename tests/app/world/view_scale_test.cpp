// The view scale in the window: fitted by default, the zoom keys and the mouse wheel, the
// scale kept in tumbo.ini, and the robot kept in sight.
#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>

#include "app/files/file_commands.h"
#include "file_commands_fixture.h"
#include "world/qt/new_room_dlg.h"
#include "world/qt/spin_edit.h"
#include "app/history/replay_bar.h"
#include "app/world/view_scale_control.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

class ViewScaleWindow : public WindowTest {
protected:
    // The window at 1600 x 1000; `sizes` are more lines of the section [Sizes].
    TMainForm &OpenSized(const QByteArray &sizes = {})
    {
        WriteFile(QStringLiteral("tumbo.ini"), "[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\n" + sizes);
        TMainForm &form = Open();
        form.resize(1600, 1000);
        QApplication::processEvents();
        QTest::qWait(20);
        return form;
    }
    TViewScaleControl &Control() { return *form_->findChild<TViewScaleControl *>(); }
    QSize Shown() { return form_->WeltViews().Image3D()->size(); }

    // The robot's picture lies wholly in the visible part of the world pane, with two fields
    // around it where the world goes on and the pane has room for them.
    ::testing::AssertionResult RobotInSight()
    {
        const TWeltQt &views = form_->WeltViews();
        const QWidget *shown = views.Is2D() ? static_cast<QWidget *>(views.PaintBox2D()) : views.Image3D();
        const QRect robot = views.ViewScale().Map(views.RobotRect()).translated(shown->pos());
        const QScrollArea &pane = *form_->ScrollBox;
        const QRect seen(QPoint(pane.horizontalScrollBar()->value(), pane.verticalScrollBar()->value()),
                         pane.viewport()->size());
        const int mx = std::min(2 * robot.width(), (seen.width() - robot.width()) / 2 - 2);
        const int my = std::min(2 * robot.height(), (seen.height() - robot.height()) / 2 - 2);
        const QRect margin = robot.adjusted(-mx, -my, mx, my).intersected(QRect(shown->pos(), shown->size()));
        if (seen.contains(robot) && seen.contains(margin.united(robot)))
            return ::testing::AssertionSuccess();
        const TTumbo &r = views.Welt().Robot;
        return ::testing::AssertionFailure()
               << "robot at cell " << r.X << "/" << r.Y << " drawn at " << robot.x() << "," << robot.y() << " "
               << robot.width() << "x" << robot.height() << ", pane shows " << seen.x() << "," << seen.y() << " "
               << seen.width() << "x" << seen.height();
    }

    // A 100 x 100 x 10 world with the robot near its south-east corner, facing west.
    QString WriteBigWorld()
    {
        TWelt big(100, 100, 10);
        big.Robot.X = 97;
        big.Robot.Y = 95;
        big.Robot.Heading = 1;
        const QString file = Folder() + QStringLiteral("gross.tdw");
        EXPECT_TRUE(big.SaveToFile(file.toStdString()).Ok());
        return file;
    }
};

TEST_F(ViewScaleWindow, AStartWorldFillsTheLargePaneFitted)
{
    TMainForm &form = OpenSized();
    EXPECT_TRUE(Control().Fitting());
    const QSize pane = form.ScrollBox->viewport()->size();
    EXPECT_GT(Control().Scale(), 1.5);
    // The world fills the pane in one direction, with the margin at the left (top) at the
    // right (bottom) too, within a step of a pixel per cent.
    EXPECT_LE(Shown().width() + 40, pane.width());
    EXPECT_LE(Shown().height() + 20, pane.height());
    EXPECT_TRUE(Shown().width() + 40 > pane.width() - 10 || Shown().height() + 20 > pane.height() - 10);
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

TEST_F(ViewScaleWindow, TheWheelZoomsAboutThePointUnderTheMouse)
{
    TMainForm &form = OpenSized("ViewScale=100\r\n");
    ASSERT_TRUE(form.FileCommands().OpenWorld(WriteBigWorld()));
    QWidget *viewport = form.ScrollBox->viewport();
    // The robot's middle, in the pane.
    auto robotInPane = [&] {
        const TWeltQt &views = form.WeltViews();
        return views.ViewScale().Map(views.RobotRect()).center() + views.Image3D()->pos() -
               QPoint(form.ScrollBox->horizontalScrollBar()->value(), form.ScrollBox->verticalScrollBar()->value());
    };
    const QPoint mouse = robotInPane();
    ASSERT_TRUE(viewport->rect().contains(mouse));
    for (int notch : {120, 120, -120}) {
        QWheelEvent wheel(mouse, viewport->mapToGlobal(mouse), QPoint(), QPoint(0, notch), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        const QPoint robot = robotInPane();
        EXPECT_NEAR(robot.x(), mouse.x(), 3) << Control().Scale();
        EXPECT_NEAR(robot.y(), mouse.y(), 3) << Control().Scale();
    }
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.25);
}

TEST_F(ViewScaleWindow, TheZoomKeysWorkInTheEditorToo)
{
    OpenSized();
    form_->Editor->setFocus();
    QTest::keyClick(form_->Editor, Qt::Key_0, Qt::ControlModifier);
    QTest::keyClick(form_->Editor, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Control().Scale(), 1.25);
    EXPECT_EQ(form_->Editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 0);
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
    Control().FitIntoPane();
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("ViewScale=0"));

    // Older files without the key, and values that make no sense, fit the world, and
    // nothing is said about them.
    for (const char *line : {"", "ViewScale=0\r\n", "ViewScale=100000\r\n", "ViewScale=-3\r\n", "ViewScale=gross\r\n"}) {
        WriteFile(QStringLiteral("tumbo.ini"), QByteArray("[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\n") + line);
        Open();
        EXPECT_TRUE(Control().Fitting()) << line;
        EXPECT_TRUE(asked_.empty()) << line;
        form_.reset();
    }
}

// From the south-east corner of the big world west along the row, then north.
const QString kAcrossTheRoom = QStringLiteral(
    "Programm\r\n  wiederhole 96 mal\r\n    Schritt\r\n  *wiederhole\r\n"
    "  RechtsDrehen\r\n  wiederhole 94 mal\r\n    Schritt\r\n  *wiederhole\r\n*Programm\r\n");

// The robot in sight in the 3D and the 2D view at 50, 100 and 300 per cent.
class RobotInSightAt : public ViewScaleWindow, public ::testing::WithParamInterface<std::tuple<bool, int>> {
protected:
    TMainForm &OpenBigWorld()
    {
        const auto [is2D, percent] = GetParam();
        TMainForm &form = OpenSized(QStringLiteral("ViewScale=%1\r\n").arg(percent).toLatin1());
        if (is2D)
            form.btnDarstell2D->click();
        EXPECT_TRUE(form.FileCommands().OpenWorld(WriteBigWorld()));
        return form;
    }
};

TEST_P(RobotInSightAt, AfterAnOpenedOrRestoredWorld)
{
    TMainForm &form = OpenBigWorld();
    EXPECT_TRUE(RobotInSight());
    form.ScrollBox->horizontalScrollBar()->setValue(0);
    form.ScrollBox->verticalScrollBar()->setValue(0);
    ASSERT_FALSE(RobotInSight());
    form.btnWeltWiederherstellen->click();
    EXPECT_TRUE(RobotInSight());
}

TEST_P(RobotInSightAt, TheViewFollowsTheRobotThroughANormalRun)
{
    TMainForm &form = OpenBigWorld();
    SetProgram(kAcrossTheRoom);
    form.Parser().Delay = 2;
    const TTumbo &robot = form.Welt().Robot;
    int checks = 0;
    auto check = [&] {
        EXPECT_TRUE(RobotInSight());
        ++checks;
    };
    RunScript([&] { Key(Qt::Key_F9); }, {When([&] { return robot.X < 50; }, check),
                                         When([&] { return robot.X == 1 && robot.Y < 60; }, check)});
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(robot.Y, 1);
    EXPECT_TRUE(RobotInSight());
}

TEST_P(RobotInSightAt, AFastRunShowsWhereTheRobotEnded)
{
    TMainForm &form = OpenBigWorld();
    SetProgram(kAcrossTheRoom);
    Key(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(form.Parser().RunMode, 0);
    EXPECT_EQ(form.Welt().Robot.Y, 1);
    EXPECT_TRUE(RobotInSight());
}

TEST_P(RobotInSightAt, TheReplaySliderKeepsTheRobotInSight)
{
    TMainForm &form = OpenBigWorld();
    SetProgram(kAcrossTheRoom);
    Key(Qt::Key_F9, Qt::ShiftModifier);
    ASSERT_TRUE(form.ReplayBar->isVisible());
    QTest::keyClick(form.ReplayBar->Slider, Qt::Key_Home);
    EXPECT_EQ(form.Welt().Robot.X, 97) << "the first step shows the robot at its start";
    EXPECT_TRUE(RobotInSight());
    QTest::keyClick(form.ReplayBar->Slider, Qt::Key_End);
    EXPECT_EQ(form.Welt().Robot.Y, 1);
    EXPECT_TRUE(RobotInSight());
}

INSTANTIATE_TEST_SUITE_P(ViewsAndScales, RobotInSightAt,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(50, 100, 300)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param) ? "Map" : "Picture") +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST_F(ViewScaleWindow, TheViewFollowsTheRobotStepByStep)
{
    TMainForm &form = OpenSized("ViewScale=300\r\n");
    TWelt &welt = form.Welt();
    welt.NewWorld(40, 3, 4);
    welt.Robot.Heading = 3;  // east
    form.UpdateScrollRanges();
    SetProgram(QStringLiteral("Programm\r\n  wiederhole 39 mal\r\n    Schritt\r\n  *wiederhole\r\n*Programm\r\n"));
    int outOfSight = 0;
    auto stepOn = [&] {
        if (form.Parser().RunMode == 0)
            return;  // the run is over; F7 would start it again
        outOfSight += !RobotInSight();
        Key(Qt::Key_F7);
        repeatStep_ = true;
    };
    RunScript([&] { Key(Qt::Key_F7); }, {stepOn}, 10);
    EXPECT_EQ(outOfSight, 0);
    EXPECT_EQ(welt.Robot.X, 39);
    EXPECT_GT(form.ScrollBox->horizontalScrollBar()->value(), 0);
}

TEST_P(RobotInSightAt, RobotKeysAndButtonsKeepTheRobotInSight)
{
    TMainForm &form = OpenBigWorld();
    const TTumbo &robot = form.Welt().Robot;
    form.ScrollBox->horizontalScrollBar()->setValue(0);
    form.ScrollBox->verticalScrollBar()->setValue(0);
    QTest::mouseClick(form.btnTumboVor, Qt::LeftButton);  // west, with the keys to the world
    EXPECT_TRUE(RobotInSight());
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        ASSERT_TRUE(RobotInSight()) << "after step " << i;
    }
    QTest::keyClick(form.windowHandle(), Qt::Key_Right);  // north
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        ASSERT_TRUE(RobotInSight()) << "after step " << i;
    }
    EXPECT_EQ(robot.X, 66);
    EXPECT_EQ(robot.Y, 65);
}

TEST_P(RobotInSightAt, ZoomingKeepsTheRobotInSight)
{
    OpenBigWorld();
    for (auto zoom : {&TViewScaleControl::ZoomIn, &TViewScaleControl::ZoomIn, &TViewScaleControl::ShowOriginalSize,
                      &TViewScaleControl::ZoomOut, &TViewScaleControl::FitIntoPane}) {
        (Control().*zoom)();
        EXPECT_TRUE(RobotInSight()) << Control().Scale();
    }
}

TEST_F(ViewScaleWindow, OriginalSizeInANewBigWorldShowsTheRobot)
{
    TMainForm &form = OpenSized();
    WhenModal<tumbo::world::TNewRoomDlg>([](tumbo::world::TNewRoomDlg *d) {
        d->speBreite->setValue(100);
        d->speLaenge->setValue(100);
        d->speHoehe->setValue(10);
        d->accept();
    });
    QTest::mouseClick(form.btnWeltNeu, Qt::LeftButton);
    ASSERT_EQ(form.Welt().Room.Width(), 100);
    EXPECT_TRUE(RobotInSight());
    form.activateWindow();  // back from the dialog
    QApplication::processEvents();
    QTest::keyClick(form.DummyEdit, Qt::Key_0, Qt::ControlModifier);
    ASSERT_DOUBLE_EQ(Control().Scale(), 1.0);
    EXPECT_TRUE(RobotInSight());
}

TEST_F(ViewScaleWindow, AFittedWorldStandsInTheMiddleOfThePane)
{
    TMainForm &form = OpenSized();
    for (bool is2D : {false, true}) {
        if (is2D)
            form.btnDarstell2D->click();
        QApplication::processEvents();
        const QWidget *shown = is2D ? static_cast<QWidget *>(form.pbTumbo2D) : form.imgTumbo3D;
        const QRect inPane(shown->mapTo(form.ScrollBox->viewport(), QPoint(0, 0)), shown->size());
        const QSize pane = form.ScrollBox->viewport()->size();
        const int left = inPane.left(), right = pane.width() - 1 - inPane.right();
        const int top = inPane.top(), bottom = pane.height() - 1 - inPane.bottom();
        EXPECT_NEAR(left, right, 22) << is2D;
        EXPECT_NEAR(top, bottom, 22) << is2D;
    }
    // Also at its own size, much smaller than the pane.
    Control().ShowOriginalSize();
    const QRect inPane(form.pbTumbo2D->mapTo(form.ScrollBox->viewport(), QPoint(0, 0)), form.pbTumbo2D->size());
    EXPECT_NEAR(inPane.left(), form.ScrollBox->viewport()->width() - 1 - inPane.right(), 22);
    EXPECT_GT(inPane.left(), 200);
}

TEST_F(ViewScaleWindow, TheRobotIsInSightAfterANewWorld)
{
    TMainForm &form = OpenSized("ViewScale=300\r\n");
    ASSERT_TRUE(form.FileCommands().OpenWorld(WriteBigWorld()));
    ASSERT_GT(form.ScrollBox->horizontalScrollBar()->value(), 0);
    form.Welt().NewWorld(100, 100, 10);
    form.UpdateScrollRanges();
    EXPECT_TRUE(RobotInSight());
}

}  // namespace
}  // namespace tumbo::app::test
