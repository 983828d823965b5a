// The marks a run leaves in the editor's gutter: the current line on a breakpoint, and a
// breakpoint removed or set anew between runs.
#include "app/window/mark_images.h"
#include "window_fixture.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

class RunMarks : public WindowTest {};

}  // namespace

TEST_F(RunMarks, CurrentLineMarkForgetsABreakpointThatWasRemoved)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.Editor->setCursorPosition(3, 0);  // line 4
    Key(Qt::Key_B, Qt::ControlModifier);
    // The run stops on the breakpoint and is stopped there.
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   EXPECT_EQ(Images(4), QList<int>{kImageCurrentOnBreakpoint});
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    // Without the breakpoint the next run shows the plain current-line picture.
    Key(Qt::Key_B, Qt::ControlModifier);
    ASSERT_EQ(f.Parser().BreakLine, -1);
    QList<int> first, fourth;
    RunScript([&] { Key(Qt::Key_F7); },
              {[&] {
                   first = Images(1);
                   Key(Qt::Key_F7);
               },
               [&] { Key(Qt::Key_F7); }, [&] { Key(Qt::Key_F7); },
               [&] {
                   fourth = Images(4);
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    EXPECT_EQ(first, QList<int>{kImageCurrentLine});
    EXPECT_EQ(fourth, QList<int>{kImageCurrentLine});
}

TEST_F(RunMarks, BreakpointSetAnewWhereTheRunStartsHidesBehindTheCurrentLine)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.RunControl().Marks().SetBreakpoint(2);
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   EXPECT_EQ(Images(2), QList<int>{kImageCurrentOnBreakpoint});
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    Key(Qt::Key_B, Qt::ControlModifier);  // removed …
    f.Editor->setCursorPosition(0, 0);
    Key(Qt::Key_B, Qt::ControlModifier);  // … and set on line 1, where every run starts
    ASSERT_EQ(f.Parser().BreakLine, 1);
    QList<int> atStart;
    RunScript([&] { Key(Qt::Key_F7); },
              {[&] {
                   atStart = Images(1);
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    EXPECT_EQ(atStart, QList<int>{kImageCurrentOnBreakpoint});
    EXPECT_EQ(Images(1), QList<int>{kImageBreakpoint});
}
