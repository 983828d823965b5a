#include "app/files/file_commands.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/files/recovery_file.h"
#include "app/run/run_control.h"
#include "text/ini_file.h"
#include "app/task/task_session.h"
#include "app/window/chart_mode.h"
#include "app/window/main_form.h"
#include "app/world/world_restore_point.h"
#include "app/window/program_editor.h"
#include "app/world/world_commands.h"
#include "text/cp1252.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

const QString kProgramFilter = QStringLiteral("Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*");
const QString kWorldFilter = QStringLiteral("Welt für Robot Tumbo (*.tdw)|*.tdw|Alle Dateien (*.*)|*.*");
const QString kUnsavedProgram = QStringLiteral(
    "Das aktuelle Programm wurde geändert.\nOhne Speichern gehen die Änderungen verloren.\n\nVorher speichern ?");
const QString kWorldExists = QStringLiteral("Eine Welt mit diesem Namen existiert bereits,\nÜberschreiben ?");

const char *const kRecentSection = "Zuletzt";
constexpr int kRecentCount = 8;

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

QString FolderOf(const QString &path)
{
    return QFileInfo(path).absolutePath() + QLatin1Char('/');
}

// The path with its extension replaced by ".tdw".
QString WorldBeside(const QString &program)
{
    const QFileInfo info(program);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.absolutePath() + QLatin1Char('/') + base + QStringLiteral(".tdw");
}

bool IsWorldFileName(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tdw"), Qt::CaseInsensitive) == 0;
}

// The local .tdp and .tdw files of a drag.
QStringList DroppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == QLatin1String("tdp") || suffix == QLatin1String("tdw"))
            files << path;
    }
    return files;
}

}  // namespace

TFileCommands::TFileCommands(TMainForm &form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("FileCommands"));
    Connect();
}

void TFileCommands::Connect()
{
    for (QToolButton *b : {form_.btnProgNeu, form_.btnProgOeffnen, form_.btnProgSpeichern})
        b->setEnabled(true);
    for (QAction *a : {form_.Neu1, form_.Oeffnen1, form_.Speichern1, form_.Speichernunter1, form_.OeffnenWelt1,
                       form_.Weltspeichern1, form_.Weltspeichernunter1})
        a->setEnabled(true);
    const std::pair<QToolButton *, void (TFileCommands::*)()> buttons[] = {
        {form_.btnProgNeu, &TFileCommands::NewProgramCommand},
        {form_.btnProgOeffnen, &TFileCommands::OpenProgramCommand},
        {form_.btnProgSpeichern, &TFileCommands::SaveProgramCommand},
        {form_.btnWeltOeffnen, &TFileCommands::OpenWorldCommand},
        {form_.btnWeltSpeichern, &TFileCommands::SaveWorldCommand},
    };
    for (const auto &[button, command] : buttons)
        connect(button, &QToolButton::clicked, this, command);
    const std::pair<QAction *, void (TFileCommands::*)()> items[] = {
        {form_.Neu1, &TFileCommands::NewProgramCommand},
        {form_.Oeffnen1, &TFileCommands::OpenProgramCommand},
        {form_.Speichern1, &TFileCommands::SaveProgramCommand},
        {form_.Speichernunter1, &TFileCommands::SaveProgramAsCommand},
        {form_.OeffnenWelt1, &TFileCommands::OpenWorldCommand},
        {form_.Weltspeichern1, &TFileCommands::SaveWorldCommand},
        {form_.Weltspeichernunter1, &TFileCommands::SaveWorldAsCommand},
    };
    for (const auto &[item, command] : items)
        connect(item, &QAction::triggered, this, command);

    // A program replacing the editor's text hides the chart of the old one (the overview
    // listens to ProgramReplaced).
    if (auto *chart = form_.findChild<ChartMode *>())
        connect(&form_, &TMainForm::ProgramReplacing, chart, &ChartMode::HideChart);

    // Dropped files: on the window and on the editor, which would otherwise take the
    // file's name as text.
    form_.setAcceptDrops(true);
    form_.installEventFilter(this);
    form_.Editor->viewport()->installEventFilter(this);

    // Unsaved text goes to the recovery file at most MaxAgeMs after the first change.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(TRecoveryFile::MaxAgeMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &TFileCommands::KeepRecovery);
    connect(form_.Editor, &QsciScintilla::textChanged, this, [this] {
        if (form_.Editor->isModified() && !recoveryTimer_->isActive())
            recoveryTimer_->start();
    });
    connect(form_.Editor, &QsciScintilla::modificationChanged, this, [this](bool modified) {
        if (modified)
            return;
        // Loaded, saved or new: nothing is left to recover.
        recoveryTimer_->stop();
        if (recovery_)
            recovery_->Remove();
    });
}

