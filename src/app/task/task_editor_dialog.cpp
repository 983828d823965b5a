#include "app/task/task_editor_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>
#include <optional>

#include "app/run/run_control.h"
#include "app/task/number_field.h"
#include "app/task/task_check_job.h"
#include "app/window/main_form.h"
#include "app/task/task_session.h"
#include "task/task_file.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/text_file.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

using namespace tumbo::task;

std::string ToCore(const QString& s) { return tumbo::text::Utf8ToCp1252(s.toStdString()); }
QString FromCore(const std::string& s) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(s)); }

// Width, length and height of a world file's room; nothing for bytes that are not one.
std::optional<std::array<int32_t, 3>> RoomSize(const std::string& bytes) {
  TWorldFileContent content;
  if (!ReadWorldText(bytes, "", content).Ok()) return std::nullopt;
  return std::array<int32_t, 3>{content.Room.Width(), content.Room.Length(), content.Room.MaxHeight()};
}

}  // namespace

TTaskEditorDialog::TTaskEditorDialog(TMainForm& form) : QDialog(&form), form_(form) {
  setObjectName(QStringLiteral("dlgAufgabeErstellen"));
  setWindowTitle(QStringLiteral("Aufgabe erstellen"));
  setModal(false);

  edtTitel = new QLineEdit(this);
  memText = new QPlainTextEdit(this);
  memText->setPlaceholderText(QStringLiteral("Was soll Tumbo tun? Jede Zeile wird eine Zeile der Aufgabe."));
  memText->setTabChangesFocus(true);
  auto* criteria = new QGroupBox(QStringLiteral("Am Ende muss wie im Ziel sein"), this);
  auto* criteriaRow = new QHBoxLayout(criteria);
  chkZiegel = new QCheckBox(QStringLiteral("Ziegel"), criteria);
  chkMarken = new QCheckBox(QStringLiteral("Marken"), criteria);
  chkQuader = new QCheckBox(QStringLiteral("Quader"), criteria);
  chkPosition = new QCheckBox(QStringLiteral("Position"), criteria);
  chkRichtung = new QCheckBox(QStringLiteral("Richtung"), criteria);
  for (QCheckBox* c : {chkZiegel, chkMarken, chkQuader, chkPosition, chkRichtung}) {
    c->setChecked(true);
    criteriaRow->addWidget(c);
  }
  chkKeineHinweise = new QCheckBox(QStringLiteral("Tumbo darf nirgends anstoßen (keine Hinweise)"), this);
  speMaxSchritte = new TNumberField(this);
  speMaxSchritte->setRange(1, 2147483647);
  speMaxSchritte->setValue(int(kDefaultMaxSteps));
  chkWeltdateien = new QCheckBox(QStringLiteral("Welten als eigene Dateien neben der Aufgabe speichern"), this);
  chkWeltdateien->setObjectName(QStringLiteral("chkWeltdateien"));

  auto* worlds = new QGroupBox(QStringLiteral("Welten"), this);
  auto* worldsGrid = new QGridLayout(worlds);
  lstWelten = new QListWidget(worlds);
  lstWelten->setObjectName(QStringLiteral("lstWelten"));
  lstWelten->setAccessibleName(QStringLiteral("Welten der Aufgabe"));
  btnWeltNeu = new QPushButton(QStringLiteral("Welt hinzufügen"), worlds);
  btnWeltEntfernen = new QPushButton(QStringLiteral("Welt entfernen"), worlds);
  btnAlsStart = new QPushButton(QStringLiteral("Aktuelle Welt als Start übernehmen"), worlds);
  btnAlsZiel = new QPushButton(QStringLiteral("Aktuelle Welt als Ziel übernehmen"), worlds);
  worldsGrid->addWidget(lstWelten, 0, 0, 5, 1);
  worldsGrid->addWidget(btnAlsStart, 0, 1);
  worldsGrid->addWidget(btnAlsZiel, 1, 1);
  worldsGrid->addWidget(btnWeltNeu, 2, 1);
  worldsGrid->addWidget(btnWeltEntfernen, 3, 1);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("&Titel:"), edtTitel);
  fields->addRow(QStringLiteral("Te&xt:"), memText);
  fields->addRow(criteria);
  fields->addRow(chkKeineHinweise);
  fields->addRow(QStringLiteral("Höchstens &Schritte:"), speMaxSchritte);
  fields->addRow(worlds);
  edtMusterloesung = new QLineEdit(this);
  edtMusterloesung->setAccessibleName(QStringLiteral("Musterlösung"));
  edtMusterloesung->setPlaceholderText(QStringLiteral("Programm, das die Aufgabe löst (.tdp)"));
  btnMusterloesung = new QPushButton(QStringLiteral("Wählen…"), this);
  btnMusterloesung->setAccessibleName(QStringLiteral("Musterlösung wählen"));
  auto* solutionRow = new QHBoxLayout;
  solutionRow->addWidget(edtMusterloesung);
  solutionRow->addWidget(btnMusterloesung);
  fields->addRow(QStringLiteral("Musterlösung:"), solutionRow);
  memErgebnis = new QPlainTextEdit(this);
  memErgebnis->setReadOnly(true);
  memErgebnis->setAccessibleName(QStringLiteral("Ergebnis des Tests"));
  memErgebnis->setPlaceholderText(QStringLiteral("„Aufgabe testen“ prüft die Musterlösung in jeder Welt."));
  memErgebnis->setMaximumHeight(memErgebnis->fontMetrics().lineSpacing() * 5 + 12);
  fields->addRow(memErgebnis);
  fields->addRow(chkWeltdateien);

  btnNeu = new QPushButton(QStringLiteral("Neue Aufgabe"), this);
  btnTesten = new QPushButton(QStringLiteral("Aufgabe testen"), this);
  btnSpeichern = new QPushButton(QStringLiteral("Speichern…"), this);
  auto* close = new QPushButton(QStringLiteral("Schließen"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnNeu);
  buttons->addStretch();
  buttons->addWidget(btnTesten);
  buttons->addWidget(btnSpeichern);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  connect(btnWeltNeu, &QPushButton::clicked, this, [this] {
    worlds_.push_back({});
    RefreshList();
    lstWelten->setCurrentRow(int(worlds_.size()) - 1);
  });
  connect(btnWeltEntfernen, &QPushButton::clicked, this, [this] {
    const int row = lstWelten->currentRow();
    if (row < 0 || row >= int(worlds_.size())) return;
    worlds_.erase(worlds_.begin() + row);
    RefreshList();
    lstWelten->setCurrentRow(std::min(row, int(worlds_.size()) - 1));
  });
  connect(btnAlsStart, &QPushButton::clicked, this, [this] { TakeCurrentWorld(false); });
  connect(btnAlsZiel, &QPushButton::clicked, this, [this] { TakeCurrentWorld(true); });
  connect(btnSpeichern, &QPushButton::clicked, this, &TTaskEditorDialog::SaveCommand);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(btnNeu, &QPushButton::clicked, this, &TTaskEditorDialog::NewTask);
  connect(btnTesten, &QPushButton::clicked, this, &TTaskEditorDialog::TestTask);
  connect(btnMusterloesung, &QPushButton::clicked, this, [this] {
    FileDialogRequest request;
    request.Title = QStringLiteral("Musterlösung wählen");
    request.Filter = QStringLiteral("Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*");
    request.DefaultSuffix = QStringLiteral("tdp");
    request.Directory = TasksFolder();
    if (const QString path = form_.AskFileName(request); !path.isEmpty()) edtMusterloesung->setText(path);
  });
  job_ = new TTaskCheckJob(this);
  connect(job_, &TTaskCheckJob::Progress, this, [this](int world, int count) {
    memErgebnis->setPlainText(QStringLiteral("Welt %1 von %2 …").arg(world).arg(count));
  });
  connect(job_, &TTaskCheckJob::Finished, this, &TTaskEditorDialog::ShowTestResult);

  worlds_.resize(1);
  FillFromOpenTask();
  RefreshList();
  lstWelten->setCurrentRow(0);
  resize(560, 620);
}

