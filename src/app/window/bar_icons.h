#pragma once
// The pictures of the window's own tool buttons, drawn here (no picture files): the robot's
// hand commands in the world's colours, clearing and restoring the world, the 2D/3D switch
// and the single step of a run.
#include <QIcon>

namespace tumbo::app {

enum class TBarIcon { LayBrick, LiftBrick, Mark, PutCuboid, RemoveCuboid, ClearWorld, RestoreWorld, View2D, SingleStep };

QIcon BarIcon(TBarIcon which);

}  // namespace tumbo::app
