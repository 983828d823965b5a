#include "app/run/run_control.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "app/history/run_history.h"
#include "app/run/prog_lamp.h"
#include "app/run/qt_run_host.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "app/world/world_commands.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

}  // namespace

TRunControl::TRunControl(TMainForm &form)
    : QObject(&form), form_(form), parser_(form.Parser()), marks_(*form.Editor, form.Parser())
{
    setObjectName(QStringLiteral("RunControl"));
    // OnStep only notes the line for FlushRunDisplay: at frames it is enough.
    parser_.StepsSeenAtFrames = true;
    Connect();
}

void TRunControl::Connect()
{
    const std::pair<QToolButton *, void (TRunControl::*)()> buttons[] = {
        {form_.btnSyntax, &TRunControl::SyntaxCheckCommand},    {form_.btnAblaufNormal, &TRunControl::StartCommand},
        {form_.btnAblaufSchnell, &TRunControl::FastCommand},     {form_.btnAblaufEinzeln, &TRunControl::SingleStepCommand},
        {form_.btnAblaufPause, &TRunControl::PauseCommand},      {form_.btnAblaufStopp, &TRunControl::StopCommand},
    };
    for (const auto &[button, command] : buttons)
        connect(button, &QToolButton::clicked, this, command);
    const std::pair<QAction *, void (TRunControl::*)()> items[] = {
        {form_.Start1, &TRunControl::StartCommand},          {form_.Schnelllauf1, &TRunControl::FastCommand},
        {form_.Einzelschritt1, &TRunControl::SingleStepCommand}, {form_.Pause1, &TRunControl::PauseCommand},
        {form_.Stopp1, &TRunControl::StopCommand},           {form_.StoppPunkt1, &TRunControl::BreakpointCommand},
        {form_.Syntaxpruefung1, &TRunControl::SyntaxCheckCommand},
        {form_.Meldungenloeschen1, &TRunControl::ClearMessagesCommand},
    };
    for (const auto &[item, command] : items)
        connect(item, &QAction::triggered, this, command);
    connect(form_.Editor, &QsciScintilla::marginClicked, this, [this] { marks_.ClearErrorMarks(); });
}

// ---------------------------------------------------------------- commands

void TRunControl::StartCommand()
{
    switch (parser_.RunMode) {
    case 0:
        StartRun(1);
        break;
    case 1:
        break;
    default:
        form_.History().ReturnToNewest();
        parser_.RunMode = 1;
        UpdateLamp();
        break;
    }
}

void TRunControl::FastCommand()
{
    switch (parser_.RunMode) {
    case 0:
        ClearMarksForFastRun();
        StartRun(2);
        break;
    case 2:
        break;
    default:
        form_.History().ReturnToNewest();
        ClearMarksForFastRun();
        parser_.RunMode = 2;
        UpdateLamp();
        break;
    }
}

void TRunControl::SingleStepCommand()
{
    switch (parser_.RunMode) {
    case 0:
        StartRun(3);
        break;
    case 3:
        // Through the recorded steps first; at the newest one the program runs on.
        if (form_.History().StepForward())
            break;
        parser_.RequestStep();
        UpdateLamp();
        break;
    default:
        break;
    }
}

void TRunControl::PauseCommand()
{
    if (parser_.RunMode == 1 || parser_.RunMode == 2)
        parser_.RunMode = 3;
    UpdateLamp();
}

void TRunControl::StopCommand()
{
    if (parser_.RunMode != 0) {
        form_.History().ReturnToNewest();
        parser_.Stop();
        marks_.ClearCurrentLine();
        form_.Editor->SetEditingEnabled(true);
    }
    SetLamp(0);
}

void TRunControl::BreakpointCommand()
{
    if (parser_.RunMode != 0)
        return;
    marks_.ClearErrorMarks();
    if (parser_.BreakLine < 1) {
        const int line = form_.Editor->CaretLine();
        if (line >= 1 && line <= std::max(1, form_.Editor->LineCount()))
            marks_.SetBreakpoint(line);
    } else {
        marks_.ClearBreakpoint();
    }
}

