#pragma once
// A window whose runs are recorded, and what it shows of a step: the world as its file
// says, the current-line mark and the status fields.
#include <QLineEdit>
#include <QList>

#include <ostream>

#include "app/window/mark_images.h"
#include "window_fixture.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app::test {

// Every statement changes the world, so each step has a world file of its own.
inline const QString kBuild = QStringLiteral(
    "Programm\r\n"          // 1
    "  Schritt\r\n"         // 2
    "  Hinlegen\r\n"        // 3
    "  Schritt\r\n"         // 4
    "  MarkeSetzen\r\n"     // 5
    "  LinksDrehen\r\n"     // 6
    "  Schritt\r\n"         // 7
    "*Programm\r\n");       // 8

// What the window shows of a step.
struct Seen {
    QByteArray world;
    int line;
    QString x, y, heading, bricks;
    bool operator==(const Seen &) const = default;
};

inline void PrintTo(const Seen &s, std::ostream *out)
{
    *out << "line " << s.line << " at " << s.x.toStdString() << "/" << s.y.toStdString() << " "
         << s.heading.toStdString() << ", bricks " << s.bricks.toStdString() << ", world:\n" << s.world.toStdString();
}

class HistoryTest : public WindowTest {
protected:
    QByteArray WorldFile()
    {
        const QString path = Folder() + QStringLiteral("now.tdw");
        EXPECT_TRUE(form_->Welt().SaveToFile(path.toStdString()).Ok());
        return ReadFile(QStringLiteral("now.tdw"));
    }
    // The line with the current-line mark, -1 for none.
    int MarkedLine() const
    {
        for (int l = 1; l <= form_->Editor->LineCount(); ++l)
            if (Images(l).contains(kImageCurrentLine) || Images(l).contains(kImageCurrentOnBreakpoint))
                return l;
        return -1;
    }
    Seen Now()
    {
        return {WorldFile(), MarkedLine(), form_->edtPositionX->text(), form_->edtPositionY->text(),
                form_->edtBlickrichtung->text(), form_->edtZiegel->text()};
    }
    // A click into the middle of cell x/y of the 2D map, at the view's scale.
    void ClickCell(int x, int y)
    {
        const QPoint middle = form_->WeltViews().ViewScale().Map(QPoint(30 * x + 16, 30 * y + 25));
        QTest::mouseClick(form_->pbTumbo2D, Qt::LeftButton, Qt::NoModifier, middle);
    }
    void StepKey() { Key(Qt::Key_F7); }
    void BackKey() { Key(Qt::Key_F7, Qt::ShiftModifier); }
};

}  // namespace tumbo::app::test
