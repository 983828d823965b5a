#pragma once
// A pupil's program for a task, as the class overview opens it: a banner saying whose program
// it is, the task, the program (read only, highlighted as in the editor) and what became of
// each world.
#include <QDialog>

#include "task/class_grading.h"

class QLabel;

namespace tumbo::app {

class ProgramEditor;

class TPupilProgramView : public QDialog {
  Q_OBJECT
 public:
  TPupilProgramView(QWidget* parent, const std::string& pupil, const tumbo::task::TClassTask& task,
                    const tumbo::task::TTaskOutcome& outcome);

  QLabel* lblBanner;
  ProgramEditor* Editor;
};

}  // namespace tumbo::app
