// The program editor's colouring: a QsciLexerCustom that styles each line with the line
// scanner TSynTumboSyn and keeps the scanner's line state (0, or 2 inside a brace comment) in
// Scintilla's per-line states, so an open "{" colours the following lines up to its "}".
//
// Style numbers are the token kinds (tkComment = 0 … tkUnknown = 9, see
// syn_highlighter_tumbo.h); each has the attribute's display name as description and its
// default colour and font style. Change a colour with setColor(colour, tkKey) etc.; the editor
// repaints by itself.
//
// Use the editor in UTF-8 mode (QsciScintilla::setUtf8(true)): positions are bytes of the
// editor's encoding, and the lexer maps each character to its place, so umlauts never shift
// the styling.
#pragma once

#include <Qsci/qscilexercustom.h>

#include "editor/syn_highlighter_tumbo.h"

namespace tumbo::editor {

class TumboLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit TumboLexer(QObject *parent = nullptr);

    const char *language() const override;       // "Tumbo Language deutsch"
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    const char *wordCharacters() const override;
    void styleText(int start, int end) override;

    // Gives every style the font `base`, bold or italic as its attribute says (the editor's
    // "Courier New 10 pt" goes here).
    void setBaseFont(const QFont &base);

private:
    // Styles one line from its start; returns the state in which it ends.
    int styleLine(int line, int startState);
};

}  // namespace tumbo::editor
