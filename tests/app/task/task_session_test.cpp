// The menu "Aufgabe": opening a task, checking the program with F10, the goal over the views,
// closing, opening .tda files from the command line and by drop, and the teacher's dialog.
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>

#include "app/files/file_commands.h"
#include "app/history/replay_bar.h"
#include "app/run/run_control.h"
#include "app/task/task_check_job.h"
#include "app/task/task_editor_dialog.h"
#include "app/task/task_result_bar.h"
#include "app/task/task_session.h"
#include "app/world/world_commands.h"
#include "task/goal_check.h"
#include "task/task_file.h"
#include "text/ini_file.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

const QString kTask = QStringLiteral(TUMBO_DATA_DIR "/aufgaben/bis-zur-wand.tda");
const QString kCourse = QStringLiteral(TUMBO_FIXTURES_DIR "/kurs-klein");
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
    // F10 in the editor, then the events until the check has ended.
    void CheckAndWait()
    {
        form_->Editor->setFocus();
        QTest::keyClick(form_->Editor, Qt::Key_F10);
        for (int waited = 0; Tasks().Checking() && waited < 20000; waited += 10)
            QTest::qWait(10);
        ASSERT_FALSE(Tasks().Checking());
    }
    int RowOf(const QString &start) const
    {
        for (int row = 0; row < form_->InfoBox->count(); ++row)
            if (form_->InfoBox->item(row)->text().startsWith(start))
                return row;
        return -1;
    }
    // Fields of the window's world that differ from the goal of the task's world shown.
    int FieldsOffGoal()
    {
        const TRaum &room = form_->Welt().Room;
        const auto &goal = Tasks().Task()->Worlds[Tasks().CurrentWorld()].Goal.Room;
        int n = 0;
        for (int x = 0; x < room.Width(); ++x)
            for (int y = 0; y < room.Length(); ++y)
                n += tumbo::task::CellDiffersFromGoal(room, goal, x, y, tumbo::task::kCheckAll);
        return n;
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
    CheckAndWait();
    const QStringList lines = InfoLines();
    EXPECT_EQ(lines[1], QStringLiteral("Welt : Welt 1 der Aufgabe „Bis zur Wand“"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Welt 1: gelöst ✓")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Welt 2: nicht gelöst ✗ – Feld (10, 2): Marke zu viel; "
                                              "Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), Ziel (12, 2)")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Welt 3: nicht gelöst ✗ – [Hinweis] (Zeile 2): Tumbo ist am Quader angestoßen")));
    EXPECT_EQ(Tasks().CurrentWorld(), 1);
    EXPECT_EQ(form_->Welt().Room.Width(), 12);  // the final state of world 2
    EXPECT_EQ(form_->Welt().Robot.X, 9);
    EXPECT_TRUE(form_->Welt().Room.HasMark(9, 1));
    EXPECT_EQ(form_->InfoBox->currentRow(), RowOf(QStringLiteral("Welt 2:")));
    EXPECT_TRUE(form_->Editor->EditingEnabled());
}

TEST_F(TaskSession, CheckOfASolutionSaysAllWorldsAreSolvedAndShowsTheLastGoalReached)
{
    OpenWithTask();
    SetProgram(QStringLiteral("Programm\r\nsolange NichtIstWand tue\r\nSchritt\r\n*solange\r\nMarkeSetzen\r\n*Programm"));
    CheckAndWait();
    EXPECT_EQ(InfoLines().filter(QStringLiteral("gelöst ✓")).size(), 3);
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Alle 3 Welten gelöst."));
    EXPECT_EQ(Tasks().CurrentWorld(), 2);
    EXPECT_EQ(FieldsOffGoal(), 0);  // nothing left to frame
    EXPECT_EQ(form_->Welt().Robot.X, Tasks().Task()->Worlds[2].Goal.X);
}

TEST_F(TaskSession, ASyntaxErrorIsReportedOnceWithTheCursorOnItsLineAndNoWorldRuns)
{
    OpenWithTask();
    SetProgram(QStringLiteral("Programm\r\nSchritt\r\nSchrit\r\n*Programm\r\n"));
    CheckAndWait();
    EXPECT_EQ(InfoLines().filter(QStringLiteral("Fehlernr")).size(), 1);
    EXPECT_EQ(InfoLines().filter(QStringLiteral("Welt 1:")).size(), 0);
    EXPECT_EQ(form_->Editor->CaretLine(), 3);
    EXPECT_EQ(form_->Welt().Robot.Y, 1);  // the start world stays
    EXPECT_EQ(form_->Welt().Robot.X, 0);
}

TEST_F(TaskSession, ClickingOrEnteringAResultLineShowsThatWorldsEndAndItsRunToReplay)
{
    OpenWithTask();
    SetProgram(kWrong);
    CheckAndWait();
    QListWidget *list = form_->InfoBox;
    const int row = RowOf(QStringLiteral("Welt 1:"));
    ASSERT_GE(row, 0);
    const QRect line = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(Tasks().CurrentWorld(), 0);
    EXPECT_EQ(form_->Welt().Room.Width(), 8);
    EXPECT_EQ(form_->Welt().Robot.X, 7);
    EXPECT_TRUE(form_->Welt().Room.HasMark(7, 1));
    ASSERT_TRUE(form_->ReplayBar->isVisible());
    // The slider's first step is the world's start.
    form_->ReplayBar->Slider->setValue(form_->ReplayBar->Slider->minimum());
    EXPECT_EQ(form_->Welt().Robot.X, 0);
    EXPECT_FALSE(form_->Welt().Room.HasMark(7, 1));

    list->setFocus();
    list->setCurrentRow(RowOf(QStringLiteral("Welt 3:")));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Tasks().CurrentWorld(), 2);
    EXPECT_EQ(form_->Welt().Room.Width(), Tasks().Task()->Worlds[2].Start.Room.Width());
}

