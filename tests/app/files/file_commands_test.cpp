// The program and world file commands through their menu items, buttons and keys:
// dialogs and questions, what each command keeps when it does not happen, the world of
// a program's name, file formats kept on save, dropped files and recent programs.
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include <QSysInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "app/files/recovery_file.h"
#include "support/write_faults.h"
#include "file_commands_fixture.h"

namespace tumbo::app::test {
namespace {

using Files = FileCommandTest;

const QByteArray kProgram = "Programm\r\n  Schritt\r\n*Programm\r\n";

TEST_F(Files, SaveAsAddsTheExtensionAndRemembersNameAndFolder)
{
    TMainForm &f = OpenWindow();
    Type(QStringLiteral("Programm\n*Programm"));
    Choose("erstes");
    Key(Qt::Key_F12);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].Title, QStringLiteral("Programm speichern"));
    EXPECT_EQ(requests_[0].DialogKind, FileDialogRequest::Save);
    EXPECT_EQ(requests_[0].Filter,
              QStringLiteral("Programme für Robot Tumbo (*.tdp)|*.tdp|Alle Dateien (*.*)|*.*"));
    EXPECT_EQ(requests_[0].DefaultSuffix, QStringLiteral("tdp"));
    EXPECT_EQ(f.ProgramFileName, Folder() + "erstes.tdp");
    EXPECT_EQ(f.OpenPath, Folder());
    EXPECT_EQ(ReadFile("erstes.tdp"), QByteArray("Programm\r\n*Programm"));  // a new program: CR LF
    EXPECT_FALSE(f.Editor->isModified());
    EXPECT_EQ(InfoLines().value(0), QStringLiteral("Programm : ") + Folder() + "erstes.tdp");

    // Onto an existing file: No writes nothing and keeps the old name.
    WriteFile("alt.tdp", "alt");
    Type(QStringLiteral("x"));
    Choose("alt.tdp");
    f.Speichernunter1->trigger();
    EXPECT_EQ(asked_.back().text,
              QStringLiteral("Programm mit diesem Name existiert bereits,\nSoll es überschrieben werden ?"));
    EXPECT_EQ(ReadFile("alt.tdp"), QByteArray("alt"));
    EXPECT_EQ(f.ProgramFileName, Folder() + "erstes.tdp");
    EXPECT_TRUE(f.Editor->isModified());
    // Yes overwrites it.
    Reply(QMessageBox::Yes);
    Choose("alt.tdp");
    f.Speichernunter1->trigger();
    EXPECT_EQ(ReadFile("alt.tdp"), QByteArray("Programm\r\n*Programmx"));
    EXPECT_EQ(f.ProgramFileName, Folder() + "alt.tdp");
}

