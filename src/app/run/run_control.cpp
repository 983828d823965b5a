// The run commands of the main window, the marks in the editor's gutter, the lamp,
// the information list and the status fields.
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

#include "app/run/prog_lamp.h"
#include "app/run/qt_run_host.h"
#include "app/window/main_form.h"
#include "app/window/mark_images.h"
#include "app/window/program_editor.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

using Mark = ProgramEditor;

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

}  // namespace

// ---------------------------------------------------------------- commands

void TMainForm::StartCommand()
{
    switch (parser_->RunMode) {
    case 0:
        StartRun(1);
        break;
    case 1:
        break;
    default:
        parser_->RunMode = 1;
        UpdateLamp();
        break;
    }
}

void TMainForm::FastCommand()
{
    switch (parser_->RunMode) {
    case 0:
        ClearMarksForFastRun();
        StartRun(2);
        break;
    case 2:
        break;
    default:
        ClearMarksForFastRun();
        parser_->RunMode = 2;
        UpdateLamp();
        break;
    }
}

void TMainForm::SingleStepCommand()
{
    switch (parser_->RunMode) {
    case 0:
        StartRun(3);
        break;
    case 3:
        parser_->RequestStep();
        UpdateLamp();
        break;
    default:
        break;
    }
}

void TMainForm::PauseCommand()
{
    if (parser_->RunMode == 1 || parser_->RunMode == 2)
        parser_->RunMode = 3;
    UpdateLamp();
}

void TMainForm::StopCommand()
{
    if (parser_->RunMode != 0) {
        parser_->Stop();
        ClearCurrentLine();
        Editor->SetEditingEnabled(true);
    }
    SetLamp(0);
}

void TMainForm::BreakpointCommand()
{
    if (parser_->RunMode != 0)
        return;
    ClearErrorMarks();
    if (parser_->BreakLine < 1) {
        const int line = Editor->CaretLine();
        if (line >= 1 && line <= std::max(1, Editor->LineCount()))
            SetBreakpoint(line);
    } else {
        ClearBreakpoint();
    }
}

void TMainForm::SyntaxCheckCommand()
{
    if (parser_->RunMode != 0 || RunOnStack())
        return;
    Editor->SetEditingEnabled(false);
    ClearErrorMarks();
    ResetInfoList();
    const std::string text = tumbo::text::Utf8ToCp1252(Editor->TrimmedText().toStdString());
    if (parser_->Compile(text, ProgramFolder().toStdString(), true))
        AddInfoLine(QStringLiteral("Kein Syntaxfehler"));
    Editor->SetEditingEnabled(true);
}

void TMainForm::ClearMessagesCommand()
{
    ResetInfoList();
    ClearErrorMarks();
    UpdateLamp();
}

void TMainForm::ClearMarksForFastRun()
{
    parser_->CurrentLine = 0;
    ClearCurrentLine();
    ClearErrorMarks();
}

QString TMainForm::ProgramFolder() const
{
    if (ProgramFileName.isEmpty())
        return {};
    return QFileInfo(ProgramFileName).absolutePath() + QLatin1Char('/');
}

void TMainForm::StartRun(int mode)
{
    // After Stop the stopped run may still be waiting out its pause: a new compile would
    // free the statements it goes back to.
    if (RunOnStack())
        return;
    Editor->SetEditingEnabled(false);
    ClearErrorMarks();
    if (RestoreWorld && !WorldFileName.isEmpty() && QFileInfo(WorldFileName).isFile()) {
        TWorldFileResult r = welt_->LoadFromFile(WorldFileName.toStdString());
        if (!r.Ok() && r.Status != TWorldFileStatus::NotAWorldFile)
            ShowError(FromCore(r.Message));
        UpdateStatusFields();
    }
    ResetInfoList();
    SetLamp(mode);
    const std::string text = tumbo::text::Utf8ToCp1252(Editor->TrimmedText().toStdString());
    if (parser_->Compile(text, ProgramFolder().toStdString(), true)) {
        SaveWorldForRun();
        if (mode == 1 || mode == 3)
            SetCurrentLine(1);
        ++runDepth_;
        parser_->Run(uint8_t(mode));
        --runDepth_;
        host_->Flush();
        FlushRunDisplay();
        ClearCurrentLine();
    }
    Editor->SetEditingEnabled(true);
    UpdateLamp();
}

// ---------------------------------------------------------------- engine callbacks

void TMainForm::OnStep()
{
    // The editor and the status fields follow at screen rate (FlushRunDisplay); the
    // lamp answers at once because it is cheap.
    pendingLine_ = parser_->CurrentLine;
    displayPending_ = true;
    if (parser_->RunMode != lampMode_)
        UpdateLamp();
    if (parser_->CurrentLine < 0)
        FlushRunDisplay();
}