TEST_F(TaskSession, RunAfterAFailedCheckStartsFromThatWorldsStart)
{
    OpenWithTask();
    SetProgram(kWrong);
    CheckAndWait();
    ASSERT_EQ(form_->Welt().Robot.X, 9);  // world 2 as the program left it
    form_->RunControl().FastCommand();
    EXPECT_EQ(form_->Welt().Room.Width(), 12);
    EXPECT_EQ(form_->Welt().Robot.X, 9);  // from its end, seven steps would have hit the wall
    EXPECT_TRUE(InfoLines().filter(QStringLiteral("angestoßen")).isEmpty());
}

TEST_F(TaskSession, EscapeCancelsAnEndlessCheckAtOnce)
{
    Open();
    TRaum room;
    room.Init(3, 3, 2);
    WriteFile(QStringLiteral("s.tdw"), QByteArray::fromStdString(WriteWorldText(room, 0, 0, 0)));
    WriteFile(QStringLiteral("endlos.tda"),
              "[Aufgabe]\r\nTitel=Endlos\r\nMaxSchritte=1000000000\r\n"
              "[Welt1]\r\nStart=s.tdw\r\nZiel=s.tdw\r\n[Welt2]\r\nStart=s.tdw\r\nZiel=s.tdw\r\n");
    ASSERT_TRUE(Tasks().OpenTask(Folder() + QStringLiteral("endlos.tda")));
    SetProgram(QStringLiteral("Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm\r\n"));
    form_->Editor->setFocus();
    QTest::keyClick(form_->Editor, Qt::Key_F10);
    ASSERT_TRUE(Tasks().Checking());
    QTest::qWait(50);  // the window answers while the worlds run
    ASSERT_TRUE(Tasks().Checking());
    EXPECT_TRUE(form_->statusBar()->currentMessage().startsWith(QStringLiteral("Aufgabe prüfen: Welt 1 von 2 …")));
    QTest::keyClick(form_->Editor, Qt::Key_Escape);
    EXPECT_FALSE(Tasks().Checking());
    EXPECT_FALSE(Tasks().CheckJob().Running());
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Prüfung abgebrochen"));
    EXPECT_TRUE(form_->Editor->EditingEnabled());
    EXPECT_FALSE(form_->statusBar()->isVisible());

    // Stopp does the same.
    QTest::keyClick(form_->Editor, Qt::Key_F10);
    ASSERT_TRUE(Tasks().Checking());
    QTest::mouseClick(form_->btnAblaufStopp, Qt::LeftButton);
    EXPECT_FALSE(Tasks().Checking());
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
    EXPECT_TRUE(saved.Task.Worlds[0].Start.empty());  // one file that holds its worlds
    EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("neu-1.tdw")));
    EXPECT_EQ(saved.Worlds[0].Start.Y, 0);
    EXPECT_EQ(saved.Worlds[0].Goal.Y, 2);

    dialog->chkWeltdateien->setChecked(true);
    answer_ = QMessageBox::Yes;  // overwrite
    dialog->btnSpeichern->click();
    ASSERT_TRUE(tumbo::task::LoadTask((Folder() + QStringLiteral("neu.tda")).toStdString(), saved).Ok());
    EXPECT_EQ(saved.Task.Worlds[0].Start, "neu-1.tdw");
    EXPECT_EQ(saved.Worlds[0].Goal.Y, 2);
}

