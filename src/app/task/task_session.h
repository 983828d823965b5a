#pragma once
// The open task of the window and the menu "Aufgabe": opening a task (its text in a dock, its
// first start world as the world), loading any of its start worlds, checking the program in the
// editor against every start world (F10), the goal drawn over the world views, closing, and the
// teacher's dialog that creates task files.
#include <QObject>
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "app/task/task_robot_settings.h"
#include "task/grader.h"
#include "task/task_file.h"

class QAction;
class QDockWidget;
class QListWidgetItem;
class QMenu;
class QShortcut;
class QTextBrowser;

namespace tumbo::app {

class TMainForm;
class TTaskCheckJob;
class TTaskEditorDialog;
class TClassOverviewDialog;
class TTaskResultBar;

inline const char* const kTaskFileFilter = "Aufgaben für Robot Tumbo (*.tda)|*.tda|Alle Dateien (*.*)|*.*";

class TTaskSession : public QObject {
  Q_OBJECT
 public:
  // Puts the menu "Aufgabe" after "Welt" and the text dock into the window.
  explicit TTaskSession(TMainForm& form);
  ~TTaskSession() override;

  QAction *AufgabeOeffnen1, *AufgabePruefen1, *ZielZeigen1, *AufgabeSchliessen1, *AufgabeErstellen1,
      *KlasseAuswerten1;

  // Loads a task file; a damaged one is refused with a message and the open task stays.
  bool OpenTask(const QString& path);
  void OpenTaskCommand();
  void CheckTaskCommand();  // F10: starts the check; its result lines follow when it is done
  void CancelCheck();       // Stopp, Escape
  void CloseTaskCommand();
  void CreateTaskCommand();
  void ClassOverviewCommand();  // "Klasse auswerten…"
  // Makes start world `index` (from 0) the window's world; its goal is the one shown.
  void LoadStartWorld(int index);

  bool HasTask() const { return task_.has_value(); }
  const tumbo::task::TLoadedTask* Task() const { return task_ ? &*task_ : nullptr; }
  int CurrentWorld() const { return world_; }
  QDockWidget* TextDock() const { return dock_; }
  TTaskCheckJob& CheckJob() const { return *job_; }
  bool Checking() const;
  // Shows the end state of world `index` (from 0) of the last check, its run ready to replay.
  void ShowResult(int index);
  TTaskResultBar* ResultBar() const { return resultBar_; }
  // Puts the user's own jump height and brick counting into `s` while the task's hold.
  void KeepUserRobotSettings(TumboSettings& s) const { robot_.KeepUserValues(s); }
  // The next of the task's hints in the information list ("Tipp" button).
  void ShowNextHint();

 signals:
  void TaskOpened();
  void TaskClosed();
  void CheckStarting();               // F10, before the program is graded
  void Checked(bool solvedAll);       // F10, after the result is shown
  void HintShown();

 private:
  void CreateMenu();
  void UpdateActions();
  void ShowWorld(const std::string& worldBytes, const std::string& fileName);
  void InstallOverlays();
  void CheckFinished(const std::vector<tumbo::task::TWorldGrade>& grades);
  void CheckEnded();
  void CountCheck(bool solvedAll);
  void ResultLineChosen(QListWidgetItem* item);
  // Runs the checked program again on the window's world, recorded for the "Verlauf" slider.
  void ReplayResult(int index);
  void BeforeRun();
  int FirstShownWorld() const;

  TMainForm& form_;
  std::optional<tumbo::task::TLoadedTask> task_;
  int world_ = 0;
  QMenu* worldsMenu_ = nullptr;
  QDockWidget* dock_ = nullptr;
  QTextBrowser* text_ = nullptr;
  QPointer<TTaskEditorDialog> editor_;
  TTaskCheckJob* job_ = nullptr;
  QShortcut* escape_ = nullptr;
  // The last check: the program checked, where its libraries are, and a grade per world.
  std::string checkedText_, checkedFolder_;
  std::vector<tumbo::task::TWorldGrade> results_;
  bool resultShown_ = false;  // the window shows a check's end state, not a start world
  QPointer<TClassOverviewDialog> classOverview_;
  TTaskRobotSettings robot_;
  TTaskResultBar* resultBar_ = nullptr;
  int failedChecks_ = 0;  // of the open task, for the hints
  int hintsShown_ = 0;
};

}  // namespace tumbo::app
