#pragma once
// Searching and replacing in the program editor, and the search commands of the
// main window (dialog search or replace, F3).
#include <QString>

#include <functional>

#include "app/search/search_state.h"

class QsciScintilla;
class QWidget;

namespace tumbo::app {

struct TSearchOptions {
    bool Replace = false;       // replace every occurrence in the scope
    bool Backwards = false;
    bool MatchCase = false;
    bool WholeWord = false;
    bool EntireScope = false;   // from the start (or end) of the scope instead of the caret
    bool SelectedOnly = false;  // the scope is the selection (when there is one)
};

// The editor's search: selects the next occurrence in the scope (caret at its end,
// or at its start when searching backwards), or, when replacing, replaces every
// occurrence in the scope as one undo step. Returns the number found; nothing
// changes when it is 0 or the search text is empty.
int SearchReplace(QsciScintilla *editor, const QString &search, const QString &replacement,
                  const TSearchOptions &options);

// One search with the options of `state`: for replacing with its replace text, from
// the caret when state.SearchFromCaret is set. When nothing is found the beep sounds
// and the selection collapses to its start (backwards) or end, with the caret there.
int SearchOnce(QsciScintilla *editor, const TSearchState &state, bool replace, bool backwards);

// "Suchen" / "Ersetzen": shows the dialog filled from `state`; on OK copies it back,
// searches once (when the text is not empty) and sets state.SearchFromCaret.
// Returns the number found, or -1 when the dialog was cancelled.
int RunSearchCommand(QWidget *parent, QsciScintilla *editor, TSearchState &state, bool replace);

// "Weitersuchen" (F3): forward, never replacing.
int SearchNext(QsciScintilla *editor, const TSearchState &state);

// The information beep of a failed search; replaceable for tests.
void SetSearchBeep(std::function<void()> beep);

}  // namespace tumbo::app
