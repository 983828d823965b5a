// The two view controls: the 3D image, which shows the picture the 3D view keeps, and
// the 2D paint box, which has the 2D view paint what is exposed.
#pragma once

#include <QWidget>

class TWeltView2D;
class TWeltView3D;

class TImage3D : public QWidget {
  Q_OBJECT
public:
  TImage3D(const TWeltView3D& view, QWidget* parent);

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  const TWeltView3D& view_;
};

class TPaintBox2D : public QWidget {
  Q_OBJECT
public:
  TPaintBox2D(const TWeltView2D& view, QWidget* parent);

signals:
  // A mouse button went down at `pos` (paint box pixels).
  void Pressed(QPoint pos, Qt::MouseButton button);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  const TWeltView2D& view_;
};
