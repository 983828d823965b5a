#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QTreeWidget>
#include <Qsci/qscicommandset.h>

#include "app/dialogs/dialog_commands.h"
#include "app/files/app_paths.h"
#include "app/history/replay_bar.h"
#include "app/window/status_bar.h"
#include "app/window/mark_images.h"
#include "window_fixture.h"
#include "world/welt.h"

using namespace tumbo::app;
using namespace tumbo::app::test;

namespace {

class Window : public WindowTest {};

QString Shortcut(const QAction *a)
{
    return a->shortcut().toString(QKeySequence::PortableText);
}

}  // namespace

TEST_F(Window, MenusHoldEveryItemInOrderWithItsShortcut)
{
    TMainForm &f = Open();
    // Separators are written as "-"; shortcuts follow a tab.
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"&Datei", {"&Neu", "&Öffnen\tCtrl+O", "&Speichern\tCtrl+S", "Speichern &unter\tF12", "-",
                    "&Drucken\tCtrl+P", "Seitenansicht", "Drucker einrichten", "-", "&Beenden"}},
        {"&Bearbeiten", {"&Rückgängig\tCtrl+Z", "&Widerrufen\tCtrl+Shift+Z", "-", "&Ausschneiden\tCtrl+X",
                         "&Kopieren\tCtrl+C", "&Einfügen\tCtrl+V", "Alles auswähle&n \tCtrl+A", "-",
                         "&Gehe zu Zeile...\tCtrl+G", "-", "Formatieren\tCtrl+F"}},
        {"&Suchen", {"Su&chen ...\tCtrl+U", "Erset&zen ...\tCtrl+E", "&Weitersuchen\tF3"}},
        {"S&truktogramm", {"Anzeigen", "Speichern", "Kopieren", "Drucken"}},
        {"&Welt", {"Neue Welt", "Öffnen Welt...", "Welt speichern", "Welt speichern unter...", "-",
                   "Als Grafik speichern", "-", "Welt löschen", "Welt wiederherstellen", "-", "2D Darstellung\tF5",
                   "Welt direkt festlegen\tF6"}},
        {"A&nsicht", {"Größer\tCtrl++", "Kleiner\tCtrl+-", "Originalgröße\tCtrl+0", "-", "Einpassen", "-", "Präsentation\tF11", "-",
                      "Welt beschreiben\tCtrl+Shift+B", "Hoher Kontrast", "Übersicht aktualisieren"}},
        {"A&ufgabe", {"Aufgabe öffnen…", "Startwelt laden", "Aufgabe prüfen\tF10", "Ziel zeigen",
                      "Aufgabe schließen", "-", "Kurs öffnen…", "Kurs schließen", "-", "Aufgabe erstellen…",
                      "Klasse auswerten…"}},
        {"&Ablauf", {"Start\tF9", "Schnelllauf\tShift+F9", "Einzelschritt\tF7", "Schritt zurück\tShift+F7",
                     "Pause\tF2", "-", "Stopp\tCtrl+F2", "&Stopp-Punkt\tCtrl+B", "-", "Syntaxprüfung"}},
        {"&Einstellungen", {"Bereiche anordnen", "-", "Tumbo", "Editor", "-", "Figur wechseln"}},
        {"&Hilfe", {"&Inhalt\tF1", "&Tipps", "-", "Programminf&o"}},
    };
    const QList<QAction *> menus = f.menuBar()->actions();
    ASSERT_EQ(menus.size(), int(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(menus[int(m)]->text(), expected[m].first);
        QStringList items;
        for (QAction *a : menus[int(m)]->menu()->actions()) {
            if (a->isSeparator())
                items << QStringLiteral("-");
            else
                items << (Shortcut(a).isEmpty() ? a->text() : a->text() + QLatin1Char('\t') + Shortcut(a));
        }
        EXPECT_EQ(items, expected[m].second) << expected[m].first.toStdString();
    }
    // The run commands are always enabled; "Welt direkt festlegen" waits for the 2D view.
    for (QAction *a : {f.Start1, f.Schnelllauf1, f.Einzelschritt1, f.Pause1, f.Stopp1, f.StoppPunkt1,
                       f.Syntaxpruefung1, f.Bereicheanordnen1, f.Beenden1})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(f.Weltdirektfestlegen1->isEnabled());
    EXPECT_EQ(f.InfoBox->actions().size(), 1);
    EXPECT_EQ(f.InfoBox->actions()[0]->text(), QStringLiteral("Meldungen löschen"));
}