void TFileCommands::StartFileServices()
{
    recovery_ = new TRecoveryFile(form_.IniFolder, this);
    LoadRecentPrograms();
}

// ---------------------------------------------------------------- programs

bool TFileCommands::AskSaveChangedProgram(const QString &question)
{
    if (!form_.Editor->isModified())
        return true;
    switch (form_.Ask(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        // Without a save (dialog cancelled, write failed) the program must stay.
        return SaveProgram();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TFileCommands::AskSaveChangedProgram() { return AskSaveChangedProgram(kUnsavedProgram); }

void TFileCommands::NewProgramCommand()
{
    if (!AskSaveChangedProgram(kUnsavedProgram))
        return;
    form_.RunControl().Marks().ClearBreakpoint();
    form_.RunControl().Marks().ClearErrorMarks();
    emit form_.ProgramReplacing();
    form_.Editor->clear();
    form_.Editor->ShowFromStart();
    form_.ProgramFileName.clear();
    programFormat_ = tumbo::text::kNewFileFormat;
    form_.RunControl().ResetInfoList();
    emit form_.ProgramReplaced();
    form_.Editor->setModified(false);
}

void TFileCommands::OpenProgramCommand()
{
    if (!AskSaveChangedProgram(kUnsavedProgram))
        return;
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Öffnen");
    request.Filter = kProgramFilter;
    request.Directory = form_.OpenPath;
    const QString path = form_.AskFileName(request);
    if (!path.isEmpty())
        OpenProgram(path);
    form_.Editor->setFocus();
}

bool TFileCommands::OpenProgram(const QString &path)
{
    const QString program = QFileInfo(path).absoluteFilePath();
    form_.RunControl().Marks().ClearBreakpoint();
    form_.RunControl().Marks().ClearErrorMarks();
    emit form_.ProgramReplacing();
    if (!LoadProgramFile(program))
        return false;  // said so; the editor keeps what it had
    const QString world = WorldBeside(program);
    if (QFileInfo(world).isFile()) {
        // A file of that name that is no world (or a damaged one) is refused with a
        // message and is not taken as the world's file, so no later save overwrites it.
        OpenWorld(world);
    } else {
        form_.WorldCommands().ClearWorldCommand();
    }
    form_.RunControl().ResetInfoList();
    emit form_.ProgramReplaced();
    AddRecentProgram(program);
    return true;
}

void TFileCommands::SaveProgramCommand()
{
    SaveProgram();
}

void TFileCommands::SaveProgramAsCommand()
{
    SaveProgramAs();
}

// ---------------------------------------------------------------- worlds

void TFileCommands::OpenWorldCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Welt öffnen");
    request.Filter = kWorldFilter;
    request.Directory = form_.OpenPath;
    const QString path = form_.AskFileName(request);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;  // a name that does not exist is passed over
    OpenWorld(path);
}

bool TFileCommands::OpenWorld(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    // Kept before loading: a refused file leaves the world and the last point alone.
    TWorldRestorePoint before;
    before.KeepIfUnsaved(form_.Welt(), form_.WorldFileName);
    const TWorldFileResult r = form_.Welt().LoadFromFile(file.toStdString());
    if (!r.Ok()) {
        // The world and WorldFileName stay as they were.
        form_.ShowError(FromCore(r.Message));
        return false;
    }
    form_.WorldCommands().RestorePoint = std::move(before);
    form_.RunControl().UpdateStatusFields();
    form_.WorldFileName = file;
    form_.RunControl().ResetInfoList();
    form_.UpdateScrollRanges();
    return true;
}

void TFileCommands::SaveWorldCommand()
{
    if (form_.WorldFileName.isEmpty()) {
        SaveWorldAsCommand();
    } else {
        const TWorldFileResult r = form_.Welt().SaveToFile(form_.WorldFileName.toStdString());
        if (!r.Ok())
            form_.ShowError(FromCore(r.Message));
    }
    form_.UpdateScrollRanges();
}

void TFileCommands::SaveWorldAsCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Title = QStringLiteral("Welt speichern");
    request.Filter = kWorldFilter;
    request.DefaultSuffix = QStringLiteral("tdw");
    request.Directory = form_.OpenPath;
    request.FileName = !form_.WorldFileName.isEmpty()     ? form_.WorldFileName
                       : !form_.ProgramFileName.isEmpty() ? WorldBeside(form_.ProgramFileName)
                                                    : QString();
    const QString name = WithDefaultSuffix(form_.AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name) &&
        form_.Ask(QMessageBox::Question, kWorldExists, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) !=
            QMessageBox::Yes)
        return;
    form_.WorldFileName = name;
    form_.RunControl().ResetInfoList();
    const TWorldFileResult r = form_.Welt().SaveToFile(name.toStdString());
    if (!r.Ok())
        form_.ShowError(FromCore(r.Message));
}