void TRunControl::SyntaxCheckCommand()
{
    if (parser_.RunMode != 0 || RunOnStack())
        return;
    form_.Editor->SetEditingEnabled(false);
    marks_.ClearErrorMarks();
    ResetInfoList();
    const std::string text = tumbo::text::Utf8ToCp1252(form_.Editor->TrimmedText().toStdString());
    if (parser_.Compile(text, form_.ProgramFolder().toStdString(), true))
        AddInfoLine(QStringLiteral("Kein Syntaxfehler"));
    form_.Editor->SetEditingEnabled(true);
}

void TRunControl::ClearMessagesCommand()
{
    ResetInfoList();
    marks_.ClearErrorMarks();
    UpdateLamp();
}

void TRunControl::ClearMarksForFastRun()
{
    parser_.CurrentLine = 0;
    marks_.ClearCurrentLine();
    marks_.ClearErrorMarks();
}

void TRunControl::StartRun(int mode)
{
    // After Stop the stopped run may still be waiting out its pause: a new compile would
    // free the statements it goes back to.
    if (RunOnStack())
        return;
    emit RunStarting();
    form_.History().LeaveReplay();
    if (BeforeRun)
        BeforeRun();
    form_.Editor->SetEditingEnabled(false);
    marks_.ClearErrorMarks();
    if (form_.RestoreWorld && !form_.WorldFileName.isEmpty() && QFileInfo(form_.WorldFileName).isFile()) {
        TWorldFileResult r = form_.Welt().LoadFromFile(form_.WorldFileName.toStdString());
        if (!r.Ok() && r.Status != TWorldFileStatus::NotAWorldFile)
            form_.ShowError(FromCore(r.Message));
        UpdateStatusFields();
    }
    ResetInfoList();
    SetLamp(mode);
    const std::string text = tumbo::text::Utf8ToCp1252(form_.Editor->TrimmedText().toStdString());
    if (parser_.Compile(text, form_.ProgramFolder().toStdString(), true)) {
        SaveWorldForRun();
        if (mode == 1 || mode == 3)
            marks_.SetCurrentLine(1);
        ++runDepth_;
        parser_.Run(uint8_t(mode));
        --runDepth_;
        form_.RunHost().Flush();
        FlushRunDisplay();
        marks_.ClearCurrentLine();
        form_.History().RunEnded();
        UpdateStatusFields();  // the bricks carried belong to the run
        form_.KeepRobotInSight();  // also where a fast run left it
    }
    form_.Editor->SetEditingEnabled(true);
    UpdateLamp();
}

// ---------------------------------------------------------------- engine callbacks

void TRunControl::OnStep()
{
    // The editor and the status fields follow at screen rate (FlushRunDisplay); the
    // lamp answers at once because it is cheap.
    pendingLine_ = parser_.CurrentLine;
    displayPending_ = true;
    if (parser_.RunMode != lampMode_)
        UpdateLamp();
    if (parser_.CurrentLine < 0)
        FlushRunDisplay();
}

void TRunControl::FlushRunDisplay()
{
    if (!displayPending_)
        return;
    displayPending_ = false;
    const int line = pendingLine_;
    KeepLineVisible(line);
    const int mode = parser_.RunMode;
    if (mode == 1 || mode == 3) {
        marks_.SetCurrentLine(line);
        form_.KeepRobotInSight();  // in single step and at normal speed the view follows
    } else {
        marks_.ClearCurrentLine();
    }
    UpdateLamp();
    UpdateStatusFields();
}

void TRunControl::KeepLineVisible(int line)
{
    const int first = form_.Editor->FirstVisibleLine();
    const int visible = std::max(1, form_.Editor->VisibleLineCount());
    if (line < first) {
        form_.Editor->SetFirstVisibleLine(std::max(1, line - 10));
    } else if (line > first + visible - 1) {
        // Below the window: scroll so that a few lines after it stay in view.
        const int after = std::min(3, visible / 3);
        form_.Editor->SetFirstVisibleLine(std::max(1, line - visible + 1 + after));
    }
}

void TRunControl::OnError(int number, int line, const std::string &message)
{
    QString text = QStringLiteral("[Fehlernr %1]").arg(number);
    if (line > 0)
        text += QStringLiteral(" (Zeile %1)").arg(line);
    text += QStringLiteral(": ") + FromCore(message);
    AddInfoLine(text);
    marks_.SetErrorMark(line);
    form_.Editor->RepaintLine(line);
}

