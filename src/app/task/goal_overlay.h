#pragma once
// The goal of a task drawn over the world views. The views hand over their geometry: the 2D
// map a function from cell to pixel rectangle, the 3D picture its projection of room points,
// both at the scale they are drawn at; lines are `scale` times as wide as at scale 1.
#include <QPoint>
#include <QRect>
#include <functional>

#include "world/world_file.h"

class QPainter;
struct TScaledPictures;

namespace tumbo::app {

// 2D: every cell whose checked contents differ from the goal is framed and shows what the goal
// has there (its brick count, "Q" for a cuboid, "M" for a mark); the goal robot is an outlined
// triangle when position or heading are checked.
void PaintGoal2D(QPainter& p, const TRaum& room, const TWorldFileContent& goal, unsigned criteria,
                 double scale, const std::function<QRect(int x, int y)>& cellRect);

// 3D: in every field whose checked contents differ from the goal, the goal's bricks, cuboid and
// mark half transparent, with the view's own pictures at the view's places (`project` gives the
// device point of a room point, pictures stand on it with their bottom-left corner); the goal
// robot as an outline of its field and an arrow for its heading, on the goal's floor there.
void PaintGoal3D(QPainter& p, const TRaum& room, const TWorldFileContent& goal, unsigned criteria,
                 const TScaledPictures& pictures, double scale,
                 const std::function<QPoint(double x, double y, double z)>& project);

}  // namespace tumbo::app
