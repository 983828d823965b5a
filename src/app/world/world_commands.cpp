#include "app/world/world_commands.h"

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
#include "app/window/status_bar.h"
#include "text/cp1252.h"
#include "world/qt/new_room_dlg.h"
#include "world/qt/welt_pictures.h"
#include "world/qt/welt_qt.h"
#include "world/qt/world_picture.h"
#include "world/qt/world_tools.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

const QString kBehindNote = QStringLiteral(
    "Ein früherer Schritt wird gezeigt. Erst zum neuesten Schritt zurückkehren, dann lässt sich die Welt ändern.");

QString FromCore(const std::string &cp1252)
{
    return QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
}

}  // namespace

TWorldCommands::TWorldCommands(TMainForm &form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("WorldCommands"));
    Connect();
}

void TWorldCommands::Connect()
{
    for (QToolButton *b : {form_.btnWeltNeu, form_.btnWeltOeffnen, form_.btnWeltSpeichern, form_.btnTumboLinks,
                           form_.btnTumboVor, form_.btnTumboRechts, form_.btnTumboHinlegen, form_.btnTumboAufheben,
                           form_.btnTumboMarke, form_.btnTumboQuaderAbl, form_.btnTumboQuaderEntf,
                           form_.btnWeltLoeschen, form_.btnWeltWiederherstellen, form_.btnDarstell2D})
        b->setEnabled(true);
    const std::pair<QToolButton *, int> robotButtons[] = {
        {form_.btnTumboLinks, Qt::Key_Left},     {form_.btnTumboVor, Qt::Key_Up},
        {form_.btnTumboRechts, Qt::Key_Right},   {form_.btnTumboHinlegen, Qt::Key_H},
        {form_.btnTumboAufheben, Qt::Key_A},     {form_.btnTumboMarke, Qt::Key_M},
        {form_.btnTumboQuaderAbl, Qt::Key_Q},    {form_.btnTumboQuaderEntf, Qt::Key_E},
    };
    for (const auto &[b, key] : robotButtons)
        connect(b, &QToolButton::clicked, this, [this, key = key] {
            RobotKey(key);
            GiveKeysToWorld();
        });
    connect(form_.btnWeltNeu, &QToolButton::clicked, this, &TWorldCommands::NewWorldCommand);
    connect(form_.btnWeltLoeschen, &QToolButton::clicked, this, &TWorldCommands::ClearWorldCommand);
    connect(form_.btnWeltWiederherstellen, &QToolButton::clicked, this, &TWorldCommands::RestoreWorldCommand);
    connect(form_.btnDarstell2D, &QToolButton::clicked, this, &TWorldCommands::SwitchViewCommand);

    for (QAction *a :
         {form_.NeueWelt1, form_.AlsGrafikspeichern1, form_.Weltloeschen1, form_.Darstellung2D1, form_.Figurwechseln1})
        a->setEnabled(true);
    connect(form_.NeueWelt1, &QAction::triggered, this, &TWorldCommands::NewWorldCommand);
    connect(form_.AlsGrafikspeichern1, &QAction::triggered, this, &TWorldCommands::SaveWorldPictureCommand);
    connect(form_.Weltloeschen1, &QAction::triggered, this, &TWorldCommands::ClearWorldCommand);
    connect(form_.Darstellung2D1, &QAction::triggered, this, &TWorldCommands::SwitchViewCommand);
    connect(form_.Weltdirektfestlegen1, &QAction::triggered, this, &TWorldCommands::WorldToolsCommand);
    connect(form_.Figurwechseln1, &QAction::triggered, this, &TWorldCommands::ChangeFigureCommand);

    WorldTools = new tumbo::world::TWorldTools(&form_);
    WorldTools->setObjectName(QStringLiteral("WorldTools"));
    connect(WorldTools, &tumbo::world::TWorldTools::Hidden, this,
            [this] { form_.Weltdirektfestlegen1->setChecked(false); });
    // A tool chosen in the box leaves the keys with the robot, not with the box.
    for (QToolButton *b : WorldTools->findChildren<QToolButton *>())
        connect(b, &QToolButton::clicked, this, &TWorldCommands::GiveKeysToWorld);
    connect(form_.WeltViews().PaintBox2D(), &TPaintBox2D::Pressed, this,
            [this](QPoint pos, Qt::MouseButton) { PaintBoxPressed(pos); });
    form_.DummyEdit->installEventFilter(this);
}

