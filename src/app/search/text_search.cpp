#include "app/search/text_search.h"

#include <QApplication>
#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "app/search/dlg_replace_text.h"
#include "app/search/dlg_search_text.h"

namespace tumbo::app {

namespace {

std::function<void()> &Beep()
{
    static std::function<void()> beep = [] { QApplication::beep(); };
    return beep;
}

// The editor's text with conversions between Scintilla's byte positions and
// offsets into the QString.
class EditorText {
public:
    explicit EditorText(QsciScintilla *editor)
        : editor_(editor), text_(editor->text()),
          bytes_(editor->isUtf8() ? text_.toUtf8() : text_.toLatin1())
    {
    }

    const QString &Text() const { return text_; }

    int OffsetOf(long bytePos) const
    {
        bytePos = std::clamp<long>(bytePos, 0, bytes_.size());
        if (!editor_->isUtf8())
            return int(bytePos);
        return int(QString::fromUtf8(bytes_.constData(), bytePos).size());
    }

    long BytesOf(const QString &s) const
    {
        return editor_->isUtf8() ? s.toUtf8().size() : s.size();
    }

    long PosOf(int offset) const { return BytesOf(text_.left(offset)); }

private:
    QsciScintilla *editor_;
    QString text_;
    QByteArray bytes_;
};

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool IsWholeWord(const QString &text, int start, int length)
{
    const int end = start + length;
    if (start > 0 && IsWordChar(text.at(start - 1)))
        return false;
    if (end < text.size() && IsWordChar(text.at(end)))
        return false;
    return true;
}

struct Match {
    int start;
    int length;
};

// Every occurrence inside [from, to), without overlaps, first to last.
std::vector<Match> FindAll(const QString &text, const QString &search, int from, int to,
                           const TSearchOptions &o)
{
    std::vector<Match> found;
    const Qt::CaseSensitivity cs = o.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int at = from;
    while (at <= to - search.size()) {
        const int hit = text.indexOf(search, at, cs);
        if (hit < 0 || hit + search.size() > to)
            break;
        if (!o.WholeWord || IsWholeWord(text, hit, int(search.size()))) {
            found.push_back({hit, int(search.size())});
            at = hit + int(search.size());
        } else {
            at = hit + 1;
        }
    }
    return found;
}

// The first occurrence inside [from, to) seen from its start, or from its end when
// searching backwards.
std::optional<Match> FindOne(const QString &text, const QString &search, int from, int to,
                             const TSearchOptions &o)
{
    const Qt::CaseSensitivity cs = o.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int n = int(search.size());
    if (!o.Backwards) {
        for (int at = from; at <= to - n;) {
            const int hit = text.indexOf(search, at, cs);
            if (hit < 0 || hit + n > to)
                return std::nullopt;
            if (!o.WholeWord || IsWholeWord(text, hit, n))
                return Match{hit, n};
            at = hit + 1;
        }
        return std::nullopt;
    }
    for (int at = to - n; at >= from;) {
        const int hit = text.lastIndexOf(search, at, cs);
        if (hit < from)
            return std::nullopt;
        if (!o.WholeWord || IsWholeWord(text, hit, n))
            return Match{hit, n};
        at = hit - 1;
    }
    return std::nullopt;
}

long Send(QsciScintilla *editor, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return editor->SendScintilla(message, wParam, lParam);
}

}  // namespace

void SetSearchBeep(std::function<void()> beep)
{
    Beep() = beep ? std::move(beep) : [] { QApplication::beep(); };
}

int SearchReplace(QsciScintilla *editor, const QString &search, const QString &replacement,
                  const TSearchOptions &o)
{
    if (search.isEmpty())
        return 0;
    const EditorText et(editor);
    const QString &text = et.Text();
    const int selStart = et.OffsetOf(Send(editor, QsciScintillaBase::SCI_GETSELECTIONSTART));
    const int selEnd = et.OffsetOf(Send(editor, QsciScintillaBase::SCI_GETSELECTIONEND));
    const int caret = et.OffsetOf(Send(editor, QsciScintillaBase::SCI_GETCURRENTPOS));
    const bool inSelection = o.SelectedOnly && selStart != selEnd;

    // The scope: the selection, or the whole text, cut at the caret unless the
    // search covers the entire scope.
    int from = 0;
    int to = int(text.size());
    if (inSelection) {
        from = selStart;
        to = selEnd;
    } else if (!o.EntireScope) {
        if (o.Backwards)
            to = caret;
        else
            from = caret;
    }

    if (!o.Replace) {
        const std::optional<Match> m = FindOne(text, search, from, to, o);
        if (!m)
            return 0;
        const long start = et.PosOf(m->start);
        const long end = et.PosOf(m->start + m->length);
        if (o.Backwards)
            Send(editor, QsciScintillaBase::SCI_SETSEL, end, start);
        else
            Send(editor, QsciScintillaBase::SCI_SETSEL, start, end);
        return 1;
    }

    const std::vector<Match> all = FindAll(text, search, from, to, o);
    if (all.empty())
        return 0;
    const QByteArray newBytes = editor->isUtf8() ? replacement.toUtf8() : replacement.toLatin1();
    editor->beginUndoAction();
    // Last to first, so the positions of the earlier occurrences stay valid.
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        Send(editor, QsciScintillaBase::SCI_SETTARGETSTART, et.PosOf(it->start));
        Send(editor, QsciScintillaBase::SCI_SETTARGETEND, et.PosOf(it->start + it->length));
        editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, (unsigned long)newBytes.size(),
                              newBytes.constData());
    }
    editor->endUndoAction();

    const long delta = long(all.size()) * (newBytes.size() - et.BytesOf(search));
    if (inSelection) {
        // The selection keeps covering the scope, now with the replacements.
        Send(editor, QsciScintillaBase::SCI_SETSEL, et.PosOf(selStart), et.PosOf(selEnd) + delta);
    } else {
        const Match &last = all.back();
        const long lastEnd = et.PosOf(last.start + last.length) + delta;
        Send(editor, QsciScintillaBase::SCI_SETEMPTYSELECTION, lastEnd);
    }
    return int(all.size());
}

