// The oblique 3D picture of the world: the floor grid seen from above and in front, the
// back and left walls dashed, a north arrow, and the pictures of bricks, cuboids, marks
// and the robot, painted from back to front. The picture is kept in an image; an update
// repaints only the box around the levels that changed.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

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
  // Fills the whole view with the background colour.
  void ClearView();
  // Background: resized to the view and drawn anew.
  void RebuildBackground();
  // Fill, floor grid, walls and north arrow, into `target` (of the view's size).
  void DrawBackground(QImage& target) const;

  // Repaints the rectangle [l, r) x [t, b) of the view from the background and every
  // picture that reaches into it, back to front.
  void PaintRegion3D(int l, int t, int r, int b);
  // Repaints the box around the dirty levels and clears the Dirty flags.
  void UpdateView();
  // Repaints the whole view and clears the Dirty flags.
  void RedrawAll();

  // Called with the view rectangle after each repaint (the widget shows it).
  void SetRepaintHook(std::function<void(const QRect&)> hook) { repaint_ = std::move(hook); }

  int OffX() const { return offX_; }
  int OffY() const { return offY_; }
  QSize Size() const { return size_; }
  const QImage& Image() const { return image_; }
  const QImage& Background() const { return background_; }

private:
  void PaintItems(QPainter& p, const QRect& region) const;
  QRect RobotRect(int z) const;
  void ComputeReach();

  TWelt& welt_;
  const TWeltPictures& pictures_;
  int offX_ = 0, offY_ = 0;
  QSize size_;
  QImage image_;
  QImage background_;
  // Union of all pictures a level may show, relative to its front-left corner.
  QRect reach_;
  std::function<void(const QRect&)> repaint_;
};
