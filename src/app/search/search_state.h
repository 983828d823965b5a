#pragma once
// What the search and replace dialogs remember for the life of the program.
#include <QString>
#include <QStringList>

namespace tumbo::app {

struct TSearchState {
    static constexpr int MaxHistory = 10;

    bool Backwards = false;
    bool MatchCase = false;
    bool WholeWord = false;
    bool FromCaret = false;     // the option "Suchen ab Cursor"
    bool SelectedOnly = false;  // the option "Markierter Text"
    QString SearchText;
    QString ReplaceText;
    QStringList SearchHistory;
    QStringList ReplaceHistory;
    // The main window's flag: later searches continue from the caret. Set after the
    // first search from a dialog; a dialog search with "Suchen ab Cursor" off
    // starts again from the whole text.
    bool SearchFromCaret = false;
};

}  // namespace tumbo::app