void TRunControl::OnMessage(int kind, int line, const std::string &message)
{
    QString text = kind == 1 ? QStringLiteral("[Abbruch]") : QStringLiteral("[Hinweis]");
    if (line > 0)
        text += QStringLiteral(" (Zeile %1)").arg(line);
    text += QStringLiteral(": ") + FromCore(message);
    AddInfoLine(text);
    if (kind == 1) {
        marks_.SetAbortMark(line);
        form_.Editor->RepaintLine(line);
    }
}

// ---------------------------------------------------------------- information list and lamp

void TRunControl::ResetInfoList()
{
    form_.InfoBox->clear();
    form_.InfoBox->addItem(QStringLiteral("Programm : ") + form_.ProgramFileName);
    const QString caption = form_.WorldFileName.isEmpty() && WorldCaption ? WorldCaption() : QString();
    form_.InfoBox->addItem(QStringLiteral("Welt : ") + (caption.isEmpty() ? form_.WorldFileName : caption));
    form_.InfoBox->addItem(QStringLiteral("----------"));
}

void TRunControl::AddInfoLine(const QString &text)
{
    form_.InfoBox->addItem(text);
    form_.InfoBox->setCurrentRow(form_.InfoBox->count() - 1);
    form_.InfoBox->scrollToBottom();
}

void TRunControl::SetLamp(int mode)
{
    switch (mode) {
    case 1:
    case 2:
        form_.Lamp->SetColor(QColor(0, 255, 0));
        break;
    case 3:
        form_.Lamp->SetColor(QColor(255, 255, 0));
        break;
    default:
        form_.Lamp->SetColor(QColor(192, 192, 192));
        break;
    }
}

void TRunControl::UpdateLamp()
{
    const int mode = parser_.RunMode;
    lampMode_ = mode;
    form_.History().UpdateStepBack();  // it follows the run's state as the lamp does
    if (mode != 0) {
        SetLamp(mode);
        return;
    }
    const bool failed = form_.InfoBox->count() > 3 && form_.InfoBox->item(3)->text().startsWith(QStringLiteral("[Feh"));
    if (failed)
        form_.Lamp->SetColor(QColor(255, 0, 0));
    else
        SetLamp(0);
}

void TRunControl::UpdateStatusFields()
{
    const TTumbo &robot = form_.Welt().Robot;
    const QString x = QString::number(robot.X + 1);
    const QString y = QString::number(robot.Y + 1);
    const QString heading = robot.Heading < 4 ? QString(QLatin1Char("SWNO"[robot.Heading])) : QString();
    // Bricks carried are a run's figure: shown while it runs and while the replay shows one of
    // its earlier steps; at the run's final state the field is empty, as after any run.
    const bool runShown = parser_.RunMode != 0 || form_.History().Behind();
    const QString bricks = runShown && robot.CheckBrick ? QString::number(robot.Carried) : QString();
    // Only changed values are written, so a fast run does not repaint four fields per step.
    auto put = [](QLineEdit *field, QString &shown, const QString &value) {
        if (shown != value || field->text() != value) {
            shown = value;
            field->setText(value);
        }
    };
    put(form_.edtPositionX, shownX_, x);
    put(form_.edtPositionY, shownY_, y);
    put(form_.edtBlickrichtung, shownHeading_, heading);
    put(form_.edtZiegel, shownBricks_, bricks);
}

// ---------------------------------------------------------------- the world around a run

void TRunControl::SaveWorldForRun()
{
    // From now on the world from before this run is the one to bring back.
    form_.WorldCommands().RestorePoint.Forget();
    if (form_.TempWorldFile.isEmpty())
        return;
    TWorldFileResult r = form_.Welt().SaveToFile(form_.TempWorldFile.toStdString());
    if (r.Ok()) {
        WorldSavedForRun = true;
        return;
    }
    // Without a writable temporary world, runs go on without it, and this is said once.
    form_.ShowError(FromCore(r.Message));
    form_.TempWorldFile.clear();
}

void TRunControl::RestoreSavedWorld()
{
    if (!WorldSavedForRun || form_.TempWorldFile.isEmpty() || !QFileInfo(form_.TempWorldFile).isFile())
        return;
    TWorldFileResult r = form_.Welt().LoadFromFile(form_.TempWorldFile.toStdString());
    if (!r.Ok() && r.Status != TWorldFileStatus::NotAWorldFile)
        form_.ShowError(FromCore(r.Message));
}

}  // namespace tumbo::app
