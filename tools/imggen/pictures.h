// The world's pictures, drawn to fit the cell geometry: each is returned with smooth
// colours on a transparent background; Flatten turns it into a keyed bitmap.
#pragma once

#include <QImage>

QImage BrickPicture();             // one brick: one level of one cell
QImage CuboidPicture();            // a cuboid: two levels of one cell
QImage MarkPicture();              // a mark lying on the top of a cell's stack
QImage RobotPicture(int heading);  // 0 south, 1 west, 2 north, 3 east
