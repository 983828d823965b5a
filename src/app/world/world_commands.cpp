// The world side of the main window: the view switch, the tool box and mouse editing in
// the 2D view, the new-world dialog, the robot buttons and keys, clearing and restoring
// the world, saving it as a picture and exchanging the robot's figure.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>

#include "app/history/run_history.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "text/cp1252.h"
#include "world/qt/new_room_dlg.h"
#include "world/qt/welt_pictures.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_picture.h"
#include "world/qt/world_tools.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

}  // namespace

void TMainForm::ConnectWorldCommands()
{
    auto button = [this](const char *name) {
        auto *b = findChild<QToolButton *>(QString::fromLatin1(name));
        Q_ASSERT(b);
        b->setEnabled(true);
        return b;
    };
    btnWeltNeu = button("btnWeltNeu");
    btnWeltOeffnen = button("btnWeltOeffnen");
    btnWeltSpeichern = button("btnWeltSpeichern");
    btnTumboLinks = button("btnTumboLinks");
    btnTumboVor = button("btnTumboVor");
    btnTumboRechts = button("btnTumboRechts");
    btnTumboHinlegen = button("btnTumboHinlegen");
    btnTumboAufheben = button("btnTumboAufheben");
    btnTumboMarke = button("btnTumboMarke");
    btnTumboQuaderAbl = button("btnTumboQuaderAbl");
    btnTumboQuaderEntf = button("btnTumboQuaderEntf");
    btnWeltLoeschen = button("btnWeltLoeschen");
    btnWeltWiederherstellen = button("btnWeltWiederherstellen");
    btnDarstell2D = button("btnDarstell2D");

    const std::pair<QToolButton *, int> robotButtons[] = {
        {btnTumboLinks, Qt::Key_Left},    {btnTumboVor, Qt::Key_Up},      {btnTumboRechts, Qt::Key_Right},
        {btnTumboHinlegen, Qt::Key_H},    {btnTumboAufheben, Qt::Key_A},  {btnTumboMarke, Qt::Key_M},
        {btnTumboQuaderAbl, Qt::Key_Q},   {btnTumboQuaderEntf, Qt::Key_E},
    };
    for (const auto &[b, key] : robotButtons)
        connect(b, &QToolButton::clicked, this, [this, key = key] { RobotKey(key); });
    connect(btnWeltNeu, &QToolButton::clicked, this, &TMainForm::NewWorldCommand);
    connect(btnWeltLoeschen, &QToolButton::clicked, this, &TMainForm::ClearWorldCommand);
    connect(btnWeltWiederherstellen, &QToolButton::clicked, this, &TMainForm::RestoreWorldCommand);
    connect(btnDarstell2D, &QToolButton::clicked, this, &TMainForm::SwitchViewCommand);

    for (QAction *a : {NeueWelt1, AlsGrafikspeichern1, Weltloeschen1, Darstellung2D1, Figurwechseln1})
        a->setEnabled(true);
    connect(NeueWelt1, &QAction::triggered, this, &TMainForm::NewWorldCommand);
    connect(AlsGrafikspeichern1, &QAction::triggered, this, &TMainForm::SaveWorldPictureCommand);
    connect(Weltloeschen1, &QAction::triggered, this, &TMainForm::ClearWorldCommand);
    connect(Darstellung2D1, &QAction::triggered, this, &TMainForm::SwitchViewCommand);
    connect(Weltdirektfestlegen1, &QAction::triggered, this, &TMainForm::WorldToolsCommand);
    connect(Figurwechseln1, &QAction::triggered, this, &TMainForm::ChangeFigureCommand);

    WorldTools = new tumbo::world::TWorldTools(this);
    WorldTools->setObjectName(QStringLiteral("WorldTools"));
    connect(WorldTools, &tumbo::world::TWorldTools::Hidden, this,
            [this] { Weltdirektfestlegen1->setChecked(false); });
    connect(weltQt_->PaintBox2D(), &TPaintBox2D::Pressed, this,
            [this](QPoint pos, Qt::MouseButton) { PaintBoxPressed(pos); });
    DummyEdit->installEventFilter(this);
}

// ---------------------------------------------------------------- views and editing

