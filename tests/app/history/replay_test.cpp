#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>

#include "app/files/file_commands.h"
#include "app/history/replay_bar.h"
#include "app/history/run_history.h"
#include "app/window/status_bar.h"
#include "app/world/world_commands.h"
#include "file_commands_fixture.h"
#include "history/history_fixture.h"
#include "world/qt/new_room_dlg.h"
#include "world/qt/world_tools.h"
#include "world/run_recorder.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

class Replay : public HistoryTest {
protected:
    TReplayBar &Bar() { return *form_->ReplayBar; }
    void SlideKey(int key) { QTest::keyClick(Bar().Slider, Qt::Key(key)); }
    void ZumEnde() { QTest::mouseClick(Bar().btnZumEnde, Qt::LeftButton); }
    bool StepBackOffered() const
    {
        EXPECT_EQ(form_->btnSchrittZurueck->isEnabled(), form_->Schrittzurueck1->isEnabled());
        return form_->btnSchrittZurueck->isEnabled();
    }

    // Single-steps the program to its end: what the window showed at every stop, and at
    // the end of the run.
    std::vector<Seen> SingleStepped()
    {
        std::vector<Seen> seen;
        std::deque<std::function<void()>> script;
        for (int i = 0; i < 20; ++i) {
            script.push_back([&] {
                if (form_->RunControl().RunOnStack())
                    seen.push_back(Now());
            });
            script.push_back([&] {
                if (form_->RunControl().RunOnStack())
                    StepKey();
            });
        }
        RunScript([&] { StepKey(); }, script, 10);
        EXPECT_FALSE(form_->RunControl().RunOnStack()) << "the program has more steps than the script";
        seen.push_back(Now());
        return seen;
    }
};

const QString kManyTurns = QStringLiteral(
    "Programm\r\n"
    "  wiederhole 5000 mal\r\n"
    "    LinksDrehen\r\n"
    "    RechtsDrehen\r\n"
    "  *wiederhole\r\n"
    "*Programm\r\n");

}  // namespace

TEST_F(Replay, SliderShowsWhatSingleStepShowedAtTheFirstAMiddleAndTheLastStep)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    f.Welt().Robot.CheckBrick = true;  // the Ziegel field follows the replay too
    f.Welt().Robot.MaxBrick = f.Welt().Robot.BrickStart = 5;
    EXPECT_FALSE(Bar().isVisible()) << "nothing to replay before a run";
    const QByteArray before = WorldFile();
    const std::vector<Seen> stepped = SingleStepped();
    ASSERT_GE(stepped.size(), 8u);
    EXPECT_EQ(stepped.back().line, -1) << "no line is marked once the run has ended";
    EXPECT_EQ(stepped[1].bricks, QStringLiteral("5")) << "a run shows the bricks carried";
    EXPECT_EQ(stepped[3].bricks, QStringLiteral("4"));
    EXPECT_EQ(stepped.back().bricks, QString()) << "the field is empty once the run has ended";
    const int last = int(stepped.size()) - 1;
    const int middle = last / 2;

    const struct {
        const char *name;
        std::function<void()> start;
    } runs[] = {
        {"Einzelschritt", [&] { SingleStepped(); }},
        {"Start", [&] { Key(Qt::Key_F9); }},
        {"Schnelllauf", [&] { Key(Qt::Key_F9, Qt::ShiftModifier); }},
    };
    for (const auto &run : runs) {
        SCOPED_TRACE(run.name);
        f.WorldCommands().RestoreWorldCommand();
        ASSERT_EQ(WorldFile(), before);
        run.start();
        ASSERT_TRUE(Bar().isVisible());
        ASSERT_EQ(Bar().Slider->maximum(), last);
        EXPECT_EQ(Bar().Slider->value(), last);
        EXPECT_EQ(Now(), stepped[last]) << "the replay starts at the end of the run";

        SlideKey(Qt::Key_Home);
        EXPECT_EQ(Now(), stepped[0]);
        EXPECT_EQ(Bar().StepText->text(), QStringLiteral("Schritt 1 von %1").arg(last + 1));
        for (int i = 0; i < middle; ++i)
            SlideKey(Qt::Key_Right);
        EXPECT_EQ(Now(), stepped[middle]);
        EXPECT_EQ(Bar().StepText->text(), QStringLiteral("Schritt %1 von %2").arg(middle + 1).arg(last + 1));
        SlideKey(Qt::Key_End);
        EXPECT_EQ(Now(), stepped[last]);
        EXPECT_FALSE(f.History().Behind());
    }
    EXPECT_FALSE(InfoLines().join('\n').contains(QStringLiteral("Verlauf"))) << "no step was dropped";
}

