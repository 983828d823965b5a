// The world's views: the 3D picture and the 2D map of the core world, the pictures they
// draw, which of them is shown and mouse editing in the 2D view (world_picture.h saves the
// shown view as a picture). Attached to the world as its view, it keeps the shown view up
// to date when the world says what changed.
#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

#include "world/qt/welt_pictures.h"
#include "world/qt/welt_view_2d.h"
#include "world/qt/welt_view_3d.h"
#include "world/qt/welt_widgets.h"
#include "world/welt.h"
#include "world/welt_view.h"

class QPainter;
class QWidget;
class TWelt;

class TWeltQt : public TWeltView {
public:
  // Loads the pictures from `imgsFolder` (default: the "imgs" folder of the program),
  // attaches itself to `welt` as its view and draws the start picture. No widgets
  // yet: without them the views paint only their own pictures (command line, tests).
  explicit TWeltQt(TWelt& welt, const QString& imgsFolder = TWeltPictures::DefaultFolder());
  ~TWeltQt() override;
  TWeltQt(const TWeltQt&) = delete;
  TWeltQt& operator=(const TWeltQt&) = delete;

  // The view controls, parented to `parent`: the 3D image (shown) and the 2D paint box
  // (hidden). Created once; the parent owns them.
  void CreateWidgets(QWidget* parent);
  TImage3D* Image3D() const { return image3D_; }
  TPaintBox2D* PaintBox2D() const { return paintBox2D_; }

  // Called after each update and redraw of the shown view, that is after every robot
  // action and edit (the window keeps the world's description for screen readers with it).
  void SetShownHook(std::function<void()> hook) { shown_ = std::move(hook); }

  // --- TWeltView ---
  void GeometryChanged() override;
  void UpdateView() override;
  void RedrawAll() override;

  // The colours both views paint with (the usual ones until set); redraws.
  void SetColors(const TWorldColors& colors);
  const TWorldColors& Colors() const { return view2D_.Colors(); }

  // Which view is shown; switching shows the one, hides the other and redraws.
  bool Is2D() const { return is2D_; }
  void SetIs2D(bool is2D);
  // Size of the shown view at scale 1.
  QSize ViewSize() const;

  // The view scale the widgets show both views at (1 = the geometry's own pixels).
  // Anything painted over a view (a goal overlay) maps view points with ViewScale().
  void SetViewScale(double scale);
  TViewScale ViewScale() const { return TViewScale{scale_}; }
  // The shown view's size on screen, at the view scale.
  QSize ShownSize() const { return ViewScale().Map(ViewSize()); }
  // Where the robot is drawn in the shown view (view pixels at scale 1).
  QRect RobotRect() const;
  // Draws the whole shown view at `scale` onto a device of the scaled size; at 1 the
  // same pixels as the 3D picture or Paint2DTo.
  void PaintScaled(QPainter& p, double scale) const;
  // Fills the shown view with the background colour.
  void ClearView();

  // Mouse editing at a pixel of the 2D paint box: puts or takes the tool's item on the
  // cell under it (the room's and the robot's rules apply); then UpdateView.
  void EditAdd(int px, int py, TWeltTool tool);
  void EditRemove(int px, int py, TWeltTool tool);

  // Replaces the robot's four figures from `folder`; false (nothing changed) unless
  // "robot0.bmp" .. "robot3.bmp" are all readable. Redraws.
  bool LoadRobotPictures(const QString& folder);

  // The 2D map of the whole room, white first, onto any painter whose device has at
  // least the paint box's size at `scale` (metafile, SVG, printer, image).
  void Paint2DTo(QPainter& p, TViewScale scale = {}) const;

  TWelt& Welt() const { return welt_; }
  TWeltView3D& View3D() { return view3D_; }
  const TWeltView3D& View3D() const { return view3D_; }
  TWeltView2D& View2D() { return view2D_; }
  const TWeltView2D& View2D() const { return view2D_; }
  const TWeltPictures& Pictures() const { return pictures_; }

private:
  TWelt& welt_;
  TWeltPictures pictures_;
  TWeltView3D view3D_;
  TWeltView2D view2D_;
  bool is2D_ = false;
  double scale_ = 1.0;
  QPointer<TImage3D> image3D_;
  QPointer<TPaintBox2D> paintBox2D_;
  std::function<void()> shown_;
};