// ---------------------------------------------------------------- dropped and recent files

void TFileCommands::OpenFiles(const QStringList &paths)
{
    QString program, world, task;
    for (const QString &p : paths) {
        QString &slot = IsWorldFileName(p) ? world : p.endsWith(QStringLiteral(".tda"), Qt::CaseInsensitive) ? task : program;
        if (slot.isEmpty())
            slot = p;
    }
    if (!program.isEmpty() && QFileInfo(program).isFile()) {
        if (!AskSaveChangedProgram(kUnsavedProgram))
            return;
        OpenProgram(program);
        form_.Editor->setFocus();
    }
    if (!world.isEmpty() && QFileInfo(world).isFile())
        OpenWorld(world);
    if (!task.isEmpty() && QFileInfo(task).isFile())
        form_.Tasks->OpenTask(task);
}

bool TFileCommands::DropEvent(QEvent *event)
{
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList files = DroppedFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    // Opened once the drop is over: the questions are modal.
    if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, files] { OpenFiles(files); });
    return true;
}

void TFileCommands::LoadRecentPrograms()
{
    IniFile ini;
    if (!ini.Load(form_.SettingsFile().toStdString()))
        return;
    recentPrograms_.clear();
    for (int i = 1; i <= kRecentCount; ++i) {
        const std::string key = "Programm" + std::to_string(i);
        const QString path = QString::fromStdString(ini.ReadString(kRecentSection, key, ""));
        if (!path.isEmpty() && !recentPrograms_.contains(path))
            recentPrograms_ << path;
    }
    UpdateRecentMenu();
}

void TFileCommands::WriteRecentPrograms(IniFile &ini) const
{
    // Written only when there is something to write, so a settings file without the
    // list stays as it is.
    if (recentPrograms_.isEmpty() && !ini.HasKey(kRecentSection, "Programm1"))
        return;
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString path = i <= recentPrograms_.size() ? recentPrograms_[i - 1] : QString();
        ini.WriteString(kRecentSection, "Programm" + std::to_string(i), path.toStdString());
    }
}

void TFileCommands::AddRecentProgram(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    recentPrograms_.removeAll(file);
    recentPrograms_.prepend(file);
    while (recentPrograms_.size() > kRecentCount)
        recentPrograms_.removeLast();
    UpdateRecentMenu();
}

