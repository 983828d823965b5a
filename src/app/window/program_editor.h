#pragma once
// The program editor: a QScintilla control set up as the pupils' editor — fixed font,
// tab width, auto indent, line numbers, the key bindings of the window, ten bookmarks
// and the four marks the run control moves (current line, breakpoint, error, abort).
#include <Qsci/qsciscintilla.h>

namespace tumbo::app {

class ProgramEditor : public QsciScintilla {
    Q_OBJECT
public:
    // One of the program's own gutter marks. Lines count from 1; -1 is none.
    struct GutterMark {
        int Line = -1;
        bool Visible = false;
        int ImageIndex = 0;  // picture of the mark image list, also its marker number
        int Handle = -1;     // the marker the control shows, or -1
    };
    enum { kCurrentLineMark = 0, kBreakpointMark = 1, kErrorMark = 2, kAbortMark = 3, kMarkCount = 4 };

    explicit ProgramEditor(QWidget *parent = nullptr);

    GutterMark &Mark(int n) { return marks_[n]; }
    const GutterMark &Mark(int n) const { return marks_[n]; }
    // Shows mark n as its fields say (line, visibility, image).
    void RefreshMark(int n);
    // The mark images shown on a line (1-based), bookmarks included, in ascending order.
    QList<int> ImagesOnLine(int line) const;

    // Bookmarks 0..9; line 1-based, -1 when not set.
    void ToggleBookmark(int n);
    void GotoBookmark(int n);
    int BookmarkLine(int n) const;

    // A disabled editor takes no input and shows no caret (during a run).
    void SetEditingEnabled(bool on);
    bool EditingEnabled() const { return editingEnabled_; }

    // Lines count from 1 here.
    int CaretLine() const;
    int LineCount() const { return lines(); }
    int FirstVisibleLine() const { return firstVisibleLine() + 1; }
    void SetFirstVisibleLine(int line) { setFirstVisibleLine(line - 1); }
    // The line numbers in the text's font; their margin follows its size.
    void SetLineNumberFont(const QFont &font);
    // Caret on the first line's start, the text shown from its top-left corner (after
    // the text was replaced; the sideways scrolling of the old text would hide it).
    void ShowFromStart();
    int VisibleLineCount() const;
    void RepaintLine(int line);

    void SetTabWidth(int width);
    void SetLineNumbersShown(bool on);
    bool LineNumbersShown() const { return lineNumbers_; }

    // The text with trailing blanks removed from every line, as it is saved and checked.
    QString TrimmedText() const;

    // Removes every key binding of the control on `key` (Qt key code with modifiers),
    // so that the window's menu shortcut gets it.
    void ReleaseKey(int key);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void UpdateLineNumberWidth();
    void ConfigureEditing();
    void ConfigureKeys();
    void DefineMarkImages();
    void Bind(QsciCommand::Command command, int key, bool alternate);
    bool HandleExtraKey(QKeyEvent *e);

    GutterMark marks_[kMarkCount];
    int bookmarkHandles_[10];
    bool editingEnabled_ = true;
    bool lineNumbers_ = true;
};

}  // namespace tumbo::app
