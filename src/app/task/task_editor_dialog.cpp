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
#include "app/window/main_form.h"
#include "app/task/task_session.h"
#include "task/task_file.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"
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
  speMaxSchritte = new QSpinBox(this);
  speMaxSchritte->setRange(1, 2147483647);
  speMaxSchritte->setValue(int(kDefaultMaxSteps));
  speMaxSchritte->setGroupSeparatorShown(true);

  auto* worlds = new QGroupBox(QStringLiteral("Welten"), this);
  auto* worldsGrid = new QGridLayout(worlds);
  lstWelten = new QListWidget(worlds);
  lstWelten->setObjectName(QStringLiteral("lstWelten"));
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

  btnSpeichern = new QPushButton(QStringLiteral("Speichern…"), this);
  auto* close = new QPushButton(QStringLiteral("Schließen"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
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
    if (row < 0 || worlds_.size() <= 1) return;
    worlds_.erase(worlds_.begin() + row);
    RefreshList();
    lstWelten->setCurrentRow(std::min(row, int(worlds_.size()) - 1));
  });
  connect(btnAlsStart, &QPushButton::clicked, this, [this] { TakeCurrentWorld(false); });
  connect(btnAlsZiel, &QPushButton::clicked, this, [this] { TakeCurrentWorld(true); });
  connect(btnSpeichern, &QPushButton::clicked, this, &TTaskEditorDialog::SaveCommand);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  worlds_.resize(1);
  FillFromOpenTask();
  RefreshList();
  lstWelten->setCurrentRow(0);
  resize(560, 520);
}

void TTaskEditorDialog::FillFromOpenTask() {
  const TTaskSession* session = form_.findChild<TTaskSession*>();
  const TLoadedTask* open = session ? session->Task() : nullptr;
  if (!open) return;
  const TTask& t = open->Task;
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
  for (const TTaskWorld& w : open->Worlds)
    worlds_.push_back({w.StartBytes, WriteWorldText(w.Goal.Room, w.Goal.X, w.Goal.Y, w.Goal.Heading)});
}

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
  if (row < 0) return;
  (asGoal ? worlds_[row].Goal : worlds_[row].Start) = form_.Welt().SaveToText();
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
  TTask task;
  task.Title = ToCore(edtTitel->text().trimmed());
  task.Text = ToCore(memText->toPlainText().trimmed().replace(QLatin1Char('|'), QLatin1Char('/')));
  task.Criteria = Criteria();
  task.NoNotes = chkKeineHinweise->isChecked();
  task.MaxSteps = speMaxSchritte->value();
  std::string error;
  for (size_t i = 0; i < worlds_.size() && error.empty(); ++i) {
    const QString base = info.completeBaseName() + QStringLiteral("-%1").arg(i + 1);
    const QString start = base + QStringLiteral(".tdw"), goal = base + QStringLiteral("-ziel.tdw");
    task.Worlds.push_back({ToCore(start), ToCore(goal), "", "", false});
    if (tumbo::text::WriteFileAtomic(info.dir().filePath(start).toStdString(), worlds_[i].Start, error))
      tumbo::text::WriteFileAtomic(info.dir().filePath(goal).toStdString(), worlds_[i].Goal, error);
  }
  if (error.empty()) error = SaveTask(path.toStdString(), task).Message;
  if (!error.empty()) {
    form_.Ask(QMessageBox::Critical, FromCore(error), QMessageBox::Ok);
    return false;
  }
  form_.RunControl().AddInfoLine(QStringLiteral("Aufgabe gespeichert: ") + path);
  return true;
}

void TTaskEditorDialog::SaveCommand() {
  FileDialogRequest request;
  request.DialogKind = FileDialogRequest::Save;
  request.Title = QStringLiteral("Aufgabe speichern");
  request.Filter = QString::fromUtf8(kTaskFileFilter);
  request.DefaultSuffix = QStringLiteral("tda");
  request.Directory = form_.OpenPath;
  const QString path = WithDefaultSuffix(form_.AskFileName(request), request.DefaultSuffix);
  if (path.isEmpty()) return;
  if (QFileInfo::exists(path) &&
      form_.Ask(QMessageBox::Question,
                QStringLiteral("Eine Aufgabe mit diesem Namen existiert bereits,\nÜberschreiben ?"),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;
  SaveTo(path);
}

}  // namespace tumbo::app