TEST_F(TaskSession, SavingAnOpenTaskKeepsWhatTheDialogDoesNotShow)
{
    Open();
    ASSERT_TRUE(Tasks().OpenTask(kCourse + QStringLiteral("/bis-wand.tda")));
    form_->FileDialogHook = [this](const FileDialogRequest &) { return Folder() + QStringLiteral("kopie"); };
    Tasks().AufgabeErstellen1->trigger();
    auto *dialog = form_->findChild<TTaskEditorDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->btnSpeichern->click();
    tumbo::task::TLoadedTask saved;
    const auto r = tumbo::task::LoadTask((Folder() + QStringLiteral("kopie.tda")).toStdString(), saved);
    ASSERT_TRUE(r.Ok()) << r.Message;
    EXPECT_EQ(saved.Task.Hints, std::vector<std::string>{"Frage mit IstWand."});
    EXPECT_EQ(saved.Task.Forbidden, std::vector<std::string>{"wiederhole"});
    EXPECT_TRUE(saved.IsHidden(2));
    EXPECT_EQ(saved.Task.ModelSolution, "kopie-loesung.tdp");  // copied beside the copy
}

// The task's jump height and brick counting hold for F9 and the robot keys while it is open;
// tumbo.ini keeps the user's own, and closing the task gives them back.
TEST_F(TaskSession, TheTasksRobotSettingsHoldWhileItIsOpen)
{
    Open();
    ASSERT_EQ(form_->Welt().Robot.MaxJump, 1);
    ASSERT_TRUE(Tasks().OpenTask(kCourse + QStringLiteral("/hoch.tda")));
    EXPECT_EQ(form_->Welt().Robot.MaxJump, 2);
    EXPECT_TRUE(form_->Welt().Robot.CheckBrick);
    EXPECT_EQ(form_->Welt().Robot.MaxBrick, 5);
    SetProgram(QStringLiteral("Programm\r\nSchritt\r\n*Programm\r\n"));
    form_->Editor->setFocus();
    QTest::keyClick(form_->Editor, Qt::Key_F9);
    EXPECT_EQ(form_->Welt().Robot.Y, 1);  // up onto the stack of two

    form_->SaveSettings();
    tumbo::text::IniFile ini;
    ASSERT_TRUE(ini.Load(form_->SettingsFile().toStdString()));
    EXPECT_EQ(ini.ReadString("Tumbo", "MaxJump", ""), "1");

    Tasks().CloseTaskCommand();
    EXPECT_EQ(form_->Welt().Robot.MaxJump, 1);
    EXPECT_FALSE(form_->Welt().Robot.CheckBrick);
}

TEST_F(TaskSession, AfterTheSecondCheckInVainTheTippButtonShowsTheHintsOneByOne)
{
    Open();
    ASSERT_TRUE(Tasks().OpenTask(kCourse + QStringLiteral("/vor.tda")));
    SetProgram(QStringLiteral("Programm\r\nLinksDrehen\r\n*Programm\r\n"));
    QPushButton *tipp = Tasks().ResultBar()->btnTipp;
    CheckAndWait();
    EXPECT_FALSE(tipp->isVisible());
    CheckAndWait();
    ASSERT_TRUE(tipp->isVisible());
    QTest::mouseClick(tipp, Qt::LeftButton);
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Tipp 1: Es gibt eine Anweisung, die genau einen Schritt macht."));
    EXPECT_TRUE(tipp->isVisible());
    QTest::mouseClick(tipp, Qt::LeftButton);
    EXPECT_EQ(InfoLines().last(), QStringLiteral("Tipp 2: Sie heißt Schritt."));
    EXPECT_FALSE(tipp->isVisible());  // no more hints
}

TEST_F(TaskSession, GoalIsDrawnIn3DAsSeeThroughStacksAndAnOutlineWhereTumboEnds)
{
    WriteFile(QStringLiteral("tumbo.ini"), "[Sizes]\r\nViewScale=100\r\n");
    Open();
    ASSERT_TRUE(Tasks().OpenTask(QStringLiteral(TUMBO_DATA_DIR "/aufgaben/treppe-bauen.tda")));
    QWidget *image = form_->WeltViews().Image3D();
    const QImage without = image->grab().toImage();
    Tasks().ZielZeigen1->setChecked(true);
    const QImage with = image->grab().toImage();
    ASSERT_EQ(with.size(), without.size());
    int changed = 0, outline = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ++changed;
                outline += with.pixelColor(x, y) == QColor(0xE0, 0x40, 0xC0);
            }
    EXPECT_GT(outline, 20);              // the goal field and heading of Tumbo
    EXPECT_GT(changed - outline, 1000);  // the six bricks of the stairs, half transparent
}

