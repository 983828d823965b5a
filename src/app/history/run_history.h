#pragma once
// The history of the window's runs: every step of a run is recorded, and while a run is
// paused or single-stepping "Schritt zurück" (Shift+F7) shows the world, the current-line
// mark and the status fields as they were one statement earlier. "Einzelschritt" then
// moves forward through the recorded steps before the program runs on. After a run the
// replay bar scrubs through all of it, until the program or the world is
// edited or the next run starts. While an earlier step is shown, the world cannot be
// edited or driven by hand.
#include <QObject>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

#include "world/raum.h"

class QAction;
class QToolButton;
class TRunRecorder;
struct TRunRecorderLimits;

namespace tumbo::app {

class TMainForm;

class TRunHistory : public QObject {
    Q_OBJECT
public:
    // Connects "Schritt zurück", the replay bar and the editor, and hands the engine the
    // recorder; made once the engine exists, and gone before the world it watches.
    explicit TRunHistory(TMainForm &form);
    ~TRunHistory() override;

    void StepBackCommand();  // Shift+F7
    // Shows the next recorded step; false when the newest step is shown already.
    bool StepForward();
    // Shows the newest step again, where the paused program goes on.
    void ReturnToNewest();
    // An earlier step than the newest is shown.
    bool Behind() const;

    // The run has returned: its steps are offered for replay, and the information list
    // says when the oldest of them had to be dropped.
    void RunEnded();
    // Shows the run's final state and forgets the history: the program or the world is
    // about to change, or a new run starts.
    void LeaveReplay();
    bool Replaying() const { return replaying_; }
    // "Schritt zurück" is offered while a paused run has an earlier step to show.
    void UpdateStepBack();

    // How much of a run is kept (tests use small bounds).
    void SetLimits(const TRunRecorderLimits &limits);

signals:
    // The world cannot be edited or driven by hand while `blocked`.
    void WorldBlocked(bool blocked);

private:
    // Any change of the room by other hands than the replay's ends the replay: the
    // recorded changes would no longer fit the world.
    class TEditWatch final : public TRaumWatcher {
    public:
        explicit TEditWatch(TRunHistory &history) : history_(history) {}
        void CellChanged(int32_t, int32_t) override { history_.DropReplay(); }
        void RoomReset() override { history_.DropReplay(); }

    private:
        TRunHistory &history_;
    };

    void ShowStep(uint64_t step);
    void DropReplay();
    void BlockWorldCommands(bool blocked);

    TMainForm &form_;
    std::unique_ptr<TRunRecorder> recorder_;
    TEditWatch editWatch_{*this};
    bool replaying_ = false;
    // The world commands blocked while an earlier step is shown; the buttons with their own hints.
    std::vector<std::pair<QToolButton *, QString>> blockedButtons_;
    std::vector<QAction *> blockedItems_;
    bool blocked_ = false;
};

}  // namespace tumbo::app