void TMainForm::FlushRunDisplay()
{
    if (!displayPending_)
        return;
    displayPending_ = false;
    const int line = pendingLine_;
    KeepLineVisible(line);
    const int mode = parser_->RunMode;
    if (mode == 1 || mode == 3)
        SetCurrentLine(line);
    else
        ClearCurrentLine();
    UpdateLamp();
    UpdateStatusFields();
}

void TMainForm::KeepLineVisible(int line)
{
    const int first = Editor->FirstVisibleLine();
    const int visible = std::max(1, Editor->VisibleLineCount());
    if (line < first) {
        Editor->SetFirstVisibleLine(std::max(1, line - 10));
    } else if (line > first + visible - 1) {
        // Below the window: scroll so that a few lines after it stay in view.
        const int after = std::min(3, visible / 3);
        Editor->SetFirstVisibleLine(std::max(1, line - visible + 1 + after));
    }
}

void TMainForm::OnError(int number, int line, const std::string &message)
{
    QString text = QStringLiteral("[Fehlernr %1]").arg(number);
    if (line > 0)
        text += QStringLiteral(" (Zeile %1)").arg(line);
    text += QStringLiteral(": ") + FromCore(message);
    AddInfoLine(text);
    SetErrorMark(line);
    Editor->RepaintLine(line);
}

void TMainForm::OnMessage(int kind, int line, const std::string &message)
{
    QString text = kind == 1 ? QStringLiteral("[Abbruch]") : QStringLiteral("[Hinweis]");
    if (line > 0)
        text += QStringLiteral(" (Zeile %1)").arg(line);
    text += QStringLiteral(": ") + FromCore(message);
    AddInfoLine(text);
    if (kind == 1) {
        SetAbortMark(line);
        Editor->RepaintLine(line);
    }
}

// ---------------------------------------------------------------- information list and lamp

void TMainForm::ResetInfoList()
{
    InfoBox->clear();
    InfoBox->addItem(QStringLiteral("Programm : ") + ProgramFileName);
    InfoBox->addItem(QStringLiteral("Welt : ") + WorldFileName);
    InfoBox->addItem(QStringLiteral("----------"));
}

void TMainForm::AddInfoLine(const QString &text)
{
    InfoBox->addItem(text);
    InfoBox->setCurrentRow(InfoBox->count() - 1);
    InfoBox->scrollToBottom();
}

void TMainForm::SetLamp(int mode)
{
    switch (mode) {
    case 1:
    case 2:
        Lamp->SetColor(QColor(0, 255, 0));
        break;
    case 3:
        Lamp->SetColor(QColor(255, 255, 0));
        break;
    default:
        Lamp->SetColor(QColor(192, 192, 192));
        break;
    }
}

void TMainForm::UpdateLamp()
{
    const int mode = parser_->RunMode;
    lampMode_ = mode;
    if (mode != 0) {
        SetLamp(mode);
        return;
    }
    const bool failed = InfoBox->count() > 3 && InfoBox->item(3)->text().startsWith(QStringLiteral("[Feh"));
    if (failed)
        Lamp->SetColor(QColor(255, 0, 0));
    else
        SetLamp(0);
}

void TMainForm::UpdateStatusFields()
{
    const TTumbo &robot = welt_->Robot;
    const QString x = QString::number(robot.X + 1);
    const QString y = QString::number(robot.Y + 1);
    const QString heading = robot.Heading < 4 ? QString(QLatin1Char("SWNO"[robot.Heading])) : QString();
    const QString bricks =
        parser_->RunMode != 0 && robot.CheckBrick ? QString::number(robot.Carried) : QString();
    // Only changed values are written, so a fast run does not repaint four fields per step.
    auto put = [](QLineEdit *field, QString &shown, const QString &value) {
        if (shown != value || field->text() != value) {
            shown = value;
            field->setText(value);
        }
    };
    put(edtPositionX, shownX_, x);
    put(edtPositionY, shownY_, y);
    put(edtBlickrichtung, shownHeading_, heading);
    put(edtZiegel, shownBricks_, bricks);
}

// ---------------------------------------------------------------- marks