TEST_F(TaskSession, AHiddenWorldIsCheckedAndReportedButNeverShown)
{
    Open();
    TRaum shortRoom, longRoom;
    shortRoom.Init(1, 3, 2);
    longRoom.Init(1, 6, 2);
    WriteFile(QStringLiteral("kurz.tdw"), QByteArray::fromStdString(WriteWorldText(shortRoom, 0, 0, 0)));
    WriteFile(QStringLiteral("kurz-ziel.tdw"), QByteArray::fromStdString(WriteWorldText(shortRoom, 0, 2, 0)));
    WriteFile(QStringLiteral("lang.tdw"), QByteArray::fromStdString(WriteWorldText(longRoom, 0, 0, 0)));
    WriteFile(QStringLiteral("lang-ziel.tdw"), QByteArray::fromStdString(WriteWorldText(longRoom, 0, 5, 0)));
    WriteFile(QStringLiteral("verdeckt.tda"),
              "[Aufgabe]\r\nTitel=Bis zur Wand\r\n[Welt1]\r\nStart=kurz.tdw\r\nZiel=kurz-ziel.tdw\r\n"
              "[Welt2]\r\nStart=lang.tdw\r\nZiel=lang-ziel.tdw\r\nVerdeckt=ja\r\n");
    ASSERT_TRUE(Tasks().OpenTask(Folder() + QStringLiteral("verdeckt.tda")));
    EXPECT_EQ(form_->findChild<QMenu *>(QStringLiteral("Startwelt1"))->actions().size(), 1);
    SetProgram(QStringLiteral("Programm\r\nSchritt(2)\r\n*Programm\r\n"));
    CheckAndWait();
    const int hidden = RowOf(QStringLiteral("Verdeckte Welt 2: nicht gelöst ✗ – "));
    ASSERT_GE(hidden, 0);
    EXPECT_EQ(InfoLines()[hidden].indexOf(QStringLiteral("(")), -1);  // no field, no place
    EXPECT_EQ(Tasks().CurrentWorld(), 0);  // the one world shown, solved
    EXPECT_EQ(form_->Welt().Room.Length(), 3);
    QListWidget *list = form_->InfoBox;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(hidden)).center());
    EXPECT_EQ(Tasks().CurrentWorld(), 0);
    EXPECT_EQ(form_->Welt().Room.Length(), 3);
}

class TaskEditor : public TaskSession {
protected:
    TTaskEditorDialog &Dialog()
    {
        Tasks().AufgabeErstellen1->trigger();
        auto *dialog = form_->findChild<TTaskEditorDialog *>();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
};

TEST_F(TaskEditor, NewTaskEmptiesTheDialogAndTakesTheWindowsWorldAsItsOnlyStart)
{
    OpenWithTask();
    TTaskEditorDialog &dialog = Dialog();
    EXPECT_EQ(dialog.edtTitel->text(), QStringLiteral("Bis zur Wand"));
    EXPECT_EQ(dialog.lstWelten->count(), 3);
    dialog.chkQuader->setChecked(false);
    QTest::mouseClick(dialog.btnNeu, Qt::LeftButton);
    EXPECT_TRUE(dialog.edtTitel->text().isEmpty());
    EXPECT_TRUE(dialog.memText->toPlainText().isEmpty());
    EXPECT_TRUE(dialog.chkQuader->isChecked());
    EXPECT_FALSE(dialog.chkKeineHinweise->isChecked());
    EXPECT_TRUE(dialog.edtMusterloesung->text().isEmpty());
    ASSERT_EQ(dialog.lstWelten->count(), 1);
    EXPECT_EQ(dialog.lstWelten->item(0)->text(), QStringLiteral("Welt 1:   Start 8 × 3 × 6,   Ziel fehlt"));
}

// What a screen reader says for each control: its own name, its text or its label.
TEST_F(TaskEditor, EveryControlHasANameAScreenReaderCanSay)
{
    OpenWithTask();
    TTaskEditorDialog &dialog = Dialog();
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;  // a spin box speaks for its own line edit
        if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLineEdit *>(w) &&
            !qobject_cast<QPlainTextEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(w) &&
            !qobject_cast<QListWidget *>(w))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        const QString name = a->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty() || name == QStringLiteral("Wählen…")) << w->objectName().toStdString();
    }
}

