#include <QLineEdit>

#include <ctime>

#include "app/window/mark_images.h"
#include "window_fixture.h"
#include "world/welt.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

const QString kForever = QStringLiteral(
    "Programm\r\n"              // 1
    "  wiederhole immer\r\n"    // 2
    "    LinksDrehen\r\n"       // 3
    "    LinksDrehen\r\n"       // 4
    "  *wiederhole\r\n"         // 5
    "*Programm\r\n");           // 6

const QString kSixSteps = QStringLiteral(
    "Programm\r\n  Schritt\r\n  Schritt\r\n  Schritt\r\n  LinksDrehen\r\n  LinksDrehen\r\n  Schritt\r\n*Programm\r\n");

QString Turns(int count)
{
    QString program = QStringLiteral("Programm\r\n");
    for (int i = 0; i < count; ++i)
        program += QStringLiteral("  LinksDrehen\r\n");
    return program + QStringLiteral("*Programm\r\n");
}

class RunControl : public WindowTest {};

}  // namespace

TEST_F(RunControl, FailedCheckShowsErrorLineMarkAndRedLampAndDoesNotRun)
{
    TMainForm &f = Open();
    SetProgram(QStringLiteral("Programm\r\n  Schritt\r\n  Schritt\r\n  LinksDrehen\r\n  Schritt\r\n"
                              "  Schritt\r\n  Huepfen\r\n*Programm\r\n"));
    Key(Qt::Key_F9);
    const QStringList lines = InfoLines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Programm : "));
    EXPECT_EQ(lines[1], QStringLiteral("Welt : "));
    EXPECT_EQ(lines[2], QStringLiteral("----------"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("[Fehlernr 10] (Zeile 7): "))) << lines[3].toStdString();
    EXPECT_EQ(Images(7), QList<int>{kImageError});
    EXPECT_EQ(LampColor(), kRed);
    EXPECT_EQ(f.Welt().Robot.Y, 0) << "the program must not run";
    EXPECT_TRUE(f.Editor->EditingEnabled());

    // "Meldungen löschen" turns the lamp from red to silver and removes the mark.
    f.Meldungenloeschen1->trigger();
    EXPECT_EQ(LampColor(), kSilver);
    EXPECT_EQ(InfoLines().size(), 3);
    EXPECT_TRUE(Images(7).isEmpty());
}

TEST_F(RunControl, SyntaxCheckReportsNoErrorAndLeavesTheLamp)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.Syntaxpruefung1->trigger();
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Kein Syntaxfehler"));
    EXPECT_EQ(LampColor(), kSilver);
    EXPECT_EQ(f.Welt().Robot.Y, 0);
}

TEST_F(RunControl, StartRunsToTheEndAndResetsTheDisplay)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    Key(Qt::Key_F9);
    EXPECT_EQ(f.Welt().Robot.Y, 2);
    EXPECT_EQ(f.edtPositionY->text(), QStringLiteral("3"));
    EXPECT_EQ(f.edtBlickrichtung->text(), QStringLiteral("S"));
    EXPECT_EQ(LampColor(), kSilver);
    EXPECT_EQ(f.Parser().RunMode, 0);
    for (int line = 1; line <= 6; ++line)
        EXPECT_TRUE(Images(line).isEmpty()) << line;
    EXPECT_TRUE(f.Editor->EditingEnabled());
    EXPECT_TRUE(f.RunControl().WorldSavedForRun);
}

TEST_F(RunControl, SingleStepShowsEachStatementThenStartRunsOn)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.Parser().Delay = 30;
    std::vector<int> marked;
    std::vector<QColor> lamps;
    auto observe = [&] {
        int line = -1;
        for (int l = 1; l <= 6; ++l)
            if (Images(l).contains(kImageCurrentLine))
                line = l;
        marked.push_back(line);
        lamps.push_back(LampColor());
    };
    RunScript([&] { Key(Qt::Key_F7); },
              {observe, [&] { Key(Qt::Key_F7); }, observe, [&] { Key(Qt::Key_F7); }, observe,
               [&] {
                   EXPECT_FALSE(f.Editor->EditingEnabled());
                   Key(Qt::Key_F9);
               },
               [&] { lamps.push_back(LampColor()); }});
    // "Programm" is the first step, then each F7 lets one step pass.
    ASSERT_EQ(marked.size(), 3u);
    EXPECT_EQ(marked[0], 1);
    EXPECT_EQ(marked[1], 2);
    EXPECT_EQ(marked[2], 3);
    EXPECT_EQ(lamps[0], kYellow);
    EXPECT_EQ(lamps[2], kYellow);
    EXPECT_EQ(f.Welt().Robot.Y, 2);
    EXPECT_EQ(LampColor(), kSilver);
}

