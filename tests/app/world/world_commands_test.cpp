// The world commands of the main window through their buttons, menu items and keys:
// the robot by hand, the view switch and tool box with mouse editing, the new-world
// dialog, clearing and restoring, pictures and the robot's figure.
#include <QDialogButtonBox>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

#include "file_commands_fixture.h"
#include "world/qt/new_room_dlg.h"
#include "world/qt/spin_edit.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_tools.h"

namespace tumbo::app::test {
namespace {

class WorldCommands : public FileCommandTest {
protected:
    TTumbo &Robot() { return form_->Welt().Robot; }
    TRaum &Room() { return form_->Welt().Room; }
    void Press(int key) { QTest::keyClick(form_->DummyEdit, Qt::Key(key)); }
    QStringList Status() const
    {
        return {form_->edtPositionX->text(), form_->edtPositionY->text(), form_->edtBlickrichtung->text()};
    }
    // A click in the middle of cell (x, y) of the 2D map, at the scale it is shown at.
    void ClickCell(int x, int y)
    {
        const QPoint middle = form_->WeltViews().ViewScale().Map(QPoint(30 * x + 16, 30 * y + 25));
        QTest::mouseClick(form_->pbTumbo2D, Qt::LeftButton, Qt::NoModifier, middle);
    }
    // The window with the world shown at `percent`.
    TMainForm &OpenAtScale(int percent)
    {
        WriteFile("tumbo.ini", QStringLiteral("[Sizes]\r\nViewScale=%1\r\n").arg(percent).toLatin1());
        TMainForm &f = OpenWindow();
        EXPECT_DOUBLE_EQ(f.WeltViews().ViewScale().Factor, percent / 100.0);
        return f;
    }
};

// Mouse editing and the robot keys at 50, 100 and 300 per cent.
class WorldCommandsAtScale : public WorldCommands, public ::testing::WithParamInterface<int> {};

TEST_F(WorldCommands, ArrowKeysTurnAndStepAndTheDownArrowStepsBackKeepingTheHeading)
{
    TMainForm &f = OpenWindow();
    // Facing south at 1/1: the down arrow would step north, into the wall.
    Press(Qt::Key_Down);
    EXPECT_EQ(Status(), QStringList({"1", "1", "S"}));
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    EXPECT_EQ(Status(), QStringList({"1", "3", "S"}));
    Press(Qt::Key_Down);
    EXPECT_EQ(Status(), QStringList({"1", "2", "S"}));
    EXPECT_EQ(Robot().Heading, kSueden);
    // Facing south, the robot's left is east.
    Press(Qt::Key_Left);
    EXPECT_EQ(Status(), QStringList({"1", "2", "O"}));
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    EXPECT_EQ(Status(), QStringList({"1", "2", "W"}));
    // Facing west at the west wall: the step fails and the fields show the same place.
    Press(Qt::Key_Up);
    EXPECT_EQ(Status(), QStringList({"1", "2", "W"}));
    EXPECT_TRUE(Robot().Failed);
    // A free cell behind (east): one cell back, heading kept.
    Press(Qt::Key_Down);
    EXPECT_EQ(Status(), QStringList({"2", "2", "W"}));
    // The buttons call the same operations.
    f.btnTumboRechts->click();
    f.btnTumboVor->click();
    EXPECT_EQ(Status(), QStringList({"2", "1", "N"}));
    f.btnTumboLinks->click();
    EXPECT_EQ(Status(), QStringList({"2", "1", "W"}));
}

TEST_F(WorldCommands, LetterKeysLayLiftMarkAndPlaceCuboidsAndOtherKeysDoNothing)
{
    TMainForm &f = OpenWindow();
    // Facing south at (0, 0): the cell ahead is (0, 1).
    Press(Qt::Key_H);
    Press(Qt::Key_H);
    EXPECT_EQ(Room().BrickCount(0, 1), 2);
    Press(Qt::Key_A);
    EXPECT_EQ(Room().BrickCount(0, 1), 1);
    f.btnTumboAufheben->click();
    EXPECT_EQ(Room().BrickCount(0, 1), 0);
    f.btnTumboHinlegen->click();
    EXPECT_EQ(Room().BrickCount(0, 1), 1);

    // The mark key toggles the mark of the robot's own cell.
    Press(Qt::Key_M);
    EXPECT_TRUE(Room().HasMark(0, 0));
    Press(Qt::Key_M);
    EXPECT_FALSE(Room().HasMark(0, 0));
    f.btnTumboMarke->click();
    EXPECT_TRUE(Room().HasMark(0, 0));

    Press(Qt::Key_Left);  // east: (1, 0) is empty
    Press(Qt::Key_Q);
    EXPECT_EQ(Room().ContentAt(1, 0, 0), kQuader);
    Press(Qt::Key_E);
    EXPECT_EQ(Room().ContentAt(1, 0, 0), kLeer);
    f.btnTumboQuaderAbl->click();
    EXPECT_EQ(Room().ContentAt(1, 0, 0), kQuader);
    f.btnTumboQuaderEntf->click();
    EXPECT_EQ(Room().ContentAt(1, 0, 0), kLeer);

    // Any other key changes nothing and types nothing into the key catcher.
    const std::string before = f.Welt().SaveToText();
    for (int key : {Qt::Key_X, Qt::Key_1, Qt::Key_Space, Qt::Key_Return})
        Press(key);
    EXPECT_EQ(f.Welt().SaveToText(), before);
    EXPECT_TRUE(f.DummyEdit->text().isEmpty());
}

TEST_F(WorldCommands, ClearKeepsTheSizeAndRestoreThenUsesTheTemporaryWorld)
{
    TMainForm &f = OpenWindow();
    f.TempWorldFile = Folder() + QStringLiteral("tumbotmp.tdw");
    WriteFile("other.tdw", WorldBytes(3, 3, 2));
    ASSERT_TRUE(f.FileCommands().OpenWorld(Folder() + QStringLiteral("other.tdw")));
    f.Welt().NewWorld(7, 4, 5);
    f.WorldFileName.clear();  // as "Neue Welt" leaves it
    Room().AddItem(2, 3, kZiegel);
    Robot().PlaceAt(1, 1);
    // A run saves the world to the temporary file.
    SetProgram(QStringLiteral("Programm\r\n  LinksDrehen\r\n*Programm\r\n"));
    Key(Qt::Key_F9);
    ASSERT_TRUE(f.RunControl().WorldSavedForRun);

    f.Weltloeschen1->trigger();
    EXPECT_EQ(Room().Width(), 7);
    EXPECT_EQ(Room().Length(), 4);
    EXPECT_EQ(Room().MaxHeight(), 5);
    EXPECT_EQ(Room().BrickCount(2, 3), 0);
    EXPECT_EQ(Status(), QStringList({"1", "1", "S"}));
    EXPECT_TRUE(f.WorldFileName.isEmpty());
    EXPECT_EQ(InfoLines().value(1), QStringLiteral("Welt : "));

    // "W" first brings back the world as the clearing found it, after the run ...
    f.btnWeltWiederherstellen->click();
    EXPECT_EQ(Room().BrickCount(2, 3), 1);
    EXPECT_EQ(Status(), QStringList({"2", "2", "O"}));
    // ... and then, without a world file, the world saved for the run, not other.tdw.
    f.btnWeltWiederherstellen->click();
    EXPECT_EQ(Room().Width(), 7);
    EXPECT_EQ(Room().BrickCount(2, 3), 1);
    EXPECT_EQ(Status(), QStringList({"2", "2", "S"}));  // as before the run
    // The button "L" does the same as the menu item.
    f.btnWeltLoeschen->click();
    EXPECT_EQ(Room().BrickCount(2, 3), 0);

    // With a world file, "W" loads that file.
    ASSERT_TRUE(f.FileCommands().OpenWorld(Folder() + QStringLiteral("other.tdw")));
    Press(Qt::Key_Up);
    f.btnWeltWiederherstellen->click();
    EXPECT_EQ(Room().Width(), 3);
    EXPECT_EQ(Status(), QStringList({"1", "1", "S"}));
}

// "Welt löschen", "Neue Welt" and opening a world over a changed one lose nothing: "W"
// brings the world back as it was, with its file name.
TEST_F(WorldCommands, RestoreBringsBackTheWorldThatClearNewOrOpenReplaced)
{
    TMainForm &f = OpenWindow();
    WriteFile("haus.tdw", WorldBytes(6, 5, 4, 2, 1));
    WriteFile("other.tdw", WorldBytes(3, 3, 2));
    ASSERT_TRUE(f.FileCommands().OpenWorld(Folder() + QStringLiteral("haus.tdw")));
    const QString haus = f.WorldFileName;
    auto click = [](QToolButton *b) { QTest::mouseClick(b, Qt::LeftButton); };
    click(f.btnTumboHinlegen);
    click(f.btnTumboHinlegen);
    click(f.btnTumboMarke);
    const std::string built = f.Welt().SaveToText();

    click(f.btnWeltLoeschen);
    ASSERT_NE(f.Welt().SaveToText(), built);
    click(f.btnWeltWiederherstellen);
    EXPECT_EQ(f.Welt().SaveToText(), built);
    EXPECT_EQ(f.WorldFileName, haus);

    WhenModal<tumbo::world::TNewRoomDlg>([](tumbo::world::TNewRoomDlg *d) { d->accept(); });
    click(f.btnWeltNeu);
    ASSERT_TRUE(f.WorldFileName.isEmpty());
    click(f.btnWeltWiederherstellen);
    EXPECT_EQ(f.Welt().SaveToText(), built);
    EXPECT_EQ(f.WorldFileName, haus);

    Choose("other.tdw");
    click(f.btnWeltOeffnen);
    ASSERT_EQ(Room().Width(), 3);
    click(f.btnWeltWiederherstellen);
    EXPECT_EQ(f.Welt().SaveToText(), built);
    EXPECT_EQ(f.WorldFileName, haus);
    EXPECT_EQ(Status(), QStringList({"3", "2", "S"}));
}

// Two windows side by side each keep the world of their own last run, in the user's private
// folder, and each file goes with its window.
TEST_F(WorldCommands, TwoWindowsRestoreTheirOwnTemporaryWorlds)
{
    qputenv("XDG_RUNTIME_DIR", Folder().toUtf8() + "laufzeit");
    QDir().mkpath(Folder() + QStringLiteral("laufzeit"));
    TMainForm &a = OpenWindow();
    auto b = std::make_unique<TMainForm>(QStringList{QStringLiteral("/I") + Folder()});
    Answer(*b);
    qunsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(a.TempWorldFile.startsWith(Folder() + QStringLiteral("laufzeit/tumbo/"))) << a.TempWorldFile.toStdString();
    EXPECT_NE(a.TempWorldFile, b->TempWorldFile);

    const QString program = QStringLiteral("Programm\r\n  LinksDrehen\r\n*Programm\r\n");
    a.Welt().NewWorld(7, 4, 5);
    SetProgram(program);
    Key(Qt::Key_F9);
    b->Welt().NewWorld(3, 3, 2);
    b->Editor->setText(program);
    b->btnAblaufNormal->click();
    ASSERT_TRUE(a.RunControl().WorldSavedForRun && b->RunControl().WorldSavedForRun);

    a.Welt().NewWorld(9, 9, 3);
    b->Welt().NewWorld(9, 9, 3);
    a.btnWeltWiederherstellen->click();
    b->btnWeltWiederherstellen->click();
    EXPECT_EQ(a.Welt().Room.Width(), 7);
    EXPECT_EQ(b->Welt().Room.Width(), 3);

    const QString bFile = b->TempWorldFile;
    b.reset();
    EXPECT_FALSE(QFileInfo::exists(bFile));
    EXPECT_TRUE(QFileInfo::exists(a.TempWorldFile));
}

TEST_F(WorldCommands, ViewSwitchEnablesTheToolBoxAndLeavingTheMapClosesIt)
{
    TMainForm &f = OpenWindow();
    EXPECT_EQ(f.btnDarstell2D->text(), QStringLiteral("2D"));
    EXPECT_EQ(f.btnDarstell2D->toolTip(), QStringLiteral("2D Darstellung"));
    Key(Qt::Key_F6);  // not in the 3D view
    EXPECT_FALSE(f.WorldCommands().WorldTools->isVisible());

    Key(Qt::Key_F5);
    EXPECT_TRUE(f.WeltViews().Is2D());
    EXPECT_TRUE(f.pbTumbo2D->isVisible());
    EXPECT_FALSE(f.imgTumbo3D->isVisible());
    EXPECT_TRUE(f.Darstellung2D1->isChecked());
    EXPECT_EQ(f.btnDarstell2D->text(), QStringLiteral("3D"));
    EXPECT_EQ(f.btnDarstell2D->toolTip(), QStringLiteral("3D Darstellung"));
    EXPECT_TRUE(f.Weltdirektfestlegen1->isEnabled());
    // The scroll range follows the map: 160 x 331 for the 5 x 10 start world, at the view scale.
    EXPECT_EQ(f.WeltViews().ViewSize(), QSize(160, 331));
    EXPECT_EQ(f.ScrollContent->size(), (f.WeltViews().ShownSize() + QSize(20, 10)).expandedTo(f.ScrollBox->viewport()->size()));

    Key(Qt::Key_F6);
    EXPECT_TRUE(f.WorldCommands().WorldTools->isVisible());
    EXPECT_TRUE(f.Weltdirektfestlegen1->isChecked());
    Key(Qt::Key_F6);
    EXPECT_FALSE(f.WorldCommands().WorldTools->isVisible());
    EXPECT_FALSE(f.Weltdirektfestlegen1->isChecked());
    // The box's own close button unticks the menu item too.
    f.Weltdirektfestlegen1->trigger();
    f.WorldCommands().WorldTools->ToolButton1->click();
    EXPECT_FALSE(f.WorldCommands().WorldTools->isVisible());
    EXPECT_FALSE(f.Weltdirektfestlegen1->isChecked());

    f.Weltdirektfestlegen1->trigger();
    f.btnDarstell2D->click();  // back to 3D with the box open
    EXPECT_FALSE(f.WeltViews().Is2D());
    EXPECT_TRUE(f.imgTumbo3D->isVisible());
    EXPECT_FALSE(f.WorldCommands().WorldTools->isVisible());
    EXPECT_FALSE(f.Weltdirektfestlegen1->isEnabled());
    EXPECT_FALSE(f.Weltdirektfestlegen1->isChecked());
    EXPECT_FALSE(f.Darstellung2D1->isChecked());
    EXPECT_EQ(f.btnDarstell2D->text(), QStringLiteral("2D"));
}

TEST_P(WorldCommandsAtScale, MouseEditingUsesTheToolThatIsDownWhileTheBoxIsVisible)
{
    TMainForm &f = OpenAtScale(GetParam());
    Key(Qt::Key_F5);
    tumbo::world::TWorldTools &tools = *f.WorldCommands().WorldTools;
    tools.btnZiegel->setChecked(true);
    // The box is hidden: a click edits nothing but hands the keys to the key catcher.
    ClickCell(1, 1);
    EXPECT_EQ(Room().BrickCount(1, 1), 0);
    EXPECT_TRUE(f.DummyEdit->hasFocus());

    Key(Qt::Key_F6);
    ClickCell(1, 1);
    ClickCell(1, 1);
    EXPECT_EQ(Room().BrickCount(1, 1), 2);
    ClickCell(0, 0);  // the robot's cell takes no brick
    EXPECT_EQ(Room().BrickCount(0, 0), 0);
    ClickCell(1, 12);  // below the last row
    tools.btnZiegelD->setChecked(true);
    ClickCell(1, 1);
    EXPECT_EQ(Room().BrickCount(1, 1), 1);

    tools.btnMarke->setChecked(true);
    ClickCell(0, 0);
    EXPECT_TRUE(Room().HasMark(0, 0));
    tools.btnMarkeD->setChecked(true);
    ClickCell(0, 0);
    EXPECT_FALSE(Room().HasMark(0, 0));

    tools.btnQuader->setChecked(true);
    ClickCell(3, 3);
    EXPECT_EQ(Room().ContentAt(3, 3, 0), kQuader);
    tools.btnZiegelD->setChecked(true);  // also takes a cuboid
    ClickCell(3, 3);
    EXPECT_EQ(Room().ContentAt(3, 3, 0), kLeer);

    tools.btnTumbo->setChecked(true);
    ClickCell(2, 4);
    EXPECT_EQ(Status(), QStringList({"3", "5", "S"}));
    ClickCell(1, 1);  // one brick: within the jump height
    EXPECT_EQ(Status(), QStringList({"2", "2", "S"}));

    // With no button down nothing happens.
    tools.btnTumbo->setChecked(false);
    ASSERT_FALSE(tools.SelectedTool());
    const std::string before = f.Welt().SaveToText();
    ClickCell(4, 4);
    EXPECT_EQ(f.Welt().SaveToText(), before);
    EXPECT_TRUE(f.DummyEdit->hasFocus());
    Press(Qt::Key_Up);
    EXPECT_EQ(Status(), QStringList({"2", "3", "S"}));
}

INSTANTIATE_TEST_SUITE_P(ViewScales, WorldCommandsAtScale, ::testing::Values(50, 100, 300));

TEST_F(WorldCommands, NewWorldDialogShowsTheWorldAndRaisesAZeroWidthToOne)
{
    TMainForm &f = OpenWindow();
    WriteFile("high.tdw", WorldBytes(8, 6, 20, 2, 2));
    ASSERT_TRUE(f.FileCommands().OpenWorld(Folder() + QStringLiteral("high.tdw")));
    QList<int> shown;
    WhenModal<tumbo::world::TNewRoomDlg>([&](tumbo::world::TNewRoomDlg *d) {
        shown = {d->speBreite->value(), d->speLaenge->value(), d->speHoehe->value()};
        d->reject();
    });
    f.btnWeltNeu->click();
    EXPECT_EQ(shown, QList<int>({8, 6, 10}));  // a height above 10 shows as 10
    EXPECT_EQ(Room().Width(), 8);
    EXPECT_FALSE(f.WorldFileName.isEmpty());

    WhenModal<tumbo::world::TNewRoomDlg>([&](tumbo::world::TNewRoomDlg *d) {
        d->speLaenge->setValue(3);
        d->speHoehe->setValue(4);
        // A typed 0 is taken as 1 (the room needs a column), and Return confirms.
        auto *edit = d->speBreite->findChild<QLineEdit *>();
        d->speBreite->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("0"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    f.NeueWelt1->trigger();
    EXPECT_EQ(Room().Width(), 1);
    EXPECT_EQ(Room().Length(), 3);
    EXPECT_EQ(Room().MaxHeight(), 4);
    EXPECT_EQ(Status(), QStringList({"1", "1", "S"}));
    EXPECT_TRUE(f.WorldFileName.isEmpty());
    EXPECT_EQ(InfoLines().value(1), QStringLiteral("Welt : "));
    EXPECT_EQ(f.ScrollContent->size(), (f.WeltViews().ShownSize() + QSize(20, 10)).expandedTo(f.ScrollBox->viewport()->size()));
}

TEST_F(WorldCommands, PicturesOfBothViewsAreWrittenInTheChosenFormat)
{
    TMainForm &f = OpenWindow();
    Choose("welt3d");  // no extension: a bitmap
    f.AlsGrafikspeichern1->trigger();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].Title, QStringLiteral("3DWelt als Grafik speichern"));
    EXPECT_EQ(requests_[0].FileName, QStringLiteral("*.bmp"));
    EXPECT_EQ(requests_[0].Directory, f.OpenPath);
    EXPECT_TRUE(requests_[0].Filter.startsWith(QStringLiteral("Windows Bitmap|*.bmp|")));
    EXPECT_TRUE(ReadFile("welt3d.bmp").startsWith("BM"));
    EXPECT_EQ(QImage(Folder() + "welt3d.bmp").size(), f.WeltViews().ViewSize());

    Key(Qt::Key_F5);
    Choose("welt2d");
    Choose("welt2d.svg");
    Choose("welt2d.png");
    for (int i = 0; i < 3; ++i)
        f.AlsGrafikspeichern1->trigger();
    EXPECT_EQ(requests_[1].Title, QStringLiteral("2DWelt als Grafik speichern"));
    EXPECT_EQ(requests_[1].FileName, QStringLiteral("*.emf"));
    EXPECT_TRUE(requests_[1].Filter.startsWith(QStringLiteral("Windows Enhanced Meta File|*.emf|")));
    const QByteArray emf = ReadFile("welt2d.emf");
    ASSERT_GE(emf.size(), 44);
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));  // the header's signature
    EXPECT_TRUE(ReadFile("welt2d.svg").contains("<svg"));
    const QImage png(Folder() + "welt2d.png");
    EXPECT_EQ(png.size(), QSize(160, 331));
    // The robot's black triangle in cell (0, 0), white background outside the room.
    EXPECT_EQ(png.pixelColor(16, 25), QColor(Qt::black));
    EXPECT_EQ(png.pixelColor(158, 329), QColor(Qt::white));

