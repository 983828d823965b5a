#include "app/task/pupil_program_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/window/program_editor.h"
#include "editor/qt/tumbo_lexer.h"
#include "text/cp1252.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string& cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

}  // namespace

TPupilProgramView::TPupilProgramView(QWidget* parent, const std::string& pupil, const tumbo::task::TClassTask& task,
                                     const tumbo::task::TTaskOutcome& outcome)
    : QDialog(parent) {
  using tumbo::task::TSubmission;
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("dlgSchuelerProgramm"));
  setWindowTitle(FromCore(pupil) + QStringLiteral(": ") + FromCore(task.Title()));
  auto* col = new QVBoxLayout(this);

  lblBanner = new QLabel(QStringLiteral("Programm von %1 – nur zum Lesen").arg(FromCore(pupil)), this);
  lblBanner->setObjectName(QStringLiteral("lblBanner"));
  lblBanner->setAccessibleName(QStringLiteral("Hinweis: Programm von %1, nur zum Lesen").arg(FromCore(pupil)));
  lblBanner->setStyleSheet(QStringLiteral("QLabel{background:#fff3b0;border:1px solid #d9b400;padding:6px;font-weight:bold}"));
  col->addWidget(lblBanner);

  auto* split = new QSplitter(Qt::Vertical, this);
  auto* text = new QTextBrowser(split);
  text->setObjectName(QStringLiteral("txtAufgabe"));
  text->setAccessibleName(QStringLiteral("Aufgabentext"));
  text->setHtml(QStringLiteral("<b>%1</b><br>%2").arg(
      FromCore(task.Title()).toHtmlEscaped(),
      FromCore(task.Task.Task.Text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));

  Editor = new ProgramEditor(split);
  Editor->setObjectName(QStringLiteral("Editor"));
  Editor->setAccessibleName(QStringLiteral("Programm von %1").arg(FromCore(pupil)));
  auto* lexer = new tumbo::editor::TumboLexer(Editor);  // highlighted as in the window's editor
  lexer->setBaseFont(Editor->font());
  Editor->setLexer(lexer);
  Editor->setText(FromCore(outcome.ProgramText));
  Editor->setReadOnly(true);
  Editor->ShowFromStart();

  auto* worlds = new QListWidget(split);
  worlds->setObjectName(QStringLiteral("lstWelten"));
  worlds->setAccessibleName(QStringLiteral("Ergebnis je Welt"));
  if (outcome.Kind != TSubmission::Program && outcome.Kind != TSubmission::SyntaxError) {
    worlds->addItem(FromCore(tumbo::task::SubmissionName(outcome.Kind) +
                             (outcome.Reason.empty() ? "" : ": " + outcome.Reason)));
  } else if (!outcome.Grade.ProgramError.empty()) {
    worlds->addItem(FromCore(outcome.Grade.ProgramError));
  } else {
    for (size_t i = 0; i < outcome.Grade.Worlds.size(); ++i) {
      const tumbo::task::TWorldGrade& w = outcome.Grade.Worlds[i];
      worlds->addItem(w.Solved ? QStringLiteral("Welt %1: gelöst ✓").arg(i + 1)
                               : FromCore(tumbo::task::WorldLine(int(i) + 1, w.Reason, w.Hidden)) + QStringLiteral(" ✗"));
    }
  }
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 4);
  split->setStretchFactor(2, 1);
  col->addWidget(split, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
  buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Schließen"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  col->addWidget(buttons);
  resize(640, 620);
}

}  // namespace tumbo::app