// A world fitted to its pane would otherwise shrink at the end of every run.
TEST_F(Replay, TheWorldViewKeepsItsSizeWhenARunIsOfferedForReplay)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    const QSize world = f.ScrollBox->size();
    const QSize program = f.Editor->size();
    Key(Qt::Key_F9);
    ASSERT_TRUE(Bar().isVisible());
    QApplication::processEvents();
    EXPECT_EQ(f.ScrollBox->size(), world);
    EXPECT_EQ(f.Editor->size(), program);
    EXPECT_GT(Bar().Slider->width(), 100);
}

TEST_F(Replay, ZumEndeReturnsToTheFinalStateAndOffersTheWorldCommandsAgain)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    Key(Qt::Key_F9);
    const Seen final = Now();
    EXPECT_FALSE(Bar().btnZumEnde->isEnabled()) << "the end is shown already";

    SlideKey(Qt::Key_Home);
    SlideKey(Qt::Key_Right);
    ASSERT_NE(Now(), final);
    EXPECT_TRUE(Bar().btnZumEnde->isEnabled());
    EXPECT_FALSE(f.btnTumboVor->isEnabled());
    EXPECT_EQ(f.btnWeltWiederherstellen->toolTip(), QStringLiteral("Erst zum neuesten Schritt zurückkehren"));

    ZumEnde();
    EXPECT_EQ(Now(), final);
    EXPECT_EQ(Bar().Slider->value(), Bar().Slider->maximum());
    EXPECT_FALSE(Bar().btnZumEnde->isEnabled());
    EXPECT_TRUE(Bar().isVisible()) << "the replay goes on";
    EXPECT_TRUE(f.btnTumboVor->isEnabled());
    EXPECT_TRUE(f.Weltloeschen1->isEnabled());
    EXPECT_EQ(f.btnWeltWiederherstellen->toolTip(), QStringLiteral("Welt wiederherstellen"));
}

TEST_F(Replay, WorldIsNotDrivenOrEditedWhileAnEarlierStepIsShown)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    Key(Qt::Key_F9);
    SlideKey(Qt::Key_Home);
    SlideKey(Qt::Key_Right);
    const Seen shown = Now();

    // A click on the world gives it the keys, but no frame says they work.
    QTest::mouseClick(f.ScrollBox->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(f.DummyEdit->hasFocus());
    EXPECT_FALSE(f.ScrollBox->styleSheet().contains(QStringLiteral("highlight")));
    EXPECT_TRUE(f.StatusLine->Note().isEmpty());
    for (int key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_H, Qt::Key_M, Qt::Key_Q})
        QTest::keyClick(f.DummyEdit, Qt::Key(key));
    // The status bar says why nothing happened.
    EXPECT_TRUE(f.StatusLine->Note().contains(QStringLiteral("früherer Schritt"))) << f.StatusLine->Note().toStdString();
    for (QToolButton *b : {f.btnTumboVor, f.btnTumboHinlegen, f.btnWeltLoeschen, f.btnWeltWiederherstellen})
        QTest::mouseClick(b, Qt::LeftButton);
    Key(Qt::Key_F5);  // the 2D view, and the tool box with a brick
    Key(Qt::Key_F6);
    f.WorldCommands().WorldTools->btnZiegel->setChecked(true);
    ClickCell(3, 3);

    EXPECT_EQ(Now(), shown);
    EXPECT_TRUE(Bar().isVisible());
    EXPECT_TRUE(f.History().Behind());
    for (QAction *item : {f.NeueWelt1, f.OeffnenWelt1, f.Weltloeschen1})
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();

    // Back at the newest step the keys work again, and the frame says so.
    ZumEnde();
    f.DummyEdit->setFocus();
    EXPECT_TRUE(f.ScrollBox->styleSheet().contains(QStringLiteral("highlight")));
}

