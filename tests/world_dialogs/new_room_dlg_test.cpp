// The new-world dialog: fields, ranges, OK and Cancel.
#include "world/qt/new_room_dlg.h"

#include "world/qt/spin_edit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using tumbo::world::TNewRoomDlg;

namespace {

void TypeInto(tumbo::TSpinEdit *spin, const QString &text)
{
    QLineEdit *edit = spin->findChild<QLineEdit *>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(NewRoomDlg, CaptionLabelsAndDefaults)
{
    TNewRoomDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Neue Welt"));
    QStringList labels;
    for (QLabel *l : dlg.findChildren<QLabel *>())
        labels << l->text();
    for (const char *expected : {"Ausdehnung der neuen Welt ", "Breite", "Länge", "Höhe"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(dlg.RoomWidth(), 10);
    EXPECT_EQ(dlg.RoomLength(), 10);
    EXPECT_EQ(dlg.RoomHeight(), 10);
    auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("btnOK"));
    auto *cancel = dlg.findChild<QPushButton *>(QStringLiteral("btnAbbrechen"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("&Abbrechen"));
}

TEST(NewRoomDlg, ExtentFromTheWorldIsShownInsideTheRanges)
{
    struct Case {
        int w, l, h;
        int shownW, shownL, shownH;
    };
    const Case cases[] = {
        {5, 10, 6, 5, 10, 6},
        {5, 10, 20, 5, 10, 10},    // a world of height 20 shows 10
        {100, 100, 0, 100, 100, 0},
        {0, 0, -1, 1, 1, 0},       // the room needs a cell
        {250, 101, 11, 100, 100, 10},
    };
    TNewRoomDlg dlg;
    for (const Case &c : cases) {
        dlg.SetExtent(c.w, c.l, c.h);
        EXPECT_EQ(dlg.RoomWidth(), c.shownW);
        EXPECT_EQ(dlg.RoomLength(), c.shownL);
        EXPECT_EQ(dlg.RoomHeight(), c.shownH);
        EXPECT_EQ(dlg.speHoehe->text(), QString::number(c.shownH));
    }
}

TEST(NewRoomDlg, TypedValuesAreBroughtIntoRange)
{
    TNewRoomDlg dlg;
    TypeInto(dlg.speBreite, QStringLiteral("0"));
    TypeInto(dlg.speLaenge, QStringLiteral("300"));
    TypeInto(dlg.speHoehe, QStringLiteral("11"));
    EXPECT_EQ(dlg.RoomWidth(), 1);
    EXPECT_EQ(dlg.RoomLength(), 100);
    EXPECT_EQ(dlg.RoomHeight(), 10);
    // The field itself tells the user what will be used.
    EXPECT_EQ(dlg.speBreite->text(), QStringLiteral("1"));
    EXPECT_EQ(dlg.speLaenge->text(), QStringLiteral("100"));

    TypeInto(dlg.speHoehe, QStringLiteral("0"));
    EXPECT_EQ(dlg.RoomHeight(), 0);
}

TEST(NewRoomDlg, EnterConfirmsWithTheCorrectedValues)
{
    TNewRoomDlg dlg;
    dlg.SetExtent(5, 10, 6);
    QTimer::singleShot(0, &dlg, [&dlg] {
        dlg.speBreite->setFocus();
        TypeInto(dlg.speBreite, QStringLiteral("0"));
        QTest::keyClick(dlg.speBreite->findChild<QLineEdit *>(), Qt::Key_Return);
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.RoomWidth(), 1);
    EXPECT_EQ(dlg.RoomLength(), 10);
    EXPECT_EQ(dlg.RoomHeight(), 6);
}

TEST(NewRoomDlg, CancelButtonRejects)
{
    TNewRoomDlg dlg;
    QTimer::singleShot(0, &dlg, [&dlg] {
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("btnAbbrechen")), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
}

}  // namespace

namespace {

TEST(NewRoomDlg, TheCaretStandsInBreiteEveryTimeItOpens)
{
    TNewRoomDlg dlg;
    for (int round = 0; round < 2; ++round) {
        dlg.show();
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        QWidget *caret = dlg.focusWidget();
        ASSERT_TRUE(caret == dlg.speBreite || caret == dlg.speBreite->findChild<QLineEdit *>()) << round;
        // Typing replaces the whole value.
        QTest::keyClicks(caret, QStringLiteral("7"));
        EXPECT_EQ(dlg.RoomWidth(), 7) << round;
        // The user moves on to "Höhe" and closes the dialog; it opens in "Breite" again.
        dlg.speHoehe->setFocus();
        dlg.hide();
        dlg.SetExtent(12, 10, 6);
    }
}

}  // namespace
