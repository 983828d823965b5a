// Searching and replacing in the editor, the search dialogs and their histories.
#include "app/search/dlg_replace_text.h"
#include "app/search/dlg_search_text.h"
#include "app/search/text_search.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include "modal.h"

using namespace tumbo::app;

namespace {

class Search : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.setUtf8(true);
        SetSearchBeep([this] { ++beeps; });
    }
    void TearDown() override { SetSearchBeep(nullptr); }

    // Selection as (line, index) pairs, and the caret.
    struct Sel {
        int l1, i1, l2, i2;
        bool operator==(const Sel &) const = default;
    };
    Sel Selection()
    {
        Sel s{};
        editor.getSelection(&s.l1, &s.i1, &s.l2, &s.i2);
        return s;
    }
    std::pair<int, int> Caret()
    {
        int l = 0, i = 0;
        editor.getCursorPosition(&l, &i);
        return {l, i};
    }

    QsciScintilla editor;
    int beeps = 0;
};

TEST_F(Search, F3BeforeAnySearchBeepsAndCollapsesTheSelection)
{
    editor.setText(QStringLiteral("Programm\nSchritt\nEnde"));
    editor.setSelection(1, 1, 1, 4);
    TSearchState state;  // empty search text
    EXPECT_EQ(SearchNext(&editor, state), 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(editor.hasSelectedText());
    EXPECT_EQ(Caret(), std::make_pair(1, 4));  // the end of the selection
}

TEST_F(Search, DialogSearchThenF3WalksThroughTheOccurrences)
{
    editor.setText(QStringLiteral("Schritt\nLinksDrehen\nschritt Schritt\n"));
    editor.setCursorPosition(2, 3);  // not from the caret: the first search covers the whole text
    TSearchState state;
    state.SearchText = QStringLiteral("schritt");
    EXPECT_EQ(SearchOnce(&editor, state, false, false), 1);
    EXPECT_EQ(Selection(), (Sel{0, 0, 0, 7}));
    state.SearchFromCaret = true;
    EXPECT_EQ(SearchNext(&editor, state), 1);
    EXPECT_EQ(Selection(), (Sel{2, 0, 2, 7}));
    EXPECT_EQ(SearchNext(&editor, state), 1);
    EXPECT_EQ(Selection(), (Sel{2, 8, 2, 15}));
    EXPECT_EQ(Caret(), std::make_pair(2, 15));
    EXPECT_EQ(beeps, 0);
    // Nothing further: beep, selection collapsed to its end.
    EXPECT_EQ(SearchNext(&editor, state), 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(editor.hasSelectedText());
    EXPECT_EQ(Caret(), std::make_pair(2, 15));
}

TEST_F(Search, BackwardsFromTheCaretAndCollapseToTheStart)
{
    editor.setText(QStringLiteral("a Marke b Marke c Marke"));
    editor.setCursorPosition(0, 16);  // inside the third "Marke"'s neighbourhood
    TSearchState state;
    state.SearchText = QStringLiteral("Marke");
    state.SearchFromCaret = true;
    EXPECT_EQ(SearchOnce(&editor, state, false, true), 1);
    EXPECT_EQ(Selection(), (Sel{0, 10, 0, 15}));
    EXPECT_EQ(Caret(), std::make_pair(0, 10));  // backwards: the caret at the start
    EXPECT_EQ(SearchOnce(&editor, state, false, true), 1);
    EXPECT_EQ(Selection(), (Sel{0, 2, 0, 7}));
    EXPECT_EQ(SearchOnce(&editor, state, false, true), 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(editor.hasSelectedText());
    EXPECT_EQ(Caret(), std::make_pair(0, 2));
}

TEST_F(Search, CaseAndWholeWordOptions)
{
    const struct {
        const char *text;
        const char *search;
        bool matchCase, wholeWord;
        int start;  // -1: not found
    } cases[] = {
        {"IstWand Wand", "wand", false, false, 3},
        {"IstWand Wand", "wand", true, false, -1},
        {"IstWand Wand", "Wand", false, true, 8},
        {"IstWand wand_x Wand", "wand", false, true, 15},
        {"Größe GRÖSSE größe", "GRÖßE", false, false, 0},
        {"Größe GRÖßE größe", "größe", true, true, 12},
        {"x", "", false, false, -1},
    };
    for (const auto &c : cases) {
        editor.setText(QString::fromUtf8(c.text));
        editor.setCursorPosition(0, 0);
        TSearchState state;
        state.SearchText = QString::fromUtf8(c.search);
        state.MatchCase = c.matchCase;
        state.WholeWord = c.wholeWord;
        const int found = SearchOnce(&editor, state, false, false);
        EXPECT_EQ(found, c.start >= 0 ? 1 : 0) << c.text << " / " << c.search;
        if (c.start >= 0) {
            EXPECT_EQ(Selection(), (Sel{0, c.start, 0, c.start + int(QString::fromUtf8(c.search).size())}))
                << c.text << " / " << c.search;
            EXPECT_EQ(editor.selectedText().compare(QString::fromUtf8(c.search), Qt::CaseInsensitive), 0);
        }
    }
}

TEST_F(Search, ReplaceInsideTheSelectionReplacesAllThereAtOnce)
{
    editor.setText(QStringLiteral("Schritt\nSchritt\nSchritt Schritt\nSchritt\n"));
    editor.setSelection(1, 0, 2, 15);
    TSearchState state;
    state.SearchText = QStringLiteral("Schritt");
    state.ReplaceText = QStringLiteral("LinksDrehen");
    state.SelectedOnly = true;
    EXPECT_EQ(SearchOnce(&editor, state, true, false), 3);
    EXPECT_EQ(editor.text(), QStringLiteral("Schritt\nLinksDrehen\nLinksDrehen LinksDrehen\nSchritt\n"));
    EXPECT_EQ(beeps, 0);
    // One undo step brings the text back.
    editor.undo();
    EXPECT_EQ(editor.text(), QStringLiteral("Schritt\nSchritt\nSchritt Schritt\nSchritt\n"));
}

TEST_F(Search, ReplaceEverywhereAndNothingToReplace)
{
    editor.setText(QStringLiteral("wenn IstWand dann\n  LinksDrehen\n*wenn"));
    editor.setCursorPosition(2, 0);
    TSearchState state;
    state.SearchText = QStringLiteral("wenn");
    state.ReplaceText = QStringLiteral("Wenn");
    state.MatchCase = true;
    state.WholeWord = true;
    EXPECT_EQ(SearchOnce(&editor, state, true, false), 2);  // whole text: from caret is off
    EXPECT_EQ(editor.text(), QStringLiteral("Wenn IstWand dann\n  LinksDrehen\n*Wenn"));
    EXPECT_EQ(SearchOnce(&editor, state, true, false), 0);
    EXPECT_EQ(beeps, 1);
}

TEST(SearchDialogs, CaptionsAndControls)
{
    TTextSearchDialog search;
    EXPECT_EQ(search.windowTitle(), QStringLiteral("Text suchen"));
    EXPECT_EQ(search.cbSearchCaseSensitive->text(), QStringLiteral("Groß-/Kleinschreibung"));
    EXPECT_EQ(search.cbSearchWholeWords->text(), QStringLiteral("Nur ganze Wörter"));
    EXPECT_EQ(search.cbSearchFromCursor->text(), QStringLiteral("Suchen ab Cursor"));
    EXPECT_EQ(search.cbSearchSelectedOnly->text(), QStringLiteral("Markierter Text"));
    EXPECT_EQ(search.rgSearchDirection->button(0)->text(), QStringLiteral("Vorwärts"));
    EXPECT_EQ(search.rgSearchDirection->button(1)->text(), QStringLiteral("Rückwärts"));
    EXPECT_TRUE(search.btnOK->isDefault());
    TTextReplaceDialog replace;
    EXPECT_EQ(replace.windowTitle(), QStringLiteral("Text ersetzen"));
    EXPECT_TRUE(replace.cbReplaceText->isEditable());
}

TEST(SearchDialogs, LoadAndStoreCarryEveryOption)
{
    TSearchState in;
    in.Backwards = true;
    in.MatchCase = true;
    in.WholeWord = false;
    in.FromCaret = true;
    in.SelectedOnly = true;
    in.SearchText = QStringLiteral("Marke");
    in.ReplaceText = QStringLiteral("Ziegel");
    in.SearchHistory = {QStringLiteral("Marke"), QStringLiteral("Wand")};
    in.ReplaceHistory = {QStringLiteral("Ziegel")};
    TTextReplaceDialog dlg;
    dlg.Load(in);
    TSearchState out;
    dlg.Store(out);
    EXPECT_EQ(out.Backwards, true);
    EXPECT_EQ(out.MatchCase, true);
    EXPECT_EQ(out.WholeWord, false);
    EXPECT_EQ(out.FromCaret, true);
    EXPECT_EQ(out.SelectedOnly, true);
    EXPECT_EQ(out.SearchText, in.SearchText);
    EXPECT_EQ(out.ReplaceText, in.ReplaceText);
    EXPECT_EQ(out.SearchHistory, in.SearchHistory);
    EXPECT_EQ(out.ReplaceHistory, in.ReplaceHistory);
}

class SearchCommand : public Search {
protected:
    // Runs "Suchen" (or "Ersetzen") with `text` typed into the dialog and OK.
    int Run(const QString &text, bool replace = false, bool fromCaret = false,
            const QString &replacement = QString())
    {
        WhenModal<TTextSearchDialog>([=](TTextSearchDialog *d) {
            d->cbSearchText->setEditText(text);
            d->cbSearchFromCursor->setChecked(fromCaret);
            if (auto *r = qobject_cast<TTextReplaceDialog *>(d))
                r->cbReplaceText->setEditText(replacement);
            QTest::mouseClick(d->btnOK, Qt::LeftButton);
        });
        return RunSearchCommand(nullptr, &editor, state, replace);
    }
    TSearchState state;
};

TEST_F(SearchCommand, HistoryHasNoDuplicatesAndAtMostTenEntries)
{
    editor.setText(QStringLiteral("a b c d e f g h i j k l"));
    for (const char *t : {"a", "b", "c"})
        Run(QString::fromLatin1(t));
    EXPECT_EQ(state.SearchHistory, QStringList({"c", "b", "a"}));
    Run(QStringLiteral("A"));  // equal to "a" but for case: moved to the top, not added
    EXPECT_EQ(state.SearchHistory, QStringList({"A", "c", "b"}));
    for (const char *t : {"d", "e", "f", "g", "h", "i", "j", "k", "l"})
        Run(QString::fromLatin1(t));
    EXPECT_EQ(state.SearchHistory.size(), TSearchState::MaxHistory);
    EXPECT_EQ(state.SearchHistory.first(), QStringLiteral("l"));
    EXPECT_EQ(state.SearchHistory.last(), QStringLiteral("A"));
    Run(QStringLiteral("e"));
    EXPECT_EQ(state.SearchHistory.size(), TSearchState::MaxHistory);
    EXPECT_EQ(state.SearchHistory.count(QStringLiteral("e")), 1);
    EXPECT_EQ(state.SearchHistory.first(), QStringLiteral("e"));
}

TEST_F(SearchCommand, FromCaretRule)
{
    editor.setText(QStringLiteral("Marke\nMarke\nMarke\n"));
    editor.setCursorPosition(1, 2);
    // A dialog search with "Suchen ab Cursor" off covers the whole text ...
    EXPECT_EQ(Run(QStringLiteral("Marke")), 1);
    EXPECT_EQ(Selection(), (Sel{0, 0, 0, 5}));
    EXPECT_TRUE(state.SearchFromCaret);
    // ... F3 then continues from the caret ...
    EXPECT_EQ(SearchNext(&editor, state), 1);
    EXPECT_EQ(Selection(), (Sel{1, 0, 1, 5}));
    // ... until the next dialog search with the option off starts again at the top.
    EXPECT_EQ(Run(QStringLiteral("Marke")), 1);
    EXPECT_EQ(Selection(), (Sel{0, 0, 0, 5}));
    EXPECT_EQ(SearchNext(&editor, state), 1);
    EXPECT_EQ(SearchNext(&editor, state), 1);
    EXPECT_EQ(Selection(), (Sel{2, 0, 2, 5}));
    EXPECT_EQ(SearchNext(&editor, state), 0);
    EXPECT_EQ(beeps, 1);
    // With the option on, the dialog search starts at the caret.
    editor.setCursorPosition(1, 2);
    EXPECT_EQ(Run(QStringLiteral("Marke"), false, true), 1);
    EXPECT_EQ(Selection(), (Sel{2, 0, 2, 5}));
    // An empty search text searches nothing and leaves the flag as the option says.
    EXPECT_EQ(Run(QString()), 0);
    EXPECT_FALSE(state.SearchFromCaret);
    EXPECT_EQ(beeps, 1);
}

TEST_F(SearchCommand, ReplaceCommandAndCancel)
{
    editor.setText(QStringLiteral("Hinlegen Hinlegen"));
    EXPECT_EQ(Run(QStringLiteral("Hinlegen"), true, false, QStringLiteral("Aufheben")), 2);
    EXPECT_EQ(editor.text(), QStringLiteral("Aufheben Aufheben"));
    EXPECT_EQ(state.ReplaceHistory, QStringList({"Aufheben"}));

    const TSearchState before = state;
    WhenModal<TTextSearchDialog>([](TTextSearchDialog *d) {
        d->cbSearchText->setEditText(QStringLiteral("anders"));
        d->cbSearchCaseSensitive->setChecked(true);
        QTest::mouseClick(d->btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(RunSearchCommand(nullptr, &editor, state, false), -1);
    EXPECT_EQ(state.SearchText, before.SearchText);
    EXPECT_EQ(state.SearchHistory, before.SearchHistory);
    EXPECT_EQ(state.MatchCase, before.MatchCase);
}

}  // namespace
