// "Aufgabe → Klasse auswerten…": choosing a task and a class folder by typing, grading off the
// window's thread into the table, stopping, a pupil's program on a double-click, and saving
// the files tumbo-cli writes.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/task/class_overview_dialog.h"
#include "app/task/pupil_program_view.h"
#include "app/task/task_session.h"
#include "app/window/program_editor.h"
#include "support/class_fixture.h"
#include "task/summary_csv.h"
#include "window_fixture.h"

namespace tumbo::app::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ClassOverview : public WindowTest {
 protected:
  // The fixture's file name that is not UTF-8 is beyond QTemporaryDir's removal.
  void TearDown() override {
    WindowTest::TearDown();
    for (const auto& e : fs::directory_iterator(Folder().toStdString())) fs::remove_all(e.path());
  }

  TClassOverviewDialog& OpenDialog() {
    Open();
    form_->Tasks->KlasseAuswerten1->trigger();
    auto* dialog = form_->findChild<TClassOverviewDialog*>();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    dialog->AskFile = [this](const FileDialogRequest&) { return answer_path_; };
    dialog->AskFolder = [this](const QString&) { return answer_path_; };
    return *dialog;
  }

  // Types the task and the folder and clicks "Auswerten".
  void Grade(TClassOverviewDialog& d, const std::string& task, const fs::path& folder, bool wait = true) {
    QTest::keyClicks(d.edtAufgabe, QString::fromStdString(task));
    QTest::keyClicks(d.edtKlasse, QString::fromStdString(folder.string()));
    QTest::mouseClick(d.btnAuswerten, Qt::LeftButton);
    if (wait) WaitUntilDone(d);
  }

  void WaitUntilDone(TClassOverviewDialog& d) {
    QSignalSpy finished(&d, &TClassOverviewDialog::GradingFinished);
    if (d.IsGrading()) {
      EXPECT_TRUE(finished.wait(60000));
    }
  }

  int Row(TClassOverviewDialog& d, const QString& name) {
    for (int r = 0; r < d.tblKlasse->rowCount(); ++r)
      if (d.tblKlasse->verticalHeaderItem(r)->text() == name) return r;
    return -1;
  }

  QString answer_path_;
};

TEST_F(ClassOverview, TableFillsWithEveryPupilWhileTheGradingRunsOffTheWindowsThread) {
  TClassOverviewDialog& d = OpenDialog();
  const fs::path c = class_fixture::MakeClass(fs::path(Folder().toStdString()));
  Grade(d, class_fixture::kTask, c);
  ASSERT_EQ(d.tblKlasse->rowCount(), 13);
  ASSERT_EQ(d.tblKlasse->columnCount(), 2);
  EXPECT_EQ(d.tblKlasse->horizontalHeaderItem(0)->text(), QStringLiteral("Bis zur Wand"));
  EXPECT_EQ(d.tblKlasse->horizontalHeaderItem(1)->text(), QStringLiteral("Gelöst"));
  const std::pair<const char*, const char*> cells[] = {
      {"Anna Schmidt", "✓ 3/3"}, {"Ben Öztürk", "✗ 1/3"}, {"Carla Neu", "nicht abgegeben"},
      {"Hanna Fehler", "✗ Syntaxfehler"}, {"Jonas Link", "nicht lesbar"}, {"Léa Latin", "✓ 3/3"},
  };
  for (const auto& [name, cell] : cells) {
    const int row = Row(d, QString::fromUtf8(name));
    ASSERT_GE(row, 0) << name;
    EXPECT_EQ(d.tblKlasse->item(row, 0)->text(), QString::fromUtf8(cell)) << name;
  }
  EXPECT_EQ(d.tblKlasse->item(Row(d, QStringLiteral("Anna Schmidt")), 1)->text(), QStringLiteral("1"));
  EXPECT_EQ(d.pbFortschritt->value(), d.pbFortschritt->maximum());
  EXPECT_TRUE(d.lblStatus->text().startsWith(QStringLiteral("Fertig.")));
  EXPECT_TRUE(d.btnCsv->isEnabled());
  EXPECT_FALSE(d.btnStopp->isEnabled());
}

