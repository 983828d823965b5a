// The editor's language services in the main window: colouring with the colours of the
// settings, "Formatieren", the short-input context menu, Shift+Space, Ctrl+Space and the
// overview tree with its button.
#include <QContextMenuEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "app/dialogs/color_swatch.h"
#include "app/dialogs/dialog_commands.h"
#include "app/dialogs/dlg_settings_e.h"
#include "app/files/file_commands.h"
#include "editor/qt/completion_popup.h"
#include "editor/qt/short_input_menu_qt.h"
#include "editor/qt/tumbo_lexer.h"
#include "editor/syn_highlighter_tumbo.h"
#include "window_fixture.h"

namespace tumbo::app::test {
namespace {

using tumbo::editor::TtkTokenKind;

const QString kNoTips = QStringLiteral("[Tips]\r\nShowTips=FALSE\r\n");

// Every caption of a menu and its submenus.
QStringList Captions(const QMenu &menu)
{
    QStringList captions;
    for (QAction *a : menu.actions()) {
        if (a->isSeparator())
            continue;
        captions << a->text();
        if (a->menu())
            captions << Captions(*a->menu());
    }
    return captions;
}

QAction *ActionWithTag(const QMenu &menu, int tag)
{
    for (QAction *a : menu.actions()) {
        if (a->menu()) {
            if (QAction *found = ActionWithTag(*a->menu(), tag))
                return found;
        } else if (a->data().toInt() == tag) {
            return a;
        }
    }
    return nullptr;
}

// Texts of the top-level items, and of the children of one item.
QStringList TopTexts(const QTreeWidget &tree)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(0);
    return texts;
}

QStringList ChildTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

class EditorServicesTest : public WindowTest {
protected:
    TMainForm &OpenWith(const QString &ini = {})
    {
        WriteFile(QStringLiteral("tumbo.ini"), (kNoTips + ini).toUtf8());
        return Open();
    }

    // The token kind the editor painted at the first character of `word` in `line` (from 0).
    int StyleOf(int line, const QString &word, int occurrence = 0)
    {
        ProgramEditor &e = *form_->Editor;
        const QString text = e.text(line);
        int column = -1;
        for (int i = 0; i <= occurrence; ++i)
            column = text.indexOf(word, column + 1);
        EXPECT_GE(column, 0) << word.toStdString();
        const long start = e.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const long pos = start + text.left(column).toUtf8().size();  // positions are bytes
        return int(e.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos));
    }

    void Colourise()
    {
        form_->Editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    }

    // The overview is in its empty form: five top entries, the last two without children.
    void ExpectEmptyOverview()
    {
        const QTreeWidget &tree = *form_->TreeView1;
        EXPECT_EQ(TopTexts(tree), (QStringList{"Kontrollstrukturen", "Vordefinierte Anweisungen",
                                               "Vordefinierte Bedingungen", "Eigene Anweisungen/Bedingungen",
                                               "Dieses Programm"}));
        ASSERT_EQ(tree.topLevelItemCount(), 5);
        EXPECT_EQ(tree.topLevelItem(0)->childCount(), 11);
        EXPECT_EQ(tree.topLevelItem(3)->childCount(), 0);
        EXPECT_EQ(tree.topLevelItem(4)->childCount(), 0);
    }
};

// ---------------------------------------------------------------- colouring