TEST_F(Files, CtrlSOnANewProgramAsksForANameAndCancellingKeepsItUnnamedAndChanged)
{
    TMainForm &f = OpenWindow();
    Type(QStringLiteral("Programm"));
    Choose("");
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].Title, QStringLiteral("Programm speichern"));
    EXPECT_TRUE(f.ProgramFileName.isEmpty());
    EXPECT_TRUE(f.Editor->isModified());
    EXPECT_EQ(EditorText(), QStringLiteral("Programm"));
    // A named program is saved without a dialog.
    Choose("p.tdp");
    f.btnProgSpeichern->click();
    Type(QStringLiteral("X"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(requests_.size(), 2u);
    EXPECT_EQ(ReadFile("p.tdp"), QByteArray("ProgrammX"));
}

// Yes to the unsaved-program question, then the save dialog cancelled: the command stops
// and the program stays, still changed.
TEST_F(Files, YesThenCancelledSaveKeepsTheProgramForNewOpenAndClose)
{
    TMainForm &f = OpenWindow();
    Type(QStringLiteral("Programm"));
    const std::vector<std::pair<const char *, std::function<void()>>> commands = {
        {"Neu", [&] { f.Neu1->trigger(); }},
        {"btnProgNeu", [&] { f.btnProgNeu->click(); }},
        {"Öffnen", [&] { Key(Qt::Key_O, Qt::ControlModifier); }},
        {"btnProgOeffnen", [&] { f.btnProgOeffnen->click(); }},
    };
    for (const auto &[name, command] : commands) {
        requests_.clear();
        asked_.clear();
        Reply(QMessageBox::Yes);
        Choose("");
        command();
        ASSERT_EQ(asked_.size(), 1u) << name;
        EXPECT_EQ(asked_[0].text, kUnsavedQuestion) << name;
        ASSERT_EQ(requests_.size(), 1u) << name;  // the save dialog only, no open dialog
        EXPECT_EQ(requests_[0].Title, QStringLiteral("Programm speichern")) << name;
        EXPECT_EQ(EditorText(), QStringLiteral("Programm")) << name;
        EXPECT_TRUE(f.Editor->isModified()) << name;
    }
    // Closing: the window stays open.
    Reply(QMessageBox::Yes);
    Choose("");
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(EditorText(), QStringLiteral("Programm"));
    // Yes with a name given saves and goes on.
    Reply(QMessageBox::Yes);
    Choose("gerettet.tdp");
    f.Neu1->trigger();
    EXPECT_EQ(ReadFile("gerettet.tdp"), QByteArray("Programm"));
    EXPECT_TRUE(EditorText().isEmpty());
    EXPECT_TRUE(f.ProgramFileName.isEmpty());
}

TEST_F(Files, NewAnsweredNoEmptiesTheEditorAndCancelKeepsEverything)
{
    TMainForm &f = OpenWindow();
    WriteFile("a.tdp", kProgram);
    Choose("a.tdp");
    f.Oeffnen1->trigger();
    Type(QStringLiteral("x"));
    Reply(QMessageBox::Cancel);
    f.Neu1->trigger();
    EXPECT_TRUE(EditorText().startsWith(QStringLiteral("xProgramm")));
    EXPECT_EQ(f.ProgramFileName, Folder() + "a.tdp");

    Reply(QMessageBox::No);
    f.Neu1->trigger();
    EXPECT_TRUE(EditorText().isEmpty());
    EXPECT_TRUE(f.ProgramFileName.isEmpty());
    EXPECT_FALSE(f.Editor->isModified());
    EXPECT_EQ(InfoLines().value(0), QStringLiteral("Programm : "));
    EXPECT_EQ(ReadFile("a.tdp"), kProgram);
    // Unchanged: no question.
    asked_.clear();
    f.Neu1->trigger();
    EXPECT_TRUE(asked_.empty());
}

TEST_F(Files, OpeningAProgramLoadsTheWorldOfItsNameOrClearsTheWorld)
{
    TMainForm &f = OpenWindow();
    WriteFile("mit.tdp", kProgram);
    WriteFile("mit.tdw", WorldBytes(7, 3, 4, 2, 1, 3));
    WriteFile("ohne.tdp", kProgram);
    Choose("mit.tdp");
    f.btnProgOeffnen->click();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].Title, QStringLiteral("Öffnen"));
    EXPECT_EQ(requests_[0].DialogKind, FileDialogRequest::Open);
    EXPECT_TRUE(requests_[0].FileName.isEmpty());
    EXPECT_EQ(EditorText(), QString::fromLatin1(kProgram).replace("\r\n", "\n"));
    EXPECT_FALSE(f.Editor->isModified());
    EXPECT_EQ(f.WorldFileName, Folder() + "mit.tdw");
    EXPECT_EQ(f.Welt().Room.Width(), 7);
    EXPECT_EQ(f.edtPositionX->text(), QStringLiteral("3"));
    EXPECT_EQ(f.edtBlickrichtung->text(), QStringLiteral("O"));
    EXPECT_EQ(InfoLines().mid(0, 2), QStringList({"Programm : " + Folder() + "mit.tdp", "Welt : " + Folder() + "mit.tdw"}));
    EXPECT_TRUE(f.Editor->hasFocus());

    f.Welt().Room.AddItem(0, 0, kZiegel);
    Choose("ohne.tdp");
    f.Oeffnen1->trigger();
    EXPECT_EQ(requests_[1].Directory, Folder());  // the folder of the last program
    EXPECT_EQ(f.Welt().Room.Width(), 7);          // cleared, size kept
    EXPECT_EQ(f.Welt().Room.BrickCount(0, 0), 0);
    EXPECT_EQ(f.edtPositionX->text(), QStringLiteral("1"));
    EXPECT_TRUE(f.WorldFileName.isEmpty());
    EXPECT_EQ(InfoLines().value(1), QStringLiteral("Welt : "));
}

