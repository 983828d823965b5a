#include "app/window/program_editor.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpression>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <algorithm>

#include "app/window/mark_images.h"

namespace tumbo::app {
namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kMarkMargin = 1;

// The digit of Ctrl+0..9 and Shift+Ctrl+0..9, whatever symbol Shift puts on the key.
int DigitOf(const QKeyEvent *e)
{
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)
        return e->key() - Qt::Key_0;
    // X11 scan codes of the digit row: 10 is "1" … 18 is "9", 19 is "0".
    const quint32 scan = e->nativeScanCode();
    if (scan >= 10 && scan <= 19)
        return scan == 19 ? 0 : int(scan) - 9;
    return -1;
}

}  // namespace

ProgramEditor::ProgramEditor(QWidget *parent) : QsciScintilla(parent)
{
    for (int &h : bookmarkHandles_)
        h = -1;
    ConfigureEditing();
    DefineMarkImages();
    ConfigureKeys();
    connect(this, &QsciScintilla::linesChanged, this, &ProgramEditor::UpdateLineNumberWidth);
    marks_[kCurrentLineMark].ImageIndex = kImageCurrentLine;
    marks_[kBreakpointMark].ImageIndex = kImageBreakpoint;
    marks_[kErrorMark].ImageIndex = kImageError;
    marks_[kAbortMark].ImageIndex = kImageAbort;
}

void ProgramEditor::ConfigureEditing()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFont(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setPointSize(10);
    setFont(font);
    setMarginsFont(font);
    setUtf8(true);
    setEolMode(EolWindows);
    setAutoIndent(true);
    setIndentationsUseTabs(false);
    setTabIndents(true);
    setBackspaceUnindents(false);
    SetTabWidth(2);
    // The caret may go past the end of a line.
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, SCVS_USERACCESSIBLE | SCVS_RECTANGULARSELECTION);
    setCaretLineVisible(false);
    setBraceMatching(NoBraceMatch);
    setWrapMode(WrapNone);
    // The horizontal scroll bar appears only when a line is wider than the window.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, true);

    setMarginType(kLineNumberMargin, NumberMargin);
    setMarginType(kMarkMargin, SymbolMargin);
    setMarginWidth(kMarkMargin, 14);
    setMarginMarkerMask(kLineNumberMargin, 0);
    setMarginMarkerMask(kMarkMargin, (1 << kMarkImageCount) - 1);
    setMarginSensitivity(kLineNumberMargin, true);
    setMarginSensitivity(kMarkMargin, true);
    setMarginsBackgroundColor(QColor(240, 240, 240));
    setMarginsForegroundColor(QColor(100, 100, 100));
    SetLineNumbersShown(true);
    // Zooming the text (Ctrl with the wheel) zooms the line numbers too: their margin follows.
    connect(this, &QsciScintillaBase::SCN_ZOOM, this, &ProgramEditor::UpdateLineNumberWidth);
}

void ProgramEditor::DefineMarkImages()
{
    for (int i = 0; i < kMarkImageCount; ++i)
        markerDefine(MarkImageAt(i), i);
}

void ProgramEditor::Bind(QsciCommand::Command command, int key, bool alternate)
{
    ReleaseKey(key);
    QsciCommand *c = standardCommands()->find(command);
    if (!c)
        return;
    if (alternate)
        c->setAlternateKey(key);
    else
        c->setKey(key);
}

void ProgramEditor::ReleaseKey(int key)
{
    // Each command holds a key and an alternate key; either may carry this one.
    for (QsciCommand *c : standardCommands()->commands()) {
        if (c->key() == key)
            c->setKey(0);
        if (c->alternateKey() == key)
            c->setAlternateKey(0);
    }
}

void ProgramEditor::ConfigureKeys()
{
    using C = QsciCommand;
    const int ctrl = Qt::CTRL, shift = Qt::SHIFT, alt = Qt::ALT;
    Bind(C::SelectionCopy, ctrl | Qt::Key_Insert, true);
    Bind(C::Paste, shift | Qt::Key_Insert, true);
    Bind(C::SelectionCut, shift | Qt::Key_Delete, true);
    Bind(C::Undo, alt | Qt::Key_Backspace, true);
    Bind(C::Redo, ctrl | shift | Qt::Key_Z, false);
    Bind(C::Redo, shift | alt | Qt::Key_Backspace, true);
    Bind(C::DeleteWordLeft, ctrl | Qt::Key_Backspace, false);
    Bind(C::DeleteWordRight, ctrl | Qt::Key_T, true);
    Bind(C::LineDelete, ctrl | Qt::Key_Y, false);
    Bind(C::DeleteLineRight, ctrl | shift | Qt::Key_Y, true);
    Bind(C::Newline, ctrl | Qt::Key_M, true);
    Bind(C::Tab, ctrl | shift | Qt::Key_I, true);
    Bind(C::Backtab, ctrl | shift | Qt::Key_U, true);
    Bind(C::EditToggleOvertype, Qt::Key_Insert, false);
    // Keys that do something else here than in the control's default table.
    for (int key : {ctrl | Qt::Key_U, ctrl | Qt::Key_L, ctrl | shift | Qt::Key_L, ctrl | Qt::Key_D,
                    ctrl | shift | Qt::Key_T})
        ReleaseKey(key);
}

