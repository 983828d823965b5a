#include "app/task/class_overview_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include "app/task/pupil_program_view.h"
#include "task/class_outputs.h"
#include "text/cp1252.h"
#include "world/qt/world_map_png.h"

namespace tumbo::app {
namespace {

using namespace tumbo::task;

constexpr int kPictureWidth = 260;  // as tumbo-cli draws them

QString FromCore(const std::string& cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& accessible) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAccessibleName(accessible);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TClassOverviewDialog::TClassOverviewDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgKlasseAuswerten"));
  setWindowTitle(QStringLiteral("Klasse auswerten"));
  AskFile = [this](const FileDialogRequest& r) { return ShowFileDialog(this, r); };
  AskFolder = [this](const QString& title) { return QFileDialog::getExistingDirectory(this, title); };

  auto* grid = new QGridLayout;
  const auto field = [this, grid](int row, const QString& caption, const char* name, const QString& accessible,
                                  QLineEdit*& edit, QPushButton*& choose, const char* chooseName) {
    auto* label = new QLabel(caption, this);
    edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessible);
    label->setBuddy(edit);
    choose = Button(this, chooseName, QStringLiteral("Wählen…"), accessible + QStringLiteral(" wählen"));
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(choose, row, 2);
  };
  field(0, QStringLiteral("&Aufgabe oder Kurs:"), "edtAufgabe", QStringLiteral("Aufgabe oder Kurs"), edtAufgabe,
        btnAufgabeWaehlen, "btnAufgabeWaehlen");
  field(1, QStringLiteral("&Klassenordner:"), "edtKlasse", QStringLiteral("Klassenordner"), edtKlasse,
        btnKlasseWaehlen, "btnKlasseWaehlen");

  btnAuswerten = Button(this, "btnAuswerten", QStringLiteral("Aus&werten"), QStringLiteral("Auswerten"));
  btnStopp = Button(this, "btnStopp", QStringLiteral("&Stopp"), QStringLiteral("Auswertung anhalten"));
  pbFortschritt = new QProgressBar(this);
  pbFortschritt->setObjectName(QStringLiteral("pbFortschritt"));
  pbFortschritt->setAccessibleName(QStringLiteral("Fortschritt der Auswertung"));
  pbFortschritt->setValue(0);
  auto* run = new QHBoxLayout;
  run->addWidget(btnAuswerten);
  run->addWidget(btnStopp);
  run->addWidget(pbFortschritt, 1);

  tblKlasse = new QTableWidget(this);
  tblKlasse->setObjectName(QStringLiteral("tblKlasse"));
  tblKlasse->setAccessibleName(QStringLiteral("Ergebnisse der Klasse"));
  tblKlasse->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblKlasse->setSelectionMode(QAbstractItemView::SingleSelection);
  tblKlasse->setToolTip(QStringLiteral("Doppelklick: das Programm ansehen"));
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setAccessibleName(QStringLiteral("Stand der Auswertung"));
  lblStatus->setWordWrap(true);

  btnCsv = Button(this, "btnCsv", QStringLiteral("Als &CSV speichern…"), QStringLiteral("Als CSV speichern"));
  btnHtml = Button(this, "btnHtml", QStringLiteral("Als &HTML speichern…"), QStringLiteral("Als HTML speichern"));
  btnSchliessen = Button(this, "btnSchliessen", QStringLiteral("Schließen"), QStringLiteral("Schließen"));
  auto* save = new QHBoxLayout;
  save->addWidget(btnCsv);
  save->addWidget(btnHtml);
  save->addStretch(1);
  save->addWidget(btnSchliessen);

  auto* col = new QVBoxLayout(this);
  col->addLayout(grid);
  col->addLayout(run);
  col->addWidget(tblKlasse, 1);
  col->addWidget(lblStatus);
  col->addLayout(save);

  connect(btnAufgabeWaehlen, &QPushButton::clicked, this, &TClassOverviewDialog::ChooseWork);
  connect(btnKlasseWaehlen, &QPushButton::clicked, this, &TClassOverviewDialog::ChooseClass);
  connect(btnAuswerten, &QPushButton::clicked, this, &TClassOverviewDialog::StartGrading);
  connect(btnStopp, &QPushButton::clicked, this, &TClassOverviewDialog::StopGrading);
  connect(btnCsv, &QPushButton::clicked, this, &TClassOverviewDialog::SaveCsvCommand);
  connect(btnHtml, &QPushButton::clicked, this, &TClassOverviewDialog::SaveHtmlCommand);
  connect(btnSchliessen, &QPushButton::clicked, this, &QDialog::close);
  connect(tblKlasse, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) { ShowProgram(row, column); });
  UpdateButtons();
  resize(760, 520);
}