TEST_F(Files, AFileThatIsNoWorldIsRefusedAndNeverBecomesTheWorldFile)
{
    TMainForm &f = OpenWindow();
    WriteFile("gut.tdw", WorldBytes(6, 6, 3));
    WriteFile("prog.tdp", kProgram);
    Choose("gut.tdw");
    f.OeffnenWelt1->trigger();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].Title, QStringLiteral("Welt öffnen"));
    EXPECT_EQ(requests_[0].Filter, QStringLiteral("Welt für Robot Tumbo (*.tdw)|*.tdw|Alle Dateien (*.*)|*.*"));
    ASSERT_EQ(f.WorldFileName, Folder() + "gut.tdw");

    // A program chosen in "Welt öffnen".
    Choose("prog.tdp");
    f.btnWeltOeffnen->click();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(asked_[0].text.contains(QStringLiteral("prog.tdp")));
    EXPECT_TRUE(asked_[0].text.contains(QStringLiteral("keine Weltdatei")));
    EXPECT_EQ(f.WorldFileName, Folder() + "gut.tdw");
    EXPECT_EQ(f.Welt().Room.Width(), 6);
    // So "Welt speichern" writes the world file, and the program stays as it was.
    f.Weltspeichern1->trigger();
    EXPECT_EQ(ReadFile("prog.tdp"), kProgram);
    EXPECT_TRUE(ReadFile("gut.tdw").startsWith("TumboVersion2Deutsch"));

    // A name that does not exist is passed over without a message.
    Choose("fehlt.tdw");
    f.OeffnenWelt1->trigger();
    EXPECT_EQ(asked_.size(), 1u);

    // The same for a file of the program's name that is no world.
    WriteFile("zwei.tdp", kProgram);
    WriteFile("zwei.tdw", "Programm\r\n*Programm\r\n");
    Choose("zwei.tdp");
    f.Oeffnen1->trigger();
    EXPECT_EQ(f.ProgramFileName, Folder() + "zwei.tdp");
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_TRUE(asked_[1].text.contains(QStringLiteral("zwei.tdw")));
    EXPECT_EQ(f.WorldFileName, Folder() + "gut.tdw");
    f.btnWeltSpeichern->click();
    EXPECT_EQ(ReadFile("zwei.tdw"), QByteArray("Programm\r\n*Programm\r\n"));
}

TEST_F(Files, SaveWorldAsProposesTheProgramsNameAndAsksBeforeOverwriting)
{
    TMainForm &f = OpenWindow();
    WriteFile("prog.tdp", kProgram);
    Choose("prog.tdp");
    f.Oeffnen1->trigger();
    ASSERT_TRUE(f.WorldFileName.isEmpty());

    Choose("");
    f.btnWeltSpeichern->click();  // no world file yet: "Welt speichern unter"
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_EQ(requests_[1].Title, QStringLiteral("Welt speichern"));
    EXPECT_EQ(requests_[1].FileName, Folder() + "prog.tdw");
    EXPECT_EQ(requests_[1].DefaultSuffix, QStringLiteral("tdw"));
    EXPECT_FALSE(QFileInfo::exists(Folder() + "prog.tdw"));

    Choose("welt");  // no extension: ".tdw"
    f.Weltspeichernunter1->trigger();
    EXPECT_EQ(f.WorldFileName, Folder() + "welt.tdw");
    EXPECT_TRUE(ReadFile("welt.tdw").startsWith("TumboVersion2Deutsch 5 10 6"));
    EXPECT_EQ(InfoLines().value(1), QStringLiteral("Welt : ") + Folder() + "welt.tdw");
    // Once named, the world's own name is proposed.
    Choose("");
    f.Weltspeichernunter1->trigger();
    EXPECT_EQ(requests_.back().FileName, Folder() + "welt.tdw");

    // An existing file answered No: nothing written, the name stays.
    WriteFile("alt.tdw", "alt");
    Choose("alt.tdw");
    f.Weltspeichernunter1->trigger();
    EXPECT_EQ(asked_.back().text, QStringLiteral("Eine Welt mit diesem Namen existiert bereits,\nÜberschreiben ?"));
    EXPECT_EQ(ReadFile("alt.tdw"), QByteArray("alt"));
    EXPECT_EQ(f.WorldFileName, Folder() + "welt.tdw");
}

