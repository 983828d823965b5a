// The program and world file commands of the main window: new, open and save with their
// dialogs and questions, the world of a program's name, dropped files, the recently
// opened programs in "&Datei" and the crash-recovery file of unsaved program text.
#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/files/recovery_file.h"
#include "app/settings/ini_file.h"
#include "app/task/task_session.h"
#include "app/window/chart_mode.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
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

void TMainForm::ConnectFileCommands()
{
    for (QToolButton *b : {btnProgNeu, btnProgOeffnen, btnProgSpeichern})
        b->setEnabled(true);
    for (QAction *a : {Neu1, Oeffnen1, Speichern1, Speichernunter1, OeffnenWelt1, Weltspeichern1, Weltspeichernunter1})
        a->setEnabled(true);
    connect(btnProgNeu, &QToolButton::clicked, this, &TMainForm::NewProgramCommand);
    connect(btnProgOeffnen, &QToolButton::clicked, this, &TMainForm::OpenProgramCommand);
    connect(btnProgSpeichern, &QToolButton::clicked, this, &TMainForm::SaveProgramCommand);
    connect(Neu1, &QAction::triggered, this, &TMainForm::NewProgramCommand);
    connect(Oeffnen1, &QAction::triggered, this, &TMainForm::OpenProgramCommand);
    connect(Speichern1, &QAction::triggered, this, &TMainForm::SaveProgramCommand);
    connect(Speichernunter1, &QAction::triggered, this, &TMainForm::SaveProgramAsCommand);
    connect(btnWeltOeffnen, &QToolButton::clicked, this, &TMainForm::OpenWorldCommand);
    connect(btnWeltSpeichern, &QToolButton::clicked, this, &TMainForm::SaveWorldCommand);
    connect(OeffnenWelt1, &QAction::triggered, this, &TMainForm::OpenWorldCommand);
    connect(Weltspeichern1, &QAction::triggered, this, &TMainForm::SaveWorldCommand);
    connect(Weltspeichernunter1, &QAction::triggered, this, &TMainForm::SaveWorldAsCommand);

    // A program replacing the editor's text hides the chart of the old one (the overview
    // listens to ProgramReplaced).
    if (auto *chart = findChild<ChartMode *>())
        connect(this, &TMainForm::ProgramReplacing, chart, &ChartMode::HideChart);

    // Dropped files: on the window and on the editor, which would otherwise take the
    // file's name as text.
    setAcceptDrops(true);
    installEventFilter(this);
    Editor->viewport()->installEventFilter(this);

    // Unsaved text goes to the recovery file at most MaxAgeMs after the first change.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(TRecoveryFile::MaxAgeMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::KeepRecovery);
    connect(Editor, &QsciScintilla::textChanged, this, [this] {
        if (Editor->isModified() && !recoveryTimer_->isActive())
            recoveryTimer_->start();
    });
    connect(Editor, &QsciScintilla::modificationChanged, this, [this](bool modified) {
        if (modified)
            return;
        // Loaded, saved or new: nothing is left to recover.
        recoveryTimer_->stop();
        if (recovery_)
            recovery_->Remove();
    });
}

void TMainForm::StartFileServices()
{
    recovery_ = new TRecoveryFile(IniFolder, this);
    LoadRecentPrograms();
}

QString TMainForm::AskFileName(const FileDialogRequest &request)
{
    return FileDialogHook ? FileDialogHook(request) : ShowFileDialog(this, request);
}

// ---------------------------------------------------------------- programs

bool TMainForm::AskSaveChangedProgram(const QString &question)
{
    if (!Editor->isModified())
        return true;
    switch (Ask(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        // Without a save (dialog cancelled, write failed) the program must stay.
        return SaveProgram();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TMainForm::AskSaveChangedProgram() { return AskSaveChangedProgram(kUnsavedProgram); }

void TMainForm::NewProgramCommand()
{
    if (!AskSaveChangedProgram(kUnsavedProgram))
        return;
    runControl_->Marks().ClearBreakpoint();
    runControl_->Marks().ClearErrorMarks();
    emit ProgramReplacing();
    Editor->clear();
    ProgramFileName.clear();
    programFormat_ = tumbo::text::kNewFileFormat;
    runControl_->ResetInfoList();
    emit ProgramReplaced();
    Editor->setModified(false);
}

void TMainForm::OpenProgramCommand()
{
    if (!AskSaveChangedProgram(kUnsavedProgram))
        return;
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Öffnen");
    request.Filter = kProgramFilter;
    request.Directory = OpenPath;
    const QString path = AskFileName(request);
    if (!path.isEmpty())
        OpenProgram(path);
    Editor->setFocus();
}

bool TMainForm::OpenProgram(const QString &path)
{
    const QString program = QFileInfo(path).absoluteFilePath();
    runControl_->Marks().ClearBreakpoint();
    runControl_->Marks().ClearErrorMarks();
    emit ProgramReplacing();
    if (!LoadProgramFile(program))
        return false;  // said so; the editor keeps what it had
    const QString world = WorldBeside(program);
    if (QFileInfo(world).isFile()) {
        // A file of that name that is no world (or a damaged one) is refused with a
        // message and is not taken as the world's file, so no later save overwrites it.
        OpenWorld(world);
    } else {
        ClearWorldCommand();
    }
    runControl_->ResetInfoList();
    emit ProgramReplaced();
    AddRecentProgram(program);
    return true;
}

void TMainForm::SaveProgramCommand()
{
    SaveProgram();
}

void TMainForm::SaveProgramAsCommand()
{
    SaveProgramAs();
}

// ---------------------------------------------------------------- worlds

void TMainForm::OpenWorldCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Welt öffnen");
    request.Filter = kWorldFilter;
    request.Directory = OpenPath;
    const QString path = AskFileName(request);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;  // a name that does not exist is passed over
    OpenWorld(path);
}

bool TMainForm::OpenWorld(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    const TWorldFileResult r = welt_->LoadFromFile(file.toStdString());
    if (!r.Ok()) {
        // The world and WorldFileName stay as they were.
        ShowError(FromCore(r.Message));
        return false;
    }
    runControl_->UpdateStatusFields();
    WorldFileName = file;
    runControl_->ResetInfoList();
    UpdateScrollRanges();
    return true;
}

void TMainForm::SaveWorldCommand()
{
    if (WorldFileName.isEmpty()) {
        SaveWorldAsCommand();
    } else {
        const TWorldFileResult r = welt_->SaveToFile(WorldFileName.toStdString());
        if (!r.Ok())
            ShowError(FromCore(r.Message));
    }
    UpdateScrollRanges();
}

void TMainForm::SaveWorldAsCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Title = QStringLiteral("Welt speichern");
    request.Filter = kWorldFilter;
    request.DefaultSuffix = QStringLiteral("tdw");
    request.Directory = OpenPath;
    request.FileName = !WorldFileName.isEmpty()     ? WorldFileName
                       : !ProgramFileName.isEmpty() ? WorldBeside(ProgramFileName)
                                                    : QString();
    const QString name = WithDefaultSuffix(AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name) &&
        Ask(QMessageBox::Question, kWorldExists, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) !=
            QMessageBox::Yes)
        return;
    WorldFileName = name;
    runControl_->ResetInfoList();
    const TWorldFileResult r = welt_->SaveToFile(name.toStdString());
    if (!r.Ok())
        ShowError(FromCore(r.Message));
}

