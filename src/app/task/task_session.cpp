#include "app/task/task_session.h"

#include <QApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "app/task/goal_overlay.h"
#include "app/history/run_history.h"
#include "app/task/task_check_job.h"
#include "app/task/class_overview_dialog.h"
#include "app/task/task_editor_dialog.h"
#include "app/task/task_result_bar.h"
#include "language/deep_stack.h"
#include "language/headless_run.h"
#include "task/grader.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string& cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

// The information list's lines of a check's worlds carry the world's index (from 0).
constexpr int kWorldRole = Qt::UserRole + 1;

// At most this many steps of a world's run are run again for the "Verlauf" slider, as many
// as the history keeps.
constexpr int64_t kReplaySteps = 1000000;

}  // namespace

TTaskSession::TTaskSession(TMainForm& form) : QObject(&form), form_(form) {
  CreateMenu();
  dock_ = new QDockWidget(QStringLiteral("Aufgabe"), &form_);
  dock_->setObjectName(QStringLiteral("dockAufgabe"));
  dock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                     QDockWidget::DockWidgetFloatable);
  text_ = new QTextBrowser(dock_);
  text_->setObjectName(QStringLiteral("txtAufgabe"));
  text_->setMinimumHeight(40);
  text_->document()->setDocumentMargin(4);
  dock_->setWidget(text_);
  form_.addDockWidget(Qt::TopDockWidgetArea, dock_);
  dock_->hide();

  job_ = new TTaskCheckJob(this);
  connect(job_, &TTaskCheckJob::Progress, this, [this](int world, int count) {
    form_.statusBar()->showMessage(QStringLiteral("Aufgabe prüfen: Welt %1 von %2 … (Stopp oder Esc bricht ab)")
                                       .arg(world)
                                       .arg(count));
  });
  connect(job_, &TTaskCheckJob::Finished, this, &TTaskSession::CheckFinished);
  connect(job_, &TTaskCheckJob::Cancelled, this, [this] {
    CheckEnded();
    form_.RunControl().AddInfoLine(QStringLiteral("Prüfung abgebrochen"));
  });
  escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &form_);
  escape_->setContext(Qt::WindowShortcut);
  escape_->setEnabled(false);
  connect(escape_, &QShortcut::activated, this, &TTaskSession::CancelCheck);
  connect(form_.btnAblaufStopp, &QToolButton::clicked, this, &TTaskSession::CancelCheck);
  connect(form_.Stopp1, &QAction::triggered, this, &TTaskSession::CancelCheck);
  connect(form_.InfoBox, &QListWidget::itemClicked, this, &TTaskSession::ResultLineChosen);
  connect(form_.InfoBox, &QListWidget::itemActivated, this, &TTaskSession::ResultLineChosen);
  form_.RunControl().BeforeRun = [this] { BeforeRun(); };
  form_.RunControl().WorldCaption = [this] {
    return HasTask() ? QStringLiteral("Welt %1 der Aufgabe „%2“").arg(world_ + 1).arg(FromCore(task_->Task.Title))
                     : QString();
  };
  // Above the information list, where the result of F10 appears, and above its caption.
  resultBar_ = new TTaskResultBar(form_.PanelError);
  QWidget* listHead = form_.PanelError->findChild<QWidget*>(QStringLiteral("CaptionInformation"));
  if (auto* column = qobject_cast<QVBoxLayout*>(form_.PanelError->layout()))
    column->insertWidget(column->indexOf(listHead ? listHead : form_.InfoBox), resultBar_);
  connect(resultBar_, &TTaskResultBar::HintRequested, this, &TTaskSession::ShowNextHint);
  InstallOverlays();
  UpdateActions();
}

TTaskSession::~TTaskSession() = default;

bool TTaskSession::Checking() const { return job_->Running(); }

