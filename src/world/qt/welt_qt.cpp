#include "world/qt/welt_qt.h"

#include <QPainter>

#include "world/qt/welt_widgets.h"
#include "world/welt.h"

TWeltQt::TWeltQt(TWelt& welt, const QString& imgsFolder)
    : welt_(welt), view3D_(welt, pictures_), view2D_(welt) {
  pictures_.LoadFrom(imgsFolder);
  welt_.SetView(this);
  GeometryChanged();
  RedrawAll();
}

TWeltQt::~TWeltQt() {
  if (welt_.View() == this) welt_.SetView(nullptr);
  delete image3D_;
  delete paintBox2D_;
}

void TWeltQt::CreateWidgets(QWidget* parent) {
  if (image3D_) return;
  image3D_ = new TImage3D(view3D_, parent);
  paintBox2D_ = new TPaintBox2D(view2D_, parent);
  view3D_.SetRepaintHook([this](const QRect& r) {
    if (image3D_) image3D_->update(image3D_->WidgetRect(r));
  });
  view2D_.SetRepaintHook([this](const QRect& r) {
    if (paintBox2D_) paintBox2D_->update(paintBox2D_->WidgetRect(r));
  });
  image3D_->SetViewScale(scale_, view3D_.Size());
  paintBox2D_->SetViewScale(scale_, view2D_.Size());
  image3D_->setVisible(!is2D_);
  paintBox2D_->setVisible(is2D_);
}

void TWeltQt::GeometryChanged() {
  view3D_.ComputeGeometry3D();
  view2D_.ComputeGeometry2D();
  if (image3D_) image3D_->SetViewScale(scale_, view3D_.Size());
  if (paintBox2D_) paintBox2D_->SetViewScale(scale_, view2D_.Size());
  ClearView();
  view3D_.RebuildBackground();
}

void TWeltQt::ClearView() {
  if (is2D_) {
    if (paintBox2D_) paintBox2D_->update();
  } else {
    view3D_.ClearView();
  }
}

void TWeltQt::UpdateView() {
  if (is2D_)
    view2D_.UpdateView();
  else
    view3D_.UpdateView();
  if (shown_) shown_();
}

void TWeltQt::RedrawAll() {
  if (is2D_)
    view2D_.RedrawAll();
  else
    view3D_.RedrawAll();
  if (shown_) shown_();
}

void TWeltQt::SetColors(const TWorldColors& colors) {
  view2D_.SetColors(colors);
  view3D_.SetColors(colors);
}

void TWeltQt::SetIs2D(bool is2D) {
  is2D_ = is2D;
  if (image3D_) image3D_->setVisible(!is2D_);
  if (paintBox2D_) paintBox2D_->setVisible(is2D_);
  RedrawAll();
}

QSize TWeltQt::ViewSize() const { return is2D_ ? view2D_.Size() : view3D_.Size(); }

QRect TWeltQt::RobotRect() const {
  const TTumbo& robot = welt_.Robot;
  return is2D_ ? TWeltView2D::CellsRect(robot.X, robot.Y, robot.X + 1, robot.Y + 1) : view3D_.RobotPictureRect();
}

void TWeltQt::SetViewScale(double scale) {
  scale_ = scale;
  if (image3D_) image3D_->SetViewScale(scale_, view3D_.Size());
  if (paintBox2D_) paintBox2D_->SetViewScale(scale_, view2D_.Size());
}

void TWeltQt::PaintScaled(QPainter& p, double scale) const {
  const TViewScale s{scale};
  const QRect all(QPoint(0, 0), s.Map(ViewSize()));
  if (is2D_)
    Paint2DTo(p, s);
  else
    view3D_.Paint(p, all, s);
}

void TWeltQt::EditAdd(int px, int py, TWeltTool tool) {
  const QPoint cell = TWeltView2D::CellAt2D(px, py);
  welt_.EditAddCell(cell.x(), cell.y(), tool);
}

void TWeltQt::EditRemove(int px, int py, TWeltTool tool) {
  const QPoint cell = TWeltView2D::CellAt2D(px, py);
  welt_.EditRemoveCell(cell.x(), cell.y(), tool);
}

bool TWeltQt::LoadRobotPictures(const QString& folder) {
  if (!pictures_.LoadRobotFrom(folder)) return false;
  // The robot's size may have changed: so may the reach of a level's pictures.
  view3D_.ComputeGeometry3D();
  RedrawAll();
  return true;
}

void TWeltQt::Paint2DTo(QPainter& p, TViewScale scale) const {
  // White first: pen and brush white, one pixel beyond the paint box.
  const QSize size = scale.Map(view2D_.Size());
  p.setPen(Qt::white);
  p.setBrush(Qt::white);
  p.drawRect(QRect(0, 0, size.width(), size.height()));
  view2D_.PaintCells2D(p, 0, 0, welt_.Room.Width(), welt_.Room.Length(), scale);
}