TEST_F(RunControl, CommandsDuringANormalRun)
{
    TMainForm &f = Open();
    SetProgram(kForever);
    f.Parser().Delay = 10;
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   EXPECT_EQ(f.Parser().RunMode, 1);
                   EXPECT_EQ(LampColor(), kLime);
                   Key(Qt::Key_F9);  // changes nothing
                   EXPECT_EQ(f.Parser().RunMode, 1);
                   Key(Qt::Key_F7);  // nothing in normal mode
                   EXPECT_EQ(f.Parser().RunMode, 1);
                   Key(Qt::Key_B, Qt::ControlModifier);  // no breakpoint during a run
                   EXPECT_EQ(f.Parser().BreakLine, -1);
                   Key(Qt::Key_F2);
                   EXPECT_EQ(f.Parser().RunMode, 3);
                   EXPECT_EQ(LampColor(), kYellow);
               },
               [&] {
                   Key(Qt::Key_F9);  // resumes
                   EXPECT_EQ(f.Parser().RunMode, 1);
                   EXPECT_EQ(LampColor(), kLime);
               },
               [&] {
                   Key(Qt::Key_F9, Qt::ShiftModifier);
                   EXPECT_EQ(f.Parser().RunMode, 2);
                   EXPECT_EQ(LampColor(), kLime);
               },
               [&] {
                   // A fast run shows no current line.
                   for (int l = 1; l <= 6; ++l)
                       EXPECT_FALSE(Images(l).contains(kImageCurrentLine)) << l;
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    EXPECT_EQ(f.Parser().RunMode, 0);
    EXPECT_EQ(LampColor(), kSilver);
    EXPECT_TRUE(f.Editor->EditingEnabled());
    EXPECT_EQ(f.Editor->FirstVisibleLine(), 1);
}

TEST_F(RunControl, StopCommandInEveryModeEndsWithASilverLamp)
{
    TMainForm &f = Open();
    SetProgram(kForever);
    for (int mode : {1, 2, 3}) {
        f.Parser().Delay = 5;
        RunScript([&] {
            if (mode == 1)
                Key(Qt::Key_F9);
            else if (mode == 2)
                Key(Qt::Key_F9, Qt::ShiftModifier);
            else
                Key(Qt::Key_F7);
        },
                  {[&] {
                      EXPECT_EQ(f.Parser().RunMode, mode);
                      f.Stopp1->trigger();
                      EXPECT_EQ(f.Parser().RunMode, 0);
                      EXPECT_EQ(LampColor(), kSilver);
                  }});
        EXPECT_EQ(f.Parser().RunMode, 0) << mode;
        EXPECT_TRUE(f.Editor->EditingEnabled()) << mode;
    }
    // Stop and Pause when idle do nothing but set the lamp.
    Key(Qt::Key_F2);
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(f.Parser().RunMode, 0);
    EXPECT_EQ(LampColor(), kSilver);
}