// Every change of the program or the world ends the replay: the world is first put back
// to the end of the run, then the history goes.
TEST_F(Replay, EditingTheProgramOrTheWorldLeavesTheReplayAtTheFinalState)
{
    const struct {
        const char *name;
        bool fromEarlierStep;  // else the world commands wait for the last step
        std::function<void(TMainForm &)> edit;
        bool keepsFinalWorld;  // the edit itself leaves the world as the run left it
    } edits[] = {
        {"typing in the program", true, [this](TMainForm &) { Key(Qt::Key_X); }, true},
        {"opening a program", true,
         [this](TMainForm &f) {
             WriteFile(QStringLiteral("anders.tdp"), "Programm\r\n  Schritt\r\n*Programm\r\n");
             f.FileCommands().LoadProgramFile(Folder() + QStringLiteral("anders.tdp"));
         },
         true},
        {"robot key", false, [](TMainForm &f) { QTest::keyClick(f.DummyEdit, Qt::Key_Left); }, false},
        {"robot button", false,
         [](TMainForm &f) { QTest::mouseClick(f.btnTumboHinlegen, Qt::LeftButton); }, false},
        {"tool box and mouse", false,
         [this](TMainForm &f) {
             Key(Qt::Key_F5);
             Key(Qt::Key_F6);
             f.WorldCommands().WorldTools->btnZiegel->setChecked(true);
             ClickCell(3, 3);
         },
         false},
        {"Welt löschen", false, [](TMainForm &f) { f.Weltloeschen1->trigger(); }, false},
        {"Neue Welt", false,
         [](TMainForm &f) {
             WhenModal<tumbo::world::TNewRoomDlg>([](tumbo::world::TNewRoomDlg *d) { d->accept(); });
             QTest::mouseClick(f.btnWeltNeu, Qt::LeftButton);
         },
         false},
        {"opening a world", true,
         [this](TMainForm &f) { f.FileCommands().OpenWorld(Folder() + QStringLiteral("start.tdw")); }, false},
    };
    for (const auto &e : edits) {
        SCOPED_TRACE(e.name);
        TMainForm &f = Open();
        SetProgram(kBuild);
        TTumbo &robot = f.Welt().Robot;
        robot.CheckBrick = true;  // the bricks carried count down as the program lays them
        robot.MaxBrick = robot.BrickStart = 5;
        WorldFile();
        QFile::copy(Folder() + QStringLiteral("now.tdw"), Folder() + QStringLiteral("start.tdw"));
        Key(Qt::Key_F9);
        const QByteArray final = WorldFile();
        ASSERT_EQ(robot.Carried, 4);
        if (e.fromEarlierStep) {
            SlideKey(Qt::Key_Home);
            SlideKey(Qt::Key_Right);
            ASSERT_TRUE(f.History().Behind());
        }
        e.edit(f);
        EXPECT_FALSE(f.History().Replaying());
        EXPECT_FALSE(Bar().isVisible());
        EXPECT_EQ(MarkedLine(), -1);
        EXPECT_EQ(f.edtZiegel->text(), QString()) << "bricks carried are shown only for a run";
        EXPECT_TRUE(f.btnTumboVor->isEnabled());
        if (e.keepsFinalWorld)
            EXPECT_EQ(WorldFile(), final);
        else
            EXPECT_NE(WorldFile(), final);
        if (e.fromEarlierStep) {
            EXPECT_EQ(robot.Carried, 4) << "the robot goes on with the bricks the run left";
        }
    }
}

TEST_F(Replay, NewRunFromAnEarlierStepStartsFromTheWorldTheLastRunLeft)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    Key(Qt::Key_F9);
    const QByteArray afterFirst = WorldFile();
    SlideKey(Qt::Key_Home);
    Key(Qt::Key_F9);
    EXPECT_TRUE(Bar().isVisible()) << "the new run is offered for replay";
    EXPECT_EQ(Bar().Slider->value(), Bar().Slider->maximum());
    // The world restored is the one before the second run.
    f.WorldCommands().RestoreWorldCommand();
    EXPECT_EQ(WorldFile(), afterFirst);
}

