#pragma once
// The four marks a run moves in the editor's gutter: the current line, the breakpoint
// (which also sets the engine's break line), the error line and the abort line. The
// current-line mark takes the breakpoint's place and picture while it stands on it.
class TTumbo_Parser;

namespace tumbo::app {

class ProgramEditor;

class TRunMarks {
public:
    TRunMarks(ProgramEditor &editor, TTumbo_Parser &parser) : editor_(editor), parser_(parser) {}

    void SetCurrentLine(int line);
    void ClearCurrentLine();
    void SetBreakpoint(int line);
    void ClearBreakpoint();
    void SetErrorMark(int line);
    void SetAbortMark(int line);
    void ClearErrorMarks();

    // The current-line mark stands on the breakpoint's line and shows its picture.
    bool OnBreakpointLine = false;

private:
    // Marks the error or abort line; a breakpoint on that line hides behind it.
    void SetFailureMark(int mark, int line);

    ProgramEditor &editor_;
    TTumbo_Parser &parser_;
};

}  // namespace tumbo::app