TEST_F(RunControl, BreakpointPausesTheRunWithItsOwnImage)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.Editor->setCursorPosition(3, 0);  // line 4
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(f.Parser().BreakLine, 4);
    EXPECT_EQ(Images(4), QList<int>{kImageBreakpoint});

    QList<int> atBreak;
    int modeAtBreak = -1;
    QColor lampAtBreak;
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   atBreak = Images(4);
                   modeAtBreak = f.Parser().RunMode;
                   lampAtBreak = LampColor();
                   Key(Qt::Key_F7);  // one step on: the breakpoint shows again
               },
               [&] {
                   EXPECT_EQ(Images(4), QList<int>{kImageBreakpoint});
                   EXPECT_TRUE(Images(5).contains(kImageCurrentLine));
                   Key(Qt::Key_F9);
               }});
    EXPECT_EQ(modeAtBreak, 3);
    EXPECT_EQ(lampAtBreak, kYellow);
    EXPECT_EQ(atBreak, QList<int>{kImageCurrentOnBreakpoint});
    EXPECT_EQ(Images(4), QList<int>{kImageBreakpoint});
    EXPECT_EQ(f.Welt().Robot.Y, 2);

    // With a breakpoint set, Ctrl+B removes it wherever the caret is.
    f.Editor->setCursorPosition(0, 0);
    Key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(f.Parser().BreakLine, -1);
    EXPECT_TRUE(Images(4).isEmpty());
    EXPECT_TRUE(Images(1).isEmpty());
}

TEST_F(RunControl, BreakpointStopAndCloseKeepTheMarkInPlace)
{
    TMainForm &f = Open();
    SetProgram(kWalk);
    f.Editor->setCursorPosition(1, 0);
    f.StoppPunkt1->trigger();
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   EXPECT_EQ(Images(2), QList<int>{kImageCurrentOnBreakpoint});
                   Key(Qt::Key_F2, Qt::ControlModifier);
               }});
    EXPECT_EQ(Images(2), QList<int>{kImageBreakpoint});
}

TEST_F(RunControl, RobotFailureAsNoteAndAsAbort)
{
    const QString intoWall = QStringLiteral("Programm\r\n  LinksDrehen\r\n  LinksDrehen\r\n  Schritt\r\n"
                                            "  LinksDrehen\r\n*Programm\r\n");
    struct Case {
        bool hint, stop;
        QStringList prefixes;
        int heading;  // 1 (west) when the run went on after the failure, 2 (north) when it ended
        bool abortMark;
    };
    for (const Case &c : {Case{true, false, {"[Hinweis] (Zeile 4): "}, 1, false},
                          Case{false, true, {"[Abbruch] (Zeile 4): "}, 2, true},
                          Case{true, true, {"[Hinweis] (Zeile 4): ", "[Abbruch] (Zeile 4): "}, 2, true},
                          Case{false, false, {}, 1, false}}) {
        TMainForm &f = Open();
        SetProgram(intoWall);
        f.Parser().Hint = c.hint;
        f.Parser().StopOnError = c.stop;
        Key(Qt::Key_F9);
        const QStringList lines = InfoLines().mid(3);
        ASSERT_EQ(lines.size(), c.prefixes.size());
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].startsWith(c.prefixes[i])) << lines[i].toStdString();
            EXPECT_GT(lines[i].size(), c.prefixes[i].size());
        }
        EXPECT_EQ(f.Welt().Robot.Heading, c.heading);
        EXPECT_EQ(Images(4).contains(kImageAbort), c.abortMark);
        EXPECT_EQ(LampColor(), kSilver);
        form_.reset();
    }
}

TEST_F(RunControl, BrickFieldShowsOnlyWhileCountingDuringARun)
{
    TMainForm &f = Open();
    SetProgram(kForever);
    f.Parser().Delay = 10;
    for (bool counting : {false, true}) {
        f.Welt().Robot.CheckBrick = counting;
        f.Welt().Robot.MaxBrick = 5;
        f.Welt().Robot.BrickStart = 4;
        QString during;
        RunScript([&] { Key(Qt::Key_F9); },
                  {[&] {
                      f.RunControl().FlushRunDisplay();
                      during = f.edtZiegel->text();
                      f.RunControl().StopCommand();
                  }});
        EXPECT_EQ(during, counting ? QStringLiteral("4") : QString()) << counting;
        f.RunControl().UpdateStatusFields();
        EXPECT_EQ(f.edtZiegel->text(), QString());
    }
}

