// The information window with its scrolling licence text, and the help window.
#include "app/files/data_files.h"
#include "app/help/dlg_about.h"
#include "app/help/help_search.h"
#include "app/help/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "modal.h"

using namespace tumbo::app;

namespace {

TEST(AboutBox, LoadsTheLicenceAndScrollsAfterTheFirstTick)
{
    TAbout_Box box;
    box.SetLicenseFile(Fixture("license_long.txt"));
    box.resize(400, 300);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Programminfo"));
    EXPECT_EQ(box.OKButton->text(), QStringLiteral("O&K"));
    box.show();
    EXPECT_TRUE(box.Memo1->toPlainText().startsWith(QStringLiteral("Zeile 1 der Lizenz\n")));
    EXPECT_TRUE(box.Memo1->isReadOnly());
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_EQ(box.Timer1->interval(), TAbout_Box::FirstDelay);

    QScrollBar *bar = box.Memo1->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 3);
    box.Timer1Timer();  // first tick: only the interval changes
    EXPECT_EQ(box.Timer1->interval(), TAbout_Box::ScrollInterval);
    EXPECT_EQ(bar->value(), 0);
    box.Timer1Timer();
    box.Timer1Timer();
    EXPECT_EQ(bar->value(), 2);

    // A click into the text stops the scrolling.
    QTest::mouseClick(box.Memo1->viewport(), Qt::LeftButton);
    EXPECT_FALSE(box.Timer1->isActive());

    // Opening again: text reloaded from the top, the short interval kept.
    box.hide();
    box.show();
    EXPECT_TRUE(box.Timer1->isActive());
    EXPECT_EQ(box.Timer1->interval(), TAbout_Box::ScrollInterval);
    EXPECT_EQ(bar->value(), 0);
    box.Timer1Timer();
    EXPECT_EQ(bar->value(), 1);
    box.hide();
}

TEST(AboutBox, TabToTheButtonStopsAndOkCloses)
{
    TAbout_Box box;
    box.SetLicenseFile(Fixture("license_long.txt"));
    WhenModal<TAbout_Box>([](TAbout_Box *b) {
        EXPECT_TRUE(b->Timer1->isActive());
        b->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(b));
        EXPECT_TRUE(b->Memo1->hasFocus());
        EXPECT_TRUE(b->Timer1->isActive());
        QTest::keyClick(b->Memo1, Qt::Key_Tab);
        EXPECT_TRUE(b->OKButton->hasFocus());
        EXPECT_FALSE(b->Timer1->isActive());
        QTest::mouseClick(b->OKButton, Qt::LeftButton);
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    EXPECT_FALSE(box.Timer1->isActive());
}

TEST(AboutBox, MissingLicenceLeavesTheBoxEmptyAndStill)
{
    TAbout_Box box;
    QStringList reports;
    box.SetErrorReporter([&reports](const QString &m) { reports << m; });
    box.SetLicenseFile(Fixture("license_long.txt"));
    box.show();
    box.hide();
    box.SetLicenseFile(Fixture("keine_lizenz.txt"));
    box.show();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.first().contains(QStringLiteral("keine_lizenz.txt")));
    EXPECT_TRUE(box.Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(box.Timer1->isActive());
    box.hide();
}

TEST(AboutBox, ShippedLicenceIsFoundBesideTheExecutable)
{
    // The test runs from the build's bin folder, where the data is copied.
    const QString path = FindDataFile(QStringLiteral("license.txt"));
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    TAbout_Box box;
    EXPECT_EQ(box.LicenseFile(), path);
}

TEST(HelpWindow, ShowsTheContentsPageOrSaysItIsMissing)
{
    THelpWindow help;
    help.SetContentsFile(Fixture("index.html"));
    help.ShowContents();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.Browser->source(), QUrl::fromLocalFile(Fixture("index.html")));
    EXPECT_TRUE(help.Browser->toPlainText().contains(QStringLiteral("Testhilfe")));

    help.SetContentsFile(Fixture("hilfe_fehlt.html"));
    help.ShowContents();
    EXPECT_TRUE(help.Browser->toPlainText().contains(QStringLiteral("Hilfe nicht gefunden")));
    help.close();
}

