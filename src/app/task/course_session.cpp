#include "app/task/course_session.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

#include "app/files/data_files.h"
#include "app/files/file_commands.h"
#include "app/run/run_control.h"
#include "app/task/course_panel.h"
#include "app/task/task_result_bar.h"
#include "app/task/task_session.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "text/atomic_file.h"
#include "text/cp1252.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string &cp1252) { return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252)); }

// What a new program of a task starts with.
const char *const kNewProgram = "Programm\r\n\r\n*Programm\r\n";

}  // namespace

TCourseSession::TCourseSession(TMainForm &form) : QObject(&form), form_(form)
{
    CreateMenu();
    panel_ = new TCoursePanel;
    form_.Splitter1->insertWidget(1, panel_);  // beside the overview
    panel_->hide();
    connect(panel_, &TCoursePanel::TaskActivated, this, &TCourseSession::OpenCourseTask);
    connect(panel_, &TCoursePanel::FolderChangeRequested, this, &TCourseSession::ChangePupilFolderCommand);

    TTaskSession &tasks = *form_.Tasks;
    connect(&form_.RunControl(), &TRunControl::RunStarting, this, &TCourseSession::SaveProgram);
    connect(&tasks, &TTaskSession::CheckStarting, this, &TCourseSession::SaveProgram);
    connect(&tasks, &TTaskSession::Checked, this, &TCourseSession::TaskChecked);
    connect(&tasks, &TTaskSession::HintShown, this, [this] {
        if (current_ < 0)
            return;
        progress_.RecordHint(CurrentName());
        SaveProgress();
    });
    // Another task opened by hand, or the task closed: the course's task is no longer open.
    auto leave = [this] {
        const tumbo::task::TLoadedTask *open = form_.Tasks->Task();
        if (current_ >= 0 && (!open || open->FileName != course_->Tasks[size_t(current_)].Path)) {
            current_ = -1;
            panel_->ShowCurrent(-1);
        }
    };
    connect(&tasks, &TTaskSession::TaskOpened, this, leave);
    connect(&tasks, &TTaskSession::TaskClosed, this, leave);
    connect(tasks.ResultBar(), &TTaskResultBar::NextTaskRequested, this, &TCourseSession::NextTaskCommand);
}

void TCourseSession::CreateMenu()
{
    QMenu *menu = form_.menuBar()->findChild<QMenu *>(QStringLiteral("Aufgabe1"));
    // Before the teacher's part of the menu.
    QAction *before = nullptr;
    const QList<QAction *> items = menu->actions();
    for (int i = 1; i < items.size(); ++i)
        if (items[i] == form_.Tasks->AufgabeErstellen1)
            before = items[i - 1];
    KursOeffnen1 = new QAction(QStringLiteral("Kurs öffnen…"), menu);
    KursOeffnen1->setObjectName(QStringLiteral("KursOeffnen1"));
    KursSchliessen1 = new QAction(QStringLiteral("Kurs schließen"), menu);
    KursSchliessen1->setObjectName(QStringLiteral("KursSchliessen1"));
    KursSchliessen1->setEnabled(false);
    menu->insertSeparator(before);
    menu->insertAction(before, KursOeffnen1);
    menu->insertAction(before, KursSchliessen1);
    connect(KursOeffnen1, &QAction::triggered, this, &TCourseSession::OpenCourseCommand);
    connect(KursSchliessen1, &QAction::triggered, this, &TCourseSession::CloseCourseCommand);
}

QString TCourseSession::ProgramPath(int index) const
{
    if (!course_ || index < 0 || index >= int(course_->Tasks.size()))
        return {};
    return QDir(folder_).filePath(QString::fromStdString(course_->Tasks[size_t(index)].Name) + QStringLiteral(".tdp"));
}

std::string TCourseSession::CurrentName() const
{
    return current_ >= 0 ? course_->Tasks[size_t(current_)].Name : std::string();
}

void TCourseSession::ShowPanel(bool show)
{
    panel_->setVisible(show);
    KursSchliessen1->setEnabled(show);
    if (!show)
        return;
    // Room for the task names, taken from the information list.
    QList<int> sizes = form_.Splitter1->sizes();
    const int index = form_.Splitter1->indexOf(panel_);
    if (sizes.size() > index + 1 && sizes[index] < 200) {
        const int want = std::min(260, std::max(0, sizes[index + 1] - 200) + sizes[index]);
        sizes[index + 1] -= want - sizes[index];
        sizes[index] = want;
        form_.Splitter1->setSizes(sizes);
    }
}

bool TCourseSession::OpenCourse(const QString &folderOrFile)
{
    if (form_.RunControl().RunOnStack())
        return false;
    tumbo::task::TLoadedCourse loaded;
    const QString path = QFileInfo(folderOrFile).absoluteFilePath();
    if (const tumbo::task::TTaskResult r = tumbo::task::LoadCourse(QFile::encodeName(path).toStdString(), loaded); !r.Ok()) {
        form_.Ask(QMessageBox::Critical, FromCore(r.Message), QMessageBox::Ok);
        return false;
    }
    if (!SaveProgram())
        return false;
    const QString courseFolder = QFile::decodeName(QByteArray::fromStdString(loaded.Folder));
    const QString folder = remembered_.FolderFor(courseFolder, loaded.Course.Title, QDir::homePath());
    tumbo::task::TProgress progress;
    std::string error;
    if (!progress.Load(QFile::encodeName(folder).toStdString(), error))
        form_.ShowError(FromCore(error));  // the course opens; what is done is saved anew
    course_ = std::move(loaded);
    progress_ = std::move(progress);
    folder_ = folder;
    current_ = -1;
    remembered_.Remember(courseFolder, folder_, false);
    panel_->ShowCourse(*course_, progress_);
    panel_->ShowFolder(folder_);
    panel_->ShowCurrent(-1);
    ShowPanel(true);
    form_.RunControl().AddInfoLine(QStringLiteral("Kurs : %1 (%2 Aufgaben, öffnen mit Doppelklick)")
                                       .arg(FromCore(course_->Course.Title))
                                       .arg(course_->Tasks.size()));
    return true;
}