TEST_F(RunControl, LongProgramRunToItsEndReturnsToTheFirstLine)
{
    TMainForm &f = Open();
    QString program = QStringLiteral("Programm\r\n");
    for (int i = 0; i < 200; ++i)
        program += QStringLiteral("  LinksDrehen\r\n");
    program += QStringLiteral("*Programm\r\n");
    SetProgram(program);
    int firstDuring = 0;
    f.Parser().Delay = 5;
    f.Editor->setCursorPosition(0, 0);
    RunScript([&] { Key(Qt::Key_F7); },
              {[&] { Key(Qt::Key_F9); },
               When([&] { return f.Parser().CurrentLine >= 100 || f.Parser().RunMode == 0; },
                    [&] {
                        f.RunControl().FlushRunDisplay();
                        firstDuring = f.Editor->FirstVisibleLine();
                    })},
              50);
    EXPECT_GT(firstDuring, 1) << "the view follows the current line during the run";
    EXPECT_EQ(f.Editor->FirstVisibleLine(), 1);
}

TEST_F(RunControl, ScrollsToKeepTheCurrentLineVisible)
{
    TMainForm &f = Open();
    QString program = QStringLiteral("Programm\r\n");
    for (int i = 0; i < 150; ++i)
        program += QStringLiteral("  LinksDrehen\r\n");
    program += QStringLiteral("*Programm\r\n");
    SetProgram(program);
    f.Editor->setCursorPosition(0, 0);
    f.RunControl().Marks().SetBreakpoint(120);
    int first = 0, visible = 0;
    RunScript([&] { Key(Qt::Key_F9, Qt::ShiftModifier); },
              {When([&] { return f.Parser().RunMode == 3; }, [&] {
                   first = f.Editor->FirstVisibleLine();
                   visible = f.Editor->VisibleLineCount();
                   f.RunControl().StopCommand();
               })});
    EXPECT_LE(first, 120);
    EXPECT_GE(first + visible - 1, 120);
}

TEST_F(RunControl, GutterClickClearsErrorMarks)
{
    TMainForm &f = Open();
    SetProgram(QStringLiteral("Programm\r\n  Huepfen\r\n*Programm\r\n"));
    f.RunControl().Marks().SetBreakpoint(3);
    Key(Qt::Key_F9);
    EXPECT_EQ(Images(2), QList<int>{kImageError});
    emit f.Editor->marginClicked(1, 0, Qt::NoModifier);
    EXPECT_TRUE(Images(2).isEmpty());
    EXPECT_EQ(Images(3), QList<int>{kImageBreakpoint});
}

TEST_F(RunControl, ClosingWhileRunningIsRefused)
{
    TMainForm &f = Open();
    SetProgram(kForever);
    f.Editor->append(QStringLiteral("\r\n"));  // a change the close query asks about
    f.Parser().Delay = 10;
    bool stillOpen = false;
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                   f.close();
                   stillOpen = f.isVisible();
               },
               [&] { f.RunControl().StopCommand(); }});
    EXPECT_TRUE(stillOpen);
    ASSERT_FALSE(asked_.empty());
    EXPECT_EQ(asked_[0].text, QStringLiteral("Programm ist noch am Laufen.\n\nErst das Programm stoppen, "
                                             "dann kann Tumbo beendet werden."));
    // Stopped, the window asks about the changed program; Cancel keeps it open, No closes it.
    answer_ = QMessageBox::Cancel;
    EXPECT_FALSE(f.close());
    EXPECT_EQ(asked_.back().text, QStringLiteral("Das Programm wurde geändert.\nOhne Speichern gehen die "
                                                 "Änderungen verloren.\n\nProgramm speichern?"));
    answer_ = QMessageBox::No;
    EXPECT_TRUE(f.close());
}

