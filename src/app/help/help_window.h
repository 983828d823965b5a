#pragma once
// The help window: the German HTML help of data/hilfe/ in a browser with
// "Inhalt", "Zurück", "Vor" and a search field over all pages.
#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace tumbo::app {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // The contents page; by default "hilfe/index.html" beside the executable (or installed).
    QString ContentsFile() const { return contentsFile_; }
    void SetContentsFile(const QString &path) { contentsFile_ = path; }

    // F1: shows the window at the contents page and brings it to the front.
    void ShowContents();

    QTextBrowser *Browser;
    QLineEdit *SearchField = nullptr;  // searches all help pages on Return

    // Shows the pages that hold every word of `query` as links.
    void ShowSearch(const QString &query);

private:
    QString contentsFile_;
};

}  // namespace tumbo::app
