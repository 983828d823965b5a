#pragma once
// The run commands of the main window — Start, Schnelllauf, Einzelschritt, Pause, Stopp,
// Stopp-Punkt, Syntaxprüfung, Meldungen löschen — and what a run shows: the marks in the
// editor's gutter, the lamp, the information list and the status fields. The window
// creates it once its controls and the engine exist; it connects the run buttons and menu
// items itself, and the engine's callbacks land here.
#include <QObject>
#include <QString>

#include <functional>
#include <string>

#include "app/run/run_marks.h"

class TTumbo_Parser;

namespace tumbo::app {

class TMainForm;

class TRunControl : public QObject {
    Q_OBJECT
public:
    explicit TRunControl(TMainForm &form);

signals:
    // F9, Shift+F9 or the first single step, before the program is compiled.
    void RunStarting();

public:

    void StartCommand();         // F9
    void FastCommand();          // Shift+F9
    void SingleStepCommand();    // F7
    void PauseCommand();         // F2
    void StopCommand();          // Ctrl+F2
    void BreakpointCommand();    // Ctrl+B
    void SyntaxCheckCommand();
    void ClearMessagesCommand();
    // A run is on the stack: running, paused, or stopped and still waiting out the pause it
    // had begun. Nothing may compile or start a run until it has returned.
    // Called as a run starts, before the world file is read again: the open task puts back the
    // start of a world whose checked end state is shown.
    std::function<void()> BeforeRun;
    // The world's caption in the information list when it has no file (a task's world); may be empty.
    std::function<QString()> WorldCaption;
    bool RunOnStack() const { return runDepth_ > 0; }

    // The first three lines of the information list name the program and the world.
    void ResetInfoList();
    void AddInfoLine(const QString &text);
    void UpdateLamp();
    void SetLamp(int mode);
    void UpdateStatusFields();
    // Scrolls the editor so that `line` and a few after it are in view.
    void KeepLineVisible(int line);
    TRunMarks &Marks() { return marks_; }

    // The world as it was before the last run, kept in the window's temporary world file.
    void SaveWorldForRun();
    void RestoreSavedWorld();
    bool WorldSavedForRun = false;

    // Engine callbacks.
    void OnStep();
    void OnError(int number, int line, const std::string &message);
    void OnMessage(int kind, int line, const std::string &message);
    // Applies the current-line display and status fields that OnStep left pending.
    void FlushRunDisplay();

private:
    void Connect();
    void StartRun(int mode);
    void ClearMarksForFastRun();

    TMainForm &form_;
    TTumbo_Parser &parser_;
    TRunMarks marks_;
    // Pending display of a running program, applied at screen rate.
    int pendingLine_ = -1;
    int lampMode_ = -1;  // the run mode the lamp was last set for
    int runDepth_ = 0;   // runs on the stack (see RunOnStack)
    bool displayPending_ = false;
    QString shownX_, shownY_, shownHeading_, shownBricks_;
};

}  // namespace tumbo::app
