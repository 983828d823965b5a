// World editing by keyboard alone: with a tool chosen the arrow keys move a cell cursor
// over the 2D map and Space or Shift+Space edit its cell, all through real key events;
// without a tool the arrow keys drive the robot.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QToolButton>

#include "app/window/accessibility.h"
#include "app/world/cell_cursor.h"
#include "app/world/world_commands.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_tools.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

using tumbo::world::TWorldTools;

class CellCursor : public WindowTest {
protected:
    // The window with the 2D map, the tool box open and the keys in the world pane.
    TMainForm &OpenEditing()
    {
        TMainForm &form = Open();
        form.WorldCommands().SwitchViewCommand();
        form.WorldCommands().WorldToolsCommand();
        form.activateWindow();
        form.DummyEdit->setFocus();
        QApplication::processEvents();
        return form;
    }
    TWorldTools &Tools() { return *form_->WorldCommands().WorldTools; }
    TCellCursor &Cursor() { return *form_->Accessibility->Cursor; }
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form_->DummyEdit, Qt::Key(key), mods);
    }
    TRaum &Room() { return form_->Welt().Room; }
    TTumbo &Robot() { return form_->Welt().Robot; }
};

TEST_F(CellCursor, ArrowKeysMoveTheCursorAndSpaceEditsItsCell)
{
    TMainForm &form = OpenEditing();
    EXPECT_FALSE(Cursor().Cell());  // no tool yet
    Tools().btnZiegel->click();
    ASSERT_EQ(Cursor().Cell(), QPoint(0, 0));  // it starts on the robot's cell
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    Press(Qt::Key_Left);
    Press(Qt::Key_Right);
    EXPECT_EQ(Cursor().Cell(), QPoint(2, 1));
    EXPECT_EQ(Robot().X, 0);
    EXPECT_EQ(Robot().Y, 0);
    EXPECT_EQ(Robot().Heading, kSueden);

    Press(Qt::Key_Space);
    Press(Qt::Key_Space);
    EXPECT_EQ(Room().BrickCount(2, 1), 2);
    Press(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Room().BrickCount(2, 1), 1);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.DummyEdit)->text(QAccessible::Name),
              QStringLiteral("Feld (3, 2): 1 Ziegel."));

    // The cursor cannot leave the room.
    for (int i = 0; i < 12; ++i) {
        Press(Qt::Key_Up);
        Press(Qt::Key_Left);
    }
    EXPECT_EQ(Cursor().Cell(), QPoint(0, 0));
}

TEST_F(CellCursor, TheCursorIsDrawnOnItsCell)
{
    TMainForm &form = OpenEditing();
    const QImage before = form.pbTumbo2D->grab().toImage();
    Tools().btnMarke->click();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    const QImage with = form.pbTumbo2D->grab().toImage();
    const double ratio = with.devicePixelRatio();
    const TViewScale scale{form.WeltViews().ViewScale().Factor * ratio};
    // Inside the top left corner of cell (0, 2): a black, then a magenta ring.
    const QPoint corner = TWeltView2D::Project2D(0, 2, scale);
    const int thin = scale.LineWidth();
    EXPECT_EQ(with.pixelColor(corner + QPoint(thin + 1, thin + 1)), QColor(255, 0, 255));
    EXPECT_EQ(before.pixelColor(corner + QPoint(thin + 1, thin + 1)), QColor(Qt::white));
    EXPECT_NE(with, before);
    // Without the keys the cursor goes.
    form.Editor->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(Cursor().Cell());
    EXPECT_EQ(form.pbTumbo2D->grab().toImage().pixelColor(corner + QPoint(thin + 1, thin + 1)), QColor(Qt::white));
}

