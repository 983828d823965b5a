// The top-down map of the world: one 30 x 30 square per cell, coloured by what lies on
// it, the brick count written in, the robot as a black triangle pointing where it looks.
// It keeps no picture of its own: it paints onto whatever painter it is given (the
// paint box, an image, a metafile, SVG).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

#include "world/qt/shown_cells.h"
#include "world/qt/welt_colors.h"
#include "world/qt/view_scale.h"

class QPainter;
class TWelt;

class TWeltView2D {
public:
  explicit TWeltView2D(TWelt& welt);

  // Pixel of a room point in cell units: (30x + 1, 30y + 10), rounded.
  static QPoint Project2D(double x, double y);
  // The same point in device pixels at `scale` (Project2D at scale 1).
  static QPoint Project2D(double x, double y, TViewScale scale);
  // The cell under a pixel, each coordinate truncated toward zero; it may lie outside
  // the room (the caller checks).
  static QPoint CellAt2D(int px, int py);
  // The cell under a device pixel of a paint box drawn at `scale`.
  static QPoint CellAt2D(QPoint device, TViewScale scale);

  // The colours it paints with (TWorldColors::Usual() until set); redraws.
  void SetColors(const TWorldColors& colors);
  const TWorldColors& Colors() const { return *colors_; }

  // The paint box's size from the room's dimensions.
  void ComputeGeometry2D();
  QSize Size() const { return size_; }

  // Paints the block of cells x1 <= x < x2, y1 <= y < y2: clears it, draws its grid
  // lines, then each cell's bricks, cuboid, mark and robot; in device pixels at `scale`.
  void PaintCells2D(QPainter& p, int x1, int y1, int x2, int y2, TViewScale scale = {}) const;
  // Paints the rectangle `exposed` (device pixels at `scale`) of the paint box:
  // background, then the cells that reach into it, clipped to it. Cells changed since the
  // last update that it draws are repainted by the next update, whatever they look like then.
  void Paint(QPainter& p, const QRect& exposed, TViewScale scale = {}) const;
  // The whole paint box: white (background colour) and every cell.
  void PaintAll(QPainter& p) const;

  // Asks for a repaint of the cells whose Dirty flags are set and that look different from
  // when they were last named (a few rectangles, cells side by side joined), then clears
  // the flags.
  void UpdateView();
  // Asks for a repaint of the whole paint box and clears all Dirty flags.
  void RedrawAll();

  // Receives the pixel rectangles to repaint (the paint box's update()).
  void SetRepaintHook(std::function<void(const QRect&)> hook) { repaint_ = std::move(hook); }

  // Pixels of a block of cells, grid lines on all four sides included.
  static QRect CellsRect(int x1, int y1, int x2, int y2);

private:
  // PaintCells2D, drawing only the grid lines and cells that reach into `area` (device pixels).
  void PaintCellsIn(QPainter& p, int x1, int y1, int x2, int y2, TViewScale scale, const QRect& area) const;
  // A paint of `area` (pixels at scale 1) showed the cells changed since the last update
  // as they are now, not as they were named: the next update repaints them.
  void ForgetPaintedChanges(const QRect& area) const;

  // Width of the grid and outline lines at `scale`, in device pixels.
  int LineWidth(TViewScale scale) const;

  TWelt& welt_;
  const TWorldColors* colors_ = &TWorldColors::Usual();
  QSize size_;
  // What the last update named of each cell; paints between updates make it forget.
  mutable TShownCells shown_;
  std::function<void(const QRect&)> repaint_;
};
