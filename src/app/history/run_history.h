#pragma once
// The history of the window's runs: every step of a run is recorded, and while a run is
// paused or single-stepping "Schritt zurück" (Shift+F7) shows the world, the current-line
// mark and the status fields as they were one statement earlier. "Einzelschritt" then
// moves forward through the recorded steps before the program runs on. While an earlier
// step is shown, the world cannot be edited or driven by hand.
#include <QObject>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QToolButton;
class TRunRecorder;

namespace tumbo::app {

class TMainForm;

class TRunHistory : public QObject {
    Q_OBJECT
public:
    // Connects "Schritt zurück" and hands the engine the recorder; made once the engine
    // exists, and gone before the world it watches.
    explicit TRunHistory(TMainForm &form);
    ~TRunHistory() override;

    void StepBackCommand();  // Shift+F7
    // Shows the next recorded step; false when the newest step is shown already.
    bool StepForward();
    // Shows the newest step again, where the paused program goes on.
    void ReturnToNewest();
    // An earlier step than the newest is shown.
    bool Behind() const;

private:
    void ShowStep(uint64_t step);
    void BlockWorldCommands(bool blocked);

    TMainForm &form_;
    std::unique_ptr<TRunRecorder> recorder_;
    // The world commands blocked while an earlier step is shown; the buttons with their own hints.
    std::vector<std::pair<QToolButton *, QString>> blockedButtons_;
    std::vector<QAction *> blockedItems_;
    bool blocked_ = false;
};

}  // namespace tumbo::app