    // A file that cannot be written says so.
    Choose("missing/welt.png");
    f.AlsGrafikspeichern1->trigger();
    ASSERT_FALSE(asked_.empty());
    EXPECT_TRUE(asked_.back().text.contains(QStringLiteral("welt.png")));
}

// Four robot figures in `folder`, of one colour each, named by `names`.
void WriteFigures(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    int i = 0;
    for (const QString &name : names) {
        QImage img(20, 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int y = 5; y < 25; ++y)
            for (int x = 5; x < 15; ++x)
                img.setPixelColor(x, y, QColor(40 * i, 0, 200));
        ASSERT_TRUE(img.save(folder + QLatin1Char('/') + name, "BMP"));
        ++i;
    }
}

TEST_F(WorldCommands, ChangeFigureWantsRobotZeroAndAllFourFiles)
{
    TMainForm &f = OpenWindow();
    const QImage original = f.WeltViews().Pictures().Robot[0];
    WriteFigures(Folder() + "upper", {"ROBOT0.BMP", "ROBOT1.BMP", "ROBOT2.BMP", "ROBOT3.BMP"});
    WriteFigures(Folder() + "three", {"robot0.bmp", "robot1.bmp", "robot3.bmp"});

    Choose("upper/ROBOT1.BMP");
    f.Figurwechseln1->trigger();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].FileName, QStringLiteral("robot0.bmp"));
    EXPECT_EQ(requests_[0].Filter, QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
    EXPECT_TRUE(requests_[0].Directory.endsWith(QStringLiteral("imgs/")));
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].text, QStringLiteral("Es muss eine Bilddatei mit\ndem Namen robot0.bmp ausgewählt werden."));
    EXPECT_EQ(f.WeltViews().Pictures().Robot[0], original);

    Choose("three/robot0.bmp");
    f.Figurwechseln1->trigger();
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_EQ(asked_[1].text, QStringLiteral("Es müss vier Bilddateien mit den Namen\nrobot0.bmp, robot1.bmp, "
                                             "robot2.bmp und robot3.bmp\nvorliegen."));
    EXPECT_EQ(f.WeltViews().Pictures().Robot[0], original);

    Choose("upper/ROBOT0.BMP");
    f.Figurwechseln1->trigger();
    EXPECT_EQ(asked_.size(), 2u);
    const QImage changed = f.WeltViews().Pictures().Robot[2];
    EXPECT_EQ(changed.size(), QSize(20, 30));
    EXPECT_EQ(changed.pixelColor(10, 10).rgb(), QColor(80, 0, 200).rgb());
    EXPECT_EQ(qAlpha(changed.pixel(0, 0)), 0);  // its own top-left colour is transparent

    Choose("");  // cancelled: nothing
    f.Figurwechseln1->trigger();
    EXPECT_EQ(asked_.size(), 2u);
}

}  // namespace
}  // namespace tumbo::app::test