void TCourseSession::OpenCourseCommand()
{
    if (form_.RunControl().RunOnStack())
        return;
    FileDialogRequest request;
    request.Title = QStringLiteral("Kurs öffnen");
    request.Filter = QString::fromUtf8(kCourseFileFilter);
    // The open course's folder, else the course shipped with the program.
    const QString shipped = QFileInfo(FindDataFile(QStringLiteral("kurs/kurs.tdk"))).absolutePath();
    request.Directory = course_ ? QFile::decodeName(QByteArray::fromStdString(course_->Folder))
                                : QFileInfo(shipped).isDir() ? shipped : form_.OpenPath;
    request.FileName = QString::fromLatin1(tumbo::task::kCourseFileName);
    const QString path = form_.AskFileName(request);
    if (!path.isEmpty())
        OpenCourse(path);
}

void TCourseSession::CloseCourseCommand()
{
    if (form_.RunControl().RunOnStack() || !SaveProgram())
        return;
    course_.reset();
    current_ = -1;
    folder_.clear();
    remembered_.Forget();
    ShowPanel(false);
    form_.Tasks->ResultBar()->OfferNextTask(false);
}

bool TCourseSession::OpenCourseTask(int index)
{
    if (!course_ || index < 0 || index >= int(course_->Tasks.size()) || form_.RunControl().RunOnStack())
        return false;
    // The program in the editor is kept first: the course task's in the pupil's folder, any
    // other after the usual question.
    if (current_ >= 0 ? !SaveProgram() : !form_.FileCommands().AskSaveChangedProgram())
        return false;
    const tumbo::task::TCourseTask &task = course_->Tasks[size_t(index)];
    if (!form_.Tasks->OpenTask(QFile::decodeName(QByteArray::fromStdString(task.Path))))
        return false;  // said so; the open task stays
    const QString program = ProgramPath(index);
    progress_.Begin(task.Name);
    SaveProgress();  // makes the pupil's folder, too
    std::string error;
    if (!QFileInfo(program).isFile() &&
        !tumbo::text::WriteFileAtomic(QFile::encodeName(program).toStdString(), kNewProgram, error)) {
        form_.ShowError(FromCore(error));
        return false;
    }
    form_.RunControl().Marks().ClearBreakpoint();
    form_.RunControl().Marks().ClearErrorMarks();
    emit form_.ProgramReplacing();
    const bool loaded = form_.FileCommands().LoadProgramFile(program);
    emit form_.ProgramReplaced();
    if (!loaded)
        return false;
    current_ = index;
    panel_->ShowStates(progress_);
    panel_->ShowCurrent(index);
    form_.Editor->setFocus();
    return true;
}

void TCourseSession::NextTaskCommand()
{
    if (current_ >= 0)
        OpenCourseTask(current_ + 1);
}

bool TCourseSession::SaveProgram()
{
    // Only the program of the course's task, and only while it is the editor's file.
    if (current_ < 0 || !form_.Editor->isModified() ||
        QFileInfo(form_.ProgramFileName) != QFileInfo(ProgramPath(current_)))
        return true;
    return form_.FileCommands().SaveProgram();
}

void TCourseSession::SaveProgress()
{
    std::string error;
    if (!progress_.Save(error))
        form_.ShowError(FromCore(error));
}

void TCourseSession::TaskChecked(bool solvedAll)
{
    if (current_ < 0)
        return;
    progress_.RecordCheck(CurrentName(), solvedAll, tumbo::task::TodayText());
    SaveProgress();
    panel_->ShowStates(progress_);
    form_.Tasks->ResultBar()->OfferNextTask(solvedAll && current_ + 1 < int(course_->Tasks.size()));
}

bool TCourseSession::SetPupilFolder(const QString &folder)
{
    if (!course_ || folder.isEmpty() || form_.RunControl().RunOnStack() || !SaveProgram())
        return false;
    tumbo::task::TProgress progress;
    std::string error;
    if (!progress.Load(QFile::encodeName(folder).toStdString(), error)) {
        form_.ShowError(FromCore(error));
        return false;
    }
    const int task = current_;
    current_ = -1;  // the program in the editor belongs to the old folder
    progress_ = std::move(progress);
    folder_ = QFileInfo(folder).absoluteFilePath();
    remembered_.Remember(QFile::decodeName(QByteArray::fromStdString(course_->Folder)), folder_, true);
    panel_->ShowFolder(folder_);
    panel_->ShowStates(progress_);
    panel_->ShowCurrent(-1);
    // The open task goes on with the pupil's program from the new folder.
    if (task >= 0 && form_.Tasks->HasTask())
        OpenCourseTask(task);
    return true;
}

void TCourseSession::ChangePupilFolderCommand()
{
    if (!course_)
        return;
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Folder;
    request.Title = QStringLiteral("Ordner für deine Programme wählen");
    request.Directory = folder_;
    const QString folder = form_.AskFileName(request);
    if (!folder.isEmpty())
        SetPupilFolder(folder);
}

void TCourseSession::ReopenLastCourse(const tumbo::text::IniFile &ini)
{
    remembered_.Read(ini);
    const QString last = remembered_.LastCourse();
    if (!last.isEmpty() && QFileInfo::exists(last))
        OpenCourse(last);
}

void TCourseSession::WriteSettings(tumbo::text::IniFile &ini) const
{
    remembered_.Write(ini);
}

}  // namespace tumbo::app