void TTaskSession::CreateMenu() {
  auto* menu = new QMenu(QStringLiteral("A&ufgabe"), form_.menuBar());
  menu->setObjectName(QStringLiteral("Aufgabe1"));
  // After "Welt": in front of the menu that follows it.
  const QList<QAction*> menus = form_.menuBar()->actions();
  QAction* before = nullptr;
  for (int i = 0; i + 1 < menus.size(); ++i)
    if (menus[i]->menu() && menus[i]->menu()->findChild<QAction*>(QStringLiteral("NeueWelt1")))
      before = menus[i + 1];
  form_.menuBar()->insertMenu(before, menu);

  auto item = [this, menu](const QString& caption, const char* name, auto slot) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  AufgabeOeffnen1 = item(QStringLiteral("Aufgabe öffnen…"), "AufgabeOeffnen1", &TTaskSession::OpenTaskCommand);
  worldsMenu_ = menu->addMenu(QStringLiteral("Startwelt laden"));
  worldsMenu_->setObjectName(QStringLiteral("Startwelt1"));
  worldsMenu_->menuAction()->setObjectName(QStringLiteral("Startwelt1"));
  AufgabePruefen1 = item(QStringLiteral("Aufgabe prüfen"), "AufgabePruefen1", &TTaskSession::CheckTaskCommand);
  AufgabePruefen1->setShortcut(QKeySequence(Qt::Key_F10));
  form_.Editor->ReleaseKey(QKeySequence(Qt::Key_F10)[0].toCombined());
  ZielZeigen1 = menu->addAction(QStringLiteral("Ziel zeigen"));
  ZielZeigen1->setObjectName(QStringLiteral("ZielZeigen1"));
  ZielZeigen1->setCheckable(true);
  connect(ZielZeigen1, &QAction::toggled, this, [this] { InstallOverlays(); });
  AufgabeSchliessen1 = item(QStringLiteral("Aufgabe schließen"), "AufgabeSchliessen1", &TTaskSession::CloseTaskCommand);
  menu->addSeparator();
  AufgabeErstellen1 = item(QStringLiteral("Aufgabe erstellen…"), "AufgabeErstellen1", &TTaskSession::CreateTaskCommand);
  KlasseAuswerten1 = item(QStringLiteral("Klasse auswerten…"), "KlasseAuswerten1", &TTaskSession::ClassOverviewCommand);
}

void TTaskSession::UpdateActions() {
  for (QAction* a : {AufgabePruefen1, ZielZeigen1, AufgabeSchliessen1}) a->setEnabled(HasTask());
  worldsMenu_->setEnabled(HasTask());
  worldsMenu_->clear();
  if (!task_) return;
  for (int i = 0; i < int(task_->Worlds.size()); ++i) {
    if (task_->IsHidden(size_t(i))) continue;  // graded, never shown
    QAction* a = worldsMenu_->addAction(QStringLiteral("Welt %1").arg(i + 1));
    connect(a, &QAction::triggered, this, [this, i] { LoadStartWorld(i); });
  }
}

// The goal is painted over both views; the views hand over their geometry.
void TTaskSession::InstallOverlays() {
  TWeltQt& views = form_.WeltViews();
  const bool show = HasTask() && ZielZeigen1->isChecked();
  if (auto* box = views.PaintBox2D())
    box->SetOverlay(!show ? TWorldViewWidget::Overlay() : [this](QPainter& p, const TViewScale& scale) {
      const tumbo::task::TTaskWorld& w = task_->Worlds[world_];
      PaintGoal2D(p, form_.Welt().Room, w.Goal, task_->Task.Criteria, scale.Factor, [&scale](int x, int y) {
        return scale.Map(TWeltView2D::CellsRect(x, y, x + 1, y + 1));
      });
    });
  if (auto* image = views.Image3D())
    image->SetOverlay(!show ? TWorldViewWidget::Overlay() : [this](QPainter& p, const TViewScale& scale) {
      const TWeltQt& views = form_.WeltViews();
      PaintGoal3D(p, form_.Welt().Room, task_->Worlds[world_].Goal, task_->Task.Criteria,
                  views.Pictures().ScaledFor(scale.Factor), scale.Factor, [&](double x, double y, double z) {
                    return scale.Map(views.View3D().Project3D(x, y, z));
                  });
    });
}

