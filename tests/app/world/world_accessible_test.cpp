// The world as assistive technology sees it: the views and the robot's key catcher are
// named with the world's description, renewed (with a change event) after robot keys and
// edits; "Welt beschreiben" writes it into the information list, which announces each
// new line.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "app/window/accessibility.h"
#include "app/window/info_list_announcer.h"
#include "app/world/world_accessible.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {
namespace {

QString NameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

class WorldAccessible : public WindowTest {
protected:
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form_->DummyEdit, Qt::Key(key), mods);
    }
    TWorldAccessible &Accessible() { return *form_->Accessibility->World; }
};

TEST_F(WorldAccessible, RobotKeysRenewTheDescriptionOfViewsAndKeyCatcher)
{
    TMainForm &form = Open();
    form.DummyEdit->setFocus();
    EXPECT_EQ(NameOf(form.DummyEdit), QStringLiteral("Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. "
                                                     "Vor ihm: ein freies Feld. Auf seinem Feld: keine Marke."));
    QSignalSpy described(&Accessible(), &TWorldAccessible::Described);
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);  // east
    Press(Qt::Key_Up);
    Press(Qt::Key_H);
    Press(Qt::Key_H);
    Press(Qt::Key_M);
    const QString expected = QStringLiteral("Tumbo steht auf Feld (2, 2) in Höhe 0 und schaut nach Osten. Vor ihm: "
                                            "2 Ziegel, zu hoch zum Springen. Auf seinem Feld: eine Marke.");
    QTRY_COMPARE(NameOf(form.DummyEdit), expected);
    for (QObject *view : {static_cast<QObject *>(form.imgTumbo3D), static_cast<QObject *>(form.pbTumbo2D)}) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(view);
        ASSERT_TRUE(iface);
        EXPECT_EQ(iface->role(), QAccessible::Graphic);
        EXPECT_EQ(iface->text(QAccessible::Name), expected);
        EXPECT_EQ(iface->text(QAccessible::Value), expected);
        EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty());
    }
    ASSERT_FALSE(described.isEmpty());
    EXPECT_EQ(described.last().at(0).toString(), expected);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(form.DummyEdit)
                    ->text(QAccessible::Description)
                    .contains(QStringLiteral("Pfeiltasten")));
}

TEST_F(WorldAccessible, AProgramRunEndsWithTheDescriptionOfItsLastState)
{
    TMainForm &form = Open();
    SetProgram(QStringLiteral("Programm\n  Schritt\n  Schritt\n  RechtsDrehen\n  MarkeSetzen\n*Programm\n"));
    form.RunControl().FastCommand();
    QTRY_COMPARE(NameOf(form.pbTumbo2D),
                 QStringLiteral("Tumbo steht auf Feld (1, 3) in Höhe 0 und schaut nach Westen. Vor ihm: die Wand. "
                                "Auf seinem Feld: eine Marke."));
}

TEST_F(WorldAccessible, DescribeWorldWritesTheSentenceIntoTheInformationList)
{
    TMainForm &form = Open();
    auto *view = form.menuBar()->findChild<QMenu *>(QStringLiteral("Ansicht1"));
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->actions().contains(Accessible().DescribeAction));
    EXPECT_EQ(Accessible().DescribeAction->text(), QStringLiteral("Welt beschreiben"));

    form.Welt().Robot.Hinlegen(1);
    form.Editor->setFocus();
    QTest::keyClick(form.Editor, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(InfoLines().value(InfoLines().size() - 1),
              QStringLiteral("Tumbo steht auf Feld (1, 1) in Höhe 0 und schaut nach Süden. Vor ihm: 1 Ziegel. "
                             "Auf seinem Feld: keine Marke."));
    EXPECT_TRUE(form.Editor->text().isEmpty());  // the key went to the command, not into the text
}

TEST_F(WorldAccessible, TheInformationListAnnouncesEachNewLine)
{
    TMainForm &form = Open();
    QSignalSpy announced(form.Accessibility->InfoList, &TInfoListAnnouncer::Announced);
    const QString line = QStringLiteral("[Fehler] (Zeile 3): Unbekanntes Wort");
    form.RunControl().AddInfoLine(line);
    form.RunControl().AddInfoLine(line);
    EXPECT_EQ(announced.size(), 2);  // the same line twice is news twice
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.InfoBox)->text(QAccessible::Description),
              QStringLiteral("Neue Meldung: ") + line);
    announced.clear();
    form.RunControl().ResetInfoList();  // names program and world, then a line of dashes
    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced[0].at(0).toString(), QStringLiteral("Programm : "));
    EXPECT_EQ(announced[1].at(0).toString(), QStringLiteral("Welt : "));
}

}  // namespace
}  // namespace tumbo::app::test