int SearchOnce(QsciScintilla *editor, const TSearchState &state, bool replace, bool backwards)
{
    TSearchOptions o;
    o.Replace = replace;
    o.Backwards = backwards;
    o.MatchCase = state.MatchCase;
    o.WholeWord = state.WholeWord;
    o.EntireScope = !state.SearchFromCaret;
    o.SelectedOnly = state.SelectedOnly;
    const int found = SearchReplace(editor, state.SearchText, state.ReplaceText, o);
    if (found == 0) {
        Beep()();
        const long pos = Send(editor, backwards ? QsciScintillaBase::SCI_GETSELECTIONSTART
                                                : QsciScintillaBase::SCI_GETSELECTIONEND);
        Send(editor, QsciScintillaBase::SCI_SETEMPTYSELECTION, pos);
    }
    return found;
}

int RunSearchCommand(QWidget *parent, QsciScintilla *editor, TSearchState &state, bool replace)
{
    std::unique_ptr<TTextSearchDialog> dlg;
    if (replace)
        dlg = std::make_unique<TTextReplaceDialog>(parent);
    else
        dlg = std::make_unique<TTextSearchDialog>(parent);
    dlg->Load(state);
    if (dlg->exec() != QDialog::Accepted)
        return -1;
    dlg->Store(state);
    dlg.reset();

    state.SearchFromCaret = state.FromCaret;
    int found = 0;
    if (!state.SearchText.isEmpty()) {
        found = SearchOnce(editor, state, replace, state.Backwards);
        state.SearchFromCaret = true;
    }
    return found;
}

int SearchNext(QsciScintilla *editor, const TSearchState &state)
{
    return SearchOnce(editor, state, false, false);
}

}  // namespace tumbo::app