void TTaskEditorDialog::FillFromOpenTask() {
  const TTaskSession* session = form_.findChild<TTaskSession*>();
  const TLoadedTask* open = session ? session->Task() : nullptr;
  if (!open) return;
  const TTask& t = open->Task;
  base_ = t;
  folder_ = QFileInfo(QString::fromStdString(open->FileName)).absolutePath();
  edtMusterloesung->setText(QString::fromStdString(open->ModelSolutionFile));
  edtTitel->setText(FromCore(t.Title));
  memText->setPlainText(FromCore(t.Text));
  chkZiegel->setChecked(t.Criteria & kCheckBricks);
  chkMarken->setChecked(t.Criteria & kCheckMarks);
  chkQuader->setChecked(t.Criteria & kCheckCuboids);
  chkPosition->setChecked(t.Criteria & kCheckPosition);
  chkRichtung->setChecked(t.Criteria & kCheckHeading);
  chkKeineHinweise->setChecked(t.NoNotes);
  speMaxSchritte->setValue(int(std::min<int64_t>(t.MaxSteps, speMaxSchritte->maximum())));
  worlds_.clear();
  for (size_t i = 0; i < open->Worlds.size(); ++i) {
    const TTaskWorld& w = open->Worlds[i];
    worlds_.push_back({w.StartBytes, WriteWorldText(w.Goal.Room, w.Goal.X, w.Goal.Y, w.Goal.Heading), open->IsHidden(i)});
  }
}