TClassOverviewDialog::~TClassOverviewDialog() {
  stop_ = true;
  JoinWorker();
}

void TClassOverviewDialog::JoinWorker() {
  if (worker_.joinable()) worker_.join();
}

void TClassOverviewDialog::UpdateButtons() {
  const bool grading = IsGrading();
  btnAuswerten->setEnabled(!grading);
  btnStopp->setEnabled(grading);
  btnCsv->setEnabled(!grading && !results_.empty());
  btnHtml->setEnabled(!grading && !results_.empty());
}

void TClassOverviewDialog::ShowStatus(const QString& text) { lblStatus->setText(text); }

void TClassOverviewDialog::ChooseWork() {
  FileDialogRequest request;
  request.Title = QStringLiteral("Aufgabe oder Kurs wählen");
  request.Filter = QStringLiteral("Aufgaben und Kurse (*.tda;*.tdk)|*.tda;*.tdk|Alle Dateien (*.*)|*.*");
  const QString path = AskFile(request);
  if (!path.isEmpty()) edtAufgabe->setText(path);
}

void TClassOverviewDialog::ChooseClass() {
  const QString path = AskFolder(QStringLiteral("Klassenordner wählen"));
  if (!path.isEmpty()) edtKlasse->setText(path);
}

bool TClassOverviewDialog::StartGrading() {
  if (IsGrading()) return false;
  JoinWorker();
  const std::string workFile = edtAufgabe->text().trimmed().toStdString();
  const std::string folder = edtKlasse->text().trimmed().toStdString();
  auto work = std::make_shared<TClassWork>();
  if (workFile.empty()) {
    ShowStatus(QStringLiteral("Bitte eine Aufgabe oder einen Kurs wählen."));
    return false;
  }
  if (const std::string error = LoadClassWork(workFile, *work); !error.empty()) {
    ShowStatus(FromCore(error));
    return false;
  }
  if (folder.empty() || !QFileInfo(QString::fromStdString(folder)).isDir()) {
    ShowStatus(QStringLiteral("Bitte einen Klassenordner wählen."));
    return false;
  }
  auto pupils = std::make_shared<const std::vector<TPupil>>(FindPupils({folder}));
  work_ = work;
  pupils_ = pupils;
  workFile_ = workFile;
  classFolder_ = folder;
  results_.clear();

  tblKlasse->clear();
  tblKlasse->setColumnCount(int(work->Tasks.size()) + 1);
  tblKlasse->setRowCount(int(pupils->size()));
  QStringList headers;
  for (const TClassTask& t : work->Tasks) headers << FromCore(t.Title());
  headers << QStringLiteral("Gelöst");
  tblKlasse->setHorizontalHeaderLabels(headers);
  QStringList names;
  for (const TPupil& p : *pupils) names << FromCore(p.Name);
  tblKlasse->setVerticalHeaderLabels(names);
  pbFortschritt->setRange(0, std::max<int>(1, int(pupils->size() * work->Tasks.size())));
  pbFortschritt->setValue(0);
  ShowStatus(QStringLiteral("%1 Schülerinnen und Schüler werden ausgewertet …").arg(pupils->size()));

  stop_ = false;
  finished_ = false;
  const unsigned jobs = std::max(1u, unsigned(QThread::idealThreadCount()));
  worker_ = std::thread([this, work, pupils, jobs] {
    GradeClass(
        *work, *pupils, jobs,
        [this](size_t index, const TPupilResult& pupil, size_t task) {
          QMetaObject::invokeMethod(
              this, [this, index, task, outcome = pupil.Tasks.back()] { ShowOutcome(index, task, outcome); },
              Qt::QueuedConnection);
        },
        &stop_);
    QMetaObject::invokeMethod(this, [this] { Finish(); }, Qt::QueuedConnection);
  });
  UpdateButtons();
  return true;
}

void TClassOverviewDialog::StopGrading() {
  if (!IsGrading()) return;
  stop_ = true;
  ShowStatus(QStringLiteral("Wird angehalten …"));
}

