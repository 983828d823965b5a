#include "app/help/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/files/data_files.h"
#include "app/help/help_search.h"

namespace tumbo::app {
namespace {

const QString kSearchScheme = QStringLiteral("suche");

// A browser whose search result pages are pages of their own ("suche:WÖRTER"), so that
// "Zurück" from a page that was found returns to the list.
class THelpBrowser : public QTextBrowser {
public:
    THelpBrowser(QWidget *parent, const THelpWindow &window) : QTextBrowser(parent), window_(window) {}

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (name.scheme() != kSearchScheme)
            return QTextBrowser::loadResource(type, name);
        const QString query = name.path();
        return HelpHitsPage(query, SearchHelp(QFileInfo(window_.ContentsFile()).absolutePath(), query));
    }

private:
    const THelpWindow &window_;
};

}  // namespace

THelpWindow::THelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), contentsFile_(FindDataFile(QStringLiteral("hilfe/index.html")))
{
    setWindowTitle(QStringLiteral("Robot Tumbo – Hilfe"));
    Browser = new THelpBrowser(this, *this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);

    auto *contents = new QToolButton(this);
    contents->setText(QStringLiteral("Inhalt"));
    auto *back = new QToolButton(this);
    back->setObjectName(QStringLiteral("btnZurueck"));
    back->setText(QStringLiteral("Zurück"));
    back->setEnabled(false);
    auto *forward = new QToolButton(this);
    forward->setText(QStringLiteral("Vor"));
    forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, this, &THelpWindow::ShowContents);
    connect(back, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);

    auto *bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    SearchField = new QLineEdit(this);
    SearchField->setObjectName(QStringLiteral("SearchField"));
    SearchField->setPlaceholderText(QStringLiteral("Wörter, dann Eingabe"));
    SearchField->setClearButtonEnabled(true);
    SearchField->setMinimumWidth(220);
    auto *searchLabel = new QLabel(QStringLiteral("&Suchen:"), this);
    searchLabel->setBuddy(SearchField);
    bar->addWidget(searchLabel);
    bar->addWidget(SearchField);
    connect(SearchField, &QLineEdit::returnPressed, this, [this] { ShowSearch(SearchField->text()); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(Browser, 1);
    resize(760, 600);
}

void THelpWindow::ShowSearch(const QString &query)
{
    if (query.trimmed().isEmpty())
        return;
    Browser->setSearchPaths({QFileInfo(contentsFile_).absolutePath()});
    QUrl page;
    page.setScheme(kSearchScheme);
    page.setPath(query.simplified());
    Browser->setSource(page, QTextDocument::HtmlResource);
}

void THelpWindow::ShowContents()
{
    if (QFileInfo::exists(contentsFile_)) {
        Browser->setSource(QUrl::fromLocalFile(contentsFile_));
    } else {
        Browser->setHtml(QStringLiteral("<h2>Hilfe nicht gefunden</h2><p>Die Datei „%1“ fehlt. "
                                        "Bitte installiere Robot Tumbo neu.</p>")
                             .arg(contentsFile_.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace tumbo::app
