#include "app/help/help_search.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

namespace tumbo::app {
namespace {

// The plain text of the page's headings, one after the other.
QString Headings(const QString &html)
{
    static const QRegularExpression heading(QStringLiteral("<h[1-6][^>]*>(.*?)</h[1-6]>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text;
    for (auto it = heading.globalMatch(html); it.hasNext();)
        text += it.next().captured(1).remove(tag) + u'\n';
    return text;
}

int Rank(const QStringList &words, const QString &title, const QString &headings)
{
    int rank = 0;
    for (const QString &word : words)
        rank += 2 * title.contains(word, Qt::CaseInsensitive) + headings.contains(word, Qt::CaseInsensitive);
    return rank;
}

}  // namespace

QList<THelpHit> SearchHelp(const QString &folder, const QString &query)
{
    const QStringList words = query.simplified().split(u' ', Qt::SkipEmptyParts);
    QList<THelpHit> hits;
    if (words.isEmpty())
        return hits;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(file.read(4 << 20));
        QTextDocument page;
        page.setHtml(html);
        const QString text = page.toPlainText().simplified();
        bool all = true;
        for (const QString &word : words)
            all = all && text.contains(word, Qt::CaseInsensitive);
        if (!all)
            continue;
        // About 160 characters around the first word, cut at blanks, never inside a word.
        const qsizetype at = text.indexOf(words.front(), 0, Qt::CaseInsensitive);
        qsizetype from = std::max<qsizetype>(0, at - 60);
        if (from > 0)
            from = text.lastIndexOf(u' ', from) + 1;
        qsizetype to = std::min<qsizetype>(text.size(), from + 160);
        if (to < text.size() && text.indexOf(u' ', to) >= 0)
            to = text.indexOf(u' ', to);
        QString excerpt = text.mid(from, to - from);
        if (from > 0)
            excerpt.prepend(QStringLiteral("… "));
        if (to < text.size())
            excerpt.append(QStringLiteral(" …"));
        const QString title = page.metaInformation(QTextDocument::DocumentTitle).trimmed();
        hits.append({dir.filePath(name), title.isEmpty() ? name : title, excerpt, Rank(words, title, Headings(html))});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const THelpHit &a, const THelpHit &b) { return a.Rank > b.Rank; });
    return hits;
}

QString HelpHitsPage(const QString &query, const QList<THelpHit> &hits)
{
    QString html = QStringLiteral("<h2>Suche nach „%1“</h2>").arg(query.toHtmlEscaped());
    if (hits.isEmpty())
        return html + QStringLiteral("<p>Keine Hilfeseite enthält alle diese Wörter.</p>");
    html += QStringLiteral("<p>%1 %2:</p><ul>")
                .arg(hits.size())
                .arg(hits.size() == 1 ? QStringLiteral("Seite") : QStringLiteral("Seiten"));
    for (const THelpHit &hit : hits)
        html += QStringLiteral("<li><a href=\"%1\">%2</a><br>%3</li>")
                    .arg(QUrl::fromLocalFile(hit.File).toString(), hit.Title.toHtmlEscaped(), hit.Excerpt.toHtmlEscaped());
    return html + QStringLiteral("</ul>");
}

}  // namespace tumbo::app
