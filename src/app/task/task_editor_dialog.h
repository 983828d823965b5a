#pragma once
// "Aufgabe erstellen…": the teacher writes title and text, chooses what is checked and the step
// limit, and takes the window's current world as start or goal of each world of the task. The
// dialog stays open beside the window, so the world can be changed between the two. Saving
// writes the task file and its world files ("NAME-k.tdw", "NAME-k-ziel.tdw") beside it.
#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tumbo::app {

class TMainForm;

class TTaskEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts from the window's open task, if any.
  explicit TTaskEditorDialog(TMainForm& form);

  QLineEdit* edtTitel;
  QPlainTextEdit* memText;
  QCheckBox *chkZiegel, *chkMarken, *chkQuader, *chkPosition, *chkRichtung, *chkKeineHinweise;
  QSpinBox* speMaxSchritte;
  QListWidget* lstWelten;
  QPushButton *btnWeltNeu, *btnWeltEntfernen, *btnAlsStart, *btnAlsZiel, *btnSpeichern;

  // Writes the task to `path` (".tda") and its worlds beside it; false (with a message) when
  // something is missing or a file cannot be written.
  bool SaveTo(const QString& path);

 private:
  struct TWorldPair {
    std::string Start, Goal;  // world file bytes; empty until taken
  };
  void TakeCurrentWorld(bool asGoal);
  void SaveCommand();
  void RefreshList();
  void FillFromOpenTask();
  QString Problem() const;  // empty when the task can be saved
  unsigned Criteria() const;

  TMainForm& form_;
  std::vector<TWorldPair> worlds_;
};

}  // namespace tumbo::app
