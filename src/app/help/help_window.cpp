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

THelpWindow::THelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), contentsFile_(FindDataFile(QStringLiteral("hilfe/index.html")))
{
    setWindowTitle(QStringLiteral("Robot Tumbo – Hilfe"));
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);

    auto *contents = new QToolButton(this);
    contents->setText(QStringLiteral("Inhalt"));
    auto *back = new QToolButton(this);
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
    Browser->setHtml(HelpHitsPage(query, SearchHelp(QFileInfo(contentsFile_).absolutePath(), query)));
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