TEST_F(RunControl, CommandTableWhileRunning)
{
    TMainForm &f = Open();
    SetProgram(kForever);
    struct Command {
        const char *name;
        int key;
        Qt::KeyboardModifiers mods;
        int after[4];  // run mode after the command, by the run mode before it (1..3)
    };
    const Command commands[] = {
        {"Start", Qt::Key_F9, Qt::NoModifier, {0, 1, 1, 1}},
        {"Schnelllauf", Qt::Key_F9, Qt::ShiftModifier, {0, 2, 2, 2}},
        {"Einzelschritt", Qt::Key_F7, Qt::NoModifier, {0, 1, 2, 3}},
        {"Pause", Qt::Key_F2, Qt::NoModifier, {0, 3, 3, 3}},
        {"Stopp", Qt::Key_F2, Qt::ControlModifier, {0, 0, 0, 0}},
        {"Stopp-Punkt", Qt::Key_B, Qt::ControlModifier, {0, 1, 2, 3}},
    };
    const QColor lampFor[4] = {kSilver, kLime, kLime, kYellow};
    for (const Command &c : commands) {
        for (int mode = 1; mode <= 3; ++mode) {
            f.Parser().Delay = 5;
            int after = -1;
            QColor lamp;
            RunScript([&] {
                if (mode == 1)
                    Key(Qt::Key_F9);
                else if (mode == 2)
                    Key(Qt::Key_F9, Qt::ShiftModifier);
                else
                    Key(Qt::Key_F7);
            },
                      {[&] {
                          ASSERT_EQ(f.Parser().RunMode, mode);
                          const int lines = InfoLines().size();
                          Key(c.key, c.mods);
                          after = f.Parser().RunMode;
                          lamp = LampColor();
                          EXPECT_EQ(InfoLines().size(), lines);
                          f.RunControl().StopCommand();
                      }});
            EXPECT_EQ(after, c.after[mode]) << c.name << " in mode " << mode;
            EXPECT_EQ(lamp, lampFor[after]) << c.name << " in mode " << mode;
            EXPECT_EQ(f.Parser().BreakLine, -1) << c.name << " in mode " << mode;
        }
    }
    // Syntaxprüfung does nothing during a run: no new lines, no compile.
    RunScript([&] { Key(Qt::Key_F9); },
              {[&] {
                  const QStringList before = InfoLines();
                  f.Syntaxpruefung1->trigger();
                  EXPECT_EQ(InfoLines(), before);
                  EXPECT_EQ(f.Parser().RunMode, 1);
                  f.RunControl().StopCommand();
              }});
}