void TMainForm::SetCurrentLine(int line)
{
    if (line < 1 || line > Editor->LineCount())
        return;
    ProgramEditor::GutterMark &current = Editor->Mark(Mark::kCurrentLineMark);
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    const bool changed = !current.Visible || current.Line != line;
    current.Visible = true;
    current.Line = line;
    if (breakpoint.Line >= 1) {
        const bool was = OnBreakpointLine;
        OnBreakpointLine = line == breakpoint.Line;
        if (was && !OnBreakpointLine) {
            current.ImageIndex = kImageCurrentLine;
            breakpoint.Visible = true;
            Editor->RefreshMark(Mark::kBreakpointMark);
            Editor->RefreshMark(Mark::kCurrentLineMark);
            return;
        }
        if (!was && OnBreakpointLine) {
            current.ImageIndex = kImageCurrentOnBreakpoint;
            breakpoint.Visible = false;
            Editor->RefreshMark(Mark::kBreakpointMark);
            Editor->RefreshMark(Mark::kCurrentLineMark);
            return;
        }
    }
    if (changed)
        Editor->RefreshMark(Mark::kCurrentLineMark);
}

void TMainForm::ClearCurrentLine()
{
    ProgramEditor::GutterMark &current = Editor->Mark(Mark::kCurrentLineMark);
    current.Line = -1;
    current.Visible = false;
    Editor->RefreshMark(Mark::kCurrentLineMark);
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    if (breakpoint.Line >= 1 && !breakpoint.Visible) {
        breakpoint.Visible = true;
        Editor->RefreshMark(Mark::kBreakpointMark);
    }
}

void TMainForm::SetBreakpoint(int line)
{
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    breakpoint.Line = line;
    breakpoint.Visible = true;
    Editor->RefreshMark(Mark::kBreakpointMark);
    parser_->BreakLine = line;
}

void TMainForm::ClearBreakpoint()
{
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    breakpoint.Line = -1;
    breakpoint.Visible = false;
    Editor->RefreshMark(Mark::kBreakpointMark);
    parser_->BreakLine = -1;
    // The current-line mark may still carry the picture of the breakpoint it last stood on.
    if (OnBreakpointLine) {
        OnBreakpointLine = false;
        ProgramEditor::GutterMark &current = Editor->Mark(Mark::kCurrentLineMark);
        current.ImageIndex = kImageCurrentLine;
        Editor->RefreshMark(Mark::kCurrentLineMark);
    }
}

void TMainForm::SetErrorMark(int line)
{
    if (line < 1 || line > Editor->LineCount())
        return;
    ProgramEditor::GutterMark &m = Editor->Mark(Mark::kErrorMark);
    m.Line = line;
    m.Visible = true;
    Editor->RefreshMark(Mark::kErrorMark);
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    if (breakpoint.Line == line) {
        breakpoint.Visible = false;
        Editor->RefreshMark(Mark::kBreakpointMark);
    }
}

void TMainForm::SetAbortMark(int line)
{
    if (line < 1 || line > Editor->LineCount())
        return;
    ProgramEditor::GutterMark &m = Editor->Mark(Mark::kAbortMark);
    m.Line = line;
    m.Visible = true;
    Editor->RefreshMark(Mark::kAbortMark);
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    if (breakpoint.Line == line) {
        breakpoint.Visible = false;
        Editor->RefreshMark(Mark::kBreakpointMark);
    }
}

void TMainForm::ClearErrorMarks()
{
    for (int n : {int(Mark::kErrorMark), int(Mark::kAbortMark)}) {
        ProgramEditor::GutterMark &m = Editor->Mark(n);
        m.Line = -1;
        m.Visible = false;
        Editor->RefreshMark(n);
    }
    ProgramEditor::GutterMark &breakpoint = Editor->Mark(Mark::kBreakpointMark);
    if (breakpoint.Line >= 1) {
        breakpoint.Visible = true;
        Editor->RefreshMark(Mark::kBreakpointMark);
    }
}

// ---------------------------------------------------------------- the world around a run

void TMainForm::SaveWorldForRun()
{
    if (TempWorldFile.isEmpty())
        return;
    TWorldFileResult r = welt_->SaveToFile(TempWorldFile.toStdString());
    if (r.Ok()) {
        WorldSavedForRun = true;
        return;
    }
    // Without a writable temporary world, runs go on without it, and this is said once.
    ShowError(FromCore(r.Message));
    TempWorldFile.clear();
}

void TMainForm::RestoreSavedWorld()
{
    if (!WorldSavedForRun || TempWorldFile.isEmpty() || !QFileInfo(TempWorldFile).isFile())
        return;
    TWorldFileResult r = welt_->LoadFromFile(TempWorldFile.toStdString());
    if (!r.Ok() && r.Status != TWorldFileStatus::NotAWorldFile)
        ShowError(FromCore(r.Message));
}

}  // namespace tumbo::app
