// The oblique 3D picture of the world: the floor grid seen from above and in front, the
// back and left walls dashed, a north arrow, and the pictures of bricks, cuboids, marks
// and the robot, painted from back to front. The picture at scale 1 is kept in an image
// (exports, the command line); screens draw the view at their own scale straight from
// the world. An update names only the areas around the levels that changed.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

#include <vector>

#include "world/qt/dirty_rects.h"
#include "world/qt/shown_cells.h"
#include "world/qt/view_scale.h"
#include "world/qt/welt_colors.h"
#include "world/qt/welt_pictures.h"

class TWelt;

class TWeltView3D {
public:
  TWeltView3D(TWelt& welt, const TWeltPictures& pictures);

  // Screen point of a room point in cell units (x east, y south, z up), each
  // coordinate rounded to the nearest pixel (halves upward).
  QPoint Project3D(double x, double y, double z) const;

  // OffX, OffY and the view size from the room's dimensions; the image takes the new
  // size (contents undefined until ClearView or a repaint).
  void ComputeGeometry3D();
  // The grid takes the colours' grid colour and thinnest line (the pictures keep theirs);
  // the background is drawn anew and the whole view repainted.
  void SetColors(const TWorldColors& colors);

  // Fills the whole view with the background colour.
  void ClearView();
  // Background: resized to the view and drawn anew.
  void RebuildBackground();
  // Fill, floor grid, walls and north arrow, into `target` (of the view's size).
  void DrawBackground(QImage& target) const;

  // Repaints the rectangle [l, r) x [t, b) of the view from the background and every
  // picture that reaches into it, back to front.
  void PaintRegion3D(int l, int t, int r, int b);
  // Names the areas around the dirty levels of the cells that look different from when
  // they were last named (a few rectangles) as changed and clears the Dirty flags.
  void UpdateView();
  // Names the whole view as changed and clears the Dirty flags.
  void RedrawAll();

  // Draws the device rectangle `area` of the view at `scale` onto `p` (whose device
  // pixels the scale counts): background, grid, walls, arrow and pictures, clipped to
  // the area. At scale 1 it gives the pixels of Image(). Cells changed since the last
  // update that it draws are repainted by the next update, whatever they look like then.
  void Paint(QPainter& p, const QRect& area, TViewScale scale) const;

  // Called with each changed rectangle (view pixels at scale 1); the widget repaints it.
  void SetRepaintHook(std::function<void(const QRect&)> hook) { repaint_ = std::move(hook); }

  // Where the robot's picture stands (view pixels at scale 1).
  QRect RobotPictureRect() const;

  int OffX() const { return offX_; }
  int OffY() const { return offY_; }
  QSize Size() const { return size_; }
  // The picture at scale 1, brought up to date with every change named so far.
  const QImage& Image() const;
  const QImage& Background() const { return background_; }

private:
  void Changed(const QRect& r);
  void PaintInto(QImage& target, const QRect& region) const;
  void DrawLines(QPainter& p, TViewScale scale, const QRect& area) const;
  void PaintItems(QPainter& p, const QRect& region, TViewScale scale) const;
  // The area a level of a cell may draw on (view pixels at scale 1, within the view).
  QRect LevelArea(int x, int y, int z) const;
  // A paint of `area` (view pixels at scale 1) showed the cells changed since the last
  // update as they are now, not as they were named: the next update repaints them.
  void ForgetPaintedChanges(const QRect& area) const;
  QRect RobotRect(int z) const;
  // Where the robot's picture for `heading` stands on level z of cell (x, y).
  QRect RobotRectAt(int x, int y, int z, int heading) const;
  // Where a picture anchored at the front-left corner of level z of cell (x, y) lies.
  QRect PictureRect(const QImage& pic, int x, int y, int z) const;
  // The area of the pictures by which two looks of a cell differ (view pixels at scale 1).
  QRect ChangedPictures(int x, int y, TCellLook before, TCellLook now) const;
  void ComputeReach();

  TWelt& welt_;
  const TWeltPictures& pictures_;
  int offX_ = 0, offY_ = 0;
  QSize size_;
  // The scale-1 picture; the areas named since it was last painted wait in stale_.
  mutable QImage image_;
  mutable std::vector<QRect> stale_;
  mutable bool allStale_ = false;
  QImage background_;
  const TWorldColors* colors_ = &TWorldColors::Usual();
  // What the last update named of each cell; paints between updates make it forget.
  mutable TShownCells shown_;
  // Union of all pictures a level may show, relative to its front-left corner.
  QRect reach_;
  std::function<void(const QRect&)> repaint_;
};