// Each file keeps its encoding, byte order mark and line breaks when saved after an edit.
TEST_F(Files, ProgramsKeepTheirEncodingAndLineBreaksOnSave)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QByteArray expected;  // after typing "x" at the start
    };
    const Case cases[] = {
        {"cp1252_crlf.tdp", "Programm\r\n  { Gr\xFC\xDF" "e }\r\n*Programm\r\n",
         "xProgramm\r\n  { Gr\xFC\xDF" "e }\r\n*Programm\r\n"},
        {"utf8_lf.tdp", "Programm\n  { Gr\xC3\xBC\xC3\x9F" "e }\n*Programm\n",
         "xProgramm\n  { Gr\xC3\xBC\xC3\x9F" "e }\n*Programm\n"},
        {"bom_cr.tdp", "\xEF\xBB\xBFProgramm\r*Programm\r", "\xEF\xBB\xBFxProgramm\r*Programm\r"},
    };
    TMainForm &f = OpenWindow();
    for (const Case &c : cases) {
        WriteFile(c.name, c.bytes);
        Choose(c.name);
        f.Oeffnen1->trigger();
        f.Editor->setCursorPosition(0, 0);
        Type(QStringLiteral("x"));
        // A new line typed in the editor takes the file's line breaks too.
        f.Editor->setCursorPosition(0, 1);
        Key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(ReadFile(c.name), c.expected) << c.name;
        EXPECT_FALSE(f.Editor->isModified()) << c.name;
    }
    // A line typed in an LF file is saved with LF.
    Choose("utf8_lf.tdp");
    f.Oeffnen1->trigger();
    f.Editor->setCursorPosition(0, 9);
    Type(QStringLiteral("\n  Schritt"));
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ReadFile("utf8_lf.tdp").contains('\r'));
    // A new program holding a character Windows-1252 lacks is saved as UTF-8.
    Reply(QMessageBox::No);
    f.Neu1->trigger();
    f.Editor->setText(QStringLiteral("{ \u2192 }"));
    Choose("neu.tdp");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile("neu.tdp"), QByteArray("{ \xE2\x86\x92 }"));
}

TEST_F(Files, AFailedSaveNamesTheFileAndKeepsTheTextAndItsChangedState)
{
    TMainForm &f = OpenWindow();
    QDir().mkpath(Folder() + "weg");
    WriteFile("weg/prog.tdp", kProgram);
    Choose("weg/prog.tdp");
    f.Oeffnen1->trigger();
    Type(QStringLiteral("x"));
    QDir(Folder() + "weg").removeRecursively();  // the folder is gone
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(asked_[0].text.contains(QStringLiteral("prog.tdp")));
    EXPECT_TRUE(f.Editor->isModified());
    EXPECT_TRUE(EditorText().startsWith(QStringLiteral("xProgramm")));
    EXPECT_EQ(f.ProgramFileName, Folder() + "weg/prog.tdp");
    // New with Yes: the failed save stops it too.
    Reply(QMessageBox::Yes);
    f.Neu1->trigger();
    EXPECT_TRUE(EditorText().startsWith(QStringLiteral("xProgramm")));
    // Save As into a missing folder: the old name stays.
    Choose("nirgends/neu.tdp");
    Reply(QMessageBox::Yes);
    f.Speichernunter1->trigger();
    EXPECT_EQ(f.ProgramFileName, Folder() + "weg/prog.tdp");
    EXPECT_TRUE(f.Editor->isModified());
    // Closing with Yes: the failed save keeps the window open.
    Reply(QMessageBox::Yes);
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(EditorText().startsWith(QStringLiteral("xProgramm")));
    // A world that cannot be written says so too.
    Choose("nirgends/welt.tdw");
    f.Weltspeichernunter1->trigger();
    EXPECT_TRUE(asked_.back().text.contains(QStringLiteral("welt.tdw")));
}

