// The world's pictures, drawn to fit the cell geometry: each is returned with smooth
// colours on a transparent background, `scale` times as large as at scale 1 (where a cell
// is 30 pixels wide). Flatten turns a picture into a keyed bitmap.
#pragma once

#include <QImage>

QImage BrickPicture(double scale = 1.0);             // one brick: one level of one cell
QImage CuboidPicture(double scale = 1.0);            // a cuboid: two levels of one cell
QImage MarkPicture(double scale = 1.0);              // a mark lying on the top of a cell's stack
QImage RobotPicture(int heading, double scale = 1.0);  // 0 south, 1 west, 2 north, 3 east