TEST_F(CellCursor, SpaceDoesWhatAClickDoesAndShiftSpaceTheOpposite)
{
    struct Case {
        const char *tool;
        std::function<void(TRaum &)> before;
        std::function<bool(TRaum &, TTumbo &)> afterSpace, afterShiftSpace;
    };
    const Case cases[] = {
        {"btnMarke", [](TRaum &) {}, [](TRaum &r, TTumbo &) { return r.HasMark(1, 1); },
         [](TRaum &r, TTumbo &) { return !r.HasMark(1, 1); }},
        {"btnMarkeD", [](TRaum &r) { r.SetMark(1, 1); }, [](TRaum &r, TTumbo &) { return !r.HasMark(1, 1); },
         [](TRaum &r, TTumbo &) { return r.HasMark(1, 1); }},
        {"btnQuader", [](TRaum &) {}, [](TRaum &r, TTumbo &) { return r.ContentAt(1, 1, 0) == kQuader; },
         [](TRaum &r, TTumbo &) { return r.Height(1, 1) == 0; }},
        {"btnQuaderD", [](TRaum &r) { r.AddItem(1, 1, kQuader); },
         [](TRaum &r, TTumbo &) { return r.Height(1, 1) == 0; },
         [](TRaum &r, TTumbo &) { return r.ContentAt(1, 1, 0) == kQuader; }},
        {"btnZiegelD", [](TRaum &r) { r.AddItem(1, 1, kZiegel); },
         [](TRaum &r, TTumbo &) { return r.Height(1, 1) == 0; },
         [](TRaum &r, TTumbo &) { return r.BrickCount(1, 1) == 1; }},
        // The robot is moved by Space; Shift+Space does not take it away.
        {"btnTumbo", [](TRaum &) {}, [](TRaum &, TTumbo &t) { return t.X == 1 && t.Y == 1; },
         [](TRaum &, TTumbo &t) { return t.X == 1 && t.Y == 1; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tool);
        OpenEditing();
        c.before(Room());
        form_->Welt().RedrawAll();
        Tools().findChild<QToolButton *>(QString::fromLatin1(c.tool))->click();
        Press(Qt::Key_Right);
        Press(Qt::Key_Down);
        Press(Qt::Key_Space);
        EXPECT_TRUE(c.afterSpace(Room(), Robot()));
        Press(Qt::Key_Space, Qt::ShiftModifier);
        EXPECT_TRUE(c.afterShiftSpace(Room(), Robot()));
        form_.reset();
    }
}

TEST_F(CellCursor, WithoutAToolTheArrowKeysDriveTheRobot)
{
    TMainForm &form = OpenEditing();
    Tools().btnZiegel->click();
    Press(Qt::Key_Down);
    Tools().btnZiegel->click();  // no tool again
    EXPECT_FALSE(Cursor().Cell());
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);
    EXPECT_EQ(Robot().Y, 1);
    EXPECT_EQ(Robot().Heading, kOsten);
    EXPECT_EQ(form.edtBlickrichtung->text(), QStringLiteral("O"));
    // Robot keys other than the arrows work with a tool chosen, too.
    Tools().btnZiegel->click();
    Press(Qt::Key_H);
    EXPECT_EQ(Room().BrickCount(1, 1), 1);
}

TEST_F(CellCursor, AToolChosenByKeyboardInTheToolBoxHandsTheKeysBackToTheWorld)
{
    TMainForm &form = Open();
    form.WorldCommands().SwitchViewCommand();
    form.WorldCommands().WorldToolsCommand();
    Tools().activateWindow();
    Tools().btnMarke->setFocus();
    QApplication::processEvents();
    QTest::keyClick(Tools().btnMarke, Qt::Key_Space);
    QTRY_VERIFY(form.DummyEdit->hasFocus());
    Press(Qt::Key_Right);
    Press(Qt::Key_Space);
    EXPECT_TRUE(Room().HasMark(1, 0));
}

TEST_F(CellCursor, GoesWithTheToolBoxAndTheThreeDimensionalView)
{
    OpenEditing();
    Tools().btnZiegel->click();
    EXPECT_TRUE(Cursor().Cell());
    form_->WorldCommands().WorldToolsCommand();  // the box closes
    EXPECT_FALSE(Cursor().Cell());
    Press(Qt::Key_Right);
    EXPECT_EQ(Robot().Heading, kWesten);
    form_->WorldCommands().WorldToolsCommand();
    EXPECT_TRUE(Cursor().Cell());
    form_->WorldCommands().SwitchViewCommand();  // 3D
    EXPECT_FALSE(Cursor().Cell());
}

}  // namespace
}  // namespace tumbo::app::test