TEST_F(EditorServicesTest, EditorColoursTheProgramWithTheColoursOfTheSettings)
{
    TMainForm &f = OpenWith(QStringLiteral("[Editor]\r\nColorKeyWord2=clRed\r\nColorNumber=$00FF8000\r\n"));
    ASSERT_NE(f.SynTumboSyn1, nullptr);
    EXPECT_EQ(f.Editor->lexer(), f.SynTumboSyn1);
    SetProgram(QStringLiteral("wenn IstWand dann // zurück\r\n  MarkeLöschen Schritt(3) Umdrehen\r\n*wenn\r\n"));
    Colourise();

    // Umlauts before a word do not shift its colour.
    const struct {
        int line;
        const char *word;
        TtkTokenKind kind;
    } words[] = {
        {0, "wenn", tumbo::editor::tkKey},        {0, "IstWand", tumbo::editor::tkKey2},
        {0, "//", tumbo::editor::tkComment},      {1, "MarkeLöschen", tumbo::editor::tkKey2},
        {1, "Schritt", tumbo::editor::tkKey2},    {1, "3", tumbo::editor::tkNumber},
        {1, "Umdrehen", tumbo::editor::tkIdentifier}, {2, "wenn", tumbo::editor::tkKey},
    };
    for (const auto &w : words)
        EXPECT_EQ(StyleOf(w.line, QString::fromUtf8(w.word)), int(w.kind)) << w.word;

    tumbo::editor::TumboLexer &lx = *f.SynTumboSyn1;
    EXPECT_EQ(lx.color(tumbo::editor::tkKey2), QColor(255, 0, 0));
    EXPECT_EQ(lx.color(tumbo::editor::tkNumber), QColor(0, 0x80, 0xFF));
    // Keys that the file does not hold keep their defaults.
    EXPECT_EQ(lx.color(tumbo::editor::tkKey), QColor(0, 0, 0));
    EXPECT_EQ(lx.color(tumbo::editor::tkIdentifier), QColor(0, 0x80, 0));
    EXPECT_EQ(lx.color(tumbo::editor::tkComment), ToQColor(clGrayText));
    EXPECT_TRUE(lx.font(tumbo::editor::tkKey).bold());
    EXPECT_TRUE(lx.font(tumbo::editor::tkComment).italic());

    // The editor settings dialog hands its colours over on OK; they are written at the end.
    TumboSettings s = f.CurrentSettings();
    EXPECT_EQ(s.ColorKeyWord2, clRed);
    s.ColorKeyWord2 = clBlue;
    s.ColorComment = 0x00123456;
    f.ApplySettings(s);
    EXPECT_EQ(lx.color(tumbo::editor::tkKey2), QColor(0, 0, 255));
    EXPECT_EQ(lx.color(tumbo::editor::tkComment), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(f.CurrentSettings().ColorComment, 0x00123456u);
}

TEST_F(EditorServicesTest, EditorSettingsDialogRecoloursAndSwitchesTheContextMenu)
{
    TMainForm &f = OpenWith();
    new TDialogCommands(&f);  // as the program entry makes them
    EXPECT_EQ(f.EditorContextMenu->menu()->objectName(), QStringLiteral("EditorXPopupMenu"));
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TSettingsDlgE *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->Farbe2->SetColor(clGreen);  // predefined instructions and conditions
        d->Farbe5->SetColor(clRed);    // comments
        d->chkErwSyntax->setChecked(false);
        d->cbFontSize->setCurrentText(QStringLiteral("14"));
        QTest::mouseClick(d->Button2, Qt::LeftButton);
    });
    f.EinstEditor1->trigger();
    tumbo::editor::TumboLexer &lx = *f.SynTumboSyn1;
    EXPECT_EQ(lx.color(tumbo::editor::tkKey2), QColor(0, 0x80, 0));
    EXPECT_EQ(lx.color(tumbo::editor::tkComment), QColor(255, 0, 0));
    EXPECT_EQ(lx.font(tumbo::editor::tkKey2).pointSize(), 14);
    EXPECT_TRUE(lx.font(tumbo::editor::tkKey).bold());
    EXPECT_EQ(f.EditorContextMenu->menu()->objectName(), QStringLiteral("EditorPopupMenu"));
}

// ---------------------------------------------------------------- Formatieren

TEST_F(EditorServicesTest, FormatierenIndentsAsOneUndoStepAndMarksTheProgramChanged)
{
    TMainForm &f = OpenWith();
    const QString before = QStringLiteral("wiederhole 3 mal\r\nSCHRITT\r\n    *wiederhole\r\n");
    SetProgram(before);
    f.Editor->setFocus();
    Key(Qt::Key_F, Qt::ControlModifier);  // the menu's shortcut, also from inside the editor
    EXPECT_EQ(f.Editor->text(), QStringLiteral("wiederhole 3 mal\r\n  Schritt\r\n*wiederhole\r\n"));
    EXPECT_TRUE(f.Editor->isModified());

    f.Rueckgaengig1->trigger();  // one step takes back every line
    EXPECT_EQ(f.Editor->text(), before);
    EXPECT_FALSE(f.Editor->isModified());

    // With FormatToken off only the indentation changes.
    f.FormatToken = false;
    f.Formatieren1->trigger();
    EXPECT_EQ(f.Editor->text(), QStringLiteral("wiederhole 3 mal\r\n  SCHRITT\r\n*wiederhole\r\n"));
}

