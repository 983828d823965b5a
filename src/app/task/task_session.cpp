#include "app/task/task_session.h"

#include <QApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTextBrowser>

#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "app/task/goal_overlay.h"
#include "app/task/task_editor_dialog.h"
#include "task/grader.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string& cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

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
  InstallOverlays();
  UpdateActions();
}

TTaskSession::~TTaskSession() = default;

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
}

void TTaskSession::UpdateActions() {
  for (QAction* a : {AufgabePruefen1, ZielZeigen1, AufgabeSchliessen1}) a->setEnabled(HasTask());
  worldsMenu_->setEnabled(HasTask());
  worldsMenu_->clear();
  if (!task_) return;
  for (int i = 0; i < int(task_->Worlds.size()); ++i) {
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
      const TWeltView3D& view = form_.WeltViews().View3D();
      PaintGoal3D(p, task_->Worlds[world_].Goal, scale.Factor, [&](double x, double y, double z) {
        return scale.Map(view.Project3D(x, y, z));
      });
    });
}

bool TTaskSession::OpenTask(const QString& path) {
  if (form_.RunControl().RunOnStack()) return false;
  tumbo::task::TLoadedTask loaded;
  const QString file = QFileInfo(path).absoluteFilePath();
  if (const tumbo::task::TTaskResult r = tumbo::task::LoadTask(file.toStdString(), loaded); !r.Ok()) {
    form_.Ask(QMessageBox::Critical, FromCore(r.Message), QMessageBox::Ok);
    return false;
  }
  task_ = std::move(loaded);
  const tumbo::task::TTask& t = task_->Task;
  text_->setHtml(QStringLiteral("<b>%1</b><br>%2")
                     .arg(FromCore(t.Title).toHtmlEscaped(),
                          FromCore(t.Text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
  dock_->setWindowTitle(QStringLiteral("Aufgabe: ") + FromCore(t.Title));
  dock_->show();
  // Room for the title and a few lines of text; the user may drag it larger.
  form_.resizeDocks({dock_}, {text_->fontMetrics().lineSpacing() * 6 + 16}, Qt::Vertical);
  UpdateActions();
  LoadStartWorld(0);
  form_.RunControl().AddInfoLine(QStringLiteral("Aufgabe : %1 (%2 Welten, prüfen mit F10)").arg(file).arg(task_->Worlds.size()));
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

void TTaskSession::LoadStartWorld(int index) {
  if (!task_ || form_.RunControl().RunOnStack() || index < 0 || index >= int(task_->Worlds.size())) return;
  world_ = index;
  const tumbo::task::TTaskWorld& w = task_->Worlds[index];
  ShowWorld(w.StartBytes, w.StartFile);
  form_.RunControl().ResetInfoList();
  form_.RunControl().AddInfoLine(QStringLiteral("Startwelt %1 von %2").arg(index + 1).arg(task_->Worlds.size()));
}

void TTaskSession::CheckTaskCommand() {
  if (!task_ || form_.RunControl().RunOnStack()) return;
  const std::string text = tumbo::text::Utf8ToCp1252(form_.Editor->TrimmedText().toStdString());
  const QString name = form_.ProgramFileName.isEmpty() ? QStringLiteral("Programm")
                                                       : QFileInfo(form_.ProgramFileName).fileName();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const tumbo::task::TProgramGrade grade = tumbo::task::GradeProgramText(
      *task_, text, form_.ProgramFolder().toStdString(), tumbo::text::Utf8ToCp1252(name.toStdString()));
  QApplication::restoreOverrideCursor();

  form_.RunControl().ResetInfoList();
  int firstUnsolved = -1;
  for (int i = 0; i < int(grade.Worlds.size()); ++i) {
    const tumbo::task::TWorldGrade& w = grade.Worlds[i];
    if (w.Solved) {
      form_.RunControl().AddInfoLine(QStringLiteral("Welt %1: gelöst ✓").arg(i + 1));
      continue;
    }
    form_.RunControl().AddInfoLine(QStringLiteral("Welt %1: nicht gelöst ✗ – ").arg(i + 1) + FromCore(w.Reason));
    if (firstUnsolved < 0) firstUnsolved = i;
  }
  if (firstUnsolved < 0) {
    form_.RunControl().AddInfoLine(QStringLiteral("Alle %1 Welten gelöst.").arg(grade.Worlds.size()));
    return;
  }
  world_ = firstUnsolved;
  const tumbo::task::TTaskWorld& w = task_->Worlds[firstUnsolved];
  // A program that did not compile leaves the start world.
  const std::string& shown = grade.Worlds[firstUnsolved].FinalWorld;
  ShowWorld(shown.empty() ? w.StartBytes : shown, w.StartFile);
}

void TTaskSession::CloseTaskCommand() {
  if (form_.RunControl().RunOnStack()) return;
  task_.reset();
  world_ = 0;
  ZielZeigen1->setChecked(false);
  dock_->hide();
  InstallOverlays();
  UpdateActions();
}

void TTaskSession::CreateTaskCommand() {
  if (!editor_) editor_ = new TTaskEditorDialog(form_);
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

}  // namespace tumbo::app
