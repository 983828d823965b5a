// The course in the window: "Kurs öffnen…", the panel "Kurs" beside the overview, opening a
// task with a double-click or Enter together with the pupil's program, saving that program on
// F9, F10 and when the task changes, the progress, "Nächste Aufgabe", the pupil's folder, and
// the course reopened at start.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>

#include "app/files/file_commands.h"
#include "app/task/course_panel.h"
#include "app/task/course_session.h"
#include "app/task/task_result_bar.h"
#include "app/task/task_session.h"
#include "window_fixture.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

const QString kCourse = QStringLiteral(TUMBO_FIXTURES_DIR "/kurs-klein");

class CourseSession : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // The pupil's default folder lies below the home folder: the test's own.
        oldHome_ = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(Folder() + QStringLiteral("home")));
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        qputenv("HOME", oldHome_);
    }
    QString PupilFolder() const { return Folder() + QStringLiteral("home/Tumbo/Kleiner Kurs/"); }
    TCourseSession &Courses() { return *form_->Courses; }
    TCoursePanel &Panel() { return *form_->Courses->Panel(); }

    TCourseSession &OpenWithCourse()
    {
        Open();
        form_->FileDialogHook = [](const FileDialogRequest &) { return kCourse + QStringLiteral("/kurs.tdk"); };
        form_->Courses->KursOeffnen1->trigger();
        EXPECT_TRUE(Courses().HasCourse());
        return Courses();
    }
    // A double-click on the task's line, as the pupil does it.
    void DoubleClickTask(int index)
    {
        QTreeWidget *list = Panel().lstAufgaben;
        list->scrollToItem(Panel().TaskItem(index));
        const QRect rect = list->visualItemRect(Panel().TaskItem(index));
        ASSERT_TRUE(rect.isValid());
        ASSERT_TRUE(list->viewport()->rect().contains(rect.center()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QString State(int index) const { return form_->Courses->Panel()->TaskItem(index)->text(1); }
    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // F10 in the editor, then the events until the check has ended.
    void CheckAndWait()
    {
        form_->Editor->setFocus();
        QTest::keyClick(form_->Editor, Qt::Key_F10);
        for (int waited = 0; form_->Tasks->Checking() && waited < 20000; waited += 10)
            QTest::qWait(10);
        ASSERT_FALSE(form_->Tasks->Checking());
    }
    void Type(const QString &program)
    {
        form_->Editor->setText(program);
        form_->Editor->setModified(true);
    }

    QByteArray oldHome_;
};

TEST_F(CourseSession, OpeningShowsSectionsAndTasksInOrderBesideTheOverview)
{
    OpenWithCourse();
    ASSERT_TRUE(Panel().isVisible());
    EXPECT_EQ(form_->Splitter1->indexOf(&Panel()), form_->Splitter1->indexOf(form_->PanelCodeView) + 1);
    EXPECT_EQ(Panel().lblTitel->text(), QStringLiteral("Kurs: Kleiner Kurs"));
    QTreeWidget *list = Panel().lstAufgaben;
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("1. Laufen"));
    EXPECT_EQ(list->topLevelItem(1)->text(0).trimmed(), QStringLiteral("Ein Schritt"));
    EXPECT_EQ(list->topLevelItem(3)->text(0), QStringLiteral("2. Springen"));
    EXPECT_EQ(State(0), QStringLiteral("–"));
    EXPECT_TRUE(Panel().lblOrdner->toolTip().endsWith(QStringLiteral("Tumbo/Kleiner Kurs")));
    EXPECT_TRUE(Courses().KursSchliessen1->isEnabled());
}

TEST_F(CourseSession, DoubleClickOpensTheTaskWithANewProgramInThePupilsFolder)
{
    OpenWithCourse();
    DoubleClickTask(0);
    ASSERT_TRUE(form_->Tasks->HasTask());
    EXPECT_EQ(form_->Tasks->Task()->Task.Title, "Ein Schritt");
    EXPECT_EQ(form_->ProgramFileName, PupilFolder() + QStringLiteral("vor.tdp"));
    EXPECT_EQ(Read(PupilFolder() + QStringLiteral("vor.tdp")), QByteArray("Programm\r\n\r\n*Programm\r\n"));
    EXPECT_EQ(State(0), QStringLiteral("begonnen"));
    EXPECT_EQ(QFileInfo(PupilFolder()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    EXPECT_TRUE(Read(PupilFolder() + QStringLiteral("fortschritt.ini")).contains("[vor]\r\nZustand=begonnen"));
}

TEST_F(CourseSession, EnterOpensTheChosenTaskToo)
{
    OpenWithCourse();
    Panel().lstAufgaben->setFocus();
    Panel().lstAufgaben->setCurrentItem(Panel().TaskItem(2));
    QTest::keyClick(Panel().lstAufgaben, Qt::Key_Return);
    ASSERT_TRUE(form_->Tasks->HasTask());
    EXPECT_EQ(form_->Tasks->Task()->Task.Title, "Auf den Stapel");
    EXPECT_EQ(Courses().CurrentTask(), 2);
}

TEST_F(CourseSession, F9AndF10SaveThePupilsProgramAndF10CountsInTheProgress)
{
    OpenWithCourse();
    DoubleClickTask(0);
    const QString program = QStringLiteral("Programm\r\nLinksDrehen\r\n*Programm\r\n");
    Type(program);
    QTest::keyClick(form_->Editor, Qt::Key_F9);
    EXPECT_EQ(Read(PupilFolder() + QStringLiteral("vor.tdp")), program.toUtf8());

    const QString solution = QStringLiteral("Programm\r\nSchritt\r\n*Programm\r\n");
    Type(solution);
    CheckAndWait();
    EXPECT_EQ(Read(PupilFolder() + QStringLiteral("vor.tdp")), solution.toUtf8());
    EXPECT_EQ(State(0), QStringLiteral("gelöst ✓"));
    const tumbo::task::TTaskProgress p = Courses().Progress().Get("vor");
    EXPECT_EQ(p.Attempts, 1);
    EXPECT_EQ(p.SolvedOn, tumbo::task::TodayText());
}

TEST_F(CourseSession, NextTaskLeadsOnAfterEveryWorldIsSolved)
{
    OpenWithCourse();
    DoubleClickTask(0);
    QPushButton *next = form_->Tasks->ResultBar()->btnNaechsteAufgabe;
    Type(QStringLiteral("Programm\r\nLinksDrehen\r\n*Programm\r\n"));
    CheckAndWait();
    EXPECT_FALSE(next->isVisible());
    Type(QStringLiteral("Programm\r\nSchritt\r\n*Programm\r\n"));
    CheckAndWait();
    ASSERT_TRUE(next->isVisible());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Courses().CurrentTask(), 1);
    EXPECT_EQ(form_->Tasks->Task()->Task.Title, "Bis zur Wand");
    EXPECT_EQ(form_->ProgramFileName, PupilFolder() + QStringLiteral("bis-wand.tdp"));
    EXPECT_FALSE(next->isVisible());
}

TEST_F(CourseSession, SwitchingTasksSavesTheProgramAndBringsBackEachTasksOwn)
{
    OpenWithCourse();
    DoubleClickTask(0);
    const QString first = QStringLiteral("Programm\r\nRechtsDrehen\r\n*Programm\r\n");
    Type(first);
    DoubleClickTask(1);
    EXPECT_EQ(Read(PupilFolder() + QStringLiteral("vor.tdp")), first.toUtf8());
    EXPECT_EQ(form_->Editor->text(), QStringLiteral("Programm\r\n\r\n*Programm\r\n"));
    DoubleClickTask(0);
    EXPECT_EQ(form_->Editor->text(), first);
    EXPECT_TRUE(asked_.empty());
}

TEST_F(CourseSession, ThePupilsFolderIsChangedInThePanelAndRemembered)
{
    OpenWithCourse();
    DoubleClickTask(0);
    const QString stick = Folder() + QStringLiteral("stick");
    QDir().mkpath(stick);
    QFile progress(stick + QStringLiteral("/fortschritt.ini"));
    ASSERT_TRUE(progress.open(QIODevice::WriteOnly));
    progress.write("[bis-wand]\r\nZustand=geloest\r\nVersuche=2\r\n");
    progress.close();
    form_->FileDialogHook = [stick](const FileDialogRequest &r) {
        return r.DialogKind == FileDialogRequest::Folder ? stick : QString();
    };
    QTest::mouseClick(Panel().btnOrdner, Qt::LeftButton);
    EXPECT_EQ(Courses().PupilFolder(), stick);
    EXPECT_TRUE(Panel().lblOrdner->toolTip().endsWith(QStringLiteral("stick")));
    EXPECT_EQ(State(1), QStringLiteral("gelöst ✓"));
    EXPECT_EQ(form_->ProgramFileName, stick + QStringLiteral("/vor.tdp"));  // the task goes on there

    form_.reset();  // tumbo.ini is written as the window goes
    Open();
    ASSERT_TRUE(Courses().HasCourse());  // reopened at start, with the chosen folder
    EXPECT_EQ(Courses().PupilFolder(), stick);
    EXPECT_EQ(State(1), QStringLiteral("gelöst ✓"));
}

TEST_F(CourseSession, ADamagedCourseIsRefusedAndTheOpenCourseStays)
{
    OpenWithCourse();
    WriteFile(QStringLiteral("kurs.tdk"), "[Kurs]\r\nTitel=K\r\nAutor=X\r\n");
    EXPECT_FALSE(Courses().OpenCourse(Folder()));
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].text.endsWith(QStringLiteral("(Zeile 3): unbekannter Eintrag \"Autor\" in [Kurs].")));
    EXPECT_EQ(Courses().Course()->Course.Title, "Kleiner Kurs");
}

TEST_F(CourseSession, ClosingTheCourseHidesThePanelAndItIsNotReopened)
{
    OpenWithCourse();
    Courses().KursSchliessen1->trigger();
    EXPECT_FALSE(Panel().isVisible());
    form_.reset();
    Open();
    EXPECT_FALSE(Courses().HasCourse());
}

}  // namespace
}  // namespace tumbo::app::test