TEST_F(Replay, RestoringTheWorldAfterAReplayBringsBackTheWorldBeforeTheRun)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    const QByteArray before = WorldFile();
    Key(Qt::Key_F9);
    SlideKey(Qt::Key_Home);
    SlideKey(Qt::Key_Right);
    SlideKey(Qt::Key_Right);
    ZumEnde();
    QTest::mouseClick(f.btnWeltWiederherstellen, Qt::LeftButton);
    EXPECT_EQ(WorldFile(), before);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_FALSE(f.History().Replaying());
}

TEST_F(Replay, RunsEndedByStopOrByAnAbortAreReplayedToo)
{
    TMainForm &f = Open();
    // Turned to the north, the robot runs into the wall on line 4.
    SetProgram(QStringLiteral("Programm\r\n  LinksDrehen\r\n  LinksDrehen\r\n  Schritt\r\n"
                              "  LinksDrehen\r\n*Programm\r\n"));
    f.Parser().StopOnError = true;
    Key(Qt::Key_F9);
    ASSERT_TRUE(InfoLines().join('\n').contains(QStringLiteral("[Abbruch] (Zeile 4)")));
    EXPECT_TRUE(Bar().isVisible());
    SlideKey(Qt::Key_End);
    SlideKey(Qt::Key_Left);
    EXPECT_EQ(MarkedLine(), 4) << "the step before the end stands on the failing statement";

    f.Parser().StopOnError = false;
    f.Parser().Delay = 20;
    SetProgram(kManyTurns);
    EXPECT_FALSE(Bar().isVisible()) << "the program changed";
    RunScript([&] { Key(Qt::Key_F9); }, {[] {}, [&] { Key(Qt::Key_F2, Qt::ControlModifier); }});
    EXPECT_TRUE(Bar().isVisible());
    EXPECT_GT(Bar().Slider->maximum(), 0);
}

TEST_F(Replay, InformationListSaysOnceFromWhichStepOnTheHistoryIsKept)
{
    TMainForm &f = Open();
    f.History().SetLimits({4096, size_t(100) << 20});
    SetProgram(kManyTurns);
    Key(Qt::Key_F9);
    const QRegularExpression kept(QStringLiteral("^Verlauf ab Schritt (\\d+) gespeichert$"));
    const QStringList lines = InfoLines().filter(kept);
    ASSERT_EQ(lines.size(), 1) << InfoLines().join('\n').toStdString();
    const int first = kept.match(lines[0]).captured(1).toInt();
    EXPECT_GT(first, 4096);
    SlideKey(Qt::Key_Home);
    EXPECT_TRUE(Bar().StepText->text().startsWith(QStringLiteral("Schritt %1 von ").arg(first)))
        << Bar().StepText->text().toStdString();
    EXPECT_GE(MarkedLine(), 2) << "the oldest kept step lies inside the loop: its own line or its body";
    EXPECT_LE(MarkedLine(), 5);

    SetProgram(kBuild);
    Key(Qt::Key_F9);
    EXPECT_TRUE(InfoLines().filter(kept).isEmpty()) << "a short run keeps all its steps";
}

TEST_F(Replay, StepBackIsOfferedOnlyWhileAPausedRunHasAnEarlierStep)
{
    TMainForm &f = Open();
    EXPECT_FALSE(StepBackOffered()) << "no run";
    SetProgram(kBuild);
    bool atFirst = true, afterOne = false, backAtFirst = true;
    RunScript([&] { StepKey(); }, {[&] { atFirst = StepBackOffered(); }, [&] { StepKey(); },
                                   [&] { afterOne = StepBackOffered(); }, [&] { BackKey(); },
                                   [&] { backAtFirst = StepBackOffered(); }, [&] { Key(Qt::Key_F9); }});
    EXPECT_FALSE(atFirst) << "the first step has nothing before it";
    EXPECT_TRUE(afterOne);
    EXPECT_FALSE(backAtFirst);
    EXPECT_FALSE(StepBackOffered()) << "after the run the slider replays it";

    SetProgram(kManyTurns);
    f.Parser().Delay = 20;
    bool running = true, paused = false;
    RunScript([&] { Key(Qt::Key_F9); }, {[] {}, [&] { running = StepBackOffered(); }, [&] { Key(Qt::Key_F2); },
                                         [&] { paused = StepBackOffered(); },
                                         [&] { Key(Qt::Key_F2, Qt::ControlModifier); }});
    EXPECT_FALSE(running);
    EXPECT_TRUE(paused);
    EXPECT_FALSE(StepBackOffered());
}