void Drop(QWidget *target, const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &f : files)
        urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    const QPoint pos(10, 10);
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(pos), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();
}

TEST_F(Files, DroppedProgramsAndWorldsAreOpenedAfterTheUnsavedProgramQuestion)
{
    TMainForm &f = OpenWindow();
    WriteFile("d.tdp", kProgram);
    WriteFile("w.tdw", WorldBytes(9, 2, 3));
    Type(QStringLiteral("ungespeichert"));
    Reply(QMessageBox::Cancel);
    Drop(f.Editor->viewport(), {Folder() + "d.tdp"});
    ASSERT_EQ(AskedTexts(), QStringList({kUnsavedQuestion}));
    EXPECT_EQ(EditorText(), QStringLiteral("ungespeichert"));

    Reply(QMessageBox::No);
    Drop(f.Editor->viewport(), {Folder() + "d.tdp"});
    EXPECT_EQ(f.ProgramFileName, Folder() + "d.tdp");
    EXPECT_EQ(EditorText(), QString::fromLatin1(kProgram).replace("\r\n", "\n"));

    Drop(&f, {Folder() + "w.tdw"});
    EXPECT_EQ(f.WorldFileName, Folder() + "w.tdw");
    EXPECT_EQ(f.Welt().Room.Width(), 9);
    EXPECT_EQ(f.ProgramFileName, Folder() + "d.tdp");

    // Other files are not taken: the editor's own drop handling stays.
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(Folder() + "bild.png")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&f, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(Files, RecentProgramsAppearInTheFileMenuAndSurviveARestart)
{
    TMainForm *f = &OpenWindow();
    QMenu *datei = f->menuBar()->actions().at(0)->menu();
    const int plain = int(datei->actions().size());
    for (const char *name : {"eins.tdp", "zwei.tdp"}) {
        WriteFile(name, kProgram);
        Choose(name);
        f->Oeffnen1->trigger();
    }
    Choose("drei.tdp");
    Type(QStringLiteral("x"));
    f->Speichernunter1->trigger();
    EXPECT_EQ(f->FileCommands().RecentPrograms(), QStringList({Folder() + "drei.tdp", Folder() + "zwei.tdp", Folder() + "eins.tdp"}));
    QStringList texts;
    for (QAction *a : datei->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(int(texts.size()), plain + 4);
    EXPECT_EQ(texts.mid(texts.indexOf("Drucker einrichten") + 1, 6),
              QStringList({"-", "&1 drei.tdp", "&2 zwei.tdp", "&3 eins.tdp", "-", "&Beenden"}));

    // Choosing one opens it.
    datei->actions().at(texts.indexOf("&3 eins.tdp"))->trigger();
    EXPECT_EQ(f->ProgramFileName, Folder() + "eins.tdp");
    EXPECT_EQ(f->FileCommands().RecentPrograms().first(), Folder() + "eins.tdp");

    // The list is kept in tumbo.ini for the next start.
    form_.reset();
    f = &OpenWindow();
    EXPECT_EQ(f->FileCommands().RecentPrograms(), QStringList({Folder() + "eins.tdp", Folder() + "drei.tdp", Folder() + "zwei.tdp"}));
    // A file that is gone is said so and leaves the list.
    QFile::remove(Folder() + "zwei.tdp");
    datei = f->menuBar()->actions().at(0)->menu();
    const auto items = datei->actions();
    auto it = std::find_if(items.begin(), items.end(), [](QAction *a) { return a->text() == "&3 zwei.tdp"; });
    ASSERT_NE(it, items.end());
    (*it)->trigger();
    ASSERT_FALSE(asked_.empty());
    EXPECT_TRUE(asked_.back().text.contains(QStringLiteral("zwei.tdp")));
    EXPECT_EQ(f->FileCommands().RecentPrograms().size(), 2);
}

// ---------------------------------------------------------------- crash recovery

QStringList RecoveryFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("tumbo-wiederherstellung-*.txt")}, QDir::Files);
}

