#pragma once
// "Klasse auswerten…": the teacher chooses a task or a course and a class folder; a table of
// pupils × tasks (✓/✗ and the worlds solved, or the named result) fills while the grading
// runs on threads of its own, with a progress bar and "Stopp". A double-click on a cell shows
// that pupil's program with the task, read only. "Als CSV speichern" and "Als HTML speichern"
// write the files tumbo-cli grade writes with --summary and --html.
#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/files/file_dialogs.h"
#include "task/class_outputs.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tumbo::app {

class TClassOverviewDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TClassOverviewDialog(QWidget* parent = nullptr);
  ~TClassOverviewDialog() override;

  QLineEdit *edtAufgabe, *edtKlasse;
  QPushButton *btnAufgabeWaehlen, *btnKlasseWaehlen, *btnAuswerten, *btnStopp, *btnCsv, *btnHtml, *btnSchliessen;
  QProgressBar* pbFortschritt;
  QTableWidget* tblKlasse;
  QLabel* lblStatus;

  // How files and folders are asked for (tests answer without a dialog).
  FileDialogFunction AskFile;
  std::function<QString(const QString& title)> AskFolder;

  // Starts grading what the two fields name; false (with the reason shown) when they do not
  // name a task or course and a folder.
  bool StartGrading();
  void StopGrading();
  bool IsGrading() const { return worker_.joinable() && !finished_; }
  // What was graded so far (pupils in table order).
  const std::vector<tumbo::task::TPupilResult>& Results() const { return results_; }
  const tumbo::task::TClassWork* Work() const { return work_.get(); }

  // The pupil's program for a task in a window of its own (read only), or nothing when the
  // cell has not been graded yet.
  QDialog* ShowProgram(int row, int column);

  bool SaveCsv(const QString& path);
  bool SaveHtml(const QString& path);

 signals:
  void GradingFinished();

 private:
  void ChooseWork();
  void ChooseClass();
  void SaveCsvCommand();
  void SaveHtmlCommand();
  // The file a save command writes, asked for; empty when the teacher cancels.
  QString AskSaveFile(const QString& title, const QString& filter, const QString& suffix, const QString& name);
  void ShowOutcome(size_t pupil, size_t task, const tumbo::task::TTaskOutcome& outcome);
  void Finish();
  void JoinWorker();
  void UpdateButtons();
  bool Save(tumbo::task::TClassOutputs outputs);
  void ShowStatus(const QString& text);

  std::shared_ptr<const tumbo::task::TClassWork> work_;
  std::shared_ptr<const std::vector<tumbo::task::TPupil>> pupils_;
  std::vector<tumbo::task::TPupilResult> results_;
  std::string workFile_, classFolder_;
  std::atomic<bool> stop_{false};
  bool finished_ = true;
  std::thread worker_;
};

}  // namespace tumbo::app