// ---------------------------------------------------------------- views and editing

void TWorldCommands::SwitchViewCommand()
{
    const bool to2D = !form_.WeltViews().Is2D();
    form_.WeltViews().SetIs2D(to2D);
    form_.Darstellung2D1->setChecked(to2D);
    form_.btnDarstell2D->setText(to2D ? QStringLiteral("3D") : QStringLiteral("2D"));
    form_.btnDarstell2D->setToolTip(to2D ? QStringLiteral("3D Darstellung") : QStringLiteral("2D Darstellung"));
    form_.Weltdirektfestlegen1->setEnabled(to2D);
    if (!to2D) {
        WorldTools->hide();
        form_.Weltdirektfestlegen1->setChecked(false);
    }
    form_.UpdateScrollRanges();
    form_.Welt().RedrawAll();
}

void TWorldCommands::WorldToolsCommand()
{
    if (!form_.WeltViews().Is2D()) {
        form_.Weltdirektfestlegen1->setChecked(false);
        return;
    }
    if (WorldTools->isVisible()) {
        WorldTools->hide();
        form_.Weltdirektfestlegen1->setChecked(false);
        return;
    }
    // The first time, the box goes where it covers none of the map (beside it or below
    // it, inside the window), else into the upper right corner of the world area;
    // afterwards it stays where the user moved it.
    if (!WorldTools->property("placed").toBool()) {
        WorldTools->adjustSize();
        const QSize box(tumbo::world::TWorldTools::BoxWidth, WorldTools->frameGeometry().height());
        const QWidget *area = form_.ScrollBox->viewport();
        const QRect map(form_.pbTumbo2D->mapToGlobal(QPoint(0, 0)), form_.pbTumbo2D->size());
        const QRect view(area->mapToGlobal(QPoint(0, 0)), area->size());
        const QRect window(form_.mapToGlobal(QPoint(0, 0)), form_.size());
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
    form_.Weltdirektfestlegen1->setChecked(true);
}

void TWorldCommands::PaintBoxPressed(QPoint pos)
{
    // An earlier step of the run is shown: the world is history, not to be edited.
    const auto tool = WorldTools->isVisible() ? WorldTools->SelectedTool() : std::nullopt;
    if (tool && form_.History().Behind()) {
        form_.StatusLine->ShowNote(kBehindNote);
    } else if (tool) {
        form_.History().LeaveReplay();
        if (tool->put)
            form_.WeltViews().EditAdd(pos.x(), pos.y(), tool->item);
        else
            form_.WeltViews().EditRemove(pos.x(), pos.y(), tool->item);
        // The robot tool moves the robot: the fields follow.
        form_.RunControl().UpdateStatusFields();
    }
    GiveKeysToWorld();
}

void TWorldCommands::NewWorldCommand()
{
    if (!NewRoomDlg) {
        NewRoomDlg = new tumbo::world::TNewRoomDlg(&form_);
        NewRoomDlg->setObjectName(QStringLiteral("dlgNewRoom"));
    }
    const TRaum &room = form_.Welt().Room;
    NewRoomDlg->SetExtent(room.Width(), room.Length(), room.MaxHeight());
    if (NewRoomDlg->exec() != QDialog::Accepted)
        return;
    RestorePoint.Keep(form_.Welt(), form_.WorldFileName);
    form_.Welt().NewWorld(NewRoomDlg->RoomWidth(), NewRoomDlg->RoomLength(), NewRoomDlg->RoomHeight());
    form_.RunControl().UpdateStatusFields();
    form_.WorldFileName.clear();
    form_.RunControl().ResetInfoList();
    form_.UpdateScrollRanges();
}

// ---------------------------------------------------------------- the robot by hand

void TWorldCommands::GiveKeysToWorld()
{
    form_.activateWindow();
    form_.DummyEdit->setFocus(Qt::OtherFocusReason);
}

bool TWorldCommands::RobotKey(int key)
{
    static constexpr int kRobotKeys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_H,
                                         Qt::Key_A,    Qt::Key_M,  Qt::Key_Q,     Qt::Key_E};
    if (std::find(std::begin(kRobotKeys), std::end(kRobotKeys), key) == std::end(kRobotKeys))
        return false;
    // While an earlier step of the run is shown the key is taken, and the note says why
    // it does nothing.
    if (form_.History().Behind()) {
        form_.StatusLine->ShowNote(kBehindNote);
        return true;
    }
    form_.History().LeaveReplay();
    TTumbo &robot = form_.Welt().Robot;
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
    form_.Welt().UpdateView();
    form_.KeepRobotInSight();
    if (moved)
        form_.RunControl().UpdateStatusFields();
    return true;
}