TEST_F(Files, UnsavedTextSurvivesACrashAndIsOfferedAtTheNextStart)
{
    TMainForm *f = &OpenWindow();
    WriteFile("lf.tdp", "Programm\n*Programm\n");
    Choose("lf.tdp");
    f->Oeffnen1->trigger();
    Type(QStringLiteral("Neu"));
    // Within a few seconds the text is in the recovery file.
    QTRY_COMPARE_WITH_TIMEOUT(RecoveryFiles(Folder()).size(), 1, 3000);
    const QString typed = f->Editor->text();

    // A crash: the window goes without closing.
    form_.reset();
    asked_.clear();
    Reply(QMessageBox::Yes);  // "Wiederherstellen"
    f = &OpenWindow();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].text.contains(QStringLiteral("lf.tdp")));
    EXPECT_TRUE(asked_[0].text.contains(QStringLiteral("wiederhergestellt")));
    EXPECT_EQ(f->Editor->text(), typed);
    EXPECT_TRUE(f->Editor->isModified());
    EXPECT_EQ(f->ProgramFileName, Folder() + "lf.tdp");
    // Kept again, by this window now.
    EXPECT_EQ(RecoveryFiles(Folder()).size(), 1);
    // Saved in the file's own format.
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile("lf.tdp"), QByteArray("NeuProgramm\n*Programm\n"));
    EXPECT_TRUE(RecoveryFiles(Folder()).isEmpty());

    // Another crash, answered "Verwerfen": the text is gone for good.
    Type(QStringLiteral("Weg"));
    QTRY_COMPARE_WITH_TIMEOUT(RecoveryFiles(Folder()).size(), 1, 3000);
    form_.reset();
    asked_.clear();
    Reply(QMessageBox::No);
    f = &OpenWindow();
    EXPECT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(f->Editor->text().isEmpty());
    EXPECT_TRUE(RecoveryFiles(Folder()).isEmpty());
}

TEST_F(Files, ANormalCloseLeavesNothingToRecover)
{
    TMainForm *f = &OpenWindow();
    Type(QStringLiteral("Programm"));
    QTRY_COMPARE_WITH_TIMEOUT(RecoveryFiles(Folder()).size(), 1, 3000);
    answer_ = QMessageBox::No;  // do not save
    EXPECT_TRUE(f->close());
    EXPECT_TRUE(RecoveryFiles(Folder()).isEmpty());
    form_.reset();
    asked_.clear();
    f = &OpenWindow();
    EXPECT_TRUE(asked_.empty());
    // Another window that is still open is not offered either.
    Type(QStringLiteral("offen"));
    QTRY_COMPARE_WITH_TIMEOUT(RecoveryFiles(Folder()).size(), 1, 3000);
    TMainForm second(QStringList{QStringLiteral("/I") + Folder()});
    Answer(second);
    second.show();
    QApplication::processEvents();
    EXPECT_TRUE(asked_.empty());
    EXPECT_TRUE(second.Editor->text().isEmpty());
}