bool ProgramEditor::HandleExtraKey(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    const bool ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if (ctrl || ctrlShift) {
        const int digit = DigitOf(e);
        if (digit >= 0) {
            if (ctrlShift)
                ToggleBookmark(digit);
            else
                GotoBookmark(digit);
            return true;
        }
    }
    if (ctrl && e->key() == Qt::Key_N) {
        // Inserts a line break after the caret; the caret stays.
        if (!isReadOnly()) {
            int line, index;
            getCursorPosition(&line, &index);
            insert("\r\n");
            setCursorPosition(line, index);
        }
        return true;
    }
    if (ctrlShift) {
        switch (e->key()) {
        case Qt::Key_N:
            SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_STREAM);
            return true;
        case Qt::Key_C:
            SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_RECTANGLE);
            return true;
        case Qt::Key_L:
            SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_LINES);
            return true;
        case Qt::Key_B:
            moveToMatchingBrace();
            return true;
        default:
            break;
        }
    }
    return false;
}

void ProgramEditor::keyPressEvent(QKeyEvent *e)
{
    if (!editingEnabled_) {
        e->ignore();
        return;
    }
    if (HandleExtraKey(e)) {
        e->accept();
        return;
    }
    QsciScintilla::keyPressEvent(e);
}

void ProgramEditor::RefreshMark(int n)
{
    GutterMark &m = marks_[n];
    if (m.Handle >= 0) {
        markerDeleteHandle(m.Handle);
        m.Handle = -1;
    }
    if (m.Visible && m.Line >= 1 && m.Line <= lines())
        m.Handle = markerAdd(m.Line - 1, m.ImageIndex);
}

QList<int> ProgramEditor::ImagesOnLine(int line) const
{
    QList<int> images;
    if (line < 1 || line > lines())
        return images;
    const unsigned mask = const_cast<ProgramEditor *>(this)->markersAtLine(line - 1);
    for (int i = 0; i < kMarkImageCount; ++i)
        if (mask & (1u << i))
            images << i;
    return images;
}

void ProgramEditor::ToggleBookmark(int n)
{
    if (n < 0 || n > 9)
        return;
    const int caret = CaretLine();
    const int old = BookmarkLine(n);
    if (bookmarkHandles_[n] >= 0)
        markerDeleteHandle(bookmarkHandles_[n]);
    bookmarkHandles_[n] = -1;
    if (old != caret)
        bookmarkHandles_[n] = markerAdd(caret - 1, n);
}

void ProgramEditor::GotoBookmark(int n)
{
    const int line = BookmarkLine(n);
    if (line < 1)
        return;
    setCursorPosition(line - 1, 0);
    ensureLineVisible(line - 1);
}

int ProgramEditor::BookmarkLine(int n) const
{
    if (n < 0 || n > 9 || bookmarkHandles_[n] < 0)
        return -1;
    const int line = markerLine(bookmarkHandles_[n]);
    return line < 0 ? -1 : line + 1;
}

void ProgramEditor::SetEditingEnabled(bool on)
{
    editingEnabled_ = on;
    setReadOnly(!on);
    SendScintilla(SCI_SETCARETSTYLE, on ? CARETSTYLE_LINE : CARETSTYLE_INVISIBLE);
}

int ProgramEditor::CaretLine() const
{
    int line, index;
    getCursorPosition(&line, &index);
    return line + 1;
}

int ProgramEditor::VisibleLineCount() const
{
    return int(SendScintilla(SCI_LINESONSCREEN));
}

void ProgramEditor::RepaintLine(int line)
{
    if (line < 1 || line > lines())
        return;
    // The gutter marks are repainted by the control itself; this refreshes the text area too.
    viewport()->update();
}

void ProgramEditor::SetTabWidth(int width)
{
    setTabWidth(width < 1 ? 1 : width);
    setIndentationWidth(0);  // indent by the tab width
}

void ProgramEditor::SetLineNumbersShown(bool on)
{
    lineNumbers_ = on;
    setMarginLineNumbers(kLineNumberMargin, on);
    UpdateLineNumberWidth();
}

void ProgramEditor::UpdateLineNumberWidth()
{
    if (!lineNumbers_) {
        setMarginWidth(kLineNumberMargin, 0);
        return;
    }
    // Room for the largest line number, at least three digits, and a little space, in the
    // numbers' font at the editor's zoom.
    const int digits = std::max(3, int(QString::number(lines()).size()));
    const QByteArray sample(digits + 1, '0');
    const long width = SendScintilla(SCI_TEXTWIDTH, long(STYLE_LINENUMBER), sample.constData());
    setMarginWidth(kLineNumberMargin, int(width) + 4);
}

void ProgramEditor::SetLineNumberFont(const QFont &font)
{
    setMarginsFont(font);
    UpdateLineNumberWidth();
}

QString ProgramEditor::TrimmedText() const
{
    static const QRegularExpression trailing(QStringLiteral("[ \\t]+(?=\\r?\\n|\\r|$)"));
    QString t = text();
    t.replace(trailing, QString());
    return t;
}

void ProgramEditor::ShowFromStart()
{
    setCursorPosition(0, 0);
    setFirstVisibleLine(0);
    SendScintilla(SCI_SETXOFFSET, 0);
}

}  // namespace tumbo::app