TEST_F(Window, MenuShortcutsComeBeforeTheEditor)
{
    TMainForm &f = Open();
    // No key of a menu item is left in the editor's own key table (Ctrl+U, for one, lower-cases
    // there and searches here).
    for (QAction *a : f.findChildren<QAction *>())
        for (const QKeySequence &k : a->shortcuts())
            EXPECT_EQ(f.Editor->standardCommands()->boundTo(k[0].toCombined()), nullptr)
                << k.toString().toStdString();
    // The editor's own bindings that share no key with the menus stay.
    EXPECT_NE(f.Editor->standardCommands()->boundTo((Qt::CTRL | Qt::Key_Y).toCombined()), nullptr);
    EXPECT_NE(f.Editor->standardCommands()->boundTo((Qt::ALT | Qt::Key_Backspace).toCombined()), nullptr);
    // A menu key pressed in the editor reaches the menu.
    SetProgram(QStringLiteral("Programm\r\n*Programm\r\n"));
    f.Editor->setFocus();
    QTest::keyClick(f.Editor, Qt::Key_F9);
    EXPECT_TRUE(f.RunControl().WorldSavedForRun);
}

TEST_F(Window, TheEditorTakesFortyPerCentUntilTheUserSetsItsWidth)
{
    WriteFile(QStringLiteral("tumbo.ini"), "[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\n");
    TMainForm &g = Open({}, false);
    g.resize(1600, 1000);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QTest::qWait(20);
    EXPECT_NEAR(g.PanelProgram->width(), 0.4 * g.PanelTop->width(), 4);
    // The zoom shows in the status bar.
    EXPECT_TRUE(g.StatusLine->ZoomText().endsWith(QStringLiteral(" %"))) << g.StatusLine->ZoomText().toStdString();
    form_.reset();
    EXPECT_TRUE(ReadFile(QStringLiteral("tumbo.ini")).contains("EditorWidth="));

    WriteFile(QStringLiteral("tumbo.ini"), "[Tips]\r\nShowTips=FALSE\r\n[Sizes]\r\nMaximized=FALSE\r\nEditorWidth=500\r\n");
    TMainForm &h = Open();
    EXPECT_EQ(h.PanelProgram->width(), 500);
}

TEST_F(Window, LayoutAndWorldPlacement)
{
    // The world at its own size; a fresh window fits it into the pane.
    WriteFile(QStringLiteral("tumbo.ini"), "[Sizes]\r\nViewScale=100\r\n");
    TMainForm &f = Open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Robot Tumbo"));
    // The picture stands in the middle of the pane, 20 pixels right of its centre line and
    // 10 above, as its margins are.
    EXPECT_EQ(f.imgTumbo3D->size(), QSize(301, 291));
    const QSize pane = f.ScrollBox->viewport()->size();
    EXPECT_EQ(f.ScrollContent->size(), QSize(321, 301).expandedTo(pane));
    const QPoint shift((f.ScrollContent->width() - 321) / 2, (f.ScrollContent->height() - 301) / 2);
    EXPECT_EQ(f.imgTumbo3D->pos(), QPoint(20, 0) + shift);
    EXPECT_EQ(f.pbTumbo2D->pos(), QPoint(20, 10) + shift);
    EXPECT_EQ(f.Splitter4->handleWidth(), 6);
    EXPECT_EQ(f.DummyEdit->width(), 1);
    EXPECT_EQ(f.edtPositionX->text(), QStringLiteral("1"));
    EXPECT_EQ(f.edtPositionY->text(), QStringLiteral("1"));
    EXPECT_EQ(f.edtBlickrichtung->text(), QStringLiteral("S"));
    EXPECT_EQ(f.edtZiegel->text(), QString());
    EXPECT_EQ(f.Lamp->toolTip(), QStringLiteral("Programmstatus Anzeige"));
    EXPECT_EQ(f.Lamp->Color(), kSilver);
}

