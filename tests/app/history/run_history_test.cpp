#include <QToolButton>

#include "app/history/run_history.h"
#include "app/world/world_commands.h"
#include "history/history_fixture.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

using RunHistory = HistoryTest;

TEST_F(RunHistory, StepBackShowsEarlierStepsAndSingleStepReturnsThroughThem)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    std::vector<Seen> steps;  // what each step showed when the program stood at it
    Seen back2, back3, forward1, forward2, next;
    auto keep = [&] { steps.push_back(Now()); };
    RunScript([&] { StepKey(); },
              {keep, [&] { StepKey(); }, keep, [&] { StepKey(); }, keep, [&] { StepKey(); }, keep,
               [&] { BackKey(); }, [&] { BackKey(); }, [&] { back2 = Now(); },
               [&] { BackKey(); }, [&] { BackKey(); }, [&] { BackKey(); }, [&] { back3 = Now(); },
               [&] { StepKey(); }, [&] { forward1 = Now(); },
               [&] { StepKey(); }, [&] { StepKey(); }, [&] { forward2 = Now(); },
               [&] { StepKey(); }, [&] { next = Now(); }, [&] { Key(Qt::Key_F9); }});
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[3].line, 4);
    EXPECT_NE(steps[3].world, steps[1].world) << "the statements between change the world";
    EXPECT_TRUE(back2 == steps[1]) << "two back from the fourth step shows the second";
    EXPECT_TRUE(back3 == steps[0]) << "going back stops at the first step";
    EXPECT_TRUE(forward1 == steps[1]);
    EXPECT_TRUE(forward2 == steps[3]) << "forward ends at the newest step";
    EXPECT_EQ(next.line, 5) << "at the newest step the program runs on";
    EXPECT_NE(next.world, steps[3].world);
    EXPECT_EQ(f.Parser().RunMode, 0);
}

TEST_F(RunHistory, WorldIsNotDrivenOrEditedWhileAnEarlierStepIsShown)
{
    TMainForm &f = Open();
    SetProgram(kBuild);
    QByteArray behind, afterKeys;
    bool buttonEnabled = true, clearEnabled = true;
    QString hint;
    RunScript([&] { StepKey(); },
              {[&] { StepKey(); }, [&] { StepKey(); }, [&] { BackKey(); },
               [&] {
                   behind = WorldFile();
                   for (int key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_H, Qt::Key_M})
                       QTest::keyClick(f.DummyEdit, Qt::Key(key));
                   f.btnTumboVor->click();
                   afterKeys = WorldFile();
                   buttonEnabled = f.btnTumboVor->isEnabled();
                   clearEnabled = f.Weltloeschen1->isEnabled();
                   hint = f.btnTumboVor->toolTip();
               },
               [&] { StepKey(); }, [&] { Key(Qt::Key_F9); }});
    EXPECT_EQ(afterKeys, behind) << "robot keys and buttons must do nothing";
    EXPECT_FALSE(buttonEnabled);
    EXPECT_FALSE(clearEnabled);
    EXPECT_EQ(hint, QStringLiteral("Erst zum neuesten Schritt zurückkehren"));
    // Back at the newest step the commands are offered again with their own hints.
    EXPECT_TRUE(f.btnTumboVor->isEnabled());
    EXPECT_TRUE(f.Weltloeschen1->isEnabled());
    EXPECT_EQ(f.btnTumboVor->toolTip(), QStringLiteral("Schritt"));
}

TEST_F(RunHistory, StartAndFastRunFromAnEarlierStepContinueFromTheNewest)
{
    for (const Qt::KeyboardModifier mods : {Qt::NoModifier, Qt::ShiftModifier}) {
        SCOPED_TRACE(mods == Qt::NoModifier ? "Start" : "Schnelllauf");
        TMainForm &f = Open();
        SetProgram(kBuild);
        const QByteArray before = WorldFile();
        Key(Qt::Key_F9);
        const QByteArray whole = WorldFile();
        f.WorldCommands().RestoreWorldCommand();
        ASSERT_EQ(WorldFile(), before);

        RunScript([&] { StepKey(); }, {[&] { StepKey(); }, [&] { StepKey(); }, [&] { StepKey(); },
                                       [&] { BackKey(); }, [&] { BackKey(); }, [&] { Key(Qt::Key_F9, mods); }});
        EXPECT_EQ(f.Parser().RunMode, 0);
        EXPECT_EQ(WorldFile(), whole) << "no statement may run twice or be left out";
        EXPECT_FALSE(f.History().Behind());
        EXPECT_TRUE(f.btnTumboVor->isEnabled());
    }
}

TEST_F(RunHistory, StepBackIsInTheRunMenuAndBesideSingleStep)
{
    TMainForm &f = Open();
    EXPECT_EQ(f.Schrittzurueck1->text(), QStringLiteral("Schritt zurück"));
    EXPECT_EQ(f.Schrittzurueck1->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
    EXPECT_EQ(f.btnSchrittZurueck->toolTip(), QStringLiteral("Schritt zurück"));
    // Outside a paused run it does nothing.
    SetProgram(kBuild);
    Key(Qt::Key_F9);
    const QByteArray after = WorldFile();
    BackKey();
    EXPECT_EQ(WorldFile(), after);
}
