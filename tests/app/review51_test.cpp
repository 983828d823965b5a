// Second reading of the run commands and the current-line mark: the cases that lie between
// the other suites (a breakpoint removed after the run stood on it, scrolling up to the
// current line, Schnelllauf clearing the marks from the paused state).
#include <QMenuBar>

#include "app/dialog_commands.h"
#include "app/mark_images.h"
#include "window_fixture.h"
#include "world/welt.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

QString Turns(int count)
{
    QString program = QStringLiteral("Programm\r\n");
    for (int i = 0; i < count; ++i)
        program += QStringLiteral("  LinksDrehen\r\n");
    return program + QStringLiteral("*Programm\r\n");
}

class Review51 : public WindowTest {};

}  // namespace

TEST_F(Review51, CurrentLineMarkForgetsABreakpointThatWasRemoved)
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

TEST_F(Review51, CurrentLineAboveTheViewLeavesTenLinesAboveIt)
{
    TMainForm &f = Open();
    SetProgram(Turns(150));
    f.SetBreakpoint(50);
    int firstAfterStep = 0;
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   ASSERT_EQ(f.Parser().RunMode, 3);
                   f.Editor->SetFirstVisibleLine(120);
                   Key(Qt::Key_F7);  // on to line 51, far above the view
               },
               [&] {
                   f.FlushRunDisplay();
                   firstAfterStep = f.Editor->FirstVisibleLine();
                   f.StopCommand();
               }});
    EXPECT_EQ(firstAfterStep, 41);
}

TEST_F(Review51, FastRunFromSingleStepClearsTheMarks)
{
    TMainForm &f = Open();
    SetProgram(Turns(40));
    f.Parser().Delay = 5;
    QList<int> errorLine, abortLine;
    int mode = -1, current = -1;
    RunScript([&] { Key(Qt::Key_F7); },
              {[&] {
                   f.SetErrorMark(5);
                   f.SetAbortMark(6);
                   Key(Qt::Key_F9, Qt::ShiftModifier);
                   mode = f.Parser().RunMode;
                   errorLine = Images(5);
                   abortLine = Images(6);
                   current = 0;
                   for (int l = 1; l <= 42; ++l)
                       if (Images(l).contains(kImageCurrentLine))
                           current = l;
                   f.StopCommand();
               }});
    EXPECT_EQ(mode, 2);
    EXPECT_TRUE(errorLine.isEmpty());
    EXPECT_TRUE(abortLine.isEmpty());
    EXPECT_EQ(current, 0) << "no current-line mark in a fast run";
}

TEST_F(Review51, EveryMenuItemIsOfferedOnceTheDialogsExist)
{
    TMainForm &f = Open();
    new TDialogCommands(&f);  // as the program entry makes them
    QApplication::processEvents();
    // Only the chart's output items (until a chart is shown) and the direct world editing
    // (until the 2D view is shown) wait.
    const QStringList waiting = {"StruktSpeichern1", "StruktKopieren1", "StruktDrucken1", "Weltdirektfestlegen1"};
    QStringList disabled;
    for (QAction *menu : f.menuBar()->actions())
        for (QAction *a : menu->menu()->actions())
            if (!a->isSeparator() && !a->isEnabled())
                disabled << a->objectName();
    EXPECT_EQ(disabled, waiting);
}

TEST_F(Review51, BreakpointSetAnewWhereTheRunStartsHidesBehindTheCurrentLine)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.SetBreakpoint(2);
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