void TTaskEditorDialog::NewTask() {
  job_->Cancel();
  base_ = TTask{};
  edtTitel->clear();
  memText->clear();
  for (QCheckBox* c : {chkZiegel, chkMarken, chkQuader, chkPosition, chkRichtung}) c->setChecked(true);
  chkKeineHinweise->setChecked(false);
  speMaxSchritte->setValue(int(kDefaultMaxSteps));
  edtMusterloesung->clear();
  memErgebnis->clear();
  worlds_.assign(1, TWorldPair{form_.Welt().SaveToText(), {}, false});
  RefreshList();
  lstWelten->setCurrentRow(0);
  edtTitel->setFocus();
}

QString TTaskEditorDialog::TasksFolder() const { return folder_.isEmpty() ? form_.OpenPath : folder_; }

void TTaskEditorDialog::RefreshList() {
  const int row = lstWelten->currentRow();
  lstWelten->clear();
  auto state = [](const std::string& bytes) {
    const auto size = RoomSize(bytes);
    return size ? QStringLiteral("%1 × %2 × %3").arg((*size)[0]).arg((*size)[1]).arg((*size)[2])
                : QStringLiteral("fehlt");
  };
  for (size_t i = 0; i < worlds_.size(); ++i)
    lstWelten->addItem(QStringLiteral("Welt %1:   Start %2,   Ziel %3")
                           .arg(i + 1)
                           .arg(state(worlds_[i].Start), state(worlds_[i].Goal)));
  if (row >= 0 && row < lstWelten->count()) lstWelten->setCurrentRow(row);
}

