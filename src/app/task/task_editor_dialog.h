#pragma once
// "Aufgabe erstellen…": the teacher writes title and text, chooses what is checked and the step
// limit, and takes the window's current world as start or goal of each world of the task. The
// dialog stays open beside the window, so the world can be changed between the two. Saving
// writes one task file that holds its worlds, ready to be handed on as it is (on request the
// worlds go into files beside it instead, "NAME-k.tdw", "NAME-k-ziel.tdw"), and a model
// solution chosen as "NAME-loesung.tdp"; "Aufgabe testen" checks the model solution against
// every world. What the dialog does not show of an open task (hints, word rules, the robot's
// settings, hidden worlds) is saved as it was read.
#include <QDialog>
#include <string>
#include <vector>

#include "task/grader.h"
#include "task/task_file.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tumbo::app {

class TMainForm;
class TTaskCheckJob;

class TTaskEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts from the window's open task, if any.
  explicit TTaskEditorDialog(TMainForm& form);

  QLineEdit* edtTitel;
  QPlainTextEdit* memText;
  QCheckBox *chkZiegel, *chkMarken, *chkQuader, *chkPosition, *chkRichtung, *chkKeineHinweise;
  QCheckBox* chkWeltdateien;  // worlds in files beside the task instead of in it
  QSpinBox* speMaxSchritte;
  QListWidget* lstWelten;
  QPushButton *btnWeltNeu, *btnWeltEntfernen, *btnAlsStart, *btnAlsZiel, *btnSpeichern;
  QLineEdit* edtMusterloesung;
  QPushButton *btnMusterloesung, *btnNeu, *btnTesten;
  QPlainTextEdit* memErgebnis;  // what "Aufgabe testen" found

  // "Neue Aufgabe": no title, no text, everything checked, one world whose start is the
  // window's world.
  void NewTask();
  // "Aufgabe testen": the model solution on every world, off the window's thread.
  void TestTask();
  TTaskCheckJob& TestJob() const { return *job_; }

  // Writes the task to `path` (".tda") and its worlds beside it; false (with a message) when
  // something is missing or a file cannot be written.
  bool SaveTo(const QString& path);

 private:
  struct TWorldPair {
    std::string Start, Goal;  // world file bytes; empty until taken
    bool Hidden = false;
  };
  void TakeCurrentWorld(bool asGoal);
  void SaveCommand();
  void RefreshList();
  void FillFromOpenTask();
  QString Problem() const;  // empty when the task can be saved
  unsigned Criteria() const;
  // The folder the file dialogs start in: the open task's, else the window's.
  QString TasksFolder() const;
  // The task as the dialog shows it, worlds read, for testing; a message when it cannot be.
  QString BuildTask(tumbo::task::TLoadedTask& out) const;
  void ShowTestResult(const std::vector<tumbo::task::TWorldGrade>& grades);

  TMainForm& form_;
  std::vector<TWorldPair> worlds_;
  tumbo::task::TTask base_;  // the open task's keys the dialog does not show
  QString folder_;           // the open task's folder
  TTaskCheckJob* job_ = nullptr;
};

}  // namespace tumbo::app