TEST_F(TaskEditor, TheLastWorldCanBeRemovedButATaskWithoutWorldsIsNotSaved)
{
    Open();
    form_->FileDialogHook = [this](const FileDialogRequest &) { return Folder() + QStringLiteral("leer"); };
    TTaskEditorDialog &dialog = Dialog();
    dialog.edtTitel->setText(QStringLiteral("Leer"));
    ASSERT_EQ(dialog.lstWelten->count(), 1);
    QTest::mouseClick(dialog.btnWeltEntfernen, Qt::LeftButton);
    EXPECT_EQ(dialog.lstWelten->count(), 0);
    QTest::mouseClick(dialog.btnSpeichern, Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].text, QStringLiteral("Die Aufgabe braucht mindestens eine Welt."));
    EXPECT_FALSE(QFile::exists(Folder() + QStringLiteral("leer.tda")));
}

TEST_F(TaskEditor, ReplacingAStartAsksWhetherTheGoalIsReplacedToo)
{
    Open();
    TTaskEditorDialog &dialog = Dialog();
    QTest::mouseClick(dialog.btnAlsStart, Qt::LeftButton);
    form_->Welt().Robot.Schritt(2);
    QTest::mouseClick(dialog.btnAlsZiel, Qt::LeftButton);
    EXPECT_TRUE(asked_.empty());
    EXPECT_FALSE(dialog.lstWelten->item(0)->text().endsWith(QStringLiteral("fehlt")));

    form_->Welt().Robot.Schritt(1);
    answer_ = QMessageBox::No;
    QTest::mouseClick(dialog.btnAlsStart, Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].text.startsWith(QStringLiteral("Welt 1 hat schon eine Zielwelt.")));
    EXPECT_FALSE(dialog.lstWelten->item(0)->text().endsWith(QStringLiteral("fehlt")));  // kept

    form_->Welt().Robot.Schritt(1);
    answer_ = QMessageBox::Yes;
    QTest::mouseClick(dialog.btnAlsStart, Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_TRUE(dialog.lstWelten->item(0)->text().endsWith(QStringLiteral("Ziel fehlt")));
}

TEST_F(TaskEditor, StepLimitIsTypedTheGermanWay)
{
    Open();
    TTaskEditorDialog &dialog = Dialog();
    dialog.speMaxSchritte->setFocus();
    dialog.speMaxSchritte->selectAll();
    QTest::keyClicks(dialog.speMaxSchritte, QStringLiteral("250.000"));
    QTest::keyClick(dialog.speMaxSchritte, Qt::Key_Tab);
    EXPECT_EQ(dialog.speMaxSchritte->value(), 250000);
    EXPECT_EQ(dialog.speMaxSchritte->text(), QStringLiteral("250.000"));
}

TEST_F(TaskEditor, FileDialogsStartInTheTasksFolderAndTestingRunsTheModelSolutionOnEveryWorld)
{
    OpenWithTask();
    TTaskEditorDialog &dialog = Dialog();
    QString asked;
    form_->FileDialogHook = [&](const FileDialogRequest &r) {
        asked = r.Directory;
        return QStringLiteral(TUMBO_FIXTURES_DIR "/aufgaben/bis-zur-wand-loesung.tdp");
    };
    QTest::mouseClick(dialog.btnMusterloesung, Qt::LeftButton);
    EXPECT_EQ(QDir(asked), QDir(QStringLiteral(TUMBO_DATA_DIR "/aufgaben")));
    QTest::mouseClick(dialog.btnTesten, Qt::LeftButton);
    for (int waited = 0; dialog.TestJob().Running() && waited < 20000; waited += 10)
        QTest::qWait(10);
    EXPECT_EQ(dialog.memErgebnis->toPlainText(),
              QStringLiteral("Die Musterlösung löst alle 3 Welten.\nWelt 1: gelöst ✓\nWelt 2: gelöst ✓\nWelt 3: gelöst ✓"));

    dialog.edtMusterloesung->setText(QStringLiteral(TUMBO_FIXTURES_DIR "/aufgaben/bis-zur-wand-falsch.tdp"));
    QTest::mouseClick(dialog.btnTesten, Qt::LeftButton);
    for (int waited = 0; dialog.TestJob().Running() && waited < 20000; waited += 10)
        QTest::qWait(10);
    EXPECT_TRUE(dialog.memErgebnis->toPlainText().startsWith(QStringLiteral("Die Musterlösung löst 1 von 3 Welten.\nWelt 1: gelöst ✓\nWelt 2: nicht gelöst ✗ – Feld (10, 2)")))
        << dialog.memErgebnis->toPlainText().toStdString();
}

}  // namespace
}  // namespace tumbo::app::test