// ---------------------------------------------------------------- dropped and recent files

void TMainForm::OpenFiles(const QStringList &paths)
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
        Editor->setFocus();
    }
    if (!world.isEmpty() && QFileInfo(world).isFile())
        OpenWorld(world);
    if (!task.isEmpty() && QFileInfo(task).isFile())
        Tasks->OpenTask(task);
}

bool TMainForm::DropEvent(QEvent *event)
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

void TMainForm::LoadRecentPrograms()
{
    IniFile ini;
    if (!ini.Load(SettingsFile().toStdString()))
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

void TMainForm::WriteRecentPrograms(IniFile &ini) const
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

void TMainForm::AddRecentProgram(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    recentPrograms_.removeAll(file);
    recentPrograms_.prepend(file);
    while (recentPrograms_.size() > kRecentCount)
        recentPrograms_.removeLast();
    UpdateRecentMenu();
}

void TMainForm::UpdateRecentMenu()
{
    auto *datei = qobject_cast<QMenu *>(Beenden1->parent());
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
    QAction *before = items.at(items.indexOf(Beenden1) - 1);
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
                ShowError(QStringLiteral("Die Datei „%1“ gibt es nicht mehr.").arg(QDir::toNativeSeparators(path)));
                recentPrograms_.removeAll(path);
                UpdateRecentMenu();
            } else if (AskSaveChangedProgram(kUnsavedProgram)) {
                OpenProgram(path);
                Editor->setFocus();
            }
        });
        datei->insertAction(before, a);
        recentActions_ << a;
    }
}

// ---------------------------------------------------------------- crash recovery

void TMainForm::KeepRecovery()
{
    if (!recovery_)
        return;
    if (!Editor->isModified()) {
        recovery_->Remove();
        return;
    }
    recovery_->Write({ProgramFileName, programFormat_, {}, Editor->text()});
}

void TMainForm::OfferRecovery()
{
    if (recoveryOffered_)
        return;
    recoveryOffered_ = true;
    // The files stay claimed until the questions are answered.
    const std::vector<LeftBehindFile> leftBehind = TRecoveryFile::LeftBehind(IniFolder);
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
        if (MessageBoxHook) {
            answer = MessageBoxHook(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
        } else {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Robot Tumbo"), text, QMessageBox::NoButton, this);
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
        if (answer != QMessageBox::Yes || Editor->isModified())
            return;
        runControl_->Marks().ClearBreakpoint();
        runControl_->Marks().ClearErrorMarks();
        emit ProgramReplacing();
        ProgramFileName = program->ProgramFileName;
        if (!ProgramFileName.isEmpty())
            OpenPath = FolderOf(ProgramFileName);
        programFormat_ = program->Format;
        Editor->setText(program->Text);
        runControl_->ResetInfoList();
        emit ProgramReplaced();
        // The text is the user's again: kept in this window's file before the old one goes.
        if (recovery_ && recovery_->Write({ProgramFileName, programFormat_, {}, Editor->text()}))
            TRecoveryFile::Discard(file);
        return;
    }
}

// ---------------------------------------------------------------- events

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DummyEdit) {
        if (event->type() == QEvent::ShortcutOverride) {
            // Menu shortcuts come first, also those the line edit would keep (Ctrl+A, …).
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return true;
        } else if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                return false;
            // Robot keys act; any other key does nothing (and types nothing).
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                RobotKey(key->key());
            return true;
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == this || watched == Editor->viewport())
            return DropEvent(event);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tumbo::app