void TFileCommands::UpdateRecentMenu()
{
    auto *datei = qobject_cast<QMenu *>(form_.Beenden1->parent());
    if (!datei)
        return;
    // An entry may be rebuilding the list from its own triggered signal: deleted later.
    for (QAction *a : std::as_const(recentActions_)) {
        datei->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    if (recentPrograms_.isEmpty())
        return;
    // The list stands above the separator before "&Beenden", with a separator of its own.
    const QList<QAction *> items = datei->actions();
    QAction *before = items.at(items.indexOf(form_.Beenden1) - 1);
    recentActions_ << datei->insertSeparator(before);
    datei->setToolTipsVisible(true);
    int n = 0;
    for (const QString &path : recentPrograms_) {
        ++n;
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *a = new QAction(QStringLiteral("&%1 %2").arg(n).arg(name), datei);
        a->setObjectName(QStringLiteral("Zuletzt%1").arg(n));
        a->setToolTip(QDir::toNativeSeparators(path));
        a->setStatusTip(QDir::toNativeSeparators(path));
        connect(a, &QAction::triggered, this, [this, path] {
            // A program whatever its extension; one that is gone leaves the list.
            if (!QFileInfo(path).isFile()) {
                form_.ShowError(QStringLiteral("Die Datei „%1“ gibt es nicht mehr.").arg(QDir::toNativeSeparators(path)));
                recentPrograms_.removeAll(path);
                UpdateRecentMenu();
            } else if (AskSaveChangedProgram(kUnsavedProgram)) {
                OpenProgram(path);
                form_.Editor->setFocus();
            }
        });
        datei->insertAction(before, a);
        recentActions_ << a;
    }
}

// ---------------------------------------------------------------- crash recovery

void TFileCommands::KeepRecovery()
{
    if (!recovery_)
        return;
    if (!form_.Editor->isModified()) {
        recovery_->Remove();
        return;
    }
    recovery_->Write({form_.ProgramFileName, programFormat_, {}, form_.Editor->text()});
}

void TFileCommands::OfferRecovery()
{
    if (recoveryOffered_)
        return;
    recoveryOffered_ = true;
    // The files stay claimed until the questions are answered.
    const std::vector<LeftBehindFile> leftBehind = TRecoveryFile::LeftBehind(form_.IniFolder);
    for (const LeftBehindFile &left : leftBehind) {
        const QString &file = left.FileName;
        const auto program = TRecoveryFile::Read(file);
        if (!program) {
            TRecoveryFile::Discard(file);
            continue;
        }
        const QString which = program->ProgramFileName.isEmpty()
                                  ? QStringLiteral("Vom neuen, noch nicht gespeicherten Programm")
                                  : QStringLiteral("Vom Programm „%1“").arg(QFileInfo(program->ProgramFileName).fileName());
        const QString text =
            QStringLiteral("Robot Tumbo wurde zuletzt nicht regulär beendet.\n"
                           "%1 sind ungespeicherte Änderungen erhalten (Stand %2).\n\n"
                           "Sollen sie wiederhergestellt werden?")
                .arg(which, program->Saved.toString(QStringLiteral("dd.MM.yyyy, HH:mm:ss")));
        QMessageBox::StandardButton answer;
        if (form_.MessageBoxHook) {
            answer = form_.MessageBoxHook(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
        } else {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Robot Tumbo"), text, QMessageBox::NoButton, &form_);
            QPushButton *restore = box.addButton(QStringLiteral("&Wiederherstellen"), QMessageBox::AcceptRole);
            QPushButton *discard = box.addButton(QStringLiteral("&Verwerfen"), QMessageBox::DestructiveRole);
            box.setDefaultButton(restore);
            box.exec();
            answer = box.clickedButton() == restore   ? QMessageBox::Yes
                     : box.clickedButton() == discard ? QMessageBox::No
                                                      : QMessageBox::Cancel;
        }
        if (answer == QMessageBox::No) {
            TRecoveryFile::Discard(file);
            continue;
        }
        // Unanswered, or the editor already holds changes of its own: kept for next time.
        if (answer != QMessageBox::Yes || form_.Editor->isModified())
            return;
        form_.RunControl().Marks().ClearBreakpoint();
        form_.RunControl().Marks().ClearErrorMarks();
        emit form_.ProgramReplacing();
        form_.ProgramFileName = program->ProgramFileName;
        if (!form_.ProgramFileName.isEmpty())
            form_.OpenPath = FolderOf(form_.ProgramFileName);
        programFormat_ = program->Format;
        form_.Editor->setText(program->Text);
        form_.Editor->ShowFromStart();
        form_.RunControl().ResetInfoList();
        emit form_.ProgramReplaced();
        // The text is the user's again: kept in this window's file before the old one goes.
        if (recovery_ && recovery_->Write({form_.ProgramFileName, programFormat_, {}, form_.Editor->text()}))
            TRecoveryFile::Discard(file);
        return;
    }
}

// ---------------------------------------------------------------- events

bool TFileCommands::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == &form_ || watched == form_.Editor->viewport())
            return DropEvent(event);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tumbo::app
