#pragma once
// Searching the help pages: every page of the help folder whose text holds all words of
// the query, without regard to case, with its title and a piece of text around the first
// word found. Pages whose title or headings name the words come first: they explain them.
#include <QList>
#include <QString>

namespace tumbo::app {

struct THelpHit {
    QString File;     // full path of the page
    QString Title;    // the page's <title>, else its file name
    QString Excerpt;  // plain text around the first word
    int Rank = 0;     // 2 for each word in the title, 1 for each in a heading
};

QList<THelpHit> SearchHelp(const QString &folder, const QString &query);

// The hits as a page the help browser shows: links to the pages, or a line that says
// nothing was found.
QString HelpHitsPage(const QString &query, const QList<THelpHit> &hits);

}  // namespace tumbo::app