void TMainForm::SwitchViewCommand()
{
    const bool to2D = !weltQt_->Is2D();
    weltQt_->SetIs2D(to2D);
    Darstellung2D1->setChecked(to2D);
    btnDarstell2D->setText(to2D ? QStringLiteral("3D") : QStringLiteral("2D"));
    btnDarstell2D->setToolTip(to2D ? QStringLiteral("3D Darstellung") : QStringLiteral("2D Darstellung"));
    Weltdirektfestlegen1->setEnabled(to2D);
    if (!to2D) {
        WorldTools->hide();
        Weltdirektfestlegen1->setChecked(false);
    }
    UpdateScrollRanges();
    welt_->RedrawAll();
}

void TMainForm::WorldToolsCommand()
{
    if (!weltQt_->Is2D()) {
        Weltdirektfestlegen1->setChecked(false);
        return;
    }
    if (WorldTools->isVisible()) {
        WorldTools->hide();
        Weltdirektfestlegen1->setChecked(false);
        return;
    }
    // The first time, the box goes where it covers none of the map (beside it or below
    // it, inside the window), else into the upper right corner of the world area;
    // afterwards it stays where the user moved it.
    if (!WorldTools->property("placed").toBool()) {
        WorldTools->adjustSize();
        const QSize box(tumbo::world::TWorldTools::BoxWidth, WorldTools->frameGeometry().height());
        const QWidget *area = ScrollBox->viewport();
        const QRect map(pbTumbo2D->mapToGlobal(QPoint(0, 0)), pbTumbo2D->size());
        const QRect view(area->mapToGlobal(QPoint(0, 0)), area->size());
        const QRect window(mapToGlobal(QPoint(0, 0)), size());
        constexpr int gap = 12;
        const QPoint candidates[] = {
            {map.right() + gap, view.top() + gap},
            {view.right() - box.width() - gap, map.bottom() + gap},
            {map.left(), map.bottom() + gap},
        };
        QPoint place(view.right() - box.width() - gap, view.top() + gap);
        for (const QPoint &p : candidates) {
            const QRect r(p, box);
            if (window.contains(r) && !r.intersects(map.intersected(view))) {
                place = p;
                break;
            }
        }
        WorldTools->move(place);
        WorldTools->setProperty("placed", true);
    }
    WorldTools->show();
    Weltdirektfestlegen1->setChecked(true);
}

void TMainForm::PaintBoxPressed(QPoint pos)
{
    // An earlier step of the run is shown: the world is history, not to be edited.
    if (WorldTools->isVisible() && !history_->Behind()) {
        if (const auto tool = WorldTools->SelectedTool()) {
            if (tool->put)
                weltQt_->EditAdd(pos.x(), pos.y(), tool->item);
            else
                weltQt_->EditRemove(pos.x(), pos.y(), tool->item);
            // The robot tool moves the robot: the fields follow.
            runControl_->UpdateStatusFields();
        }
    }
    DummyEdit->setFocus();
}

void TMainForm::NewWorldCommand()
{
    if (!NewRoomDlg) {
        NewRoomDlg = new tumbo::world::TNewRoomDlg(this);
        NewRoomDlg->setObjectName(QStringLiteral("dlgNewRoom"));
    }
    const TRaum &room = welt_->Room;
    NewRoomDlg->SetExtent(room.Width(), room.Length(), room.MaxHeight());
    if (NewRoomDlg->exec() != QDialog::Accepted)
        return;
    welt_->NewWorld(NewRoomDlg->RoomWidth(), NewRoomDlg->RoomLength(), NewRoomDlg->RoomHeight());
    runControl_->UpdateStatusFields();
    WorldFileName.clear();
    runControl_->ResetInfoList();
    UpdateScrollRanges();
}

// ---------------------------------------------------------------- the robot by hand

bool TMainForm::RobotKey(int key)
{
    static constexpr int kRobotKeys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_H,
                                         Qt::Key_A,    Qt::Key_M,  Qt::Key_Q,     Qt::Key_E};
    if (std::find(std::begin(kRobotKeys), std::end(kRobotKeys), key) == std::end(kRobotKeys))
        return false;
    // While an earlier step of the run is shown the key is taken but does nothing.
    if (history_->Behind())
        return true;
    TTumbo &robot = welt_->Robot;
    bool moved = true;  // turns and steps change the status fields
    switch (key) {
    case Qt::Key_Left:
        robot.LinksDrehen();
        break;
    case Qt::Key_Up:
        robot.Schritt(1);
        break;
    case Qt::Key_Right:
        robot.RechtsDrehen();
        break;
    case Qt::Key_Down:
        // A step backwards: about turn, step, about turn; the heading is kept either way.
        robot.LinksDrehen();
        robot.LinksDrehen();
        robot.Schritt(1);
        robot.LinksDrehen();
        robot.LinksDrehen();
        break;
    case Qt::Key_H:
        robot.Hinlegen(1);
        moved = false;
        break;
    case Qt::Key_A:
        robot.Aufheben(1);
        moved = false;
        break;
    case Qt::Key_M:
        if (robot.Room.HasMark(robot.X, robot.Y))
            robot.MarkeLoeschen();
        else
            robot.MarkeSetzen();
        moved = false;
        break;
    case Qt::Key_Q:
        robot.QuaderAufstellen();
        moved = false;
        break;
    case Qt::Key_E:
        robot.QuaderEntfernen();
        moved = false;
        break;
    default:
        return false;
    }
    // A failure is not shown: the robot keeps its message for the next run, which resets it.
    welt_->UpdateView();
    if (moved)
        runControl_->UpdateStatusFields();
    return true;
}