void TTaskEditorDialog::TakeCurrentWorld(bool asGoal) {
  const int row = lstWelten->currentRow();
  if (row < 0 || row >= int(worlds_.size())) return;
  TWorldPair& w = worlds_[row];
  const std::string now = form_.Welt().SaveToText();
  // A new start rarely fits the old goal: the teacher decides whether it goes too.
  if (!asGoal && !w.Start.empty() && !w.Goal.empty() && w.Start != now &&
      form_.Ask(QMessageBox::Question,
                QStringLiteral("Welt %1 hat schon eine Zielwelt.\nSoll die Zielwelt auch ersetzt werden?\n"
                               "(Ja: Bauen Sie danach das Ziel und übernehmen Sie es neu.)")
                    .arg(row + 1),
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
    w.Goal.clear();
  (asGoal ? w.Goal : w.Start) = now;
  RefreshList();
}

unsigned TTaskEditorDialog::Criteria() const {
  const std::pair<QCheckBox*, TCriterion> boxes[] = {{chkZiegel, kCheckBricks},
                                                       {chkMarken, kCheckMarks},
                                                       {chkQuader, kCheckCuboids},
                                                       {chkPosition, kCheckPosition},
                                                       {chkRichtung, kCheckHeading}};
  unsigned criteria = 0;
  for (const auto& [box, bit] : boxes)
    if (box->isChecked()) criteria |= bit;
  return criteria;
}

QString TTaskEditorDialog::Problem() const {
  if (edtTitel->text().trimmed().isEmpty()) return QStringLiteral("Die Aufgabe braucht einen Titel.");
  if (worlds_.empty()) return QStringLiteral("Die Aufgabe braucht mindestens eine Welt.");
  if (Criteria() == 0) return QStringLiteral("Wählen Sie mindestens eines: Ziegel, Marken, Quader, Position oder Richtung.");
  for (size_t i = 0; i < worlds_.size(); ++i) {
    const auto start = RoomSize(worlds_[i].Start), goal = RoomSize(worlds_[i].Goal);
    if (!start) return QStringLiteral("Welt %1 hat noch keine Startwelt.").arg(i + 1);
    if (!goal) return QStringLiteral("Welt %1 hat noch keine Zielwelt.").arg(i + 1);
    if (*start != *goal) return QStringLiteral("Welt %1: Start- und Zielwelt sind verschieden groß.").arg(i + 1);
  }
  return {};
}

bool TTaskEditorDialog::SaveTo(const QString& path) {
  if (const QString problem = Problem(); !problem.isEmpty()) {
    form_.Ask(QMessageBox::Warning, problem, QMessageBox::Ok);
    return false;
  }
  const QFileInfo info(path);
  TTask task = base_;
  task.Worlds.clear();
  task.Title = ToCore(edtTitel->text().trimmed());
  task.Text = ToCore(memText->toPlainText().trimmed().replace(QLatin1Char('|'), QLatin1Char('/')));
  task.Criteria = Criteria();
  task.NoNotes = chkKeineHinweise->isChecked();
  task.MaxSteps = speMaxSchritte->value();
  std::string error;
  for (size_t i = 0; i < worlds_.size() && error.empty(); ++i) {
    if (!chkWeltdateien->isChecked()) {
      task.Worlds.push_back({"", "", worlds_[i].Start, worlds_[i].Goal, worlds_[i].Hidden});
      continue;
    }
    const QString base = info.completeBaseName() + QStringLiteral("-%1").arg(i + 1);
    const QString start = base + QStringLiteral(".tdw"), goal = base + QStringLiteral("-ziel.tdw");
    task.Worlds.push_back({ToCore(start), ToCore(goal), "", "", worlds_[i].Hidden});
    if (tumbo::text::WriteFileAtomic(info.dir().filePath(start).toStdString(), worlds_[i].Start, error))
      tumbo::text::WriteFileAtomic(info.dir().filePath(goal).toStdString(), worlds_[i].Goal, error);
  }
  task.ModelSolution.clear();
  if (const QString solution = edtMusterloesung->text().trimmed(); !solution.isEmpty() && error.empty()) {
    const QString name = info.completeBaseName() + QStringLiteral("-loesung.tdp");
    const QString target = info.dir().filePath(name);
    std::string bytes;
    if (QFileInfo(solution).absoluteFilePath() == QFileInfo(target).absoluteFilePath() ||
        (tumbo::text::ReadFileBytes(solution.toStdString(), bytes, error) &&
         tumbo::text::WriteFileAtomic(target.toStdString(), bytes, error)))
      task.ModelSolution = ToCore(name);
  }
  if (error.empty()) error = SaveTask(path.toStdString(), task).Message;
  if (!error.empty()) {
    form_.Ask(QMessageBox::Critical, FromCore(error), QMessageBox::Ok);
    return false;
  }
  form_.RunControl().AddInfoLine(QStringLiteral("Aufgabe gespeichert: ") + path);
  folder_ = info.absolutePath();
  return true;
}

void TTaskEditorDialog::SaveCommand() {
  FileDialogRequest request;
  request.DialogKind = FileDialogRequest::Save;
  request.Title = QStringLiteral("Aufgabe speichern");
  request.Filter = QString::fromUtf8(kTaskFileFilter);
  request.DefaultSuffix = QStringLiteral("tda");
  request.Directory = TasksFolder();
  const QString path = WithDefaultSuffix(form_.AskFileName(request), request.DefaultSuffix);
  if (path.isEmpty()) return;
  if (QFileInfo::exists(path) &&
      form_.Ask(QMessageBox::Question,
                QStringLiteral("Eine Aufgabe mit diesem Namen existiert bereits,\nÜberschreiben ?"),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  SaveTo(path);
}

QString TTaskEditorDialog::BuildTask(TLoadedTask& out) const {
  if (const QString problem = Problem(); !problem.isEmpty()) return problem;
  out = TLoadedTask{};
  out.Task = base_;
  out.Task.Criteria = Criteria();
  out.Task.NoNotes = chkKeineHinweise->isChecked();
  out.Task.MaxSteps = speMaxSchritte->value();
  out.Task.Worlds.clear();
  for (size_t i = 0; i < worlds_.size(); ++i) {
    TTaskWorld w;
    w.StartBytes = worlds_[i].Start;
    w.StartFile = QStringLiteral("Welt %1").arg(i + 1).toStdString();
    if (!ReadWorldText(w.StartBytes, w.StartFile, w.Start).Ok() ||
        !ReadWorldText(worlds_[i].Goal, w.StartFile, w.Goal).Ok())
      return QStringLiteral("Welt %1 kann nicht gelesen werden.").arg(i + 1);
    out.Worlds.push_back(std::move(w));
    out.Task.Worlds.push_back({{}, {}, {}, {}, worlds_[i].Hidden});
  }
  return {};
}

void TTaskEditorDialog::TestTask() {
  if (job_->Running()) return;
  TLoadedTask task;
  QString problem = BuildTask(task);
  const QString solution = edtMusterloesung->text().trimmed();
  if (problem.isEmpty() && solution.isEmpty()) problem = QStringLiteral("Wählen Sie zuerst eine Musterlösung.");
  std::string bytes, error;
  if (problem.isEmpty() && !tumbo::text::ReadFileBytes(solution.toStdString(), bytes, error))
    problem = FromCore(error);
  if (!problem.isEmpty()) {
    memErgebnis->setPlainText(problem);
    return;
  }
  const std::string text = tumbo::text::DecodeToCp1252(bytes);
  QString folder = QFileInfo(solution).absolutePath();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  // Errors of the program are told once, and no world runs.
  std::string broken = CompilerMessage(text, folder.toStdString());
  if (broken.empty()) broken = WordRuleMessage(task, text);
  if (!broken.empty()) {
    memErgebnis->setPlainText(QStringLiteral("Die Musterlösung läuft nicht: ") + FromCore(broken));
    return;
  }
  job_->Start(task, text, folder.toStdString());
}

void TTaskEditorDialog::ShowTestResult(const std::vector<TWorldGrade>& grades) {
  QStringList lines;
  int solved = 0;
  for (size_t i = 0; i < grades.size(); ++i) {
    solved += grades[i].Solved;
    const QString world = (grades[i].Hidden ? QStringLiteral("Verdeckte Welt %1: ") : QStringLiteral("Welt %1: ")).arg(i + 1);
    lines << world + (grades[i].Solved ? QStringLiteral("gelöst ✓")
                                       : QStringLiteral("nicht gelöst ✗ – ") + FromCore(grades[i].Reason));
  }
  lines.prepend(solved == int(grades.size())
                    ? QStringLiteral("Die Musterlösung löst %1.").arg(grades.size() == 1 ? QStringLiteral("die Welt")
                                                                                          : QStringLiteral("alle %1 Welten").arg(grades.size()))
                    : QStringLiteral("Die Musterlösung löst %1 von %2.").arg(solved).arg(FromCore(WorldCount(grades.size()))));
  memErgebnis->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace tumbo::app