TEST(HelpWindow, SearchFindsThePagesThatHoldEveryWord)
{
    THelpWindow help;
    help.SetContentsFile(FindDataFile(QStringLiteral("hilfe/index.html")));
    help.ShowContents();
    QTest::keyClicks(help.SearchField, QStringLiteral("ZIEGEL hinlegen"));
    QTest::keyClick(help.SearchField, Qt::Key_Return);
    const QString shown = help.Browser->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("Suche nach „ZIEGEL hinlegen“"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Anweisungen"))) << shown.toStdString();
    EXPECT_TRUE(help.Browser->toHtml().contains(QStringLiteral("anweisungen.html")));

    help.SearchField->setText(QStringLiteral("Quadratwurzelfunktion"));
    QTest::keyClick(help.SearchField, Qt::Key_Return);
    EXPECT_TRUE(help.Browser->toPlainText().contains(QStringLiteral("Keine Hilfeseite")));
    help.close();
}

TEST(HelpWindow, ThePageThatExplainsAWordComesFirstAndZurueckReturnsToTheList)
{
    THelpWindow help;
    help.SetContentsFile(FindDataFile(QStringLiteral("hilfe/index.html")));
    help.ShowContents();
    const QList<THelpHit> hits = SearchHelp(QFileInfo(help.ContentsFile()).absolutePath(), QStringLiteral("wiederhole"));
    ASSERT_GT(hits.size(), 3);
    EXPECT_EQ(QFileInfo(hits[0].File).fileName(), QStringLiteral("kontrollstrukturen.html"));

    QTest::keyClicks(help.SearchField, QStringLiteral("wiederhole"));
    QTest::keyClick(help.SearchField, Qt::Key_Return);
    const QString list = help.Browser->toPlainText();
    ASSERT_TRUE(list.contains(QStringLiteral("Suche nach „wiederhole“"))) << list.toStdString();
    EXPECT_LT(list.indexOf(QStringLiteral("Kontrollstrukturen")), list.indexOf(QStringLiteral("Grundregeln")));
    // Following the first link, then "Zurück", shows the list again.
    help.Browser->setSource(QUrl::fromLocalFile(hits[0].File));
    ASSERT_FALSE(help.Browser->toPlainText().contains(QStringLiteral("Suche nach")));
    auto *back = help.findChild<QToolButton *>(QStringLiteral("btnZurueck"));
    ASSERT_NE(back, nullptr);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(help.Browser->toPlainText(), list);
    help.close();
}

TEST(HelpSearch, PagesWithTheWordInTheirTitleOrHeadingsComeFirst)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char *name, const char *html) {
        QFile page(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(html);
    };
    write("a.html", "<html><head><title>A</title></head><body><p>Ziegel hier</p></body></html>");
    write("b.html", "<html><head><title>B</title></head><body><h2><a name=\"z\"></a>Ziegel legen</h2></body></html>");
    write("c.html", "<html><head><title>Ziegel</title></head><body><p>Ziegel</p></body></html>");
    QStringList order;
    for (const THelpHit &hit : SearchHelp(dir.path(), QStringLiteral("ziegel")))
        order << hit.Title;
    EXPECT_EQ(order, QStringList({"Ziegel", "B", "A"}));
}

TEST(HelpSearch, HitsNameThePageAndShowWholeWordsAroundTheFirstWord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString body;
    for (int i = 0; i < 40; ++i)
        body += QStringLiteral("Wort%1 ").arg(i);
    QFile page(dir.filePath(QStringLiteral("seite.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QStringLiteral("<html><head><title>Die Seite</title></head><body><p>%1Ziegel %1</p></body></html>")
                   .arg(body)
                   .toUtf8());
    page.close();

    const QList<THelpHit> hits = SearchHelp(dir.path(), QStringLiteral("ziegel WORT3"));
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].Title, QStringLiteral("Die Seite"));
    const QString excerpt = hits[0].Excerpt;
    EXPECT_TRUE(excerpt.contains(QStringLiteral("Ziegel")));
    EXPECT_TRUE(excerpt.startsWith(QStringLiteral("… Wort"))) << excerpt.toStdString();
    EXPECT_TRUE(excerpt.endsWith(QStringLiteral(" …"))) << excerpt.toStdString();
    for (const QString &word : excerpt.split(u' ', Qt::SkipEmptyParts))
        EXPECT_TRUE(word == QStringLiteral("…") || word == QStringLiteral("Ziegel") || word.startsWith(QStringLiteral("Wort")))
            << word.toStdString();
    EXPECT_TRUE(SearchHelp(dir.path(), QStringLiteral("Ziegel Quader")).isEmpty());
}

TEST(DataFiles, BesideTheExecutableComesFirst)
{
    const QStringList candidates = DataFileCandidates(QStringLiteral("hilfe/index.html"));
    ASSERT_GE(candidates.size(), 2);
    EXPECT_EQ(candidates[0], QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("hilfe/index.html")));
    EXPECT_TRUE(candidates[1].endsWith(QStringLiteral("/share/tumbo/hilfe/index.html")));
    EXPECT_EQ(FindDataFile(QStringLiteral("gibt/es/nicht.txt")), DataFileCandidates(QStringLiteral("gibt/es/nicht.txt"))[0]);
}

}  // namespace