// ---------------------------------------------------------------- the world as a whole

void TMainForm::ClearWorldCommand()
{
    welt_->Clear();
    runControl_->UpdateStatusFields();
    WorldFileName.clear();
    runControl_->ResetInfoList();
}

void TMainForm::RestoreWorldCommand()
{
    if (!WorldFileName.isEmpty() && QFileInfo(WorldFileName).isFile()) {
        const TWorldFileResult r = welt_->LoadFromFile(WorldFileName.toStdString());
        if (!r.Ok())
            ShowError(FromCore(r.Message));
    } else {
        runControl_->RestoreSavedWorld();
    }
    runControl_->UpdateStatusFields();
    runControl_->ResetInfoList();
    UpdateScrollRanges();
}

void TMainForm::SaveWorldPictureCommand()
{
    const bool is2D = weltQt_->Is2D();
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Directory = OpenPath;
    if (is2D) {
        request.Title = QStringLiteral("2DWelt als Grafik speichern");
        request.Filter = QStringLiteral("Windows Enhanced Meta File|*.emf|SVG-Grafik|*.svg|PNG-Bild|*.png|"
                                        "Alle Dateien (*.*)|*.*");
        request.DefaultSuffix = QStringLiteral("emf");
    } else {
        request.Title = QStringLiteral("3DWelt als Grafik speichern");
        request.Filter = QStringLiteral("Windows Bitmap|*.bmp|PNG-Bild|*.png|Alle Dateien (*.*)|*.*");
        request.DefaultSuffix = QStringLiteral("bmp");
    }
    request.FileName = QStringLiteral("*.") + request.DefaultSuffix;
    const QString name = WithDefaultSuffix(AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return;
    // The 3D picture is a bitmap whatever the name; the 2D map a metafile unless the name asks
    // for SVG or PNG.
    const std::optional<TPictureFormat> named = PictureFormatOf(name);
    TPictureFormat format = is2D ? TPictureFormat::Emf : TPictureFormat::Bmp;
    if (named == TPictureFormat::Png || (is2D && named == TPictureFormat::Svg))
        format = *named;
    QString error;
    if (!SaveWorldPicture(*weltQt_, name, format, &error))
        ShowError(error);
}

void TMainForm::ChangeFigureCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Figur wechseln");
    request.Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");
    request.DefaultSuffix = QStringLiteral("bmp");
    request.Directory = TWeltPictures::DefaultFolder() + QLatin1Char('/');
    request.FileName = QStringLiteral("robot0.bmp");
    const QString chosen = AskFileName(request);
    if (chosen.isEmpty())
        return;
    const QFileInfo file(chosen);
    if (file.fileName().compare(QLatin1String("robot0.bmp"), Qt::CaseInsensitive) != 0) {
        ShowError(QStringLiteral("Es muss eine Bilddatei mit\ndem Namen robot0.bmp ausgewählt werden."));
        return;
    }
    const QString folder = file.absolutePath();
    for (int i = 1; i <= 3; ++i) {
        if (FindFileIgnoringCase(folder, QStringLiteral("robot%1.bmp").arg(i)).isEmpty()) {
            ShowError(QStringLiteral("Es müss vier Bilddateien mit den Namen\nrobot0.bmp, robot1.bmp, robot2.bmp "
                                     "und robot3.bmp\nvorliegen."));
            return;
        }
    }
    if (!weltQt_->LoadRobotPictures(folder))
        ShowError(QStringLiteral("Die Bilder der Figur im Ordner „%1“ können nicht gelesen werden.")
                      .arg(QDir::toNativeSeparators(folder)));
}

}  // namespace tumbo::app
