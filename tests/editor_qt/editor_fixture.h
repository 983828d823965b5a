// A QsciScintilla set up like the program editor: UTF-8, CR LF, tab width 2, automatic
// indentation, the caret allowed behind the line end.
#pragma once

#include <QString>
#include <Qsci/qsciscintilla.h>

#include "editor/qt/editor_access.h"

struct ProgramEditor {
    QsciScintilla editor;

    ProgramEditor()
    {
        editor.setUtf8(true);
        editor.setEolMode(QsciScintilla::EolWindows);
        editor.setTabWidth(2);
        editor.setIndentationsUseTabs(false);
        editor.setAutoIndent(true);
        editor.SendScintilla(QsciScintillaBase::SCI_SETVIRTUALSPACEOPTIONS,
                             static_cast<long>(QsciScintillaBase::SCVS_USERACCESSIBLE));
    }
    // Sets the text with an empty undo list and the caret at (line, column), both from 1.
    void Set(const QString &text, int line, int column)
    {
        editor.setText(text);
        editor.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        editor.setModified(false);
        tumbo::editor::SetCaret(editor, line, column);
    }
    QString Text() const { return editor.text(); }
    tumbo::editor::TCaret Caret() const { return tumbo::editor::CaretOf(editor); }
};
