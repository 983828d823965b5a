#include "app/run/run_marks.h"

#include "app/window/mark_images.h"
#include "app/window/program_editor.h"
#include "language/parser.h"

namespace tumbo::app {
namespace {

using Mark = ProgramEditor;

}  // namespace

void TRunMarks::SetCurrentLine(int line)
{
    if (line < 1 || line > editor_.LineCount())
        return;
    ProgramEditor::GutterMark &current = editor_.Mark(Mark::kCurrentLineMark);
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    const bool changed = !current.Visible || current.Line != line;
    current.Visible = true;
    current.Line = line;
    if (breakpoint.Line >= 1) {
        const bool was = OnBreakpointLine;
        OnBreakpointLine = line == breakpoint.Line;
        if (was && !OnBreakpointLine) {
            current.ImageIndex = kImageCurrentLine;
            breakpoint.Visible = true;
            editor_.RefreshMark(Mark::kBreakpointMark);
            editor_.RefreshMark(Mark::kCurrentLineMark);
            return;
        }
        if (!was && OnBreakpointLine) {
            current.ImageIndex = kImageCurrentOnBreakpoint;
            breakpoint.Visible = false;
            editor_.RefreshMark(Mark::kBreakpointMark);
            editor_.RefreshMark(Mark::kCurrentLineMark);
            return;
        }
    }
    if (changed)
        editor_.RefreshMark(Mark::kCurrentLineMark);
}

void TRunMarks::ClearCurrentLine()
{
    ProgramEditor::GutterMark &current = editor_.Mark(Mark::kCurrentLineMark);
    current.Line = -1;
    current.Visible = false;
    editor_.RefreshMark(Mark::kCurrentLineMark);
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    if (breakpoint.Line >= 1 && !breakpoint.Visible) {
        breakpoint.Visible = true;
        editor_.RefreshMark(Mark::kBreakpointMark);
    }
}

void TRunMarks::SetBreakpoint(int line)
{
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    breakpoint.Line = line;
    breakpoint.Visible = true;
    editor_.RefreshMark(Mark::kBreakpointMark);
    parser_.BreakLine = line;
}

void TRunMarks::ClearBreakpoint()
{
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    breakpoint.Line = -1;
    breakpoint.Visible = false;
    editor_.RefreshMark(Mark::kBreakpointMark);
    parser_.BreakLine = -1;
    // The current-line mark may still carry the picture of the breakpoint it last stood on.
    if (OnBreakpointLine) {
        OnBreakpointLine = false;
        ProgramEditor::GutterMark &current = editor_.Mark(Mark::kCurrentLineMark);
        current.ImageIndex = kImageCurrentLine;
        editor_.RefreshMark(Mark::kCurrentLineMark);
    }
}

void TRunMarks::SetErrorMark(int line)
{
    SetFailureMark(Mark::kErrorMark, line);
}

void TRunMarks::SetAbortMark(int line)
{
    SetFailureMark(Mark::kAbortMark, line);
}

void TRunMarks::SetFailureMark(int mark, int line)
{
    if (line < 1 || line > editor_.LineCount())
        return;
    ProgramEditor::GutterMark &m = editor_.Mark(mark);
    m.Line = line;
    m.Visible = true;
    editor_.RefreshMark(mark);
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    if (breakpoint.Line == line) {
        breakpoint.Visible = false;
        editor_.RefreshMark(Mark::kBreakpointMark);
    }
}

void TRunMarks::ClearErrorMarks()
{
    for (int n : {int(Mark::kErrorMark), int(Mark::kAbortMark)}) {
        ProgramEditor::GutterMark &m = editor_.Mark(n);
        m.Line = -1;
        m.Visible = false;
        editor_.RefreshMark(n);
    }
    ProgramEditor::GutterMark &breakpoint = editor_.Mark(Mark::kBreakpointMark);
    if (breakpoint.Line >= 1) {
        breakpoint.Visible = true;
        editor_.RefreshMark(Mark::kBreakpointMark);
    }
}

}  // namespace tumbo::app
