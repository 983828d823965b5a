#pragma once
// Searching the help pages: every page of the help folder whose text holds all words of
// the query, without regard to case, with its title and a piece of text around the first
// word found.
#include <QList>
#include <QString>

namespace tumbo::app {

struct THelpHit {
    QString File;     // full path of the page
    QString Title;    // the page's <title>, else its file name
    QString Excerpt;  // plain text around the first word
};

QList<THelpHit> SearchHelp(const QString &folder, const QString &query);

// The hits as a page the help browser shows: links to the pages, or a line that says
// nothing was found.
QString HelpHitsPage(const QString &query, const QList<THelpHit> &hits);

}  // namespace tumbo::app
