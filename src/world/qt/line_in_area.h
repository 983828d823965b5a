// A straight line drawn only as far as it can show in a small area of a large view. Qt's
// raster engine walks a dashed line's pattern from its start even where the line is clipped
// away, so a repaint of a few cells would otherwise cost what the room's longest lines cost.
#pragma once

#include <QPoint>
#include <QRect>

class QPainter;

// Draws the line from `a` to `b` (device pixels) with the painter's pen, unless it misses
// `area` (which must already be widened by the pen's width). A line along the pixel grid
// or its diagonals is cut short a few pixels beyond the area, at whole pixels of the line,
// so that every pixel in the area comes out as the whole line draws it; a dashed line is
// cut only at its end, because its pattern begins at `a`.
void DrawLineIn(QPainter& p, QPoint a, QPoint b, const QRect& area, bool dashed);