TEST_F(EditorServicesTest, FormatierenLeavesAFormattedProgramUnmodified)
{
    TMainForm &f = OpenWith();
    const QString formatted = QStringLiteral("wenn IstWand dann\r\n  LinksDrehen\r\nsonst\r\n  Schritt\r\n*wenn\r\n");
    SetProgram(formatted);
    f.Formatieren1->trigger();
    EXPECT_EQ(f.Editor->text(), formatted);
    EXPECT_FALSE(f.Editor->isModified());
}

// ---------------------------------------------------------------- short input

TEST_F(EditorServicesTest, ContextMenuIsChosenByExtendedSyntax)
{
    TMainForm &f = OpenWith(QStringLiteral("[Editor]\r\nExtendedSyntax=FALSE\r\n"));
    ASSERT_NE(f.EditorContextMenu, nullptr);
    EXPECT_FALSE(f.ExtendedSyntax);
    QMenu *plain = f.EditorContextMenu->menu();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->objectName(), QStringLiteral("EditorPopupMenu"));
    const QStringList plainCaptions = Captions(*plain);
    EXPECT_TRUE(plainCaptions.contains(QStringLiteral("wiederhole   mal")));
    for (const char *extended : {"wiederhole immer", "wiederhole solange", "*wiederhole solange"})
        EXPECT_FALSE(plainCaptions.contains(QString::fromLatin1(extended))) << extended;

    // Confirming the editor settings with the box ticked attaches the extended menu.
    TumboSettings s = f.CurrentSettings();
    s.ExtendedSyntax = true;
    f.ApplySettings(s);
    QMenu *extended = f.EditorContextMenu->menu();
    ASSERT_NE(extended, nullptr);
    EXPECT_EQ(extended->objectName(), QStringLiteral("EditorXPopupMenu"));
    EXPECT_TRUE(Captions(*extended).contains(QStringLiteral("wiederhole immer")));
    EXPECT_TRUE(f.CurrentSettings().ExtendedSyntax);

    // A right click opens it; an item inserts its text at the caret.
    SetProgram(QString());
    f.Editor->setFocus();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 10), f.Editor->viewport()->mapToGlobal(QPoint(40, 10)));
    QApplication::sendEvent(f.Editor->viewport(), &click);
    QApplication::processEvents();
    EXPECT_TRUE(extended->isVisible());
    QAction *schritt = ActionWithTag(*extended, 101);
    ASSERT_NE(schritt, nullptr);
    schritt->trigger();
    extended->close();
    EXPECT_EQ(f.Editor->text(), QStringLiteral("Schritt\r\n"));
}