TEST_F(RunControl, FastRunFromIdleClearsTheMarks)
{
    TMainForm &f = Open();
    SetProgram(QStringLiteral("Programm\r\n  Huepfen\r\n*Programm\r\n"));
    Key(Qt::Key_F9);
    EXPECT_EQ(Images(2), QList<int>{kImageError});
    SetProgram(QStringLiteral("Programm\r\n  Schritt\r\n*Programm\r\n"));
    f.RunControl().Marks().SetErrorMark(2);
    Key(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_TRUE(Images(2).isEmpty());
    EXPECT_EQ(f.Welt().Robot.Y, 1);
    EXPECT_EQ(LampColor(), kSilver);
}

TEST_F(RunControl, WaitsBlockOnTheEventQueueInsteadOfSpinning)
{
    // A paused program and a long delay both wait for events; the process then uses next to
    // no processor time while the window still answers.
    TMainForm &f = Open();
    SetProgram(kForever);
    for (int mode : {3, 1}) {
        f.Parser().Delay = 1000;
        std::clock_t cpuStart = 0;
        QElapsedTimer wall;
        double cpuMs = 0, wallMs = 0;
        RunScript([&] { Key(mode == 3 ? Qt::Key_F7 : Qt::Key_F9); },
                  {[&] {
                       cpuStart = std::clock();
                       wall.start();
                   },
                   [] {}, [] {}, [] {}, [] {},
                   [&] {
                       cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
                       wallMs = double(wall.elapsed());
                       f.RunControl().StopCommand();
                   }},
                  80);
        EXPECT_GT(wallMs, 300.0);
        EXPECT_LT(cpuMs, 0.5 * wallMs) << "mode " << mode;
    }
}

// Stop during the pause after a statement returns the window to idle at once, while the
// stopped run still waits out its pause on the stack. Starting, checking or showing the
// chart in that moment compiled a new program under the old run, which then went on
// walking the freed statements.
TEST_F(RunControl, CommandsRightAfterStopDoNotRunInsideTheStoppedRun)
{
    using Command = std::function<void(TMainForm &)>;
    const std::vector<std::pair<const char *, Command>> commands = {
        {"Start", [](TMainForm &f) { f.RunControl().StartCommand(); }},
        {"Schnelllauf", [](TMainForm &f) { f.RunControl().FastCommand(); }},
        {"Einzelschritt", [](TMainForm &f) { f.RunControl().SingleStepCommand(); }},
        {"Syntaxpruefung", [](TMainForm &f) { f.RunControl().SyntaxCheckCommand(); }},
        {"Struktogramm", [](TMainForm &f) { f.Anzeigen1->trigger(); }},
    };
    for (const auto &[name, command] : commands) {
        SCOPED_TRACE(name);
        TMainForm &f = Open();
        SetProgram(kSixSteps);
        f.Parser().Delay = 600;
        int stoppedAtY = -1;
        RunScript([&] { f.RunControl().StartCommand(); },
                  {[&] {
                       f.RunControl().StopCommand();
                       stoppedAtY = f.Welt().Robot.Y;
                   },
                   [&, command = command] {
                       EXPECT_EQ(f.Parser().RunMode, 0);
                       command(f);
                       // Nothing was checked or shown either.
                       EXPECT_FALSE(InfoLines().contains(QStringLiteral("Kein Syntaxfehler")));
                       EXPECT_EQ(f.Anzeigen1->text(), QStringLiteral("Anzeigen"));
                   }},
                  60);
        // The stopped run went no further, and nothing else ran.
        EXPECT_EQ(f.Welt().Robot.Y, stoppedAtY);
        EXPECT_EQ(f.Parser().RunMode, 0);
        EXPECT_FALSE(f.RunControl().RunOnStack());
        EXPECT_TRUE(f.Editor->EditingEnabled());
        // Once the stopped run has returned, the command works again.
        f.Parser().Delay = 0;
        bool ran = false;
        f.Parser().OnStep = [&, inner = f.Parser().OnStep] {
            ran = true;
            inner();
        };
        RunScript([&, command = command] { command(f); }, {[&] { f.RunControl().StopCommand(); }});
        const bool checked = InfoLines().contains(QStringLiteral("Kein Syntaxfehler")) ||
                             f.Anzeigen1->text() == QStringLiteral("Ausblenden");
        EXPECT_TRUE(ran || checked);
        form_.reset();
    }
}

TEST_F(RunControl, CurrentLineAboveTheViewLeavesTenLinesAboveIt)
{
    TMainForm &f = Open();
    SetProgram(Turns(150));
    f.RunControl().Marks().SetBreakpoint(50);
    int firstAfterStep = 0;
    RunScript([&] { Key(Qt::Key_F9); },
              {When([&] { return f.Parser().RunMode == 3; },
                    [&] {
                        f.Editor->SetFirstVisibleLine(120);
                        Key(Qt::Key_F7);  // on to line 51, far above the view
                    }),
               When([&] { return f.Parser().RunMode == 3 && f.Parser().CurrentLine == 51; },
                    [&] {
                        f.RunControl().FlushRunDisplay();
                        firstAfterStep = f.Editor->FirstVisibleLine();
                        f.RunControl().StopCommand();
                    })});
    EXPECT_EQ(firstAfterStep, 41);
}

TEST_F(RunControl, FastRunFromSingleStepClearsTheMarks)
{
    TMainForm &f = Open();
    SetProgram(Turns(40));
    f.Parser().Delay = 5;
    QList<int> errorLine, abortLine;
    int mode = -1, current = -1;
    RunScript([&] { Key(Qt::Key_F7); },
              {[&] {
                   f.RunControl().Marks().SetErrorMark(5);
                   f.RunControl().Marks().SetAbortMark(6);
                   Key(Qt::Key_F9, Qt::ShiftModifier);
                   mode = f.Parser().RunMode;
                   errorLine = Images(5);
                   abortLine = Images(6);
                   current = 0;
                   for (int l = 1; l <= 42; ++l)
                       if (Images(l).contains(kImageCurrentLine))
                           current = l;
                   f.RunControl().StopCommand();
               }});
    EXPECT_EQ(mode, 2);
    EXPECT_TRUE(errorLine.isEmpty());
    EXPECT_TRUE(abortLine.isEmpty());
    EXPECT_EQ(current, 0) << "no current-line mark in a fast run";
}