// Two windows started together: while the first asks about a left-behind text, the second
// does not offer the same text; and the question comes before the tips window.
TEST_F(Files, LeftBehindTextIsOfferedOnceAndBeforeTheTips)
{
    TMainForm *f = &OpenWindow();
    Type(QStringLiteral("Gerettet"));
    QTRY_COMPARE_WITH_TIMEOUT(RecoveryFiles(Folder()).size(), 1, 3000);
    const QString typed = f->Editor->text();
    form_.reset();  // a crash
    asked_.clear();

    TMainForm second(QStringList{QStringLiteral("/I") + Folder()});
    Answer(second);
    QStringList events;
    f = &Open({}, false);
    Answer(*f);
    f->ShowTips = true;
    f->ShowTipsAtStart = [&events] { events << QStringLiteral("Tipps"); };
    f->MessageBoxHook = [&](QMessageBox::Icon, const QString &text, QMessageBox::StandardButtons) {
        events << text.section(QLatin1Char('\n'), 0, 0);
        second.show();  // starts while the question is open
        QApplication::processEvents();
        return QMessageBox::Yes;
    };
    f->show();
    QApplication::processEvents();
    EXPECT_EQ(events, QStringList({QStringLiteral("Robot Tumbo wurde zuletzt nicht regulär beendet."),
                                   QStringLiteral("Tipps")}));
    EXPECT_TRUE(asked_.empty()) << "the second window asked too";
    EXPECT_TRUE(second.Editor->text().isEmpty());
    EXPECT_EQ(f->Editor->text(), typed);
}

}  // namespace
}  // namespace tumbo::app::test

namespace tumbo::app::test {
namespace {

// The recovery files of windows that are gone are found, their stale locks cleared;
// a window's own file is not offered while it lives.
TEST(RecoveryFile, FilesOfGoneWindowsAreFoundAndTheirLocksCleared)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    // A lock as a killed process leaves it: its number names no running process.
    const QByteArray deadLock = "999999999\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
                                QSysInfo::machineHostName().toUtf8() + "\n";
    write("tumbo-wiederherstellung-1-1.txt",
          "TumboWiederherstellung1\nProgramm=/a/b.tdp\nFormat=utf8 bom lf\nZeit=2026-12-10T08:00:00\n\nText\nzwei");
    write("tumbo-wiederherstellung-1-1.txt.lock", deadLock);
    write("tumbo-wiederherstellung-2-1.txt.lock", deadLock);

    TRecoveryFile own(folder);
    ASSERT_TRUE(own.Usable());
    ASSERT_TRUE(own.Write({QString(), tumbo::text::kNewFileFormat, {}, QStringLiteral("eigen")}));

    std::vector<LeftBehindFile> left = TRecoveryFile::LeftBehind(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].FileName, folder + "tumbo-wiederherstellung-1-1.txt");
    EXPECT_FALSE(QFileInfo::exists(folder + "tumbo-wiederherstellung-2-1.txt.lock"));
    // Claimed: a window that starts now does not find it; released, it is found again.
    EXPECT_TRUE(TRecoveryFile::LeftBehind(folder).empty());
    left.clear();
    left = TRecoveryFile::LeftBehind(folder);
    ASSERT_EQ(left.size(), 1u);
    const auto program = TRecoveryFile::Read(left[0].FileName);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->ProgramFileName, QStringLiteral("/a/b.tdp"));
    EXPECT_EQ(program->Format.Encoding, tumbo::text::TextEncoding::Utf8);
    EXPECT_TRUE(program->Format.Bom);
    EXPECT_EQ(program->Format.Break, tumbo::text::LineBreak::Lf);
    EXPECT_EQ(program->Text, QStringLiteral("Text\nzwei"));
    TRecoveryFile::Discard(left[0].FileName);
    left.clear();
    EXPECT_TRUE(TRecoveryFile::LeftBehind(folder).empty());
    // A file that is not a recovery file is not read as one.
    write("tumbo-wiederherstellung-3-1.txt", "Programm\n*Programm\n");
    EXPECT_FALSE(TRecoveryFile::Read(folder + "tumbo-wiederherstellung-3-1.txt"));
}