TEST_F(EditorServicesTest, ShiftSpaceExpandsAndCtrlSpaceCompletesInTheWindow)
{
    TMainForm &f = OpenWith();
    SetProgram(QString());
    f.Editor->setFocus();
    QTest::keyClicks(f.Editor, QStringLiteral("wenn"));
    Key(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(f.Editor->text(), QStringLiteral("wenn  dann\r\n\r\n*wenn"));
    int line = -1, index = -1;
    f.Editor->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(index, 5);  // between the two blanks

    SetProgram(QString());
    QTest::keyClicks(f.Editor, QStringLiteral("Links"));
    Key(Qt::Key_Space, Qt::ControlModifier);
    ASSERT_NE(f.SynCompletionProposal1, nullptr);
    EXPECT_TRUE(f.SynCompletionProposal1->isActive());
    Key(Qt::Key_Return);
    EXPECT_EQ(f.Editor->text(), QStringLiteral("LinksDrehen"));
}

// ---------------------------------------------------------------- overview

TEST_F(EditorServicesTest, OverviewButtonShowsTheProgramAndNewEmptiesIt)
{
    TMainForm &f = OpenWith();
    ExpectEmptyOverview();
    ASSERT_NE(f.btnUebersicht, nullptr);
    EXPECT_TRUE(f.btnUebersicht->isEnabled());
    EXPECT_EQ(f.btnUebersicht->toolTip(), QStringLiteral("Übersicht aktualisieren"));

    SetProgram(QStringLiteral("Anweisung Umdrehen\r\n  LinksDrehen\r\n  LinksDrehen\r\n*Anweisung\r\n"
                              "Programm\r\n  wiederhole 3 mal\r\n    Schritt\r\n  *wiederhole\r\n"
                              "  wenn nicht IstWand dann\r\n    Umdrehen\r\n  *wenn\r\n*Programm\r\n"));
    const QStringList info = InfoLines();
    QTest::mouseClick(f.btnUebersicht, Qt::LeftButton);

    const QTreeWidget &tree = *f.TreeView1;
    ASSERT_EQ(tree.topLevelItemCount(), 5);
    // The engine keeps own names in upper case.
    EXPECT_EQ(ChildTexts(tree.topLevelItem(3)), QStringList{"UMDREHEN"});
    const QTreeWidgetItem *program = tree.topLevelItem(4);
    EXPECT_EQ(program->text(0), QStringLiteral("Dieses Programm"));
    EXPECT_EQ(ChildTexts(program),
              (QStringList{"Anweisung UMDREHEN", "wiederhole 3 mal", "wenn nicht IstWand dann"}));
    ASSERT_EQ(program->childCount(), 3);
    EXPECT_EQ(ChildTexts(program->child(1)), QStringList{"Schritt"});
    EXPECT_EQ(ChildTexts(program->child(2)), QStringList{"UMDREHEN"});
    EXPECT_FALSE(program->isExpanded());
    // The compile behind it is silent, also for a program with errors.
    EXPECT_EQ(InfoLines(), info);
    SetProgram(QStringLiteral("Programm\r\n  Schritt\r\n  wiederhole 3 mal\r\n"));
    QTest::mouseClick(f.btnUebersicht, Qt::LeftButton);
    EXPECT_EQ(InfoLines(), info);
    EXPECT_EQ(tree.topLevelItemCount(), 5);

    // New empties it again.
    SetProgram(QStringLiteral("Programm\r\n  Schritt\r\n*Programm\r\n"));
    QTest::mouseClick(f.btnUebersicht, Qt::LeftButton);
    EXPECT_EQ(ChildTexts(tree.topLevelItem(4)), QStringList{"Schritt"});
    f.FileCommands().NewProgramCommand();
    ExpectEmptyOverview();
}

TEST_F(EditorServicesTest, OverviewShowsTheProgramTheWindowStartsWith)
{
    WriteFile(QStringLiteral("tumbo.ini"), kNoTips.toUtf8());
    WriteFile(QStringLiteral("start.tdp"), "Programm\r\n  Schritt\r\n  LinksDrehen\r\n*Programm\r\n");
    TMainForm &f = Open({Folder() + QStringLiteral("start.tdp")});
    ASSERT_EQ(f.TreeView1->topLevelItemCount(), 5);
    EXPECT_EQ(ChildTexts(f.TreeView1->topLevelItem(4)), (QStringList{"Schritt", "LinksDrehen"}));
}

TEST_F(EditorServicesTest, OverviewIsEmptiedWhenAProgramIsOpened)
{
    TMainForm &f = OpenWith();
    SetProgram(QStringLiteral("Programm\r\n  Schritt\r\n*Programm\r\n"));
    f.btnUebersichtClick();
    ASSERT_EQ(f.TreeView1->topLevelItemCount(), 5);
    EXPECT_EQ(f.TreeView1->topLevelItem(4)->childCount(), 1);

    WriteFile(QStringLiteral("zwei.tdp"), "Programm\r\n  Schritt\r\n  Schritt\r\n*Programm\r\n");
    ASSERT_TRUE(f.FileCommands().OpenProgram(Folder() + QStringLiteral("zwei.tdp")));
    ExpectEmptyOverview();
}

TEST_F(EditorServicesTest, NothingChangesWhileAProgramRuns)
{
    TMainForm &f = OpenWith();
    const QString text = QStringLiteral("Programm\r\nwiederhole 50 mal\r\nLinksDrehen\r\n*wiederhole\r\n*Programm\r\n");
    SetProgram(text);
    bool ran = false;
    RunScript([&] { f.RunControl().SingleStepCommand(); },
              {[&] {
                   ran = f.Parser().RunMode != 0;
                   QTest::mouseClick(f.btnUebersicht, Qt::LeftButton);
                   f.Formatieren1->trigger();
                   f.Editor->setFocus();
                   Key(Qt::Key_Space, Qt::ShiftModifier);
               },
               [&] { f.RunControl().StopCommand(); }});
    EXPECT_TRUE(ran);
    ExpectEmptyOverview();
    EXPECT_EQ(f.Editor->text(), text);
}

}  // namespace
}  // namespace tumbo::app::test
