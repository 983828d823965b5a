#include "app/history/run_history.h"

#include <QAction>
#include <QTimer>
#include <QToolButton>

#include "app/history/replay_bar.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "language/parser.h"
#include "world/run_recorder.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

const QString kBehindHint = QStringLiteral("Erst zum neuesten Schritt zurückkehren");

}  // namespace

TRunHistory::TRunHistory(TMainForm &form)
    : form_(form), recorder_(std::make_unique<TRunRecorder>(form.Welt()))
{
    setObjectName(QStringLiteral("RunHistory"));
    form_.Parser().Recorder = recorder_.get();
    connect(form_.btnSchrittZurueck, &QToolButton::clicked, this, &TRunHistory::StepBackCommand);
    connect(form_.Schrittzurueck1, &QAction::triggered, this, &TRunHistory::StepBackCommand);
    connect(form_.ReplayBar, &TReplayBar::StepChosen, this, [this](uint64_t step) {
        if (replaying_)
            ShowStep(step);
    });
    connect(form_.Editor, &QsciScintilla::textChanged, this, &TRunHistory::LeaveReplay);
    UpdateStepBack();
    // Once the window is up, while the pupil looks at it: the first run then records as fast
    // as any later one.
    QTimer::singleShot(0, this, [this] { recorder_->Reserve(); });
}

TRunHistory::~TRunHistory()
{
    TRaum &room = form_.Welt().Room;
    if (room.Watcher() == &editWatch_)
        room.SetWatcher(nullptr);
    form_.Parser().Recorder = nullptr;
}

void TRunHistory::SetLimits(const TRunRecorderLimits &limits)
{
    LeaveReplay();
    recorder_ = std::make_unique<TRunRecorder>(form_.Welt(), limits);
    form_.Parser().Recorder = recorder_.get();
}

bool TRunHistory::Behind() const
{
    return !recorder_->Empty() && !recorder_->ShowingLast();
}

void TRunHistory::StepBackCommand()
{
    // Only a paused run waits at its newest step; a running one would record past the
    // step shown, and after a run the history belongs to the replay.
    if (form_.Parser().RunMode != 3 || !form_.RunControl().RunOnStack() || recorder_->Empty())
        return;
    const uint64_t shown = recorder_->Shown();
    if (shown > recorder_->FirstStep())
        ShowStep(shown - 1);
}

void TRunHistory::UpdateStepBack()
{
    const bool earlier = form_.Parser().RunMode == 3 && form_.RunControl().RunOnStack() && !recorder_->Empty() &&
                         recorder_->Shown() > recorder_->FirstStep();
    form_.btnSchrittZurueck->setEnabled(earlier);
    form_.Schrittzurueck1->setEnabled(earlier);
}

bool TRunHistory::StepForward()
{
    if (!Behind())
        return false;
    ShowStep(recorder_->Shown() + 1);
    return true;
}

void TRunHistory::ReturnToNewest()
{
    if (Behind())
        ShowStep(recorder_->LastStep());
}

void TRunHistory::RunEnded()
{
    UpdateStepBack();
    // A run of one step (an empty program) has nothing to scrub through.
    if (recorder_->StepCount() < 2) {
        recorder_->Clear();
        return;
    }
    if (recorder_->FirstStep() > 0)
        form_.RunControl().AddInfoLine(
            QStringLiteral("Verlauf ab Schritt %1 gespeichert").arg(recorder_->FirstStep() + 1));
    replaying_ = true;
    form_.Welt().Room.SetWatcher(&editWatch_);
    form_.ReplayBar->Offer(recorder_->FirstStep(), recorder_->LastStep());
}

void TRunHistory::LeaveReplay()
{
    if (!replaying_)
        return;
    // The world is left as the run left it, whatever step was shown.
    ReturnToNewest();
    DropReplay();
}

void TRunHistory::DropReplay()
{
    if (!replaying_)
        return;
    replaying_ = false;
    TRaum &room = form_.Welt().Room;
    if (room.Watcher() == &editWatch_)
        room.SetWatcher(nullptr);
    // A world loaded over an earlier step leaves the bricks carried alone: they are the
    // ones the run left, as after any run.
    if (Behind())
        form_.Welt().Robot.Carried = recorder_->Step(recorder_->LastStep()).Carried;
    recorder_->Clear();
    form_.ReplayBar->Withdraw();
    BlockWorldCommands(false);
    form_.RunControl().Marks().ClearCurrentLine();
    form_.RunControl().UpdateStatusFields();
}

void TRunHistory::ShowStep(uint64_t step)
{
    recorder_->Show(step);
    form_.Welt().UpdateView();
    form_.KeepRobotInSight();
    TRunControl &run = form_.RunControl();
    const int line = recorder_->Step(recorder_->Shown()).Line;
    if (line > 0) {
        run.KeepLineVisible(line);
        run.Marks().SetCurrentLine(line);
    } else {
        run.Marks().ClearCurrentLine();  // the end of the run
    }
    run.UpdateStatusFields();
    BlockWorldCommands(Behind());
    UpdateStepBack();
}

void TRunHistory::BlockWorldCommands(bool blocked)
{
    if (blocked == blocked_)
        return;
    blocked_ = blocked;
    emit WorldBlocked(blocked);
    if (!blocked) {
        for (const auto &[button, hint] : blockedButtons_) {
            button->setEnabled(true);
            button->setToolTip(hint);
        }
        for (QAction *item : blockedItems_)
            item->setEnabled(true);
        blockedButtons_.clear();
        blockedItems_.clear();
        return;
    }
    // Commands that are off for reasons of their own stay as they are.
    for (QToolButton *button : {form_.btnWeltNeu, form_.btnWeltOeffnen, form_.btnTumboLinks, form_.btnTumboVor,
                                form_.btnTumboRechts, form_.btnTumboHinlegen, form_.btnTumboAufheben,
                                form_.btnTumboMarke, form_.btnTumboQuaderAbl, form_.btnTumboQuaderEntf,
                                form_.btnWeltLoeschen, form_.btnWeltWiederherstellen}) {
        if (!button->isEnabled())
            continue;
        blockedButtons_.emplace_back(button, button->toolTip());
        button->setEnabled(false);
        button->setToolTip(kBehindHint);
    }
    for (QAction *item : {form_.NeueWelt1, form_.OeffnenWelt1, form_.Weltloeschen1}) {
        if (!item->isEnabled())
            continue;
        blockedItems_.push_back(item);
        item->setEnabled(false);
    }
}

}  // namespace tumbo::app