bool TTaskSession::OpenTask(const QString& path) {
  if (form_.RunControl().RunOnStack()) return false;
  CancelCheck();
  tumbo::task::TLoadedTask loaded;
  const QString file = QFileInfo(path).absoluteFilePath();
  if (const tumbo::task::TTaskResult r = tumbo::task::LoadTask(file.toStdString(), loaded); !r.Ok()) {
    form_.Ask(QMessageBox::Critical, FromCore(r.Message), QMessageBox::Ok);
    return false;
  }
  task_ = std::move(loaded);
  const tumbo::task::TTask& t = task_->Task;
  robot_.Apply(form_.Welt().Robot, t);
  failedChecks_ = hintsShown_ = 0;
  resultBar_->OfferHint(false);
  resultBar_->OfferNextTask(false);
  text_->setHtml(QStringLiteral("<b>%1</b><br>%2")
                     .arg(FromCore(t.Title).toHtmlEscaped(),
                          FromCore(t.Text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
  dock_->setWindowTitle(QStringLiteral("Aufgabe: ") + FromCore(t.Title));
  dock_->show();
  // Room for the title and a few lines of text; the user may drag it larger.
  form_.resizeDocks({dock_}, {text_->fontMetrics().lineSpacing() * 6 + 16}, Qt::Vertical);
  UpdateActions();
  LoadStartWorld(FirstShownWorld());
  form_.RunControl().AddInfoLine(QStringLiteral("Aufgabe : %1 (%2, prüfen mit F10)")
                                     .arg(file, FromCore(tumbo::task::WorldCount(task_->Worlds.size()))));
  emit TaskOpened();
  return true;
}

void TTaskSession::OpenTaskCommand() {
  if (form_.RunControl().RunOnStack()) return;
  FileDialogRequest request;
  request.Title = QStringLiteral("Aufgabe öffnen");
  request.Filter = QString::fromUtf8(kTaskFileFilter);
  request.DefaultSuffix = QStringLiteral("tda");
  request.Directory = form_.OpenPath;
  const QString path = form_.AskFileName(request);
  if (!path.isEmpty()) OpenTask(path);
}

void TTaskSession::ShowWorld(const std::string& worldBytes, const std::string& fileName) {
  form_.Welt().LoadFromText(worldBytes, fileName);
  // The task's files stay as they are: the world is shown without a file name of its own.
  form_.WorldFileName.clear();
  form_.RunControl().UpdateStatusFields();
  form_.UpdateScrollRanges();
  InstallOverlays();
}

int TTaskSession::FirstShownWorld() const {
  for (size_t i = 0; task_ && i < task_->Worlds.size(); ++i)
    if (!task_->IsHidden(i)) return int(i);
  return 0;  // every world hidden: the first is shown all the same
}

void TTaskSession::LoadStartWorld(int index) {
  if (!task_ || form_.RunControl().RunOnStack() || index < 0 || index >= int(task_->Worlds.size()) ||
      task_->IsHidden(size_t(index)))
    return;
  CancelCheck();
  form_.History().LeaveReplay();
  world_ = index;
  resultShown_ = false;
  results_.clear();
  const tumbo::task::TTaskWorld& w = task_->Worlds[index];
  ShowWorld(w.StartBytes, w.StartFile);
  form_.RunControl().ResetInfoList();
  form_.RunControl().AddInfoLine(QStringLiteral("Startwelt %1 von %2").arg(index + 1).arg(task_->Worlds.size()));
}

void TTaskSession::CheckTaskCommand() {
  if (!task_ || form_.RunControl().RunOnStack() || Checking()) return;
  emit CheckStarting();
  form_.History().LeaveReplay();
  // A program with errors is reported once, as by the syntax check, and runs on no world.
  form_.RunControl().SyntaxCheckCommand();
  if (form_.Parser().ErrorFound) {
    const int line = form_.Editor->Mark(ProgramEditor::kErrorMark).Line;
    if (line >= 1) form_.Editor->setCursorPosition(line - 1, 0);
    form_.Editor->setFocus();
    CountCheck(false);
    return;
  }
  form_.RunControl().ResetInfoList();
  results_.clear();
  checkedText_ = tumbo::text::Utf8ToCp1252(form_.Editor->TrimmedText().toStdString());
  // So is a program that uses a forbidden word or misses a required one.
  if (const std::string broken = tumbo::task::WordRuleMessage(*task_, checkedText_); !broken.empty()) {
    form_.RunControl().AddInfoLine(FromCore(broken));
    return;
  }
  checkedFolder_ = form_.ProgramFolder().toStdString();
  form_.Editor->SetEditingEnabled(false);
  escape_->setEnabled(true);
  form_.statusBar()->show();
  job_->Start(*task_, checkedText_, checkedFolder_);
}

void TTaskSession::CancelCheck() { job_->Cancel(); }

void TTaskSession::CheckEnded() {
  escape_->setEnabled(false);
  form_.statusBar()->clearMessage();
  form_.statusBar()->hide();
  form_.Editor->SetEditingEnabled(true);
}

void TTaskSession::CheckFinished(const std::vector<tumbo::task::TWorldGrade>& grades) {
  CheckEnded();
  results_ = grades;
  int firstUnsolved = -1;
  for (int i = 0; i < int(grades.size()); ++i) {
    const tumbo::task::TWorldGrade& w = grades[i];
    const QString world = (w.Hidden ? QStringLiteral("Verdeckte Welt %1: ") : QStringLiteral("Welt %1: ")).arg(i + 1);
    form_.RunControl().AddInfoLine(w.Solved ? world + QStringLiteral("gelöst ✓")
                                            : world + QStringLiteral("nicht gelöst ✗ – ") + FromCore(w.Reason));
    if (w.Hidden) continue;  // graded, never shown
    form_.InfoBox->item(form_.InfoBox->count() - 1)->setData(kWorldRole, i);
    if (!w.Solved && firstUnsolved < 0) firstUnsolved = i;
  }
  const bool allSolved = std::all_of(grades.begin(), grades.end(), [](const auto& g) { return g.Solved; });
  if (allSolved)
    form_.RunControl().AddInfoLine(grades.size() == 1 ? QStringLiteral("Die Welt ist gelöst.")
                                                       : QStringLiteral("Alle %1 Welten gelöst.").arg(grades.size()));
  else if (firstUnsolved >= 0)
    form_.RunControl().AddInfoLine(QStringLiteral("Klicke auf eine Welt, um ihr Ergebnis zu sehen."));
  int lastShown = -1;
  for (int i = 0; i < int(grades.size()); ++i)
    if (!grades[i].Hidden) lastShown = i;
  CountCheck(allSolved);
  // A run the pupil started meanwhile keeps its world; the lines stay to be clicked.
  if (form_.RunControl().RunOnStack()) return;
  // Solved: the last world as the program left it, which is its goal; else the first one not solved.
  ShowResult(firstUnsolved < 0 ? lastShown : firstUnsolved);
}

// A finished check: the hints are offered after the second one in vain.
void TTaskSession::CountCheck(bool solvedAll) {
  if (!solvedAll) ++failedChecks_;
  resultBar_->OfferHint(!solvedAll && failedChecks_ >= 2 && hintsShown_ < int(task_->Task.Hints.size()));
  emit Checked(solvedAll);
}

void TTaskSession::ResultLineChosen(QListWidgetItem* item) {
  const QVariant world = item ? item->data(kWorldRole) : QVariant();
  if (world.isValid() && !Checking() && !form_.RunControl().RunOnStack()) ShowResult(world.toInt());
}

void TTaskSession::ShowResult(int index) {
  if (!task_ || index < 0 || index >= int(results_.size()) || index >= int(task_->Worlds.size()) ||
      results_[index].Hidden)
    return;
  form_.History().LeaveReplay();
  world_ = index;
  resultShown_ = true;
  for (int row = 0; row < form_.InfoBox->count(); ++row)
    if (form_.InfoBox->item(row)->data(kWorldRole) == QVariant(index)) form_.InfoBox->setCurrentRow(row);
  const tumbo::task::TTaskWorld& w = task_->Worlds[index];
  const std::string& shown = results_[index].FinalWorld;
  if (shown.empty()) {  // nothing ran
    ShowWorld(w.StartBytes, w.StartFile);
    return;
  }
  ReplayResult(index);
  // A run longer than the history keeps is shown as it ended, without its steps.
  if (form_.Welt().SaveToText() != shown) {
    form_.History().LeaveReplay();
    ShowWorld(shown, w.StartFile);
  }
}

void TTaskSession::ReplayResult(int index) {
  const tumbo::task::TTaskWorld& w = task_->Worlds[index];
  ShowWorld(w.StartBytes, w.StartFile);
  TTumbo& robot = form_.Welt().Robot;
  // The run uses the task's robot; the window's own settings come back afterwards.
  const int32_t maxJump = robot.MaxJump, maxBrick = robot.MaxBrick, brickStart = robot.BrickStart;
  const bool checkBrick = robot.CheckBrick;
  THeadlessRunOptions options = tumbo::task::RunOptions(*task_);
  options.MaxSteps = std::min<int64_t>(options.MaxSteps, kReplaySteps);
  THeadlessRun run(form_.Welt(), options, {});
  if (!run.Compile(checkedText_, checkedFolder_)) return;
  run.SetRecorder(form_.Parser().Recorder);
  const auto work = [&run] { run.Run(); };
  if (!RunWithStack(StackBytesForDepth(options.MaxDepth), work)) work();
  robot.MaxJump = maxJump;
  robot.CheckBrick = checkBrick;
  robot.BrickStart = brickStart;
  robot.MaxBrick = maxBrick;
  form_.Welt().RedrawAll();
  form_.RunControl().UpdateStatusFields();
  form_.History().RunEnded();
}

// F9 after a check runs the program from the start of the world shown, not from its end.
void TTaskSession::BeforeRun() {
  if (!task_ || !resultShown_) return;
  resultShown_ = false;
  const tumbo::task::TTaskWorld& w = task_->Worlds[world_];
  ShowWorld(w.StartBytes, w.StartFile);
}

void TTaskSession::CloseTaskCommand() {
  if (form_.RunControl().RunOnStack()) return;
  CancelCheck();
  task_.reset();
  results_.clear();
  resultShown_ = false;
  world_ = 0;
  robot_.Restore(form_.Welt().Robot);
  form_.RunControl().UpdateStatusFields();
  resultBar_->OfferHint(false);
  resultBar_->OfferNextTask(false);
  ZielZeigen1->setChecked(false);
  dock_->hide();
  InstallOverlays();
  UpdateActions();
  emit TaskClosed();
}

void TTaskSession::ShowNextHint() {
  if (!task_ || hintsShown_ >= int(task_->Task.Hints.size())) return;
  const std::string& hint = task_->Task.Hints[size_t(hintsShown_)];
  ++hintsShown_;
  form_.RunControl().AddInfoLine(QStringLiteral("Tipp %1: ").arg(hintsShown_) +
                                 FromCore(hint).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  form_.InfoBox->scrollToBottom();
  resultBar_->OfferHint(hintsShown_ < int(task_->Task.Hints.size()));
  emit HintShown();
}

void TTaskSession::ClassOverviewCommand() {
  if (!classOverview_) classOverview_ = new TClassOverviewDialog(&form_);
  classOverview_->show();
  classOverview_->raise();
  classOverview_->activateWindow();
}

void TTaskSession::CreateTaskCommand() {
  if (!editor_) editor_ = new TTaskEditorDialog(form_);
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

}  // namespace tumbo::app
