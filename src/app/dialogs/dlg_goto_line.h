#pragma once
// "Gehe zu ...": asks for a line number; the field keeps the last entry between openings.
#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class QsciScintilla;

namespace tumbo::app {

class TGotoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TGotoDlg(QWidget *parent = nullptr);

    // The field read as a whole number; empty when it is not one.
    std::optional<int> LineNumber() const;

    // Shows the dialog; on OK with a number, moves the editor there (GotoLine).
    // Returns whether the caret was moved.
    bool Execute(QsciScintilla *editor);

    QLineEdit *edtLine;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};

// Makes line `line` (1-based) the first visible line as far as the editor allows and
// moves the caret to it, keeping the caret's column. Lines outside the text are
// taken as the first or last line.
void GotoLine(QsciScintilla *editor, int line);

}  // namespace tumbo::app