TEST_F(Window, PaneCaptionsStandAboveTheirPanes)
{
    TMainForm &f = Open();
    auto rect = [&f](const QWidget *w) { return QRect(w->mapTo(&f, QPoint(0, 0)), w->size()); };
    // A replay on offer stands above the information list's caption, its own caption first.
    f.ReplayBar->Offer(0, 4);
    QApplication::processEvents();
    const struct {
        const char *caption, *text;
        QWidget *pane, *content, *above;  // `above`: what stands over the caption in the pane
    } panes[] = {
        {"CaptionProgramm", "Programm", f.PanelProgram, f.Editor, nullptr},
        {"CaptionWelt", "Welt", f.PanelTumbo3d, f.ScrollBox, nullptr},
        {"CaptionUebersicht", "Übersicht", f.PanelCodeView, f.TreeView1, nullptr},
        {"CaptionInformation", "Information", f.PanelError, f.InfoBox, f.ReplayBar},
    };
    for (const auto &p : panes) {
        auto *caption = f.findChild<QLabel *>(QString::fromLatin1(p.caption));
        ASSERT_TRUE(caption) << p.caption;
        EXPECT_EQ(caption->text(), QString::fromUtf8(p.text));
        EXPECT_TRUE(caption->isVisible()) << p.caption;
        const QRect c = rect(caption), pane = rect(p.pane);
        EXPECT_EQ(c.left(), pane.left()) << p.caption;
        EXPECT_EQ(c.width(), pane.width()) << p.caption;
        EXPECT_EQ(c.top(), p.above ? rect(p.above).bottom() + 1 : pane.top()) << p.caption;
        EXPECT_EQ(c.bottom() + 1, rect(p.content).top()) << p.caption;
    }
    EXPECT_EQ(rect(f.ReplayBar).top(), rect(f.PanelError).top());
    QWidget *first = f.ReplayBar->layout()->itemAt(0)->widget();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->objectName(), QStringLiteral("CaptionVerlauf"));
    EXPECT_EQ(static_cast<QLabel *>(first)->text(), QStringLiteral("Verlauf"));
    // Without a replay the list's caption heads its pane.
    f.ReplayBar->Withdraw();
    QApplication::processEvents();
    EXPECT_EQ(rect(f.findChild<QLabel *>(QStringLiteral("CaptionInformation"))).top(), rect(f.PanelError).top());
    // The bars under the panes hold buttons and status values, no captions.
    for (const char *bar : {"PanelProgramNavigator", "PanelTumbo3dNavigator", "StatusBar"})
        for (const QLabel *label : f.findChild<QWidget *>(QString::fromLatin1(bar))->findChildren<QLabel *>())
            for (const auto &p : panes)
                EXPECT_NE(label->text(), QString::fromUtf8(p.text)) << bar;
}

TEST_F(Window, ArrangeAreasSharesTheWindow)
{
    TMainForm &f = Open();
    f.resize(500, 300);
    QApplication::processEvents();
    f.Bereicheanordnen1->trigger();
    QApplication::processEvents();
    EXPECT_EQ(f.width(), 640);
    EXPECT_EQ(f.height(), 320);
    EXPECT_NEAR(f.PanelProgram->width(), 0.44 * f.PanelTop->width(), 1.0);
    EXPECT_NEAR(f.PanelBottom->height(), 0.34 * f.height(), 1.0);
    EXPECT_NEAR(f.PanelCodeView->width(), 0.27 * f.PanelBottom->width(), 1.0);
}

TEST_F(Window, EditorSettings)
{
    TMainForm &f = Open();
    ProgramEditor &e = *f.Editor;
    EXPECT_EQ(e.tabWidth(), 2);
    EXPECT_TRUE(e.autoIndent());
    EXPECT_FALSE(e.indentationsUseTabs());
    EXPECT_TRUE(e.LineNumbersShown());
    EXPECT_EQ(e.font().pointSize(), 10);
    EXPECT_TRUE(e.font().fixedPitch() || QFontInfo(e.font()).fixedPitch());
    // Tab inserts spaces, Enter keeps the indentation.
    e.setText(QString());
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_Tab);
    QTest::keyClicks(&e, QStringLiteral("Schritt"));
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClicks(&e, QStringLiteral("X"));
    EXPECT_EQ(e.text(), QStringLiteral("  Schritt\r\n  X"));
    // Ctrl+Y deletes the line.
    QTest::keyClick(&e, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.text(), QStringLiteral("  Schritt\r\n"));
}

