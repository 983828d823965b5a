// The robot keys after a mouse press anywhere in the world pane, and the frame that shows
// the pane has them.
#include <QLineEdit>
#include <QScrollArea>

#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

class WorldPaneFocus : public WindowTest {};

TEST_F(WorldPaneFocus, APressBesideTheWorldGivesTheRobotKeysAndShowsAFrame)
{
    TMainForm &form = Open();
    form.resize(1400, 900);
    QApplication::processEvents();
    form.Editor->setFocus();
    EXPECT_TRUE(form.ScrollBox->styleSheet().isEmpty());
    // Far right and below the picture: the empty part of the pane.
    QWidget *viewport = form.ScrollBox->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
    EXPECT_TRUE(form.DummyEdit->hasFocus());
    EXPECT_TRUE(form.ScrollBox->styleSheet().contains(QStringLiteral("border")));

    const TTumbo &robot = form.WeltViews().Welt().Robot;
    QTest::keyClick(form.DummyEdit, Qt::Key_Down);  // a step back is refused at the wall,
    QTest::keyClick(form.DummyEdit, Qt::Key_Left);  // a turn is not
    EXPECT_NE(robot.Heading, 0);

    form.Editor->setFocus();
    EXPECT_TRUE(form.ScrollBox->styleSheet().isEmpty());

    // On the picture itself, too.
    QTest::mouseClick(form.WeltViews().Image3D(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form.DummyEdit->hasFocus());
}

}  // namespace
}  // namespace tumbo::app::test