bool TWorldCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != form_.DummyEdit)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Menu shortcuts come first, also those the line edit would keep (Ctrl+A, …).
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return true;
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        // Robot keys act; any other key does nothing (and types nothing).
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            RobotKey(key->key());
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- the world as a whole

void TWorldCommands::ClearWorldCommand()
{
    RestorePoint.Keep(form_.Welt(), form_.WorldFileName);
    form_.Welt().Clear();
    form_.RunControl().UpdateStatusFields();
    form_.WorldFileName.clear();
    form_.RunControl().ResetInfoList();
}

void TWorldCommands::RestoreWorldCommand()
{
    if (const std::optional<QString> fileName = RestorePoint.Restore(form_.Welt())) {
        form_.WorldFileName = *fileName;
    } else if (!form_.WorldFileName.isEmpty() && QFileInfo(form_.WorldFileName).isFile()) {
        const TWorldFileResult r = form_.Welt().LoadFromFile(form_.WorldFileName.toStdString());
        if (!r.Ok())
            form_.ShowError(FromCore(r.Message));
    } else {
        form_.RunControl().RestoreSavedWorld();
    }
    form_.RunControl().UpdateStatusFields();
    form_.RunControl().ResetInfoList();
    form_.UpdateScrollRanges();
}

void TWorldCommands::SaveWorldPictureCommand()
{
    const bool is2D = form_.WeltViews().Is2D();
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Save;
    request.Directory = form_.OpenPath;
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
    const QString name = WithDefaultSuffix(form_.AskFileName(request), request.DefaultSuffix);
    if (name.isEmpty())
        return;
    // The 3D picture is a bitmap whatever the name; the 2D map a metafile unless the name asks
    // for SVG or PNG.
    const std::optional<TPictureFormat> named = PictureFormatOf(name);
    TPictureFormat format = is2D ? TPictureFormat::Emf : TPictureFormat::Bmp;
    if (named == TPictureFormat::Png || (is2D && named == TPictureFormat::Svg))
        format = *named;
    QString error;
    if (!SaveWorldPicture(form_.WeltViews(), name, format, &error))
        form_.ShowError(error);
}

void TWorldCommands::ChangeFigureCommand()
{
    FileDialogRequest request;
    request.DialogKind = FileDialogRequest::Open;
    request.Title = QStringLiteral("Figur wechseln");
    request.Filter = QStringLiteral("Bitmaps (*.bmp)|*.bmp");
    request.DefaultSuffix = QStringLiteral("bmp");
    request.Directory = TWeltPictures::DefaultFolder() + QLatin1Char('/');
    request.FileName = QStringLiteral("robot0.bmp");
    const QString chosen = form_.AskFileName(request);
    if (chosen.isEmpty())
        return;
    const QFileInfo file(chosen);
    if (file.fileName().compare(QLatin1String("robot0.bmp"), Qt::CaseInsensitive) != 0) {
        form_.ShowError(QStringLiteral("Es muss eine Bilddatei mit\ndem Namen robot0.bmp ausgewählt werden."));
        return;
    }
    const QString folder = file.absolutePath();
    for (int i = 1; i <= 3; ++i) {
        if (FindFileIgnoringCase(folder, QStringLiteral("robot%1.bmp").arg(i)).isEmpty()) {
            form_.ShowError(QStringLiteral("Es müss vier Bilddateien mit den Namen\nrobot0.bmp, robot1.bmp, robot2.bmp "
                                     "und robot3.bmp\nvorliegen."));
            return;
        }
    }
    if (!form_.WeltViews().LoadRobotPictures(folder))
        form_.ShowError(QStringLiteral("Die Bilder der Figur im Ordner „%1“ können nicht gelesen werden.")
                      .arg(QDir::toNativeSeparators(folder)));
}

}  // namespace tumbo::app