TEST_F(Window, BookmarksSetJumpAndToggle)
{
    TMainForm &f = Open();
    ProgramEditor &e = *f.Editor;
    e.setText(QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    e.setFocus();
    e.setCursorPosition(2, 0);
    QTest::keyClick(&e, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e.BookmarkLine(3), 3);
    EXPECT_EQ(e.ImagesOnLine(3), QList<int>{3});
    e.setCursorPosition(0, 0);
    QTest::keyClick(&e, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(e.CaretLine(), 3);
    QTest::keyClick(&e, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e.BookmarkLine(3), -1);
    EXPECT_TRUE(e.ImagesOnLine(3).isEmpty());
}

TEST_F(Window, MarkImagesAreDistinctPictures)
{
    for (int i = 0; i < kMarkImageCount; ++i) {
        const QImage image = MarkImageAt(i);
        EXPECT_EQ(image.size(), QSize(kMarkImageWidth, kMarkImageHeight)) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(image, MarkImageAt(j)) << i << " " << j;
    }
}

TEST_F(Window, StartFilesFromTheCommandLine)
{
    WriteFile("a.tdp", "Programm\r\n  Schritt\r\n*Programm\r\n");
    WriteFile("b.tdw", "TumboVersion2Deutsch 3 3 2 1 1 0 n n o n n o n n o n n o n n o n n o n n o n n o n n o ");
    WriteFile("a.tdw", "TumboVersion2Deutsch 4 4 2 2 2 3 " + QByteArray("n n o ").repeated(16));
    {
        // With /P and /W, the world beside the program wins.
        TMainForm &f = Open({"/P" + Folder() + "a.tdp", "/W" + Folder() + "b.tdw"});
        EXPECT_EQ(f.ProgramFileName, Folder() + "a.tdp");
        EXPECT_EQ(f.Editor->text(), QStringLiteral("Programm\r\n  Schritt\r\n*Programm\r\n"));
        EXPECT_FALSE(f.Editor->isModified());
        EXPECT_EQ(f.WorldFileName, Folder() + "a.tdw");
        EXPECT_EQ(f.Welt().Room.Width(), 4);
        EXPECT_EQ(f.edtPositionX->text(), QStringLiteral("3"));
        EXPECT_EQ(InfoLines()[0], "Programm : " + Folder() + "a.tdp");
        form_.reset();
    }
    QFile::remove(Folder() + "a.tdw");
    {
        TMainForm &f = Open({"/P" + Folder() + "a.tdp", "/W" + Folder() + "b.tdw"});
        EXPECT_EQ(f.WorldFileName, Folder() + "b.tdw");
        EXPECT_EQ(f.Welt().Room.Width(), 3);
        form_.reset();
    }
    {
        // Absolute paths on their own are taken as files; missing files are passed over.
        TMainForm &f = Open({Folder() + "a.tdp", Folder() + "b.tdw", "/Pfehlt.tdp"});
        EXPECT_EQ(f.ProgramFileName, QString());
        EXPECT_EQ(f.WorldFileName, Folder() + "b.tdw");
        form_.reset();
        TMainForm &g = Open({"/Pfehlt.tdp", Folder() + "a.tdp"});
        EXPECT_EQ(g.ProgramFileName, Folder() + "a.tdp");
        EXPECT_TRUE(asked_.empty());
    }
}

TEST_F(Window, EditorKeyBindings)
{
    TMainForm &f = Open();
    ProgramEditor &e = *f.Editor;
    struct Case {
        const char *name;
        QString text;
        int line, index;  // caret before the key, 0-based
        int key;
        Qt::KeyboardModifiers mods;
        QString expected;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const Case cases[] = {
        {"Ctrl+T deletes the next word", "Schritt LinksDrehen", 0, 0, Qt::Key_T, ctrl, "LinksDrehen"},
        {"Ctrl+Backspace deletes the previous word", "Schritt Links", 0, 13, Qt::Key_Backspace, ctrl, "Schritt "},
        {"Ctrl+Y deletes the line", "a\r\nb\r\nc", 1, 0, Qt::Key_Y, ctrl, "a\r\nc"},
        {"Shift+Ctrl+Y deletes the rest of the line", "Schritt(3)", 0, 7, Qt::Key_Y, ctrl | shift, "Schritt"},
        {"Ctrl+N inserts a line after the caret", "ab", 0, 1, Qt::Key_N, ctrl, "a\r\nb"},
        {"Ctrl+M breaks the line", "ab", 0, 1, Qt::Key_M, ctrl, "a\r\nb"},
        {"Shift+Ctrl+I indents", "Schritt", 0, 0, Qt::Key_I, ctrl | shift, "  Schritt"},
        {"Shift+Ctrl+U unindents", "  Schritt", 0, 2, Qt::Key_U, ctrl | shift, "Schritt"},
    };
    for (const Case &c : cases) {
        e.setText(c.text);
        e.setFocus();
        e.setCursorPosition(c.line, c.index);
        QTest::keyClick(&e, Qt::Key(c.key), c.mods);
        EXPECT_EQ(e.text(), c.expected) << c.name;
    }
    // Ctrl+N leaves the caret where it was; Alt+Backspace undoes, Shift+Alt+Backspace redoes.
    e.setText(QStringLiteral("ab"));
    e.setCursorPosition(0, 1);
    QTest::keyClick(&e, Qt::Key_N, ctrl);
    EXPECT_EQ(e.CaretLine(), 1);
    QTest::keyClick(&e, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(e.text(), QStringLiteral("ab"));
    QTest::keyClick(&e, Qt::Key_Backspace, Qt::AltModifier | shift);
    EXPECT_EQ(e.text(), QStringLiteral("a\r\nb"));
    // No editing while the editor is disabled for a run.
    e.SetEditingEnabled(false);
    QTest::keyClicks(&e, QStringLiteral("x"));
    QTest::keyClick(&e, Qt::Key_Y, ctrl);
    EXPECT_EQ(e.text(), QStringLiteral("a\r\nb"));
    e.SetEditingEnabled(true);
}

TEST_F(Window, TipsComeFirstWhenTheWindowIsShown)
{
    WriteFile("a.tdp", "Programm\r\n*Programm\r\n");
    for (bool showTips : {true, false}) {
        WriteFile("tumbo.ini", showTips ? "[Tips]\r\nShowTips=TRUE\r\n" : "[Tips]\r\nShowTips=FALSE\r\n");
        TMainForm &f = Open({"/P" + Folder() + "a.tdp"}, false);
        int shown = 0;
        QString programWhenShown = QStringLiteral("-");
        f.ShowTipsAtStart = [&] {
            ++shown;
            programWhenShown = f.ProgramFileName;
        };
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.hide();
        f.show();  // only the first showing offers the tips
        EXPECT_EQ(shown, showTips ? 1 : 0);
        if (showTips) {
            EXPECT_EQ(programWhenShown, QString()) << "the start program is loaded after the tips";
        }
        EXPECT_EQ(f.ProgramFileName, Folder() + "a.tdp");
        form_.reset();
    }
}

// Started with a program that has no world of its name, the information list named no
// program although one was loaded.
TEST_F(Window, StartProgramWithoutWorldIsNamedInTheInformationList)
{
    WriteFile(QStringLiteral("allein.tdp"), "Programm\r\n  Schritt\r\n*Programm\r\n");
    Open({QStringLiteral("/P") + Folder() + QStringLiteral("allein.tdp")});
    const QStringList lines = InfoLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Programm : ") + QFileInfo(Folder() + QStringLiteral("allein.tdp")).absoluteFilePath());
    EXPECT_EQ(lines[1], QStringLiteral("Welt : "));
}

TEST_F(Window, EveryMenuItemIsOfferedOnceTheDialogsExist)
{
    TMainForm &f = Open();
    new TDialogCommands(&f);  // as the program entry makes them
    QApplication::processEvents();
    // Only the chart's output items (until a chart is shown), the direct world editing
    // (until the 2D view is shown), Schritt zurück (until a paused run has an earlier step)
    // and the items of an open task and course wait.
    const QStringList waiting = {"StruktSpeichern1", "StruktKopieren1", "StruktDrucken1",    "Weltdirektfestlegen1",
                                 "Startwelt1",       "AufgabePruefen1", "ZielZeigen1",       "AufgabeSchliessen1",
                                 "KursSchliessen1",  "Schrittzurueck1"};
    QStringList disabled;
    for (QAction *menu : f.menuBar()->actions())
        for (QAction *a : menu->menu()->actions())
            if (!a->isSeparator() && !a->isEnabled())
                disabled << a->objectName();
    EXPECT_EQ(disabled, waiting);
}
