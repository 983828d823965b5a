#pragma once
// The open task of the window and the menu "Aufgabe": opening a task (its text in a dock, its
// first start world as the world), loading any of its start worlds, checking the program in the
// editor against every start world (F10), the goal drawn over the world views, closing, and the
// teacher's dialog that creates task files.
#include <QObject>
#include <QPointer>
#include <optional>

#include "task/task_file.h"

class QAction;
class QDockWidget;
class QMenu;
class QTextBrowser;

namespace tumbo::app {

class TMainForm;
class TTaskEditorDialog;

inline const char* const kTaskFileFilter = "Aufgaben für Robot Tumbo (*.tda)|*.tda|Alle Dateien (*.*)|*.*";

class TTaskSession : public QObject {
  Q_OBJECT
 public:
  // Puts the menu "Aufgabe" after "Welt" and the text dock into the window.
  explicit TTaskSession(TMainForm& form);
  ~TTaskSession() override;

  QAction *AufgabeOeffnen1, *AufgabePruefen1, *ZielZeigen1, *AufgabeSchliessen1, *AufgabeErstellen1;

  // Loads a task file; a damaged one is refused with a message and the open task stays.
  bool OpenTask(const QString& path);
  void OpenTaskCommand();
  void CheckTaskCommand();  // F10
  void CloseTaskCommand();
  void CreateTaskCommand();
  // Makes start world `index` (from 0) the window's world; its goal is the one shown.
  void LoadStartWorld(int index);

  bool HasTask() const { return task_.has_value(); }
  const tumbo::task::TLoadedTask* Task() const { return task_ ? &*task_ : nullptr; }
  int CurrentWorld() const { return world_; }
  QDockWidget* TextDock() const { return dock_; }

 private:
  void CreateMenu();
  void UpdateActions();
  void ShowWorld(const std::string& worldBytes, const std::string& fileName);
  void InstallOverlays();

  TMainForm& form_;
  std::optional<tumbo::task::TLoadedTask> task_;
  int world_ = 0;
  QMenu* worldsMenu_ = nullptr;
  QDockWidget* dock_ = nullptr;
  QTextBrowser* text_ = nullptr;
  QPointer<TTaskEditorDialog> editor_;
};

}  // namespace tumbo::app
