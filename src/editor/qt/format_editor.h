// "Formatieren" on the program editor: re-indents the whole text with the source formatter
// (editor/formatter.h) and, with FormatToken, corrects the spelling of the language's words.
#pragma once

class QsciScintilla;

namespace tumbo::editor {

// Formats every line with the editor's tab width as the indentation unit. Only lines whose
// text changes are replaced, all in one undo step; the modified flag is set only when a line
// changed. Characters outside Windows-1252 keep their places. True when a line changed.
// A text that would grow beyond a program's size (see kMaxFormattedBytes) stays as it is,
// and `tooLarge` is set.
bool FormatEditor(QsciScintilla &editor, bool formatToken, bool *tooLarge = nullptr);

}  // namespace tumbo::editor
