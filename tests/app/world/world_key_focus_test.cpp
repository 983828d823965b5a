// The robot keys after a mouse press anywhere in the world pane, the frame that shows the
// pane has them, and the click hint of the 3D view, at 50, 100 and 300 per cent.
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>

#include "app/world/world_commands.h"
#include "window_fixture.h"
#include "world/qt/world_tools.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

class WorldPaneFocus : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    TMainForm &OpenAtScale()
    {
        WriteFile(QStringLiteral("tumbo.ini"), QStringLiteral("[Sizes]\r\nMaximized=FALSE\r\nViewScale=%1\r\n")
                                                   .arg(GetParam())
                                                   .toLatin1());
        TMainForm &form = Open();
        form.resize(1400, 900);
        QApplication::processEvents();
        EXPECT_DOUBLE_EQ(form.WeltViews().ViewScale().Factor, GetParam() / 100.0);
        return form;
    }
    bool Framed() const { return form_->ScrollBox->styleSheet().contains(QStringLiteral("highlight")); }
    QString Position() const { return form_->edtPositionX->text() + u'/' + form_->edtPositionY->text(); }
};

TEST_P(WorldPaneFocus, AClickOnThePictureTakesTheHintAndGivesTheRobotKeys)
{
    TMainForm &form = OpenAtScale();
    form.Editor->setFocus();
    ASSERT_FALSE(form.imgTumbo3D->toolTip().isEmpty());
    const TWeltQt &views = form.WeltViews();
    const QPoint onRobot = views.ViewScale().Map(views.RobotRect()).center();
    QTest::mouseClick(form.imgTumbo3D, Qt::LeftButton, {}, onRobot);
    EXPECT_TRUE(form.imgTumbo3D->toolTip().isEmpty());
    EXPECT_TRUE(form.DummyEdit->hasFocus());
    EXPECT_TRUE(Framed());

    QTest::keyClick(form.DummyEdit, Qt::Key_Left);  // facing east
    QTest::keyClick(form.DummyEdit, Qt::Key_Up);
    EXPECT_EQ(form.edtBlickrichtung->text(), QStringLiteral("O"));
    EXPECT_EQ(Position(), QStringLiteral("2/1"));
}

TEST_P(WorldPaneFocus, APressBesideTheWorldGivesTheRobotKeysAndShowsAFrame)
{
    TMainForm &form = OpenAtScale();
    form.Editor->setFocus();
    EXPECT_FALSE(Framed());
    const QSize inside = form.ScrollBox->viewport()->size();
    // Left of the picture, in the pane's margin, and (where the picture leaves room) in the
    // empty part at the bottom right.
    QWidget *viewport = form.ScrollBox->viewport();
    for (const QPoint at : {QPoint(5, 5), QPoint(viewport->width() - 5, viewport->height() - 5)}) {
        form.Editor->setFocus();
        QWidget *under = viewport->childAt(at) ? viewport->childAt(at) : viewport;
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(viewport, at));
        EXPECT_TRUE(form.DummyEdit->hasFocus()) << at.x() << "," << at.y();
        EXPECT_TRUE(Framed());
        // The frame takes no room from the world.
        EXPECT_EQ(form.ScrollBox->viewport()->size(), inside);
    }
    QTest::keyClick(form.DummyEdit, Qt::Key_Left);
    QTest::keyClick(form.DummyEdit, Qt::Key_Up);
    EXPECT_EQ(Position(), QStringLiteral("2/1"));
    // The hint is for the picture only.
    EXPECT_FALSE(form.imgTumbo3D->toolTip().isEmpty());

    form.Editor->setFocus();
    EXPECT_FALSE(Framed());
}

INSTANTIATE_TEST_SUITE_P(ViewScales, WorldPaneFocus, ::testing::Values(50, 100, 300));

// Keys typed as a pupil types them, to whatever has the focus in the window.
class WorldKeys : public WindowTest {
protected:
    void Type(int key) { QTest::keyClick(form_->windowHandle(), Qt::Key(key)); }
    QString Position() const { return form_->edtPositionX->text() + u'/' + form_->edtPositionY->text(); }
};

TEST_F(WorldKeys, RobotButtonsAndTheToolBoxLeaveTheKeysWithTheRobotUntilTheEditorIsClicked)
{
    TMainForm &form = Open();
    const QString program = QStringLiteral("Programm\r\n*Programm\r\n");
    form.Editor->setText(program);
    form.Editor->setFocus();
    QTest::mouseClick(form.btnTumboHinlegen, Qt::LeftButton);
    EXPECT_TRUE(form.DummyEdit->hasFocus());
    Type(Qt::Key_H);
    Type(Qt::Key_Left);  // facing east
    Type(Qt::Key_Up);
    EXPECT_EQ(form.Editor->text(), program);
    EXPECT_EQ(form.Welt().Room.BrickCount(0, 1), 2);
    EXPECT_EQ(Position(), QStringLiteral("2/1"));

    // A tool chosen in the tool box of the 2D view leaves the keys with the robot too.
    form.btnDarstell2D->click();
    form.Weltdirektfestlegen1->trigger();
    form.Editor->setFocus();
    QTest::mouseClick(form.WorldCommands().WorldTools->btnMarke, Qt::LeftButton);
    Type(Qt::Key_M);
    EXPECT_TRUE(form.Welt().Room.HasMark(1, 0));
    EXPECT_EQ(form.Editor->text(), program);

    // A click into the editor gives the keys back to the program text.
    QTest::mouseClick(form.Editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    Type(Qt::Key_X);
    EXPECT_TRUE(form.Editor->text().contains(QLatin1Char('x'), Qt::CaseInsensitive));
    EXPECT_TRUE(form.Welt().Room.HasMark(1, 0));
}

}  // namespace
}  // namespace tumbo::app::test
