// Small operations on a QsciScintilla that the editor services share: Windows-1252 <-> QString,
// the caret in lines and columns from 1, typing a text and pressing Enter.
//
// Columns count characters (tabs expanded to the tab width) and include virtual space, so a
// caret placed behind the end of a line keeps its column when the editor allows virtual space
// (SCVS_USERACCESSIBLE, the "caret may go past the line end" option).
#pragma once

#include <QString>
#include <string>

class QsciScintilla;

namespace tumbo::editor {

QString FromCp1252(const std::string &cp1252);
std::string ToCp1252(const QString &text);

struct TCaret {
    int line = 1;
    int column = 1;
};

TCaret CaretOf(const QsciScintilla &editor);

// Puts the caret at the column of the line. Behind the line's end it stays in virtual space
// when the editor allows it, otherwise it goes to the line's end. Clears the selection.
void SetCaret(QsciScintilla &editor, int line, int column);

// Inserts the text at the caret as if typed (replacing a selection, filling virtual space).
void InsertAsTyped(QsciScintilla &editor, const QString &text);

// A line break as the Enter key makes it, with the editor's automatic indentation.
void LineBreakAsEnter(QsciScintilla &editor);

// The editor's line break: "\r\n", "\r" or "\n" by its end-of-line mode.
QString LineBreakText(const QsciScintilla &editor);

// The byte position of a caret position (line and column from 1) that lies inside the text.
long PositionOf(const QsciScintilla &editor, int line, int column);

}  // namespace tumbo::editor
