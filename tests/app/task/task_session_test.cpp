// The menu "Aufgabe": opening a task, checking the program with F10, the goal over the views,
// closing, opening .tda files from the command line and by drop, and the teacher's dialog.
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include "app/files/file_commands.h"
#include "app/task/task_editor_dialog.h"
#include "app/task/task_session.h"
#include "app/world/world_commands.h"
#include "task/task_file.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

const QString kTask = QStringLiteral(TUMBO_DATA_DIR "/aufgaben/bis-zur-wand.tda");
const QString kWrong = QStringLiteral("Programm\r\nSchritt(7)\r\nMarkeSetzen\r\n*Programm\r\n");

class TaskSession : public WindowTest {
protected:
    TTaskSession &Tasks() { return *form_->Tasks; }
    TTaskSession &OpenWithTask()
    {
        Open();
        EXPECT_TRUE(form_->Tasks->OpenTask(kTask));
        return Tasks();
    }
};

TEST_F(TaskSession, OpeningShowsTheTextAndTheFirstStartWorldWithoutNamingItsFile)
{
    TTaskSession &tasks = OpenWithTask();
    EXPECT_TRUE(tasks.TextDock()->isVisible());
    EXPECT_TRUE(tasks.TextDock()->findChild<QTextBrowser *>()->toPlainText().startsWith(
        QStringLiteral("Bis zur Wand\nTumbo geht geradeaus")));
    EXPECT_EQ(form_->Welt().Room.Width(), 8);
    EXPECT_EQ(form_->Welt().Robot.Y, 1);
    EXPECT_TRUE(form_->WorldFileName.isEmpty());  // saving the world never overwrites the task's
    EXPECT_TRUE(tasks.AufgabePruefen1->isEnabled());
    EXPECT_TRUE(tasks.ZielZeigen1->isEnabled());
}

TEST_F(TaskSession, CheckWritesOneLinePerWorldAndShowsTheFirstWorldNotSolved)
{
    OpenWithTask();
    SetProgram(kWrong);
    form_->Editor->setFocus();
    QTest::keyClick(form_->Editor, Qt::Key_F10);
    const QStringList lines = InfoLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Welt 1: gelöst ✓")));
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "Welt 2: nicht gelöst ✗ – 2 Zellen mit falscher Marke, Position (10, 2) statt (12, 2)")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Welt 3: nicht gelöst ✗ – [Hinweis] (Zeile 2): Tumbo ist am Quader angestoßen")));
    EXPECT_EQ(Tasks().CurrentWorld(), 1);
    EXPECT_EQ(form_->Welt().Room.Width(), 12);  // the final state of world 2
    EXPECT_EQ(form_->Welt().Robot.X, 9);
    EXPECT_TRUE(form_->Welt().Room.HasMark(9, 1));
}

TEST_F(TaskSession, CheckOfASolutionSaysAllWorldsAreSolved)
{
    OpenWithTask();
    SetProgram(QStringLiteral("Programm\r\nsolange NichtIstWand tue\r\nSchritt\r\n*solange\r\nMarkeSetzen\r\n*Programm"));
    Tasks().AufgabePruefen1->trigger();
    EXPECT_EQ(InfoLines().filter(QStringLiteral("gelöst ✓")).size(), 3);
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Alle 3 Welten gelöst."));
}

TEST_F(TaskSession, DamagedTaskIsRefusedAndTheOpenTaskStays)
{
    OpenWithTask();
    WriteFile(QStringLiteral("kaputt.tda"), "[Aufgabe]\r\nTitel=T\r\n[Welt1]\r\nStart=fehlt.tdw\r\nZiel=fehlt.tdw\r\n");
    EXPECT_FALSE(Tasks().OpenTask(Folder() + QStringLiteral("kaputt.tda")));
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(asked_[0].text.startsWith(QStringLiteral("Aufgabe \"") + Folder() + QStringLiteral("kaputt.tda\", Welt 1: Die Datei")));
    ASSERT_TRUE(Tasks().HasTask());
    EXPECT_EQ(Tasks().Task()->Worlds.size(), 3u);
}

TEST_F(TaskSession, GoalIsDrawnOverThe2DViewOnlyWhileAsked)
{
    WriteFile(QStringLiteral("tumbo.ini"), "[Sizes]\r\nViewScale=100\r\n");  // the map's own pixels
    OpenWithTask();
    form_->WorldCommands().SwitchViewCommand();
    QWidget *box = form_->WeltViews().PaintBox2D();
    // The goal cell (8, 2) of world 1 needs a mark: with the goal shown, it is framed.
    const QRect goalCell = TWeltView2D::CellsRect(7, 1, 8, 2);
    auto framed = [&] {
        const QImage picture = box->grab().toImage();
        return picture.pixelColor(goalCell.left() + 3, goalCell.center().y()) == QColor(0xE0, 0x40, 0xC0);
    };
    EXPECT_FALSE(framed());
    Tasks().ZielZeigen1->setChecked(true);
    EXPECT_TRUE(framed());
    Tasks().CloseTaskCommand();
    EXPECT_FALSE(framed());
    EXPECT_FALSE(Tasks().ZielZeigen1->isChecked());
    EXPECT_FALSE(Tasks().AufgabePruefen1->isEnabled());
    EXPECT_FALSE(Tasks().TextDock()->isVisible());
}

TEST_F(TaskSession, TaskFilesOpenFromTheCommandLineAndByDrop)
{
    Open({kTask});
    EXPECT_TRUE(Tasks().HasTask());
    Tasks().CloseTaskCommand();
    form_->FileCommands().OpenFiles({kTask});
    EXPECT_TRUE(Tasks().HasTask());
}

TEST_F(TaskSession, TeacherTakesStartAndGoalFromTheWindowAndSavesTheTaskWithItsWorlds)
{
    Open();
    form_->FileDialogHook = [this](const FileDialogRequest &) { return Folder() + QStringLiteral("neu"); };
    Tasks().AufgabeErstellen1->trigger();
    auto *dialog = form_->findChild<TTaskEditorDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->edtTitel->setText(QStringLiteral("Zwei Schritte"));
    dialog->btnAlsStart->click();
    dialog->btnSpeichern->click();  // the goal is still missing
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].text, QStringLiteral("Welt 1 hat noch keine Zielwelt."));
    EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("neu.tda")));

    form_->Welt().Robot.Schritt(2);
    dialog->btnAlsZiel->click();
    dialog->btnSpeichern->click();
    tumbo::task::TLoadedTask saved;
    const auto r = tumbo::task::LoadTask((Folder() + QStringLiteral("neu.tda")).toStdString(), saved);
    ASSERT_TRUE(r.Ok()) << r.Message;
    EXPECT_EQ(saved.Task.Title, "Zwei Schritte");
    EXPECT_EQ(saved.Task.Worlds[0].Start, "neu-1.tdw");
    EXPECT_EQ(saved.Worlds[0].Start.Y, 0);
    EXPECT_EQ(saved.Worlds[0].Goal.Y, 2);
}

}  // namespace
}  // namespace tumbo::app::test