// A pupil's unsaved program is the pupil's own: the recovery file and its lock are 0600 in a
// folder of mode 0700 (a wider one is tightened), and another user can read neither.
TEST(RecoveryFile, IsReadableByItsOwnerOnly)
{
    QTemporaryDir dir;
    const QByteArray top = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(top.constData(), 0755), 0);  // as a home folder made by useradd
    const QString folder = dir.path() + QStringLiteral("/einstellungen");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);

    TRecoveryFile own(folder);
    ASSERT_TRUE(own.Usable());
    ASSERT_TRUE(own.Write({QString(), tumbo::text::kNewFileFormat, {}, QStringLiteral("geheim")}));
    auto mode = [](const QString &name) {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(name).constData(), &st), 0) << name.toStdString();
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode(folder), 0700u);
    EXPECT_EQ(mode(own.FileName()), 0600u);
    EXPECT_EQ(mode(own.FileName() + QStringLiteral(".lock")), 0600u);

    if (::geteuid() != 0)
        GTEST_SKIP() << "reading as another user needs root to become one";
    const QByteArray file = QFile::encodeName(own.FileName());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The user "nobody": only system calls between fork and _exit.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int fd = ::open(file.constData(), O_RDONLY);
        ::_exit(fd < 0 && errno == EACCES ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: another user read the file, 2: could not become one";
}

// Every file the window writes, under every write fault: the old file stays, a message names
// the file and the reason, and the next save without a fault works.
TEST_F(Files, EveryWriterOfTheWindowKeepsTheOldFileAndNamesFileAndReason)
{
    TMainForm &f = OpenWindow();
    Type(QStringLiteral("Programm\n*Programm"));
    const struct {
        const char *Name;
        std::function<void()> Save;  // saves onto Folder() + Name
    } writers[] = {
        {"prog.tdp", [&] { Choose("prog.tdp"); Reply(QMessageBox::Yes); f.Speichernunter1->trigger(); }},
        {"welt.tdw", [&] { Choose("welt.tdw"); Reply(QMessageBox::Yes); f.Weltspeichernunter1->trigger(); }},
        {"welt3d.bmp", [&] { Choose("welt3d.bmp"); f.AlsGrafikspeichern1->trigger(); }},
        {"welt2d.emf", [&] { f.Darstellung2D1->trigger(); Choose("welt2d.emf"); f.AlsGrafikspeichern1->trigger();
                             f.Darstellung2D1->trigger(); }},
        {"welt2d.svg", [&] { f.Darstellung2D1->trigger(); Choose("welt2d.svg"); f.AlsGrafikspeichern1->trigger();
                             f.Darstellung2D1->trigger(); }},
        {"tumbo.ini", [&] { f.IniFolder = Folder(); f.SaveSettings(); }},
    };
    for (const auto &w : writers) {
        SCOPED_TRACE(w.Name);
        for (const tumbo::testing::WriteFault &fault : tumbo::testing::WriteFaults()) {
            SCOPED_TRACE(fault.Name);
            WriteFile(w.Name, "alt");
            asked_.clear();
            {
                tumbo::testing::ScopedWriteFault scoped(fault);
                w.Save();
            }
            EXPECT_EQ(ReadFile(w.Name), QByteArray("alt"));
            ASSERT_FALSE(asked_.empty());
            const auto &shown = asked_.back();
            EXPECT_EQ(shown.icon, QMessageBox::Critical);
            EXPECT_TRUE(shown.text.contains(Folder() + w.Name)) << shown.text.toStdString();
            EXPECT_TRUE(shown.text.contains(QString::fromUtf8(fault.Reason))) << shown.text.toStdString();
            answers_.clear();
            files_.clear();
        }
        asked_.clear();
        w.Save();
        EXPECT_NE(ReadFile(w.Name), QByteArray("alt"));
        EXPECT_TRUE(std::none_of(asked_.begin(), asked_.end(),
                                 [](const auto &a) { return a.icon == QMessageBox::Critical; }));
        answers_.clear();
    }
    EXPECT_EQ(QDir(Folder()).entryList(QStringList{QStringLiteral(".*.tmp")}, QDir::Hidden | QDir::Files),
              QStringList());
}

}  // namespace
}  // namespace tumbo::app::test