TEST_F(ClassOverview, DoubleClickShowsThePupilsProgramReadOnlyWithABanner) {
  TClassOverviewDialog& d = OpenDialog();
  const fs::path c = class_fixture::MakeClass(fs::path(Folder().toStdString()));
  Grade(d, class_fixture::kTask, c);
  QTableWidgetItem* cell = d.tblKlasse->item(Row(d, QStringLiteral("Ben Öztürk")), 0);
  ASSERT_NE(cell, nullptr);
  const QPoint at = d.tblKlasse->visualItemRect(cell).center();
  QTest::mouseClick(d.tblKlasse->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(d.tblKlasse->viewport(), Qt::LeftButton, {}, at);
  auto* view = d.findChild<TPupilProgramView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
  EXPECT_EQ(view->lblBanner->text(), QStringLiteral("Programm von Ben Öztürk – nur zum Lesen"));
  EXPECT_TRUE(view->Editor->isReadOnly());
  EXPECT_TRUE(view->Editor->text().contains(QStringLiteral("Schritt(7)")));
  const QString before = view->Editor->text();
  QTest::keyClicks(view->Editor, QStringLiteral("xyz"));
  EXPECT_EQ(view->Editor->text(), before);
  EXPECT_TRUE(view->windowTitle().startsWith(QStringLiteral("Ben Öztürk: Bis zur Wand")));
}

TEST_F(ClassOverview, SavingWritesWhatTheCommandLineWrites) {
  TClassOverviewDialog& d = OpenDialog();
  const fs::path root = Folder().toStdString();
  const fs::path c = class_fixture::MakeClass(root);
  Grade(d, class_fixture::kTask, c);
  answer_path_ = QString::fromStdString((root / "klasse.csv").string());
  QTest::mouseClick(d.btnCsv, Qt::LeftButton);
  tumbo::task::TClassWork work;
  ASSERT_EQ(tumbo::task::LoadClassWork(class_fixture::kTask, work), "");
  EXPECT_EQ(ReadAll(root / "klasse.csv"),
            tumbo::task::SummaryCsv(work, tumbo::task::GradeClass(work, tumbo::task::FindPupils({c.string()}), 1)));

  answer_path_ = QString::fromStdString((root / "klasse.html").string());
  QTest::mouseClick(d.btnHtml, Qt::LeftButton);
  const std::string page = ReadAll(root / "klasse.html");
  EXPECT_NE(page.find("<title>Bewertung: Bis zur Wand</title>"), std::string::npos);
  EXPECT_NE(page.find("src=\"data:image/png;base64,"), std::string::npos);

  // Into the class folder: refused, nothing written.
  answer_path_ = QString::fromStdString((c / "ergebnis.csv").string());
  QTest::mouseClick(d.btnCsv, Qt::LeftButton);
  EXPECT_FALSE(fs::exists(c / "ergebnis.csv"));
  EXPECT_TRUE(d.lblStatus->text().startsWith(QStringLiteral("Die Ausgabe"))) << d.lblStatus->text().toStdString();
}

TEST_F(ClassOverview, StopEndsTheGradingEarly) {
  TClassOverviewDialog& d = OpenDialog();
  const fs::path c = fs::path(Folder().toStdString()) / "gross";
  // Programs that run up to the task's step limit on every world.
  for (int i = 0; i < 300; ++i)
    class_fixture::Put(c / ("p" + std::to_string(i) + ".tdp"),
                       "Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm");
  Grade(d, class_fixture::kTask, c, false);
  EXPECT_TRUE(d.IsGrading());
  EXPECT_TRUE(d.btnStopp->isEnabled());
  QTest::mouseClick(d.btnStopp, Qt::LeftButton);
  WaitUntilDone(d);
  EXPECT_LT(d.Results().size(), 300u);
  EXPECT_TRUE(d.lblStatus->text().startsWith(QStringLiteral("Angehalten"))) << d.lblStatus->text().toStdString();
  EXPECT_TRUE(d.btnAuswerten->isEnabled());
}

TEST_F(ClassOverview, WrongChoicesAreSaidAndGradeNothing) {
  TClassOverviewDialog& d = OpenDialog();
  Grade(d, (Folder() + "gibt-es-nicht.tda").toStdString(), Folder().toStdString());
  EXPECT_FALSE(d.IsGrading());
  EXPECT_FALSE(d.lblStatus->text().isEmpty());
  EXPECT_EQ(d.tblKlasse->rowCount(), 0);
  d.edtAufgabe->clear();
  d.edtKlasse->clear();
  Grade(d, class_fixture::kTask, fs::path(Folder().toStdString()) / "fehlt");
  EXPECT_EQ(d.lblStatus->text(), QStringLiteral("Bitte einen Klassenordner wählen."));
  EXPECT_FALSE(d.btnCsv->isEnabled());
}

TEST_F(ClassOverview, EveryControlHasAGermanAccessibleName) {
  TClassOverviewDialog& d = OpenDialog();
  for (QWidget* w : d.findChildren<QWidget*>()) {
    if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QTableWidget*>(w) &&
        !qobject_cast<QProgressBar*>(w))
      continue;
    if (w->parentWidget() != &d) continue;  // the table's own scroll bars and corner
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace tumbo::app::test
