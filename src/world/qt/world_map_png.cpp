#include "world/qt/world_map_png.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "world/qt/welt_qt.h"

TMapPicture WorldMapPng(const std::string& worldBytes, int maxWidth) {
  TWelt world;
  world.LoadFromText(worldBytes, "Karte");
  TWeltQt views(world);
  views.SetIs2D(true);
  const QSize size = views.ViewSize();
  const TViewScale scale{std::min(1.0, double(maxWidth) / std::max(1, size.width()))};
  QImage image(scale.Map(size), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    views.Paint2DTo(p, scale);
  }
  // The view keeps room below the cells for what reports do not need: the margin above is enough.
  const QPoint corner = TWeltView2D::Project2D(world.Room.Width(), world.Room.Length(), scale);
  const QPoint origin = TWeltView2D::Project2D(0, 0, scale);
  image = image.copy(0, 0, image.width(), std::min(image.height(), corner.y() + origin.y() + 1));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {png.toStdString(), image.width(), image.height(), double(origin.x()), double(origin.y()),
          (TWeltView2D::Project2D(100, 0, scale).x() - origin.x()) / 100.0};
}
