#pragma once
// The world side of the main window: the view switch, the tool box and mouse editing in
// the 2D view, the new-world dialog, the robot buttons and keys, clearing and restoring
// the world, saving it as a picture and exchanging the robot's figure. The window creates
// it once the world's views exist; it enables and connects the world buttons and menu
// items itself and catches the robot keys of DummyEdit.
#include <QObject>
#include <QPoint>

#include "app/world/world_restore_point.h"

namespace tumbo::world {
class TWorldTools;
class TNewRoomDlg;
}  // namespace tumbo::world

namespace tumbo::app {

class TMainForm;

class TWorldCommands : public QObject {
    Q_OBJECT
public:
    explicit TWorldCommands(TMainForm &form);

    void SwitchViewCommand();    // F5
    void WorldToolsCommand();    // F6
    void NewWorldCommand();
    void ClearWorldCommand();    // "Welt löschen"
    void RestoreWorldCommand();  // "Welt wiederherstellen"
    void SaveWorldPictureCommand();
    void ChangeFigureCommand();
    // A robot key of DummyEdit (Qt key code); false for any other key.
    bool RobotKey(int key);
    // The world pane takes the keys: robot keys move the robot until the editor is clicked.
    void GiveKeysToWorld();

    // The world before the last "Welt löschen", "Neue Welt" or world opened over a changed one.
    TWorldRestorePoint RestorePoint;

    tumbo::world::TWorldTools *WorldTools = nullptr;
    tumbo::world::TNewRoomDlg *NewRoomDlg = nullptr;

protected:
    // The robot keys of DummyEdit.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Connect();
    void PaintBoxPressed(QPoint pos);

    TMainForm &form_;
};

}  // namespace tumbo::app