void TClassOverviewDialog::ShowOutcome(size_t pupil, size_t task, const TTaskOutcome& outcome) {
  if (task == 0) results_.push_back({(*pupils_)[pupil].Name, {}});
  results_.back().Tasks.push_back(outcome);
  const QString mark = outcome.Kind == TSubmission::Program || outcome.Kind == TSubmission::SyntaxError
                           ? (outcome.Solved() ? QStringLiteral("✓ ") : QStringLiteral("✗ "))
                           : QString();
  auto* item = new QTableWidgetItem(mark + FromCore(outcome.Cell()));
  item->setForeground(outcome.Solved() ? QColor(0, 112, 0)
                      : mark.isEmpty() ? QColor(110, 110, 110)
                                       : QColor(176, 0, 0));
  tblKlasse->setItem(int(pupil), int(task), item);
  if (task + 1 == work_->Tasks.size()) {
    auto* solved = new QTableWidgetItem(QString::number(results_.back().SolvedTasks()));
    solved->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tblKlasse->setItem(int(pupil), int(task) + 1, solved);
  }
  pbFortschritt->setValue(pbFortschritt->value() + 1);
}

void TClassOverviewDialog::Finish() {
  finished_ = true;
  JoinWorker();
  tblKlasse->resizeColumnsToContents();
  int all = 0;
  for (const TPupilResult& p : results_) all += p.SolvedTasks() == int(work_->Tasks.size());
  ShowStatus((stop_ ? QStringLiteral("Angehalten: %1 von %2 ausgewertet. ").arg(results_.size()).arg(pupils_->size())
                    : QStringLiteral("Fertig. ")) +
             QStringLiteral("%1 von %2 lösen %3.")
                 .arg(all)
                 .arg(results_.size())
                 .arg(work_->Course ? QStringLiteral("alle Aufgaben") : QStringLiteral("die Aufgabe")));
  UpdateButtons();
  emit GradingFinished();
}

QDialog* TClassOverviewDialog::ShowProgram(int row, int column) {
  if (!work_ || row < 0 || row >= int(results_.size()) || column < 0 ||
      column >= int(results_[row].Tasks.size()))
    return nullptr;
  auto* view = new TPupilProgramView(this, results_[row].Name, work_->Tasks[column], results_[row].Tasks[column]);
  view->show();
  return view;
}

bool TClassOverviewDialog::Save(TClassOutputs outputs) {
  if (const std::string clash = OutputClash(outputs, workFile_, {classFolder_}); !clash.empty()) {
    ShowStatus(FromCore(clash));
    return false;
  }
  THtmlReport report{ReportDateText(), [](const std::string& world) { return WorldMapPng(world, kPictureWidth); }};
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = WriteClassOutputs(*work_, results_, outputs, report, error);
  QApplication::restoreOverrideCursor();
  ShowStatus(ok ? QStringLiteral("Gespeichert.") : FromCore(error));
  return ok;
}

bool TClassOverviewDialog::SaveCsv(const QString& path) {
  if (!work_ || results_.empty()) return false;
  TClassOutputs outputs;
  outputs.Summary = path.toStdString();
  return Save(outputs);
}

bool TClassOverviewDialog::SaveHtml(const QString& path) {
  if (!work_ || results_.empty()) return false;
  TClassOutputs outputs;
  outputs.Html = path.toStdString();
  return Save(outputs);
}

QString TClassOverviewDialog::AskSaveFile(const QString& title, const QString& filter, const QString& suffix,
                                          const QString& name) {
  FileDialogRequest request;
  request.DialogKind = FileDialogRequest::Save;
  request.Title = title;
  request.Filter = filter;
  request.DefaultSuffix = suffix;
  request.FileName = name;
  return AskFile(request);
}

void TClassOverviewDialog::SaveCsvCommand() {
  if (const QString path = AskSaveFile(QStringLiteral("Als CSV speichern"), QStringLiteral("CSV-Tabellen (*.csv)|*.csv"),
                                       QStringLiteral("csv"), QStringLiteral("klasse.csv"));
      !path.isEmpty())
    SaveCsv(path);
}

void TClassOverviewDialog::SaveHtmlCommand() {
  if (!work_) return;
  if (work_->Course) {
    // A course: an overview and a page per pupil, in a folder.
    if (const QString path = AskFolder(QStringLiteral("Ordner für die HTML-Seiten wählen")); !path.isEmpty())
      SaveHtml(path);
    return;
  }
  if (const QString path = AskSaveFile(QStringLiteral("Als HTML speichern"), QStringLiteral("HTML-Seiten (*.html)|*.html"),
                                       QStringLiteral("html"), QStringLiteral("klasse.html"));
      !path.isEmpty())
    SaveHtml(path);
}

}  // namespace tumbo::app
