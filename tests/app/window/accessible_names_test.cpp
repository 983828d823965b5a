// The window as a screen reader sees it, through Qt's own accessibility interfaces: every
// interactive element has a name, and the keyboard's tab order runs through the editor,
// the world, the overview and the information list in reading order.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include "app/run/run_control.h"
#include "app/window/program_editor.h"
#include "app/world/world_commands.h"
#include "window_fixture.h"
#include "world/qt/world_tools.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

bool Interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

QString Describe(QAccessibleInterface *iface)
{
    const QObject *object = iface->object();
    return QStringLiteral("%1 (Rolle %2)")
        .arg(object ? QString::fromLatin1(object->metaObject()->className()) + QLatin1Char(' ') + object->objectName()
                    : QStringLiteral("?"))
        .arg(int(iface->role()));
}

// Every interactive element below `iface` without a name; the count of those seen.
int Walk(QAccessibleInterface *iface, QStringList &unnamed)
{
    int interactive = 0;
    std::vector<QAccessibleInterface *> todo{iface};
    while (!todo.empty()) {
        QAccessibleInterface *at = todo.back();
        todo.pop_back();
        if (Interactive(at->role())) {
            ++interactive;
            if (at->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << Describe(at);
        }
        for (int i = 0; i < at->childCount(); ++i)
            if (QAccessibleInterface *child = at->child(i))
                todo.push_back(child);
    }
    return interactive;
}

class AccessibleNames : public WindowTest {
protected:
    void ExpectAllNamed(QWidget *root)
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(root);
        ASSERT_TRUE(iface);
        QStringList unnamed;
        EXPECT_GT(Walk(iface, unnamed), 0);
        EXPECT_TRUE(unnamed.isEmpty()) << "ohne Namen:\n" << unnamed.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_F(AccessibleNames, EveryInteractiveElementOfTheWindowHasAName)
{
    TMainForm &form = Open();
    ExpectAllNamed(&form);
}

TEST_F(AccessibleNames, EveryToolOfTheToolBoxHasAName)
{
    TMainForm &form = Open();
    form.WorldCommands().SwitchViewCommand();
    form.WorldCommands().WorldToolsCommand();
    ExpectAllNamed(form.WorldCommands().WorldTools);
}

TEST_F(AccessibleNames, TabRunsThroughEditorWorldOverviewAndInformationList)
{
    TMainForm &form = Open();
    const QList<QWidget *> order{form.Editor, form.DummyEdit, form.TreeView1, form.InfoBox};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        // Tab skips what takes no focus by it, is hidden or disabled.
        while (next && next != order[i + 1] &&
               (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() || !next->isEnabled()))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << i;
    }
}

TEST_F(AccessibleNames, CommandsOfButtonsAreInTheMenusToo)
{
    TMainForm &form = Open();
    auto *worldMenu = qobject_cast<QMenu *>(form.Weltloeschen1->parent());
    ASSERT_TRUE(worldMenu);
    QAction *restore = form.findChild<QAction *>(QStringLiteral("Weltwiederherstellen1"));
    ASSERT_TRUE(restore);
    EXPECT_TRUE(worldMenu->actions().contains(restore));
    // It restores the world the last run started from, as the button "W" does.
    form.Welt().Robot.Schritt(1);
    form.RunControl().SaveWorldForRun();
    form.Welt().Robot.Schritt(2);
    restore->trigger();
    EXPECT_EQ(form.Welt().Robot.Y, 1);

    auto *view = form.menuBar()->findChild<QMenu *>(QStringLiteral("Ansicht1"));
    ASSERT_TRUE(view);
    QAction *overview = form.findChild<QAction *>(QStringLiteral("Uebersichtaktualisieren1"));
    ASSERT_TRUE(overview);
    EXPECT_TRUE(view->actions().contains(overview));
    SetProgram(QStringLiteral("Anweisung Umdrehen\r\n  LinksDrehen\r\n  LinksDrehen\r\n*Anweisung\r\n"
                              "Programm\r\n  Umdrehen\r\n*Programm\r\n"));
    overview->trigger();
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 5);
    ASSERT_EQ(form.TreeView1->topLevelItem(3)->childCount(), 1);
    EXPECT_EQ(form.TreeView1->topLevelItem(3)->child(0)->text(0), QStringLiteral("UMDREHEN"));
}

TEST_F(AccessibleNames, CtrlTabLeavesTheEditorWhereTabIndents)
{
    TMainForm &form = Open();
    form.Editor->setFocus();
    QApplication::processEvents();
    QTest::keyClick(form.Editor, Qt::Key_Tab);
    EXPECT_TRUE(form.Editor->hasFocus());
    EXPECT_FALSE(form.Editor->text().isEmpty());  // the tab went into the text
    form.Editor->setText(QString());
    QTest::keyClick(form.Editor, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(form.DummyEdit->hasFocus());
    EXPECT_TRUE(form.Editor->text().isEmpty());
    form.Editor->setFocus();
    QTest::keyClick(form.Editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(form.Editor->hasFocus());
    EXPECT_TRUE(form.Editor->text().isEmpty());
}

}  // namespace
}  // namespace tumbo::app::test
